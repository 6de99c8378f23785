// DrawText's line layout with made-up advance widths: line breaks, word breaks,
// prefixes, ellipses, tabs and visible-line limits.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gdi/Codepage1252.h"
#include "platform/gdi/TextLayout.h"

namespace {

// Every character 10 units wide, except '.' (3), 'i' (4) and controls (0).
class FakeAdvances final : public plat::TextAdvances {
public:
    int Advance(unsigned char byte) override {
        ++calls;
        if (byte < 0x20) {
            return 0;
        }
        return byte == '.' ? 3 : byte == 'i' ? 4 : 10;
    }
    int calls = 0;
};

std::string TextOf(const plat::TextLine& line) {
    std::string s;
    for (const plat::PlacedChar& c : line.chars) {
        s.push_back(static_cast<char>(c.byte));
    }
    return s;
}

std::vector<std::string> Lines(const plat::LaidText& laid) {
    std::vector<std::string> out;
    for (const plat::TextLine& line : laid.lines) {
        out.push_back(TextOf(line));
    }
    return out;
}

plat::LaidText LayOut(std::string_view text, UINT format, plat::TextCoord width = 1000,
                      std::size_t maxLines = 0) {
    FakeAdvances advances;
    plat::LayoutRules rules;
    rules.format = format;
    rules.width = width;
    rules.tabWidth = 80;
    rules.maxLines = maxLines;
    return plat::LayOutText(text, rules, advances);
}

using Strings = std::vector<std::string>;

TEST(LineBreaks, CrLfCrAndLfEachEndOneLine) {
    EXPECT_EQ(Lines(LayOut("ab\r\ncd\ref\ngh", 0)), (Strings{"ab", "cd", "ef", "gh"}));
    EXPECT_EQ(Lines(LayOut("ab\n\ncd", 0)), (Strings{"ab", "", "cd"}));
    // A final break starts no new line; DT_SINGLELINE keeps the breaks as characters.
    EXPECT_EQ(Lines(LayOut("ab\r\n", 0)), (Strings{"ab"}));
    EXPECT_EQ(Lines(LayOut("ab\ncd", DT_SINGLELINE)), (Strings{"ab\ncd"}));
    EXPECT_EQ(LayOut("ab\ncd", DT_SINGLELINE).lines[0].width, 40);
}

TEST(LineBreaks, EmptyTextIsNoLineExceptSingleLine) {
    EXPECT_TRUE(LayOut("", 0).lines.empty());
    EXPECT_EQ(Lines(LayOut("", DT_SINGLELINE)), (Strings{""}));
}

TEST(WordBreak, BreaksAtTheLastSpaceBeforeTheOverflowingWord) {
    // Width 55: "aa bb" is 50 wide, "aa bb cc" would be 80.
    EXPECT_EQ(Lines(LayOut("aa bb cc dd", DT_WORDBREAK, 55)), (Strings{"aa bb", "cc dd"}));
    // Spaces at a break are dropped, whatever their number.
    EXPECT_EQ(Lines(LayOut("aa bb    cc", DT_WORDBREAK, 55)), (Strings{"aa bb", "cc"}));
    // Spaces never cause a break themselves, and a line may end in them.
    EXPECT_EQ(Lines(LayOut("aaaa  ", DT_WORDBREAK, 45)), (Strings{"aaaa  "}));
}

TEST(WordBreak, AWordWiderThanTheRoomKeepsALineOfItsOwn) {
    const plat::LaidText laid = LayOut("a bbbbbbbb c", DT_WORDBREAK, 35);
    EXPECT_EQ(Lines(laid), (Strings{"a", "bbbbbbbb", "c"}));
    EXPECT_EQ(laid.lines[1].width, 80);
    // Leading spaces of a paragraph stay; they are no place to break.
    EXPECT_EQ(Lines(LayOut("  bbbbbb", DT_WORDBREAK, 35)), (Strings{"  bbbbbb"}));
    // No room at all: one word per line.
    EXPECT_EQ(Lines(LayOut("a b c", DT_WORDBREAK, 0)), (Strings{"a", "b", "c"}));
}

TEST(WordBreak, IgnoredOnASingleLineAndWorksPerParagraph) {
    EXPECT_EQ(Lines(LayOut("aa bb cc", DT_WORDBREAK | DT_SINGLELINE, 25)), (Strings{"aa bb cc"}));
    EXPECT_EQ(Lines(LayOut("aa bb\ncc dd", DT_WORDBREAK, 25)), (Strings{"aa", "bb", "cc", "dd"}));
}

TEST(Prefixes, MarkTheNextCharacterAndDoubleAmpersandIsOne) {
    const plat::LaidText laid = LayOut("&File && E&xit", 0);
    EXPECT_EQ(Lines(laid), (Strings{"File & Exit"}));
    // Both 'F' and 'x' are marked; the last marked one is underlined.
    ASSERT_TRUE(laid.lines[0].prefixed.has_value());
    EXPECT_EQ(*laid.lines[0].prefixed, 8u);
    EXPECT_EQ(Lines(LayOut("&File", DT_NOPREFIX)), (Strings{"&File"}));
    EXPECT_FALSE(LayOut("&File", DT_HIDEPREFIX).lines[0].prefixed.has_value());
    EXPECT_EQ(Lines(LayOut("&File", DT_HIDEPREFIX)), (Strings{"File"}));
    // A '&' with nothing after it stays as it is.
    EXPECT_EQ(Lines(LayOut("a&", 0)), (Strings{"a&"}));
    EXPECT_EQ(Lines(LayOut("a&\nb", 0)), (Strings{"a&", "b"}));
}

TEST(Ellipsis, KeepsTheLongestPrefixThatFitsWithThreeDots) {
    // Width 60: "..." is 9 wide, so five characters (50) fit before it.
    const plat::LaidText laid = LayOut("abcdefghij", DT_SINGLELINE | DT_END_ELLIPSIS, 60);
    EXPECT_EQ(Lines(laid), (Strings{"abcde..."}));
    EXPECT_EQ(laid.lines[0].width, 59);
    // Text that fits is left alone; so is an exact fit.
    EXPECT_EQ(Lines(LayOut("abcdef", DT_SINGLELINE | DT_END_ELLIPSIS, 60)), (Strings{"abcdef"}));
    // When even "..." does not fit it is still what is drawn.
    EXPECT_EQ(Lines(LayOut("abc", DT_SINGLELINE | DT_END_ELLIPSIS, 5)), (Strings{"..."}));
    // Ignored with expanded tabs.
    EXPECT_EQ(Lines(LayOut("abcdefghij", DT_SINGLELINE | DT_END_ELLIPSIS | DT_EXPANDTABS, 60)),
              (Strings{"abcdefghij"}));
}

TEST(Ellipsis, DropsAPrefixMarkThatIsCutAway) {
    const plat::LaidText kept = LayOut("a&bcdefghij", DT_SINGLELINE | DT_END_ELLIPSIS, 60);
    EXPECT_EQ(Lines(kept), (Strings{"abcde..."}));
    EXPECT_EQ(kept.lines[0].prefixed, std::optional<std::size_t>(1));
    const plat::LaidText cut = LayOut("abcdefgh&ij", DT_SINGLELINE | DT_END_ELLIPSIS, 60);
    EXPECT_FALSE(cut.lines[0].prefixed.has_value());
}

TEST(Ellipsis, OnlyTheLastLineGetsItEarlierOverflowsAreCut) {
    const plat::LaidText laid =
        LayOut("aaaaaaaaaa b cccccccccc", DT_WORDBREAK | DT_END_ELLIPSIS, 60);
    EXPECT_EQ(Lines(laid), (Strings{"aaaaaa", "b", "ccccc..."}));
    // With a line limit, the last visible line is the last line.
    EXPECT_EQ(Lines(LayOut("aaaaaaaaaa b cccccccccc", DT_WORDBREAK | DT_END_ELLIPSIS, 60, 1)),
              (Strings{"aaaaa..."}));
}

TEST(VisibleLines, LayoutStopsAtTheLimitAndSaysHowFarItGot) {
    const plat::LaidText laid = LayOut("aa bb cc dd", DT_WORDBREAK, 25, 2);
    EXPECT_EQ(Lines(laid), (Strings{"aa", "bb"}));
    EXPECT_EQ(laid.consumed, 5u);
    EXPECT_EQ(LayOut("ab\ncd\nef", 0, 1000, 2).consumed, 6u);  // with its line break
    EXPECT_EQ(LayOut("ab\ncd\nef", 0).consumed, 8u);
}

TEST(Tabs, ExpandToTheNextStopOnlyWithExpandTabs) {
    const plat::LaidText laid = LayOut("a\tb\t\tc", DT_EXPANDTABS);
    const plat::TextLine& line = laid.lines[0];
    ASSERT_EQ(line.chars.size(), 6u);
    EXPECT_EQ(line.chars[2].x, 80);  // 'b' at the first stop
    EXPECT_EQ(line.chars[5].x, 240);
    EXPECT_EQ(LayOut("a\tb", 0).lines[0].chars[2].x, 10);  // a tab is an empty character
}

TEST(Runs, PlaceByAdvanceByDxOrByTabStops) {
    FakeAdvances advances;
    EXPECT_EQ(plat::PlaceRun("ai.", advances).width, 17);
    const int dx[] = {5, 7, 9};
    const plat::TextLine spaced = plat::PlaceRun("abc", advances, dx);
    EXPECT_EQ(spaced.chars[2].x, 12);
    EXPECT_EQ(spaced.width, 21);
    const int stops[] = {25, 60};
    const plat::TabStops tabs(stops, 100);
    // Stops are counted from 5 units before the run: 25 - 5 = 20, 60 - 5 = 55, then
    // every 100 past 60.
    const plat::TextLine tabbed = plat::PlaceRun("a\tb\tc\td", advances, nullptr, &tabs, 5);
    EXPECT_EQ(tabbed.chars[2].x, 20);
    EXPECT_EQ(tabbed.chars[4].x, 55);
    EXPECT_EQ(tabbed.chars[6].x, 155);
}

TEST(Runs, LongTextIsMeasuredOnce) {
    FakeAdvances advances;
    const std::string text(100000, 'x');
    EXPECT_EQ(plat::PlaceRun(text, advances).width, 1000000);
    EXPECT_EQ(advances.calls, 100000);
    const plat::LaidText laid = LayOut(text, DT_WORDBREAK | DT_END_ELLIPSIS, 200);
    EXPECT_EQ(Lines(laid), (Strings{std::string(19, 'x') + "..."}));
}

TEST(Codepage, HighControlsMapToTheirCharactersAndTheRestIsLatin1) {
    EXPECT_EQ(plat::CodePointOf1252(0x80), U'\u20AC');
    EXPECT_EQ(plat::CodePointOf1252(0x95), U'\u2022');  // bullet
    EXPECT_EQ(plat::CodePointOf1252(0x9F), U'\u0178');
    EXPECT_EQ(plat::CodePointOf1252(0x81), U'\u0081');  // undefined: the C1 control
    EXPECT_EQ(plat::CodePointOf1252(0xB0), U'\u00B0');  // degree
    EXPECT_EQ(plat::CodePointOf1252(0xB1), U'\u00B1');
    EXPECT_EQ(plat::CodePointOf1252(0xAB), U'\u00AB');
    EXPECT_EQ(plat::CodePointOf1252('A'), U'A');
    EXPECT_EQ(plat::Utf8From1252("1\xB0\x95\x80"), "1\xC2\xB0\xE2\x80\xA2\xE2\x82\xAC");
}

}  // namespace
