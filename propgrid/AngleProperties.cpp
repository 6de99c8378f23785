#include "propgrid/AngleProperties.h"

#include <cmath>
#include <limits>
#include <memory>

#include "propgrid/CMyMFCMaskedEdit.h"
#include "resources/ResourceIds.h"
#include "settings/RegisteredMessages.h"

namespace {

constexpr int kBallSize = 16;
constexpr int kDegrees = 1;  // AngleDifference in degrees
constexpr const char* kPlainFormat = "%6.2lf";

struct ModeFormat {
    const char* format;
    double smallest;
    double largest;
};

constexpr ModeFormat kModeFormats[] = {
    {"%06.2lf\xB0"
     "T",
     0.0, 359.99},
    {"%06.2lf\xB0"
     "G",
     0.0, 359.99},
    {"%06.2lf\xB0", 0.0, 359.99},
    {"%+06.2lf\xB0", -90.0, 90.0},
    {"%+06.2lf\xB0", -90.0, 90.0},
    {"%+07.2lf\xB0", -180.0, 180.0},
};

}  // namespace

// ---- Angle, latitude, longitude -------------------------------------------------------------

CMFCPropertyGridAngleProperty::CMFCPropertyGridAngleProperty(const CString& strName,
                                                             const double& value,
                                                             ANGLE_TYPE angleType,
                                                             LPCTSTR lpszDescr, DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strName, COleVariant(value), lpszDescr, dwData),
      m_angleType(angleType),
      m_dValue(value),
      m_dInitialValue(value) {}

void CMFCPropertyGridAngleProperty::SetValue(double value) {
    m_dValue = value;
    m_varValue = value;
    Redraw();
    if (m_pWndInPlace && m_pWndInPlace->GetSafeHwnd()) {
        m_pWndInPlace->SetWindowText(FormatProperty());
    }
}

void CMFCPropertyGridAngleProperty::SetValue(const COleVariant& varValue) {
    if (varValue.vt == VT_R8) {
        SetValue(varValue.dblVal);
    }
}

BOOL CMFCPropertyGridAngleProperty::IsValueChanged() const {
    return !(m_dValue == m_dInitialValue);
}

bool CMFCPropertyGridAngleProperty::IsGeographic() const {
    return m_angleType == ANGLE_LATITUDE || m_angleType == ANGLE_LONGITUDE;
}

void CMFCPropertyGridAngleProperty::ReadNotation(int& format, int& decimals, char& quadrant) const {
    format = IsGeographic() ? GetGeoPreference() : GetAnglePreference();
    int storedFormat = format;
    quadrant = '\0';
    decimals = -1;
    ReadAngleTypeSettings(m_angleType, &storedFormat, &decimals, &quadrant);
}

CString CMFCPropertyGridAngleProperty::FormatProperty() {
    int format = 0;
    int decimals = 0;
    char quadrant = '\0';
    ReadNotation(format, decimals, quadrant);
    return FormatAngle(m_dValue, m_angleType, format, decimals, quadrant);
}

CString CMFCPropertyGridAngleProperty::ValidChars(int angleType, int format) {
    CString chars("0123456789");
    switch (angleType) {
        case ANGLE_SIGNED:
        case ANGLE_INCLINATION:
        case ANGLE_ATTITUDE:
        case ANGLE_OFFSET:
            chars += "+-";
            break;
        case ANGLE_LATITUDE:
            chars += format == ANGLE_FMT_SIGNED ? "+-" : "NSns";
            break;
        case ANGLE_LONGITUDE:
            chars += format == ANGLE_FMT_SIGNED ? "+-" : "EWew";
            break;
        default:
            break;
    }
    return chars;
}

BOOL CMFCPropertyGridAngleProperty::OnEdit(LPPOINT /*lptClick*/) {
    if (!m_pWndList || !m_pWndList->GetSafeHwnd()) {
        return FALSE;
    }
    int format = 0;
    int decimals = 0;
    char quadrant = '\0';
    ReadNotation(format, decimals, quadrant);
    CRect rectEdit;
    CRect rectSpin;
    AdjustInPlaceEditRect(rectEdit, rectSpin);
    auto edit = std::make_unique<CMyMFCMaskedEdit>();
    edit->EnableGetMaskedCharsOnly(FALSE);
    edit->EnableSetMaskedCharsOnly(FALSE);
    edit->EnableMask(GetAngleMask(m_angleType, format, decimals),
                     GetAngleTemplate(m_angleType, format, decimals), '0',
                     ValidChars(m_angleType, format));
    DWORD style = WS_VISIBLE | WS_CHILD | ES_AUTOHSCROLL;
    if (!m_bEnabled) {
        style |= ES_READONLY;
    }
    if (!edit->Create(style, rectEdit, m_pWndList, AFX_PROPLIST_ID_INPLACE)) {
        return FALSE;
    }
    edit->SetWindowText(FormatProperty());
    edit->SetFont(ValueFont(), FALSE);
    m_pWndInPlace = edit.release();
    m_bInPlaceEdit = TRUE;
    m_pWndInPlace->SetFocus();
    if (CWnd* parent = m_pWndList->GetParent()) {
        parent->SendMessage(GetClickPropertyGridMessage(), static_cast<WPARAM>(m_dwData),
                            reinterpret_cast<LPARAM>(this));
    }
    return TRUE;
}

