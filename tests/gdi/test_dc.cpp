// The device context: selections, saved states, origins, clipping, block transfers,
// device capabilities and bad input.

#include <climits>
#include <tuple>

#include "PixelTestSupport.h"

using namespace gdi_test;

// Selecting answers the previous object; RestoreDC brings back every selection and
// setting saved.
TEST(SavedStates, RestoreBringsBackEverything) {
    Canvas c(8, 8);
    const auto state = [&c] {
        CRect clip;
        c.dc.GetClipBox(&clip);
        return std::tuple(c.dc.GetCurrentPen()->m_hObject, c.dc.GetCurrentBrush()->m_hObject,
                          c.dc.GetBkColor(), c.dc.GetBkMode(), c.dc.GetTextColor(),
                          c.dc.GetTextAlign(), c.dc.GetPolyFillMode(), c.dc.GetCurrentPosition(),
                          c.dc.GetViewportOrg(), c.dc.GetBrushOrg(), clip);
    };
    const auto saved = state();
    CPen red(PS_SOLID, 1, kRed);
    CBrush blue(kBlue);
    EXPECT_EQ(c.dc.SaveDC(), 1);
    EXPECT_EQ(c.dc.SelectObject(&red)->m_hObject, GetStockObject(BLACK_PEN));
    EXPECT_EQ(c.dc.SelectObject(&blue)->m_hObject, GetStockObject(WHITE_BRUSH));
    c.dc.SetBkColor(kGreen);
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.SetTextColor(kYellow);
    c.dc.SetTextAlign(TA_BASELINE | TA_CENTER);
    c.dc.SetPolyFillMode(WINDING);
    c.dc.MoveTo(5, 6);
    c.dc.SetViewportOrg(1, 1);
    c.dc.SetBrushOrg(3, 3);
    c.dc.IntersectClipRect(0, 0, 2, 2);
    const auto changed = state();
    EXPECT_EQ(std::get<0>(changed), red.m_hObject);
    EXPECT_EQ(std::get<10>(changed), CRect(0, 0, 2, 2));
    EXPECT_TRUE(c.dc.RestoreDC(1));
    EXPECT_EQ(state(), saved);
}

TEST(SavedStates, LevelsRelativeRestoresAndScopeGuard) {
    Canvas c(2, 2);
    for (int level = 1; level <= 3; ++level) {
        c.dc.SetBkColor(RGB(level, level, level));
        EXPECT_EQ(c.dc.SaveDC(), level);
    }
    c.dc.SetBkColor(RGB(4, 4, 4));
    EXPECT_FALSE(c.dc.RestoreDC(0));
    EXPECT_FALSE(c.dc.RestoreDC(4));
    EXPECT_FALSE(c.dc.RestoreDC(-4));
    EXPECT_TRUE(c.dc.RestoreDC(-1));
    EXPECT_EQ(c.dc.GetBkColor(), RGB(3, 3, 3));
    EXPECT_TRUE(c.dc.RestoreDC(1));  // level 2 goes as well
    EXPECT_EQ(c.dc.GetBkColor(), RGB(1, 1, 1));
    EXPECT_FALSE(c.dc.RestoreDC(-1));
    CPen pen(PS_SOLID, 1, kRed);
    {
        plat::SavedDC saved(c.dc);
        c.dc.SetBkMode(TRANSPARENT);
    }
    { plat::SelectedObject use(c.dc, &pen); }
    EXPECT_EQ(c.dc.GetBkMode(), OPAQUE);
    EXPECT_EQ(c.dc.GetCurrentPen()->m_hObject, GetStockObject(BLACK_PEN));
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
    EXPECT_EQ(c.dc.IntersectClipRect(5, 0, 1, 2), SIMPLEREGION);  // ordered, then intersected
    EXPECT_EQ(c.dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(2, 1, 5, 2));
    EXPECT_EQ(c.dc.IntersectClipRect(7, 7, 8, 8), NULLREGION);
    EXPECT_EQ(c.dc.GetClipBox(&box), NULLREGION);
    EXPECT_TRUE(box.IsRectNull());
    EXPECT_EQ(c.dc.SetPixel(3, 1, kBlue), CLR_INVALID);
    EXPECT_EQ(c.dc.GetPixel(3, 1), CLR_INVALID);
    EXPECT_FALSE(c.dc.PtVisible(3, 1));
}

