#include "platform/window/CDockablePane.h"

#include <algorithm>

#include "platform/window/FrameworkLook.h"
#include "platform/window/WindowDC.h"

const CRuntimeClass CDockablePane::runtimeClass =
    plat::MakeRuntimeClass<CDockablePane, CBasePane>("CDockablePane");

BOOL CDockablePane::Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect,
                           BOOL bHasGripper, UINT nID, DWORD dwStyle, DWORD dwTabbedStyle,
                           DWORD dwControlBarStyle, CCreateContext*) {
    if (GetSafeHwnd() || !pParentWnd) {
        return FALSE;
    }
    paneStyle_ = dwStyle & CBRS_ALL;
    controlBarStyle_ = dwControlBarStyle;
    tabbedStyle_ = dwTabbedStyle;
    hasGripper_ = bHasGripper != FALSE;
    LPCTSTR wndClass =
        AfxRegisterWndClass(CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return CreateEx(0, wndClass, lpszCaption ? lpszCaption : "", (dwStyle & ~CBRS_ALL) | WS_CHILD,
                    rect, pParentWnd, nID);
}

int CDockablePane::GetCaptionHeight() const {
    return hasGripper_ ? plat::style::kPaneCaptionHeight : 0;
}

void CDockablePane::OnPressCloseButton() {
    if (CanBeClosed()) {
        ShowPane(FALSE, FALSE, FALSE);
    }
}

// ---- Non-client area: border and caption ------------------------------------------------

CRect CDockablePane::CaptionRect() const {
    CRect window;
    GetWindowRect(&window);
    const int border = plat::style::kPaneBorder;
    return CRect(border, border, window.Width() - border, border + GetCaptionHeight());
}

CRect CDockablePane::CloseButtonRect() const {
    return CanBeClosed() && hasGripper_ ? plat::style::CloseButtonRect(CaptionRect()) : CRect();
}

CPoint CDockablePane::ClientToWindow(CPoint client) const {
    CRect window;
    GetWindowRect(&window);
    ClientToScreen(&client);
    return CPoint(client.x - window.left, client.y - window.top);
}

LRESULT CDockablePane::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCALCSIZE:
            if (auto* rect = reinterpret_cast<RECT*>(lParam)) {
                const int border = plat::style::kPaneBorder;
                CRect client(*rect);
                client.DeflateRect(border, border + GetCaptionHeight(), border, border);
                client.right = std::max(client.right, client.left);
                client.bottom = std::max(client.bottom, client.top);
                *rect = client;
            }
            return 0;
        case WM_NCLBUTTONDOWN:
            OnNcLButtonDown(static_cast<UINT>(wParam));
            return 0;
        case WM_SETTEXT: {
            const LRESULT result = CBasePane::WindowProc(message, wParam, lParam);
            RedrawCaption();
            return result;
        }
        default:
            return CBasePane::WindowProc(message, wParam, lParam);
    }
}

void CDockablePane::OnNcPaint() {
    CRect window;
    GetWindowRect(&window);
    window.MoveToXY(0, 0);
    CString title;
    GetWindowText(title);
    const plat::style::PaneColours colours = plat::style::CurrentPaneColours();
    CWindowDC dc(this);
    plat::style::DrawPaneBorder(dc, window, colours);
    if (hasGripper_) {
        plat::style::DrawPaneCaption(
            dc, CaptionRect(), title, CanBeClosed() != FALSE,
            closePressed_ ? plat::style::ButtonState::Pressed : plat::style::ButtonState::Normal,
            colours);
    }
}

LRESULT CDockablePane::OnNcHitTest(CPoint point) {
    CRect window;
    GetWindowRect(&window);
    const CPoint inWindow(point.x - window.left, point.y - window.top);
    if (CloseButtonRect().PtInRect(inWindow)) {
        return HTCLOSE;
    }
    if (hasGripper_ && CaptionRect().PtInRect(inWindow)) {
        return HTCAPTION;
    }
    return CBasePane::OnNcHitTest(point);
}

BOOL CDockablePane::OnEraseBkgnd(CDC* pDC) {
    if (!pDC) {
        return FALSE;
    }
    CRect box;
    pDC->GetClipBox(&box);
    pDC->FillSolidRect(&box, plat::style::CurrentPaneColours().paneFace);
    return TRUE;
}

void CDockablePane::RedrawCaption() {
    RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

// ---- The close button: pressed on the caption, it acts when released over it -----------

void CDockablePane::OnNcLButtonDown(UINT nHitTest) {
    if (nHitTest != HTCLOSE) {
        return;
    }
    closeTracking_ = true;
    SetCapture();
    SetClosePressed(true);
}

void CDockablePane::SetClosePressed(bool pressed) {
    if (closePressed_ != pressed) {
        closePressed_ = pressed;
        RedrawCaption();
    }
}

void CDockablePane::OnMouseMove(UINT nFlags, CPoint point) {
    if (closeTracking_) {
        SetClosePressed(CloseButtonRect().PtInRect(ClientToWindow(point)));
        return;
    }
    CBasePane::OnMouseMove(nFlags, point);
}

void CDockablePane::OnLButtonUp(UINT nFlags, CPoint point) {
    if (!closeTracking_) {
        CBasePane::OnLButtonUp(nFlags, point);
        return;
    }
    const bool over = CloseButtonRect().PtInRect(ClientToWindow(point));
    ReleaseCapture();  // ends the tracking (OnCaptureChanged)
    if (over) {
        OnPressCloseButton();
    }
}

void CDockablePane::OnCaptureChanged(CWnd* pWnd) {
    if (closeTracking_) {
        closeTracking_ = false;
        SetClosePressed(false);
    }
    CBasePane::OnCaptureChanged(pWnd);
}
