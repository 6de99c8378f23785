// Injected mouse input on the frame: the close button hides its pane, splitters resize
// what lies on either side of them, and clicks reach the window under the mouse.

#include "FrameTestSupport.h"

namespace ft {
namespace {

namespace style = plat::style;

constexpr int kBar = style::kSplitterWidth;
constexpr int kMinLength = 24;  // what a splitter drag leaves a pane at least

class PaneInputTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        frame = MakeFrame();
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(DockNewPane(frame, upper, 1, CBRS_RIGHT));
        ASSERT_TRUE(DockNewPane(frame, lower, 2, CBRS_RIGHT));
        client = ClientOf(*frame);
        plat::PumpMessages();
    }
    // A point of the frame's client area on the screen.
    CPoint InFrame(int x, int y) const { return plat::input::ScreenPointOf(frame, CPoint(x, y)); }
    CPoint CloseButtonCentre(const CWnd& pane) const {
        CRect window;
        pane.GetWindowRect(&window);
        const CRect button =
            style::CloseButtonRect(CRect(1, 1, window.Width() - 1, 1 + style::kPaneCaptionHeight));
        return WindowPoint(pane, button.CenterPoint().x, button.CenterPoint().y);
    }

    CFrameWnd* frame = nullptr;
    TestPane upper, lower;
    CRect client;
};

TEST_F(PaneInputTest, ClickingTheCloseButtonHidesThePaneAndGivesItsShareAway) {
    Click(CloseButtonCentre(upper));
    EXPECT_FALSE(upper.IsVisible());
    EXPECT_EQ(RectInParent(lower), CRect(client.right - 200, 0, client.right, client.bottom));
    EXPECT_EQ(CWnd::GetCapture(), nullptr);

    Click(CloseButtonCentre(lower));
    EXPECT_FALSE(lower.IsVisible());
    EXPECT_EQ(RectInParent(*MainView(frame)), client);
}

TEST_F(PaneInputTest, TheCloseButtonActsOnlyWhenReleasedOverIt) {
    const CPoint button = CloseButtonCentre(upper);
    Drag(button, WindowPoint(upper, 30, 10));  // off the button, still in the caption
    EXPECT_TRUE(upper.IsVisible());
    Drag(WindowPoint(upper, 30, 10), button);  // pressed elsewhere, released over it
    EXPECT_TRUE(upper.IsVisible());
    Drag(button, button + CSize(2, 2));  // moved, but still over it
    EXPECT_FALSE(upper.IsVisible());
}

TEST_F(PaneInputTest, ClicksReachTheWindowUnderTheMouse) {
    ColourView* view = MainView(frame);
    Click(InFrame(10, 10));
    EXPECT_EQ(view->clicks, 1);
    Click(InFrame(client.right - 200 - 2, 10));  // the splitter beside the view
    Click(WindowPoint(upper, 30, 10));           // a caption
    EXPECT_EQ(view->clicks, 1);
    EXPECT_TRUE(upper.IsVisible());
    EXPECT_TRUE(lower.IsVisible());
    EXPECT_EQ(CWnd::WindowFromPoint(InFrame(client.right - 200 - 2, 10)), frame);
    EXPECT_EQ(CWnd::WindowFromPoint(WindowPoint(lower, 50, 50)), &lower);
}

TEST_F(PaneInputTest, DraggingTheSiteSplitterResizesTheSiteAndTheView) {
    const int sizes = upper.sizes;
    const CPoint grip = InFrame(client.right - 200 - 3, 300);
    Drag(grip, grip - CSize(50, 7));
    EXPECT_EQ(RectInParent(upper).Width(), 250);
    EXPECT_EQ(RectInParent(lower).Width(), 250);
    EXPECT_EQ(RectInParent(*MainView(frame)).right, client.right - 250 - kBar);
    EXPECT_EQ(frame->GetDockSiteSize(CBRS_ALIGN_RIGHT), 250);
    EXPECT_GT(upper.sizes, sizes);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);

    // Past the frame's right edge the site keeps its smallest depth; past its left
    // edge, all that leaves room for the splitter.
    const CPoint moved = InFrame(client.right - 250 - 3, 300);
    Drag(moved, InFrame(client.right + 100, 300));
    EXPECT_EQ(RectInParent(upper).Width(), kMinLength);
    const CPoint narrow = InFrame(client.right - kMinLength - 3, 300);
    Drag(narrow, InFrame(-100, 300));
    EXPECT_EQ(RectInParent(upper).Width(), client.Width() - kBar);
    EXPECT_TRUE(RectInParent(*MainView(frame)).IsRectEmpty());
}

TEST_F(PaneInputTest, DraggingTheSplitterBetweenPanesMovesOnlyTheirCommonEdge) {
    TestPane third;
    ASSERT_TRUE(DockNewPane(frame, third, 3, CBRS_RIGHT));
    const CRect firstBefore = RectInParent(upper);
    const CRect thirdBefore = RectInParent(third);
    const CRect secondBefore = RectInParent(lower);
    const int x = client.right - 100;
    const CPoint grip = InFrame(x, secondBefore.bottom + 2);  // between the 2nd and 3rd

    Drag(grip, grip + CSize(0, 60));
    EXPECT_EQ(RectInParent(upper), firstBefore);
    EXPECT_EQ(RectInParent(lower).Height(), secondBefore.Height() + 60);
    EXPECT_EQ(RectInParent(third).top, thirdBefore.top + 60);
    EXPECT_EQ(RectInParent(third).bottom, client.bottom);

    // Far down the third pane keeps its smallest length.
    Drag(InFrame(x, RectInParent(lower).bottom + 2), InFrame(x, client.bottom + 50));
    EXPECT_EQ(RectInParent(third).Height(), kMinLength);

    // The lengths stay when a pane of the site hides and shows again.
    const CRect secondNow = RectInParent(lower);
    upper.ShowPane(FALSE, FALSE, FALSE);
    upper.ShowPane(TRUE, FALSE, FALSE);
    EXPECT_EQ(RectInParent(lower), secondNow);
}

TEST_F(PaneInputTest, ALostCaptureEndsASplitterDrag) {
    const CPoint grip = InFrame(client.right - 200 - 3, 300);
    plat::input::MouseDown(grip.x, grip.y);
    plat::PumpMessages();
    EXPECT_EQ(CWnd::GetCapture(), frame);
    MainView(frame)->SetCapture();  // someone else takes the mouse
    ReleaseCapture();
    plat::input::MouseMove(grip.x - 80, grip.y);
    plat::input::MouseUp(grip.x - 80, grip.y);
    plat::PumpMessages();
    EXPECT_EQ(RectInParent(upper).Width(), 200);
}

}  // namespace
}  // namespace ft
