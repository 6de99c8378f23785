// One-pixel lines (Bresenham, dashes) and wide pens.

#include <algorithm>
#include <climits>
#include <random>
#include <vector>

#include "PixelTestSupport.h"
#include "platform/gdi/Raster.h"

using namespace gdi_test;

TEST(Lines, EndPixelExcludedAndCurrentPositionMoved) {
    Canvas c(10, 4);
    EXPECT_EQ(c.dc.MoveTo(2, 1), CPoint(0, 0));
    EXPECT_TRUE(c.dc.LineTo(8, 1));
    EXPECT_EQ(c.dc.GetCurrentPosition(), CPoint(8, 1));
    EXPECT_TRUE(c.dc.LineTo(2, 1));  // back again: starts at 8, stops before 2
    EXPECT_TRUE(c.dc.LineTo(2, 3));
    c.dc.MoveTo(6, 3);
    EXPECT_TRUE(c.dc.LineTo(6, 3));                    // zero length: nothing
    EXPECT_TRUE(PixelsAre(c.surface(), {"..........",  //
                                        "..#######.",  //
                                        "..#.......",  //
                                        ".........."}));
}

// The bias in octants 3, 5, 6 and 8 makes a line drawn backwards cover the same pixels
// (its excluded end aside) as the line drawn forwards.
TEST(Lines, ReversedLinesCoverTheSamePixels) {
    for (int n = 0; n < 13 * 13; ++n) {  // every end point up to 6 pixels away
        Canvas forward(15, 15), backward(15, 15);
        const CPoint a(7, 7), b(1 + n % 13, 1 + n / 13);
        forward.dc.MoveTo(a);
        forward.dc.LineTo(b);
        forward.dc.SetPixel(b, kBlack);
        backward.dc.MoveTo(b);
        backward.dc.LineTo(a);
        backward.dc.SetPixel(a, kBlack);
        EXPECT_TRUE(SameAs(backward.surface(), forward.surface())) << b.x << "," << b.y;
    }
}

// Row 0 of a line from (startX, 0) to (30, 0): '#' pen, 'R' gap in the opaque bk colour,
// '.' untouched. The pattern starts on and counts the pixels clipped away; pens wider
// than one pixel are solid.
TEST(Dashes, CosmeticPatterns) {
    const struct {
        int style, width, bkMode, startX;
        const char* row;
    } cases[] = {
        {PS_SOLID, 1, OPAQUE, 0, "##############################"},
        {PS_DASH, 1, OPAQUE, 0, "##################RRRRRR######"},
        {PS_DOT, 1, OPAQUE, 0, "###RRR###RRR###RRR###RRR###RRR"},
        {PS_DASHDOT, 1, OPAQUE, 0, "#########RRRRRR###RRRRRR######"},
        {PS_DASHDOTDOT, 1, OPAQUE, 0, "#########RRR###RRR###RRR######"},
        {PS_DASH, 1, TRANSPARENT, 0, "##################......######"},
        {PS_DOT, 1, TRANSPARENT, 0, "###...###...###...###...###..."},
        {PS_DASH, 1, OPAQUE, -15, "###RRRRRR##################RRR"},
        {PS_DASHDOT, 2, OPAQUE, 1, "##############################"},
    };
    for (const auto& t : cases) {
        Canvas c(30, 1);
        UsePen pen(c.dc, t.style, t.width, kBlack);
        c.dc.SetBkColor(kRed);
        c.dc.SetBkMode(t.bkMode);
        c.dc.MoveTo(t.startX, 0);
        c.dc.LineTo(30, 0);
        EXPECT_EQ(RowOf(c.surface(), 0), t.row)
            << t.style << "," << t.width << " from " << t.startX;
    }
}

