// The queue and the loop: sent versus posted, retrieval order, WM_QUIT, nested loops,
// windows that are gone, other threads and translation.

#include <chrono>
#include <thread>

#include "WindowTestSupport.h"

namespace wt {
namespace {

constexpr UINT kFirst = WM_APP + 1;
constexpr UINT kSecond = WM_APP + 2;
constexpr UINT kThird = WM_APP + 3;

class QueueTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 50, 50)));
        plat::PumpMessages();
        wnd.Clear();
    }
    std::vector<UINT> Ours() const { return wnd.Messages({kFirst, kSecond, kThird}); }

    LogWnd wnd;
};

TEST_F(QueueTest, SentMessagesArriveAtOnceAndPostedOnesInOrderLater) {
    wnd.hook = [](UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
        result = static_cast<LRESULT>(wParam * 2);
        return message == kSecond;
    };
    EXPECT_TRUE(wnd.PostMessage(kFirst, 1, 10));
    EXPECT_EQ(wnd.SendMessage(kSecond, 21, 20), 42);  // the handler's result
    EXPECT_TRUE(wnd.PostMessage(kThird, 3, 30));
    EXPECT_EQ(Ours(), std::vector<UINT>({kSecond}));

    EXPECT_EQ(plat::PumpMessages(), 2);
    EXPECT_EQ(Ours(), std::vector<UINT>({kSecond, kFirst, kThird}));
    EXPECT_EQ(wnd.Last(kFirst).wParam, 1u);
    EXPECT_EQ(wnd.Last(kThird).lParam, 30);
}

TEST_F(QueueTest, MessagesToADestroyedWindowAreRefusedOrDropped) {
    HWND stale = nullptr;
    {
        LogWnd gone("gone");
        ASSERT_TRUE(MakePopup(gone, CRect(0, 0, 10, 10)));
        stale = gone.m_hWnd;
        EXPECT_TRUE(gone.PostMessage(kFirst));  // queued while it lives, purged when it goes
        EXPECT_TRUE(wnd.PostMessage(kSecond));
    }
    EXPECT_FALSE(IsWindow(stale));
    EXPECT_EQ(CWnd::FromHandle(stale), nullptr);
    SetLastError(0);
    EXPECT_FALSE(PostMessageA(stale, kThird, 0, 0));
    EXPECT_EQ(GetLastError(), 1400u);
    EXPECT_EQ(SendMessageA(stale, kThird, 0, 0), 0);

    plat::PumpMessages();
    EXPECT_EQ(wnd.Count(kSecond), 1);
    EXPECT_EQ(WhoGot({kFirst, kThird}), "");
}

// WM_PAINT and WM_TIMER are made up only when nothing is posted, even when the timer
// fell due and the window was invalidated before the messages were posted.
TEST_F(QueueTest, PaintAndTimerComeOnlyWhenNothingIsQueued) {
    wnd.SetTimer(1, 10);
    plat::AdvanceTestClock(10);
    wnd.Invalidate();
    wnd.PostMessage(kFirst);
    wnd.On(WM_PAINT, [this](WPARAM) { wnd.PostMessage(kSecond); });

    plat::PumpMessages();
    EXPECT_EQ(wnd.Messages({kFirst, kSecond, WM_PAINT, WM_TIMER}),
              std::vector<UINT>({kFirst, WM_PAINT, kSecond, WM_TIMER}));
}

// A quit posted inside a nested loop ends it after what was queued before, and stays
// pending so that the outer loop ends too.
TEST_F(QueueTest, QuitEndsNestedAndOuterLoopsAfterThePostedMessages) {
    int nestedResult = 0;
    wnd.On(kFirst, [&nestedResult](WPARAM) {
        PostQuitMessage(3);
        nestedResult = plat::RunModalLoop();
    });
    wnd.PostMessage(kFirst);
    wnd.PostMessage(kSecond);
    wnd.Invalidate();

    plat::PumpMessages();
    EXPECT_EQ(nestedResult, -1);
    EXPECT_EQ(Ours(), std::vector<UINT>({kFirst, kSecond}));
    EXPECT_EQ(wnd.Count(WM_PAINT), 0);  // paint waits behind WM_QUIT
    MSG msg{};
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(plat::IsQuitPending());
    plat::PumpMessages();
    EXPECT_EQ(wnd.Count(WM_PAINT), 1);
}

