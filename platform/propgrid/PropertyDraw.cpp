// A grid row's drawing steps. The grid has set the row's text colour and font (bold for
// a group's name) before it calls them, and restores the context afterwards.

#include "platform/gdi/SavedDC.h"
#include "platform/gdi/TextTypes.h"
#include "platform/propgrid/CMFCPropertyGridCtrl.h"
#include "platform/propgrid/CMFCPropertyGridProperty.h"

namespace {

constexpr int kTextMargin = 4;
constexpr UINT kCellText = DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;

}  // namespace

CFont* CMFCPropertyGridProperty::ValueFont() const {
    if (!m_pWndList) {
        return nullptr;
    }
    if (m_bIsModified && m_pWndList->IsMarkModifiedProperties()) {
        return &m_pWndList->GetBoldFont();
    }
    return CFont::FromHandle(m_pWndList->GetGridFont());
}

HFONT CMFCPropertyGridProperty::ValueFontHandle() const {
    if (!m_pWndList) {
        return nullptr;
    }
    if (m_bIsModified && m_pWndList->IsMarkModifiedProperties()) {
        return m_pWndList->GetBoldFont().GetSafeHandle();
    }
    return m_pWndList->GetGridFont();
}

void CMFCPropertyGridProperty::OnDrawName(CDC* pDC, CRect rect) {
    if (!m_pWndList) {
        return;
    }
    const plat::SavedColours saved(*pDC);
    if (IsSelected()) {
        const plat::style::GridColours colours = m_pWndList->GetGridColours();
        const bool focused = m_pWndList->IsGridFocused();
        CRect fill = rect;
        fill.bottom -= 1;  // the row line stays
        plat::style::DrawSelectedName(*pDC, fill,
                                      focused ? colours.selection : colours.inactiveSelection);
        if (m_bEnabled) {
            pDC->SetTextColor(focused ? colours.selectionText : colours.inactiveSelectionText);
        }
    }
    rect.DeflateRect(kTextMargin, 0);
    pDC->DrawText(m_strName, &rect, kCellText);
}

void CMFCPropertyGridProperty::OnDrawValue(CDC* pDC, CRect rect) {
    if ((m_bGroup && !m_bIsValueList) || !HasValueField()) {
        return;
    }
    const plat::SelectedObject font(*pDC, ValueFontHandle());
    rect.DeflateRect(kTextMargin, 0);
    pDC->DrawText(FormatProperty(), &rect, kCellText);
}

void CMFCPropertyGridProperty::OnDrawExpandBox(CDC* pDC, CRect rectExpand) {
    if (!m_pWndList) {
        return;
    }
    const plat::style::GridColours colours = m_pWndList->GetGridColours();
    const COLORREF fill = colours.fillGroups ? colours.groupBackground : colours.background;
    plat::style::DrawExpandBox(*pDC, rectExpand, m_bExpanded && !m_lstSubItems.empty(),
                               colours.line, colours.text, fill);
}

void CMFCPropertyGridProperty::OnDrawButton(CDC* pDC, CRect rectButton) {
    const plat::style::ControlColours colours = plat::style::SystemControlColours();
    if (m_dwFlags & AFX_PROP_HAS_LIST) {
        plat::style::DrawDropButton(*pDC, rectButton, m_bButtonIsDown != FALSE, m_bEnabled != FALSE,
                                    colours);
        return;
    }
    plat::style::DrawEllipsisButton(*pDC, rectButton, m_bButtonIsDown != FALSE, m_bEnabled != FALSE,
                                    colours);
}

void CMFCPropertyGridProperty::OnDrawDescription(CDC* pDC, CRect rect) {
    if (!m_pWndList) {
        return;
    }
    const plat::SavedDC saved(*pDC);
    pDC->SelectObject(&m_pWndList->GetBoldFont());
    const int nameHeight = pDC->DrawText(m_strName, &rect, DT_SINGLELINE | DT_NOPREFIX);
    pDC->SelectObject(CFont::FromHandle(m_pWndList->GetGridFont()));
    rect.top += nameHeight + 2;
    pDC->DrawText(m_strDescr, &rect, DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS);
}
