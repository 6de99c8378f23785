// Cosmetic (Bresenham) and wide lines.

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "platform/gdi/Raster.h"

namespace plat {

namespace {

using Wide = __int128;

Wide FloorDivWide(Wide a, Wide b) {
    const Wide q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}
Wide CeilDivWide(Wide a, Wide b) {
    const Wide q = a / b;
    return (a % b != 0 && ((a < 0) == (b < 0))) ? q + 1 : q;
}
Coord ClampToCoord(Wide v, Coord lo, Coord hi) {
    return static_cast<Coord>(std::clamp<Wide>(v, lo, hi));
}

DashPattern MakeDashes(std::initializer_list<int> runs) {
    DashPattern dash;
    bool on = true;
    for (int run : runs) {
        for (int i = 0; i < run; ++i, ++dash.period) {
            if (on) {
                dash.onMask |= std::uint32_t{1} << dash.period;
            }
        }
        on = !on;
    }
    return dash;
}

// Octants numbered clockwise from +x with y pointing down; the minor step is biased in
// octants 3, 5, 6 and 8, so a line and its reverse may differ by a pixel.
int BresenhamBias(Coord dx, Coord dy) {
    int octant;
    if (dy > 0) {
        octant = dx > 0 ? (dx > dy ? 1 : 2) : (-dx > dy ? 4 : 3);
    } else {
        octant = dx < 0 ? (-dx > -dy ? 5 : 6) : (dx > -dy ? 8 : 7);
    }
    return (octant == 3 || octant == 5 || octant == 6 || octant == 8) ? 1 : 0;
}

// Of a line one column across (|dx| = 1, end pixel excluded), the pixels in its first
// column: all of them while |dy| <= 1, else those before its single minor step, which
// comes after pixel i once 2 i + dMajor + bias - 1 >= 2 dMajor. Of the octants of such
// steep lines, 3 and 6 (dx < 0) take the bias. Without branches: dense plots draw
// these lines in every column, in no predictable direction.
Coord RowsInFirstColumn(Coord dx, Coord dy) {
    const Coord dMajor = std::abs(dy);
    const Coord bias = dx < 0 ? 1 : 0;
    return dMajor > 1 ? (dMajor - bias + 2) / 2 : 1;
}

// Rows [top, bottom) of column x in one colour; the caller has clipped them.
void FillColumn(Surface& surface, Coord x, Coord top, Coord bottom, COLORREF pixel) {
    const auto stride = static_cast<std::size_t>(surface.Width());
    COLORREF* p = surface.Row(static_cast<int>(top)) + x;
    for (Coord y = top; y < bottom; ++y, p += stride) {
        *p = pixel;
    }
}

// The rows from y0 towards y1, y1 excluded, in column x: what CosmeticLine's loop draws
// for a solid vertical line, stepping down the rows directly (plots of dense samples are
// mostly such lines).
void SolidVerticalLine(Surface& surface, const RECT& clip, Coord x, Coord y0, Coord y1,
                       COLORREF colour) {
    if (x < clip.left || x >= clip.right) {
        return;
    }
    const Coord top = std::max<Coord>(y0 < y1 ? y0 : y1 + 1, clip.top);
    const Coord bottom = std::min<Coord>(y0 < y1 ? y1 : y0 + 1, clip.bottom);
    if (top < bottom) {
        FillColumn(surface, x, top, bottom, PixelOf(colour));
    }
}

// The solid pen's Bresenham steps from pixel p on: count pixels along the major axis, a
// minor step whenever err + bias > 0.
void WalkSolid(COLORREF* p, Coord count, Coord majorDelta, Coord minorDelta, Coord err,
               Coord dMajor, Coord dMinor, Coord bias, COLORREF pixel) {
    for (Coord i = 0; i < count; ++i, p += majorDelta) {
        *p = pixel;
        if (err + bias > 0) {
            p += minorDelta;
            err += 2 * dMinor - 2 * dMajor;
        } else {
            err += 2 * dMinor;
        }
    }
}

// count pixels of a styled line without minor steps (a grid line), from pattern pixel
// dashPos on, a run of equal pattern pixels at a time: gaps in the gap colour, or left
// alone without one.
void DashedRuns(COLORREF* p, Coord count, Coord delta, Coord dashPos, const DashPattern& dash,
                COLORREF colour, const COLORREF* gap) {
    while (count > 0) {
        // The run ends where the pattern's bit changes, or at the end of the period.
        const std::uint64_t bits = std::uint64_t{dash.onMask} >> dashPos;
        const bool drawn = (bits & 1) != 0;
        const std::uint64_t changes =
            (drawn ? ~bits : bits) | (std::uint64_t{1} << (dash.period - dashPos));
        const Coord run = std::min<Coord>(std::countr_zero(changes), count);
        if (drawn || gap) {
            const COLORREF value = drawn ? colour : *gap;
            for (Coord k = 0; k < run; ++k) {
                p[k * delta] = value;
            }
        }
        p += run * delta;
        count -= run;
        dashPos += run;
        if (dashPos == dash.period) {
            dashPos = 0;
        }
    }
}

// CosmeticLine for a solid pen and a segment that is not vertical, both ends inside the
// surface: the whole line is visible, from its first pixel.
void UnclippedSolidLine(Surface& surface, Point64 a, Point64 b, COLORREF pixel) {
    const Coord dx = b.x - a.x;
    const Coord dy = b.y - a.y;
    const bool xMajor = std::abs(dx) > std::abs(dy);
    const Coord dMajor = xMajor ? std::abs(dx) : std::abs(dy);
    const Coord dMinor = xMajor ? std::abs(dy) : std::abs(dx);
    const Coord stride = surface.Width();
    const Coord xStep = dx > 0 ? 1 : -1;
    const Coord yStep = dy > 0 ? stride : -stride;
    COLORREF* p = surface.Row(static_cast<int>(a.y)) + a.x;
    if (std::abs(dx) == 1) {
        // One column to the next, as between the columns of a dense plot: the rows down
        // to the single minor step in the first column, the rest in the second.
        const Coord steps = RowsInFirstColumn(dx, dy);
        Coord i = 0;
        for (; i < steps; ++i, p += yStep) {
            *p = pixel;
        }
        for (p += xStep; i < dMajor; ++i, p += yStep) {
            *p = pixel;
        }
        return;
    }
    // A minor step of 0 is never taken: the error stays below zero when dMinor is 0.
    WalkSolid(p, dMajor, xMajor ? xStep : yStep, xMajor ? yStep : xStep, 2 * dMinor - dMajor,
              dMajor, dMinor, BresenhamBias(dx, dy), pixel);
}

}  // namespace

DashPattern DashPatternFor(int penStyle) {
    switch (penStyle) {
        case PS_DASH:
            return MakeDashes({18, 6});
        case PS_DOT:
            return MakeDashes({3, 3});
        case PS_DASHDOT:
            return MakeDashes({9, 6, 3, 6});
        case PS_DASHDOTDOT:
            return MakeDashes({9, 3, 3, 3, 3, 3});
        case PS_ALTERNATE:
            return MakeDashes({1, 1});
        default:
            return DashPattern{};
    }
}

// Pixel i (0 <= i < major length) of the Bresenham line sits k(i) minor steps from the
// start, k(i) = floor((2 dMinor i + dMajor + bias - 1) / (2 dMajor)): the closed form of
// the error loop that starts at 2 dMinor - dMajor and steps when err + bias > 0. It lets
// the clip pick the visible run of i directly, however far away the end points are, and
// the loop then continues incrementally from there.
void Rasteriser::CosmeticLine(Point64 a, Point64 b, const CosmeticPen& pen, Coord& phase) {
    const Coord dx = b.x - a.x;
    const Coord dy = b.y - a.y;
    if (dx == 0 && dy == 0) {
        return;
    }
    const bool xMajor = std::abs(dx) > std::abs(dy);
    const Coord bias = BresenhamBias(dx, dy);
    const Coord dMajor = xMajor ? std::abs(dx) : std::abs(dy);
    const Coord dMinor = xMajor ? std::abs(dy) : std::abs(dx);
    const Coord majorStep = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const Coord minorStep = (xMajor ? dy : dx) >= 0 ? 1 : -1;
    const Coord majorStart = xMajor ? a.x : a.y;
    const Coord minorStart = xMajor ? a.y : a.x;
    const Coord length = dMajor;
    const Coord startPhase = phase;
    phase += length;
    if (NothingVisible()) {
        return;
    }
    if (pen.dash.IsSolid() && dx == 0) {
        SolidVerticalLine(surface_, clip_, a.x, a.y, b.y, pen.colour);
        return;
    }

    // A line that starts and ends inside the clip is visible from its first pixel to its
    // last, and the clip arithmetic below can be spared.
    const auto inside = [&](Point64 p) {
        return p.x >= clip_.left && p.x < clip_.right && p.y >= clip_.top && p.y < clip_.bottom;
    };
    Coord first = 0;
    Coord last = length - 1;
    if (!inside(a) || !inside(b)) {
        // Visible pixel indices along the major axis...
        const Coord majorLo = xMajor ? clip_.left : clip_.top;
        const Coord majorHi = (xMajor ? clip_.right : clip_.bottom) - 1;
        first = majorStep > 0 ? majorLo - majorStart : majorStart - majorHi;
        last = majorStep > 0 ? majorHi - majorStart : majorStart - majorLo;
        // ... and along the minor axis, through the minor step count k(i).
        const Coord minorLo = xMajor ? clip_.top : clip_.left;
        const Coord minorHi = (xMajor ? clip_.bottom : clip_.right) - 1;
        const Coord kLo = minorStep > 0 ? minorLo - minorStart : minorStart - minorHi;
        const Coord kHi = minorStep > 0 ? minorHi - minorStart : minorStart - minorLo;
        if (dMinor == 0) {
            if (kLo > 0 || kHi < 0) {
                return;
            }
        } else {
            const Wide twoMajor = Wide{2} * dMajor;
            const Wide twoMinor = Wide{2} * dMinor;
            const Wide fromK = CeilDivWide(twoMajor * kLo - dMajor - bias + 1, twoMinor);
            const Wide toK =
                CeilDivWide(twoMajor * (Wide{kHi} + 1) - dMajor - bias + 1, twoMinor) - 1;
            first = std::max(first, ClampToCoord(fromK, 0, length));
            last = std::min(last, ClampToCoord(toK, -1, length));
        }
        first = std::max<Coord>(first, 0);
        last = std::min<Coord>(last, length - 1);
        if (first > last) {
            return;
        }
    }

    // From the first pixel: k(0) = 0 and the error's starting value.
    Coord k = 0;
    Coord err = 2 * dMinor - dMajor;
    if (first > 0) {
        k = static_cast<Coord>(
            FloorDivWide(Wide{2} * dMinor * first + dMajor + bias - 1, Wide{2} * dMajor));
        err = static_cast<Coord>(Wide{2} * dMinor - dMajor + Wide{2} * dMinor * first -
                                 Wide{2} * dMajor * k);
    }
    const COLORREF colour = PixelOf(pen.colour);
    const COLORREF gap = PixelOf(pen.gapColour);
    if (pen.dash.IsSolid() && dMinor == 0 && xMajor) {
        const Coord x0 = majorStart + majorStep * first;
        const Coord x1 = majorStart + majorStep * last;
        FillSpan(minorStart, std::min(x0, x1), std::max(x0, x1) + 1, Paint::Solid(colour));
        return;
    }
    // The steps of the error loop, walking a pointer over the surface.
    const Coord stride = surface_.Width();
    const Coord majorDelta = xMajor ? majorStep : majorStep * stride;
    const Coord minorDelta = xMajor ? minorStep * stride : minorStep;
    const Coord major = majorStart + majorStep * first;
    const Coord minor = minorStart + minorStep * k;
    COLORREF* p = surface_.Row(static_cast<int>(xMajor ? minor : major)) + (xMajor ? major : minor);
    if (pen.dash.IsSolid()) {
        WalkSolid(p, last - first + 1, majorDelta, minorDelta, err, dMajor, dMinor, bias, colour);
        return;
    }
    Coord dashPos = (startPhase + first) % pen.dash.period;
    if (dMinor == 0) {
        DashedRuns(p, last - first + 1, majorDelta, dashPos, pen.dash, colour,
                   pen.opaqueGaps ? &gap : nullptr);
        return;
    }
    for (Coord i = first; i <= last; ++i, p += majorDelta) {
        if ((pen.dash.onMask >> dashPos) & 1) {
            *p = colour;
        } else if (pen.opaqueGaps) {
            *p = gap;
        }
        if (++dashPos == pen.dash.period) {
            dashPos = 0;
        }
        if (err + bias > 0) {
            p += minorDelta;
            err += 2 * dMinor - 2 * dMajor;
        } else {
            err += 2 * dMinor;
        }
    }
}

namespace {

// A path of 32-bit points read as surface points, moved by an offset.
class OffsetPath {
public:
    OffsetPath(std::span<const POINT> points, Point64 offset) : points_(points), offset_(offset) {}
    std::size_t size() const { return points_.size(); }
    Point64 operator[](std::size_t i) const {
        return Point64{points_[i].x + offset_.x, points_[i].y + offset_.y};
    }

private:
    std::span<const POINT> points_;
    Point64 offset_;
};

}  // namespace

void Rasteriser::SolidPolyline(std::span<const Point64> points, COLORREF colour) {
    SolidPath(points, colour);
}

void Rasteriser::SolidPolyline(std::span<const POINT> points, Point64 offset, COLORREF colour) {
    SolidPath(OffsetPath(points, offset), colour);
}

template <class Path>
void Rasteriser::SolidPath(const Path& points, COLORREF colour) {
    if (NothingVisible()) {
        return;
    }
    const COLORREF pixel = PixelOf(colour);
    const CosmeticPen pen{colour, DashPattern{}, false, 0};
    Coord phase = 0;
    std::size_t i = 0;
    while (i + 1 < points.size()) {
        const Point64 a = points[i];
        const Point64 b = points[i + 1];
        if (a.x == b.x) {
            i = SolidColumn(points, i, pixel);
        } else {
            if (Inside(a) && Inside(b)) {
                UnclippedSolidLine(surface_, a, b, pixel);
            } else {
                CosmeticLine(a, b, pen, phase);
            }
            ++i;
        }
    }
}

// The vertical segments from points[first] on while x stays the same; returns the index
// of the last point in that column. Each segment covers its rows from its start towards
// its end, end excluded, so together they cover the rows between the lowest and highest
// of the points that start a segment of non-zero length -- all points before the final
// run of points equal to the last one -- and from there the rows towards the last point.
template <class Path>
std::size_t Rasteriser::SolidColumn(const Path& points, std::size_t first, COLORREF pixel) {
    const Coord x = points[first].x;
    std::size_t last = first + 1;
    while (last + 1 < points.size() && points[last + 1].x == x) {
        ++last;
    }
    const Coord end = points[last].y;
    std::size_t settled = last;
    while (settled > first && points[settled - 1].y == end) {
        --settled;
    }
    if (settled == first || x < clip_.left || x >= clip_.right) {
        return last;
    }
    Coord lo = points[first].y;
    Coord hi = lo;
    for (std::size_t i = first + 1; i < settled; ++i) {
        lo = std::min(lo, points[i].y);
        hi = std::max(hi, points[i].y);
    }
    const Coord top = std::max<Coord>(std::min(lo, end + 1), clip_.top);
    const Coord bottom = std::min<Coord>(std::max(hi + 1, end), clip_.bottom);
    if (top < bottom) {
        FillColumn(surface_, x, top, bottom, pixel);
    }
    return last;
}

// ---- Wide pens -------------------------------------------------------------------------
//
// A wide pen's centre at point p is the centre of the box [p - w/2, p - w/2 + w): a pixel
// centre for odd widths, a pixel corner for even ones. Each segment is the rectangle of
// half-width w/2 around the centre line (filled by the exact polygon filler), each end
// and join a filled circle of diameter w.

void Rasteriser::WideDot(Point64 p, Coord width, COLORREF colour) {
    const Coord left = p.x - width / 2;
    const Coord top = p.y - width / 2;
    FillEllipse(Box64{left, top, left + width, top + width}, Paint::Solid(colour));
}

void Rasteriser::WideSegment(Point64 a, Point64 b, Coord width, const Paint& paint) {
    const Coord reach = width;  // generous bound of the stroke around the segment
    if (std::max(a.x, b.x) + reach < clip_.left || std::min(a.x, b.x) - reach >= clip_.right ||
        std::max(a.y, b.y) + reach < clip_.top || std::min(a.y, b.y) - reach >= clip_.bottom) {
        return;
    }
    const Coord centreShift = (width & 1) ? kSubpixel / 2 : 0;
    const Point64 ca{a.x * kSubpixel + centreShift, a.y * kSubpixel + centreShift};
    const Point64 cb{b.x * kSubpixel + centreShift, b.y * kSubpixel + centreShift};
    const Coord dx = b.x - a.x;
    const Coord dy = b.y - a.y;
    const Coord halfWidth = width * kSubpixel / 2;
    Coord nx = 0;
    Coord ny = 0;
    if (dy == 0) {
        ny = dx > 0 ? halfWidth : -halfWidth;
    } else if (dx == 0) {
        nx = dy > 0 ? -halfWidth : halfWidth;
    } else {
        const double scale = static_cast<double>(halfWidth) /
                             std::hypot(static_cast<double>(dx), static_cast<double>(dy));
        nx = std::llround(static_cast<double>(-dy) * scale);
        ny = std::llround(static_cast<double>(dx) * scale);
    }
    const Point64 quad[4] = {{ca.x + nx, ca.y + ny},
                             {cb.x + nx, cb.y + ny},
                             {cb.x - nx, cb.y - ny},
                             {ca.x - nx, ca.y - ny}};
    FillPolygon(quad, FillRule::NonZero, paint);
}

void Rasteriser::WidePolyline(std::span<const Point64> points, Coord width, bool closed,
                              COLORREF colour) {
    const Paint paint = Paint::Solid(colour);
    const std::size_t n = points.size();
    const std::size_t segments = (closed && n > 2) ? n : (n > 0 ? n - 1 : 0);
    bool first = true;
    for (std::size_t i = 0; i < segments; ++i) {
        const Point64 a = points[i];
        const Point64 b = points[(i + 1) % n];
        if (a == b) {
            continue;
        }
        WideSegment(a, b, width, paint);
        if (first) {
            WideDot(a, width, colour);
            first = false;
        }
        WideDot(b, width, colour);
    }
}

// ---- Column chains ---------------------------------------------------------------------

void AppendChainPoints(const ColumnChain* chains, std::size_t count, std::vector<POINT>& out) {
    for (std::size_t i = 0; i < count; ++i) {
        const ColumnChain& c = chains[i];
        const auto add = [&](LONG y) {
            if (out.empty() || out.back().x != c.x || out.back().y != y) {
                out.push_back(POINT{c.x, y});
            }
        };
        add(c.first);
        if (c.lo <= c.hi) {
            const bool endsHigh = c.last == c.hi;
            add(endsHigh ? c.hi : c.lo);
            add(endsHigh ? c.lo : c.hi);
        }
        add(c.last);
    }
}

namespace {

// Rows [top, bottom) of one column. Every empty range is the same one, reaching
// nowhere, so that joining ranges needs no question which of them is empty: the
// columns of a dense plot would make such questions unpredictable.
constexpr Coord kNowhere = Coord{1} << 40;
struct Rows {
    Coord top = kNowhere;
    Coord bottom = -kNowhere;
    bool IsEmpty() const { return top >= bottom; }
};
Rows Kept(bool keep, Rows rows) {
    return keep ? rows : Rows{};
}
Rows Joined(Rows a, Rows b) {  // ranges that touch or overlap
    return Rows{std::min(a.top, b.top), std::max(a.bottom, b.bottom)};
}

// What SolidColumn draws for a chain's points: the rows between the lowest and highest
// of the points before the final run of points in row last, and from there the rows
// towards last, last excluded; nothing when all points lie in row last.
Rows ChainRows(const ColumnChain& c) {
    const bool sweeps = c.lo <= c.hi && !(c.lo == c.last && c.hi == c.last);
    const Coord settledLo = sweeps ? std::min(c.first, c.lo) : c.first;
    const Coord settledHi = sweeps ? std::max(c.first, c.hi) : c.first;
    return Kept(sweeps || c.first != c.last, Rows{std::min<Coord>(settledLo, Coord{c.last} + 1),
                                                  std::max<Coord>(settledHi + 1, c.last)});
}

// A line from row from of one column to row to of the next, end pixel excluded: its rows
// in the first column (head) and in the second (tail).
struct Split {
    Rows head;
    Rows tail;
};
Split NeighbourLine(Coord dx, Coord from, Coord to) {
    const Coord dy = to - from;
    const Coord steps = RowsInFirstColumn(dx, dy);
    const bool down = dy >= 0;
    const Coord headTop = down ? from : from - steps + 1;
    const Rows tail = down ? Rows{from + steps, to} : Rows{to + 1, from - steps + 1};
    return Split{Rows{headTop, headTop + steps}, Kept(!tail.IsEmpty(), tail)};
}

// Without branches: v in [lo, hi) as one unsigned comparison.
inline bool Within(Coord v, Coord lo, Coord hi) {
    return static_cast<std::uint64_t>(v - lo) < static_cast<std::uint64_t>(hi - lo);
}
inline bool ChainInside(const ColumnChain& c, Point64 offset, const RECT& clip) {
    const auto inRows = [&](LONG y) { return Within(y + offset.y, clip.top, clip.bottom); };
    return Within(c.x + offset.x, clip.left, clip.right) & inRows(c.first) & inRows(c.last) &
           ((c.lo > c.hi) | (inRows(c.lo) & inRows(c.hi)));
}

}  // namespace

void Rasteriser::SolidColumnChains(std::span<const ColumnChain> chains, Point64 offset,
                                   COLORREF colour) {
    if (NothingVisible() || chains.empty()) {
        return;
    }
    for (std::size_t i = 1; i < chains.size(); ++i) {
        if (chains[i].x == chains[i - 1].x) {
            // Two chains in one column make one run of points: the way of any polyline.
            std::vector<POINT> points;
            AppendChainPoints(chains.data(), chains.size(), points);
            SolidPolyline(points, offset, colour);
            return;
        }
    }
    const COLORREF pixel = PixelOf(colour);
    const auto at = [&](LONG x, LONG y) { return Point64{x + offset.x, y + offset.y}; };
    Rows incoming;  // the rows the line from the chain before inks in this chain's column
    bool inside = ChainInside(chains[0], offset, clip_);
    for (std::size_t i = 0; i < chains.size(); ++i) {
        const ColumnChain& c = chains[i];
        Rows rows = incoming;
        incoming = Rows{};
        if (inside) {
            rows = Joined(rows, ChainRows(c));
        } else {
            SolidChain(c, offset, pixel);
        }
        if (i + 1 < chains.size()) {
            const ColumnChain& next = chains[i + 1];
            const bool nextInside = ChainInside(next, offset, clip_);
            const Coord dx = Coord{next.x} - c.x;
            if (inside && nextInside && (dx == 1 || dx == -1)) {
                const Split line = NeighbourLine(dx, c.last, next.first);
                rows = Joined(rows, line.head);
                incoming = line.tail;
            } else if (inside && nextInside) {
                UnclippedSolidLine(surface_, at(c.x, c.last), at(next.x, next.first), pixel);
            } else {
                Coord phase = 0;
                CosmeticLine(at(c.x, c.last), at(next.x, next.first),
                             CosmeticPen{colour, DashPattern{}, false, 0}, phase);
            }
            inside = nextInside;
        }
        if (!rows.IsEmpty()) {
            FillColumn(surface_, c.x + offset.x, rows.top + offset.y, rows.bottom + offset.y,
                       pixel);
        }
    }
}

// A chain's own points, clipped: the vertical segments of its column.
void Rasteriser::SolidChain(const ColumnChain& chain, Point64 offset, COLORREF pixel) {
    std::vector<POINT> points;
    AppendChainPoints(&chain, 1, points);
    if (points.size() > 1) {
        SolidColumn(OffsetPath(points, offset), 0, pixel);
    }
}

}  // namespace plat
