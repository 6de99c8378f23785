#pragma once
// Pixel tests of the drawing toolkit: a CMyDC drawing into a small bitmap.

#include <gtest/gtest.h>

#include <algorithm>

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
    explicit Canvas(int size = 32, COLORREF paperColour = kWhite) : paper(paperColour) {
        EXPECT_TRUE(dc.CreateCompatibleDC(nullptr));
        EXPECT_TRUE(bitmap.CreateCompatibleBitmap(&dc, size, size));
        dc.SelectObject(&bitmap);
        bitmap.GetSurface()->Fill(paper);
    }
    CBitmap bitmap;  // declared first, so that it outlives the context it is selected in
    CMyDC dc;
    COLORREF paper;

    const plat::Surface& surface() const { return *bitmap.GetSurface(); }
    COLORREF At(int x, int y) const { return surface().GetPixel(x, y); }
    int Count(COLORREF colour) const {
        const auto pixels = surface().Pixels();
        return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
    }
    int Inked() const { return surface().Width() * surface().Height() - Count(paper); }
    // The smallest rectangle (right and bottom inclusive) holding every pixel that is not
    // paper; right < left when there is none.
    RECT InkBox() const {
        RECT box{surface().Width(), surface().Height(), -1, -1};
        for (int y = 0; y < surface().Height(); ++y) {
            for (int x = 0; x < surface().Width(); ++x) {
                if (At(x, y) != paper) {
                    box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                           std::max<LONG>(box.right, x), std::max<LONG>(box.bottom, y)};
                }
            }
        }
        return box;
    }
};

}  // namespace graph_test
