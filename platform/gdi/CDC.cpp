// CDC: creation, selection, state, coordinates and clipping. Drawing is in CDCDraw.cpp.

#include "platform/gdi/CDC.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <utility>

#include "platform/gdi/DcData.h"

using plat::DcData;
using plat::DcState;
using plat::GdiKind;
using plat::Selection;

namespace plat {

namespace {

std::mutex& ScreenInfoMutex() {
    static std::mutex mutex;
    return mutex;
}
DeviceInfo& ScreenInfo() {
    static DeviceInfo info;
    return info;
}

}  // namespace

DeviceInfo ScreenDeviceInfo() {
    const std::lock_guard lock(ScreenInfoMutex());
    return ScreenInfo();
}

void SetScreenDeviceInfo(const DeviceInfo& info) {
    const std::lock_guard lock(ScreenInfoMutex());
    ScreenInfo() = info;
}

DcState::DcState()
    : pen(GetStockObject(BLACK_PEN)),
      brush(GetStockObject(WHITE_BRUSH)),
      font(GetStockObject(SYSTEM_FONT)) {}

Surface* DcData::Target() const {
    if (!created) {
        return nullptr;
    }
    if (!memory) {
        return external;
    }
    auto* bitmap = state.bitmap.As<BitmapObject>(GdiKind::Bitmap);
    return bitmap ? &bitmap->surface : nullptr;
}

RECT DcData::Visible() const {
    const Surface* surface = Target();
    if (!surface) {
        return RECT{};
    }
    const RECT bounds = surface->Bounds();
    if (memory) {
        return bounds;
    }
    RECT visibleRect;
    IntersectRect(&visibleRect, &visible, &bounds);
    return visibleRect;
}

RECT DcData::Clip() const {
    RECT clipRect = Visible();
    if (state.clip) {
        // The selected clip is in device coordinates; move it onto the surface in 64 bits
        // and let the intersection bring it back into range.
        const RECT& c = *state.clip;
        const Coord l = std::max<Coord>(Coord{c.left} + origin.x, clipRect.left);
        const Coord t = std::max<Coord>(Coord{c.top} + origin.y, clipRect.top);
        const Coord r = std::min<Coord>(Coord{c.right} + origin.x, clipRect.right);
        const Coord b = std::min<Coord>(Coord{c.bottom} + origin.y, clipRect.bottom);
        if (r <= l || b <= t) {
            return RECT{};
        }
        clipRect = RECT{static_cast<LONG>(l), static_cast<LONG>(t), static_cast<LONG>(r),
                        static_cast<LONG>(b)};
    }
    return clipRect;
}

Coord DcData::OffsetX() const {
    return Coord{state.viewportOrigin.x} - state.windowOrigin.x + origin.x;
}
Coord DcData::OffsetY() const {
    return Coord{state.viewportOrigin.y} - state.windowOrigin.y + origin.y;
}

Point64 DcData::ToSurface(Coord x, Coord y) const {
    return Point64{x + OffsetX(), y + OffsetY()};
}

Paint DcData::BrushPaint(const BrushObject* brush) const {
    if (!brush) {
        return Paint{};
    }
    const LOGBRUSH& lb = brush->logBrush;
    const COLORREF colour = brush->dcBrush ? state.dcBrushColour : lb.lbColor;
    switch (lb.lbStyle) {
        case BS_SOLID:
            return Paint::Solid(colour);
        case BS_HATCHED:
            return Paint::Hatched(static_cast<int>(lb.lbHatch), colour, state.bkMode == OPAQUE,
                                  state.bkColour,
                                  Point64{Coord{origin.x} + state.brushOrigin.x,
                                          Coord{origin.y} + state.brushOrigin.y});
        default:
            return Paint{};
    }
}

PenPlan DcData::Pen() const {
    PenPlan plan;
    const auto* pen = state.pen.As<PenObject>(GdiKind::Pen);
    if (!pen || pen->style == PS_NULL) {
        return plan;
    }
    plan.colour = PixelOf(pen->dcPen ? state.dcPenColour : pen->logPen.lopnColor);
    plan.width = pen->width;
    plan.insideFrame = pen->insideFrame;
    if (pen->width > 1) {
        plan.kind = PenPlan::Kind::Wide;
        return plan;
    }
    plan.kind = PenPlan::Kind::Cosmetic;
    plan.cosmetic = CosmeticPen{plan.colour, DashPatternFor(pen->style), state.bkMode == OPAQUE,
                                state.bkColour};
    return plan;
}

}  // namespace plat