// One Polyline runs its pattern on round the corner; each LineTo starts it afresh.
TEST(Dashes, PhaseRunsOnAcrossAPolylineButNotAcrossLineTos) {
    CPen dot(PS_DOT, 1, kBlack);
    Canvas poly(12, 12), lines(12, 12);
    for (Canvas* c : {&poly, &lines}) {
        c->dc.SelectObject(&dot);
        c->dc.SetBkMode(TRANSPARENT);
    }
    const POINT path[] = {{0, 0}, {10, 0}, {10, 10}};
    EXPECT_TRUE(poly.dc.Polyline(path, 3));
    lines.dc.MoveTo(path[0]);
    lines.dc.LineTo(path[1]);
    lines.dc.LineTo(path[2]);
    EXPECT_EQ(RowOf(poly.surface(), 0), "###...###...");
    EXPECT_EQ(ColumnOf(poly.surface(), 10), "..###...##..");  // from pattern pixel 10
    EXPECT_EQ(ColumnOf(lines.surface(), 10), "###...###...");
}

// Width w at y covers rows y - w/2 .. y - w/2 + w - 1 and reaches w/2 past each end; the
// caps of width 4 lose their corner pixels.
TEST(WidePens, SegmentRowsColumnsAndRoundCaps) {
    Canvas c(16, 10);
    {
        UsePen pen(c.dc, PS_SOLID, 3, kBlack);
        c.dc.MoveTo(3, 2);
        c.dc.LineTo(10, 2);
    }
    {
        UsePen pen(c.dc, PS_SOLID, 4, kRed);
        c.dc.MoveTo(3, 8);
        c.dc.LineTo(10, 8);
    }
    {
        UsePen pen(c.dc, PS_SOLID, 2, kBlue);
        c.dc.MoveTo(14, 2);
        c.dc.LineTo(14, 5);
    }
    EXPECT_TRUE(PixelsAre(c.surface(), {"................",  //
                                        "..##########.BB.",  //
                                        "..##########.BB.",  //
                                        "..##########.BB.",  //
                                        ".............BB.",  //
                                        ".............BB.",  //
                                        "..RRRRRRRRR.....",  //
                                        ".RRRRRRRRRRR....",  //
                                        ".RRRRRRRRRRR....",  //
                                        "..RRRRRRRRR....."}));
}

TEST(WidePens, DiagonalStrokeIsSymmetric) {
    Canvas c(16, 16);
    UsePen pen(c.dc, PS_SOLID, 3, kBlack);
    c.dc.MoveTo(3, 3);
    c.dc.LineTo(12, 12);
    // Symmetric about the line y = x and about its midpoint.
    const plat::Surface& s = c.surface();
    for (int i = 0; i < 16 * 16; ++i) {
        const int x = i % 16, y = i / 16;
        ASSERT_EQ(s.GetPixel(x, y), s.GetPixel(y, x)) << x << "," << y;
        ASSERT_EQ(s.GetPixel(x, y), s.GetPixel(15 - x, 15 - y)) << x << "," << y;
    }
    EXPECT_EQ(RowOf(s, 7), ".....#####......");  // 3 * sqrt(2) wide across
}

TEST(Lines, NullPenDrawsNothingAndDcPenTakesTheContextsColour) {
    Canvas c(6, 6);
    c.dc.SelectStockObject(NULL_PEN);
    c.dc.MoveTo(0, 0);
    c.dc.LineTo(6, 6);
    const POINT path[] = {{0, 3}, {5, 3}, {5, 0}};
    c.dc.Polyline(path, 3);
    EXPECT_EQ(c.Count(kWhite), 36);
    c.dc.SelectStockObject(DC_PEN);
    EXPECT_EQ(c.dc.SetDCPenColor(kGreen), kBlack);
    c.dc.MoveTo(1, 5);
    c.dc.LineTo(6, 5);
    EXPECT_EQ(RowOf(c.surface(), 5), ".GGGGG");
}

