// Distance and weight-per-length rows: the operator's units, read at every call, from
// this program or another one writing the same settings folder.

#include <cfloat>
#include <cmath>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "GridRowsTestSupport.h"
#include "platform/core/Drives.h"
#include "platform/core/OsServices.h"
#include "propgrid/DistanceProperties.h"
#include "settings/UnitsSettings.h"
#include "tests/settings/ChildProcess.h"

namespace gr {
namespace {

constexpr int kMetric = 0;
constexpr int kImperial = 1;
constexpr int kMetres = 0;
constexpr int kKilometres = 1;
constexpr int kInternationalFoot = 0;
constexpr int kUsSurveyFoot = 1;
constexpr int kFeet = 0;
constexpr int kYards = 1;

class DistanceRowTest : public GridRowsTest {};

TEST_F(DistanceRowTest, MetresWithTheOperatorsDecimalPlaces) {
    CMFCPropertyGridMetricProperty row("Offset", 12.3456, 10);
    EXPECT_EQ(row.FormatProperty().str(), "    12.346 m");  // three places by default
    WriteDecimalPlaces(1);
    EXPECT_EQ(row.FormatProperty().str(), "      12.3 m");
    EXPECT_EQ(row.GetDecimals(), 1);
    WriteDecimalPlaces(0);
    EXPECT_EQ(row.FormatProperty().str(), "        12 m");
    EXPECT_EQ(row.GetValidChars().str(), "0123456789+-");
}

TEST_F(DistanceRowTest, KilometresTakeThreeDecimalsFewer) {
    WriteUnits(kMetric, kKilometres, 0);
    CMFCPropertyGridMetricProperty row("KP", 12345.6, 8);
    EXPECT_EQ(row.FormatProperty().str(), "      12Km");
    EXPECT_EQ(row.GetDecimals(), 0);
    EXPECT_EQ(row.GetEditMask().str(), "dddddddd");
    EXPECT_EQ(row.GetValidChars().str(), "0123456789+-");
    CMFCPropertyGridMetricProperty fixed("KP", 12345.6, 8, 3);  // asked-for decimals stay
    EXPECT_EQ(fixed.FormatProperty().str(), "  12.346Km");
}

TEST_F(DistanceRowTest, FeetOfBothDefinitionsAndYards) {
    CMFCPropertyGridMetricProperty row("Depth", 1000.0, 10);
    WriteUnits(kImperial, kInternationalFoot, kFeet);
    EXPECT_EQ(row.FormatProperty().str(), "  3280.840Ft.");
    WriteUnits(kImperial, kUsSurveyFoot, kFeet);
    EXPECT_EQ(row.FormatProperty().str(), "  3280.833Ft.");
    WriteUnits(kImperial, kInternationalFoot, kYards);
    EXPECT_EQ(row.FormatProperty().str(), "  1093.613Yds");
    EXPECT_DOUBLE_EQ(row.GetValue(), 1000.0);  // formatting never changes the metres
}

TEST_F(DistanceRowTest, AChangeByAnotherProgramShowsAtTheNextFormat) {
    CMFCPropertyGridMetricProperty row("Depth", 3.048, 8, 2);
    EXPECT_EQ(row.FormatProperty().str(), "    3.05 m");
    ASSERT_EQ(RunChild(m_root, {"write-units", "1", "0", "0"}).exitCode, 0);
    EXPECT_EQ(row.FormatProperty().str(), "   10.00Ft.");
    ASSERT_EQ(RunChild(m_root, {"write-units", "0", "0", "0"}).exitCode, 0);
    EXPECT_EQ(row.FormatProperty().str(), "    3.05 m");
}

TEST_F(DistanceRowTest, SettingsRememberedAcrossFormatsGiveWayToAnotherProgramsChange) {
    WriteUnits(kMetric, kMetres, 0);
    WriteDecimalPlaces(2);
    CMFCPropertyGridMetricProperty row("Depth", 3.048, 8);
    // Read, then kept, then remembered by the row while nothing changes.
    for (int format = 0; format < 4; ++format) {
        EXPECT_EQ(row.FormatProperty().str(), "    3.05 m") << format;
    }
    ASSERT_EQ(RunChild(m_root, {"write-units", "1", "0", "0"}).exitCode, 0);
    EXPECT_EQ(row.FormatProperty().str(), "   10.00Ft.");
    EXPECT_EQ(row.FormatProperty().str(), "   10.00Ft.");
    WriteDecimalPlaces(1);  // in place, as an editor would
    EXPECT_EQ(row.FormatProperty().str(), "    10.0Ft.");
}

TEST_F(DistanceRowTest, RememberedSettingsGiveWayToAnotherSettingsFolder) {
    WriteUnits(kImperial, kInternationalFoot, kFeet);
    CMFCPropertyGridMetricProperty row("Depth", 3.048, 8, 2);
    for (int format = 0; format < 3; ++format) {
        EXPECT_EQ(row.FormatProperty().str(), "   10.00Ft.") << format;
    }
    // Another drive C: has no units file (metres); another program has its own folder.
    const std::string otherDrive = m_root + "/other";
    std::filesystem::create_directories(otherDrive + "/MySettings/SurveyTest");
    plat::MapDrive('C', otherDrive, DRIVE_FIXED);
    EXPECT_EQ(row.FormatProperty().str(), "    3.05 m");
    plat::MapDrive('C', m_root, DRIVE_FIXED);
    EXPECT_EQ(row.FormatProperty().str(), "   10.00Ft.");
    EXPECT_EQ(row.FormatProperty().str(), "   10.00Ft.");
    plat::OverrideCommandLine("\"C:\\Programs\\OtherSurvey.exe\"");
    EXPECT_EQ(row.FormatProperty().str(), "    3.05 m");
}

// The value text is printf's "%*.*lf", made without printf: the same for any value.
TEST(FixedPointText, IsPrintfsText) {
    std::mt19937_64 random(20240611);
    std::vector<double> values = {0.0,      -0.0,      0.5,   1.5,  2.5,      -2.5,    0.125,
                                  0.005,    1e-300,    -1e-7, 1e15, 1e300,    DBL_MAX, -DBL_MAX,
                                  INFINITY, -INFINITY, NAN,   -NAN, 9999.9995};
    std::uniform_real_distribution<double> spread(-1e6, 1e6);
    for (int i = 0; i < 2000; ++i) {
        values.push_back(spread(random));
        values.push_back(std::ldexp(spread(random), static_cast<int>(random() % 80) - 40));
    }
    for (const double value : values) {
        for (const int width : {0, 1, 8, 12}) {
            for (const int decimals : {0, 1, 2, 3, 6, 17}) {
                CString expected;
                expected.Format("%*.*lf", width, decimals, value);
                ASSERT_EQ(FormatFixed(width, decimals, value).str(), expected.str())
                    << value << " " << width << " " << decimals;
            }
        }
    }
}

TEST_F(DistanceRowTest, AValueBeyondTheFieldShowsTheLargestAndKeepsItsMetres) {
    CMFCPropertyGridMetricProperty row("Far", 123456.0, 8, 3);
    EXPECT_DOUBLE_EQ(row.GetLargest(), 9999.999);
    EXPECT_DOUBLE_EQ(row.GetSmallest(), -999.999);
    EXPECT_EQ(row.FormatProperty().str(), "9999.999 m");
    EXPECT_DOUBLE_EQ(row.GetValue(), 123456.0);
    row.SetValue(-5000.0);
    EXPECT_EQ(row.FormatProperty().str(), "-999.999 m");
}

TEST_F(DistanceRowTest, NoValue) {
    CMFCPropertyGridMetricProperty row("None", DBL_MAX, 8);
    EXPECT_EQ(row.FormatProperty().str(), "0.0");
    row.AllowEdit(FALSE);
    EXPECT_EQ(row.FormatProperty().str(), "n/a");
}

TEST_F(DistanceRowTest, TypedYardsAreStoredInMetres) {
    WriteUnits(kImperial, kInternationalFoot, kYards);
    auto* row = Add(new CMFCPropertyGridMetricProperty("Lay", 9.144, 8));
    EXPECT_EQ(row->FormatProperty().str(), "  10.000Yds");
    ClickValue(row);
    EXPECT_EQ(EditorText(), "  10.000Yds");  // the unit is part of the field
    Key(VK_HOME);
    Type("0020.000");
    Key(VK_RETURN);
    EXPECT_NEAR(row->GetValue(), 18.288, 1e-9);
    EXPECT_EQ(owner.Count(AFX_WM_PROPERTY_CHANGED), 1);

    ClickValue(row);
    EnterText("");
    EXPECT_NEAR(row->GetValue(), 18.288, 1e-9);
}

TEST_F(DistanceRowTest, TheEditorFollowsTheUnitsSetWhenItOpens) {
    auto* row = Add(new CMFCPropertyGridMetricProperty("Lay", 30.48, 8, 1));
    ClickValue(row);
    EXPECT_EQ(EditorText(), "    30.5 m");
    Key(VK_ESCAPE);
    WriteUnits(kImperial, kInternationalFoot, kFeet);
    ClickValue(row);
    EXPECT_EQ(EditorText(), "   100.0Ft.");
    EnterText("50");
    EXPECT_NEAR(row->GetValue(), 15.24, 1e-9);
}

TEST_F(DistanceRowTest, ALockedDistanceRowOpensNoEditor) {
    auto* row = Add(new CMFCPropertyGridMetricProperty("Lay", 1.0, 8));
    row->SetLock(true);
    ClickValue(row);
    EXPECT_FALSE(row->IsInPlaceEditing());
}

class WeightPerLengthTest : public GridRowsTest {};

TEST_F(WeightPerLengthTest, KilogramsAndPoundsPerMetre) {
    CMFCPropertyWeightPerUnitLengthProperty row("Chain", 10.0);
    EXPECT_EQ(row.FormatProperty().str(), " 10.00Kgs/ m");
    WriteWeightMode(1);
    EXPECT_EQ(row.FormatProperty().str(), " 22.05Lbs/ m");
    EXPECT_EQ(row.FormatProperty().str(), " 22.05Lbs/ m");  // the stored value is not touched
    EXPECT_DOUBLE_EQ(row.GetValue(), 10.0);
    EXPECT_EQ(row.GetEditMask().str(), "dddddd");
    EXPECT_EQ(row.GetEditTemplate().str(), "______");
    EXPECT_EQ(row.GetValidChars().str(), "0123456789.");
}

TEST_F(WeightPerLengthTest, PerFootIsLessThanPerMetre) {
    WriteUnits(kImperial, kInternationalFoot, kFeet);
    CMFCPropertyWeightPerUnitLengthProperty row("Chain", 10.0);
    EXPECT_EQ(row.FormatProperty().str(), "  3.05Kgs/Ft.");  // 10 kg/m x 0.3048 m/ft
    WriteWeightMode(1);
    EXPECT_EQ(row.FormatProperty().str(), "  6.72Lbs/Ft.");
}

TEST_F(WeightPerLengthTest, NegativeAndHugeValuesStayInTheField) {
    CMFCPropertyWeightPerUnitLengthProperty row("Chain", -3.0);
    EXPECT_EQ(row.FormatProperty().str(), "  0.00Kgs/ m");
    row.SetValue(5000.0);
    EXPECT_EQ(row.FormatProperty().str(), "999.99Kgs/ m");
    row.SetValue(DBL_MAX);
    EXPECT_EQ(row.FormatProperty().str(), "0.0");
}

TEST_F(WeightPerLengthTest, TypedPoundsPerFootAreStoredInKilogramsPerMetre) {
    WriteUnits(kImperial, kInternationalFoot, kFeet);
    WriteWeightMode(1);
    auto* row = Add(new CMFCPropertyWeightPerUnitLengthProperty("Chain", 1.0));
    ClickValue(row);
    EXPECT_EQ(EditorText(), "  0.67Lbs/Ft.");
    EnterText("6.72");
    EXPECT_NEAR(row->GetValue(), 6.72 * 0.45359237 / 0.3048, 1e-12);
    EXPECT_EQ(row->FormatProperty().str(), "  6.72Lbs/Ft.");
    EXPECT_TRUE(row->IsValueChanged());
}

}  // namespace
}  // namespace gr
