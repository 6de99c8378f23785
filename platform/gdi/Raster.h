#pragma once
// plat::Rasteriser: aliased drawing into a Surface with the drawing interface's integer
// rules. It knows nothing of device contexts or windows: CDC translates its state (pen,
// brush, modes, clip) into the Paint and pen records below and calls it in surface
// coordinates.
//
// Coordinates are 64-bit so that 32-bit logical coordinates plus offsets, widths and
// caps never overflow; every primitive is clipped once against the clip rectangle before
// it touches a pixel. Fills are written as row spans.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/gdi/ColumnChain.h"
#include "platform/gdi/Surface.h"

namespace plat {

using Coord = std::int64_t;

struct Point64 {
    Coord x;
    Coord y;
    bool operator==(const Point64&) const = default;
};

// A half-open box [left, right) x [top, bottom) in pixels.
struct Box64 {
    Coord left;
    Coord top;
    Coord right;
    Coord bottom;
    bool IsEmpty() const { return right <= left || bottom <= top; }
};

// Polygon vertices are fixed point with this many fractional bits, so that wide-pen
// outlines can lie between pixels; a pixel's centre is (x + 0.5, y + 0.5).
constexpr int kSubpixelBits = 8;
constexpr Coord kSubpixel = Coord{1} << kSubpixelBits;
constexpr Point64 ToFixed(Point64 p) {
    return {p.x * kSubpixel, p.y * kSubpixel};
}

// The six 8x8 hatches, row 0 at the top, bit 0x80 = column 0.
extern const std::uint8_t kHatchPatterns[6][8];

// What a fill writes: nothing, one colour, or a hatch whose clear bits get the
// background colour (opaque) or are left alone (transparent). The hatch is tiled from
// its origin in surface coordinates, not from the shape.
struct Paint {
    enum class Kind : std::uint8_t { None, Solid, Hatch };
    Kind kind = Kind::None;
    COLORREF colour = 0;
    int hatch = 0;
    bool opaqueBackground = false;
    COLORREF background = 0;
    Coord originX = 0;
    Coord originY = 0;

    static Paint Solid(COLORREF c) { return Paint{Kind::Solid, PixelOf(c)}; }
    static Paint Hatched(int style, COLORREF c, bool opaque, COLORREF bk, Point64 origin) {
        return Paint{Kind::Hatch, PixelOf(c), style, opaque, PixelOf(bk), origin.x, origin.y};
    }
};

// A cosmetic (one pixel) pen's dashes: bit p of onMask says whether pixel p of each
// period is drawn. A period of 0 is a solid line.
struct DashPattern {
    std::uint32_t onMask = 0;
    int period = 0;
    bool IsSolid() const { return period == 0; }
};

// The dash tables of the styled cosmetic pens (PS_DASH .. PS_DASHDOTDOT, PS_ALTERNATE);
// a solid pattern for any other style.
DashPattern DashPatternFor(int penStyle);

struct CosmeticPen {
    COLORREF colour = 0;
    DashPattern dash;
    bool opaqueGaps = false;  // gaps in the background colour, else untouched
    COLORREF gapColour = 0;
};

enum class FillRule { EvenOdd, NonZero };

class Rasteriser {
public:
    // The clip rectangle is intersected with the surface's bounds.
    Rasteriser(Surface& surface, const RECT& clip);
    ~Rasteriser();
    Rasteriser(const Rasteriser&) = delete;
    Rasteriser& operator=(const Rasteriser&) = delete;

    const RECT& Clip() const { return clip_; }
    bool NothingVisible() const { return IsRectEmpty(&clip_); }

    void FillBox(const Box64& box, const Paint& paint);
    // One row span [x0, x1) of row y.
    void FillSpan(Coord y, Coord x0, Coord x1, const Paint& paint);
    // Pixels whose centres lie inside the polygon (vertices in kSubpixel units, closed
    // implicitly): left and top edges in, right and bottom edges out.
    void FillPolygon(std::span<const Point64> fixedVertices, FillRule rule, const Paint& paint);

    // The filled ellipse inscribed in a box (a pixel is in when its centre is), its
    // one-pixel boundary (pixels with a 4-neighbour outside), the rest, and a ring.
    void FillEllipse(const Box64& box, const Paint& paint);
    void FillEllipseBoundary(const Box64& box, const Paint& paint);
    void FillEllipseInterior(const Box64& box, const Paint& paint);
    void FillEllipseRing(const Box64& outer, const Box64& inner, const Paint& paint);

    // Bresenham from a to b, end pixel excluded. phase counts the pixels of the styled
    // line drawn so far in this call; it runs on across segments, clipped pixels included.
    void CosmeticLine(Point64 a, Point64 b, const CosmeticPen& pen, Coord& phase);
    // The pixels CosmeticLine draws for each segment of the path with a solid pen, at a
    // fraction of the cost per segment: made for paths of many short segments, such as
    // plots of dense samples. Vertical segments following one another in a column go out
    // as one span, and segments with both ends inside the clip skip the clip arithmetic.
    void SolidPolyline(std::span<const Point64> points, COLORREF colour);
    // The same for a path in 32-bit coordinates, each point moved by offset on the way:
    // spares the caller a converted copy of a long path.
    void SolidPolyline(std::span<const POINT> points, Point64 offset, COLORREF colour);
    // The polyline through the points of the chains, each moved by offset: the pixels
    // SolidPolyline draws for those points, found a column at a time. Made for plots
    // that fold their samples into columns.
    void SolidColumnChains(std::span<const ColumnChain> chains, Point64 offset, COLORREF colour);
    // A solid pen of width >= 2 with round caps and joins, centred on the path: a
    // horizontal segment at y covers rows y - width/2 .. y - width/2 + width - 1.
    void WidePolyline(std::span<const Point64> points, Coord width, bool closed, COLORREF colour);
    // The round end of a wide pen at p: a filled circle of the pen's width.
    void WideDot(Point64 p, Coord width, COLORREF colour);

private:
    struct Edge;
    struct Crossing;
    bool Inside(Point64 p) const {
        return p.x >= clip_.left && p.x < clip_.right && p.y >= clip_.top && p.y < clip_.bottom;
    }
    template <class Path>
    void SolidPath(const Path& points, COLORREF colour);
    template <class Path>
    std::size_t SolidColumn(const Path& points, std::size_t first, COLORREF pixel);
    void SolidChain(const ColumnChain& chain, Point64 offset, COLORREF pixel);
    void FillSpanDifference(Coord y, Coord a0, Coord a1, Coord b0, Coord b1, const Paint& paint);
    void WideSegment(Point64 a, Point64 b, Coord width, const Paint& paint);

    Surface& surface_;
    RECT clip_;
    // Scratch of the polygon filler, kept to spare allocations on every call.
    std::vector<Edge> edges_;
    std::vector<std::size_t> active_;
    std::vector<Crossing> crossings_;
};

// The row span [x0, x1) of the ellipse inscribed in box on row y; false when empty.
bool EllipseRowSpan(const Box64& box, Coord y, Coord& x0, Coord& x1);

// Integer helpers that round toward minus or plus infinity.
constexpr Coord FloorDiv(Coord a, Coord b) {
    const Coord q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}
constexpr Coord CeilDiv(Coord a, Coord b) {
    const Coord q = a / b;
    return (a % b != 0 && ((a < 0) == (b < 0))) ? q + 1 : q;
}

}  // namespace plat
