#include "tests/grid_control/GridTestSupport.h"
#include "tests/support/WindowingReset.h"

namespace gt {

LRESULT HostFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == GetSettingsUpdateMessage()) {
        updates.push_back(wParam);
        return 0;
    }
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

void GridTest::SetUp() {
    SettingsTest::SetUp();
    plat::ResetMessageQueue();
    plat::input::ResetState();
    plat::SetTestClock(1000);
    plat::HeadlessScreen().Install();
    plat::HeadlessScreen().SetSize(plat::Screen::kDefaultWidth, plat::Screen::kDefaultHeight);
    SetCursorPos(0, 0);
    savedPrinter_ = plat::DefaultPrinter();
    plat::PrinterSettings fast = savedPrinter_;
    fast.dpi = 100;
    plat::SetDefaultPrinter(fast);
    app_ = std::make_unique<CWinApp>("grid-tests");
    host = new HostFrame;
    ASSERT_TRUE(
        host->Create(nullptr, "Vessel", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 800, 600)));
    plat::PumpMessages();
}

void GridTest::TearDown() {
    plat::test::ResetWindowing();
    plat::SetDefaultPrinter(savedPrinter_);
    app_.reset();
    SettingsTest::TearDown();
}

void GridTest::CreateGrid(CMyMFCPropertyGridCtrl& grid, const CRect& rect) {
    ASSERT_TRUE(grid.Create(WS_CHILD | WS_VISIBLE, rect, host, 100));
    plat::PumpMessages();
}

COLORREF GridTest::PixelAt(const CWnd& wnd, CPoint client) {
    plat::PumpMessages();
    wnd.ClientToScreen(&client);
    plat::HeadlessScreen().Compose();
    return plat::HeadlessScreen().GetPixel(client.x, client.y);
}

CPoint GridTest::ValueCentre(const CMFCPropertyGridCtrl& grid,
                             const CMFCPropertyGridProperty& prop) {
    const CRect row = prop.GetRect();
    const CRect value(grid.GetListRect().left + grid.GetLeftColumnWidth() + 1, row.top, row.right,
                      row.bottom - 1);
    return CPoint((value.left + value.right) / 2, (value.top + value.bottom) / 2);
}

void GridTest::Click(const CWnd& wnd, CPoint client) {
    const POINT at = plat::input::ScreenPointOf(&wnd, client);
    plat::input::Click(at.x, at.y);
    plat::PumpMessages();
}

bool IsYellowish(COLORREF c) {
    return GetRValue(c) > 150 && GetGValue(c) > 120 && GetBValue(c) < 80;
}

bool IsGreenish(COLORREF c) {
    return GetRValue(c) < 100 && GetGValue(c) > 120 && GetBValue(c) < 100;
}

}  // namespace gt
