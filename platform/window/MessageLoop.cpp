// The message queue and loop: posted messages, injected input, WM_QUIT, WM_PAINT and
// WM_TIMER in the windowing system's order, timers on the platform clock, nested loops.

#include "platform/window/MessageLoop.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

#include "platform/window/Backend.h"
#include "platform/window/Clock.h"
#include "platform/window/MessageQueue_p.h"
#include "platform/window/WindowTree_p.h"

namespace plat {

struct ModalFrame {
    bool ended = false;
    int result = -1;
};

namespace {

struct Timer {
    HWND hwnd;
    UINT_PTR id;
    UINT period;
    std::uint64_t due;
    TIMERPROC proc;
};

// What a retrieval may take: a window (and its descendants) and a message range.
struct Filter {
    HWND hwnd = nullptr;
    UINT min = 0;
    UINT max = 0;

    bool Allows(UINT message) const {
        return (min == 0 && max == 0) || (message >= min && message <= max);
    }
    bool Allows(const MSG& msg) const {
        if (!Allows(msg.message)) {
            return false;
        }
        if (!hwnd || msg.hwnd == hwnd) {
            return true;
        }
        const CWnd* target = LookupHandle(msg.hwnd);
        return target && IsDescendant(LookupHandle(hwnd), target);
    }
};

struct Queue {
    // Guards what other threads touch: posted messages, input, WM_QUIT.
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<MSG> posted;
    std::deque<InputEvent> input;
    bool quit = false;
    int quitCode = 0;

