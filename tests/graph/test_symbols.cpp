// DrawSymbol: the colour rules, the range of symbols, and the pictures of all 26.

#include <cstdlib>
#include <vector>

#include "GraphTestSupport.h"

using namespace graph_test;

namespace {

constexpr COLORREF kComplementOfGrey = RGB(170, 170, 170);

// One symbol centred in a surface with a margin of four pixels round its box.
plat::Surface Picture(int symbol, int size) {
    const int side = size + 8;
    Canvas c(side);
    c.dc.SetBackgroundColour(kGreen);
    c.dc.DrawSymbol(symbol, kRed, kBlue, size, side / 2, side / 2);
    return c.surface();
}

}  // namespace

TEST(VectorSymbols, NoneAndValuesOutsideTheTableDrawNothing) {
    for (const int symbol : {0, -1, 26, 27, 1000}) {
        Canvas c;
        c.dc.DrawSymbol(symbol, kRed, kBlue, 16, 16, 16);
        EXPECT_EQ(c.Inked(), 0) << symbol;
    }
}

TEST(VectorSymbols, PointIsAFilledSquareWithoutOutline) {
    Canvas c;
    c.dc.DrawSymbol(VS_POINT, kRed, kBlue, 16, 16, 16);
    EXPECT_EQ(c.Count(kRed), 16 * 16);
    EXPECT_EQ(c.Count(kBlue), 0);
    EXPECT_EQ(c.At(8, 8), kRed);
    EXPECT_EQ(c.At(23, 23), kRed);
    EXPECT_EQ(c.dc.GetBkColor(), kWhite);  // the fill leaves the background colour alone
}

TEST(VectorSymbols, TargetIsACrossInTheFillColourWithASquareInTheLineColour) {
    Canvas c;
    c.dc.DrawSymbol(VS_TARGET, kRed, kBlue, 16, 16, 16);
    EXPECT_EQ(c.At(8, 16), kRed);    // cross arm
    EXPECT_EQ(c.At(12, 12), kBlue);  // square corner at size / 4
    EXPECT_EQ(c.At(20, 20), kBlue);
    EXPECT_EQ(c.At(12, 16), kBlue);  // the square crosses the arm after it
    EXPECT_EQ(c.At(14, 14), kWhite);
}

TEST(VectorSymbols, FrameIsASquareWithBothDiagonals) {
    Canvas c;
    c.dc.DrawSymbol(VS_FRAME, kRed, kBlue, 16, 16, 16);
    for (const POINT p : {POINT{8, 8}, POINT{24, 8}, POINT{24, 24}, POINT{8, 24}, POINT{16, 16},
                          POINT{12, 12}, POINT{20, 12}, POINT{12, 20}, POINT{20, 20}}) {
        EXPECT_EQ(c.At(p.x, p.y), kRed) << p.x << "," << p.y;
    }
    EXPECT_EQ(c.At(16, 12), kWhite);
    EXPECT_EQ(c.Count(kBlue), 0);
}

TEST(VectorSymbols, LinesAndCrossesUseTheFillColour) {
    struct Case {
        int symbol;
        POINT on;
        POINT off;
    };
    for (const Case& k :
         {Case{VS_CROSS_PLUS, {16, 9}, {9, 9}}, Case{VS_CROSS_X, {9, 9}, {16, 9}},
          Case{VS_ASTERIX, {9, 9}, {12, 9}}, Case{VS_VERTICAL_LINE, {16, 9}, {9, 16}},
          Case{VS_HORIZONTAL_LINE, {9, 16}, {16, 9}}}) {
        Canvas c;
        c.dc.DrawSymbol(k.symbol, kRed, kBlue, 16, 16, 16);
        EXPECT_EQ(c.At(k.on.x, k.on.y), kRed) << k.symbol;
        EXPECT_EQ(c.At(k.off.x, k.off.y), kWhite) << k.symbol;
        EXPECT_EQ(c.Count(kBlue), 0) << k.symbol;
    }
}

