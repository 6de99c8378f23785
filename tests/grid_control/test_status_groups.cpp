// Status groups: finding numbered groups, the flash of triggers and warnings on the grid's
// timer, and the balls drawn in the group rows.

#include <vector>

#include "tests/grid_control/GridTestSupport.h"

namespace {

// A grid that records the timer ticks it receives.
class ProbeGrid : public CMyMFCPropertyGridCtrl {
public:
    std::vector<UINT_PTR> ticks;

protected:
    void OnTimer(UINT_PTR nIDEvent) override {
        ticks.push_back(nIDEvent);
        CMyMFCPropertyGridCtrl::OnTimer(nIDEvent);
    }
};

class StatusGroupTest : public gt::GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        CreateGrid(grid);
        status = new CMFCGroupPropertyGridProperty("Gyro", 3);
        status->AddSubItem(new CMFCPropertyGridProperty("Heading", COleVariant("12.5"), ""));
        grid.AddProperty(status);
        plat::PumpMessages();
    }

    COLORREF BallPixel() { return PixelAt(grid, ValueCentre(grid, *status)); }

    ProbeGrid grid;
    CMFCGroupPropertyGridProperty* status = nullptr;
};

TEST_F(StatusGroupTest, AGroupNumberNotInTheGridStartsNoTimer) {
    grid.Trigger(5);
    grid.Warning(5);
    plat::RunMessagesFor(300);
    EXPECT_TRUE(grid.ticks.empty());
    EXPECT_EQ(status->GetColour(), STATUS_NONE);
    EXPECT_EQ(grid.FindGroup(5), nullptr);
}

TEST_F(StatusGroupTest, GroupsAreFoundInsideFoldedGroupsDepthFirst) {
    auto* outer = new CMFCPropertyGridProperty("Sensors");
    auto* middle = new CMFCPropertyGridProperty("Motion");
    auto* nested = new CMFCGroupPropertyGridProperty("Pitch and roll", 5);
    nested->AddSubItem(new CMFCPropertyGridProperty("Pitch", COleVariant("0.1"), ""));
    middle->AddSubItem(nested);
    outer->AddSubItem(middle);
    // A later group with the same number is not the one found.
    auto* later = new CMFCGroupPropertyGridProperty("Spare", 5);
    later->AddSubItem(new CMFCPropertyGridProperty("Roll", COleVariant("0.2"), ""));
    outer->AddSubItem(later);
    grid.AddProperty(outer);
    middle->Expand(FALSE);
    outer->Expand(FALSE);

    EXPECT_EQ(grid.FindGroup(5), nested);
    EXPECT_EQ(grid.FindGroup(3), status);
    grid.Trigger(5);
    EXPECT_EQ(nested->GetColour(), STATUS_TRIGGER);
    EXPECT_EQ(later->GetColour(), STATUS_NONE);
    plat::RunMessagesFor(100);
    EXPECT_EQ(nested->GetColour(), STATUS_NONE);
    EXPECT_EQ(grid.ticks, std::vector<UINT_PTR>{6});
}

TEST_F(StatusGroupTest, ATriggerShowsTheGreenBallForOneTick) {
    const COLORREF before = BallPixel();
    EXPECT_FALSE(gt::IsGreenish(before));
    grid.Trigger(3);
    EXPECT_TRUE(gt::IsGreenish(BallPixel()));
    plat::RunMessagesFor(99);
    EXPECT_TRUE(gt::IsGreenish(BallPixel()));
    plat::RunMessagesFor(1);
    EXPECT_EQ(status->GetColour(), STATUS_NONE);
    EXPECT_EQ(BallPixel(), before);
}

TEST_F(StatusGroupTest, ASecondWarningRestartsTheFlash) {
    grid.Warning(3);
    plat::RunMessagesFor(60);
    grid.Warning(3);
    EXPECT_TRUE(gt::IsYellowish(BallPixel()));
    // 150 ms after the first warning, 90 after the second: still showing.
    plat::RunMessagesFor(90);
    EXPECT_EQ(status->GetColour(), STATUS_WARNING);
    EXPECT_TRUE(gt::IsYellowish(BallPixel()));
    plat::RunMessagesFor(10);
    EXPECT_EQ(status->GetColour(), STATUS_NONE);
    EXPECT_FALSE(gt::IsYellowish(BallPixel()));
    EXPECT_EQ(grid.ticks.size(), 1u);
}

TEST_F(StatusGroupTest, ATimeoutIsClearedByAPendingTriggerTick) {
    grid.Trigger(3);
    grid.Timeout(3, true);
    EXPECT_EQ(status->GetColour(), STATUS_TIMEOUT);
    plat::RunMessagesFor(100);
    EXPECT_EQ(status->GetColour(), STATUS_NONE);
}

TEST_F(StatusGroupTest, ATimeoutStaysUntilSwitchedOff) {
    grid.Timeout(3, true);
    plat::RunMessagesFor(500);
    EXPECT_EQ(status->GetColour(), STATUS_TIMEOUT);
    EXPECT_TRUE(grid.ticks.empty());
    grid.Timeout(3, false);
    EXPECT_EQ(status->GetColour(), STATUS_NONE);
}

TEST_F(StatusGroupTest, SwitchingAStatusTellsWhetherItChanged) {
    EXPECT_TRUE(status->Error(true));
    EXPECT_FALSE(status->Error(true));
    EXPECT_EQ(status->GetColour(), STATUS_ERROR);

    EXPECT_TRUE(status->Warning(true));
    EXPECT_FALSE(status->Error(false));  // clears whatever shows
    EXPECT_EQ(status->GetColour(), STATUS_NONE);
    EXPECT_FALSE(status->Error(false));

    EXPECT_TRUE(status->Trigger());
    EXPECT_FALSE(status->Trigger());
    EXPECT_TRUE(status->Timeout(true));
    status->Clear();
    EXPECT_EQ(status->GetColour(), STATUS_NONE);
}

TEST_F(StatusGroupTest, AnErrorStaysAndIsClearedByAFlashTick) {
    EXPECT_TRUE(status->Error(true));
    plat::RunMessagesFor(300);
    EXPECT_EQ(status->GetColour(), STATUS_ERROR);
    grid.Trigger(3);
    plat::RunMessagesFor(100);
    EXPECT_EQ(status->GetColour(), STATUS_NONE);
}

}  // namespace
