// Input: injected events, the keyboard and button state, the cursor, hit testing, double
// clicks and mouse activation.

#include "platform/window/Input.h"

#include <array>
#include <atomic>
#include <cstdlib>

#include "platform/window/MessageQueue_p.h"
#include "platform/window/WindowTree_p.h"

namespace plat {
namespace {

using KeyStates = std::array<bool, 256>;

struct ClickRecord {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    DWORD time = 0;
    POINT pt{0, 0};
};

struct InputState {
    KeyStates taken{};     // as of the last input message taken from the queue
    KeyStates injected{};  // as of the last event injected
    ClickRecord lastClick;
};

InputState& State() {
    static InputState state;
    return state;
}

// Written by injection, read when messages are posted (possibly from another thread).
std::atomic<LONG> cursorX{0};
std::atomic<LONG> cursorY{0};

UINT ButtonKey(int button) {
    static constexpr UINT kKeys[] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
    return kKeys[button];
}

UINT ButtonDownMessage(int button) {
    static constexpr UINT kMessages[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    return kMessages[button];
}

void Apply(const InputEvent& event, KeyStates& keys) {
    switch (event.kind) {
        case InputEvent::Kind::ButtonDown:
            keys[ButtonKey(event.button)] = true;
            break;
        case InputEvent::Kind::ButtonUp:
            keys[ButtonKey(event.button)] = false;
            break;
        case InputEvent::Kind::KeyDown:
            keys[event.key & 0xFF] = true;
            break;
        case InputEvent::Kind::KeyUp:
            keys[event.key & 0xFF] = false;
            break;
        default:
            break;
    }
}

WPARAM MouseKeyFlags(const KeyStates& keys) {
    WPARAM flags = 0;
    flags |= keys[VK_LBUTTON] ? MK_LBUTTON : 0;
    flags |= keys[VK_RBUTTON] ? MK_RBUTTON : 0;
    flags |= keys[VK_MBUTTON] ? MK_MBUTTON : 0;
    flags |= keys[VK_SHIFT] ? MK_SHIFT : 0;
    flags |= keys[VK_CONTROL] ? MK_CONTROL : 0;
    return flags;
}

// The deepest window under a screen point that may have mouse input, nullptr when none.
CWnd* Descend(CWnd* wnd, POINT screen) {
    const CPoint origin = ClientOriginOnScreen(wnd);
    const CRect client(origin, Data(wnd)->client.Size());
    if (!client.PtInRect(screen)) {
        return wnd;
    }
    const CPoint local = Offset(screen, origin);
    for (CWnd* child : Data(wnd)->children) {
        const WndData* c = Data(child);
        if (!(c->style & WS_VISIBLE) || (c->exStyle & WS_EX_TRANSPARENT) ||
            !c->window.PtInRect(local)) {
            continue;
        }
        // A disabled child lets its parent have the event.
        return (c->style & WS_DISABLED) ? wnd : Descend(child, screen);
    }
    return wnd;
}

CWnd* WindowAtPoint(POINT screen) {
    for (CWnd* top : Data(Desktop())->children) {
        if (!IsShowing(top) || !Data(top)->window.PtInRect(screen)) {
            continue;
        }
        return (Data(top)->style & WS_DISABLED) ? nullptr : Descend(top, screen);
    }
    return nullptr;
}

LPARAM PackPoint(POINT p) {
    return MAKELPARAM(p.x, p.y);
}

// The second press of a button counts as a double click when it hits the same window
// with the same keys within the double-click time and less than half the double-click
// rectangle away from the first.
bool IsDoubleClick(const CWnd* target, UINT message, WPARAM wParam, const InputEvent& event) {
    const ClickRecord& last = State().lastClick;
    const WndData* d = Data(target);
    return d->wndClass && (d->wndClass->style & CS_DBLCLKS) && last.hwnd == d->handle &&
           last.message == message && last.wParam == wParam &&
           event.time - last.time < GetDoubleClickTime() &&
           std::abs(event.pt.x - last.pt.x) < GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
           std::abs(event.pt.y - last.pt.y) < GetSystemMetrics(SM_CYDOUBLECLK) / 2;
}

// A press in a window whose top-level window is not active asks WM_MOUSEACTIVATE; the
// answer may activate it and may eat the press. False when the press is eaten.
bool MouseActivate(HWND target, int hit, UINT message) {
    CWnd* wnd = LookupHandle(target);
    CWnd* top = TopLevelOf(wnd);
    if (!top || CWnd::GetActiveWindow() == top) {
        return true;
    }
    const HWND topHandle = top->m_hWnd;
    const LRESULT answer = Deliver(wnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(topHandle),
                                   MAKELPARAM(hit, message));
    if (answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) {
        if (CWnd* t = LookupHandle(topHandle)) {
            ActivateTopLevel(t, WA_CLICKACTIVE);
        }
    }
    return answer != MA_ACTIVATEANDEAT && answer != MA_NOACTIVATEANDEAT &&
           LookupHandle(target) != nullptr;
}

std::optional<MSG> KeyboardMessage(const InputEvent& event, const KeyStates& before) {
    const CWnd* focus = FocusWindow();
    if (!focus) {
        return std::nullopt;
    }
    MSG msg{focus->m_hWnd, 0, 0, 0, event.time, event.pt};
    if (event.kind == InputEvent::Kind::Char) {
        msg.message = WM_CHAR;
        msg.wParam = static_cast<unsigned char>(event.key);
        msg.lParam = 1;
        return msg;
    }
    const bool up = event.kind == InputEvent::Kind::KeyUp;
    const bool wasDown = before[event.key & 0xFF];
    msg.message = up ? WM_KEYUP : WM_KEYDOWN;
    msg.wParam = event.key;
    // Repeat count 1; bit 30 the previous state; bit 31 set on release.
    msg.lParam = static_cast<LPARAM>(1u | ((up || wasDown) ? 1u << 30 : 0u) | (up ? 1u << 31 : 0u));
    return msg;
}

std::optional<MSG> WheelMessage(const InputEvent& event, const KeyStates& keys) {
    const CWnd* target = FocusWindow();
    if (!target) {
        target = WindowAtPoint(event.pt);
    }
    if (!target) {
        return std::nullopt;
    }
    return MSG{target->m_hWnd,
               WM_MOUSEWHEEL,
               MAKEWPARAM(static_cast<int>(MouseKeyFlags(keys)), event.delta),
               PackPoint(event.pt),
               event.time,
               event.pt};
}

std::optional<MSG> MouseMessage(const InputEvent& event, const KeyStates& keys, bool commit) {
    CWnd* capture = CWnd::GetCapture();
    CWnd* target = capture ? capture : WindowAtPoint(event.pt);
    if (!target) {
        return std::nullopt;
    }
    const HWND hwnd = target->m_hWnd;
    int hit = HTCLIENT;
    if (!capture) {
        hit = commit ? static_cast<int>(Deliver(target, WM_NCHITTEST, 0, PackPoint(event.pt)))
                     : static_cast<int>(HitTestFrame(target, event.pt));
        target = LookupHandle(hwnd);
        if (!target) {
            return std::nullopt;
        }
    }
    UINT message = WM_MOUSEMOVE;
    if (event.kind == InputEvent::Kind::ButtonDown) {
        message = ButtonDownMessage(event.button);
    } else if (event.kind == InputEvent::Kind::ButtonUp) {
        message = ButtonDownMessage(event.button) + 1;
    }
    const bool down = event.kind == InputEvent::Kind::ButtonDown;
    if (down && commit && !MouseActivate(hwnd, hit, message)) {
        return std::nullopt;
    }
    target = LookupHandle(hwnd);
    if (!target) {
        return std::nullopt;
    }
    if (hit != HTCLIENT) {
        return MSG{hwnd,
                   WM_NCMOUSEMOVE + (message - WM_MOUSEMOVE),
                   static_cast<WPARAM>(hit),
                   PackPoint(event.pt),
                   event.time,
                   event.pt};
    }
    const WPARAM flags = MouseKeyFlags(keys);
    if (down && IsDoubleClick(target, message, flags, event)) {
        if (commit) {
            State().lastClick = ClickRecord{};
        }
        message += 2;  // the DBLCLK message of the button
    } else if (down && commit) {
        State().lastClick = ClickRecord{hwnd, message, flags, event.time, event.pt};
    }
    const CPoint client = Offset(event.pt, ClientOriginOnScreen(target));
    return MSG{hwnd, message, flags, PackPoint(client), event.time, event.pt};
}

void Inject(InputEvent event) {
    event.time = GetTickCount();
    if (event.kind != InputEvent::Kind::KeyDown && event.kind != InputEvent::Kind::KeyUp &&
        event.kind != InputEvent::Kind::Char) {
        cursorX.store(event.pt.x);
        cursorY.store(event.pt.y);
    } else {
        event.pt = POINT{cursorX.load(), cursorY.load()};
    }
    Apply(event, State().injected);
    QueueInput(event);
}

}  // namespace

LRESULT HitTestFrame(const CWnd* wnd, POINT screen) {
    const WndData* d = Data(wnd);
    const CPoint origin = ClientOriginOnScreen(wnd);
    const CPoint parentOrigin(origin.x - d->window.left - d->client.left,
                              origin.y - d->window.top - d->client.top);
    const CRect window = d->window + parentOrigin;
    if (!window.PtInRect(screen)) {
        return HTNOWHERE;
    }
    if (CRect(origin, d->client.Size()).PtInRect(screen)) {
        return HTCLIENT;
    }
    if ((d->style & WS_CAPTION) == WS_CAPTION) {
        const int edge = FrameEdge(d->style, d->exStyle);
        const int captionTop = window.top + edge;
        if (screen.y >= captionTop && screen.y < captionTop + GetSystemMetrics(SM_CYCAPTION) &&
            screen.x >= window.left + edge && screen.x < window.right - edge) {
            return HTCAPTION;
        }
    }
    return HTBORDER;
}

std::optional<MSG> InputToMessage(const InputEvent& event, bool commit) {
    InputState& state = State();
    const KeyStates before = state.taken;
    KeyStates keys = before;
    Apply(event, keys);
    if (commit) {
        state.taken = keys;
    }
    switch (event.kind) {
        case InputEvent::Kind::Char:
        case InputEvent::Kind::KeyDown:
        case InputEvent::Kind::KeyUp:
            return KeyboardMessage(event, before);
        case InputEvent::Kind::Wheel:
            return WheelMessage(event, keys);
        default:
            return MouseMessage(event, keys, commit);
    }
}

}  // namespace plat

namespace plat::input {

void MouseMove(int x, int y) {
    Inject({InputEvent::Kind::MouseMove, 0, {x, y}, 0, 0, 0});
}

void MouseDown(int x, int y, Button button) {
    Inject({InputEvent::Kind::ButtonDown, static_cast<int>(button), {x, y}, 0, 0, 0});
}

void MouseUp(int x, int y, Button button) {
    Inject({InputEvent::Kind::ButtonUp, static_cast<int>(button), {x, y}, 0, 0, 0});
}

void Click(int x, int y, Button button) {
    MouseDown(x, y, button);
    MouseUp(x, y, button);
}

void Wheel(int x, int y, int delta) {
    Inject({InputEvent::Kind::Wheel, 0, {x, y}, delta, 0, 0});
}

void KeyDown(UINT virtualKey) {
    Inject({InputEvent::Kind::KeyDown, 0, {}, 0, virtualKey & 0xFF, 0});
}

void KeyUp(UINT virtualKey) {
    Inject({InputEvent::Kind::KeyUp, 0, {}, 0, virtualKey & 0xFF, 0});
}

void Key(UINT virtualKey) {
    KeyDown(virtualKey);
    KeyUp(virtualKey);
}

void Char(char ch) {
    Inject({InputEvent::Kind::Char, 0, {}, 0, static_cast<unsigned char>(ch), 0});
}

void Type(const char* text) {
    for (const char* p = text; p && *p; ++p) {
        Char(*p);
    }
}

void ResetState() {
    State() = InputState{};
}

POINT ScreenPointOf(const CWnd* wnd, POINT client) {
    return CPoint(client) + (Data(wnd) ? ClientOriginOnScreen(wnd) : CPoint());
}

}  // namespace plat::input

CWnd* CWnd::WindowFromPoint(POINT point) {
    return plat::WindowAtPoint(point);
}

HWND WindowFromPoint(POINT point) {
    const CWnd* wnd = plat::WindowAtPoint(point);
    return wnd ? wnd->m_hWnd : nullptr;
}

SHORT GetKeyState(int virtualKey) {
    return plat::State().taken[virtualKey & 0xFF] ? static_cast<SHORT>(0x8000) : 0;
}

SHORT GetAsyncKeyState(int virtualKey) {
    return plat::State().injected[virtualKey & 0xFF] ? static_cast<SHORT>(0x8000) : 0;
}

BOOL GetCursorPos(LPPOINT point) {
    if (!point) {
        return FALSE;
    }
    *point = POINT{plat::cursorX.load(), plat::cursorY.load()};
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    plat::cursorX.store(x);
    plat::cursorY.store(y);
    return TRUE;
}
