#include "propgrid/EngineeringProperties.h"

#include <limits>

#include "settings/UnitsSettings.h"

namespace {

constexpr const char* kInitialFormat =
    "%6.2lf\xB0"
    "C";

constexpr int kTonnes = 0;
constexpr int kKips = 1;
constexpr int kKiloNewtons = 2;
constexpr const char* kTensionFormats[] = {"%9.2lfTonnes", "%9.2lfKIPS", "%9.2lfkN"};
constexpr double kKipsPerTonne = 2.2046226218487757;
constexpr double kTonnesPerKip = 0.45359237;
constexpr double kKiloNewtonsPerTonne = 9.80665;
constexpr double kTonnesPerKiloNewton = 0.10197162129779283;

constexpr int kFahrenheit = 1;
constexpr const char* kFahrenheitFormat =
    "%6.2lf\xB0"
    "F";
constexpr const char* kCentigradeFormat =
    "%6.1lf\xB0"
    "C";

bool IsNoValue(double value) {
    return value == std::numeric_limits<double>::max();
}

}  // namespace

// ---- Tension --------------------------------------------------------------------------------

CMFCPropertyGridTensionProperty::CMFCPropertyGridTensionProperty(const CString& strName,
                                                                 const double& value,
                                                                 LPCTSTR lpszDescr,
                                                                 DWORD_PTR dwData)
    : CMFCPropertyGridDouble(strName, value, kInitialFormat, lpszDescr, dwData) {
    Update();
}

bool CMFCPropertyGridTensionProperty::ApplyModeFormat(int mode) {
    if (mode < kTonnes || mode > kKiloNewtons) {
        return false;
    }
    return ApplyFormat(kTensionFormats[mode]);
}

void CMFCPropertyGridTensionProperty::Update() {
    SetFormat();
}

void CMFCPropertyGridTensionProperty::SetFormat() {
    if (ApplyModeFormat(ReadTensionMode())) {
        RedrawRow();
    }
}

CString CMFCPropertyGridTensionProperty::FormatProperty() {
    if (IsNoValue(m_dValue)) {
        return NoValueText();
    }
    const int mode = ReadTensionMode();
    if (!ApplyModeFormat(mode)) {
        return "";
    }
    StoreValue(ClampValue(m_dValue, m_dMin, m_dMax));  // the range is in tonnes
    const double perTonne[] = {1.0, kKipsPerTonne, kKiloNewtonsPerTonne};
    CString text;
    text.Format(m_strFormat, m_dValue * perTonne[mode]);
    return text;
}

BOOL CMFCPropertyGridTensionProperty::OnEdit(LPPOINT lptClick) {
    ApplyModeFormat(ReadTensionMode());
    return CMFCPropertyGridDouble::OnEdit(lptClick);
}

BOOL CMFCPropertyGridTensionProperty::OnUpdateValue() {
    CString text;
    if (!EditorText(text)) {
        return FALSE;
    }
    const int mode = ReadTensionMode();
    if (HoldsNumber(text) && mode >= kTonnes && mode <= kKiloNewtons) {
        const double tonnesPer[] = {1.0, kTonnesPerKip, kTonnesPerKiloNewton};
        StoreTypedValue(atof(text) * tonnesPer[mode]);
    }
    return TRUE;
}

// ---- Temperature ----------------------------------------------------------------------------

CMFCPropertyGridTemperatureProperty::CMFCPropertyGridTemperatureProperty(const CString& strName,
                                                                         const double& value,
                                                                         LPCTSTR lpszDescr,
                                                                         DWORD_PTR dwData)
    : CMFCPropertyGridDouble(strName, value, kInitialFormat, lpszDescr, dwData) {
    Update();
}

void CMFCPropertyGridTemperatureProperty::ApplyModeFormat(int mode) {
    ApplyFormat(mode == kFahrenheit ? kFahrenheitFormat : kCentigradeFormat);
}

void CMFCPropertyGridTemperatureProperty::Update() {
    SetFormat();
}

void CMFCPropertyGridTemperatureProperty::SetFormat() {
    ApplyModeFormat(ReadTemperatureMode());
    RedrawRow();
}

CString CMFCPropertyGridTemperatureProperty::FormatProperty() {
    if (IsNoValue(m_dValue)) {
        return NoValueText();
    }
    const int mode = ReadTemperatureMode();
    ApplyModeFormat(mode);
    StoreValue(ClampValue(m_dValue, m_dMin, m_dMax));  // the range is in Celsius
    const double shown = mode == kFahrenheit ? m_dValue * 9.0 / 5.0 + 32.0 : m_dValue;
    CString text;
    text.Format(m_strFormat, shown);
    return text;
}

