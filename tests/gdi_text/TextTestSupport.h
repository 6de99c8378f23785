#pragma once
// Text tests on small surfaces: a memory DC over a white bitmap, fonts made in one line,
// and where the ink of drawn text lies.

#include <gtest/gtest.h>

#include <string>

#include "platform/gdi/CDC.h"

namespace text_test {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);

// A memory DC drawing into a width x height bitmap, cleared to a background colour,
// with transparent text in black.
class Canvas {
public:
    Canvas(int width, int height, COLORREF background = kWhite);
    CDC dc;
    CBitmap bitmap;
    COLORREF background;
    plat::Surface& surface() { return *bitmap.GetSurface(); }
};

// The box of pixels that differ from the background ({0,0,0,0} when there are none),
// optionally only inside a region.
RECT InkBox(const plat::Surface& surface, COLORREF background, const RECT* within = nullptr);
// Pixels that differ from the background inside a rectangle (all of the surface when
// null).
int InkCount(const plat::Surface& surface, COLORREF background, const RECT* within = nullptr);
// Whether any pixel of row y in [x0, x1) differs from the background.
bool RowHasInk(const plat::Surface& surface, COLORREF background, int y, int x0, int x1);

// A font from the few fields the tests vary.
void MakeFont(CFont& font, int height, const char* face, int weight = FW_NORMAL, BYTE italic = 0,
              BYTE underline = 0, BYTE strikeOut = 0, int width = 0,
              BYTE quality = DEFAULT_QUALITY);

TEXTMETRIC MetricsOf(CDC& dc);

// The surfaces as text for a failure message: where they first differ.
::testing::AssertionResult SameSurfaces(const plat::Surface& a, const plat::Surface& b);

}  // namespace text_test
