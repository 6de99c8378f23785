// Rectangles, ellipses, polygons, brushes and hatches, and the framework's fill calls.

#include "PixelTestSupport.h"

using namespace gdi_test;

// Outline on the left and top edges, right and bottom excluded; without a pen the brush
// alone covers one pixel less; without a brush the inside is left; rectangles one pixel
// high or wide are lines or dots. Corners in either order draw the same.
TEST(Rectangles, EdgesPenAndBrush) {
    for (const bool inverted : {false, true}) {
        Canvas c(25, 6, kGreen);
        const auto draw = [&](int l, int t, int r, int b) {
            inverted ? c.dc.Rectangle(r, b, l, t) : c.dc.Rectangle(l, t, r, b);
        };
        UseBrush brush(c.dc, kRed);
        draw(20, 1, 24, 2);
        draw(19, 3, 20, 6);
        draw(22, 4, 23, 5);
        draw(24, 0, 24, 6);  // empty
        draw(1, 1, 6, 5);
        c.dc.SelectStockObject(NULL_BRUSH);
        draw(13, 1, 18, 5);
        c.dc.SelectObject(&brush.object);
        c.dc.SelectStockObject(NULL_PEN);
        draw(7, 1, 12, 5);
        EXPECT_TRUE(PixelsAre(c.surface(), {"GGGGGGGGGGGGGGGGGGGGGGGGG",  //
                                            "G#####GRRRRGG#####GG####G",  //
                                            "G#RRR#GRRRRGG#GGG#GGGGGGG",  //
                                            "G#RRR#GRRRRGG#GGG#G#GGGGG",  //
                                            "G#####GGGGGGG#####G#GG#GG",  //
                                            "GGGGGGGGGGGGGGGGGGG#GGGGG"}))
            << inverted;
    }
}

