// Where the frame puts its docked panes, splitters and main view: the four sites, panes
// sharing a site, hidden and destroyed panes, sites that do not fit, and refused docks.

#include "FrameTestSupport.h"

namespace ft {
namespace {

constexpr int kBar = plat::style::kSplitterWidth;

using DockLayoutTest = FrameTest;

TEST_F(DockLayoutTest, EachSiteTakesItsEdgeAndTheViewFillsTheRest) {
    CFrameWnd* frame = MakeFrame();
    ASSERT_NE(frame, nullptr);
    TestPane top, bottom, left, right;
    ASSERT_TRUE(DockNewPane(frame, top, 1, CBRS_TOP, CSize(200, 100)));
    ASSERT_TRUE(DockNewPane(frame, bottom, 2, CBRS_BOTTOM, CSize(200, 80)));
    ASSERT_TRUE(DockNewPane(frame, left, 3, CBRS_LEFT, CSize(150, 200)));
    ASSERT_TRUE(DockNewPane(frame, right, 4, CBRS_RIGHT, CSize(120, 200)));
    const CRect client = ClientOf(*frame);
    const int w = client.right;
    const int h = client.bottom;

    // Top and bottom across the whole width, the sides between them.
    EXPECT_EQ(RectInParent(top), CRect(0, 0, w, 100));
    EXPECT_EQ(RectInParent(bottom), CRect(0, h - 80, w, h));
    EXPECT_EQ(RectInParent(left), CRect(0, 100 + kBar, 150, h - 80 - kBar));
    EXPECT_EQ(RectInParent(right), CRect(w - 120, 100 + kBar, w, h - 80 - kBar));
    EXPECT_EQ(RectInParent(*MainView(frame)),
              CRect(150 + kBar, 100 + kBar, w - 120 - kBar, h - 80 - kBar));
    for (const CBasePane* pane : {&top, &bottom, &left, &right}) {
        EXPECT_TRUE(pane->IsDocked());
        EXPECT_EQ(pane->GetDockSiteFrameWnd(), frame);
    }
    EXPECT_EQ(frame->GetDockSiteSize(CBRS_ALIGN_LEFT), 150);
    EXPECT_EQ(frame->GetActiveView(), MainView(frame));
}

TEST_F(DockLayoutTest, PanesOfOneSiteShareItsLengthByTheirSizesWithASplitterBetween) {
    CFrameWnd* frame = MakeFrame();
    TestPane upper, lower;
    ASSERT_TRUE(DockNewPane(frame, upper, 1, CBRS_RIGHT, CSize(200, 100)));
    ASSERT_TRUE(DockNewPane(frame, lower, 2, CBRS_RIGHT, CSize(200, 300)));
    const CRect client = ClientOf(*frame);
    const int room = client.Height() - kBar;
    const int split = room * 100 / 400;  // one quarter above the splitter
    EXPECT_EQ(RectInParent(upper), CRect(client.right - 200, 0, client.right, split));
    EXPECT_EQ(RectInParent(lower),
              CRect(client.right - 200, split + kBar, client.right, client.bottom));

    // Side by side in a bottom site: widths in the same proportion.
    TestPane first, second;
    ASSERT_TRUE(DockNewPane(frame, first, 3, CBRS_BOTTOM, CSize(300, 120)));
    ASSERT_TRUE(DockNewPane(frame, second, 4, CBRS_BOTTOM, CSize(100, 120)));
    const int across = client.Width() - kBar;
    EXPECT_EQ(RectInParent(first), CRect(0, client.bottom - 120, across * 3 / 4, client.bottom));
    EXPECT_EQ(RectInParent(second),
              CRect(across * 3 / 4 + kBar, client.bottom - 120, client.right, client.bottom));
}

TEST_F(DockLayoutTest, HiddenPanesGiveTheirShareBackAndTakeItAgainWhenShown) {
    CFrameWnd* frame = MakeFrame();
    TestPane upper, lower;
    ASSERT_TRUE(DockNewPane(frame, upper, 1, CBRS_RIGHT));
    ASSERT_TRUE(DockNewPane(frame, lower, 2, CBRS_RIGHT));
    const CRect client = ClientOf(*frame);
    const CRect upperBefore = RectInParent(upper);

    upper.ShowPane(FALSE, FALSE, FALSE);
    EXPECT_FALSE(upper.IsVisible());
    EXPECT_EQ(RectInParent(lower), CRect(client.right - 200, 0, client.right, client.bottom));

    lower.ShowPane(FALSE, FALSE, FALSE);  // an empty site has no splitter either
    EXPECT_EQ(RectInParent(*MainView(frame)), client);

    upper.ShowPane(TRUE, FALSE, FALSE);
    lower.ShowPane(TRUE, FALSE, FALSE);
    EXPECT_EQ(RectInParent(upper), upperBefore);
    EXPECT_EQ(RectInParent(*MainView(frame)),
              CRect(0, 0, client.right - 200 - kBar, client.bottom));
}

TEST_F(DockLayoutTest, ADelayedShowPaneLaysTheFrameOutWhenTheLoopGetsToIt) {
    CFrameWnd* frame = MakeFrame();
    TestPane pane;
    ASSERT_TRUE(DockNewPane(frame, pane, 1, CBRS_LEFT));
    const CRect client = ClientOf(*frame);
    const CRect docked = RectInParent(*MainView(frame));

    pane.ShowPane(FALSE, TRUE, FALSE);
    pane.ShowPane(TRUE, TRUE, FALSE);
    pane.ShowPane(FALSE, TRUE, FALSE);
    EXPECT_FALSE(pane.IsVisible());
    EXPECT_EQ(RectInParent(*MainView(frame)), docked);
    plat::PumpMessages();
    EXPECT_EQ(RectInParent(*MainView(frame)), client);
}

TEST_F(DockLayoutTest, AnUndockedOrDestroyedPaneLeavesItsSite) {
    CFrameWnd* frame = MakeFrame();
    TestPane upper, middle;
    auto lower = std::make_unique<TestPane>();
    ASSERT_TRUE(DockNewPane(frame, upper, 1, CBRS_RIGHT));
    ASSERT_TRUE(DockNewPane(frame, middle, 2, CBRS_RIGHT));
    ASSERT_TRUE(DockNewPane(frame, *lower, 3, CBRS_RIGHT));
    const CRect client = ClientOf(*frame);

    const CRect middleBefore = RectInParent(middle);
    frame->UndockPane(&middle);
    plat::PumpMessages();
    EXPECT_FALSE(middle.IsDocked());
    EXPECT_EQ(RectInParent(middle), middleBefore);  // the window stays where it was
    EXPECT_EQ(RectInParent(upper).Height() + RectInParent(*lower).Height() + kBar, client.Height());

    lower.reset();  // the object and its window go together
    plat::PumpMessages();
    EXPECT_EQ(RectInParent(upper), CRect(client.right - 200, 0, client.right, client.bottom));

    upper.DestroyWindow();
    plat::PumpMessages();
    EXPECT_EQ(RectInParent(*MainView(frame)), client);
    EXPECT_FALSE(upper.IsDocked());
}

TEST_F(DockLayoutTest, SitesKeepTheirDepthWhenTheFrameResizesAndNeverLeaveIt) {
    CFrameWnd* frame = MakeFrame();
    TestPane left, right;
    ASSERT_TRUE(DockNewPane(frame, left, 1, CBRS_LEFT, CSize(300, 200)));
    ASSERT_TRUE(DockNewPane(frame, right, 2, CBRS_RIGHT, CSize(300, 200)));

    frame->SetWindowPos(nullptr, 0, 0, 900, 500, SWP_NOMOVE | SWP_NOZORDER);
    CRect client = ClientOf(*frame);
    EXPECT_EQ(RectInParent(left).Width(), 300);
    EXPECT_EQ(RectInParent(right).Width(), 300);
    EXPECT_EQ(RectInParent(*MainView(frame)).Width(), client.Width() - 600 - 2 * kBar);

    // Too narrow for both sites: the first keeps what fits, the view and the second
    // site get nothing, and every part stays inside the client area.
    frame->SetWindowPos(nullptr, 0, 0, 250, 300, SWP_NOMOVE | SWP_NOZORDER);
    client = ClientOf(*frame);
    for (const CWnd* part : {static_cast<const CWnd*>(&left), static_cast<const CWnd*>(&right),
                             static_cast<const CWnd*>(MainView(frame))}) {
        const CRect rect = RectInParent(*part);
        EXPECT_GE(rect.Width(), 0);
        EXPECT_EQ(rect & client, rect.IsRectEmpty() ? CRect() : rect);
    }
    EXPECT_EQ(RectInParent(left).Width(), client.Width() - kBar);
    EXPECT_EQ(RectInParent(*MainView(frame)).Width(), 0);
}

TEST_F(DockLayoutTest, DockPaneNeedsTheSiteAllowedByFrameAndPane) {
    CFrameWnd* frame = MakeFrame();
    frame->EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_BOTTOM);
    TestPane pane;
    ASSERT_TRUE(pane.Create("pane", frame, CRect(0, 0, 200, 200), TRUE, 1,
                            WS_CHILD | WS_VISIBLE | CBRS_RIGHT));
    EXPECT_FALSE(frame->DockPane(&pane));  // the pane never enabled docking
    pane.EnableDocking(CBRS_ALIGN_RIGHT | CBRS_ALIGN_BOTTOM);
    EXPECT_FALSE(frame->DockPane(&pane));                        // the frame has no right site
    EXPECT_FALSE(frame->DockPane(&pane, AFX_IDW_DOCKBAR_LEFT));  // the pane refuses left
    EXPECT_FALSE(pane.IsDocked());

