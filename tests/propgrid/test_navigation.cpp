// Moving through the grid: keys, groups folding, the divider, scrolling (wheel, thumb,
// track, arrows), hidden rows, clicks where there is no row, and a grid of many rows.

#include <chrono>

#include "PropGridTestSupport.h"
#include "platform/window/WindowDC.h"

namespace pg {
namespace {

class NavigationTest : public GridTest {
protected:
    // Two groups of three rows each, then a plain row.
    void SetUp() override {
        GridTest::SetUp();
        for (int g = 0; g < 2; ++g) {
            groups[g] = new CMFCPropertyGridProperty(g == 0 ? "First" : "Second", 100 + g);
            for (int i = 0; i < 3; ++i) {
                rows[g][i] = new CMFCPropertyGridProperty("Row", COleVariant(static_cast<long>(i)));
                groups[g]->AddSubItem(rows[g][i]);
            }
            grid.AddProperty(groups[g]);
        }
        last = AddRow("Last", COleVariant(9L));
        grid.SetFocus();
        plat::PumpMessages();
    }

    CPoint ExpandBoxOf(const CMFCPropertyGridProperty* prop) const {
        const CRect row = prop->GetRect();
        return CPoint(
            row.left + prop->GetHierarchyLevel() * grid.GetRowHeight() + grid.GetRowHeight() / 2,
            row.CenterPoint().y);
    }

    CMFCPropertyGridProperty* groups[2] = {};
    CMFCPropertyGridProperty* rows[2][3] = {};
    CMFCPropertyGridProperty* last = nullptr;
};

TEST_F(NavigationTest, RowsStackUnderTheHeaderAtTheFontsHeight) {
    const int rowHeight = grid.GetRowHeight();
    CClientDC dc(nullptr);
    dc.SelectObject(CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))));
    TEXTMETRIC metrics{};
    dc.GetTextMetrics(&metrics);
    EXPECT_EQ(rowHeight, metrics.tmHeight + 4);
    EXPECT_EQ(grid.GetHeaderHeight(), rowHeight + 4);
    EXPECT_EQ(grid.GetListRect().top, rowHeight + 4);
    EXPECT_EQ(groups[0]->GetRect().top, grid.GetListRect().top);
    EXPECT_EQ(rows[0][0]->GetRect().top, grid.GetListRect().top + rowHeight);
    EXPECT_EQ(groups[1]->GetRect().top, grid.GetListRect().top + 4 * rowHeight);
    EXPECT_EQ(grid.GetLeftColumnWidth(), 150);  // half the width

    grid.EnableHeaderCtrl(FALSE);
    EXPECT_EQ(grid.GetListRect().top, 0);
    EXPECT_EQ(groups[0]->GetRect().top, 0);
}

TEST_F(NavigationTest, ArrowsHomeAndEndMoveTheSelection) {
    Key(VK_DOWN);
    EXPECT_EQ(grid.GetCurSel(), groups[0]);
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(grid.GetCurSel(), rows[0][1]);
    Key(VK_UP);
    EXPECT_EQ(grid.GetCurSel(), rows[0][0]);
    Key(VK_END);
    EXPECT_EQ(grid.GetCurSel(), last);
    Key(VK_DOWN);  // stays at the end
    EXPECT_EQ(grid.GetCurSel(), last);
    Key(VK_HOME);
    EXPECT_EQ(grid.GetCurSel(), groups[0]);
    Key(VK_UP);
    EXPECT_EQ(grid.GetCurSel(), groups[0]);
}

TEST_F(NavigationTest, GroupsFoldByClickAndByKeys) {
    Click(grid, ExpandBoxOf(groups[0]));
    EXPECT_FALSE(groups[0]->IsExpanded());
    EXPECT_TRUE(rows[0][0]->GetRect().IsRectEmpty());
    EXPECT_EQ(groups[1]->GetRect().top, grid.GetListRect().top + grid.GetRowHeight());
    EXPECT_EQ(grid.GetTotalRowCount(), 6);
    Click(grid, ExpandBoxOf(groups[0]));
    EXPECT_TRUE(groups[0]->IsExpanded());
    EXPECT_EQ(grid.GetTotalRowCount(), 9);

    Key(VK_LEFT);
    EXPECT_FALSE(groups[0]->IsExpanded());
    Key(VK_RIGHT);
    EXPECT_TRUE(groups[0]->IsExpanded());
    Key(VK_RETURN);
    EXPECT_FALSE(groups[0]->IsExpanded());
    DoubleClick(grid, NameOf(groups[0]));
    EXPECT_TRUE(groups[0]->IsExpanded());
}

TEST_F(NavigationTest, FoldingAGroupTakesTheSelectionAndEditorOut) {
    Click(grid, ValueOf(rows[0][1]));
    ASSERT_TRUE(rows[0][1]->IsInPlaceEditing());
    groups[0]->Expand(FALSE);
    plat::PumpMessages();
    EXPECT_FALSE(rows[0][1]->IsInPlaceEditing());
    EXPECT_EQ(grid.GetCurSel(), groups[0]);
}