// On the graph's day background a symbol in the background colour would vanish.
TEST(VectorSymbols, AColourEqualToTheBackgroundIsDrawnInItsComplement) {
    Canvas c(32, kGrey);
    c.dc.SetBackgroundColour(kGrey);
    c.dc.DrawSymbol(VS_SQUARE_SOLID, kGrey, kGrey, 16, 16, 16);
    EXPECT_EQ(c.At(16, 16), kComplementOfGrey);
    EXPECT_EQ(c.At(8, 8), kComplementOfGrey);

    Canvas lineOnly(32, kGrey);
    lineOnly.dc.SetBackgroundColour(kGrey);
    lineOnly.dc.DrawSymbol(VS_SQUARE_SOLID, kRed, kGrey, 16, 16, 16);
    EXPECT_EQ(lineOnly.At(16, 16), kRed);
    EXPECT_EQ(lineOnly.At(8, 8), kComplementOfGrey);

    Canvas other(32, kGrey);
    other.dc.SetBackgroundColour(kWhite);
    other.dc.DrawSymbol(VS_SQUARE_SOLID, kBlue, kBlue, 16, 16, 16);
    EXPECT_EQ(other.At(16, 16), kBlue);
}

// The toolkit's background starts black, so black symbols turn white until it is set.
TEST(VectorSymbols, BlackOnTheDefaultBackgroundIsDrawnWhite) {
    Canvas c(32, kGreen);
    c.dc.DrawSymbol(VS_CIRCLE_SOLID, kBlack, kBlack, 16, 16, 16);
    EXPECT_EQ(c.At(16, 16), kWhite);
    EXPECT_EQ(c.Count(kBlack), 0);
}

TEST(VectorSymbols, MonochromeDrawsEverySymbolBlack) {
    for (int symbol = VS_POINT; symbol < VECTOR_SYMBOL_COUNT; ++symbol) {
        Canvas c;
        c.dc.SetMonochrome(true);
        c.dc.SetBackgroundColour(kRed);  // no complement in monochrome
        c.dc.DrawSymbol(symbol, kRed, kBlue, 16, 16, 16);
        EXPECT_GT(c.Count(kBlack), 0) << VectorSymbolTxt[symbol];
        EXPECT_EQ(c.Count(kBlack), c.Inked()) << VectorSymbolTxt[symbol];
    }
}

TEST(VectorSymbols, SizeOneCollapsesEverySymbolToItsCentre) {
    for (int symbol = VS_POINT; symbol < VECTOR_SYMBOL_COUNT; ++symbol) {
        Canvas c;
        c.dc.DrawSymbol(symbol, kRed, kBlue, 1, 16, 16);
        EXPECT_LE(c.Inked(), 1) << VectorSymbolTxt[symbol];
        EXPECT_EQ(c.At(15, 16), kWhite) << VectorSymbolTxt[symbol];
        EXPECT_EQ(c.At(16, 17), kWhite) << VectorSymbolTxt[symbol];
    }
}

TEST(VectorSymbols, EverySymbolStaysInItsBoxAtEverySize) {
    for (int symbol = VS_POINT; symbol < VECTOR_SYMBOL_COUNT; ++symbol) {
        for (const int size : {2, 3, 4, 5, 6, 7, 9, 12, 16, 25, 33, 48, 64, -16}) {
            const int side = std::abs(size) + 12;
            const int centre = side / 2;
            const int h = std::abs(size / 2);
            Canvas c(side);
            c.dc.DrawSymbol(symbol, kRed, kBlue, size, centre, centre);
            const RECT ink = c.InkBox();
            if (c.Inked() == 0) {
                continue;
            }
            EXPECT_GE(ink.left, centre - h - 1) << VectorSymbolTxt[symbol] << " " << size;
            EXPECT_GE(ink.top, centre - h - 1) << VectorSymbolTxt[symbol] << " " << size;
            EXPECT_LE(ink.right, centre + h + 1) << VectorSymbolTxt[symbol] << " " << size;
            EXPECT_LE(ink.bottom, centre + h + 1) << VectorSymbolTxt[symbol] << " " << size;
        }
    }
}

