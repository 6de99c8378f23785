// A grid row's structure and state: sub-items, options, flags, value and modified flag.

#include "platform/propgrid/CMFCPropertyGridProperty.h"

#include <algorithm>

#include "platform/propgrid/CMFCPropertyGridCtrl.h"

const CRuntimeClass CMFCPropertyGridProperty::runtimeClass =
    plat::MakeRuntimeClass<CMFCPropertyGridProperty, CObject>("CMFCPropertyGridProperty");

namespace {

bool IsIntegerType(VARTYPE vt) {
    switch (vt) {
        case VT_INT:
        case VT_UINT:
        case VT_I2:
        case VT_I4:
        case VT_UI2:
        case VT_UI4:
            return true;
        default:
            return false;
    }
}

}  // namespace

CMFCPropertyGridProperty::CMFCPropertyGridProperty(const CString& strGroupName, DWORD_PTR dwData,
                                                   BOOL bIsValueList)
    : m_strName(strGroupName), m_dwData(dwData), m_bGroup(TRUE), m_bIsValueList(bIsValueList) {
    Init();
}

CMFCPropertyGridProperty::CMFCPropertyGridProperty(const CString& strName,
                                                   const COleVariant& varValue, LPCTSTR lpszDescr,
                                                   DWORD_PTR dwData, LPCTSTR lpszEditMask,
                                                   LPCTSTR lpszEditTemplate, LPCTSTR lpszValidChars)
    : m_strName(strName),
      m_varValue(varValue),
      m_varValueOrig(varValue),
      m_strDescr(lpszDescr),
      m_strEditMask(lpszEditMask),
      m_strEditTempl(lpszEditTemplate),
      m_strValidChars(lpszValidChars),
      m_dwData(dwData) {
    Init();
    SetFlags();
    if (m_varValue.vt == VT_BOOL) {
        m_bAllowEdit = FALSE;  // a Boolean is picked from its two labels, not typed
    }
}

CMFCPropertyGridProperty::~CMFCPropertyGridProperty() {
    OnDestroyWindow();
    for (CMFCPropertyGridProperty* sub : m_lstSubItems) {
        delete sub;
    }
}

void CMFCPropertyGridProperty::Init() {
    m_bExpanded = !m_bIsValueList;  // a value list shows its values folded in
    m_Rect.SetRectEmpty();
    m_rectButton.SetRectEmpty();
}

void CMFCPropertyGridProperty::SetFlags() {
    m_dwFlags = m_varValue.vt == VT_BOOL ? AFX_PROP_HAS_LIST : 0;
}

void CMFCPropertyGridProperty::SetOwnerList(CMFCPropertyGridCtrl* pWndList) {
    m_pWndList = pWndList;
    for (CMFCPropertyGridProperty* sub : m_lstSubItems) {
        sub->SetOwnerList(pWndList);
    }
}

// ---- Sub-items ---------------------------------------------------------------------------

BOOL CMFCPropertyGridProperty::AddSubItem(CMFCPropertyGridProperty* pProp) {
    if (!pProp || !m_bGroup || pProp == this || pProp->m_pParent || pProp->m_pWndList ||
        pProp->IsSubItem(this)) {
        return FALSE;
    }
    pProp->m_pParent = this;
    pProp->SetOwnerList(m_pWndList);
    m_lstSubItems.push_back(pProp);
    return TRUE;
}

BOOL CMFCPropertyGridProperty::RemoveSubItem(CMFCPropertyGridProperty*& pProp, BOOL bDelete) {
    if (!pProp) {
        return FALSE;
    }
    const auto it = std::find(m_lstSubItems.begin(), m_lstSubItems.end(), pProp);
    if (it == m_lstSubItems.end()) {
        for (CMFCPropertyGridProperty* sub : m_lstSubItems) {
            if (sub->RemoveSubItem(pProp, bDelete)) {
                return TRUE;
            }
        }
        return FALSE;
    }
    if (m_pWndList) {
        m_pWndList->DetachRows(pProp);
    }
    m_lstSubItems.erase(it);
    pProp->m_pParent = nullptr;
    pProp->SetOwnerList(nullptr);
    if (bDelete) {
        delete pProp;
        pProp = nullptr;
    }
    return TRUE;
}

CMFCPropertyGridProperty* CMFCPropertyGridProperty::GetSubItem(int nIndex) const {
    if (nIndex < 0 || nIndex >= GetSubItemsCount()) {
        return nullptr;
    }
    return m_lstSubItems[static_cast<size_t>(nIndex)];
}

int CMFCPropertyGridProperty::GetHierarchyLevel() const {
    int level = 0;
    for (const CMFCPropertyGridProperty* p = m_pParent; p; p = p->m_pParent) {
        ++level;
    }
    return level;
}

