// The rasteriser's fast paths (scanline polygon filler, clipped closed-form Bresenham,
// per-row ellipse spans) against slow per-pixel references on seeded random input.

#include <cstdint>
#include <random>
#include <sstream>

#include "PixelTestSupport.h"
#include "platform/gdi/Raster.h"

using namespace gdi_test;
using plat::kSubpixel;
using plat::Point64;

namespace {

constexpr int kSize = 32;
constexpr int kRounds = 400;

// Uniform in [lo, hi]; modulo bias is irrelevant here.
int In(std::mt19937& random, int lo, int hi) {
    return lo + static_cast<int>(random() % static_cast<unsigned>(hi - lo + 1));
}

// count random points, and their description for failure messages.
std::vector<POINT> RandomPoints(std::mt19937& random, int count, int lo, int hi,
                                std::string& description) {
    std::vector<POINT> points(count);
    std::ostringstream out;
    for (POINT& p : points) {
        p = POINT{In(random, lo, hi), In(random, lo, hi)};
        out << "(" << p.x << "," << p.y << ") ";
    }
    description = out.str();
    return points;
}

// The expected picture, pixel by pixel.
template <class ColourAt>
plat::Surface Reference(ColourAt colourAt) {
    plat::Surface expected(kSize, kSize, kWhite);
    for (int i = 0; i < kSize * kSize; ++i) {
        expected.SetPixel(i % kSize, i / kSize, colourAt(i % kSize, i / kSize));
    }
    return expected;
}

// A pixel is in when its centre is, counted by the crossings of its row's centre line at
// or left of the centre (left edges in, right edges out). Vertices in kSubpixel units.
bool InsidePolygon(const std::vector<Point64>& v, int px, int py, bool winding) {
    const plat::Coord cx = px * kSubpixel + kSubpixel / 2, cy = py * kSubpixel + kSubpixel / 2;
    int parity = 0, turns = 0;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const Point64 a = v[i], b = v[(i + 1) % v.size()];
        const Point64 lo = a.y < b.y ? a : b, hi = a.y < b.y ? b : a;
        if (a.y != b.y && cy >= lo.y && cy < hi.y &&
            lo.x * (hi.y - lo.y) + (cy - lo.y) * (hi.x - lo.x) <= cx * (hi.y - lo.y)) {
            parity ^= 1;
            turns += a.y < b.y ? 1 : -1;
        }
    }
    return winding ? turns != 0 : parity != 0;
}

// The error loop of the facts: every pixel visited (so the dash phase counts clipped
// ones), only visible ones kept. onMask holds the pattern's bits, period 0 is solid.
void ReferenceLine(plat::Surface& s, POINT a, POINT b, std::uint32_t onMask, int period,
                   long& pos) {
    const long dx = b.x - a.x, dy = b.y - a.y;
    int octant;
    if (dy > 0) {
        octant = dx > 0 ? (dx > dy ? 1 : 2) : (-dx > dy ? 4 : 3);
    } else {
        octant = dx < 0 ? (-dx > -dy ? 5 : 6) : (dx > -dy ? 8 : 7);
    }
    const long bias = (octant == 3 || octant == 5 || octant == 6 || octant == 8) ? 1 : 0;
    const bool xMajor = octant == 1 || octant == 4 || octant == 5 || octant == 8;
    const long major = xMajor ? std::labs(dx) : std::labs(dy);
    const long minor = xMajor ? std::labs(dy) : std::labs(dx);
    long x = a.x, y = a.y, err = 2 * minor - major;
    for (long i = 0; i < major; ++i, ++pos) {
        const bool on = period == 0 || ((onMask >> (pos % period)) & 1);
        s.SetPixel(x, y, on ? kBlack : kRed);
        if (err + bias > 0) {
            (xMajor ? y : x) += (xMajor ? dy : dx) > 0 ? 1 : -1;
            err += 2 * minor - 2 * major;
        } else {
            err += 2 * minor;
        }
        (xMajor ? x : y) += (xMajor ? dx : dy) > 0 ? 1 : -1;
    }
}

