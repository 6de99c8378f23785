// The edit lifecycle through injected input: opening, storing, cancelling, refusing,
// leaving; option lists, spins, masks, Tab; rows that go while their editor is open.

#include "PropGridTestSupport.h"
#include "platform/controls/CMFCMaskedEdit.h"

namespace pg {
namespace {

class EditTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        count = AddRow("Count", COleVariant(5L), 1);
        name = AddRow("Name", COleVariant("Alpha"), 2);
    }

    // Replaces the editor's whole text as a user would: select all, then type.
    void Retype(const char* text) {
        Key(VK_HOME);
        ShiftKey(VK_END);
        Type(text);
    }

    CMFCPropertyGridProperty* count = nullptr;
    CMFCPropertyGridProperty* name = nullptr;
};

TEST_F(EditTest, ClickOnValueOpensTheEditorWithTheText) {
    Click(grid, ValueOf(count));
    CWnd* editor = RowAccess::InPlace(count);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(count->IsInPlaceEditing());
    EXPECT_EQ(grid.GetCurSel(), count);
    EXPECT_EQ(CWnd::GetFocus(), editor);
    EXPECT_EQ(Text(editor), "5");
    EXPECT_TRUE(editor->IsKindOf(RuntimeClass<CEdit>()));
    EXPECT_FALSE(editor->GetStyle() & ES_READONLY);
    // It covers the value column of the row.
    CRect rect;
    editor->GetWindowRect(&rect);
    grid.ScreenToClient(&rect);
    EXPECT_GT(rect.left, grid.GetListRect().left + grid.GetLeftColumnWidth());
    EXPECT_GE(rect.top, count->GetRect().top);
    EXPECT_LE(rect.bottom, count->GetRect().bottom);
}

TEST_F(EditTest, TypedTextAndEnterStoreTheValueAndTellTheOwner) {
    Click(grid, ValueOf(count));
    Retype("42");
    EXPECT_TRUE(owner.changes.empty());  // nothing is stored while typing
    Key(VK_RETURN);
    EXPECT_EQ(count->GetValue().lVal, 42);
    EXPECT_FALSE(count->IsInPlaceEditing());
    EXPECT_EQ(RowAccess::InPlace(count), nullptr);
    EXPECT_EQ(CWnd::GetFocus(), &grid);
    ASSERT_EQ(owner.changes.size(), 1u);
    EXPECT_EQ(owner.changes[0].id, kGridId);
    EXPECT_EQ(owner.changes[0].prop, count);
    EXPECT_TRUE(count->IsModified());
}

TEST_F(EditTest, UnchangedTextTellsNobody) {
    Click(grid, ValueOf(name));
    Key(VK_RETURN);
    EXPECT_FALSE(name->IsInPlaceEditing());
    EXPECT_TRUE(owner.changes.empty());
    EXPECT_FALSE(name->IsModified());
}

TEST_F(EditTest, EscapeThrowsTheTextAway) {
    Click(grid, ValueOf(name));
    Retype("Beta");
    Key(VK_ESCAPE);
    EXPECT_EQ(VariantText(name->GetValue()), "Alpha");
    EXPECT_FALSE(name->IsInPlaceEditing());
    EXPECT_TRUE(owner.changes.empty());
    EXPECT_EQ(CWnd::GetFocus(), &grid);
}

TEST_F(EditTest, TextThatDoesNotParseBeepsAndKeepsTheEditor) {
    Click(grid, ValueOf(count));
    Retype("many");
    const BeepCounter beeps;
    Key(VK_RETURN);
    EXPECT_EQ(beeps(), 1);
    EXPECT_TRUE(count->IsInPlaceEditing());
    EXPECT_EQ(Text(RowAccess::InPlace(count)), "many");
    EXPECT_EQ(CWnd::GetFocus(), RowAccess::InPlace(count));
    EXPECT_EQ(count->GetValue().lVal, 5);
    EXPECT_TRUE(owner.changes.empty());

    // Another row cannot be chosen while the text is refused.
    Click(grid, NameOf(name));
    EXPECT_EQ(beeps(), 2);
    EXPECT_EQ(grid.GetCurSel(), count);
    EXPECT_TRUE(count->IsInPlaceEditing());

    Retype("7");
    Click(grid, NameOf(name));
    EXPECT_EQ(grid.GetCurSel(), name);
    EXPECT_EQ(count->GetValue().lVal, 7);
    EXPECT_EQ(owner.changes.size(), 1u);
}

