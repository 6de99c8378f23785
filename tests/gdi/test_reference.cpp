// The rasteriser's fast paths (scanline polygon filler, clipped closed-form Bresenham,
// per-row ellipse spans) against slow per-pixel references on seeded random input.

#include <cstdint>
#include <random>
#include <sstream>

#include "PixelTestSupport.h"
#include "platform/gdi/Raster.h"

using namespace gdi_test;

namespace {

constexpr int kSize = 32;

class Random {
public:
    explicit Random(std::uint32_t seed) : engine_(seed) {}
    // Uniform in [lo, hi]; modulo bias is irrelevant here.
    int In(int lo, int hi) { return lo + static_cast<int>(engine_() % (hi - lo + 1)); }

private:
    std::mt19937 engine_;
};

std::string Describe(const std::vector<POINT>& points) {
    std::ostringstream out;
    for (const POINT& p : points) {
        out << "(" << p.x << "," << p.y << ") ";
    }
    return out.str();
}

// ---- Polygons: a pixel is in when its centre is, counted by crossings of its row ----

bool InsidePolygon(const std::vector<POINT>& v, int px, int py, bool winding) {
    // Doubled coordinates put pixel centres on odd integers.
    const std::int64_t cx = 2 * std::int64_t{px} + 1;
    const std::int64_t cy = 2 * std::int64_t{py} + 1;
    int parity = 0;
    int turns = 0;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const POINT a = v[i];
        const POINT b = v[(i + 1) % v.size()];
        if (a.y == b.y) {
            continue;
        }
        const POINT lo = a.y < b.y ? a : b;
        const POINT hi = a.y < b.y ? b : a;
        const std::int64_t loX = 2 * std::int64_t{lo.x}, loY = 2 * std::int64_t{lo.y};
        const std::int64_t hiX = 2 * std::int64_t{hi.x}, hiY = 2 * std::int64_t{hi.y};
        if (cy < loY || cy >= hiY) {
            continue;
        }
        // Crossing at or left of the centre (left edges in, right edges out).
        if (loX * (hiY - loY) + (cy - loY) * (hiX - loX) <= cx * (hiY - loY)) {
            parity ^= 1;
            turns += a.y < b.y ? 1 : -1;
        }
    }
    return winding ? turns != 0 : parity != 0;
}

std::vector<POINT> RandomPolygon(Random& random, int lo, int hi) {
    std::vector<POINT> points(random.In(3, 9));
    for (POINT& p : points) {
        p = POINT{random.In(lo, hi), random.In(lo, hi)};
    }
    return points;
}

void CheckPolygons(int mode, int lo, int hi, std::uint32_t seed) {
    Random random(seed);
    for (int n = 0; n < 400; ++n) {
        const std::vector<POINT> polygon = RandomPolygon(random, lo, hi);
        Canvas c(kSize, kSize);
        c.dc.SelectStockObject(NULL_PEN);
        c.dc.SelectStockObject(BLACK_BRUSH);
        c.dc.SetPolyFillMode(mode);
        c.dc.Polygon(polygon.data(), static_cast<int>(polygon.size()));
        plat::Surface expected(kSize, kSize, kWhite);
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                if (InsidePolygon(polygon, x, y, mode == WINDING)) {
                    expected.SetPixel(x, y, kBlack);
                }
            }
        }
        ASSERT_TRUE(c.surface() == expected)
            << "polygon " << n << ": " << Describe(polygon) << "\nexpected:\n"
            << AsciiMap(expected) << "actual:\n"
            << AsciiMap(c.surface());
    }
}

}  // namespace

TEST(Reference, PolygonsEvenOdd) {
    CheckPolygons(ALTERNATE, -8, 40, 1);
}
TEST(Reference, PolygonsNonZeroWinding) {
    CheckPolygons(WINDING, -8, 40, 2);
}
TEST(Reference, PolygonsWithFarVertices) {
    CheckPolygons(WINDING, -3000000, 3000000, 3);
}

