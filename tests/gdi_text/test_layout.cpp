// DrawText's line layout with made-up advance widths: line breaks, word breaks, prefixes,
// ellipses, tabs and visible-line limits.

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
        return byte < 0x20 ? 0 : byte == '.' ? 3 : byte == 'i' ? 4 : 10;
    }
    int calls = 0;
};

using Strings = std::vector<std::string>;

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

Strings Lines(const plat::LaidText& laid) {
    Strings out;
    for (const plat::TextLine& line : laid.lines) {
        out.emplace_back();
        for (const plat::PlacedChar& c : line.chars) {
            out.back().push_back(static_cast<char>(c.byte));
        }
    }
    return out;
}

TEST(Layout, BreaksLinesWordsPrefixesAndEllipses) {
    constexpr UINT kEnd = DT_SINGLELINE | DT_END_ELLIPSIS;
    const struct {
        const char* text;
        UINT format;
        plat::TextCoord width;
        std::size_t maxLines;
        Strings lines;
    } cases[] = {
        {"ab\r\ncd\ref\ngh", 0, 1000, 0, {"ab", "cd", "ef", "gh"}},
        {"ab\n\ncd", 0, 1000, 0, {"ab", "", "cd"}},
        {"ab\r\n", 0, 1000, 0, {"ab"}},  // a final break starts no new line
        {"ab\ncd", DT_SINGLELINE, 1000, 0, {"ab\ncd"}},
        {"", 0, 1000, 0, {}},
        {"", DT_SINGLELINE, 1000, 0, {""}},
        // Width 55: "aa bb" is 50 wide; spaces at a break are dropped, never break alone.
        {"aa bb cc dd", DT_WORDBREAK, 55, 0, {"aa bb", "cc dd"}},
        {"aa bb    cc", DT_WORDBREAK, 55, 0, {"aa bb", "cc"}},
        {"aaaa  ", DT_WORDBREAK, 45, 0, {"aaaa  "}},
        {"a bbbbbbbb c", DT_WORDBREAK, 35, 0, {"a", "bbbbbbbb", "c"}},
        {"  bbbbbb", DT_WORDBREAK, 35, 0, {"  bbbbbb"}},
        {"a b c", DT_WORDBREAK, 0, 0, {"a", "b", "c"}},
        {"aa bb cc", DT_WORDBREAK | DT_SINGLELINE, 25, 0, {"aa bb cc"}},
        {"aa bb\ncc dd", DT_WORDBREAK, 25, 0, {"aa", "bb", "cc", "dd"}},
        {"aa bb cc dd", DT_WORDBREAK, 25, 2, {"aa", "bb"}},
        {"&File && E&xit", 0, 1000, 0, {"File & Exit"}},
        {"&File", DT_NOPREFIX, 1000, 0, {"&File"}},
        {"&File", DT_HIDEPREFIX, 1000, 0, {"File"}},
        {"a&\nb", 0, 1000, 0, {"a&", "b"}},  // a '&' with nothing after it stays
        // Width 60: "..." is 9 wide, so five characters fit before it.
        {"abcdefghij", kEnd, 60, 0, {"abcde..."}},
        {"abcdef", kEnd, 60, 0, {"abcdef"}},
        {"abc", kEnd, 5, 0, {"..."}},
        {"abcdefghij", kEnd | DT_EXPANDTABS, 60, 0, {"abcdefghij"}},
        // Only the last (visible) line gets the dots; earlier overflows are cut.
        {"aaaaaaaaaa b cccccccccc",
         DT_WORDBREAK | DT_END_ELLIPSIS,
         60,
         0,
         {"aaaaaa", "b", "ccccc..."}},
        {"aaaaaaaaaa b cccccccccc", DT_WORDBREAK | DT_END_ELLIPSIS, 60, 1, {"aaaaa..."}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.text);
        EXPECT_EQ(Lines(LayOut(k.text, k.format, k.width, k.maxLines)), k.lines);
    }
}

TEST(Layout, WidthsPrefixMarksAndConsumedText) {
    EXPECT_EQ(LayOut("ab\ncd", DT_SINGLELINE).lines[0].width, 40);
    EXPECT_EQ(LayOut("a bbbbbbbb c", DT_WORDBREAK, 35).lines[1].width, 80);
    EXPECT_EQ(LayOut("abcdefghij", DT_SINGLELINE | DT_END_ELLIPSIS, 60).lines[0].width, 59);
    // The last marked character is underlined; a mark cut away by the dots is dropped.
    EXPECT_EQ(LayOut("&File && E&xit", 0).lines[0].prefixed, std::optional<std::size_t>(8));
    EXPECT_FALSE(LayOut("&File", DT_HIDEPREFIX).lines[0].prefixed.has_value());
    EXPECT_EQ(LayOut("a&bcdefghij", DT_SINGLELINE | DT_END_ELLIPSIS, 60).lines[0].prefixed,
              std::optional<std::size_t>(1));
    EXPECT_FALSE(
        LayOut("abcdefgh&ij", DT_SINGLELINE | DT_END_ELLIPSIS, 60).lines[0].prefixed.has_value());
    EXPECT_EQ(LayOut("aa bb cc dd", DT_WORDBREAK, 25, 2).consumed, 5u);
    EXPECT_EQ(LayOut("ab\ncd\nef", 0, 1000, 2).consumed, 6u);  // with its line break
    EXPECT_EQ(LayOut("ab\ncd\nef", 0).consumed, 8u);
}

TEST(Tabs, ExpandToTheStopsOnlyWhenAsked) {
    const plat::TextLine line = LayOut("a\tb\t\tc", DT_EXPANDTABS).lines[0];
    ASSERT_EQ(line.chars.size(), 6u);
    EXPECT_EQ(line.chars[2].x, 80);
    EXPECT_EQ(line.chars[5].x, 240);
    EXPECT_EQ(LayOut("a\tb", 0).lines[0].chars[2].x, 10);  // a tab is an empty character

    // Stops are counted from 5 units before the run: 20, 55, then every 100 past 60.
    FakeAdvances advances;
    const int stops[] = {25, 60};
    const plat::TabStops tabs(stops, 100);
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
    EXPECT_EQ(Lines(LayOut(text, DT_WORDBREAK | DT_END_ELLIPSIS, 200)),
              (Strings{std::string(19, 'x') + "..."}));
}

TEST(Codepage, HighControlsMapToTheirCharactersAndTheRestIsLatin1) {
    EXPECT_EQ(plat::CodePointOf1252(0x95), U'\u2022');  // bullet
    EXPECT_EQ(plat::CodePointOf1252(0x9F), U'\u0178');
    EXPECT_EQ(plat::CodePointOf1252(0x81), U'\u0081');  // undefined: the C1 control
    EXPECT_EQ(plat::CodePointOf1252(0xB0), U'\u00B0');  // degree
    EXPECT_EQ(plat::Utf8From1252("1\xB0\x95\x80"), "1\xC2\xB0\xE2\x80\xA2\xE2\x82\xAC");
}

}  // namespace
