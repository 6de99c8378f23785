#include "settings/UnitsSettings.h"

#include "settings/ConfigFile.h"
#include "settings/SettingsFile.h"

const UnitDefinition UnitDefinitions[kUnitDefinitionCount] = {
    // Weight: kilograms per unit.
    {"Kilograms", 1.0, "Kilograms", "Kgs"},
    {"Imperial", 0.45359237, "Pounds", "Lbs"},
    // Tension: units per tonne (a kip is 1000 pounds-force).
    {"Tons", 1.0, "Tonnes", "Tons"},
    {"Kips", 2.2046226218487757, "Kips/Sq. Inch", "Kips"},
    {"Kiilonewtons", 9.80665, "Kilonewtons", "kN"},
    // Foot definitions: metres per foot.
    {"International", 0.3048, "Feet", "ft"},
    {"US Survey", 0.30480060960121924, "Feet", "ft"},
    {"British 1865", 0.30480083333333335, "Feet", "ft"},
    {"Benoit 1895A", 0.30483306666666665, "Feet", "ft"},
    {"Benoit 1895B", 0.30479973476327077, "Feet", "ft"},
    {"Sear 1922", 0.3047994715386762, "Feet", "ft"},
    {"Clarke", 0.304797265, "Feet", "ft"},
    {"Gold Coast", 0.304799710181509, "Feet", "ft"},
    {"Indian", 0.3047995104977167, "Feet", "ft"},
    {"Indian 1937", 0.30479841, "Feet", "ft"},
    {"Indian 1962", 0.3047996, "Feet", "ft"},
    {"Indian 1975", 0.3047995, "Feet", "ft"},
    // Nautical: metres per unit.
    {"Nautical Mile", 1852.0, "Miles", "Nm"},
    {"Cable", 185.20000000000002, "Cable", "cbl"},
    {"Fathom", 1.8288000000000002, "Fathom", "fth"},
    // Metric: metres per unit.
    {"Metres", 1.0, "Metres", " m"},
    {"Kilometers", 1000.0, "Kilometers", "Km"},
    {"Germany Legal", 1.0000135965, "Metres", " m"},
};
static_assert(kWeightUnitCount + kTensionUnitCount + kFootDefinitionCount + kNauticalUnitCount +
                  kMetricUnitCount ==
              kUnitDefinitionCount);

const UnitDefinition* const WeightUnits = UnitDefinitions;
const UnitDefinition* const TensionUnits = UnitDefinitions + kWeightUnitCount;
const UnitDefinition* const FootDefinitions =
    UnitDefinitions + kWeightUnitCount + kTensionUnitCount;
const UnitDefinition* const NauticalUnits =
    UnitDefinitions + kWeightUnitCount + kTensionUnitCount + kFootDefinitionCount;
const UnitDefinition* const MetricUnits = UnitDefinitions + kWeightUnitCount + kTensionUnitCount +
                                          kFootDefinitionCount + kNauticalUnitCount;

const char* const ImperialModeTxt[4] = {"Feet", "Yards", "Links", "Chains"};
const char* const ImperialUnitTxt[4] = {"Ft.", "Yds", "Lnk", "Chn"};
const char* const SpeedUnitTxt[4] = {"m/s", "Kts.", "kph", "mph"};

namespace {

constexpr int kMetric = 0;
constexpr int kImperial = 1;
constexpr int kUnitsModeCount = 2;
constexpr int kImperialModeCount = 4;

// Feet, yards, links (Gunter's, 0.66 ft) and chains (66 ft), in feet.
constexpr double kImperialMultipliers[kImperialModeCount] = {1.0, 3.0, 0.66, 66.0};

constexpr const char* kUnitsFile = "Units Mode";

bool InRange(int value, int count) {
    return value >= 0 && value < count;
}

// The settings held in a file of their own as a single whole number, valid from 0 to
// count - 1. The fallback stands for a file that cannot be opened and for a stored value
// outside the range, which the tables indexed by it could not show.
struct ModeSetting {
    const char* file;
    const char* key;
    int count;
    int fallback;
};

constexpr ModeSetting kDecimalPlaces{"Decimal Places", "No Dps", 4, 3};
constexpr ModeSetting kTemperatureMode{"Temperature Units", "Temperature Modee", 2, 0};
constexpr ModeSetting kPressureMode{"Pressure Mode", "Pressure Mode", 2, 0};
constexpr ModeSetting kWeightMode{"Weight Mode", "Weight Mode", kWeightUnitCount, 0};
constexpr ModeSetting kTensionMode{"Tension Mode", "Tension Mode", kTensionUnitCount, 0};
constexpr ModeSetting kSpeedMode{"Speed Units", "Speed Mode", 4, 1};

// A missing line, a line without '=' and text that is not a number read as 0.
int ReadMode(const ModeSetting& setting) {
    CConfigFile file;
    if (!file.OpenForRead(setting.file)) {
        return setting.fallback;
    }
    const int value = file.ReadInt(0);
    return InRange(value, setting.count) ? value : setting.fallback;
}

void WriteMode(const ModeSetting& setting, int value) {
    if (!InRange(value, setting.count)) {
        return;
    }
    RewriteSetting(setting.file, [&](CConfigFile& file) { file.WriteInt(setting.key, value); });
}

int ConversionCount(int unitsMode) {
    return unitsMode == kImperial ? kFootDefinitionCount : kMetricUnitCount;
}

// A Conversion Mode outside its table stands for the table's first entry, for reading,
// writing, the factor and the unit text alike.
int ConversionIndex(int conversionMode, int count) {
    return InRange(conversionMode, count) ? conversionMode : 0;
}

struct UnitsSettings {
    int unitsMode = 0;
    int conversionMode = 0;
    int imperialMode = 0;
};

// The stored units file; values outside their ranges read as their defaults.
UnitsSettings LoadUnitsSettings() {
    UnitsSettings stored;
    CConfigFile file;
    if (!file.OpenForRead(kUnitsFile)) {
        return stored;
    }
    stored.unitsMode = file.ReadInt(0);
    stored.conversionMode = file.ReadInt(0);
    stored.imperialMode = file.ReadInt(0);
    if (!InRange(stored.unitsMode, kUnitsModeCount)) {
        stored.unitsMode = 0;
    }
    stored.conversionMode =
        ConversionIndex(stored.conversionMode, ConversionCount(stored.unitsMode));
    if (!InRange(stored.imperialMode, kImperialModeCount)) {
        stored.imperialMode = 0;
    }
    return stored;
}

}  // namespace

