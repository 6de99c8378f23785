#include "platform/controls/CMFCMaskedEdit.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/controls/ControlSupport_p.h"
#include "platform/controls/MessageBeep.h"
#include "platform/core/Exceptions.h"

const CRuntimeClass CMFCMaskedEdit::runtimeClass =
    plat::MakeRuntimeClass<CMFCMaskedEdit, CEdit>("CMFCMaskedEdit");

namespace plat::controls {

constexpr char kEntryMark = '_';  // what marks an entry position in a template

// The template and its groups: runs of entry positions between literals.
struct MaskState {
    std::string mask;
    std::string inputTemplate;
    char placeholder = '_';
    std::string valid;  // empty: no limit beyond the mask
    bool getMaskedCharsOnly = true;
    bool setMaskedCharsOnly = false;
    bool selectByGroup = true;

    bool Enabled() const { return !mask.empty(); }
    int Size() const { return static_cast<int>(inputTemplate.size()); }
    bool IsEntry(int pos) const {
        return pos >= 0 && pos < Size() && inputTemplate[pos] == kEntryMark;
    }

    std::string EmptyText() const {
        std::string text = inputTemplate;
        std::replace(text.begin(), text.end(), kEntryMark, placeholder);
        return text;
    }

    // The first entry position at or after pos, -1 when there is none.
    int NextEntry(int pos) const {
        for (int p = std::max(pos, 0); p < Size(); ++p) {
            if (IsEntry(p)) {
                return p;
            }
        }
        return -1;
    }

    // The last entry position before pos, -1 when there is none.
    int PreviousEntry(int pos) const {
        for (int p = std::min(pos, Size()) - 1; p >= 0; --p) {
            if (IsEntry(p)) {
                return p;
            }
        }
        return -1;
    }

    // The group [start, end) a caret at pos is in or at an edge of; false between groups.
    bool GroupAround(int pos, int& start, int& end) const {
        int at = IsEntry(pos) ? pos : (IsEntry(pos - 1) ? pos - 1 : -1);
        if (at < 0) {
            return false;
        }
        start = end = at;
        while (IsEntry(start - 1)) {
            --start;
        }
        while (IsEntry(end)) {
            ++end;
        }
        return true;
    }

    // Empties the entry positions of [from, to): each group's later characters move left
    // over the gap and placeholders fill its end.
    void EraseRange(std::string& text, int from, int to) const {
        int pos = NextEntry(from);
        while (pos >= 0 && pos < to) {
            int start = 0;
            int end = 0;
            GroupAround(pos, start, end);
            const int cut = std::min(to, end) - pos;
            std::string group =
                text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
            group.erase(static_cast<std::size_t>(pos - start), static_cast<std::size_t>(cut));
            group.append(static_cast<std::size_t>(cut), placeholder);
            text.replace(static_cast<std::size_t>(start), group.size(), group);
            pos = NextEntry(end);
        }
    }

    // Puts ch at pos, moving the rest of the group right when its end has room.
    void Insert(std::string& text, int pos, char ch) const {
        int start = 0;
        int end = 0;
        GroupAround(pos, start, end);
        if (text[end - 1] == placeholder) {
            text.erase(static_cast<std::size_t>(end - 1), 1);
            text.insert(static_cast<std::size_t>(pos), 1, ch);
        } else {
            text[pos] = ch;
        }
    }
};

}  // namespace plat::controls

CMFCMaskedEdit::CMFCMaskedEdit() : mask_(std::make_unique<plat::controls::MaskState>()) {}

CMFCMaskedEdit::~CMFCMaskedEdit() {
    DestroyWindow();
}

// ---- Settings ----------------------------------------------------------------------------

void CMFCMaskedEdit::EnableMask(LPCTSTR lpszMask, LPCTSTR lpszInputTemplate,
                                TCHAR chMaskInputTemplate, LPCTSTR lpszValid) {
    if (!lpszMask || !lpszInputTemplate) {
        AfxThrowInvalidArgException();
    }
    if (std::strlen(lpszMask) != std::strlen(lpszInputTemplate)) {
        return;  // a template that does not match its mask would misplace every character
    }
    mask_->mask = lpszMask;
    mask_->inputTemplate = lpszMask[0] ? lpszInputTemplate : "";
    mask_->placeholder = chMaskInputTemplate;
    mask_->valid = lpszValid ? lpszValid : "";
    if (m_hWnd && mask_->Enabled()) {
        SetContents(mask_->EmptyText());
    }
}

void CMFCMaskedEdit::DisableMask() {
    mask_->mask.clear();
    mask_->inputTemplate.clear();
}

