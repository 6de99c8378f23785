// A row's value as text and back, value lists, options, sub-items and the modified flag.

#include <memory>

#include "PropGridTestSupport.h"

namespace pg {
namespace {

CString Format(const COleVariant& value) {
    CMFCPropertyGridProperty row("row", value);
    return row.FormatProperty();
}

TEST(PropertyText, FormatsEachTypeAsTheFrameworkDoes) {
    EXPECT_EQ(Format(COleVariant("text \xB0")), "text \xB0");
    EXPECT_EQ(Format(COleVariant(static_cast<short>(-12))), "-12");
    EXPECT_EQ(Format(COleVariant(-70000L)), "-70000");
    EXPECT_EQ(Format(COleVariant(5L, VT_INT)), "5");
    EXPECT_EQ(Format(COleVariant(static_cast<BYTE>('A'))), "A");
    EXPECT_EQ(Format(COleVariant(static_cast<BYTE>(0))), "");
    EXPECT_EQ(Format(COleVariant(static_cast<unsigned short>(65535))), "65535");
    EXPECT_EQ(Format(COleVariant(4294967295UL)), "4294967295");
    EXPECT_EQ(Format(COleVariant(7L, VT_UINT)), "7");
    EXPECT_EQ(Format(COleVariant(1.5f)), "1.500000");
    EXPECT_EQ(Format(COleVariant(1.5)), "1.500000");
    EXPECT_EQ(Format(COleVariant(static_cast<short>(VARIANT_TRUE), VT_BOOL)), "True");
    EXPECT_EQ(Format(COleVariant(static_cast<short>(VARIANT_FALSE), VT_BOOL)), "False");
    EXPECT_EQ(Format(COleVariant()), "*** error ***");
}

TEST(PropertyText, ReadsTheLeadingNumberOfTheType) {
    CMFCPropertyGridProperty i4("i4", COleVariant(1L));
    EXPECT_TRUE(i4.TextToVar(" 12 m"));
    EXPECT_EQ(i4.GetValue().lVal, 12);
    EXPECT_TRUE(i4.TextToVar("-2147483648"));
    EXPECT_EQ(i4.GetValue().lVal, -2147483647 - 1);
    EXPECT_TRUE(i4.TextToVar("  "));
    EXPECT_EQ(i4.GetValue().lVal, 0);

    CMFCPropertyGridProperty r8("r8", COleVariant(0.0));
    EXPECT_TRUE(r8.TextToVar("2.5e3"));
    EXPECT_DOUBLE_EQ(r8.GetValue().dblVal, 2500.0);
    EXPECT_TRUE(r8.TextToVar("-0.25 ft"));
    EXPECT_DOUBLE_EQ(r8.GetValue().dblVal, -0.25);

    CMFCPropertyGridProperty r4("r4", COleVariant(0.0f));
    EXPECT_TRUE(r4.TextToVar("+3.5"));
    EXPECT_FLOAT_EQ(r4.GetValue().fltVal, 3.5f);

    CMFCPropertyGridProperty ui1("ui1", COleVariant(static_cast<BYTE>('x')));
    EXPECT_TRUE(ui1.TextToVar("Qrs"));
    EXPECT_EQ(ui1.GetValue().bVal, 'Q');
    EXPECT_TRUE(ui1.TextToVar(""));
    EXPECT_EQ(ui1.GetValue().bVal, 0);
}

TEST(PropertyText, RefusesTextThatIsNoValueOfTheType) {
    struct Case {
        COleVariant value;
        const char* text;
    };
    const Case cases[] = {
        {COleVariant(static_cast<short>(3)), "70000"},  // beyond a short
        {COleVariant(static_cast<short>(3)), "abc"},
        {COleVariant(3L), "x12"},
        {COleVariant(3L), "9999999999"},
        {COleVariant(3UL), "-1"},  // no sign for an unsigned value
        {COleVariant(static_cast<unsigned short>(3)), "65536"},
        {COleVariant(3.0), "one"},
        {COleVariant(3.0), "nan"},
        {COleVariant(3.0), "1e999"},
        {COleVariant(3.0f), "1e39"},  // beyond a float
        {COleVariant(static_cast<short>(VARIANT_TRUE), VT_BOOL), "maybe"},
    };
    for (const Case& c : cases) {
        CMFCPropertyGridProperty row("row", c.value);
        const CString before = row.FormatProperty();
        EXPECT_FALSE(row.TextToVar(c.text)) << c.text;
        EXPECT_EQ(row.FormatProperty(), before) << c.text;
    }
}

TEST(PropertyText, SetValueKeepsTheTypeAndDoesNotMarkModified) {
    CMFCPropertyGridProperty row("row", COleVariant(5L));
    row.SetValue(COleVariant("text"));
    EXPECT_EQ(row.GetValue().vt, VT_I4);
    EXPECT_EQ(row.GetValue().lVal, 5);
    row.SetValue(COleVariant(9L));
    EXPECT_EQ(row.GetValue().lVal, 9);
    EXPECT_FALSE(row.IsModified());
    EXPECT_TRUE(row.IsValueChanged());

    CMFCPropertyGridProperty empty("empty", COleVariant());
    empty.SetValue(COleVariant(1.25));
    EXPECT_EQ(empty.GetValue().vt, VT_R8);
}

TEST(PropertyText, BooleansAreDroppedDownNotTyped) {
    CMFCPropertyGridProperty row("flag", COleVariant(static_cast<short>(VARIANT_TRUE), VT_BOOL));
    EXPECT_FALSE(row.IsAllowEdit());
    EXPECT_TRUE(row.HasButton());
}

TEST(PropertyText, OptionsAreUniqueAndTurnTheListOn) {
    CMFCPropertyGridProperty row("mode", COleVariant("Tonnes"));
    EXPECT_FALSE(row.HasButton());
    EXPECT_TRUE(row.AddOption("Tonnes"));
    EXPECT_TRUE(row.AddOption("KIPS"));
    EXPECT_FALSE(row.AddOption("KIPS"));
    EXPECT_TRUE(row.AddOption("KIPS", FALSE));
    EXPECT_FALSE(row.AddOption(nullptr));
    EXPECT_EQ(row.GetOptionCount(), 3);
    EXPECT_STREQ(row.GetOption(1), "KIPS");
    EXPECT_EQ(row.GetOption(3), nullptr);
    EXPECT_TRUE(row.HasButton());
    row.RemoveAllOptions();
    EXPECT_EQ(row.GetOptionCount(), 0);
    EXPECT_FALSE(row.HasButton());
}

TEST(PropertyText, SpinIsForWholeNumbersOnly) {
    CMFCPropertyGridProperty count("count", COleVariant(3L));
    EXPECT_NO_THROW(count.EnableSpinControl(TRUE, 0, 10));
    CMFCPropertyGridProperty text("text", COleVariant("3"));
    EXPECT_THROW(text.EnableSpinControl(TRUE, 0, 10), CInvalidArgException);
    CMFCPropertyGridProperty real("real", COleVariant(3.0));
    EXPECT_THROW(real.EnableSpinControl(), CInvalidArgException);
}

TEST(PropertyTree, SubItemsBelongToOneGroup) {
    CMFCPropertyGridProperty group("group", 7);
    auto* child = new CMFCPropertyGridProperty("child", COleVariant(1L), nullptr, 8);
    CMFCPropertyGridProperty value("value", COleVariant(1L));
    const auto orphan = std::make_unique<CMFCPropertyGridProperty>("orphan", 0);
    EXPECT_FALSE(value.AddSubItem(orphan.get()));  // a value row takes no sub-items
    EXPECT_TRUE(group.AddSubItem(child));
    EXPECT_FALSE(group.AddSubItem(child));
    EXPECT_FALSE(group.AddSubItem(&group));
    EXPECT_EQ(group.GetSubItemsCount(), 1);
    EXPECT_EQ(child->GetParent(), &group);
    EXPECT_EQ(child->GetHierarchyLevel(), 1);
    EXPECT_EQ(group.FindSubItemByData(8), child);
    EXPECT_EQ(group.GetSubItem(1), nullptr);
    CMFCPropertyGridProperty* taken = child;
    EXPECT_TRUE(group.RemoveSubItem(taken));
    EXPECT_EQ(taken, nullptr);
    EXPECT_EQ(group.GetSubItemsCount(), 0);
}

// Value lists and the modified flag go through a grid (its delimiter and notifications).
class ValueListTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        list = new CMFCPropertyGridProperty("Offset", 0, TRUE);
        x = new CMFCPropertyGridProperty("X", COleVariant(1L));
        y = new CMFCPropertyGridProperty("Y", COleVariant(2.5));
        z = new CMFCPropertyGridProperty("Z", COleVariant("up"));
        list->AddSubItem(x);
        list->AddSubItem(y);
        list->AddSubItem(z);
        grid.AddProperty(list);
    }

