// Input: which window a click reaches, the parameters it carries, capture, double clicks,
// the wheel, keys, focus and activation.

#include <tuple>

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
        ASSERT_TRUE(MakeChild(lower, top, CRect(10, 10, 110, 110)));
        ASSERT_TRUE(MakeChild(upper, top, CRect(50, 50, 150, 150)));
        plat::PumpMessages();
        Journal().clear();
        for (LogWnd* w : {&top, &lower, &upper}) {
            w->Clear();
        }
    }
    static void Click(int x, int y, Button button = Button::Left) {
        plat::input::Click(x, y, button);
        plat::PumpMessages();
    }

    LogWnd top{"top"};
    LogWnd lower{"lower"};
    LogWnd upper{"upper"};
};

TEST_F(InputTest, AClickReachesTheTopmostChildWithClientCoordinates) {
    Click(160, 170);  // inside both children
    EXPECT_EQ(lower.Count(WM_LBUTTONDOWN), 0);
    EXPECT_EQ(upper.Last(WM_LBUTTONDOWN).lParam, MAKELPARAM(10, 20));
    EXPECT_EQ(upper.Last(WM_LBUTTONDOWN).wParam, MK_LBUTTON);
    EXPECT_EQ(upper.Last(WM_LBUTTONUP).wParam, 0u);  // the button is up by then

    Click(120, 120, Button::Right);  // only the lower child there
    EXPECT_EQ(lower.Last(WM_RBUTTONDOWN).lParam, MAKELPARAM(10, 10));

    plat::input::MouseMove(105, 106);  // the pop-up itself
    plat::PumpMessages();
    EXPECT_EQ(top.Last(WM_MOUSEMOVE).lParam, MAKELPARAM(5, 6));
}

TEST_F(InputTest, HiddenWindowsArePassedOverAndDisabledChildrenLeaveTheClickToTheParent) {
    upper.ShowWindow(SW_HIDE);
    Click(160, 170);
    EXPECT_EQ(upper.Count(WM_LBUTTONDOWN), 0);
    EXPECT_EQ(lower.Count(WM_LBUTTONDOWN), 1);

    upper.ShowWindow(SW_SHOW);
    upper.EnableWindow(FALSE);
    Click(160, 170);
    EXPECT_EQ(upper.Count(WM_LBUTTONDOWN), 0);
    ASSERT_EQ(top.Count(WM_LBUTTONDOWN), 1);
    EXPECT_EQ(top.Last(WM_LBUTTONDOWN).lParam, MAKELPARAM(60, 70));

    top.EnableWindow(FALSE);  // a disabled top-level window takes nothing
    Click(160, 170);
    Click(500, 500);  // and nobody is over the desktop
    EXPECT_EQ(WhoGot({WM_LBUTTONDOWN}), "lower top");
}

TEST_F(InputTest, CaptureTakesTheMouseWhereverItIs) {
    lower.On(WM_LBUTTONDOWN, [this](WPARAM) { lower.SetCapture(); });
    // Queued together: the capture taken by the first event decides the others.
    plat::input::MouseDown(115, 115);
    plat::input::MouseMove(200, 210);
    plat::input::MouseMove(20, 30);
    plat::PumpMessages();
    EXPECT_EQ(CWnd::GetCapture(), &lower);
    EXPECT_EQ(upper.Count(WM_MOUSEMOVE), 0);
    ASSERT_EQ(lower.Count(WM_MOUSEMOVE), 2);
    const Heard& last = lower.Last(WM_MOUSEMOVE);
    EXPECT_EQ(GET_X_LPARAM(last.lParam), 20 - 110);  // left of the window: negative
    EXPECT_EQ(GET_Y_LPARAM(last.lParam), 30 - 110);
    EXPECT_EQ(last.wParam, MK_LBUTTON);

    EXPECT_EQ(upper.SetCapture(), &lower);  // the loser is told who took it
    EXPECT_EQ(lower.Last(WM_CAPTURECHANGED).lParam, reinterpret_cast<LPARAM>(upper.m_hWnd));
    upper.ShowWindow(SW_HIDE);  // hiding lets the capture go
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(upper.Last(WM_CAPTURECHANGED).lParam, 0);
}

