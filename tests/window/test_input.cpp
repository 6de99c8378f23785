// Input: which window a click reaches, the parameters it carries, capture, double clicks,
// the wheel, keys, focus and activation.

#include "WindowTestSupport.h"

namespace wt {
namespace {

using plat::input::Button;

// A pop-up at (100, 100) with two overlapping children; upper was made last and lies on
// top.
class InputTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(MakePopup(top, CRect(100, 100, 300, 300)));
        ASSERT_TRUE(MakeChild(lower, top, CRect(10, 10, 110, 110), 1));
        ASSERT_TRUE(MakeChild(upper, top, CRect(50, 50, 150, 150), 2));
        plat::PumpMessages();
        Journal().clear();
        for (LogWnd* w : {&top, &lower, &upper}) {
            w->Clear();
        }
    }

    LogWnd top{"top"};
    LogWnd lower{"lower"};
    LogWnd upper{"upper"};
};

TEST_F(InputTest, AClickReachesTheTopmostChildWithClientCoordinates) {
    plat::input::Click(160, 170);  // inside both children
    plat::PumpMessages();
    EXPECT_EQ(lower.Count(WM_LBUTTONDOWN), 0);
    ASSERT_NE(upper.Last(WM_LBUTTONDOWN), nullptr);
    EXPECT_EQ(upper.Last(WM_LBUTTONDOWN)->lParam, MAKELPARAM(10, 20));
    EXPECT_EQ(upper.Last(WM_LBUTTONDOWN)->wParam, MK_LBUTTON);
    EXPECT_EQ(upper.Last(WM_LBUTTONUP)->wParam, 0u);  // the button is up by then
    EXPECT_EQ(upper.Messages({WM_NCHITTEST, WM_LBUTTONDOWN, WM_LBUTTONUP}),
              std::vector<UINT>({WM_NCHITTEST, WM_LBUTTONDOWN, WM_NCHITTEST, WM_LBUTTONUP}));

    plat::input::Click(120, 120, Button::Right);  // only the lower child there
    plat::PumpMessages();
    ASSERT_NE(lower.Last(WM_RBUTTONDOWN), nullptr);
    EXPECT_EQ(lower.Last(WM_RBUTTONDOWN)->lParam, MAKELPARAM(10, 10));
    EXPECT_EQ(lower.Last(WM_RBUTTONDOWN)->wParam, MK_RBUTTON);

    plat::input::MouseMove(105, 106);  // the pop-up itself
    plat::PumpMessages();
    EXPECT_EQ(top.Last(WM_MOUSEMOVE)->lParam, MAKELPARAM(5, 6));
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_EQ(CPoint(cursor), CPoint(105, 106));
}

TEST_F(InputTest, HiddenWindowsArePassedOverAndDisabledChildrenLeaveTheClickToTheParent) {
    upper.ShowWindow(SW_HIDE);
    plat::input::Click(160, 170);
    plat::PumpMessages();
    EXPECT_EQ(upper.Count(WM_LBUTTONDOWN), 0);
    EXPECT_EQ(lower.Count(WM_LBUTTONDOWN), 1);

    upper.ShowWindow(SW_SHOW);
    upper.EnableWindow(FALSE);
    plat::input::Click(160, 170);
    plat::PumpMessages();
    EXPECT_EQ(upper.Count(WM_LBUTTONDOWN), 0);
    EXPECT_EQ(lower.Count(WM_LBUTTONDOWN), 1);
    ASSERT_EQ(top.Count(WM_LBUTTONDOWN), 1);
    EXPECT_EQ(top.Last(WM_LBUTTONDOWN)->lParam, MAKELPARAM(60, 70));

    top.EnableWindow(FALSE);  // a disabled top-level window takes nothing
    plat::input::Click(160, 170);
    plat::input::Click(500, 500);  // and nobody is over the desktop
    plat::PumpMessages();
    EXPECT_EQ(top.Count(WM_LBUTTONDOWN), 1);
    EXPECT_EQ(JournalOf({WM_LBUTTONDOWN}).size(), 2u);
}