// A pen of width w is centred on the outline path (the brush fills
// [l + (w+1)/2, r - 1 - w/2) x [t + (w+1)/2, b - 1 - w/2)); an inside-frame pen keeps
// the whole frame in the box.
TEST(Rectangles, WidePenCentredOrInsideTheFrame) {
    for (const auto& [style, box] :
         {std::pair{PS_SOLID, CRect(2, 2, 10, 9)}, {PS_INSIDEFRAME, CRect(1, 1, 11, 10)}}) {
        Canvas c(12, 11);
        UsePen pen(c.dc, style, 3, kBlack);
        UseBrush brush(c.dc, kRed);
        c.dc.Rectangle(box);
        EXPECT_TRUE(PixelsAre(c.surface(), {"............",  //
                                            ".##########.",  //
                                            ".##########.",  //
                                            ".##########.",  //
                                            ".###RRRR###.",  //
                                            ".###RRRR###.",  //
                                            ".###RRRR###.",  //
                                            ".##########.",  //
                                            ".##########.",  //
                                            ".##########.",  //
                                            "............"}))
            << style;
    }
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

TEST(Ellipses, SmallCircleWithAndWithoutPen) {
    Canvas c(12, 7);
    UseBrush brush(c.dc, kRed);
    EXPECT_TRUE(c.dc.Ellipse(1, 1, 6, 6));
    c.dc.SelectStockObject(NULL_PEN);
    EXPECT_TRUE(c.dc.Ellipse(7, 1, 12, 6));              // the brush alone: one pixel less
    EXPECT_TRUE(PixelsAre(c.surface(), {"............",  //
                                        "..###...RR..",  //
                                        ".#RRR#.RRRR.",  //
                                        ".#RRR#.RRRR.",  //
                                        ".#RRR#..RR..",  //
                                        "..###.......",  //
                                        "............"}));
}

TEST(Ellipses, TouchEveryEdgeOfTheBoxAndNoMore) {
    for (const CRect box :
         {CRect(2, 3, 14, 9), CRect(1, 1, 15, 15), CRect(4, 0, 6, 16), CRect(0, 7, 16, 8)}) {
        Canvas c(16, 16);
        c.dc.Ellipse(box);
        CRect drawn;
        for (int i = 0; i < 16 * 16; ++i) {
            if (const int x = i % 16, y = i / 16; c.surface().GetPixel(x, y) == kBlack) {
                drawn.UnionRect(drawn, CRect(x, y, x + 1, y + 1));
            }
        }
        EXPECT_EQ(drawn, box) << AsciiMap(c.surface());
    }
}

TEST(Ellipses, WidePenRingAndInsideFrame) {
    Canvas c(16, 16);
    {
        UsePen pen(c.dc, PS_SOLID, 3, kBlack);
        UseBrush brush(c.dc, kRed);
        c.dc.Ellipse(2, 2, 14, 14);
    }
    EXPECT_EQ(RowOf(c.surface(), 8), ".###RRRRRRRR###.");
    EXPECT_EQ(ColumnOf(c.surface(), 8), ".###RRRRRRRR###.");

    // An inside-frame pen shrinks the box by l, t + w/2 and r, b - (w-1)/2.
    Canvas inside(14, 14), plain(14, 14);
    UsePen framePen(inside.dc, PS_INSIDEFRAME, 3, kBlack), solidPen(plain.dc, PS_SOLID, 3, kBlack);
    inside.dc.Ellipse(1, 1, 13, 12);
    plain.dc.Ellipse(2, 2, 12, 11);
    EXPECT_TRUE(SameAs(inside.surface(), plain.surface()));
    EXPECT_NE(RowOf(inside.surface(), 1) + ColumnOf(inside.surface(), 12), std::string(28, '.'));
}

// A five-pointed star drawn in one stroke: its inner pentagon is wound twice.
TEST(Polygons, FillModesOnASelfIntersectingStar) {
    const POINT star[] = {{8, 0}, {13, 15}, {0, 5}, {16, 5}, {3, 15}};
    Canvas alternate(16, 16), winding(16, 16);
    for (Canvas* c : {&alternate, &winding}) {
        c->dc.SelectStockObject(NULL_PEN);
        c->dc.SelectStockObject(BLACK_BRUSH);
    }
    EXPECT_EQ(winding.dc.SetPolyFillMode(WINDING), ALTERNATE);
    alternate.dc.Polygon(star, 5);
    winding.dc.Polygon(star, 5);
    EXPECT_EQ(alternate.surface().GetPixel(8, 8), kWhite);  // the pentagon
    EXPECT_EQ(winding.surface().GetPixel(8, 8), kBlack);
    // Row 6's centre line crosses the star's edges at x = 1.95, 5.83, 10.17 and 14.05.
    EXPECT_EQ(RowOf(alternate.surface(), 6), "..####....####..");
    EXPECT_EQ(RowOf(winding.surface(), 6), "..############..");
    EXPECT_EQ(alternate.dc.SetPolyFillMode(3), 0);
}

// The brush fills pixels whose centres are inside (left and top edges in, right and
// bottom out); the outline closes the shape and covers every vertex.
TEST(Polygons, BrushInsideAndClosedOutline) {
    Canvas c(13, 7);
    c.dc.SelectStockObject(NULL_PEN);
    c.dc.SelectStockObject(BLACK_BRUSH);
    const POINT square[] = {{8, 1}, {12, 1}, {12, 5}, {8, 5}};
    c.dc.Polygon(square, 4);
    c.dc.SelectStockObject(BLACK_PEN);
    UseBrush red(c.dc, kRed);
    const POINT triangle[] = {{1, 1}, {6, 1}, {1, 6}};
    EXPECT_TRUE(c.dc.Polygon(triangle, 3));               // (4, 2) lies on the slanted edge: out
    EXPECT_TRUE(PixelsAre(c.surface(), {".............",  //
                                        ".######.####.",  //
                                        ".#RR.#..####.",  //
                                        ".#R.#...####.",  //
                                        ".#.#....####.",  //
                                        ".##..........",  //
                                        ".#..........."}));
}

TEST(BadInput, DegeneratePolygonsAndEmptyEllipses) {
    Canvas c(6, 6);
    EXPECT_TRUE(c.dc.Ellipse(3, 1, 3, 6));
    EXPECT_TRUE(c.dc.Ellipse(1, 4, 6, 4));
    EXPECT_EQ(c.Count(kWhite), 36);
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

// The six 8x8 tiles side by side, in hatch order: set bits black on the red background.
TEST(Hatches, TheSixTiles) {
    Canvas c(48, 8);
    c.dc.SetBkColor(kRed);
    for (int hatch = HS_HORIZONTAL; hatch <= HS_DIAGCROSS; ++hatch) {
        CBrush brush(hatch, kBlack);
        c.dc.FillRect(CRect(8 * hatch, 0, 8 * hatch + 8, 8), &brush);
    }
    EXPECT_TRUE(PixelsAre(c.surface(), {"RRRRRRRRRRRR#RRR#RRRRRRRRRRRRRR#RRRR#RRR#RRRRRR#",
                                        "RRRRRRRRRRRR#RRRR#RRRRRRRRRRRR#RRRRR#RRRR#RRRR#R",
                                        "RRRRRRRRRRRR#RRRRR#RRRRRRRRRR#RRRRRR#RRRRR#RR#RR",
                                        "########RRRR#RRRRRR#RRRRRRRR#RRR########RRR##RRR",
                                        "RRRRRRRRRRRR#RRRRRRR#RRRRRR#RRRRRRRR#RRRRRR##RRR",
                                        "RRRRRRRRRRRR#RRRRRRRR#RRRR#RRRRRRRRR#RRRRR#RR#RR",
                                        "RRRRRRRRRRRR#RRRRRRRRR#RR#RRRRRRRRRR#RRRR#RRRR#R",
                                        "RRRRRRRRRRRR#RRRRRRRRRR##RRRRRRRRRRR#RRR#RRRRRR#"}));
}

// Hatches are tiled from the device origin, not the shape's corner, moved by the brush
// origin, and the same for fills and brushed shapes.
TEST(Hatches, TiledFromTheDeviceOriginNotTheShape) {
    Canvas c(20, 8);
    c.dc.SetBkMode(TRANSPARENT);
    CBrush cross(HS_CROSS, kBlack);
    c.dc.FillRect(CRect(1, 1, 9, 8), &cross);
    c.dc.SetBrushOrg(1, 2);
    c.dc.SelectStockObject(NULL_PEN);
    UseBrush blue(c.dc, HS_CROSS, kBlue);
    c.dc.Rectangle(10, 0, 21, 9);
    EXPECT_TRUE(PixelsAre(c.surface(), {".............B......",  //
                                        "....#........B......",  //
                                        "....#........B......",  //
                                        ".########....B......",  //
                                        "....#........B......",  //
                                        "....#.....BBBBBBBBBB",  //
                                        "....#........B......",  //
                                        "....#........B......"}));
}

// Inverted or missing rectangles and missing brushes fill nothing, except that
// FillSolidRect normalises (and leaves its colour as the background colour).
TEST(Fills, FillRectFillSolidRectAndFrames) {
    Canvas c(7, 6);
    CBrush red(kRed);
    c.dc.FillRect(CRect(3, 3, 1, 1), &red);
    c.dc.FillRect(nullptr, &red);
    c.dc.FillRect(CRect(0, 0, 4, 4), nullptr);
    c.dc.FrameRect(CRect(6, 5, 1, 1), &red);
    EXPECT_EQ(c.Count(kWhite), 42);
    c.dc.FrameRect(CRect(1, 1, 6, 5), &red);
    c.dc.Draw3dRect(CRect(2, 2, 5, 4), kYellow, kBlue);
    c.dc.FillSolidRect(CRect(1, 1, 0, 0), kGreen);
    c.dc.FillSolidRect(7, 4, -2, 2, kGreen);
    c.dc.FillRect(CRect(0, 5, 2, 6), &red);
    EXPECT_EQ(c.dc.GetBkColor(), kGreen);
    EXPECT_TRUE(PixelsAre(c.surface(), {"G......",  //
                                        ".RRRRR.",  //
                                        ".RYYBR.",  //
                                        ".RBBBR.",  //
                                        ".RRRRGG",  //
                                        "RR...GG"}));
    c.dc.SelectStockObject(DC_BRUSH);
    c.dc.SelectStockObject(NULL_PEN);
    c.dc.SetDCBrushColor(kYellow);
    c.dc.Rectangle(0, 0, 8, 7);
    EXPECT_EQ(c.Count(kYellow), 42);
}
