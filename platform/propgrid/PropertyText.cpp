// A grid row's value as text and back (FormatProperty, TextToVar), and the joined text of
// a value list.

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>

#include "platform/propgrid/CMFCPropertyGridCtrl.h"
#include "platform/propgrid/CMFCPropertyGridProperty.h"

CString CMFCPropertyGridProperty::m_strFormatChar = "%c";
CString CMFCPropertyGridProperty::m_strFormatShort = "%d";
CString CMFCPropertyGridProperty::m_strFormatLong = "%ld";
CString CMFCPropertyGridProperty::m_strFormatUShort = "%u";
CString CMFCPropertyGridProperty::m_strFormatULong = "%u";
CString CMFCPropertyGridProperty::m_strFormatFloat = "%f";
CString CMFCPropertyGridProperty::m_strFormatDouble = "%lf";

namespace {

constexpr const char* kFormatError = "*** error ***";

// The number a text starts with (after white space), as the C library's leading-number
// conversions read it; nothing when it does not start with one. Text after the number
// (a unit, a literal of an input template) is ignored, so "12 m" reads as 12.
std::optional<long long> LeadingInteger(const CString& text) {
    CString trimmed = text;
    trimmed.Trim();
    std::string_view digits(trimmed.GetString(), static_cast<size_t>(trimmed.GetLength()));
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    unsigned long long magnitude = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    if (end == digits.data()) {
        return std::nullopt;
    }
    constexpr unsigned long long kLimit = 1ULL << 62;  // far beyond every row type's range
    if (error == std::errc::result_out_of_range || magnitude > kLimit) {
        magnitude = kLimit;
    }
    const auto value = static_cast<long long>(magnitude);
    return negative ? -value : value;
}

std::optional<double> LeadingReal(const CString& text) {
    CString trimmed = text;
    trimmed.Trim();
    std::string_view digits(trimmed.GetString(), static_cast<size_t>(trimmed.GetLength()));
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                              std::chars_format::general);
    if (end == digits.data() || error != std::errc() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

bool IsBlank(const CString& text) {
    CString trimmed = text;
    return trimmed.Trim().IsEmpty();
}

// A whole number of the type's range, blank text being 0.
template <class T>
std::optional<T> ParseInteger(const CString& text) {
    if (IsBlank(text)) {
        return T{0};
    }
    const std::optional<long long> value = LeadingInteger(text);
    if (!value || *value < static_cast<long long>(std::numeric_limits<T>::min()) ||
        *value > static_cast<long long>(std::numeric_limits<T>::max())) {
        return std::nullopt;
    }
    return static_cast<T>(*value);
}

template <class T>
std::optional<T> ParseReal(const CString& text) {
    if (IsBlank(text)) {
        return T{0};
    }
    const std::optional<double> value = LeadingReal(text);
    if (!value || std::fabs(*value) > static_cast<double>(std::numeric_limits<T>::max())) {
        return std::nullopt;
    }
    return static_cast<T>(*value);
}

// The text as a value of type vt, or nothing when it does not parse.
std::optional<COleVariant> ParseAs(VARTYPE vt, const CString& text, const CString& trueLabel,
                                   const CString& falseLabel) {
    switch (vt) {
        case VT_BSTR:
            return COleVariant(text);
        case VT_I2:
            if (const auto v = ParseInteger<SHORT>(text)) {
                return COleVariant(*v, VT_I2);
            }
            return std::nullopt;
        case VT_I4:
        case VT_INT:
            if (const auto v = ParseInteger<LONG>(text)) {
                return COleVariant(static_cast<long>(*v), vt);
            }
            return std::nullopt;
        case VT_UI1:
            return COleVariant(static_cast<BYTE>(text.IsEmpty() ? 0 : text.GetAt(0)));
        case VT_UI2:
            if (const auto v = ParseInteger<USHORT>(text)) {
                return COleVariant(static_cast<unsigned short>(*v));
            }
            return std::nullopt;
        case VT_UI4:
        case VT_UINT:
            if (const auto v = ParseInteger<ULONG>(text)) {
                return COleVariant(static_cast<long>(*v), vt);
            }
            return std::nullopt;
        case VT_R4:
            if (const auto v = ParseReal<float>(text)) {
                return COleVariant(*v);
            }
            return std::nullopt;
        case VT_R8:
            if (const auto v = ParseReal<double>(text)) {
                return COleVariant(*v);
            }
            return std::nullopt;
        case VT_BOOL: {
            CString label = text;
            label.TrimRight();
            if (label == trueLabel) {
                return COleVariant(static_cast<short>(VARIANT_TRUE), VT_BOOL);
            }
            if (label == falseLabel) {
                return COleVariant(static_cast<short>(VARIANT_FALSE), VT_BOOL);
            }
            return std::nullopt;  // neither label: not a Boolean
        }
        default:
            return std::nullopt;
    }
}

// The items of a value list's text: split at the delimiter, each trimmed. The text is used
// up from the left, so a delimiter at the very end adds no empty item.
std::vector<CString> SplitList(const CString& text, char delimiter) {
    std::vector<CString> items;
    CString rest = text;
    while (!rest.IsEmpty()) {
        const int end = rest.Find(delimiter);
        CString item = end < 0 ? rest : rest.Left(end);
        rest = end < 0 ? CString() : rest.Mid(end + 1);
        items.push_back(item.Trim());
    }
    return items;
}

}  // namespace

CString CMFCPropertyGridProperty::FormatProperty() {
    if (m_bIsValueList) {
        return FormatValueList();
    }
    CString text;
    const VARIANT& v = m_varValue;
    switch (v.vt) {
        case VT_BSTR:
            return VariantText(v);
        case VT_I2:
            text.Format(m_strFormatShort, static_cast<int>(v.iVal));
            break;
        case VT_I4:
            text.Format(m_strFormatLong, static_cast<long>(v.lVal));
            break;
        case VT_INT:
            text.Format(m_strFormatLong, static_cast<long>(v.intVal));
            break;
        case VT_UI1:
            if (v.bVal != 0) {
                text.Format(m_strFormatChar, static_cast<int>(v.bVal));
            }
            break;
        case VT_UI2:
            text.Format(m_strFormatUShort, static_cast<unsigned>(v.uiVal));
            break;
        case VT_UI4:
            text.Format(m_strFormatULong, static_cast<unsigned>(v.ulVal));
            break;
        case VT_UINT:
            text.Format(m_strFormatULong, static_cast<unsigned>(v.uintVal));
            break;
        case VT_R4:
            text.Format(m_strFormatFloat, static_cast<double>(v.fltVal));
            break;
        case VT_R8:
            text.Format(m_strFormatDouble, v.dblVal);
            break;
        case VT_BOOL:
            if (m_pWndList) {
                text = v.boolVal == VARIANT_TRUE ? m_pWndList->GetTrueLabel()
                                                 : m_pWndList->GetFalseLabel();
            } else {
                text = v.boolVal == VARIANT_TRUE ? "True" : "False";
            }
            break;
        default:
            text = kFormatError;
            break;
    }
    return text;
}

BOOL CMFCPropertyGridProperty::TextToVar(const CString& strText) {
    if (m_bIsValueList) {
        return ValueListToVar(strText);
    }
    const CString yes = m_pWndList ? m_pWndList->GetTrueLabel() : "True";
    const CString no = m_pWndList ? m_pWndList->GetFalseLabel() : "False";
    std::optional<COleVariant> value = ParseAs(m_varValue.vt, strText, yes, no);
    if (!value) {
        return FALSE;
    }
    m_varValue = *value;
    return TRUE;
}

CString CMFCPropertyGridProperty::FormatValueList() {
    const char delimiter = m_pWndList ? m_pWndList->GetListDelimiter() : ',';
    CString text;
    for (size_t i = 0; i < m_lstSubItems.size(); ++i) {
        if (i > 0) {
            text += delimiter;
            text += ' ';
        }
        text += m_lstSubItems[i]->FormatProperty();
    }
    return text;
}

BOOL CMFCPropertyGridProperty::ValueListToVar(const CString& strText) {
    const char delimiter = m_pWndList ? m_pWndList->GetListDelimiter() : ',';
    const std::vector<CString> items = SplitList(strText, delimiter);
    const size_t count = std::min(items.size(), m_lstSubItems.size());
    // Every item must parse before any sub-item changes, so a bad item changes nothing.
    std::vector<COleVariant> before;
    for (size_t i = 0; i < count; ++i) {
        before.push_back(m_lstSubItems[i]->m_varValue);
    }
    for (size_t i = 0; i < count; ++i) {
        if (!m_lstSubItems[i]->TextToVar(items[i])) {
            for (size_t j = 0; j < i; ++j) {
                m_lstSubItems[j]->m_varValue = before[j];
            }
            return FALSE;
        }
    }
    return TRUE;
}
