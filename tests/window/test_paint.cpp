// Painting on pixels: order, clipping of children and siblings, erasing, the update
// region, frames, contexts, the composed screen and snapshots.

#include <cstdio>
#include <filesystem>

#include "WindowTestSupport.h"
#include "platform/gdi/Png.h"

namespace wt {
namespace {

using PaintTest = WindowTest;

constexpr COLORREF kWhite = RGB(255, 255, 255);

// A child filled red over a parent filled blue.
TEST_F(PaintTest, ChildrenPaintAfterAndOverTheirParent) {
    FillWnd parent("parent", kBlue);
    FillWnd child("child", kRed);
    ASSERT_TRUE(MakePopup(parent, CRect(50, 50, 150, 150), WS_POPUP | WS_VISIBLE, BareClass()));
    ASSERT_TRUE(
        MakeChild(child, parent, CRect(10, 10, 40, 40), 1, WS_CHILD | WS_VISIBLE, BareClass()));
    plat::PumpMessages();

    EXPECT_EQ(screen().GetPixel(60, 60), kRed);
    EXPECT_EQ(screen().GetPixel(89, 89), kRed);
    EXPECT_EQ(screen().GetPixel(90, 90), kBlue);
    EXPECT_EQ(screen().GetPixel(59, 59), kBlue);
    EXPECT_EQ(screen().GetPixel(50, 50), kBlue);
    EXPECT_EQ(screen().GetPixel(49, 50), screen().DesktopColour());
    EXPECT_EQ(screen().GetPixel(150, 100), screen().DesktopColour());
    EXPECT_EQ(JournalOf({WM_PAINT}),
              std::vector<std::string>({Entry("parent", WM_PAINT), Entry("child", WM_PAINT)}));

    parent.Invalidate();  // the parent paints over the child, which paints again
    plat::PumpMessages();
    EXPECT_EQ(child.paints, 2);
    EXPECT_EQ(screen().GetPixel(60, 60), kRed);
}

TEST_F(PaintTest, ClipChildrenKeepsTheParentsFillOutOfItsChildren) {
    for (const bool clip : {true, false}) {
        SCOPED_TRACE(clip ? "WS_CLIPCHILDREN" : "no clipping");
        FillWnd parent("parent", kBlue);
        LogWnd child("child");  // paints nothing
        const DWORD style = WS_POPUP | WS_VISIBLE | (clip ? WS_CLIPCHILDREN : 0);
        ASSERT_TRUE(MakePopup(parent, CRect(50, 50, 150, 150), style, BareClass()));
        ASSERT_TRUE(
            MakeChild(child, parent, CRect(10, 10, 40, 40), 1, WS_CHILD | WS_VISIBLE, BareClass()));
        plat::PumpMessages();
        // A new window's pixels start white.
        EXPECT_EQ(screen().GetPixel(65, 65), clip ? kWhite : kBlue);
        EXPECT_EQ(screen().GetPixel(55, 55), kBlue);

        {
            CClientDC dc(&parent);
            dc.FillSolidRect(0, 0, 100, 100, kGreen);
        }
        EXPECT_EQ(screen().GetPixel(65, 65), clip ? kWhite : kGreen);
        EXPECT_EQ(screen().GetPixel(55, 55), kGreen);
    }
}

TEST_F(PaintTest, ClipSiblingsKeepsALowerSiblingOutOfTheOnesAbove) {
    for (const bool clip : {true, false}) {
        SCOPED_TRACE(clip ? "WS_CLIPSIBLINGS" : "no clipping");
        LogWnd parent("parent");
        FillWnd lower("lower", kGreen);
        FillWnd upper("upper", kRed);
        const DWORD style = WS_CHILD | WS_VISIBLE | (clip ? WS_CLIPSIBLINGS : 0);
        ASSERT_TRUE(MakePopup(parent, CRect(0, 0, 200, 200), WS_POPUP | WS_VISIBLE, BareClass()));
        ASSERT_TRUE(MakeChild(lower, parent, CRect(10, 10, 60, 60), 1, style, BareClass()));
        ASSERT_TRUE(MakeChild(upper, parent, CRect(40, 40, 90, 90), 2, style, BareClass()));
        plat::PumpMessages();
        EXPECT_EQ(screen().GetPixel(45, 45), kRed);  // lower siblings paint first

        lower.Invalidate();
        lower.UpdateWindow();
        EXPECT_EQ(lower.paints, 2);
        EXPECT_EQ(upper.paints, 1);
        EXPECT_EQ(screen().GetPixel(45, 45), clip ? kRed : kGreen);
        EXPECT_EQ(screen().GetPixel(20, 20), kGreen);
    }
}

TEST_F(PaintTest, InvalidatingTwiceThenUpdatingPaintsOnce) {
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
    EXPECT_EQ(CRect(wnd.lastPaint), CRect(10, 10, 70, 80));
    EXPECT_FALSE(wnd.GetUpdateRect(&pending));
    plat::PumpMessages();
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.paints, 2);
}

TEST_F(PaintTest, ValidatingTakesAreasOutOfTheNextPaint) {
    FillWnd wnd("wnd", kBlue);
    ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 100, 100)));
    plat::PumpMessages();

    wnd.Invalidate();
    wnd.ValidateRect(nullptr);
    plat::PumpMessages();
    EXPECT_EQ(wnd.paints, 1);

    wnd.Invalidate();
    wnd.ValidateRect(CRect(0, 0, 100, 30));  // a band along the top
    plat::PumpMessages();
    EXPECT_EQ(wnd.paints, 2);
    EXPECT_EQ(CRect(wnd.lastPaint), CRect(0, 30, 100, 100));
    EXPECT_TRUE(ValidateRect(wnd.m_hWnd, nullptr));
}

