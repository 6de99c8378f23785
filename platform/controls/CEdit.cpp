#include "platform/controls/CEdit.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/controls/ControlLook.h"
#include "platform/controls/ControlSupport_p.h"
#include "platform/controls/EditBuffer_p.h"
#include "platform/controls/MessageBeep.h"
#include "platform/controls/Spin_p.h"
#include "platform/gdi/SavedDC.h"
#include "platform/window/WindowDC.h"

const CRuntimeClass CEdit::runtimeClass = plat::MakeRuntimeClass<CEdit, CWnd>("CEdit");

namespace plat::controls {
namespace {

constexpr int kDefaultMargin = 1;
constexpr char kDefaultPasswordChar = '*';
constexpr UINT kLargestLimit = 0x7FFFFFFE;
constexpr UINT kUseFontInfo = 0xFFFF;  // EC_USEFONTINFO: the default margin

// A position handed in by a message: -1 stays -1, other negatives and positions past the
// text are the end of the text (the windowing system reads them unsigned).
int PositionArgument(std::intptr_t value, int length) {
    return (value < 0 || value > length) ? length : static_cast<int>(value);
}

}  // namespace

struct EditState {
    EditBuffer buffer;
    UINT limit = CEdit::kDefaultLimit;
    char passwordChar = 0;
    bool modified = false;
    bool focused = false;
    bool dragging = false;
    int scrollX = 0;    // pixels of the lines scrolled off the left
    int firstLine = 0;  // the top visible line of a multi-line edit
    int leftMargin = kDefaultMargin;
    int rightMargin = kDefaultMargin;
    FontMeasure font;
};

// The edit's layout, editing steps and paint, over the window and its state.
class EditEngine {
public:
    explicit EditEngine(CEdit& edit) : wnd_(edit), s_(*edit.edit_), buffer_(s_.buffer) {}

    DWORD Style() const { return wnd_.GetStyle(); }
    bool Multiline() const { return (Style() & ES_MULTILINE) != 0; }
    int LineHeight() { return Font().height; }
    int AverageWidth() { return Font().Width('x'); }

    // ---- Layout
    CRect FormatRect() const {
        CRect format;
        wnd_.GetClientRect(&format);
        format.left += s_.leftMargin;
        format.right = std::max(format.left, format.right - s_.rightMargin);
        return format;
    }

    int VisibleLines() { return std::max(1, FormatRect().Height() / LineHeight()); }

    int TextWidth(int from, int to) {
        const FontMeasure& font = Font();
        if (s_.passwordChar) {
            return (to - from) * font.Width(static_cast<unsigned char>(s_.passwordChar));
        }
        int width = 0;
        const std::string& text = buffer_.Text();
        for (int i = from; i < to; ++i) {
            width += font.Width(static_cast<unsigned char>(text[i]));
        }
        return width;
    }

    int CharWidth(int pos) { return TextWidth(pos, pos + 1); }

    int LineWidth(int line) { return TextWidth(buffer_.LineStart(line), buffer_.LineEnd(line)); }

    // Where a line starts in its own coordinates (ES_CENTER, ES_RIGHT); a line too wide
    // to be aligned starts at 0 and scrolls.
    int AlignOffset(int line) {
        const int room = FormatRect().Width();
        const int width = LineWidth(line);
        if (width >= room) {
            return 0;
        }
        if (Style() & ES_CENTER) {
            return (room - width) / 2;
        }
        if (Style() & ES_RIGHT) {
            return room - width - 1;  // the caret after the last character stays inside
        }
        return 0;
    }

    // The x of a position in its line's coordinates (before scrolling).
    int TextX(int pos) {
        const int line = buffer_.LineOf(pos);
        return AlignOffset(line) + TextWidth(buffer_.LineStart(line), pos);
    }

    CPoint PointOf(int pos) {
        const CRect format = FormatRect();
        const int line = buffer_.LineOf(pos);
        return CPoint(format.left + TextX(pos) - s_.scrollX,
                      format.top + (line - s_.firstLine) * LineHeight());
    }

