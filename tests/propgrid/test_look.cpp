// The grid's pixels: selection, custom colours, the flat look, bold modified values,
// expand boxes, the header, the description area, disabled rows and the buttons.

#include "PropGridTestSupport.h"

namespace pg {
namespace {

class LookTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        group = new CMFCPropertyGridProperty("Group", 0);
        value = new CMFCPropertyGridProperty("Value", COleVariant("WWW 888"), "Its description");
        group->AddSubItem(value);
        grid.AddProperty(group);
        plat::PumpMessages();
    }

    int Separator() const { return grid.GetListRect().left + grid.GetLeftColumnWidth(); }
    // The value's text area (clear of the row line and the column line).
    CRect ValueCell(const CMFCPropertyGridProperty* prop) const {
        const CRect row = prop->GetRect();
        return CRect(Separator() + 2, row.top, row.right, row.bottom - 1);
    }
    // The name's cell right of the indent.
    CRect NameCell(const CMFCPropertyGridProperty* prop) const {
        const CRect row = prop->GetRect();
        const int left = row.left + (prop->GetHierarchyLevel() + 1) * grid.GetRowHeight();
        return CRect(left, row.top, Separator(), row.bottom - 1);
    }

    CMFCPropertyGridProperty* group = nullptr;
    CMFCPropertyGridProperty* value = nullptr;
};

