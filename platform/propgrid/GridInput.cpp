// The grid's input: selection, the edit lifecycle, the mouse (rows, divider, scroll bar,
// wheel), the keys of the grid and of its editors, and the focus.

#include <algorithm>

#include "platform/controls/ControlDefs.h"
#include "platform/controls/MessageBeep.h"
#include "platform/propgrid/CMFCPropertyGridColorProperty.h"
#include "platform/propgrid/CMFCPropertyGridCtrl.h"
#include "platform/propgrid/ColourPalette_p.h"

namespace {

constexpr UINT_PTR kScrollTimer = 1;
constexpr UINT kScrollDelay = 400;   // before a held scroll button repeats
constexpr UINT kScrollRepeat = 100;  // between repeats
constexpr int kDividerSlack = 2;     // pixels either side of the divider that grab it
constexpr int kWheelRows = 3;        // rows per wheel notch

bool IsEditable(const CMFCPropertyGridProperty* prop) {
    return prop->IsEnabled() && (!prop->IsGroup() || prop->IsValueList());
}

}  // namespace

// ---- Selection ---------------------------------------------------------------------------

void CMFCPropertyGridCtrl::SetCurSel(CMFCPropertyGridProperty* pProp, BOOL bRedraw) {
    if (pProp == m_pSel) {
        OnChangeSelection(m_pSel, m_pSel);
        return;
    }
    if (pProp && pProp->m_pWndList != this) {
        return;
    }
    if (m_pSel && m_pSel->m_bInPlaceEdit && !EndEditItem(TRUE)) {
        return;  // the refused text stays in its editor, and so does the selection
    }
    CloseColorPopup();
    CMFCPropertyGridProperty* old = m_pSel;
    if (old) {
        old->OnKillSelection(pProp);
        old->m_rectButton.SetRectEmpty();
        if (m_hWnd) {
            InvalidateRect(&old->m_Rect, FALSE);
        }
    }
    m_pSel = pProp;
    if (pProp) {
        if (pProp->HasButton() && pProp->IsEnabled() && !pProp->m_Rect.IsRectEmpty()) {
            pProp->AdjustButtonRect();
        }
        pProp->OnSetSelection(old);
    }
    OnChangeSelection(pProp, old);
    if (bRedraw && m_hWnd) {
        if (m_pSel) {
            InvalidateRect(&m_pSel->m_Rect, FALSE);
        }
        InvalidateRect(&m_rectDescr, FALSE);
        UpdateWindow();
    }
}

void CMFCPropertyGridCtrl::MoveSelection(int nToIndex) {
    if (m_lstDisplayed.empty()) {
        return;
    }
    CMFCPropertyGridProperty* row =
        m_lstDisplayed[static_cast<size_t>(std::clamp(nToIndex, 0, GetTotalRowCount() - 1))];
    SetCurSel(row);
    if (m_pSel == row) {
        EnsureVisible(row);
    }
}

// ---- The edit lifecycle ------------------------------------------------------------------

BOOL CMFCPropertyGridCtrl::EditItem(CMFCPropertyGridProperty* pProp, LPPOINT lptClick) {
    if (!pProp || pProp->m_pWndList != this || !m_hWnd) {
        return FALSE;
    }
    if (!EndEditItem(TRUE)) {
        return FALSE;
    }
    if (!IsEditable(pProp) || pProp->m_Rect.IsRectEmpty()) {
        return FALSE;
    }
    if (pProp != m_pSel) {
        SetCurSel(pProp, FALSE);
        if (m_pSel != pProp) {
            return FALSE;
        }
    }
    if (!pProp->OnEdit(lptClick)) {
        return FALSE;
    }
    pProp->Redraw();
    return TRUE;
}

