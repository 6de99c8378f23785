#include "propgrid/RowSupport.h"

#include <langinfo.h>

#include <array>
#include <cctype>
#include <charconv>
#include <cstring>
#include <memory>

#include "propgrid/CMyMFCMaskedEdit.h"
#include "resources/ResourceIds.h"

namespace {

constexpr int kPadlockSize = 16;
constexpr COLORREF kPadlockTransparent = RGB(255, 255, 255);

CString Replaced(CString text, const char* from, char to) {
    for (const char* c = from; *c; ++c) {
        text.Replace(*c, to);
    }
    return text;
}

bool IsDigit(char ch) {
    return std::isdigit(static_cast<unsigned char>(ch)) != 0;
}

// Digits at text[at...] as a number (at most three, so widths stay sane).
std::optional<int> ReadCount(const char* text, size_t& at) {
    int count = 0;
    size_t digits = 0;
    while (IsDigit(text[at])) {
        if (++digits > 3) {
            return std::nullopt;
        }
        count = count * 10 + (text[at++] - '0');
    }
    return count;
}

// The unit after the conversion: any text whose only '%' come in pairs.
std::optional<CString> ReadUnit(const char* text) {
    CString unit;
    for (size_t at = 0; text[at]; ++at) {
        if (text[at] == '%') {
            if (text[at + 1] != '%') {
                return std::nullopt;
            }
            ++at;
        }
        unit += text[at];
    }
    return unit;
}

}  // namespace

// ---- Host formats ---------------------------------------------------------------------------

std::optional<CDoubleFormat> CDoubleFormat::Parse(const char* format) {
    if (!format || format[0] != '%') {
        return std::nullopt;
    }
    CDoubleFormat parts;
    size_t at = 1;
    for (; format[at] && std::strchr("+-0 #", format[at]); ++at) {
        parts.sign = parts.sign || format[at] == '+';
        parts.zeroPad = parts.zeroPad || format[at] == '0';
    }
    const std::optional<int> width = ReadCount(format, at);
    if (!width) {
        return std::nullopt;
    }
    parts.width = *width;
    if (format[at] == '.') {
        ++at;
        const std::optional<int> decimals = ReadCount(format, at);
        if (!decimals) {
            return std::nullopt;
        }
        parts.decimals = *decimals;
    }
    if (format[at] == 'l') {
        ++at;
    }
    if (format[at] != 'f') {
        return std::nullopt;
    }
    const std::optional<CString> unit = ReadUnit(format + at + 1);
    if (!unit) {
        return std::nullopt;
    }
    parts.unit = *unit;
    return parts;
}

// ---- Padlock ------------------------------------------------------------------------------

CRowPadlock::CRowPadlock() {
    m_images.Create(IDB_LOCK, kPadlockSize, 0, kPadlockTransparent);
}

void CRowPadlock::Draw(CDC* pDC, const CRect& valueRect) {
    if (m_images.GetSafeHandle()) {
        m_images.Draw(pDC, 0, CPoint(valueRect.right - kPadlockSize, valueRect.top),
                      ILD_TRANSPARENT);
    }
}

// ---- Number field ---------------------------------------------------------------------------

CNumberField CNumberField::Make(int width, int decimals, bool withSign, const CString& unit) {
    CNumberField field;
    field.sample.Format("%0*.*lf", width, decimals, 0.0);
    if (withSign && !field.sample.IsEmpty()) {
        field.sample.SetAt(0, '+');
    }
    CString nines = field.sample;
    nines.Replace('0', '9');
    field.largest = atof(nines);
    nines.SetAt(0, '-');
    field.smallest = atof(nines);
    field.mask = Replaced(field.sample, "0.", 'd') + unit;
    field.inputTemplate = Replaced(field.sample, "0+.", '_') + unit;
    field.validChars = decimals > 0 ? "0123456789+-." : "0123456789+-";
    return field;
}

