#pragma once
// Text layout: where each character of a line goes, and how DrawText splits, breaks,
// prefixes and shortens text into lines. It knows only advance widths (no kerning: the
// pen moves by each character's advance, as the drawing interface's text calls do), so
// it is tested with made-up widths. Private to the drawing layer.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/gdi/TextTypes.h"

namespace plat {

using TextCoord = std::int64_t;

// Advance widths of Windows-1252 bytes in the current font.
class TextAdvances {
public:
    virtual int Advance(unsigned char byte) = 0;

protected:
    ~TextAdvances() = default;
};

// Tab stops: the listed positions, then one every `interval` units past the last of them
// (from 0 when none are listed).
class TabStops {
public:
    explicit TabStops(TextCoord interval) : interval_(interval > 0 ? interval : 1) {}
    TabStops(std::span<const int> positions, TextCoord interval);
    // The first stop after x.
    TextCoord Next(TextCoord x) const;

private:
    std::vector<TextCoord> positions_;
    TextCoord interval_;
};

struct PlacedChar {
    TextCoord x;  // pen position from the start of the line
    unsigned char byte;
};

struct TextLine {
    std::vector<PlacedChar> chars;
    TextCoord width = 0;  // the pen position after the last character
    // The character a '&' prefix marks for underlining.
    std::optional<std::size_t> prefixed;

    // The span [start, end) that character i covers.
    TextCoord StartOf(std::size_t i) const { return i < chars.size() ? chars[i].x : width; }
};

// One run of text for TextOut and friends: each character at the pen, the pen moving by
// dx[i] when dx is given, to the next tab stop at a tab when stops are given (tab
// positions counted from tabOffset before the run), else by the advance.
TextLine PlaceRun(std::string_view text, TextAdvances& advances, const int* dx = nullptr,
                  const TabStops* tabs = nullptr, TextCoord tabOffset = 0);

struct LayoutRules {
    UINT format = 0;           // DT_ flags (DT_TABSTOP already taken out of them)
    TextCoord width = 0;       // room for a line: word breaks and ellipses keep to it
    TextCoord tabWidth = 1;    // between tab stops with DT_EXPANDTABS
    std::size_t maxLines = 0;  // lines after this many are not laid out; 0 = all
};

// DrawText's lines: split at CR, LF or CR LF unless DT_SINGLELINE (a final line break
// starts no new line); '&' prefixes taken out unless DT_NOPREFIX ("&&" is '&', the last
// marked character of a line is remembered for underlining unless DT_HIDEPREFIX);
// DT_WORDBREAK breaks at spaces before a word that would cross the width (a word wider
// than the width keeps a line of its own), dropping the spaces at the break;
// DT_END_ELLIPSIS (ignored with DT_EXPANDTABS) shortens the last line to the longest
// prefix that fits with "..." after it, and cuts overflowing words on earlier lines.
// Empty text is no line, or one empty line with DT_SINGLELINE.
struct LaidText {
    std::vector<TextLine> lines;
    std::size_t consumed = 0;  // bytes of the text the lines take up
};
LaidText LayOutText(std::string_view text, const LayoutRules& rules, TextAdvances& advances);

}  // namespace plat
