// The device context: selections, saved states, origins, clipping, block transfers,
// device capabilities and bad input.

#include <climits>

#include "PixelTestSupport.h"
#include "platform/gdi/SavedDC.h"

using namespace gdi_test;

TEST(Selection, AnswersThePreviousObject) {
    Canvas c(2, 2);
    CPen pen(PS_SOLID, 1, kRed);
    CPen* stock = c.dc.SelectObject(&pen);
    ASSERT_NE(stock, nullptr);
    EXPECT_EQ(stock->m_hObject, GetStockObject(BLACK_PEN));
    EXPECT_EQ(c.dc.GetCurrentPen(), &pen);
    EXPECT_EQ(c.dc.SelectObject(stock), &pen);

    CGdiObject* white = c.dc.SelectStockObject(NULL_BRUSH);
    ASSERT_NE(white, nullptr);
    EXPECT_EQ(white->m_hObject, GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(c.dc.SelectStockObject(9), nullptr);
    EXPECT_EQ(c.dc.GetCurrentBrush()->m_hObject, GetStockObject(NULL_BRUSH));

    CPen empty;
    EXPECT_EQ(c.dc.SelectObject(&empty), nullptr);
    EXPECT_EQ(c.dc.SelectObject(static_cast<CPen*>(nullptr)), nullptr);
    EXPECT_EQ(c.dc.GetCurrentPen()->m_hObject, GetStockObject(BLACK_PEN));
}

TEST(Selection, ScopeGuardReselectsThePrevious) {
    Canvas c(4, 1);
    CPen red(PS_SOLID, 1, kRed);
    {
        plat::SelectedObject use(c.dc, &red);
        EXPECT_TRUE(use);
        EXPECT_EQ(c.dc.GetCurrentPen(), &red);
    }
    EXPECT_EQ(c.dc.GetCurrentPen()->m_hObject, GetStockObject(BLACK_PEN));
    CPen none;
    plat::SelectedObject refused(c.dc, &none);
    EXPECT_FALSE(refused);
}

TEST(SavedStates, RestoreBringsBackEverything) {
    Canvas c(8, 8);
    CPen red(PS_SOLID, 1, kRed);
    CBrush blue(kBlue);
    const int level = c.dc.SaveDC();
    EXPECT_EQ(level, 1);
    c.dc.SelectObject(&red);
    c.dc.SelectObject(&blue);
    c.dc.SetBkColor(kGreen);
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.SetTextColor(kYellow);
    c.dc.SetTextAlign(TA_BASELINE | TA_CENTER);
    c.dc.SetPolyFillMode(WINDING);
    c.dc.MoveTo(5, 6);
    c.dc.SetViewportOrg(1, 1);
    c.dc.SetBrushOrg(3, 3);
    c.dc.IntersectClipRect(0, 0, 2, 2);
    EXPECT_TRUE(c.dc.RestoreDC(level));

    EXPECT_EQ(c.dc.GetCurrentPen()->m_hObject, GetStockObject(BLACK_PEN));
    EXPECT_EQ(c.dc.GetCurrentBrush()->m_hObject, GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(c.dc.GetBkColor(), kWhite);
    EXPECT_EQ(c.dc.GetBkMode(), OPAQUE);
    EXPECT_EQ(c.dc.GetTextColor(), kBlack);
    EXPECT_EQ(c.dc.GetTextAlign(), TA_TOP | TA_LEFT);
    EXPECT_EQ(c.dc.GetPolyFillMode(), ALTERNATE);
    EXPECT_EQ(c.dc.GetCurrentPosition(), CPoint(0, 0));
    EXPECT_EQ(c.dc.GetViewportOrg(), CPoint(0, 0));
    EXPECT_EQ(c.dc.GetBrushOrg(), CPoint(0, 0));
    CRect clip;
    EXPECT_EQ(c.dc.GetClipBox(&clip), SIMPLEREGION);
    EXPECT_EQ(clip, CRect(0, 0, 8, 8));
}

TEST(SavedStates, LevelsAndRelativeRestores) {
    Canvas c(2, 2);
    c.dc.SetBkColor(RGB(1, 1, 1));
    EXPECT_EQ(c.dc.SaveDC(), 1);
    c.dc.SetBkColor(RGB(2, 2, 2));
    EXPECT_EQ(c.dc.SaveDC(), 2);
    c.dc.SetBkColor(RGB(3, 3, 3));
    EXPECT_EQ(c.dc.SaveDC(), 3);
    c.dc.SetBkColor(RGB(4, 4, 4));

    EXPECT_FALSE(c.dc.RestoreDC(0));
    EXPECT_FALSE(c.dc.RestoreDC(4));
    EXPECT_FALSE(c.dc.RestoreDC(-4));
    EXPECT_TRUE(c.dc.RestoreDC(-1));
    EXPECT_EQ(c.dc.GetBkColor(), RGB(3, 3, 3));
    EXPECT_TRUE(c.dc.RestoreDC(1));  // level 2 goes as well
    EXPECT_EQ(c.dc.GetBkColor(), RGB(1, 1, 1));
    EXPECT_FALSE(c.dc.RestoreDC(-1));
}

TEST(SavedStates, ScopeGuard) {
    Canvas c(2, 2);
    CBrush red(kRed);
    {
        plat::SavedDC saved(c.dc);
        c.dc.SelectObject(&red);
        c.dc.SetBkMode(TRANSPARENT);
    }
    EXPECT_EQ(c.dc.GetBkMode(), OPAQUE);
    EXPECT_EQ(c.dc.GetCurrentBrush()->m_hObject, GetStockObject(WHITE_BRUSH));
}

TEST(SavedStates, BitmapComesBackUnlessTakenElsewhere) {
    CDC dc, other;
    dc.CreateCompatibleDC(nullptr);
    other.CreateCompatibleDC(nullptr);
    CBitmap a, b;
    a.CreateCompatibleBitmap(&dc, 2, 2);
    b.CreateCompatibleBitmap(&dc, 3, 3);
    CBitmap* original = dc.SelectObject(&a);
    const int level = dc.SaveDC();
    dc.SelectObject(&b);
    EXPECT_NE(other.SelectObject(&a), nullptr);
    EXPECT_TRUE(dc.RestoreDC(level));
    EXPECT_EQ(dc.GetSurface(), b.GetSurface());  // a belongs to the other context now

    dc.SaveDC();
    dc.SelectObject(original);
    EXPECT_TRUE(dc.RestoreDC(-1));
    EXPECT_EQ(dc.GetCurrentBitmap(), &b);
}

TEST(Origins, ViewportAndWindowOriginsTranslate) {
    Canvas c(8, 8);
    c.dc.SetViewportOrg(5, 4);
    c.dc.SetWindowOrg(2, 1);
    EXPECT_EQ(c.dc.SetPixel(0, 0, kRed), kRed);
    EXPECT_EQ(c.surface().GetPixel(3, 3), kRed);
    EXPECT_EQ(c.dc.GetPixel(0, 0), kRed);
    CPoint p(0, 0);
    c.dc.LPtoDP(&p);
    EXPECT_EQ(p, CPoint(3, 3));
    c.dc.DPtoLP(&p);
    EXPECT_EQ(p, CPoint(0, 0));
    EXPECT_EQ(c.dc.OffsetViewportOrg(1, 1), CPoint(5, 4));
    EXPECT_EQ(c.dc.GetViewportOrg(), CPoint(6, 5));
    EXPECT_EQ(c.dc.SetMapMode(MM_TEXT), MM_TEXT);
    EXPECT_EQ(c.dc.SetMapMode(2), 0);
}

TEST(Clipping, IntersectClipRectLimitsEveryPrimitive) {
    Canvas c(8, 6);
    EXPECT_EQ(c.dc.IntersectClipRect(2, 1, 6, 4), SIMPLEREGION);
    c.dc.FillSolidRect(0, 0, 8, 6, kRed);
    c.dc.MoveTo(0, 5);
    c.dc.LineTo(7, 0);
    EXPECT_TRUE(PixelsAre(c.surface(), {"........",  //
                                        "..RRR#..",  //
                                        "..RR#R..",  //
                                        "..R#RR..",  //
                                        "........",  //
                                        "........"}));
    CRect box;
    EXPECT_EQ(c.dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(2, 1, 6, 4));
    EXPECT_EQ(c.dc.IntersectClipRect(5, 0, 1, 2), SIMPLEREGION);  // ordered, then intersected
    c.dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(2, 1, 5, 2));
    EXPECT_EQ(c.dc.IntersectClipRect(7, 7, 8, 8), NULLREGION);
    EXPECT_EQ(c.dc.GetClipBox(&box), NULLREGION);
    EXPECT_TRUE(box.IsRectNull());
    EXPECT_EQ(c.dc.SetPixel(3, 1, kBlue), CLR_INVALID);
    EXPECT_EQ(c.dc.GetPixel(3, 1), CLR_INVALID);
    EXPECT_FALSE(c.dc.PtVisible(3, 1));
}

TEST(Clipping, RegionsAreInDeviceCoordinates) {
    Canvas c(8, 8);
    c.dc.SetViewportOrg(2, 2);
    CRgn region;
    region.CreateRectRgn(0, 0, 4, 4);
    EXPECT_EQ(c.dc.SelectClipRgn(&region), SIMPLEREGION);
    CRect box;
    c.dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(-2, -2, 2, 2));  // logical
    EXPECT_TRUE(c.dc.PtVisible(-2, -2));
    EXPECT_FALSE(c.dc.PtVisible(2, 2));
    EXPECT_TRUE(c.dc.RectVisible(CRect(1, 1, 5, 5)));
    EXPECT_FALSE(c.dc.RectVisible(CRect(2, 2, 5, 5)));
    region.SetRectRgn(6, 6, 9, 9);  // the context kept a copy
    c.dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(-2, -2, 2, 2));
    EXPECT_EQ(c.dc.SelectClipRgn(nullptr), SIMPLEREGION);
    c.dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(-2, -2, 6, 6));
    EXPECT_EQ(c.dc.SelectObject(&region), SIMPLEREGION);
    CRgn none;
    EXPECT_EQ(c.dc.SelectClipRgn(&none), RGN_ERROR);
}

