#include "PixelTestSupport.h"

#include <algorithm>
#include <sstream>

namespace gdi_test {

const Legend& DefaultLegend() {
    static const Legend legend{{'.', kWhite}, {'#', kBlack}, {'R', kRed},
                               {'G', kGreen}, {'B', kBlue},  {'Y', kYellow}};
    return legend;
}

namespace {

char CharOf(COLORREF colour, const Legend& legend) {
    for (const auto& [c, value] : legend) {
        if (value == colour) {
            return c;
        }
    }
    return '?';
}

}  // namespace

std::string AsciiMap(const plat::Surface& surface, const Legend& legend) {
    std::string out;
    for (int y = 0; y < surface.Height(); ++y) {
        out += RowOf(surface, y, legend) + "\n";
    }
    return out;
}

std::string RowOf(const plat::Surface& surface, int y, const Legend& legend) {
    std::string row;
    for (int x = 0; x < surface.Width(); ++x) {
        row += CharOf(surface.GetPixel(x, y), legend);
    }
    return row;
}

std::string ColumnOf(const plat::Surface& surface, int x, const Legend& legend) {
    std::string column;
    for (int y = 0; y < surface.Height(); ++y) {
        column += CharOf(surface.GetPixel(x, y), legend);
    }
    return column;
}

::testing::AssertionResult PixelsAre(const plat::Surface& surface,
                                     const std::vector<std::string>& picture,
                                     const Legend& legend) {
    std::string expected;
    for (const std::string& row : picture) {
        expected += row + "\n";
    }
    const std::string actual = AsciiMap(surface, legend);
    if (actual == expected) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "\nexpected:\n" << expected << "actual:\n" << actual;
}

Canvas::Canvas(int width, int height, COLORREF background) {
    dc.CreateCompatibleDC(nullptr);
    bitmap.CreateCompatibleBitmap(&dc, width, height);
    dc.SelectObject(&bitmap);
    surface().Fill(background);
}

int Canvas::Count(COLORREF colour) {
    const auto pixels = surface().Pixels();
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
}

UsePen::UsePen(CDC& dc, int style, int width, COLORREF colour)
    : pen(style, width, colour), dc_(dc), old_(dc.SelectObject(&pen)) {}

UsePen::~UsePen() {
    dc_.SelectObject(old_);
}

UseBrush::UseBrush(CDC& dc, COLORREF colour)
    : brush(colour), dc_(dc), old_(dc.SelectObject(&brush)) {}

UseBrush::UseBrush(CDC& dc, int hatch, COLORREF colour)
    : brush(hatch, colour), dc_(dc), old_(dc.SelectObject(&brush)) {}

UseBrush::~UseBrush() {
    dc_.SelectObject(old_);
}

}  // namespace gdi_test
