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

    std::vector<WPARAM> Fired() const {
        std::vector<WPARAM> ids;
        for (const Heard& h : wnd.log) {
            if (h.message == WM_TIMER) {
                ids.push_back(h.wParam);
            }
        }
        return ids;
    }

    LogWnd wnd;
};

TEST_F(TimerTest, ATimerFiresWhenTheClockReachesItsPeriod) {
    EXPECT_EQ(wnd.SetTimer(1, 100), 1u);
    plat::PumpMessages();
    plat::AdvanceTestClock(99);
    plat::PumpMessages();
    EXPECT_TRUE(Fired().empty());
    plat::AdvanceTestClock(1);
    plat::PumpMessages();
    EXPECT_EQ(Fired(), std::vector<WPARAM>({1}));
    EXPECT_EQ(wnd.Last(WM_TIMER)->lParam, 0);  // no timer procedure
    plat::PumpMessages();
    EXPECT_EQ(Fired().size(), 1u);  // once per period
}

TEST_F(TimerTest, MissedPeriodsCollapseButRunningTheClockFiresEachPeriod) {
    wnd.SetTimer(1, 100);
    plat::AdvanceTestClock(1000);
    plat::PumpMessages();
    EXPECT_EQ(Fired().size(), 1u);

    wnd.Clear();
    plat::RunMessagesFor(1000);
    EXPECT_EQ(Fired().size(), 10u);
    EXPECT_EQ(GetTickCount(), 1000u + 2000u);
}

TEST_F(TimerTest, MissedPeriodsKeepThePhaseOfTheTimer) {
    wnd.SetTimer(1, 100);         // due at 1100
    plat::AdvanceTestClock(250);  // 1250: one message, next due 1300
    plat::PumpMessages();
    plat::AdvanceTestClock(49);
    plat::PumpMessages();
    EXPECT_EQ(Fired().size(), 1u);
    plat::AdvanceTestClock(1);
    plat::PumpMessages();
    EXPECT_EQ(Fired().size(), 2u);
}

TEST_F(TimerTest, SettingTheSameIdReplacesTheTimerAndRestartsItsPeriod) {
    wnd.SetTimer(1, 100);
    plat::AdvanceTestClock(90);
    EXPECT_EQ(wnd.SetTimer(1, 100), 1u);
    plat::AdvanceTestClock(20);  // the first period would have ended here
    plat::PumpMessages();
    EXPECT_TRUE(Fired().empty());
    plat::AdvanceTestClock(80);
    plat::PumpMessages();
    EXPECT_EQ(Fired(), std::vector<WPARAM>({1}));

    wnd.SetTimer(1, 300);  // a new period replaces the old one
    plat::AdvanceTestClock(200);
    plat::PumpMessages();
    EXPECT_EQ(Fired().size(), 1u);
}

TEST_F(TimerTest, KillTimerStopsItAndAnswersWhetherItExisted) {
    wnd.SetTimer(4, 50);
    plat::AdvanceTestClock(50);
    EXPECT_TRUE(wnd.KillTimer(4));  // due but not yet taken: it does not come
    plat::RunMessagesFor(500);
    EXPECT_TRUE(Fired().empty());
    EXPECT_FALSE(wnd.KillTimer(4));
    EXPECT_FALSE(wnd.KillTimer(99));
}

TEST_F(TimerTest, PeriodsBelowTheMinimumAreRaisedToTenMilliseconds) {
    wnd.SetTimer(1, 0);
    wnd.SetTimer(2, 5);
    plat::AdvanceTestClock(9);
    plat::PumpMessages();
    EXPECT_TRUE(Fired().empty());
    plat::AdvanceTestClock(1);
    plat::PumpMessages();
    EXPECT_EQ(Fired(), std::vector<WPARAM>({1, 2}));
}

TEST_F(TimerTest, DueTimersFireEarliestFirst) {
    wnd.SetTimer(1, 300);
    wnd.SetTimer(2, 100);
    wnd.SetTimer(3, 200);
    plat::AdvanceTestClock(300);
    plat::PumpMessages();
    EXPECT_EQ(Fired(), std::vector<WPARAM>({2, 3, 1}));
}

TEST_F(TimerTest, ATimerCanBeKilledInItsOwnHandler) {
    wnd.hook = [this](UINT message, WPARAM wParam, LPARAM, LRESULT&) {
        if (message == WM_TIMER) {
            wnd.KillTimer(wParam);
        }
        return false;
    };
    wnd.SetTimer(1, 10);
    plat::RunMessagesFor(100);
    EXPECT_EQ(Fired().size(), 1u);
}

