#include "platform/controls/EditBuffer_p.h"

#include <algorithm>

namespace plat::controls {
namespace {

bool IsBlank(char ch) {
    return ch == ' ' || ch == '\t';
}

bool IsBreakByte(char ch) {
    return ch == '\r' || ch == '\n';
}

}  // namespace

EditBuffer::EditBuffer(bool multiline) : multiline_(multiline) {}

void EditBuffer::SetMultiline(bool multiline) {
    multiline_ = multiline;
    IndexLines();
    Select(anchor_, caret_);
}

int EditBuffer::SelStart() const {
    return std::min(anchor_, caret_);
}

int EditBuffer::SelEnd() const {
    return std::max(anchor_, caret_);
}

void EditBuffer::Assign(std::string text) {
    text_ = std::move(text);
    IndexLines();
    anchor_ = caret_ = 0;
}

int EditBuffer::Clamp(int pos) const {
    pos = std::clamp(pos, 0, Length());
    return InsideBreak(pos) ? pos - 1 : pos;
}

bool EditBuffer::InsideBreak(int pos) const {
    return multiline_ && pos > 0 && pos < Length() && text_[pos - 1] == '\r' && text_[pos] == '\n';
}

void EditBuffer::Select(int anchor, int caret) {
    anchor_ = Clamp(anchor);
    caret_ = Clamp(caret);
}

void EditBuffer::MoveTo(int pos, bool extend) {
    caret_ = Clamp(pos);
    if (!extend) {
        anchor_ = caret_;
    }
}

void EditBuffer::ReplaceSelection(std::string_view text) {
    const int start = SelStart();
    text_.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(SelEnd() - start),
                  text);
    IndexLines();
    anchor_ = caret_ = Clamp(start + static_cast<int>(text.size()));
}

int EditBuffer::Previous(int pos) const {
    pos = Clamp(pos);
    if (pos == 0) {
        return 0;
    }
    return InsideBreak(pos - 1) ? pos - 2 : pos - 1;
}

int EditBuffer::Next(int pos) const {
    pos = Clamp(pos);
    if (pos >= Length()) {
        return Length();
    }
    return InsideBreak(pos + 1) ? pos + 2 : pos + 1;
}

int EditBuffer::PreviousWord(int pos) const {
    pos = Clamp(pos);
    while (pos > 0 && IsBlank(text_[pos - 1])) {
        --pos;
    }
    if (pos > 0 && IsBreakByte(text_[pos - 1])) {
        return Previous(pos);
    }
    while (pos > 0 && !IsBlank(text_[pos - 1]) && !IsBreakByte(text_[pos - 1])) {
        --pos;
    }
    return pos;
}

int EditBuffer::NextWord(int pos) const {
    pos = Clamp(pos);
    const int length = Length();
    if (pos < length && IsBreakByte(text_[pos])) {
        return Next(pos);
    }
    while (pos < length && !IsBlank(text_[pos]) && !IsBreakByte(text_[pos])) {
        ++pos;
    }
    while (pos < length && IsBlank(text_[pos])) {
        ++pos;
    }
    return pos;
}

void EditBuffer::WordAt(int pos, int& start, int& end) const {
    pos = Clamp(pos);
    const int length = Length();
    if (pos == length && pos > 0) {
        --pos;
    }
    start = end = pos;
    if (pos >= length || IsBreakByte(text_[pos])) {
        return;
    }
    const bool blank = IsBlank(text_[pos]);
    const auto same = [&](char ch) { return !IsBreakByte(ch) && IsBlank(ch) == blank; };
    while (start > 0 && same(text_[start - 1])) {
        --start;
    }
    while (end < length && same(text_[end])) {
        ++end;
    }
}

int EditBuffer::LineOf(int pos) const {
    const auto it = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), Clamp(pos));
    return static_cast<int>(it - lineStarts_.begin()) - 1;
}

int EditBuffer::LineStart(int line) const {
    return lineStarts_[std::clamp(line, 0, LineCount() - 1)];
}

int EditBuffer::LineEnd(int line) const {
    line = std::clamp(line, 0, LineCount() - 1);
    if (line + 1 < LineCount()) {
        return lineStarts_[line + 1] - 2;  // before the CR LF
    }
    return Length();
}

void EditBuffer::IndexLines() {
    lineStarts_.assign(1, 0);
    if (!multiline_) {
        return;
    }
    for (std::size_t at = text_.find("\r\n"); at != std::string::npos;
         at = text_.find("\r\n", at + 2)) {
        lineStarts_.push_back(static_cast<int>(at + 2));
    }
}

}  // namespace plat::controls
