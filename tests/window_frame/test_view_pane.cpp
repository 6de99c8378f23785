// The one-view pane pattern: the view fills the pane's client area and repaints on
// resizes, new data and a new colour set; without a window or a view nothing happens.

#include "FrameTestSupport.h"

namespace ft {
namespace {

class ViewPane : public CViewPane<ColourView> {
public:
    BOOL Create(CWnd* pParent, UINT nID) { return CreateAndLayOut(pParent, nID, "Readout"); }

    std::vector<std::string> steps;

protected:
    void PrepareView(ColourView& view) override {
        steps.push_back(view.GetSafeHwnd() ? "prepare with window" : "prepare");
    }
    void ViewCreated(ColourView& view) override {
        steps.push_back(view.GetSafeHwnd() ? "created" : "created without window");
    }
};

// A view whose window refuses to be created.
class RefusingView : public ColourView {
protected:
    int OnCreate(LPCREATESTRUCT) override { return -1; }
};

class RefusingPane : public CViewPane<RefusingView> {
public:
    BOOL Create(CWnd* pParent, UINT nID) { return CreateAndLayOut(pParent, nID, "Broken"); }
};

class ViewPaneTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        frame = MakeFrame();
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(app().WriteProfileInt("Workspace\\BasePane-3001", "IsVisible", 1));
        ASSERT_TRUE(pane.Create(frame, 3001));
        pane.EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(frame->DockPane(&pane));
        plat::PumpMessages();
    }

    CFrameWnd* frame = nullptr;
    ViewPane pane;
};

TEST_F(ViewPaneTest, TheViewIsPreparedMadeAndFillsTheClientArea) {
    EXPECT_EQ(pane.steps, std::vector<std::string>({"prepare", "created"}));
    ColourView* view = pane.GetView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetParent(), &pane);
    EXPECT_EQ(view->GetDlgCtrlID(), 0);
    EXPECT_EQ(view->GetStyle() & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(RectInParent(*view), ClientOf(pane));
    EXPECT_GT(view->paints, 0);
}

TEST_F(ViewPaneTest, AResizeMovesTheViewToTheNewClientAreaAndRepaintsIt) {
    ColourView* view = pane.GetView();
    const int paints = view->paints;
    frame->SetDockSiteSize(CBRS_ALIGN_RIGHT, 260);
    EXPECT_EQ(ClientOf(pane).Width(), 258);
    EXPECT_EQ(RectInParent(*view), ClientOf(pane));
    plat::PumpMessages();
    EXPECT_GT(view->paints, paints);

    frame->SetWindowPos(nullptr, 0, 0, 700, 450, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(RectInParent(*view), ClientOf(pane));
    EXPECT_EQ(ClientOf(pane).Height(),
              ClientOf(*frame).Height() - 2 - plat::style::kPaneCaptionHeight);
}

TEST_F(ViewPaneTest, UpdateAndTheColourSetRepaintTheView) {
    ColourView* view = pane.GetView();
    int paints = view->paints;
    pane.Update();
    plat::PumpMessages();
    EXPECT_EQ(view->paints, paints + 1);

    pane.SetNightMode(true);
    EXPECT_TRUE(view->night);
    plat::PumpMessages();
    EXPECT_EQ(view->paints, paints + 2);
    pane.SetDaylightMode();
    EXPECT_FALSE(view->night);
}

TEST_F(ViewPaneTest, ClicksInThePaneReachItsView) {
    ColourView* view = pane.GetView();
    Click(WindowPoint(pane, 50, 60));
    EXPECT_EQ(view->clicks, 1);
    Click(WindowPoint(pane, 50, 10));  // the caption
    EXPECT_EQ(view->clicks, 1);
}

TEST_F(ViewPaneTest, AViewWhoseWindowWentAwayIsNoLongerUsed) {
    pane.GetView()->DestroyWindow();  // the view deletes itself
    EXPECT_EQ(pane.GetView(), nullptr);
    pane.Update();
    pane.SetNightMode(true);
    pane.AdjustLayout();
    plat::PumpMessages();
    EXPECT_TRUE(pane.IsVisible());
}

TEST_F(ViewPaneTest, APaneWithoutAWindowIgnoresEveryOperation) {
    ViewPane idle;
    idle.Update();
    idle.SetNightMode(true);
    idle.SetDaylightMode();
    idle.AdjustLayout();
    EXPECT_EQ(idle.GetView(), nullptr);
    EXPECT_TRUE(idle.steps.empty());
    EXPECT_EQ(idle.GetSafeHwnd(), nullptr);
}

TEST_F(ViewPaneTest, AViewThatCannotBeCreatedFailsThePane) {
    RefusingPane broken;
    EXPECT_FALSE(broken.Create(frame, 3002));
    EXPECT_EQ(broken.GetSafeHwnd(), nullptr);
    EXPECT_EQ(broken.GetView(), nullptr);
    broken.Update();  // nothing left to touch
}

}  // namespace
}  // namespace ft
