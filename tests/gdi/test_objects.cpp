// Pens, brushes, bitmaps, regions, fonts and the lifetime of their handles.

#include <cstring>

#include "PixelTestSupport.h"
#include "platform/gdi/SavedDC.h"

using namespace gdi_test;

namespace {

LOGBRUSH LogBrushOf(int stockIndex) {
    LOGBRUSH lb{};
    EXPECT_EQ(GetObjectA(GetStockObject(stockIndex), sizeof lb, &lb), int{sizeof lb});
    return lb;
}

}  // namespace

TEST(StockObjects, NumberingAndColours) {
    EXPECT_EQ(LogBrushOf(WHITE_BRUSH).lbColor, RGB(255, 255, 255));
    EXPECT_EQ(LogBrushOf(LTGRAY_BRUSH).lbColor, RGB(192, 192, 192));
    EXPECT_EQ(LogBrushOf(GRAY_BRUSH).lbColor, RGB(128, 128, 128));
    EXPECT_EQ(LogBrushOf(DKGRAY_BRUSH).lbColor, RGB(64, 64, 64));
    EXPECT_EQ(LogBrushOf(BLACK_BRUSH).lbColor, RGB(0, 0, 0));
    EXPECT_EQ(LogBrushOf(NULL_BRUSH).lbStyle, BS_NULL);
    EXPECT_EQ(HOLLOW_BRUSH, NULL_BRUSH);
    EXPECT_EQ(GetObjectType(GetStockObject(WHITE_PEN)), OBJ_PEN);
    EXPECT_EQ(GetObjectType(GetStockObject(NULL_PEN)), OBJ_PEN);
    EXPECT_EQ(GetObjectType(GetStockObject(SYSTEM_FONT)), OBJ_FONT);
    EXPECT_EQ(GetObjectType(GetStockObject(DEFAULT_GUI_FONT)), OBJ_FONT);
    EXPECT_EQ(GetObjectType(GetStockObject(DC_BRUSH)), OBJ_BRUSH);
    EXPECT_EQ(GetObjectType(GetStockObject(DC_PEN)), OBJ_PEN);
    for (int unused : {9, DEFAULT_PALETTE, 20, -1}) {
        EXPECT_EQ(GetStockObject(unused), nullptr) << unused;
    }
}

TEST(StockObjects, CannotBeDeleted) {
    HGDIOBJ black = GetStockObject(BLACK_BRUSH);
    EXPECT_TRUE(DeleteObject(black));
    EXPECT_EQ(GetObjectType(black), OBJ_BRUSH);
    {
        CBrush stock;
        EXPECT_TRUE(stock.CreateStockObject(BLACK_BRUSH));
    }  // the wrapper's destructor deletes nothing
    EXPECT_EQ(GetObjectType(black), OBJ_BRUSH);
}

TEST(Pens, StylesAndWidthsAsCreated) {
    CPen pen;
    EXPECT_TRUE(pen.CreatePen(PS_DASH, 3, kRed));
    LOGPEN lp{};
    EXPECT_TRUE(pen.GetLogPen(&lp));
    EXPECT_EQ(lp.lopnStyle, UINT{PS_DASH});
    EXPECT_EQ(lp.lopnWidth.x, 3);
    EXPECT_EQ(lp.lopnColor, kRed);
    EXPECT_TRUE(pen.IsKindOf(RuntimeClass<CGdiObject>()));
    EXPECT_EQ(pen.GetObjectType(), OBJ_PEN);
}

TEST(Pens, RefusedArguments) {
    for (int style : {PS_USERSTYLE, PS_ALTERNATE, 9, -1, PS_GEOMETRIC | PS_SOLID}) {
        CPen pen;
        EXPECT_FALSE(pen.CreatePen(style, 1, kBlack)) << style;
        EXPECT_EQ(pen.m_hObject, nullptr);
    }
    CPen pen(PS_SOLID, 1, kBlack);
    HGDIOBJ first = pen.m_hObject;
    EXPECT_FALSE(pen.CreatePen(PS_SOLID, 2, kRed));  // already owns a pen
    EXPECT_EQ(pen.m_hObject, first);
}

TEST(Brushes, HatchIndicesAndIndirectStyles) {
    for (int hatch = HS_HORIZONTAL; hatch <= HS_DIAGCROSS; ++hatch) {
        CBrush brush;
        EXPECT_TRUE(brush.CreateHatchBrush(hatch, kBlack)) << hatch;
        LOGBRUSH lb{};
        brush.GetLogBrush(&lb);
        EXPECT_EQ(lb.lbStyle, BS_HATCHED);
        EXPECT_EQ(lb.lbHatch, static_cast<std::uintptr_t>(hatch));
    }
    CBrush bad;
    EXPECT_FALSE(bad.CreateHatchBrush(6, kBlack));
    EXPECT_FALSE(bad.CreateHatchBrush(-1, kBlack));
    const LOGBRUSH pattern{3 /* BS_PATTERN */, 0, 0};
    EXPECT_FALSE(bad.CreateBrushIndirect(&pattern));
    EXPECT_FALSE(bad.CreateBrushIndirect(nullptr));
    const LOGBRUSH hollow{BS_HOLLOW, kRed, 0};
    EXPECT_TRUE(bad.CreateBrushIndirect(&hollow));
}

