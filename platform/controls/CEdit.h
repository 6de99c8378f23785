#pragma once
// CEdit: the framework's edit control, a real window that keeps its own text. It takes
// typed characters (WM_CHAR), keys, clicks and drags; it tells its parent about changes
// and focus through WM_COMMAND notifications (EN_UPDATE, then EN_CHANGE after each change;
// EN_SETFOCUS, EN_KILLFOCUS; EN_MAXTEXT when typing is refused at the limit). The
// operations are messages (EM_..., WM_SETTEXT, WM_GETTEXT) that the member functions send,
// so a window derived from it sees them in WindowProc.
//
// Styles: ES_LEFT, ES_CENTER, ES_RIGHT; ES_AUTOHSCROLL (the text scrolls to keep the caret
// in view; without it a single-line edit refuses typing past its right edge); ES_READONLY
// (beeps at typing); ES_PASSWORD (shows the password character, '*' unless set, while
// WM_GETTEXT gives the real text); ES_MULTILINE (lines end in CR LF; lines do not wrap,
// the text scrolls both ways) with ES_WANTRETURN (Enter inserts CR LF); ES_UPPERCASE,
// ES_LOWERCASE (typed letters are converted); ES_NUMBER (only digits may be typed);
// ES_NOHIDESEL. WS_BORDER draws a one-pixel frame, WS_EX_CLIENTEDGE a sunken 3D one.
//
// Drawing: the brush and colours come from the parent's WM_CTLCOLOREDIT (WM_CTLCOLORSTATIC
// when read-only or disabled); disabled text is grey; the selection shows in the
// highlight colours while focused (always with ES_NOHIDESEL); a focused edit draws its
// caret as a one-pixel line in the text colour. The font is the one WM_SETFONT gave it,
// else DEFAULT_GUI_FONT. There is no undo and no clipboard.

#include <memory>
#include <string>

#include "platform/controls/ControlDefs.h"
#include "platform/window/CWnd.h"

namespace plat::controls {
struct EditState;
class EditEngine;
}  // namespace plat::controls

class SUI_API CEdit : public CWnd {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    // The characters a user may type before EM_LIMITTEXT changes it.
    static constexpr UINT kDefaultLimit = 32767;

    CEdit();
    ~CEdit() override;

    using CWnd::Create;
    using CWnd::CreateEx;
    // A child edit (WS_CHILD is added) with window and ES_ styles.
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                          UINT nID);

    // ---- Selection. Positions are byte offsets; the caret sits at the selection's end.
    // LOWORD the start, HIWORD the end (each cut to 16 bits; use the other form for more).
    DWORD GetSel() const;
    void GetSel(int& nStartChar, int& nEndChar) const;
    // Selects [start, end) with the caret at end. A start of -1 removes the selection
    // (the caret stays); any other negative value, and anything past the text, means the
    // end of the text (positions are read unsigned, as the windowing system does).
    void SetSel(DWORD dwSelection, BOOL bNoScroll = FALSE);
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    // Replaces the selection (inserts at the caret) as if typed, without the limit, the
    // case and number styles or read-only; EN_UPDATE and EN_CHANGE follow.
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE);
    // Deletes the selection (WM_CLEAR).
    void Clear();

    // ---- Limits and modes
    // What a user may type; 0 sets the largest limit (0x7FFFFFFE). Text set by
    // SetWindowText or ReplaceSel is not limited.
    void LimitText(int nChars = 0);
    void SetLimitText(UINT nMax);
    UINT GetLimitText() const;
    // A character other than 0 shows that many of it instead of the text and adds
    // ES_PASSWORD; 0 shows the text again and removes the style.
    void SetPasswordChar(TCHAR ch);
    TCHAR GetPasswordChar() const;
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
    // Set by every change of the text but SetWindowText, which clears it.
    BOOL GetModify() const;
    void SetModify(BOOL bModified = TRUE);
    // Blank pixels between the client edges and the text (1 and 1 at the start).
    void SetMargins(UINT nLeft, UINT nRight);
    DWORD GetMargins() const;  // LOWORD left, HIWORD right
    // The formatting rectangle: the client area inside the margins.
    void GetRect(LPRECT lpRect) const;
    // The client point of the top-left of character nChar (-1, -1 past the end: a
    // position at the end gives the point after the last character).
    CPoint PosFromChar(UINT nChar) const;
    // LOWORD the nearest character position to the client point, HIWORD its line.
    int CharFromPos(CPoint pt) const;

    // ---- Lines (a single-line edit has one)
    int GetLineCount() const;
    // The position where line nLine starts; -1 the caret's line. -1 past the last line.
    int LineIndex(int nLine = -1) const;
    // The line of position nIndex; -1 the caret's line.
    int LineFromChar(int nIndex = -1) const;
    // The length of the line that holds position nLine (as documented, the argument is a
    // position); -1: the unselected characters of the lines the selection touches.
    int LineLength(int nLine = -1) const;
    // Copies line nIndex (no terminating NUL, as documented); answers the bytes copied.
    int GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const;
    int GetFirstVisibleLine() const;
    // Scrolls a multi-line edit by lines and characters (average widths).
    void LineScroll(int nLines, int nChars = 0);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct) override;
    void OnPaint() override;
    void OnNcPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnCaptureChanged(CWnd* pWnd) override;
    void OnSetFocus(CWnd* pOldWnd) override;
    void OnKillFocus(CWnd* pNewWnd) override;
    UINT OnGetDlgCode() override;
    void OnEnable(BOOL bEnable) override;

    // ---- For editors built on this one (the masked edit, the combo box's edit part)
    // The text as the control holds and shows it.
    const std::string& Contents() const;
    int CaretPos() const;
    int AnchorPos() const;
    // The caret to pos; extend keeps the other end of the selection. Scrolls it into view.
    void MoveCaret(int pos, bool extend);
    // A change made for the user: the whole text replaced, [selStart, selEnd) selected
    // with the caret at selEnd, the modified flag set, EN_UPDATE and EN_CHANGE sent. False
    // when the control was destroyed by a handler of the notifications: touch nothing then.
    bool ChangeContents(std::string text, int selStart, int selEnd);
    // Shows text as WM_SETTEXT does (caret at the start, the modified flag cleared, and
    // when notify is set EN_UPDATE and EN_CHANGE for a single-line edit), without the
    // checks a derived editor adds to WM_SETTEXT. False when the control was destroyed
    // by a handler of the notifications.
    bool SetContents(std::string text, bool notify = true);

private:
    friend class plat::controls::EditEngine;
    std::unique_ptr<plat::controls::EditState> edit_;
};