    // The user-interface thread's own.
    std::vector<Timer> timers;
    UINT_PTR nextThreadTimer = 1;
    std::vector<ModalFrame*> modal;
    std::function<void()> idle;
};

Queue& TheQueue() {
    static auto* queue = new Queue;  // outlives windows destroyed at exit
    return *queue;
}

MSG MakeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    POINT cursor{};
    GetCursorPos(&cursor);
    return MSG{hwnd, message, wParam, lParam, GetTickCount(), cursor};
}

std::optional<MSG> TakePosted(const Filter& filter, bool remove) {
    Queue& q = TheQueue();
    std::unique_lock lock(q.mutex);
    // Other threads only append and only this thread removes, so an index stays right
    // while the lock is let go for the filter (which looks at the window tree).
    for (std::size_t i = 0; i < q.posted.size(); ++i) {
        const MSG msg = q.posted[i];
        lock.unlock();
        const bool allowed = filter.Allows(msg);
        lock.lock();
        if (allowed) {
            if (remove) {
                q.posted.erase(q.posted.begin() + static_cast<std::ptrdiff_t>(i));
            }
            return msg;
        }
    }
    return std::nullopt;
}

std::optional<InputEvent> FrontInput() {
    Queue& q = TheQueue();
    const std::lock_guard lock(q.mutex);
    if (q.input.empty()) {
        return std::nullopt;
    }
    return q.input.front();
}

void PopInput() {
    Queue& q = TheQueue();
    const std::lock_guard lock(q.mutex);
    if (!q.input.empty()) {
        q.input.pop_front();
    }
}

// Input stays in order: when the next event is not for the filter, none is taken.
std::optional<MSG> TakeInput(const Filter& filter, bool remove) {
    while (const std::optional<InputEvent> event = FrontInput()) {
        const std::optional<MSG> preview = InputToMessage(*event, false);
        if (preview && !filter.Allows(*preview)) {
            return std::nullopt;
        }
        if (!remove) {
            return preview;
        }
        PopInput();
        if (std::optional<MSG> msg = InputToMessage(*event, true)) {
            return msg;
        }
        // Nobody to receive it, or mouse activation ate it: on to the next.
    }
    return std::nullopt;
}

std::optional<MSG> TakeQuit(const Filter& filter, bool remove) {
    Queue& q = TheQueue();
    const std::lock_guard lock(q.mutex);
    if (!q.quit || !filter.Allows(WM_QUIT)) {
        return std::nullopt;
    }
    if (remove) {
        q.quit = false;
    }
    return MSG{nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0, GetTickCount(), {}};
}

bool QuitPending() {
    Queue& q = TheQueue();
    const std::lock_guard lock(q.mutex);
    return q.quit;
}

std::optional<MSG> TakePaint(const Filter& filter) {
    if (!filter.Allows(WM_PAINT)) {
        return std::nullopt;
    }
    if (const HWND hwnd = NextWindowToPaint(filter.hwnd)) {
        return MakeMessage(hwnd, WM_PAINT, 0, 0);
    }
    return std::nullopt;
}

// The earliest due timer; taking it schedules its next period after now, so periods
// missed while nobody looked collapse into this one message.
std::optional<MSG> TakeTimer(const Filter& filter, bool remove) {
    if (!filter.Allows(WM_TIMER)) {
        return std::nullopt;
    }
    const std::uint64_t now = NowMs();
    Timer* earliest = nullptr;
    for (Timer& timer : TheQueue().timers) {
        if (timer.due <= now && (!earliest || timer.due < earliest->due) &&
            filter.Allows(MSG{timer.hwnd, WM_TIMER, 0, 0, 0, {}})) {
            earliest = &timer;
        }
    }
    if (!earliest) {
        return std::nullopt;
    }
    const MSG msg = MakeMessage(earliest->hwnd, WM_TIMER, earliest->id,
                                reinterpret_cast<LPARAM>(earliest->proc));
    if (remove) {
        const std::uint64_t periods = (now - earliest->due) / earliest->period + 1;
        earliest->due += periods * earliest->period;
    }
    return msg;
}

// The windowing system's order: posted, input, quit, paint, timers.
std::optional<MSG> Retrieve(const Filter& filter, bool remove, bool leaveQuit) {
    if (auto msg = TakePosted(filter, remove)) {
        return msg;
    }
    if (auto msg = TakeInput(filter, remove)) {
        return msg;
    }
    if (leaveQuit && QuitPending()) {
        return std::nullopt;
    }
    if (auto msg = TakeQuit(filter, remove)) {
        return msg;
    }
    if (auto msg = TakePaint(filter)) {
        return msg;
    }
    return TakeTimer(filter, remove);
}

std::optional<std::uint64_t> NextTimerDue() {
    std::optional<std::uint64_t> next;
    for (const Timer& timer : TheQueue().timers) {
        next = next ? std::min(*next, timer.due) : timer.due;
    }
    return next;
}

void RunIdleHandler() {
    // A copy: the handler may replace itself.
    if (const std::function<void()> idle = TheQueue().idle) {
        idle();
    }
}

// Waits until something may have arrived or the deadline passed; false when waiting
// could never end (the test clock stands still until the test moves it).
bool WaitForWork(std::optional<std::uint64_t> deadline) {
    if (CurrentClock().IsManual()) {
        return false;
    }
    const std::uint64_t now = NowMs();
    const int timeout = deadline ? static_cast<int>(std::min<std::uint64_t>(
                                       *deadline > now ? *deadline - now : 0, 0x7FFFFFFF))
                                 : -1;
    if (Backend* backend = InstalledBackend(); backend && backend->WaitForInput(timeout)) {
        return true;
    }
    Queue& q = TheQueue();
    std::unique_lock lock(q.mutex);
    const auto ready = [&q] { return !q.posted.empty() || !q.input.empty() || q.quit; };
    if (timeout < 0) {
        q.wake.wait(lock, ready);
    } else {
        q.wake.wait_for(lock, std::chrono::milliseconds(timeout), ready);
    }
    return true;
}

bool WalkPreTranslate(MSG& msg) {
    HWND hwnd = msg.hwnd;
    while (CWnd* wnd = LookupHandle(hwnd)) {
        if (IsDesktop(wnd)) {
            break;
        }
        const bool top = IsTopLevel(wnd);
        const HWND parent = Data(wnd)->parent->m_hWnd;
        if (wnd->PreTranslateMessage(&msg)) {
            return true;
        }
        if (top) {
            break;
        }
        hwnd = parent;
    }
    return false;
}

int RunModalFrame(ModalFrame& frame) {
    Queue& q = TheQueue();
    q.modal.push_back(&frame);
    while (!frame.ended) {
        if (std::optional<MSG> msg = Retrieve(Filter{}, true, true)) {
            ProcessMessage(*msg);
            continue;
        }
        if (QuitPending()) {
            break;
        }
        RunIdleHandler();
        if (frame.ended || Retrieve(Filter{}, false, true)) {
            continue;
        }
        if (!WaitForWork(NextTimerDue())) {
            break;
        }
    }
    q.modal.erase(std::remove(q.modal.begin(), q.modal.end(), &frame), q.modal.end());
    return frame.ended ? frame.result : -1;
}

void Post(const MSG& msg) {
    Queue& q = TheQueue();
    {
        const std::lock_guard lock(q.mutex);
        q.posted.push_back(msg);
    }
    q.wake.notify_all();
    if (Backend* backend = InstalledBackend()) {
        backend->Wake();
    }
}

// The character a key gives on a plain US keyboard, or 0.
UINT CharacterOfKey(UINT vk, bool shift, bool control) {
    if (vk >= 'A' && vk <= 'Z') {
        if (control) {
            return vk - 'A' + 1;
        }
        return shift ? vk : vk - 'A' + 'a';
    }
    if (control) {
        return 0;
    }
    if (vk >= '0' && vk <= '9') {
        return shift ? static_cast<UINT>(")!@#$%^&*("[vk - '0']) : vk;
    }
    if (vk >= 0x60 && vk <= 0x69) {  // the numeric keypad
        return '0' + (vk - 0x60);
    }
    struct KeyChar {
        UINT vk;
        char plain;
        char shifted;
    };
    static constexpr KeyChar kKeys[] = {
        {VK_SPACE, ' ', ' '},    {VK_RETURN, '\r', '\r'}, {VK_ESCAPE, 27, 27},
        {VK_TAB, '\t', '\t'},    {VK_BACK, 8, 8},         {VK_ADD, '+', '+'},
        {VK_SUBTRACT, '-', '-'}, {VK_DECIMAL, '.', '.'},  {0x6A, '*', '*'},
        {0x6F, '/', '/'},        {0xBA, ';', ':'},        {0xBB, '=', '+'},
        {0xBC, ',', '<'},        {0xBD, '-', '_'},        {0xBE, '.', '>'},
        {0xBF, '/', '?'},        {0xC0, '`', '~'},        {0xDB, '[', '{'},
        {0xDC, '\\', '|'},       {0xDD, ']', '}'},        {0xDE, '\'', '"'},
    };
    for (const KeyChar& key : kKeys) {
        if (key.vk == vk) {
            return static_cast<unsigned char>(shift ? key.shifted : key.plain);
        }
    }
    return 0;
}

}  // namespace

