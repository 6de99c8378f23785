#pragma once
// What the value rows share: the padlock of a locked row, the fixed-width number field
// their masked editors use, and a row base that keeps a double beside the framework value.

#include <optional>

#include "platform/gdi/CImageList.h"
#include "platform/propgrid/CMFCPropertyGridCtrl.h"
#include "platform/propgrid/CMFCPropertyGridProperty.h"

// The padlock a locked row draws at the right end of its value cell.
class SUI_API CRowPadlock {
public:
    CRowPadlock();
    CRowPadlock(const CRowPadlock&) = delete;
    CRowPadlock& operator=(const CRowPadlock&) = delete;

    // Top-left corner at (right - 16, top) of the value rectangle.
    void Draw(CDC* pDC, const CRect& valueRect);

private:
    CImageList m_images;
};

// A number field of a fixed width: "%0*.*lf" of 0.0 and what follows from it.
struct SUI_API CNumberField {
    CString sample;         // e.g. "0000.00", "+000.00"
    double largest = 0;     // the sample's zeros made nines
    double smallest = 0;    // the same with a minus sign in the first place
    CString mask;           // zeros and point made 'd', then the unit
    CString inputTemplate;  // zeros, sign and point made '_', then the unit
    CString validChars;     // digits and signs, the point when there are decimals

    static CNumberField Make(int width, int decimals, bool withSign, const CString& unit);
};

// A host's printf format for one double: "%", flags, width, ".precision", "lf" or "f",
// then a unit text whose only '%' come as "%%". Anything else (another conversion, '*',
// text before the number) is refused, so a format can never read an argument it was not
// given.
struct SUI_API CDoubleFormat {
    bool sign = false;     // the '+' flag
    bool zeroPad = false;  // the '0' flag
    int width = 0;
    int decimals = 6;  // printf's own default
    CString unit;      // as printed: "%%" is one '%'

    static std::optional<CDoubleFormat> Parse(const char* format);
};

// Clamped into [low, high]; a high below low gives low.
SUI_API double ClampValue(double value, double low, double high);

// The text printf's "%*.*lf" gives for width, decimals and value in the "C" locale, made
// without printf (a repaint formats every row that shows).
SUI_API CString FormatFixed(int width, int decimals, double value);

// A row that keeps its value as a double (DBL_MAX: no value), beside the framework value,
// and edits it through a CMyMFCMaskedEdit. Lockable: a locked row draws the padlock and
// opens no editor.
class SUI_API CMFCPropertyGridMaskedValue : public CMFCPropertyGridProperty {
public:
    CMFCPropertyGridMaskedValue(const CString& strName, double value, LPCTSTR lpszDescr,
                                DWORD_PTR dwData);

    using CMFCPropertyGridProperty::GetValue;
    using CMFCPropertyGridProperty::SetValue;
    double GetValue() { return m_dValue; }
    // The initial value stays, so the row counts as changed; an open editor follows.
    void SetValue(double value);
    // A double variant sets the value; any other is ignored.
    void SetValue(const COleVariant& varValue) override;

    void SetLock(bool bLock);
    bool IsLocked() const { return m_bLocked; }

    BOOL IsValueChanged() const override;
    void OnDrawValue(CDC* pDC, CRect rect) override;

protected:
    // Shows the stored value in a masked editor over the value cell.
    BOOL OpenMaskedEditor(const CString& mask, const CString& inputTemplate, char padChar,
                          const CString& validChars);
    // The editor's text; false when there is no editor.
    bool EditorText(CString& text) const;
    // A typed text holds a number when it holds a digit; a cleared field keeps the value.
    static bool HoldsNumber(const CString& text);
    // Stores a typed value and tells the grid when it changed (the grid's owner may then
    // delete this row: nothing may touch the row after this call).
    void StoreTypedValue(double value);
    // Stores a value (and the framework value) without telling anyone.
    void StoreValue(double value);
    // Repaints the value at once when the grid window exists.
    void RedrawRow();
    // "0.0" for an editable row without a value, "n/a" for a read-only one.
    CString NoValueText() const;

    double m_dValue;
    double m_dInitialValue;
    bool m_bLocked = false;
    CRowPadlock m_padlock;
};
