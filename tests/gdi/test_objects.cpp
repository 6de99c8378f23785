// Pens, brushes, bitmaps, regions, fonts and the lifetime of their handles.

#include <cstring>

#include "PixelTestSupport.h"

using namespace gdi_test;

TEST(StockObjects, GapsAndDeletion) {
    EXPECT_EQ(GetObjectType(GetStockObject(DEFAULT_GUI_FONT)), OBJ_FONT);
    for (const int unused : {9, DEFAULT_PALETTE, 20, -1}) {
        EXPECT_EQ(GetStockObject(unused), nullptr) << unused;
    }
    // Stock objects cannot be deleted, not even by a wrapper's destructor.
    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_BRUSH)));
    {
        CBrush stock;
        EXPECT_TRUE(stock.CreateStockObject(BLACK_BRUSH));
    }
    EXPECT_EQ(GetObjectType(GetStockObject(BLACK_BRUSH)), OBJ_BRUSH);
}

TEST(PensAndBrushes, RefusedArguments) {
    for (const int style : {PS_USERSTYLE, PS_ALTERNATE, 9, -1, PS_GEOMETRIC | PS_SOLID}) {
        CPen pen;
        EXPECT_FALSE(pen.CreatePen(style, 1, kBlack)) << style;
        EXPECT_EQ(pen.m_hObject, nullptr);
    }
    CPen pen(PS_SOLID, 1, kBlack);
    HGDIOBJ first = pen.m_hObject;
    EXPECT_FALSE(pen.CreatePen(PS_SOLID, 2, kRed));  // already owns a pen
    EXPECT_EQ(pen.m_hObject, first);

    CBrush brush;
    EXPECT_FALSE(brush.CreateHatchBrush(6, kBlack));
    EXPECT_FALSE(brush.CreateHatchBrush(-1, kBlack));
    const LOGBRUSH pattern{3 /* BS_PATTERN */, 0, 0};
    EXPECT_FALSE(brush.CreateBrushIndirect(&pattern));
    EXPECT_FALSE(brush.CreateBrushIndirect(nullptr));
    EXPECT_TRUE(brush.CreateHatchBrush(HS_DIAGCROSS, kBlack));
}

// Deleting an object still selected somewhere (or destroying its wrapper) only marks it;
// it goes when the last context or saved state lets go, and drawing with it is safe.
TEST(Handles, DeletionWaitsForTheLastSelection) {
    Canvas c(8, 4);
    CPen red(PS_SOLID, 1, kRed);
    const HGDIOBJ pen = red.m_hObject;
    CPen* original = c.dc.SelectObject(&red);
    ASSERT_NE(original, nullptr);
    EXPECT_TRUE(red.DeleteObject());
    EXPECT_EQ(red.m_hObject, nullptr);
    HGDIOBJ brush = nullptr;
    {
        CBrush blue(kBlue);
        brush = blue.m_hObject;
        c.dc.SelectObject(&blue);
    }
    const int level = c.dc.SaveDC();
    c.dc.SelectStockObject(BLACK_PEN);
    c.dc.SelectStockObject(WHITE_BRUSH);
    EXPECT_EQ(GetObjectType(pen), OBJ_PEN);  // the saved state holds both
    EXPECT_TRUE(c.dc.RestoreDC(level));
    EXPECT_TRUE(c.dc.Rectangle(0, 0, 8, 4));
    EXPECT_TRUE(PixelsAre(c.surface(), {"RRRRRRRR", "RBBBBBBR", "RBBBBBBR", "RRRRRRRR"}));
    EXPECT_EQ(c.dc.GetCurrentBrush()->m_hObject, brush);
    // Gone once deselected, so there is no previous pen to hand back.
    EXPECT_EQ(c.dc.SelectObject(original), nullptr);
    c.dc.SelectStockObject(WHITE_BRUSH);
    EXPECT_EQ(GetObjectType(pen), 0u);
    EXPECT_EQ(GetObjectType(brush), 0u);

    auto bitmap = std::make_unique<CBitmap>();
    bitmap->CreateCompatibleBitmap(&c.dc, 3, 3);
    c.dc.SelectObject(bitmap.get());
    bitmap.reset();
    EXPECT_TRUE(c.dc.Rectangle(0, 0, 3, 3));
    EXPECT_EQ(c.dc.GetPixel(0, 0), kBlack);
}