int CMFCPropertyGridProperty::GetExpandedSubItems(BOOL bIncludeHidden) const {
    if (!m_bExpanded) {
        return 0;
    }
    int count = 0;
    for (const CMFCPropertyGridProperty* sub : m_lstSubItems) {
        if (bIncludeHidden || sub->m_bIsVisible) {
            count += 1 + sub->GetExpandedSubItems(bIncludeHidden);
        }
    }
    return count;
}

BOOL CMFCPropertyGridProperty::IsSubItem(CMFCPropertyGridProperty* pProp) const {
    for (CMFCPropertyGridProperty* sub : m_lstSubItems) {
        if (sub == pProp || sub->IsSubItem(pProp)) {
            return TRUE;
        }
    }
    return FALSE;
}

CMFCPropertyGridProperty* CMFCPropertyGridProperty::FindSubItemByData(DWORD_PTR dwData) const {
    for (CMFCPropertyGridProperty* sub : m_lstSubItems) {
        if (sub->m_dwData == dwData) {
            return sub;
        }
        if (CMFCPropertyGridProperty* found = sub->FindSubItemByData(dwData)) {
            return found;
        }
    }
    return nullptr;
}

// ---- Options and spin --------------------------------------------------------------------

BOOL CMFCPropertyGridProperty::AddOption(LPCTSTR lpszOption, BOOL bInsertUnique) {
    if (!lpszOption) {
        return FALSE;
    }
    if (bInsertUnique) {
        for (const CString& option : m_lstOptions) {
            if (option == lpszOption) {
                return FALSE;
            }
        }
    }
    m_lstOptions.Add(CString(lpszOption));
    m_dwFlags = AFX_PROP_HAS_LIST;
    return TRUE;
}

void CMFCPropertyGridProperty::RemoveAllOptions() {
    m_lstOptions.RemoveAll();
    m_dwFlags = 0;
    SetFlags();  // a Boolean keeps its labels' list
}

LPCTSTR CMFCPropertyGridProperty::GetOption(int nIndex) const {
    if (nIndex < 0 || nIndex >= m_lstOptions.GetSize()) {
        return nullptr;
    }
    return m_lstOptions[nIndex];
}

std::vector<CString> CMFCPropertyGridProperty::ListOptions() const {
    if (m_varValue.vt == VT_BOOL) {
        const CString yes = m_pWndList ? m_pWndList->GetTrueLabel() : "True";
        const CString no = m_pWndList ? m_pWndList->GetFalseLabel() : "False";
        return {yes, no};
    }
    return std::vector<CString>(m_lstOptions.begin(), m_lstOptions.end());
}

void CMFCPropertyGridProperty::EnableSpinControl(BOOL bEnable, int nMin, int nMax) {
    if (!IsIntegerType(m_varValue.vt)) {
        AfxThrowInvalidArgException();  // a spin steps whole numbers only
    }
    m_nMinValue = nMin;
    m_nMaxValue = nMax;
    if (bEnable) {
        m_dwFlags |= AFX_PROP_HAS_SPIN;
    } else {
        m_dwFlags &= ~AFX_PROP_HAS_SPIN;
    }
}

// ---- State -------------------------------------------------------------------------------

void CMFCPropertyGridProperty::Expand(BOOL bExpand) {
    if (!m_bGroup || m_bExpanded == bExpand) {
        return;
    }
    m_bExpanded = bExpand;
    if (m_pWndList && m_pWndList->GetSafeHwnd()) {
        // A folded group takes an open editor below it with it.
        if (!bExpand && m_pWndList->m_pSel && IsSubItem(m_pWndList->m_pSel)) {
            m_pWndList->EndEditItem(FALSE);
            m_pWndList->m_pSel = this;
        }
        m_pWndList->AdjustLayout();
        m_pWndList->Invalidate(FALSE);
    }
}