    EXPECT_TRUE(frame->DockPane(&pane, AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_EQ(pane.GetCurrentAlignment(), CBRS_ALIGN_BOTTOM);
    EXPECT_EQ(RectInParent(pane).bottom, ClientOf(*frame).bottom);

    // Only a child of the frame docks in it.
    CFrameWnd* other = MakeFrame(CRect(100, 100, 500, 400));
    other->EnableDocking(CBRS_ALIGN_ANY);
    EXPECT_FALSE(other->DockPane(&pane));
    EXPECT_FALSE(other->DockPane(nullptr));
    EXPECT_EQ(pane.GetDockSiteFrameWnd(), frame);
}

TEST_F(DockLayoutTest, TheStylesOfCreateAreKeptApartFromTheWindowStyle) {
    CFrameWnd* frame = MakeFrame();
    TestPane pane;
    ASSERT_TRUE(pane.Create("Depth", frame, CRect(10, 20, 110, 220), FALSE, 7,
                            WS_CHILD | WS_VISIBLE | CBRS_LEFT | CBRS_FLOAT_MULTI | CBRS_GRIPPER,
                            AFX_CBRS_OUTLOOK_TABS, AFX_CBRS_RESIZE));
    EXPECT_EQ(pane.GetPaneStyle(), CBRS_LEFT | CBRS_FLOAT_MULTI | CBRS_GRIPPER);
    EXPECT_EQ(pane.GetStyle() & ~WS_CLIPSIBLINGS, WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(pane.GetControlBarStyle(), AFX_CBRS_RESIZE);
    EXPECT_EQ(pane.GetTabbedStyle(), AFX_CBRS_OUTLOOK_TABS);
    EXPECT_FALSE(pane.CanBeClosed());
    EXPECT_EQ(pane.GetCaptionHeight(), 0);  // no gripper, no caption
    EXPECT_EQ(RectInParent(pane), CRect(10, 20, 110, 220));
    EXPECT_EQ(ClientOf(pane), CRect(0, 0, 98, 198));  // inside the one-pixel border
    CString text;
    pane.GetWindowText(text);
    EXPECT_STREQ(text, "Depth");
    EXPECT_FALSE(pane.Create("again", frame, CRect(0, 0, 10, 10), TRUE, 8, WS_CHILD));
    TestPane orphan;
    EXPECT_FALSE(orphan.Create("orphan", nullptr, CRect(0, 0, 10, 10), TRUE, 9, WS_CHILD));
    EXPECT_EQ(orphan.GetSafeHwnd(), nullptr);
}

}  // namespace
}  // namespace ft
