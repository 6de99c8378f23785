#pragma once
// CComboBox: a selection field with a drop button and a drop-down list of items. The list
// is a pop-up window (top-level, WS_POPUP) under the control, or over it when the screen
// has no room below; it shows up to GetMinVisible() items (30 unless set) and never more
// rows than items (one empty row when there are none). While it is open it holds the
// mouse: moving over it highlights an item, releasing the button over an item picks it, a
// press anywhere else closes it without a choice. Up, Down, Page Up/Down, Home and End
// move the highlight, Enter or F4 picks it, Escape closes without a choice.
//
// Notifications (WM_COMMAND to the parent): CBN_DROPDOWN before the list opens (the parent
// may still fill it); a pick sends CBN_SELCHANGE when the selection changed, then
// CBN_SELENDOK, then the list closes and CBN_CLOSEUP follows; closing without a choice
// sends CBN_SELENDCANCEL and CBN_CLOSEUP. On the closed control Up and Down (and the
// wheel) step the selection, a typed character selects the next item starting with it
// (drop-down list only); each change sends CBN_SELCHANGE and CBN_SELENDOK. CBN_SETFOCUS
// and CBN_KILLFOCUS follow the focus into and out of the control.
//
// CBS_DROPDOWNLIST shows the selected item in the field (in the highlight colours while
// focused). CBS_DROPDOWN (and CBS_SIMPLE, which is drawn as it) has an edit part instead,
// a CEdit the user types into (CBN_EDITUPDATE, CBN_EDITCHANGE); a pick puts the item's
// text there, selected. CBS_SORT keeps added strings in order (case not counted). The
// control's height follows its font (the item height plus 8 pixels of frame and
// padding); the height asked for at creation or by moving it is not used.

#include <memory>

#include "platform/controls/ControlDefs.h"
#include "platform/window/CWnd.h"

namespace plat::controls {
struct ComboState;
class ComboEngine;
}  // namespace plat::controls

class SUI_API CComboBox : public CWnd {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    static constexpr int kDefaultMinVisible = 30;

    CComboBox();
    ~CComboBox() override;

    using CWnd::Create;
    // A child combo box (WS_CHILD is added) with CBS_ styles.
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // ---- Items (indices from 0; CB_ERR for an index out of range)
    int GetCount() const;
    int GetCurSel() const;
    // -1 (or an index out of range, which answers CB_ERR) leaves nothing selected.
    int SetCurSel(int nSelect);
    // Copies the item and a NUL (the buffer must hold GetLBTextLen + 1 bytes).
    int GetLBText(int nIndex, LPTSTR lpszText) const;
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const;
    int AddString(LPCTSTR lpszString);
    // At nIndex (-1: at the end); CB_ERR past the end.
    int InsertString(int nIndex, LPCTSTR lpszString);
    // Answers the items left.
    int DeleteString(UINT nIndex);
    void ResetContent();
    // The first item after nStartAfter (-1: from the top), going round, that starts with
    // (FindString) or equals (FindStringExact) the text, case not counted.
    int FindString(int nStartAfter, LPCTSTR lpszString) const;
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
    // Selects what FindString finds; CB_ERR (selection unchanged) when nothing.
    int SelectString(int nStartAfter, LPCTSTR lpszString);
    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);

    // ---- The list and the layout
    void ShowDropDown(BOOL bShowIt = TRUE);
    BOOL GetDroppedState() const;
    // The control and its list as the list would open, in screen coordinates.
    void GetDroppedControlRect(LPRECT lprect) const;
    // nIndex -1 the selection field, else the list's items.
    int SetItemHeight(int nIndex, UINT cyItemHeight);
    int GetItemHeight(int nIndex) const;
    int GetTopIndex() const;
    int SetTopIndex(int nIndex);
    BOOL SetMinVisibleItems(int iMinVisible);
    int GetMinVisible() const;

    // ---- The edit part of CBS_DROPDOWN (FALSE / CB_ERR for a drop-down list)
    BOOL LimitText(int nMaxChars);
    DWORD GetEditSel() const;
    BOOL SetEditSel(int nStartChar, int nEndChar);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    void OnDestroy() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnWindowPosChanging(WINDOWPOS* lpwndpos) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) override;
    void OnSetFocus(CWnd* pOldWnd) override;
    void OnKillFocus(CWnd* pNewWnd) override;
    UINT OnGetDlgCode() override;
    void OnEnable(BOOL bEnable) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    friend class plat::controls::ComboEngine;
    std::unique_ptr<plat::controls::ComboState> combo_;
};
