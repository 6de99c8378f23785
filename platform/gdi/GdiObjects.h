#pragma once
// The framework's pens, brushes, bitmaps and regions. Each owns one drawing object;
// creating into an object that already owns one fails (delete it first).

#include "platform/gdi/CGdiObject.h"
#include "platform/gdi/Surface.h"

class CDC;

// A pen: PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL or PS_INSIDEFRAME.
// Width 0 or 1 is one device pixel (the only width that draws dashes); wider pens are
// solid with round ends and joins.
class SUI_API CPen : public CGdiObject {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    CPen() = default;
    // Leaves the pen empty when the arguments are refused.
    CPen(int style, int width, COLORREF colour);

    BOOL CreatePen(int style, int width, COLORREF colour);
    BOOL CreatePenIndirect(const LOGPEN* logPen);
    int GetLogPen(LOGPEN* logPen) const;

    static CPen* FromHandle(HPEN handle);
    operator HPEN() const { return m_hObject; }  // NOLINT: the framework converts
};

// A brush: solid, hatched (six 8x8 hatches) or null.
class SUI_API CBrush : public CGdiObject {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    CBrush() = default;
    explicit CBrush(COLORREF colour);
    CBrush(int hatch, COLORREF colour);

    BOOL CreateSolidBrush(COLORREF colour);
    BOOL CreateHatchBrush(int hatch, COLORREF colour);
    BOOL CreateBrushIndirect(const LOGBRUSH* logBrush);
    int GetLogBrush(LOGBRUSH* logBrush) const;

    static CBrush* FromHandle(HBRUSH handle);
    operator HBRUSH() const { return m_hObject; }  // NOLINT: the framework converts
};

// A bitmap of 32-bit pixels (see plat::Surface). Bitmap bits handed in or out are the
// 32-bit device layout: bytes blue, green, red, unused per pixel, rows top-down.
class SUI_API CBitmap : public CGdiObject {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    // Black pixels. A zero width or height gives a 1x1 bitmap; negative or too large
    // sizes fail.
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    // planes must be 1 and bitsPerPixel 32; bits (may be null) holds height rows of
    // width pixels.
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
    // The bitmap resource id of the newest module on the chain that holds it.
    BOOL LoadBitmap(UINT resourceId);
    int GetBitmap(BITMAP* info) const;
    // Copies up to count bytes of the pixels out of or into the bitmap; answers the
    // number of bytes copied.
    DWORD GetBitmapBits(DWORD count, LPVOID bits) const;
    DWORD SetBitmapBits(DWORD count, const void* bits);

    // The pixels, for the platform's image lists, snapshots and backends.
    plat::Surface* GetSurface() const;

    static CBitmap* FromHandle(HBITMAP handle);
    operator HBITMAP() const { return m_hObject; }  // NOLINT: the framework converts
};

// A rectangular region (the only shape the drawing layer clips to).
class SUI_API CRgn : public CGdiObject {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    BOOL CreateRectRgn(int left, int top, int right, int bottom);
    BOOL CreateRectRgnIndirect(LPCRECT rect);
    void SetRectRgn(int left, int top, int right, int bottom);
    void SetRectRgn(LPCRECT rect);
    // NULLREGION, SIMPLEREGION, or RGN_ERROR without a region.
    int GetRgnBox(LPRECT rect) const;
    int OffsetRgn(int dx, int dy);
    BOOL PtInRegion(int x, int y) const;
    BOOL PtInRegion(POINT point) const { return PtInRegion(point.x, point.y); }
    BOOL RectInRegion(LPCRECT rect) const;

    static CRgn* FromHandle(HRGN handle);
    operator HRGN() const { return m_hObject; }  // NOLINT: the framework converts
};
