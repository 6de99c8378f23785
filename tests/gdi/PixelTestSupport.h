#pragma once
// Pixel tests on tiny surfaces: a memory DC over a bitmap, and pictures written as rows
// of characters ('.' white, '#' black, 'R' red, 'G' green, 'B' blue, 'Y' yellow, '?'
// anything else).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gdi/CDC.h"
#include "platform/gdi/SavedDC.h"

namespace gdi_test {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);

std::string AsciiMap(const plat::Surface& surface);
std::string RowOf(const plat::Surface& surface, int y);
std::string ColumnOf(const plat::Surface& surface, int x);

// The whole surface against a picture of the same size, or against another surface.
::testing::AssertionResult PixelsAre(const plat::Surface& surface,
                                     const std::vector<std::string>& picture);
::testing::AssertionResult SameAs(const plat::Surface& actual, const plat::Surface& expected);

// A memory DC drawing into a width x height bitmap filled with background.
class Canvas {
public:
    Canvas(int width, int height, COLORREF background = kWhite);
    CDC dc;
    CBitmap bitmap;
    plat::Surface& surface() { return *bitmap.GetSurface(); }
    int Count(COLORREF colour);
};

// A pen or brush made from args and selected into dc for one scope.
template <class T>
struct Use {
    template <class... Args>
    explicit Use(CDC& dc, Args... args) : object(args...), guard(dc, &object) {}
    T object;
    plat::SelectedObject guard;
};
using UsePen = Use<CPen>;
using UseBrush = Use<CBrush>;

}  // namespace gdi_test
