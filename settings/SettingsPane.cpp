#include "settings/SettingsPane.h"

// Option texts of the settings, indexed by the setting's value. The degree sign is the
// byte 0xB0 and the plus-minus sign 0xB1; a literal is split after "\xB1" so that the
// following D is not read as a further hex digit.
const char* const CSettingsPane::UnitsTxt[2] = {"Metric", "Imperial"};
const char* const CSettingsPane::NauticalTxt[3] = {"Nautical Mile", "Cable", "Fathom"};
const char* const CSettingsPane::TensionTxt[3] = {"Tonnes", "Kips/Sq. Inch", "Kilotonnes"};
const char* const CSettingsPane::WeightTxt[2] = {"Kilograms", "Pounds"};
const char* const CSettingsPane::PressureTxt[2] = {"Bar", "Kg/Cm"};
const char* const CSettingsPane::TemperatureTxt[2] = {"Centigrade", "Fahrenheit"};
const char* const CSettingsPane::AngleFmtTxt[5] = {
    "DDD\xB0 MM' SS\".SSS",
    "DDD\xB0 MM'.MMMMM",
    "DDD\xB0.DDDDDDDD",
    "\xB1"
    "DDD\xB0.DDDDDDDD",
    "GRADIANS",
};
const char* const CSettingsPane::LatLonFmtTxt[5] = {
    "DDD\xB0 MM' SS\".SSSQ",
    "DDD\xB0 MM'.MMMMMQ",
    "DDD\xB0.DDDDDDDDQ",
    "\xB1"
    "DDD\xB0.DDDDDDDD",
    "GRADIANS",
};
const char* const CSettingsPane::LatQuadTxt[2] = {"North", "South"};
const char* const CSettingsPane::LonQuadTxt[2] = {"East", "West"};