int ReadUnitsSettings(int* conversionMode, int* imperialMode) {
    const UnitsSettings stored = LoadUnitsSettings();
    if (conversionMode) {
        *conversionMode = stored.conversionMode;
    }
    if (imperialMode && stored.imperialMode != 0) {
        *imperialMode = stored.imperialMode;
    }
    return stored.unitsMode;
}

void WriteUnitsSettings(int unitsMode, int conversionMode, int imperialMode) {
    if (!InRange(unitsMode, kUnitsModeCount)) {
        return;
    }
    conversionMode = ConversionIndex(conversionMode, ConversionCount(unitsMode));
    if (!InRange(imperialMode, kImperialModeCount)) {
        imperialMode = 0;
    }
    RewriteSetting(kUnitsFile, [&](CConfigFile& file) {
        file.WriteInt("Units Mode", unitsMode);
        file.WriteInt("Conversion Mode", conversionMode);
        file.WriteInt("Imperial Mode", imperialMode);
    });
}

void SetUnitsMode(int unitsMode) {
    int conversionMode = 0;
    int imperialMode = 0;
    ReadUnitsSettings(&conversionMode, &imperialMode);
    WriteUnitsSettings(unitsMode, conversionMode, imperialMode);
}

void SetConversionMode(int conversionMode) {
    int imperialMode = 0;
    const int unitsMode = ReadUnitsSettings(nullptr, &imperialMode);
    WriteUnitsSettings(unitsMode, conversionMode, imperialMode);
}

void SetImperialMode(int imperialMode) {
    int conversionMode = 0;
    const int unitsMode = ReadUnitsSettings(&conversionMode, nullptr);
    WriteUnitsSettings(unitsMode, conversionMode, imperialMode);
}

double GetDistanceFactor() {
    int conversionMode = 0;
    int imperialMode = 0;
    const int unitsMode = ReadUnitsSettings(&conversionMode, &imperialMode);
    return GetDistanceFactorFor(unitsMode, conversionMode, imperialMode);
}

double GetDistanceFactorFor(int unitsMode, int conversionMode, int imperialMode) {
    double factor = 1.0;
    if (unitsMode == kMetric) {
        factor = MetricUnits[ConversionIndex(conversionMode, kMetricUnitCount)].factor;
    } else if (unitsMode == kImperial) {
        factor = FootDefinitions[ConversionIndex(conversionMode, kFootDefinitionCount)].factor;
        if (InRange(imperialMode, kImperialModeCount)) {
            factor *= kImperialMultipliers[imperialMode];
        }
    }
    return factor > 0.0 ? factor : 1.0;
}

CString GetDistanceUnitText(int unitsMode, int conversionMode, int imperialMode) {
    if (unitsMode == kMetric) {
        return MetricUnits[ConversionIndex(conversionMode, kMetricUnitCount)].abbreviation;
    }
    if (unitsMode == kImperial && InRange(imperialMode, kImperialModeCount)) {
        return ImperialUnitTxt[imperialMode];
    }
    return CString();
}

CString GetWeightPerLengthUnitText(int weightMode, int unitsMode, int conversionMode,
                                   int imperialMode) {
    const char* weight =
        InRange(weightMode, kWeightUnitCount) ? WeightUnits[weightMode].abbreviation : "";
    CString text;
    text.Format("%s/%s", weight,
                GetDistanceUnitText(unitsMode, conversionMode, imperialMode).GetString());
    return text;
}

CString GetSpeedUnitText(int speedMode) {
    return InRange(speedMode, kSpeedMode.count) ? SpeedUnitTxt[speedMode] : "";
}

int ReadDecimalPlaces() {
    return ReadMode(kDecimalPlaces);
}
int ReadSpeedMode() {
    return ReadMode(kSpeedMode);
}
int ReadTemperatureMode() {
    return ReadMode(kTemperatureMode);
}
void WriteTemperatureMode(int mode) {
    WriteMode(kTemperatureMode, mode);
}
int ReadPressureMode() {
    return ReadMode(kPressureMode);
}
void WritePressureMode(int mode) {
    WriteMode(kPressureMode, mode);
}
int ReadWeightMode() {
    return ReadMode(kWeightMode);
}
void WriteWeightMode(int mode) {
    WriteMode(kWeightMode, mode);
}
int ReadTensionMode() {
    return ReadMode(kTensionMode);
}
void WriteTensionMode(int mode) {
    WriteMode(kTensionMode, mode);
}
