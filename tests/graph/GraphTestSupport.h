#pragma once
// Pixel tests of the drawing toolkit: a CMyDC drawing into a small bitmap, and the
// pictures' colours and extents.

#include <gtest/gtest.h>

#include "graph/CMyDC.h"

namespace graph_test {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGrey = RGB(85, 85, 85);

// A CMyDC as a memory context over a size x size bitmap filled with paper.
class Canvas {
public:
    explicit Canvas(int size = 32, COLORREF paper = kWhite);
    CBitmap bitmap;  // declared first, so that it outlives the context it is selected in
    CMyDC dc;
    COLORREF paper;
    const plat::Surface& surface() const { return *bitmap.GetSurface(); }
    COLORREF At(int x, int y) const { return surface().GetPixel(x, y); }
    int Count(COLORREF colour) const;
    // Pixels that are not paper.
    int Inked() const;
    // The smallest rectangle (right and bottom inclusive) holding every inked pixel; an
    // empty RECT {0, 0, -1, -1} when nothing is inked.
    RECT InkBox() const;
};

}  // namespace graph_test
