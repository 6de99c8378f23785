#pragma once
// Rows of a quantity kept in a fixed internal unit and shown in the operator's units,
// which are taken from the settings at every format, edit and parse (so a change made by
// any program sharing the settings folder shows at the next repaint). A format reads the
// files again only when the settings may have changed (docs/settings.md).

#include "propgrid/RowSupport.h"

// A distance kept in metres, shown as value / distance factor with the unit text.
class SUI_API CMFCPropertyGridMetricProperty : public CMFCPropertyGridMaskedValue {
public:
    // Decimals from the operator's Decimal Places setting (three fewer in kilometres).
    CMFCPropertyGridMetricProperty(const CString& strName, const double& value, int width,
                                   LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0);
    // Fixed decimals.
    CMFCPropertyGridMetricProperty(const CString& strName, const double& value, int width,
                                   int decimals, const char* const lpszDescr = nullptr,
                                   DWORD_PTR dwData = 0);

    int GetDecimals() const { return m_nDecimals; }
    double GetLargest() const { return m_field.largest; }
    double GetSmallest() const { return m_field.smallest; }
    const CString& GetEditMask() const { return m_field.mask; }
    const CString& GetEditTemplate() const { return m_field.inputTemplate; }
    const CString& GetValidChars() const { return m_field.validChars; }

    CString FormatProperty() override;
    BOOL OnEdit(LPPOINT lptClick) override;
    BOOL OnUpdateValue() override;

protected:
    // Rebuilds the field (decimals, range, mask, template, valid characters) for the
    // units set now.
    void SetMask();

    int m_nWidth;
    int m_nRequestedDecimals;
    int m_nDecimals = 0;
    CNumberField m_field;

private:
    // Makes the field for these decimals, unless it was made for them and this width.
    void UseDecimals(int decimals);

    // What m_field was made for; -1 before it was made.
    int m_nFieldWidth = -1;
    int m_nFieldDecimals = -1;
};

// A weight per unit length kept in kilograms per metre. Shown per displayed distance unit:
// value x metres per unit (x 2.2046226218487757 in pounds), from 0.00 to 999.99.
class SUI_API CMFCPropertyWeightPerUnitLengthProperty : public CMFCPropertyGridMaskedValue {
public:
    CMFCPropertyWeightPerUnitLengthProperty(const CString& strName, const double& value,
                                            LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0);

    const CString& GetEditMask() const { return m_field.mask; }
    const CString& GetEditTemplate() const { return m_field.inputTemplate; }
    const CString& GetValidChars() const { return m_field.validChars; }

    CString FormatProperty() override;
    BOOL OnEdit(LPPOINT lptClick) override;
    BOOL OnUpdateValue() override;

protected:
    void SetMask();

    CNumberField m_field;
};