TEST_F(PaintTest, ErasingUsesTheClassBrushOnlyWhenAskedFor) {
    const LPCTSTR greenClass = AfxRegisterWndClass(0, nullptr, CreateSolidBrush(kGreen));
    struct Quiet : LogWnd {
        BOOL erase = FALSE;
        void OnPaint() override {
            CPaintDC dc(this);
            erase = dc.m_ps.fErase;
        }
    };
    Quiet wnd;
    ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 50, 50), WS_POPUP | WS_VISIBLE, greenClass));
    plat::PumpMessages();
    EXPECT_EQ(wnd.Count(WM_ERASEBKGND), 1);
    EXPECT_FALSE(wnd.erase);  // the class brush did it
    EXPECT_EQ(screen().GetPixel(25, 25), kGreen);
    EXPECT_EQ(wnd.Messages({WM_PAINT, WM_ERASEBKGND}),
              std::vector<UINT>({WM_PAINT, WM_ERASEBKGND}));  // BeginPaint erases

    CClientDC(&wnd).FillSolidRect(0, 0, 50, 50, kRed);
    wnd.Invalidate(FALSE);
    plat::PumpMessages();
    EXPECT_EQ(wnd.Count(WM_ERASEBKGND), 1);
    EXPECT_EQ(screen().GetPixel(25, 25), kRed);

    Quiet bare;  // no brush: nothing erased, and the paint is told so
    ASSERT_TRUE(MakePopup(bare, CRect(100, 0, 150, 50), WS_POPUP | WS_VISIBLE, BareClass()));
    plat::PumpMessages();
    EXPECT_TRUE(bare.erase);
}

TEST_F(PaintTest, HiddenWindowsDoNotPaintAndPaintWholeWhenShown) {
    FillWnd wnd("wnd", kBlue);
    ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 50, 50), WS_POPUP));
    wnd.Invalidate();
    plat::PumpMessages();
    EXPECT_EQ(wnd.paints, 0);
    EXPECT_EQ(screen().GetPixel(10, 10), screen().DesktopColour());
    wnd.ShowWindow(SW_SHOWNA);
    plat::PumpMessages();
    EXPECT_EQ(wnd.paints, 1);
    EXPECT_EQ(CRect(wnd.lastPaint), CRect(0, 0, 50, 50));
    EXPECT_EQ(screen().GetPixel(10, 10), kBlue);
}

TEST_F(PaintTest, InvalidatingAParentReachesChildrenUnlessItClipsThem) {
    for (const bool clip : {true, false}) {
        LogWnd parent("parent");
        FillWnd child("child", kRed);
        ASSERT_TRUE(MakePopup(parent, CRect(0, 0, 100, 100),
                              WS_POPUP | WS_VISIBLE | (clip ? WS_CLIPCHILDREN : 0)));
        ASSERT_TRUE(MakeChild(child, parent, CRect(10, 10, 40, 40)));
        plat::PumpMessages();
        parent.InvalidateRect(CRect(0, 0, 20, 20));
        plat::PumpMessages();
        EXPECT_EQ(child.paints, clip ? 1 : 2);
        if (!clip) {
            EXPECT_EQ(CRect(child.lastPaint), CRect(0, 0, 10, 10));
        }
        parent.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        EXPECT_EQ(child.paints, clip ? 2 : 3);
    }
}

