// The grid's layout: the header, list, scroll bar and description rectangles, the rows
// that show and their places, scrolling and hit testing.

#include <algorithm>

#include "platform/propgrid/CMFCPropertyGridCtrl.h"
#include "platform/window/WindowDC.h"

namespace {

constexpr int kRowPadding = 4;  // the row height is the font's height plus this

void AppendShown(CMFCPropertyGridProperty* prop, std::vector<CMFCPropertyGridProperty*>& rows) {
    if (!prop->IsVisible()) {
        return;
    }
    rows.push_back(prop);
    // A value list shows its values in its own row; it folds its sub-items away.
    if (prop->IsGroup() && prop->IsExpanded()) {
        for (int i = 0; i < prop->GetSubItemsCount(); ++i) {
            AppendShown(prop->GetSubItem(i), rows);
        }
    }
}

}  // namespace

int CMFCPropertyGridCtrl::MeasureRowHeight() {
    CClientDC dc(nullptr);
    dc.SelectObject(CFont::FromHandle(GetGridFont()));
    TEXTMETRIC metrics{};
    dc.GetTextMetrics(&metrics);
    return static_cast<int>(metrics.tmHeight) + kRowPadding;
}

void CMFCPropertyGridCtrl::AdjustLayout() {
    if (!m_hWnd) {
        return;
    }
    m_nRowHeight = MeasureRowHeight();
    m_nHeaderHeight = m_bHeaderCtrl ? m_nRowHeight + 4 : 0;

    CRect client;
    GetClientRect(&client);
    m_rectHeader = CRect(client.left, client.top, client.right, client.top + m_nHeaderHeight);

    m_nDescrHeight = 0;
    m_rectDescr.SetRectEmpty();
    if (m_bDescriptionArea) {
        const int wanted = m_nRowHeight * m_nDescrRows + m_nRowHeight / 2;
        m_nDescrHeight = std::max(m_nRowHeight, std::min(wanted, client.Height() - m_nRowHeight));
        m_rectDescr =
            CRect(client.left, client.bottom - m_nDescrHeight, client.right, client.bottom);
    }
    m_rectList = CRect(client.left, m_rectHeader.bottom, client.right,
                       m_bDescriptionArea ? m_rectDescr.top : client.bottom);
    m_rectList.bottom = std::max(m_rectList.bottom, m_rectList.top);

    RebuildDisplayed();
    m_nVertScrollPage = m_nRowHeight > 0 ? m_rectList.Height() / m_nRowHeight : 0;
    m_rectScrollBar.SetRectEmpty();
    if (GetTotalRowCount() > m_nVertScrollPage) {
        const int width = std::min(GetSystemMetrics(SM_CXVSCROLL), m_rectList.Width());
        m_rectScrollBar =
            CRect(m_rectList.right - width, m_rectList.top, m_rectList.right, m_rectList.bottom);
        m_rectList.right = m_rectScrollBar.left;
    }
    m_nVertScrollOffset = ClampScroll(m_nVertScrollOffset);
    PositionRows();
}

void CMFCPropertyGridCtrl::RebuildDisplayed() {
    m_lstDisplayed.clear();
    for (CMFCPropertyGridProperty* prop : m_lstProps) {
        AppendShown(prop, m_lstDisplayed);
    }
}

void CMFCPropertyGridCtrl::ClearRects(CMFCPropertyGridProperty* pProp) {
    pProp->m_Rect.SetRectEmpty();
    pProp->m_rectButton.SetRectEmpty();
    for (CMFCPropertyGridProperty* sub : pProp->m_lstSubItems) {
        ClearRects(sub);
    }
}

void CMFCPropertyGridCtrl::PositionRows() {
    for (CMFCPropertyGridProperty* prop : m_lstProps) {
        ClearRects(prop);
    }
    // Every row that shows gets its place, scrolled out or not, so that a row knows
    // where it stands; painting takes only the ones inside the list.
    const int first = m_nVertScrollOffset;
    for (size_t i = 0; i < m_lstDisplayed.size(); ++i) {
        const int top = m_rectList.top + (static_cast<int>(i) - first) * m_nRowHeight;
        m_lstDisplayed[i]->m_Rect =
            CRect(m_rectList.left, top, m_rectList.right, top + m_nRowHeight);
    }
    if (m_pSel && m_pSel->HasButton() && m_pSel->IsEnabled() && !m_pSel->m_Rect.IsRectEmpty()) {
        m_pSel->AdjustButtonRect();
    }
    // A running editor follows its row.
    if (m_pSel && m_pSel->m_bInPlaceEdit && !m_pSel->m_Rect.IsRectEmpty()) {
        CRect edit;
        CRect spin;
        m_pSel->AdjustInPlaceEditRect(edit, spin);
        if (m_pSel->m_pWndInPlace && m_pSel->m_pWndInPlace->GetSafeHwnd()) {
            m_pSel->m_pWndInPlace->MoveWindow(&edit);
        }
        if (m_pSel->m_pWndSpin && m_pSel->m_pWndSpin->GetSafeHwnd()) {
            m_pSel->m_pWndSpin->MoveWindow(&spin);
        }
    }
}

