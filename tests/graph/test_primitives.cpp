// The shape primitives on a 32 x 32 surface, centred on (16, 16) with size 16 (h = 8).

#include <vector>

#include "GraphTestSupport.h"

using namespace graph_test;

namespace {

constexpr int kC = 16;  // the centre on both axes
constexpr int kSize = 16;
using ShapeDraw = void (CMyDC::*)(COLORREF, COLORREF, int, bool, int, int);

struct Pixel {
    int x, y;
    COLORREF colour;
};

// Solid shapes fill in red (the fill colour) inside a blue outline (the line colour).
TEST(Primitives, ExtentsAndColours) {
    struct Shape {
        const char* name;
        ShapeDraw draw;  // null: a cross
        int crossWidth;  // its pen width
        RECT box;        // right and bottom inclusive
        int red, blue;   // how many pixels of each, -1 when not counted
    };
    const struct {
        Shape shape;
        std::vector<Pixel> pixels;
    } cases[] = {
        {{"cross", nullptr, 1, {8, 8, 23, 23}, 31, 0},  // arms from -h to +h, ends excluded
         {{8, 16, kRed}, {23, 16, kRed}, {16, 8, kRed}, {24, 16, kWhite}, {16, 24, kWhite}}},
        {{"thick cross", nullptr, 3, {7, 7, 25, 25}, 105, 0},  // 3 full rows, centred
         {{12, 15, kRed}, {12, 17, kRed}, {17, 12, kRed}, {12, 14, kWhite}}},
        {{"square", &CMyDC::DrawSquare, 0, {8, 8, 24, 24}, 15 * 15, 4 * 16},
         {{8, 8, kBlue}, {24, 24, kBlue}, {9, 9, kRed}, {23, 23, kRed}}},
        {{"triangle", &CMyDC::DrawTriangle, 0, {8, 8, 24, 24}, -1, -1},  // apex up
         {{16, 8, kBlue}, {8, 24, kBlue}, {24, 24, kBlue}, {16, 19, kRed}, {9, 12, kWhite}}},
        {{"diamond", &CMyDC::DrawDiamond, 0, {8, 8, 24, 24}, -1, -1},  // points on the axes
         {{16, 8, kBlue}, {24, 16, kBlue}, {8, 16, kBlue}, {16, 16, kRed}, {10, 10, kWhite}}},
        {{"circle", &CMyDC::DrawCircle, 0, {8, 8, 23, 23}, -1, -1},  // box ends excluded
         {{16, 16, kRed}, {8, 15, kBlue}, {15, 8, kBlue}, {8, 8, kWhite}}},
    };
    for (const auto& k : cases) {
        const Shape& s = k.shape;
        SCOPED_TRACE(s.name);
        Canvas c;
        if (s.draw) {
            (c.dc.*s.draw)(kRed, kBlue, kSize, false, kC, kC);
        } else {
            c.dc.DrawCross(kRed, kSize, s.crossWidth, kC, kC);
        }
        const RECT ink = c.InkBox();
        EXPECT_TRUE(EqualRect(&ink, &s.box));
        for (const Pixel& p : k.pixels) {
            EXPECT_EQ(c.At(p.x, p.y), p.colour) << p.x << "," << p.y;
        }
        EXPECT_TRUE(s.red < 0 || c.Count(kRed) == s.red) << c.Count(kRed);
        EXPECT_TRUE(s.blue < 0 || c.Count(kBlue) == s.blue) << c.Count(kBlue);
    }
}

// A hollow shape is its solid twin's outline drawn in the fill colour, the inside untouched.
TEST(Primitives, HollowShapesAreOutlinesInTheFillColour) {
    for (const ShapeDraw shape :
         {&CMyDC::DrawCircle, &CMyDC::DrawSquare, &CMyDC::DrawTriangle, &CMyDC::DrawDiamond}) {
        Canvas solid;
        Canvas hollow(32, kGreen);
        (solid.dc.*shape)(kRed, kBlue, kSize, false, kC, kC);
        (hollow.dc.*shape)(kRed, kBlue, kSize, true, kC, kC);
        EXPECT_EQ(hollow.At(kC, kC + 2), kGreen);
        EXPECT_EQ(hollow.Count(kBlue), 0);
        EXPECT_EQ(hollow.Count(kRed), solid.Count(kBlue));
    }
}

}  // namespace
