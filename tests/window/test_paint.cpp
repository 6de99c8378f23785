// Painting on pixels: order and clipping of children, the update region, erasing, frames,
// device contexts, the composed screen and snapshots.

#include <filesystem>

#include "WindowTestSupport.h"
#include "platform/gdi/Png.h"

namespace wt {
namespace {

using PaintTest = WindowTest;

// Children paint after their parent; unless the parent clips them, its drawing and its
// invalidation reach into them.
TEST_F(PaintTest, ChildrenPaintOverTheirParentWhichClipsThemWithWsClipChildren) {
    for (const bool clip : {true, false}) {
        SCOPED_TRACE(clip ? "WS_CLIPCHILDREN" : "no clipping");
        Journal().clear();
        FillWnd parent("parent", kBlue);
        FillWnd child("child", kRed);
        const DWORD style = WS_VISIBLE | (clip ? WS_CLIPCHILDREN : 0);
        ASSERT_TRUE(MakePopup(parent, CRect(50, 50, 150, 150), style, BareClass()));
        ASSERT_TRUE(MakeChild(child, parent, CRect(10, 10, 40, 40), WS_VISIBLE, BareClass()));
        plat::PumpMessages();
        EXPECT_EQ(WhoGot({WM_PAINT}), "parent child");
        EXPECT_EQ(screen().GetPixel(89, 89), kRed);
        EXPECT_EQ(screen().GetPixel(90, 90), kBlue);
        EXPECT_EQ(screen().GetPixel(150, 100), screen().DesktopColour());
        {
            CClientDC dc(&parent);
            dc.FillSolidRect(0, 0, 100, 100, kGreen);
        }
        EXPECT_EQ(screen().GetPixel(65, 65), clip ? kRed : kGreen);
        EXPECT_EQ(screen().GetPixel(55, 55), kGreen);

        parent.InvalidateRect(CRect(0, 0, 20, 20));  // touches the child's corner
        plat::PumpMessages();
        EXPECT_EQ(child.paints, clip ? 1 : 2);
        EXPECT_EQ(child.lastPaint, clip ? CRect(0, 0, 30, 30) : CRect(0, 0, 10, 10));
        EXPECT_EQ(screen().GetPixel(65, 65), kRed);
        parent.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        EXPECT_EQ(child.paints, clip ? 2 : 3);
    }
}

TEST_F(PaintTest, InvalidatingTwiceThenUpdatingPaintsOnceWhatWasNotValidated) {
    FillWnd wnd("wnd", kBlue);
    ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 100, 100)));
    plat::PumpMessages();
    ASSERT_EQ(wnd.paints, 1);

    wnd.InvalidateRect(CRect(10, 10, 20, 20));
    wnd.InvalidateRect(CRect(50, 60, 70, 80));
    CRect pending;
    EXPECT_TRUE(wnd.GetUpdateRect(&pending));
    EXPECT_EQ(pending, CRect(10, 10, 70, 80));
    EXPECT_EQ(wnd.paints, 1);  // invalidating paints nothing yet
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.paints, 2);
    EXPECT_EQ(wnd.lastPaint, CRect(10, 10, 70, 80));
    EXPECT_FALSE(wnd.GetUpdateRect(&pending));
    plat::PumpMessages();
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.paints, 2);

    wnd.Invalidate();
    wnd.ValidateRect(CRect(0, 0, 100, 30));  // a band along the top
    plat::PumpMessages();
    EXPECT_EQ(wnd.paints, 3);
    EXPECT_EQ(wnd.lastPaint, CRect(0, 30, 100, 100));
}

TEST_F(PaintTest, ErasingUsesTheClassBrushOnlyWhenAskedFor) {
    struct Quiet : LogWnd {
        void OnPaint() override { CPaintDC dc(this); }
    };
    Quiet wnd;
    ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 50, 50), WS_VISIBLE,
                          AfxRegisterWndClass(0, nullptr, CreateSolidBrush(kGreen))));
    plat::PumpMessages();
    EXPECT_EQ(screen().GetPixel(25, 25), kGreen);
    EXPECT_EQ(wnd.Messages({WM_PAINT, WM_ERASEBKGND}),
              std::vector<UINT>({WM_PAINT, WM_ERASEBKGND}));  // BeginPaint erases

    CClientDC(&wnd).FillSolidRect(0, 0, 50, 50, kRed);
    wnd.Invalidate(FALSE);
    plat::PumpMessages();
    EXPECT_EQ(wnd.Count(WM_ERASEBKGND), 1);
    EXPECT_EQ(screen().GetPixel(25, 25), kRed);
}

TEST_F(PaintTest, HiddenWindowsDoNotPaintAndMovingAChildRepaintsWhatItUncovered) {
    FillWnd hidden("hidden", kGreen);
    ASSERT_TRUE(MakePopup(hidden, CRect(300, 0, 350, 50), 0));
    hidden.Invalidate();
    plat::PumpMessages();
    EXPECT_EQ(hidden.paints, 0);

    FillWnd parent("parent", kBlue);
    FillWnd child("child", kRed);
    ASSERT_TRUE(
        MakePopup(parent, CRect(0, 0, 200, 200), WS_VISIBLE | WS_CLIPCHILDREN, BareClass()));
    ASSERT_TRUE(MakeChild(child, parent, CRect(10, 10, 40, 40), WS_VISIBLE, BareClass()));
    plat::PumpMessages();
    ASSERT_EQ(screen().GetPixel(15, 15), kRed);
    child.MoveWindow(100, 100, 30, 30);
    plat::PumpMessages();
    EXPECT_EQ(screen().GetPixel(15, 15), kBlue);
    EXPECT_EQ(screen().GetPixel(115, 115), kRed);
    child.ShowWindow(SW_HIDE);
    plat::PumpMessages();
    EXPECT_EQ(screen().GetPixel(115, 115), kBlue);
}

