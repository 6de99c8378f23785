// The shape primitives on a 32 x 32 surface, centred on (16, 16) with size 16 (h = 8).

#include "GraphTestSupport.h"

using namespace graph_test;

namespace {

constexpr int kX = 16;
constexpr int kY = 16;
constexpr int kSize = 16;

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

TEST(Primitives, CrossArmsRunFromMinusHToPlusHExcludingTheEnds) {
    Canvas c;
    c.dc.DrawCross(kRed, kSize, 1, kX, kY);
    for (int d = -8; d < 8; ++d) {
        EXPECT_EQ(c.At(kX + d, kY), kRed) << d;
        EXPECT_EQ(c.At(kX, kY + d), kRed) << d;
    }
    EXPECT_EQ(c.At(kX + 8, kY), kWhite);
    EXPECT_EQ(c.At(kX, kY + 8), kWhite);
    EXPECT_EQ(c.Count(kRed), 31);
    EXPECT_TRUE(SameRect(c.InkBox(), {8, 8, 23, 23}));
}

TEST(Primitives, CrossPenWidthThickensTheArms) {
    Canvas c;
    c.dc.DrawCross(kRed, kSize, 3, kX, kY);
    EXPECT_EQ(c.At(kX - 4, kY - 1), kRed);
    EXPECT_EQ(c.At(kX - 4, kY + 1), kRed);
    EXPECT_EQ(c.At(kX + 1, kY - 4), kRed);
    EXPECT_EQ(c.At(kX - 4, kY - 2), kWhite);
}

TEST(Primitives, SolidSquareIsFilledInsideItsOutline) {
    Canvas c;
    c.dc.DrawSquare(kRed, kBlue, kSize, false, kX, kY);
    for (const POINT corner : {POINT{8, 8}, POINT{24, 8}, POINT{24, 24}, POINT{8, 24}}) {
        EXPECT_EQ(c.At(corner.x, corner.y), kBlue) << corner.x << "," << corner.y;
    }
    EXPECT_EQ(c.At(kX, kY), kRed);
    EXPECT_EQ(c.At(9, 9), kRed);
    EXPECT_EQ(c.At(23, 23), kRed);
    EXPECT_EQ(c.Count(kBlue), 4 * 16);
    EXPECT_EQ(c.Count(kRed), 15 * 15);
    EXPECT_TRUE(SameRect(c.InkBox(), {8, 8, 24, 24}));
}

TEST(Primitives, TriangleHasItsApexUpAndItsBaseAtTheBottom) {
    Canvas c;
    c.dc.DrawTriangle(kRed, kBlue, kSize, false, kX, kY);
    EXPECT_EQ(c.At(kX, 8), kBlue);  // apex
    EXPECT_EQ(c.At(kX, 7), kWhite);
    EXPECT_EQ(c.At(8, 24), kBlue);
    EXPECT_EQ(c.At(24, 24), kBlue);
    EXPECT_EQ(c.At(kX, 19), kRed);
    EXPECT_EQ(c.At(9, 12), kWhite);  // beside the apex, outside the slopes
    EXPECT_TRUE(SameRect(c.InkBox(), {8, 8, 24, 24}));
}

TEST(Primitives, DiamondHasItsFourPointsOnTheAxes) {
    Canvas c;
    c.dc.DrawDiamond(kRed, kBlue, kSize, false, kX, kY);
    for (const POINT tip : {POINT{16, 8}, POINT{24, 16}, POINT{16, 24}, POINT{8, 16}}) {
        EXPECT_EQ(c.At(tip.x, tip.y), kBlue) << tip.x << "," << tip.y;
    }
    EXPECT_EQ(c.At(kX, kY), kRed);
    EXPECT_EQ(c.At(10, 10), kWhite);  // the square's corner is outside the diamond
    EXPECT_TRUE(SameRect(c.InkBox(), {8, 8, 24, 24}));
}

// The ellipse's box excludes its right and bottom edges.
TEST(Primitives, CircleFillsTheEllipseInItsBox) {
    Canvas c;
    c.dc.DrawCircle(kRed, kBlue, kSize, false, kX, kY);
    EXPECT_TRUE(SameRect(c.InkBox(), {8, 8, 23, 23}));
    EXPECT_EQ(c.At(kX, kY), kRed);
    EXPECT_EQ(c.At(8, 15), kBlue);
    EXPECT_EQ(c.At(15, 8), kBlue);
    EXPECT_EQ(c.At(8, 8), kWhite);  // corners of the box stay clear
}

// A hollow shape is its solid twin's outline, drawn in the fill colour.
TEST(Primitives, HollowShapesAreOutlinesInTheFillColour) {
    using Draw = void (CMyDC::*)(COLORREF, COLORREF, int, bool, int, int);
    for (const Draw draw :
         {&CMyDC::DrawCircle, &CMyDC::DrawSquare, &CMyDC::DrawTriangle, &CMyDC::DrawDiamond}) {
        Canvas solid;
        Canvas hollow(32, kGreen);
        (solid.dc.*draw)(kRed, kBlue, kSize, false, kX, kY);
        (hollow.dc.*draw)(kRed, kBlue, kSize, true, kX, kY);
        EXPECT_EQ(hollow.At(kX, kY + 2), kGreen);
        EXPECT_EQ(hollow.Count(kBlue), 0);
        EXPECT_EQ(hollow.Count(kRed), solid.Count(kBlue));
    }
}

TEST(Primitives, SizeOneCollapsesToTheCentre) {
    Canvas c;
    c.dc.DrawCross(kRed, 1, 1, kX, kY);
    c.dc.DrawCircle(kRed, kBlue, 1, false, kX, kY);
    c.dc.DrawSquare(kRed, kBlue, 1, false, kX, kY);
    c.dc.DrawTriangle(kRed, kBlue, 1, true, kX, kY);
    c.dc.DrawDiamond(kRed, kBlue, 1, false, kX, kY);
    const RECT ink = c.InkBox();
    EXPECT_TRUE(c.Inked() == 0 || SameRect(ink, {kX, kY, kX, kY}));
}

// The shapes change the pen, the brush and the background mode only while they draw.
TEST(Primitives, EveryShapeRestoresPenBrushAndBackgroundMode) {
    for (const int mode : {OPAQUE, TRANSPARENT}) {
        Canvas c;
        CMyPen pen(PS_DASH, 1, kGreen);
        CMyBrush brush(HS_CROSS, kGreen);
        c.dc.SelectObject(&pen);
        c.dc.SelectObject(&brush);
        c.dc.SetBkMode(mode);
        c.dc.DrawCross(kRed, kSize, 2, kX, kY);
        for (const bool hollow : {false, true}) {
            c.dc.DrawCircle(kRed, kBlue, kSize, hollow, kX, kY);
            c.dc.DrawCircle(kBlack, kBlue, kSize, hollow, kX, kY);
            c.dc.DrawSquare(kRed, kBlue, kSize, hollow, kX, kY);
            c.dc.DrawTriangle(kRed, kBlue, kSize, hollow, kX, kY);
            c.dc.DrawDiamond(kRed, kBlue, kSize, hollow, kX, kY);
        }
        EXPECT_EQ(c.dc.GetCurrentPen(), &pen);
        EXPECT_EQ(c.dc.GetCurrentBrush(), &brush);
        EXPECT_EQ(c.dc.GetBkMode(), mode);
    }
}
