// Window geometry: frames and client areas, coordinates, moving, sizing, z-order and
// showing.

#include <algorithm>

#include "platform/window/Backend.h"
#include "platform/window/WindowTree_p.h"

namespace plat {
namespace {

// Flags the window layer adds to WM_WINDOWPOSCHANGED so DefWindowProc knows whether the
// client area moved or changed size (the windowing system's own internal values).
constexpr UINT kNoClientSize = 0x0800;
constexpr UINT kNoClientMove = 0x1000;

bool HasThickFrame(DWORD style) {
    return (style & WS_THICKFRAME) && (style & (WS_DLGFRAME | WS_BORDER)) != WS_DLGFRAME;
}
bool HasDialogFrame(DWORD style, DWORD exStyle) {
    return (exStyle & WS_EX_DLGMODALFRAME) || ((style & WS_DLGFRAME) && !(style & WS_THICKFRAME));
}
bool HasThinFrame(DWORD style) {
    return (style & WS_BORDER) || !(style & (WS_CHILD | WS_POPUP));
}

CSize ClampedSize(int cx, int cy) {
    return CSize(std::max(cx, 0), std::max(cy, 0));
}

// A child's old place needs repainting when it moved, resized, hid or changed order.
void RedrawAfterChange(CWnd* wnd, const CRect& oldRect, bool wasShowing, bool changed, bool sized,
                       bool framed) {
    WndData* d = Data(wnd);
    const bool showing = IsShowing(wnd);
    if (IsTopLevel(wnd)) {
        if (showing && ((!wasShowing) || sized || framed)) {
            InvalidateClient(wnd, nullptr, true, true);
            d->frameDirty = true;
        }
        return;
    }
    if (wasShowing && (changed || !showing)) {
        ExposeInParent(wnd, oldRect);
    }
    if (showing && (changed || !wasShowing || framed)) {
        InvalidateClient(wnd, nullptr, true, true);
        d->frameDirty = true;
    }
}

}  // namespace

MINMAXINFO MinMaxOf(CWnd* wnd) {
    MINMAXINFO info{};
    const WndData* d = Data(wnd);
    CSize area = ScreenSize();
    if (!IsTopLevel(wnd)) {
        area = Data(d->parent)->client.Size();
    }
    const int edge = FrameEdge(d->style, d->exStyle);
    info.ptMaxSize = POINT{area.cx + 2 * edge, area.cy + 2 * edge};
    info.ptMaxPosition = POINT{-edge, -edge};
    info.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    info.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    Deliver(wnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    return info;
}

CRect FrameInsets(DWORD style, DWORD exStyle) {
    int edge = 0;
    if (HasThickFrame(style)) {
        edge = GetSystemMetrics(SM_CXFRAME);
    } else if (HasDialogFrame(style, exStyle)) {
        edge = GetSystemMetrics(SM_CXDLGFRAME);
    } else if (HasThinFrame(style)) {
        edge = GetSystemMetrics(SM_CXBORDER);
    }
    if (exStyle & WS_EX_CLIENTEDGE) {
        edge += GetSystemMetrics(SM_CXEDGE);
    }
    if (exStyle & WS_EX_STATICEDGE) {
        edge += GetSystemMetrics(SM_CXBORDER);
    }
    // Thicknesses: left, top, right and bottom.
    CRect insets(edge, edge, edge, edge);
    if ((style & WS_CAPTION) == WS_CAPTION) {
        insets.top +=
            GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
    }
    return insets;
}

int FrameEdge(DWORD style, DWORD exStyle) {
    return FrameInsets(style, exStyle & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)).left;
}

CPoint ClientOriginOnScreen(const CWnd* wnd) {
    CPoint origin(0, 0);
    for (const CWnd* w = wnd; w && !IsDesktop(w); w = Data(w)->parent) {
        const WndData* d = Data(w);
        origin += d->window.TopLeft();
        origin += d->client.TopLeft();
    }
    return origin;
}

CRect WindowRectOnTop(const CWnd* wnd) {
    const WndData* d = Data(wnd);
    if (IsTopLevel(wnd)) {
        return CRect(CPoint(0, 0), d->window.Size());
    }
    return d->window + ClientRectOnTop(d->parent).TopLeft();
}

CRect ClientRectOnTop(const CWnd* wnd) {
    const WndData* d = Data(wnd);
    return d->client + WindowRectOnTop(wnd).TopLeft();
}

void RecalcClient(CWnd* wnd) {
    WndData* d = Data(wnd);
    const HWND hwnd = d->handle;
    RECT rect = d->window;
    Deliver(wnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rect));
    d = Data(LookupHandle(hwnd));
    if (!d) {
        return;
    }
    // Whatever a handler answers, the client area stays inside the window, each edge
    // on its own (a window without width keeps the height of its client area).
    const CRect& w = d->window;
    CRect client;
    client.left = std::clamp<LONG>(rect.left, w.left, w.right);
    client.top = std::clamp<LONG>(rect.top, w.top, w.bottom);
    client.right = std::clamp<LONG>(rect.right, client.left, w.right);
    client.bottom = std::clamp<LONG>(rect.bottom, client.top, w.bottom);
    d->client = client - w.TopLeft();
}

