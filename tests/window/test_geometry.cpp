// Geometry: frames and client areas, coordinates through the tree, moving and sizing with
// their messages, odd sizes, showing, track sizes and maximising.

#include "WindowTestSupport.h"

namespace wt {
namespace {

using GeometryTest = WindowTest;

CRect ClientOf(const CWnd& wnd) {
    CRect rect;
    wnd.GetClientRect(&rect);
    return rect;
}

CRect WindowOf(const CWnd& wnd) {
    CRect rect;
    wnd.GetWindowRect(&rect);
    return rect;
}

CPoint ClientOrigin(const CWnd& wnd) {
    CPoint origin(0, 0);
    wnd.ClientToScreen(&origin);
    return origin;
}

TEST_F(GeometryTest, TheFrameOfEachStyleIsTakenFromTheClientArea) {
    struct Case {
        DWORD style;
        DWORD exStyle;
        CRect insets;  // left, top, right, bottom
    };
    const Case cases[] = {
        {WS_POPUP, 0, CRect(0, 0, 0, 0)},
        {WS_POPUP | WS_BORDER, 0, CRect(1, 1, 1, 1)},
        {WS_POPUP | WS_DLGFRAME, 0, CRect(3, 3, 3, 3)},
        {WS_POPUP | WS_THICKFRAME, 0, CRect(4, 4, 4, 4)},
        {WS_POPUP | WS_CAPTION, 0, CRect(3, 3 + 23, 3, 3)},
        {WS_POPUP | WS_CAPTION | WS_THICKFRAME, 0, CRect(4, 4 + 23, 4, 4)},
        {WS_POPUP, WS_EX_CLIENTEDGE, CRect(2, 2, 2, 2)},
        {WS_POPUP | WS_BORDER, WS_EX_CLIENTEDGE, CRect(3, 3, 3, 3)},
        {WS_POPUP, WS_EX_STATICEDGE, CRect(1, 1, 1, 1)},
        {WS_POPUP, WS_EX_DLGMODALFRAME, CRect(3, 3, 3, 3)},
    };
    for (const Case& c : cases) {
        LogWnd wnd;
        ASSERT_TRUE(MakePopup(wnd, CRect(100, 50, 400, 250), c.style, nullptr, c.exStyle));
        EXPECT_EQ(WindowOf(wnd), CRect(100, 50, 400, 250)) << std::hex << c.style;
        EXPECT_EQ(ClientOf(wnd), CRect(0, 0, 300 - c.insets.left - c.insets.right,
                                       200 - c.insets.top - c.insets.bottom))
            << std::hex << c.style << " " << c.exStyle;
        EXPECT_EQ(ClientOrigin(wnd), CPoint(100 + c.insets.left, 50 + c.insets.top));
    }
}

TEST_F(GeometryTest, CoordinatesMapThroughNestedWindows) {
    LogWnd top("top");
    LogWnd middle("middle");
    LogWnd inner("inner");
    ASSERT_TRUE(MakePopup(top, CRect(100, 200, 500, 600), WS_POPUP | WS_VISIBLE | WS_BORDER));
    ASSERT_TRUE(
        MakeChild(middle, top, CRect(10, 20, 210, 220), 1, WS_CHILD | WS_VISIBLE | WS_BORDER));
    ASSERT_TRUE(MakeChild(inner, middle, CRect(5, 5, 55, 45), 2));

    EXPECT_EQ(WindowOf(middle), CRect(111, 221, 311, 421));
    EXPECT_EQ(WindowOf(inner), CRect(117, 227, 167, 267));
    EXPECT_EQ(ClientOrigin(inner), CPoint(117, 227));

    CPoint point(1000, 1000);
    inner.ScreenToClient(&point);
    EXPECT_EQ(point, CPoint(883, 773));
    CRect rect(0, 0, 10, 10);
    inner.ClientToScreen(&rect);
    EXPECT_EQ(rect, CRect(117, 227, 127, 237));
    inner.ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(0, 0, 10, 10));

