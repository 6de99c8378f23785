// The queue and the loop: sent versus posted, the order of retrieval, WM_QUIT, nested
// loops, messages for windows that are gone, and translation.

#include <thread>

#include "WindowTestSupport.h"
#include "platform/core/Messages.h"

namespace wt {
namespace {

constexpr UINT kFirst = WM_APP + 1;
constexpr UINT kSecond = WM_APP + 2;
constexpr UINT kThird = WM_APP + 3;

using QueueTest = WindowTest;

TEST_F(QueueTest, SentMessagesArriveAtOnceAndPostedOnesInOrderLater) {
    LogWnd wnd;
    ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 50, 50)));
    plat::PumpMessages();
    wnd.Clear();

    EXPECT_TRUE(wnd.PostMessage(kFirst, 1, 10));
    EXPECT_EQ(wnd.SendMessage(kSecond, 2, 20), 0);
    EXPECT_TRUE(wnd.PostMessage(kThird, 3, 30));
    EXPECT_EQ(wnd.Messages({kFirst, kSecond, kThird}), std::vector<UINT>({kSecond}));

    EXPECT_EQ(plat::PumpMessages(), 2);
    EXPECT_EQ(wnd.Messages({kFirst, kSecond, kThird}),
              std::vector<UINT>({kSecond, kFirst, kThird}));
    EXPECT_EQ(wnd.Last(kFirst)->wParam, 1u);
    EXPECT_EQ(wnd.Last(kThird)->lParam, 30);
}

TEST_F(QueueTest, SendMessageAnswersTheHandlersResult) {
    LogWnd wnd;
    wnd.hook = [](UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
        if (message != kFirst) {
            return false;
        }
        result = static_cast<LRESULT>(wParam * 2);
        return true;
    };
    ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 50, 50)));
    EXPECT_EQ(SendMessageA(wnd.m_hWnd, kFirst, 21, 0), 42);
}

TEST_F(QueueTest, MessagesToADestroyedWindowAreRefusedOrDropped) {
    LogWnd other("other");
    ASSERT_TRUE(MakePopup(other, CRect(0, 0, 10, 10)));
    HWND stale = nullptr;
    {
        LogWnd gone("gone");
        ASSERT_TRUE(MakePopup(gone, CRect(0, 0, 10, 10)));
        stale = gone.m_hWnd;
        EXPECT_TRUE(gone.PostMessage(kFirst));  // queued while it lives...
        EXPECT_TRUE(other.PostMessage(kSecond));
    }  // ...and purged when it goes
    EXPECT_FALSE(IsWindow(stale));
    EXPECT_EQ(CWnd::FromHandle(stale), nullptr);
    SetLastError(0);
    EXPECT_FALSE(PostMessageA(stale, kThird, 0, 0));
    EXPECT_EQ(GetLastError(), 1400u);
    EXPECT_EQ(SendMessageA(stale, kThird, 0, 0), 0);

    plat::PumpMessages();
    EXPECT_EQ(other.Count(kSecond), 1);
    EXPECT_EQ(JournalOf({kFirst, kThird}), std::vector<std::string>{});
}

TEST_F(QueueTest, PostingToNoWindowQueuesAThreadMessage) {
    EXPECT_TRUE(PostMessageA(nullptr, kFirst, 5, 6));
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(msg.message, kFirst);
    EXPECT_EQ(msg.wParam, 5u);
    EXPECT_EQ(DispatchMessageA(&msg), 0);  // nobody to give it to
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

// WM_PAINT and WM_TIMER are made up only when nothing is posted, even when the timer
// fell due and the window was invalidated before the messages were posted.
TEST_F(QueueTest, PaintAndTimerComeOnlyWhenNothingIsQueued) {
    LogWnd wnd;
    ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 50, 50)));
    plat::PumpMessages();
    wnd.SetTimer(1, 10);
    plat::AdvanceTestClock(10);
    wnd.Invalidate();
    wnd.PostMessage(kFirst);
    wnd.hook = [&wnd](UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == WM_PAINT) {
            wnd.PostMessage(kSecond);  // posted while painting: still before the timer
        }
        return false;
    };
    wnd.Clear();

    plat::PumpMessages();
    EXPECT_EQ(wnd.Messages({kFirst, kSecond, WM_PAINT, WM_TIMER}),
              std::vector<UINT>({kFirst, WM_PAINT, kSecond, WM_TIMER}));
}