BOOL CMFCPropertyGridCtrl::EndEditItem(BOOL bUpdateData) {
    if (!m_pSel || !m_pSel->m_bInPlaceEdit) {
        return TRUE;
    }
    if (m_bEndingEdit && bUpdateData) {
        return TRUE;  // a handler of the value being stored asked again: once is enough
    }
    CMFCPropertyGridProperty* prop = m_pSel;
    if (bUpdateData) {
        m_bEndingEdit = true;
        const BOOL stored = ValidateItemData(prop) && prop->OnUpdateValue();
        m_bEndingEdit = false;
        if (m_pSel != prop || !prop->m_bInPlaceEdit) {
            return TRUE;  // a handler of the change removed the row or ended the edit
        }
        if (!stored) {
            return FALSE;
        }
    }
    const bool focusInEditor = IsChild(GetFocus()) != FALSE;
    prop->OnEndEdit();
    if (focusInEditor && m_hWnd) {
        SetFocus();
    }
    prop->Redraw();
    return TRUE;
}

void CMFCPropertyGridCtrl::RefuseEdit() {
    MessageBeep(MB_OK);
    if (m_pSel && m_pSel->m_pWndInPlace && m_pSel->m_pWndInPlace->GetSafeHwnd()) {
        m_pSel->m_pWndInPlace->SetFocus();
    }
}

void CMFCPropertyGridCtrl::PressButton(CMFCPropertyGridProperty* pProp, CPoint point) {
    const CString before = pProp->FormatProperty();
    pProp->OnClickButton(point);
    if (m_pSel != pProp) {
        return;  // a handler removed the row
    }
    // A button that changed the value itself (a dialog) is told to the owner here.
    if (pProp->FormatProperty() != before) {
        OnPropertyChanged(pProp);
    }
}

void CMFCPropertyGridCtrl::TabToNext(bool bForward) {
    if (!EndEditItem(TRUE)) {
        RefuseEdit();
        return;
    }
    const int from = DisplayIndex(m_pSel);
    const int step = bForward ? 1 : -1;
    for (int i = from + step; from >= 0 && i >= 0 && i < GetTotalRowCount(); i += step) {
        CMFCPropertyGridProperty* row = m_lstDisplayed[static_cast<size_t>(i)];
        if (IsEditable(row)) {
            EnsureVisible(row);
            EditItem(row);
            return;
        }
    }
}

void CMFCPropertyGridCtrl::InPlaceLostFocus() {
    if (!m_pSel || !m_pSel->m_bInPlaceEdit || m_bEndingEdit) {
        return;
    }
    CWnd* focus = GetFocus();
    if (IsInGrid(focus)) {
        return;  // the grid, the editor or its list or spin: still editing
    }
    CloseColorPopup();
    if (!m_pSel->OnKillFocus(focus)) {
        return;
    }
    if (!EndEditItem(TRUE)) {
        // The text stays in its editor for the operator to correct; the focus is theirs.
        MessageBeep(MB_OK);
    }
}

BOOL CMFCPropertyGridCtrl::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == AFX_PROPLIST_ID_INPLACE && m_pSel) {
        switch (HIWORD(wParam)) {
            case EN_KILLFOCUS:
            case CBN_KILLFOCUS:
                InPlaceLostFocus();
                return TRUE;
            case CBN_SELENDOK:
                m_pSel->OnSelectCombo();
                return TRUE;
            case CBN_CLOSEUP:
                m_pSel->OnCloseCombo();
                return TRUE;
            default:
                break;
        }
    }
    return CWnd::OnCommand(wParam, lParam);
}

// ---- Keys --------------------------------------------------------------------------------