// Far end points are clipped exactly; a polyline needs two points.
TEST(BadInput, FarEndPointsAndShortPolylines) {
    Canvas c(16, 16);
    c.dc.MoveTo(INT_MIN, 5);
    c.dc.LineTo(INT_MAX, 5);
    EXPECT_EQ(RowOf(c.surface(), 5), std::string(16, '#'));
    c.dc.MoveTo(-1000000000, -1000000000);
    c.dc.LineTo(1000000000, 1000000000);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(c.surface().GetPixel(i, i), kBlack) << i;
    }
    c.dc.MoveTo(INT_MIN, INT_MIN);
    c.dc.LineTo(INT_MAX, INT_MIN);  // nowhere near the surface
    EXPECT_EQ(c.Count(kBlack), 16 + 15);

    c.surface().Fill(kWhite);
    c.dc.MoveTo(0, 0);
    const POINT one[] = {{1, 1}};
    EXPECT_FALSE(c.dc.Polyline(one, 1));
    EXPECT_FALSE(c.dc.Polyline(nullptr, 3));
    EXPECT_FALSE(c.dc.Polyline(one, -5));
    EXPECT_FALSE(c.dc.PolylineTo(one, 0));
    EXPECT_EQ(c.Count(kBlack), 0);
    EXPECT_TRUE(c.dc.PolylineTo(one, 1));
    EXPECT_EQ(c.dc.GetCurrentPosition(), CPoint(1, 1));
    EXPECT_EQ(c.surface().GetPixel(0, 0), kBlack);
}

// The batched solid polyline inks exactly the pixels of its segments drawn one by one:
// columns of many short vertical segments with repeated points (dense plots), steps of
// every direction, and ends outside the clip or far off the surface.
TEST(Lines, SolidPolylineInksWhatItsSegmentsInk) {
    std::mt19937 random(11);
    const auto pick = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(random);
    };
    const plat::CosmeticPen pen{kBlack, plat::DashPattern{}, false, 0};
    for (int round = 0; round < 300; ++round) {
        const RECT clip{pick(-2, 8), pick(-2, 8), pick(20, 50), pick(20, 50)};
        std::vector<plat::Point64> path{{pick(-10, 50), pick(-10, 50)}};
        const int length = pick(2, 60);
        while (static_cast<int>(path.size()) < length) {
            plat::Point64 p = path.back();
            const int kind = pick(0, 9);
            if (kind < 5) {
                p.y += pick(-6, 6);  // the same column, now and then the same point
            } else if (kind < 8) {
                p.x += pick(-3, 3);
                p.y += pick(-12, 12);
            } else if (kind < 9) {
                p = {pick(-15, 55), pick(-15, 55)};
            } else {
                p = {pick(-1, 1) * 1000000000LL, pick(-1, 1) * 1000000000LL};
            }
            path.push_back(p);
        }
        plat::Surface batched(40, 40, kWhite);
        plat::Surface segments(40, 40, kWhite);
        plat::Rasteriser(batched, clip).SolidPolyline(path, kBlack);
        plat::Rasteriser reference(segments, clip);
        plat::Coord phase = 0;
        for (std::size_t i = 0; i + 1 < path.size(); ++i) {
            reference.CosmeticLine(path[i], path[i + 1], pen, phase);
        }
        ASSERT_TRUE(SameAs(batched, segments)) << "round " << round;
        // The same path in 32-bit points, moved by an offset on the way.
        const plat::Point64 offset{pick(-20, 20), pick(-20, 20)};
        std::vector<POINT> moved;
        for (const plat::Point64& p : path) {
            moved.push_back(
                POINT{static_cast<LONG>(p.x - offset.x), static_cast<LONG>(p.y - offset.y)});
        }
        plat::Surface shifted(40, 40, kWhite);
        plat::Rasteriser(shifted, clip).SolidPolyline(moved, offset, kBlack);
        ASSERT_TRUE(SameAs(shifted, segments)) << "round " << round;
    }
}

