// Fonts: which face a LOGFONT gets, its size by the LOGFONT height rules, point fonts at
// the device's resolution, text metrics, extents, and the caches behind them.
//
// The expected numbers come from DejaVu Sans (fonts-dejavu-core): 2048 units per em,
// usWinAscent 1901, usWinDescent 483, xAvgCharWidth 1038.

#include <climits>
#include <cstring>
#include <string>

#include "TextTestSupport.h"
#include "platform/gdi/FontEngine.h"

using namespace text_test;

namespace {

std::string FileOf(const char* face, int weight, BYTE italic = 0) {
    LOGFONTA lf{};
    lf.lfHeight = -12;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    const std::string file = plat::RealiseFont(lf)->File();
    return file.substr(file.find_last_of('/') + 1);
}

std::string FaceOf(CDC& dc) {
    CString face;
    dc.GetTextFace(face);
    return face.GetString();
}

struct HeightCase {
    LONG height;
    LONG ppem, ascent, descent;
};

TEST(FontSize, HeightRulesGiveEmOrCellHeight) {
    // Negative: the em is |h|. Positive: the cell (ascent + descent) is h, ppem =
    // 2048 * h / 2384 rounded. Zero: a cell of 16.
    const HeightCase cases[] = {
        {-20, 20, 19, 5}, {-11, 11, 10, 3}, {-66, 66, 61, 16}, {36, 31, 29, 7},
        {16, 14, 13, 3},  {0, 14, 13, 3},   {13, 11, 10, 3},   {12, 10, 9, 2},
    };
    Canvas c(4, 4);
    for (const HeightCase& k : cases) {
        SCOPED_TRACE(k.height);
        CFont font;
        MakeFont(font, k.height, "Tahoma");
        c.dc.SelectObject(&font);
        const TEXTMETRIC tm = MetricsOf(c.dc);
        EXPECT_EQ(tm.tmAscent, k.ascent);
        EXPECT_EQ(tm.tmDescent, k.descent);
        EXPECT_EQ(tm.tmHeight, k.ascent + k.descent);
        EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, k.ppem);
        EXPECT_EQ(tm.tmExternalLeading, 0);
        c.dc.SelectStockObject(SYSTEM_FONT);
    }
}

TEST(FontSize, AverageWidthAndWidthScaling) {
    Canvas c(4, 4);
    CFont natural;
    MakeFont(natural, -20, "Verdana");
    c.dc.SelectObject(&natural);
    const TEXTMETRIC tm = MetricsOf(c.dc);
    EXPECT_EQ(tm.tmAveCharWidth, 10);  // 1038 * 20 / 2048
    EXPECT_GT(tm.tmMaxCharWidth, tm.tmAveCharWidth);
    const CSize naturalExtent = c.dc.GetTextExtent("Width");

    // A width asks for that average character width, the height staying.
    CFont wide;
    MakeFont(wide, -20, "Verdana", FW_NORMAL, 0, 0, 0, 20);
    c.dc.SelectObject(&wide);
    const TEXTMETRIC wideTm = MetricsOf(c.dc);
    EXPECT_EQ(wideTm.tmAveCharWidth, 20);
    EXPECT_EQ(wideTm.tmHeight, tm.tmHeight);
    EXPECT_GT(c.dc.GetTextExtent("Width").cx, naturalExtent.cx * 3 / 2);
    c.dc.SelectStockObject(SYSTEM_FONT);
}

TEST(FontSize, NonsenseHeightsAreBoundedNotFatal) {
    Canvas c(64, 64);
    for (const LONG height : {INT_MIN, INT_MIN + 1, INT_MAX, 100000, -100000}) {
        SCOPED_TRACE(height);
        CFont font;
        MakeFont(font, height, "Verdana", FW_NORMAL, 0, 0, 0, height);
        c.dc.SelectObject(&font);
        const TEXTMETRIC tm = MetricsOf(c.dc);
        EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, plat::kMaxPpem);
        EXPECT_TRUE(c.dc.TextOut(-500, -500, "W", 1));
        c.dc.SelectStockObject(SYSTEM_FONT);
    }
}

