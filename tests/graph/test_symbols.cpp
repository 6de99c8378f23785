// DrawSymbol: the colour rules, the range of symbols, the pictures of all 26, and the
// selections left as they were.

#include <cstdlib>
#include <vector>

#include "GraphTestSupport.h"

using namespace graph_test;

namespace {

// One symbol centred in a surface with a margin of four pixels round its box.
plat::Surface Picture(int symbol, int size) {
    const int side = size + 8;
    Canvas c(side);
    c.dc.SetBackgroundColour(kGreen);
    c.dc.DrawSymbol(symbol, kRed, kBlue, size, side / 2, side / 2);
    return c.surface();
}

TEST(VectorSymbols, NoneAndValuesOutsideTheTableDrawNothing) {
    for (const int symbol : {0, -1, 26, 27, 1000}) {
        Canvas c;
        c.dc.DrawSymbol(symbol, kRed, kBlue, 16, 16, 16);
        EXPECT_EQ(c.Inked(), 0) << symbol;
    }
}

// On the graph's background a symbol in the background colour would vanish, so it is
// drawn in the complement; the toolkit's background starts black.
TEST(VectorSymbols, AColourEqualToTheBackgroundIsDrawnInItsComplement) {
    const struct {
        COLORREF background;  // CLR_INVALID: never set
        COLORREF fill, line;
        COLORREF centre, corner;
    } cases[] = {
        {kGrey, kGrey, kGrey, RGB(170, 170, 170), RGB(170, 170, 170)},
        {kGrey, kRed, kGrey, kRed, RGB(170, 170, 170)},
        {kWhite, kBlue, kBlue, kBlue, kBlue},
        {CLR_INVALID, kBlack, kBlack, kWhite, kWhite},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.fill);
        Canvas c(32, kGreen);
        if (k.background != CLR_INVALID) {
            c.dc.SetBackgroundColour(k.background);
        }
        c.dc.DrawSymbol(VS_SQUARE_SOLID, k.fill, k.line, 16, 16, 16);
        EXPECT_EQ(c.At(16, 16), k.centre);
        EXPECT_EQ(c.At(8, 8), k.corner);
    }
}

// Each symbol: inside its box at every size, at most its centre pixel at size 1, and all
// black in monochrome.
TEST(VectorSymbols, EverySymbolKeepsToItsBoxSizeOneAndMonochrome) {
    for (int symbol = VS_POINT; symbol < VECTOR_SYMBOL_COUNT; ++symbol) {
        SCOPED_TRACE(VectorSymbolTxt[symbol]);
        for (const int size : {2, 3, 4, 5, 6, 7, 9, 12, 16, 25, 33, 48, 64, -16}) {
            SCOPED_TRACE(size);
            const int side = std::abs(size) + 12;
            const int lo = side / 2 - std::abs(size / 2) - 1;
            const int hi = side / 2 + std::abs(size / 2) + 1;
            Canvas c(side);
            c.dc.DrawSymbol(symbol, kRed, kBlue, size, side / 2, side / 2);
            const RECT ink = c.InkBox();
            EXPECT_TRUE(c.Inked() == 0 ||
                        (ink.left >= lo && ink.top >= lo && ink.right <= hi && ink.bottom <= hi));
        }
        Canvas one;
        one.dc.DrawSymbol(symbol, kRed, kBlue, 1, 16, 16);
        EXPECT_LE(one.Inked(), 1);
        EXPECT_EQ(one.At(15, 16), kWhite);
        EXPECT_EQ(one.At(16, 17), kWhite);

        Canvas mono;
        mono.dc.SetMonochrome(true);
        mono.dc.SetBackgroundColour(kRed);  // no complement in monochrome
        mono.dc.DrawSymbol(symbol, kRed, kBlue, 16, 16, 16);
        EXPECT_GT(mono.Count(kBlack), 0);
        EXPECT_EQ(mono.Count(kBlack), mono.Inked());
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

// Pen, brush and background mode are changed only while a symbol draws, also when the
// toolkit draws through another context.
TEST(VectorSymbols, DrawingRestoresPenBrushAndBackgroundMode) {
    for (const bool attached : {false, true}) {
        for (const int mode : {OPAQUE, TRANSPARENT}) {
            SCOPED_TRACE(::testing::Message() << attached << " " << mode);
            Canvas c;
            CMyDC toolkit;
            CMyDC& drawer = attached ? toolkit : c.dc;
            toolkit.Attach(&c.dc);
            CMyPen pen(PS_DASH, 1, kGreen);
            CMyBrush brush(HS_CROSS, kGreen);
            c.dc.SelectObject(&pen);
            c.dc.SelectObject(&brush);
            c.dc.SetBkMode(mode);
            drawer.DrawCross(kRed, 16, 2, 16, 16);
            for (int symbol = 0; symbol < VECTOR_SYMBOL_COUNT; ++symbol) {
                for (const int size : {1, 16}) {
                    drawer.DrawSymbol(symbol, kRed, kBlue, size, 16, 16);
                    drawer.DrawSymbol(symbol, kBlack, kBlack, size, 16, 16);
                }
            }
            EXPECT_EQ(c.dc.GetCurrentPen(), &pen);
            EXPECT_EQ(c.dc.GetCurrentBrush(), &brush);
            EXPECT_EQ(c.dc.GetBkMode(), mode);
            toolkit.Detach();
        }
    }
}

}  // namespace