TEST_F(NavigationTest, HiddenRowsTakeNoRoom) {
    groups[0]->Show(FALSE);
    EXPECT_EQ(grid.GetTotalRowCount(), 5);
    EXPECT_TRUE(rows[0][2]->GetRect().IsRectEmpty());
    EXPECT_EQ(groups[1]->GetRect().top, grid.GetListRect().top);
    rows[1][0]->Show(FALSE);
    EXPECT_EQ(rows[1][1]->GetRect().top, grid.GetListRect().top + grid.GetRowHeight());
    Key(VK_HOME);
    Key(VK_DOWN);
    EXPECT_EQ(grid.GetCurSel(), rows[1][1]);
}

TEST_F(NavigationTest, TheDividerDragsWithinItsLimits) {
    const int y = rows[0][0]->GetRect().CenterPoint().y;
    const int divider = grid.GetListRect().left + grid.GetLeftColumnWidth();
    MouseDown(grid, CPoint(divider, y));
    MouseMove(grid, CPoint(100, y));
    EXPECT_EQ(grid.GetLeftColumnWidth(), 100);
    MouseMove(grid, CPoint(2, y));
    EXPECT_EQ(grid.GetLeftColumnWidth(), grid.GetRowHeight());
    MouseMove(grid, CPoint(299, y));
    EXPECT_EQ(grid.GetLeftColumnWidth(),
              grid.GetListRect().Width() - GetSystemMetrics(SM_CXHSCROLL) - 5);
    MouseUp(grid, CPoint(299, y));
    MouseMove(grid, CPoint(60, y));  // released: no more dragging
    EXPECT_EQ(grid.GetLeftColumnWidth(),
              grid.GetListRect().Width() - GetSystemMetrics(SM_CXHSCROLL) - 5);

    // The header's divider drags too; a double click puts it back in the middle.
    const int header = grid.GetHeaderHeight() / 2;
    MouseDown(grid, CPoint(grid.GetLeftColumnWidth(), header));
    MouseMove(grid, CPoint(120, header));
    MouseUp(grid, CPoint(120, header));
    EXPECT_EQ(grid.GetLeftColumnWidth(), 120);
    DoubleClick(grid, CPoint(120, y));
    EXPECT_EQ(grid.GetLeftColumnWidth(), 150);
}

TEST_F(NavigationTest, ClicksWhereThereIsNoRowSelectNothing) {
    Click(grid, NameOf(last));
    EXPECT_EQ(grid.GetCurSel(), last);
    Click(grid, CPoint(50, 290));  // below the last row
    EXPECT_EQ(grid.GetCurSel(), nullptr);
    Click(grid, CPoint(50, grid.GetHeaderHeight() / 2));  // the header
    EXPECT_EQ(grid.GetCurSel(), nullptr);
    EXPECT_EQ(grid.HitTest(CPoint(50, 290)), nullptr);
    EXPECT_EQ(grid.HitTest(CPoint(-5, 30)), nullptr);
}

TEST_F(NavigationTest, TheDescriptionAreaTakesItsRowsFromTheBottom) {
    grid.EnableDescriptionArea();
    const int rowHeight = grid.GetRowHeight();
    EXPECT_EQ(grid.GetDescriptionHeight(), rowHeight * 3 + rowHeight / 2);
    EXPECT_EQ(grid.GetListRect().bottom, 300 - grid.GetDescriptionHeight());
    grid.SetDescriptionRows(100);  // more than fits: the list keeps one row
    EXPECT_EQ(grid.GetDescriptionHeight(), 300 - rowHeight);
}

class EmptyGridTest : public GridTest {};

TEST_F(EmptyGridTest, TakesClicksKeysAndPaints) {
    grid.SetFocus();
    Click(grid, CPoint(100, 100));
    Key(VK_DOWN);
    Key(VK_END);
    Key(VK_RETURN);
    Type("a");
    Wheel(grid, CPoint(100, 100), -WHEEL_DELTA);
    EXPECT_EQ(grid.GetCurSel(), nullptr);
    EXPECT_EQ(grid.GetTotalRowCount(), 0);
    EXPECT_TRUE(grid.GetScrollBarRect().IsRectEmpty());
    grid.RemoveAll();
    grid.ExpandAll();
    grid.Invalidate();
    plat::PumpMessages();
}

// ---- Many rows ---------------------------------------------------------------------------

class ManyRowsTest : public GridTest {
protected:
    static constexpr int kRows = 10000;

    void SetUp() override {
        GridTest::SetUp();
        for (int i = 0; i < kRows; ++i) {
            grid.AddProperty(
                new CountingProperty("Row", COleVariant(static_cast<long>(i)), nullptr, i), FALSE,
                FALSE);
        }
        grid.AdjustLayout();
        grid.SetFocus();
        plat::PumpMessages();
    }

    int DrawsOfAFullPaint() {
        CountingProperty::valueDraws = 0;
        grid.Invalidate();
        plat::PumpMessages();
        return CountingProperty::valueDraws;
    }

