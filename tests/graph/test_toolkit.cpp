// The toolkit's objects and tables as construction makes them, CMyFont, and drawing into
// another context.

#include <cmath>
#include <cstring>
#include <numbers>

#include "GraphTestSupport.h"
#include "graph/CMyFont.h"

using namespace graph_test;

namespace {

// Opens the toolkit's own objects to the tests, as a derived graph sees them.
class OpenDC : public CMyDC {
public:
    using CMyDC::m_BlackBrush;
    using CMyDC::m_BlackPen;
    using CMyDC::m_dScale;
    using CMyDC::m_GreyPen;
    using CMyDC::m_HollowBrush;
    using CMyDC::m_LargeFont;
    using CMyDC::m_nSpare;
    using CMyDC::m_PaleYellowBrush;
    using CMyDC::m_RedBrush;
    using CMyDC::m_RedPen;
    using CMyDC::m_SmallFont;
    using CMyDC::m_WhiteBrush;
    using CMyDC::m_WhitePen;
    using CMyDC::m_YellowBrush;
};

LOGFONTA LogFontOf(const CFont& font) {
    LOGFONTA logFont{};
    EXPECT_TRUE(font.GetLogFont(&logFont));
    return logFont;
}

void ExpectLabelFont(const CFont& font, LONG height, const char* face) {
    const LOGFONTA f = LogFontOf(font);
    EXPECT_EQ(f.lfHeight, height);
    EXPECT_EQ(f.lfWidth, 0);
    EXPECT_EQ(f.lfWeight, FW_BOLD);
    EXPECT_EQ(f.lfItalic, 0);
    EXPECT_EQ(f.lfCharSet, ANSI_CHARSET);
    EXPECT_EQ(f.lfOutPrecision, OUT_TT_PRECIS);
    EXPECT_EQ(f.lfClipPrecision, CLIP_STROKE_PRECIS);
    EXPECT_EQ(f.lfQuality, DRAFT_QUALITY);
    EXPECT_EQ(f.lfPitchAndFamily, FF_SWISS);
    EXPECT_STREQ(f.lfFaceName, face);
}

void ExpectSolidBrush(const CBrush& brush, COLORREF colour) {
    LOGBRUSH b{};
    ASSERT_TRUE(brush.GetLogBrush(&b));
    EXPECT_EQ(b.lbStyle, BS_SOLID);
    EXPECT_EQ(b.lbColor, colour);
}

void ExpectSolidPen(const CPen& pen, int width, COLORREF colour) {
    LOGPEN p{};
    ASSERT_TRUE(pen.GetLogPen(&p));
    EXPECT_EQ(p.lopnStyle, static_cast<UINT>(PS_SOLID));
    EXPECT_EQ(p.lopnWidth.x, width);
    EXPECT_EQ(p.lopnColor, colour);
}

}  // namespace

TEST(Toolkit, ConstructionMakesTheFontsBrushesAndPens) {
    const OpenDC dc;
    ExpectLabelFont(dc.m_LargeFont, 36, "Tahoma");
    ExpectLabelFont(dc.m_SmallFont, 16, "Verdana");

    EXPECT_EQ(dc.m_HollowBrush.GetSafeHandle(), GetStockObject(HOLLOW_BRUSH));
    ExpectSolidBrush(dc.m_BlackBrush, RGB(0, 0, 0));
    ExpectSolidBrush(dc.m_WhiteBrush, RGB(255, 255, 255));
    ExpectSolidBrush(dc.m_RedBrush, RGB(255, 0, 0));
    ExpectSolidBrush(dc.m_YellowBrush, RGB(255, 255, 0));
    ExpectSolidBrush(dc.m_PaleYellowBrush, RGB(255, 255, 231));

    ExpectSolidPen(dc.m_BlackPen, 1, RGB(0, 0, 0));
    ExpectSolidPen(dc.m_WhitePen, 1, RGB(255, 255, 255));
    ExpectSolidPen(dc.m_RedPen, 1, RGB(255, 0, 0));
    ExpectSolidPen(dc.m_GreyPen, 2, RGB(85, 85, 85));

    EXPECT_FALSE(dc.IsMonochrome());
    EXPECT_EQ(dc.GetBackgroundColour(), RGB(0, 0, 0));
    EXPECT_EQ(dc.m_nSpare, 0);
    EXPECT_EQ(dc.m_dScale, 0.0);
}

// The tables use the degree factor cut after 15 decimals, not the exact pi / 180: it
// shows at the ends, where sin 360 and cos 90 are not the values of full precision.
TEST(Toolkit, SineAndCosineTablesUseTheCutDegreeFactor) {
    const CMyDC dc;
    const auto& sine = dc.SineTable();
    const auto& cosine = dc.CosineTable();
    ASSERT_EQ(sine.size(), 361u);
    ASSERT_EQ(cosine.size(), 361u);
    EXPECT_EQ(CMyDC::kDegree, 0.017453292519943);

    EXPECT_EQ(sine[0], 0.0);
    EXPECT_EQ(cosine[0], 1.0);
    EXPECT_EQ(sine[360], std::sin(360 * 0.017453292519943));
    EXPECT_EQ(cosine[360], std::cos(360 * 0.017453292519943));
    EXPECT_EQ(cosine[90], std::cos(90 * 0.017453292519943));
    EXPECT_NE(sine[360], std::sin(2 * std::numbers::pi));
    EXPECT_NE(cosine[90], std::cos(std::numbers::pi / 2));
    EXPECT_LT(sine[360], -1e-14);  // the cut factor falls short of a full turn
    EXPECT_GT(cosine[90], 1e-14);

    EXPECT_EQ(sine[30], std::sin(30 * 0.017453292519943));
    EXPECT_EQ(cosine[217], std::cos(217 * 0.017453292519943));
}