void CMFCMaskedEdit::SetValidChars(LPCTSTR lpszValid) {
    mask_->valid = lpszValid ? lpszValid : "";
}

void CMFCMaskedEdit::EnableGetMaskedCharsOnly(BOOL bEnable) {
    mask_->getMaskedCharsOnly = bEnable != FALSE;
}

void CMFCMaskedEdit::EnableSetMaskedCharsOnly(BOOL bEnable) {
    mask_->setMaskedCharsOnly = bEnable != FALSE;
}

void CMFCMaskedEdit::EnableSelectByGroup(BOOL bEnable) {
    mask_->selectByGroup = bEnable != FALSE;
}

// ---- Character checks --------------------------------------------------------------------

BOOL CMFCMaskedEdit::IsMaskedChar(TCHAR chChar, TCHAR chMaskChar) const {
    using plat::controls::IsDigit;
    using plat::controls::IsLetter;
    const auto ch = static_cast<unsigned char>(chChar);
    const bool blank = ch == ' ';
    switch (chMaskChar) {
        case 'D':
            return IsDigit(ch);
        case 'd':
            return IsDigit(ch) || blank;
        case '+':
            return ch == '+' || ch == '-' || blank;
        case 'C':
            return IsLetter(ch);
        case 'c':
            return IsLetter(ch) || blank;
        case 'A':
            return IsLetter(ch) || IsDigit(ch);
        case 'a':
            return IsLetter(ch) || IsDigit(ch) || blank;
        case '*':
            return plat::controls::IsPrintable(ch);
        default:
            return FALSE;
    }
}

bool CMFCMaskedEdit::IsValid(char ch) const {
    return mask_->valid.empty() || mask_->valid.find(ch) != std::string::npos;
}

bool CMFCMaskedEdit::Accepts(char ch, int pos) const {
    return mask_->IsEntry(pos) && IsMaskedChar(ch, mask_->mask[pos]) && IsValid(ch);
}

// ---- Text in and out ---------------------------------------------------------------------

bool CMFCMaskedEdit::TextToShow(const std::string& source, std::string& shown) const {
    const plat::controls::MaskState& m = *mask_;
    if (!m.Enabled()) {
        shown = source;
        return std::all_of(source.begin(), source.end(), [this](char ch) { return IsValid(ch); });
    }
    shown = m.EmptyText();
    std::size_t next = 0;
    for (int pos = 0; pos < m.Size() && next < source.size(); ++pos) {
        const char ch = source[next];
        if (m.IsEntry(pos)) {
            if (ch != m.placeholder && !Accepts(ch, pos)) {
                return false;
            }
            shown[pos] = ch;
            ++next;
        } else if (!m.setMaskedCharsOnly) {
            if (ch != m.inputTemplate[pos]) {
                return false;
            }
            ++next;
        }
    }
    return next == source.size();  // nothing left over
}

std::string CMFCMaskedEdit::TextToGive() const {
    const std::string& text = Contents();
    if (!mask_->Enabled() || !mask_->getMaskedCharsOnly) {
        return text;
    }
    std::string given;
    for (int pos = 0; pos < mask_->Size() && pos < static_cast<int>(text.size()); ++pos) {
        if (mask_->IsEntry(pos)) {
            given += text[pos];
        }
    }
    return given;
}

LRESULT CMFCMaskedEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETTEXT: {
            std::string shown;
            if (!TextToShow(lParam ? reinterpret_cast<const char*>(lParam) : "", shown)) {
                return FALSE;
            }
            SetContents(std::move(shown));
            return TRUE;
        }
        case WM_GETTEXT:
            return plat::controls::CopyTextOut(TextToGive(), wParam, lParam);
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(TextToGive().size());
        default:
            return CEdit::WindowProc(message, wParam, lParam);
    }
}

int CMFCMaskedEdit::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CEdit::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    if (mask_->Enabled()) {
        // The creation text follows the rules of WM_SETTEXT; what they refuse leaves the
        // empty template.
        std::string shown;
        if (!TextToShow(Contents(), shown)) {
            shown = mask_->EmptyText();
        }
        SetContents(std::move(shown), false);
    }
    return 0;
}

// ---- Editing -----------------------------------------------------------------------------