TEST_F(PaintTest, APaintHandlerThatNeverValidatesDoesNotLoopForever) {
    LogWnd stubborn;
    stubborn.hook = [](UINT message, WPARAM, LPARAM, LRESULT&) { return message == WM_PAINT; };
    ASSERT_TRUE(MakePopup(stubborn, CRect(0, 0, 20, 20)));
    EXPECT_LT(plat::PumpMessages(), 10);
    EXPECT_EQ(stubborn.Count(WM_PAINT), 1);
    stubborn.UpdateWindow();
    EXPECT_EQ(stubborn.Count(WM_PAINT), 1);
}

TEST_F(PaintTest, FramesAndCaptionsAreDrawn) {
    LogWnd edged("edged");
    ASSERT_TRUE(MakePopup(edged, CRect(60, 10, 100, 50), WS_VISIBLE | WS_BORDER, PlainClass(),
                          WS_EX_CLIENTEDGE));
    LogWnd captioned("captioned");
    ASSERT_TRUE(MakePopup(captioned, CRect(300, 300, 500, 400), WS_VISIBLE | WS_CAPTION));
    plat::PumpMessages();
    EXPECT_EQ(screen().GetPixel(60, 10), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(screen().GetPixel(98, 48), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(screen().GetPixel(63, 13), RGB(255, 255, 255));  // the class brush inside
    EXPECT_EQ(screen().GetPixel(490, 310), GetSysColor(COLOR_ACTIVECAPTION));
    edged.SetActiveWindow();
    plat::PumpMessages();
    EXPECT_EQ(screen().GetPixel(490, 310), GetSysColor(COLOR_INACTIVECAPTION));
}

TEST_F(PaintTest, TheScreenComposesTopLevelWindowsInZOrderWithoutRepainting) {
    FillWnd back("back", kBlue);
    FillWnd front("front", kRed);
    ASSERT_TRUE(MakePopup(back, CRect(0, 0, 100, 100)));
    ASSERT_TRUE(MakePopup(front, CRect(50, 50, 150, 150)));
    plat::PumpMessages();
    EXPECT_EQ(screen().GetPixel(75, 75), kRed);
    const unsigned long changes = screen().Changes();

    back.BringWindowToTop();
    plat::PumpMessages();
    EXPECT_EQ(screen().GetPixel(75, 75), kBlue);
    EXPECT_GT(screen().Changes(), changes);  // the backend is told to show it
    EXPECT_EQ(back.paints, 1);               // each window keeps its own pixels
    EXPECT_EQ(front.paints, 1);
}

TEST_F(PaintTest, ContextsDrawUntilReleasedAndBeginPaintOnlyIntoTheUpdateRegion) {
    LogWnd wnd;
    ASSERT_TRUE(MakePopup(wnd, CRect(10, 10, 60, 60), WS_VISIBLE | WS_BORDER, BareClass()));
    plat::PumpMessages();
    CDC* dc = wnd.GetDC();
    ASSERT_NE(dc, nullptr);
    dc->FillSolidRect(0, 0, 5, 5, kRed);
    EXPECT_EQ(wnd.ReleaseDC(dc), 1);
    EXPECT_EQ(wnd.ReleaseDC(dc), 0);             // once only
    EXPECT_EQ(screen().GetPixel(11, 11), kRed);  // inside the border

    PAINTSTRUCT ps{};
    wnd.InvalidateRect(CRect(0, 0, 10, 10), FALSE);
    wnd.BeginPaint(&ps)->FillSolidRect(0, 0, 40, 40, kGreen);
    wnd.EndPaint(&ps);
    EXPECT_EQ(screen().GetPixel(15, 15), kGreen);
    EXPECT_EQ(screen().GetPixel(25, 25), GetSysColor(COLOR_WINDOW));

    CDC* kept = wnd.GetDC();  // given back by the window's destruction
    wnd.DestroyWindow();
    EXPECT_EQ(wnd.ReleaseDC(kept), 0);
}

TEST_F(PaintTest, SnapshotsOfTheScreenAndOfOneWindowAreWritten) {
    FillWnd child("child", kRed);
    ASSERT_TRUE(MakePopup(child, CRect(20, 30, 30, 50), WS_VISIBLE, BareClass()));
    plat::PumpMessages();
    ASSERT_TRUE(screen().SetSize(160, 120));
    const auto folder = std::filesystem::temp_directory_path() / "surveyui-window-tests";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "snapshot.png").string();

    plat::Surface read;
    ASSERT_TRUE(screen().SavePng(path));
    ASSERT_TRUE(plat::LoadPngFile(path, read));
    EXPECT_EQ(read, screen().Compose());
    ASSERT_TRUE(plat::Screen::SaveWindowPng(&child, path));
    ASSERT_TRUE(plat::LoadPngFile(path, read));
    EXPECT_EQ(read.Width(), 10);
    EXPECT_EQ(read.Height(), 20);
    EXPECT_EQ(read.GetPixel(0, 0), kRed);

    child.ShowWindow(SW_HIDE);
    EXPECT_FALSE(plat::Screen::SaveWindowPng(&child, path));
    EXPECT_FALSE(screen().SavePng((folder / "no-such-folder" / "x.png").string()));
    std::filesystem::remove_all(folder);
}
}  // namespace
}  // namespace wt