TEST_F(QueueTest, QuitComesAfterPostedMessagesAndStopsThePump) {
    LogWnd wnd;
    ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 50, 50)));
    plat::PumpMessages();
    wnd.Clear();
    PostQuitMessage(3);
    wnd.PostMessage(kFirst);
    wnd.Invalidate();

    plat::PumpMessages();
    EXPECT_EQ(wnd.Count(kFirst), 1);
    EXPECT_EQ(wnd.Count(WM_PAINT), 0);  // paint waits behind WM_QUIT
    int code = 0;
    ASSERT_TRUE(plat::IsQuitPending(&code));
    EXPECT_EQ(code, 3);

    MSG msg{};
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(plat::IsQuitPending());
    plat::PumpMessages();
    EXPECT_EQ(wnd.Count(WM_PAINT), 1);
}

TEST_F(QueueTest, GetMessageOnTheStillTestClockReportsThatItWouldWaitForever) {
    MSG msg{};
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), -1);
    PostMessageA(nullptr, kFirst, 0, 0);
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, kFirst);
}

TEST_F(QueueTest, PeekMessageFiltersByWindowAndRangeAndCanLeaveTheMessage) {
    LogWnd parent("parent");
    LogWnd child("child");
    LogWnd other("other");
    ASSERT_TRUE(MakePopup(parent, CRect(0, 0, 50, 50)));
    ASSERT_TRUE(MakeChild(child, parent, CRect(0, 0, 10, 10)));
    ASSERT_TRUE(MakePopup(other, CRect(0, 0, 50, 50)));
    plat::PumpMessages();
    other.PostMessage(kFirst);
    child.PostMessage(kSecond);
    parent.PostMessage(kThird);

    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, parent.m_hWnd, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, kSecond);  // a child's message counts for its parent
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, kThird, kThird, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, parent.m_hWnd);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER + 5, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, kFirst);  // the other two are still in order
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, kSecond);
}

TEST_F(QueueTest, ANestedLoopRunsInsideAHandlerAndTheOuterLoopCarriesOn) {
    LogWnd wnd;
    int nestedResult = 0;
    int depthInside = 0;
    int depthAtThird = 0;
    wnd.hook = [&](UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == kFirst) {
            wnd.PostMessage(kSecond);
            nestedResult = plat::RunModalLoop();
        } else if (message == kSecond) {
            depthInside = plat::ModalLoopDepth();
            EXPECT_TRUE(plat::EndModalLoop(7));
        }
        return false;
    };
    ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 50, 50)));
    plat::PumpMessages();
    wnd.PostMessage(kFirst);
    wnd.PostMessage(kThird);
    wnd.hook = [&, hook = wnd.hook](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& r) {
        if (message == kThird) {
            depthAtThird = plat::ModalLoopDepth();
        }
        return hook(message, wParam, lParam, r);
    };

    plat::PumpMessages();
    EXPECT_EQ(depthAtThird, 1);
    EXPECT_EQ(nestedResult, 7);
    EXPECT_EQ(depthInside, 1);
    EXPECT_EQ(plat::ModalLoopDepth(), 0);
    // The nested loop takes what was queued before its own message, in order.
    EXPECT_EQ(wnd.Messages({kFirst, kSecond, kThird}),
              std::vector<UINT>({kFirst, kThird, kSecond}));
    EXPECT_FALSE(plat::EndModalLoop(1));  // none runs now
}

TEST_F(QueueTest, NestedLoopsEndInnermostFirst) {
    LogWnd wnd;
    std::vector<int> results;
    wnd.hook = [&](UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == kFirst) {
            wnd.PostMessage(kSecond);
            results.push_back(plat::RunModalLoop());
        } else if (message == kSecond) {
            wnd.PostMessage(kThird);
            results.push_back(plat::RunModalLoop());
            plat::EndModalLoop(1);
        } else if (message == kThird) {
            plat::EndModalLoop(2);
        }
        return false;
    };
    ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 50, 50)));
    wnd.PostMessage(kFirst);
    plat::PumpMessages();
    EXPECT_EQ(results, std::vector<int>({2, 1}));
}

TEST_F(QueueTest, AModalLoopEndsAtQuitAndLeavesItForTheOuterLoop) {
    int result = 0;
    LogWnd wnd;
    wnd.hook = [&](UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == kFirst) {
            PostQuitMessage(9);
            result = plat::RunModalLoop();
        }
        return false;
    };
    ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 50, 50)));
    wnd.PostMessage(kFirst);
    plat::PumpMessages();
    EXPECT_EQ(result, -1);
    EXPECT_TRUE(plat::IsQuitPending());
}

