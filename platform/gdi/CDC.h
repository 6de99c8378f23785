#pragma once
// CDC: the framework's device context, a thin adapter from the drawing interface's state
// (selected pen, brush, font and bitmap, colours, modes, origins, clip) to the rasteriser.
// It draws into a plat::Surface: the bitmap selected into a memory context, or a surface
// the platform attaches (a window's part of the screen, a printer page, a test bitmap).
//
// Coordinates are logical (MM_TEXT: device = logical - window origin + viewport origin);
// device coordinates are relative to the context's origin on its surface. Rectangles
// exclude their right and bottom edges; LineTo excludes its end pixel.

#include <memory>

#include "platform/core/CObject.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/GdiObjects.h"

namespace plat {

// What GetDeviceCaps reports about the device behind a context.
struct DeviceInfo {
    int horzRes = 1920;
    int vertRes = 1080;
    int logPixelsX = 96;
    int logPixelsY = 96;
    int technology = DT_RASDISPLAY;
};

// The screen's description; memory contexts made without a model report it too.
SUI_API DeviceInfo ScreenDeviceInfo();
SUI_API void SetScreenDeviceInfo(const DeviceInfo& info);

struct DcData;

}  // namespace plat

class SUI_API CDC : public CObject {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    CDC();
    ~CDC() override;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }  // NOLINT: the framework converts
    static CDC* FromHandle(HDC hdc);

    // ---- Creation
    // A memory context holding a 1x1 bitmap until one is selected; it reports the
    // model's device (the screen's when model is null).
    BOOL CreateCompatibleDC(CDC* model);
    // Draw into a surface owned elsewhere. origin is device (0, 0) on the surface;
    // visible (surface coordinates, default all of it) bounds every clip. FALSE when the
    // context already exists.
    BOOL AttachSurface(plat::Surface& surface, POINT origin = POINT{0, 0},
                       const RECT* visible = nullptr);
    void SetDeviceInfo(const plat::DeviceInfo& info);
    // Releases the context and its selections; the state returns to the defaults.
    BOOL DeleteDC();
    // The surface drawn into, nullptr before the context exists.
    plat::Surface* GetSurface() const;

    // ---- Objects
    // Each answers the object it replaced, or nullptr (selection unchanged) when the
    // object is not usable. A bitmap goes only into a memory context and only into one
    // context at a time. A replaced object that was deleted while selected goes away
    // now, and nullptr is answered for it.
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    int SelectObject(CRgn* region);  // = SelectClipRgn
    CGdiObject* SelectObject(CGdiObject* object);
    HGDIOBJ SelectObject(HGDIOBJ handle);
    CGdiObject* SelectStockObject(int index);
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;
    COLORREF SetDCBrushColor(COLORREF colour);
    COLORREF GetDCBrushColor() const;
    COLORREF SetDCPenColor(COLORREF colour);
    COLORREF GetDCPenColor() const;

    // ---- State (SaveDC keeps all of it, selections and clip included)
    int SaveDC();
    // A level from SaveDC, or -n for the n-th most recent; the levels above go too.
    BOOL RestoreDC(int savedDC);
    COLORREF SetBkColor(COLORREF colour);
    COLORREF GetBkColor() const;
    int SetBkMode(int mode);  // TRANSPARENT or OPAQUE; 0 for anything else
    int GetBkMode() const;
    int SetPolyFillMode(int mode);  // ALTERNATE or WINDING; 0 for anything else
    int GetPolyFillMode() const;
    CPoint SetBrushOrg(int x, int y);
    CPoint SetBrushOrg(POINT point) { return SetBrushOrg(point.x, point.y); }
    CPoint GetBrushOrg() const;
    int SetMapMode(int mode);  // MM_TEXT only; 0 for any other
    int GetMapMode() const;
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
    CPoint OffsetViewportOrg(int dx, int dy);
    CPoint GetViewportOrg() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }
    CPoint OffsetWindowOrg(int dx, int dy);
    CPoint GetWindowOrg() const;
    void LPtoDP(LPPOINT points, int count = 1) const;
    void LPtoDP(LPRECT rect) const;
    void DPtoLP(LPPOINT points, int count = 1) const;
    void DPtoLP(LPRECT rect) const;
    int GetDeviceCaps(int index) const;

    // Text state. Text output itself (TextOut, ExtTextOut, DrawText, GetTextExtent,
    // GetTextMetrics) is added by the text layer on the selected font and these settings.
    COLORREF SetTextColor(COLORREF colour);
    COLORREF GetTextColor() const;
    UINT SetTextAlign(UINT flags);
    UINT GetTextAlign() const;

    // ---- Clipping (rectangular): answers NULLREGION, SIMPLEREGION or RGN_ERROR
    int GetClipBox(LPRECT rect) const;
    int IntersectClipRect(int left, int top, int right, int bottom);
    int IntersectClipRect(LPCRECT rect);
    // A region in device coordinates; null removes the clip.
    int SelectClipRgn(CRgn* region);
    virtual BOOL PtVisible(int x, int y) const;
    BOOL PtVisible(POINT point) const { return PtVisible(point.x, point.y); }
    virtual BOOL RectVisible(LPCRECT rect) const;

    // ---- Lines (current pen; styled one-pixel pens dash, the phase restarting per call)
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    CPoint GetCurrentPosition() const;
    BOOL Polyline(const POINT* points, int count);
    BOOL PolylineTo(const POINT* points, int count);

    // ---- Shapes (current brush inside, current pen around)
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(LPCRECT rect);
    BOOL Ellipse(int left, int top, int right, int bottom);
    BOOL Ellipse(LPCRECT rect);
    BOOL Polygon(const POINT* points, int count);
    void FillRect(LPCRECT rect, CBrush* brush);
    // Like the framework this leaves the background colour set to colour. The
    // rectangle is normalised first.
    void FillSolidRect(LPCRECT rect, COLORREF colour);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF colour);
    void FrameRect(LPCRECT rect, CBrush* brush);
    void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);

    // ---- Pixels and blocks
    // CLR_INVALID outside the clip.
    COLORREF SetPixel(int x, int y, COLORREF colour);
    COLORREF SetPixel(POINT point, COLORREF colour) { return SetPixel(point.x, point.y, colour); }
    BOOL SetPixelV(int x, int y, COLORREF colour) { return SetPixel(x, y, colour) != CLR_INVALID; }
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(POINT point) const { return GetPixel(point.x, point.y); }
    // Non-positive extents copy nothing. Pixels whose source lies outside the source's
    // surface are left alone. The pattern is this context's brush.
    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource,
                DWORD rop);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);

private:
    std::unique_ptr<plat::DcData> d_;
};