TEST_F(EditTest, ADisabledRowOpensNothing) {
    count->Enable(FALSE);
    Click(grid, ValueOf(count));
    EXPECT_EQ(grid.GetCurSel(), count);
    EXPECT_FALSE(count->IsInPlaceEditing());
    EXPECT_EQ(RowAccess::InPlace(count), nullptr);
    Key(VK_RETURN);
    Type("9");
    EXPECT_FALSE(count->IsInPlaceEditing());
    EXPECT_EQ(count->GetValue().lVal, 5);
}

TEST_F(EditTest, LeavingTheGridStoresTheText) {
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, nullptr, "other", WS_POPUP | WS_VISIBLE,
                               CRect(700, 100, 800, 200), nullptr, 0));
    Click(grid, ValueOf(name));
    Retype("Gamma");
    other.SetFocus();
    plat::PumpMessages();
    EXPECT_EQ(VariantText(name->GetValue()), "Gamma");
    EXPECT_FALSE(name->IsInPlaceEditing());
    EXPECT_EQ(owner.changes.size(), 1u);
    EXPECT_EQ(CWnd::GetFocus(), &other);
}

TEST_F(EditTest, LeavingWithRefusedTextKeepsItForCorrection) {
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, nullptr, "other", WS_POPUP | WS_VISIBLE,
                               CRect(700, 100, 800, 200), nullptr, 0));
    Click(grid, ValueOf(count));
    Retype("x");
    const BeepCounter beeps;
    other.SetFocus();
    plat::PumpMessages();
    EXPECT_EQ(beeps(), 1);
    EXPECT_TRUE(count->IsInPlaceEditing());
    EXPECT_EQ(Text(RowAccess::InPlace(count)), "x");
    EXPECT_EQ(CWnd::GetFocus(), &other);  // the focus is not pulled back
}

TEST_F(EditTest, ARowDeletedWhileEditingTakesItsEditorWithIt) {
    Click(grid, ValueOf(name));
    Retype("Delta");
    CWnd* editor = RowAccess::InPlace(name);
    ASSERT_NE(editor, nullptr);
    const HWND editorHandle = editor->GetSafeHwnd();
    CMFCPropertyGridProperty* doomed = name;
    EXPECT_TRUE(grid.DeleteProperty(doomed));
    EXPECT_EQ(doomed, nullptr);
    plat::PumpMessages();
    EXPECT_FALSE(IsWindow(editorHandle));
    EXPECT_EQ(grid.GetCurSel(), nullptr);
    EXPECT_EQ(grid.GetPropertyCount(), 1);
    EXPECT_TRUE(owner.changes.empty());  // discarded, not stored
    Key(VK_RETURN);
    Type("x");
    EXPECT_FALSE(grid.DeleteProperty(doomed));
}

TEST_F(EditTest, TheOwnerMayDeleteTheRowWhenToldOfItsChange) {
    owner.onChanged = [this](CMFCPropertyGridProperty* prop) {
        CMFCPropertyGridProperty* row = prop;
        grid.DeleteProperty(row);
    };
    Click(grid, ValueOf(count));
    Retype("8");
    Key(VK_RETURN);
    EXPECT_EQ(owner.changes.size(), 1u);
    EXPECT_EQ(grid.GetPropertyCount(), 1);
    EXPECT_EQ(grid.GetProperty(0), name);
    EXPECT_EQ(grid.GetCurSel(), nullptr);
}

