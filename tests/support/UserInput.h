#pragma once
// Input as a user gives it, each step followed by the messages it causes, so a test checks
// the state as a user would see it. Fixtures derive from UserInput to call these unqualified.

#include <string>

#include "platform/window/CWnd.h"
#include "platform/window/Input.h"
#include "platform/window/MessageLoop.h"

namespace plat::test {

class UserInput {
public:
    // The screen point of a point in a window's client area.
    static CPoint ScreenPoint(const CWnd& wnd, CPoint client) {
        return plat::input::ScreenPointOf(&wnd, client);
    }

    // At a point of a window's client area.
    static void Click(const CWnd& wnd, CPoint client) { Click(ScreenPoint(wnd, client)); }
    static void MouseDown(const CWnd& wnd, CPoint client) {
        const CPoint at = ScreenPoint(wnd, client);
        plat::input::MouseDown(at.x, at.y);
        plat::PumpMessages();
    }
    static void MouseUp(const CWnd& wnd, CPoint client) {
        const CPoint at = ScreenPoint(wnd, client);
        plat::input::MouseUp(at.x, at.y);
        plat::PumpMessages();
    }
    static void MouseMove(const CWnd& wnd, CPoint client) {
        const CPoint at = ScreenPoint(wnd, client);
        plat::input::MouseMove(at.x, at.y);
        plat::PumpMessages();
    }
    static void Wheel(const CWnd& wnd, CPoint client, int delta) {
        const CPoint at = ScreenPoint(wnd, client);
        plat::input::Wheel(at.x, at.y, delta);
        plat::PumpMessages();
    }

    // At a screen point.
    static void Click(CPoint screen) {
        plat::input::Click(screen.x, screen.y);
        plat::PumpMessages();
    }

    static void Type(const char* text) {
        plat::input::Type(text);
        plat::PumpMessages();
    }
    static void Key(UINT virtualKey) {
        plat::input::Key(virtualKey);
        plat::PumpMessages();
    }
    // A key with Shift (or Control) held.
    static void ShiftKey(UINT virtualKey) { KeyWithHeld(VK_SHIFT, virtualKey); }
    static void ControlKey(UINT virtualKey) { KeyWithHeld(VK_CONTROL, virtualKey); }

    static std::string Text(const CWnd& wnd) {
        CString text;
        wnd.GetWindowText(text);
        return text.str();
    }
    // "" for no window.
    static std::string Text(const CWnd* wnd) { return wnd ? Text(*wnd) : std::string(); }

private:
    static void KeyWithHeld(UINT modifier, UINT virtualKey) {
        plat::input::KeyDown(modifier);
        plat::input::Key(virtualKey);
        plat::input::KeyUp(modifier);
        plat::PumpMessages();
    }
};

}  // namespace plat::test