TEST_F(QueueTest, ANestedLoopRunsInsideAHandlerAndTheOuterLoopCarriesOn) {
    int nestedResult = 0;
    wnd.hook = [&](UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == kFirst) {
            wnd.PostMessage(kSecond);
            nestedResult = plat::RunModalLoop();
        } else if (message == kSecond) {
            EXPECT_TRUE(plat::EndModalLoop(7));
        }
        return false;
    };
    wnd.PostMessage(kFirst);
    wnd.PostMessage(kThird);

    plat::PumpMessages();
    EXPECT_EQ(nestedResult, 7);
    // The nested loop takes what was queued before its own message, in order.
    EXPECT_EQ(Ours(), std::vector<UINT>({kFirst, kThird, kSecond}));
    EXPECT_FALSE(plat::EndModalLoop(1));  // none runs now
}

TEST_F(QueueTest, OnTheStillTestClockAnEmptyQueueDoesNotBlockForever) {
    MSG msg{};
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), -1);
    EXPECT_EQ(plat::RunModalLoop(), -1);  // nothing could ever end it

    int calls = 0;
    plat::SetIdleHandler([&calls] {
        if (++calls == 3) {
            plat::EndModalLoop(5);
        } else {
            PostMessageA(nullptr, kFirst, 0, 0);  // a thread message: no window to get it
        }
    });
    EXPECT_EQ(plat::RunModalLoop(), 5);
    EXPECT_EQ(calls, 3);
}

TEST_F(QueueTest, AWindowsModalLoopEndsWhenTheWindowIsDestroyed) {
    struct SelfDeleting : LogWnd {
        void PostNcDestroy() override { delete this; }
    };
    auto* dialog = new SelfDeleting;
    ASSERT_TRUE(MakePopup(*dialog, CRect(0, 0, 50, 50)));
    const HWND hwnd = dialog->m_hWnd;
    dialog->hook = [hwnd](UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == kFirst) {
            DestroyWindow(hwnd);
        }
        return message == kFirst;  // the object deleted itself: do not touch it
    };
    PostMessageA(hwnd, kFirst, 0, 0);
    EXPECT_EQ(dialog->RunModalLoop(), -1);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(QueueTest, AnotherThreadsPostWakesALoopWaitingOnTheRealClock) {
    plat::UseRealClock();
    wnd.On(kFirst, [this](WPARAM wParam) { wnd.EndModalLoop(static_cast<int>(wParam)); });
    const HWND hwnd = wnd.m_hWnd;
    std::thread poster([hwnd] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        PostMessageA(hwnd, kFirst, 4, 0);
    });
    EXPECT_EQ(wnd.RunModalLoop(), 4);
    poster.join();
}

TEST_F(QueueTest, TranslateMessageTurnsKeysIntoCharacters) {
    wnd.SetFocus();
    plat::input::Key('A');
    plat::input::KeyDown(VK_SHIFT);
    plat::input::Key('B');
    plat::input::Key('2');
    plat::input::KeyUp(VK_SHIFT);
    plat::input::Key(VK_RETURN);
    plat::input::Key(VK_LEFT);  // no character
    plat::input::Char('\xB0');  // a character without a key
    plat::PumpMessages();

    const std::vector<WPARAM> chars = wnd.WParams(WM_CHAR);
    EXPECT_EQ(std::string(chars.begin(), chars.end()), "aB@\r\xB0");
}

}  // namespace
}  // namespace wt
