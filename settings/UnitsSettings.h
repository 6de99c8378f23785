#pragma once
// The operator's units: distance units and conversions, weight, tension, temperature,
// pressure and speed modes, decimal places. Every call reads the setting's file (through
// the read cache, which checks the file at each call), so a change by any program sharing
// the settings folder is seen at once.

#include "platform/core/CString.h"

// Fixed-layout record of the unit tables.
struct UnitDefinition {
    char name[24];
    double factor;
    char unitName[21];
    char abbreviation[11];
};

// The five unit tables, contiguous: weight (2), tension (3), foot definitions (12),
// nautical (3), metric (3).
constexpr int kUnitDefinitionCount = 23;
SUI_API extern const UnitDefinition UnitDefinitions[kUnitDefinitionCount];
SUI_API extern const UnitDefinition* const WeightUnits;      // factor: kilograms per unit
SUI_API extern const UnitDefinition* const TensionUnits;     // factor: units per tonne
SUI_API extern const UnitDefinition* const FootDefinitions;  // factor: metres per foot
SUI_API extern const UnitDefinition* const NauticalUnits;    // factor: metres per unit
SUI_API extern const UnitDefinition* const MetricUnits;      // factor: metres per unit
constexpr int kWeightUnitCount = 2;
constexpr int kTensionUnitCount = 3;
constexpr int kFootDefinitionCount = 12;
constexpr int kNauticalUnitCount = 3;
constexpr int kMetricUnitCount = 3;

// Imperial Mode names and short texts, and their multipliers of the foot.
SUI_API extern const char* const ImperialModeTxt[4];  // "Feet", "Yards", "Links", "Chains"
SUI_API extern const char* const ImperialUnitTxt[4];  // "Ft.", "Yds", "Lnk", "Chn"
SUI_API extern const char* const SpeedUnitTxt[4];     // "m/s", "Kts.", "kph", "mph"

// Units Mode; the stored Conversion Mode always goes to *conversionMode when given, the
// stored Imperial Mode to *imperialMode only when it is non-zero (callers set it to 0).
SUI_API int ReadUnitsSettings(int* conversionMode, int* imperialMode);
SUI_API void WriteUnitsSettings(int unitsMode, int conversionMode, int imperialMode);
SUI_API void SetUnitsMode(int unitsMode);
SUI_API void SetConversionMode(int conversionMode);
SUI_API void SetImperialMode(int imperialMode);

SUI_API double GetDistanceFactor();
SUI_API double GetDistanceFactorFor(int unitsMode, int conversionMode, int imperialMode);
SUI_API CString GetDistanceUnitText(int unitsMode, int conversionMode, int imperialMode);
SUI_API CString GetWeightPerLengthUnitText(int weightMode, int unitsMode, int conversionMode,
                                           int imperialMode);
SUI_API CString GetSpeedUnitText(int speedMode);

SUI_API int ReadDecimalPlaces();
SUI_API int ReadSpeedMode();
SUI_API int ReadTemperatureMode();
SUI_API void WriteTemperatureMode(int mode);
SUI_API int ReadPressureMode();
SUI_API void WritePressureMode(int mode);
SUI_API int ReadWeightMode();
SUI_API void WriteWeightMode(int mode);
SUI_API int ReadTensionMode();
SUI_API void WriteTensionMode(int mode);
