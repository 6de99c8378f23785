#include "platform/gdi/Raster.h"

#include <algorithm>
#include <cmath>

namespace plat {

const std::uint8_t kHatchPatterns[6][8] = {
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00},  // HS_HORIZONTAL
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // HS_VERTICAL
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // HS_FDIAGONAL
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // HS_BDIAGONAL
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08},  // HS_CROSS
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // HS_DIAGCROSS
};

namespace {

using Wide = __int128;
using UWide = unsigned __int128;

Wide FloorDivWide(Wide a, Wide b) {
    const Wide q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// floor(sqrt(n)), exact for every 64-bit n.
std::uint64_t ISqrt(std::uint64_t n) {
    auto r = static_cast<std::uint64_t>(std::sqrt(static_cast<double>(n)));
    while (UWide{r} * r > n) {
        --r;
    }
    while (UWide{r + 1} * (r + 1) <= n) {
        ++r;
    }
    return r;
}

void WriteSpan(COLORREF* row, Coord y, Coord x0, Coord x1, const Paint& paint) {
    if (paint.kind == Paint::Kind::Solid) {
        FillPixels(row + x0, static_cast<std::size_t>(x1 - x0), paint.colour);
        return;
    }
    const std::uint8_t bits = kHatchPatterns[paint.hatch][(y - paint.originY) & 7];
    for (Coord x = x0; x < x1; ++x) {
        if (bits & (0x80 >> ((x - paint.originX) & 7))) {
            row[x] = paint.colour;
        } else if (paint.opaqueBackground) {
            row[x] = paint.background;
        }
    }
}

}  // namespace

Rasteriser::Rasteriser(Surface& surface, const RECT& clip) : surface_(surface) {
    const RECT bounds = surface.Bounds();
    IntersectRect(&clip_, &clip, &bounds);
}

Rasteriser::~Rasteriser() = default;

void Rasteriser::FillSpan(Coord y, Coord x0, Coord x1, const Paint& paint) {
    if (paint.kind == Paint::Kind::None || y < clip_.top || y >= clip_.bottom) {
        return;
    }
    x0 = std::max<Coord>(x0, clip_.left);
    x1 = std::min<Coord>(x1, clip_.right);
    if (x0 < x1) {
        WriteSpan(surface_.Row(static_cast<int>(y)), y, x0, x1, paint);
    }
}

void Rasteriser::FillSpanDifference(Coord y, Coord a0, Coord a1, Coord b0, Coord b1,
                                    const Paint& paint) {
    if (b0 >= b1) {
        FillSpan(y, a0, a1, paint);
        return;
    }
    FillSpan(y, a0, std::min(a1, b0), paint);
    FillSpan(y, std::max(a0, b1), a1, paint);
}

void Rasteriser::FillBox(const Box64& box, const Paint& paint) {
    const Coord top = std::max<Coord>(box.top, clip_.top);
    const Coord bottom = std::min<Coord>(box.bottom, clip_.bottom);
    // Whole rows lie one after the other: one fill for all of them (a background).
    if (paint.kind == Paint::Kind::Solid && top < bottom && box.left <= 0 &&
        box.right >= surface_.Width() && clip_.left == 0 && clip_.right == surface_.Width()) {
        FillPixels(surface_.Row(static_cast<int>(top)),
                   static_cast<std::size_t>((bottom - top) * surface_.Width()), paint.colour);
        return;
    }
    for (Coord y = top; y < bottom; ++y) {
        FillSpan(y, box.left, box.right, paint);
    }
}

// ---- Polygons --------------------------------------------------------------------------
//
// A scanline filler over exact integer edges. For each pixel row the x where an edge
// crosses the row's centre line is q + r/den (0 <= r < den), stepped from row to row
// without division; a crossing turns into the first pixel whose centre lies at or right
// of it, so spans are exact for any vertex in kSubpixel units.

struct Rasteriser::Edge {
    Coord firstRow;
    Coord endRow;  // first row the edge no longer crosses
    int dir;       // +1 when the original edge runs downward
    Point64 top;
    Point64 bottom;
    Coord q = 0;
    Coord r = 0;
    Coord stepQ = 0;
    Coord stepR = 0;

