#include "platform/controls/CButton.h"

#include "platform/controls/ControlLook.h"
#include "platform/controls/ControlSupport_p.h"
#include "platform/gdi/SavedDC.h"
#include "platform/window/WindowDC.h"

const CRuntimeClass CButton::runtimeClass = plat::MakeRuntimeClass<CButton, CWnd>("CButton");

namespace plat::controls {

struct ButtonState {
    HICON icon = nullptr;
    bool pressed = false;   // the sunken look
    bool tracking = false;  // the left button went down on it and is still held
    bool spaceDown = false;
    bool focused = false;
};

}  // namespace plat::controls

CButton::CButton() : button_(std::make_unique<plat::controls::ButtonState>()) {}

CButton::~CButton() {
    DestroyWindow();
}

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                     UINT nID) {
    return CWnd::CreateEx(0, plat::controls::ButtonClass(), lpszCaption ? lpszCaption : "",
                          dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

HICON CButton::SetIcon(HICON hIcon) {
    return reinterpret_cast<HICON>(
        SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(hIcon)));
}

HICON CButton::GetIcon() const {
    return reinterpret_cast<HICON>(SendMessageA(m_hWnd, BM_GETIMAGE, IMAGE_ICON, 0));
}

UINT CButton::GetState() const {
    return static_cast<UINT>(SendMessageA(m_hWnd, BM_GETSTATE, 0, 0));
}

void CButton::SetState(BOOL bHighlight) {
    SendMessage(BM_SETSTATE, static_cast<WPARAM>(bHighlight));
}

UINT CButton::GetButtonStyle() const {
    return GetStyle() & 0xFFFF;
}

void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw) {
    SendMessage(BM_SETSTYLE, nStyle, bRedraw);
}

void CButton::SetPressed(bool pressed) {
    if (button_->pressed != pressed) {
        button_->pressed = pressed;
        Invalidate(FALSE);
    }
}

bool CButton::Clicked() {
    return plat::controls::NotifyParent(*this, BN_CLICKED);
}

LRESULT CButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    plat::controls::ButtonState& s = *button_;
    switch (message) {
        case BM_CLICK:
            if (IsWindowEnabled()) {
                Clicked();
            }
            return 0;
        case BM_GETSTATE:
            return (s.pressed ? BST_PUSHED : 0) | (s.focused ? BST_FOCUS : 0);
        case BM_SETSTATE:
            SetPressed(wParam != 0);
            return 0;
        case BM_SETIMAGE: {
            if (wParam != IMAGE_ICON) {
                return 0;
            }
            const HICON previous = s.icon;
            s.icon = reinterpret_cast<HICON>(lParam);
            Invalidate(FALSE);
            return reinterpret_cast<LRESULT>(previous);
        }
        case BM_GETIMAGE:
            return wParam == IMAGE_ICON ? reinterpret_cast<LRESULT>(s.icon) : 0;
        case BM_SETSTYLE:
            ModifyStyle(BS_TYPEMASK, static_cast<DWORD>(wParam) & BS_TYPEMASK);
            if (lParam) {
                Invalidate(FALSE);
            }
            return 0;
        case WM_SETTEXT: {
            const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
            Invalidate(FALSE);
            return result;
        }
        default:
            return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CButton::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const plat::controls::ButtonState& s = *button_;
    const plat::style::ControlColours colours = plat::style::SystemControlColours();
    const bool enabled = IsWindowEnabled() != FALSE;
    const bool isDefault = (GetStyle() & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    const CRect content =
        plat::style::DrawButtonFace(dc, client, {s.pressed, isDefault, enabled}, colours);

    if ((GetStyle() & BS_ICON) && s.icon) {
        plat::style::DrawCentredIcon(dc, content, s.icon, enabled, colours);
    } else {
        CString caption;
        GetWindowText(caption);
        const plat::SavedDC saved(dc);
        dc.SelectObject(plat::controls::ControlFont(*this));
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(enabled ? colours.text : colours.grayText);
        CRect text = content;
        dc.DrawText(caption, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_HIDEPREFIX);
    }
    if (s.focused) {
        // The focus rectangle stays put while the face sinks.
        CRect focus = client;
        focus.DeflateRect(isDefault ? 4 : 3, isDefault ? 4 : 3);
        plat::style::DrawFocusRect(dc, focus, colours.text);
    }
}

BOOL CButton::OnEraseBkgnd(CDC*) {
    return TRUE;  // the face covers the whole button
}

void CButton::OnLButtonDown(UINT, CPoint) {
    const HWND self = m_hWnd;
    SetFocus();
    if (!IsWindow(self)) {
        return;
    }
    button_->tracking = true;
    SetCapture();
    SetPressed(true);
}

void CButton::OnLButtonDblClk(UINT nFlags, CPoint point) {
    if (GetStyle() & BS_NOTIFY) {
        plat::controls::NotifyParent(*this, BN_DOUBLECLICKED);
        return;
    }
    OnLButtonDown(nFlags, point);  // a quick second click is a click
}

void CButton::OnLButtonUp(UINT, CPoint point) {
    if (!button_->tracking) {
        return;
    }
    button_->tracking = false;
    CRect client;
    GetClientRect(&client);
    SetPressed(false);
    if (GetCapture() == this) {
        ReleaseCapture();
    }
    if (client.PtInRect(point)) {
        Clicked();
    }
}

void CButton::OnMouseMove(UINT, CPoint point) {
    if (button_->tracking) {
        CRect client;
        GetClientRect(&client);
        SetPressed(client.PtInRect(point));
    }
}

void CButton::OnCaptureChanged(CWnd* pWnd) {
    if (button_->tracking && pWnd != this) {
        button_->tracking = false;
        SetPressed(false);
    }
    CWnd::OnCaptureChanged(pWnd);
}

void CButton::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (nChar == VK_SPACE) {
        if (!button_->spaceDown) {
            button_->spaceDown = true;
            SetPressed(true);
        }
        return;
    }
    if (nChar == VK_RETURN) {
        Clicked();
        return;
    }
    CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CButton::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (nChar == VK_SPACE && button_->spaceDown) {
        button_->spaceDown = false;
        SetPressed(false);
        Clicked();
        return;
    }
    CWnd::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CButton::OnSetFocus(CWnd* pOldWnd) {
    CWnd::OnSetFocus(pOldWnd);
    button_->focused = true;
    Invalidate(FALSE);
    if (GetStyle() & BS_NOTIFY) {
        plat::controls::NotifyParent(*this, BN_SETFOCUS);
    }
}

void CButton::OnKillFocus(CWnd* pNewWnd) {
    CWnd::OnKillFocus(pNewWnd);
    button_->focused = false;
    button_->spaceDown = false;
    if (!button_->tracking) {
        SetPressed(false);
    }
    Invalidate(FALSE);
    if (GetStyle() & BS_NOTIFY) {
        plat::controls::NotifyParent(*this, BN_KILLFOCUS);
    }
}

UINT CButton::OnGetDlgCode() {
    const bool isDefault = (GetStyle() & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    return DLGC_BUTTON | (isDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

void CButton::OnEnable(BOOL bEnable) {
    CWnd::OnEnable(bEnable);
    if (!bEnable) {
        button_->tracking = false;
        button_->spaceDown = false;
        SetPressed(false);
    }
    Invalidate(FALSE);
}