    CMFCPropertyGridProperty* list = nullptr;
    CMFCPropertyGridProperty* x = nullptr;
    CMFCPropertyGridProperty* y = nullptr;
    CMFCPropertyGridProperty* z = nullptr;
};

TEST_F(ValueListTest, JoinsAndSplitsAtTheDelimiter) {
    EXPECT_EQ(list->FormatProperty(), "1, 2.500000, up");
    EXPECT_TRUE(list->TextToVar(" 4 ,0.5,  down  "));
    EXPECT_EQ(x->GetValue().lVal, 4);
    EXPECT_DOUBLE_EQ(y->GetValue().dblVal, 0.5);
    EXPECT_EQ(VariantText(z->GetValue()), "down");

    grid.SetListDelimiter(';');
    EXPECT_EQ(list->FormatProperty(), "4; 0.500000; down");
    EXPECT_TRUE(list->TextToVar("7;"));  // a closing delimiter adds no empty item
    EXPECT_EQ(x->GetValue().lVal, 7);
    EXPECT_DOUBLE_EQ(y->GetValue().dblVal, 0.5);
}

TEST_F(ValueListTest, OneBadItemChangesNothing) {
    EXPECT_FALSE(list->TextToVar("5, wide, left"));
    EXPECT_EQ(x->GetValue().lVal, 1);
    EXPECT_DOUBLE_EQ(y->GetValue().dblVal, 2.5);
    EXPECT_EQ(VariantText(z->GetValue()), "up");
}