TEST_F(QueueTest, AnIdleModalLoopOnTheTestClockAsksTheIdleHandlerThenGivesUp) {
    EXPECT_EQ(plat::RunModalLoop(), -1);  // nothing could ever end it

    int calls = 0;
    plat::SetIdleHandler([&calls] {
        if (++calls == 3) {
            plat::EndModalLoop(5);
        } else {
            PostMessageA(nullptr, kFirst, 0, 0);  // something to do meanwhile
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
    PostMessageA(hwnd, kFirst, 0, 0);
    dialog->hook = [hwnd](UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == kFirst) {
            DestroyWindow(hwnd);
            return true;  // the object deleted itself
        }
        return false;
    };
    EXPECT_EQ(dialog->RunModalLoop(), -1);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(QueueTest, CWndEndModalLoopEndsOnlyItsOwnLoop) {
    LogWnd first("first");
    LogWnd second("second");
    ASSERT_TRUE(MakePopup(first, CRect(0, 0, 50, 50)));
    ASSERT_TRUE(MakePopup(second, CRect(0, 0, 50, 50)));
    int inner = 0;
    second.hook = [&](UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == kFirst) {
            first.EndModalLoop(11);  // first runs no loop: nothing happens
            second.EndModalLoop(12);
        }
        return false;
    };
    first.hook = [&](UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == kFirst) {
            second.PostMessage(kFirst);
            inner = second.RunModalLoop();
            first.EndModalLoop(13);
        }
        return false;
    };
    first.PostMessage(kFirst);
    EXPECT_EQ(first.RunModalLoop(), 13);
    EXPECT_EQ(inner, 12);
}

TEST_F(QueueTest, AnotherThreadsPostWakesALoopWaitingOnTheRealClock) {
    plat::UseRealClock();
    LogWnd wnd;
    wnd.hook = [&wnd](UINT message, WPARAM wParam, LPARAM, LRESULT&) {
        if (message == kFirst) {
            wnd.EndModalLoop(static_cast<int>(wParam));
        }
        return false;
    };
    ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 50, 50)));
    plat::PumpMessages();
    const HWND hwnd = wnd.m_hWnd;
    std::thread poster([hwnd] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        PostMessageA(hwnd, kFirst, 4, 0);
    });
    EXPECT_EQ(wnd.RunModalLoop(), 4);
    poster.join();
}

TEST_F(QueueTest, RegisteredMessagesReachAnOverriddenWindowProc) {
    const UINT registered = RegisterWindowMessageA("surveyui-window-test");
    ASSERT_GE(registered, 0xC000u);
    LogWnd wnd;
    ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 50, 50)));
    wnd.PostMessage(registered, 8, 9);
    plat::PumpMessages();
    ASSERT_NE(wnd.Last(registered), nullptr);
    EXPECT_EQ(wnd.Last(registered)->wParam, 8u);
}

TEST_F(QueueTest, PreTranslateMessageOnTheWayUpCanConsumeAMessage) {
    struct Eater : LogWnd {
        using LogWnd::LogWnd;
        std::vector<UINT> seen;
        BOOL PreTranslateMessage(MSG* msg) override {
            seen.push_back(msg->message);
            return msg->message == kFirst;
        }
    };
    Eater parent("parent");
    Eater child("child");
    ASSERT_TRUE(MakePopup(parent, CRect(0, 0, 50, 50)));
    ASSERT_TRUE(MakeChild(child, parent, CRect(0, 0, 10, 10)));
    plat::PumpMessages();
    child.Clear();
    child.seen.clear();
    parent.seen.clear();
    child.PostMessage(kFirst);
    child.PostMessage(kSecond);
    plat::PumpMessages();
    EXPECT_EQ(child.Messages({kFirst, kSecond}), std::vector<UINT>({kSecond}));
    EXPECT_EQ(child.seen, std::vector<UINT>({kFirst, kSecond}));
    EXPECT_EQ(parent.seen, std::vector<UINT>({kSecond}));  // the child ate the first
}

TEST_F(QueueTest, TranslateMessageTurnsKeysIntoCharacters) {
    LogWnd wnd;
    ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 50, 50)));
    wnd.SetFocus();
    plat::PumpMessages();
    wnd.Clear();

    plat::input::Key('A');
    plat::input::KeyDown(VK_SHIFT);
    plat::input::Key('B');
    plat::input::Key('2');
    plat::input::KeyUp(VK_SHIFT);
    plat::input::Key(VK_RETURN);
    plat::input::Key(VK_LEFT);  // no character
    plat::input::Char('\xB0');  // a character without a key
    plat::PumpMessages();

    std::string typed;
    for (const Heard& h : wnd.log) {
        if (h.message == WM_CHAR) {
            typed += static_cast<char>(h.wParam);
        }
    }
    EXPECT_EQ(typed, "aB@\r\xB0");
    EXPECT_EQ(wnd.Count(WM_KEYDOWN), 6);
    EXPECT_EQ(wnd.Count(WM_KEYUP), 6);
}

}  // namespace
}  // namespace wt