TEST_F(WindowTest, TwoQuickCloseClicksMakeADoubleClickOnlyWithTheClassStyle) {
    // Whether the class has CS_DBLCLKS, how far and how late the second click comes, and
    // whether that makes a double click.
    const std::tuple<bool, int, int, bool> cases[] = {
        {true, 1, 499, true}, {false, 0, 0, false}, {true, 0, 500, false}, {true, 2, 0, false}};
    const std::vector<UINT> buttons = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK};
    for (const auto& [classStyle, dx, waitMs, doubleClick] : cases) {
        SCOPED_TRACE(::testing::Message() << classStyle << " " << dx << " " << waitMs);
        LogWnd wnd;
        ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 100, 100), WS_VISIBLE,
                              classStyle ? DoubleClickClass() : PlainClass()));
        plat::input::Click(50, 50);
        plat::AdvanceTestClock(waitMs);
        plat::input::Click(50 + dx, 50);
        plat::PumpMessages();
        plat::AdvanceTestClock(1000);  // the next pair starts fresh
        const UINT second = doubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
        EXPECT_EQ(wnd.Messages(buttons),
                  std::vector<UINT>({WM_LBUTTONDOWN, WM_LBUTTONUP, second, WM_LBUTTONUP}));
        if (doubleClick) {
            EXPECT_EQ(wnd.Last(WM_LBUTTONDBLCLK).lParam, MAKELPARAM(51, 50));
        }
        wnd.DestroyWindow();
    }

    LogWnd wnd;  // a third click starts anew, and a right click between breaks a pair
    ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 100, 100), WS_VISIBLE, DoubleClickClass()));
    for (int i = 0; i < 3; ++i) {
        plat::input::Click(50, 50);
    }
    plat::input::Click(50, 50, Button::Right);
    plat::input::Click(50, 50);
    plat::PumpMessages();
    EXPECT_EQ(wnd.Count(WM_LBUTTONDBLCLK), 1);
    EXPECT_EQ(wnd.Count(WM_LBUTTONDOWN), 3);
}

TEST_F(InputTest, TheWheelAndContextMenuRequestsGoUpToTheParents) {
    lower.SetFocus();
    plat::input::KeyDown(VK_CONTROL);
    plat::input::Wheel(250, 250, -WHEEL_DELTA);  // to the focus, wherever the mouse is
    Click(160, 170, Button::Right);
    EXPECT_EQ(lower.Count(WM_MOUSEWHEEL), 1);
    EXPECT_EQ(top.Last(WM_MOUSEWHEEL).wParam, MAKEWPARAM(MK_CONTROL, -WHEEL_DELTA));
    EXPECT_EQ(upper.Count(WM_CONTEXTMENU), 1);
    EXPECT_EQ(top.Last(WM_CONTEXTMENU).wParam, reinterpret_cast<WPARAM>(upper.m_hWnd));
    EXPECT_EQ(top.Last(WM_CONTEXTMENU).lParam, MAKELPARAM(160, 170));  // screen coordinates
}

TEST_F(InputTest, KeysGoToTheFocusWindowWithTheirFlagsAndTheKeyState) {
    SetFocus(nullptr);
    plat::input::Key('X');  // no focus: dropped
    plat::PumpMessages();
    EXPECT_EQ(WhoGot({WM_KEYDOWN}), "");

    upper.SetFocus();
    plat::input::KeyDown(VK_SHIFT);
    EXPECT_EQ(GetKeyState(VK_SHIFT), 0);  // not before the loop has taken it
    plat::input::KeyDown(VK_DOWN);
    plat::input::MouseDown(120, 120, Button::Right);
    plat::PumpMessages();
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    EXPECT_EQ(lower.Last(WM_RBUTTONDOWN).wParam, MK_RBUTTON | MK_SHIFT);
    EXPECT_EQ(upper.Last(WM_KEYDOWN).lParam, 1);
    plat::input::KeyDown(VK_DOWN);  // held: the repeat has the previous-state bit
    plat::input::KeyUp(VK_DOWN);
    plat::PumpMessages();
    EXPECT_EQ(upper.WParams(WM_KEYDOWN), std::vector<WPARAM>({VK_SHIFT, VK_DOWN, VK_DOWN}));
    EXPECT_EQ(upper.Last(WM_KEYDOWN).lParam, 0x40000001);
    EXPECT_EQ(upper.Last(WM_KEYUP).lParam, static_cast<LPARAM>(0xC0000001u));
}

