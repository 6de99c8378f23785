// TextOut, ExtTextOut and TabbedTextOut: reference points, the current position,
// background cells, clipping, decorations, blending and the Windows-1252 characters.
//
// Tahoma at -20 is DejaVu Sans at 20 pixels: ascent 19, descent 5, cell 24.

#include <cstdlib>
#include <string>
#include <vector>

#include "TextTestSupport.h"
#include "platform/gdi/TextRaster.h"

using namespace text_test;

namespace {

// A canvas with the test font selected (and released before the canvas goes).
class TextCanvas : public Canvas {
public:
    explicit TextCanvas(int width = 160, int height = 80, COLORREF bg = kWhite, int size = -20,
                        const char* face = "Tahoma", BYTE underline = 0, BYTE strikeOut = 0,
                        BYTE quality = DEFAULT_QUALITY)
        : Canvas(width, height, bg) {
        MakeFont(font, size, face, FW_NORMAL, 0, underline, strikeOut, 0, quality);
        dc.SelectObject(&font);
    }
    ~TextCanvas() { dc.SelectStockObject(SYSTEM_FONT); }
    RECT Ink(const RECT* within = nullptr) { return InkBox(surface(), background, within); }
    CFont font;
};

TEST(Alignment, TopLeftPutsTheBaselineAscentBelowTheReferencePoint) {
    TextCanvas c;
    c.dc.TextOut(20, 10, "H", 1);
    const RECT ink = c.Ink();
    EXPECT_EQ(ink.bottom, 10 + 19);  // a flat-bottomed capital ends on the baseline
    EXPECT_GE(ink.left, 20);
    EXPECT_LE(ink.left, 23);
    EXPECT_GT(ink.top, 10);
}

TEST(Alignment, EachFlagMovesTheTextByItsExtent) {
    const CSize extent = [] {
        TextCanvas m;
        return m.dc.GetTextExtent("Hag");
    }();
    struct Case {
        UINT align;
        int dx, dy;  // where TA_LEFT | TA_TOP would have to draw for the same pixels
    };
    const Case cases[] = {
        {TA_RIGHT | TA_TOP, -extent.cx, 0},
        {TA_CENTER | TA_TOP, -extent.cx / 2, 0},
        {TA_LEFT | TA_BASELINE, 0, -19},
        {TA_LEFT | TA_BOTTOM, 0, -24},
        {TA_CENTER | TA_BOTTOM, -extent.cx / 2, -24},
        {TA_RIGHT | TA_BASELINE, -extent.cx, -19},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.align);
        TextCanvas aligned, plain;
        aligned.dc.SetTextAlign(k.align);
        aligned.dc.TextOut(80, 40, "Hag", 3);
        plain.dc.TextOut(80 + k.dx, 40 + k.dy, "Hag", 3);
        EXPECT_GT(InkCount(plain.surface(), kWhite), 0);
        EXPECT_TRUE(SameSurfaces(aligned.surface(), plain.surface()));
    }
}

TEST(Alignment, BaselineFlagPutsTheBaselineOnTheReferenceRow) {
    TextCanvas c;
    c.dc.SetTextAlign(TA_BASELINE | TA_RIGHT);
    c.dc.TextOut(100, 50, "H", 1);
    const RECT ink = c.Ink();
    EXPECT_EQ(ink.bottom, 50);
    EXPECT_LE(ink.right, 100);
    EXPECT_GE(ink.right, 97);
}