TEST_F(ValueListTest, ModifiedFollowsTheSubItems) {
    x->SetValue(COleVariant(9L));
    grid.OnPropertyChanged(x);
    EXPECT_TRUE(x->IsModified());
    EXPECT_TRUE(list->IsModified());
    x->SetValue(COleVariant(1L));
    grid.OnPropertyChanged(x);
    EXPECT_FALSE(x->IsModified());
    EXPECT_FALSE(list->IsModified());

    y->SetValue(COleVariant(3.0));
    grid.OnPropertyChanged(list);
    EXPECT_TRUE(list->IsModified());
    EXPECT_TRUE(y->IsModified());
    grid.ResetOriginalValues();
    EXPECT_FALSE(list->IsModified());
    EXPECT_FALSE(y->IsModified());
    EXPECT_DOUBLE_EQ(y->GetOriginalValue().dblVal, 3.0);
}

TEST_F(ValueListTest, NotificationsCarryIdAndRow) {
    x->SetValue(COleVariant(5L));
    grid.OnPropertyChanged(x);
    ASSERT_EQ(owner.changes.size(), 1u);
    EXPECT_EQ(owner.changes[0].id, kGridId);
    EXPECT_EQ(owner.changes[0].prop, x);
}

TEST_F(ValueListTest, BooleanLabelsComeFromTheGrid) {
    auto* flag = new CMFCPropertyGridProperty(
        "Flag", COleVariant(static_cast<short>(VARIANT_TRUE), VT_BOOL));
    grid.AddProperty(flag);
    grid.SetBoolLabels("On", "Off");
    EXPECT_EQ(flag->FormatProperty(), "On");
    EXPECT_TRUE(flag->TextToVar("Off  "));
    EXPECT_EQ(flag->GetValue().boolVal, VARIANT_FALSE);
    EXPECT_FALSE(flag->TextToVar("False"));
}

TEST_F(ValueListTest, FindsRowsByData) {
    auto* group = new CMFCPropertyGridProperty("Group", 1);
    auto* deep = new CMFCPropertyGridProperty("Deep", COleVariant(1L), nullptr, 99);
    group->AddSubItem(deep);
    EXPECT_EQ(grid.AddProperty(group), 1);
    EXPECT_EQ(grid.AddProperty(group), -1);
    EXPECT_EQ(grid.AddProperty(deep), -1);
    EXPECT_EQ(grid.FindItemByData(99), deep);
    EXPECT_EQ(grid.FindItemByData(99, FALSE), nullptr);
    EXPECT_EQ(grid.FindItemByData(1), group);
    EXPECT_EQ(grid.GetPropertyCount(), 2);
    EXPECT_EQ(grid.GetProperty(2), nullptr);
}

}  // namespace
}  // namespace pg
