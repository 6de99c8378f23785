#pragma once
// What the operator's settings do to the values a program shows: a few sample values
// formatted the way the settings say now. The settings pane of the demo shows them, and
// the settings report writes them after each change it makes.

#include <filesystem>
#include <vector>

#include "platform/core/CString.h"

struct SettingLine {
    CString label;
    CString value;  // Windows-1252, as the library formats it
};

// The sample values as the settings stand now (every call reads them again).
std::vector<SettingLine> DescribeOperatorSettings();

// Switches the units and formats three times through the library's own settings
// operations and writes the sample values after each step to file (UTF-8). False when
// the file cannot be written.
bool WriteSettingsReport(const std::filesystem::path& file);

// The settings the demo's screen shows: metric, tonnes, kilograms, centigrade and bar,
// positions in degrees, minutes and seconds.
void ChooseDemoSettings();