TEST_F(LookTest, TheSelectedNameIsHighlightedWhileTheGridHasTheFocus) {
    Click(grid, NameOf(value));
    const CRect name = NameCell(value);
    const CPoint clear(name.right - 3, name.top + 2);  // right of the short name's text
    EXPECT_EQ(Picture(grid).At(clear), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(Picture(grid).At(ValueCell(value).CenterPoint().x + 60, name.top + 2),
              GetSysColor(COLOR_WINDOW));  // the value is not highlighted

    owner.SetFocus();
    EXPECT_EQ(Picture(grid).At(clear), GetSysColor(COLOR_BTNFACE));
    grid.SetFocus();
    EXPECT_EQ(Picture(grid).At(clear), GetSysColor(COLOR_HIGHLIGHT));

    // An open editor keeps the grid focused.
    Click(grid, ValueOf(value));
    ASSERT_TRUE(value->IsInPlaceEditing());
    EXPECT_EQ(Picture(grid).At(clear), GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(LookTest, CustomColoursPaintTheRows) {
    const COLORREF back = RGB(204, 255, 204);
    const COLORREF text = RGB(0, 0, 0);
    const COLORREF groupBack = RGB(0, 128, 0);
    const COLORREF groupText = RGB(128, 255, 128);
    const COLORREF line = RGB(255, 0, 255);
    grid.SetCustomColors(back, text, groupBack, groupText, RGB(1, 2, 3), RGB(4, 5, 6), line);
    grid.Invalidate();
    COLORREF got[7];
    grid.GetCustomColors(got[0], got[1], got[2], got[3], got[4], got[5], got[6]);
    EXPECT_EQ(got[2], groupBack);
    EXPECT_EQ(got[6], line);

    const Picture picture(grid);
    const CRect groupRow = group->GetRect();
    const CRect valueRow = value->GetRect();
    EXPECT_EQ(picture.At(groupRow.right - 5, groupRow.top + 2), groupBack);
    EXPECT_GT(picture.CountOf(NameCell(group), groupText), 0);  // the group's name
    EXPECT_EQ(picture.At(valueRow.right - 5, valueRow.top + 2), back);
    EXPECT_EQ(picture.At(valueRow.right - 5, valueRow.bottom - 1), line);  // under the row
    EXPECT_EQ(picture.At(Separator(), valueRow.top + 3), line);            // between the columns
    EXPECT_EQ(picture.At(100, 250), back);                                 // below the rows
    // The indent margin of a value row takes the group colour.
    EXPECT_EQ(picture.At(valueRow.left + 2, valueRow.top + 2), groupBack);

    grid.SetCustomColors(CLR_INVALID, CLR_INVALID, CLR_INVALID, CLR_INVALID, CLR_INVALID,
                         CLR_INVALID, CLR_INVALID);
    grid.Invalidate();
    const Picture plain(grid);
    EXPECT_EQ(plain.At(groupRow.right - 5, groupRow.top + 2), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(plain.At(valueRow.right - 5, valueRow.bottom - 1), GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(LookTest, TheFlatLookFillsGroupsAndDrawsLinesInTheirColour) {
    grid.SetVSDotNetLook();
    EXPECT_TRUE(grid.IsVSDotNetLook());
    const Picture picture(grid);
    const CRect groupRow = group->GetRect();
    const CRect valueRow = value->GetRect();
    EXPECT_EQ(picture.At(groupRow.right - 5, groupRow.top + 2), GetSysColor(COLOR_3DFACE));
    EXPECT_EQ(picture.At(valueRow.right - 5, valueRow.bottom - 1), GetSysColor(COLOR_3DFACE));
    EXPECT_EQ(picture.At(valueRow.left + 2, valueRow.top + 2), GetSysColor(COLOR_3DFACE));
}

TEST_F(LookTest, ModifiedValuesAreBoldWhenMarked) {
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const int normalInk = Picture(grid).CountOtherThan(ValueCell(value), window);
    ASSERT_GT(normalInk, 0);
    value->SetValue(COleVariant("WWW 888"));
    grid.MarkModifiedProperties();
    value->SetValue(COleVariant("WWW 889"));
    value->SetValue(COleVariant("WWW 888"));
    grid.OnPropertyChanged(value);  // unchanged from the original: not modified
    EXPECT_FALSE(value->IsModified());
    EXPECT_EQ(Picture(grid).CountOtherThan(ValueCell(value), window), normalInk);

    Click(grid, ValueOf(value));
    Key(VK_END);
    Key(VK_BACK);
    Type("8");  // the same text, retyped: nothing changes
    Key(VK_RETURN);
    EXPECT_FALSE(value->IsModified());
    Click(grid, ValueOf(value));
    Key(VK_END);
    Key(VK_BACK);
    Type("9");
    Key(VK_RETURN);
    ASSERT_TRUE(value->IsModified());
    const int boldInk = Picture(grid).CountOtherThan(ValueCell(value), window);
    EXPECT_GT(boldInk, normalInk + normalInk / 10);

    grid.MarkModifiedProperties(FALSE);
    const int unmarkedInk = Picture(grid).CountOtherThan(ValueCell(value), window);
    EXPECT_LT(unmarkedInk, boldInk);
}

TEST_F(LookTest, TheExpandBoxShowsMinusOrPlus) {
    const int rowHeight = grid.GetRowHeight();
    const CRect groupRow = group->GetRect();
    const CRect box = plat::style::ExpandBoxRect(
        CRect(groupRow.left, groupRow.top, groupRow.left + rowHeight, groupRow.bottom));
    const CPoint centre(box.left + box.Width() / 2, box.top + box.Height() / 2);
    const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF frame = GetSysColor(COLOR_BTNSHADOW);
    const Picture expanded(grid);
    EXPECT_EQ(expanded.At(box.left, centre.y), frame);
    EXPECT_EQ(expanded.At(centre), ink);
    EXPECT_EQ(expanded.At(centre.x - 2, centre.y), ink);
    EXPECT_NE(expanded.At(centre.x, centre.y - 2), ink);  // no vertical stroke: minus

    group->Expand(FALSE);
    const Picture collapsed(grid);
    EXPECT_EQ(collapsed.At(centre.x, centre.y - 2), ink);
    EXPECT_EQ(collapsed.At(centre.x, centre.y + 2), ink);
}

TEST_F(LookTest, TheHeaderShowsItsCaptionsWhenOn) {
    const CRect left(4, 2, Separator() - 4, grid.GetHeaderHeight() - 2);
    const CRect right(Separator() + 4, 2, 290, grid.GetHeaderHeight() - 2);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const Picture on(grid);
    EXPECT_GT(on.CountOtherThan(left, face), 10);
    EXPECT_GT(on.CountOtherThan(right, face), 10);
    EXPECT_EQ(on.At(Separator() + 20, grid.GetHeaderHeight() / 2 + 5), face);

    grid.EnableHeaderCtrl(FALSE);
    const Picture off(grid);
    EXPECT_EQ(off.CountOf(CRect(0, 0, 300, 2), face), 0);
}

TEST_F(LookTest, TheDescriptionAreaShowsTheSelectedRow) {
    grid.EnableDescriptionArea();
    CRect area = grid.GetDescriptionRect();
    area.DeflateRect(2, 2);
    const COLORREF face = GetSysColor(COLOR_3DFACE);
    EXPECT_EQ(Picture(grid).CountOtherThan(area, face), 0);  // nothing selected
    Click(grid, NameOf(value));
    const Picture picture(grid);
    const int nameInk = picture.CountOtherThan(
        CRect(area.left, area.top, area.right, area.top + grid.GetRowHeight()), face);
    const int textInk = picture.CountOtherThan(
        CRect(area.left, area.top + grid.GetRowHeight() + 1, area.right, area.bottom), face);
    EXPECT_GT(nameInk, 0);
    EXPECT_GT(textInk, 0);
}

TEST_F(LookTest, DisabledRowsAreGrey) {
    value->Enable(FALSE);
    const Picture picture(grid);
    EXPECT_GT(picture.CountOf(ValueCell(value), GetSysColor(COLOR_GRAYTEXT)), 0);
    EXPECT_EQ(picture.CountOf(ValueCell(value), RGB(0, 0, 0)), 0);
    EXPECT_EQ(picture.CountOf(NameCell(value), RGB(0, 0, 0)), 0);
}

TEST_F(LookTest, TheSelectedRowShowsItsButton) {
    auto* pick = new CMFCPropertyGridProperty("Pick", COleVariant("one"));
    pick->AddOption("one");
    pick->AddOption("two");
    grid.AddProperty(pick);
    const CRect row = pick->GetRect();
    const CRect button(row.right - grid.GetRowHeight() + 5, row.top + 3, row.right - 2,
                       row.bottom - 3);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(Picture(grid).CountOf(button, face), 0);
    Click(grid, NameOf(pick));
    const Picture selected(grid);
    EXPECT_GT(selected.CountOf(button, face), 0);
    EXPECT_GT(selected.CountOf(button, GetSysColor(COLOR_BTNTEXT)), 3);  // the arrow
}

}  // namespace
}  // namespace pg