    CPoint mapped(3, 4);
    inner.MapWindowPoints(&top, &mapped, 1);
    EXPECT_EQ(mapped, CPoint(3 + 16, 4 + 26));  // inner's origin in top's client area
    CRect box(0, 0, 1, 1);
    top.MapWindowPoints(nullptr, &box);  // to the screen
    EXPECT_EQ(box, CRect(101, 201, 102, 202));

    POINT viaWin32{0, 0};
    EXPECT_TRUE(ClientToScreen(inner.m_hWnd, &viaWin32));
    EXPECT_EQ(CPoint(viaWin32), CPoint(117, 227));
}

TEST_F(GeometryTest, MovingAndSizingSendTheirMessagesWithClientValues) {
    LogWnd parent("parent");
    LogWnd child("child");
    ASSERT_TRUE(MakePopup(parent, CRect(0, 0, 300, 300)));
    ASSERT_TRUE(
        MakeChild(child, parent, CRect(0, 0, 50, 50), 1, WS_CHILD | WS_VISIBLE | WS_BORDER));
    child.Clear();

    child.MoveWindow(10, 20, 100, 80);
    EXPECT_EQ(child.Messages({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}),
              std::vector<UINT>({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}));
    EXPECT_EQ(child.Last(WM_MOVE)->lParam, MAKELPARAM(11, 21));  // the client area's corner
    EXPECT_EQ(child.Last(WM_SIZE)->lParam, MAKELPARAM(98, 78));
    EXPECT_EQ(child.Last(WM_SIZE)->wParam, SIZE_RESTORED);

    child.Clear();
    child.SetWindowPos(nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(child.Count(WM_MOVE), 1);
    EXPECT_EQ(child.Count(WM_SIZE), 0);

    child.Clear();
    child.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(child.Count(WM_MOVE), 0);
    EXPECT_EQ(child.Count(WM_SIZE), 0);
    EXPECT_EQ(child.Count(WM_WINDOWPOSCHANGED), 1);
    EXPECT_EQ(WindowOf(child), CRect(30, 40, 130, 120));
}

TEST_F(GeometryTest, WmWindowPosChangingMayChangeThePlace) {
    LogWnd wnd;
    wnd.hook = [](UINT message, WPARAM, LPARAM lParam, LRESULT&) {
        if (message == WM_WINDOWPOSCHANGING) {
            auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
            pos->cx = std::min(pos->cx, 120);  // never wider than 120
        }
        return false;
    };
    ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 50, 50)));
    wnd.MoveWindow(0, 0, 500, 60);
    EXPECT_EQ(WindowOf(wnd), CRect(0, 0, 120, 60));
    EXPECT_EQ(wnd.Last(WM_SIZE)->lParam, MAKELPARAM(120, 60));
}

TEST_F(GeometryTest, ZeroAndNegativeSizesBecomeEmptyWindows) {
    LogWnd parent("parent");
    ASSERT_TRUE(MakePopup(parent, CRect(0, 0, 300, 300)));
    LogWnd negative("negative");
    ASSERT_TRUE(negative.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, -40,
                                  -5, parent.m_hWnd, nullptr));
    EXPECT_EQ(WindowOf(negative), CRect(10, 10, 10, 10));
    EXPECT_EQ(ClientOf(negative), CRect(0, 0, 0, 0));  // the frame does not make it negative
    EXPECT_EQ(negative.Last(WM_SIZE)->lParam, MAKELPARAM(0, 0));

    negative.MoveWindow(5, 5, -10, 20);
    EXPECT_EQ(WindowOf(negative), CRect(5, 5, 5, 25));
    EXPECT_EQ(ClientOf(negative), CRect(0, 0, 0, 18));

    LogWnd zeroTop("zero");
    ASSERT_TRUE(MakePopup(zeroTop, CRect(0, 0, 0, 0)));
    zeroTop.Invalidate();
    plat::PumpMessages();  // painting an empty window draws nothing and ends
    CClientDC dc(&zeroTop);
    dc.FillSolidRect(0, 0, 10, 10, kRed);
    EXPECT_EQ(dc.GetPixel(0, 0), CLR_INVALID);
}