TEST_F(InputTest, CaptureTakesTheMouseWhereverItIs) {
    lower.hook = [this](UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == WM_LBUTTONDOWN) {
            lower.SetCapture();
        }
        return false;
    };
    // Queued together: the capture taken by the first event decides the second one.
    plat::input::MouseDown(115, 115);
    plat::input::MouseMove(200, 210);
    plat::input::MouseMove(20, 30);
    plat::PumpMessages();
    EXPECT_EQ(CWnd::GetCapture(), &lower);
    EXPECT_EQ(upper.Count(WM_MOUSEMOVE), 0);
    ASSERT_EQ(lower.Count(WM_MOUSEMOVE), 2);
    const Heard* last = lower.Last(WM_MOUSEMOVE);
    EXPECT_EQ(GET_X_LPARAM(last->lParam), 20 - 110);  // left of the window: negative
    EXPECT_EQ(GET_Y_LPARAM(last->lParam), 30 - 110);
    EXPECT_EQ(last->wParam, MK_LBUTTON);

    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    ASSERT_NE(lower.Last(WM_CAPTURECHANGED), nullptr);
    EXPECT_EQ(lower.Last(WM_CAPTURECHANGED)->lParam, 0);
    plat::input::MouseMove(200, 210);
    plat::PumpMessages();
    EXPECT_EQ(upper.Count(WM_MOUSEMOVE), 1);
}

TEST_F(InputTest, TakingTheCaptureTellsTheWindowThatLosesIt) {
    EXPECT_EQ(lower.SetCapture(), nullptr);
    EXPECT_EQ(upper.SetCapture(), &lower);
    ASSERT_NE(lower.Last(WM_CAPTURECHANGED), nullptr);
    EXPECT_EQ(lower.Last(WM_CAPTURECHANGED)->lParam, reinterpret_cast<LPARAM>(upper.m_hWnd));
    upper.ShowWindow(SW_HIDE);  // hiding lets the capture go
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(upper.Count(WM_CAPTURECHANGED), 1);
}

class DoubleClickTest : public WindowTest {
protected:
    std::vector<UINT> Buttons(const LogWnd& wnd) const {
        return wnd.Messages({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK});
    }
};

TEST_F(DoubleClickTest, TwoQuickClicksMakeADoubleClickOnlyWithTheClassStyle) {
    LogWnd with("with");
    LogWnd without("without");
    ASSERT_TRUE(MakePopup(with, CRect(0, 0, 100, 100), WS_POPUP | WS_VISIBLE, DoubleClickClass()));
    ASSERT_TRUE(MakePopup(without, CRect(200, 0, 300, 100), WS_POPUP | WS_VISIBLE, PlainClass()));

    plat::input::Click(50, 50);
    plat::AdvanceTestClock(100);
    plat::input::Click(51, 49);
    plat::input::Click(250, 50);
    plat::input::Click(250, 50);
    plat::PumpMessages();
    EXPECT_EQ(Buttons(with),
              std::vector<UINT>({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}));
    EXPECT_EQ(Buttons(without),
              std::vector<UINT>({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}));
    EXPECT_EQ(with.Last(WM_LBUTTONDBLCLK)->wParam, MK_LBUTTON);
    EXPECT_EQ(with.Last(WM_LBUTTONDBLCLK)->lParam, MAKELPARAM(51, 49));
}

TEST_F(DoubleClickTest, TooSlowTooFarOrAThirdClickIsASingleClick) {
    LogWnd wnd;
    ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 100, 100), WS_POPUP | WS_VISIBLE, DoubleClickClass()));
    const auto clicks = [&](int dx, int waitMs) {
        wnd.Clear();
        plat::input::Click(50, 50);
        plat::AdvanceTestClock(waitMs);
        plat::input::Click(50 + dx, 50);
        plat::PumpMessages();
        plat::AdvanceTestClock(1000);  // the next pair starts fresh
        return wnd.Count(WM_LBUTTONDBLCLK);
    };
    EXPECT_EQ(clicks(0, 499), 1);
    EXPECT_EQ(clicks(0, 500), 0);  // the double-click time has passed
    EXPECT_EQ(clicks(1, 0), 1);
    EXPECT_EQ(clicks(2, 0), 0);  // half the 4-pixel rectangle away

    wnd.Clear();
    for (int i = 0; i < 3; ++i) {
        plat::input::Click(50, 50);
    }
    plat::PumpMessages();
    EXPECT_EQ(Buttons(wnd), std::vector<UINT>({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                                               WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}));

    wnd.Clear();  // a right click between breaks a left pair
    plat::AdvanceTestClock(1000);
    plat::input::Click(50, 50);
    plat::input::Click(50, 50, Button::Right);
    plat::input::Click(50, 50);
    plat::PumpMessages();
    EXPECT_EQ(wnd.Count(WM_LBUTTONDBLCLK), 0);
}