// The drawing interface's rule: deleting an object still selected somewhere only marks
// it; it goes when the last context lets go, and drawing with it is safe meanwhile.
TEST(Handles, DeletionWaitsForTheLastSelection) {
    Canvas c(8, 4);
    CPen red(PS_SOLID, 1, kRed);
    HGDIOBJ handle = red.m_hObject;
    CPen* original = c.dc.SelectObject(&red);
    ASSERT_NE(original, nullptr);
    EXPECT_TRUE(red.DeleteObject());
    EXPECT_EQ(red.m_hObject, nullptr);
    EXPECT_EQ(GetObjectType(handle), OBJ_PEN);  // still there, waiting

    c.dc.MoveTo(0, 1);
    c.dc.LineTo(8, 1);
    EXPECT_EQ(RowOf(c.surface(), 1), "RRRRRRRR");

    // Gone once deselected, so there is no previous pen to hand back.
    EXPECT_EQ(c.dc.SelectObject(original), nullptr);
    EXPECT_EQ(GetObjectType(handle), 0u);
    EXPECT_EQ(c.dc.GetCurrentPen(), original);
}

TEST(Handles, DestroyingASelectedWrapperLeavesTheContextUsable) {
    Canvas c(4, 4);
    HGDIOBJ handle = nullptr;
    {
        CBrush brush(kBlue);
        handle = brush.m_hObject;
        c.dc.SelectObject(&brush);
    }
    EXPECT_TRUE(c.dc.Rectangle(0, 0, 4, 4));
    EXPECT_EQ(c.surface().GetPixel(1, 1), kBlue);
    CBrush* current = c.dc.GetCurrentBrush();
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->m_hObject, handle);
    c.dc.SelectStockObject(WHITE_BRUSH);
    EXPECT_EQ(GetObjectType(handle), 0u);
}

TEST(Handles, SaveDCKeepsDeletedObjectsAlive) {
    Canvas c(4, 4);
    CPen pen(PS_SOLID, 1, kGreen);
    HGDIOBJ handle = pen.m_hObject;
    c.dc.SelectObject(&pen);
    const int level = c.dc.SaveDC();
    c.dc.SelectStockObject(BLACK_PEN);
    pen.DeleteObject();
    EXPECT_EQ(GetObjectType(handle), OBJ_PEN);  // the saved state holds it
    EXPECT_TRUE(c.dc.RestoreDC(level));
    c.dc.MoveTo(0, 0);
    c.dc.LineTo(4, 0);
    EXPECT_EQ(RowOf(c.surface(), 0), "GGGG");
    c.dc.SelectStockObject(BLACK_PEN);
    EXPECT_EQ(GetObjectType(handle), 0u);
}

TEST(Handles, FromHandleFindsTheOwnerOrATemporary) {
    CPen pen(PS_SOLID, 1, kBlack);
    EXPECT_EQ(CPen::FromHandle(pen.m_hObject), &pen);
    EXPECT_EQ(CBrush::FromHandle(pen.m_hObject), nullptr);  // wrong kind

    HGDIOBJ raw = CreateSolidBrush(kRed);
    CBrush* temporary = CBrush::FromHandle(raw);
    ASSERT_NE(temporary, nullptr);
    EXPECT_EQ(temporary->m_hObject, raw);
    EXPECT_EQ(CBrush::FromHandle(raw), temporary);
    EXPECT_TRUE(DeleteObject(raw));
    EXPECT_EQ(CBrush::FromHandle(raw), nullptr);
    EXPECT_FALSE(DeleteObject(raw));
    EXPECT_FALSE(DeleteObject(nullptr));
}

TEST(Handles, DeletingAnOwnedHandleDirectlyDetachesItsOwner) {
    CPen pen(PS_SOLID, 1, kBlack);
    EXPECT_TRUE(DeleteObject(pen.m_hObject));
    EXPECT_EQ(pen.m_hObject, nullptr);
    EXPECT_FALSE(pen.DeleteObject());
    EXPECT_TRUE(pen.CreatePen(PS_DOT, 1, kRed));  // reusable
}

