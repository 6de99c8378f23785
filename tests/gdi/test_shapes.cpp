// Rectangles, ellipses, polygons, brushes and hatches, and the framework's fill calls.

#include <climits>

#include "PixelTestSupport.h"

using namespace gdi_test;

TEST(Rectangles, OnePixelPenOutlineExcludesRightAndBottom) {
    Canvas c(8, 6);
    UseBrush brush(c.dc, kRed);
    EXPECT_TRUE(c.dc.Rectangle(1, 1, 6, 5));
    EXPECT_TRUE(PixelsAre(c.surface(), {"........",  //
                                        ".#####..",  //
                                        ".#RRR#..",  //
                                        ".#RRR#..",  //
                                        ".#####..",  //
                                        "........"}));
}

TEST(Rectangles, InvertedCornersAreOrdered) {
    Canvas a(8, 6), b(8, 6);
    a.dc.Rectangle(1, 1, 6, 5);
    b.dc.Rectangle(6, 5, 1, 1);
    EXPECT_EQ(AsciiMap(a.surface()), AsciiMap(b.surface()));
}

TEST(Rectangles, NullPenFillsOnePixelLess) {
    Canvas c(8, 6);
    UseBrush brush(c.dc, kRed);
    c.dc.SelectStockObject(NULL_PEN);
    c.dc.Rectangle(1, 1, 6, 5);
    EXPECT_TRUE(PixelsAre(c.surface(), {"........",  //
                                        ".RRRR...",  //
                                        ".RRRR...",  //
                                        ".RRRR...",  //
                                        "........",  //
                                        "........"}));
}

TEST(Rectangles, NullBrushLeavesTheInside) {
    Canvas c(5, 5, kGreen);
    c.dc.SelectStockObject(NULL_BRUSH);
    c.dc.Rectangle(0, 0, 5, 5);
    EXPECT_EQ(c.surface().GetPixel(2, 2), kGreen);
    EXPECT_EQ(c.Count(kBlack), 16);
}

namespace {

const std::vector<std::string> kWideFrame = {"............",  //
                                             ".##########.",  //
                                             ".##########.",  //
                                             ".##########.",  //
                                             ".###RRRR###.",  //
                                             ".###RRRR###.",  //
                                             ".###RRRR###.",  //
                                             ".##########.",  //
                                             ".##########.",  //
                                             ".##########.",  //
                                             "............"};

}  // namespace

// A pen of width w is centred on the outline path; the brush fills
// [l + (w+1)/2, r - 1 - w/2) x [t + (w+1)/2, b - 1 - w/2).
TEST(Rectangles, WidePenCentredOnTheOutline) {
    Canvas c(12, 11);
    UsePen pen(c.dc, PS_SOLID, 3, kBlack);
    UseBrush brush(c.dc, kRed);
    c.dc.Rectangle(2, 2, 10, 9);
    EXPECT_TRUE(PixelsAre(c.surface(), kWideFrame));
}

TEST(Rectangles, InsideFramePenStaysInTheBox) {
    Canvas c(12, 11);
    UsePen pen(c.dc, PS_INSIDEFRAME, 3, kBlack);
    UseBrush brush(c.dc, kRed);
    c.dc.Rectangle(1, 1, 11, 10);
    EXPECT_TRUE(PixelsAre(c.surface(), kWideFrame));
}

TEST(Rectangles, WidePenJoinsAreRound) {
    Canvas c(14, 14);
    UsePen pen(c.dc, PS_SOLID, 4, kBlack);
    c.dc.Rectangle(3, 3, 12, 12);
    EXPECT_EQ(c.surface().GetPixel(1, 1), kWhite);
    EXPECT_EQ(c.surface().GetPixel(2, 1), kBlack);
    EXPECT_EQ(c.surface().GetPixel(1, 2), kBlack);
    EXPECT_EQ(c.surface().GetPixel(12, 12), kWhite);
    EXPECT_EQ(c.surface().GetPixel(11, 12), kBlack);
}

TEST(Rectangles, ThinRectanglesAreLinesAndDots) {
    Canvas c(6, 6);
    c.dc.Rectangle(1, 1, 5, 2);                    // one pixel high
    c.dc.Rectangle(0, 3, 1, 6);                    // one pixel wide
    c.dc.Rectangle(3, 4, 4, 5);                    // one pixel
    c.dc.Rectangle(5, 0, 5, 6);                    // empty
    EXPECT_TRUE(PixelsAre(c.surface(), {"......",  //
                                        ".####.",  //
                                        "......",  //
                                        "#.....",  //
                                        "#..#..",  //
                                        "#....."}));
}

