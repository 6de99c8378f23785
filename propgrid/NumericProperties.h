#pragma once
// The plain number rows: a double shown through a printf-style format that also fixes the
// field, and two whole-number rows followed by a unit text. All three can be locked.

#include "propgrid/RowSupport.h"

class SUI_API CMFCPropertyGridDouble : public CMFCPropertyGridMaskedValue {
public:
    CMFCPropertyGridDouble(const CString& strName, const double& value, const char* const format,
                           LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0);

    // The format must begin with one floating conversion ("%" flags, width, ".precision",
    // "lf" or "f", no '*') followed by the unit text, which may hold "%%" and no other
    // conversion. A format that breaks this is refused: false, and the row keeps the one
    // it had (a row made with a refused format shows "%6.2lf").
    bool SetFormat(const char* const format);
    const CString& GetFormat() const { return m_strFormat; }
    void SetUse(bool bUse);
    bool GetUse() const { return m_bUse; }

    double GetLargest() const { return m_dMax; }
    double GetSmallest() const { return m_dMin; }
    const CString& GetEditMask() const { return m_field.mask; }
    const CString& GetEditTemplate() const { return m_field.inputTemplate; }
    const CString& GetValidChars() const { return m_field.validChars; }
    char GetPadChar() const { return m_chPad; }

    CString FormatProperty() override;
    BOOL OnEdit(LPPOINT lptClick) override;
    BOOL OnUpdateValue() override;

protected:
    // SetFormat without the redraw, for use while the row is being drawn.
    bool ApplyFormat(const char* const format);
    // The accepted range, replacing the one the format gave.
    void SetRange(double smallest, double largest);

    CString m_strFormat;
    double m_dMax = 0;
    double m_dMin = 0;
    bool m_bUse = false;
    char m_chPad = ' ';
    CNumberField m_field;
};

// A whole number and its unit text. The value keeps the variant type it was made with.
class SUI_API CMFCPropertyGridInteger : public CMFCPropertyGridProperty {
public:
    CMFCPropertyGridInteger(const CString& strName, const COleVariant& value, const char* unit,
                            LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0,
                            LPCTSTR lpszEditMask = nullptr, LPCTSTR lpszEditTemplate = nullptr,
                            LPCTSTR lpszValidChars = nullptr);

    void SetUnitStr(const char* unit);
    void SetLock(bool bLock);
    bool IsLocked() const { return m_bLocked; }

    CString FormatProperty() override;
    // The leading whole number of the text (the unit after it is ignored); empty text
    // keeps the value; a number outside the value type's range is refused.
    BOOL TextToVar(const CString& strText) override;
    BOOL OnEdit(LPPOINT lptClick) override;
    BOOL OnUpdateValue() override;
    BOOL OnClickValue(UINT uiMsg, CPoint point) override;
    void OnDrawValue(CDC* pDC, CRect rect) override;

protected:
    // The value as a number, whatever its whole-number type.
    long long WholeValue() const;
    // Shows FormatProperty() in an open editor (the unit text comes back).
    void RefreshEditor();

    CString m_strUnit;
    VARTYPE m_vtInitial;
    bool m_bLocked = false;
    CRowPadlock m_padlock;
};

// The same for unsigned values: shown unsigned, so 4294967295 is not shown as -1.
class SUI_API CMFCPropertyGridUnsignedLong : public CMFCPropertyGridInteger {
public:
    using CMFCPropertyGridInteger::CMFCPropertyGridInteger;
};
