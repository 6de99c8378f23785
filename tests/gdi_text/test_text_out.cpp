// TextOut and ExtTextOut: reference points, background cells, clipping, the Windows-1252
// characters, glyph blending and bad input.

#include <algorithm>
#include <string>

#include "TextTestSupport.h"
#include "platform/gdi/TextRaster.h"

using namespace text_test;

namespace {

TEST(Alignment, ReferencePointsLandOnTheExpectedPixels) {
    Canvas topLeft;
    topLeft.dc.TextOut(20, 10, "H", 1);
    RECT ink = topLeft.Ink();
    EXPECT_EQ(ink.bottom, 10 + kAscent);  // a flat-bottomed capital ends on the baseline
    EXPECT_GE(ink.left, 20);
    EXPECT_LE(ink.left, 23);
    EXPECT_GT(ink.top, 10);

    Canvas baseline;
    baseline.dc.SetTextAlign(TA_BASELINE | TA_RIGHT);
    baseline.dc.TextOut(100, 50, "H", 1);
    ink = baseline.Ink();
    EXPECT_EQ(ink.bottom, 50);
    EXPECT_LE(ink.right, 100);
    EXPECT_GE(ink.right, 97);
}

TEST(Alignment, EachFlagMovesTheTextByItsExtent) {
    const int cx = Canvas().Width("Hag");
    const struct {
        UINT align;
        int dx, dy;  // where TA_LEFT | TA_TOP would have to draw for the same pixels
    } cases[] = {
        {TA_RIGHT | TA_TOP, -cx, 0},
        {TA_CENTER | TA_TOP, -cx / 2, 0},
        {TA_LEFT | TA_BASELINE, 0, -kAscent},
        {TA_LEFT | TA_BOTTOM, 0, -kLine},
        {TA_CENTER | TA_BOTTOM, -cx / 2, -kLine},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.align);
        Canvas aligned, plain;
        aligned.dc.SetTextAlign(k.align);
        aligned.dc.TextOut(80, 40, "Hag", 3);
        plain.dc.TextOut(80 + k.dx, 40 + k.dy, "Hag", 3);
        EXPECT_GT(plain.InkCount(), 0);
        EXPECT_TRUE(SameSurfaces(aligned.surface(), plain.surface()));
    }
}

TEST(Background, OpaqueFillsExactlyTheCellTransparentLeavesIt) {
    Canvas opaque, transparent;
    opaque.dc.SetBkMode(OPAQUE);
    for (Canvas* c : {&opaque, &transparent}) {
        c->dc.SetBkColor(kYellow);
        c->dc.TextOut(10, 5, "Hi", 2);
    }
    const CSize extent = opaque.dc.GetTextExtent("Hi");
    const RECT cell{10, 5, 10 + extent.cx, 5 + extent.cy};
    const RECT ink = opaque.Ink();
    EXPECT_TRUE(EqualRect(&cell, &ink));
    EXPECT_EQ(opaque.InkCount(&cell), extent.cx * extent.cy);
    EXPECT_EQ(opaque.surface().GetPixel(cell.left, cell.top), kYellow);
    EXPECT_EQ(opaque.surface().GetPixel(cell.right - 1, cell.bottom - 1), kYellow);

    EXPECT_GT(transparent.InkCount(), 0);
    const auto pixels = transparent.surface().Pixels();
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), kYellow), 0);
}

TEST(Clipping, TextStaysInsideTheClipAndFollowsTheOrigin) {
    Canvas c, rect;
    c.dc.IntersectClipRect(10, 10, 40, 22);
    c.dc.TextOut(0, 0, "Clipped text", 12);
    const RECT ink = c.Ink();
    EXPECT_GT(c.InkCount(), 0);
    EXPECT_GE(ink.left, 10);
    EXPECT_GE(ink.top, 10);
    EXPECT_LE(ink.right, 40);
    EXPECT_LE(ink.bottom, 22);

    const RECT clip{0, 0, 12, 40};
    rect.dc.ExtTextOut(0, 0, ETO_CLIPPED, &clip, "Wide words", 10, nullptr);
    EXPECT_GT(rect.InkCount(), 0);
    EXPECT_LE(rect.Ink().right, 12);

    Canvas moved, direct;
    moved.dc.SetViewportOrg(30, 20);
    moved.dc.TextOut(0, 0, "Origin", 6);
    direct.dc.TextOut(30, 20, "Origin", 6);
    EXPECT_TRUE(SameSurfaces(moved.surface(), direct.surface()));
}