TEST(CurrentPosition, UpdateCpDrawsAtAndMovesTheCurrentPosition) {
    TextCanvas moving, once;
    moving.dc.MoveTo(10, 10);
    moving.dc.SetTextAlign(TA_UPDATECP);
    moving.dc.TextOut(500, 500, "Ab", 2);  // the arguments are not used
    EXPECT_EQ(moving.dc.GetCurrentPosition(), CPoint(10 + moving.dc.GetTextExtent("Ab").cx, 10));
    moving.dc.TextOut(0, 0, "cd", 2);
    once.dc.TextOut(10, 10, "Abcd", 4);
    EXPECT_TRUE(SameSurfaces(moving.surface(), once.surface()));

    moving.dc.SetTextAlign(TA_UPDATECP | TA_RIGHT);
    const CPoint before = moving.dc.GetCurrentPosition();
    moving.dc.TextOut(0, 0, "x", 1);
    EXPECT_EQ(moving.dc.GetCurrentPosition(), before - CSize(moving.dc.GetTextExtent("x").cx, 0));
    moving.dc.SetTextAlign(TA_UPDATECP | TA_CENTER);
    moving.dc.TextOut(0, 0, "x", 1);
    EXPECT_EQ(moving.dc.GetCurrentPosition(), before - CSize(moving.dc.GetTextExtent("x").cx, 0));
}

TEST(Background, OpaqueModeFillsExactlyTheCell) {
    TextCanvas c;
    c.dc.SetBkMode(OPAQUE);
    c.dc.SetBkColor(kYellow);
    c.dc.TextOut(10, 5, "Hi", 2);
    const CSize extent = c.dc.GetTextExtent("Hi");
    const RECT cell{10, 5, 10 + extent.cx, 5 + extent.cy};
    const RECT ink = c.Ink();
    EXPECT_TRUE(EqualRect(&cell, &ink));
    EXPECT_EQ(InkCount(c.surface(), kWhite, &cell), extent.cx * extent.cy);
    EXPECT_EQ(c.surface().GetPixel(cell.left, cell.top), kYellow);
    EXPECT_EQ(c.surface().GetPixel(cell.right - 1, cell.bottom - 1), kYellow);
}

TEST(Background, TransparentModeLeavesTheCellAlone) {
    TextCanvas c;
    c.dc.SetBkColor(kYellow);
    c.dc.TextOut(10, 5, "Hi", 2);
    EXPECT_GT(InkCount(c.surface(), kWhite), 0);
    EXPECT_EQ(InkCount(c.surface(), kYellow), c.surface().Width() * c.surface().Height());
}

TEST(ExtTextOut, OpaqueRectangleAndClipping) {
    TextCanvas c;
    c.dc.SetBkColor(kYellow);
    const RECT box{0, 0, 50, 30};
    c.dc.ExtTextOut(60, 40, ETO_OPAQUE, &box, "H", 1, nullptr);  // text outside the box
    EXPECT_EQ(InkCount(c.surface(), kWhite, &box), 50 * 30);
    EXPECT_EQ(c.surface().GetPixel(10, 10), kYellow);
    EXPECT_EQ(c.surface().GetPixel(50, 10), kWhite);
    c.surface().Fill(kWhite);

    const RECT clip{0, 0, 12, 40};
    c.dc.ExtTextOut(0, 0, ETO_CLIPPED, &clip, "Wide words", 10, nullptr);
    const RECT ink = c.Ink();
    EXPECT_GT(InkCount(c.surface(), kWhite), 0);
    EXPECT_LE(ink.right, 12);
}

TEST(ExtTextOut, DxWidthsPlaceEachCharacter) {
    TextCanvas spaced, separate;
    const int dx[] = {40, 40, 40};
    spaced.dc.ExtTextOut(5, 5, 0, nullptr, "IlI", 3, dx);
    separate.dc.TextOut(5, 5, "I", 1);
    separate.dc.TextOut(45, 5, "l", 1);
    separate.dc.TextOut(85, 5, "I", 1);
    EXPECT_TRUE(SameSurfaces(spaced.surface(), separate.surface()));
    // The extent for alignment is the sum of the distances.
    TextCanvas right;
    right.dc.SetTextAlign(TA_RIGHT);
    right.dc.ExtTextOut(125, 5, 0, nullptr, "IlI", 3, dx);
    EXPECT_TRUE(SameSurfaces(right.surface(), separate.surface()));
}

