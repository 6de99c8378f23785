#include "propgrid/NumericProperties.h"

#include <cerrno>
#include <cstdlib>
#include <limits>
#include <optional>

namespace {

constexpr const char* kFallbackFormat = "%6.2lf";

}  // namespace

// ---- Double ---------------------------------------------------------------------------------

CMFCPropertyGridDouble::CMFCPropertyGridDouble(const CString& strName, const double& value,
                                               const char* const format, LPCTSTR lpszDescr,
                                               DWORD_PTR dwData)
    : CMFCPropertyGridMaskedValue(strName, value, lpszDescr, dwData) {
    if (!SetFormat(format)) {
        SetFormat(kFallbackFormat);
    }
}

bool CMFCPropertyGridDouble::SetFormat(const char* const format) {
    if (!ApplyFormat(format)) {
        return false;
    }
    RedrawRow();
    return true;
}

bool CMFCPropertyGridDouble::ApplyFormat(const char* const format) {
    const std::optional<CDoubleFormat> parts = CDoubleFormat::Parse(format);
    if (!parts) {
        return false;
    }
    m_strFormat = format;
    m_chPad = parts->zeroPad ? '0' : ' ';
    m_field = CNumberField::Make(parts->width, parts->decimals, parts->sign, parts->unit);
    m_dMax = m_field.largest;
    m_dMin = m_field.smallest;
    return true;
}

void CMFCPropertyGridDouble::SetUse(bool bUse) {
    m_bUse = bUse;
    RedrawRow();
}

void CMFCPropertyGridDouble::SetRange(double smallest, double largest) {
    m_dMin = smallest;
    m_dMax = largest;
}

CString CMFCPropertyGridDouble::FormatProperty() {
    if (m_dValue == std::numeric_limits<double>::max()) {
        return NoValueText();
    }
    StoreValue(ClampValue(m_dValue, m_dMin, m_dMax));
    CString text;
    text.Format(m_strFormat, m_dValue);  // checked by SetFormat: one double conversion
    return text;
}

BOOL CMFCPropertyGridDouble::OnEdit(LPPOINT /*lptClick*/) {
    if (m_bLocked) {
        return TRUE;
    }
    return OpenMaskedEditor(m_field.mask, m_field.inputTemplate, m_chPad, m_field.validChars);
}

BOOL CMFCPropertyGridDouble::OnUpdateValue() {
    CString text;
    if (!EditorText(text)) {
        return FALSE;
    }
    if (HoldsNumber(text)) {
        StoreTypedValue(atof(text));  // the unit after the number is ignored
    }
    return TRUE;
}

// ---- Integer and unsigned long --------------------------------------------------------------

namespace {

struct WholeRange {
    long long low;
    long long high;
};

WholeRange RangeOf(VARTYPE vt) {
    switch (vt) {
        case VT_UI1:
            return {0, 255};
        case VT_I2:
            return {-32768, 32767};
        case VT_UI2:
            return {0, 65535};
        case VT_UI4:
        case VT_UINT:
            return {0, 4294967295LL};
        default:
            return {-2147483648LL, 2147483647LL};
    }
}

COleVariant WholeVariant(long long value, VARTYPE vt) {
    switch (vt) {
        case VT_UI1:
            return COleVariant(static_cast<BYTE>(value));
        case VT_I2:
            return COleVariant(static_cast<short>(value));
        case VT_UI2:
            return COleVariant(static_cast<unsigned short>(value));
        case VT_UI4:
        case VT_UINT:
            return COleVariant(static_cast<long>(static_cast<ULONG>(value)), vt);
        default:
            return COleVariant(static_cast<long>(value), vt == VT_INT ? VT_INT : VT_I4);
    }
}

}  // namespace

CMFCPropertyGridInteger::CMFCPropertyGridInteger(const CString& strName, const COleVariant& value,
                                                 const char* unit, LPCTSTR lpszDescr,
                                                 DWORD_PTR dwData, LPCTSTR lpszEditMask,
                                                 LPCTSTR lpszEditTemplate, LPCTSTR lpszValidChars)
    : CMFCPropertyGridProperty(strName, value, lpszDescr, dwData, lpszEditMask, lpszEditTemplate,
                               lpszValidChars),
      m_strUnit(unit ? unit : ""),
      m_vtInitial(value.vt) {}

void CMFCPropertyGridInteger::SetUnitStr(const char* unit) {
    m_strUnit = unit ? unit : "";
    Redraw();
}

void CMFCPropertyGridInteger::SetLock(bool bLock) {
    m_bLocked = bLock;
    Redraw();
}

long long CMFCPropertyGridInteger::WholeValue() const {
    switch (m_varValue.vt) {
        case VT_UI1:
            return m_varValue.bVal;
        case VT_I2:
            return m_varValue.iVal;
        case VT_UI2:
            return m_varValue.uiVal;
        case VT_UI4:
        case VT_UINT:
            return m_varValue.ulVal;
        case VT_INT:
            return m_varValue.intVal;
        default:
            return m_varValue.lVal;
    }
}

CString CMFCPropertyGridInteger::FormatProperty() {
    CString text;
    text.Format("%lld%s", WholeValue(), m_strUnit.GetString());
    return text;
}

BOOL CMFCPropertyGridInteger::TextToVar(const CString& strText) {
    CString trimmed = strText;
    if (trimmed.Trim().IsEmpty()) {
        return TRUE;  // a cleared editor keeps the value
    }
    errno = 0;
    char* end = nullptr;
    const long long number = std::strtoll(trimmed, &end, 10);  // 0 for no number at all
    const WholeRange range = RangeOf(m_vtInitial);
    if (errno == ERANGE || number < range.low || number > range.high) {
        return FALSE;
    }
    m_varValue = WholeVariant(number, m_vtInitial);
    return TRUE;
}

BOOL CMFCPropertyGridInteger::OnEdit(LPPOINT lptClick) {
    if (m_bLocked) {
        return TRUE;
    }
    return CMFCPropertyGridProperty::OnEdit(lptClick);
}

BOOL CMFCPropertyGridInteger::OnUpdateValue() {
    const BOOL result = CMFCPropertyGridProperty::OnUpdateValue();
    if (m_varValue.vt != m_vtInitial) {
        m_varValue = WholeVariant(WholeValue(), m_vtInitial);
    }
    RefreshEditor();
    return result;
}

BOOL CMFCPropertyGridInteger::OnClickValue(UINT uiMsg, CPoint point) {
    const BOOL result = CMFCPropertyGridProperty::OnClickValue(uiMsg, point);
    if (m_pWndSpin && m_pWndSpin->GetSafeHwnd()) {
        m_pWndSpin->SetPos(static_cast<int>(WholeValue() & 0xFFFF));
    }
    RefreshEditor();
    return result;
}

void CMFCPropertyGridInteger::OnDrawValue(CDC* pDC, CRect rect) {
    CMFCPropertyGridProperty::OnDrawValue(pDC, rect);
    if (m_bLocked) {
        m_padlock.Draw(pDC, rect);
    }
}

void CMFCPropertyGridInteger::RefreshEditor() {
    if (m_pWndInPlace && m_pWndInPlace->GetSafeHwnd()) {
        m_pWndInPlace->SetWindowText(FormatProperty());
    }
}
