// A grid row's edit: the in-place controls (an edit or masked edit, the options' drop-down
// list, a spin control), storing their text, and the clicks and keys the grid hands on.

#include <algorithm>
#include <cctype>

#include "platform/controls/CMFCMaskedEdit.h"
#include "platform/propgrid/CMFCPropertyGridCtrl.h"
#include "platform/propgrid/CMFCPropertyGridProperty.h"

namespace {

constexpr int kTextMargin = 4;

bool HasEditableType(VARTYPE vt) {
    switch (vt) {
        case VT_BSTR:
        case VT_R4:
        case VT_R8:
        case VT_UI1:
        case VT_I2:
        case VT_INT:
        case VT_UINT:
        case VT_I4:
        case VT_UI2:
        case VT_UI4:
        case VT_BOOL:
            return true;
        default:
            return false;
    }
}

CString TextOf(const CWnd* wnd) {
    CString text;
    if (wnd && wnd->GetSafeHwnd()) {
        wnd->GetWindowText(text);
    }
    return text;
}

}  // namespace

BOOL CMFCPropertyGridProperty::HasButton() const {
    return (m_dwFlags & (AFX_PROP_HAS_LIST | AFX_PROP_HAS_BUTTON)) != 0;
}

void CMFCPropertyGridProperty::AdjustButtonRect() {
    m_rectButton = m_Rect;
    m_rectButton.left = m_Rect.right - m_Rect.Height() + 3;
    m_rectButton.top += 1;
    m_rectButton.bottom -= 1;  // the row line stays
}

void CMFCPropertyGridProperty::AdjustInPlaceEditRect(CRect& rectEdit, CRect& rectSpin) {
    rectEdit = m_Rect;
    rectEdit.DeflateRect(0, 2);
    // The edit's own one-pixel margin puts its text where the drawn value text stands.
    rectEdit.left =
        m_pWndList->m_rectList.left + m_pWndList->m_nLeftColumnWidth + 1 + kTextMargin - 1;
    if (HasButton()) {
        AdjustButtonRect();
        rectEdit.right = m_rectButton.left;
    }
    rectSpin.SetRectEmpty();
    if (m_dwFlags & AFX_PROP_HAS_SPIN) {
        rectSpin = CRect(rectEdit.right - m_Rect.Height(), m_Rect.top + 1, rectEdit.right,
                         m_Rect.bottom - 1);
        rectEdit.right = rectSpin.left;
    }
}

// ---- Starting and ending -----------------------------------------------------------------

BOOL CMFCPropertyGridProperty::OnEdit(LPPOINT /*lptClick*/) {
    if (!HasValueField() || !m_pWndList) {
        return FALSE;
    }
    m_pWndInPlace = nullptr;
    CRect rectEdit;
    CRect rectSpin;
    AdjustInPlaceEditRect(rectEdit, rectSpin);
    BOOL bDefaultFormat = FALSE;
    m_pWndInPlace = CreateInPlaceEdit(rectEdit, bDefaultFormat);
    if (!m_pWndInPlace) {
        return FALSE;
    }
    if (bDefaultFormat) {
        m_pWndInPlace->SetWindowText(FormatProperty());
    }
    if ((m_dwFlags & AFX_PROP_HAS_LIST) && !ListOptions().empty()) {
        CRect rectCombo = m_Rect;
        rectCombo.left = rectEdit.left - kTextMargin;
        m_pWndCombo = CreateCombo(m_pWndList, rectCombo);
        if (m_pWndCombo) {
            m_pWndCombo->SetFont(CFont::FromHandle(m_pWndList->GetGridFont()), FALSE);
            for (const CString& option : ListOptions()) {
                m_pWndCombo->AddString(option);
            }
        }
    }
    if (m_dwFlags & AFX_PROP_HAS_SPIN) {
        m_pWndSpin = CreateSpinControl(rectSpin);
    }
    m_pWndInPlace->SetFont(ValueFont(), FALSE);
    m_pWndInPlace->SetFocus();
    m_bInPlaceEdit = TRUE;
    return TRUE;
}

