#include "platform/core/COleVariant.h"

#include <locale.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

// ---------------------------------------------------------------------------------------
// BSTR: [UINT length][length bytes][NUL]; the pointer handed out is the first text byte.

namespace {

constexpr size_t kLengthPrefix = sizeof(UINT);

char* BufferStart(BSTR text) {
    return text - kLengthPrefix;
}

BSTR CopyOf(BSTR text) {
    return text ? SysAllocStringLen(text, SysStringLen(text)) : nullptr;
}

}  // namespace

BSTR SysAllocString(const char* text) {
    return text ? SysAllocStringLen(text, static_cast<UINT>(std::strlen(text))) : nullptr;
}

BSTR SysAllocStringLen(const char* text, UINT length) {
    char* const buffer = new char[kLengthPrefix + length + 1]();  // zeroed when text is null
    std::memcpy(buffer, &length, kLengthPrefix);
    BSTR const result = buffer + kLengthPrefix;
    if (text) {
        std::memcpy(result, text, length);
    }
    return result;
}

void SysFreeString(BSTR text) {
    if (text) {
        delete[] BufferStart(text);
    }
}

UINT SysStringLen(BSTR text) {
    UINT length = 0;
    if (text) {
        std::memcpy(&length, BufferStart(text), kLengthPrefix);
    }
    return length;
}

// ---------------------------------------------------------------------------------------
// Conversion rules of ChangeType.

namespace {

[[noreturn]] void ThrowTypeMismatch() {
    AfxThrowOleException(DISP_E_TYPEMISMATCH);
}
[[noreturn]] void ThrowOverflow() {
    AfxThrowOleException(DISP_E_OVERFLOW);
}

constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";

std::string_view TrimmedText(const VARIANT& value) {
    std::string_view text(value.bstrVal ? value.bstrVal : "", SysStringLen(value.bstrVal));
    const size_t first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos) {
        return {};
    }
    text.remove_prefix(first);
    return text.substr(0, text.find_last_not_of(kWhiteSpace) + 1);
}

size_t SkipDigits(std::string_view text, size_t at) {
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        ++at;
    }
    return at;
}

size_t SkipSign(std::string_view text, size_t at) {
    return (at < text.size() && (text[at] == '+' || text[at] == '-')) ? at + 1 : at;
}

// [sign] digits [. digits] [e [sign] digits], at least one mantissa digit. Spelled out
// because strtod would also take "inf", "nan", hexadecimal and leading blanks.
bool IsDecimalNumber(std::string_view text) {
    size_t at = SkipSign(text, 0);
    const size_t mantissaStart = at;
    at = SkipDigits(text, at);
    size_t digits = at - mantissaStart;
    if (at < text.size() && text[at] == '.') {
        const size_t fractionStart = ++at;
        at = SkipDigits(text, at);
        digits += at - fractionStart;
    }
    if (digits == 0) {
        return false;
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        const size_t exponentStart = SkipSign(text, at + 1);
        at = SkipDigits(text, exponentStart);
        if (at == exponentStart) {
            return false;
        }
    }
    return at == text.size();
}

// The "C" locale whatever the host set with setlocale: the decimal point is always '.'.
locale_t ClassicLocale() {
    static const locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return classic;
}

double ParseNumber(std::string_view text) {
    if (!IsDecimalNumber(text)) {
        ThrowTypeMismatch();
    }
    const std::string terminated(text);
    errno = 0;
    const double value = strtod_l(terminated.c_str(), nullptr, ClassicLocale());
    if (errno == ERANGE && std::isinf(value)) {
        ThrowOverflow();
    }
    return value;  // an underflow reads as the nearest tiny value or zero
}

