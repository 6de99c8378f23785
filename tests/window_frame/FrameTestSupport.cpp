#include "FrameTestSupport.h"
#include "tests/support/WindowingReset.h"

void PrintTo(const CRect& rect, std::ostream* out) {
    *out << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom
         << ")";
}

namespace ft {

void ColourView::OnDraw(CDC* pDC) {
    ++paints;
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, colour);
}

void ColourView::OnLButtonDown(UINT nFlags, CPoint point) {
    ++clicks;
    CView::OnLButtonDown(nFlags, point);
}

void TestPane::OnSize(UINT nType, int cx, int cy) {
    ++sizes;
    CDockablePane::OnSize(nType, cx, cy);
}

void FrameTest::SetUp() {
    plat::ResetMessageQueue();
    plat::input::ResetState();
    plat::SetTestClock(1000);
    screen().Install();
    screen().SetSize(plat::Screen::kDefaultWidth, plat::Screen::kDefaultHeight);
    SetCursorPos(0, 0);
    plat::style::SetPaneColours(plat::style::DayPaneColours());
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::temp_directory_path() /
              (std::string("surveyui-frame-") + test->test_suite_name() + "-" + test->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    plat::MapDrive('C', folder_.string());
    app_ = std::make_unique<CWinApp>("frame-tests");
}

void FrameTest::TearDown() {
    plat::test::ResetWindowing();
    plat::style::SetPaneColours(plat::style::DayPaneColours());
    app_.reset();
    plat::UnmapDrive('C');
    std::filesystem::remove_all(folder_);
}

CFrameWnd* FrameTest::MakeFrame(const CRect& rect) {
    auto* frame = new CFrameWnd;  // deletes itself with its window
    if (!frame->Create(nullptr, "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rect)) {
        return nullptr;
    }
    frame->EnableDocking(CBRS_ALIGN_ANY);
    auto* view = new ColourView;  // deletes itself with its window
    view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(), frame, AFX_IDW_PANE_FIRST);
    frame->RecalcLayout();
    return frame;
}

ColourView* FrameTest::MainView(CFrameWnd* frame) const {
    return dynamic_cast<ColourView*>(frame->GetDlgItem(AFX_IDW_PANE_FIRST));
}

bool FrameTest::DockNewPane(CFrameWnd* frame, TestPane& pane, UINT id, DWORD alignment, CSize size,
                            DWORD controlBarStyle) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | alignment;
    char title[32];
    std::snprintf(title, sizeof title, "Pane %u", id);
    if (!pane.Create(title, frame, CRect(CPoint(0, 0), size), TRUE, id, style,
                     AFX_CBRS_REGULAR_TABS, controlBarStyle)) {
        return false;
    }
    pane.EnableDocking(CBRS_ALIGN_ANY);
    return frame->DockPane(&pane) != FALSE;
}

CRect FrameTest::RectInParent(const CWnd& wnd) {
    CRect rect;
    wnd.GetWindowRect(&rect);
    if (CWnd* parent = wnd.GetParent()) {
        parent->ScreenToClient(&rect);
    }
    return rect;
}

CRect FrameTest::ClientOf(const CWnd& wnd) {
    CRect rect;
    wnd.GetClientRect(&rect);
    return rect;
}

CPoint FrameTest::WindowPoint(const CWnd& wnd, int x, int y) {
    CRect rect;
    wnd.GetWindowRect(&rect);
    return CPoint(rect.left + x, rect.top + y);
}

COLORREF FrameTest::Pixel(int x, int y) {
    plat::PumpMessages();
    // Composing the whole screen is slow: only when something may have changed.
    if (!composed_ || screen().Changes() != composedAt_) {
        screen().Compose();
        composed_ = true;
        composedAt_ = screen().Changes();
    }
    return screen().GetPixel(x, y);
}

void FrameTest::Drag(CPoint from, CPoint to) {
    plat::input::MouseDown(from.x, from.y);
    plat::PumpMessages();
    plat::input::MouseMove((from.x + to.x) / 2, (from.y + to.y) / 2);
    plat::input::MouseMove(to.x, to.y);
    plat::input::MouseUp(to.x, to.y);
    plat::PumpMessages();
}

int FrameTest::ProfileInt(const char* section, const char* entry, int fallback) {
    return static_cast<int>(app_->GetProfileInt(section, entry, fallback));
}

}  // namespace ft