    void Start(Coord row) {
        const Coord den = bottom.y - top.y;
        const Coord dx = bottom.x - top.x;
        const Coord centre = row * kSubpixel + kSubpixel / 2;
        const Wide n = Wide{centre - top.y} * dx;
        const Wide whole = FloorDivWide(n, den);
        q = top.x + static_cast<Coord>(whole);
        r = static_cast<Coord>(n - whole * den);
        const Coord step = dx * kSubpixel;
        stepQ = FloorDiv(step, den);
        stepR = step - stepQ * den;
    }
    void Advance() {
        q += stepQ;
        r += stepR;
        if (r >= bottom.y - top.y) {
            r -= bottom.y - top.y;
            ++q;
        }
    }
    // The first pixel column whose centre is at or right of the crossing.
    Coord FirstPixelRightOf() const {
        const Coord crossingCeil = q + (r > 0 ? 1 : 0);
        return CeilDiv(crossingCeil - kSubpixel / 2, kSubpixel);
    }
};

struct Rasteriser::Crossing {
    Coord x;
    int dir;
};

void Rasteriser::FillPolygon(std::span<const Point64> v, FillRule rule, const Paint& paint) {
    if (paint.kind == Paint::Kind::None || v.size() < 3 || NothingVisible()) {
        return;
    }
    edges_.clear();
    Coord rowLo = clip_.bottom;
    Coord rowHi = clip_.top;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const Point64 a = v[i];
        const Point64 b = v[(i + 1) % v.size()];
        if (a.y == b.y) {
            continue;
        }
        const bool down = a.y < b.y;
        const Point64 top = down ? a : b;
        const Point64 bottom = down ? b : a;
        const Coord first = std::max<Coord>(CeilDiv(top.y - kSubpixel / 2, kSubpixel), clip_.top);
        const Coord end =
            std::min<Coord>(CeilDiv(bottom.y - kSubpixel / 2, kSubpixel), clip_.bottom);
        if (first >= end) {
            continue;
        }
        edges_.push_back(Edge{first, end, down ? 1 : -1, top, bottom});
        rowLo = std::min(rowLo, first);
        rowHi = std::max(rowHi, end);
    }
    std::sort(edges_.begin(), edges_.end(),
              [](const Edge& a, const Edge& b) { return a.firstRow < b.firstRow; });

    active_.clear();
    std::size_t next = 0;
    for (Coord y = rowLo; y < rowHi; ++y) {
        for (; next < edges_.size() && edges_[next].firstRow <= y; ++next) {
            edges_[next].Start(y);
            active_.push_back(next);
        }
        std::erase_if(active_, [&](std::size_t i) { return edges_[i].endRow <= y; });

        crossings_.clear();
        for (std::size_t i : active_) {
            crossings_.push_back(Crossing{edges_[i].FirstPixelRightOf(), edges_[i].dir});
            edges_[i].Advance();
        }
        std::sort(crossings_.begin(), crossings_.end(),
                  [](const Crossing& a, const Crossing& b) { return a.x < b.x; });

        if (rule == FillRule::EvenOdd) {
            for (std::size_t i = 0; i + 1 < crossings_.size(); i += 2) {
                FillSpan(y, crossings_[i].x, crossings_[i + 1].x, paint);
            }
            continue;
        }
        int winding = 0;
        Coord start = 0;
        for (const Crossing& c : crossings_) {
            const int before = winding;
            winding += c.dir;
            if (before == 0 && winding != 0) {
                start = c.x;
            } else if (before != 0 && winding == 0) {
                FillSpan(y, start, c.x, paint);
            }
        }
    }
}

// ---- Ellipses --------------------------------------------------------------------------
//
// Pixel (x, y) belongs to the ellipse inscribed in [l, r) x [t, b) when its centre does,
// or when it lies in the centre row(s) or column(s) of the box: with
// dx = 2x + 1 - (l + r), dy = 2y + 1 - (t + b), w = r - l, h = b - t,
//     dx^2 h^2 + dy^2 w^2 <= w^2 h^2  or  |dx| <= 1  or  |dy| <= 1.
// Per row the widest |dx| is isqrt(w^2 (h^2 - dy^2) / h^2), exact in 128-bit integers
// for boxes below 2^31 pixels; larger ones (only ever partly on a surface) use long double.