TEST(Handles, FromHandleAndDirectDeletion) {
    CPen pen(PS_SOLID, 1, kBlack);
    EXPECT_EQ(CPen::FromHandle(pen.m_hObject), &pen);
    EXPECT_EQ(CBrush::FromHandle(pen.m_hObject), nullptr);  // wrong kind
    EXPECT_TRUE(DeleteObject(pen.m_hObject));               // detaches its owner
    EXPECT_EQ(pen.m_hObject, nullptr);
    EXPECT_FALSE(pen.DeleteObject());
    EXPECT_TRUE(pen.CreatePen(PS_DOT, 1, kRed));  // reusable

    HGDIOBJ raw = CreateSolidBrush(kRed);
    CBrush* temporary = CBrush::FromHandle(raw);  // a temporary wrapper, the same each time
    ASSERT_NE(temporary, nullptr);
    EXPECT_EQ(CBrush::FromHandle(raw), temporary);
    EXPECT_TRUE(DeleteObject(raw));
    EXPECT_EQ(CBrush::FromHandle(raw), nullptr);
    EXPECT_FALSE(DeleteObject(raw));
    EXPECT_FALSE(DeleteObject(nullptr));
}

TEST(Bitmaps, SizesFailuresAndBits) {
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

    // Bits are blue, green, red, unused.
    const BYTE bits[] = {0x10, 0x20, 0x30, 0x00, 0xFF, 0x00, 0x00, 0x00};
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(2, 1, 1, 32, bits));
    EXPECT_EQ(bitmap.GetSurface()->GetPixel(0, 0), RGB(0x30, 0x20, 0x10));
    EXPECT_EQ(bitmap.GetSurface()->GetPixel(1, 0), kBlue);
    BYTE back[8] = {};
    EXPECT_EQ(bitmap.GetBitmapBits(sizeof back, back), 8u);
    EXPECT_EQ(std::memcmp(back, bits, sizeof bits), 0);
    EXPECT_EQ(bitmap.GetBitmapBits(6, back), 6u);
    EXPECT_EQ(bitmap.SetBitmapBits(100, bits), 8u);  // no more than the bitmap holds
}

// A bitmap is selected into one memory context at a time, and a restored state does not
// take it back from the context that has it now.
TEST(Bitmaps, SelectedIntoOneMemoryContextAtATime) {
    CDC dc, other;
    dc.CreateCompatibleDC(nullptr);
    other.CreateCompatibleDC(nullptr);
    CBitmap a, b;
    a.CreateCompatibleBitmap(&dc, 2, 2);
    b.CreateCompatibleBitmap(&dc, 3, 3);
    CBitmap* original = dc.SelectObject(&a);
    ASSERT_NE(original, nullptr);
    EXPECT_EQ(other.SelectObject(&a), nullptr);
    EXPECT_EQ(other.GetSurface()->Width(), 1);  // still its 1x1 bitmap
    const int level = dc.SaveDC();
    dc.SelectObject(&b);
    EXPECT_NE(other.SelectObject(&a), nullptr);
    EXPECT_TRUE(dc.RestoreDC(level));
    EXPECT_EQ(dc.GetSurface(), b.GetSurface());
    dc.SaveDC();
    dc.SelectObject(original);
    EXPECT_TRUE(dc.RestoreDC(-1));
    EXPECT_EQ(dc.GetCurrentBitmap(), &b);

    plat::Surface screen(4, 4);
    CDC window;
    window.AttachSurface(screen);
    EXPECT_EQ(window.SelectObject(original), nullptr);  // only memory contexts take bitmaps
    EXPECT_EQ(window.GetSurface(), &screen);
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
    region.SetRectRgn(5, 5, 5, 9);
    EXPECT_EQ(region.GetRgnBox(&box), NULLREGION);
    EXPECT_TRUE(box.IsRectNull());
    CRgn none;
    EXPECT_EQ(none.GetRgnBox(&box), RGN_ERROR);
}

TEST(Fonts, OverlongFaceNameIsCut) {
    CFont font;
    ASSERT_TRUE(font.CreateFont(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0,
                                "A face name that is far longer than thirty-one bytes"));
    LOGFONTA lf{};
    EXPECT_TRUE(font.GetLogFont(&lf));
    EXPECT_STREQ(lf.lfFaceName, "A face name that is far longer ");  // 31 bytes and the end
}
