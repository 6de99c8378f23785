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
#include "platform/core/CString.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/ColumnChain.h"
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

    // Text state: used by the text calls below.
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
    // The polyline through the points of the chains (plat::ColumnChain): dense plots
    // folded into pixel columns, drawn a column at a time with a solid one-pixel pen.
    BOOL PolylineColumns(const plat::ColumnChain* chains, int count);

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

    // ---- Text (CDCText.cpp). Text is Windows-1252 bytes drawn with the selected font:
    // grayscale glyphs blended over the surface in the text colour. A negative count
    // means up to the terminating NUL. With OPAQUE background mode each piece of text
    // first fills its cell (advance width x tmHeight) with the background colour.
    //
    // TextOut and ExtTextOut place the text by the context's alignment: TA_LEFT,
    // TA_CENTER or TA_RIGHT of the reference point, its top (TA_TOP), baseline
    // (TA_BASELINE) or bottom (TA_BOTTOM); with TA_UPDATECP the current position is the
    // reference point and moves past left- and right-aligned text.
    virtual BOOL TextOut(int x, int y, LPCTSTR text, int count);
    BOOL TextOut(int x, int y, const CString& text);
    // ETO_OPAQUE fills rect with the background colour, ETO_CLIPPED clips the text to
    // it. dxWidths (may be null) gives the distance from each character to the next.
    virtual BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCTSTR text, UINT count,
                            const int* dxWidths);
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text,
                    const int* dxWidths);
    // Tabs go to the given stops, measured from tabOrigin: none = every 8 average
    // character widths, one = every that many units. Answers the text's extent.
    virtual CSize TabbedTextOut(int x, int y, LPCTSTR text, int count, int tabPositions,
                                const int* tabStops, int tabOrigin);
    CSize TabbedTextOut(int x, int y, const CString& text, int tabPositions, const int* tabStops,
                        int tabOrigin);
    // Formatted text in a rectangle (DT_ flags, TextTypes.h); the context's alignment is
    // not used. Answers the height of the text (from rect->top to the text's bottom when
    // vertically placed), 0 on failure. DT_CALCRECT draws nothing and sets rect->right
    // and rect->bottom to the text's extent.
    virtual int DrawText(LPCTSTR text, int count, LPRECT rect, UINT format);
    int DrawText(const CString& text, LPRECT rect, UINT format);
    virtual int DrawTextEx(LPTSTR text, int count, LPRECT rect, UINT format,
                           LPDRAWTEXTPARAMS params);
    int DrawTextEx(const CString& text, LPRECT rect, UINT format, LPDRAWTEXTPARAMS params);

    // Width of the text and tmHeight of the selected font; (0, 0) for bad arguments.
    CSize GetTextExtent(LPCTSTR text, int count) const;
    CSize GetTextExtent(const CString& text) const;
    CSize GetOutputTextExtent(LPCTSTR text, int count) const;
    CSize GetOutputTextExtent(const CString& text) const;
    CSize GetTabbedTextExtent(LPCTSTR text, int count, int tabPositions, const int* tabStops) const;
    CSize GetTabbedTextExtent(const CString& text, int tabPositions, const int* tabStops) const;
    BOOL GetTextMetrics(LPTEXTMETRIC metrics) const;
    BOOL GetOutputTextMetrics(LPTEXTMETRIC metrics) const;
    // The face the selected font was realised with (e.g. "DejaVu Sans").
    int GetTextFace(int count, LPTSTR faceName) const;
    int GetTextFace(CString& faceName) const;

private:
    std::unique_ptr<plat::DcData> d_;
};

// The Win32 calls on a device context handle.
SUI_API BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR text, int count, LPSIZE size);
inline BOOL GetTextExtentPoint32(HDC hdc, LPCSTR text, int count, LPSIZE size) {
    return GetTextExtentPoint32A(hdc, text, count, size);
}
SUI_API BOOL GetTextMetricsA(HDC hdc, LPTEXTMETRICA metrics);
