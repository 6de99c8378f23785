#pragma once
// Text tests on small surfaces: a memory DC over a white bitmap with black transparent
// text in a chosen font, and where the ink of drawn text lies.
//
// Tahoma at -20 is DejaVu Sans at 20 pixels: ascent 19, descent 5, cell 24.

#include <gtest/gtest.h>

#include "platform/gdi/CDC.h"

namespace text_test {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr int kAscent = 19;
constexpr int kLine = 24;

class Canvas {
public:
    explicit Canvas(int width = 200, int height = 100, int fontHeight = -20,
                    const char* face = "Tahoma", int weight = FW_NORMAL);
    CBitmap bitmap;  // bitmap and font outlive the context they are selected in
    CFont font;
    CDC dc;
    plat::Surface& surface() { return *bitmap.GetSurface(); }
    // The box of non-white pixels ({0,0,0,0} when there are none), optionally within r.
    RECT Ink(const RECT* within = nullptr);
    int InkCount(const RECT* within = nullptr);
    int Width(const char* text) const { return dc.GetTextExtent(text).cx; }
    TEXTMETRIC Metrics();
};

// Where the surfaces first differ, for the failure message.
::testing::AssertionResult SameSurfaces(const plat::Surface& a, const plat::Surface& b);

}  // namespace text_test