CWnd* CMFCPropertyGridProperty::CreateInPlaceEdit(CRect rectEdit, BOOL& bDefaultFormat) {
    if (!HasEditableType(m_varValue.vt) && !m_bIsValueList) {
        return nullptr;
    }
    CEdit* edit = nullptr;
    if (!m_strEditMask.IsEmpty() || !m_strEditTempl.IsEmpty() || !m_strValidChars.IsEmpty()) {
        auto* masked = new CMFCMaskedEdit;
        masked->EnableSetMaskedCharsOnly(FALSE);
        masked->EnableGetMaskedCharsOnly(FALSE);
        if (!m_strEditMask.IsEmpty() && !m_strEditTempl.IsEmpty()) {
            masked->EnableMask(m_strEditMask, m_strEditTempl, ' ');
        }
        if (!m_strValidChars.IsEmpty()) {
            masked->SetValidChars(m_strValidChars);
        }
        edit = masked;
    } else {
        edit = new CEdit;
    }
    DWORD style = WS_VISIBLE | WS_CHILD | ES_AUTOHSCROLL;
    if (!m_bEnabled || !m_bAllowEdit) {
        style |= ES_READONLY;
    }
    if (!edit->Create(style, rectEdit, m_pWndList, AFX_PROPLIST_ID_INPLACE)) {
        delete edit;
        return nullptr;
    }
    bDefaultFormat = TRUE;
    return edit;
}

CComboBox* CMFCPropertyGridProperty::CreateCombo(CWnd* pWndParent, CRect rect) {
    // Hidden: the row draws its own drop button and the editor shows the text; the combo
    // box lends its list, which opens under the row.
    auto* combo = new CComboBox;
    const DWORD kind = m_bAllowEdit ? CBS_DROPDOWN : CBS_DROPDOWNLIST;
    if (!combo->Create(WS_CHILD | CBS_NOINTEGRALHEIGHT | kind, rect, pWndParent,
                       AFX_PROPLIST_ID_INPLACE)) {
        delete combo;
        return nullptr;
    }
    constexpr int kComboFrame = 6;  // the combo box adds this much round its field
    combo->SetItemHeight(-1, static_cast<UINT>(std::max(1, rect.Height() - kComboFrame)));
    return combo;
}

CSpinButtonCtrl* CMFCPropertyGridProperty::CreateSpinControl(CRect rectSpin) {
    auto* spin = new CSpinButtonCtrl;
    if (!spin->Create(WS_CHILD | WS_VISIBLE | UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_NOTHOUSANDS,
                      rectSpin, m_pWndList, AFX_PROPLIST_ID_INPLACE)) {
        delete spin;
        return nullptr;
    }
    spin->SetBuddy(m_pWndInPlace);
    if (m_nMinValue != 0 || m_nMaxValue != 0) {
        spin->SetRange32(m_nMinValue, m_nMaxValue);
    }
    return spin;
}

BOOL CMFCPropertyGridProperty::OnUpdateValue() {
    if (!m_pWndInPlace || !m_pWndList) {
        return FALSE;
    }
    const CString text = TextOf(m_pWndInPlace);
    const BOOL changed = FormatProperty() != text;
    const BOOL stored = TextToVar(text);
    if (stored && changed) {
        m_pWndList->OnPropertyChanged(this);  // the owner may delete this row: touch nothing after
    }
    return stored;
}

BOOL CMFCPropertyGridProperty::OnEndEdit() {
    m_bInPlaceEdit = FALSE;
    m_bButtonIsDown = FALSE;
    m_bButtonIsFocused = FALSE;
    OnDestroyWindow();
    return TRUE;
}

void CMFCPropertyGridProperty::OnDestroyWindow() {
    // The windows may be in the middle of a handler of their own (the edit telling the
    // grid it lost the focus): the grid keeps the objects until that has returned.
    CWnd* windows[] = {m_pWndCombo, m_pWndSpin, m_pWndInPlace};
    m_pWndCombo = nullptr;
    m_pWndSpin = nullptr;
    m_pWndInPlace = nullptr;
    m_bInPlaceEdit = FALSE;
    for (CWnd* wnd : windows) {
        if (!wnd) {
            continue;
        }
        if (wnd->GetSafeHwnd()) {
            wnd->DestroyWindow();
        }
        if (m_pWndList) {
            m_pWndList->Retire(wnd);
        } else {
            delete wnd;
        }
    }
}