TEST(PointFonts, TruncateAtTheDeviceResolution) {
    // 96 dpi: 80 -> -10 (10.67), 90 -> -12, 100 -> -13 (13.3), 120 -> -16.
    const std::pair<int, LONG> screen[] = {{80, -10}, {90, -12}, {100, -13}, {120, -16}};
    for (const auto& [tenths, height] : screen) {
        CFont font;
        ASSERT_TRUE(font.CreatePointFont(tenths, "Verdana"));
        LOGFONTA lf{};
        ASSERT_TRUE(font.GetLogFont(&lf));
        EXPECT_EQ(lf.lfHeight, height) << tenths;
        EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
        EXPECT_EQ(lf.lfWeight, FW_DONTCARE);
        EXPECT_STREQ(lf.lfFaceName, "Verdana");
    }

    // A 600 dpi page: 8 points are 66 pixels (66.67 truncated), drawn that large.
    Canvas page(400, 120);
    page.dc.SetDeviceInfo(plat::DeviceInfo{4960, 7016, 600, 600, DT_RASPRINTER});
    CFont printFont;
    ASSERT_TRUE(printFont.CreatePointFont(80, "Verdana", &page.dc));
    LOGFONTA lf{};
    printFont.GetLogFont(&lf);
    EXPECT_EQ(lf.lfHeight, -66);
    page.dc.SelectObject(&printFont);
    const TEXTMETRIC tm = MetricsOf(page.dc);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 66);
    EXPECT_EQ(tm.tmDigitizedAspectY, 600);
    page.dc.TextOut(0, 0, "H", 1);
    const RECT ink = InkBox(page.surface(), page.background);
    EXPECT_GE(ink.bottom - ink.top, 45);  // a capital is about 0.73 em
    page.dc.SelectStockObject(SYSTEM_FONT);
}

TEST(PointFonts, IndirectKeepsTheOtherFields) {
    LOGFONTA asked{};
    asked.lfHeight = 80;
    asked.lfWeight = FW_HEAVY;
    asked.lfCharSet = ANSI_CHARSET;
    asked.lfOutPrecision = OUT_TT_PRECIS;
    asked.lfQuality = PROOF_QUALITY;
    std::strcpy(asked.lfFaceName, "Verdana");
    CFont font;
    ASSERT_TRUE(font.CreatePointFontIndirect(&asked));
    LOGFONTA got{};
    font.GetLogFont(&got);
    EXPECT_EQ(got.lfHeight, -10);
    EXPECT_EQ(got.lfWeight, FW_HEAVY);
    EXPECT_EQ(got.lfQuality, PROOF_QUALITY);
    EXPECT_FALSE(font.CreatePointFont(90, "Verdana"));  // already holds a font
    EXPECT_TRUE(font.DeleteObject());
    EXPECT_TRUE(font.CreatePointFont(90, nullptr));
    EXPECT_FALSE(CFont().CreatePointFontIndirect(nullptr));
}

TEST(FaceChoice, FrameworkFacesAreDejaVuSansInTwoWeights) {
    for (const char* face : {"Tahoma", "Verdana", "MS Shell Dlg", "MS Sans Serif", "Arial",
                             "Segoe UI", "", "tahoma"}) {
        SCOPED_TRACE(face);
        EXPECT_EQ(FileOf(face, FW_NORMAL), "DejaVuSans.ttf");
        EXPECT_EQ(FileOf(face, FW_DONTCARE), "DejaVuSans.ttf");
        EXPECT_EQ(FileOf(face, FW_BOLD), "DejaVuSans-Bold.ttf");
        EXPECT_EQ(FileOf(face, FW_HEAVY), "DejaVuSans-Bold.ttf");
    }
    EXPECT_EQ(FileOf("Courier New", FW_NORMAL), "DejaVuSansMono.ttf");
    EXPECT_EQ(FileOf("Times New Roman", FW_BOLD), "DejaVuSerif-Bold.ttf");
}

TEST(FaceChoice, AMissingFaceFallsBackAndDraws) {
    Canvas c(200, 40);
    CFont font;
    MakeFont(font, -16, "No Such Face h9 \xB0");
    c.dc.SelectObject(&font);
    EXPECT_FALSE(FaceOf(c.dc).empty());
    const TEXTMETRIC tm = MetricsOf(c.dc);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 16);
    EXPECT_TRUE(c.dc.TextOut(2, 2, "Fallback"));
    EXPECT_GT(InkCount(c.surface(), c.background), 50);
    c.dc.SelectStockObject(SYSTEM_FONT);
}

