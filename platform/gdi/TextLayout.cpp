// DrawText's line layout and the placement of single runs.

#include "platform/gdi/TextLayout.h"

#include <algorithm>

namespace plat {

namespace {

constexpr unsigned char kSpace = ' ';
constexpr unsigned char kTab = '\t';
constexpr unsigned char kDot = '.';

TextCoord FloorDivide(TextCoord a, TextCoord b) {
    const TextCoord q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// A character of a paragraph after prefix processing.
struct Cell {
    unsigned char byte;
    bool prefixed;
    std::size_t sourceEnd;  // offset in the text just past this character (and its '&')
};

class Layouter {
public:
    Layouter(std::string_view text, const LayoutRules& rules, TextAdvances& advances)
        : text_(text), rules_(rules), advances_(advances), tabs_(rules.tabWidth) {}

    LaidText Run() {
        const bool singleLine = (rules_.format & DT_SINGLELINE) != 0;
        if (text_.empty() && !singleLine) {
            return {};
        }
        std::size_t pos = 0;
        while (!Full()) {
            const std::size_t end = singleLine ? text_.size() : ParagraphEnd(pos);
            if (!LayOutParagraph(Cells(pos, end))) {
                break;
            }
            consumed_ = end;
            if (end == text_.size()) {
                break;
            }
            pos = AfterBreak(end);
            consumed_ = pos;
            if (pos == text_.size()) {
                break;  // a final line break starts no new line
            }
        }
        if ((rules_.format & DT_END_ELLIPSIS) && !(rules_.format & DT_EXPANDTABS)) {
            Shorten();
        }
        return LaidText{std::move(lines_), consumed_};
    }

private:
    bool Full() const { return rules_.maxLines != 0 && lines_.size() >= rules_.maxLines; }

    std::size_t ParagraphEnd(std::size_t pos) const {
        const std::size_t end = text_.find_first_of("\r\n", pos);
        return end == std::string_view::npos ? text_.size() : end;
    }

    // Past one line break: CR LF, CR or LF.
    std::size_t AfterBreak(std::size_t pos) const {
        if (text_[pos] == '\r' && pos + 1 < text_.size() && text_[pos + 1] == '\n') {
            return pos + 2;
        }
        return pos + 1;
    }

    std::vector<Cell> Cells(std::size_t begin, std::size_t end) const {
        std::vector<Cell> cells;
        cells.reserve(end - begin);
        const bool prefixes = !(rules_.format & DT_NOPREFIX);
        const bool hide = (rules_.format & DT_HIDEPREFIX) != 0;
        for (std::size_t i = begin; i < end; ++i) {
            const auto byte = static_cast<unsigned char>(text_[i]);
            if (prefixes && byte == '&' && i + 1 < end) {
                ++i;  // "&&" is one '&', "&x" marks x
                const bool marks = text_[i] != '&';
                cells.push_back(Cell{static_cast<unsigned char>(text_[i]), marks && !hide, i + 1});
                continue;
            }
            cells.push_back(Cell{byte, false, i + 1});
        }
        return cells;
    }

    TextCoord AdvanceAt(unsigned char byte, TextCoord x) {
        if (byte == kTab && (rules_.format & DT_EXPANDTABS)) {
            return tabs_.Next(x) - x;
        }
        return advances_.Advance(byte);
    }

    // False when the paragraph did not fit in maxLines (consumed_ tells how far it got).
    bool LayOutParagraph(const std::vector<Cell>& cells) {
        if (cells.empty()) {
            lines_.push_back(TextLine{});
            return true;
        }
        const bool wordBreak = (rules_.format & DT_WORDBREAK) && !(rules_.format & DT_SINGLELINE);
        std::size_t start = 0;
        while (start < cells.size() && !Full()) {
            const auto [end, next] =
                wordBreak ? FindBreak(cells, start) : std::pair{cells.size(), cells.size()};
            lines_.push_back(Place(cells, start, end));
            consumed_ = cells[end - 1].sourceEnd;
            start = next;
        }
        return start >= cells.size();
    }

    // The end of the line starting at `start` and where the next one starts: before the
    // last run of spaces ahead of the first word that would cross the width.
    std::pair<std::size_t, std::size_t> FindBreak(const std::vector<Cell>& cells,
                                                  std::size_t start) {
        const TextCoord width = std::max<TextCoord>(rules_.width, 0);
        std::optional<std::size_t> breakAt;
        TextCoord x = 0;
        for (std::size_t i = start; i < cells.size(); ++i) {
            const unsigned char byte = cells[i].byte;
            const TextCoord advance = AdvanceAt(byte, x);
            if (byte == kSpace) {
                if (i > start && cells[i - 1].byte != kSpace) {
                    breakAt = i;
                }
            } else if (x + advance > width && breakAt) {
                std::size_t next = *breakAt;
                while (next < cells.size() && cells[next].byte == kSpace) {
                    ++next;
                }
                return {*breakAt, next};
            }
            x += advance;
        }
        return {cells.size(), cells.size()};
    }

    TextLine Place(const std::vector<Cell>& cells, std::size_t begin, std::size_t end) {
        TextLine line;
        line.chars.reserve(end - begin);
        TextCoord x = 0;
        for (std::size_t i = begin; i < end; ++i) {
            if (cells[i].prefixed) {
                line.prefixed = i - begin;
            }
            line.chars.push_back(PlacedChar{x, cells[i].byte});
            x += AdvanceAt(cells[i].byte, x);
        }
        line.width = x;
        return line;
    }

    // The most characters of a line whose span fits in room.
    static std::size_t FittingPrefix(const TextLine& line, TextCoord room) {
        std::size_t k = line.chars.size();
        while (k > 0 && line.StartOf(k) > room) {
            --k;
        }
        return k;
    }

    static void Truncate(TextLine& line, std::size_t k) {
        line.width = line.StartOf(k);
        line.chars.resize(k);
        if (line.prefixed && *line.prefixed >= k) {
            line.prefixed.reset();
        }
    }

    void Ellipsize(TextLine& line) {
        const TextCoord dot = advances_.Advance(kDot);
        Truncate(line, FittingPrefix(line, std::max<TextCoord>(rules_.width, 0) - 3 * dot));
        for (int i = 0; i < 3; ++i) {
            line.chars.push_back(PlacedChar{line.width, kDot});
            line.width += dot;
        }
    }

    void Shorten() {
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            TextLine& line = lines_[i];
            if (line.width <= rules_.width) {
                continue;
            }
            if (i + 1 == lines_.size()) {
                Ellipsize(line);
            } else {
                Truncate(line, FittingPrefix(line, std::max<TextCoord>(rules_.width, 0)));
            }
        }
    }

    std::string_view text_;
    const LayoutRules& rules_;
    TextAdvances& advances_;
    TabStops tabs_;
    std::vector<TextLine> lines_;
    std::size_t consumed_ = 0;
};

}  // namespace

TabStops::TabStops(std::span<const int> positions, TextCoord interval)
    : interval_(interval > 0 ? interval : 1) {
    positions_.reserve(positions.size());
    for (const int p : positions) {
        positions_.push_back(p < 0 ? -static_cast<TextCoord>(p) : p);
    }
}

TextCoord TabStops::Next(TextCoord x) const {
    for (const TextCoord p : positions_) {
        if (p > x) {
            return p;
        }
    }
    const TextCoord base = positions_.empty() ? 0 : positions_.back();
    return base + (FloorDivide(x - base, interval_) + 1) * interval_;
}

TextLine PlaceRun(std::string_view text, TextAdvances& advances, const int* dx,
                  const TabStops* tabs, TextCoord tabOffset) {
    TextLine line;
    line.chars.reserve(text.size());
    TextCoord x = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        line.chars.push_back(PlacedChar{x, byte});
        if (dx) {
            x += dx[i];
        } else if (tabs && byte == kTab) {
            x = tabs->Next(x + tabOffset) - tabOffset;
        } else {
            x += advances.Advance(byte);
        }
    }
    line.width = x;
    return line;
}

LaidText LayOutText(std::string_view text, const LayoutRules& rules, TextAdvances& advances) {
    return Layouter(text, rules, advances).Run();
}

}  // namespace plat