// ---- Clicks and keys ---------------------------------------------------------------------

void CMFCPropertyGridProperty::OnClickButton(CPoint /*point*/) {
    if (!m_pWndCombo || !m_pWndInPlace) {
        return;
    }
    m_bButtonIsDown = TRUE;
    Redraw();
    const CString text = TextOf(m_pWndInPlace);
    m_pWndCombo->SetCurSel(m_pWndCombo->FindStringExact(-1, text));
    m_pWndCombo->SetFocus();
    m_pWndCombo->ShowDropDown();
}

BOOL CMFCPropertyGridProperty::OnClickValue(UINT uiMsg, CPoint point) {
    if (!m_pWndInPlace || !m_pWndInPlace->GetSafeHwnd() || !m_pWndList) {
        return FALSE;
    }
    CPoint inEdit = point;
    m_pWndList->MapWindowPoints(m_pWndInPlace, &inEdit, 1);
    m_pWndInPlace->SendMessage(uiMsg, MK_LBUTTON, MAKELPARAM(inEdit.x, inEdit.y));
    return TRUE;
}

void CMFCPropertyGridProperty::OnClickName(CPoint /*point*/) {}

BOOL CMFCPropertyGridProperty::OnDblClk(CPoint /*point*/) {
    if (!m_pWndInPlace) {
        return FALSE;
    }
    if (ListOptions().size() > 1) {
        return OnRotateListValue(TRUE);
    }
    return FALSE;
}

BOOL CMFCPropertyGridProperty::OnRotateListValue(BOOL bForward) {
    if (!m_pWndInPlace) {
        return FALSE;
    }
    const std::vector<CString> options = ListOptions();
    const CString text = TextOf(m_pWndInPlace);
    const auto it = std::find(options.begin(), options.end(), text);
    if (it == options.end()) {
        return FALSE;
    }
    const auto count = static_cast<std::ptrdiff_t>(options.size());
    const std::ptrdiff_t at = it - options.begin();
    const std::ptrdiff_t next = (at + (bForward ? 1 : count - 1)) % count;
    m_pWndInPlace->SetWindowText(options[static_cast<size_t>(next)]);
    OnUpdateValue();
    return TRUE;
}

void CMFCPropertyGridProperty::OnSelectCombo() {
    if (!m_pWndCombo || !m_pWndInPlace) {
        return;
    }
    const int index = m_pWndCombo->GetCurSel();
    if (index < 0) {
        return;
    }
    CString text;
    m_pWndCombo->GetLBText(index, text);
    m_pWndInPlace->SetWindowText(text);
    OnUpdateValue();
}

void CMFCPropertyGridProperty::OnCloseCombo() {
    m_bButtonIsDown = FALSE;
    Redraw();
    if (m_pWndInPlace && m_pWndInPlace->GetSafeHwnd()) {
        m_pWndInPlace->SetFocus();
    }
}

BOOL CMFCPropertyGridProperty::PushChar(UINT nChar) {
    if (!m_pWndInPlace || !m_bEnabled) {
        return FALSE;
    }
    const std::vector<CString> options = ListOptions();
    if (!m_bAllowEdit) {
        // A list without typing: the next option that starts with the character.
        const auto upper = [](char c) { return std::toupper(static_cast<unsigned char>(c)); };
        const CString current = TextOf(m_pWndInPlace);
        const auto count = options.size();
        const auto from = static_cast<size_t>(std::find(options.begin(), options.end(), current) -
                                              options.begin());
        for (size_t step = 1; step <= count; ++step) {
            const CString& option = options[(from + step) % count];
            if (!option.IsEmpty() && upper(option.GetAt(0)) == upper(static_cast<char>(nChar))) {
                m_pWndInPlace->SetWindowText(option);
                OnUpdateValue();
                return TRUE;
            }
        }
        return FALSE;
    }
    m_pWndInPlace->SetWindowText("");
    m_pWndInPlace->SendMessage(WM_CHAR, nChar, 1);
    return TRUE;
}