// A solid pen's polyline is read in place and moved by the context's origins on the way:
// it inks what its segments drawn one LineTo at a time ink, under the same origins.
TEST(Lines, SolidPolylineFollowsTheOrigins) {
    const POINT path[] = {{3, 2}, {3, 9}, {3, 5}, {8, 5}, {7, 14}, {15, 1}, {15, 1}, {2, 12}};
    for (const POINT viewport : {POINT{0, 0}, POINT{4, -3}, POINT{-6, 5}}) {
        Canvas polyline(20, 20);
        Canvas segments(20, 20);
        for (Canvas* c : {&polyline, &segments}) {
            c->dc.SetViewportOrg(viewport.x, viewport.y);
            c->dc.SetWindowOrg(1, -2);
        }
        UsePen red(polyline.dc, PS_SOLID, 1, kRed);
        UsePen alsoRed(segments.dc, PS_SOLID, 1, kRed);
        EXPECT_TRUE(polyline.dc.Polyline(path, 8));
        segments.dc.MoveTo(path[0].x, path[0].y);
        for (int i = 1; i < 8; ++i) {
            segments.dc.LineTo(path[i].x, path[i].y);
        }
        EXPECT_GT(polyline.Count(kRed), 20) << viewport.x;
        EXPECT_TRUE(SameAs(polyline.surface(), segments.surface())) << viewport.x;
    }
}

// Column chains ink what the segments between their points ink: neighbouring columns
// with every kind of step between them, chains that sweep rows or not, jumps over
// columns, chains partly or wholly outside the clip, and two chains in one column.
TEST(Lines, ColumnChainsInkWhatTheirSegmentsInk) {
    std::mt19937 random(23);
    const auto pick = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(random);
    };
    const plat::CosmeticPen pen{kBlack, plat::DashPattern{}, false, 0};
    for (int round = 0; round < 400; ++round) {
        const RECT clip{pick(-2, 8), pick(-2, 8), pick(20, 50), pick(20, 50)};
        std::vector<plat::ColumnChain> chains;
        LONG x = pick(-5, 45);
        LONG y = pick(-5, 45);
        const int length = pick(1, 40);
        for (int i = 0; i < length; ++i) {
            const int kind = pick(0, 19);
            x += kind < 16 ? -1 : (kind < 18 ? pick(-4, 4) : (kind < 19 ? 1 : 0));
            y += pick(-7, 7);
            plat::ColumnChain c{x, y, y + pick(-6, 6)};
            const int sweep = pick(0, 3);
            if (sweep == 1) {
                c.lo = std::min(c.first, c.last) - pick(0, 5);
                c.hi = std::max(c.first, c.last) + pick(0, 5);
            } else if (sweep == 2) {
                c.lo = y + pick(-8, 8);  // rows that need not hold the ends
                c.hi = c.lo + pick(0, 8);
            }
            if (sweep > 0 && pick(0, 3) == 0) {
                c.last = pick(0, 1) ? c.lo : c.hi;  // the line leaves at an extreme
            }
            chains.push_back(c);
            y = c.last;
        }
        std::vector<POINT> points;
        plat::AppendChainPoints(chains.data(), chains.size(), points);
        const plat::Point64 offset{pick(-3, 3), pick(-3, 3)};
        plat::Surface folded(40, 40, kWhite);
        plat::Surface segments(40, 40, kWhite);
        plat::Rasteriser(folded, clip).SolidColumnChains(chains, offset, kBlack);
        plat::Rasteriser reference(segments, clip);
        plat::Coord phase = 0;
        for (std::size_t i = 0; i + 1 < points.size(); ++i) {
            reference.CosmeticLine({points[i].x + offset.x, points[i].y + offset.y},
                                   {points[i + 1].x + offset.x, points[i + 1].y + offset.y}, pen,
                                   phase);
        }
        ASSERT_TRUE(SameAs(folded, segments)) << "round " << round;
    }
}

