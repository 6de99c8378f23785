// Painting: update regions ("invalidate": paint at the next WM_PAINT) and updating now
// (UpdateWindow, RedrawWindow with RDW_UPDATENOW), BeginPaint's work, and the order in
// which the loop asks windows to paint: parents before children, lower siblings first.
//
// An update region is kept as its bounding box: it may repaint a little more than was
// invalidated, never less.

#include "platform/window/Backend.h"
#include "platform/window/FrameStyle.h"
#include "platform/window/WindowDC.h"
#include "platform/window/WindowDC_p.h"
#include "platform/window/WindowTree_p.h"

namespace plat {
namespace {

bool HasFrame(const WndData* d) {
    return d->client != CRect(CPoint(0, 0), d->window.Size());
}

// Children share the update when asked to, or when the parent does not clip them.
bool IncludesChildren(const CWnd* wnd, UINT flags) {
    return (flags & RDW_ALLCHILDREN) ||
           (!(flags & RDW_NOCHILDREN) && !(Data(wnd)->style & WS_CLIPCHILDREN));
}

// Takes rect (client coordinates; nullptr = all) out of the update region as far as a
// bounding box can: all of it, or a band along one side.
void Subtract(CRect& update, const RECT* rect) {
    if (!rect) {
        update.SetRectEmpty();
        return;
    }
    const CRect r(*rect);
    if (r.left <= update.left && r.right >= update.right) {
        if (r.top <= update.top && r.bottom >= update.bottom) {
            update.SetRectEmpty();
        } else if (r.top <= update.top && r.bottom > update.top) {
            update.top = r.bottom;
        } else if (r.bottom >= update.bottom && r.top < update.bottom) {
            update.bottom = r.top;
        }
    } else if (r.top <= update.top && r.bottom >= update.bottom) {
        if (r.left <= update.left && r.right > update.left) {
            update.left = r.right;
        } else if (r.right >= update.right && r.left < update.right) {
            update.right = r.left;
        }
    }
    if (update.IsRectEmpty()) {
        update.SetRectEmpty();
    }
}

// rect in a child's client coordinates, from rect in its parent's.
CRect ToChildClient(const CWnd* child, const CRect& rect) {
    const WndData* c = Data(child);
    return rect - c->window.TopLeft() - c->client.TopLeft();
}

void ValidateClient(CWnd* wnd, const RECT* rect, bool withChildren) {
    WndData* d = Data(wnd);
    Subtract(d->update, rect);
    if (d->update.IsRectEmpty()) {
        d->erase = false;
    }
    d->paintedSinceAsked = true;
    if (!withChildren) {
        return;
    }
    for (CWnd* child : d->children) {
        if (rect) {
            const CRect inChild = ToChildClient(child, *rect);
            ValidateClient(child, &inChild, true);
        } else {
            ValidateClient(child, nullptr, true);
        }
    }
}

HWND FindPaint(const CWnd* wnd) {
    if (!(Data(wnd)->style & WS_VISIBLE)) {
        return nullptr;
    }
    if (NeedsPaint(wnd)) {
        return Data(wnd)->handle;
    }
    const auto& children = Data(wnd)->children;
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (const HWND found = FindPaint(*it)) {
            return found;
        }
    }
    return nullptr;
}

// Sends WM_PAINT now if the window waits for it, then does the same for its children
// (lower siblings first) when asked to.
void UpdateNow(HWND hwnd, bool withChildren) {
    CWnd* wnd = LookupHandle(hwnd);
    if (!wnd || !IsShowing(wnd)) {
        return;
    }
    if (NeedsPaint(wnd)) {
        Data(wnd)->paintedSinceAsked = false;
        Deliver(wnd, WM_PAINT, 0, 0);
        wnd = LookupHandle(hwnd);
        if (!wnd) {
            return;
        }
        if (!Data(wnd)->paintedSinceAsked) {
            ForgetPaint(wnd);
        }
    }
    if (!withChildren) {
        return;
    }
    const std::vector<HWND> children = ChildHandles(wnd);
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        UpdateNow(*it, true);
    }
}

}  // namespace

void InvalidateClient(CWnd* wnd, const RECT* rect, bool erase, bool withChildren) {
    WndData* d = Data(wnd);
    if (!d || IsDesktop(wnd) || !IsShowing(wnd)) {
        return;  // a hidden window is painted whole when it shows
    }
    const CRect all(CPoint(0, 0), d->client.Size());
    const CRect area = rect ? CRect(*rect) & all : all;
    if (!area.IsRectEmpty()) {
        d->update |= area;
        d->erase = d->erase || erase;
    }
    if (!withChildren) {
        return;
    }
    const CRect reach = rect ? CRect(*rect) : all;
    for (CWnd* child : d->children) {
        const CRect overlap = Data(child)->window & reach;
        if (overlap.IsRectEmpty() || !(Data(child)->style & WS_VISIBLE)) {
            continue;
        }
        if (HasFrame(Data(child))) {
            Data(child)->frameDirty = true;
        }
        const CRect inChild = ToChildClient(child, overlap);
        InvalidateClient(child, &inChild, erase, true);
    }
}

void ExposeInParent(CWnd* wnd, const CRect& rect) {
    CWnd* parent = Data(wnd)->parent;
    if (IsDesktop(parent)) {
        NotifyScreenChanged();
        return;
    }
    InvalidateClient(parent, &rect, true, true);
}