void QueueInput(const InputEvent& event) {
    Queue& q = TheQueue();
    {
        const std::lock_guard lock(q.mutex);
        q.input.push_back(event);
    }
    q.wake.notify_all();
}

void ForgetQueuedFor(HWND hwnd) {
    Queue& q = TheQueue();
    const std::lock_guard lock(q.mutex);
    q.posted.erase(std::remove_if(q.posted.begin(), q.posted.end(),
                                  [hwnd](const MSG& m) { return m.hwnd == hwnd; }),
                   q.posted.end());
}

void KillTimersOf(HWND hwnd) {
    auto& timers = TheQueue().timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(),
                                [hwnd](const Timer& t) { return t.hwnd == hwnd; }),
                 timers.end());
}

void EndModalLoopsOf(CWnd* wnd) {
    if (WndData* d = Data(wnd); d && d->modal) {
        d->modal->ended = true;
        d->modal = nullptr;
    }
}

int PumpMessages() {
    int count = 0;
    while (std::optional<MSG> msg = Retrieve(Filter{}, true, true)) {
        ProcessMessage(*msg);
        ++count;
    }
    return count;
}

void RunMessagesFor(std::uint64_t ms) {
    const std::uint64_t deadline = NowMs() + ms;
    for (;;) {
        PumpMessages();
        const std::uint64_t now = NowMs();
        if (QuitPending() || now >= deadline) {
            return;
        }
        const std::uint64_t next = std::min(NextTimerDue().value_or(deadline), deadline);
        if (CurrentClock().IsManual()) {
            AdvanceTestClock(std::max(next, now + 1) - now);
        } else {
            WaitForWork(next);
        }
    }
}