TEST_F(InputTest, ARightButtonReleaseAsksForAContextMenuUpTheParents) {
    plat::input::Click(160, 170, Button::Right);
    plat::PumpMessages();
    ASSERT_NE(upper.Last(WM_CONTEXTMENU), nullptr);
    ASSERT_NE(top.Last(WM_CONTEXTMENU), nullptr);  // the child left it to its parent
    EXPECT_EQ(top.Last(WM_CONTEXTMENU)->wParam, reinterpret_cast<WPARAM>(upper.m_hWnd));
    EXPECT_EQ(top.Last(WM_CONTEXTMENU)->lParam, MAKELPARAM(160, 170));  // screen coordinates
}

TEST_F(InputTest, TheWheelGoesToTheFocusAndUpToAParentThatWantsIt) {
    lower.SetFocus();
    plat::input::KeyDown(VK_CONTROL);
    plat::input::Wheel(250, 250, -WHEEL_DELTA);
    plat::input::KeyUp(VK_CONTROL);
    plat::PumpMessages();
    ASSERT_NE(lower.Last(WM_MOUSEWHEEL), nullptr);
    const Heard* wheel = top.Last(WM_MOUSEWHEEL);
    ASSERT_NE(wheel, nullptr);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel->wParam), -WHEEL_DELTA);
    EXPECT_EQ(GET_KEYSTATE_WPARAM(wheel->wParam), MK_CONTROL);
    EXPECT_EQ(wheel->lParam, MAKELPARAM(250, 250));
}

TEST_F(InputTest, KeysGoToTheFocusWindowWithTheirFlags) {
    SetFocus(nullptr);
    plat::input::Key('X');  // no focus: dropped
    plat::PumpMessages();
    EXPECT_TRUE(JournalOf({WM_KEYDOWN}).empty());

    upper.SetFocus();
    plat::input::KeyDown(VK_DOWN);
    plat::input::KeyDown(VK_DOWN);  // held: the repeat has the previous-state bit
    plat::input::KeyUp(VK_DOWN);
    plat::PumpMessages();
    std::vector<LPARAM> flags;
    for (const Heard& h : upper.log) {
        if (h.message == WM_KEYDOWN || h.message == WM_KEYUP) {
            EXPECT_EQ(h.wParam, VK_DOWN);
            flags.push_back(h.lParam);
        }
    }
    EXPECT_EQ(flags,
              std::vector<LPARAM>({0x00000001, 0x40000001, static_cast<LPARAM>(0xC0000001u)}));
    EXPECT_EQ(GetKeyState(VK_DOWN), 0);
}

TEST_F(InputTest, MouseMessagesCarryTheKeyState) {
    plat::input::KeyDown(VK_SHIFT);
    EXPECT_LT(GetAsyncKeyState(VK_SHIFT), 0);  // at once
    EXPECT_EQ(GetKeyState(VK_SHIFT), 0);       // once the loop has taken it
    plat::input::MouseDown(120, 120, Button::Right);
    plat::PumpMessages();
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    EXPECT_LT(GetKeyState(VK_RBUTTON), 0);
    EXPECT_EQ(lower.Last(WM_RBUTTONDOWN)->wParam, MK_RBUTTON | MK_SHIFT);
    plat::input::MouseUp(120, 120, Button::Right);
    plat::input::KeyUp(VK_SHIFT);
    plat::PumpMessages();
    EXPECT_EQ(GetKeyState(VK_RBUTTON), 0);
}

TEST_F(InputTest, FocusMovesWithKillThenSetFocus) {
    EXPECT_EQ(lower.SetFocus(), &top);  // activation put the focus on the pop-up
    HWND focusDuringKill = nullptr;
    lower.hook = [&focusDuringKill](UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == WM_KILLFOCUS) {
            focusDuringKill = GetFocus();
        }
        return false;
    };
    Journal().clear();
    EXPECT_EQ(upper.SetFocus(), &lower);
    EXPECT_EQ(
        JournalOf({WM_SETFOCUS, WM_KILLFOCUS}),
        std::vector<std::string>({Entry("lower", WM_KILLFOCUS), Entry("upper", WM_SETFOCUS)}));
    EXPECT_EQ(lower.Last(WM_KILLFOCUS)->wParam, reinterpret_cast<WPARAM>(upper.m_hWnd));
    EXPECT_EQ(upper.Last(WM_SETFOCUS)->wParam, reinterpret_cast<WPARAM>(lower.m_hWnd));
    EXPECT_EQ(focusDuringKill, upper.m_hWnd);
    EXPECT_EQ(CWnd::GetFocus(), &upper);

    Journal().clear();
    EXPECT_EQ(upper.SetFocus(), &upper);  // already there: no messages
    EXPECT_TRUE(Journal().empty());
}