void ResizeBacking(CWnd* wnd) {
    WndData* d = Data(wnd);
    if (!IsTopLevel(wnd)) {
        d->backing.reset();
        return;
    }
    const CSize size = d->window.Size();
    if (!d->backing || d->backing->Width() != size.cx || d->backing->Height() != size.cy) {
        d->backing = std::make_shared<Surface>(size.cx, size.cy, GetSysColor(COLOR_WINDOW));
    }
}

// The one place where a window's rectangle, order and visibility change.
BOOL PositionWindow(CWnd* wnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    WndData* d = Data(wnd);
    if (!d || IsDesktop(wnd)) {
        return FALSE;
    }
    const HWND hwnd = d->handle;
    if (flags & SWP_NOMOVE) {
        x = d->window.left;
        y = d->window.top;
    }
    if (flags & SWP_NOSIZE) {
        cx = d->window.Width();
        cy = d->window.Height();
    }
    const CSize size = ClampedSize(cx, cy);
    WINDOWPOS pos{hwnd, insertAfter, x, y, size.cx, size.cy, flags};
    if (!(flags & SWP_NOSENDCHANGING)) {
        Deliver(wnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
        d = Data(LookupHandle(hwnd));
        if (!d) {
            return FALSE;
        }
    }
    const CRect oldWindow = d->window;
    const CRect oldClient = d->client + oldWindow.TopLeft();
    const bool wasShowing = IsShowing(wnd);
    const CRect newWindow(CPoint(pos.x, pos.y), ClampedSize(pos.cx, pos.cy));
    const bool moved = !(pos.flags & SWP_NOMOVE) && newWindow.TopLeft() != oldWindow.TopLeft();
    const bool sized = !(pos.flags & SWP_NOSIZE) && newWindow.Size() != oldWindow.Size();
    const bool framed = (pos.flags & SWP_FRAMECHANGED) != 0;

    bool reordered = false;
    if (!(pos.flags & SWP_NOZORDER) && pos.hwndInsertAfter != hwnd) {
        const auto& siblings = Data(d->parent)->children;
        const auto before = std::find(siblings.begin(), siblings.end(), wnd) - siblings.begin();
        if (IsTopLevel(wnd) && pos.hwndInsertAfter == HWND_TOP) {
            RaiseTopLevel(wnd);
        } else {
            LinkAt(d->parent, wnd, pos.hwndInsertAfter);
        }
        reordered = before != std::find(siblings.begin(), siblings.end(), wnd) - siblings.begin();
    }
    if (moved) {
        d->window.MoveToXY(newWindow.TopLeft());
    }
    if (sized) {
        d->window = CRect(d->window.TopLeft(), newWindow.Size());
    }
    if (sized || framed) {
        RecalcClient(wnd);
        d = Data(LookupHandle(hwnd));
        if (!d) {
            return FALSE;
        }
        ResizeBacking(wnd);
    }
    if ((pos.flags & SWP_HIDEWINDOW) && (d->style & WS_VISIBLE)) {
        LeaveFocusAndCapture(wnd);
        d = Data(LookupHandle(hwnd));
        if (!d) {
            return FALSE;
        }
        d->style &= ~WS_VISIBLE;
    } else if ((pos.flags & SWP_SHOWWINDOW) && !(d->style & WS_VISIBLE)) {
        d->style |= WS_VISIBLE;
    }
    const bool visibilityChanged = wasShowing != IsShowing(wnd);
    if (!(pos.flags & SWP_NOREDRAW)) {
        const bool changed = (moved && !IsTopLevel(wnd)) || sized || reordered;
        RedrawAfterChange(wnd, oldWindow, wasShowing, changed, sized, framed);
    }
    if (framed) {
        d->frameDirty = true;
    }
    if (moved || sized || reordered || visibilityChanged || framed) {
        NotifyScreenChanged();
    }

    if (IsTopLevel(wnd)) {
        if (!IsShowing(wnd) && wasShowing) {
            ActivateAnother(wnd);
        } else if (IsShowing(wnd) && !(pos.flags & SWP_NOACTIVATE) &&
                   !(d->exStyle & WS_EX_NOACTIVATE) && CWnd::GetActiveWindow() != wnd) {
            ActivateTopLevel(wnd, WA_ACTIVE);
        }
        d = Data(LookupHandle(hwnd));
        if (!d) {
            return TRUE;
        }
    }

    const CRect newClient = d->client + d->window.TopLeft();
    pos.x = d->window.left;
    pos.y = d->window.top;
    pos.cx = d->window.Width();
    pos.cy = d->window.Height();
    pos.flags |= moved ? 0 : SWP_NOMOVE;
    pos.flags |= sized ? 0 : SWP_NOSIZE;
    pos.flags |= newClient.Size() == oldClient.Size() && !framed ? kNoClientSize : 0;
    pos.flags |= newClient.TopLeft() == oldClient.TopLeft() ? kNoClientMove : 0;
    Deliver(wnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    return TRUE;
}

// What DefWindowProc(WM_WINDOWPOSCHANGED) sends.
void SendMoveAndSize(CWnd* wnd, const WINDOWPOS& pos) {
    const HWND hwnd = wnd->m_hWnd;
    if (!(pos.flags & kNoClientMove)) {
        const WndData* d = Data(wnd);
        const CPoint origin = d->window.TopLeft() + d->client.TopLeft();
        Deliver(wnd, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
    }
    CWnd* w = LookupHandle(hwnd);
    if (w && !(pos.flags & kNoClientSize)) {
        const WndData* d = Data(w);
        const UINT type = (d->style & WS_MAXIMIZE)   ? SIZE_MAXIMIZED
                          : (d->style & WS_MINIMIZE) ? SIZE_MINIMIZED
                                                     : SIZE_RESTORED;
        Deliver(w, WM_SIZE, type, MAKELPARAM(d->client.Width(), d->client.Height()));
    }
}

// Frames, overlapped windows and thick-framed windows stay between their track sizes.
void ApplyTrackSizes(CWnd* wnd, WINDOWPOS& pos) {
    const DWORD style = Data(wnd)->style;
    if ((pos.flags & SWP_NOSIZE) ||
        !((style & WS_THICKFRAME) || !(style & (WS_POPUP | WS_CHILD))) ||
        (style & (WS_MAXIMIZE | WS_MINIMIZE))) {
        return;
    }
    const HWND hwnd = wnd->m_hWnd;
    const MINMAXINFO info = MinMaxOf(wnd);
    if (!LookupHandle(hwnd)) {
        return;
    }
    pos.cx = std::clamp<int>(pos.cx, info.ptMinTrackSize.x,
                             std::max(info.ptMinTrackSize.x, info.ptMaxTrackSize.x));
    pos.cy = std::clamp<int>(pos.cy, info.ptMinTrackSize.y,
                             std::max(info.ptMinTrackSize.y, info.ptMaxTrackSize.y));
}

namespace {

void Maximise(CWnd* wnd, UINT extraFlags) {
    WndData* d = Data(wnd);
    if (!(d->style & (WS_MAXIMIZE | WS_MINIMIZE))) {
        d->restored = d->window;
    }
    const HWND hwnd = d->handle;
    const MINMAXINFO info = MinMaxOf(wnd);
    d = Data(LookupHandle(hwnd));
    if (!d) {
        return;
    }
    d->style = (d->style & ~WS_MINIMIZE) | WS_MAXIMIZE;
    PositionWindow(wnd, HWND_TOP, info.ptMaxPosition.x, info.ptMaxPosition.y, info.ptMaxSize.x,
                   info.ptMaxSize.y, SWP_FRAMECHANGED | SWP_SHOWWINDOW | extraFlags);
}

// A minimised window keeps a small frame far off the screen, as the windowing system
// parks it, and has no client area.
void Minimise(CWnd* wnd, UINT extraFlags) {
    WndData* d = Data(wnd);
    if (!(d->style & (WS_MAXIMIZE | WS_MINIMIZE))) {
        d->restored = d->window;
    }
    d->style = (d->style & ~WS_MAXIMIZE) | WS_MINIMIZE;
    PositionWindow(wnd, HWND_TOP, -32000, -32000, 160, 28,
                   SWP_FRAMECHANGED | SWP_SHOWWINDOW | extraFlags);
}

void Restore(CWnd* wnd, UINT extraFlags) {
    WndData* d = Data(wnd);
    if (!(d->style & (WS_MAXIMIZE | WS_MINIMIZE))) {
        PositionWindow(wnd, HWND_TOP, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | extraFlags);
        return;
    }
    d->style &= ~(WS_MAXIMIZE | WS_MINIMIZE);
    const CRect rect = d->restored;
    PositionWindow(wnd, HWND_TOP, rect.left, rect.top, rect.Width(), rect.Height(),
                   SWP_FRAMECHANGED | SWP_SHOWWINDOW | extraFlags);
}

}  // namespace
}  // namespace plat

using plat::Data;

void CWnd::GetWindowRect(LPRECT lpRect) const {
    const plat::WndData* d = Data(this);
    if (!lpRect) {
        return;
    }
    if (!d) {
        SetRectEmpty(lpRect);
        return;
    }
    if (plat::IsDesktop(this)) {
        *lpRect = CRect(CPoint(0, 0), plat::ScreenSize());
        return;
    }
    const CPoint parentOrigin = plat::ClientOriginOnScreen(d->parent);
    *lpRect = d->window + parentOrigin;
}

void CWnd::GetClientRect(LPRECT lpRect) const {
    const plat::WndData* d = Data(this);
    if (!lpRect) {
        return;
    }
    if (!d) {
        SetRectEmpty(lpRect);
        return;
    }
    const CSize size = plat::IsDesktop(this) ? plat::ScreenSize() : d->client.Size();
    *lpRect = CRect(CPoint(0, 0), size);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const {
    if (lpPoint && Data(this)) {
        *lpPoint = CPoint(*lpPoint) + plat::ClientOriginOnScreen(this);
    }
}

void CWnd::ClientToScreen(LPRECT lpRect) const {
    if (lpRect && Data(this)) {
        *lpRect = CRect(*lpRect) + plat::ClientOriginOnScreen(this);
    }
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const {
    if (lpPoint && Data(this)) {
        *lpPoint = plat::Offset(*lpPoint, plat::ClientOriginOnScreen(this));
    }
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
    if (lpRect && Data(this)) {
        *lpRect = CRect(*lpRect) - plat::ClientOriginOnScreen(this);
    }
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const {
    const CPoint from = Data(this) ? plat::ClientOriginOnScreen(this) : CPoint();
    const CPoint to = Data(pwndTo) ? plat::ClientOriginOnScreen(pwndTo) : CPoint();
    for (UINT i = 0; lpPoint && i < nCount; ++i) {
        lpPoint[i] = plat::Offset(CPoint(lpPoint[i]) + from, to);
    }
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const {
    MapWindowPoints(pwndTo, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
    SetWindowPos(nullptr, x, y, nWidth, nHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW));
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint) {
    if (lpRect) {
        MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                   lpRect->bottom - lpRect->top, bRepaint);
    }
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    return plat::PositionWindow(this, pWndInsertAfter ? pWndInsertAfter->m_hWnd : HWND_TOP, x, y,
                                cx, cy, nFlags);
}

BOOL CWnd::ShowWindow(int nCmdShow) {
    plat::WndData* d = Data(this);
    if (!d || plat::IsDesktop(this)) {
        return FALSE;
    }
    const HWND hwnd = m_hWnd;
    const BOOL wasVisible = (d->style & WS_VISIBLE) ? TRUE : FALSE;
    const bool show = nCmdShow != SW_HIDE;
    if (show != static_cast<bool>(wasVisible)) {
        plat::Deliver(this, WM_SHOWWINDOW, show, 0);
        if (!plat::LookupHandle(hwnd)) {
            return wasVisible;
        }
    }
    // A child keeps its place in the z-order and is never activated.
    const UINT child = plat::IsTopLevel(this) ? 0 : SWP_NOZORDER | SWP_NOACTIVATE;
    constexpr UINT kKeep = SWP_NOSIZE | SWP_NOMOVE;
    switch (nCmdShow) {
        case SW_HIDE:
            if (wasVisible) {
                plat::PositionWindow(this, nullptr, 0, 0, 0, 0,
                                     kKeep | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
            }
            break;
        case SW_SHOWMAXIMIZED:
            plat::Maximise(this, child);
            break;
        case SW_SHOWMINIMIZED:
        case SW_MINIMIZE:
        case SW_SHOWMINNOACTIVE:
            plat::Minimise(this, child | SWP_NOACTIVATE);
            break;
        case SW_RESTORE:
        case SW_SHOWNORMAL:
        case SW_SHOWDEFAULT:
            plat::Restore(this, child);
            break;
        case SW_SHOWNOACTIVATE:
        case SW_SHOWNA:
            plat::PositionWindow(this, nullptr, 0, 0, 0, 0,
                                 kKeep | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            break;
        default:  // SW_SHOW and anything unknown
            plat::PositionWindow(this, HWND_TOP, 0, 0, 0, 0, kKeep | child | SWP_SHOWWINDOW);
            break;
    }
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const {
    return plat::IsVisibleChain(this) ? TRUE : FALSE;
}

BOOL CWnd::IsIconic() const {
    return (GetStyle() & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL CWnd::IsZoomed() const {
    return (GetStyle() & WS_MAXIMIZE) ? TRUE : FALSE;
}

void CWnd::BringWindowToTop() {
    SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

CWnd* CWnd::ChildWindowFromPoint(POINT point) const {
    const plat::WndData* d = Data(this);
    if (!d) {
        return nullptr;
    }
    if (!CRect(CPoint(0, 0), d->client.Size()).PtInRect(point)) {
        return nullptr;
    }
    for (CWnd* child : d->children) {
        if (Data(child)->window.PtInRect(point)) {
            return child;
        }
    }
    return const_cast<CWnd*>(this);
}

// ---- Win32 calls -----------------------------------------------------------------------

BOOL IsWindowVisible(HWND hwnd) {
    const CWnd* wnd = CWnd::FromHandle(hwnd);
    return wnd ? wnd->IsWindowVisible() : FALSE;
}

BOOL ShowWindow(HWND hwnd, int cmdShow) {
    CWnd* wnd = CWnd::FromHandle(hwnd);
    return wnd ? wnd->ShowWindow(cmdShow) : FALSE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    CWnd* wnd = CWnd::FromHandle(hwnd);
    if (!wnd) {
        return FALSE;
    }
    wnd->MoveWindow(x, y, width, height, repaint);
    return TRUE;
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    CWnd* wnd = CWnd::FromHandle(hwnd);
    return wnd ? plat::PositionWindow(wnd, insertAfter, x, y, cx, cy, flags) : FALSE;
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
    const CWnd* wnd = CWnd::FromHandle(hwnd);
    if (!wnd || !rect) {
        return FALSE;
    }
    wnd->GetWindowRect(rect);
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
    const CWnd* wnd = CWnd::FromHandle(hwnd);
    if (!wnd || !rect) {
        return FALSE;
    }
    wnd->GetClientRect(rect);
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point) {
    const CWnd* wnd = CWnd::FromHandle(hwnd);
    if (!wnd || !point) {
        return FALSE;
    }
    wnd->ClientToScreen(point);
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT point) {
    const CWnd* wnd = CWnd::FromHandle(hwnd);
    if (!wnd || !point) {
        return FALSE;
    }
    wnd->ScreenToClient(point);
    return TRUE;
}
