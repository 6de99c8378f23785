#include "PixelTestSupport.h"

#include <algorithm>

namespace gdi_test {

namespace {

char CharOf(COLORREF colour) {
    const std::pair<char, COLORREF> legend[] = {{'.', kWhite}, {'#', kBlack}, {'R', kRed},
                                                {'G', kGreen}, {'B', kBlue},  {'Y', kYellow}};
    const auto* found = std::ranges::find(legend, colour, &std::pair<char, COLORREF>::second);
    return found == std::end(legend) ? '?' : found->first;
}

// count pixels from (x, y) on in steps of (dx, dy).
std::string Run(const plat::Surface& surface, int x, int y, int dx, int dy, int count) {
    std::string run;
    for (int i = 0; i < count; ++i) {
        run += CharOf(surface.GetPixel(x + i * dx, y + i * dy));
    }
    return run;
}

::testing::AssertionResult Differ(const std::string& actual, const std::string& expected) {
    return ::testing::AssertionFailure() << "\nexpected:\n" << expected << "actual:\n" << actual;
}

}  // namespace

std::string AsciiMap(const plat::Surface& surface) {
    std::string out;
    for (int y = 0; y < surface.Height(); ++y) {
        out += RowOf(surface, y) + "\n";
    }
    return out;
}

std::string RowOf(const plat::Surface& surface, int y) {
    return Run(surface, 0, y, 1, 0, surface.Width());
}

std::string ColumnOf(const plat::Surface& surface, int x) {
    return Run(surface, x, 0, 0, 1, surface.Height());
}

::testing::AssertionResult PixelsAre(const plat::Surface& surface,
                                     const std::vector<std::string>& picture) {
    std::string expected;
    for (const std::string& row : picture) {
        expected += row + "\n";
    }
    const std::string actual = AsciiMap(surface);
    return actual == expected ? ::testing::AssertionSuccess() : Differ(actual, expected);
}

::testing::AssertionResult SameAs(const plat::Surface& actual, const plat::Surface& expected) {
    return actual == expected ? ::testing::AssertionSuccess()
                              : Differ(AsciiMap(actual), AsciiMap(expected));
}

Canvas::Canvas(int width, int height, COLORREF background) {
    dc.CreateCompatibleDC(nullptr);
    bitmap.CreateCompatibleBitmap(&dc, width, height);
    dc.SelectObject(&bitmap);
    surface().Fill(background);
}

int Canvas::Count(COLORREF colour) {
    return static_cast<int>(std::ranges::count(surface().Pixels(), colour));
}

}  // namespace gdi_test