TEST_F(InputTest, FocusMovesWithKillThenSetFocus) {
    EXPECT_EQ(lower.SetFocus(), &top);  // activation put the focus on the pop-up
    HWND focusDuringKill = nullptr;
    lower.On(WM_KILLFOCUS, [&focusDuringKill](WPARAM) { focusDuringKill = GetFocus(); });
    Journal().clear();
    EXPECT_EQ(upper.SetFocus(), &lower);
    EXPECT_EQ(WhoGot({WM_SETFOCUS, WM_KILLFOCUS}), "lower upper");  // the loser first
    EXPECT_EQ(upper.Last(WM_SETFOCUS).wParam, reinterpret_cast<WPARAM>(lower.m_hWnd));
    EXPECT_EQ(focusDuringKill, upper.m_hWnd);

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
    EXPECT_EQ(lower.SetFocus(), nullptr);   // a disabled window cannot take it
    EXPECT_TRUE(lower.EnableWindow(TRUE));  // answers: it was disabled

    lower.SetFocus();
    lower.DestroyWindow();
    EXPECT_EQ(CWnd::GetFocus(), &top);
    top.DestroyWindow();
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(InputTest, AClickOnAnInactiveWindowAsksAndActivatesItUnlessItRefuses) {
    LogWnd other("other");
    ASSERT_TRUE(MakePopup(other, CRect(250, 250, 400, 400)));  // now active, on top
    plat::PumpMessages();
    Journal().clear();

    Click(160, 170);
    EXPECT_EQ(upper.Last(WM_MOUSEACTIVATE).lParam, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(LOWORD(top.Last(WM_ACTIVATE).wParam), WA_CLICKACTIVE);
    EXPECT_EQ(CWnd::GetDesktopWindow()->GetWindow(GW_CHILD), &top);  // brought to the top
    // The child asks its parent, the old window is deactivated, then the click comes.
    EXPECT_EQ(WhoGot({WM_MOUSEACTIVATE, WM_ACTIVATE, WM_LBUTTONDOWN}), "upper top other top upper");

    other.SetActiveWindow();
    top.hook = [](UINT message, WPARAM, LPARAM, LRESULT& result) {
        result = MA_NOACTIVATEANDEAT;
        return message == WM_MOUSEACTIVATE;
    };
    Click(160, 170);
    EXPECT_EQ(CWnd::GetActiveWindow(), &other);
    EXPECT_EQ(upper.Count(WM_LBUTTONDOWN), 1);  // this press was eaten...
    EXPECT_EQ(upper.Count(WM_LBUTTONUP), 2);    // ...but not the release
}

TEST_F(InputTest, ClicksOnTheFrameBecomeNonClientMessages) {
    LogWnd framed("framed");
    ASSERT_TRUE(MakePopup(framed, CRect(500, 100, 700, 300), WS_VISIBLE | WS_CAPTION));
    plat::input::Click(600, 110);  // in the caption
    Click(501, 200);               // on the frame
    EXPECT_EQ(framed.Count(WM_LBUTTONDOWN), 0);
    EXPECT_EQ(framed.WParams(WM_NCLBUTTONDOWN), std::vector<WPARAM>({HTCAPTION, HTBORDER}));
    EXPECT_EQ(framed.Last(WM_NCLBUTTONDOWN).lParam, MAKELPARAM(501, 200));
}

}  // namespace
}  // namespace wt
