#pragma once
// The message loop: the queue's posted messages, injected input, WM_QUIT, and the
// low-priority WM_PAINT and WM_TIMER (made up only when nothing else is waiting) are
// taken in that order and dispatched through PreTranslateMessage, TranslateMessage and
// DispatchMessageA. Modal dialogs and menus run a nested loop (RunModalLoop) inside a
// handler; it ends with EndModalLoop.
//
// All of it runs on the user-interface thread; other threads may only post.

#include <cstdint>
#include <functional>

#include "platform/window/WinUser.h"

namespace plat {

// Dispatches every message that is ready (posted, input, paint, timers that are due)
// without waiting; stops before a WM_QUIT, which stays queued. Answers the number of
// messages dispatched.
SUI_API int PumpMessages();

// Runs messages for ms milliseconds of the clock. On the test clock the clock is moved
// from one timer's due time to the next, so each period of a timer fires; on the real
// clock the loop waits between messages. Returns early when WM_QUIT is queued.
SUI_API void RunMessagesFor(std::uint64_t ms);

// A nested loop that runs until EndModalLoop (answering its result). It also ends,
// answering -1, when WM_QUIT is queued (which stays queued for the outer loop) and, on
// the test clock, when it falls idle and the idle handler did not end it: nothing could
// ever end it then.
SUI_API int RunModalLoop();
// Ends the innermost modal loop; FALSE when none runs.
SUI_API BOOL EndModalLoop(int result);
SUI_API int ModalLoopDepth();

// Called each time a modal loop (or GetMessageA) has nothing to do, before it waits. A
// headless host or a test answers dialogs here. An empty function removes it.
SUI_API void SetIdleHandler(std::function<void()> handler);

// Runs one message through PreTranslateMessage (from its window up to the top-level
// window), TranslateMessage and DispatchMessageA.
SUI_API void ProcessMessage(MSG& msg);

// WM_QUIT is queued; its exit code into *exitCode when given.
SUI_API bool IsQuitPending(int* exitCode = nullptr);
// Drops posted messages, injected input, WM_QUIT, timers and modal loops (a test starts
// clean).
SUI_API void ResetMessageQueue();

}  // namespace plat