BOOL CMFCPropertyGridProperty::IsParentExpanded() const {
    for (const CMFCPropertyGridProperty* p = m_pParent; p; p = p->m_pParent) {
        if (!p->m_bExpanded) {
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CMFCPropertyGridProperty::IsSelected() const {
    return m_pWndList && m_pWndList->GetCurSel() == this;
}

void CMFCPropertyGridProperty::Enable(BOOL bEnable) {
    if (m_bEnabled == bEnable) {
        return;
    }
    m_bEnabled = bEnable;
    if (!bEnable && m_bInPlaceEdit && m_pWndList) {
        m_pWndList->EndEditItem(FALSE);
    }
    if (m_pWndList && m_pWndList->GetSafeHwnd()) {
        Redraw();
    }
}

void CMFCPropertyGridProperty::AllowEdit(BOOL bAllow) {
    m_bAllowEdit = bAllow;
}

void CMFCPropertyGridProperty::Show(BOOL bShow, BOOL bAdjustLayout) {
    if (m_bIsVisible == bShow) {
        return;
    }
    m_bIsVisible = bShow;
    if (!m_pWndList) {
        return;
    }
    if (!bShow && m_pWndList->m_pSel &&
        (m_pWndList->m_pSel == this || IsSubItem(m_pWndList->m_pSel))) {
        m_pWndList->EndEditItem(FALSE);
        m_pWndList->m_pSel = nullptr;  // a hidden row cannot stay selected
    }
    if (bAdjustLayout && m_pWndList->GetSafeHwnd()) {
        m_pWndList->AdjustLayout();
        m_pWndList->Invalidate(FALSE);
    }
}

void CMFCPropertyGridProperty::Redraw() {
    if (!m_pWndList || !m_pWndList->GetSafeHwnd()) {
        return;
    }
    m_pWndList->InvalidateRect(&m_Rect, FALSE);
    if (m_pParent && m_pParent->m_bIsValueList) {
        m_pWndList->InvalidateRect(&m_pParent->m_Rect, FALSE);
    }
    if (m_bIsValueList) {
        for (const CMFCPropertyGridProperty* sub : m_lstSubItems) {
            m_pWndList->InvalidateRect(&sub->m_Rect, FALSE);
        }
    }
    if (IsSelected() && m_pWndList->m_bDescriptionArea) {
        m_pWndList->InvalidateRect(&m_pWndList->m_rectDescr, FALSE);
    }
    m_pWndList->UpdateWindow();
}

// ---- Name, description -------------------------------------------------------------------

void CMFCPropertyGridProperty::SetName(LPCTSTR lpszName, BOOL bRedraw) {
    m_strName = lpszName;
    if (bRedraw) {
        Redraw();
    }
}

void CMFCPropertyGridProperty::SetDescription(const CString& strDescr) {
    m_strDescr = strDescr;
    if (IsSelected()) {
        Redraw();
    }
}

// ---- Value -------------------------------------------------------------------------------

void CMFCPropertyGridProperty::SetValue(const COleVariant& varValue) {
    if (m_varValue.vt != VT_EMPTY && varValue.vt != m_varValue.vt) {
        return;  // a row keeps the type it was made with
    }
    const bool wasEmpty = m_varValue.vt == VT_EMPTY;
    m_varValue = varValue;
    if (wasEmpty) {
        SetFlags();
        if (!m_lstOptions.IsEmpty()) {
            m_dwFlags = AFX_PROP_HAS_LIST;
        }
    }
    if (m_pWndInPlace && m_pWndInPlace->GetSafeHwnd()) {
        m_pWndInPlace->SetWindowText(FormatProperty());
    }
    Redraw();
}

void CMFCPropertyGridProperty::SetOriginalValue(const COleVariant& varValue) {
    m_varValueOrig = varValue;
}

void CMFCPropertyGridProperty::ResetOriginalValue() {
    m_bIsModified = FALSE;
    m_varValueOrig = m_varValue;
    for (CMFCPropertyGridProperty* sub : m_lstSubItems) {
        sub->ResetOriginalValue();
    }
}

BOOL CMFCPropertyGridProperty::IsValueChanged() const {
    if (m_bIsValueList) {
        return std::any_of(
            m_lstSubItems.begin(), m_lstSubItems.end(),
            [](const CMFCPropertyGridProperty* sub) { return sub->IsValueChanged(); });
    }
    if (m_bGroup) {
        return FALSE;
    }
    return m_varValue == m_varValueOrig ? FALSE : TRUE;
}

void CMFCPropertyGridProperty::SetModifiedFlag() {
    const BOOL modified = IsValueChanged();
    if (m_bIsModified == modified && !m_bIsValueList) {
        return;
    }
    m_bIsModified = modified;
    if (m_pParent && m_pParent->m_bIsValueList) {
        const auto& siblings = m_pParent->m_lstSubItems;
        m_pParent->m_bIsModified =
            std::any_of(siblings.begin(), siblings.end(),
                        [](const CMFCPropertyGridProperty* sub) { return sub->m_bIsModified; });
    }
    if (m_bIsValueList) {
        for (CMFCPropertyGridProperty* sub : m_lstSubItems) {
            sub->SetModifiedFlag();
        }
    }
    if (m_pWndList && m_pWndList->m_bMarkModifiedProperties) {
        Redraw();
    }
}

CMFCPropertyGridProperty* CMFCPropertyGridProperty::HitTest(CPoint point, ClickArea* pnArea) {
    if (!m_Rect.PtInRect(point) || !m_pWndList) {
        return nullptr;
    }
    if (pnArea) {
        const CRect& list = m_pWndList->m_rectList;
        const int rowHeight = m_pWndList->m_nRowHeight;
        const int boxLeft = list.left + GetHierarchyLevel() * rowHeight;
        const int separator = list.left + m_pWndList->m_nLeftColumnWidth;
        if (m_bGroup && point.x >= boxLeft && point.x < boxLeft + rowHeight) {
            *pnArea = ClickExpandBox;
        } else if (m_bGroup && !m_bIsValueList) {
            *pnArea = ClickName;
        } else {
            *pnArea = point.x <= separator ? ClickName : ClickValue;
        }
    }
    return this;
}
