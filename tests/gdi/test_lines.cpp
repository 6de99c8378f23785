// One-pixel lines (Bresenham, dashes) and wide pens.

#include <climits>

#include "PixelTestSupport.h"

using namespace gdi_test;

TEST(Lines, EndPixelExcludedAndCurrentPositionMoved) {
    Canvas c(10, 4);
    EXPECT_EQ(c.dc.MoveTo(2, 1), CPoint(0, 0));
    EXPECT_TRUE(c.dc.LineTo(8, 1));
    EXPECT_EQ(c.dc.GetCurrentPosition(), CPoint(8, 1));
    EXPECT_TRUE(c.dc.LineTo(2, 1));  // back again: starts at 8, stops before 2
    EXPECT_TRUE(c.dc.LineTo(2, 3));
    EXPECT_TRUE(PixelsAre(c.surface(), {"..........",  //
                                        "..#######.",  //
                                        "..#.......",  //
                                        ".........."}));
}

TEST(Lines, ZeroLengthDrawsNothing) {
    Canvas c(4, 4);
    c.dc.MoveTo(1, 1);
    EXPECT_TRUE(c.dc.LineTo(1, 1));
    EXPECT_EQ(c.Count(kBlack), 0);
}

TEST(Lines, ShallowLineStepsAtTheBresenhamError) {
    Canvas c(8, 3);
    c.dc.MoveTo(0, 0);
    c.dc.LineTo(7, 2);
    EXPECT_TRUE(PixelsAre(c.surface(), {"##......",  //
                                        "..####..",  //
                                        "......#."}));
}

// The bias in octants 3, 5, 6 and 8 makes a line drawn backwards cover the same pixels
// (its excluded end aside) as the line drawn forwards.
TEST(Lines, ReversedLinesCoverTheSamePixels) {
    for (int dx = -6; dx <= 6; ++dx) {
        for (int dy = -6; dy <= 6; ++dy) {
            Canvas forward(15, 15), backward(15, 15);
            const CPoint a(7, 7), b(7 + dx, 7 + dy);
            forward.dc.MoveTo(a);
            forward.dc.LineTo(b);
            forward.dc.SetPixel(b, kBlack);
            backward.dc.MoveTo(b);
            backward.dc.LineTo(a);
            backward.dc.SetPixel(a, kBlack);
            EXPECT_EQ(AsciiMap(forward.surface()), AsciiMap(backward.surface()))
                << "dx " << dx << " dy " << dy;
        }
    }
}

namespace {

// Row 0 of a 30-pixel line in the given style: '#' pen, 'R' gap in the bk colour red
// (opaque) or '.' untouched (transparent).
std::string DashedRow(int style, int bkMode) {
    Canvas c(30, 1);
    UsePen pen(c.dc, style, 1, kBlack);
    c.dc.SetBkColor(kRed);
    c.dc.SetBkMode(bkMode);
    c.dc.MoveTo(0, 0);
    c.dc.LineTo(30, 0);
    return RowOf(c.surface(), 0);
}

}  // namespace

TEST(Dashes, CosmeticPatternsStartOn) {
    EXPECT_EQ(DashedRow(PS_DASH, OPAQUE), "##################RRRRRR######");
    EXPECT_EQ(DashedRow(PS_DOT, OPAQUE), "###RRR###RRR###RRR###RRR###RRR");
    EXPECT_EQ(DashedRow(PS_DASHDOT, OPAQUE), "#########RRRRRR###RRRRRR######");
    EXPECT_EQ(DashedRow(PS_DASHDOTDOT, OPAQUE), "#########RRR###RRR###RRR######");
    EXPECT_EQ(DashedRow(PS_SOLID, OPAQUE), std::string(30, '#'));
}

TEST(Dashes, TransparentGapsAreUntouched) {
    EXPECT_EQ(DashedRow(PS_DASH, TRANSPARENT), "##################......######");
    EXPECT_EQ(DashedRow(PS_DOT, TRANSPARENT), "###...###...###...###...###...");
}

TEST(Dashes, PhaseRunsOnAcrossOnePolyline) {
    Canvas c(12, 12);
    UsePen pen(c.dc, PS_DOT, 1, kBlack);
    c.dc.SetBkMode(TRANSPARENT);
    const POINT path[] = {{0, 0}, {10, 0}, {10, 10}};
    EXPECT_TRUE(c.dc.Polyline(path, 3));
    EXPECT_EQ(RowOf(c.surface(), 0), "###...###...");
    // The vertical run starts at pixel 10 of the pattern: two off, three on, ...
    EXPECT_EQ(ColumnOf(c.surface(), 10), "..###...##..");
}

TEST(Dashes, PhaseRestartsWithEachLineTo) {
    Canvas c(12, 12);
    UsePen pen(c.dc, PS_DOT, 1, kBlack);
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.MoveTo(0, 0);
    c.dc.LineTo(10, 0);
    c.dc.LineTo(10, 10);
    EXPECT_EQ(ColumnOf(c.surface(), 10), "###...###...");
}

