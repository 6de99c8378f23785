// The grid's colour schemes by day and night, the Boolean labels, and the status colour
// cells on the screen.

#include <array>

#include "tests/grid_control/GridTestSupport.h"

namespace {

struct Colours {
    COLORREF back, text, groupBack, groupText, descrBack, descrText, line;
    bool operator==(const Colours&) const = default;
};

void PrintTo(const Colours& c, std::ostream* out) {
    for (const COLORREF v :
         {c.back, c.text, c.groupBack, c.groupText, c.descrBack, c.descrText, c.line}) {
        *out << "(" << int(GetRValue(v)) << "," << int(GetGValue(v)) << "," << int(GetBValue(v))
             << ") ";
    }
}

Colours CustomColours(const CMFCPropertyGridCtrl& grid) {
    Colours c{};
    grid.GetCustomColors(c.back, c.text, c.groupBack, c.groupText, c.descrBack, c.descrText,
                         c.line);
    return c;
}

// The operator's published colour tables, day then night.
// clang-format off
const std::array<std::array<Colours, 2>, 8> kExpected = {{
    {{{RGB(255,255,255), RGB(0,0,0), RGB(235,235,235), RGB(85,85,85), RGB(235,235,235), RGB(0,0,0), RGB(235,235,235)},
      {RGB(255,255,255), RGB(0,0,0), RGB(235,235,235), RGB(85,85,85), RGB(235,235,235), RGB(0,0,0), RGB(235,235,235)}}},
    {{{RGB(214,214,214), RGB(0,0,0), RGB(85,85,85), RGB(235,235,235), RGB(85,85,85), RGB(235,235,235), RGB(85,85,85)},
      {RGB(0,0,0), RGB(192,192,192), RGB(85,85,85), RGB(235,235,235), RGB(85,85,85), RGB(192,192,192), RGB(85,85,85)}}},
    {{{RGB(204,255,204), RGB(0,0,0), RGB(0,128,0), RGB(128,255,128), RGB(0,128,0), RGB(128,255,128), RGB(0,0,0)},
      {RGB(0,0,0), RGB(0,128,0), RGB(0,64,0), RGB(0,128,0), RGB(0,64,0), RGB(0,128,0), RGB(0,128,0)}}},
    {{{RGB(153,204,255), RGB(0,0,0), RGB(0,0,128), RGB(128,128,255), RGB(0,0,128), RGB(128,128,255), RGB(0,0,0)},
      {RGB(0,0,0), RGB(0,0,128), RGB(0,0,64), RGB(0,0,128), RGB(0,0,64), RGB(0,0,128), RGB(0,0,128)}}},
    {{{RGB(204,153,255), RGB(0,0,0), RGB(128,0,128), RGB(255,128,255), RGB(128,0,128), RGB(255,128,255), RGB(0,0,0)},
      {RGB(0,0,0), RGB(128,0,128), RGB(64,0,64), RGB(128,0,128), RGB(64,0,64), RGB(128,0,128), RGB(128,0,128)}}},
    {{{RGB(255,240,240), RGB(0,0,0), RGB(128,0,0), RGB(255,128,128), RGB(128,0,0), RGB(255,128,128), RGB(0,0,0)},
      {RGB(0,0,0), RGB(128,0,0), RGB(64,0,0), RGB(128,0,0), RGB(64,0,0), RGB(128,0,0), RGB(128,0,0)}}},
    {{{RGB(255,255,231), RGB(0,0,0), RGB(128,128,0), RGB(255,255,0), RGB(128,128,0), RGB(255,255,0), RGB(0,0,0)},
      {RGB(0,0,0), RGB(128,128,0), RGB(64,64,0), RGB(128,128,0), RGB(64,64,0), RGB(128,128,0), RGB(128,128,0)}}},
    {{{RGB(214,214,214), RGB(0,0,0), RGB(0,0,64), RGB(235,235,235), RGB(85,85,85), RGB(235,235,235), RGB(85,85,85)},
      {RGB(0,0,0), RGB(192,192,192), RGB(0,0,128), RGB(235,235,235), RGB(85,85,85), RGB(192,192,192), RGB(85,85,85)}}},
}};
// clang-format on

using GridColourTest = gt::GridTest;

TEST_F(GridColourTest, EverySchemeHasItsDayAndNightColours) {
    CMyMFCPropertyGridCtrl grid;
    CreateGrid(grid);
    for (int scheme = 0; scheme < 8; ++scheme) {
        grid.SetNightMode(false);
        grid.SetColourScheme(scheme);
        EXPECT_EQ(grid.GetColourScheme(), scheme);
        EXPECT_EQ(CustomColours(grid), kExpected[scheme][0]) << "scheme " << scheme << " day";
        grid.SetNightMode(true);  // re-applies the scheme in its night variant
        EXPECT_EQ(CustomColours(grid), kExpected[scheme][1]) << "scheme " << scheme << " night";
    }
}

TEST_F(GridColourTest, ASchemeOutsideTheRangeChangesNothing) {
    CMyMFCPropertyGridCtrl grid;
    CreateGrid(grid);
    grid.SetColourScheme(3);
    const Colours before = CustomColours(grid);
    grid.SetColourScheme(8);
    grid.SetColourScheme(-1);
    EXPECT_EQ(grid.GetColourScheme(), 3);
    EXPECT_EQ(CustomColours(grid), before);
}

TEST_F(GridColourTest, TheSchemePaintsTheGrid) {
    CMyMFCPropertyGridCtrl grid;
    CreateGrid(grid);
    auto* group = new CMFCPropertyGridProperty("Vessel");
    group->AddSubItem(new CMFCPropertyGridProperty("Name", COleVariant("Surveyor"), ""));
    grid.AddProperty(group);
    grid.SetColourScheme(2);
    const CPoint belowRows(200, grid.GetListRect().bottom - 5);
    EXPECT_EQ(PixelAt(grid, belowRows), RGB(204, 255, 204));
    grid.SetNightMode(true);
    EXPECT_EQ(PixelAt(grid, belowRows), RGB(0, 0, 0));
}

TEST_F(GridColourTest, BooleanRowsReadOnAndOff) {
    CMyMFCPropertyGridCtrl grid;
    EXPECT_STREQ(grid.GetTrueLabel(), "On");
    EXPECT_STREQ(grid.GetFalseLabel(), "Off");
}

class ColourCellTest : public gt::GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        CreateGrid(grid);
        auto* group = new CMFCPropertyGridProperty("Status");
        cell = new CMFCPropertyColourGridProperty("Logging", COleVariant("Idle"));
        group->AddSubItem(cell);
        grid.AddProperty(group);
        plat::PumpMessages();
    }

    // A pixel of the cell's fill, inside its frame, away from the centred text.
    COLORREF Fill() {
        const CRect row = cell->GetRect();
        return PixelAt(
            grid, CPoint(grid.GetListRect().left + grid.GetLeftColumnWidth() + 3, row.top + 3));
    }
    COLORREF Frame() {
        const CRect row = cell->GetRect();
        return PixelAt(
            grid, CPoint(grid.GetListRect().left + grid.GetLeftColumnWidth() + 1, row.top + 3));
    }

    CMyMFCPropertyGridCtrl grid;
    CMFCPropertyColourGridProperty* cell = nullptr;
};