// The symbol picker must tell every symbol from every other at list and graph sizes.
TEST(VectorSymbols, AllSymbolsLookDifferentAtSixteenAndSixtyFourPixels) {
    for (const int size : {16, 64}) {
        std::vector<plat::Surface> pictures;
        for (int symbol = 0; symbol < VECTOR_SYMBOL_COUNT; ++symbol) {
            pictures.push_back(Picture(symbol, size));
        }
        for (int a = 0; a < VECTOR_SYMBOL_COUNT; ++a) {
            for (int b = a + 1; b < VECTOR_SYMBOL_COUNT; ++b) {
                EXPECT_FALSE(pictures[a] == pictures[b])
                    << VectorSymbolTxt[a] << " / " << VectorSymbolTxt[b] << " at " << size;
            }
        }
    }
}

// The composite markers' characteristic parts, at 64 pixels round (40, 40): pixels in
// the fill colour (or the line colour, for outlines of filled parts) and pixels left blank.
TEST(VectorSymbols, CompositeMarkersHaveTheirCharacteristicParts) {
    struct Marker {
        int symbol;
        std::vector<POINT> fill;
        std::vector<POINT> line;
        std::vector<POINT> blank;
    };
    const std::vector<Marker> markers = {
        // hull across the box, the middle mast longer than the outer ones
        {VS_WRECK, {{8, 40}, {72, 40}, {40, 24}, {24, 32}}, {}, {{24, 28}, {40, 20}}},
        // two rings on a full cross hair
        {VS_LASER_TARGET, {{8, 40}, {40, 72}, {24, 40}, {40, 24}}, {}, {{30, 30}}},
        // a filled disc inside an empty ring
        {VS_MONOPILE, {{40, 40}, {40, 8}}, {{40, 24}}, {{40, 16}}},
        // a square outline round an empty circle
        {VS_TP, {{8, 8}, {72, 72}, {40, 19}}, {}, {{40, 40}}},
        // a dot in a diamond
        {VS_WAYPOINT, {{40, 8}, {8, 40}, {40, 40}}, {}, {{40, 30}}},
        // ring on top, shank down the middle, arms curving up at both sides
        {VS_ANCHOR, {{40, 8}, {40, 50}, {40, 72}, {12, 54}, {68, 54}}, {}, {{40, 12}}},
        // a blade straight up, a hub in the middle, no blade straight down
        {VS_TURBINE, {{40, 8}, {40, 40}}, {}, {{40, 64}}},
        // a leg straight down to its foot, none straight up
        {VS_TRIPOD, {{40, 60}}, {{40, 72}}, {{40, 20}}},
        // a vertical leg bending to an arrow head
        {VS_ALTER_COURSE, {{24, 70}, {24, 40}, {52, 12}}, {{56, 8}}, {{40, 60}}},
    };
    for (const Marker& m : markers) {
        Canvas c(80);
        c.dc.SetBackgroundColour(kGreen);
        c.dc.DrawSymbol(m.symbol, kRed, kBlue, 64, 40, 40);
        const auto expect = [&](const std::vector<POINT>& points, COLORREF colour) {
            for (const POINT p : points) {
                EXPECT_EQ(c.At(p.x, p.y), colour)
                    << VectorSymbolTxt[m.symbol] << " at " << p.x << "," << p.y;
            }
        };
        expect(m.fill, kRed);
        expect(m.line, kBlue);
        expect(m.blank, kWhite);
    }
}

TEST(VectorSymbols, DrawingLeavesTheSelectedPenAndBrush) {
    Canvas c;
    CPen* pen = c.dc.GetCurrentPen();
    CBrush* brush = c.dc.GetCurrentBrush();
    for (int symbol = 0; symbol < VECTOR_SYMBOL_COUNT; ++symbol) {
        for (const int size : {1, 16}) {
            c.dc.DrawSymbol(symbol, kRed, kBlue, size, 16, 16);
            EXPECT_EQ(c.dc.GetCurrentPen(), pen) << VectorSymbolTxt[symbol];
            EXPECT_EQ(c.dc.GetCurrentBrush(), brush) << VectorSymbolTxt[symbol];
            EXPECT_EQ(c.dc.GetBkMode(), OPAQUE) << VectorSymbolTxt[symbol];
        }
    }
}
