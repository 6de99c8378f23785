#pragma once
// The library's registered window messages, one accessor per name. A host that registers
// the same name itself gets the same number.

#include "platform/core/WinTypes.h"

// Group bits of the settings-update message (its wParam).
constexpr WPARAM SETTINGS_ANGLES = 0x01;
constexpr WPARAM SETTINGS_DATE_TIME = 0x04;
constexpr WPARAM SETTINGS_LAT_LON = 0x08;
constexpr WPARAM SETTINGS_SPEED = 0x10;
constexpr WPARAM SETTINGS_ENVIRONMENTAL = 0x20;
constexpr WPARAM SETTINGS_CABLE = 0x40;
constexpr WPARAM SETTINGS_UNITS = 0x80;

SUI_API extern const char* const kSettingsUpdateName;
SUI_API extern const char* const kPaneAdjustName;
SUI_API extern const char* const kSetLogName;
SUI_API extern const char* const kClickPropertyGridName;
SUI_API extern const char* const kDateUpdateName;
SUI_API extern const char* const kGraphConfigureName;
SUI_API extern const char* const kDialName;
SUI_API extern const char* const kLeftRightIndicatorName;

SUI_API UINT GetSettingsUpdateMessage();
SUI_API UINT GetPaneAdjustMessage();
SUI_API UINT GetSetLogMessage();
SUI_API UINT GetClickPropertyGridMessage();
SUI_API UINT GetDateUpdateMessage();
SUI_API UINT GetGraphConfigureMessage();
SUI_API UINT GetDialMessage();
SUI_API UINT GetLeftRightIndicatorMessage();
