// The grid's paint: the background, the rows that show (and only those), the header,
// the scroll bar and the description area, in that order.

#include <algorithm>

#include "platform/gdi/SavedDC.h"
#include "platform/propgrid/CMFCPropertyGridCtrl.h"
#include "platform/window/WindowDC.h"

void CMFCPropertyGridCtrl::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    OnFillBackground(&dc, client);
    OnDrawList(&dc);
    if (m_bHeaderCtrl) {
        OnDrawHeader(&dc, m_rectHeader);
    }
    if (!m_rectScrollBar.IsRectEmpty()) {
        OnDrawScrollBar(&dc);
    }
    if (m_bDescriptionArea) {
        OnDrawDescription(&dc, m_rectDescr);
    }
}

BOOL CMFCPropertyGridCtrl::OnEraseBkgnd(CDC*) {
    return TRUE;  // the paint covers the whole client area
}

void CMFCPropertyGridCtrl::OnFillBackground(CDC* pDC, CRect rectClient) {
    pDC->FillSolidRect(&rectClient, GetGridColours().background);
}

void CMFCPropertyGridCtrl::OnDrawList(CDC* pDC) {
    if (m_nRowHeight <= 0 || m_rectList.IsRectEmpty()) {
        return;
    }
    const plat::SavedDC saved(*pDC);
    pDC->IntersectClipRect(&m_rectList);
    // The rows from the first one shown down to the one the list's bottom cuts.
    const int first = m_nVertScrollOffset;
    const int last = std::min(GetTotalRowCount(), first + m_nVertScrollPage + 1);
    for (int i = first; i < last; ++i) {
        CMFCPropertyGridProperty* prop = m_lstDisplayed[static_cast<size_t>(i)];
        if (pDC->RectVisible(&prop->m_Rect)) {
            OnDrawProperty(pDC, prop);
        }
    }
}

int CMFCPropertyGridCtrl::OnDrawProperty(CDC* pDC, CMFCPropertyGridProperty* pProp) const {
    if (!pProp || !pProp->IsVisible() || pProp->m_Rect.IsRectEmpty()) {
        return FALSE;
    }
    const plat::style::GridColours colours = GetGridColours();
    const CRect row = pProp->m_Rect;
    const bool plainGroup = pProp->IsGroup() && !pProp->IsValueList();
    const CRect boxCell(row.left + pProp->GetHierarchyLevel() * m_nRowHeight, row.top,
                        row.left + (pProp->GetHierarchyLevel() + 1) * m_nRowHeight, row.bottom);
    const int separator = m_rectList.left + m_nLeftColumnWidth;
    const plat::SavedDC saved(*pDC);
    pDC->SetBkMode(TRANSPARENT);

    // Backgrounds: a group row (flat look or custom group colour) or the indent margin.
    if (colours.fillGroups) {
        if (plainGroup) {
            pDC->FillSolidRect(&row, colours.groupBackground);
        } else {
            pDC->FillSolidRect(row.left, row.top, boxCell.right - row.left, row.Height(),
                               colours.groupBackground);
        }
    }
    if (pProp->IsGroup() && pProp->GetSubItemsCount() > 0) {
        pProp->OnDrawExpandBox(pDC, boxCell);
    }

    // The name: groups bold in the group text colour, disabled rows grey.
    // By handle: a paint selects fonts for every row, and needs no wrappers back.
    pDC->SelectObject(pProp->IsGroup() ? m_fontBold.GetSafeHandle() : GetGridFont());
    const COLORREF nameColour = !pProp->IsEnabled() ? colours.grayText
                                : pProp->IsGroup()  ? colours.groupText
                                                    : colours.text;
    pDC->SetTextColor(nameColour);
    const CRect nameRect(boxCell.right, row.top, plainGroup ? row.right : separator, row.bottom);
    if (!nameRect.IsRectEmpty()) {
        pProp->OnDrawName(pDC, nameRect);
    }

    // The value and its button.
    if (!plainGroup) {
        pDC->SelectObject(GetGridFont());
        pDC->SetTextColor(pProp->IsEnabled() ? colours.text : colours.grayText);
        CRect valueRect(separator + 1, row.top, row.right, row.bottom - 1);
        if (!pProp->m_rectButton.IsRectEmpty()) {
            valueRect.right = pProp->m_rectButton.left;
        }
        if (!valueRect.IsRectEmpty()) {
            pProp->OnDrawValue(pDC, valueRect);
        }
        if (!pProp->m_rectButton.IsRectEmpty()) {
            pProp->OnDrawButton(pDC, pProp->m_rectButton);
        }
    }
    plat::style::DrawRowLines(*pDC, row, plainGroup ? row.left - 1 : separator, colours.line);
    return TRUE;
}

void CMFCPropertyGridCtrl::OnDrawHeader(CDC* pDC, CRect rect) {
    plat::style::DrawGridHeader(*pDC, rect, m_rectList.left + m_nLeftColumnWidth, m_strHeaderLeft,
                                m_strHeaderRight, CFont::FromHandle(GetGridFont()),
                                plat::style::SystemControlColours());
}

void CMFCPropertyGridCtrl::OnDrawScrollBar(CDC* pDC) {
    const plat::style::ScrollPart pressed =
        m_tracking == Tracking::None ? plat::style::ScrollPart::None : m_scrollPressed;
    plat::style::DrawVScrollBar(*pDC, ScrollBarLayout(), pressed,
                                plat::style::SystemControlColours());
}

void CMFCPropertyGridCtrl::OnDrawDescription(CDC* pDC, CRect rect) {
    if (rect.IsRectEmpty()) {
        return;
    }
    const plat::style::GridColours colours = GetGridColours();
    const CRect text = plat::style::DrawDescriptionFrame(*pDC, rect, colours);
    if (!m_pSel) {
        return;
    }
    const plat::SavedDC saved(*pDC);
    pDC->IntersectClipRect(&text);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(colours.descriptionText);
    pDC->SelectObject(CFont::FromHandle(GetGridFont()));
    m_pSel->OnDrawDescription(pDC, text);
}
