// DrawText: placement in the rectangle, DT_CALCRECT, word breaks, ellipses, prefixes,
// tabs and clipping. Most cases compare DrawText's pixels with TextOut calls at the
// positions the rules give, so both the rule and the drawing are checked.

#include <string>
#include <vector>

#include "TextTestSupport.h"

using namespace text_test;

namespace {

constexpr int kAscent = 19;  // Tahoma -20 = DejaVu Sans at 20 pixels
constexpr int kLine = 24;

class TextCanvas : public Canvas {
public:
    explicit TextCanvas(int width = 200, int height = 100, BYTE underline = 0)
        : Canvas(width, height) {
        MakeFont(font, -20, "Tahoma", FW_NORMAL, 0, underline);
        dc.SelectObject(&font);
    }
    ~TextCanvas() { dc.SelectStockObject(SYSTEM_FONT); }
    int Width(const char* text) { return dc.GetTextExtent(text).cx; }
    CFont font;
};

const RECT kBox{10, 10, 190, 60};

TEST(Placement, AlignmentFlagsPlaceTheLineInTheRectangle) {
    TextCanvas measure;
    const int cx = measure.Width("Hello");
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
        {DT_BOTTOM | DT_CENTER, (10 + 190 - cx) / 2, 10, kLine},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.format);
        TextCanvas drawn, expected;
        drawn.dc.SetTextAlign(TA_BASELINE | TA_RIGHT);  // DrawText does not use it
        RECT r = kBox;
        EXPECT_EQ(drawn.dc.DrawText("Hello", -1, &r, k.format), k.answer);
        EXPECT_TRUE(EqualRect(&r, &kBox));
        expected.dc.TextOut(k.x, k.y, "Hello", 5);
        EXPECT_TRUE(SameSurfaces(drawn.surface(), expected.surface()));
    }
}

TEST(Placement, LinesStackByTheCellHeight) {
    TextCanvas drawn, expected;
    RECT r = kBox;
    r.bottom = 100;
    EXPECT_EQ(drawn.dc.DrawText(CString("one\r\ntwo\nthree"), &r, DT_CENTER), 3 * kLine);
    for (const auto& [text, row] : {std::pair{"one", 0}, {"two", 1}, {"three", 2}}) {
        expected.dc.TextOut((200 - expected.Width(text)) / 2, 10 + row * kLine, text);
    }
    EXPECT_TRUE(SameSurfaces(drawn.surface(), expected.surface()));
}

TEST(Placement, OpaqueModeFillsEachLinesCell) {
    TextCanvas c;
    c.dc.SetBkMode(OPAQUE);
    c.dc.SetBkColor(kYellow);
    RECT r = kBox;
    c.dc.DrawText("Hi", -1, &r, DT_SINGLELINE | DT_RIGHT);
    const RECT cell{190 - c.Width("Hi"), 10, 190, 10 + kLine};
    const RECT ink = InkBox(c.surface(), kWhite);
    EXPECT_TRUE(EqualRect(&ink, &cell));
}

TEST(CalcRect, SetsRightAndBottomAndDrawsNothing) {
    TextCanvas c;
    RECT r{5, 7, 5, 7};
    EXPECT_EQ(c.dc.DrawText("Hello", -1, &r, DT_CALCRECT | DT_SINGLELINE), kLine);
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.top, 7);
    EXPECT_EQ(r.right, 5 + c.Width("Hello"));
    EXPECT_EQ(r.bottom, 7 + kLine);

    r = RECT{0, 0, 1000, 0};
    EXPECT_EQ(c.dc.DrawText("short\nthe longer line", -1, &r, DT_CALCRECT), 2 * kLine);
    EXPECT_EQ(r.right, c.Width("the longer line"));
    EXPECT_EQ(r.bottom, 2 * kLine);

    // Wrapping at the given width; a word wider than it widens the rectangle.
    r = RECT{0, 0, 60, 0};
    EXPECT_EQ(c.dc.DrawText("ab cd ef", -1, &r, DT_CALCRECT | DT_WORDBREAK), 2 * kLine);
    EXPECT_LE(r.right, 60);
    r = RECT{0, 0, 30, 0};
    c.dc.DrawText("Supercalifragilistic", -1, &r, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(r.right, c.Width("Supercalifragilistic"));
    EXPECT_EQ(r.bottom, kLine);

    // Empty text: no line, or one with DT_SINGLELINE.
    r = RECT{3, 3, 50, 50};
    EXPECT_EQ(c.dc.DrawText("", -1, &r, DT_CALCRECT), 0);
    EXPECT_EQ(r.right, 3);
    EXPECT_EQ(r.bottom, 3);
    r = RECT{3, 3, 50, 50};
    c.dc.DrawText("", -1, &r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r.bottom, 3 + kLine);
    EXPECT_EQ(InkCount(c.surface(), kWhite), 0);
}

