#include "propgrid/CMFCPropertyColourGridProperty.h"

#include <array>

#include "platform/gdi/SavedDC.h"

const CRuntimeClass CMFCPropertyColourGridProperty::runtimeClass =
    plat::MakeRuntimeClass<CMFCPropertyColourGridProperty, CMFCPropertyGridProperty>(
        "CMFCPropertyColourGridProperty");

namespace {

struct StateColours {
    COLORREF dayBack;
    COLORREF dayText;
    COLORREF nightBack;
    COLORREF nightText;
};

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kNightText = RGB(192, 192, 192);

// normal, ok, warning, error
constexpr std::array<StateColours, 4> kStates = {{
    {RGB(235, 235, 235), kBlack, kBlack, kNightText},
    {RGB(0, 255, 0), kBlack, RGB(0, 128, 0), kNightText},
    {RGB(255, 128, 0), kBlack, RGB(128, 64, 0), kNightText},
    {RGB(255, 0, 0), kWhite, RGB(128, 0, 0), kNightText},
}};
constexpr int kNormal = 0, kOk = 1, kWarning = 2, kError = 3;

}  // namespace

CMFCPropertyColourGridProperty::CMFCPropertyColourGridProperty(const CString& strName,
                                                               const COleVariant& varValue)
    : CMFCPropertyGridProperty(strName, varValue, ""),
      m_clrBack(kStates[kNormal].dayBack),
      m_clrText(kStates[kNormal].dayText) {
    m_brFrame.CreateSolidBrush(kBlack);
    AllowEdit(FALSE);
}

void CMFCPropertyColourGridProperty::SetState(COLORREF back, COLORREF text, const char* value) {
    m_clrBack = back;
    m_clrText = text;
    SetValue(COleVariant(value ? value : ""));
}

void CMFCPropertyColourGridProperty::SetNormal(const char* text) {
    SetState(kStates[kNormal].dayBack, kStates[kNormal].dayText, text);
}

void CMFCPropertyColourGridProperty::SetOk(const char* text) {
    SetState(kStates[kOk].dayBack, kStates[kOk].dayText, text);
}

void CMFCPropertyColourGridProperty::SetWarning(const char* text) {
    SetState(kStates[kWarning].dayBack, kStates[kWarning].dayText, text);
}

void CMFCPropertyColourGridProperty::SetError(const char* text) {
    SetState(kStates[kError].dayBack, kStates[kError].dayText, text);
}

void CMFCPropertyColourGridProperty::SetNightMode(bool bNight) {
    for (const StateColours& state : kStates) {
        const COLORREF from = bNight ? state.dayBack : state.nightBack;
        if (m_clrBack == from) {
            m_clrBack = bNight ? state.nightBack : state.dayBack;
            m_clrText = bNight ? state.nightText : state.dayText;
            Redraw();
            return;
        }
    }
}

void CMFCPropertyColourGridProperty::OnDrawValue(CDC* pDC, CRect rect) {
    pDC->FillSolidRect(&rect, m_clrBack);
    pDC->FrameRect(&rect, &m_brFrame);
    const COLORREF oldText = pDC->SetTextColor(m_clrText);
    pDC->DrawText(FormatProperty(), &rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    pDC->SetTextColor(oldText);
}
