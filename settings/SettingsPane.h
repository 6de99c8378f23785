#pragma once
// CSettingsPane: the dockable pane in which the operator chooses the suite's units and
// formats. For now it carries only its public text tables, which the rows and formatters
// index by setting value; the pane itself is built on the windowing layer.

#include "platform/core/Export.h"

class SUI_API CSettingsPane {
public:
    static const char* const UnitsTxt[2];
    static const char* const NauticalTxt[3];
    static const char* const TensionTxt[3];
    static const char* const WeightTxt[2];
    static const char* const PressureTxt[2];
    static const char* const TemperatureTxt[2];
    static const char* const AngleFmtTxt[5];
    static const char* const LatLonFmtTxt[5];
    static const char* const LatQuadTxt[2];
    static const char* const LonQuadTxt[2];
};
