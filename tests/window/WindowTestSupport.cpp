#include "WindowTestSupport.h"

#include <algorithm>
#include <cstdio>

void PrintTo(const CRect& rect, std::ostream* out) {
    *out << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom
         << ")";
}
void PrintTo(const CPoint& point, std::ostream* out) {
    *out << "(" << point.x << ", " << point.y << ")";
}
void PrintTo(const CSize& size, std::ostream* out) {
    *out << size.cx << "x" << size.cy;
}

namespace wt {

std::vector<Heard>& Journal() {
    static std::vector<Heard> journal;
    return journal;
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
    while (CWnd* top = CWnd::GetDesktopWindow()->GetWindow(GW_CHILD)) {
        top->DestroyWindow();
    }
    ReleaseCapture();
    plat::ResetMessageQueue();
    plat::input::ResetState();
    plat::UseRealClock();
    Journal().clear();
}

int LogWnd::Count(UINT message) const {
    return static_cast<int>(std::count_if(
        log.begin(), log.end(), [message](const Heard& h) { return h.message == message; }));
}

std::vector<UINT> LogWnd::Messages(const std::vector<UINT>& only) const {
    std::vector<UINT> messages;
    for (const Heard& h : log) {
        if (only.empty() || std::find(only.begin(), only.end(), h.message) != only.end()) {
            messages.push_back(h.message);
        }
    }
    return messages;
}

const Heard* LogWnd::Last(UINT message) const {
    for (auto it = log.rbegin(); it != log.rend(); ++it) {
        if (it->message == message) {
            return &*it;
        }
    }
    return nullptr;
}

LRESULT LogWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const Heard heard{m_hWnd, name_, message, wParam, lParam};
    log.push_back(heard);
    Journal().push_back(heard);
    if (hook) {
        LRESULT result = 0;
        if (hook(message, wParam, lParam, result)) {
            return result;
        }
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

LPCTSTR BareClass() {
    return AfxRegisterWndClass(0);
}

LPCTSTR DoubleClickClass() {
    return AfxRegisterWndClass(CS_DBLCLKS);
}

LPCTSTR PlainClass() {
    return AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
}

bool MakePopup(CWnd& wnd, const CRect& rect, DWORD style, LPCTSTR cls, DWORD exStyle) {
    return wnd.CreateEx(exStyle, cls, "popup", style, rect, nullptr, 0) != FALSE;
}

bool MakeChild(CWnd& wnd, CWnd& parent, const CRect& rect, UINT id, DWORD style, LPCTSTR cls,
               DWORD exStyle) {
    return wnd.CreateEx(exStyle, cls, "child", style | WS_CHILD, rect, &parent, id) != FALSE;
}

std::string Entry(const std::string& who, UINT message) {
    char text[64];
    std::snprintf(text, sizeof text, "%s:%04x", who.c_str(), message);
    return text;
}

std::vector<std::string> JournalOf(const std::vector<UINT>& only) {
    std::vector<std::string> lines;
    for (const Heard& h : Journal()) {
        if (std::find(only.begin(), only.end(), h.message) != only.end()) {
            lines.push_back(Entry(h.who, h.message));
        }
    }
    return lines;
}

POINT At(const CWnd& wnd, int x, int y) {
    return plat::input::ScreenPointOf(&wnd, POINT{x, y});
}

}  // namespace wt
