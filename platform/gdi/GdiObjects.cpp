// CPen, CBrush, CBitmap, CRgn and CFont.

#include "platform/gdi/GdiObjects.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/CFont.h"
#include "platform/gdi/GdiObjectData.h"

using plat::GdiKind;
namespace gdi_table = plat::gdi_table;

namespace {

// Takes ownership of a freshly created handle; an object that already owns one keeps it
// and the new handle is deleted again.
BOOL Adopt(CGdiObject& owner, HGDIOBJ handle) {
    if (!handle) {
        return FALSE;
    }
    if (!owner.Attach(handle)) {
        ::DeleteObject(handle);
        return FALSE;
    }
    return TRUE;
}

template <class T>
T* ObjectOf(HGDIOBJ handle, GdiKind kind) {
    return gdi_table::FindAs<T>(handle, kind, true);
}

}  // namespace

// ---- CPen ------------------------------------------------------------------------------

const CRuntimeClass CPen::runtimeClass = plat::MakeRuntimeClass<CPen, CGdiObject>("CPen");

CPen::CPen(int style, int width, COLORREF colour) {
    CreatePen(style, width, colour);
}

BOOL CPen::CreatePen(int style, int width, COLORREF colour) {
    return !m_hObject && Adopt(*this, ::CreatePen(style, width, colour));
}

BOOL CPen::CreatePenIndirect(const LOGPEN* logPen) {
    return !m_hObject && Adopt(*this, ::CreatePenIndirect(logPen));
}

int CPen::GetLogPen(LOGPEN* logPen) const {
    return GetObject(sizeof(LOGPEN), logPen) != 0;
}

CPen* CPen::FromHandle(HPEN handle) {
    return ObjectOf<plat::PenObject>(handle, GdiKind::Pen)
               ? static_cast<CPen*>(CGdiObject::FromHandle(handle))
               : nullptr;
}

// ---- CBrush ----------------------------------------------------------------------------

const CRuntimeClass CBrush::runtimeClass = plat::MakeRuntimeClass<CBrush, CGdiObject>("CBrush");

CBrush::CBrush(COLORREF colour) {
    CreateSolidBrush(colour);
}

CBrush::CBrush(int hatch, COLORREF colour) {
    CreateHatchBrush(hatch, colour);
}

BOOL CBrush::CreateSolidBrush(COLORREF colour) {
    return !m_hObject && Adopt(*this, ::CreateSolidBrush(colour));
}

BOOL CBrush::CreateHatchBrush(int hatch, COLORREF colour) {
    return !m_hObject && Adopt(*this, ::CreateHatchBrush(hatch, colour));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* logBrush) {
    return !m_hObject && Adopt(*this, ::CreateBrushIndirect(logBrush));
}

int CBrush::GetLogBrush(LOGBRUSH* logBrush) const {
    return GetObject(sizeof(LOGBRUSH), logBrush) != 0;
}

CBrush* CBrush::FromHandle(HBRUSH handle) {
    return ObjectOf<plat::BrushObject>(handle, GdiKind::Brush)
               ? static_cast<CBrush*>(CGdiObject::FromHandle(handle))
               : nullptr;
}

// ---- CBitmap ---------------------------------------------------------------------------

const CRuntimeClass CBitmap::runtimeClass = plat::MakeRuntimeClass<CBitmap, CGdiObject>("CBitmap");