    // The boundary nearest to x (line coordinates) in a line.
    int PositionInLine(int line, int x) {
        const int end = buffer_.LineEnd(line);
        int left = AlignOffset(line);
        for (int pos = buffer_.LineStart(line); pos < end; ++pos) {
            const int width = CharWidth(pos);
            if (x < left + (width + 1) / 2) {
                return pos;
            }
            left += width;
        }
        return end;
    }

    int PositionAt(CPoint point) {
        const CRect format = FormatRect();
        const int height = LineHeight();
        const int dy = point.y - format.top;
        const int rows = dy >= 0 ? dy / height : -((height - 1 - dy) / height);
        const int line = std::clamp(s_.firstLine + rows, 0, buffer_.LineCount() - 1);
        return PositionInLine(line, point.x - format.left + s_.scrollX);
    }

    // Scrolls as little as keeps the caret in view.
    void ScrollToCaret() {
        const int caret = buffer_.Caret();
        if (Multiline()) {
            const int line = buffer_.LineOf(caret);
            const int visible = VisibleLines();
            s_.firstLine = std::clamp(s_.firstLine, line - visible + 1, line);
        } else {
            s_.firstLine = 0;
        }
        if (!Multiline() && !(Style() & ES_AUTOHSCROLL)) {
            s_.scrollX = 0;
            return;
        }
        const int room = std::max(1, FormatRect().Width());
        const int x = TextX(caret);
        s_.scrollX = std::clamp(s_.scrollX, x - (room - 1), x);
        if (!Multiline()) {
            // No blank tail while text is scrolled off the left.
            const int width = AlignOffset(0) + LineWidth(0);
            s_.scrollX = std::min(s_.scrollX, std::max(0, width - (room - 1)));
        }
        s_.scrollX = std::max(0, s_.scrollX);
    }

    void Redraw() { wnd_.Invalidate(FALSE); }

    // ---- Selection and caret
    void SetSel(std::intptr_t start, std::intptr_t end, bool scroll) {
        if (start == -1) {
            buffer_.MoveTo(buffer_.Caret(), false);
        } else {
            const int length = buffer_.Length();
            buffer_.Select(PositionArgument(start, length), PositionArgument(end, length));
        }
        if (scroll) {
            ScrollToCaret();
        }
        Redraw();
    }

    void MoveCaret(int pos, bool extend) {
        buffer_.MoveTo(pos, extend);
        ScrollToCaret();
        Redraw();
    }

    int VerticalMove(int lines) {
        const int caret = buffer_.Caret();
        const int line = buffer_.LineOf(caret);
        const int target = std::clamp(line + lines, 0, buffer_.LineCount() - 1);
        return target == line ? caret : PositionInLine(target, TextX(caret));
    }

    // ---- Changes
    // EN_UPDATE, then EN_CHANGE; false when the edit was destroyed by a handler.
    bool Changed() { return NotifyParent(wnd_, EN_UPDATE) && NotifyParent(wnd_, EN_CHANGE); }

    // Every change of the text but WM_SETTEXT counts as a modification.
    bool Replace(std::string_view text) {
        buffer_.ReplaceSelection(text);
        s_.modified = true;
        ScrollToCaret();
        Redraw();
        return Changed();
    }

    bool Refuse() {
        MessageBeep(MB_OK);
        return false;
    }

    // Typing over the selection, with the rules a user meets.
    bool Type(std::string text) {
        const DWORD style = Style();
        if (style & ES_READONLY) {
            return Refuse();
        }
        for (char& ch : text) {
            if ((style & ES_NUMBER) && !IsDigit(static_cast<unsigned char>(ch))) {
                return Refuse();
            }
            ch = (style & ES_UPPERCASE) ? ToUpper(ch) : (style & ES_LOWERCASE) ? ToLower(ch) : ch;
        }
        const int selected = buffer_.SelEnd() - buffer_.SelStart();
        const auto length = static_cast<std::int64_t>(buffer_.Length()) - selected;
        if (length + static_cast<std::int64_t>(text.size()) > s_.limit || !Fits(text)) {
            NotifyParent(wnd_, EN_MAXTEXT);
            return false;
        }
        return Replace(text);
    }

