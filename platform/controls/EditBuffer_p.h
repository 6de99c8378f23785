#pragma once
// The text of an edit control and its selection, with the steps keyboard and mouse take
// through it. Positions are byte offsets into the text. In a multi-line buffer a line
// break is CR LF, counts as one character for the caret, and the caret never sits
// between its two bytes.

#include <string>
#include <string_view>
#include <vector>

namespace plat::controls {

class EditBuffer {
public:
    explicit EditBuffer(bool multiline = false);

    void SetMultiline(bool multiline);
    bool IsMultiline() const { return multiline_; }

    const std::string& Text() const { return text_; }
    int Length() const { return static_cast<int>(text_.size()); }

    // The selection runs from the anchor to the caret (either may come first).
    int Caret() const { return caret_; }
    int Anchor() const { return anchor_; }
    int SelStart() const;
    int SelEnd() const;
    bool HasSelection() const { return anchor_ != caret_; }

    // Replaces the whole text; the caret goes to its start.
    void Assign(std::string text);
    // Both ends are put into the text and off the middle of a line break.
    void Select(int anchor, int caret);
    // The caret to pos; extend keeps the anchor (shift held), else the selection collapses.
    void MoveTo(int pos, bool extend);
    // Replaces the selection with text; the caret ends after it.
    void ReplaceSelection(std::string_view text);

    // One character back or on (a line break is one), kept inside the text.
    int Previous(int pos) const;
    int Next(int pos) const;
    // The start of the word before pos and the start of the word after it (words are runs
    // of non-blanks; a line break ends a word).
    int PreviousWord(int pos) const;
    int NextWord(int pos) const;
    // The word (or run of blanks) round pos, for a double click.
    void WordAt(int pos, int& start, int& end) const;

    int LineCount() const { return static_cast<int>(lineStarts_.size()); }
    int LineOf(int pos) const;
    int LineStart(int line) const;
    // The end of the line's text, before its line break.
    int LineEnd(int line) const;

private:
    int Clamp(int pos) const;
    bool InsideBreak(int pos) const;
    void IndexLines();

    std::string text_;
    std::vector<int> lineStarts_{0};
    int anchor_ = 0;
    int caret_ = 0;
    bool multiline_;
};

}  // namespace plat::controls