BOOL CMFCPropertyGridCtrl::PreTranslateMessage(MSG* pMsg) {
    CWnd* target = CWnd::FromHandle(pMsg->hwnd);
    if (!IsInGrid(target)) {
        return CWnd::PreTranslateMessage(pMsg);
    }
    if (pMsg->message == WM_KEYDOWN && m_pColorPopup &&
        m_pColorPopup->Key(static_cast<UINT>(pMsg->wParam))) {
        return TRUE;
    }
    if (target == this || !m_pSel || !m_pSel->m_bInPlaceEdit) {
        return CWnd::PreTranslateMessage(pMsg);
    }
    if (pMsg->message == WM_LBUTTONDBLCLK && target == m_pSel->m_pWndInPlace) {
        CPoint point(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
        target->MapWindowPoints(this, &point, 1);
        return m_pSel->OnDblClk(point);
    }
    if (pMsg->message != WM_KEYDOWN) {
        return FALSE;
    }
    if (m_pSel->m_pWndCombo && m_pSel->m_pWndCombo->GetDroppedState()) {
        return FALSE;  // the open list takes its own keys
    }
    return EditorKey(static_cast<UINT>(pMsg->wParam)) ? TRUE : FALSE;
}

bool CMFCPropertyGridCtrl::EditorKey(UINT nChar) {
    CMFCPropertyGridProperty* sel = m_pSel;
    switch (nChar) {
        case VK_RETURN:
            if (!EndEditItem(TRUE)) {
                RefuseEdit();
            }
            return true;
        case VK_ESCAPE:
            EndEditItem(FALSE);
            return true;
        case VK_TAB:
            TabToNext(GetKeyState(VK_SHIFT) >= 0);
            return true;
        case VK_F4:
            if (sel->HasButton() && sel->IsEnabled()) {
                PressButton(sel, sel->m_rectButton.CenterPoint());
            }
            return true;
        case VK_UP:
        case VK_DOWN:
            if (sel->m_pWndSpin || !(sel->m_dwFlags & AFX_PROP_HAS_LIST) ||
                sel->ListOptions().empty()) {
                return false;  // the spin steps on the editor's arrow keys
            }
            sel->OnRotateListValue(nChar == VK_DOWN);
            return true;
        default:
            return false;
    }
}

void CMFCPropertyGridCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (m_pSel && m_pSel->m_bInPlaceEdit) {
        if (!EditorKey(nChar)) {
            CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        }
        return;
    }
    const int at = DisplayIndex(m_pSel);
    const int page = std::max(1, m_nVertScrollPage - 1);
    switch (nChar) {
        case VK_DOWN:
            MoveSelection(at < 0 ? 0 : at + 1);
            return;
        case VK_UP:
            MoveSelection(at < 0 ? 0 : at - 1);
            return;
        case VK_HOME:
            MoveSelection(0);
            return;
        case VK_END:
            MoveSelection(GetTotalRowCount() - 1);
            return;
        case VK_NEXT:
            MoveSelection(at < 0 ? 0 : at + page);
            return;
        case VK_PRIOR:
            MoveSelection(at < 0 ? 0 : at - page);
            return;
        default:
            break;
    }
    if (!m_pSel) {
        return;
    }
    const bool plainGroup = m_pSel->IsGroup() && !m_pSel->IsValueList();
    switch (nChar) {
        case VK_LEFT:
        case VK_SUBTRACT:
            m_pSel->Expand(FALSE);
            return;
        case VK_RIGHT:
        case VK_ADD:
            m_pSel->Expand(TRUE);
            return;
        case VK_RETURN:
            if (plainGroup) {
                m_pSel->Expand(!m_pSel->IsExpanded());
            } else {
                EditItem(m_pSel);
            }
            return;
        case VK_F4:
            if (EditItem(m_pSel) && m_pSel->HasButton()) {
                PressButton(m_pSel, m_pSel->m_rectButton.CenterPoint());
            }
            return;
        default:
            CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
            return;
    }
}

void CMFCPropertyGridCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (nChar < 0x20 || !m_pSel || m_pSel->m_bInPlaceEdit || !IsEditable(m_pSel)) {
        CWnd::OnChar(nChar, nRepCnt, nFlags);
        return;
    }
    CMFCPropertyGridProperty* row = m_pSel;
    if (EditItem(row)) {
        row->PushChar(nChar);
    }
}

UINT CMFCPropertyGridCtrl::OnGetDlgCode() {
    return DLGC_WANTARROWS | DLGC_WANTCHARS;
}

// ---- Mouse -------------------------------------------------------------------------------

bool CMFCPropertyGridCtrl::IsOnDivider(CPoint point) const {
    const int x = m_rectList.left + m_nLeftColumnWidth;
    const bool inColumns = m_rectList.PtInRect(point) || m_rectHeader.PtInRect(point);
    return inColumns && point.x >= x - kDividerSlack && point.x <= x + kDividerSlack;
}