TEST(TabbedTextOut, TabsGoToTheStops) {
    TextCanvas tabbed, separate;
    const int stops[] = {50, 110};
    const CSize size = tabbed.dc.TabbedTextOut(10, 5, "a\tb\tc", 5, 2, stops, 10);
    separate.dc.TextOut(10, 5, "a", 1);
    separate.dc.TextOut(60, 5, "b", 1);
    separate.dc.TextOut(120, 5, "c", 1);
    EXPECT_TRUE(SameSurfaces(tabbed.surface(), separate.surface()));
    EXPECT_EQ(size, CSize(110 + tabbed.dc.GetTextExtent("c").cx, 24));
}

TEST(Decorations, UnderlineAndStrikeOutSpanTheText) {
    const auto fullRows = [](TextCanvas& c, int x0, int x1) {
        std::vector<int> rows;
        for (int y = 0; y < c.surface().Height(); ++y) {
            bool full = true;
            for (int x = x0; x < x1 && full; ++x) {
                full = c.surface().GetPixel(x, y) == kBlack;
            }
            if (full) {
                rows.push_back(y);
            }
        }
        return rows;
    };
    TextCanvas plain, underlined(160, 80, kWhite, -20, "Tahoma", 1),
        struck(160, 80, kWhite, -20, "Tahoma", 0, 1);
    const int width = plain.dc.GetTextExtent("ace").cx;
    for (TextCanvas* c : {&plain, &underlined, &struck}) {
        c->dc.TextOut(10, 10, "ace", 3);
    }
    const int baseline = 10 + 19;
    EXPECT_TRUE(fullRows(plain, 10, 10 + width).empty());
    const std::vector<int> under = fullRows(underlined, 10, 10 + width);
    ASSERT_EQ(under.size(), 1u);
    EXPECT_EQ(under[0], baseline + 1);
    EXPECT_FALSE(RowHasInk(underlined.surface(), kWhite, under[0], 10 + width, 160));
    const std::vector<int> strike = fullRows(struck, 10, 10 + width);
    ASSERT_EQ(strike.size(), 1u);
    EXPECT_LT(strike[0], baseline - 3);
    EXPECT_GT(strike[0], baseline - 12);
}

TEST(Clipping, TextStaysInsideTheClipAndFollowsTheOrigin) {
    TextCanvas c;
    c.dc.IntersectClipRect(10, 10, 40, 22);
    c.dc.TextOut(0, 0, "Clipped text", 12);
    const RECT ink = c.Ink();
    EXPECT_GT(InkCount(c.surface(), kWhite), 0);
    EXPECT_GE(ink.left, 10);
    EXPECT_GE(ink.top, 10);
    EXPECT_LE(ink.right, 40);
    EXPECT_LE(ink.bottom, 22);

    TextCanvas moved, direct;
    moved.dc.SetViewportOrg(30, 20);
    moved.dc.TextOut(0, 0, "Origin", 6);
    direct.dc.TextOut(30, 20, "Origin", 6);
    EXPECT_TRUE(SameSurfaces(moved.surface(), direct.surface()));
}

TEST(Characters, WindowsLatinSymbolsHaveInkAndControlsHaveNone) {
    for (const char ch : {'\xB0', '\x95', '\xB1', '\xAB', '\xBB', '\x80', '\xE9'}) {
        SCOPED_TRACE(static_cast<int>(static_cast<unsigned char>(ch)));
        TextCanvas c(40, 40);
        EXPECT_GT(c.dc.GetTextExtent(&ch, 1).cx, 0);
        c.dc.TextOut(5, 5, &ch, 1);
        EXPECT_GT(InkCount(c.surface(), kWhite), 3);
    }
    TextCanvas c(40, 40);
    c.dc.TextOut(5, 5, "\x01\x09\x81", 3);
    EXPECT_EQ(InkCount(c.surface(), kWhite), 0);
}

