#pragma once
// The state behind a CDC and its translation into rasteriser terms. Private to the
// drawing layer.

#include <optional>
#include <vector>

#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjectData.h"
#include "platform/gdi/Raster.h"

namespace plat {

// Everything SaveDC keeps.
struct DcState {
    DcState();

    Selection pen;
    Selection brush;
    Selection font;
    Selection bitmap;
    COLORREF bkColour = RGB(255, 255, 255);
    COLORREF textColour = RGB(0, 0, 0);
    COLORREF dcBrushColour = RGB(255, 255, 255);
    COLORREF dcPenColour = RGB(0, 0, 0);
    int bkMode = OPAQUE;
    int polyFillMode = ALTERNATE;
    UINT textAlign = TA_TOP | TA_LEFT | TA_NOUPDATECP;
    POINT currentPosition{0, 0};
    POINT brushOrigin{0, 0};
    POINT viewportOrigin{0, 0};
    POINT windowOrigin{0, 0};
    std::optional<RECT> clip;  // the selected clip, device coordinates
};

// How the current pen draws.
struct PenPlan {
    enum class Kind { None, Cosmetic, Wide };
    Kind kind = Kind::None;
    CosmeticPen cosmetic;
    COLORREF colour = 0;
    Coord width = 1;
    bool insideFrame = false;
};

struct DcData {
    bool created = false;
    bool memory = false;
    Surface* external = nullptr;
    POINT origin{0, 0};  // device (0, 0) on the surface
    RECT visible{};      // surface coordinates, for an attached surface
    DeviceInfo info = ScreenDeviceInfo();
    DcState state;
    std::vector<DcState> saved;

    Surface* Target() const;
    // The part of the surface this context may touch, and that part after the clip.
    RECT Visible() const;
    RECT Clip() const;

    Point64 ToSurface(Coord x, Coord y) const;
    Point64 ToSurface(POINT p) const { return ToSurface(p.x, p.y); }
    // Logical offset to surface coordinates.
    Coord OffsetX() const;
    Coord OffsetY() const;

    // A null brush object paints nothing.
    Paint BrushPaint(const BrushObject* brush) const;
    Paint SelectedBrushPaint() const {
        return BrushPaint(state.brush.As<BrushObject>(GdiKind::Brush));
    }
    PenPlan Pen() const;
};

}  // namespace plat