    int FirstShownData() {
        return static_cast<int>(grid.HitTest(CPoint(50, grid.GetListRect().top + 1))->GetData());
    }
};

TEST_F(ManyRowsTest, APaintDrawsOnlyTheRowsThatShow) {
    const int page = grid.GetVisibleRowCount();
    ASSERT_GT(page, 5);
    EXPECT_FALSE(grid.GetScrollBarRect().IsRectEmpty());
    EXPECT_LE(DrawsOfAFullPaint(), page + 1);
    EXPECT_GE(DrawsOfAFullPaint(), page);

    const auto start = std::chrono::steady_clock::now();
    Key(VK_END);
    EXPECT_EQ(static_cast<int>(grid.GetCurSel()->GetData()), kRows - 1);
    EXPECT_EQ(grid.GetScrollPos(), kRows - page);
    EXPECT_LE(DrawsOfAFullPaint(), page + 1);
    EXPECT_EQ(FirstShownData(), kRows - page);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::seconds(2));
}

TEST_F(ManyRowsTest, TheWheelTheArrowsAndTheTrackScroll) {
    const CRect bar = grid.GetScrollBarRect();
    Wheel(grid, CPoint(50, 100), -WHEEL_DELTA);
    EXPECT_EQ(grid.GetScrollPos(), 3);
    Wheel(grid, CPoint(50, 100), WHEEL_DELTA * 2);
    EXPECT_EQ(grid.GetScrollPos(), 0);
    Click(grid, CPoint(bar.CenterPoint().x, bar.bottom - 3));  // the down arrow
    EXPECT_EQ(grid.GetScrollPos(), 1);
    Click(grid, CPoint(bar.CenterPoint().x, bar.top + 3));  // the up arrow
    EXPECT_EQ(grid.GetScrollPos(), 0);
    Click(grid, CPoint(bar.CenterPoint().x, bar.bottom - bar.Width() - 3));  // the track
    EXPECT_EQ(grid.GetScrollPos(), grid.GetVisibleRowCount());
}

TEST_F(ManyRowsTest, AHeldArrowRepeats) {
    const CRect bar = grid.GetScrollBarRect();
    MouseDown(grid, CPoint(bar.CenterPoint().x, bar.bottom - 3));
    EXPECT_EQ(grid.GetScrollPos(), 1);
    plat::RunMessagesFor(400 + 5 * 100);
    const int held = grid.GetScrollPos();
    EXPECT_GE(held, 5);
    MouseUp(grid, CPoint(bar.CenterPoint().x, bar.bottom - 3));
    plat::RunMessagesFor(1000);
    EXPECT_EQ(grid.GetScrollPos(), held);
}

TEST_F(ManyRowsTest, DraggingTheThumbScrollsToTheEnd) {
    const CRect bar = grid.GetScrollBarRect();
    const int x = bar.CenterPoint().x;
    const int thumbTop = bar.top + bar.Width();  // the thumb starts under the up arrow
    MouseDown(grid, CPoint(x, thumbTop + 2));
    MouseMove(grid, CPoint(x, bar.CenterPoint().y));
    const int middle = grid.GetScrollPos();
    EXPECT_GT(middle, kRows / 3);
    EXPECT_LT(middle, kRows * 2 / 3);
    MouseMove(grid, CPoint(x, bar.bottom + 50));  // past the end
    EXPECT_EQ(grid.GetScrollPos(), kRows - grid.GetVisibleRowCount());
    MouseUp(grid, CPoint(x, bar.bottom + 50));
    EXPECT_EQ(FirstShownData(), kRows - grid.GetVisibleRowCount());
    EXPECT_LE(DrawsOfAFullPaint(), grid.GetVisibleRowCount() + 1);
}

TEST_F(ManyRowsTest, PageKeysScrollTheSelectionIntoView) {
    Key(VK_HOME);
    Key(VK_NEXT);
    const int page = grid.GetVisibleRowCount();
    EXPECT_EQ(static_cast<int>(grid.GetCurSel()->GetData()), page - 1);
    Key(VK_NEXT);
    EXPECT_EQ(static_cast<int>(grid.GetCurSel()->GetData()), 2 * (page - 1));
    EXPECT_EQ(grid.GetScrollPos(), 2 * (page - 1) - page + 1);
    Key(VK_PRIOR);
    Key(VK_PRIOR);
    EXPECT_EQ(grid.GetScrollPos(), 0);
}

TEST_F(ManyRowsTest, ScrollingStoresAnOpenEdit) {
    CMFCPropertyGridProperty* first = grid.GetProperty(0);
    Click(grid, ValueOf(first));
    ASSERT_TRUE(first->IsInPlaceEditing());
    Key(VK_END);
    Type("77");
    Wheel(grid, CPoint(50, 100), -WHEEL_DELTA);
    EXPECT_FALSE(first->IsInPlaceEditing());
    EXPECT_EQ(first->GetValue().lVal, 77);
    EXPECT_EQ(grid.GetScrollPos(), 3);
}

}  // namespace
}  // namespace pg