int RunModalLoop() {
    ModalFrame frame;
    return RunModalFrame(frame);
}

BOOL EndModalLoop(int result) {
    auto& modal = TheQueue().modal;
    for (auto it = modal.rbegin(); it != modal.rend(); ++it) {
        if (!(*it)->ended) {
            (*it)->ended = true;
            (*it)->result = result;
            return TRUE;
        }
    }
    return FALSE;
}

int ModalLoopDepth() {
    return static_cast<int>(TheQueue().modal.size());
}

void SetIdleHandler(std::function<void()> handler) {
    TheQueue().idle = std::move(handler);
}

void ProcessMessage(MSG& msg) {
    if (!WalkPreTranslate(msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool IsQuitPending(int* exitCode) {
    Queue& q = TheQueue();
    const std::lock_guard lock(q.mutex);
    if (q.quit && exitCode) {
        *exitCode = q.quitCode;
    }
    return q.quit;
}

void ResetMessageQueue() {
    Queue& q = TheQueue();
    {
        const std::lock_guard lock(q.mutex);
        q.posted.clear();
        q.input.clear();
        q.quit = false;
        q.quitCode = 0;
    }
    q.timers.clear();
    for (ModalFrame* frame : q.modal) {
        frame->ended = true;
    }
    q.modal.clear();
    q.idle = nullptr;
}

}  // namespace plat

// ---- Win32 calls -----------------------------------------------------------------------

LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = plat::LookupHandle(hwnd);
    return wnd && !plat::IsDesktop(wnd) ? plat::Deliver(wnd, message, wParam, lParam) : 0;
}

BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    constexpr DWORD kErrorInvalidWindowHandle = 1400;
    if (hwnd && !plat::LookupHandle(hwnd)) {
        SetLastError(kErrorInvalidWindowHandle);
        return FALSE;
    }
    plat::Post(plat::MakeMessage(hwnd, message, wParam, lParam));
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    plat::Queue& q = plat::TheQueue();
    {
        const std::lock_guard lock(q.mutex);
        q.quit = true;
        q.quitCode = exitCode;
    }
    q.wake.notify_all();
}

BOOL GetMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    const plat::Filter filter{hwnd, filterMin, filterMax};
    for (;;) {
        if (std::optional<MSG> taken = plat::Retrieve(filter, true, false)) {
            if (msg) {
                *msg = *taken;
            }
            return taken->message != WM_QUIT;
        }
        plat::RunIdleHandler();
        if (plat::Retrieve(filter, false, false)) {
            continue;
        }
        if (!plat::WaitForWork(plat::NextTimerDue())) {
            return -1;
        }
    }
}

BOOL PeekMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT remove) {
    const std::optional<MSG> taken =
        plat::Retrieve(plat::Filter{hwnd, filterMin, filterMax}, (remove & PM_REMOVE) != 0, false);
    if (taken && msg) {
        *msg = *taken;
    }
    return taken ? TRUE : FALSE;
}

