// The plain number rows: the field a format makes, clamping, no value, typed text through
// the real grid, locking (clicks and the padlock's pixels), refused formats, whole numbers.

#include <cfloat>
#include <cmath>

#include "GridRowsTestSupport.h"
#include "platform/window/Backend.h"
#include "platform/window/MessageLoop.h"
#include "propgrid/CMyMFCMaskedEdit.h"
#include "propgrid/NumericProperties.h"

namespace gr {
namespace {

TEST(NumberEditor, MaskCharactersAcceptDigitsSignsPointAndBlankAsTabled) {
    struct Probe : CMyMFCMaskedEdit {
        bool Accepts(char ch, char mask) const { return IsMaskedChar(ch, mask) != FALSE; }
    } edit;
    for (const char ch : {'+', '-', '.', ' '}) {
        EXPECT_TRUE(edit.Accepts(ch, '+')) << ch;
    }
    EXPECT_FALSE(edit.Accepts('5', '+'));
    for (const char ch : {'0', '9', '.', '+', '-'}) {
        EXPECT_TRUE(edit.Accepts(ch, 'D')) << ch;
        EXPECT_TRUE(edit.Accepts(ch, 'd')) << ch;
    }
    EXPECT_FALSE(edit.Accepts(' ', 'D'));
    EXPECT_TRUE(edit.Accepts(' ', 'd'));
    EXPECT_FALSE(edit.Accepts('x', 'd'));
    EXPECT_TRUE(edit.Accepts('S', 'c'));  // an angle's hemisphere
    EXPECT_FALSE(edit.Accepts('5', 'c'));
    EXPECT_FALSE(edit.Accepts('5', 'm'));  // any other mask character takes nothing
    EXPECT_FALSE(edit.Accepts('5', 'A'));
}

TEST(DoubleRowFormat, ZeroPaddedWidthSixTwoDecimalsWithUnit) {
    CMFCPropertyGridDouble row("Depth", 1234.5, "%06.2lfm");
    EXPECT_EQ(row.GetEditMask().str(), "ddddddm");
    EXPECT_EQ(row.GetEditTemplate().str(), "______m");
    EXPECT_EQ(row.GetValidChars().str(), "0123456789+-.");
    EXPECT_EQ(row.GetPadChar(), '0');
    EXPECT_DOUBLE_EQ(row.GetLargest(), 999.99);
    EXPECT_DOUBLE_EQ(row.GetSmallest(), -99.99);
    EXPECT_EQ(row.FormatProperty().str(), "999.99m");
    EXPECT_DOUBLE_EQ(row.GetValue(), 999.99);  // the clamped value is kept
    row.SetValue(-500.0);
    EXPECT_EQ(row.FormatProperty().str(), "-99.99m");
}

TEST(DoubleRowFormat, ASignTakesTheFirstPlaceOfTheField) {
    CMFCPropertyGridDouble row("Pitch", 0.0, "%+07.2lf");
    EXPECT_EQ(row.GetEditMask().str(), "+dddddd");
    EXPECT_EQ(row.GetEditTemplate().str(), "_______");
    EXPECT_DOUBLE_EQ(row.GetLargest(), 999.99);
    EXPECT_DOUBLE_EQ(row.GetSmallest(), -999.99);
    EXPECT_EQ(row.GetPadChar(), '0');

    ASSERT_TRUE(row.SetFormat("%7.2lf"));
    EXPECT_DOUBLE_EQ(row.GetLargest(), 9999.99);
    EXPECT_DOUBLE_EQ(row.GetSmallest(), -999.99);
    EXPECT_EQ(row.GetPadChar(), ' ');

    ASSERT_TRUE(row.SetFormat("%5.0lf s"));
    EXPECT_EQ(row.GetValidChars().str(), "0123456789+-");  // no decimals, no point
    EXPECT_EQ(row.GetEditMask().str(), "ddddd s");
}

TEST(DoubleRowFormat, AFormatThatIsNotOneDoubleConversionIsRefusedAndTheOldOneStays) {
    CMFCPropertyGridDouble row("Range", 12.5, "%6.2lf m");
    for (const char* bad : {"%d m", "%s", "%6.2lf %d", "%*.*lf", "%6.*lf", "x %6.2lf", "%6.2lf%n",
                            "%6.2lf %s", "%6.2Lf", "%", "", "%6.2lf%"}) {
        EXPECT_FALSE(row.SetFormat(bad)) << bad;
        EXPECT_EQ(row.GetFormat().str(), "%6.2lf m") << bad;
        EXPECT_EQ(row.FormatProperty().str(), " 12.50 m") << bad;
    }
    EXPECT_FALSE(row.SetFormat(nullptr));
    EXPECT_TRUE(row.SetFormat("%5.1f%%"));
    EXPECT_EQ(row.FormatProperty().str(), " 12.5%");
    EXPECT_EQ(row.GetEditTemplate().str(), "_____%");

    const CMFCPropertyGridDouble madeBad("Bad", 1.0, "%s");  // falls back to a plain number
    EXPECT_EQ(const_cast<CMFCPropertyGridDouble&>(madeBad).FormatProperty().str(), "  1.00");
}

TEST(DoubleRowFormat, NoValueShowsZeroWhenEditableAndNaWhenNot) {
    CMFCPropertyGridDouble row("Gain", DBL_MAX, "%6.2lf");
    EXPECT_EQ(row.FormatProperty().str(), "0.0");
    row.AllowEdit(FALSE);
    EXPECT_EQ(row.FormatProperty().str(), "n/a");
    EXPECT_EQ(row.GetValue(), DBL_MAX);  // not clamped away
}

TEST(DoubleRowFormat, ChangedComparesWithTheInitialValue) {
    CMFCPropertyGridDouble row("Gain", 2.0, "%6.2lf");
    EXPECT_FALSE(row.IsValueChanged());
    row.SetValue(3.0);
    EXPECT_TRUE(row.IsValueChanged());
    EXPECT_EQ(row.CMFCPropertyGridProperty::GetValue().dblVal, 3.0);
    row.SetValue(NAN);
    EXPECT_TRUE(row.IsValueChanged());
    row.SetValue(2.0);
    EXPECT_FALSE(row.IsValueChanged());
}

class DoubleRowTest : public GridRowsTest {};

TEST_F(DoubleRowTest, TypedDigitsThroughTheEditorAreStoredAndTheOwnerIsTold) {
    auto* row = Add(new CMFCPropertyGridDouble("Range", 1.0, "%6.2lf m"));
    ClickValue(row);
    ASSERT_TRUE(row->IsInPlaceEditing());
    EXPECT_EQ(EditorText(), "  1.00 m");
    Key(VK_HOME);
    Type("012.50");
    EXPECT_EQ(EditorText(), "012.50 m");
    Key(VK_RETURN);
    EXPECT_FALSE(row->IsInPlaceEditing());
    EXPECT_DOUBLE_EQ(row->GetValue(), 12.5);
    EXPECT_EQ(row->CMFCPropertyGridProperty::GetValue().dblVal, 12.5);
    EXPECT_EQ(owner.Count(AFX_WM_PROPERTY_CHANGED), 1);
}

TEST_F(DoubleRowTest, TheUnitAfterTheNumberIsIgnoredAndClearedTextKeepsTheValue) {
    auto* row = Add(new CMFCPropertyGridDouble("Range", 1.0, "%6.2lf m"));
    ClickValue(row);
    EnterText("  12.5 m");  // as typed over the field
    EXPECT_DOUBLE_EQ(row->GetValue(), 12.5);

    ClickValue(row);
    EnterText("");
    EXPECT_DOUBLE_EQ(row->GetValue(), 12.5);
    ClickValue(row);
    EnterText(" 12.50 m");  // the same value: nobody is told
    EXPECT_EQ(owner.Count(AFX_WM_PROPERTY_CHANGED), 1);
}

TEST_F(DoubleRowTest, SetValueWhileEditingShowsTheNewTextInTheEditor) {
    auto* row = Add(new CMFCPropertyGridDouble("Range", 1.0, "%6.2lf m"));
    ClickValue(row);
    row->SetValue(7.25);
    EXPECT_EQ(EditorText(), "  7.25 m");
}

TEST_F(DoubleRowTest, ALockedRowOpensNoEditorAndDrawsThePadlockAtTheRightEnd) {
    auto* row = Add(new CMFCPropertyGridDouble("Range", 1.0, "%6.2lf m"));
    grid.SetCurSel(nullptr);
    plat::PumpMessages();
    const plat::Surface unlocked = plat::WindowPixels(&grid);
    row->SetLock(true);
    plat::PumpMessages();
    const plat::Surface locked = plat::WindowPixels(&grid);

    const CRect value = ValueRect(row);
    const CRect padlock(value.right - 16, value.top, value.right, value.top + 16);
    int changedInside = 0;
    int changedOutside = 0;
    for (int y = value.top; y < value.bottom; ++y) {
        for (int x = value.left; x < value.right; ++x) {
            const bool changed = unlocked.GetPixel(x, y) != locked.GetPixel(x, y);
            (padlock.PtInRect(CPoint(x, y)) ? changedInside : changedOutside) += changed ? 1 : 0;
        }
    }
    EXPECT_GT(changedInside, 20);
    EXPECT_EQ(changedOutside, 0);
    // Nothing is drawn beyond the cell.
    int pastEdge = 0;
    for (int y = padlock.top; y < padlock.bottom; ++y) {
        pastEdge += unlocked.GetPixel(value.right, y) != locked.GetPixel(value.right, y) ? 1 : 0;
    }
    EXPECT_EQ(pastEdge, 0);

    ClickValue(row);
    EXPECT_FALSE(row->IsInPlaceEditing());
    EXPECT_EQ(EditorText(), "");
    Type("5");
    Key(VK_RETURN);
    EXPECT_DOUBLE_EQ(row->GetValue(), 1.0);

    row->SetLock(false);
    ClickValue(row);
    EXPECT_TRUE(row->IsInPlaceEditing());
}

TEST(WholeNumberRows, ShowTheNumberAndTheUnit) {
    CMFCPropertyGridInteger count("Count", COleVariant(-42L), " pcs");
    EXPECT_EQ(count.FormatProperty().str(), "-42 pcs");
    count.SetUnitStr("x");
    EXPECT_EQ(count.FormatProperty().str(), "-42x");
    // Unsigned values are shown unsigned (a signed form would show -1).
    CMFCPropertyGridUnsignedLong big("Big", COleVariant(4294967295UL), " s");
    EXPECT_EQ(big.FormatProperty().str(), "4294967295 s");
}

class WholeNumberRowTest : public GridRowsTest {};

TEST_F(WholeNumberRowTest, TypedTextKeepsTheTypeAndTheUnitComesBack) {
    auto* row = Add(new CMFCPropertyGridInteger("Count", COleVariant(5L), " pcs"));
    ClickValue(row);
    EXPECT_EQ(EditorText(), "5 pcs");
    EnterText("17 pcs");
    EXPECT_EQ(row->GetValue().vt, VT_I4);
    EXPECT_EQ(row->GetValue().lVal, 17);
    EXPECT_EQ(row->FormatProperty().str(), "17 pcs");
    EXPECT_EQ(owner.Count(AFX_WM_PROPERTY_CHANGED), 1);

    ClickValue(row);
    EnterText("");  // cleared: the value stays
    EXPECT_EQ(row->GetValue().lVal, 17);
}

TEST_F(WholeNumberRowTest, UnsignedRowsTakeTheirWholeRangeAndRefuseNegatives) {
    auto* row = Add(new CMFCPropertyGridUnsignedLong("Big", COleVariant(1UL), " s"));
    ClickValue(row);
    EnterText("4294967295 s");
    EXPECT_EQ(row->GetValue().vt, VT_UI4);
    EXPECT_EQ(row->GetValue().ulVal, 4294967295UL);

    ClickValue(row);
    EnterText("-1");
    EXPECT_EQ(row->GetValue().ulVal, 4294967295UL);
    EXPECT_TRUE(row->IsInPlaceEditing());  // refused: the edit goes on
    Key(VK_ESCAPE);
}

TEST_F(WholeNumberRowTest, ALockedWholeNumberRowOpensNoEditor) {
    auto* row = Add(new CMFCPropertyGridInteger("Count", COleVariant(5L), ""));
    row->SetLock(true);
    ClickValue(row);
    EXPECT_FALSE(row->IsInPlaceEditing());
    EXPECT_EQ(EditorText(), "");
}

}  // namespace
}  // namespace gr