// Logical points are moved by the viewport origin less the window origin; clip regions
// are in device coordinates.
TEST(Origins, TranslationAndClipRegions) {
    Canvas c(8, 8);
    c.dc.SetViewportOrg(5, 4);
    c.dc.SetWindowOrg(2, 1);
    EXPECT_EQ(c.dc.SetPixel(0, 0, kRed), kRed);
    EXPECT_EQ(c.surface().GetPixel(3, 3), kRed);
    CPoint p(0, 0);
    c.dc.LPtoDP(&p);
    EXPECT_EQ(p, CPoint(3, 3));
    EXPECT_EQ(c.dc.OffsetViewportOrg(1, 1), CPoint(5, 4));
    c.dc.DPtoLP(&p);
    EXPECT_EQ(p, CPoint(-1, -1));
    EXPECT_EQ(c.dc.SetMapMode(2), 0);  // only MM_TEXT exists

    c.dc.SetWindowOrg(0, 0);
    c.dc.SetViewportOrg(2, 2);
    CRgn region;
    region.CreateRectRgn(0, 0, 4, 4);
    EXPECT_EQ(c.dc.SelectClipRgn(&region), SIMPLEREGION);
    region.SetRectRgn(6, 6, 9, 9);  // the context kept a copy
    CRect box;
    c.dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(-2, -2, 2, 2));  // logical
    EXPECT_TRUE(c.dc.PtVisible(-2, -2));
    EXPECT_FALSE(c.dc.PtVisible(2, 2));
    EXPECT_TRUE(c.dc.RectVisible(CRect(1, 1, 5, 5)));
    EXPECT_FALSE(c.dc.RectVisible(CRect(2, 2, 5, 5)));
    EXPECT_EQ(c.dc.SelectClipRgn(nullptr), SIMPLEREGION);
    c.dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(-2, -2, 6, 6));
    CRgn none;
    EXPECT_EQ(c.dc.SelectClipRgn(&none), RGN_ERROR);
}

TEST(AttachedSurface, OriginAndVisiblePart) {
    plat::Surface screen(10, 4, kWhite);
    const RECT visible{2, 1, 8, 3};
    CDC dc;
    ASSERT_TRUE(dc.AttachSurface(screen, POINT{3, 2}, &visible));
    EXPECT_FALSE(dc.AttachSurface(screen));
    dc.FillSolidRect(-10, -10, 100, 100, kBlue);
    EXPECT_EQ(dc.SetPixel(0, 0, kRed), kRed);
    const plat::Surface& s = screen;
    EXPECT_TRUE(PixelsAre(s, {"..........",  //
                              "..BBBBBB..",  //
                              "..BRBBBB..",  //
                              ".........."}));
    // Hatches are tiled from the context's own origin.
    screen.Fill(kWhite);
    dc.SetBkMode(TRANSPARENT);
    CBrush hatch(HS_VERTICAL, kBlack);
    dc.FillRect(CRect(-3, -2, 7, 4), &hatch);
    EXPECT_EQ(RowOf(s, 2), ".......#..");
}

TEST(Blocks, BitBltCopiesBetweenContextsWithinTheSource) {
    Canvas source(4, 4), target(6, 6, kGreen);
    source.dc.FillSolidRect(0, 0, 2, 2, kRed);
    source.dc.FillSolidRect(2, 2, 2, 2, kBlue);
    EXPECT_TRUE(target.dc.BitBlt(1, 1, 4, 4, &source.dc, 0, 0, SRCCOPY));
    // Pixels whose source lies outside its surface are left alone.
    EXPECT_TRUE(target.dc.BitBlt(4, 0, 2, 6, &source.dc, -1, -2, SRCCOPY));
    EXPECT_TRUE(PixelsAre(target.surface(), {"GGGGGG",  //
                                             "GRR..G",  //
                                             "GRR..R",  //
                                             "G..BBR",  //
                                             "G..BB.",  //
                                             "GGGGG."}));
}

// Copies within one surface, in every direction and with a raster operation that reads
// the destination, match the same copy from a separate surface.
TEST(Blocks, OverlappingCopiesWithinOneSurface) {
    for (int n = 0; n < 18; ++n) {  // 9 directions, 2 raster operations
        const int dx = n % 3 - 1, dy = n / 3 % 3 - 1;
        const DWORD rop = n < 9 ? SRCCOPY : SRCPAINT;
        Canvas same(5, 5), source(5, 5), expected(5, 5);
        for (Canvas* c : {&same, &source, &expected}) {
            for (int i = 0; i < 25; ++i) {
                c->dc.SetPixel(i % 5, i / 5, RGB(i * 10, 255 - i * 10, i % 3));
            }
        }
        same.dc.BitBlt(1 + dx, 1 + dy, 3, 3, &same.dc, 1, 1, rop);
        expected.dc.BitBlt(1 + dx, 1 + dy, 3, 3, &source.dc, 1, 1, rop);
        EXPECT_TRUE(same.surface() == expected.surface()) << rop << ": " << dx << "," << dy;
    }
}