    // Without ES_AUTOHSCROLL a single line keeps to the width of the edit.
    bool Fits(const std::string& text) {
        if (Multiline() || (Style() & ES_AUTOHSCROLL)) {
            return true;
        }
        int added = 0;
        const FontMeasure& font = Font();
        for (const char ch : text) {
            added += font.Width(static_cast<unsigned char>(s_.passwordChar ? s_.passwordChar : ch));
        }
        const int width = LineWidth(0) - TextWidth(buffer_.SelStart(), buffer_.SelEnd()) + added;
        return width <= FormatRect().Width() - 1;
    }

    // Backspace (forward false) or Delete (forward true).
    bool Erase(bool forward) {
        if (Style() & ES_READONLY) {
            return Refuse();
        }
        if (!buffer_.HasSelection()) {
            const int caret = buffer_.Caret();
            const int other = forward ? buffer_.Next(caret) : buffer_.Previous(caret);
            if (other == caret) {
                return false;
            }
            buffer_.Select(other, caret);
        }
        return Replace({});
    }

    // ---- Paint
    void Paint(CDC& dc) {
        CRect client;
        wnd_.GetClientRect(&client);
        const bool enabled = wnd_.IsWindowEnabled() != FALSE;
        const bool field = enabled && !(Style() & ES_READONLY);
        const HBRUSH brush = ParentColours(wnd_, dc, field ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC);
        if (CBrush* fill = brush ? CBrush::FromHandle(brush) : nullptr) {
            dc.FillRect(&client, fill);
        } else {
            dc.FillSolidRect(&client, dc.GetBkColor());
        }
        const COLORREF text = enabled ? dc.GetTextColor() : GetSysColor(COLOR_GRAYTEXT);

        const SavedDC saved(dc);
        dc.SelectObject(ControlFont(wnd_));
        dc.SetBkMode(TRANSPARENT);
        const CRect format = FormatRect();
        dc.IntersectClipRect(&format);
        const int height = LineHeight();
        for (int line = s_.firstLine; line < buffer_.LineCount(); ++line) {
            const int y = format.top + (line - s_.firstLine) * height;
            if (y >= format.bottom) {
                break;
            }
            DrawLine(dc, line, y, text, format);
        }
        if (s_.focused) {
            const CPoint caret = PointOf(buffer_.Caret());
            dc.FillSolidRect(caret.x, caret.y, 1, height, text);
        }
    }

private:
    const FontMeasure& Font() { return MeasureFont(wnd_, s_.font); }

    // The visible part of a line: unselected, selected, unselected.
    void DrawLine(CDC& dc, int line, int y, COLORREF text, const CRect& format) {
        const int end = buffer_.LineEnd(line);
        int x = format.left + AlignOffset(line) - s_.scrollX;
        int from = buffer_.LineStart(line);
        for (; from < end && x + CharWidth(from) <= format.left; ++from) {
            x += CharWidth(from);
        }
        int to = from;
        for (int right = x; to < end && right < format.right; ++to) {
            right += CharWidth(to);
        }
        const bool showSelection = s_.focused || (Style() & ES_NOHIDESEL);
        const int selStart = showSelection ? std::clamp(buffer_.SelStart(), from, to) : from;
        const int selEnd = showSelection ? std::clamp(buffer_.SelEnd(), from, to) : from;
        x = DrawRun(dc, from, selStart, x, y, text, false);
        x = DrawRun(dc, selStart, selEnd, x, y, GetSysColor(COLOR_HIGHLIGHTTEXT), true);
        DrawRun(dc, selEnd, to, x, y, text, false);
    }

    int DrawRun(CDC& dc, int from, int to, int x, int y, COLORREF colour, bool selected) {
        if (from >= to) {
            return x;
        }
        const int width = TextWidth(from, to);
        if (selected) {
            dc.FillSolidRect(x, y, width, LineHeight(), GetSysColor(COLOR_HIGHLIGHT));
        }
        dc.SetTextColor(colour);
        if (s_.passwordChar) {
            const std::string shown(static_cast<std::size_t>(to - from), s_.passwordChar);
            dc.TextOut(x, y, shown.c_str(), to - from);
        } else {
            dc.TextOut(x, y, buffer_.Text().c_str() + from, to - from);
        }
        return x + width;
    }

