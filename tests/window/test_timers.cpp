// Timers on the test clock: due times, replacement, the minimum period, collapsing,
// killing, timer procedures and windows that go away.

#include "WindowTestSupport.h"

namespace wt {
namespace {

class TimerTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 20, 20)));
        plat::PumpMessages();
        wnd.Clear();
    }
    std::vector<WPARAM> Fired() const { return wnd.WParams(WM_TIMER); }
    void Pass(int ms) {
        plat::AdvanceTestClock(ms);
        plat::PumpMessages();
    }

    LogWnd wnd;
};

TEST_F(TimerTest, ATimerFiresOncePerPeriodAndTheSameIdReplacesIt) {
    EXPECT_EQ(wnd.SetTimer(1, 100), 1u);
    Pass(90);
    EXPECT_EQ(wnd.SetTimer(1, 100), 1u);  // restarts the period
    Pass(20);                             // the first period would have ended here
    EXPECT_TRUE(Fired().empty());
    Pass(80);
    EXPECT_EQ(Fired(), std::vector<WPARAM>({1}));
    EXPECT_EQ(wnd.Last(WM_TIMER).lParam, 0);  // no timer procedure
    Pass(0);
    EXPECT_EQ(Fired().size(), 1u);  // once per period

    wnd.SetTimer(1, 300);  // a new period replaces the old one
    Pass(200);
    EXPECT_EQ(Fired().size(), 1u);
}

TEST_F(TimerTest, MissedPeriodsCollapseIntoOneAndKeepThePhase) {
    wnd.SetTimer(1, 100);  // due at 1100
    Pass(250);             // one message; the next is due at 1300
    EXPECT_EQ(Fired().size(), 1u);
    Pass(49);
    EXPECT_EQ(Fired().size(), 1u);
    Pass(1);
    EXPECT_EQ(Fired().size(), 2u);
    plat::RunMessagesFor(1000);  // running the clock fires every period
    EXPECT_EQ(Fired().size(), 12u);
}

TEST_F(TimerTest, KillTimerStopsItEvenWhenDueOrInsideItsOwnHandler) {
    wnd.SetTimer(4, 50);
    plat::AdvanceTestClock(50);
    EXPECT_TRUE(wnd.KillTimer(4));  // due but not yet taken: it does not come
    plat::RunMessagesFor(500);
    EXPECT_TRUE(Fired().empty());
    EXPECT_FALSE(wnd.KillTimer(4));
    EXPECT_FALSE(wnd.KillTimer(99));

    wnd.On(WM_TIMER, [this](WPARAM id) { wnd.KillTimer(id); });
    wnd.SetTimer(1, 10);
    plat::RunMessagesFor(100);
    EXPECT_EQ(Fired().size(), 1u);
}

TEST_F(TimerTest, DueTimersFireEarliestFirstAndNoPeriodIsBelowTenMilliseconds) {
    wnd.SetTimer(1, 300);
    wnd.SetTimer(2, 100);
    wnd.SetTimer(3, 0);
    wnd.SetTimer(4, 5);
    Pass(9);
    EXPECT_TRUE(Fired().empty());
    Pass(291);
    EXPECT_EQ(Fired(), std::vector<WPARAM>({3, 4, 2, 1}));
}

TEST_F(TimerTest, TimersOfADestroyedWindowAreGoneAndNewOnesRefused) {
    HWND stale = nullptr;
    {
        LogWnd gone("gone");
        ASSERT_TRUE(MakePopup(gone, CRect(0, 0, 10, 10)));
        gone.SetTimer(1, 10);
        stale = gone.m_hWnd;
        gone.DestroyWindow();
        EXPECT_EQ(gone.SetTimer(2, 10), 0u);
        // The object can make a new window: the old timer does not follow it.
        ASSERT_TRUE(MakePopup(gone, CRect(0, 0, 10, 10)));
        plat::RunMessagesFor(100);
    }
    EXPECT_EQ(SetTimer(stale, 3, 10, nullptr), 0u);
    EXPECT_FALSE(KillTimer(stale, 1));

    struct SelfDeleting : LogWnd {
        using LogWnd::LogWnd;
        void OnTimer(UINT_PTR) override { DestroyWindow(); }
        void PostNcDestroy() override { delete this; }
    };
    auto* doomed = new SelfDeleting("doomed");
    ASSERT_TRUE(MakePopup(*doomed, CRect(0, 0, 10, 10)));
    doomed->SetTimer(1, 10);
    plat::RunMessagesFor(100);                // the timer goes with the window it destroyed
    EXPECT_EQ(WhoGot({WM_TIMER}), "doomed");  // and the old one did not follow gone
}

UINT_PTR procId = 0;
HWND procWindow = nullptr;

void RecordingProc(HWND hwnd, UINT message, UINT_PTR id, DWORD) {
    EXPECT_EQ(message, WM_TIMER);
    procId = id;
    procWindow = hwnd;
}

TEST_F(TimerTest, ATimerProcedureIsCalledInsteadOfTheWindow) {
    wnd.SetTimer(3, 50, &RecordingProc);
    Pass(50);
    EXPECT_EQ(procId, 3u);
    EXPECT_EQ(procWindow, wnd.m_hWnd);
    EXPECT_EQ(wnd.Count(WM_TIMER), 0);

    const UINT_PTR windowless = SetTimer(nullptr, 0, 20, &RecordingProc);
    EXPECT_NE(windowless, 0u);  // without a window the timer gets an id of its own
    Pass(40);
    EXPECT_EQ(procId, windowless);
    EXPECT_EQ(procWindow, nullptr);
    EXPECT_TRUE(KillTimer(nullptr, windowless));
}

}  // namespace
}  // namespace wt