int CMFCPropertyGridCtrl::ClampScroll(int nPos) const {
    return std::clamp(nPos, 0, std::max(0, GetTotalRowCount() - m_nVertScrollPage));
}

plat::style::ScrollBarParts CMFCPropertyGridCtrl::ScrollBarLayout() const {
    return plat::style::LayoutVScrollBar(m_rectScrollBar, m_nVertScrollOffset, m_nVertScrollPage,
                                         GetTotalRowCount());
}

void CMFCPropertyGridCtrl::SetScrollPos(int nPos) {
    const int pos = ClampScroll(nPos);
    if (pos == m_nVertScrollOffset) {
        return;
    }
    m_nVertScrollOffset = pos;
    PositionRows();
    if (m_hWnd) {
        Invalidate(FALSE);
    }
}

int CMFCPropertyGridCtrl::DisplayIndex(const CMFCPropertyGridProperty* pProp) const {
    const auto it = std::find(m_lstDisplayed.begin(), m_lstDisplayed.end(), pProp);
    return it == m_lstDisplayed.end() ? -1 : static_cast<int>(it - m_lstDisplayed.begin());
}

CMFCPropertyGridProperty* CMFCPropertyGridCtrl::HitTest(CPoint pt,
                                                        CMFCPropertyGridProperty::ClickArea* pnArea,
                                                        BOOL bPropsOnly) const {
    if (!bPropsOnly && m_pSel && m_rectDescr.PtInRect(pt)) {
        if (pnArea) {
            *pnArea = CMFCPropertyGridProperty::ClickDescription;
        }
        return m_pSel;
    }
    if (!m_rectList.PtInRect(pt) || m_nRowHeight <= 0) {
        return nullptr;
    }
    const int index = m_nVertScrollOffset + (pt.y - m_rectList.top) / m_nRowHeight;
    if (index < 0 || index >= GetTotalRowCount()) {
        return nullptr;
    }
    return m_lstDisplayed[static_cast<size_t>(index)]->HitTest(pt, pnArea);
}

void CMFCPropertyGridCtrl::EnsureVisible(CMFCPropertyGridProperty* pProp, BOOL bExpandParents) {
    if (!pProp || pProp->m_pWndList != this) {
        return;
    }
    if (bExpandParents) {
        bool changed = false;
        for (CMFCPropertyGridProperty* p = pProp->m_pParent; p; p = p->m_pParent) {
            changed = changed || !p->m_bExpanded;
            p->m_bExpanded = TRUE;
        }
        if (changed) {
            AdjustLayout();
        }
    }
    const int index = DisplayIndex(pProp);
    if (index < 0) {
        return;
    }
    int pos = m_nVertScrollOffset;
    if (index < pos) {
        pos = index;
    } else if (index >= pos + std::max(1, m_nVertScrollPage)) {
        pos = index - std::max(1, m_nVertScrollPage) + 1;
    }
    SetScrollPos(pos);
    if (m_hWnd) {
        Invalidate(FALSE);
    }
}

void CMFCPropertyGridCtrl::ExpandAll(BOOL bExpand) {
    if (!bExpand && m_pSel && m_pSel->m_bInPlaceEdit && !EndEditItem(TRUE)) {
        EndEditItem(FALSE);  // the rows fold away; the refused text goes with them
    }
    const auto expand = [bExpand](CMFCPropertyGridProperty* prop, auto& self) -> void {
        if (prop->IsGroup() && !prop->IsValueList()) {
            prop->m_bExpanded = bExpand;
        }
        for (CMFCPropertyGridProperty* sub : prop->m_lstSubItems) {
            self(sub, self);
        }
    };
    for (CMFCPropertyGridProperty* prop : m_lstProps) {
        expand(prop, expand);
    }
    // A selected row folded away hands the selection to its top-level group.
    if (m_pSel && !m_pSel->IsParentExpanded()) {
        CMFCPropertyGridProperty* top = m_pSel;
        while (top->m_pParent) {
            top = top->m_pParent;
        }
        m_pSel = top;
    }
    AdjustLayout();
    if (m_hWnd) {
        Invalidate(FALSE);
    }
}

bool CMFCPropertyGridCtrl::IsInGrid(const CWnd* pWnd) const {
    return pWnd && (pWnd == this || IsChild(pWnd));
}

bool CMFCPropertyGridCtrl::IsGridFocused() const {
    return IsInGrid(GetFocus());
}
