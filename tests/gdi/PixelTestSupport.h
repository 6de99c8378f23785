#pragma once
// Pixel tests on tiny surfaces: a memory DC over a bitmap, pictures written as rows of
// characters, and ASCII maps of expected and actual pixels on failure.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/gdi/CDC.h"

namespace gdi_test {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);

// '.' white, '#' black, 'R' red, 'G' green, 'B' blue, 'Y' yellow; other colours print
// as '?'.
using Legend = std::map<char, COLORREF>;
const Legend& DefaultLegend();

std::string AsciiMap(const plat::Surface& surface, const Legend& legend = DefaultLegend());

// Compares the whole surface with a picture of the same size.
::testing::AssertionResult PixelsAre(const plat::Surface& surface,
                                     const std::vector<std::string>& picture,
                                     const Legend& legend = DefaultLegend());

// The pixels of one row (or column) as characters, for checks of a single line.
std::string RowOf(const plat::Surface& surface, int y, const Legend& legend = DefaultLegend());
std::string ColumnOf(const plat::Surface& surface, int x, const Legend& legend = DefaultLegend());

// A memory DC drawing into a width x height bitmap, cleared to white.
class Canvas {
public:
    Canvas(int width, int height, COLORREF background = kWhite);
    CDC dc;
    CBitmap bitmap;
    plat::Surface& surface() { return *bitmap.GetSurface(); }
    int Count(COLORREF colour);
};

// A pen / brush selected for one scope.
class UsePen {
public:
    UsePen(CDC& dc, int style, int width, COLORREF colour);
    ~UsePen();
    CPen pen;

private:
    CDC& dc_;
    CPen* old_;
};

class UseBrush {
public:
    UseBrush(CDC& dc, COLORREF colour);
    UseBrush(CDC& dc, int hatch, COLORREF colour);
    ~UseBrush();
    CBrush brush;

private:
    CDC& dc_;
    CBrush* old_;
};

}  // namespace gdi_test
