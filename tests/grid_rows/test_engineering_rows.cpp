// Tension and temperature rows in the operator's unit, and the mode rows that write the
// unit settings.

#include <cfloat>

#include "GridRowsTestSupport.h"
#include "propgrid/EngineeringProperties.h"
#include "settings/UnitsSettings.h"

namespace gr {
namespace {

class TensionRowTest : public GridRowsTest {};

TEST_F(TensionRowTest, TonnesKipsAndKiloNewtons) {
    CMFCPropertyGridTensionProperty row("Tension", 10.0);
    EXPECT_EQ(row.FormatProperty().str(), "    10.00Tonnes");
    WriteTensionMode(1);
    EXPECT_EQ(row.FormatProperty().str(), "    22.05KIPS");  // seen before Update()
    WriteTensionMode(2);
    row.Update();
    EXPECT_EQ(row.FormatProperty().str(), "    98.07kN");
    EXPECT_DOUBLE_EQ(row.GetValue(), 10.0);
}

TEST_F(TensionRowTest, TheRangeIsInTonnesBeforeConversion) {
    CMFCPropertyGridTensionProperty row("Tension", 2000000.0);
    EXPECT_DOUBLE_EQ(row.GetLargest(), 999999.99);
    EXPECT_DOUBLE_EQ(row.GetSmallest(), -99999.99);
    WriteTensionMode(2);
    EXPECT_EQ(row.FormatProperty().str(), "9806649.90kN");
    EXPECT_DOUBLE_EQ(row.GetValue(), 999999.99);
}

TEST_F(TensionRowTest, TypedKiloNewtonsAreStoredInTonnes) {
    WriteTensionMode(2);
    auto* row = Add(new CMFCPropertyGridTensionProperty("Tension", 1.0));
    ClickValue(row);
    EXPECT_EQ(EditorText(), "     9.81kN");
    EnterText("  98.0665kN");
    EXPECT_NEAR(row->GetValue(), 10.0, 1e-9);
    EXPECT_EQ(owner.Count(AFX_WM_PROPERTY_CHANGED), 1);

    WriteTensionMode(1);
    ClickValue(row);
    EnterText("22.046226");
    EXPECT_NEAR(row->GetValue(), 10.0, 1e-6);
}

TEST_F(TensionRowTest, NoValue) {
    CMFCPropertyGridTensionProperty row("Tension", DBL_MAX);
    EXPECT_EQ(row.FormatProperty().str(), "0.0");
    row.AllowEdit(FALSE);
    EXPECT_EQ(row.FormatProperty().str(), "n/a");
}

class TemperatureRowTest : public GridRowsTest {};

TEST_F(TemperatureRowTest, CentigradeAndFahrenheit) {
    CMFCPropertyGridTemperatureProperty row("Water", 100.0);
    EXPECT_EQ(row.FormatProperty().str(),
              " 100.0\xB0"
              "C");
    EXPECT_DOUBLE_EQ(row.GetLargest(), 9999.9);
    WriteTemperatureMode(1);
    row.Update();
    EXPECT_EQ(row.FormatProperty().str(),
              "212.00\xB0"
              "F");
    EXPECT_DOUBLE_EQ(row.GetLargest(), 999.99);
    EXPECT_DOUBLE_EQ(row.GetValue(), 100.0);
}

TEST_F(TemperatureRowTest, TypedFahrenheitIsStoredInCelsius) {
    WriteTemperatureMode(1);
    auto* row = Add(new CMFCPropertyGridTemperatureProperty("Water", 0.0));
    ClickValue(row);
    EXPECT_EQ(EditorText(),
              " 32.00\xB0"
              "F");
    EnterText("212");
    EXPECT_NEAR(row->GetValue(), 100.0, 1e-12);
    WriteTemperatureMode(0);
    ClickValue(row);
    EnterText("-12.5");
    EXPECT_DOUBLE_EQ(row->GetValue(), -12.5);
}

class ModeRowTest : public GridRowsTest {};

TEST_F(ModeRowTest, NamesDescriptionsAndOptions) {
    CMFCPropertyGridTensionModeProperty tension(1);
    EXPECT_STREQ(tension.GetName(), "Tension Mode");
    EXPECT_EQ(tension.GetDescription().str(), "Select Tension Mode");
    ASSERT_EQ(tension.GetOptionCount(), 3);
    EXPECT_STREQ(tension.GetOption(2), "Kilo Newtons");
    EXPECT_FALSE(tension.IsAllowEdit());
    EXPECT_EQ(tension.GetData(), 1u);

    CMFCPropertyGridPressureModeProperty pressure;
    EXPECT_STREQ(pressure.GetName(), "Pressure Mode");
    EXPECT_STREQ(pressure.GetOption(1), "Kg/Cm");
    CMFCPropertyGridTemperatureModeProperty temperature;
    EXPECT_STREQ(temperature.GetOption(1), "Fahrenheit");
    CMFCPropertyGridWeightModeProperty weight;
    EXPECT_STREQ(weight.GetOption(1), "Pounds");
}

TEST_F(ModeRowTest, AChosenOptionIsWrittenAndShownBeforeUpdate) {
    auto* row = Add(new CMFCPropertyGridTensionModeProperty);
    EXPECT_EQ(row->FormatProperty().str(), "Tonnes");
    ClickValue(row);
    ASSERT_TRUE(row->IsInPlaceEditing());
    EnterText("KIPS");
    EXPECT_EQ(ReadTensionMode(), 1);
    EXPECT_EQ(row->FormatProperty().str(), "KIPS");
    EXPECT_EQ(row->GetMode(), 0);  // the stored index follows at Update()
    row->Update();
    EXPECT_EQ(row->GetMode(), 1);
    EXPECT_EQ(owner.Count(AFX_WM_PROPERTY_CHANGED), 0);

    ClickValue(row);
    EnterText("kips");  // exact text only
    EXPECT_EQ(ReadTensionMode(), 1);
}

TEST_F(ModeRowTest, EachModeRowWritesItsOwnSetting) {
    auto* temperature = Add(new CMFCPropertyGridTemperatureModeProperty);
    auto* pressure = Add(new CMFCPropertyGridPressureModeProperty);
    auto* weight = Add(new CMFCPropertyGridWeightModeProperty);
    ClickValue(temperature);
    EnterText("Fahrenheit");
    ClickValue(pressure);
    EnterText("Kg/Cm");
    ClickValue(weight);
    EnterText("Pounds");
    EXPECT_EQ(ReadTemperatureMode(), 1);
    EXPECT_EQ(ReadPressureMode(), 1);
    EXPECT_EQ(ReadWeightMode(), 1);
    EXPECT_EQ(ReadTensionMode(), 0);
    EXPECT_EQ(weight->FormatProperty().str(), "Pounds");
}

}  // namespace
}  // namespace gr
