#include "propgrid/CMyMFCPropertyGridCtrl.h"

#include "propgrid/CMFCGroupPropertyGridProperty.h"

const CRuntimeClass CMyMFCPropertyGridCtrl::runtimeClass =
    plat::MakeRuntimeClass<CMyMFCPropertyGridCtrl, CMFCColourPropertyGridCtrl>(
        "CMyMFCPropertyGridCtrl");

namespace {

CMFCGroupPropertyGridProperty* AsStatusGroup(CMFCPropertyGridProperty* pProp) {
    return DynamicDownCast<CMFCGroupPropertyGridProperty>(pProp);
}

}  // namespace

CMyMFCPropertyGridCtrl::CMyMFCPropertyGridCtrl() {
    SetBoolLabels("On", "Off");
}

CMFCPropertyGridProperty* CMyMFCPropertyGridCtrl::FindGroup(int nGroup) {
    for (int i = 0; i < GetPropertyCount(); ++i) {
        CMFCPropertyGridProperty* pProp = GetProperty(i);
        if (pProp->IsGroup()) {
            if (CMFCPropertyGridProperty* pFound = FindGroup(pProp, nGroup)) {
                return pFound;
            }
        }
    }
    return nullptr;
}

CMFCPropertyGridProperty* CMyMFCPropertyGridCtrl::FindGroup(CMFCPropertyGridProperty* pProp,
                                                            int nGroup) {
    if (const CMFCGroupPropertyGridProperty* pGroup = AsStatusGroup(pProp)) {
        if (pGroup->GetGroup() == nGroup) {
            return pProp;
        }
    }
    for (int i = 0; i < pProp->GetSubItemsCount(); ++i) {
        CMFCPropertyGridProperty* pSub = pProp->GetSubItem(i);
        if (pSub->IsGroup()) {
            if (CMFCPropertyGridProperty* pFound = FindGroup(pSub, nGroup)) {
                return pFound;
            }
        }
    }
    return nullptr;
}

void CMyMFCPropertyGridCtrl::Flash(int nGroup, bool bWarning) {
    CMFCGroupPropertyGridProperty* pGroup = AsStatusGroup(FindGroup(nGroup));
    if (!pGroup) {
        return;
    }
    if (bWarning) {
        pGroup->Warning(true);
    } else {
        pGroup->Trigger();
    }
    // A second flash before the tick restarts the period.
    SetTimer(static_cast<UINT_PTR>(nGroup) + 1, kFlashPeriodMs);
}

void CMyMFCPropertyGridCtrl::Trigger(int nGroup) {
    Flash(nGroup, false);
}

void CMyMFCPropertyGridCtrl::Warning(int nGroup) {
    Flash(nGroup, true);
}

void CMyMFCPropertyGridCtrl::Timeout(int nGroup, bool bOn) {
    if (CMFCGroupPropertyGridProperty* pGroup = AsStatusGroup(FindGroup(nGroup))) {
        pGroup->Timeout(bOn);
    }
}

int CMyMFCPropertyGridCtrl::OnDrawProperty(CDC* pDC, CMFCPropertyGridProperty* pProp) const {
    if (!CMFCColourPropertyGridCtrl::OnDrawProperty(pDC, pProp)) {
        return FALSE;
    }
    // The framework grid leaves a plain group's value cell to its name; the status ball
    // sits in that cell, centred.
    if (CMFCGroupPropertyGridProperty* pGroup = AsStatusGroup(pProp)) {
        const CRect row = pGroup->GetRect();
        const CRect valueRect(m_rectList.left + m_nLeftColumnWidth + 1, row.top, row.right,
                              row.bottom - 1);
        if (!valueRect.IsRectEmpty()) {
            pGroup->OnDrawValue(pDC, valueRect);
        }
    }
    return TRUE;
}

void CMyMFCPropertyGridCtrl::OnTimer(UINT_PTR nIDEvent) {
    KillTimer(nIDEvent);
    if (CMFCGroupPropertyGridProperty* pGroup =
            AsStatusGroup(FindGroup(static_cast<int>(nIDEvent) - 1))) {
        pGroup->Clear();
    }
    CMFCColourPropertyGridCtrl::OnTimer(nIDEvent);
}