TEST_F(EditTest, TabStoresAndOpensTheNextRow) {
    auto* group = new CMFCPropertyGridProperty("Group", 0);
    auto* inner = new CMFCPropertyGridProperty("Inner", COleVariant(1.5));
    group->AddSubItem(inner);
    grid.AddProperty(group);
    Click(grid, ValueOf(count));
    Retype("6");
    Key(VK_TAB);
    EXPECT_EQ(count->GetValue().lVal, 6);
    EXPECT_EQ(grid.GetCurSel(), name);
    EXPECT_TRUE(name->IsInPlaceEditing());
    Key(VK_TAB);  // the group is passed over
    EXPECT_EQ(grid.GetCurSel(), inner);
    EXPECT_TRUE(inner->IsInPlaceEditing());
    ShiftKey(VK_TAB);
    ShiftKey(VK_TAB);
    EXPECT_EQ(grid.GetCurSel(), count);
    EXPECT_TRUE(count->IsInPlaceEditing());
}

TEST_F(EditTest, TypingOnASelectedRowStartsTheEditWithTheCharacter) {
    Click(grid, NameOf(count));
    EXPECT_FALSE(count->IsInPlaceEditing());
    Type("31");
    EXPECT_TRUE(count->IsInPlaceEditing());
    EXPECT_EQ(Text(RowAccess::InPlace(count)), "31");
    Key(VK_RETURN);
    EXPECT_EQ(count->GetValue().lVal, 31);
}

TEST_F(EditTest, EnterOnASelectedRowOpensItsEditor) {
    Click(grid, NameOf(name));
    Key(VK_RETURN);
    EXPECT_TRUE(name->IsInPlaceEditing());
    EXPECT_EQ(Text(RowAccess::InPlace(name)), "Alpha");
}

TEST_F(EditTest, AMaskMakesTheEditorAMaskedEdit) {
    auto* code = new CMFCPropertyGridProperty("Code", COleVariant("12-34"), nullptr, 0, "DD-DD",
                                              "__-__", nullptr);
    grid.AddProperty(code);
    plat::PumpMessages();
    Click(grid, ValueOf(code));
    CWnd* editor = RowAccess::InPlace(code);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->IsKindOf(RuntimeClass<CMFCMaskedEdit>()));
    EXPECT_EQ(Text(editor), "12-34");  // literals included
    Key(VK_HOME);                      // to the start of the group the click put the caret in
    const BeepCounter beeps;
    Type("x");  // not a digit
    EXPECT_EQ(beeps(), 1);
    Type("98");
    Key(VK_RETURN);
    EXPECT_EQ(VariantText(code->GetValue()), "12-98");
}

// ---- Option rows -------------------------------------------------------------------------

class OptionTest : public EditTest {
protected:
    void SetUp() override {
        EditTest::SetUp();
        mode = new CMFCPropertyGridProperty("Mode", COleVariant("Tonnes"));
        mode->AddOption("Tonnes");
        mode->AddOption("KIPS");
        mode->AddOption("Kilo Newtons");
        mode->AllowEdit(FALSE);
        grid.AddProperty(mode);
        plat::PumpMessages();
    }

    // The middle of the row's drop button (shown while the row is selected).
    CPoint ButtonOf(const CMFCPropertyGridProperty* prop) const {
        const CRect row = prop->GetRect();
        return CPoint(row.right - grid.GetRowHeight() / 2 + 1, row.CenterPoint().y);
    }

    CMFCPropertyGridProperty* mode = nullptr;
};

TEST_F(OptionTest, TheDropDownPicksAValue) {
    Click(grid, NameOf(mode));
    Click(grid, ButtonOf(mode));
    CComboBox* combo = RowAccess::Combo(mode);
    ASSERT_NE(combo, nullptr);
    EXPECT_TRUE(combo->GetDroppedState());
    EXPECT_EQ(combo->GetCount(), 3);
    EXPECT_EQ((combo->GetStyle() & 0x3), CBS_DROPDOWNLIST);
    EXPECT_TRUE(RowAccess::InPlace(mode)->GetStyle() & ES_READONLY);

    // The list opens under the row; its second item is "KIPS".
    CWnd* list = TopPopup();
    ASSERT_NE(list, nullptr);
    CRect listRect;
    list->GetWindowRect(&listRect);
    CRect row = mode->GetRect();
    grid.ClientToScreen(&row);
    EXPECT_GE(listRect.top, row.bottom - 1);
    const int itemHeight = combo->GetItemHeight(0);
    Click(*list, CPoint(10, itemHeight + itemHeight / 2));
    EXPECT_FALSE(combo->GetDroppedState());
    EXPECT_EQ(VariantText(mode->GetValue()), "KIPS");
    ASSERT_EQ(owner.changes.size(), 1u);
    EXPECT_EQ(owner.changes[0].prop, mode);
    EXPECT_TRUE(mode->IsInPlaceEditing());
    EXPECT_EQ(CWnd::GetFocus(), RowAccess::InPlace(mode));
}