void CMFCPropertyGridCtrl::OnLButtonDown(UINT /*nFlags*/, CPoint point) {
    SetFocus();
    if (!m_rectScrollBar.IsRectEmpty() && m_rectScrollBar.PtInRect(point)) {
        ClickScrollBar(point);
        return;
    }
    if (IsOnDivider(point)) {
        if (!EndEditItem(TRUE)) {
            RefuseEdit();
            return;
        }
        m_tracking = Tracking::Divider;
        SetCapture();
        return;
    }
    CMFCPropertyGridProperty::ClickArea area = CMFCPropertyGridProperty::ClickName;
    CMFCPropertyGridProperty* hit = HitTest(point, &area, TRUE);
    const bool onEditedValue = m_pSel && m_pSel->m_bInPlaceEdit && hit == m_pSel &&
                               area == CMFCPropertyGridProperty::ClickValue;
    if (m_pSel && m_pSel->m_bInPlaceEdit && !onEditedValue && !EndEditItem(TRUE)) {
        RefuseEdit();
        return;
    }
    if (!m_rectList.PtInRect(point)) {
        return;  // the header or the description area
    }
    const bool selChanged = hit != m_pSel;
    SetCurSel(hit);
    if (hit && m_pSel == hit) {
        ClickRow(hit, area, selChanged, point);
    }
}

void CMFCPropertyGridCtrl::ClickRow(CMFCPropertyGridProperty* pHit,
                                    CMFCPropertyGridProperty::ClickArea area, bool bSelChanged,
                                    CPoint point) {
    switch (area) {
        case CMFCPropertyGridProperty::ClickExpandBox:
            pHit->Expand(!pHit->IsExpanded());
            return;
        case CMFCPropertyGridProperty::ClickName:
            pHit->OnClickName(point);
            return;
        case CMFCPropertyGridProperty::ClickValue:
            break;
        default:
            return;
    }
    if (!pHit->IsEnabled()) {
        return;  // a disabled row opens nothing
    }
    if (pHit->m_rectButton.PtInRect(point)) {
        if (pHit->m_bInPlaceEdit || EditItem(pHit, &point)) {
            PressButton(pHit, point);
        }
        return;
    }
    if (pHit->m_bInPlaceEdit) {
        pHit->OnClickValue(WM_LBUTTONDOWN, point);
        return;
    }
    if (EditItem(pHit, &point) && pHit->m_pWndInPlace &&
        (!bSelChanged || pHit->IsProcessFirstClick())) {
        pHit->OnClickValue(WM_LBUTTONDOWN, point);
    }
}

void CMFCPropertyGridCtrl::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/) {
    if (m_tracking != Tracking::None && GetCapture() == this) {
        ReleaseCapture();
    }
}

void CMFCPropertyGridCtrl::OnLButtonDblClk(UINT nFlags, CPoint point) {
    if (!m_rectScrollBar.IsRectEmpty() && m_rectScrollBar.PtInRect(point)) {
        OnLButtonDown(nFlags, point);  // the scroll bar steps again
        return;
    }
    if (IsOnDivider(point)) {
        CRect client;
        GetClientRect(&client);
        m_nLeftColumnWidth = client.Width() / 2;
        PositionRows();
        Invalidate(FALSE);
        return;
    }
    CMFCPropertyGridProperty::ClickArea area = CMFCPropertyGridProperty::ClickName;
    CMFCPropertyGridProperty* hit = HitTest(point, &area, TRUE);
    if (!hit || hit != m_pSel) {
        OnLButtonDown(nFlags, point);  // not a second click on the same row: a first one
        return;
    }
    if (hit->IsGroup() && !hit->IsValueList()) {
        hit->Expand(!hit->IsExpanded());
        return;
    }
    if (area == CMFCPropertyGridProperty::ClickValue && hit->IsEnabled()) {
        if (hit->m_bInPlaceEdit || EditItem(hit, &point)) {
            hit->OnDblClk(point);
        }
    }
}

void CMFCPropertyGridCtrl::OnMouseMove(UINT /*nFlags*/, CPoint point) {
    switch (m_tracking) {
        case Tracking::Divider:
            SetLeftColumnWidth(point.x - m_rectList.left);
            return;
        case Tracking::Thumb: {
            const plat::style::ScrollBarParts parts = ScrollBarLayout();
            ScrollByInput(plat::style::ScrollPosFromThumb(parts, point.y - m_nThumbGrab,
                                                          m_nVertScrollPage, GetTotalRowCount()));
            return;
        }
        default:
            return;
    }
}