TEST(AttachedSurface, OriginAndVisiblePart) {
    plat::Surface screen(10, 6, kWhite);
    const RECT visible{2, 1, 8, 5};
    CDC dc;
    ASSERT_TRUE(dc.AttachSurface(screen, POINT{3, 2}, &visible));
    EXPECT_FALSE(dc.AttachSurface(screen));
    dc.FillSolidRect(-10, -10, 100, 100, kBlue);
    CRect box;
    dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(-1, -1, 5, 3));
    EXPECT_EQ(dc.SetPixel(0, 0, kRed), kRed);
    EXPECT_EQ(screen.GetPixel(3, 2), kRed);
    const plat::Surface& s = screen;
    EXPECT_EQ(RowOf(s, 0), "..........");
    EXPECT_EQ(RowOf(s, 1), "..BBBBBB..");
    EXPECT_EQ(RowOf(s, 2), "..BRBBBB..");
    EXPECT_EQ(RowOf(s, 5), "..........");

    // Hatches are tiled from the context's own origin.
    screen.Fill(kWhite);
    dc.SetBkMode(TRANSPARENT);
    CBrush hatch(HS_VERTICAL, kBlack);
    dc.FillRect(CRect(-3, -2, 7, 4), &hatch);
    EXPECT_EQ(RowOf(s, 2), ".......#..");
}