// The value of a number, bool, empty or text variant; BOOL counts as -1 or 0.
double NumberOf(const VARIANT& value) {
    switch (value.vt) {
        case VT_EMPTY:
            return 0.0;
        case VT_I2:
            return value.iVal;
        case VT_I4:
            return value.lVal;
        case VT_INT:
            return value.intVal;
        case VT_UI1:
            return value.bVal;
        case VT_UI2:
            return value.uiVal;
        case VT_UI4:
            return value.ulVal;
        case VT_UINT:
            return value.uintVal;
        case VT_R4:
            return value.fltVal;
        case VT_R8:
            return value.dblVal;
        case VT_BOOL:
            return value.boolVal ? VARIANT_TRUE : VARIANT_FALSE;
        case VT_BSTR:
            return ParseNumber(TrimmedText(value));
        default:
            ThrowTypeMismatch();
    }
}

// The types holding a whole number; BOOL counts, as -1 or 0.
bool IsIntegerType(VARTYPE vt) {
    switch (vt) {
        case VT_I2:
        case VT_I4:
        case VT_INT:
        case VT_UI1:
        case VT_UI2:
        case VT_UI4:
        case VT_UINT:
        case VT_BOOL:
            return true;
        default:
            return false;
    }
}

// Half-way cases go to the even neighbour: 2.5 -> 2, 3.5 -> 4, -2.5 -> -2. Independent of
// the floating-point rounding mode.
double RoundHalfEven(double value) {
    if (std::fabs(value - std::trunc(value)) == 0.5) {
        return 2.0 * std::round(value / 2.0);
    }
    return std::round(value);
}

template <class T>
std::pair<double, double> RangeOf() {
    return {static_cast<double>(std::numeric_limits<T>::min()),
            static_cast<double>(std::numeric_limits<T>::max())};
}

std::pair<double, double> IntegerRange(VARTYPE vt) {
    switch (vt) {
        case VT_I2:
            return RangeOf<SHORT>();
        case VT_UI1:
            return RangeOf<BYTE>();
        case VT_UI2:
            return RangeOf<USHORT>();
        case VT_UI4:
        case VT_UINT:
            return RangeOf<ULONG>();
        default:
            return RangeOf<LONG>();
    }
}

COleVariant IntegerVariant(VARTYPE vt, double value) {
    const double rounded = RoundHalfEven(value);
    const auto [low, high] = IntegerRange(vt);
    if (!(rounded >= low && rounded <= high)) {  // NaN fails too
        ThrowOverflow();
    }
    const auto integer = static_cast<LONGLONG>(rounded);
    COleVariant result;
    result.vt = vt;
    switch (vt) {
        case VT_I2:
            result.iVal = static_cast<SHORT>(integer);
            break;
        case VT_I4:
            result.lVal = static_cast<LONG>(integer);
            break;
        case VT_INT:
            result.intVal = static_cast<int>(integer);
            break;
        case VT_UI1:
            result.bVal = static_cast<BYTE>(integer);
            break;
        case VT_UI2:
            result.uiVal = static_cast<USHORT>(integer);
            break;
        case VT_UI4:
            result.ulVal = static_cast<ULONG>(integer);
            break;
        default:
            result.uintVal = static_cast<UINT>(integer);
            break;
    }
    return result;
}

float FloatOf(double value) {
    if (std::fabs(value) > std::numeric_limits<float>::max()) {  // NaN passes through
        ThrowOverflow();
    }
    return static_cast<float>(value);
}

bool BoolOf(const VARIANT& value) {
    if (value.vt == VT_BSTR) {
        const CString text(TrimmedText(value));
        if (text.CompareNoCase("True") == 0) {
            return true;
        }
        if (text.CompareNoCase("False") == 0) {
            return false;
        }
    }
    return NumberOf(value) != 0.0;
}

// Like printf's "%.*G" in the "C" locale: 1.5 -> "1.5", 1e20 -> "1E+20"; zero prints "0"
// whatever its sign.
CString RealText(double value, int significantDigits) {
    if (value == 0.0) {
        return "0";
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value,
                                      std::chars_format::general, significantDigits);
    CString text(buffer, static_cast<int>(result.ptr - buffer));
    return text.MakeUpper();
}

