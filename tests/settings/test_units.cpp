// The units and formats settings: defaults, distance factors and unit texts, the reading
// and writing of the settings files, and bad stored values.

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>

#include "surveyui.h"
#include "tests/settings/SettingsTestSupport.h"

namespace fs = std::filesystem;

namespace {

using UnitsTest = SettingsTest;

// "<units> <conversion> <imperial>" as read; an out-value left unwritten shows as -1.
std::string StoredUnits() {
    int conversion = -1;
    int imperial = -1;
    const int units = ReadUnitsSettings(&conversion, &imperial);
    return std::to_string(units) + " " + std::to_string(conversion) + " " +
           std::to_string(imperial);
}

std::string UnitsFile(int units, int conversion, int imperial) {
    return "Units Mode = " + std::to_string(units) +
           "\r\nConversion Mode = " + std::to_string(conversion) +
           "\r\nImperial Mode = " + std::to_string(imperial) + "\r\n";
}

TEST_F(UnitsTest, WithoutSettingsFilesEverySettingHasItsDefault) {
    EXPECT_EQ(StoredUnits(), "0 0 -1");
    EXPECT_STREQ(CSettingsPane::UnitsTxt[ReadUnitsSettings(nullptr, nullptr)], "Metric");
    EXPECT_EQ(GetDistanceFactor(), 1.0);
    EXPECT_EQ(GetDistanceUnitText(0, 0, 0).str(), " m");
    EXPECT_EQ(ReadDecimalPlaces(), 3);
    EXPECT_STREQ(CSettingsPane::TemperatureTxt[ReadTemperatureMode()], "Centigrade");
    EXPECT_STREQ(CSettingsPane::PressureTxt[ReadPressureMode()], "Bar");
    EXPECT_STREQ(CSettingsPane::WeightTxt[ReadWeightMode()], "Kilograms");
    EXPECT_STREQ(CSettingsPane::TensionTxt[ReadTensionMode()], "Tonnes");
    EXPECT_EQ(GetSpeedUnitText(ReadSpeedMode()).str(), "Kts.");
    EXPECT_EQ(ReadDateMode(), 1);
    EXPECT_EQ(ReadTimeMode(), 1);
    EXPECT_TRUE(Entries(m_settings).empty());  // reading writes no file
}

TEST(DistanceUnits, FactorAndTextFollowUnitsConversionAndImperialMode) {
    const struct {
        int units, conversion, imperial;
        double factor;
        const char* text;
    } cases[] = {
        {1, 0, 3, 0.3048 * 66.0, "Chn"},              // International chains
        {1, 1, 1, 0.30480060960121924 * 3.0, "Yds"},  // US Survey yards
        {1, 0, 2, 0.3048 * 0.66, "Lnk"},
        {1, 11, 0, 0.3047995, "Ft."},
        {1, 0, 9, 0.3048, ""},    // an unknown Imperial Mode: feet
        {0, 1, 3, 1000.0, "Km"},  // no Imperial Mode in metric
        {0, 2, 0, 1.0000135965, " m"},
        {2, 1, 1, 1.0, ""},
        {-1, 0, 0, 1.0, ""},
        // A Conversion Mode outside its table: the table's first entry.
        {0, 3, 0, 1.0, " m"},
        {0, INT_MIN, 0, 1.0, " m"},
        {1, 12, 1, 0.3048 * 3.0, "Yds"},
        {1, -1, 0, 0.3048, "Ft."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.units << ' ' << c.conversion << ' ' << c.imperial);
        EXPECT_EQ(GetDistanceFactorFor(c.units, c.conversion, c.imperial), c.factor);
        EXPECT_EQ(GetDistanceUnitText(c.units, c.conversion, c.imperial).str(), c.text);
    }
    EXPECT_NEAR(GetDistanceFactorFor(1, 0, 3), 20.1168, 1e-12);
}

TEST(UnitTexts, WeightPerLengthAndSpeed) {
    EXPECT_EQ(GetWeightPerLengthUnitText(0, 0, 0, 0).str(), "Kgs/ m");
    EXPECT_EQ(GetWeightPerLengthUnitText(1, 1, 0, 0).str(), "Lbs/Ft.");
    EXPECT_EQ(GetWeightPerLengthUnitText(1, 0, 1, 0).str(), "Lbs/Km");
    EXPECT_EQ(GetWeightPerLengthUnitText(2, 1, 0, 1).str(), "/Yds");
    EXPECT_EQ(GetWeightPerLengthUnitText(0, 2, 0, 0).str(), "Kgs/");
    const char* const speeds[] = {"", "m/s", "Kts.", "kph", "mph", ""};
    for (int mode = -1; mode <= 4; ++mode) {
        EXPECT_EQ(GetSpeedUnitText(mode).str(), speeds[mode + 1]) << mode;
    }
}

TEST_F(UnitsTest, UnitsAreStoredAsThreeLinesReadBackWholeAndKeptInRange) {
    WriteUnitsSettings(1, 7, 3);
    EXPECT_EQ(ReadRaw("Units_Mode.INI"), UnitsFile(1, 7, 3));
    EXPECT_EQ(StoredUnits(), "1 7 3");  // the operator's foot definition, not International
    EXPECT_EQ(GetDistanceFactor(), FootDefinitions[7].factor * 66.0);
    WriteUnitsSettings(1, 4, 0);
    EXPECT_EQ(StoredUnits(), "1 4 -1");
    // Changing one value keeps the others.
    SetImperialMode(3);
    EXPECT_EQ(ReadRaw("Units_Mode.INI"), UnitsFile(1, 4, 3));
    SetConversionMode(9);
    EXPECT_EQ(ReadRaw("Units_Mode.INI"), UnitsFile(1, 9, 3));
    SetUnitsMode(0);  // foot definition 9 has no metric counterpart
    EXPECT_EQ(ReadRaw("Units_Mode.INI"), UnitsFile(0, 0, 3));
    SetImperialMode(0);
    EXPECT_EQ(ReadRaw("Units_Mode.INI"), UnitsFile(0, 0, 0));
    SetUnitsMode(5);
    EXPECT_EQ(ReadRaw("Units_Mode.INI"), UnitsFile(0, 0, 0));

    // Out-of-range values are corrected or not written.
    const struct {
        int units, conversion, imperial;
        int storedConversion, storedImperial;  // Units Mode is stored as given
    } cases[] = {
        {1, 13, 0, 0, 0}, {1, 11, 0, 11, 0}, {0, 3, 0, 0, 0},
        {0, 2, 0, 2, 0},  {0, -1, 0, 0, 0},  {1, 2, 4, 2, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.units << ' ' << c.conversion << ' ' << c.imperial);
        WriteUnitsSettings(c.units, c.conversion, c.imperial);
        EXPECT_EQ(ReadRaw("Units_Mode.INI"),
                  UnitsFile(c.units, c.storedConversion, c.storedImperial));
    }
    WriteUnitsSettings(2, 0, 0);
    WriteUnitsSettings(-1, 0, 0);
    EXPECT_EQ(ReadRaw("Units_Mode.INI"), UnitsFile(1, 2, 0));
}

TEST_F(UnitsTest, ModeWritersStoreEveryValueInRangeAndIgnoreTheRest) {
    const struct {
        std::string file, key;
        void (*write)(int);
        int (*read)();
        int count;
    } modes[] = {
        {"Temperature_Units.INI", "Temperature Modee", WriteTemperatureMode, ReadTemperatureMode,
         2},
        {"Pressure_Mode.INI", "Pressure Mode", WritePressureMode, ReadPressureMode, 2},
        {"Weight_Mode.INI", "Weight Mode", WriteWeightMode, ReadWeightMode, 2},
        {"Tension_Mode.INI", "Tension Mode", WriteTensionMode, ReadTensionMode, 3},
    };
    for (const auto& mode : modes) {
        SCOPED_TRACE(mode.key);
        const auto line = [&](int value) {
            return mode.key + " = " + std::to_string(value) + "\r\n";
        };
        mode.write(mode.count);
        EXPECT_EQ(ReadRaw(mode.file), "<missing>");
        for (int value = 0; value < mode.count; ++value) {
            mode.write(value);
            EXPECT_EQ(ReadRaw(mode.file), line(value));
            EXPECT_EQ(mode.read(), value);
        }
        for (const int value : {mode.count, -1, INT_MAX, INT_MIN}) {
            mode.write(value);
            EXPECT_EQ(ReadRaw(mode.file), line(mode.count - 1)) << value;
        }
    }
}

TEST_F(UnitsTest, StoredValuesReadAsZeroWhenMalformedAndAsDefaultsWhenOutOfRange) {
    const struct {
        const char* file;
        const char* bytes;
        int (*read)();
        int value;
    } cases[] = {
        {"Decimal_Places.INI", "No Dps = 2\r\n", ReadDecimalPlaces, 2},
        {"Speed_Units.INI", "Speed Mode = 3\r\n", ReadSpeedMode, 3},
        // Malformed or missing lines: 0, not the default.
        {"Speed_Units.INI", "Speed Mode = fast\r\n", ReadSpeedMode, 0},
        {"Decimal_Places.INI", "No Dps 2\r\n", ReadDecimalPlaces, 0},
        {"Decimal_Places.INI", "", ReadDecimalPlaces, 0},
        // Out of range: the default.
        {"Speed_Units.INI", "Speed Mode = 9\r\n", ReadSpeedMode, 1},
        {"Speed_Units.INI", "Speed Mode = 99999999999999999999\r\n", ReadSpeedMode, 1},
        {"Decimal_Places.INI", "No Dps = 12\r\n", ReadDecimalPlaces, 3},
        {"Decimal_Places.INI", "No Dps = -1\r\n", ReadDecimalPlaces, 3},
        {"Tension_Mode.INI", "Tension Mode = 3\r\n", ReadTensionMode, 0},
        {"Temperature_Units.INI", "Temperature Modee = -2147483648\r\n", ReadTemperatureMode, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        WriteRaw(c.file, c.bytes);
        EXPECT_EQ(c.read(), c.value);
    }

    WriteRaw("Units_Mode.INI", "Units Mode = 1\r\n");
    EXPECT_EQ(StoredUnits(), "1 0 -1");
    WriteRaw("Units_Mode.INI", UnitsFile(2, 1, 7));
    EXPECT_EQ(StoredUnits(), "0 1 -1");
    WriteRaw("Units_Mode.INI", UnitsFile(1, 12, 3));
    EXPECT_EQ(StoredUnits(), "1 0 3");
    EXPECT_EQ(GetDistanceFactor(), 0.3048 * 66.0);
}

TEST_F(UnitsTest, ASettingFileThatIsAFolderGivesTheDefaultAndStays) {
    fs::create_directories(File("Speed_Units.INI"));
    fs::create_directories(File("Tension_Mode.INI"));
    EXPECT_EQ(ReadSpeedMode(), 1);
    WriteTensionMode(2);
    EXPECT_TRUE(fs::is_directory(File("Tension_Mode.INI")));
    EXPECT_EQ(ReadTensionMode(), 0);
    EXPECT_EQ(Entries(m_settings), (std::set<std::string>{"Speed_Units.INI", "Tension_Mode.INI"}));
}

}  // namespace