BOOL TranslateMessage(const MSG* msg) {
    if (!msg || msg->message != WM_KEYDOWN) {
        return FALSE;
    }
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool control = GetKeyState(VK_CONTROL) < 0;
    const UINT ch = plat::CharacterOfKey(static_cast<UINT>(msg->wParam), shift, control);
    if (ch == 0) {
        return FALSE;
    }
    plat::Post(MSG{msg->hwnd, WM_CHAR, ch, msg->lParam, msg->time, msg->pt});
    return TRUE;
}

LRESULT DispatchMessageA(const MSG* msg) {
    if (!msg) {
        return 0;
    }
    if (msg->message == WM_TIMER && msg->lParam != 0) {
        // Only a timer that still exists with this procedure calls it.
        const auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        const auto& timers = plat::TheQueue().timers;
        const bool live = std::any_of(timers.begin(), timers.end(), [&](const plat::Timer& t) {
            return t.hwnd == msg->hwnd && t.id == msg->wParam && t.proc == proc;
        });
        if (live) {
            proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
        }
        return 0;
    }
    CWnd* wnd = plat::LookupHandle(msg->hwnd);
    if (!wnd || plat::IsDesktop(wnd)) {
        return 0;
    }
    if (msg->message == WM_PAINT) {
        plat::Data(wnd)->paintedSinceAsked = false;
        const LRESULT result = plat::Deliver(wnd, WM_PAINT, 0, 0);
        // A handler that neither painted nor validated would be asked again forever.
        if (CWnd* w = plat::LookupHandle(msg->hwnd); w && !plat::Data(w)->paintedSinceAsked) {
            plat::ForgetPaint(w);
        }
        return result;
    }
    return plat::Deliver(wnd, msg->message, msg->wParam, msg->lParam);
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    const plat::WndData* d = plat::Data(plat::LookupHandle(hwnd));
    if (hwnd && (!d || d->destroying)) {
        return 0;
    }
    auto& q = plat::TheQueue();
    auto& timers = q.timers;
    const auto same = [&](const plat::Timer& t) { return t.hwnd == hwnd && t.id == id; };
    if (!hwnd && (id == 0 || std::none_of(timers.begin(), timers.end(), same))) {
        // A timer without a window gets a fresh id.
        do {
            id = q.nextThreadTimer++;
        } while (std::any_of(timers.begin(), timers.end(), same));
    }
    const UINT period = std::clamp(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
    const std::uint64_t due = plat::NowMs() + period;
    if (auto found = std::find_if(timers.begin(), timers.end(), same); found != timers.end()) {
        *found = plat::Timer{hwnd, id, period, due, proc};
    } else {
        timers.push_back(plat::Timer{hwnd, id, period, due, proc});
    }
    return id ? id : 1;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    auto& timers = plat::TheQueue().timers;
    const auto before = timers.size();
    timers.erase(std::remove_if(timers.begin(), timers.end(),
                                [&](const plat::Timer& t) { return t.hwnd == hwnd && t.id == id; }),
                 timers.end());
    return timers.size() != before;
}

// ---- CWnd ------------------------------------------------------------------------------

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return m_hWnd ? PostMessageA(m_hWnd, message, wParam, lParam) : FALSE;
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer) {
    return m_hWnd ? ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer) : 0;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) {
    return m_hWnd ? ::KillTimer(m_hWnd, nIDEvent) : FALSE;
}

int CWnd::RunModalLoop(DWORD) {
    plat::WndData* d = plat::Data(this);
    if (!d) {
        return -1;
    }
    plat::ModalFrame frame;
    plat::ModalFrame* outer = d->modal;
    d->modal = &frame;
    const HWND hwnd = m_hWnd;
    const int result = plat::RunModalFrame(frame);
    if (plat::WndData* after = plat::Data(plat::LookupHandle(hwnd));
        after && after->modal == &frame) {
        after->modal = outer;
    }
    return result;
}

void CWnd::EndModalLoop(int nResult) {
    if (plat::WndData* d = plat::Data(this); d && d->modal) {
        d->modal->ended = true;
        d->modal->result = nResult;
    }
}
