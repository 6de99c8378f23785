#include "platform/propgrid/CMFCPropertyGridColorProperty.h"

#include <cctype>

#include "platform/propgrid/CMFCPropertyGridCtrl.h"
#include "platform/propgrid/PropGridLook.h"

const CRuntimeClass CMFCPropertyGridColorProperty::runtimeClass =
    plat::MakeRuntimeClass<CMFCPropertyGridColorProperty, CMFCPropertyGridProperty>(
        "CMFCPropertyGridColorProperty");

namespace {

COleVariant ColourVariant(COLORREF colour) {
    // The bits of the COLORREF as a signed 32-bit value, as the framework stores it.
    return COleVariant(static_cast<long>(static_cast<LONG>(colour)), VT_I4);
}

int HexDigit(char ch) {
    if (ch >= '0' && ch <= '9') {
        return ch - '0';
    }
    const int lower = std::tolower(static_cast<unsigned char>(ch));
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

}  // namespace

CMFCPropertyGridColorProperty::CMFCPropertyGridColorProperty(const CString& strName,
                                                             const COLORREF& color,
                                                             CPalette* /*pPalette*/,
                                                             LPCTSTR lpszDescr, DWORD_PTR dwData)
    // A plain editor: it must also show the automatic label; TextToVar checks the digits.
    : CMFCPropertyGridProperty(strName, ColourVariant(color), lpszDescr, dwData),
      m_Color(color),
      m_ColorOrig(color) {
    m_dwFlags = AFX_PROP_HAS_LIST;
}

void CMFCPropertyGridColorProperty::SetColor(COLORREF color) {
    m_Color = color;
    CMFCPropertyGridProperty::SetValue(ColourVariant(color));
}

void CMFCPropertyGridColorProperty::SetValue(const COleVariant& varValue) {
    if (varValue.vt == VT_I4) {
        SetColor(static_cast<COLORREF>(varValue.lVal));
    }
}

void CMFCPropertyGridColorProperty::ResetOriginalValue() {
    CMFCPropertyGridProperty::ResetOriginalValue();
    m_ColorOrig = m_Color;
}

void CMFCPropertyGridColorProperty::SetColumnsNumber(int nColumnsNumber) {
    if (nColumnsNumber > 0) {
        m_nColumnsNumber = nColumnsNumber;
    }
}

void CMFCPropertyGridColorProperty::EnableAutomaticButton(LPCTSTR lpszLabel,
                                                          COLORREF colorAutomatic, BOOL bEnable) {
    m_strAutoColor = bEnable ? CString(lpszLabel) : CString();
    m_ColorAutomatic = colorAutomatic;
    Redraw();
}

void CMFCPropertyGridColorProperty::EnableOtherButton(LPCTSTR lpszLabel, BOOL /*bAltColorDlg*/,
                                                      BOOL /*bIncludeSysColors*/) {
    m_strOtherColor = lpszLabel;
}

CString CMFCPropertyGridColorProperty::FormatProperty() {
    if (m_Color == CLR_INVALID && IsAutomaticButton()) {
        return m_strAutoColor;
    }
    CString text;
    text.Format("%02x%02x%02x", GetRValue(m_Color), GetGValue(m_Color), GetBValue(m_Color));
    return text;
}

BOOL CMFCPropertyGridColorProperty::TextToVar(const CString& strText) {
    CString text = strText;
    text.Trim();
    COLORREF colour = CLR_INVALID;
    if (!(IsAutomaticButton() && text == m_strAutoColor)) {
        if (text.GetLength() != 6) {
            return FALSE;
        }
        int channels[3] = {0, 0, 0};
        for (int i = 0; i < 6; ++i) {
            const int digit = HexDigit(text.GetAt(i));
            if (digit < 0) {
                return FALSE;
            }
            channels[i / 2] = channels[i / 2] * 16 + digit;
        }
        colour = RGB(channels[0], channels[1], channels[2]);
    }
    m_Color = colour;
    m_varValue = ColourVariant(colour);
    return TRUE;
}

CRect CMFCPropertyGridColorProperty::SwatchRect(const CRect& valueRect) {
    const int side = valueRect.Height();
    return CRect(valueRect.left + 2, valueRect.top + 2, valueRect.left + side - 1,
                 valueRect.bottom - 1);
}

void CMFCPropertyGridColorProperty::OnDrawValue(CDC* pDC, CRect rect) {
    const COLORREF shown = m_Color == CLR_INVALID ? m_ColorAutomatic : m_Color;
    plat::style::DrawColourSwatch(*pDC, SwatchRect(rect), shown);
    rect.left += rect.Height();
    CMFCPropertyGridProperty::OnDrawValue(pDC, rect);
}

void CMFCPropertyGridColorProperty::AdjustInPlaceEditRect(CRect& rectEdit, CRect& rectSpin) {
    CMFCPropertyGridProperty::AdjustInPlaceEditRect(rectEdit, rectSpin);
    rectEdit.left += m_Rect.Height() - 1;  // beside the swatch, as the text is drawn
}

void CMFCPropertyGridColorProperty::OnClickButton(CPoint /*point*/) {
    if (!m_pWndList) {
        return;
    }
    m_pWndList->OpenColorPopup(this);
    if (m_pWndList->IsColorPopupOpen()) {
        m_bButtonIsDown = TRUE;
        Redraw();
    }
}