TEST(Dashes, PhaseCountsClippedPixels) {
    Canvas c(12, 1);
    UsePen pen(c.dc, PS_DASH, 1, kBlack);
    c.dc.SetBkColor(kRed);
    c.dc.MoveTo(-15, 0);  // pixels -15 .. -1 are off the surface
    c.dc.LineTo(12, 0);
    EXPECT_EQ(RowOf(c.surface(), 0), "###RRRRRR###");
}

TEST(Dashes, StyledPensWiderThanOnePixelAreSolid) {
    Canvas c(30, 4);
    UsePen pen(c.dc, PS_DASHDOT, 2, kBlack);
    c.dc.MoveTo(2, 2);
    c.dc.LineTo(27, 2);
    EXPECT_EQ(RowOf(c.surface(), 1), "." + std::string(27, '#') + "..");
    EXPECT_EQ(RowOf(c.surface(), 2), RowOf(c.surface(), 1));
}

TEST(WidePens, HorizontalSegmentRowsAndRoundCaps) {
    Canvas c(14, 12);
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
    // Width w at y covers rows y - w/2 .. y - w/2 + w - 1 and reaches w/2 past each end;
    // the caps of width 4 lose their corner pixels.
    EXPECT_TRUE(PixelsAre(c.surface(), {"..............",  //
                                        "..##########..",  //
                                        "..##########..",  //
                                        "..##########..",  //
                                        "..............",  //
                                        "..............",  //
                                        "..RRRRRRRRR...",  //
                                        ".RRRRRRRRRRR..",  //
                                        ".RRRRRRRRRRR..",  //
                                        "..RRRRRRRRR...",  //
                                        "..............",  //
                                        ".............."}));
}

TEST(WidePens, VerticalSegmentOfWidthTwo) {
    Canvas c(6, 8);
    UsePen pen(c.dc, PS_SOLID, 2, kBlack);
    c.dc.MoveTo(3, 2);
    c.dc.LineTo(3, 5);
    EXPECT_TRUE(PixelsAre(c.surface(), {"......",  //
                                        "..##..",  //
                                        "..##..",  //
                                        "..##..",  //
                                        "..##..",  //
                                        "..##..",  //
                                        "......",  //
                                        "......"}));
}

TEST(WidePens, DiagonalStrokeIsSymmetric) {
    Canvas c(16, 16);
    UsePen pen(c.dc, PS_SOLID, 3, kBlack);
    c.dc.MoveTo(3, 3);
    c.dc.LineTo(12, 12);
    // Symmetric about the line y = x and about its midpoint.
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            ASSERT_EQ(c.surface().GetPixel(x, y), c.surface().GetPixel(y, x)) << x << "," << y;
            ASSERT_EQ(c.surface().GetPixel(x, y), c.surface().GetPixel(15 - x, 15 - y))
                << x << "," << y << "\n"
                << AsciiMap(c.surface());
        }
    }
    EXPECT_EQ(c.surface().GetPixel(7, 7), kBlack);
    EXPECT_EQ(c.surface().GetPixel(9, 6), kWhite);
}

TEST(WidePens, NullPenDrawsNothing) {
    Canvas c(6, 6);
    c.dc.SelectStockObject(NULL_PEN);
    c.dc.MoveTo(0, 0);
    c.dc.LineTo(6, 6);
    const POINT path[] = {{0, 3}, {5, 3}, {5, 0}};
    c.dc.Polyline(path, 3);
    EXPECT_EQ(c.Count(kWhite), 36);
}

TEST(Lines, DcPenTakesTheContextsColour) {
    Canvas c(4, 1);
    c.dc.SelectStockObject(DC_PEN);
    EXPECT_EQ(c.dc.SetDCPenColor(kGreen), kBlack);
    c.dc.MoveTo(0, 0);
    c.dc.LineTo(4, 0);
    EXPECT_EQ(RowOf(c.surface(), 0), "GGGG");
}

TEST(Lines, FarEndPointsAreClippedExactly) {
    Canvas c(16, 16);
    c.dc.MoveTo(INT_MIN, 5);
    c.dc.LineTo(INT_MAX, 5);
    EXPECT_EQ(RowOf(c.surface(), 5), std::string(16, '#'));
    c.dc.MoveTo(-1000000000, -1000000000);
    c.dc.LineTo(1000000000, 1000000000);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(c.surface().GetPixel(i, i), kBlack) << i;
    }
    EXPECT_EQ(c.Count(kBlack), 16 + 15);
    c.dc.MoveTo(INT_MIN, INT_MIN);
    c.dc.LineTo(INT_MAX, INT_MIN);  // nowhere near the surface
    EXPECT_EQ(c.Count(kBlack), 31);
}

TEST(Lines, PolylineNeedsTwoPoints) {
    Canvas c(4, 4);
    const POINT one[] = {{1, 1}};
    EXPECT_FALSE(c.dc.Polyline(one, 1));
    EXPECT_FALSE(c.dc.Polyline(nullptr, 3));
    EXPECT_FALSE(c.dc.Polyline(one, -5));
    EXPECT_FALSE(c.dc.PolylineTo(one, 0));
    EXPECT_TRUE(c.dc.PolylineTo(one, 1));
    EXPECT_EQ(c.dc.GetCurrentPosition(), CPoint(1, 1));
    EXPECT_EQ(c.surface().GetPixel(0, 0), kBlack);
}