TEST_F(OptionTest, ArrowKeysCycleTheOptions) {
    Click(grid, ValueOf(mode));
    ASSERT_TRUE(mode->IsInPlaceEditing());
    Key(VK_DOWN);
    EXPECT_EQ(VariantText(mode->GetValue()), "KIPS");
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(VariantText(mode->GetValue()), "Tonnes");
    Key(VK_UP);
    EXPECT_EQ(VariantText(mode->GetValue()), "Kilo Newtons");
    EXPECT_EQ(owner.changes.size(), 4u);
}

TEST_F(OptionTest, F4OpensTheListAndEscapeClosesIt) {
    Click(grid, NameOf(mode));
    Key(VK_F4);
    CComboBox* combo = RowAccess::Combo(mode);
    ASSERT_NE(combo, nullptr);
    EXPECT_TRUE(combo->GetDroppedState());
    Key(VK_ESCAPE);
    EXPECT_FALSE(combo->GetDroppedState());
    EXPECT_EQ(VariantText(mode->GetValue()), "Tonnes");
    EXPECT_TRUE(owner.changes.empty());
}

TEST_F(OptionTest, ACharacterPicksTheOptionStartingWithIt) {
    Click(grid, NameOf(mode));
    Type("k");
    EXPECT_EQ(VariantText(mode->GetValue()), "KIPS");
    Key(VK_ESCAPE);
    Type("k");
    EXPECT_EQ(VariantText(mode->GetValue()), "Kilo Newtons");
}

TEST_F(OptionTest, AnEditableListTakesTypingToo) {
    mode->AllowEdit(TRUE);
    Click(grid, ValueOf(mode));
    ASSERT_NE(RowAccess::Combo(mode), nullptr);
    EXPECT_EQ((RowAccess::Combo(mode)->GetStyle() & 0x3), CBS_DROPDOWN);
    EXPECT_FALSE(RowAccess::InPlace(mode)->GetStyle() & ES_READONLY);
    Retype("Pounds");
    Key(VK_RETURN);
    EXPECT_EQ(VariantText(mode->GetValue()), "Pounds");
}

TEST_F(OptionTest, BooleansDropDownTheGridsLabels) {
    grid.SetBoolLabels("On", "Off");
    auto* flag = new CMFCPropertyGridProperty(
        "Flag", COleVariant(static_cast<short>(VARIANT_FALSE), VT_BOOL));
    grid.AddProperty(flag);
    plat::PumpMessages();
    Click(grid, NameOf(flag));
    Click(grid, ButtonOf(flag));
    CComboBox* combo = RowAccess::Combo(flag);
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->GetCount(), 2);
    CString first;
    combo->GetLBText(0, first);
    EXPECT_EQ(first, "On");
    CWnd* list = TopPopup();
    Click(*list, CPoint(10, combo->GetItemHeight(0) / 2));
    EXPECT_EQ(flag->GetValue().boolVal, VARIANT_TRUE);
    EXPECT_EQ(flag->FormatProperty(), "On");
}

TEST_F(EditTest, TheSpinStepsWithinItsRange) {
    count->EnableSpinControl(TRUE, 0, 7);
    Click(grid, ValueOf(count));
    CSpinButtonCtrl* spin = RowAccess::Spin(count);
    ASSERT_NE(spin, nullptr);
    CRect spinRect;
    spin->GetClientRect(&spinRect);
    const CPoint up(spinRect.Width() / 2, spinRect.Height() / 4);
    const CPoint down(spinRect.Width() / 2, spinRect.Height() * 3 / 4);
    for (int i = 0; i < 4; ++i) {
        Click(*spin, up);
    }
    EXPECT_EQ(Text(RowAccess::InPlace(count)), "7");
    Click(*spin, down);
    EXPECT_EQ(Text(RowAccess::InPlace(count)), "6");
    RowAccess::InPlace(count)->SetFocus();
    Key(VK_RETURN);
    EXPECT_EQ(count->GetValue().lVal, 6);
    EXPECT_EQ(owner.changes.size(), 1u);
}

