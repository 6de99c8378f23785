#include "WindowTestSupport.h"
#include "tests/support/WindowingReset.h"

#include <algorithm>

void PrintTo(const CRect& rect, std::ostream* out) {
    *out << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom
         << ")";
}

namespace wt {

namespace {
bool Among(const std::vector<UINT>& only, UINT message) {
    return only.empty() || std::find(only.begin(), only.end(), message) != only.end();
}
}  // namespace

std::vector<Heard>& Journal() {
    static std::vector<Heard> journal;
    return journal;
}

std::string WhoGot(const std::vector<UINT>& only) {
    std::string names;
    for (const Heard& h : Journal()) {
        if (Among(only, h.message)) {
            names += (names.empty() ? "" : " ") + h.who;
        }
    }
    return names;
}

void WindowTest::SetUp() {
    plat::ResetMessageQueue();
    plat::input::ResetState();
    plat::SetTestClock(1000);
    screen().Install();
    screen().SetSize(plat::Screen::kDefaultWidth, plat::Screen::kDefaultHeight);
    SetCursorPos(0, 0);
    Journal().clear();
}

void WindowTest::TearDown() {
    // Windows a test left behind go before the next test starts.
    plat::test::ResetWindowing();
    Journal().clear();
}

void LogWnd::On(UINT message, std::function<void(WPARAM)> act) {
    hook = [message, act = std::move(act)](UINT m, WPARAM wParam, LPARAM, LRESULT&) {
        if (m == message) {
            act(wParam);
        }
        return false;
    };
}

int LogWnd::Count(UINT message) const {
    return static_cast<int>(Messages({message}).size());
}

std::vector<UINT> LogWnd::Messages(const std::vector<UINT>& only) const {
    std::vector<UINT> messages;
    for (const Heard& h : log) {
        if (Among(only, h.message)) {
            messages.push_back(h.message);
        }
    }
    return messages;
}

std::vector<WPARAM> LogWnd::WParams(UINT message) const {
    std::vector<WPARAM> params;
    for (const Heard& h : log) {
        if (h.message == message) {
            params.push_back(h.wParam);
        }
    }
    return params;
}

const Heard& LogWnd::Last(UINT message) const {
    static const Heard none{"(none)", 0, ~WPARAM{0}, -1};
    const auto it = std::find_if(log.rbegin(), log.rend(),
                                 [message](const Heard& h) { return h.message == message; });
    return it == log.rend() ? none : *it;
}

LRESULT LogWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const Heard heard{name_, message, wParam, lParam};
    log.push_back(heard);
    Journal().push_back(heard);
    LRESULT result = 0;
    if (hook && hook(message, wParam, lParam, result)) {
        return result;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void FillWnd::OnPaint() {
    CPaintDC dc(this);
    ++paints;
    lastPaint = dc.m_ps.rcPaint;
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, colour);
}

}  // namespace wt
