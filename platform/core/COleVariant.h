#pragma once
// COleVariant: the framework's tagged value. Text values (VT_BSTR) hold Windows-1252
// bytes in a length-prefixed buffer owned by the variant (the 8-bit build's view of a
// BSTR). ChangeType follows VariantChangeType: numbers to text print like "%.15G" (R8)
// or "%.7G" (R4) in the "C" locale (1.5 -> "1.5", 1e20 -> "1E+20"), BOOL as "-1" or "0";
// text to numbers must parse completely and fit, else COleException with
// DISP_E_TYPEMISMATCH or DISP_E_OVERFLOW; doubles to integers round half to even; any
// non-zero number to BOOL is VARIANT_TRUE.
// long is 64 bits here: a long given to a constructor or assignment must fit in 32 bits,
// signed or unsigned, and keeps that bit pattern (else COleException DISP_E_OVERFLOW).

#include "platform/core/CString.h"
#include "platform/core/Exceptions.h"

using VARTYPE = USHORT;
using VARIANT_BOOL = SHORT;
using BSTR = char*;

enum VARENUM : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_BSTR = 8,
    VT_BOOL = 11,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_INT = 22,
    VT_UINT = 23,
};

constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

// BSTR helpers: a buffer of length bytes plus a terminating NUL, length stored in front.
SUI_API BSTR SysAllocString(const char* text);
SUI_API BSTR SysAllocStringLen(const char* text, UINT length);
SUI_API void SysFreeString(BSTR text);
SUI_API UINT SysStringLen(BSTR text);

struct VARIANT {
    VARTYPE vt;
    union {
        BYTE bVal;
        SHORT iVal;
        LONG lVal;
        int intVal;
        float fltVal;
        double dblVal;
        VARIANT_BOOL boolVal;
        USHORT uiVal;
        ULONG ulVal;
        UINT uintVal;
        BSTR bstrVal;
    };
};

class SUI_API COleVariant : public VARIANT {
public:
    COleVariant();
    COleVariant(const VARIANT& src);  // NOLINT
    COleVariant(const COleVariant& src);
    COleVariant(COleVariant&& src) noexcept;
    COleVariant(const char* text);                 // NOLINT: VT_BSTR
    COleVariant(const CString& text);              // NOLINT: VT_BSTR
    COleVariant(BYTE value);                       // NOLINT: VT_UI1
    COleVariant(short value, VARTYPE vt = VT_I2);  // NOLINT: VT_I2 or VT_BOOL
    COleVariant(long value, VARTYPE vt = VT_I4);  // NOLINT: VT_I4, VT_INT, VT_UI4, VT_UINT, VT_BOOL
    COleVariant(int value, VARTYPE vt = VT_I4);   // NOLINT: as long
    COleVariant(unsigned long value);             // NOLINT: VT_UI4
    COleVariant(unsigned int value);              // NOLINT: VT_UI4
    COleVariant(unsigned short value);            // NOLINT: VT_UI2
    COleVariant(float value);                     // NOLINT: VT_R4
    COleVariant(double value);                    // NOLINT: VT_R8
    ~COleVariant();

    COleVariant& operator=(const COleVariant& src);
    COleVariant& operator=(COleVariant&& src) noexcept;
    COleVariant& operator=(const VARIANT& src);
    COleVariant& operator=(const char* text);
    COleVariant& operator=(const CString& text);
    COleVariant& operator=(double value);
    COleVariant& operator=(float value);
    COleVariant& operator=(long value);
    COleVariant& operator=(int value);
    COleVariant& operator=(short value);
    COleVariant& operator=(BYTE value);

    // Same type and same value (text compared byte for byte).
    bool operator==(const VARIANT& other) const;

    void Clear();
    // Converts src (or this variant) to newType in place; raises COleException on failure.
    void ChangeType(VARTYPE newType, const VARIANT* src = nullptr);
    operator const VARIANT*() const { return this; }  // NOLINT: framework idiom
};

// The text of a VT_BSTR variant, or empty text for any other type.
SUI_API CString VariantText(const VARIANT& value);