TEST(Ellipses, SmallCircleInsideItsBox) {
    Canvas c(7, 7);
    UseBrush brush(c.dc, kRed);
    EXPECT_TRUE(c.dc.Ellipse(1, 1, 6, 6));
    EXPECT_TRUE(PixelsAre(c.surface(), {".......",  //
                                        "..###..",  //
                                        ".#RRR#.",  //
                                        ".#RRR#.",  //
                                        ".#RRR#.",  //
                                        "..###..",  //
                                        "......."}));
}

TEST(Ellipses, NullPenFillsOnePixelLess) {
    Canvas c(5, 5);
    UseBrush brush(c.dc, kRed);
    c.dc.SelectStockObject(NULL_PEN);
    c.dc.Ellipse(0, 0, 5, 5);
    EXPECT_TRUE(PixelsAre(c.surface(), {".RR..",  //
                                        "RRRR.",  //
                                        "RRRR.",  //
                                        ".RR..",  //
                                        "....."}));
}

TEST(Ellipses, TouchEveryEdgeOfTheBoxAndNoMore) {
    for (const CRect box :
         {CRect(2, 3, 14, 9), CRect(1, 1, 15, 15), CRect(4, 0, 6, 16), CRect(0, 7, 16, 8)}) {
        Canvas c(16, 16);
        c.dc.Ellipse(box);
        int left = 16, top = 16, right = -1, bottom = -1;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                if (c.surface().GetPixel(x, y) == kBlack) {
                    left = std::min(left, x);
                    top = std::min(top, y);
                    right = std::max(right, x + 1);
                    bottom = std::max(bottom, y + 1);
                }
            }
        }
        EXPECT_EQ(CRect(left, top, right, bottom), box) << AsciiMap(c.surface());
    }
}

TEST(Ellipses, WidePenRingAroundTheBrush) {
    Canvas c(16, 16);
    UsePen pen(c.dc, PS_SOLID, 3, kBlack);
    UseBrush brush(c.dc, kRed);
    c.dc.Ellipse(2, 2, 14, 14);
    EXPECT_EQ(RowOf(c.surface(), 8), ".###RRRRRRRR###.");
    EXPECT_EQ(ColumnOf(c.surface(), 8), ".###RRRRRRRR###.");
}

TEST(Ellipses, InsideFramePenShrinksTheBox) {
    Canvas inside(14, 14), plain(14, 14);
    {
        UsePen pen(inside.dc, PS_INSIDEFRAME, 3, kBlack);
        inside.dc.Ellipse(1, 1, 13, 12);
    }
    {
        UsePen pen(plain.dc, PS_SOLID, 3, kBlack);
        plain.dc.Ellipse(2, 2, 12, 11);  // l, t + w/2; r, b - (w-1)/2
    }
    EXPECT_EQ(AsciiMap(inside.surface()), AsciiMap(plain.surface()));
    EXPECT_EQ(RowOf(inside.surface(), 0), "..............");
    EXPECT_NE(RowOf(inside.surface(), 1), "..............");
    EXPECT_EQ(ColumnOf(inside.surface(), 13), "..............");
    EXPECT_NE(ColumnOf(inside.surface(), 12), "..............");
}

TEST(Ellipses, EmptyBoxesDrawNothing) {
    Canvas c(8, 8);
    EXPECT_TRUE(c.dc.Ellipse(3, 1, 3, 7));
    EXPECT_TRUE(c.dc.Ellipse(1, 4, 7, 4));
    EXPECT_EQ(c.Count(kWhite), 64);
}

namespace {

// A five-pointed star drawn in one stroke: its inner pentagon is wound twice.
const POINT kStar[] = {{8, 0}, {13, 15}, {0, 5}, {16, 5}, {3, 15}};

}  // namespace

TEST(Polygons, FillModesOnASelfIntersectingStar) {
    Canvas alternate(16, 16), winding(16, 16);
    for (Canvas* c : {&alternate, &winding}) {
        c->dc.SelectStockObject(NULL_PEN);
        c->dc.SelectStockObject(BLACK_BRUSH);
    }
    EXPECT_EQ(alternate.dc.GetPolyFillMode(), ALTERNATE);
    EXPECT_EQ(winding.dc.SetPolyFillMode(WINDING), ALTERNATE);
    alternate.dc.Polygon(kStar, 5);
    winding.dc.Polygon(kStar, 5);
    EXPECT_EQ(alternate.surface().GetPixel(8, 8), kWhite);  // the pentagon
    EXPECT_EQ(winding.surface().GetPixel(8, 8), kBlack);
    EXPECT_EQ(alternate.surface().GetPixel(8, 2), kBlack);  // a point
    EXPECT_EQ(winding.surface().GetPixel(8, 2), kBlack);
    // Row 6's centre line crosses the star's edges at x = 1.95, 5.83, 10.17 and 14.05.
    EXPECT_EQ(RowOf(alternate.surface(), 6), "..####....####..");
    EXPECT_EQ(RowOf(winding.surface(), 6), "..############..");
    EXPECT_EQ(alternate.dc.SetPolyFillMode(3), 0);
}