TEST_F(GeometryTest, VisibilityNeedsEveryAncestorVisible) {
    LogWnd top("top");
    LogWnd child("child");
    ASSERT_TRUE(MakePopup(top, CRect(0, 0, 100, 100), WS_POPUP));
    ASSERT_TRUE(MakeChild(child, top, CRect(0, 0, 10, 10)));
    EXPECT_TRUE(child.GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(child.IsWindowVisible());  // its parent hides it

    EXPECT_FALSE(top.ShowWindow(SW_SHOW));  // answers the previous visibility
    EXPECT_TRUE(child.IsWindowVisible());
    EXPECT_TRUE(top.ShowWindow(SW_SHOW));
    EXPECT_EQ(top.Count(WM_SHOWWINDOW), 1);  // only when it changes
    EXPECT_EQ(top.Last(WM_SHOWWINDOW)->wParam, static_cast<WPARAM>(TRUE));

    EXPECT_TRUE(child.ShowWindow(SW_HIDE));
    EXPECT_FALSE(child.IsWindowVisible());
    EXPECT_FALSE(child.ShowWindow(SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(child.m_hWnd));
    EXPECT_EQ(child.Last(WM_SHOWWINDOW)->wParam, static_cast<WPARAM>(FALSE));
}

TEST_F(GeometryTest, OverlappedWindowsStayWithinTheirTrackSizes) {
    LogWnd small;
    ASSERT_TRUE(
        small.CreateEx(0, nullptr, "", WS_OVERLAPPEDWINDOW, CRect(0, 0, 50, 20), nullptr, 0));
    EXPECT_EQ(WindowOf(small).Size(), CSize(136, 39));  // the minimum track size
    EXPECT_GE(small.Count(WM_GETMINMAXINFO), 1);

    LogWnd limited;
    limited.hook = [](UINT message, WPARAM, LPARAM lParam, LRESULT&) {
        if (message == WM_GETMINMAXINFO) {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize = POINT{300, 200};
            info->ptMaxTrackSize = POINT{640, 480};
        }
        return false;
    };
    ASSERT_TRUE(
        limited.CreateEx(0, nullptr, "", WS_OVERLAPPEDWINDOW, CRect(0, 0, 50, 20), nullptr, 0));
    EXPECT_EQ(WindowOf(limited).Size(), CSize(300, 200));
    limited.MoveWindow(0, 0, 2000, 2000);
    EXPECT_EQ(WindowOf(limited).Size(), CSize(640, 480));

    LogWnd popup;  // pop-ups without a sizing frame are not held
    ASSERT_TRUE(MakePopup(popup, CRect(0, 0, 5, 5)));
    EXPECT_EQ(WindowOf(popup).Size(), CSize(5, 5));
}

TEST_F(GeometryTest, MaximisingFillsTheScreenAndRestoringComesBack) {
    LogWnd frame;
    ASSERT_TRUE(
        frame.CreateEx(0, nullptr, "", WS_OVERLAPPEDWINDOW, CRect(10, 20, 410, 320), nullptr, 0));
    frame.ShowWindow(SW_SHOWMAXIMIZED);
    EXPECT_TRUE(frame.IsZoomed());
    EXPECT_EQ(WindowOf(frame), CRect(-4, -4, 1604, 1004));  // the sizing frame hangs off
    EXPECT_EQ(frame.Last(WM_SIZE)->wParam, SIZE_MAXIMIZED);
    EXPECT_EQ(ClientOrigin(frame), CPoint(0, 23));

    frame.ShowWindow(SW_RESTORE);
    EXPECT_FALSE(frame.IsZoomed());
    EXPECT_EQ(WindowOf(frame), CRect(10, 20, 410, 320));
    EXPECT_EQ(frame.Last(WM_SIZE)->wParam, SIZE_RESTORED);

    frame.ShowWindow(SW_MINIMIZE);
    EXPECT_TRUE(frame.IsIconic());
    EXPECT_TRUE(frame.IsWindowVisible());  // still visible, but not on the screen
    plat::PumpMessages();
    EXPECT_EQ(screen().GetPixel(100, 100), screen().DesktopColour());
    EXPECT_EQ(frame.Last(WM_SIZE)->wParam, SIZE_MINIMIZED);
    EXPECT_EQ(ClientOf(frame), CRect(0, 0, 0, 0));
    frame.ShowWindow(SW_RESTORE);
    EXPECT_EQ(WindowOf(frame), CRect(10, 20, 410, 320));
}

TEST_F(GeometryTest, TheScreenSizeComesFromTheScreen) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1600);
    ASSERT_TRUE(screen().SetSize(800, 600));
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 600);
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
    EXPECT_EQ(memory.GetDeviceCaps(HORZRES), 800);
    EXPECT_FALSE(screen().SetSize(0, 600));
    EXPECT_FALSE(screen().SetSize(-1, -1));
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
    CRect desktop;
    CWnd::GetDesktopWindow()->GetWindowRect(&desktop);
    EXPECT_EQ(desktop, CRect(0, 0, 800, 600));
}