BOOL CMFCPropertyGridAngleProperty::OnUpdateValue() {
    if (!m_pWndInPlace || !m_pWndInPlace->GetSafeHwnd() || !m_pWndList) {
        return FALSE;
    }
    CString text;
    m_pWndInPlace->GetWindowText(text);
    if (text.IsEmpty()) {
        return TRUE;
    }
    const double previous = m_dValue;
    m_dValue = ParseAngle(text, m_angleType);
    m_varValue = m_dValue;
    Redraw();
    if (!(m_dValue == previous)) {
        m_pWndList->OnPropertyChanged(this);  // the owner may delete this row
    }
    return TRUE;
}

// ---- Fixed degree formats -------------------------------------------------------------------

CMFCPropertyGridAngleDouble::CMFCPropertyGridAngleDouble(const CString& strName,
                                                         const double& value, AS_MODE mode,
                                                         LPCTSTR lpszDescr, DWORD_PTR dwData)
    : CMFCPropertyGridDouble(strName, value, "%06.2lf", lpszDescr, dwData) {
    SetMode(mode);
}

void CMFCPropertyGridAngleDouble::SetMode(AS_MODE mode) {
    if (mode < AS_TRUE_BEARING || mode > AS_SIGNED_ANGLE) {
        return;
    }
    const ModeFormat& chosen = kModeFormats[mode];
    SetFormat(chosen.format);
    SetRange(chosen.smallest, chosen.largest);
}

// ---- Whole degrees --------------------------------------------------------------------------

CMFCPropertyGridAngleInteger::CMFCPropertyGridAngleInteger(const CString& strName,
                                                           const COleVariant& value,
                                                           LPCTSTR lpszDescr, DWORD_PTR dwData)
    : CMFCPropertyGridInteger(strName, value, "\xB0", lpszDescr, dwData, "ddd\xB0", "___\xB0",
                              "0123456789") {
    EnableSpinControl(TRUE, 0, 359);
}

CString CMFCPropertyGridAngleInteger::FormatProperty() {
    CString text;
    text.Format("%03lld\xB0", WholeValue());
    return text;
}

// ---- Tolerance ------------------------------------------------------------------------------

CMFCPropertyGridTolerance::CMFCPropertyGridTolerance(const CString& strName, const double& value,
                                                     const char* const format)
    : CMFCPropertyGridProperty(strName, COleVariant(value), nullptr, 0),
      m_strFormat(CDoubleFormat::Parse(format) ? format : kPlainFormat) {
    AllowEdit(FALSE);
    m_balls.Create(IDB_STATUS_BALLS, kBallSize, 0, RGB(255, 255, 255));
}

void CMFCPropertyGridTolerance::SetValue(double value, double tolerance) {
    m_varValue = value;
    const double size = std::fabs(value);
    if (tolerance == 0.0) {
        m_nStatus = StatusNone;
    } else if (tolerance >= size) {
        m_nStatus = StatusWithin;
    } else if (tolerance * 1.2 >= size) {
        m_nStatus = StatusMarginal;
    } else {
        m_nStatus = StatusOutside;
    }
    Redraw();
}

void CMFCPropertyGridTolerance::SetAngle(double a, double b, double tolerance) {
    SetValue(AngleDifference(a, b, kDegrees), tolerance);
}

CString CMFCPropertyGridTolerance::FormatProperty() {
    const double value = m_varValue.dblVal;
    if (value == std::numeric_limits<double>::max()) {
        return "n/a";
    }
    CString text;
    text.Format(m_strFormat, value);  // checked in the constructor
    return text;
}

void CMFCPropertyGridTolerance::OnDrawValue(CDC* pDC, CRect rect) {
    CMFCPropertyGridProperty::OnDrawValue(pDC, rect);
    if (m_nStatus >= StatusOutside && m_nStatus <= StatusMarginal && m_balls.GetSafeHandle()) {
        m_balls.Draw(pDC, m_nStatus, CPoint(rect.right - kBallSize, rect.top), ILD_TRANSPARENT);
    }
}