namespace {

int Complexity(const RECT& rect) {
    return IsRectEmpty(&rect) ? NULLREGION : SIMPLEREGION;
}

// A 64-bit coordinate brought back into 32 bits (only ever needed for far-off values).
LONG Narrow(plat::Coord v) {
    return static_cast<LONG>(std::clamp<plat::Coord>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

const CRuntimeClass CDC::runtimeClass = plat::MakeRuntimeClass<CDC, CObject>("CDC");

CDC::CDC() : d_(std::make_unique<DcData>()) {}

CDC::~CDC() {
    DeleteDC();
}

CDC* CDC::FromHandle(HDC hdc) {
    return reinterpret_cast<CDC*>(hdc);
}

// ---- Creation --------------------------------------------------------------------------

BOOL CDC::CreateCompatibleDC(CDC* model) {
    if (d_->created) {
        return FALSE;
    }
    d_->created = true;
    d_->memory = true;
    d_->info = model ? model->d_->info : plat::ScreenDeviceInfo();
    d_->state.bitmap = Selection(plat::gdi_table::DefaultBitmap());
    m_hDC = reinterpret_cast<HDC>(this);
    return TRUE;
}

BOOL CDC::AttachSurface(plat::Surface& surface, POINT origin, const RECT* visible) {
    if (d_->created) {
        return FALSE;
    }
    d_->created = true;
    d_->memory = false;
    d_->external = &surface;
    d_->origin = origin;
    d_->visible = visible ? *visible : surface.Bounds();
    m_hDC = reinterpret_cast<HDC>(this);
    return TRUE;
}

void CDC::SetDeviceInfo(const plat::DeviceInfo& info) {
    d_->info = info;
}

BOOL CDC::DeleteDC() {
    if (!d_->created) {
        return FALSE;
    }
    if (auto* bitmap = d_->state.bitmap.As<plat::BitmapObject>(GdiKind::Bitmap);
        bitmap && bitmap->selectedInto == this) {
        bitmap->selectedInto = nullptr;
    }
    d_ = std::make_unique<DcData>();
    m_hDC = nullptr;
    return TRUE;
}

plat::Surface* CDC::GetSurface() const {
    return d_->Target();
}

// ---- Objects ---------------------------------------------------------------------------

namespace {

// Moves the bitmap mark from the current bitmap to the next one; false when the next one
// is held by another context (or this is not a memory context). The shared 1x1 bitmap
// of new memory contexts carries no mark.
bool TakeBitmap(DcData& d, const CDC* dc, const Selection& next) {
    auto* bitmap = next.As<plat::BitmapObject>(GdiKind::Bitmap);
    if (!d.memory || !bitmap) {
        return false;
    }
    const bool shared = plat::gdi_table::IsStock(next.Handle());
    if (!shared && bitmap->selectedInto && bitmap->selectedInto != dc) {
        return false;
    }
    if (auto* current = d.state.bitmap.As<plat::BitmapObject>(GdiKind::Bitmap);
        current && current->selectedInto == dc) {
        current->selectedInto = nullptr;
    }
    if (!shared) {
        bitmap->selectedInto = dc;
    }
    return true;
}

}  // namespace

HGDIOBJ CDC::SelectObject(HGDIOBJ handle) {
    Selection next(handle);
    if (!next.Get()) {
        return nullptr;
    }
    plat::DcState& s = d_->state;
    Selection* slot = nullptr;
    switch (next.Get()->kind) {
        case GdiKind::Pen:
            slot = &s.pen;
            break;
        case GdiKind::Brush:
            slot = &s.brush;
            break;
        case GdiKind::Font:
            slot = &s.font;
            break;
        case GdiKind::Bitmap:
            if (!TakeBitmap(*d_, this, next)) {
                return nullptr;
            }
            slot = &s.bitmap;
            break;
        case GdiKind::Region:
            return reinterpret_cast<HGDIOBJ>(
                static_cast<std::intptr_t>(SelectClipRgn(CRgn::FromHandle(handle))));
    }
    HGDIOBJ previous = slot->Handle();
    *slot = std::move(next);
    return previous;
}

CPen* CDC::SelectObject(CPen* pen) {
    if (!pen || !plat::gdi_table::FindAs<plat::PenObject>(pen->m_hObject, GdiKind::Pen)) {
        return nullptr;
    }
    return CPen::FromHandle(SelectObject(pen->m_hObject));
}

CBrush* CDC::SelectObject(CBrush* brush) {
    if (!brush || !plat::gdi_table::FindAs<plat::BrushObject>(brush->m_hObject, GdiKind::Brush)) {
        return nullptr;
    }
    return CBrush::FromHandle(SelectObject(brush->m_hObject));
}

CFont* CDC::SelectObject(CFont* font) {
    if (!font || !plat::gdi_table::FindAs<plat::FontObject>(font->m_hObject, GdiKind::Font)) {
        return nullptr;
    }
    return CFont::FromHandle(SelectObject(font->m_hObject));
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
    if (!bitmap ||
        !plat::gdi_table::FindAs<plat::BitmapObject>(bitmap->m_hObject, GdiKind::Bitmap)) {
        return nullptr;
    }
    return CBitmap::FromHandle(SelectObject(bitmap->m_hObject));
}

int CDC::SelectObject(CRgn* region) {
    return SelectClipRgn(region);
}

CGdiObject* CDC::SelectObject(CGdiObject* object) {
    if (!object) {
        return nullptr;
    }
    if (object->GetObjectType() == OBJ_REGION) {
        SelectClipRgn(static_cast<CRgn*>(object));
        return nullptr;
    }
    return CGdiObject::FromHandle(SelectObject(object->m_hObject));
}

CGdiObject* CDC::SelectStockObject(int index) {
    HGDIOBJ stock = GetStockObject(index);
    return stock ? CGdiObject::FromHandle(SelectObject(stock)) : nullptr;
}

CPen* CDC::GetCurrentPen() const {
    return CPen::FromHandle(d_->state.pen.Handle());
}
CBrush* CDC::GetCurrentBrush() const {
    return CBrush::FromHandle(d_->state.brush.Handle());
}
CFont* CDC::GetCurrentFont() const {
    return CFont::FromHandle(d_->state.font.Handle());
}
CBitmap* CDC::GetCurrentBitmap() const {
    return CBitmap::FromHandle(d_->state.bitmap.Handle());
}

COLORREF CDC::SetDCBrushColor(COLORREF colour) {
    return std::exchange(d_->state.dcBrushColour, colour);
}
COLORREF CDC::GetDCBrushColor() const {
    return d_->state.dcBrushColour;
}
COLORREF CDC::SetDCPenColor(COLORREF colour) {
    return std::exchange(d_->state.dcPenColour, colour);
}
COLORREF CDC::GetDCPenColor() const {
    return d_->state.dcPenColour;
}

// ---- State -----------------------------------------------------------------------------

int CDC::SaveDC() {
    d_->saved.push_back(d_->state);
    return static_cast<int>(d_->saved.size());
}

BOOL CDC::RestoreDC(int savedDC) {
    const int depth = static_cast<int>(d_->saved.size());
    const int level = savedDC < 0 ? depth + 1 + savedDC : savedDC;
    if (savedDC == 0 || level < 1 || level > depth) {
        return FALSE;
    }
    plat::DcState restored = std::move(d_->saved[level - 1]);
    d_->saved.resize(level - 1);
    // The saved bitmap comes back only if no other context took it meanwhile.
    if (restored.bitmap.Handle() != d_->state.bitmap.Handle() &&
        !TakeBitmap(*d_, this, restored.bitmap)) {
        restored.bitmap = d_->state.bitmap;
    }
    d_->state = std::move(restored);
    return TRUE;
}

COLORREF CDC::SetBkColor(COLORREF colour) {
    return std::exchange(d_->state.bkColour, colour);
}
COLORREF CDC::GetBkColor() const {
    return d_->state.bkColour;
}

int CDC::SetBkMode(int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) {
        return 0;
    }
    return std::exchange(d_->state.bkMode, mode);
}
int CDC::GetBkMode() const {
    return d_->state.bkMode;
}

int CDC::SetPolyFillMode(int mode) {
    if (mode != ALTERNATE && mode != WINDING) {
        return 0;
    }
    return std::exchange(d_->state.polyFillMode, mode);
}
int CDC::GetPolyFillMode() const {
    return d_->state.polyFillMode;
}

CPoint CDC::SetBrushOrg(int x, int y) {
    return std::exchange(d_->state.brushOrigin, POINT{x, y});
}
CPoint CDC::GetBrushOrg() const {
    return d_->state.brushOrigin;
}

int CDC::SetMapMode(int mode) {
    return mode == MM_TEXT ? MM_TEXT : 0;
}
int CDC::GetMapMode() const {
    return MM_TEXT;
}

CPoint CDC::SetViewportOrg(int x, int y) {
    return std::exchange(d_->state.viewportOrigin, POINT{x, y});
}
CPoint CDC::OffsetViewportOrg(int dx, int dy) {
    const CPoint old = d_->state.viewportOrigin;
    SetViewportOrg(old + CSize(dx, dy));
    return old;
}
CPoint CDC::GetViewportOrg() const {
    return d_->state.viewportOrigin;
}

CPoint CDC::SetWindowOrg(int x, int y) {
    return std::exchange(d_->state.windowOrigin, POINT{x, y});
}
CPoint CDC::OffsetWindowOrg(int dx, int dy) {
    const CPoint old = d_->state.windowOrigin;
    SetWindowOrg(old + CSize(dx, dy));
    return old;
}
CPoint CDC::GetWindowOrg() const {
    return d_->state.windowOrigin;
}

namespace {

// Logical to device and back in MM_TEXT: a translation.
POINT Translate(POINT p, plat::Coord dx, plat::Coord dy) {
    return POINT{Narrow(p.x + dx), Narrow(p.y + dy)};
}

}  // namespace

void CDC::LPtoDP(LPPOINT points, int count) const {
    const plat::Coord dx = d_->OffsetX() - d_->origin.x;
    const plat::Coord dy = d_->OffsetY() - d_->origin.y;
    for (int i = 0; points && i < count; ++i) {
        points[i] = Translate(points[i], dx, dy);
    }
}

void CDC::LPtoDP(LPRECT rect) const {
    if (rect) {
        POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
        LPtoDP(corners, 2);
        *rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    }
}

void CDC::DPtoLP(LPPOINT points, int count) const {
    const plat::Coord dx = d_->origin.x - d_->OffsetX();
    const plat::Coord dy = d_->origin.y - d_->OffsetY();
    for (int i = 0; points && i < count; ++i) {
        points[i] = Translate(points[i], dx, dy);
    }
}

void CDC::DPtoLP(LPRECT rect) const {
    if (rect) {
        POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
        DPtoLP(corners, 2);
        *rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    }
}

int CDC::GetDeviceCaps(int index) const {
    const plat::DeviceInfo& info = d_->info;
    const auto millimetres = [](int pixels, int dpi) {
        return dpi > 0 ? static_cast<int>(std::lround(pixels * 25.4 / dpi)) : 0;
    };
    switch (index) {
        case TECHNOLOGY:
            return info.technology;
        case HORZSIZE:
            return millimetres(info.horzRes, info.logPixelsX);
        case VERTSIZE:
            return millimetres(info.vertRes, info.logPixelsY);
        case HORZRES:
            return info.horzRes;
        case VERTRES:
            return info.vertRes;
        case BITSPIXEL:
            return 32;
        case PLANES:
            return 1;
        case NUMCOLORS:
            return -1;
        case RASTERCAPS:
            return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP;
        case LOGPIXELSX:
            return info.logPixelsX;
        case LOGPIXELSY:
            return info.logPixelsY;
        default:
            return 0;
    }
}

COLORREF CDC::SetTextColor(COLORREF colour) {
    return std::exchange(d_->state.textColour, colour);
}
COLORREF CDC::GetTextColor() const {
    return d_->state.textColour;
}
UINT CDC::SetTextAlign(UINT flags) {
    return std::exchange(d_->state.textAlign, flags);
}
UINT CDC::GetTextAlign() const {
    return d_->state.textAlign;
}

// ---- Clipping --------------------------------------------------------------------------

int CDC::GetClipBox(LPRECT rect) const {
    if (!d_->created) {
        return RGN_ERROR;
    }
    const RECT clip = d_->Clip();
    if (rect) {
        if (IsRectEmpty(&clip)) {
            SetRectEmpty(rect);
        } else {
            const plat::Coord dx = -d_->OffsetX();
            const plat::Coord dy = -d_->OffsetY();
            *rect = RECT{Narrow(clip.left + dx), Narrow(clip.top + dy), Narrow(clip.right + dx),
                         Narrow(clip.bottom + dy)};
        }
    }
    return Complexity(clip);
}

int CDC::IntersectClipRect(int left, int top, int right, int bottom) {
    if (!d_->created) {
        return RGN_ERROR;
    }
    // Logical to device in 64 bits, ordered; device coordinates beyond 32 bits are
    // outside every surface, so saturating them changes nothing.
    const plat::Coord dx = d_->OffsetX() - d_->origin.x;
    const plat::Coord dy = d_->OffsetY() - d_->origin.y;
    CRect rect(Narrow(left + dx), Narrow(top + dy), Narrow(right + dx), Narrow(bottom + dy));
    rect.NormalizeRect();
    if (d_->state.clip) {
        rect &= *d_->state.clip;
    }
    d_->state.clip = rect;
    return Complexity(d_->Clip());
}

int CDC::IntersectClipRect(LPCRECT rect) {
    return rect ? IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom) : RGN_ERROR;
}

int CDC::SelectClipRgn(CRgn* region) {
    if (!d_->created) {
        return RGN_ERROR;
    }
    if (!region) {
        d_->state.clip.reset();
        return Complexity(d_->Clip());
    }
    RECT box;
    if (region->GetRgnBox(&box) == RGN_ERROR) {
        return RGN_ERROR;
    }
    d_->state.clip = box;
    return Complexity(d_->Clip());
}

BOOL CDC::PtVisible(int x, int y) const {
    const plat::Point64 p = d_->ToSurface(x, y);
    const RECT clip = d_->Clip();
    return p.x >= clip.left && p.x < clip.right && p.y >= clip.top && p.y < clip.bottom;
}

BOOL CDC::RectVisible(LPCRECT rect) const {
    if (!rect) {
        return FALSE;
    }
    CRect r(*rect);
    r.NormalizeRect();
    const plat::Point64 a = d_->ToSurface(r.left, r.top);
    const plat::Point64 b = d_->ToSurface(r.right, r.bottom);
    const RECT clip = d_->Clip();
    return std::max<plat::Coord>(a.x, clip.left) < std::min<plat::Coord>(b.x, clip.right) &&
           std::max<plat::Coord>(a.y, clip.top) < std::min<plat::Coord>(b.y, clip.bottom);
}
