#include "GridRowsTestSupport.h"

#include <algorithm>

#include "platform/backend/Screen.h"
#include "platform/window/Clock.h"
#include "platform/window/Input.h"
#include "platform/window/MessageLoop.h"
#include "tests/support/WindowingReset.h"

namespace gr {

constexpr UINT kGridId = 7;

int OwnerWnd::Count(UINT message) const {
    return static_cast<int>(std::count_if(
        told.begin(), told.end(), [message](const Told& t) { return t.message == message; }));
}

LRESULT OwnerWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= 0xC000) {  // registered messages only
        told.push_back({message, wParam, lParam});
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void GridRowsTest::SetUp() {
    SettingsTest::SetUp();
    plat::ResetMessageQueue();
    plat::input::ResetState();
    plat::SetTestClock(1000);
    plat::HeadlessScreen().Install();
    plat::HeadlessScreen().SetSize(plat::Screen::kDefaultWidth, plat::Screen::kDefaultHeight);
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP | WS_VISIBLE,
                               CRect(50, 50, 550, 450), nullptr, 0));
    ASSERT_TRUE(grid.Create(WS_VISIBLE, CRect(0, 0, 400, 300), &owner, kGridId));
    owner.SetActiveWindow();
    plat::PumpMessages();
}

void GridRowsTest::TearDown() {
    grid.RemoveAll();
    plat::test::ResetWindowing();
    SettingsTest::TearDown();
}

CRect GridRowsTest::ValueRect(const CMFCPropertyGridProperty* row) const {
    const CRect rect = row->GetRect();
    const int separator = grid.GetListRect().left + grid.GetLeftColumnWidth();
    return CRect(separator + 1, rect.top, rect.right, rect.bottom - 1);
}

void GridRowsTest::ClickValue(const CMFCPropertyGridProperty* row) {
    plat::AdvanceTestClock(1000);  // never a double click with the click before
    const CRect value = ValueRect(row);
    Click(grid, CPoint(value.left + 8, value.CenterPoint().y));
}

CWnd* GridRowsTest::Editor() const {
    // The in-place edit has the focus while it is open (a drop-down row also has a hidden
    // combo box of the same id).
    CWnd* focus = CWnd::GetFocus();
    return focus && focus->GetParent() == &grid ? focus : nullptr;
}

void GridRowsTest::EnterText(const char* text) {
    CWnd* editor = Editor();
    ASSERT_NE(editor, nullptr);
    editor->SetWindowText(text);
    Key(VK_RETURN);
}

void GridRowsTest::WriteUnits(int units, int conversion, int imperial) const {
    WriteRaw("Units_Mode.INI", "Units Mode = " + std::to_string(units) +
                                   "\r\nConversion Mode = " + std::to_string(conversion) +
                                   "\r\nImperial Mode = " + std::to_string(imperial) + "\r\n");
}

void GridRowsTest::WriteDecimalPlaces(int places) const {
    WriteRaw("Decimal_Places.INI", "No Dps = " + std::to_string(places) + "\r\n");
}

}  // namespace gr