TEST(Polygons, LeftAndTopEdgesInRightAndBottomOut) {
    Canvas c(8, 8);
    c.dc.SelectStockObject(NULL_PEN);
    c.dc.SelectStockObject(BLACK_BRUSH);
    const POINT square[] = {{2, 2}, {6, 2}, {6, 6}, {2, 6}};
    c.dc.Polygon(square, 4);
    EXPECT_TRUE(PixelsAre(c.surface(), {"........",  //
                                        "........",  //
                                        "..####..",  //
                                        "..####..",  //
                                        "..####..",  //
                                        "..####..",  //
                                        "........",  //
                                        "........"}));
}

TEST(Polygons, OutlineClosesAndCoversEveryVertex) {
    Canvas c(8, 8);
    c.dc.SelectStockObject(NULL_BRUSH);
    const POINT triangle[] = {{1, 1}, {6, 1}, {1, 6}};
    EXPECT_TRUE(c.dc.Polygon(triangle, 3));
    EXPECT_TRUE(PixelsAre(c.surface(), {"........",  //
                                        ".######.",  //
                                        ".#...#..",  //
                                        ".#..#...",  //
                                        ".#.#....",  //
                                        ".##.....",  //
                                        ".#......",  //
                                        "........"}));
    // The brush fills pixels whose centres are inside: (4, 2) lies on the slanted right
    // edge and stays out.
    UseBrush red(c.dc, kRed);
    c.dc.Polygon(triangle, 3);
    EXPECT_EQ(RowOf(c.surface(), 2), ".#RR.#..");
}

TEST(Polygons, DegeneratePointLists) {
    Canvas c(6, 6);
    const POINT points[] = {{1, 1}, {4, 4}, {1, 1}};
    EXPECT_FALSE(c.dc.Polygon(points, 0));
    EXPECT_FALSE(c.dc.Polygon(points, 1));
    EXPECT_FALSE(c.dc.Polygon(nullptr, 3));
    EXPECT_TRUE(c.dc.Polygon(points, 2));  // a line there and back
    EXPECT_EQ(c.Count(kBlack), 4);
    const POINT same[] = {{3, 3}, {3, 3}, {3, 3}};
    EXPECT_TRUE(c.dc.Polygon(same, 3));
    const POINT collinear[] = {{0, 5}, {2, 5}, {5, 5}};
    EXPECT_TRUE(c.dc.Polygon(collinear, 3));
    EXPECT_EQ(RowOf(c.surface(), 5), "######");
}

namespace {

// An 8x8 hatch filled at the origin, set bits black on a red background.
std::vector<std::string> HatchTile(int hatch) {
    Canvas c(8, 8);
    CBrush brush(hatch, kBlack);
    c.dc.SetBkColor(kRed);
    const CRect all(0, 0, 8, 8);
    c.dc.FillRect(all, &brush);
    std::vector<std::string> rows;
    for (int y = 0; y < 8; ++y) {
        rows.push_back(RowOf(c.surface(), y));
    }
    return rows;
}

}  // namespace

TEST(Hatches, TheSixTiles) {
    using Tile = std::vector<std::string>;
    EXPECT_EQ(HatchTile(HS_HORIZONTAL), Tile({"RRRRRRRR", "RRRRRRRR", "RRRRRRRR", "########",
                                              "RRRRRRRR", "RRRRRRRR", "RRRRRRRR", "RRRRRRRR"}));
    EXPECT_EQ(HatchTile(HS_VERTICAL), Tile(8, "RRRR#RRR"));
    EXPECT_EQ(HatchTile(HS_FDIAGONAL), Tile({"#RRRRRRR", "R#RRRRRR", "RR#RRRRR", "RRR#RRRR",
                                             "RRRR#RRR", "RRRRR#RR", "RRRRRR#R", "RRRRRRR#"}));
    EXPECT_EQ(HatchTile(HS_BDIAGONAL), Tile({"RRRRRRR#", "RRRRRR#R", "RRRRR#RR", "RRRR#RRR",
                                             "RRR#RRRR", "RR#RRRRR", "R#RRRRRR", "#RRRRRRR"}));
    EXPECT_EQ(HatchTile(HS_CROSS), Tile({"RRRR#RRR", "RRRR#RRR", "RRRR#RRR", "########", "RRRR#RRR",
                                         "RRRR#RRR", "RRRR#RRR", "RRRR#RRR"}));
    EXPECT_EQ(HatchTile(HS_DIAGCROSS), Tile({"#RRRRRR#", "R#RRRR#R", "RR#RR#RR", "RRR##RRR",
                                             "RRR##RRR", "RR#RR#RR", "R#RRRR#R", "#RRRRRR#"}));
}