TEST(FaceChoice, WeightAndItalicShowInMetricsAndInk) {
    Canvas c(300, 60);
    CFont regular, bold, heavy, italic;
    MakeFont(regular, -20, "Verdana");
    MakeFont(bold, -20, "Verdana", FW_BOLD);
    MakeFont(heavy, -20, "Verdana", FW_HEAVY);
    MakeFont(italic, -20, "Verdana", FW_NORMAL, 1);
    c.dc.SelectObject(&regular);
    const CSize regularExtent = c.dc.GetTextExtent("Survey line 12");
    EXPECT_EQ(MetricsOf(c.dc).tmWeight, FW_NORMAL);
    EXPECT_EQ(MetricsOf(c.dc).tmItalic, 0);
    c.dc.SelectObject(&bold);
    EXPECT_GT(c.dc.GetTextExtent("Survey line 12").cx, regularExtent.cx);
    EXPECT_EQ(MetricsOf(c.dc).tmWeight, FW_BOLD);
    c.dc.SelectObject(&heavy);
    EXPECT_EQ(MetricsOf(c.dc).tmWeight, FW_BOLD);  // no heavier face: the bold one

    // An italic 'l' leans: its top rows lie right of its bottom rows.
    c.dc.SelectObject(&italic);
    EXPECT_NE(MetricsOf(c.dc).tmItalic, 0);
    c.dc.TextOut(10, 10, "l", 1);
    const RECT ink = InkBox(c.surface(), c.background);
    const RECT topRow{ink.left, ink.top, ink.right, ink.top + 1};
    const RECT bottomRow{ink.left, ink.bottom - 1, ink.right, ink.bottom};
    EXPECT_GT(InkBox(c.surface(), c.background, &topRow).left,
              InkBox(c.surface(), c.background, &bottomRow).left);
    c.dc.SelectStockObject(SYSTEM_FONT);
}

TEST(StockFonts, RealiseToDejaVuSansAtSensibleSizes) {
    Canvas c(4, 4);
    c.dc.SelectStockObject(DEFAULT_GUI_FONT);
    TEXTMETRIC tm = MetricsOf(c.dc);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 11);
    EXPECT_EQ(FaceOf(c.dc), "DejaVu Sans");

    c.dc.SelectStockObject(SYSTEM_FONT);
    tm = MetricsOf(c.dc);
    EXPECT_EQ(tm.tmHeight, 16);
    EXPECT_EQ(tm.tmWeight, FW_BOLD);

    // ANSI_VAR_FONT records a width of 9 for its old raster face; the outline face is not
    // stretched to it.
    c.dc.SelectStockObject(ANSI_VAR_FONT);
    tm = MetricsOf(c.dc);
    EXPECT_EQ(tm.tmHeight, 11);
    EXPECT_EQ(tm.tmAveCharWidth, 5);
    LOGFONTA lf{};
    ASSERT_TRUE(c.dc.GetCurrentFont()->GetLogFont(&lf));
    EXPECT_EQ(lf.lfWidth, 9);
    c.dc.SelectStockObject(SYSTEM_FONT);
}

TEST(Metrics, DescribeTheFontAndItsDecorations) {
    Canvas c(4, 4);
    CFont font;
    MakeFont(font, -16, "Tahoma", FW_NORMAL, 0, 1, 1);
    c.dc.SelectObject(&font);
    TEXTMETRIC tm = MetricsOf(c.dc);
    EXPECT_NE(tm.tmUnderlined, 0);
    EXPECT_NE(tm.tmStruckOut, 0);
    EXPECT_EQ(tm.tmCharSet, ANSI_CHARSET);
    EXPECT_EQ(tm.tmPitchAndFamily & 0xF0, FF_SWISS);
    // Set for a variable-pitch TrueType face.
    EXPECT_EQ(tm.tmPitchAndFamily & 0x0F, TMPF_FIXED_PITCH | TMPF_VECTOR | TMPF_TRUETYPE);
    EXPECT_EQ(tm.tmDigitizedAspectX, 96);
    EXPECT_FALSE(c.dc.GetTextMetrics(nullptr));
    EXPECT_TRUE(GetTextMetricsA(c.dc, &tm));
    c.dc.SelectStockObject(SYSTEM_FONT);

    CDC notCreated;
    EXPECT_FALSE(notCreated.GetTextMetrics(&tm));
}

