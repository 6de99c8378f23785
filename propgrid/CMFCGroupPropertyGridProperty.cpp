#include "propgrid/CMFCGroupPropertyGridProperty.h"

#include "resources/ResourceIds.h"

const CRuntimeClass CMFCGroupPropertyGridProperty::runtimeClass =
    plat::MakeRuntimeClass<CMFCGroupPropertyGridProperty, CMFCPropertyGridProperty>(
        "CMFCGroupPropertyGridProperty");

CMFCGroupPropertyGridProperty::CMFCGroupPropertyGridProperty(const CString& strGroupName,
                                                             int nGroup)
    : CMFCPropertyGridProperty(strGroupName), m_nGroup(nGroup) {
    m_images.Create(IDB_STATUS_BALLS, kBallSize, 0, RGB(255, 255, 255));
}

bool CMFCGroupPropertyGridProperty::SetColour(STATUS_COLOURS colour) {
    if (m_eColour == colour) {
        return false;
    }
    m_eColour = colour;
    Redraw();
    return true;
}

bool CMFCGroupPropertyGridProperty::Switch(STATUS_COLOURS colour, bool bOn) {
    if (bOn) {
        return SetColour(colour);
    }
    SetColour(STATUS_NONE);
    return false;
}

bool CMFCGroupPropertyGridProperty::Error(bool bOn) {
    return Switch(STATUS_ERROR, bOn);
}

bool CMFCGroupPropertyGridProperty::Warning(bool bOn) {
    return Switch(STATUS_WARNING, bOn);
}

bool CMFCGroupPropertyGridProperty::Timeout(bool bOn) {
    return Switch(STATUS_TIMEOUT, bOn);
}

bool CMFCGroupPropertyGridProperty::Trigger() {
    return SetColour(STATUS_TRIGGER);
}

void CMFCGroupPropertyGridProperty::Clear() {
    SetColour(STATUS_NONE);
}

void CMFCGroupPropertyGridProperty::OnDrawValue(CDC* pDC, CRect rect) {
    CMFCPropertyGridProperty::OnDrawValue(pDC, rect);
    if (m_eColour == STATUS_NONE) {
        return;
    }
    const CPoint topLeft((rect.left + rect.right) / 2 - kBallSize / 2,
                         (rect.top + rect.bottom) / 2 - kBallSize / 2);
    m_images.Draw(pDC, m_eColour, topLeft, ILD_NORMAL);
}