// Through a context: the origins move the chains, a styled pen dashes them as it dashes
// their polyline, and a chain of one point draws nothing.
TEST(Lines, PolylineColumnsThroughAContext) {
    const plat::ColumnChain chains[] = {
        {12, 3, 9, 2, 11}, {11, 10, 4}, {10, 4, 4, 1, 6}, {6, 9, 9}, {5, 1, 14, 0, 14}};
    std::vector<POINT> points;
    plat::AppendChainPoints(chains, 5, points);
    for (const int style : {PS_SOLID, PS_DOT}) {
        Canvas folded(20, 20);
        Canvas polyline(20, 20);
        for (Canvas* c : {&folded, &polyline}) {
            c->dc.SetViewportOrg(3, -2);
            c->dc.SetWindowOrg(-1, -4);
        }
        UsePen red(folded.dc, style, 1, kRed);
        UsePen alsoRed(polyline.dc, style, 1, kRed);
        EXPECT_TRUE(folded.dc.PolylineColumns(chains, 5));
        EXPECT_TRUE(polyline.dc.Polyline(points.data(), static_cast<int>(points.size())));
        EXPECT_GT(folded.Count(kRed), 15) << style;
        EXPECT_TRUE(SameAs(folded.surface(), polyline.surface())) << style;
    }
    // Far-flung chains (the ends of the coordinate range, moved further by the origins)
    // draw what their polyline draws, without overflow.
    const plat::ColumnChain far[] = {{INT_MAX, INT_MIN, INT_MAX, INT_MIN, INT_MAX},
                                     {10, INT_MIN, 12},
                                     {9, 3, INT_MAX},
                                     {INT_MIN, 5, 5}};
    std::vector<POINT> farPoints;
    plat::AppendChainPoints(far, 4, farPoints);
    Canvas folded(20, 20);
    Canvas polyline(20, 20);
    for (Canvas* c : {&folded, &polyline}) {
        c->dc.SetViewportOrg(7, -9);
    }
    UsePen blue(folded.dc, PS_SOLID, 1, kBlue);
    UsePen alsoBlue(polyline.dc, PS_SOLID, 1, kBlue);
    EXPECT_TRUE(folded.dc.PolylineColumns(far, 4));
    EXPECT_TRUE(polyline.dc.Polyline(farPoints.data(), static_cast<int>(farPoints.size())));
    EXPECT_GT(folded.Count(kBlue), 0);
    EXPECT_TRUE(SameAs(folded.surface(), polyline.surface()));

    Canvas one(20, 20);
    UsePen red(one.dc, PS_SOLID, 1, kRed);
    const plat::ColumnChain point{5, 5, 5};
    EXPECT_TRUE(one.dc.PolylineColumns(&point, 1));
    EXPECT_EQ(one.Count(kRed), 0);
    EXPECT_FALSE(one.dc.PolylineColumns(nullptr, 3));
}

// Styled grid lines: every pixel of a random horizontal or vertical line, clipped or not,
// follows the pattern from the line's first pixel, gaps opaque or transparent.
TEST(Dashes, AxisLinesFollowThePatternPixelByPixel) {
    std::mt19937 random(5);
    const auto pick = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(random);
    };
    const int styles[] = {PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_ALTERNATE};
    for (int round = 0; round < 200; ++round) {
        const int style = styles[pick(0, 4)];
        const plat::CosmeticPen pen{kBlack, plat::DashPatternFor(style), pick(0, 1) == 1, kRed};
        const RECT clip{pick(0, 10), pick(0, 10), pick(20, 40), pick(20, 40)};
        const bool across = pick(0, 1) == 1;
        const int at = pick(-2, 41);
        const int from = pick(-20, 60);
        const int to = pick(-20, 60);
        const plat::Point64 a = across ? plat::Point64{from, at} : plat::Point64{at, from};
        const plat::Point64 b = across ? plat::Point64{to, at} : plat::Point64{at, to};
        plat::Surface surface(40, 40, kWhite);
        plat::Coord phase = pick(0, 20);
        const plat::Coord startPhase = phase;
        plat::Rasteriser(surface, clip).CosmeticLine(a, b, pen, phase);
        const int step = to > from ? 1 : -1;
        for (int i = 0; i < std::abs(to - from); ++i) {
            const int along = from + i * step;
            const int x = across ? along : at;
            const int y = across ? at : along;
            if (x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom) {
                continue;
            }
            const int bit = static_cast<int>((startPhase + i) % pen.dash.period);
            const bool drawn = ((pen.dash.onMask >> bit) & 1) != 0;
            const COLORREF expected = drawn ? kBlack : (pen.opaqueGaps ? kRed : kWhite);
            ASSERT_EQ(surface.GetPixel(x, y), expected) << "round " << round << " pixel " << i;
        }
    }
}