// Centre inside, or in the centre row or column.
bool InsideEllipse(const CRect& box, int x, int y) {
    const std::int64_t w = box.Width(), h = box.Height();
    if (w <= 0 || h <= 0 || !box.PtInRect(CPoint(x, y))) {
        return false;
    }
    const std::int64_t dx = 2 * std::int64_t{x} + 1 - box.left - box.right;
    const std::int64_t dy = 2 * std::int64_t{y} + 1 - box.top - box.bottom;
    return dx * dx * h * h + dy * dy * w * w <= w * w * h * h || std::abs(dx) <= 1 ||
           std::abs(dy) <= 1;
}

}  // namespace

// Whole-pixel vertices through the context; vertices between pixels (as wide pens make
// them) straight to the rasteriser.
TEST(Reference, Polygons) {
    const struct {
        bool winding, subpixel;
        int lo, hi;
    } cases[] = {{false, false, -8, 40},
                 {true, false, -8, 40},
                 {true, false, -3000000, 3000000},
                 {false, true, -8 * kSubpixel, 40 * kSubpixel},
                 {true, true, -8 * kSubpixel, 40 * kSubpixel}};
    std::mt19937 random(1);
    for (const auto& t : cases) {
        for (int n = 0; n < kRounds; ++n) {
            std::string text;
            const auto points = RandomPoints(random, In(random, 3, 9), t.lo, t.hi, text);
            std::vector<Point64> fixed;
            for (const POINT& p : points) {
                fixed.push_back(t.subpixel ? Point64{p.x, p.y} : plat::ToFixed({p.x, p.y}));
            }
            Canvas c(kSize, kSize);
            if (t.subpixel) {
                plat::Rasteriser(c.surface(), c.surface().Bounds())
                    .FillPolygon(fixed,
                                 t.winding ? plat::FillRule::NonZero : plat::FillRule::EvenOdd,
                                 plat::Paint::Solid(kBlack));
            } else {
                c.dc.SelectStockObject(NULL_PEN);
                c.dc.SelectStockObject(BLACK_BRUSH);
                c.dc.SetPolyFillMode(t.winding ? WINDING : ALTERNATE);
                c.dc.Polygon(points.data(), static_cast<int>(points.size()));
            }
            ASSERT_TRUE(SameAs(c.surface(), Reference([&](int x, int y) {
                                   return InsidePolygon(fixed, x, y, t.winding) ? kBlack : kWhite;
                               })))
                << t.winding << t.subpixel << " polygon " << n << ": " << text;
        }
    }
}

TEST(Reference, PolylinesSolidAndDashedThroughTheClip) {
    const struct {
        int style;
        std::uint32_t onMask;
        int period, lo, hi;
    } cases[] = {{PS_SOLID, 0, 0, -40, 72},
                 {PS_DASHDOT, 0x381FF, 24, -40, 72},  // 9 on, 6 off, 3 on, 6 off
                 {PS_DOT, 0x7, 6, -4000, 4000}};
    std::mt19937 random(4);
    for (const auto& t : cases) {
        for (int n = 0; n < kRounds; ++n) {
            std::string text;
            const auto path = RandomPoints(random, 3, t.lo, t.hi, text);
            Canvas c(kSize, kSize);
            UsePen pen(c.dc, t.style, 1, kBlack);
            c.dc.SetBkColor(kRed);
            c.dc.Polyline(path.data(), 3);
            plat::Surface expected(kSize, kSize, kWhite);
            long pos = 0;
            ReferenceLine(expected, path[0], path[1], t.onMask, t.period, pos);
            ReferenceLine(expected, path[1], path[2], t.onMask, t.period, pos);
            ASSERT_TRUE(SameAs(c.surface(), expected))
                << t.style << " polyline " << n << ": " << text;
        }
    }
}

// The one-pixel outline is the part of the ellipse with a 4-neighbour outside.
TEST(Reference, EllipsesOutlineAndInside) {
    std::mt19937 random(7);
    for (int n = 0; n < kRounds; ++n) {
        std::string text;
        const auto corners = RandomPoints(random, 2, -10, 40, text);
        const CRect given(corners[0], corners[1]);
        Canvas c(kSize, kSize);
        UseBrush brush(c.dc, kRed);
        c.dc.Ellipse(given);
        CRect box = given;
        box.NormalizeRect();
        const auto in = [&box](int x, int y) { return InsideEllipse(box, x, y); };
        ASSERT_TRUE(SameAs(c.surface(), Reference([&](int x, int y) {
                               const bool edge =
                                   !in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1);
                               return !in(x, y) ? kWhite : edge ? kBlack : kRed;
                           })))
            << "ellipse " << n << ": " << text;
    }
}
