// CDC drawing: lines, shapes, fills, pixels and block transfers.

#include <algorithm>
#include <span>
#include <utility>
#include <vector>

#include "platform/gdi/Blit.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/DcData.h"

using plat::Box64;
using plat::Coord;
using plat::DcData;
using plat::Paint;
using plat::PenPlan;
using plat::Point64;
using plat::Rasteriser;

namespace {

// Strokes a path with the current pen: one dash phase for the whole call.
void StrokePath(const DcData& d, Rasteriser& r, std::span<const Point64> points, bool closed) {
    const PenPlan pen = d.Pen();
    if (points.size() < 2 || pen.kind == PenPlan::Kind::None) {
        return;
    }
    if (pen.kind == PenPlan::Kind::Wide) {
        r.WidePolyline(points, pen.width, closed, pen.colour);
        return;
    }
    if (pen.cosmetic.dash.IsSolid()) {
        r.SolidPolyline(points, pen.cosmetic.colour);
        if (closed) {
            const Point64 closing[2] = {points.back(), points.front()};
            r.SolidPolyline(closing, pen.cosmetic.colour);
        }
        return;
    }
    Coord phase = 0;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        r.CosmeticLine(points[i], points[i + 1], pen.cosmetic, phase);
    }
    if (closed) {
        r.CosmeticLine(points.back(), points.front(), pen.cosmetic, phase);
    }
}

std::vector<Point64> ToSurface(const DcData& d, const POINT* points, int count) {
    std::vector<Point64> out;
    out.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        out.push_back(d.ToSurface(points[i]));
    }
    return out;
}