// Vertices between pixels (as wide pens produce them) go straight to the rasteriser.
TEST(Reference, PolygonsWithSubpixelVertices) {
    using plat::kSubpixel;
    Random random(8);
    for (int n = 0; n < 400; ++n) {
        std::vector<plat::Point64> fixed(random.In(3, 7));
        for (plat::Point64& p : fixed) {
            p = plat::Point64{random.In(-8 * kSubpixel, 40 * kSubpixel),
                              random.In(-8 * kSubpixel, 40 * kSubpixel)};
        }
        const bool winding = n % 2 == 1;
        plat::Surface actual(kSize, kSize, kWhite);
        plat::Rasteriser(actual, actual.Bounds())
            .FillPolygon(fixed, winding ? plat::FillRule::NonZero : plat::FillRule::EvenOdd,
                         plat::Paint::Solid(kBlack));
        plat::Surface expected(kSize, kSize, kWhite);
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                const plat::Coord cx = x * kSubpixel + kSubpixel / 2;
                const plat::Coord cy = y * kSubpixel + kSubpixel / 2;
                int parity = 0, turns = 0;
                for (std::size_t i = 0; i < fixed.size(); ++i) {
                    const plat::Point64 a = fixed[i], b = fixed[(i + 1) % fixed.size()];
                    const plat::Point64 lo = a.y < b.y ? a : b, hi = a.y < b.y ? b : a;
                    if (a.y == b.y || cy < lo.y || cy >= hi.y) {
                        continue;
                    }
                    if (lo.x * (hi.y - lo.y) + (cy - lo.y) * (hi.x - lo.x) <= cx * (hi.y - lo.y)) {
                        parity ^= 1;
                        turns += a.y < b.y ? 1 : -1;
                    }
                }
                if (winding ? turns != 0 : parity != 0) {
                    expected.SetPixel(x, y, kBlack);
                }
            }
        }
        ASSERT_TRUE(actual == expected) << "polygon " << n << "\nexpected:\n"
                                        << AsciiMap(expected) << "actual:\n"
                                        << AsciiMap(actual);
    }
}

// ---- Lines: the error loop of the facts, every pixel visited, only visible ones kept ----

namespace {

struct ReferencePen {
    std::uint32_t onMask;
    int period;  // 0 = solid
};

void ReferenceLine(plat::Surface& s, POINT a, POINT b, const ReferencePen& pen, long& pos) {
    const long dx = b.x - a.x;
    const long dy = b.y - a.y;
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
        const bool on = pen.period == 0 || ((pen.onMask >> (pos % pen.period)) & 1);
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

void CheckPolylines(int style, ReferencePen pen, int lo, int hi, std::uint32_t seed) {
    Random random(seed);
    for (int n = 0; n < 400; ++n) {
        std::vector<POINT> path(3);
        for (POINT& p : path) {
            p = POINT{random.In(lo, hi), random.In(lo, hi)};
        }
        Canvas c(kSize, kSize);
        UsePen usePen(c.dc, style, 1, kBlack);
        c.dc.SetBkColor(kRed);
        c.dc.Polyline(path.data(), 3);
        plat::Surface expected(kSize, kSize, kWhite);
        long pos = 0;
        ReferenceLine(expected, path[0], path[1], pen, pos);
        ReferenceLine(expected, path[1], path[2], pen, pos);
        ASSERT_TRUE(c.surface() == expected)
            << "polyline " << n << ": " << Describe(path) << "\nexpected:\n"
            << AsciiMap(expected) << "actual:\n"
            << AsciiMap(c.surface());
    }
}

}  // namespace

TEST(Reference, SolidLinesClipped) {
    CheckPolylines(PS_SOLID, {0, 0}, -40, 72, 4);
}

TEST(Reference, DashDotLinesKeepTheirPhaseThroughTheClip) {
    // 9 on, 6 off, 3 on, 6 off.
    CheckPolylines(PS_DASHDOT, {0x381FF, 24}, -40, 72, 5);
}

TEST(Reference, DottedLinesFromFarAway) {
    CheckPolylines(PS_DOT, {0x7, 6}, -4000, 4000, 6);
}

// ---- Ellipses: centre inside, or in the centre row or column; one-pixel outline is the
//      part with a 4-neighbour outside ----

namespace {

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

TEST(Reference, EllipsesOutlineAndInside) {
    Random random(7);
    for (int n = 0; n < 400; ++n) {
        const int left = random.In(-10, 30), top = random.In(-10, 30);
        const CRect given(left, top, left + random.In(-4, 40), top + random.In(-4, 40));
        Canvas c(kSize, kSize);
        UseBrush brush(c.dc, kRed);
        c.dc.Ellipse(given);
        CRect box = given;
        box.NormalizeRect();
        plat::Surface expected(kSize, kSize, kWhite);
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                if (!InsideEllipse(box, x, y)) {
                    continue;
                }
                const bool edge = !InsideEllipse(box, x - 1, y) || !InsideEllipse(box, x + 1, y) ||
                                  !InsideEllipse(box, x, y - 1) || !InsideEllipse(box, x, y + 1);
                expected.SetPixel(x, y, edge ? kBlack : kRed);
            }
        }
        ASSERT_TRUE(c.surface() == expected)
            << "ellipse " << n << ": " << given.left << "," << given.top << "," << given.right
            << "," << given.bottom << "\nexpected:\n"
            << AsciiMap(expected) << "actual:\n"
            << AsciiMap(c.surface());
    }
}
