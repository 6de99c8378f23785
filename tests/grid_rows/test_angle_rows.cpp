// The angle rows: the operator's notation read at every call, the editor's characters,
// the click message, fixed degree formats, whole degrees and the tolerance ball.

#include <cfloat>
#include <cmath>

#include "GridRowsTestSupport.h"
#include "platform/window/Backend.h"
#include "platform/window/MessageLoop.h"
#include "propgrid/AngleProperties.h"
#include "settings/RegisteredMessages.h"

namespace gr {
namespace {

constexpr double kPi = 3.14159265358979323846;
double Radians(double degrees) {
    return degrees * kPi / 180.0;
}

TEST(AngleDoubleRow, ModesFormatAndClamp) {
    CMFCPropertyGridAngleDouble signedAngle("Offset", 200.0, AS_SIGNED_ANGLE);
    EXPECT_EQ(signedAngle.FormatProperty().str(), "+180.00\xB0");
    CMFCPropertyGridAngleDouble bearing("Heading", -5.0, AS_TRUE_BEARING);
    EXPECT_EQ(bearing.FormatProperty().str(), "000.00\xB0T");
    EXPECT_EQ(bearing.GetEditTemplate().str(), "______\xB0T");
    bearing.SetValue(400.0);
    EXPECT_EQ(bearing.FormatProperty().str(), "359.99\xB0T");
    bearing.SetMode(AS_GRID_BEARING);
    EXPECT_EQ(bearing.FormatProperty().str(), "359.99\xB0G");
    bearing.SetMode(AS_INCLINATION);
    EXPECT_EQ(bearing.FormatProperty().str(), "+90.00\xB0");
    EXPECT_DOUBLE_EQ(bearing.GetSmallest(), -90.0);
    bearing.SetMode(static_cast<AS_MODE>(6));  // unknown: nothing changes
    EXPECT_EQ(bearing.GetFormat().str(), "%+06.2lf\xB0");
    EXPECT_DOUBLE_EQ(bearing.GetLargest(), 90.0);
}

TEST(ToleranceRow, BallByValueAgainstTolerance) {
    CMFCPropertyGridTolerance row("Error", 0.0, "%6.2lf\xB0");
    EXPECT_FALSE(row.IsAllowEdit());
    EXPECT_EQ(row.GetStatus(), CMFCPropertyGridTolerance::StatusNone);
    row.SetValue(-0.5, 0.5);
    EXPECT_EQ(row.GetStatus(), CMFCPropertyGridTolerance::StatusWithin);
    row.SetValue(0.55, 0.5);
    EXPECT_EQ(row.GetStatus(), CMFCPropertyGridTolerance::StatusMarginal);
    row.SetValue(0.61, 0.5);
    EXPECT_EQ(row.GetStatus(), CMFCPropertyGridTolerance::StatusOutside);
    EXPECT_EQ(row.FormatProperty().str(), "  0.61\xB0");
    row.SetValue(5.0, 0.0);
    EXPECT_EQ(row.GetStatus(), CMFCPropertyGridTolerance::StatusNone);
    row.SetValue(DBL_MAX, 1.0);
    EXPECT_EQ(row.FormatProperty().str(), "n/a");
}

TEST(ToleranceRow, AngleDifferencesWrapAroundNorth) {
    CMFCPropertyGridTolerance row("Heading error", 0.0, "%+7.1lf");
    row.SetAngle(359.0, 1.0, 3.0);
    EXPECT_NEAR(row.GetDouble(), -2.0, 1e-9);
    EXPECT_EQ(row.GetStatus(), CMFCPropertyGridTolerance::StatusWithin);
    row.SetAngle(200.0, 10.0, 5.0);
    EXPECT_NEAR(row.GetDouble(), -170.0, 1e-9);
    EXPECT_EQ(row.GetStatus(), CMFCPropertyGridTolerance::StatusOutside);
    row.SetAngle(190.0, 185.0, 5.0);
    EXPECT_NEAR(row.GetDouble(), 5.0, 1e-9);
    EXPECT_EQ(row.GetStatus(), CMFCPropertyGridTolerance::StatusWithin);
}

TEST(ToleranceRow, AHostFormatThatIsNotOneDoubleIsNotUsed) {
    CMFCPropertyGridTolerance row("Error", 1.5, "%s%s");
    EXPECT_EQ(row.FormatProperty().str(), "  1.50");
}

TEST(AngleRowCharacters, ByTypeAndNotation) {
    using Row = CMFCPropertyGridAngleProperty;
    EXPECT_EQ(Row::ValidChars(ANGLE_LATITUDE, ANGLE_FMT_SIGNED).str(), "0123456789+-");
    EXPECT_EQ(Row::ValidChars(ANGLE_LATITUDE, ANGLE_FMT_DMS).str(), "0123456789NSns");
    EXPECT_EQ(Row::ValidChars(ANGLE_LONGITUDE, ANGLE_FMT_SIGNED).str(), "0123456789+-");
    EXPECT_EQ(Row::ValidChars(ANGLE_LONGITUDE, ANGLE_FMT_DM).str(), "0123456789EWew");
    for (const int type : {1, 3, 8, 9}) {
        EXPECT_EQ(Row::ValidChars(type, ANGLE_FMT_DMS).str(), "0123456789+-") << type;
    }
    for (const int type : {2, 4, 7, 0, 10}) {
        EXPECT_EQ(Row::ValidChars(type, ANGLE_FMT_SIGNED).str(), "0123456789") << type;
    }
}

class AngleRowTest : public GridRowsTest {};

TEST_F(AngleRowTest, LatitudesFollowTheGeographicNotationSetNow) {
    CMFCPropertyGridAngleProperty row("Latitude", Radians(-12.5), ANGLE_LATITUDE);
    SetGeoPreference(ANGLE_FMT_SIGNED);
    int format = 0;
    int decimals = 0;
    char quadrant = 0;
    ReadAngleTypeSettings(ANGLE_LATITUDE, &format, &decimals, &quadrant);
    const CString signedText = row.FormatProperty();
    EXPECT_EQ(
        signedText.str(),
        FormatAngle(Radians(-12.5), ANGLE_LATITUDE, ANGLE_FMT_SIGNED, decimals, quadrant).str());
    SetGeoPreference(ANGLE_FMT_DM);
    EXPECT_NE(row.FormatProperty().str(), signedText.str());
    EXPECT_NE(row.FormatProperty().Find('S'), -1);
}

TEST_F(AngleRowTest, EditingTellsTheOwnerAndStoresTheParsedAngle) {
    SetAnglePreference(ANGLE_FMT_SIGNED);
    auto* row =
        Add(new CMFCPropertyGridAngleProperty("Roll", Radians(1.0), ANGLE_ATTITUDE, "Roll", 77));
    ClickValue(row);
    ASSERT_TRUE(row->IsInPlaceEditing());
    ASSERT_EQ(owner.Count(GetClickPropertyGridMessage()), 1);
    EXPECT_EQ(owner.told.back().wParam, 77u);
    EXPECT_EQ(owner.told.back().lParam, reinterpret_cast<LPARAM>(row));
    EXPECT_EQ(EditorText(), row->FormatProperty().str());

    int format = 0;
    int decimals = 0;
    ReadAngleSettings(&format, &decimals);
    const CString typed = FormatAngle(Radians(-2.5), ANGLE_ATTITUDE, ANGLE_FMT_SIGNED, decimals, 0);
    EnterText(typed);
    EXPECT_NEAR(row->GetValue(), Radians(-2.5), 1e-9);
    EXPECT_TRUE(row->IsValueChanged());
    EXPECT_EQ(owner.Count(AFX_WM_PROPERTY_CHANGED), 1);
}

TEST_F(AngleRowTest, ALatitudeEditorTakesTheHemisphereLetter) {
    SetGeoPreference(ANGLE_FMT_DM);
    auto* row = Add(new CMFCPropertyGridAngleProperty("Lat", Radians(10.0), ANGLE_LATITUDE));
    ClickValue(row);
    const std::string before = EditorText();
    const size_t letter = before.find('N');
    ASSERT_NE(letter, std::string::npos) << before;
    Key(VK_HOME);
    for (size_t i = 0; i < letter; ++i) {
        Key(VK_RIGHT);
    }
    Type("S");  // over the hemisphere letter
    const std::string after = EditorText();
    EXPECT_NE(after.find('S'), std::string::npos) << after;
    Key(VK_RETURN);
    EXPECT_LT(row->GetValue(), 0.0);
}

TEST_F(AngleRowTest, TheBallIsDrawnAtTheRightEndOfTheValueCell) {
    auto* row = Add(new CMFCPropertyGridTolerance("Error", 0.0, "%6.2lf"));
    plat::PumpMessages();
    const plat::Surface none = plat::WindowPixels(&grid);
    row->SetValue(0.0, 1.0);
    plat::PumpMessages();
    const plat::Surface green = plat::WindowPixels(&grid);
    const CRect value = ValueRect(row);
    const CRect ball(value.right - 16, value.top, value.right, value.top + 16);
    int inside = 0;
    int outside = 0;
    for (int y = value.top; y < value.bottom; ++y) {
        for (int x = value.left; x <= value.right; ++x) {
            const int changed = none.GetPixel(x, y) != green.GetPixel(x, y) ? 1 : 0;
            (ball.PtInRect(CPoint(x, y)) ? inside : outside) += changed;
        }
    }
    EXPECT_GT(inside, 20);
    EXPECT_EQ(outside, 0);
}

TEST_F(AngleRowTest, WholeDegreesWithASpin) {
    auto* row = Add(new CMFCPropertyGridAngleInteger("Sector", COleVariant(5L)));
    EXPECT_EQ(row->FormatProperty().str(), "005\xB0");
    ClickValue(row);
    EXPECT_EQ(EditorText(), "005\xB0");
    CSpinButtonCtrl* spin = nullptr;
    for (CWnd* child = grid.GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
        spin = spin ? spin : dynamic_cast<CSpinButtonCtrl*>(child);
    }
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(spin->GetPos() & 0xFFFF, 5);
    EnterText("123\xB0");
    EXPECT_EQ(row->GetValue().vt, VT_I4);
    EXPECT_EQ(row->GetValue().lVal, 123);
    EXPECT_EQ(row->FormatProperty().str(), "123\xB0");
}

}  // namespace
}  // namespace gr
