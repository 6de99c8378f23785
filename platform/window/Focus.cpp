// Keyboard focus, mouse capture, window activation and enabling.

#include <algorithm>

#include "platform/window/Backend.h"
#include "platform/window/WindowTree_p.h"

namespace plat {
namespace {

struct FocusState {
    HWND focus = nullptr;
    HWND capture = nullptr;
    HWND active = nullptr;
};

FocusState& State() {
    static FocusState state;
    return state;
}

// A window can take the focus when neither it nor an ancestor is disabled or minimised.
bool CanTakeFocus(const CWnd* wnd) {
    for (const CWnd* w = wnd; w && !IsDesktop(w); w = Data(w)->parent) {
        if (Data(w)->style & (WS_DISABLED | WS_MINIMIZE)) {
            return false;
        }
    }
    return true;
}

// The focus moves first, then the old window hears WM_KILLFOCUS and, if the focus is
// still where it was put, the new one WM_SETFOCUS.
HWND MoveFocus(CWnd* wnd) {
    FocusState& state = State();
    const HWND previous = state.focus;
    const HWND next = wnd ? wnd->m_hWnd : nullptr;
    if (previous == next) {
        return previous;
    }
    state.focus = next;
    if (CWnd* old = LookupHandle(previous)) {
        Deliver(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(next), 0);
    }
    if (CWnd* now = LookupHandle(next); now && state.focus == next) {
        Deliver(now, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    }
    return previous;
}

HWND SetFocusTo(CWnd* wnd) {
    if (!wnd) {
        return MoveFocus(nullptr);
    }
    if (IsDesktop(wnd) || !CanTakeFocus(wnd)) {
        return nullptr;
    }
    const HWND hwnd = wnd->m_hWnd;
    CWnd* top = TopLevelOf(wnd);
    if (top && State().active != top->m_hWnd) {
        ActivateTopLevel(top, WA_ACTIVE);
        wnd = LookupHandle(hwnd);
        if (!wnd) {
            return nullptr;
        }
    }
    return MoveFocus(wnd);
}

bool IsOwnedBy(const CWnd* wnd, HWND owner) {
    return owner && Data(wnd)->owner == owner;
}

// The window that takes over when the active one hides or goes: its owner when that can
// be activated, else the topmost visible, enabled top-level window.
CWnd* Successor(const CWnd* leaving) {
    const auto usable = [leaving](const CWnd* w) {
        return w != leaving && IsShowing(w) && !(Data(w)->style & WS_DISABLED) &&
               !(Data(w)->exStyle & WS_EX_NOACTIVATE) && !IsDescendant(leaving, w);
    };
    if (CWnd* owner = LookupHandle(Data(leaving)->owner); owner && usable(owner)) {
        return owner;
    }
    for (CWnd* top : Data(Desktop())->children) {
        if (usable(top)) {
            return top;
        }
    }
    return nullptr;
}

void Deactivate(HWND hwnd, HWND next) {
    if (CWnd* old = LookupHandle(hwnd)) {
        Deliver(old, WM_NCACTIVATE, FALSE, 0);
    }
    if (CWnd* old = LookupHandle(hwnd)) {
        Deliver(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(next));
    }
}

}  // namespace

CWnd* FocusWindow() {
    return LookupHandle(State().focus);
}

void RaiseTopLevel(CWnd* top) {
    LinkAt(Desktop(), top, HWND_TOP);
    // The windows it owns stay above it, in their own order.
    std::vector<CWnd*> owned;
    for (CWnd* w : Data(Desktop())->children) {
        if (IsOwnedBy(w, top->m_hWnd)) {
            owned.push_back(w);
        }
    }
    for (auto it = owned.rbegin(); it != owned.rend(); ++it) {
        RaiseTopLevel(*it);
    }
}

void ActivateTopLevel(CWnd* top, UINT state) {
    FocusState& focus = State();
    const HWND previous = focus.active;
    const HWND hwnd = top->m_hWnd;
    RaiseTopLevel(top);
    NotifyScreenChanged();
    if (previous == hwnd) {
        return;
    }
    focus.active = hwnd;
    Deactivate(previous, hwnd);
    if (CWnd* now = LookupHandle(hwnd); now && focus.active == hwnd) {
        Deliver(now, WM_NCACTIVATE, TRUE, 0);
    }
    if (CWnd* now = LookupHandle(hwnd); now && focus.active == hwnd) {
        const BOOL minimised = (Data(now)->style & WS_MINIMIZE) ? TRUE : FALSE;
        Deliver(now, WM_ACTIVATE, MAKEWPARAM(state, minimised), reinterpret_cast<LPARAM>(previous));
    }
    // The focus belongs inside the active window.
    CWnd* now = LookupHandle(hwnd);
    if (now && focus.active == hwnd && !IsDescendant(now, FocusWindow()) && CanTakeFocus(now)) {
        MoveFocus(now);
    }
}

void ActivateAnother(CWnd* leaving) {
    FocusState& state = State();
    if (state.active != leaving->m_hWnd) {
        return;
    }
    if (CWnd* next = Successor(leaving)) {
        ActivateTopLevel(next, WA_ACTIVE);
        return;
    }
    state.active = nullptr;
    Deactivate(leaving->m_hWnd, nullptr);
    if (IsDescendant(leaving, FocusWindow())) {
        MoveFocus(nullptr);
    }
}

void LeaveFocusAndCapture(CWnd* wnd) {
    const HWND hwnd = wnd->m_hWnd;
    if (CWnd* focus = FocusWindow(); focus && IsDescendant(wnd, focus)) {
        CWnd* parent = Data(wnd)->parent;
        SetFocusTo(IsDesktop(parent) ? nullptr : parent);
    }
    CWnd* self = LookupHandle(hwnd);
    if (CWnd* capture = LookupHandle(State().capture);
        self && capture && IsDescendant(self, capture)) {
        ReleaseCapture();
    }
}

void ForgetWindowState(HWND hwnd) {
    FocusState& state = State();
    for (HWND* slot : {&state.focus, &state.capture, &state.active}) {
        if (*slot == hwnd) {
            *slot = nullptr;
        }
    }
}

}  // namespace plat

using plat::Data;

CWnd* CWnd::SetFocus() {
    return plat::LookupHandle(::SetFocus(m_hWnd));
}

CWnd* CWnd::GetFocus() {
    return plat::FocusWindow();
}

CWnd* CWnd::SetCapture() {
    return plat::LookupHandle(::SetCapture(m_hWnd));
}

CWnd* CWnd::GetCapture() {
    return plat::LookupHandle(plat::State().capture);
}

CWnd* CWnd::SetActiveWindow() {
    return plat::LookupHandle(::SetActiveWindow(m_hWnd));
}

CWnd* CWnd::GetActiveWindow() {
    return plat::LookupHandle(plat::State().active);
}

BOOL CWnd::EnableWindow(BOOL bEnable) {
    plat::WndData* d = Data(this);
    if (!d || plat::IsDesktop(this)) {
        return FALSE;
    }
    const BOOL wasDisabled = (d->style & WS_DISABLED) ? TRUE : FALSE;
    if (static_cast<bool>(bEnable) != static_cast<bool>(wasDisabled)) {
        return wasDisabled;  // no change
    }
    const HWND hwnd = m_hWnd;
    if (bEnable) {
        d->style &= ~WS_DISABLED;
    } else {
        d->style |= WS_DISABLED;
        plat::LeaveFocusAndCapture(this);
    }
    if (CWnd* self = plat::LookupHandle(hwnd)) {
        plat::Deliver(self, WM_ENABLE, bEnable ? TRUE : FALSE, 0);
    }
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const {
    const plat::WndData* d = Data(this);
    return d && !(d->style & WS_DISABLED) ? TRUE : FALSE;
}

// ---- Win32 calls -----------------------------------------------------------------------

HWND GetFocus() {
    return plat::State().focus;
}

HWND SetFocus(HWND hwnd) {
    if (hwnd && !plat::LookupHandle(hwnd)) {
        return nullptr;
    }
    return plat::SetFocusTo(plat::LookupHandle(hwnd));
}

HWND GetCapture() {
    return plat::State().capture;
}

HWND SetCapture(HWND hwnd) {
    CWnd* wnd = plat::LookupHandle(hwnd);
    if (!wnd || plat::IsDesktop(wnd)) {
        return nullptr;
    }
    plat::FocusState& state = plat::State();
    const HWND previous = state.capture;
    state.capture = hwnd;
    if (CWnd* old = plat::LookupHandle(previous); old && previous != hwnd) {
        plat::Deliver(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    }
    return previous;
}

BOOL ReleaseCapture() {
    plat::FocusState& state = plat::State();
    const HWND previous = state.capture;
    state.capture = nullptr;
    if (CWnd* old = plat::LookupHandle(previous)) {
        plat::Deliver(old, WM_CAPTURECHANGED, 0, 0);
    }
    return TRUE;
}

HWND GetActiveWindow() {
    return plat::State().active;
}

HWND SetActiveWindow(HWND hwnd) {
    CWnd* wnd = plat::TopLevelOf(plat::LookupHandle(hwnd));
    if (!wnd) {
        return nullptr;
    }
    const HWND previous = plat::State().active;
    plat::ActivateTopLevel(wnd, WA_ACTIVE);
    return previous;
}

BOOL IsWindowEnabled(HWND hwnd) {
    const CWnd* wnd = plat::LookupHandle(hwnd);
    return wnd ? wnd->IsWindowEnabled() : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    CWnd* wnd = plat::LookupHandle(hwnd);
    return wnd ? wnd->EnableWindow(enable) : FALSE;
}