void CMFCPropertyGridCtrl::OnCaptureChanged(CWnd* pWnd) {
    if (pWnd != this && m_tracking != Tracking::None) {
        m_tracking = Tracking::None;
        m_scrollPressed = plat::style::ScrollPart::None;
        KillTimer(kScrollTimer);
        InvalidateRect(&m_rectScrollBar, FALSE);
    }
    CWnd::OnCaptureChanged(pWnd);
}

BOOL CMFCPropertyGridCtrl::OnMouseWheel(UINT /*nFlags*/, short zDelta, CPoint /*pt*/) {
    const int rows = -zDelta * kWheelRows / WHEEL_DELTA;
    if (rows != 0) {
        ScrollByInput(m_nVertScrollOffset + rows);
    }
    return TRUE;
}

// ---- The scroll bar ----------------------------------------------------------------------

void CMFCPropertyGridCtrl::ScrollByInput(int nNewPos) {
    if (ClampScroll(nNewPos) == m_nVertScrollOffset) {
        return;
    }
    if (!EndEditItem(TRUE)) {
        RefuseEdit();
        return;
    }
    CloseColorPopup();
    SetScrollPos(nNewPos);
}

void CMFCPropertyGridCtrl::ScrollStep(plat::style::ScrollPart part) {
    const int page = std::max(1, m_nVertScrollPage);
    switch (part) {
        case plat::style::ScrollPart::UpArrow:
            ScrollByInput(m_nVertScrollOffset - 1);
            break;
        case plat::style::ScrollPart::DownArrow:
            ScrollByInput(m_nVertScrollOffset + 1);
            break;
        case plat::style::ScrollPart::PageUp:
            ScrollByInput(m_nVertScrollOffset - page);
            break;
        case plat::style::ScrollPart::PageDown:
            ScrollByInput(m_nVertScrollOffset + page);
            break;
        default:
            break;
    }
}

void CMFCPropertyGridCtrl::ClickScrollBar(CPoint point) {
    const plat::style::ScrollBarParts parts = ScrollBarLayout();
    const plat::style::ScrollPart part = plat::style::HitTestVScrollBar(parts, point);
    if (part == plat::style::ScrollPart::None) {
        return;
    }
    m_scrollPressed = part;
    if (part == plat::style::ScrollPart::Thumb) {
        m_tracking = Tracking::Thumb;
        m_nThumbGrab = point.y - parts.thumb.top;
    } else {
        m_tracking = Tracking::ScrollRepeat;
        ScrollStep(part);
        SetTimer(kScrollTimer, kScrollDelay);
    }
    SetCapture();
    InvalidateRect(&m_rectScrollBar, FALSE);
}

void CMFCPropertyGridCtrl::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kScrollTimer) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    if (m_tracking != Tracking::ScrollRepeat) {
        KillTimer(kScrollTimer);
        return;
    }
    // A held page part stops once the thumb has come under the mouse.
    CPoint cursor;
    GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    if (plat::style::HitTestVScrollBar(ScrollBarLayout(), cursor) == m_scrollPressed) {
        ScrollStep(m_scrollPressed);
    }
    SetTimer(kScrollTimer, kScrollRepeat);
}

// ---- Focus and size ----------------------------------------------------------------------

void CMFCPropertyGridCtrl::OnSetFocus(CWnd* pOldWnd) {
    CWnd::OnSetFocus(pOldWnd);
    if (m_pSel) {
        InvalidateRect(&m_pSel->m_Rect, FALSE);
    }
}

void CMFCPropertyGridCtrl::OnKillFocus(CWnd* pNewWnd) {
    CWnd::OnKillFocus(pNewWnd);
    if (IsInGrid(pNewWnd)) {
        return;
    }
    CloseColorPopup();
    InPlaceLostFocus();
    if (m_pSel) {
        InvalidateRect(&m_pSel->m_Rect, FALSE);
    }
}

void CMFCPropertyGridCtrl::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    CloseColorPopup();
    EndEditItem(TRUE);  // a refused text keeps its editor, which follows the row
    m_nLeftColumnWidth = cx / 2;
    AdjustLayout();
    Invalidate(FALSE);
}
