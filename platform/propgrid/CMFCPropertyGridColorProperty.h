#pragma once
// CMFCPropertyGridColorProperty: a colour row. Its value is a VT_I4 holding the COLORREF;
// the value text is the lowercase hexadecimal "rrggbb" (red "ff0000") beside a swatch of
// the colour. Its button opens a palette: the standard colours in SetColumnsNumber
// columns, an "Automatic" button above them and an "Other..." button below when enabled.
// Picking a colour stores it and tells the grid's owner. (COLORREF)-1 is the automatic
// colour, shown by the automatic button's label.
//
// "Other..." asks the colour dialog hook (a host or a test answers it); without one, or
// when it is cancelled, nothing is picked.

#include <functional>

#include "platform/propgrid/CMFCPropertyGridProperty.h"

class CPalette;

namespace plat {

// Answers the colour dialog: true with a colour in *colour, false when cancelled. The
// colour shown when it opens is in *colour. An empty function removes the hook.
SUI_API void SetColourDialogHook(std::function<bool(COLORREF* colour)> hook);

// The palette's standard colours and their names, in order.
struct NamedColour {
    const char* name;
    COLORREF colour;
};
SUI_API int StandardColourCount();
SUI_API NamedColour StandardColour(int index);

}  // namespace plat

class SUI_API CMFCPropertyGridColorProperty : public CMFCPropertyGridProperty {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    // pPalette is not supported: the palette holds the standard colours.
    CMFCPropertyGridColorProperty(const CString& strName, const COLORREF& color,
                                  CPalette* pPalette = nullptr, LPCTSTR lpszDescr = nullptr,
                                  DWORD_PTR dwData = 0);

    COLORREF GetColor() const { return m_Color; }
    // Does not mark the row modified; repaints it.
    void SetColor(COLORREF color);
    // The palette's columns; n < 1 is ignored.
    void SetColumnsNumber(int nColumnsNumber);
    int GetColumnsNumber() const { return m_nColumnsNumber; }
    void EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable = TRUE);
    void EnableOtherButton(LPCTSTR lpszLabel, BOOL bAltColorDlg = TRUE,
                           BOOL bIncludeSysColors = TRUE);
    BOOL IsAutomaticButton() const { return !m_strAutoColor.IsEmpty(); }
    BOOL IsOtherButton() const { return !m_strOtherColor.IsEmpty(); }
    LPCTSTR GetAutomaticLabel() const { return m_strAutoColor; }
    LPCTSTR GetOtherLabel() const { return m_strOtherColor; }
    COLORREF GetAutomaticColor() const { return m_ColorAutomatic; }

    void SetValue(const COleVariant& varValue) override;
    void ResetOriginalValue() override;
    CString FormatProperty() override;
    BOOL TextToVar(const CString& strText) override;
    void OnDrawValue(CDC* pDC, CRect rect) override;
    void OnClickButton(CPoint point) override;
    void AdjustInPlaceEditRect(CRect& rectEdit, CRect& rectSpin) override;

protected:
    // The swatch's cell at the left of a value rectangle.
    static CRect SwatchRect(const CRect& valueRect);

    COLORREF m_Color;
    COLORREF m_ColorOrig;
    COLORREF m_ColorAutomatic = RGB(0, 0, 0);
    CString m_strAutoColor;
    CString m_strOtherColor;
    int m_nColumnsNumber = 5;
};