TEST_F(ColourCellTest, TheCellIsFilledInItsStateColourByDayAndNight) {
    EXPECT_FALSE(cell->IsAllowEdit());
    EXPECT_EQ(Fill(), RGB(235, 235, 235));
    EXPECT_EQ(Frame(), RGB(0, 0, 0));

    cell->SetOk("Logging");
    EXPECT_EQ(Fill(), RGB(0, 255, 0));
    cell->SetNightMode(true);
    EXPECT_EQ(Fill(), RGB(0, 128, 0));
    EXPECT_EQ(cell->GetTextColour(), RGB(192, 192, 192));

    cell->SetWarning("Slow");
    EXPECT_EQ(Fill(), RGB(255, 128, 0));
    cell->SetNightMode(true);
    EXPECT_EQ(Fill(), RGB(128, 64, 0));
    cell->SetNightMode(false);
    EXPECT_EQ(Fill(), RGB(255, 128, 0));

    cell->SetError("Stopped");
    EXPECT_EQ(cell->FormatProperty(), "Stopped");
    EXPECT_EQ(Fill(), RGB(255, 0, 0));
    EXPECT_EQ(cell->GetTextColour(), RGB(255, 255, 255));
}

TEST_F(ColourCellTest, ASetCallAtNightPaintsDayColoursUntilTheNextSwitch) {
    cell->SetNightMode(true);
    EXPECT_EQ(Fill(), RGB(0, 0, 0));
    cell->SetError("Stopped");
    EXPECT_EQ(Fill(), RGB(255, 0, 0));
    cell->SetNightMode(true);
    EXPECT_EQ(Fill(), RGB(128, 0, 0));
    // Night again when already at night changes nothing.
    cell->SetNightMode(true);
    EXPECT_EQ(cell->GetBackColour(), RGB(128, 0, 0));
    cell->SetNightMode(false);
    cell->SetNightMode(false);
    EXPECT_EQ(cell->GetBackColour(), RGB(255, 0, 0));
}

}  // namespace