// Raster operations on source and destination bits; patterns come from the selected brush.
TEST(Blocks, RasterOperationsAndPatterns) {
    Canvas source(3, 1), c(8, 3);
    source.dc.FillSolidRect(0, 0, 3, 1, RGB(0xF0, 0x0F, 0xFF));
    c.dc.FillSolidRect(0, 0, 3, 1, RGB(0xFF, 0xFF, 0x00));
    c.dc.BitBlt(0, 0, 1, 1, &source.dc, 0, 0, SRCINVERT);
    c.dc.BitBlt(1, 0, 1, 1, &source.dc, 0, 0, SRCAND);
    c.dc.BitBlt(2, 0, 1, 1, nullptr, 0, 0, DSTINVERT);
    EXPECT_EQ(c.surface().GetPixel(0, 0), RGB(0x0F, 0xF0, 0xFF));
    EXPECT_EQ(c.surface().GetPixel(1, 0), RGB(0xF0, 0x0F, 0x00));
    EXPECT_EQ(c.surface().GetPixel(2, 0), RGB(0x00, 0x00, 0xFF));
    EXPECT_FALSE(c.dc.PatBlt(0, 0, 1, 1, SRCCOPY));
    EXPECT_FALSE(c.dc.BitBlt(0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));
    EXPECT_TRUE(c.dc.BitBlt(0, 0, -1, 1, &source.dc, 0, 0, SRCCOPY));

    UseBrush brush(c.dc, HS_VERTICAL, kBlue);
    c.dc.SetBkColor(kRed);
    c.dc.PatBlt(0, 1, 8, 1, PATCOPY);
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.PatBlt(0, 2, 8, 1, PATCOPY);
    c.dc.SelectStockObject(NULL_BRUSH);
    c.dc.PatBlt(0, 1, 8, 2, PATCOPY);
    EXPECT_EQ(RowOf(c.surface(), 1) + RowOf(c.surface(), 2), "RRRRBRRR....B...");
}

TEST(DeviceCaps, ScreenValuesAndInheritance) {
    const plat::DeviceInfo saved = plat::ScreenDeviceInfo();
    plat::SetScreenDeviceInfo(plat::DeviceInfo{1280, 800, 96, 96, DT_RASDISPLAY});
    CDC screenLike, copy;
    screenLike.CreateCompatibleDC(nullptr);
    EXPECT_EQ(screenLike.GetDeviceCaps(HORZSIZE), 339);  // 1280 px at 96 per inch, in mm
    EXPECT_EQ(screenLike.GetDeviceCaps(12345), 0);
    screenLike.SetDeviceInfo(plat::DeviceInfo{4960, 7016, 600, 600, DT_RASPRINTER});
    copy.CreateCompatibleDC(&screenLike);
    EXPECT_EQ(copy.GetDeviceCaps(LOGPIXELSY), 600);
    EXPECT_EQ(copy.GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);
    plat::SetScreenDeviceInfo(saved);
}

TEST(BadInput, RefusedSelectionsAndAContextNeverCreated) {
    Canvas c(2, 2);
    CPen empty;
    EXPECT_EQ(c.dc.SelectObject(&empty), nullptr);
    EXPECT_EQ(c.dc.SelectObject(static_cast<CPen*>(nullptr)), nullptr);
    EXPECT_EQ(c.dc.SelectStockObject(9), nullptr);
    EXPECT_FALSE(plat::SelectedObject(c.dc, &empty));
    EXPECT_EQ(c.dc.GetCurrentPen()->m_hObject, GetStockObject(BLACK_PEN));

    CDC dc;
    EXPECT_EQ(dc.GetSurface(), nullptr);
    EXPECT_FALSE(dc.LineTo(4, 4));
    EXPECT_FALSE(dc.Rectangle(0, 0, 4, 4));
    EXPECT_FALSE(dc.Ellipse(0, 0, 4, 4));
    const POINT points[] = {{0, 0}, {3, 0}, {0, 3}};
    EXPECT_FALSE(dc.Polygon(points, 3));
    EXPECT_FALSE(dc.BitBlt(0, 0, 4, 4, &dc, 0, 0, SRCCOPY));
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

    Canvas wide(16, 16);
    {
        UsePen pen(wide.dc, PS_SOLID, INT_MAX, kRed);
        wide.dc.MoveTo(-100, 8);
        wide.dc.LineTo(100, 9);
        EXPECT_EQ(wide.Count(kRed), 256);
        wide.dc.Ellipse(0, 0, 16, 16);
        wide.dc.Rectangle(4, 4, 8, 8);
    }
    {
        UsePen pen(wide.dc, PS_INSIDEFRAME, 1000, kBlue);
        EXPECT_TRUE(wide.dc.Rectangle(0, 0, 16, 16));  // the frame swallows the box
        EXPECT_TRUE(wide.dc.Ellipse(0, 0, 16, 16));
    }
    CPen negative(PS_SOLID, INT_MIN, kGreen);
    EXPECT_NE(negative.m_hObject, nullptr);
}