bool EllipseRowSpan(const Box64& box, Coord y, Coord& x0, Coord& x1) {
    const Coord w = box.right - box.left;
    const Coord h = box.bottom - box.top;
    if (w <= 0 || h <= 0 || y < box.top || y >= box.bottom) {
        return false;
    }
    const Coord dy = 2 * y + 1 - (box.top + box.bottom);
    constexpr Coord kExactLimit = Coord{1} << 31;
    Coord m = 0;
    if (w < kExactLimit && h < kExactLimit) {
        const UWide hh = static_cast<UWide>(h * h);
        const UWide rest = hh - static_cast<UWide>(dy * dy);
        const UWide scaled = static_cast<UWide>(w * w) * rest;
        m = static_cast<Coord>(ISqrt(static_cast<std::uint64_t>(scaled / hh)));
    } else {
        const long double fy = static_cast<long double>(dy) / static_cast<long double>(h);
        m = static_cast<Coord>(std::floor(static_cast<long double>(w) * std::sqrt(1.0L - fy * fy)));
    }
    // The centre row(s) and column(s) always belong, so that even a thin ellipse touches
    // all four sides of its box, as the interface's ellipses do.
    m = std::max(m, std::abs(dy) <= 1 ? w - 1 : Coord{1});
    x0 = CeilDiv(box.left + box.right - 1 - m, 2);
    x1 = FloorDiv(box.left + box.right - 1 + m, 2) + 1;
    return x0 < x1;
}

namespace {

// The rows of box that the clip lets through.
std::pair<Coord, Coord> ClippedRows(const Box64& box, const RECT& clip) {
    return {std::max<Coord>(box.top, clip.top), std::min<Coord>(box.bottom, clip.bottom)};
}

// The part of row y of the ellipse whose pixels have all four neighbours inside.
bool EllipseRowCore(const Box64& box, Coord y, Coord& c0, Coord& c1) {
    Coord a0, a1, u0, u1, d0, d1;
    if (!EllipseRowSpan(box, y, a0, a1) || !EllipseRowSpan(box, y - 1, u0, u1) ||
        !EllipseRowSpan(box, y + 1, d0, d1)) {
        return false;
    }
    c0 = std::max({a0 + 1, u0, d0});
    c1 = std::min({a1 - 1, u1, d1});
    return c0 < c1;
}

}  // namespace

void Rasteriser::FillEllipse(const Box64& box, const Paint& paint) {
    const auto [top, bottom] = ClippedRows(box, clip_);
    for (Coord y = top; y < bottom; ++y) {
        Coord x0, x1;
        if (EllipseRowSpan(box, y, x0, x1)) {
            FillSpan(y, x0, x1, paint);
        }
    }
}

void Rasteriser::FillEllipseBoundary(const Box64& box, const Paint& paint) {
    const auto [top, bottom] = ClippedRows(box, clip_);
    for (Coord y = top; y < bottom; ++y) {
        Coord x0, x1, c0 = 0, c1 = 0;
        if (EllipseRowSpan(box, y, x0, x1)) {
            const bool hasCore = EllipseRowCore(box, y, c0, c1);
            FillSpanDifference(y, x0, x1, c0, hasCore ? c1 : c0, paint);
        }
    }
}

void Rasteriser::FillEllipseInterior(const Box64& box, const Paint& paint) {
    const auto [top, bottom] = ClippedRows(box, clip_);
    for (Coord y = top; y < bottom; ++y) {
        Coord c0, c1;
        if (EllipseRowCore(box, y, c0, c1)) {
            FillSpan(y, c0, c1, paint);
        }
    }
}

void Rasteriser::FillEllipseRing(const Box64& outer, const Box64& inner, const Paint& paint) {
    const auto [top, bottom] = ClippedRows(outer, clip_);
    for (Coord y = top; y < bottom; ++y) {
        Coord x0, x1, i0 = 0, i1 = 0;
        if (EllipseRowSpan(outer, y, x0, x1)) {
            const bool hasInner = EllipseRowSpan(inner, y, i0, i1);
            FillSpanDifference(y, x0, x1, i0, hasInner ? i1 : i0, paint);
        }
    }
}

}  // namespace plat