namespace {

// Device bits are B, G, R, unused; a COLORREF is R, G, B, 0 in memory.
constexpr std::uint32_t SwapRedBlue(std::uint32_t v) {
    return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

HBITMAP NewBitmap(int width, int height) {
    auto bitmap = std::make_unique<plat::BitmapObject>();
    if (!bitmap->surface.Reset(width, height)) {
        return nullptr;
    }
    return gdi_table::Add(std::move(bitmap));
}

}  // namespace

BOOL CBitmap::CreateCompatibleBitmap(CDC* /*dc: every device is 32-bit*/, int width, int height) {
    if (m_hObject || width < 0 || height < 0) {
        return FALSE;
    }
    if (width == 0 || height == 0) {
        width = height = 1;
    }
    return Adopt(*this, NewBitmap(width, height));
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel,
                           const void* bits) {
    if (m_hObject || planes != 1 || bitsPerPixel != 32 || width < 0 || height < 0) {
        return FALSE;
    }
    if (width == 0 || height == 0) {
        width = height = 1;
        bits = nullptr;
    }
    if (!Adopt(*this, NewBitmap(width, height))) {
        return FALSE;
    }
    if (bits) {
        SetBitmapBits(static_cast<DWORD>(width) * height * 4, bits);
    }
    return TRUE;
}

plat::Surface* CBitmap::GetSurface() const {
    auto* bitmap = ObjectOf<plat::BitmapObject>(m_hObject, GdiKind::Bitmap);
    return bitmap ? &bitmap->surface : nullptr;
}

int CBitmap::GetBitmap(BITMAP* info) const {
    return GetSurface() ? GetObject(sizeof(BITMAP), info) : 0;
}

DWORD CBitmap::GetBitmapBits(DWORD count, LPVOID bits) const {
    const plat::Surface* surface = GetSurface();
    if (!surface || !bits) {
        return 0;
    }
    const auto pixels = surface->Pixels();
    const DWORD total = std::min<DWORD>(count, static_cast<DWORD>(pixels.size() * 4));
    auto* out = static_cast<BYTE*>(bits);
    for (DWORD done = 0; done < total; done += 4) {
        const std::uint32_t device = SwapRedBlue(pixels[done / 4]);
        std::memcpy(out + done, &device, std::min<DWORD>(4, total - done));
    }
    return total;
}

DWORD CBitmap::SetBitmapBits(DWORD count, const void* bits) {
    plat::Surface* surface = GetSurface();
    if (!surface || !bits) {
        return 0;
    }
    const auto pixels = surface->Pixels();
    const DWORD whole = std::min<DWORD>(count / 4, static_cast<DWORD>(pixels.size()));
    const auto* in = static_cast<const BYTE*>(bits);
    for (DWORD i = 0; i < whole; ++i) {
        std::uint32_t device;
        std::memcpy(&device, in + i * 4, 4);
        pixels[i] = SwapRedBlue(device);
    }
    return whole * 4;
}

CBitmap* CBitmap::FromHandle(HBITMAP handle) {
    return ObjectOf<plat::BitmapObject>(handle, GdiKind::Bitmap)
               ? static_cast<CBitmap*>(CGdiObject::FromHandle(handle))
               : nullptr;
}

// ---- CRgn ------------------------------------------------------------------------------

const CRuntimeClass CRgn::runtimeClass = plat::MakeRuntimeClass<CRgn, CGdiObject>("CRgn");

namespace {

RECT RegionRect(int left, int top, int right, int bottom) {
    CRect rect(left, top, right, bottom);
    rect.NormalizeRect();
    return rect.IsRectEmpty() ? CRect() : rect;
}

}  // namespace

BOOL CRgn::CreateRectRgn(int left, int top, int right, int bottom) {
    return !m_hObject && Adopt(*this, ::CreateRectRgn(left, top, right, bottom));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT rect) {
    return rect && CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

void CRgn::SetRectRgn(int left, int top, int right, int bottom) {
    if (auto* region = ObjectOf<plat::RegionObject>(m_hObject, GdiKind::Region)) {
        region->rect = RegionRect(left, top, right, bottom);
    }
}

void CRgn::SetRectRgn(LPCRECT rect) {
    if (rect) {
        SetRectRgn(rect->left, rect->top, rect->right, rect->bottom);
    }
}

int CRgn::GetRgnBox(LPRECT rect) const {
    const auto* region = ObjectOf<plat::RegionObject>(m_hObject, GdiKind::Region);
    if (!region) {
        return RGN_ERROR;
    }
    if (rect) {
        *rect = region->rect;
    }
    return IsRectEmpty(&region->rect) ? NULLREGION : SIMPLEREGION;
}

int CRgn::OffsetRgn(int dx, int dy) {
    auto* region = ObjectOf<plat::RegionObject>(m_hObject, GdiKind::Region);
    if (!region) {
        return RGN_ERROR;
    }
    if (!IsRectEmpty(&region->rect)) {
        ::OffsetRect(&region->rect, dx, dy);
    }
    return GetRgnBox(nullptr);
}

BOOL CRgn::PtInRegion(int x, int y) const {
    const auto* region = ObjectOf<plat::RegionObject>(m_hObject, GdiKind::Region);
    return region && ::PtInRect(&region->rect, POINT{x, y});
}

BOOL CRgn::RectInRegion(LPCRECT rect) const {
    const auto* region = ObjectOf<plat::RegionObject>(m_hObject, GdiKind::Region);
    if (!region || !rect) {
        return FALSE;
    }
    CRect probe(*rect);
    probe.NormalizeRect();
    RECT overlap;
    return ::IntersectRect(&overlap, &probe, &region->rect);
}

CRgn* CRgn::FromHandle(HRGN handle) {
    return ObjectOf<plat::RegionObject>(handle, GdiKind::Region)
               ? static_cast<CRgn*>(CGdiObject::FromHandle(handle))
               : nullptr;
}

// ---- CFont -----------------------------------------------------------------------------

const CRuntimeClass CFont::runtimeClass = plat::MakeRuntimeClass<CFont, CGdiObject>("CFont");

BOOL CFont::CreateFontIndirect(const LOGFONTA* logFont) {
    return !m_hObject && Adopt(*this, ::CreateFontIndirectA(logFont));
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight,
                       BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                       BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, LPCSTR faceName) {
    LOGFONTA logFont{height,        width,     escapement,     orientation, weight,
                     italic,        underline, strikeOut,      charSet,     outPrecision,
                     clipPrecision, quality,   pitchAndFamily, {}};
    if (faceName) {
        std::strncpy(logFont.lfFaceName, faceName, LF_FACESIZE - 1);
    }
    return CreateFontIndirect(&logFont);
}

int CFont::GetLogFont(LOGFONTA* logFont) const {
    return GetObject(sizeof(LOGFONTA), logFont) != 0;
}

CFont* CFont::FromHandle(HFONT handle) {
    return ObjectOf<plat::FontObject>(handle, GdiKind::Font)
               ? static_cast<CFont*>(CGdiObject::FromHandle(handle))
               : nullptr;
}