    CEdit& wnd_;
    EditState& s_;
    EditBuffer& buffer_;
};

}  // namespace plat::controls

using plat::controls::EditEngine;

CEdit::CEdit() : edit_(std::make_unique<plat::controls::EditState>()) {}

CEdit::~CEdit() {
    // The window goes while this object is whole, so its last messages see an edit.
    DestroyWindow();
}

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CreateEx(0, dwStyle, rect, pParentWnd, nID);
}

BOOL CEdit::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::CreateEx(dwExStyle, plat::controls::EditClass(), "", dwStyle | WS_CHILD, rect,
                          pParentWnd, nID);
}

// ---- Member functions: messages to the control ----------------------------------------

DWORD CEdit::GetSel() const {
    return static_cast<DWORD>(SendMessageA(m_hWnd, EM_GETSEL, 0, 0));
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    nStartChar = static_cast<int>(start);
    nEndChar = static_cast<int>(end);
}

void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll) {
    SetSel(LOWORD(dwSelection), HIWORD(dwSelection), bNoScroll);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll) {
    SendMessage(EM_SETSEL, static_cast<WPARAM>(nStartChar), nEndChar);
    if (!bNoScroll) {
        SendMessage(EM_SCROLLCARET);
    }
}

void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo) {
    SendMessage(EM_REPLACESEL, static_cast<WPARAM>(bCanUndo),
                reinterpret_cast<LPARAM>(lpszNewText));
}

void CEdit::Clear() {
    SendMessage(WM_CLEAR);
}

void CEdit::LimitText(int nChars) {
    SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(std::max(0, nChars)));
}

void CEdit::SetLimitText(UINT nMax) {
    SendMessage(EM_SETLIMITTEXT, nMax);
}

UINT CEdit::GetLimitText() const {
    return static_cast<UINT>(SendMessageA(m_hWnd, EM_GETLIMITTEXT, 0, 0));
}

void CEdit::SetPasswordChar(TCHAR ch) {
    SendMessage(EM_SETPASSWORDCHAR, static_cast<unsigned char>(ch));
}

TCHAR CEdit::GetPasswordChar() const {
    return static_cast<TCHAR>(SendMessageA(m_hWnd, EM_GETPASSWORDCHAR, 0, 0));
}

BOOL CEdit::SetReadOnly(BOOL bReadOnly) {
    return static_cast<BOOL>(SendMessage(EM_SETREADONLY, static_cast<WPARAM>(bReadOnly)));
}

BOOL CEdit::GetModify() const {
    return static_cast<BOOL>(SendMessageA(m_hWnd, EM_GETMODIFY, 0, 0));
}

void CEdit::SetModify(BOOL bModified) {
    SendMessage(EM_SETMODIFY, static_cast<WPARAM>(bModified));
}

void CEdit::SetMargins(UINT nLeft, UINT nRight) {
    SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                MAKELPARAM(static_cast<int>(nLeft), static_cast<int>(nRight)));
}

DWORD CEdit::GetMargins() const {
    return static_cast<DWORD>(SendMessageA(m_hWnd, EM_GETMARGINS, 0, 0));
}

void CEdit::GetRect(LPRECT lpRect) const {
    SendMessageA(m_hWnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(lpRect));
}

CPoint CEdit::PosFromChar(UINT nChar) const {
    const auto result = static_cast<DWORD>(SendMessageA(m_hWnd, EM_POSFROMCHAR, nChar, 0));
    return CPoint(static_cast<SHORT>(LOWORD(result)), static_cast<SHORT>(HIWORD(result)));
}

int CEdit::CharFromPos(CPoint pt) const {
    return static_cast<int>(SendMessageA(m_hWnd, EM_CHARFROMPOS, 0, MAKELPARAM(pt.x, pt.y)));
}