TEST_F(TimerTest, TimersOfADestroyedWindowAreGoneAndNewOnesRefused) {
    HWND stale = nullptr;
    {
        LogWnd gone;
        ASSERT_TRUE(MakePopup(gone, CRect(0, 0, 10, 10)));
        gone.SetTimer(1, 10);
        stale = gone.m_hWnd;
        gone.DestroyWindow();
        EXPECT_EQ(gone.SetTimer(2, 10), 0u);
        // The object can make a new window: the old timer does not follow it.
        ASSERT_TRUE(MakePopup(gone, CRect(0, 0, 10, 10)));
        plat::RunMessagesFor(100);
        EXPECT_EQ(gone.Count(WM_TIMER), 0);
    }
    EXPECT_EQ(SetTimer(stale, 3, 10, nullptr), 0u);
    EXPECT_FALSE(KillTimer(stale, 1));
    plat::RunMessagesFor(100);  // nothing left to fire at anyone
    EXPECT_TRUE(Fired().empty());
}

TEST_F(TimerTest, ATimerDestroyingItsWindowStopsFiring) {
    struct SelfDeleting : LogWnd {
        int* fired = nullptr;
        void OnTimer(UINT_PTR) override {
            ++*fired;
            DestroyWindow();
        }
        void PostNcDestroy() override { delete this; }
    };
    int fired = 0;
    auto* wnd2 = new SelfDeleting;
    wnd2->fired = &fired;
    ASSERT_TRUE(MakePopup(*wnd2, CRect(0, 0, 10, 10)));
    wnd2->SetTimer(1, 10);
    plat::RunMessagesFor(100);
    EXPECT_EQ(fired, 1);
}

int procCalls = 0;
UINT_PTR procId = 0;
HWND procWindow = nullptr;

void CountingProc(HWND hwnd, UINT message, UINT_PTR id, DWORD) {
    EXPECT_EQ(message, WM_TIMER);
    ++procCalls;
    procId = id;
    procWindow = hwnd;
}

TEST_F(TimerTest, ATimerProcedureIsCalledInsteadOfTheWindow) {
    procCalls = 0;
    wnd.SetTimer(3, 50, &CountingProc);
    plat::AdvanceTestClock(50);
    plat::PumpMessages();
    EXPECT_EQ(procCalls, 1);
    EXPECT_EQ(procId, 3u);
    EXPECT_EQ(procWindow, wnd.m_hWnd);
    EXPECT_EQ(wnd.Count(WM_TIMER), 0);
}

TEST_F(TimerTest, TimersWithoutAWindowGetTheirOwnIds) {
    procCalls = 0;
    const UINT_PTR first = SetTimer(nullptr, 0, 20, &CountingProc);
    const UINT_PTR second = SetTimer(nullptr, 0, 30, &CountingProc);
    EXPECT_NE(first, 0u);
    EXPECT_NE(second, 0u);
    EXPECT_NE(first, second);
    EXPECT_EQ(SetTimer(nullptr, first, 40, &CountingProc), first);  // replaces
    plat::AdvanceTestClock(30);
    plat::PumpMessages();
    EXPECT_EQ(procCalls, 1);
    EXPECT_EQ(procId, second);
    EXPECT_EQ(procWindow, nullptr);
    EXPECT_TRUE(KillTimer(nullptr, first));
    EXPECT_TRUE(KillTimer(nullptr, second));
}

TEST_F(TimerTest, RunMessagesForStopsAtQuit) {
    wnd.hook = [](UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == WM_TIMER) {
            PostQuitMessage(0);
        }
        return false;
    };
    wnd.SetTimer(1, 100);
    plat::RunMessagesFor(10000);
    EXPECT_EQ(Fired().size(), 1u);
    EXPECT_EQ(GetTickCount(), 1100u);
}

TEST_F(TimerTest, TheTickCountFollowsTheTestClockAndTheRealClockMoves) {
    const DWORD start = GetTickCount();
    plat::AdvanceTestClock(1234);
    EXPECT_EQ(GetTickCount() - start, 1234u);
    plat::UseRealClock();
    const ULONGLONG before = GetTickCount64();
    plat::AdvanceTestClock(100000);  // ignored on the real clock
    EXPECT_LT(GetTickCount64() - before, 100000u);
    plat::RunMessagesFor(15);
    EXPECT_GE(GetTickCount64() - before, 15u);
}

}  // namespace
}  // namespace wt