TEST(Blending, CoverageMixesTextColourAndDestination) {
    TextCanvas c(160, 40, kBlue);
    c.dc.SetTextColor(kRed);
    c.dc.TextOut(5, 5, "Survey 12\xB0", 10);
    int mixed = 0;
    int offMix = 0;  // pixels that are no mixture of the two colours
    for (const COLORREF p : c.surface().Pixels()) {
        offMix += GetGValue(p) != 0 || std::abs(GetRValue(p) + GetBValue(p) - 255) > 1;
        mixed += GetRValue(p) > 0 && GetRValue(p) < 255;
    }
    EXPECT_EQ(offMix, 0);
    EXPECT_GT(mixed, 10);  // grayscale glyphs, not aliased ones
    EXPECT_GT(InkCount(c.surface(), kBlue), mixed);

    TextCanvas aliased(160, 40, kBlue, -20, "Tahoma", 0, 0, NONANTIALIASED_QUALITY);
    aliased.dc.SetTextColor(kRed);
    aliased.dc.TextOut(5, 5, "Survey 12\xB0", 10);
    int red = 0;
    int other = 0;
    for (const COLORREF p : aliased.surface().Pixels()) {
        red += p == kRed;
        other += p != kRed && p != kBlue;
    }
    EXPECT_GT(red, 50);
    EXPECT_EQ(other, 0);
}

TEST(Blending, IsExactIntegerMixingInsideTheClip) {
    // Red at coverage a over blue: red = round(255 a / 255) = a, blue = 255 - a.
    plat::Surface s(5, 2, kBlue);
    plat::Glyph glyph;
    glyph.left = -1;
    glyph.top = 1;
    glyph.width = 6;
    glyph.height = 1;
    glyph.coverage = {255, 0, 1, 64, 128, 255};
    const RECT clip{0, 0, 4, 2};  // the last column is outside
    plat::BlendGlyph(s, clip, glyph, 0, 1, kRed);
    EXPECT_EQ(s.GetPixel(0, 0), kBlue);
    EXPECT_EQ(s.GetPixel(1, 0), RGB(1, 0, 254));
    EXPECT_EQ(s.GetPixel(2, 0), RGB(64, 0, 191));
    EXPECT_EQ(s.GetPixel(3, 0), RGB(128, 0, 127));
    EXPECT_EQ(s.GetPixel(4, 0), kBlue);
    EXPECT_EQ(s.GetPixel(1, 1), kBlue);  // row 1 is below the glyph

    // A glyph hanging off every edge of the surface touches only what is inside.
    plat::Glyph big;
    big.left = -3;
    big.top = 4;
    big.width = 10;
    big.height = 8;
    big.coverage.assign(80, 255);
    plat::BlendGlyph(s, s.Bounds(), big, 0, 1, kYellow);
    EXPECT_EQ(InkCount(s, kYellow), 0);
}

TEST(BadInput, EmptyNullLongAndDeadContexts) {
    TextCanvas c(200, 40);
    EXPECT_TRUE(c.dc.TextOut(0, 0, "", 0));
    EXPECT_TRUE(c.dc.TextOut(0, 0, nullptr, 0));
    EXPECT_FALSE(c.dc.TextOut(0, 0, nullptr, 4));
    EXPECT_FALSE(c.dc.ExtTextOut(0, 0, 0, nullptr, nullptr, 4, nullptr));
    EXPECT_TRUE(c.dc.TextOut(0, 0, CString()));
    EXPECT_EQ(InkCount(c.surface(), kWhite), 0);

    const std::string longText(100000, 'W');
    EXPECT_EQ(c.dc.GetTextExtent(longText.c_str(), 100000).cx,
              100000 * c.dc.GetTextExtent("W", 1).cx);
    EXPECT_TRUE(c.dc.TextOut(0, 0, longText.c_str(), 100000));
    EXPECT_GT(c.Ink().right, 190);
    c.dc.SetTextAlign(TA_RIGHT);
    EXPECT_TRUE(c.dc.TextOut(200, 10, longText.c_str(), 100000));

    CDC dead;
    EXPECT_FALSE(dead.TextOut(0, 0, "x", 1));
    EXPECT_EQ(dead.GetTextExtent("x", 1), CSize(0, 0));
    RECT r{0, 0, 10, 10};
    EXPECT_EQ(dead.DrawText("x", 1, &r, 0), 0);
}

}  // namespace