int CEdit::GetLineCount() const {
    return static_cast<int>(SendMessageA(m_hWnd, EM_GETLINECOUNT, 0, 0));
}

int CEdit::LineIndex(int nLine) const {
    return static_cast<int>(SendMessageA(m_hWnd, EM_LINEINDEX, static_cast<WPARAM>(nLine), 0));
}

int CEdit::LineFromChar(int nIndex) const {
    return static_cast<int>(SendMessageA(m_hWnd, EM_LINEFROMCHAR, static_cast<WPARAM>(nIndex), 0));
}

int CEdit::LineLength(int nLine) const {
    return static_cast<int>(SendMessageA(m_hWnd, EM_LINELENGTH, static_cast<WPARAM>(nLine), 0));
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const {
    if (!lpszBuffer || nMaxLength < static_cast<int>(sizeof(WORD))) {
        return 0;
    }
    // As documented, the first word of the buffer carries its size.
    const WORD size = static_cast<WORD>(std::min(nMaxLength, 0xFFFF));
    std::memcpy(lpszBuffer, &size, sizeof size);
    return static_cast<int>(SendMessageA(m_hWnd, EM_GETLINE, static_cast<WPARAM>(nIndex),
                                         reinterpret_cast<LPARAM>(lpszBuffer)));
}

int CEdit::GetFirstVisibleLine() const {
    return static_cast<int>(SendMessageA(m_hWnd, EM_GETFIRSTVISIBLELINE, 0, 0));
}

void CEdit::LineScroll(int nLines, int nChars) {
    SendMessage(EM_LINESCROLL, static_cast<WPARAM>(nChars), nLines);
}

// ---- For derived editors ---------------------------------------------------------------

const std::string& CEdit::Contents() const {
    return edit_->buffer.Text();
}

int CEdit::CaretPos() const {
    return edit_->buffer.Caret();
}

int CEdit::AnchorPos() const {
    return edit_->buffer.Anchor();
}

void CEdit::MoveCaret(int pos, bool extend) {
    EditEngine(*this).MoveCaret(pos, extend);
}

bool CEdit::ChangeContents(std::string text, int selStart, int selEnd) {
    EditEngine engine(*this);
    edit_->buffer.Assign(std::move(text));
    edit_->buffer.Select(selStart, selEnd);
    edit_->modified = true;
    engine.ScrollToCaret();
    engine.Redraw();
    return engine.Changed();
}

bool CEdit::SetContents(std::string text, bool notify) {
    EditEngine engine(*this);
    edit_->buffer.Assign(std::move(text));
    edit_->modified = false;
    edit_->scrollX = 0;
    edit_->firstLine = 0;
    engine.ScrollToCaret();
    engine.Redraw();
    // As documented, a multi-line edit does not report text set through WM_SETTEXT.
    return (engine.Multiline() || !notify) ? IsWindow(m_hWnd) != FALSE : engine.Changed();
}

// ---- The messages ------------------------------------------------------------------------

LRESULT CEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    plat::controls::EditState& s = *edit_;
    plat::controls::EditBuffer& buffer = s.buffer;
    EditEngine engine(*this);
    const auto wide = static_cast<std::intptr_t>(wParam);
    switch (message) {
        case WM_SETTEXT:
            SetContents(lParam ? reinterpret_cast<const char*>(lParam) : "");
            return TRUE;
        case WM_GETTEXT:
            return plat::controls::CopyTextOut(buffer.Text(), wParam, lParam);
        case WM_GETTEXTLENGTH:
            return buffer.Length();
        case WM_SETFONT: {
            const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
            engine.ScrollToCaret();
            return result;
        }
        case EM_GETSEL: {
            const auto start = static_cast<DWORD>(buffer.SelStart());
            const auto end = static_cast<DWORD>(buffer.SelEnd());
            if (auto* out = reinterpret_cast<DWORD*>(wParam)) {
                *out = start;
            }
            if (auto* out = reinterpret_cast<DWORD*>(lParam)) {
                *out = end;
            }
            return MAKELONG(static_cast<int>(std::min<DWORD>(start, 0xFFFF)),
                            static_cast<int>(std::min<DWORD>(end, 0xFFFF)));
        }
        case EM_SETSEL:
            engine.SetSel(wide, lParam, false);
            return 0;
        case EM_SCROLLCARET:
            engine.ScrollToCaret();
            engine.Redraw();
            return TRUE;
        case EM_REPLACESEL:
            engine.Replace(lParam ? reinterpret_cast<const char*>(lParam) : "");
            return 0;
        case WM_CLEAR:
            if (buffer.HasSelection() && !(GetStyle() & ES_READONLY)) {
                engine.Replace({});
            }
            return 0;
        case WM_CUT:
        case WM_COPY:
        case WM_PASTE:
            return 0;  // there is no clipboard
        case EM_LIMITTEXT:
            s.limit = (wParam == 0 || wParam > plat::controls::kLargestLimit)
                          ? plat::controls::kLargestLimit
                          : static_cast<UINT>(wParam);
            return 0;
        case EM_GETLIMITTEXT:
            return s.limit;
        case EM_SETPASSWORDCHAR:
            if (!engine.Multiline()) {
                s.passwordChar = static_cast<char>(wParam);
                ModifyStyle(s.passwordChar ? 0 : ES_PASSWORD, s.passwordChar ? ES_PASSWORD : 0);
                engine.ScrollToCaret();
                engine.Redraw();
            }
            return 0;
        case EM_GETPASSWORDCHAR:
            return static_cast<unsigned char>(s.passwordChar);
        case EM_SETREADONLY:
            ModifyStyle(wParam ? 0 : ES_READONLY, wParam ? ES_READONLY : 0);
            engine.Redraw();
            return TRUE;
        case EM_GETMODIFY:
            return s.modified ? TRUE : FALSE;
        case EM_SETMODIFY:
            s.modified = wParam != 0;
            return 0;
        case EM_SETMARGINS: {
            const auto margin = [](WORD value) {
                return value == plat::controls::kUseFontInfo ? plat::controls::kDefaultMargin
                                                             : value;
            };
            if (wParam & EC_LEFTMARGIN) {
                s.leftMargin = margin(LOWORD(lParam));
            }
            if (wParam & EC_RIGHTMARGIN) {
                s.rightMargin = margin(HIWORD(lParam));
            }
            engine.ScrollToCaret();
            engine.Redraw();
            return 0;
        }
        case EM_GETMARGINS:
            return MAKELONG(s.leftMargin, s.rightMargin);
        case EM_GETRECT:
            if (auto* out = reinterpret_cast<RECT*>(lParam)) {
                *out = engine.FormatRect();
            }
            return 0;
        case EM_POSFROMCHAR: {
            if (wParam > static_cast<WPARAM>(buffer.Length())) {
                return -1;
            }
            const CPoint point = engine.PointOf(static_cast<int>(wParam));
            return MAKELONG(point.x, point.y);
        }
        case EM_CHARFROMPOS: {
            const int pos = engine.PositionAt(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
            return MAKELONG(pos, buffer.LineOf(pos));
        }
        case EM_GETLINECOUNT:
            return buffer.LineCount();
        case EM_LINEINDEX: {
            const int line = wide < 0 ? buffer.LineOf(buffer.Caret()) : static_cast<int>(wide);
            return line < buffer.LineCount() ? buffer.LineStart(line) : -1;
        }
        case EM_LINEFROMCHAR:
            return buffer.LineOf(wide < 0
                                     ? buffer.SelStart()
                                     : plat::controls::PositionArgument(wide, buffer.Length()));
        case EM_LINELENGTH: {
            if (wide >= 0) {
                const int line =
                    buffer.LineOf(plat::controls::PositionArgument(wide, buffer.Length()));
                return buffer.LineEnd(line) - buffer.LineStart(line);
            }
            const int first = buffer.LineStart(buffer.LineOf(buffer.SelStart()));
            const int last = buffer.LineEnd(buffer.LineOf(buffer.SelEnd()));
            return (buffer.SelStart() - first) + (last - buffer.SelEnd());
        }
        case EM_GETLINE: {
            auto* out = reinterpret_cast<char*>(lParam);
            // A single-line edit has one line, whatever the index says.
            const int line = engine.Multiline() ? static_cast<int>(wide) : 0;
            if (!out || line < 0 || line >= buffer.LineCount()) {
                return 0;
            }
            WORD size = 0;
            std::memcpy(&size, out, sizeof size);
            const int start = buffer.LineStart(line);
            const int count = std::min<int>(size, buffer.LineEnd(line) - start);
            std::memcpy(out, buffer.Text().data() + start, static_cast<std::size_t>(count));
            return count;
        }
        case EM_GETFIRSTVISIBLELINE:
            return engine.Multiline() ? s.firstLine : engine.PositionInLine(0, s.scrollX);
        case EM_LINESCROLL:
            if (!engine.Multiline()) {
                return FALSE;
            }
            s.firstLine =
                std::clamp(s.firstLine + static_cast<int>(lParam), 0, buffer.LineCount() - 1);
            s.scrollX = std::max(0, s.scrollX + static_cast<int>(wide) * engine.AverageWidth());
            engine.Redraw();
            return TRUE;
        case EM_CANUNDO:
        case EM_UNDO:
        case EM_EMPTYUNDOBUFFER:
            return FALSE;  // there is no undo
        default:
            return CWnd::WindowProc(message, wParam, lParam);
    }
}

// ---- Handlers ----------------------------------------------------------------------------

BOOL CEdit::OnNcCreate(LPCREATESTRUCT lpCreateStruct) {
    if (!CWnd::OnNcCreate(lpCreateStruct)) {
        return FALSE;
    }
    const auto style = static_cast<DWORD>(lpCreateStruct->style);
    const bool multiline = (style & ES_MULTILINE) != 0;
    edit_->buffer.SetMultiline(multiline);
    edit_->buffer.Assign(lpCreateStruct->lpszName ? lpCreateStruct->lpszName : "");
    edit_->passwordChar =
        (style & ES_PASSWORD) && !multiline ? plat::controls::kDefaultPasswordChar : '\0';
    return TRUE;
}

void CEdit::OnPaint() {
    CPaintDC dc(this);
    EditEngine(*this).Paint(dc);
}

void CEdit::OnNcPaint() {
    const DWORD style = GetStyle();
    const DWORD exStyle = GetExStyle();
    if ((style & (WS_DLGFRAME | WS_THICKFRAME)) ||
        (exStyle & (WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE))) {
        Default();  // frames an edit does not draw itself
        return;
    }
    CRect window;
    GetWindowRect(&window);
    window.OffsetRect(-window.left, -window.top);
    CWindowDC dc(this);
    const plat::style::ControlColours colours = plat::style::SystemControlColours();
    const bool enabled = IsWindowEnabled() != FALSE;
    if (style & WS_BORDER) {
        plat::style::DrawEditFrame(dc, window, plat::style::EditFrame::Border, enabled, colours);
        window.DeflateRect(1, 1);
    }
    if (exStyle & WS_EX_CLIENTEDGE) {
        plat::style::DrawEditFrame(dc, window, plat::style::EditFrame::Sunken, enabled, colours);
    }
}

BOOL CEdit::OnEraseBkgnd(CDC*) {
    return TRUE;  // the paint fills the background with the parent's brush
}

void CEdit::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    EditEngine engine(*this);
    engine.ScrollToCaret();
    engine.Redraw();
}