TEST(Blocks, BitBltCopiesBetweenContexts) {
    Canvas source(4, 4), target(6, 6);
    source.dc.FillSolidRect(0, 0, 2, 2, kRed);
    source.dc.FillSolidRect(2, 2, 2, 2, kBlue);
    EXPECT_TRUE(target.dc.BitBlt(1, 1, 4, 4, &source.dc, 0, 0, SRCCOPY));
    EXPECT_TRUE(PixelsAre(target.surface(), {"......",  //
                                             ".RR...",  //
                                             ".RR...",  //
                                             "...BB.",  //
                                             "...BB.",  //
                                             "......"}));
}

TEST(Blocks, SourceOutsideItsSurfaceLeavesPixelsAlone) {
    Canvas source(4, 4, kRed), target(6, 6, kGreen);
    EXPECT_TRUE(target.dc.BitBlt(0, 0, 6, 6, &source.dc, -1, 2, SRCCOPY));
    EXPECT_TRUE(PixelsAre(target.surface(), {"GRRRRG",  //
                                             "GRRRRG",  //
                                             "GGGGGG",  //
                                             "GGGGGG",  //
                                             "GGGGGG",  //
                                             "GGGGGG"}));
}

TEST(Blocks, OverlappingCopyWithinOneSurface) {
    Canvas c(5, 5);
    c.dc.FillSolidRect(0, 0, 1, 5, kRed);
    c.dc.FillSolidRect(1, 0, 1, 5, kBlue);
    c.dc.FillSolidRect(0, 0, 5, 1, kGreen);
    // Down-right by one, then back up-left by one.
    c.dc.BitBlt(1, 1, 4, 4, &c.dc, 0, 0, SRCCOPY);
    EXPECT_TRUE(PixelsAre(c.surface(), {"GGGGG",  //
                                        "RGGGG",  //
                                        "RRB..",  //
                                        "RRB..",  //
                                        "RRB.."}));
    c.dc.BitBlt(0, 0, 4, 4, &c.dc, 1, 1, SRCCOPY);
    EXPECT_TRUE(PixelsAre(c.surface(), {"GGGGG",  //
                                        "RB..G",  //
                                        "RB...",  //
                                        "RB...",  //
                                        "RRB.."}));
}

