#pragma once
// Shared pieces of the window tests: a fixture that starts every test on the test clock
// with an empty queue and the headless screen, and windows that record what they hear.

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/backend/Screen.h"
#include "platform/window/CWnd.h"
#include "platform/window/Clock.h"
#include "platform/window/Input.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/WindowDC.h"

// Readable failures: rectangles, points and sizes print their numbers.
void PrintTo(const CRect& rect, std::ostream* out);
void PrintTo(const CPoint& point, std::ostream* out);
void PrintTo(const CSize& size, std::ostream* out);

namespace wt {

// One message as a window received it.
struct Heard {
    HWND hwnd;
    std::string who;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Every LogWnd's messages in the order they arrived, across windows.
std::vector<Heard>& Journal();

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    plat::Screen& screen() { return plat::HeadlessScreen(); }
};

// A window that records every message and can react to one through a hook.
class LogWnd : public CWnd {
public:
    explicit LogWnd(std::string name = "wnd") : name_(std::move(name)) {}

    std::vector<Heard> log;
    // Called for each message before the normal processing; answering true stops it
    // (the hook's result is then the message's result).
    std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)> hook;

    int Count(UINT message) const;
    // The message numbers received, leaving out the ones in ignored.
    std::vector<UINT> Messages(const std::vector<UINT>& only = {}) const;
    const Heard* Last(UINT message) const;
    void Clear() { log.clear(); }
    const std::string& name() const { return name_; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::string name_;
};

// A window whose paint fills its client area with one colour (and counts paints).
class FillWnd : public LogWnd {
public:
    FillWnd(std::string name, COLORREF colour) : LogWnd(std::move(name)), colour(colour) {}

    COLORREF colour;
    int paints = 0;
    RECT lastPaint{};

protected:
    void OnPaint() override;
};

// A class without a background brush, so nothing is drawn unless a window draws.
LPCTSTR BareClass();
// A class with CS_DBLCLKS (and without).
LPCTSTR DoubleClickClass();
LPCTSTR PlainClass();

bool MakePopup(CWnd& wnd, const CRect& rect, DWORD style = WS_POPUP | WS_VISIBLE,
               LPCTSTR cls = nullptr, DWORD exStyle = 0);
bool MakeChild(CWnd& wnd, CWnd& parent, const CRect& rect, UINT id = 0,
               DWORD style = WS_CHILD | WS_VISIBLE, LPCTSTR cls = nullptr, DWORD exStyle = 0);

// The messages of the journal among only, as "who:message" lines (in hexadecimal).
std::vector<std::string> JournalOf(const std::vector<UINT>& only);
std::string Entry(const std::string& who, UINT message);

// A screen point inside wnd's client area.
POINT At(const CWnd& wnd, int x, int y);

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 160, 0);

}  // namespace wt