TEST(WordBreak, LinesBreakBetweenWordsAndCountTheHeight) {
    TextCanvas drawn, expected;
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
    TextCanvas drawn, expected;
    const std::string text = "Water depth below transducer";
    const int room = 120;
    // The longest prefix that fits with "..." after it.
    std::string shown;
    for (std::size_t k = text.size(); k > 0; --k) {
        shown = text.substr(0, k) + "...";
        if (expected.Width(shown.c_str()) <= room) {
            break;
        }
    }
    ASSERT_LT(shown.size(), text.size());
    RECT r{10, 10, 10 + room, 40};
    drawn.dc.DrawText(text.c_str(), -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    expected.dc.TextOut(10, 10, shown.c_str());
    EXPECT_TRUE(SameSurfaces(drawn.surface(), expected.surface()));
    // The dots are drawn: ink in the last dot's advance.
    const int dot = expected.Width(".");
    const int end = 10 + expected.Width(shown.c_str());
    const RECT lastDot{end - dot, 10, end, 10 + kLine};
    EXPECT_GT(InkCount(drawn.surface(), kWhite, &lastDot), 0);

    RECT calc{0, 0, room, 0};
    drawn.dc.DrawText(text.c_str(), -1, &calc, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
    EXPECT_EQ(calc.right, expected.Width(shown.c_str()));
    // Text that fits is drawn whole.
    TextCanvas fits, whole;
    RECT wide{10, 10, 190, 40};
    fits.dc.DrawText("Depth", -1, &wide, DT_SINGLELINE | DT_END_ELLIPSIS);
    whole.dc.TextOut(10, 10, "Depth");
    EXPECT_TRUE(SameSurfaces(fits.surface(), whole.surface()));
}

TEST(Prefixes, AmpersandUnderlinesTheNextCharacter) {
    TextCanvas drawn, expected;
    CFont underlined;
    MakeFont(underlined, -20, "Tahoma", FW_NORMAL, 0, 1);
    RECT r = kBox;
    drawn.dc.DrawText("&File", -1, &r, 0);
    expected.dc.SelectObject(&underlined);
    expected.dc.TextOut(10, 10, "F", 1);
    expected.dc.SelectObject(&expected.font);
    expected.dc.TextOut(10 + expected.Width("F"), 10, "ile", 3);
    EXPECT_TRUE(SameSurfaces(drawn.surface(), expected.surface()));

    const struct {
        const char* text;
        UINT format;
        const char* shown;
    } plainCases[] = {
        {"&File", DT_NOPREFIX, "&File"},
        {"&File", DT_HIDEPREFIX, "File"},
        {"Fish && chips", 0, "Fish & chips"},
    };
    for (const auto& k : plainCases) {
        SCOPED_TRACE(k.text);
        TextCanvas a, b;
        RECT box = kBox;
        a.dc.DrawText(k.text, -1, &box, k.format);
        b.dc.TextOut(10, 10, k.shown);
        EXPECT_TRUE(SameSurfaces(a.surface(), b.surface()));
    }

    // DT_PREFIXONLY: the underline alone, under the marked character.
    TextCanvas only;
    r = kBox;
    only.dc.DrawText("E&xit", -1, &r, DT_PREFIXONLY);
    const RECT ink = InkBox(only.surface(), kWhite);
    EXPECT_EQ(ink.top, 10 + kAscent + 1);
    EXPECT_EQ(ink.bottom, ink.top + 1);
    EXPECT_EQ(ink.left, 10 + only.Width("E"));
    EXPECT_EQ(ink.right, 10 + only.Width("Ex"));
}

TEST(Tabs, ExpandToEightCharactersOrTheTabStopCount) {
    TextCanvas measure;
    const int o = measure.Width("o");
    const struct {
        UINT format;
        int stop;
    } cases[] = {
        {DT_EXPANDTABS, 8 * o},
        // DT_TABSTOP's count lives in bits 8-15 (4 << 8 is also DT_CALCRECT's bit).
        {DT_EXPANDTABS | DT_TABSTOP | (4u << 8), 4 * o},
    };
    for (const auto& k : cases) {
        TextCanvas drawn, expected;
        RECT r = kBox;
        drawn.dc.DrawText("a\tb", -1, &r, k.format);
        expected.dc.TextOut(10, 10, "a", 1);
        expected.dc.TextOut(10 + k.stop, 10, "b", 1);
        EXPECT_TRUE(SameSurfaces(drawn.surface(), expected.surface()));
    }
}

TEST(Clipping, DrawTextClipsToItsRectangleUnlessToldNot) {
    TextCanvas clipped, unclipped;
    RECT r{20, 20, 70, 30};
    clipped.dc.DrawText("A long line of text", -1, &r, DT_SINGLELINE);
    const RECT ink = InkBox(clipped.surface(), kWhite);
    EXPECT_GT(InkCount(clipped.surface(), kWhite), 0);
    EXPECT_GE(ink.left, 20);
    EXPECT_GE(ink.top, 20);
    EXPECT_LE(ink.right, 70);
    EXPECT_LE(ink.bottom, 30);

    unclipped.dc.DrawText("A long line of text", -1, &r, DT_SINGLELINE | DT_NOCLIP);
    const RECT all = InkBox(unclipped.surface(), kWhite);
    EXPECT_GT(all.right, 70);
    EXPECT_GT(all.bottom, 30);

    // Lines below the rectangle are not drawn; the one cut by its bottom is.
    TextCanvas lines;
    RECT three{0, 0, 200, 2 * kLine + kLine / 2};
    EXPECT_EQ(lines.dc.DrawText("1\n2\n3\n4\n5", -1, &three, 0), 3 * kLine);
    EXPECT_LE(InkBox(lines.surface(), kWhite).bottom, three.bottom);
}

TEST(DrawTextEx, MarginsAndLengthDrawn) {
    TextCanvas drawn, expected;
    DRAWTEXTPARAMS params{sizeof(DRAWTEXTPARAMS), 0, 15, 5, 0};
    RECT r = kBox;
    char text[] = "Margin";
    drawn.dc.DrawTextEx(text, -1, &r, DT_RIGHT, &params);
    EXPECT_EQ(params.uiLengthDrawn, 6u);
    expected.dc.TextOut(190 - 5 - expected.Width("Margin"), 10, "Margin");
    EXPECT_TRUE(SameSurfaces(drawn.surface(), expected.surface()));

    RECT calc{0, 0, 0, 0};
    drawn.dc.DrawTextEx(CString("Margin"), &calc, DT_CALCRECT, &params);
    EXPECT_EQ(calc.right, 15 + expected.Width("Margin") + 5);
}

TEST(BadInput, NullRectEmptyAndHugeText) {
    TextCanvas c;
    EXPECT_EQ(c.dc.DrawText("x", 1, nullptr, 0), 0);
    RECT r = kBox;
    EXPECT_EQ(c.dc.DrawText(nullptr, 5, &r, 0), 0);
    EXPECT_EQ(c.dc.DrawText("", 0, &r, 0), 0);

    std::string words;
    while (words.size() < 100000) {
        words += "survey ";
    }
    r = kBox;
    EXPECT_EQ(c.dc.DrawText(words.c_str(), -1, &r, DT_WORDBREAK), 3 * kLine);
    EXPECT_LE(InkBox(c.surface(), kWhite).bottom, kBox.bottom);
    r = kBox;
    EXPECT_EQ(c.dc.DrawText(words.c_str(), -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS), kLine);
    const std::string solid(100000, 'M');
    r = RECT{0, 0, 100, 0};
    c.dc.DrawText(solid.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(r.right, 100000 * c.Width("M"));
}

}  // namespace