TEST(Blocks, OverlappingCopyWithinOneRow) {
    Canvas c(5, 1);
    c.dc.SetPixel(0, 0, kRed);
    c.dc.SetPixel(1, 0, kGreen);
    c.dc.SetPixel(2, 0, kBlue);
    c.dc.BitBlt(1, 0, 4, 1, &c.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(RowOf(c.surface(), 0), "RRGB.");
    c.dc.BitBlt(0, 0, 4, 1, &c.dc, 1, 0, SRCCOPY);
    EXPECT_EQ(RowOf(c.surface(), 0), "RGB..");
    c.dc.BitBlt(1, 0, 4, 1, &c.dc, 0, 0, SRCPAINT);  // reads the row before writing it
    EXPECT_EQ(c.surface().GetPixel(1, 0), RGB(255, 255, 0));
    EXPECT_EQ(c.surface().GetPixel(2, 0), RGB(0, 255, 255));
}

TEST(Blocks, RasterOperations) {
    Canvas source(3, 1), c(3, 1);
    source.dc.FillSolidRect(0, 0, 3, 1, RGB(0xF0, 0x0F, 0xFF));
    c.dc.FillSolidRect(0, 0, 3, 1, RGB(0xFF, 0xFF, 0x00));
    c.dc.BitBlt(0, 0, 1, 1, &source.dc, 0, 0, SRCINVERT);
    c.dc.BitBlt(1, 0, 1, 1, &source.dc, 0, 0, SRCAND);
    c.dc.BitBlt(2, 0, 1, 1, nullptr, 0, 0, DSTINVERT);
    EXPECT_EQ(c.surface().GetPixel(0, 0), RGB(0x0F, 0xF0, 0xFF));
    EXPECT_EQ(c.surface().GetPixel(1, 0), RGB(0xF0, 0x0F, 0x00));
    EXPECT_EQ(c.surface().GetPixel(2, 0), RGB(0x00, 0x00, 0xFF));
    EXPECT_TRUE(c.dc.PatBlt(0, 0, 3, 1, BLACKNESS));
    EXPECT_EQ(c.Count(kBlack), 3);
    EXPECT_TRUE(c.dc.PatBlt(0, 0, 2, 1, WHITENESS));
    EXPECT_EQ(c.Count(kWhite), 2);
    EXPECT_FALSE(c.dc.PatBlt(0, 0, 1, 1, SRCCOPY));
    EXPECT_FALSE(c.dc.BitBlt(0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));
    EXPECT_TRUE(c.dc.BitBlt(0, 0, -1, 1, &source.dc, 0, 0, SRCCOPY));
}

TEST(Blocks, PatternsComeFromTheSelectedBrush) {
    Canvas c(8, 2);
    UseBrush brush(c.dc, HS_VERTICAL, kBlue);
    c.dc.SetBkColor(kRed);
    c.dc.PatBlt(0, 0, 8, 1, PATCOPY);
    EXPECT_EQ(RowOf(c.surface(), 0), "RRRRBRRR");
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.PatBlt(0, 1, 8, 1, PATCOPY);
    EXPECT_EQ(RowOf(c.surface(), 1), "....B...");
    c.dc.SelectStockObject(NULL_BRUSH);
    c.dc.PatBlt(0, 0, 8, 2, PATCOPY);
    EXPECT_EQ(RowOf(c.surface(), 1), "....B...");
}

TEST(DeviceCaps, ScreenResolutionAndDepth) {
    const plat::DeviceInfo saved = plat::ScreenDeviceInfo();
    plat::SetScreenDeviceInfo(plat::DeviceInfo{1280, 800, 96, 96, DT_RASDISPLAY});
    CDC screenLike, copy;
    screenLike.CreateCompatibleDC(nullptr);
    EXPECT_EQ(screenLike.GetDeviceCaps(HORZRES), 1280);
    EXPECT_EQ(screenLike.GetDeviceCaps(VERTRES), 800);
    EXPECT_EQ(screenLike.GetDeviceCaps(LOGPIXELSX), 96);
    EXPECT_EQ(screenLike.GetDeviceCaps(LOGPIXELSY), 96);
    EXPECT_EQ(screenLike.GetDeviceCaps(BITSPIXEL), 32);
    EXPECT_EQ(screenLike.GetDeviceCaps(PLANES), 1);
    EXPECT_EQ(screenLike.GetDeviceCaps(HORZSIZE), 339);  // 1280 px at 96 per inch, in mm
    EXPECT_EQ(screenLike.GetDeviceCaps(12345), 0);

    screenLike.SetDeviceInfo(plat::DeviceInfo{4960, 7016, 600, 600, DT_RASPRINTER});
    copy.CreateCompatibleDC(&screenLike);
    EXPECT_EQ(copy.GetDeviceCaps(LOGPIXELSY), 600);
    EXPECT_EQ(copy.GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);
    plat::SetScreenDeviceInfo(saved);
}

TEST(BadInput, ContextThatWasNeverCreated) {
    CDC dc;
    EXPECT_EQ(dc.GetSafeHdc(), nullptr);
    EXPECT_EQ(dc.GetSurface(), nullptr);
    EXPECT_FALSE(dc.LineTo(4, 4));
    EXPECT_FALSE(dc.Rectangle(0, 0, 4, 4));
    EXPECT_FALSE(dc.Ellipse(0, 0, 4, 4));
    const POINT points[] = {{0, 0}, {3, 0}, {0, 3}};
    EXPECT_FALSE(dc.Polygon(points, 3));
    EXPECT_FALSE(dc.BitBlt(0, 0, 4, 4, &dc, 0, 0, SRCCOPY));
    EXPECT_EQ(dc.GetPixel(0, 0), CLR_INVALID);
    EXPECT_EQ(dc.SetPixel(0, 0, kRed), CLR_INVALID);
    dc.FillSolidRect(0, 0, 4, 4, kRed);
    EXPECT_EQ(dc.GetClipBox(nullptr), RGN_ERROR);
    EXPECT_FALSE(dc.DeleteDC());
    EXPECT_TRUE(dc.CreateCompatibleDC(nullptr));
    EXPECT_FALSE(dc.CreateCompatibleDC(nullptr));
    EXPECT_EQ(CDC::FromHandle(dc.GetSafeHdc()), &dc);
}

// Coordinates at the ends of the 32-bit range, sizes that overflow when added, pens of
// absurd width: nothing may crash or write outside the surface (the sanitizer build runs
// this too), and what is visible is still right.
TEST(BadInput, ExtremeCoordinatesAndSizes) {
    Canvas c(16, 16);
    EXPECT_TRUE(c.dc.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX));
    EXPECT_EQ(c.Count(kWhite), 256);  // only the brush is on the surface
    c.dc.SelectStockObject(BLACK_BRUSH);
    EXPECT_TRUE(c.dc.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX));
    EXPECT_EQ(c.Count(kBlack), 256);

    c.surface().Fill(kWhite);
    c.dc.FillSolidRect(INT_MAX - 1, 0, INT_MAX, 8, kRed);
    c.dc.FillSolidRect(4, INT_MIN, 1, INT_MAX, kRed);
    EXPECT_EQ(c.Count(kRed), 0);
    c.dc.FillSolidRect(-4, 2, INT_MAX, 1, kRed);
    EXPECT_EQ(c.Count(kRed), 16);

    const POINT far[] = {{INT_MIN, INT_MIN}, {INT_MAX, 0}, {0, INT_MAX}, {INT_MIN, INT_MAX}};
    EXPECT_TRUE(c.dc.Polygon(far, 4));
    c.dc.SetViewportOrg(INT_MAX, INT_MAX);
    c.dc.SetWindowOrg(INT_MIN, INT_MIN);  // logical -> device overflows 32 bits
    EXPECT_TRUE(c.dc.Rectangle(0, 0, 10, 10));
    EXPECT_EQ(c.dc.IntersectClipRect(0, 0, 4, 4), NULLREGION);
}

TEST(BadInput, AbsurdPenWidths) {
    Canvas c(16, 16);
    {
        UsePen pen(c.dc, PS_SOLID, INT_MAX, kRed);
        c.dc.MoveTo(-100, 8);
        c.dc.LineTo(100, 9);
        EXPECT_EQ(c.Count(kRed), 256);
        c.dc.Ellipse(0, 0, 16, 16);
        c.dc.Rectangle(4, 4, 8, 8);
    }
    {
        UsePen pen(c.dc, PS_INSIDEFRAME, 1000, kBlue);
        EXPECT_TRUE(c.dc.Rectangle(0, 0, 16, 16));  // the frame swallows the box
        EXPECT_TRUE(c.dc.Ellipse(0, 0, 16, 16));
    }
    CPen negative(PS_SOLID, INT_MIN, kGreen);
    EXPECT_NE(negative.m_hObject, nullptr);
}