CString IntegerText(LONGLONG value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    return CString(buffer, static_cast<int>(result.ptr - buffer));
}

CString TextOf(const VARIANT& value) {
    switch (value.vt) {
        case VT_EMPTY:
            return CString();
        case VT_BSTR:
            return VariantText(value);
        case VT_R4:
            return RealText(value.fltVal, 7);
        case VT_R8:
            return RealText(value.dblVal, 15);
        default:
            if (!IsIntegerType(value.vt)) {
                ThrowTypeMismatch();
            }
            return IntegerText(static_cast<LONGLONG>(NumberOf(value)));
    }
}

COleVariant Converted(const VARIANT& value, VARTYPE newType) {
    switch (newType) {
        case VT_EMPTY:
            if (value.vt != VT_BSTR && value.vt != VT_R4 && value.vt != VT_R8 &&
                !IsIntegerType(value.vt)) {
                ThrowTypeMismatch();
            }
            return COleVariant();
        case VT_BSTR:
            return COleVariant(TextOf(value));
        case VT_BOOL:
            return COleVariant(static_cast<short>(BoolOf(value)), VT_BOOL);
        case VT_R8:
            return COleVariant(NumberOf(value));
        case VT_R4:
            return COleVariant(FloatOf(NumberOf(value)));
        default:
            if (!IsIntegerType(newType)) {
                ThrowTypeMismatch();
            }
            return IntegerVariant(newType, NumberOf(value));
    }
}

// long is 64 bits here but 32 bits where framework code was written: a value must fit in
// 32 bits, signed or unsigned, and is kept as that bit pattern, as a cast to LONG there
// would have kept it ((long)0xFFFFFFFF stores -1 as VT_I4).
ULONG LongBits(LONGLONG value) {
    if (value < std::numeric_limits<LONG>::min() || value > std::numeric_limits<ULONG>::max()) {
        ThrowOverflow();
    }
    return static_cast<ULONG>(value);
}

void ReleaseValue(VARIANT& value) {
    if (value.vt == VT_BSTR) {
        SysFreeString(value.bstrVal);
    }
    value = VARIANT{};
}

}  // namespace

// ---------------------------------------------------------------------------------------
// COleVariant

COleVariant::COleVariant() : VARIANT{} {}

COleVariant::COleVariant(const VARIANT& src) : VARIANT(src) {
    if (vt == VT_BSTR) {
        bstrVal = CopyOf(src.bstrVal);
    }
}

COleVariant::COleVariant(const COleVariant& src) : COleVariant(static_cast<const VARIANT&>(src)) {}

COleVariant::COleVariant(COleVariant&& src) noexcept : VARIANT(src) {
    static_cast<VARIANT&>(src) = VARIANT{};
}

COleVariant::COleVariant(const char* text) : VARIANT{} {
    vt = VT_BSTR;
    bstrVal = SysAllocString(text);
}

COleVariant::COleVariant(const CString& text) : VARIANT{} {
    vt = VT_BSTR;
    bstrVal = SysAllocStringLen(text.GetString(), static_cast<UINT>(text.GetLength()));
}

COleVariant::COleVariant(BYTE value) : VARIANT{} {
    vt = VT_UI1;
    bVal = value;
}