void CEdit::OnChar(UINT nChar, UINT, UINT) {
    EditEngine engine(*this);
    const auto ch = static_cast<unsigned char>(nChar);
    switch (ch) {
        case '\b':
            engine.Erase(false);
            return;
        case '\r':
            if (engine.Multiline() && (GetStyle() & ES_WANTRETURN)) {
                engine.Type("\r\n");
            }
            return;
        case 0x01:  // Ctrl+A
            engine.SetSel(0, -1, true);
            return;
        default:
            if (plat::controls::IsPrintable(ch)) {
                engine.Type(std::string(1, static_cast<char>(ch)));
            }
            return;
    }
}

void CEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if ((nChar == VK_UP || nChar == VK_DOWN) && plat::controls::SpinArrowKey(m_hWnd, nChar)) {
        return;
    }
    EditEngine engine(*this);
    const plat::controls::EditBuffer& buffer = edit_->buffer;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool control = GetKeyState(VK_CONTROL) < 0;
    const bool multiline = engine.Multiline();
    const int caret = buffer.Caret();
    const int line = buffer.LineOf(caret);
    switch (nChar) {
        case VK_LEFT:
            engine.MoveCaret(control ? buffer.PreviousWord(caret) : buffer.Previous(caret), shift);
            return;
        case VK_RIGHT:
            engine.MoveCaret(control ? buffer.NextWord(caret) : buffer.Next(caret), shift);
            return;
        case VK_HOME:
            engine.MoveCaret(control || !multiline ? 0 : buffer.LineStart(line), shift);
            return;
        case VK_END:
            engine.MoveCaret(control || !multiline ? buffer.Length() : buffer.LineEnd(line), shift);
            return;
        case VK_UP:
            engine.MoveCaret(multiline ? engine.VerticalMove(-1) : buffer.Previous(caret), shift);
            return;
        case VK_DOWN:
            engine.MoveCaret(multiline ? engine.VerticalMove(1) : buffer.Next(caret), shift);
            return;
        case VK_PRIOR:
        case VK_NEXT:
            if (multiline) {
                const int page = engine.VisibleLines();
                engine.MoveCaret(engine.VerticalMove(nChar == VK_PRIOR ? -page : page), shift);
            }
            return;
        case VK_DELETE:
            engine.Erase(true);
            return;
        default:
            CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
            return;
    }
}

