#pragma once
// The controls' tests: a test clock, an empty queue and the headless screen; a parent
// window that records what its controls tell it; and input helpers that run the messages
// after each step, so a test checks the state as a user would see it.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/backend/Screen.h"
#include "platform/controls/ControlDefs.h"
#include "platform/controls/MessageBeep.h"
#include "platform/window/CWnd.h"
#include "platform/window/Clock.h"
#include "platform/window/Input.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/WindowDC.h"
#include "tests/support/UserInput.h"

namespace ct {

// A WM_COMMAND notification or a WM_NOTIFY / WM_VSCROLL / WM_HSCROLL, as the parent heard it.
struct Heard {
    UINT message;
    int id;
    UINT code;  // the notification code; the scroll code for WM_VSCROLL / WM_HSCROLL
    int pos;    // NMUPDOWN::iPos, or the scroll position
    int delta;  // NMUPDOWN::iDelta
};

// The controls' parent: a visible pop-up that records notifications. Hooks may answer
// WM_NOTIFY (refuse a spin step) or react to a notification (destroy the control).
class ParentWnd : public CWnd {
public:
    std::vector<Heard> heard;
    std::function<LRESULT(const NMHDR&)> onNotify;
    std::function<void(UINT code)> onCommand;
    // Colours handed to controls on WM_CTLCOLOREDIT; none: the defaults.
    bool customColours = false;
    COLORREF textColour = RGB(0, 0, 0);
    COLORREF fieldColour = RGB(255, 255, 255);

    // The notification codes of WM_COMMAND from control id, in order.
    std::vector<UINT> Codes(int id) const;
    int Count(UINT message) const;
    void Clear() { heard.clear(); }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) override;

private:
    CBrush brush_;
};

class ControlTest : public ::testing::Test, protected plat::test::UserInput {
protected:
    void SetUp() override;
    void TearDown() override;

    static plat::Screen& screen() { return plat::HeadlessScreen(); }

    ParentWnd parent;
};

// A window's pixels as they stand once the waiting messages have run, read at points of
// its client area (At) or of its window rectangle (AtWindow).
class Picture {
public:
    explicit Picture(const CWnd& wnd);
    COLORREF At(int x, int y) const { return AtWindow(x + client_.x, y + client_.y); }
    COLORREF AtWindow(int x, int y) const { return pixels_.GetPixel(x, y); }
    // Pixels of client row y in [x0, x1) that are not colour.
    int CountOtherThan(int y, int x0, int x1, COLORREF colour) const;
    // Pixels of the client rectangle that are colour.
    int CountOf(const CRect& rect, COLORREF colour) const;

private:
    plat::Surface pixels_;
    CPoint client_;  // the client area's origin in the window rectangle
};

// Beeps since the mark.
class BeepCounter {
public:
    BeepCounter() : start_(plat::BeepCount()) {}
    int operator()() const { return plat::BeepCount() - start_; }

private:
    int start_;
};

}  // namespace ct
