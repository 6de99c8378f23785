// A settings change from the operator's choice to the next repaint of another grid: the
// pane writes the file and tells the host, and a unit-aware row elsewhere shows the new
// unit at its next formatting without being told.

#include <cstdio>
#include <string>
#include <vector>

#include "tests/grid_control/GridTestSupport.h"

namespace {

constexpr int kUnitsType = 8;  // the Units group's "Units" item

class StepByStepTest : public gt::GridTest {
protected:
    std::vector<WPARAM> Posted() {
        plat::PumpMessages();
        return host->updates;
    }

    // The operator opens the Units drop-down and takes the next option with the keyboard.
    void ChooseNextUnits() {
        CMyMFCPropertyGridCtrl& paneGrid = pane.GetGrid();
        CMFCPropertyGridProperty* type = paneGrid.FindItemByData(kUnitsType);
        ASSERT_NE(type, nullptr);
        ASSERT_FALSE(type->GetRect().IsRectEmpty());
        Click(paneGrid, ValueCentre(paneGrid, *type));
        ASSERT_TRUE(type->IsInPlaceEditing());
        plat::input::Key(VK_DOWN);
        plat::input::Key(VK_RETURN);
        plat::PumpMessages();
        ASSERT_EQ(type->FormatProperty(), "Imperial");
    }

    CSettingsPane pane;
};

TEST_F(StepByStepTest, ChoosingImperialReachesTheFileTheHostAndAnotherGridsRow) {
    ASSERT_EQ(pane.Create(host, 300, CSettingsPane::kUnits), 1);
    pane.ShowPane(TRUE, FALSE, FALSE);
    host->RecalcLayout();
    plat::PumpMessages();
    host->updates.clear();

    CMyMFCPropertyGridCtrl rows;
    CreateGrid(rows, CRect(400, 0, 800, 300));
    auto* distance = new CMFCPropertyGridMetricProperty("Distance", 10.0, 10);
    rows.AddProperty(distance);
    // Read once in metres, so that anything kept from this read would now be stale.
    ASSERT_TRUE(std::string(distance->FormatProperty()).ends_with(" m"));

    ChooseNextUnits();

    EXPECT_TRUE(ReadRaw("Units_Mode.INI").starts_with("Units Mode = 1\r\n"))
        << ReadRaw("Units_Mode.INI");
    EXPECT_EQ(Posted(), std::vector<WPARAM>{0x80});

    // International feet, with the operator's decimal places.
    char feet[32];
    std::snprintf(feet, sizeof feet, "%.*f", ReadDecimalPlaces(), 10.0 / 0.3048);
    const std::string shown(distance->FormatProperty());
    EXPECT_NE(shown.find(feet), std::string::npos) << shown;
    EXPECT_TRUE(shown.ends_with("Ft.")) << shown;
}

}  // namespace