BOOL CMFCPropertyGridTemperatureProperty::OnEdit(LPPOINT lptClick) {
    ApplyModeFormat(ReadTemperatureMode());
    return CMFCPropertyGridDouble::OnEdit(lptClick);
}

BOOL CMFCPropertyGridTemperatureProperty::OnUpdateValue() {
    CString text;
    if (!EditorText(text)) {
        return FALSE;
    }
    if (HoldsNumber(text)) {
        const double typed = atof(text);
        StoreTypedValue(ReadTemperatureMode() == kFahrenheit ? (typed - 32.0) * 5.0 / 9.0 : typed);
    }
    return TRUE;
}

// ---- Mode rows ------------------------------------------------------------------------------

CMFCPropertyGridModeProperty::CMFCPropertyGridModeProperty(const char* name,
                                                           const char* description,
                                                           const char* const* options,
                                                           int optionCount, ReadMode read,
                                                           WriteMode write, DWORD_PTR dwData)
    : CMFCPropertyGridProperty(name, COleVariant(""), description, dwData),
      m_options(options),
      m_nOptionCount(optionCount),
      m_read(read),
      m_write(write) {
    for (int i = 0; i < optionCount; ++i) {
        AddOption(options[i]);
    }
    AllowEdit(FALSE);
    m_nMode = m_read();
    m_varValue = OptionText(m_nMode);
}

CString CMFCPropertyGridModeProperty::OptionText(int mode) const {
    return mode >= 0 && mode < m_nOptionCount ? CString(m_options[mode]) : CString();
}

void CMFCPropertyGridModeProperty::Update() {
    m_nMode = m_read();
    m_varValue = OptionText(m_nMode);
    Redraw();
}

CString CMFCPropertyGridModeProperty::FormatProperty() {
    return OptionText(m_read());
}

BOOL CMFCPropertyGridModeProperty::OnUpdateValue() {
    if (!m_pWndInPlace || !m_pWndInPlace->GetSafeHwnd()) {
        return FALSE;
    }
    CString text;
    m_pWndInPlace->GetWindowText(text);
    for (int i = 0; i < m_nOptionCount; ++i) {
        if (text == m_options[i]) {
            m_write(i);
            break;
        }
    }
    return TRUE;
}

const char* const CMFCPropertyGridTensionModeProperty::m_TensionModeTxt[3] = {"Tonnes", "KIPS",
                                                                              "Kilo Newtons"};
const char* const CMFCPropertyGridTemperatureModeProperty::m_TemperatureModeTxt[2] = {"Centigrade",
                                                                                      "Fahrenheit"};
const char* const CMFCPropertyGridPressureModeProperty::m_PressureModeTxt[2] = {"Bar", "Kg/Cm"};
const char* const CMFCPropertyGridWeightModeProperty::m_WeightModeTxt[2] = {"Kilograms", "Pounds"};

CMFCPropertyGridTensionModeProperty::CMFCPropertyGridTensionModeProperty(DWORD_PTR dwData)
    : CMFCPropertyGridModeProperty("Tension Mode", "Select Tension Mode", m_TensionModeTxt, 3,
                                   ReadTensionMode, WriteTensionMode, dwData) {}

CMFCPropertyGridTemperatureModeProperty::CMFCPropertyGridTemperatureModeProperty(DWORD_PTR dwData)
    : CMFCPropertyGridModeProperty("Temperature Mode", "Select Temperature Mode",
                                   m_TemperatureModeTxt, 2, ReadTemperatureMode,
                                   WriteTemperatureMode, dwData) {}

CMFCPropertyGridPressureModeProperty::CMFCPropertyGridPressureModeProperty(DWORD_PTR dwData)
    : CMFCPropertyGridModeProperty("Pressure Mode", "Select Pressure Mode", m_PressureModeTxt, 2,
                                   ReadPressureMode, WritePressureMode, dwData) {}

CMFCPropertyGridWeightModeProperty::CMFCPropertyGridWeightModeProperty(DWORD_PTR dwData)
    : CMFCPropertyGridModeProperty("Weight Mode", "Select Weight Mode", m_WeightModeTxt, 2,
                                   ReadWeightMode, WriteWeightMode, dwData) {}