TEST(Characters, WindowsLatinSymbolsHaveInkAndControlsHaveNone) {
    // Degree, bullet, plus-minus, guillemets, euro, e acute.
    for (const char ch : {'\xB0', '\x95', '\xB1', '\xAB', '\xBB', '\x80', '\xE9'}) {
        SCOPED_TRACE(static_cast<int>(static_cast<unsigned char>(ch)));
        Canvas c(40, 40);
        EXPECT_GT(c.dc.GetTextExtent(&ch, 1).cx, 0);
        c.dc.TextOut(5, 5, &ch, 1);
        EXPECT_GT(c.InkCount(), 3);
    }
    Canvas c(40, 40);
    c.dc.TextOut(5, 5, "\x01\x09\x81", 3);
    EXPECT_EQ(c.InkCount(), 0);
}

TEST(Blending, IsExactIntegerMixingInsideTheClip) {
    // Red at coverage a over blue: red = a, blue = 255 - a.
    plat::Surface s(5, 2, kBlue);
    plat::Glyph glyph;
    glyph.left = -1;
    glyph.top = 1;
    glyph.width = 6;
    glyph.height = 1;
    glyph.coverage = {255, 0, 1, 64, 128, 255};
    plat::BlendGlyph(s, RECT{0, 0, 4, 2}, glyph, 0, 1, kRed);  // column 4 is outside
    const COLORREF row[] = {kBlue, RGB(1, 0, 254), RGB(64, 0, 191), RGB(128, 0, 127), kBlue};
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(s.GetPixel(x, 0), row[x]) << x;
        EXPECT_EQ(s.GetPixel(x, 1), kBlue) << x;
    }

    // A glyph hanging off every edge of the surface touches only what is inside.
    plat::Glyph big;
    big.left = -3;
    big.top = 4;
    big.width = 10;
    big.height = 8;
    big.coverage.assign(80, 255);
    plat::BlendGlyph(s, s.Bounds(), big, 0, 1, kYellow);
    for (const COLORREF p : s.Pixels()) {
        EXPECT_EQ(p, kYellow);
    }
}

TEST(BadInput, EmptyNullLongAndDeadContexts) {
    Canvas c(200, 40);
    EXPECT_TRUE(c.dc.TextOut(0, 0, "", 0));
    EXPECT_TRUE(c.dc.TextOut(0, 0, nullptr, 0));
    EXPECT_FALSE(c.dc.TextOut(0, 0, nullptr, 4));
    EXPECT_FALSE(c.dc.ExtTextOut(0, 0, 0, nullptr, nullptr, 4, nullptr));
    EXPECT_EQ(c.InkCount(), 0);

    const std::string longText(100000, 'W');
    EXPECT_EQ(c.dc.GetTextExtent(longText.c_str(), 100000).cx, 100000 * c.Width("W"));
    EXPECT_TRUE(c.dc.TextOut(0, 0, longText.c_str(), 100000));
    EXPECT_GT(c.Ink().right, 190);
    c.dc.SetTextAlign(TA_RIGHT);
    EXPECT_TRUE(c.dc.TextOut(200, 10, longText.c_str(), 100000));

    CDC dead;
    EXPECT_FALSE(dead.TextOut(0, 0, "x", 1));
    EXPECT_EQ(dead.GetTextExtent("x", 1), CSize(0, 0));
    TEXTMETRIC tm{};
    EXPECT_FALSE(dead.GetTextMetrics(&tm));
    RECT r{0, 0, 10, 10};
    EXPECT_EQ(dead.DrawText("x", 1, &r, 0), 0);
}

}  // namespace