bool NeedsPaint(const CWnd* wnd) {
    const WndData* d = Data(wnd);
    return d && !IsDesktop(wnd) && IsShowing(wnd) &&
           (!d->update.IsRectEmpty() || (d->frameDirty && HasFrame(d)));
}

HWND NextWindowToPaint(HWND filter) {
    if (filter) {
        const CWnd* wnd = LookupHandle(filter);
        return wnd && IsShowing(wnd) ? FindPaint(wnd) : nullptr;
    }
    const auto& tops = Data(Desktop())->children;
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        if (const HWND found = FindPaint(*it)) {
            return found;
        }
    }
    return nullptr;
}

void ForgetPaint(CWnd* wnd) {
    WndData* d = Data(wnd);
    d->update.SetRectEmpty();
    d->erase = false;
    d->frameDirty = false;
    d->paintedSinceAsked = true;
}

void BeginPaintOn(CWnd* wnd, CDC& dc, WindowTarget& target, PAINTSTRUCT& ps) {
    const HWND hwnd = wnd->m_hWnd;
    if (Data(wnd)->frameDirty) {
        Data(wnd)->frameDirty = false;
        if (HasFrame(Data(wnd))) {
            Deliver(wnd, WM_NCPAINT, 1, 0);
        }
    }
    wnd = LookupHandle(hwnd);
    WndData* d = Data(wnd);
    if (!d) {
        target.Attach(dc, nullptr, true);
        ps = PAINTSTRUCT{dc.m_hDC, FALSE, RECT{}, FALSE, FALSE, {}};
        return;
    }
    const CRect update = d->update;
    const bool erase = d->erase;
    d->update.SetRectEmpty();
    d->erase = false;
    d->paintedSinceAsked = true;
    target.Attach(dc, wnd, true, &update);
    ps = PAINTSTRUCT{dc.m_hDC, FALSE, update, FALSE, FALSE, {}};
    if (erase) {
        ps.fErase =
            Deliver(wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC), 0) ? FALSE : TRUE;
    }
}

// DefWindowProc(WM_ERASEBKGND): the class brush over what the context may paint.
LRESULT EraseWithClassBrush(const CWnd* wnd, CDC* dc) {
    const WndData* d = Data(wnd);
    const HBRUSH brush = d && d->wndClass ? ResolveBrush(d->wndClass->background) : nullptr;
    if (!brush || !dc) {
        return 0;
    }
    CRect box;
    dc->GetClipBox(&box);
    dc->FillRect(&box, CBrush::FromHandle(brush));
    return 1;
}

// DefWindowProc(WM_NCPAINT).
void PaintFrame(CWnd* wnd) {
    const WndData* d = Data(wnd);
    if (!d || !HasFrame(d)) {
        return;
    }
    const bool active = CWnd::GetActiveWindow() == TopLevelOf(wnd);
    const DWORD style = d->style;
    const DWORD exStyle = d->exStyle;
    const CRect window(CPoint(0, 0), d->window.Size());
    const CString title = d->text;
    CWindowDC dc(wnd);
    style::DrawWindowFrame(dc, window, style, exStyle, active, title);
}

}  // namespace plat

using plat::Data;

void CWnd::Invalidate(BOOL bErase) {
    InvalidateRect(nullptr, bErase);
}

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) {
    RedrawWindow(lpRect, nullptr, RDW_INVALIDATE | (bErase ? RDW_ERASE : 0));
}

void CWnd::ValidateRect(LPCRECT lpRect) {
    RedrawWindow(lpRect, nullptr, RDW_VALIDATE);
}

void CWnd::UpdateWindow() {
    RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags) {
    plat::WndData* d = Data(this);
    if (!d || plat::IsDesktop(this)) {
        return FALSE;
    }
    CRect regionBox;
    if (!lpRectUpdate && prgnUpdate && prgnUpdate->GetRgnBox(&regionBox) != RGN_ERROR) {
        lpRectUpdate = &regionBox;
    }
    const bool withChildren = plat::IncludesChildren(this, flags);
    if (flags & RDW_INVALIDATE) {
        plat::InvalidateClient(this, lpRectUpdate, (flags & RDW_ERASE) && !(flags & RDW_NOERASE),
                               withChildren);
        if ((flags & RDW_FRAME) && plat::HasFrame(d) && plat::IsShowing(this)) {
            d->frameDirty = true;
        }
    }
    if (flags & RDW_VALIDATE) {
        plat::ValidateClient(this, lpRectUpdate, withChildren);
        if (flags & RDW_NOFRAME) {
            d->frameDirty = false;
        }
    }
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
        plat::UpdateNow(m_hWnd, withChildren);
    }
    return TRUE;
}

BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL) {
    const plat::WndData* d = Data(this);
    if (!d) {
        return FALSE;
    }
    if (lpRect) {
        *lpRect = d->update;
    }
    return d->update.IsRectEmpty() ? FALSE : TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    CWnd* wnd = CWnd::FromHandle(hwnd);
    if (!wnd) {
        return FALSE;
    }
    wnd->InvalidateRect(rect, erase);
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
    CWnd* wnd = CWnd::FromHandle(hwnd);
    if (!wnd) {
        return FALSE;
    }
    wnd->ValidateRect(rect);
    return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
    CWnd* wnd = CWnd::FromHandle(hwnd);
    if (!wnd) {
        return FALSE;
    }
    wnd->UpdateWindow();
    return TRUE;
}
