// The units and formats settings: defaults, the unit tables, distance factors and unit
// texts, the reading and writing of the settings files, and bad stored values.

#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <random>
#include <set>
#include <string>

#include "surveyui.h"
#include "tests/settings/SettingsTestSupport.h"

namespace fs = std::filesystem;

namespace {

std::string Text(const CString& text) {
    return text.str();
}

std::set<std::string> Entries(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

struct StoredUnits {
    int units;
    int conversion;
    int imperial;
};

StoredUnits ReadStoredUnits() {
    StoredUnits stored{0, -1, 0};
    stored.units = ReadUnitsSettings(&stored.conversion, &stored.imperial);
    return stored;
}

class UnitsTest : public SettingsTest {};

TEST_F(UnitsTest, WithoutSettingsFilesEverySettingHasItsDefault) {
    int conversion = -1;
    int imperial = -1;
    const int units = ReadUnitsSettings(&conversion, &imperial);
    EXPECT_STREQ(CSettingsPane::UnitsTxt[units], "Metric");
    EXPECT_EQ(conversion, 0);
    EXPECT_EQ(imperial, -1);  // given only for a stored non-zero Imperial Mode
    EXPECT_EQ(GetDistanceFactor(), 1.0);
    EXPECT_EQ(Text(GetDistanceUnitText(units, conversion, 0)), " m");
    EXPECT_EQ(ReadDecimalPlaces(), 3);
    EXPECT_STREQ(CSettingsPane::TemperatureTxt[ReadTemperatureMode()], "Centigrade");
    EXPECT_STREQ(CSettingsPane::PressureTxt[ReadPressureMode()], "Bar");
    EXPECT_STREQ(CSettingsPane::WeightTxt[ReadWeightMode()], "Kilograms");
    EXPECT_STREQ(CSettingsPane::TensionTxt[ReadTensionMode()], "Tonnes");
    EXPECT_EQ(Text(GetSpeedUnitText(ReadSpeedMode())), "Kts.");
    EXPECT_EQ(ReadDateMode(), 1);
    EXPECT_EQ(ReadTimeMode(), 1);
    // Reading makes the folder but no settings file.
    EXPECT_TRUE(Entries(m_settings).empty());
}

TEST(UnitTables, RecordsHaveTheFixedLayout) {
    EXPECT_EQ(offsetof(UnitDefinition, name), 0u);
    EXPECT_EQ(offsetof(UnitDefinition, factor), 24u);
    EXPECT_EQ(offsetof(UnitDefinition, unitName), 32u);
    EXPECT_EQ(offsetof(UnitDefinition, abbreviation), 53u);
    EXPECT_EQ(sizeof(UnitDefinition), 64u);
}

TEST(UnitTables, TheFiveTablesLieInOrderInOneArray) {
    EXPECT_EQ(WeightUnits, &UnitDefinitions[0]);
    EXPECT_EQ(TensionUnits, &UnitDefinitions[2]);
    EXPECT_EQ(FootDefinitions, &UnitDefinitions[5]);
    EXPECT_EQ(NauticalUnits, &UnitDefinitions[17]);
    EXPECT_EQ(MetricUnits, &UnitDefinitions[20]);
    EXPECT_STREQ(WeightUnits[1].abbreviation, "Lbs");
    EXPECT_STREQ(TensionUnits[2].name, "Kiilonewtons");
    EXPECT_STREQ(TensionUnits[2].abbreviation, "kN");
    EXPECT_STREQ(FootDefinitions[0].name, "International");
    EXPECT_STREQ(FootDefinitions[11].name, "Indian 1975");
    EXPECT_STREQ(NauticalUnits[0].unitName, "Miles");
    EXPECT_STREQ(NauticalUnits[2].abbreviation, "fth");
    EXPECT_STREQ(MetricUnits[0].abbreviation, " m");
    EXPECT_STREQ(MetricUnits[2].name, "Germany Legal");
    for (int i = 0; i < kFootDefinitionCount; ++i) {
        SCOPED_TRACE(FootDefinitions[i].name);
        EXPECT_STREQ(FootDefinitions[i].unitName, "Feet");
        EXPECT_STREQ(FootDefinitions[i].abbreviation, "ft");
        EXPECT_NEAR(FootDefinitions[i].factor, 0.3048, 5e-5);
    }
}

TEST(UnitTables, DerivedFactorsAreTheirExactDoubles) {
    EXPECT_EQ(TensionUnits[1].factor, 1.0 / WeightUnits[1].factor);
    EXPECT_EQ(TensionUnits[2].factor, 9.80665);
    EXPECT_EQ(NauticalUnits[1].factor, NauticalUnits[0].factor * 0.1);
    EXPECT_EQ(NauticalUnits[2].factor, 6 * FootDefinitions[0].factor);
    EXPECT_EQ(MetricUnits[1].factor, 1000.0);
}

TEST(SettingsPaneTexts, NameEveryOptionInIndexOrder) {
    EXPECT_STREQ(CSettingsPane::UnitsTxt[1], "Imperial");
    EXPECT_STREQ(CSettingsPane::NauticalTxt[2], "Fathom");
    EXPECT_STREQ(CSettingsPane::TensionTxt[1], "Kips/Sq. Inch");
    EXPECT_STREQ(CSettingsPane::TensionTxt[2], "Kilotonnes");
    EXPECT_STREQ(CSettingsPane::PressureTxt[1], "Kg/Cm");
    EXPECT_STREQ(CSettingsPane::TemperatureTxt[1], "Fahrenheit");
    EXPECT_STREQ(CSettingsPane::LatQuadTxt[1], "South");
    EXPECT_STREQ(CSettingsPane::LonQuadTxt[1], "West");
    // Windows-1252 degree and plus-minus bytes.
    EXPECT_STREQ(CSettingsPane::AngleFmtTxt[0], "DDD\xB0 MM' SS\".SSS");
    EXPECT_STREQ(CSettingsPane::AngleFmtTxt[3],
                 "\xB1"
                 "DDD\xB0.DDDDDDDD");
    EXPECT_STREQ(CSettingsPane::LatLonFmtTxt[1], "DDD\xB0 MM'.MMMMMQ");
    EXPECT_STREQ(CSettingsPane::LatLonFmtTxt[4], "GRADIANS");
    EXPECT_EQ(std::strlen(CSettingsPane::AngleFmtTxt[3]), 14u);
}

TEST(DistanceFactor, FollowsUnitsConversionAndImperialMode) {
    EXPECT_EQ(GetDistanceFactorFor(1, 0, 3), 0.3048 * 66.0);  // International chains
    EXPECT_NEAR(GetDistanceFactorFor(1, 0, 3), 20.1168, 1e-12);
    EXPECT_EQ(GetDistanceFactorFor(1, 1, 1), 0.30480060960121924 * 3.0);  // US Survey yards
    EXPECT_EQ(GetDistanceFactorFor(1, 0, 2), 0.3048 * 0.66);              // links
    EXPECT_EQ(GetDistanceFactorFor(1, 11, 0), 0.3047995);
    EXPECT_EQ(GetDistanceFactorFor(1, 0, 9), 0.3048);  // an unknown Imperial Mode is feet
    EXPECT_EQ(GetDistanceFactorFor(0, 1, 3), 1000.0);  // no Imperial Mode in metric
    EXPECT_EQ(GetDistanceFactorFor(0, 2, 0), 1.0000135965);
    EXPECT_EQ(GetDistanceFactorFor(2, 1, 1), 1.0);
    EXPECT_EQ(GetDistanceFactorFor(-1, 0, 0), 1.0);
}

TEST(DistanceFactor, AConversionModeOutsideItsTableIsTheFirstEntry) {
    EXPECT_EQ(GetDistanceFactorFor(0, 3, 0), 1.0);
    EXPECT_EQ(GetDistanceFactorFor(0, INT_MIN, 0), 1.0);
    EXPECT_EQ(GetDistanceFactorFor(1, 12, 1), 0.3048 * 3.0);
    EXPECT_EQ(GetDistanceFactorFor(1, -1, 0), 0.3048);
    EXPECT_EQ(Text(GetDistanceUnitText(0, 3, 0)), " m");
}

TEST(UnitTexts, DistanceTextsFollowUnitsAndImperialMode) {
    EXPECT_EQ(Text(GetDistanceUnitText(0, 0, 3)), " m");
    EXPECT_EQ(Text(GetDistanceUnitText(0, 1, 3)), "Km");
    EXPECT_EQ(Text(GetDistanceUnitText(0, 2, 0)), " m");
    EXPECT_EQ(Text(GetDistanceUnitText(1, 5, 0)), "Ft.");
    EXPECT_EQ(Text(GetDistanceUnitText(1, 5, 1)), "Yds");
    EXPECT_EQ(Text(GetDistanceUnitText(1, 0, 2)), "Lnk");
    EXPECT_EQ(Text(GetDistanceUnitText(1, 0, 3)), "Chn");
    EXPECT_EQ(Text(GetDistanceUnitText(1, 0, 4)), "");
    EXPECT_EQ(Text(GetDistanceUnitText(2, 0, 0)), "");
}

TEST(UnitTexts, WeightPerLengthJoinsWeightAndDistance) {
    EXPECT_EQ(Text(GetWeightPerLengthUnitText(0, 0, 0, 0)), "Kgs/ m");
    EXPECT_EQ(Text(GetWeightPerLengthUnitText(1, 1, 0, 0)), "Lbs/Ft.");
    EXPECT_EQ(Text(GetWeightPerLengthUnitText(1, 0, 1, 0)), "Lbs/Km");
    EXPECT_EQ(Text(GetWeightPerLengthUnitText(2, 1, 0, 1)), "/Yds");
    EXPECT_EQ(Text(GetWeightPerLengthUnitText(0, 2, 0, 0)), "Kgs/");
}

TEST(UnitTexts, SpeedTextsForTheFourModes) {
    EXPECT_EQ(Text(GetSpeedUnitText(0)), "m/s");
    EXPECT_EQ(Text(GetSpeedUnitText(1)), "Kts.");
    EXPECT_EQ(Text(GetSpeedUnitText(2)), "kph");
    EXPECT_EQ(Text(GetSpeedUnitText(3)), "mph");
    EXPECT_EQ(Text(GetSpeedUnitText(4)), "");
    EXPECT_EQ(Text(GetSpeedUnitText(-1)), "");
}

TEST_F(UnitsTest, UnitsAreStoredAsThreeLinesAndReadBackWhole) {
    WriteUnitsSettings(1, 7, 3);
    EXPECT_EQ(ReadRaw("Units_Mode.INI"),
              "Units Mode = 1\r\nConversion Mode = 7\r\nImperial Mode = 3\r\n");
    int conversion = 0;
    int imperial = 0;
    EXPECT_EQ(ReadUnitsSettings(&conversion, &imperial), 1);
    EXPECT_EQ(conversion, 7);  // the operator's foot definition, not the International one
    EXPECT_EQ(imperial, 3);
    EXPECT_EQ(ReadUnitsSettings(nullptr, nullptr), 1);
    EXPECT_EQ(GetDistanceFactor(), FootDefinitions[7].factor * 66.0);
}

TEST_F(UnitsTest, TheImperialOutValueIsGivenOnlyWhenNonZero) {
    WriteUnitsSettings(1, 2, 0);
    int conversion = -1;
    int imperial = -1;
    EXPECT_EQ(ReadUnitsSettings(&conversion, &imperial), 1);
    EXPECT_EQ(conversion, 2);
    EXPECT_EQ(imperial, -1);
}

TEST_F(UnitsTest, ChangingOneUnitsValueKeepsTheOthers) {
    WriteUnitsSettings(1, 4, 2);
    SetImperialMode(3);
    EXPECT_EQ(ReadRaw("Units_Mode.INI"),
              "Units Mode = 1\r\nConversion Mode = 4\r\nImperial Mode = 3\r\n");
    SetConversionMode(9);
    EXPECT_EQ(ReadRaw("Units_Mode.INI"),
              "Units Mode = 1\r\nConversion Mode = 9\r\nImperial Mode = 3\r\n");
    // Foot definition 9 has no metric counterpart.
    SetUnitsMode(0);
    EXPECT_EQ(ReadRaw("Units_Mode.INI"),
              "Units Mode = 0\r\nConversion Mode = 0\r\nImperial Mode = 3\r\n");
    SetImperialMode(0);
    EXPECT_EQ(ReadRaw("Units_Mode.INI"),
              "Units Mode = 0\r\nConversion Mode = 0\r\nImperial Mode = 0\r\n");
}

TEST_F(UnitsTest, AConversionModeBeyondItsTableIsStoredAsZero) {
    WriteUnitsSettings(1, 13, 0);
    EXPECT_EQ(ReadStoredUnits().conversion, 0);
    WriteUnitsSettings(1, 11, 0);
    EXPECT_EQ(ReadStoredUnits().conversion, 11);
    WriteUnitsSettings(0, 3, 0);
    EXPECT_EQ(ReadStoredUnits().conversion, 0);
    WriteUnitsSettings(0, 2, 0);
    EXPECT_EQ(ReadStoredUnits().conversion, 2);
    WriteUnitsSettings(0, -1, 0);
    EXPECT_EQ(ReadStoredUnits().conversion, 0);
}

TEST_F(UnitsTest, AnUnknownUnitsModeIsNotWrittenAndAnUnknownImperialModeIsFeet) {
    WriteUnitsSettings(1, 2, 1);
    const std::string stored = ReadRaw("Units_Mode.INI");
    WriteUnitsSettings(2, 0, 0);
    WriteUnitsSettings(-1, 0, 0);
    SetUnitsMode(5);
    EXPECT_EQ(ReadRaw("Units_Mode.INI"), stored);

    WriteUnitsSettings(1, 2, 4);
    EXPECT_EQ(ReadRaw("Units_Mode.INI"),
              "Units Mode = 1\r\nConversion Mode = 2\r\nImperial Mode = 0\r\n");
}

struct ModeCase {
    const char* fileName;
    const char* key;
    void (*write)(int);
    int (*read)();
    int count;
};

class ModeSettingTest : public SettingsTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(ModeSettingTest, StoresEveryValueInRangeUnderItsKey) {
    const ModeCase& mode = GetParam();
    for (int value = 0; value < mode.count; ++value) {
        mode.write(value);
        EXPECT_EQ(ReadRaw(mode.fileName),
                  std::string(mode.key) + " = " + std::to_string(value) + "\r\n");
        EXPECT_EQ(mode.read(), value);
    }
}

TEST_P(ModeSettingTest, IgnoresValuesOutOfRange) {
    const ModeCase& mode = GetParam();
    mode.write(mode.count);
    EXPECT_EQ(ReadRaw(mode.fileName), "<missing>");

    mode.write(1);
    const std::string stored = ReadRaw(mode.fileName);
    for (const int value : {mode.count, -1, INT_MAX, INT_MIN}) {
        mode.write(value);
        EXPECT_EQ(ReadRaw(mode.fileName), stored) << value;
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, ModeSettingTest,
                         ::testing::Values(ModeCase{"Temperature_Units.INI", "Temperature Modee",
                                                    WriteTemperatureMode, ReadTemperatureMode, 2},
                                           ModeCase{"Pressure_Mode.INI", "Pressure Mode",
                                                    WritePressureMode, ReadPressureMode, 2},
                                           ModeCase{"Weight_Mode.INI", "Weight Mode",
                                                    WriteWeightMode, ReadWeightMode, 2},
                                           ModeCase{"Tension_Mode.INI", "Tension Mode",
                                                    WriteTensionMode, ReadTensionMode, 3}));

TEST_F(UnitsTest, DecimalPlacesAndSpeedModeAreReadFromTheirFiles) {
    WriteRaw("Decimal_Places.INI", "No Dps = 2\r\n");
    WriteRaw("Speed_Units.INI", "Speed Mode = 3\r\n");
    EXPECT_EQ(ReadDecimalPlaces(), 2);
    EXPECT_EQ(ReadSpeedMode(), 3);
}

TEST_F(UnitsTest, AChangeToAFileIsSeenByTheNextCall) {
    EXPECT_EQ(ReadTensionMode(), 0);
    WriteRaw("Tension_Mode.INI", "Tension Mode = 2\r\n");
    EXPECT_EQ(ReadTensionMode(), 2);
    fs::remove(File("Tension_Mode.INI"));
    EXPECT_EQ(ReadTensionMode(), 0);
}

TEST_F(UnitsTest, MalformedLinesReadAsZeroNotAsTheDefault) {
    WriteRaw("Speed_Units.INI", "Speed Mode = fast\r\n");
    EXPECT_EQ(ReadSpeedMode(), 0);
    WriteRaw("Decimal_Places.INI", "No Dps 2\r\n");
    EXPECT_EQ(ReadDecimalPlaces(), 0);
    WriteRaw("Decimal_Places.INI", "");
    EXPECT_EQ(ReadDecimalPlaces(), 0);

    WriteRaw("Units_Mode.INI", "Units Mode = 1\r\n");
    const StoredUnits stored = ReadStoredUnits();
    EXPECT_EQ(stored.units, 1);
    EXPECT_EQ(stored.conversion, 0);
    EXPECT_EQ(stored.imperial, 0);
}

TEST_F(UnitsTest, StoredValuesOutsideTheirRangeReadAsDefaults) {
    WriteRaw("Speed_Units.INI", "Speed Mode = 9\r\n");
    EXPECT_EQ(ReadSpeedMode(), 1);
    WriteRaw("Speed_Units.INI", "Speed Mode = 99999999999999999999\r\n");
    EXPECT_EQ(ReadSpeedMode(), 1);
    WriteRaw("Decimal_Places.INI", "No Dps = 12\r\n");
    EXPECT_EQ(ReadDecimalPlaces(), 3);
    WriteRaw("Decimal_Places.INI", "No Dps = -1\r\n");
    EXPECT_EQ(ReadDecimalPlaces(), 3);
    WriteRaw("Tension_Mode.INI", "Tension Mode = 3\r\n");
    EXPECT_EQ(ReadTensionMode(), 0);
    WriteRaw("Temperature_Units.INI", "Temperature Modee = -2147483648\r\n");
    EXPECT_EQ(ReadTemperatureMode(), 0);

    WriteRaw("Units_Mode.INI", "Units Mode = 2\r\nConversion Mode = 1\r\nImperial Mode = 7\r\n");
    StoredUnits stored = ReadStoredUnits();
    EXPECT_EQ(stored.units, 0);
    EXPECT_EQ(stored.conversion, 1);
    EXPECT_EQ(stored.imperial, 0);
    WriteRaw("Units_Mode.INI", "Units Mode = 1\r\nConversion Mode = 12\r\nImperial Mode = 3\r\n");
    stored = ReadStoredUnits();
    EXPECT_EQ(stored.units, 1);
    EXPECT_EQ(stored.conversion, 0);
    EXPECT_EQ(GetDistanceFactor(), 0.3048 * 66.0);
}

TEST_F(UnitsTest, AMultiMegabyteLineDoesNotShiftTheUnits) {
    WriteRaw("Units_Mode.INI",
             std::string(4 << 20, 'x') + " = 1\r\nConversion Mode = 5\r\nImperial Mode = 3\r\n");
    const StoredUnits stored = ReadStoredUnits();
    EXPECT_EQ(stored.units, 1);
    EXPECT_EQ(stored.conversion, 5);
    EXPECT_EQ(stored.imperial, 3);
}

TEST_F(UnitsTest, RandomBytesReadAsValidSettingsAndAreReplacedWhole) {
    std::mt19937 random(20240611);
    // Bytes of all kinds, with the characters of real lines often enough to form some.
    const std::string frequent = "0123456789 =-\r\n";
    auto randomBytes = [&] {
        std::string bytes(random() % 200, '\0');
        for (char& byte : bytes) {
            byte = random() % 2 ? frequent[random() % frequent.size()]
                                : static_cast<char>(random() % 256);
        }
        return bytes;
    };
    for (int round = 0; round < 200; ++round) {
        WriteRaw("Units_Mode.INI", randomBytes());
        WriteRaw("Tension_Mode.INI", randomBytes());
        const StoredUnits stored = ReadStoredUnits();
        ASSERT_TRUE(stored.units == 0 || stored.units == 1) << round;
        ASSERT_GE(stored.conversion, 0) << round;
        ASSERT_LT(stored.conversion, stored.units == 0 ? kMetricUnitCount : kFootDefinitionCount);
        ASSERT_GE(stored.imperial, 0) << round;
        ASSERT_LT(stored.imperial, 4) << round;
        ASSERT_GT(GetDistanceFactor(), 0.0) << round;
        const int tension = ReadTensionMode();
        ASSERT_TRUE(tension >= 0 && tension < kTensionUnitCount) << round;
    }
    WriteUnitsSettings(1, 3, 2);
    EXPECT_EQ(ReadRaw("Units_Mode.INI"),
              "Units Mode = 1\r\nConversion Mode = 3\r\nImperial Mode = 2\r\n");
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