// The box from two logical corners, in surface coordinates, ordered.
Box64 OrderedBox(const DcData& d, Coord left, Coord top, Coord right, Coord bottom) {
    const Point64 a = d.ToSurface(left, top);
    const Point64 b = d.ToSurface(right, bottom);
    return Box64{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

// An inside-frame pen keeps its whole stroke inside the box of a bounding-box figure.
Box64 FigureBox(Box64 box, const PenPlan& pen) {
    if (pen.kind == PenPlan::Kind::Wide && pen.insideFrame) {
        box.left += pen.width / 2;
        box.top += pen.width / 2;
        box.right -= (pen.width - 1) / 2;
        box.bottom -= (pen.width - 1) / 2;
    }
    return box;
}

// The part of box that a pen of that kind leaves to the brush, and the box the pen's
// outline covers (for one-pixel pens the box itself).
Box64 InteriorOf(const Box64& b, const PenPlan& pen) {
    switch (pen.kind) {
        case PenPlan::Kind::None:
            return Box64{b.left, b.top, b.right - 1, b.bottom - 1};
        case PenPlan::Kind::Cosmetic:
            return Box64{b.left + 1, b.top + 1, b.right - 1, b.bottom - 1};
        case PenPlan::Kind::Wide:
            break;
    }
    const Coord w = pen.width;
    return Box64{b.left + (w + 1) / 2, b.top + (w + 1) / 2, b.right - 1 - w / 2,
                 b.bottom - 1 - w / 2};
}
Box64 OuterOf(const Box64& b, const PenPlan& pen) {
    const Coord w = pen.width;
    return Box64{b.left - w / 2, b.top - w / 2, b.right - 1 + (w + 1) / 2,
                 b.bottom - 1 + (w + 1) / 2};
}

// The outline of a rectangle: the closed path through its corner pixels; a rectangle one
// pixel high or wide is a line, one pixel both ways a dot.
void StrokeRectangle(const DcData& d, Rasteriser& r, const Box64& b) {
    const PenPlan pen = d.Pen();
    const Point64 topLeft{b.left, b.top};
    const Point64 bottomRight{b.right - 1, b.bottom - 1};
    if (b.right - b.left > 1 && b.bottom - b.top > 1) {
        const Point64 corners[4] = {
            topLeft, {bottomRight.x, topLeft.y}, bottomRight, {topLeft.x, bottomRight.y}};
        StrokePath(d, r, corners, true);
    } else if (pen.kind == PenPlan::Kind::Wide) {
        if (topLeft == bottomRight) {
            r.WideDot(topLeft, pen.width, pen.colour);
        } else {
            const Point64 line[2] = {topLeft, bottomRight};
            StrokePath(d, r, line, false);
        }
    } else {
        // End pixel excluded, so the line runs one past the last pixel.
        const bool horizontal = b.bottom - b.top == 1;
        const Point64 line[2] = {topLeft,
                                 horizontal ? Point64{b.right, b.top} : Point64{b.left, b.bottom}};
        StrokePath(d, r, line, false);
    }
}

// Intersects a surface-coordinate box with a clip rectangle.
RECT ClipBox(const Box64& box, const RECT& clip) {
    const Coord l = std::max<Coord>(box.left, clip.left);
    const Coord t = std::max<Coord>(box.top, clip.top);
    const Coord r = std::min<Coord>(box.right, clip.right);
    const Coord b = std::min<Coord>(box.bottom, clip.bottom);
    if (r <= l || b <= t) {
        return RECT{};
    }
    return RECT{static_cast<LONG>(l), static_cast<LONG>(t), static_cast<LONG>(r),
                static_cast<LONG>(b)};
}

}  // namespace

// ---- Lines -----------------------------------------------------------------------------

CPoint CDC::MoveTo(int x, int y) {
    return std::exchange(d_->state.currentPosition, POINT{x, y});
}

CPoint CDC::GetCurrentPosition() const {
    return d_->state.currentPosition;
}

BOOL CDC::LineTo(int x, int y) {
    plat::Surface* surface = d_->Target();
    if (!surface) {
        return FALSE;
    }
    const Point64 line[2] = {d_->ToSurface(d_->state.currentPosition), d_->ToSurface(x, y)};
    d_->state.currentPosition = POINT{x, y};
    Rasteriser r(*surface, d_->Clip());
    StrokePath(*d_, r, line, false);
    return TRUE;
}

BOOL CDC::Polyline(const POINT* points, int count) {
    plat::Surface* surface = d_->Target();
    if (!surface || !points || count < 2) {
        return FALSE;
    }
    Rasteriser r(*surface, d_->Clip());
    // A solid one-pixel pen reads the points in place: plots hand over long paths.
    if (const PenPlan pen = d_->Pen();
        pen.kind == PenPlan::Kind::Cosmetic && pen.cosmetic.dash.IsSolid()) {
        r.SolidPolyline(std::span(points, static_cast<std::size_t>(count)),
                        Point64{d_->OffsetX(), d_->OffsetY()}, pen.cosmetic.colour);
        return TRUE;
    }
    StrokePath(*d_, r, ToSurface(*d_, points, count), false);
    return TRUE;
}

BOOL CDC::PolylineColumns(const plat::ColumnChain* chains, int count) {
    plat::Surface* surface = d_->Target();
    if (!surface || !chains || count < 1) {
        return FALSE;
    }
    if (const PenPlan pen = d_->Pen();
        pen.kind == PenPlan::Kind::Cosmetic && pen.cosmetic.dash.IsSolid()) {
        Rasteriser r(*surface, d_->Clip());
        r.SolidColumnChains(std::span(chains, static_cast<std::size_t>(count)),
                            Point64{d_->OffsetX(), d_->OffsetY()}, pen.cosmetic.colour);
        return TRUE;
    }
    std::vector<POINT> points;
    plat::AppendChainPoints(chains, static_cast<std::size_t>(count), points);
    return points.size() < 2 || Polyline(points.data(), static_cast<int>(points.size()));
}

BOOL CDC::PolylineTo(const POINT* points, int count) {
    plat::Surface* surface = d_->Target();
    if (!surface || !points || count < 1) {
        return FALSE;
    }
    std::vector<Point64> path{d_->ToSurface(d_->state.currentPosition)};
    for (int i = 0; i < count; ++i) {
        path.push_back(d_->ToSurface(points[i]));
    }
    d_->state.currentPosition = points[count - 1];
    Rasteriser r(*surface, d_->Clip());
    StrokePath(*d_, r, path, false);
    return TRUE;
}

// ---- Shapes ----------------------------------------------------------------------------

BOOL CDC::Rectangle(int left, int top, int right, int bottom) {
    plat::Surface* surface = d_->Target();
    if (!surface) {
        return FALSE;
    }
    const PenPlan pen = d_->Pen();
    const Box64 box = FigureBox(OrderedBox(*d_, left, top, right, bottom), pen);
    if (box.IsEmpty()) {
        return TRUE;
    }
    Rasteriser r(*surface, d_->Clip());
    r.FillBox(InteriorOf(box, pen), d_->SelectedBrushPaint());
    StrokeRectangle(*d_, r, box);
    return TRUE;
}

BOOL CDC::Rectangle(LPCRECT rect) {
    return rect && Rectangle(rect->left, rect->top, rect->right, rect->bottom);
}

BOOL CDC::Ellipse(int left, int top, int right, int bottom) {
    plat::Surface* surface = d_->Target();
    if (!surface) {
        return FALSE;
    }
    const PenPlan pen = d_->Pen();
    const Box64 box = FigureBox(OrderedBox(*d_, left, top, right, bottom), pen);
    if (box.IsEmpty()) {
        return TRUE;
    }
    Rasteriser r(*surface, d_->Clip());
    const Paint brush = d_->SelectedBrushPaint();
    const Paint stroke = Paint::Solid(pen.colour);
    switch (pen.kind) {
        case PenPlan::Kind::None:
            r.FillEllipse(InteriorOf(box, pen), brush);
            break;
        case PenPlan::Kind::Cosmetic:
            // Styled one-pixel pens outline ellipses solid.
            r.FillEllipseInterior(box, brush);
            r.FillEllipseBoundary(box, stroke);
            break;
        case PenPlan::Kind::Wide: {
            const Box64 inner = InteriorOf(box, pen);
            r.FillEllipse(inner, brush);
            r.FillEllipseRing(OuterOf(box, pen), inner, stroke);
            break;
        }
    }
    return TRUE;
}

BOOL CDC::Ellipse(LPCRECT rect) {
    return rect && Ellipse(rect->left, rect->top, rect->right, rect->bottom);
}

BOOL CDC::Polygon(const POINT* points, int count) {
    plat::Surface* surface = d_->Target();
    if (!surface || !points || count < 2) {
        return FALSE;
    }
    const std::vector<Point64> path = ToSurface(*d_, points, count);
    Rasteriser r(*surface, d_->Clip());
    if (count >= 3) {
        std::vector<Point64> fixed;
        fixed.reserve(path.size());
        for (const Point64& p : path) {
            fixed.push_back(plat::ToFixed(p));
        }
        const auto rule =
            d_->state.polyFillMode == WINDING ? plat::FillRule::NonZero : plat::FillRule::EvenOdd;
        r.FillPolygon(fixed, rule, d_->SelectedBrushPaint());
    }
    StrokePath(*d_, r, path, true);
    return TRUE;
}

void CDC::FillRect(LPCRECT rect, CBrush* brush) {
    plat::Surface* surface = d_->Target();
    if (!surface || !rect || !brush || rect->right <= rect->left || rect->bottom <= rect->top) {
        return;
    }
    const auto* object =
        plat::gdi_table::FindAs<plat::BrushObject>(brush->m_hObject, plat::GdiKind::Brush, true);
    const Point64 a = d_->ToSurface(rect->left, rect->top);
    const Point64 b = d_->ToSurface(rect->right, rect->bottom);
    Rasteriser(*surface, d_->Clip()).FillBox(Box64{a.x, a.y, b.x, b.y}, d_->BrushPaint(object));
}

namespace {

// FillSolidRect in 64 bits: x + cx may leave the 32-bit range. The box is filled row by
// row straight into the surface (the clip lies within it), the rasteriser's FillBox of a
// solid paint without its per-row span calls: grids and frames draw many one-pixel lines.
void FillSolid(DcData& d, Coord x, Coord y, Coord cx, Coord cy, COLORREF colour) {
    d.state.bkColour = colour;
    plat::Surface* surface = d.Target();
    if (!surface) {
        return;
    }
    const Point64 a = d.ToSurface(x, y);
    const RECT clip = d.Clip();
    const Coord left = std::max<Coord>(std::min(a.x, a.x + cx), clip.left);
    const Coord right = std::min<Coord>(std::max(a.x, a.x + cx), clip.right);
    const Coord top = std::max<Coord>(std::min(a.y, a.y + cy), clip.top);
    const Coord bottom = std::min<Coord>(std::max(a.y, a.y + cy), clip.bottom);
    if (left >= right) {
        return;
    }
    const COLORREF pixel = plat::PixelOf(colour);
    const auto width = static_cast<std::size_t>(right - left);
    for (Coord row = top; row < bottom; ++row) {
        COLORREF* first = surface->Row(static_cast<int>(row)) + left;
        if (width == 1) {
            *first = pixel;
        } else {
            plat::FillPixels(first, width, pixel);
        }
    }
}

}  // namespace

void CDC::FillSolidRect(LPCRECT rect, COLORREF colour) {
    if (rect) {
        FillSolid(*d_, rect->left, rect->top, Coord{rect->right} - rect->left,
                  Coord{rect->bottom} - rect->top, colour);
    }
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF colour) {
    FillSolid(*d_, x, y, cx, cy, colour);
}

void CDC::FrameRect(LPCRECT rect, CBrush* brush) {
    plat::Surface* surface = d_->Target();
    if (!surface || !rect || !brush || rect->right <= rect->left || rect->bottom <= rect->top) {
        return;
    }
    const auto* object =
        plat::gdi_table::FindAs<plat::BrushObject>(brush->m_hObject, plat::GdiKind::Brush, true);
    const Paint paint = d_->BrushPaint(object);
    const Point64 a = d_->ToSurface(rect->left, rect->top);
    const Point64 b = d_->ToSurface(rect->right, rect->bottom);
    Rasteriser r(*surface, d_->Clip());
    r.FillBox(Box64{a.x, a.y, b.x, a.y + 1}, paint);
    r.FillBox(Box64{a.x, std::max(a.y + 1, b.y - 1), b.x, b.y}, paint);
    r.FillBox(Box64{a.x, a.y + 1, a.x + 1, b.y - 1}, paint);
    r.FillBox(Box64{std::max(a.x + 1, b.x - 1), a.y + 1, b.x, b.y - 1}, paint);
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight) {
    if (rect) {
        Draw3dRect(rect->left, rect->top, CRect(*rect).Width(), CRect(*rect).Height(), topLeft,
                   bottomRight);
    }
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight) {
    // The framework's four strips, the last two with negative extents.
    FillSolid(*d_, x, y, Coord{cx} - 1, 1, topLeft);
    FillSolid(*d_, x, y, 1, Coord{cy} - 1, topLeft);
    FillSolid(*d_, Coord{x} + cx, y, -1, cy, bottomRight);
    FillSolid(*d_, x, Coord{y} + cy, cx, -1, bottomRight);
}

// ---- Pixels and blocks -----------------------------------------------------------------

COLORREF CDC::SetPixel(int x, int y, COLORREF colour) {
    plat::Surface* surface = d_->Target();
    if (!surface || !PtVisible(x, y)) {
        return CLR_INVALID;
    }
    const Point64 p = d_->ToSurface(x, y);
    surface->SetPixel(p.x, p.y, colour);
    return plat::PixelOf(colour);
}

COLORREF CDC::GetPixel(int x, int y) const {
    const plat::Surface* surface = d_->Target();
    if (!surface || !PtVisible(x, y)) {
        return CLR_INVALID;
    }
    const Point64 p = d_->ToSurface(x, y);
    return surface->GetPixel(p.x, p.y);
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource,
                 DWORD rop) {
    plat::Surface* surface = d_->Target();
    if (!surface) {
        return FALSE;
    }
    const bool readsSource = plat::RopUsesSource(rop);
    const plat::Surface* sourceSurface = nullptr;
    if (readsSource && (!source || !(sourceSurface = source->d_->Target()))) {
        return FALSE;
    }
    if (width <= 0 || height <= 0) {
        return TRUE;
    }
    const Point64 at = d_->ToSurface(x, y);
    RECT box = ClipBox(Box64{at.x, at.y, at.x + width, at.y + height}, d_->Clip());
    Coord dx = 0;
    Coord dy = 0;
    if (readsSource) {
        const Point64 from = source->d_->ToSurface(xSource, ySource);
        dx = from.x - at.x;
        dy = from.y - at.y;
        // Only pixels whose source lies on the source's surface are copied.
        const RECT sourceVisible = source->d_->Visible();
        box = ClipBox(Box64{box.left, box.top, box.right, box.bottom},
                      ClipBox(Box64{sourceVisible.left - dx, sourceVisible.top - dy,
                                    sourceVisible.right - dx, sourceVisible.bottom - dy},
                              d_->Clip()));
    }
    const Paint pattern = plat::RopUsesPattern(rop) ? d_->SelectedBrushPaint() : Paint{};
    plat::RasterOp(*surface, box, sourceSurface, dx, dy, pattern, rop);
    return TRUE;
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop) {
    if (plat::RopUsesSource(rop)) {
        return FALSE;
    }
    return BitBlt(x, y, width, height, nullptr, 0, 0, rop);
}
