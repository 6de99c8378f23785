// Fonts: size by the LOGFONT height rules, point fonts at the device's resolution, face
// fallback and extents. The numbers are DejaVu Sans's: 2048 units per em, usWinAscent
// 1901, usWinDescent 483.

#include <climits>

#include "TextTestSupport.h"
#include "platform/gdi/FontEngine.h"

using namespace text_test;

namespace {

TEST(FontSize, HeightRulesGiveEmOrCellHeight) {
    // Negative: the em is |h|. Positive: the cell (ascent + descent) is h, ppem =
    // 2048 * h / 2384 rounded. Zero: a cell of 16.
    const struct {
        LONG height;
        LONG ppem, ascent, descent;
    } cases[] = {
        {-20, 20, 19, 5}, {-11, 11, 10, 3}, {-66, 66, 61, 16}, {36, 31, 29, 7},
        {16, 14, 13, 3},  {0, 14, 13, 3},   {13, 11, 10, 3},   {12, 10, 9, 2},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.height);
        Canvas c(4, 4, k.height);
        const TEXTMETRIC tm = c.Metrics();
        EXPECT_EQ(tm.tmAscent, k.ascent);
        EXPECT_EQ(tm.tmDescent, k.descent);
        EXPECT_EQ(tm.tmHeight, k.ascent + k.descent);
        EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, k.ppem);
    }
}

TEST(FontSize, NonsenseHeightsAreBoundedNotFatal) {
    for (const LONG height : {INT_MIN, INT_MIN + 1, INT_MAX, 100000, -100000}) {
        SCOPED_TRACE(height);
        CFont font;
        ASSERT_TRUE(font.CreateFont(height, height, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET,
                                    OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                    VARIABLE_PITCH | FF_SWISS, "Verdana"));
        Canvas c(64, 64);
        c.dc.SelectObject(&font);
        const TEXTMETRIC tm = c.Metrics();
        EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, plat::kMaxPpem);
        EXPECT_TRUE(c.dc.TextOut(-500, -500, "W", 1));
    }
}

TEST(PointFonts, TruncateAtTheDeviceResolution) {
    // 96 dpi: 80 -> -10 (10.67), 90 -> -12, 100 -> -13 (13.3), 120 -> -16.
    for (const auto& [tenths, height] :
         {std::pair{80, -10}, std::pair{90, -12}, std::pair{100, -13}, std::pair{120, -16}}) {
        CFont font;
        ASSERT_TRUE(font.CreatePointFont(tenths, "Verdana"));
        LOGFONTA lf{};
        ASSERT_TRUE(font.GetLogFont(&lf));
        EXPECT_EQ(lf.lfHeight, height) << tenths;
    }

    // A 600 dpi page: 8 points are 66 pixels (66.67 truncated), drawn that large.
    CFont printFont;
    Canvas page(400, 120);
    page.dc.SetDeviceInfo(plat::DeviceInfo{4960, 7016, 600, 600, DT_RASPRINTER});
    ASSERT_TRUE(printFont.CreatePointFont(80, "Verdana", &page.dc));
    LOGFONTA lf{};
    printFont.GetLogFont(&lf);
    EXPECT_EQ(lf.lfHeight, -66);
    page.dc.SelectObject(&printFont);
    const TEXTMETRIC tm = page.Metrics();
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 66);
    page.dc.TextOut(0, 0, "H", 1);
    const RECT ink = page.Ink();
    EXPECT_GE(ink.bottom - ink.top, 45);  // a capital is about 0.73 em
}

TEST(FaceChoice, AMissingFaceFallsBackAndDraws) {
    Canvas c(200, 40, -16, "No Such Face h9 \xB0");
    CString face;
    c.dc.GetTextFace(face);
    EXPECT_FALSE(face.IsEmpty());
    const TEXTMETRIC tm = c.Metrics();
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 16);
    EXPECT_TRUE(c.dc.TextOut(2, 2, "Fallback"));
    EXPECT_GT(c.InkCount(), 50);
}

TEST(Extents, GrowWithTheTextAndBoldIsWider) {
    Canvas c(4, 4, -13), bold(4, 4, -13, "Tahoma", FW_BOLD);
    const TEXTMETRIC tm = c.Metrics();
    const CSize av = c.dc.GetTextExtent("AV");
    EXPECT_EQ(av.cx, c.Width("A") + c.Width("V"));  // no kerning
    EXPECT_EQ(av.cy, tm.tmHeight);
    EXPECT_LT(c.Width("Depth"), c.Width("Depth 12.5 m"));
    EXPECT_GT(bold.Width("Survey line 12"), c.Width("Survey line 12"));
    EXPECT_EQ(bold.Metrics().tmWeight, FW_BOLD);
    // Only the counted bytes are measured; control characters take no room.
    EXPECT_EQ(c.dc.GetTextExtent("Depth", 2), c.dc.GetTextExtent("De", 2));
    EXPECT_EQ(c.Width("a\x01\x7F"
                      "b"),
              c.Width("ab"));
    EXPECT_EQ(c.dc.GetTextExtent("", 0), CSize(0, tm.tmHeight));
    EXPECT_EQ(c.dc.GetTextExtent(nullptr, 3), CSize(0, 0));
    SIZE size{};
    EXPECT_FALSE(GetTextExtentPoint32A(c.dc, "Depth", -1, &size));
    EXPECT_FALSE(GetTextExtentPoint32A(c.dc, "Depth", 5, nullptr));
}

}  // namespace
