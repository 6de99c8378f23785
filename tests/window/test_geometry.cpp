// Geometry: frames and client areas, coordinates through the tree, moving and sizing with
// their messages, odd sizes, showing, track sizes and maximising.

#include <algorithm>
#include <tuple>

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

TEST_F(GeometryTest, TheFrameOfEachStyleIsTakenFromTheClientArea) {
    // Style, extended style and the frame's left, top, right and bottom.
    const std::tuple<DWORD, DWORD, CRect> cases[] = {
        {WS_CAPTION, 0, CRect(3, 3 + 23, 3, 3)},
        {WS_CAPTION | WS_THICKFRAME, 0, CRect(4, 4 + 23, 4, 4)},
        {WS_BORDER, WS_EX_CLIENTEDGE, CRect(3, 3, 3, 3)},
        {0, WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME, CRect(4, 4, 4, 4)},
    };
    for (const auto& [style, exStyle, frame] : cases) {
        SCOPED_TRACE(::testing::Message() << std::hex << style << " " << exStyle);
        LogWnd wnd;
        ASSERT_TRUE(MakePopup(wnd, CRect(100, 50, 400, 250), style, nullptr, exStyle));
        EXPECT_EQ(WindowOf(wnd), CRect(100, 50, 400, 250));
        EXPECT_EQ(ClientOf(wnd),
                  CRect(0, 0, 300 - frame.left - frame.right, 200 - frame.top - frame.bottom));
        CPoint origin(0, 0);
        wnd.ClientToScreen(&origin);
        EXPECT_EQ(origin, CPoint(100 + frame.left, 50 + frame.top));
    }
}

TEST_F(GeometryTest, CoordinatesMapThroughNestedWindows) {
    LogWnd top("top");
    LogWnd middle("middle");
    LogWnd inner("inner");
    ASSERT_TRUE(MakePopup(top, CRect(100, 200, 500, 600), WS_VISIBLE | WS_BORDER));
    ASSERT_TRUE(MakeChild(middle, top, CRect(10, 20, 210, 220), WS_VISIBLE | WS_BORDER));
    ASSERT_TRUE(MakeChild(inner, middle, CRect(5, 5, 55, 45)));

    EXPECT_EQ(WindowOf(inner), CRect(117, 227, 167, 267));
    CPoint mapped(3, 4);
    inner.MapWindowPoints(&top, &mapped, 1);
    EXPECT_EQ(mapped, CPoint(3 + 16, 4 + 26));  // inner's origin in top's client area
}

TEST_F(GeometryTest, MovingAndSizingSendTheirMessagesWithClientValues) {
    LogWnd parent("parent");
    LogWnd child("child");
    ASSERT_TRUE(MakePopup(parent, CRect(0, 0, 300, 300)));
    ASSERT_TRUE(MakeChild(child, parent, CRect(0, 0, 50, 50), WS_VISIBLE | WS_BORDER));
    child.Clear();

    child.MoveWindow(10, 20, 100, 80);
    EXPECT_EQ(child.Messages({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}),
              std::vector<UINT>({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}));
    EXPECT_EQ(child.Last(WM_MOVE).lParam, MAKELPARAM(11, 21));  // the client area's corner
    EXPECT_EQ(child.Last(WM_SIZE).lParam, MAKELPARAM(98, 78));
    EXPECT_EQ(child.Last(WM_SIZE).wParam, SIZE_RESTORED);

    child.hook = [](UINT message, WPARAM, LPARAM lParam, LRESULT&) {
        if (message == WM_WINDOWPOSCHANGING) {
            auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
            pos->cx = std::min(pos->cx, 120);  // the handler may change the place
        }
        return false;
    };
    child.MoveWindow(0, 0, 500, 60);
    EXPECT_EQ(WindowOf(child), CRect(0, 0, 120, 60));
    EXPECT_EQ(child.Last(WM_SIZE).lParam, MAKELPARAM(118, 58));
}

TEST_F(GeometryTest, ZeroAndNegativeSizesBecomeEmptyWindows) {
    LogWnd parent("parent");
    ASSERT_TRUE(MakePopup(parent, CRect(0, 0, 300, 300)));
    LogWnd negative("negative");
    ASSERT_TRUE(MakeChild(negative, parent, CRect(10, 10, -30, 5), WS_VISIBLE | WS_BORDER));
    EXPECT_EQ(WindowOf(negative), CRect(10, 10, 10, 10));
    EXPECT_EQ(ClientOf(negative), CRect(0, 0, 0, 0));  // the frame does not make it negative
    EXPECT_EQ(negative.Last(WM_SIZE).lParam, MAKELPARAM(0, 0));

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

    EXPECT_FALSE(screen().SetSize(0, 600));  // nor can the screen be empty
    EXPECT_FALSE(screen().SetSize(-1, -1));
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), plat::Screen::kDefaultWidth);
}

TEST_F(GeometryTest, VisibilityNeedsEveryAncestorVisible) {
    LogWnd top("top");
    LogWnd child("child");
    ASSERT_TRUE(MakePopup(top, CRect(0, 0, 100, 100), 0));
    ASSERT_TRUE(MakeChild(child, top, CRect(0, 0, 10, 10)));
    EXPECT_FALSE(child.IsWindowVisible());  // visible itself, but its parent hides it

    EXPECT_FALSE(top.ShowWindow(SW_SHOW));  // answers the previous visibility
    EXPECT_TRUE(child.IsWindowVisible());
    EXPECT_TRUE(top.ShowWindow(SW_SHOW));  // no change: no second WM_SHOWWINDOW
    EXPECT_EQ(top.Count(WM_SHOWWINDOW), 1);
    EXPECT_TRUE(child.ShowWindow(SW_HIDE));
    EXPECT_EQ(child.WParams(WM_SHOWWINDOW), std::vector<WPARAM>({TRUE, FALSE}));
}

TEST_F(GeometryTest, OverlappedWindowsKeepTheirTrackSizesAndMaximiseToTheScreen) {
    LogWnd frame;
    frame.hook = [](UINT message, WPARAM, LPARAM lParam, LRESULT&) {
        if (message == WM_GETMINMAXINFO) {
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMaxTrackSize = POINT{640, 480};
        }
        return false;
    };
    ASSERT_TRUE(
        frame.CreateEx(0, nullptr, "", WS_OVERLAPPEDWINDOW, CRect(10, 20, 60, 40), nullptr, 0));
    EXPECT_EQ(WindowOf(frame).Size(), CSize(136, 39));  // the minimum track size
    frame.MoveWindow(10, 20, 2000, 300);
    EXPECT_EQ(WindowOf(frame), CRect(10, 20, 650, 320));

    frame.ShowWindow(SW_SHOWMAXIMIZED);
    EXPECT_TRUE(frame.IsZoomed());
    EXPECT_EQ(WindowOf(frame), CRect(-4, -4, 1604, 1004));  // the sizing frame hangs off
    EXPECT_EQ(frame.Last(WM_SIZE).wParam, SIZE_MAXIMIZED);
    frame.ShowWindow(SW_MINIMIZE);
    plat::PumpMessages();
    EXPECT_EQ(screen().GetPixel(100, 100), screen().DesktopColour());  // not on the screen
    EXPECT_EQ(frame.Last(WM_SIZE).wParam, SIZE_MINIMIZED);
    EXPECT_EQ(ClientOf(frame), CRect(0, 0, 0, 0));
    frame.ShowWindow(SW_RESTORE);
    EXPECT_EQ(WindowOf(frame), CRect(10, 20, 650, 320));
}

}  // namespace
}  // namespace wt