TEST_F(PaintTest, MovingAChildRepaintsWhatItUncovered) {
    FillWnd parent("parent", kBlue);
    FillWnd child("child", kRed);
    ASSERT_TRUE(MakePopup(parent, CRect(0, 0, 200, 200), WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                          BareClass()));
    ASSERT_TRUE(
        MakeChild(child, parent, CRect(10, 10, 40, 40), 1, WS_CHILD | WS_VISIBLE, BareClass()));
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

TEST_F(PaintTest, FramesAreDrawnInTheirColours) {
    LogWnd parent("parent");
    LogWnd bordered("bordered");
    ASSERT_TRUE(MakePopup(parent, CRect(0, 0, 200, 200), WS_POPUP | WS_VISIBLE, BareClass()));
    ASSERT_TRUE(MakeChild(bordered, parent, CRect(10, 10, 50, 50), 1,
                          WS_CHILD | WS_VISIBLE | WS_BORDER, PlainClass()));
    LogWnd edged("edged");
    ASSERT_TRUE(MakeChild(edged, parent, CRect(60, 10, 100, 50), 2, WS_CHILD | WS_VISIBLE,
                          PlainClass(), WS_EX_CLIENTEDGE));
    plat::PumpMessages();
    EXPECT_EQ(screen().GetPixel(10, 10), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(screen().GetPixel(49, 30), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(screen().GetPixel(11, 11), kWhite);  // the class brush inside
    EXPECT_EQ(screen().GetPixel(60, 10), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(screen().GetPixel(99, 49), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(screen().GetPixel(61, 11), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(screen().GetPixel(98, 48), GetSysColor(COLOR_3DLIGHT));

    LogWnd captioned("captioned");
    ASSERT_TRUE(
        MakePopup(captioned, CRect(300, 300, 500, 400), WS_POPUP | WS_VISIBLE | WS_CAPTION));
    plat::PumpMessages();
    EXPECT_EQ(screen().GetPixel(300, 300), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(screen().GetPixel(301, 301), GetSysColor(COLOR_3DFACE));  // the dialog frame
    EXPECT_EQ(screen().GetPixel(400, 310), GetSysColor(COLOR_ACTIVECAPTION));
    // The title is written at the left of the caption bar.
    const auto inked = [this](int left, int right) {
        int count = 0;
        for (int y = 303; y < 326; ++y) {
            for (int x = left; x < right; ++x) {
                count += screen().GetPixel(x, y) != GetSysColor(COLOR_ACTIVECAPTION);
            }
        }
        return count;
    };
    EXPECT_GT(inked(303, 360), 20);
    EXPECT_EQ(inked(420, 496), 0);
    captioned.SetWindowText("");
    plat::PumpMessages();
    EXPECT_EQ(inked(303, 360), 0);
    parent.SetActiveWindow();
    plat::PumpMessages();
    EXPECT_EQ(screen().GetPixel(400, 310), GetSysColor(COLOR_INACTIVECAPTION));
}

TEST_F(PaintTest, TheScreenComposesTopLevelWindowsInZOrder) {
    FillWnd back("back", kBlue);
    FillWnd front("front", kRed);
    ASSERT_TRUE(MakePopup(back, CRect(0, 0, 100, 100)));
    ASSERT_TRUE(MakePopup(front, CRect(50, 50, 150, 150)));
    plat::PumpMessages();
    EXPECT_EQ(screen().GetPixel(75, 75), kRed);

    back.BringWindowToTop();
    plat::PumpMessages();
    EXPECT_EQ(screen().GetPixel(75, 75), kBlue);
    EXPECT_EQ(back.paints, 1);  // each window keeps its own pixels: no repaint needed
    EXPECT_EQ(front.paints, 1);

    front.MoveWindow(1580, 980, 100, 100);  // partly off the screen
    plat::PumpMessages();
    EXPECT_EQ(front.paints, 1);
    EXPECT_EQ(screen().GetPixel(1599, 999), kRed);
    EXPECT_EQ(screen().GetPixel(75, 125), screen().DesktopColour());

    screen().SetDesktopColour(RGB(0, 128, 128));
    EXPECT_EQ(screen().GetPixel(300, 300), RGB(0, 128, 128));
    EXPECT_EQ(screen().GetPixel(-1, 0), CLR_INVALID);
}

TEST_F(PaintTest, ContextsFromGetDcDrawUntilTheyAreReleased) {
    LogWnd wnd;
    ASSERT_TRUE(
        MakePopup(wnd, CRect(10, 10, 60, 60), WS_POPUP | WS_VISIBLE | WS_BORDER, BareClass()));
    plat::PumpMessages();
    CDC* dc = wnd.GetDC();
    ASSERT_NE(dc, nullptr);
    dc->FillSolidRect(0, 0, 5, 5, kRed);
    EXPECT_EQ(wnd.ReleaseDC(dc), 1);
    EXPECT_EQ(wnd.ReleaseDC(dc), 0);             // once only
    EXPECT_EQ(screen().GetPixel(11, 11), kRed);  // inside the border

    CDC* whole = wnd.GetWindowDC();
    whole->FillSolidRect(0, 0, 1, 1, kBlue);
    wnd.ReleaseDC(whole);
    EXPECT_EQ(screen().GetPixel(10, 10), kBlue);

    PAINTSTRUCT ps{};
    wnd.InvalidateRect(CRect(0, 0, 10, 10), FALSE);
    CDC* paint = wnd.BeginPaint(&ps);
    ASSERT_NE(paint, nullptr);
    EXPECT_EQ(CRect(ps.rcPaint), CRect(0, 0, 10, 10));
    paint->FillSolidRect(0, 0, 40, 40, kGreen);  // only the update region takes it
    wnd.EndPaint(&ps);
    EXPECT_EQ(screen().GetPixel(15, 15), kGreen);
    EXPECT_EQ(screen().GetPixel(25, 25), GetSysColor(COLOR_WINDOW));
    EXPECT_FALSE(wnd.GetUpdateRect(nullptr));

    CDC* kept = wnd.GetDC();  // given back by the window's destruction
    wnd.DestroyWindow();
    EXPECT_EQ(wnd.ReleaseDC(kept), 0);
    CClientDC none(nullptr);  // draws nowhere, but works
    EXPECT_EQ(none.SetPixel(0, 0, kRed), CLR_INVALID);
}

TEST_F(PaintTest, SnapshotsOfTheScreenAndOfOneWindowAreWritten) {
    FillWnd parent("parent", kBlue);
    FillWnd child("child", kRed);
    ASSERT_TRUE(MakePopup(parent, CRect(20, 30, 120, 90), WS_POPUP | WS_VISIBLE, BareClass()));
    ASSERT_TRUE(
        MakeChild(child, parent, CRect(5, 5, 15, 25), 1, WS_CHILD | WS_VISIBLE, BareClass()));
    plat::PumpMessages();
    ASSERT_TRUE(screen().SetSize(160, 120));

    const auto folder = std::filesystem::temp_directory_path() / "surveyui-window-tests";
    std::filesystem::create_directories(folder);
    const std::string whole = (folder / "screen.png").string();
    const std::string one = (folder / "child.png").string();
    ASSERT_TRUE(screen().SavePng(whole));
    ASSERT_TRUE(plat::Screen::SaveWindowPng(&child, one));

    plat::Surface read;
    ASSERT_TRUE(plat::LoadPngFile(whole, read));
    EXPECT_EQ(read, screen().Compose());
    ASSERT_TRUE(plat::LoadPngFile(one, read));
    EXPECT_EQ(read.Width(), 10);
    EXPECT_EQ(read.Height(), 20);
    EXPECT_EQ(read.GetPixel(0, 0), kRed);

    child.ShowWindow(SW_HIDE);
    EXPECT_FALSE(plat::Screen::SaveWindowPng(&child, one));
    EXPECT_FALSE(screen().SavePng((folder / "no-such-folder" / "x.png").string()));
    std::filesystem::remove_all(folder);
}

TEST_F(PaintTest, TheLayerTellsTheBackendWhenThePictureChanges) {
    const unsigned long before = screen().Changes();
    FillWnd wnd("wnd", kBlue);
    ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 10, 10)));
    plat::PumpMessages();
    const unsigned long painted = screen().Changes();
    EXPECT_GT(painted, before);
    plat::PumpMessages();
    EXPECT_EQ(screen().Changes(), painted);  // nothing happened
    wnd.MoveWindow(5, 5, 10, 10);
    EXPECT_GT(screen().Changes(), painted);
}

}  // namespace
}  // namespace wt