TEST_F(InputTest, FocusLeavesWindowsThatHideGoOrAreDisabled) {
    upper.SetFocus();
    upper.ShowWindow(SW_HIDE);
    EXPECT_EQ(CWnd::GetFocus(), &top);  // to the parent

    lower.SetFocus();
    lower.EnableWindow(FALSE);
    EXPECT_EQ(CWnd::GetFocus(), &top);
    EXPECT_EQ(lower.SetFocus(), nullptr);  // a disabled window cannot take it
    EXPECT_EQ(CWnd::GetFocus(), &top);
    EXPECT_EQ(lower.Count(WM_ENABLE), 1);
    EXPECT_TRUE(lower.EnableWindow(TRUE));  // answers: it was disabled
    EXPECT_FALSE(lower.EnableWindow(TRUE));

    lower.SetFocus();
    lower.DestroyWindow();
    EXPECT_EQ(CWnd::GetFocus(), &top);
    top.DestroyWindow();
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(InputTest, AClickOnAnInactiveWindowAsksAndActivatesIt) {
    LogWnd other("other");
    ASSERT_TRUE(MakePopup(other, CRect(250, 250, 400, 400)));  // now active, on top
    EXPECT_EQ(CWnd::GetActiveWindow(), &other);
    plat::PumpMessages();
    Journal().clear();

    plat::input::Click(160, 170);
    plat::PumpMessages();
    ASSERT_NE(upper.Last(WM_MOUSEACTIVATE), nullptr);
    EXPECT_EQ(upper.Last(WM_MOUSEACTIVATE)->wParam, reinterpret_cast<WPARAM>(top.m_hWnd));
    EXPECT_EQ(upper.Last(WM_MOUSEACTIVATE)->lParam, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_NE(top.Last(WM_MOUSEACTIVATE), nullptr);  // the child asked its parent
    EXPECT_EQ(CWnd::GetActiveWindow(), &top);
    EXPECT_EQ(LOWORD(top.Last(WM_ACTIVATE)->wParam), WA_CLICKACTIVE);
    EXPECT_EQ(LOWORD(other.Last(WM_ACTIVATE)->wParam), WA_INACTIVE);
    EXPECT_EQ(CWnd::GetDesktopWindow()->GetWindow(GW_CHILD), &top);  // brought to the top
    EXPECT_EQ(upper.Count(WM_LBUTTONDOWN), 1);
    EXPECT_EQ(
        JournalOf({WM_MOUSEACTIVATE, WM_ACTIVATE, WM_LBUTTONDOWN}),
        std::vector<std::string>({Entry("upper", WM_MOUSEACTIVATE), Entry("top", WM_MOUSEACTIVATE),
                                  Entry("other", WM_ACTIVATE), Entry("top", WM_ACTIVATE),
                                  Entry("upper", WM_LBUTTONDOWN)}));
}

TEST_F(InputTest, AWindowMayRefuseActivationAndEatTheClick) {
    LogWnd other("other");
    ASSERT_TRUE(MakePopup(other, CRect(250, 250, 400, 400)));
    top.hook = [](UINT message, WPARAM, LPARAM, LRESULT& result) {
        result = MA_NOACTIVATEANDEAT;
        return message == WM_MOUSEACTIVATE;
    };
    plat::input::Click(160, 170);
    plat::PumpMessages();
    EXPECT_EQ(CWnd::GetActiveWindow(), &other);
    EXPECT_EQ(upper.Count(WM_LBUTTONDOWN), 0);
    EXPECT_EQ(upper.Count(WM_LBUTTONUP), 1);  // only the press is eaten
}

TEST_F(InputTest, ClicksOnTheFrameBecomeNonClientMessages) {
    LogWnd framed("framed");
    ASSERT_TRUE(MakePopup(framed, CRect(500, 100, 700, 300), WS_POPUP | WS_VISIBLE | WS_CAPTION));
    plat::input::Click(600, 110);  // in the caption
    plat::input::Click(501, 200);  // on the frame
    plat::PumpMessages();
    ASSERT_NE(framed.Last(WM_NCLBUTTONDOWN), nullptr);
    EXPECT_EQ(framed.Count(WM_LBUTTONDOWN), 0);
    std::vector<WPARAM> hits;
    for (const Heard& h : framed.log) {
        if (h.message == WM_NCLBUTTONDOWN) {
            hits.push_back(h.wParam);
        }
    }
    EXPECT_EQ(hits, std::vector<WPARAM>({HTCAPTION, HTBORDER}));
    EXPECT_EQ(framed.Last(WM_NCLBUTTONDOWN)->lParam, MAKELPARAM(501, 200));
}

}  // namespace
}  // namespace wt