void CMFCMaskedEdit::TypeMasked(char ch) {
    const plat::controls::MaskState& m = *mask_;
    const DWORD style = GetStyle();
    ch = (style & ES_UPPERCASE)   ? plat::controls::ToUpper(ch)
         : (style & ES_LOWERCASE) ? plat::controls::ToLower(ch)
                                  : ch;
    const int start = std::min(CaretPos(), AnchorPos());
    const int end = std::max(CaretPos(), AnchorPos());
    const int pos = m.NextEntry(start);
    if ((style & ES_READONLY) || pos < 0 || !Accepts(ch, pos)) {
        MessageBeep(MB_OK);
        return;
    }
    std::string text = Contents();
    if (start != end) {
        m.EraseRange(text, start, end);
        m.Insert(text, pos, ch);
    } else {
        text[pos] = ch;
    }
    const int next = m.NextEntry(pos + 1);
    const int caret = next >= 0 ? next : pos + 1;
    ChangeContents(std::move(text), caret, caret);
}

void CMFCMaskedEdit::EraseMasked(bool forward) {
    const plat::controls::MaskState& m = *mask_;
    if (GetStyle() & ES_READONLY) {
        MessageBeep(MB_OK);
        return;
    }
    std::string text = Contents();
    const int caret = CaretPos();
    const int start = std::min(caret, AnchorPos());
    const int end = std::max(caret, AnchorPos());
    if (start != end) {
        m.EraseRange(text, start, end);
        ChangeContents(std::move(text), start, start);
        return;
    }
    if (forward) {
        if (!m.IsEntry(caret)) {
            MessageBeep(MB_OK);
            return;
        }
        m.EraseRange(text, caret, caret + 1);
        ChangeContents(std::move(text), caret, caret);
        return;
    }
    if (caret == 0) {
        return;
    }
    if (!m.IsEntry(caret - 1)) {
        // Before a literal: over to the end of the previous group, nothing erased.
        const int previous = m.PreviousEntry(caret);
        if (previous >= 0) {
            MoveCaret(previous + 1, false);
        }
        return;
    }
    m.EraseRange(text, caret - 1, caret);
    ChangeContents(std::move(text), caret - 1, caret - 1);
}

void CMFCMaskedEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
    const auto ch = static_cast<unsigned char>(nChar);
    if (mask_->Enabled()) {
        if (ch == '\b') {
            EraseMasked(false);
        } else if (plat::controls::IsPrintable(ch)) {
            TypeMasked(static_cast<char>(ch));
        } else {
            CEdit::OnChar(nChar, nRepCnt, nFlags);
        }
        return;
    }
    if (plat::controls::IsPrintable(ch)) {
        const DWORD style = GetStyle();
        const char typed = (style & ES_UPPERCASE)   ? plat::controls::ToUpper(static_cast<char>(ch))
                           : (style & ES_LOWERCASE) ? plat::controls::ToLower(static_cast<char>(ch))
                                                    : static_cast<char>(ch);
        if (!IsValid(typed)) {
            MessageBeep(MB_OK);
            return;
        }
    }
    CEdit::OnChar(nChar, nRepCnt, nFlags);
}

bool CMFCMaskedEdit::MoveByGroup(UINT key, bool shift) {
    const plat::controls::MaskState& m = *mask_;
    const int caret = CaretPos();
    int start = 0;
    int end = 0;
    const bool inGroup = m.GroupAround(caret, start, end);
    switch (key) {
        case VK_HOME: {
            const int first = m.NextEntry(0);
            MoveCaret(inGroup && caret != start ? start : std::max(first, 0), shift);
            return true;
        }
        case VK_END: {
            const int last = m.PreviousEntry(m.Size());
            MoveCaret(inGroup && caret != end ? end : (last >= 0 ? last + 1 : m.Size()), shift);
            return true;
        }
        case VK_LEFT:
        case VK_RIGHT: {
            if (!shift || !m.GroupAround(AnchorPos(), start, end)) {
                return false;
            }
            const int step = key == VK_LEFT ? -1 : 1;
            MoveCaret(std::clamp(caret + step, start, end), true);
            return true;
        }
        default:
            return false;
    }
}

void CMFCMaskedEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (mask_->Enabled()) {
        if (nChar == VK_DELETE) {
            EraseMasked(true);
            return;
        }
        if (nChar == VK_INSERT) {
            return;  // the text always overwrites
        }
        const bool shift = GetKeyState(VK_SHIFT) < 0;
        if (mask_->selectByGroup && MoveByGroup(nChar, shift)) {
            return;
        }
    }
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CMFCMaskedEdit::OnLButtonDblClk(UINT nFlags, CPoint point) {
    int start = 0;
    int end = 0;
    if (mask_->Enabled() && mask_->selectByGroup) {
        const int pos = LOWORD(CharFromPos(point));
        if (mask_->GroupAround(pos, start, end)) {
            SetSel(start, end);
            return;
        }
    }
    CEdit::OnLButtonDblClk(nFlags, point);
}