void CEdit::OnLButtonDown(UINT nFlags, CPoint point) {
    const HWND self = m_hWnd;
    SetFocus();
    if (!IsWindow(self)) {
        return;  // a focus handler destroyed the edit
    }
    EditEngine engine(*this);
    engine.MoveCaret(engine.PositionAt(point), (nFlags & MK_SHIFT) != 0);
    edit_->dragging = true;
    SetCapture();
}

void CEdit::OnLButtonDblClk(UINT, CPoint point) {
    EditEngine engine(*this);
    int start = 0;
    int end = 0;
    edit_->buffer.WordAt(engine.PositionAt(point), start, end);
    engine.SetSel(start, end, true);
}

void CEdit::OnLButtonUp(UINT nFlags, CPoint point) {
    if (edit_->dragging) {
        edit_->dragging = false;
        if (GetCapture() == this) {
            ReleaseCapture();
        }
    }
    CWnd::OnLButtonUp(nFlags, point);
}

void CEdit::OnMouseMove(UINT nFlags, CPoint point) {
    if (edit_->dragging && GetCapture() == this) {
        EditEngine engine(*this);
        engine.MoveCaret(engine.PositionAt(point), true);
    }
    CWnd::OnMouseMove(nFlags, point);
}

void CEdit::OnCaptureChanged(CWnd* pWnd) {
    edit_->dragging = false;
    CWnd::OnCaptureChanged(pWnd);
}

void CEdit::OnSetFocus(CWnd* pOldWnd) {
    CWnd::OnSetFocus(pOldWnd);
    edit_->focused = true;
    EditEngine engine(*this);
    engine.ScrollToCaret();
    engine.Redraw();
    plat::controls::NotifyParent(*this, EN_SETFOCUS);
}

void CEdit::OnKillFocus(CWnd* pNewWnd) {
    CWnd::OnKillFocus(pNewWnd);
    edit_->focused = false;
    edit_->dragging = false;
    EditEngine(*this).Redraw();
    plat::controls::NotifyParent(*this, EN_KILLFOCUS);
}

UINT CEdit::OnGetDlgCode() {
    UINT code = DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS;
    if (GetStyle() & ES_MULTILINE) {
        code |= DLGC_WANTALLKEYS;
    }
    return code;
}

void CEdit::OnEnable(BOOL bEnable) {
    CWnd::OnEnable(bEnable);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}
