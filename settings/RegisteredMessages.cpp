#include "settings/RegisteredMessages.h"

#include "platform/core/Messages.h"

const char* const kSettingsUpdateName = "UM_SETTINGS_UPDATE-{650DFEC8-C4F4-4980-A4C3-946F165CE350}";
const char* const kPaneAdjustName = "UM_PANE_ADJUST-{FF735622-1A96-4124-92E0-124E63FD1EDC}";
const char* const kSetLogName = "UM_SET_LOG-{8FF758A1-5380-4831-995B-7D34476CF410}";
const char* const kClickPropertyGridName =
    "UM_CLICK_PROPERTY_GRID-{1D577DFE-24DA-41D9-A340-6A5F7F0CD044}";
const char* const kDateUpdateName = "UM_DATE_UPDATE-{812CB0AA-B00D-4F47-8C00-32B2FF9511E4}";
const char* const kGraphConfigureName = "UM_GRAPH_CONFIGURE-{79AE8DED-092B-40F3-9947-8237AAE80F58}";
const char* const kDialName = "UM_DIAL-{5210C9E4-DE9C-4911-B8C1-45A0DC9B41F2}";
const char* const kLeftRightIndicatorName =
    "UM_LEFT_RIGHT_INDICATOR-{76AC0331-4902-473C-A9AA-00E850ADC066}";

// Each number is registered once, at start-up (the module entry asks for all of them),
// and fixed for the life of the process.
UINT GetSettingsUpdateMessage() {
    static const UINT number = RegisterWindowMessageA(kSettingsUpdateName);
    return number;
}

UINT GetPaneAdjustMessage() {
    static const UINT number = RegisterWindowMessageA(kPaneAdjustName);
    return number;
}

UINT GetSetLogMessage() {
    static const UINT number = RegisterWindowMessageA(kSetLogName);
    return number;
}

UINT GetClickPropertyGridMessage() {
    static const UINT number = RegisterWindowMessageA(kClickPropertyGridName);
    return number;
}

UINT GetDateUpdateMessage() {
    static const UINT number = RegisterWindowMessageA(kDateUpdateName);
    return number;
}

UINT GetGraphConfigureMessage() {
    static const UINT number = RegisterWindowMessageA(kGraphConfigureName);
    return number;
}

UINT GetDialMessage() {
    static const UINT number = RegisterWindowMessageA(kDialName);
    return number;
}

UINT GetLeftRightIndicatorMessage() {
    static const UINT number = RegisterWindowMessageA(kLeftRightIndicatorName);
    return number;
}
