#include "PropGridTestSupport.h"
#include "tests/support/WindowingReset.h"

namespace pg {

int CountingProperty::valueDraws = 0;

LRESULT OwnerWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == AFX_WM_PROPERTY_CHANGED) {
        auto* prop = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
        changes.push_back({wParam, prop});
        if (onChanged) {
            onChanged(prop);
        }
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CountingProperty::OnDrawValue(CDC* pDC, CRect rect) {
    ++valueDraws;
    CMFCPropertyGridProperty::OnDrawValue(pDC, rect);
}

// Member pointers named through the derived class reach the protected members of any row.
CWnd* RowAccess::InPlace(CMFCPropertyGridProperty* prop) {
    return prop->*(&RowAccess::m_pWndInPlace);
}

CComboBox* RowAccess::Combo(CMFCPropertyGridProperty* prop) {
    return prop->*(&RowAccess::m_pWndCombo);
}

CSpinButtonCtrl* RowAccess::Spin(CMFCPropertyGridProperty* prop) {
    return prop->*(&RowAccess::m_pWndSpin);
}

void GridTest::SetUp() {
    plat::ResetMessageQueue();
    plat::input::ResetState();
    plat::SetTestClock(1000);
    screen().Install();
    screen().SetSize(plat::Screen::kDefaultWidth, plat::Screen::kDefaultHeight);
    SetCursorPos(0, 0);
    CountingProperty::valueDraws = 0;
    ASSERT_TRUE(owner.CreateEx(
        0, AfxRegisterWndClass(CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)),
        "owner", WS_POPUP | WS_VISIBLE, CRect(100, 100, 500, 500), nullptr, 0));
    owner.SetActiveWindow();
    ASSERT_TRUE(grid.Create(WS_VISIBLE, CRect(10, 10, 310, 310), &owner, kGridId));
    plat::PumpMessages();
}

void GridTest::TearDown() {
    plat::SetColourDialogHook({});
    grid.DestroyWindow();
    plat::test::ResetWindowing();
}

namespace {

void AfterDoubleClickTime() {
    plat::AdvanceTestClock(GetDoubleClickTime() + 1);
}

}  // namespace

void GridTest::Click(const CWnd& wnd, CPoint client) {
    AfterDoubleClickTime();
    UserInput::Click(wnd, client);
}

void GridTest::DoubleClick(const CWnd& wnd, CPoint client) {
    AfterDoubleClickTime();
    const CPoint at = ScreenPoint(wnd, client);
    plat::input::Click(at.x, at.y);
    plat::input::Click(at.x, at.y);
    plat::PumpMessages();
}

void GridTest::MouseDown(const CWnd& wnd, CPoint client) {
    AfterDoubleClickTime();
    UserInput::MouseDown(wnd, client);
}

CPoint GridTest::NameOf(const CMFCPropertyGridProperty* prop) const {
    const CRect row = prop->GetRect();
    const int separator = grid.GetListRect().left + grid.GetLeftColumnWidth();
    return CPoint((row.left + separator) / 2 + grid.GetRowHeight() / 2, row.CenterPoint().y);
}

CPoint GridTest::ValueOf(const CMFCPropertyGridProperty* prop) const {
    const CRect row = prop->GetRect();
    const int separator = grid.GetListRect().left + grid.GetLeftColumnWidth();
    return CPoint(separator + 30, row.CenterPoint().y);
}

CWnd* GridTest::TopPopup() {
    return CWnd::GetDesktopWindow()->GetWindow(GW_CHILD);
}

CMFCPropertyGridProperty* GridTest::AddRow(const char* name, const COleVariant& value,
                                           DWORD_PTR data) {
    auto* prop = new CMFCPropertyGridProperty(name, value, "a row", data);
    grid.AddProperty(prop);
    plat::PumpMessages();
    return prop;
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

int Picture::CountOf(const CRect& rect, COLORREF colour) const {
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            count += At(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

int Picture::CountOtherThan(const CRect& rect, COLORREF colour) const {
    return rect.Width() * rect.Height() - CountOf(rect, colour);
}

}  // namespace pg