TEST_F(EditTest, ADoubleClickInAnOptionEditorCyclesTheOptions) {
    auto* flag = new CMFCPropertyGridProperty(
        "Flag", COleVariant(static_cast<short>(VARIANT_FALSE), VT_BOOL));
    grid.AddProperty(flag);
    plat::PumpMessages();
    Click(grid, ValueOf(flag));
    CWnd* editor = RowAccess::InPlace(flag);
    ASSERT_NE(editor, nullptr);
    DoubleClick(*editor, CPoint(5, 5));
    EXPECT_EQ(flag->GetValue().boolVal, VARIANT_TRUE);
}

// A row with a "..." button whose click changes the value, as a dialog would.
class ButtonProperty : public CMFCPropertyGridProperty {
public:
    ButtonProperty() : CMFCPropertyGridProperty("File", COleVariant("a.txt")) {
        m_dwFlags |= AFX_PROP_HAS_BUTTON;
        AllowEdit(FALSE);
    }
    int clicks = 0;
    CString answer = "b.txt";

    void OnClickButton(CPoint) override {
        ++clicks;
        m_varValue = COleVariant(answer);
    }
};

TEST_F(EditTest, AButtonThatChangesTheValueIsToldToTheOwner) {
    auto* file = new ButtonProperty;
    grid.AddProperty(file);
    plat::PumpMessages();
    Click(grid, NameOf(file));
    const CRect row = file->GetRect();
    const CRect button(row.right - grid.GetRowHeight() + 3, row.top + 1, row.right, row.bottom - 1);
    const Picture picture(grid);
    EXPECT_GT(picture.CountOf(button, GetSysColor(COLOR_BTNFACE)), 0);
    EXPECT_GE(picture.CountOf(button, GetSysColor(COLOR_BTNTEXT)), 3 * 4);  // the three dots

    Click(grid, button.CenterPoint());
    EXPECT_EQ(file->clicks, 1);
    EXPECT_EQ(VariantText(file->GetValue()), "b.txt");
    ASSERT_EQ(owner.changes.size(), 1u);
    EXPECT_EQ(owner.changes[0].prop, file);

    Key(VK_F4);  // the same button from the keyboard; the answer is the value it has
    EXPECT_EQ(file->clicks, 2);
    EXPECT_EQ(owner.changes.size(), 1u);
}

TEST_F(EditTest, AValueListIsEditedAsOneText) {
    auto* size = new CMFCPropertyGridProperty("Size", 0, TRUE);
    auto* width = new CMFCPropertyGridProperty("Width", COleVariant(3L));
    auto* height = new CMFCPropertyGridProperty("Height", COleVariant(4L));
    size->AddSubItem(width);
    size->AddSubItem(height);
    grid.AddProperty(size);
    plat::PumpMessages();
    EXPECT_TRUE(width->GetRect().IsRectEmpty());  // folded into the list's row
    Click(grid, ValueOf(size));
    ASSERT_TRUE(size->IsInPlaceEditing());
    EXPECT_EQ(Text(RowAccess::InPlace(size)), "3, 4");
    Retype("30 ,40");
    Key(VK_RETURN);
    EXPECT_EQ(width->GetValue().lVal, 30);
    EXPECT_EQ(height->GetValue().lVal, 40);
    ASSERT_EQ(owner.changes.size(), 1u);
    EXPECT_EQ(owner.changes[0].prop, size);
    EXPECT_TRUE(size->IsModified());
    EXPECT_TRUE(width->IsModified());
    EXPECT_EQ(size->FormatProperty(), "30, 40");
}

}  // namespace
}  // namespace pg