TEST_F(GeometryTest, MetricsAndColoursAreTheDesktopDefaults) {
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 17);
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 23);
    EXPECT_EQ(GetSystemMetrics(SM_CXEDGE), 2);
    EXPECT_EQ(GetSystemMetrics(SM_CXDLGFRAME), 3);
    EXPECT_EQ(GetSystemMetrics(SM_CXDOUBLECLK), 4);
    EXPECT_EQ(GetSystemMetrics(-5), 0);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(240, 240, 240));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), RGB(160, 160, 160));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(0, 120, 215));
    EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), RGB(105, 105, 105));
    EXPECT_EQ(GetSysColor(COLOR_INFOBK), RGB(255, 255, 225));
    EXPECT_EQ(GetSysColor(99), 0u);
    EXPECT_EQ(GetSysColorBrush(99), nullptr);
    const HBRUSH face = GetSysColorBrush(COLOR_3DFACE);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face, GetSysColorBrush(COLOR_3DFACE));  // shared
    LOGBRUSH lb{};
    ASSERT_GT(GetObjectA(face, sizeof lb, &lb), 0);
    EXPECT_EQ(lb.lbColor, RGB(240, 240, 240));
    EXPECT_EQ(GetDoubleClickTime(), 500u);
}

TEST_F(GeometryTest, PointsFindTheirWindows) {
    LogWnd top("top");
    LogWnd child("child");
    ASSERT_TRUE(MakePopup(top, CRect(100, 100, 200, 200)));
    ASSERT_TRUE(MakeChild(child, top, CRect(10, 10, 30, 30)));
    EXPECT_EQ(CWnd::WindowFromPoint(CPoint(115, 115)), &child);
    EXPECT_EQ(CWnd::WindowFromPoint(CPoint(105, 105)), &top);
    EXPECT_EQ(CWnd::WindowFromPoint(CPoint(5, 5)), nullptr);
    EXPECT_EQ(WindowFromPoint(POINT{115, 115}), child.m_hWnd);
    EXPECT_EQ(top.ChildWindowFromPoint(CPoint(15, 15)), &child);
    EXPECT_EQ(top.ChildWindowFromPoint(CPoint(50, 50)), &top);
    EXPECT_EQ(top.ChildWindowFromPoint(CPoint(150, 50)), nullptr);
}

}  // namespace
}  // namespace wt
