#pragma once
// The window tests' fixture (test clock, empty queue, headless screen) and windows that
// record what they hear.

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/backend/Screen.h"
#include "platform/window/CWnd.h"
#include "platform/window/Clock.h"
#include "platform/window/Input.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/WindowDC.h"

// Readable failures: rectangles print their numbers.
void PrintTo(const CRect& rect, std::ostream* out);

namespace wt {

struct Heard {
    std::string who;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Every LogWnd's messages in the order they arrived, across windows.
std::vector<Heard>& Journal();
// The names of the windows that got the messages among only, in order, blank-separated.
std::string WhoGot(const std::vector<UINT>& only);

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static plat::Screen& screen() { return plat::HeadlessScreen(); }
};

// A window that records every message and can react to them through a hook.
class LogWnd : public CWnd {
public:
    explicit LogWnd(std::string name = "wnd") : name_(std::move(name)) {}

    std::vector<Heard> log;
    // Runs before the normal processing; answering true makes result the message's result.
    std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)> hook;

    // Sets a hook that runs act for one message and lets the message go on.
    void On(UINT message, std::function<void(WPARAM)> act);
    int Count(UINT message) const;
    std::vector<UINT> Messages(const std::vector<UINT>& only = {}) const;
    std::vector<WPARAM> WParams(UINT message) const;
    // The last message of that number; if none came, one whose parameters are all ones.
    const Heard& Last(UINT message) const;
    void Clear() { log.clear(); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::string name_;
};

// A window whose paint fills its client area with one colour (and counts paints).
class FillWnd : public LogWnd {
public:
    FillWnd(std::string name, COLORREF colour) : LogWnd(std::move(name)), colour(colour) {}

    COLORREF colour;
    int paints = 0;
    CRect lastPaint;

protected:
    void OnPaint() override;
};

// A class without a background brush, one with CS_DBLCLKS, one with the window brush.
inline LPCTSTR BareClass() {
    return AfxRegisterWndClass(0);
}
inline LPCTSTR DoubleClickClass() {
    return AfxRegisterWndClass(CS_DBLCLKS);
}
inline LPCTSTR PlainClass() {
    return AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
}

// Pop-ups and children, visible unless told otherwise.
inline bool MakePopup(CWnd& wnd, const CRect& rect, DWORD style = WS_VISIBLE, LPCTSTR cls = nullptr,
                      DWORD exStyle = 0) {
    return wnd.CreateEx(exStyle, cls, "popup", WS_POPUP | style, rect, nullptr, 0) != FALSE;
}
inline bool MakeChild(CWnd& wnd, CWnd& parent, const CRect& rect, DWORD style = WS_VISIBLE,
                      LPCTSTR cls = nullptr, UINT id = 0) {
    return wnd.CreateEx(0, cls, "child", WS_CHILD | style, rect, &parent, id) != FALSE;
}

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 160, 0);

}  // namespace wt
