#pragma once
// The window tree's private state and the helpers the window layer's files share.
// Private to the window layer.
//
// The tree hangs from a desktop window (the screen): its children are the top-level
// windows. Each top-level window owns a backing surface with its pixels; its descendants
// draw into that surface, and the backend composes the surfaces on the screen.

#include <memory>
#include <vector>

#include "platform/gdi/Surface.h"
#include "platform/window/CWnd.h"
#include "platform/window/WndClass_p.h"

namespace plat {

struct ModalFrame;

struct WndData {
    HWND handle = nullptr;
    CWnd* parent = nullptr;       // the desktop for top-level windows
    HWND owner = nullptr;         // the owner of a top-level window
    std::vector<CWnd*> children;  // z-order, topmost first
    const WndClassInfo* wndClass = nullptr;
    CString text;
    DWORD style = 0;
    DWORD exStyle = 0;
    UINT id = 0;
    LONG_PTR userData = 0;
    CRect window;    // parent's client coordinates (screen for top-level windows)
    CRect client;    // window coordinates: (0, 0) is the window's top-left corner
    CRect restored;  // the window rectangle before maximising or minimising
    HFONT font = nullptr;
    CRect update;        // client coordinates; empty when nothing needs painting
    bool erase = false;  // the update region wants WM_ERASEBKGND
    bool frameDirty = false;
    bool paintedSinceAsked = false;  // BeginPaint or validation after WM_PAINT was sent
    bool destroying = false;
    std::shared_ptr<Surface> backing;  // top-level windows only; contexts share it
    ModalFrame* modal = nullptr;       // the modal loop this window runs, if any
};

// Friend of CWnd: the one way in to its private state.
struct WndAccess {
    static WndData* Data(const CWnd* wnd) { return wnd ? wnd->d_.get() : nullptr; }
    static void Adopt(CWnd* wnd, std::unique_ptr<WndData> data) { wnd->d_ = std::move(data); }
    static std::unique_ptr<WndData> Release(CWnd* wnd) { return std::move(wnd->d_); }
};

inline WndData* Data(const CWnd* wnd) {
    return WndAccess::Data(wnd);
}

// a moved back by b: a point in the coordinates whose origin is b.
inline CPoint Offset(POINT a, POINT b) {
    return CPoint(a.x - b.x, a.y - b.y);
}

// ---- Handles (WindowTree.cpp)
HWND RegisterHandle(CWnd* wnd);
void UnregisterHandle(HWND hwnd);
CWnd* LookupHandle(HWND hwnd);
CWnd* Desktop();
bool IsDesktop(const CWnd* wnd);
// Every live window (desktop excluded): for tests and for the loop's paint search.
std::vector<HWND> AllWindows();

// ---- Tree queries (WindowTree.cpp)
bool IsTopLevel(const CWnd* wnd);
CWnd* TopLevelOf(const CWnd* wnd);  // the ancestor just below the desktop (or wnd)
bool IsDescendant(const CWnd* ancestor, const CWnd* wnd);  // wnd inside ancestor, or equal
// Ancestors and wnd itself have WS_VISIBLE (what IsWindowVisible answers).
bool IsVisibleChain(const CWnd* wnd);
// Visible, and the top-level window not minimised: on the screen, painted, hit by the
// mouse.
bool IsShowing(const CWnd* wnd);
// Ancestors and wnd itself enabled.
bool IsEnabledChain(const CWnd* wnd);
void Unlink(CWnd* wnd);
void LinkAt(CWnd* parent, CWnd* wnd, HWND insertAfter);
std::vector<HWND> ChildHandles(const CWnd* wnd);  // topmost first

// ---- Geometry (WindowGeometry.cpp)
// The client origin in screen coordinates.
CPoint ClientOriginOnScreen(const CWnd* wnd);
// Rectangles in the coordinates of the top-level window's backing surface.
CRect WindowRectOnTop(const CWnd* wnd);
CRect ClientRectOnTop(const CWnd* wnd);
// Recomputes the client area with WM_NCCALCSIZE.
void RecalcClient(CWnd* wnd);
void ResizeBacking(CWnd* wnd);
// The one place where a window's rectangle, z-order and visibility change (SetWindowPos).
BOOL PositionWindow(CWnd* wnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
// DefWindowProc's parts: WM_WINDOWPOSCHANGED sends WM_MOVE and WM_SIZE;
// WM_WINDOWPOSCHANGING keeps frames between their track sizes.
void SendMoveAndSize(CWnd* wnd, const WINDOWPOS& pos);
void ApplyTrackSizes(CWnd* wnd, WINDOWPOS& pos);
// Asks the window (WM_GETMINMAXINFO) about its maximised place and track sizes.
MINMAXINFO MinMaxOf(CWnd* wnd);
// The standard frame of a style: what DefWindowProc(WM_NCCALCSIZE) subtracts.
CRect FrameInsets(DWORD style, DWORD exStyle);
// The width of the outer frame alone (border, dialog or thick frame): what a maximised
// window hangs off the screen, and where its caption starts.
int FrameEdge(DWORD style, DWORD exStyle);

// ---- Painting (WindowPaint.cpp)
// Adds rect (client coordinates; nullptr = all) to the update region.
void InvalidateClient(CWnd* wnd, const RECT* rect, bool erase, bool withChildren);
// Marks rect (parent client coordinates) for repainting in the parent and in every child
// of it that the rectangle touches (after a child moved, hid or changed order).
void ExposeInParent(CWnd* wnd, const CRect& rect);
bool NeedsPaint(const CWnd* wnd);
// The first window waiting for WM_PAINT, parents before children, nullptr when none.
HWND NextWindowToPaint(HWND filter);
void ForgetPaint(CWnd* wnd);
// DefWindowProc's painting: the class brush under WM_ERASEBKGND, the frame under
// WM_NCPAINT.
LRESULT EraseWithClassBrush(const CWnd* wnd, CDC* dc);
void PaintFrame(CWnd* wnd);
void ReleaseWindowDCs(CWnd* wnd);

// ---- Input (Input.cpp)
// DefWindowProc(WM_NCHITTEST): client, caption, border or nowhere.
LRESULT HitTestFrame(const CWnd* wnd, POINT screen);

// ---- Focus, capture, activation (Focus.cpp)
// Called before a window hides or goes away: moves focus and capture off it.
void LeaveFocusAndCapture(CWnd* wnd);
void ForgetWindowState(HWND hwnd);  // after destruction
CWnd* FocusWindow();
// Makes a top-level window the active one (WA_ACTIVE or WA_CLICKACTIVE): it comes to the
// top with its owned windows, hears WM_NCACTIVATE and WM_ACTIVATE, the old one too.
void ActivateTopLevel(CWnd* top, UINT state);
// The active window is hiding or going: the next visible top-level window takes over.
void ActivateAnother(CWnd* leaving);
// Raises a top-level window and the windows it owns.
void RaiseTopLevel(CWnd* top);

// ---- Dispatch (WindowDispatch.cpp)
// The one entry into a window: records the current message and calls WindowProc.
LRESULT Deliver(CWnd* wnd, UINT message, WPARAM wParam, LPARAM lParam);

// ---- Queue cleanup (MessageLoop.cpp)
void ForgetQueuedFor(HWND hwnd);
void KillTimersOf(HWND hwnd);
void EndModalLoopsOf(CWnd* wnd);

}  // namespace plat