CString FormatFixed(int width, int decimals, double value) {
    // Beyond these, printf's own way (negative widths align left, negative decimals mean 6,
    // a host's locale may give another decimal point).
    constexpr int kMostDecimals = 64;
    constexpr int kWidest = 128;
    std::array<char, 512> digits;  // DBL_MAX has 309 digits before the point
    if (decimals >= 0 && decimals <= kMostDecimals && width >= 0 && width <= kWidest &&
        std::strcmp(nl_langinfo(RADIXCHAR), ".") == 0) {
        const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                                                std::chars_format::fixed, decimals);
        if (error == std::errc()) {
            const int length = static_cast<int>(end - digits.data());
            CString text;
            if (length < width) {
                text = CString(' ', width - length);
            }
            text.Append(digits.data(), length);
            return text;
        }
    }
    CString text;
    text.Format("%*.*lf", width, decimals, value);
    return text;
}

double ClampValue(double value, double low, double high) {
    if (value > high) {
        value = high;
    }
    return value < low ? low : value;
}

// ---- Masked value row -----------------------------------------------------------------------

CMFCPropertyGridMaskedValue::CMFCPropertyGridMaskedValue(const CString& strName, double value,
                                                         LPCTSTR lpszDescr, DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strName, COleVariant(value), lpszDescr, dwData),
      m_dValue(value),
      m_dInitialValue(value) {}

void CMFCPropertyGridMaskedValue::SetValue(double value) {
    StoreValue(value);
    RedrawRow();
    if (m_pWndInPlace && m_pWndInPlace->GetSafeHwnd()) {
        m_pWndInPlace->SetWindowText(FormatProperty());
    }
}

void CMFCPropertyGridMaskedValue::SetValue(const COleVariant& varValue) {
    if (varValue.vt == VT_R8) {
        SetValue(varValue.dblVal);
    }
}

void CMFCPropertyGridMaskedValue::SetLock(bool bLock) {
    m_bLocked = bLock;
    RedrawRow();
}

BOOL CMFCPropertyGridMaskedValue::IsValueChanged() const {
    return !(m_dValue == m_dInitialValue);  // NaN counts as changed
}

void CMFCPropertyGridMaskedValue::OnDrawValue(CDC* pDC, CRect rect) {
    CMFCPropertyGridProperty::OnDrawValue(pDC, rect);
    if (m_bLocked) {
        m_padlock.Draw(pDC, rect);
    }
}

BOOL CMFCPropertyGridMaskedValue::OpenMaskedEditor(const CString& mask,
                                                   const CString& inputTemplate, char padChar,
                                                   const CString& validChars) {
    if (!m_pWndList || !m_pWndList->GetSafeHwnd()) {
        return FALSE;
    }
    CRect rectEdit;
    CRect rectSpin;
    AdjustInPlaceEditRect(rectEdit, rectSpin);
    auto edit = std::make_unique<CMyMFCMaskedEdit>();
    // The whole text, unit included, goes in and comes out.
    edit->EnableGetMaskedCharsOnly(FALSE);
    edit->EnableSetMaskedCharsOnly(FALSE);
    edit->EnableMask(mask, inputTemplate, padChar, validChars);
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
    return TRUE;
}

bool CMFCPropertyGridMaskedValue::EditorText(CString& text) const {
    if (!m_pWndInPlace || !m_pWndInPlace->GetSafeHwnd()) {
        return false;
    }
    m_pWndInPlace->GetWindowText(text);
    return true;
}

bool CMFCPropertyGridMaskedValue::HoldsNumber(const CString& text) {
    for (int i = 0; i < text.GetLength(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(text[i]))) {
            return true;
        }
    }
    return false;
}

void CMFCPropertyGridMaskedValue::StoreTypedValue(double value) {
    const double previous = m_dValue;
    StoreValue(value);
    RedrawRow();
    if (!(value == previous) && m_pWndList) {
        m_pWndList->OnPropertyChanged(this);
    }
}

void CMFCPropertyGridMaskedValue::StoreValue(double value) {
    m_dValue = value;
    m_varValue = value;
}

void CMFCPropertyGridMaskedValue::RedrawRow() {
    if (!m_pWndList || !m_pWndList->GetSafeHwnd() || m_Rect.IsRectEmpty()) {
        return;
    }
    CRect rect = m_Rect;
    rect.DeflateRect(0, 1);
    m_pWndList->InvalidateRect(rect);
    m_pWndList->UpdateWindow();
}

CString CMFCPropertyGridMaskedValue::NoValueText() const {
    return m_bAllowEdit ? "0.0" : "n/a";
}
