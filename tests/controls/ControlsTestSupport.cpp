#include "ControlsTestSupport.h"

#include <algorithm>

#include "platform/window/Backend.h"

#include "platform/controls/ControlDefs.h"
#include "tests/support/WindowingReset.h"

namespace ct {

std::vector<UINT> ParentWnd::Codes(int id) const {
    std::vector<UINT> codes;
    for (const Heard& h : heard) {
        if (h.message == WM_COMMAND && h.id == id) {
            codes.push_back(h.code);
        }
    }
    return codes;
}

int ParentWnd::Count(UINT message) const {
    return static_cast<int>(std::count_if(
        heard.begin(), heard.end(), [message](const Heard& h) { return h.message == message; }));
}

BOOL ParentWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    heard.push_back({WM_COMMAND, LOWORD(wParam), HIWORD(wParam), 0, 0});
    if (onCommand) {
        onCommand(HIWORD(wParam));
    }
    return CWnd::OnCommand(wParam, lParam);
}

BOOL ParentWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    Heard h{WM_NOTIFY, static_cast<int>(wParam), header->code, 0, 0};
    if (header->code == UDN_DELTAPOS) {
        const auto* change = reinterpret_cast<const NMUPDOWN*>(lParam);
        h.pos = change->iPos;
        h.delta = change->iDelta;
    }
    heard.push_back(h);
    if (onNotify) {
        *pResult = onNotify(*header);
        return TRUE;
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
}

LRESULT ParentWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_VSCROLL || message == WM_HSCROLL) {
        const auto* control = CWnd::FromHandle(reinterpret_cast<HWND>(lParam));
        heard.push_back({message, control ? control->GetDlgCtrlID() : 0, LOWORD(wParam),
                         static_cast<SHORT>(HIWORD(wParam)), 0});
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

HBRUSH ParentWnd::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (!customColours || nCtlColor != CTLCOLOR_EDIT) {
        return CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
    }
    if (!brush_.GetSafeHandle()) {
        brush_.CreateSolidBrush(fieldColour);
    }
    pDC->SetTextColor(textColour);
    pDC->SetBkColor(fieldColour);
    return static_cast<HBRUSH>(brush_.GetSafeHandle());
}

void ControlTest::SetUp() {
    plat::ResetMessageQueue();
    plat::input::ResetState();
    plat::SetTestClock(1000);
    screen().Install();
    screen().SetSize(plat::Screen::kDefaultWidth, plat::Screen::kDefaultHeight);
    SetCursorPos(0, 0);
    ASSERT_TRUE(parent.CreateEx(
        0, AfxRegisterWndClass(CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)),
        "parent", WS_POPUP | WS_VISIBLE, CRect(100, 100, 600, 500), nullptr, 0));
    parent.SetActiveWindow();
    plat::PumpMessages();
}

void ControlTest::TearDown() {
    plat::test::ResetWindowing();
}

Picture::Picture(const CWnd& wnd) {
    plat::PumpMessages();
    pixels_ = plat::WindowPixels(&wnd);
    CRect window;
    wnd.GetWindowRect(&window);
    CPoint origin(0, 0);
    wnd.ClientToScreen(&origin);
    client_ = CPoint(origin.x - window.left, origin.y - window.top);
}

int Picture::CountOtherThan(int y, int x0, int x1, COLORREF colour) const {
    int count = 0;
    for (int x = x0; x < x1; ++x) {
        count += At(x, y) != colour ? 1 : 0;
    }
    return count;
}

int Picture::CountOf(const CRect& rect, COLORREF colour) const {
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            count += At(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

}  // namespace ct
