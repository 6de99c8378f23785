// DrawText: placement in the rectangle, DT_CALCRECT, word breaks, ellipses and clipping.
// Most cases compare DrawText's pixels with TextOut calls at the positions the rules give.

#include <string>

#include "TextTestSupport.h"

using namespace text_test;

namespace {

const RECT kBox{10, 10, 190, 60};

TEST(Placement, AlignmentFlagsPlaceTheLineInTheRectangle) {
    const int cx = Canvas().Width("Hello");
    const struct {
        UINT format;
        int x, y;
        int answer;
    } cases[] = {
        {DT_LEFT | DT_TOP, 10, 10, kLine},
        {DT_CENTER, (10 + 190 - cx) / 2, 10, kLine},
        {DT_RIGHT, 190 - cx, 10, kLine},
        {DT_SINGLELINE | DT_VCENTER, 10, 10 + 50 / 2 - kLine / 2, 25 - 12 + kLine},
        {DT_SINGLELINE | DT_BOTTOM | DT_RIGHT, 190 - cx, 60 - kLine, 50},
        {DT_VCENTER, 10, 10, kLine},  // only with DT_SINGLELINE
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.format);
        Canvas drawn, expected;
        drawn.dc.SetTextAlign(TA_BASELINE | TA_RIGHT);  // DrawText does not use it
        RECT r = kBox;
        EXPECT_EQ(drawn.dc.DrawText("Hello", -1, &r, k.format), k.answer);
        EXPECT_TRUE(EqualRect(&r, &kBox));
        expected.dc.TextOut(k.x, k.y, "Hello", 5);
        EXPECT_TRUE(SameSurfaces(drawn.surface(), expected.surface()));
    }
}

TEST(CalcRect, SetsRightAndBottomAndDrawsNothing) {
    Canvas c;
    RECT r{5, 7, 5, 7};
    EXPECT_EQ(c.dc.DrawText("Hello", -1, &r, DT_CALCRECT | DT_SINGLELINE), kLine);
    const RECT hello{5, 7, 5 + c.Width("Hello"), 7 + kLine};
    EXPECT_TRUE(EqualRect(&r, &hello));

    r = RECT{0, 0, 1000, 0};
    EXPECT_EQ(c.dc.DrawText("short\nthe longer line", -1, &r, DT_CALCRECT), 2 * kLine);
    EXPECT_EQ(r.right, c.Width("the longer line"));
    EXPECT_EQ(r.bottom, 2 * kLine);

    // A word wider than the wrapping width widens the rectangle.
    r = RECT{0, 0, 30, 0};
    c.dc.DrawText("Supercalifragilistic", -1, &r, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(r.right, c.Width("Supercalifragilistic"));
    EXPECT_EQ(r.bottom, kLine);

    // Empty text: no line, or one with DT_SINGLELINE.
    r = RECT{3, 3, 50, 50};
    EXPECT_EQ(c.dc.DrawText("", -1, &r, DT_CALCRECT), 0);
    EXPECT_EQ(r.bottom, 3);
    r = RECT{3, 3, 50, 50};
    c.dc.DrawText("", -1, &r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r.bottom, 3 + kLine);
    EXPECT_EQ(c.InkCount(), 0);
}

TEST(WordBreak, LinesBreakBetweenWordsAndCountTheHeight) {
    Canvas drawn, expected;
    const int room = drawn.Width("wave wave");
    RECT r{10, 5, 10 + room, 95};
    EXPECT_EQ(drawn.dc.DrawText("wave wave wave wave wave", -1, &r, DT_WORDBREAK), 3 * kLine);
    expected.dc.TextOut(10, 5, "wave wave");
    expected.dc.TextOut(10, 5 + kLine, "wave wave");
    expected.dc.TextOut(10, 5 + 2 * kLine, "wave");
    EXPECT_TRUE(SameSurfaces(drawn.surface(), expected.surface()));

    RECT calc{0, 0, room, 0};
    drawn.dc.DrawText("wave wave wave wave wave", -1, &calc, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(calc.bottom, 3 * kLine);
    EXPECT_EQ(calc.right, room);
}

TEST(Ellipsis, ShortensToWhatFitsWithThreeDots) {
    Canvas drawn, expected;
    const std::string text = "Water depth below transducer";
    const int room = 120;
    std::string shown;  // the longest prefix that fits with "..." after it
    for (std::size_t k = text.size(); k > 0; --k) {
        shown = text.substr(0, k) + "...";
        if (expected.Width(shown.c_str()) <= room) {
            break;
        }
    }
    RECT r{10, 10, 10 + room, 40};
    drawn.dc.DrawText(text.c_str(), -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    expected.dc.TextOut(10, 10, shown.c_str());
    EXPECT_TRUE(SameSurfaces(drawn.surface(), expected.surface()));
    const int end = 10 + expected.Width(shown.c_str());
    const RECT lastDot{end - expected.Width("."), 10, end, 10 + kLine};
    EXPECT_GT(drawn.InkCount(&lastDot), 0);

    RECT calc{0, 0, room, 0};
    drawn.dc.DrawText(text.c_str(), -1, &calc, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
    EXPECT_EQ(calc.right, expected.Width(shown.c_str()));
    // Text that fits is drawn whole.
    Canvas fits, whole;
    RECT wide = kBox;
    fits.dc.DrawText("Depth", -1, &wide, DT_SINGLELINE | DT_END_ELLIPSIS);
    whole.dc.TextOut(10, 10, "Depth");
    EXPECT_TRUE(SameSurfaces(fits.surface(), whole.surface()));
}

TEST(Clipping, DrawTextClipsToItsRectangleUnlessToldNot) {
    Canvas clipped, unclipped, lines;
    RECT r{20, 20, 70, 30};
    clipped.dc.DrawText("A long line of text", -1, &r, DT_SINGLELINE);
    const RECT ink = clipped.Ink();
    EXPECT_GT(clipped.InkCount(), 0);
    EXPECT_GE(ink.left, 20);
    EXPECT_GE(ink.top, 20);
    EXPECT_LE(ink.right, 70);
    EXPECT_LE(ink.bottom, 30);

    unclipped.dc.DrawText("A long line of text", -1, &r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(unclipped.Ink().right, 70);
    EXPECT_GT(unclipped.Ink().bottom, 30);

    // Lines below the rectangle are not drawn; the one cut by its bottom is.
    RECT three{0, 0, 200, 2 * kLine + kLine / 2};
    EXPECT_EQ(lines.dc.DrawText("1\n2\n3\n4\n5", -1, &three, 0), 3 * kLine);
    EXPECT_LE(lines.Ink().bottom, three.bottom);
}

TEST(BadInput, NullRectEmptyAndHugeText) {
    Canvas c;
    EXPECT_EQ(c.dc.DrawText("x", 1, nullptr, 0), 0);
    RECT r = kBox;
    EXPECT_EQ(c.dc.DrawText(nullptr, 5, &r, 0), 0);
    EXPECT_EQ(c.dc.DrawText("", 0, &r, 0), 0);

    std::string words;
    while (words.size() < 100000) {
        words += "survey ";
    }
    EXPECT_EQ(c.dc.DrawText(words.c_str(), -1, &r, DT_WORDBREAK), 3 * kLine);
    EXPECT_LE(c.Ink().bottom, kBox.bottom);
    r = kBox;
    EXPECT_EQ(c.dc.DrawText(words.c_str(), -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS), kLine);
    const std::string solid(100000, 'M');
    r = RECT{0, 0, 100, 0};
    c.dc.DrawText(solid.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(r.right, 100000 * c.Width("M"));
}

}  // namespace