TEST(MyFont, ConstructionMakesAnEightPointHeavyVerdanaAtScreenResolution) {
    const CMyFont font;
    const LOGFONTA f = LogFontOf(font);
    const LONG expected = -(plat::ScreenDeviceInfo().logPixelsY * 80 / 720);
    EXPECT_EQ(f.lfHeight, expected);
    EXPECT_EQ(f.lfWidth, 0);
    EXPECT_EQ(f.lfWeight, FW_HEAVY);
    EXPECT_EQ(f.lfCharSet, ANSI_CHARSET);
    EXPECT_EQ(f.lfOutPrecision, OUT_TT_PRECIS);
    EXPECT_EQ(f.lfQuality, PROOF_QUALITY);
    EXPECT_STREQ(f.lfFaceName, "Verdana");
}

TEST(MyFont, ZeroWidthSizeIsPointsAtTheContextsResolutionTruncated) {
    Canvas c;
    CMyFont font;
    plat::DeviceInfo printer = plat::ScreenDeviceInfo();
    printer.logPixelsY = 300;
    c.dc.SetDeviceInfo(printer);

    font.SetSize(&c.dc, 100, 0);  // 300 x 100 / 720 = 41.67
    EXPECT_EQ(LogFontOf(font).lfHeight, -41);
    EXPECT_EQ(c.dc.GetCurrentFont()->GetSafeHandle(), font.GetSafeHandle());

    printer.logPixelsY = 96;
    c.dc.SetDeviceInfo(printer);
    font.SetSize(&c.dc, 90, 0);  // 96 x 90 / 720 = 12
    const LOGFONTA f = LogFontOf(font);
    EXPECT_EQ(f.lfHeight, -12);
    EXPECT_EQ(f.lfWeight, FW_HEAVY);
    EXPECT_STREQ(f.lfFaceName, "Verdana");
}

// A font re-created with a new logical size is selected, so text drawn next uses it.
TEST(MyFont, LogicalSizeIsSelectedWhetherNewOrUnchanged) {
    Canvas c;
    CMyFont font;
    c.dc.SelectObject(&font);

    font.SetSize(&c.dc, 20, 8);
    LOGFONTA selected{};
    c.dc.GetCurrentFont()->GetLogFont(&selected);
    EXPECT_EQ(selected.lfHeight, 20);
    EXPECT_EQ(selected.lfWidth, 8);
    EXPECT_EQ(selected.lfWeight, FW_HEAVY);
    EXPECT_EQ(c.dc.GetCurrentFont()->GetSafeHandle(), font.GetSafeHandle());

    c.dc.SelectStockObject(SYSTEM_FONT);
    font.SetSize(&c.dc, 20, 8);
    EXPECT_EQ(c.dc.GetCurrentFont()->GetSafeHandle(), font.GetSafeHandle());
}

TEST(MyFont, WithoutAContextTheScreenResolutionApplies) {
    CMyFont font;
    font.SetSize(nullptr, 120, 0);
    EXPECT_EQ(LogFontOf(font).lfHeight, -(plat::ScreenDeviceInfo().logPixelsY * 120 / 720));
}

// The symbol rows draw with a toolkit attached to the grid's context: the symbol lands on
// that context's surface, through its origins and inside its clip.
TEST(Toolkit, AttachedToolkitDrawsThroughTheOtherContext) {
    Canvas grid(32);
    grid.dc.SetViewportOrg(4, 2);
    grid.dc.IntersectClipRect(0, 0, 20, 40);  // logical; cuts x >= 24 on the surface
    CMyDC toolkit;
    toolkit.SetBackgroundColour(kWhite);
    toolkit.Attach(&grid.dc);
    toolkit.DrawSymbol(VS_SQUARE_HOLLOW, kRed, kRed, 16, 14, 10);
    toolkit.Detach();

    EXPECT_EQ(grid.At(4 + 6, 2 + 2), kRed);      // top left corner
    EXPECT_EQ(grid.At(4 + 6, 2 + 18), kRed);     // bottom left corner
    EXPECT_EQ(grid.At(4 + 19, 2 + 2), kRed);     // last column inside the clip
    EXPECT_EQ(grid.At(4 + 22, 2 + 10), kWhite);  // the right side is clipped away
    EXPECT_EQ(grid.InkBox().right, 23);
    EXPECT_EQ(toolkit.GetSurface(), nullptr);  // its own context was never made
}

TEST(Toolkit, AttachedToolkitRestoresTheOtherContextsSelections) {
    Canvas grid(32);
    CMyPen pen(PS_DOT, 1, kGreen);
    CMyBrush brush(kGreen);
    grid.dc.SelectObject(&pen);
    grid.dc.SelectObject(&brush);
    grid.dc.SetBkMode(OPAQUE);
    CMyDC toolkit;
    toolkit.Attach(&grid.dc);
    for (int symbol = 0; symbol < VECTOR_SYMBOL_COUNT; ++symbol) {
        toolkit.DrawSymbol(symbol, kRed, kBlue, 16, 16, 16);
    }
    EXPECT_EQ(grid.dc.GetCurrentPen(), &pen);
    EXPECT_EQ(grid.dc.GetCurrentBrush(), &brush);
    EXPECT_EQ(grid.dc.GetBkMode(), OPAQUE);
}