TEST(Extents, GrowWithTheTextAndAddUpWithoutKerning) {
    Canvas c(4, 4);
    CFont font;
    MakeFont(font, -13, "Tahoma");
    c.dc.SelectObject(&font);
    const TEXTMETRIC tm = MetricsOf(c.dc);
    const CSize av = c.dc.GetTextExtent("AV");
    EXPECT_EQ(av.cx, c.dc.GetTextExtent("A").cx + c.dc.GetTextExtent("V").cx);
    EXPECT_EQ(av.cy, tm.tmHeight);
    EXPECT_LT(c.dc.GetTextExtent("Depth").cx, c.dc.GetTextExtent("Depth 12.5 m").cx);
    EXPECT_EQ(c.dc.GetTextExtent(CString("Depth")), c.dc.GetTextExtent("Depth", -1));
    EXPECT_EQ(c.dc.GetOutputTextExtent("Depth", 5), c.dc.GetTextExtent("Depth", 5));
    // Only the counted bytes are measured.
    EXPECT_EQ(c.dc.GetTextExtent("Depth", 2), c.dc.GetTextExtent("De", 2));
    EXPECT_EQ(c.dc.GetTextExtent("", 0), CSize(0, tm.tmHeight));
    EXPECT_EQ(c.dc.GetTextExtent(nullptr, 3), CSize(0, 0));
    // Control characters take no room.
    EXPECT_EQ(c.dc.GetTextExtent("a\x01\x7F"
                                 "b")
                  .cx,
              c.dc.GetTextExtent("ab").cx);

    SIZE size{};
    EXPECT_TRUE(GetTextExtentPoint32(c.dc, "Depth", 5, &size));
    EXPECT_EQ(CSize(size), c.dc.GetTextExtent("Depth", 5));
    EXPECT_FALSE(GetTextExtentPoint32A(c.dc, "Depth", -1, &size));
    EXPECT_FALSE(GetTextExtentPoint32A(c.dc, "Depth", 5, nullptr));
    c.dc.SelectStockObject(SYSTEM_FONT);
}

TEST(Extents, TabbedExtentUsesTheStops) {
    Canvas c(4, 4);
    CFont font;
    MakeFont(font, -13, "Tahoma");
    c.dc.SelectObject(&font);
    const int every = 8 * MetricsOf(c.dc).tmAveCharWidth;
    const CSize tabbed = c.dc.GetTabbedTextExtent("a\tb", 3, 0, nullptr);
    EXPECT_EQ(tabbed.cx, every + c.dc.GetTextExtent("b").cx);
    const int stop = 100;
    EXPECT_EQ(c.dc.GetTabbedTextExtent("a\tb", 3, 1, &stop).cx, 100 + c.dc.GetTextExtent("b").cx);
    c.dc.SelectStockObject(SYSTEM_FONT);
}

TEST(Caches, GlyphsAreRenderedOnceAndFacesShared) {
    Canvas c(300, 40);
    CFont first, same;
    MakeFont(first, -17, "Segoe UI");
    MakeFont(same, -17, "Segoe UI");
    c.dc.SelectObject(&first);
    c.dc.TextOut(0, 0, "Cached glyphs \xB0");
    const plat::FontEngineCounters before = plat::GetFontEngineCounters();
    c.dc.TextOut(0, 20, "Cached glyphs \xB0");
    c.dc.SelectObject(&same);
    c.dc.TextOut(0, 20, "glyphs Cached");
    const plat::FontEngineCounters after = plat::GetFontEngineCounters();
    EXPECT_EQ(after.glyphsRendered, before.glyphsRendered);
    EXPECT_EQ(after.facesOpened, before.facesOpened);
    EXPECT_EQ(after.faceChoices, before.faceChoices);

    // A new size opens a face, the same name does not ask fontconfig again.
    CFont bigger;
    MakeFont(bigger, -18, "Segoe UI");
    c.dc.SelectObject(&bigger);
    c.dc.TextOut(0, 0, "C", 1);
    const plat::FontEngineCounters third = plat::GetFontEngineCounters();
    EXPECT_EQ(third.facesOpened, after.facesOpened + 1);
    EXPECT_EQ(third.glyphsRendered, after.glyphsRendered + 1);
    c.dc.SelectStockObject(SYSTEM_FONT);
}

TEST(Caches, LargeFontsDrawTheSameAsCachedOnes) {
    // Above the cached size glyphs are rendered per use; the pixels must not change.
    Canvas a(700, 400), b(700, 400);
    CFont font;
    MakeFont(font, -(plat::kMaxCachedPpem + 40), "Verdana");
    for (Canvas* c : {&a, &b}) {
        c->dc.SelectObject(&font);
        c->dc.TextOut(0, 0, "Ag", 2);
        c->dc.SelectStockObject(SYSTEM_FONT);
    }
    EXPECT_GT(InkCount(a.surface(), a.background), 1000);
    EXPECT_TRUE(SameSurfaces(a.surface(), b.surface()));
}

}  // namespace