COleVariant::COleVariant(short value, VARTYPE type) : VARIANT{} {
    if (type == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (type == VT_I2) {
        vt = VT_I2;
        iVal = value;
    } else {
        AfxThrowInvalidArgException();
    }
}

COleVariant::COleVariant(long value, VARTYPE type) : VARIANT{} {
    switch (type) {
        case VT_BOOL:
            boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        case VT_I4:
        case VT_INT:
        case VT_UI4:
        case VT_UINT:
            ulVal = LongBits(value);  // the four share their 32 bits
            break;
        default:
            AfxThrowInvalidArgException();
    }
    vt = type;
}

COleVariant::COleVariant(int value, VARTYPE type) : COleVariant(static_cast<long>(value), type) {}

COleVariant::COleVariant(unsigned long value) : VARIANT{} {
    ulVal = LongBits(static_cast<LONGLONG>(value));  // (unsigned long)-1 is 0xFFFFFFFF there
    vt = VT_UI4;
}

COleVariant::COleVariant(unsigned int value) : VARIANT{} {
    vt = VT_UI4;
    ulVal = value;
}

COleVariant::COleVariant(unsigned short value) : VARIANT{} {
    vt = VT_UI2;
    uiVal = value;
}

COleVariant::COleVariant(float value) : VARIANT{} {
    vt = VT_R4;
    fltVal = value;
}

COleVariant::COleVariant(double value) : VARIANT{} {
    vt = VT_R8;
    dblVal = value;
}

COleVariant::~COleVariant() {
    ReleaseValue(*this);
}

COleVariant& COleVariant::operator=(const COleVariant& src) {
    return *this = static_cast<const VARIANT&>(src);
}

COleVariant& COleVariant::operator=(COleVariant&& src) noexcept {
    if (this != &src) {
        ReleaseValue(*this);
        static_cast<VARIANT&>(*this) = src;
        static_cast<VARIANT&>(src) = VARIANT{};
    }
    return *this;
}

// Every assignment builds the new value first, so a failure leaves the old one intact.
COleVariant& COleVariant::operator=(const VARIANT& src) {
    return *this = COleVariant(src);
}
COleVariant& COleVariant::operator=(const char* text) {
    return *this = COleVariant(text);
}
COleVariant& COleVariant::operator=(const CString& text) {
    return *this = COleVariant(text);
}
COleVariant& COleVariant::operator=(double value) {
    return *this = COleVariant(value);
}
COleVariant& COleVariant::operator=(float value) {
    return *this = COleVariant(value);
}
COleVariant& COleVariant::operator=(BYTE value) {
    return *this = COleVariant(value);
}

// As in the framework, a BOOL variant stays BOOL when given an integer.
COleVariant& COleVariant::operator=(long value) {
    return *this = COleVariant(value, vt == VT_BOOL ? VT_BOOL : VT_I4);
}

COleVariant& COleVariant::operator=(int value) {
    return *this = static_cast<long>(value);
}

COleVariant& COleVariant::operator=(short value) {
    return *this = COleVariant(value, vt == VT_BOOL ? VT_BOOL : VT_I2);
}

bool COleVariant::operator==(const VARIANT& other) const {
    if (other.vt != vt) {
        return false;
    }
    switch (vt) {
        case VT_EMPTY:
        case VT_NULL:
            return true;
        case VT_I2:
            return iVal == other.iVal;
        case VT_BOOL:
            return boolVal == other.boolVal;
        case VT_I4:
            return lVal == other.lVal;
        case VT_INT:
            return intVal == other.intVal;
        case VT_UI1:
            return bVal == other.bVal;
        case VT_UI2:
            return uiVal == other.uiVal;
        case VT_UI4:
            return ulVal == other.ulVal;
        case VT_UINT:
            return uintVal == other.uintVal;
        case VT_R4:
            return fltVal == other.fltVal;
        case VT_R8:
            return dblVal == other.dblVal;
        case VT_BSTR:
            return VariantText(*this) == VariantText(other);
        default:  // a type this layer does not interpret: same bits
            return std::memcmp(&dblVal, &other.dblVal, sizeof(dblVal)) == 0;
    }
}

void COleVariant::Clear() {
    ReleaseValue(*this);
}

void COleVariant::ChangeType(VARTYPE newType, const VARIANT* src) {
    const VARIANT& from = src ? *src : *this;
    if (from.vt == newType) {
        if (&from != this) {
            *this = from;
        }
        return;
    }
    *this = Converted(from, newType);
}

CString VariantText(const VARIANT& value) {
    if (value.vt != VT_BSTR || !value.bstrVal) {
        return CString();
    }
    return CString(value.bstrVal, static_cast<int>(SysStringLen(value.bstrVal)));
}