TEST(Hatches, TiledFromTheDeviceOriginNotTheShape) {
    Canvas c(12, 12);
    c.dc.SetBkMode(TRANSPARENT);
    CBrush brush(HS_CROSS, kBlack);
    c.dc.FillRect(CRect(3, 2, 12, 12), &brush);
    EXPECT_EQ(RowOf(c.surface(), 3), "...#########");
    EXPECT_EQ(RowOf(c.surface(), 4), "....#.......");
    EXPECT_EQ(RowOf(c.surface(), 11), "...#########");
    EXPECT_EQ(RowOf(c.surface(), 1), "............");

    CDC::FromHandle(c.dc.GetSafeHdc())->SetBrushOrg(1, 2);
    c.surface().Fill(kWhite);
    c.dc.FillRect(CRect(0, 0, 12, 12), &brush);
    EXPECT_EQ(RowOf(c.surface(), 4), ".....#......");
    EXPECT_EQ(RowOf(c.surface(), 5), "############");
}

TEST(Hatches, BrushedShapesUseTheSameTiling) {
    Canvas c(8, 8);
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.SelectStockObject(NULL_PEN);
    UseBrush brush(c.dc, HS_VERTICAL, kBlue);
    c.dc.Rectangle(0, 0, 9, 9);
    EXPECT_EQ(RowOf(c.surface(), 0), "....B...");
    EXPECT_EQ(RowOf(c.surface(), 7), "....B...");
}

TEST(Fills, FillRectIgnoresInvertedRectangles) {
    Canvas c(4, 4);
    CBrush red(kRed);
    c.dc.FillRect(CRect(3, 3, 1, 1), &red);
    c.dc.FillRect(nullptr, &red);
    c.dc.FillRect(CRect(0, 0, 4, 4), nullptr);
    EXPECT_EQ(c.Count(kWhite), 16);
    c.dc.FillRect(CRect(1, 1, 3, 3), &red);
    EXPECT_EQ(c.Count(kRed), 4);
}

TEST(Fills, FillSolidRectNormalisesAndSetsTheBackgroundColour) {
    Canvas c(4, 4);
    c.dc.FillSolidRect(CRect(3, 3, 1, 1), kBlue);
    EXPECT_EQ(c.Count(kBlue), 4);
    EXPECT_EQ(c.dc.GetBkColor(), kBlue);
    c.dc.FillSolidRect(3, 0, -3, 1, kGreen);
    EXPECT_EQ(RowOf(c.surface(), 0), "GGG.");
}

TEST(Fills, FrameRectIsOneUnitOfBrush) {
    Canvas c(7, 6);
    CBrush red(kRed);
    c.dc.FrameRect(CRect(1, 1, 6, 5), &red);
    c.dc.FrameRect(CRect(6, 5, 1, 1), &red);        // empty
    EXPECT_TRUE(PixelsAre(c.surface(), {".......",  //
                                        ".RRRRR.",  //
                                        ".R...R.",  //
                                        ".R...R.",  //
                                        ".RRRRR.",  //
                                        "......."}));
    Canvas thin(3, 3);
    thin.dc.FrameRect(CRect(1, 0, 2, 3), &red);
    EXPECT_EQ(ColumnOf(thin.surface(), 1), "RRR");
    EXPECT_EQ(thin.Count(kRed), 3);
}

TEST(Fills, Draw3dRectStrips) {
    Canvas c(7, 6);
    c.dc.Draw3dRect(CRect(1, 1, 6, 5), kRed, kBlue);
    EXPECT_TRUE(PixelsAre(c.surface(), {".......",  //
                                        ".RRRRB.",  //
                                        ".R...B.",  //
                                        ".R...B.",  //
                                        ".BBBBB.",  //
                                        "......."}));
}

TEST(Fills, DcBrushTakesTheContextsColour) {
    Canvas c(4, 4);
    c.dc.SelectStockObject(DC_BRUSH);
    c.dc.SelectStockObject(NULL_PEN);
    c.dc.SetDCBrushColor(kYellow);
    c.dc.Rectangle(0, 0, 5, 5);
    EXPECT_EQ(c.Count(kYellow), 16);
}