TEST(Bitmaps, SizesAndFailures) {
    CBitmap zero;
    EXPECT_TRUE(zero.CreateCompatibleBitmap(nullptr, 0, 5));
    BITMAP info{};
    EXPECT_TRUE(zero.GetBitmap(&info));
    EXPECT_EQ(info.bmWidth, 1);
    EXPECT_EQ(info.bmHeight, 1);
    EXPECT_EQ(info.bmBitsPixel, 32);

    CBitmap bad;
    EXPECT_FALSE(bad.CreateCompatibleBitmap(nullptr, -1, 5));
    EXPECT_FALSE(bad.CreateCompatibleBitmap(nullptr, 100000, 100000));
    EXPECT_FALSE(bad.CreateCompatibleBitmap(nullptr, plat::Surface::kMaxSide + 1, 1));
    EXPECT_FALSE(bad.CreateBitmap(4, 4, 1, 24, nullptr));
    EXPECT_FALSE(bad.CreateBitmap(4, 4, 2, 32, nullptr));
    EXPECT_EQ(bad.GetSurface(), nullptr);
    EXPECT_EQ(bad.GetBitmap(&info), 0);
}

TEST(Bitmaps, BitsAreBlueGreenRedUnused) {
    const BYTE bits[] = {0x10, 0x20, 0x30, 0x00, 0xFF, 0x00, 0x00, 0x00};
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(2, 1, 1, 32, bits));
    EXPECT_EQ(bitmap.GetSurface()->GetPixel(0, 0), RGB(0x30, 0x20, 0x10));
    EXPECT_EQ(bitmap.GetSurface()->GetPixel(1, 0), kBlue);
    BYTE back[8] = {};
    EXPECT_EQ(bitmap.GetBitmapBits(sizeof back, back), 8u);
    EXPECT_EQ(std::memcmp(back, bits, sizeof bits), 0);
    BYTE partial[6] = {};
    EXPECT_EQ(bitmap.GetBitmapBits(sizeof partial, partial), 6u);
    EXPECT_EQ(bitmap.SetBitmapBits(100, bits), 8u);  // no more than the bitmap holds
}

TEST(Bitmaps, SelectedIntoOneContextAtATime) {
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(nullptr, 4, 4));
    CDC first, second;
    first.CreateCompatibleDC(nullptr);
    second.CreateCompatibleDC(nullptr);
    CBitmap* original = first.SelectObject(&bitmap);
    ASSERT_NE(original, nullptr);
    EXPECT_EQ(second.SelectObject(&bitmap), nullptr);
    EXPECT_EQ(second.GetSurface()->Width(), 1);  // still its 1x1 bitmap
    first.SelectObject(original);
    EXPECT_NE(second.SelectObject(&bitmap), nullptr);
    EXPECT_EQ(second.GetSurface(), bitmap.GetSurface());
}

TEST(Bitmaps, OnlyMemoryContextsTakeBitmaps) {
    plat::Surface screen(4, 4);
    CDC window;
    window.AttachSurface(screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&window, 2, 2);
    EXPECT_EQ(window.SelectObject(&bitmap), nullptr);
    EXPECT_EQ(window.GetSurface(), &screen);
}

TEST(Bitmaps, DeletedWhileSelectedStaysDrawable) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    auto bitmap = std::make_unique<CBitmap>();
    bitmap->CreateCompatibleBitmap(&dc, 3, 3);
    dc.SelectObject(bitmap.get());
    bitmap.reset();
    EXPECT_TRUE(dc.Rectangle(0, 0, 3, 3));
    EXPECT_EQ(dc.GetPixel(0, 0), kBlack);
    EXPECT_TRUE(dc.DeleteDC());
}

TEST(Regions, RectanglesNormalisedAndEmptyAsZero) {
    CRgn region;
    ASSERT_TRUE(region.CreateRectRgn(10, 8, 2, 4));
    CRect box;
    EXPECT_EQ(region.GetRgnBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(2, 4, 10, 8));
    EXPECT_TRUE(region.PtInRegion(2, 4));
    EXPECT_FALSE(region.PtInRegion(10, 4));
    EXPECT_TRUE(region.RectInRegion(CRect(9, 7, 0, 0)));
    EXPECT_FALSE(region.RectInRegion(CRect(10, 4, 12, 8)));
    EXPECT_EQ(region.OffsetRgn(-2, -4), SIMPLEREGION);
    region.GetRgnBox(&box);
    EXPECT_EQ(box, CRect(0, 0, 8, 4));

    region.SetRectRgn(5, 5, 5, 9);
    EXPECT_EQ(region.GetRgnBox(&box), NULLREGION);
    EXPECT_TRUE(box.IsRectNull());
    CRgn none;
    EXPECT_EQ(none.GetRgnBox(&box), RGN_ERROR);
}

TEST(Fonts, LogicalFontKeptAsGiven) {
    CFont font;
    ASSERT_TRUE(font.CreateFont(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0,
                                "A face name that is far longer than thirty-one bytes"));
    LOGFONTA lf{};
    EXPECT_TRUE(font.GetLogFont(&lf));
    EXPECT_EQ(lf.lfHeight, -12);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(std::strlen(lf.lfFaceName), size_t{LF_FACESIZE - 1});

    Canvas c(2, 2);
    CFont* system = c.dc.SelectObject(&font);
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(system->m_hObject, GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(c.dc.GetCurrentFont(), &font);
}
