#include "settings/SettingsPane.h"

#include "settings/AngleText.h"
#include "settings/DateTimeText.h"
#include "settings/RegisteredMessages.h"
#include "settings/SettingsFile.h"
#include "settings/UnitsSettings.h"

const CRuntimeClass CSettingsPane::runtimeClass =
    plat::MakeRuntimeClass<CSettingsPane, CMyDockablePane>("CSettingsPane");

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

namespace {

// The property ids, stored as each row's data.
enum PropertyId {
    kDateId = 1,
    kTimeId,
    kLatFormatId,
    kLonFormatId,
    kLatQuadId,
    kLonQuadId,
    kAngleFormatId,
    kUnitsTypeId,
    kConversionId,
    kImperialId,
    kDecimalPlacesId,
    kSpeedId,
    kTensionId,
    kWeightId,
    kTemperatureId,
    kPressureId,
};

constexpr int kMaxDecimalPlaces = 3;
constexpr int kDateModeCount = 4;
constexpr int kTimeModeCount = 3;
constexpr int kSpeedModeCount = 4;
constexpr const char* kDateSuffixes[kDateModeCount] = {" (Numeric)", " (Text)", " (Long)",
                                                       " (American)"};
constexpr int kMetric = 0;
constexpr int kImperial = 1;

struct ColourSet {
    COLORREF background, text, groupBackground, groupText, descriptionBackground, descriptionText,
        line;
};
constexpr ColourSet kDayColours = {RGB(214, 214, 214), RGB(0, 0, 0),    RGB(85, 85, 85),
                                   RGB(235, 235, 235), RGB(85, 85, 85), RGB(235, 235, 235),
                                   RGB(85, 85, 85)};
constexpr ColourSet kNightColours = {RGB(0, 0, 0),       RGB(192, 192, 192), RGB(85, 85, 85),
                                     RGB(235, 235, 235), RGB(85, 85, 85),    RGB(192, 192, 192),
                                     RGB(85, 85, 85)};
constexpr int kPaneScheme = 1;

CMFCPropertyGridProperty* MakeChoice(const char* name, const CString& value, const char* descr,
                                     int id) {
    return new CMFCPropertyGridProperty(name, COleVariant(value), descr,
                                        static_cast<DWORD_PTR>(id));
}

template <size_t N>
CMFCPropertyGridProperty* MakeChoice(const char* name, int selected, const char* descr, int id,
                                     const char* const (&options)[N]) {
    const int index = selected >= 0 && selected < static_cast<int>(N) ? selected : 0;
    CMFCPropertyGridProperty* pProp = MakeChoice(name, options[index], descr, id);
    for (const char* option : options) {
        pProp->AddOption(option);
    }
    return pProp;
}

CString TodayIn(int dateMode) {
    const LocalDateTime now = GetLocalDateTimeCopy();
    return FormatDate(now.day, now.month, now.year, dateMode);
}

CString NowIn(int timeMode) {
    const LocalDateTime now = GetLocalDateTimeCopy();
    return FormatTime(now.hour, now.minute, now.second, now.millisecond, timeMode);
}

void WriteModeFile(const char* settingName, const char* key, int value) {
    RewriteSetting(settingName, [&](CConfigFile& file) { file.WriteInt(key, value); });
}

// The position of the option equal to the row's value, or -1.
int ChosenOption(CMFCPropertyGridProperty* pProp) {
    const CString value = pProp->FormatProperty();
    for (int i = 0; i < pProp->GetOptionCount(); ++i) {
        if (value == pProp->GetOption(i)) {
            return i;
        }
    }
    return -1;
}

}  // namespace

CSettingsPane::CSettingsPane() = default;

CSettingsPane::~CSettingsPane() = default;

int CSettingsPane::Create(CWnd* pParent, int nID, unsigned long groups) {
    if (!CMyDockablePane::Create(pParent, static_cast<UINT>(nID), "Software Settings")) {
        return 0;
    }
    m_nGroups = groups;
    InitPropList();
    AdjustLayout();
    return 1;
}

int CSettingsPane::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CMyDockablePane::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    if (!m_wndPropList.Create(WS_VISIBLE | WS_CHILD, CRect(), this, kGridId)) {
        return -1;
    }
    return 0;
}

LRESULT CSettingsPane::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == AFX_WM_PROPERTY_CHANGED) {
        return OnPropertyChanged(wParam, lParam);
    }
    return CMyDockablePane::WindowProc(message, wParam, lParam);
}

void CSettingsPane::OnSize(UINT nType, int cx, int cy) {
    CMyDockablePane::OnSize(nType, cx, cy);
    AdjustLayout();
}

void CSettingsPane::OnSetFocus(CWnd* pOldWnd) {
    CMyDockablePane::OnSetFocus(pOldWnd);
    if (m_wndPropList.GetSafeHwnd()) {
        m_wndPropList.SetFocus();
    }
}

void CSettingsPane::OnSettingChange(UINT uFlags, LPCTSTR lpszSection) {
    CMyDockablePane::OnSettingChange(uFlags, lpszSection);
    SetPropListFont();
}

void CSettingsPane::AdjustLayout() {
    if (!GetSafeHwnd() || !m_wndPropList.GetSafeHwnd()) {
        return;
    }
    CRect client;
    GetClientRect(&client);
    m_wndPropList.SetWindowPos(nullptr, client.left, client.top, client.Width(), client.Height(),
                               SWP_NOACTIVATE | SWP_NOZORDER);
}

void CSettingsPane::SetPropListFont() {
    m_fntPropList.DeleteObject();
    // The regular font with the system's menu font size, weight and slant; this platform's
    // menu font is the default GUI font.
    LOGFONTA logFont{};
    CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)))->GetLogFont(&logFont);
    m_fntPropList.CreateFontIndirect(&logFont);
    if (m_wndPropList.GetSafeHwnd()) {
        m_wndPropList.SetFont(&m_fntPropList, TRUE);
    }
}

void CSettingsPane::SetNightMode(bool bNight) {
    m_wndPropList.SetNightMode(bNight);
}

void CSettingsPane::SetVSDotNetLook(int bSet) {
    m_wndPropList.SetVSDotNetLook(bSet);
}

void CSettingsPane::InitPropList() {
    SetPropListFont();
    m_wndPropList.RemoveAll();
    m_wndPropList.EnableHeaderCtrl(FALSE);
    m_wndPropList.SetVSDotNetLook(TRUE);
    m_wndPropList.EnableDescriptionArea(TRUE);
    m_wndPropList.MarkModifiedProperties(TRUE);

    const ColourSet& c = m_wndPropList.GetNightMode() ? kNightColours : kDayColours;
    m_wndPropList.SetCustomColors(c.background, c.text, c.groupBackground, c.groupText,
                                  c.descriptionBackground, c.descriptionText, c.line);
    m_wndPropList.SetColourScheme(kPaneScheme);
    if (m_wndPropList.GetSafeHwnd()) {
        m_wndPropList.Invalidate();
    }

    m_nUnitsGroup = -1;
    m_nGeoGroup = -1;
    if (m_nGroups & kClock) {
        AddClockGroup();
    }
    if (m_nGroups & kGeographicals) {
        AddGeographicalsGroup();
    }
    if (m_nGroups & kAngles) {
        AddAnglesGroup();
    }
    if (m_nGroups & kUnits) {
        AddUnitsGroup();
    }
    if (m_nGroups & kSpeed) {
        AddSpeedGroup();
    }
    if (m_nGroups & kCable) {
        AddCableGroup();
    }
    if (m_nGroups & kEnvironmental) {
        AddEnvironmentalGroup();
    }
}

void CSettingsPane::AddClockGroup() {
    auto* pGroup = new CMFCPropertyGridProperty("Clock");
    CMFCPropertyGridProperty* pDate =
        MakeChoice("Date", TodayIn(ReadDateMode()), "Select Format for the Date", kDateId);
    for (int mode = 0; mode < kDateModeCount; ++mode) {
        pDate->AddOption(TodayIn(mode) + kDateSuffixes[mode]);
    }
    pGroup->AddSubItem(pDate);
    CMFCPropertyGridProperty* pTime =
        MakeChoice("Time", NowIn(ReadTimeMode()), "Select Format for the Time", kTimeId);
    for (int mode = 0; mode < kTimeModeCount; ++mode) {
        pTime->AddOption(NowIn(mode));
    }
    pGroup->AddSubItem(pTime);
    m_wndPropList.AddProperty(pGroup);
}

void CSettingsPane::AddGeographicalsGroup() {
    auto* pGroup = new CMFCPropertyGridProperty("Geographicals");
    const int format = GetGeoPreference();
    pGroup->AddSubItem(MakeChoice("Latitude", format, "Select Format for Geographicals",
                                  kLatFormatId, LatLonFmtTxt));
    pGroup->AddSubItem(MakeChoice("Longitude", format, "Select Format for Geographicals",
                                  kLonFormatId, LatLonFmtTxt));
    auto* pQuadrants = new CMFCPropertyGridProperty("Default Quadrant");
    pQuadrants->AddSubItem(MakeChoice("Latitude", GetDefaultLatQuad() == 'N' ? 0 : 1,
                                      "Select quadrant for entering latitude", kLatQuadId,
                                      LatQuadTxt));
    pQuadrants->AddSubItem(MakeChoice("Longitude", GetDefaultLonQuad() == 'E' ? 0 : 1,
                                      "Select quadrant for entering longitude", kLonQuadId,
                                      LonQuadTxt));
    pGroup->AddSubItem(pQuadrants);
    m_nGeoGroup = m_wndPropList.AddProperty(pGroup);
}

void CSettingsPane::AddAnglesGroup() {
    auto* pGroup = new CMFCPropertyGridProperty("Angles");
    pGroup->AddSubItem(MakeChoice("Format", GetAnglePreference(), "Select Format for Angles",
                                  kAngleFormatId, AngleFmtTxt));
    m_wndPropList.AddProperty(pGroup);
}

void CSettingsPane::AddUnitsGroup() {
    auto* pGroup = new CMFCPropertyGridProperty("Units");
    int conversion = 0;
    int imperial = 0;
    const int units = ReadUnitsSettings(&conversion, &imperial);
    pGroup->AddSubItem(
        MakeChoice("Type", units, "Select the type of units", kUnitsTypeId, UnitsTxt));
    pGroup->AddSubItem(
        MakeChoice("Conversion", CString(), "Select the conversion mode", kConversionId));
    pGroup->AddSubItem(
        MakeChoice("Imperial", imperial, "Select the imperial mode", kImperialId, ImperialModeTxt));
    auto* pDecimals = new CMFCPropertyGridProperty(
        "Decimal Places", COleVariant(static_cast<long>(ReadDecimalPlaces())),
        "Number of decimal places for easting, northing etc.", kDecimalPlacesId);
    pDecimals->EnableSpinControl(TRUE, 0, kMaxDecimalPlaces);
    pGroup->AddSubItem(pDecimals);
    m_nUnitsGroup = m_wndPropList.AddProperty(pGroup);
    UpdateUnits();
}

void CSettingsPane::AddSpeedGroup() {
    auto* pGroup = new CMFCPropertyGridProperty("Speed");
    CMFCPropertyGridProperty* pSpeed = MakeChoice("Units", GetSpeedUnitText(ReadSpeedMode()),
                                                  "Select the units for speed", kSpeedId);
    for (int mode = 0; mode < kSpeedModeCount; ++mode) {
        pSpeed->AddOption(GetSpeedUnitText(mode));
    }
    pGroup->AddSubItem(pSpeed);
    m_wndPropList.AddProperty(pGroup);
}

void CSettingsPane::AddCableGroup() {
    auto* pGroup = new CMFCPropertyGridProperty("Cable");
    pGroup->AddSubItem(MakeChoice("Tension", ReadTensionMode(), "Select the units for Tension",
                                  kTensionId, TensionTxt));
    pGroup->AddSubItem(MakeChoice("Weight", ReadWeightMode(), "Select the units for Weight",
                                  kWeightId, WeightTxt));
    m_wndPropList.AddProperty(pGroup);
}

void CSettingsPane::AddEnvironmentalGroup() {
    auto* pGroup = new CMFCPropertyGridProperty("Environmental");
    pGroup->AddSubItem(MakeChoice("Temperature", ReadTemperatureMode(),
                                  "Select the units for Temperature", kTemperatureId,
                                  TemperatureTxt));
    pGroup->AddSubItem(MakeChoice("Pressure", ReadPressureMode(), "Select the units for Pressure",
                                  kPressureId, PressureTxt));
    m_wndPropList.AddProperty(pGroup);
}

CMFCPropertyGridProperty* CSettingsPane::FindById(int id) const {
    return m_wndPropList.FindItemByData(static_cast<DWORD_PTR>(id));
}

void CSettingsPane::UpdateUnits() {
    CMFCPropertyGridProperty* pConversion = FindById(kConversionId);
    CMFCPropertyGridProperty* pImperial = FindById(kImperialId);
    if (!pConversion || !pImperial) {
        return;
    }
    int conversion = 0;
    int imperial = 0;
    const int units = ReadUnitsSettings(&conversion, &imperial);
    pConversion->RemoveAllOptions();
    if (units == kImperial) {
        const int index = conversion >= 0 && conversion < kFootDefinitionCount ? conversion : 0;
        pConversion->SetValue(COleVariant(FootDefinitions[index].name));
        for (int i = 0; i < kFootDefinitionCount; ++i) {
            pConversion->AddOption(FootDefinitions[i].name);
        }
        pImperial->Show(TRUE);
    } else if (units == kMetric) {
        const int index = conversion >= 0 && conversion < kMetricUnitCount ? conversion : 0;
        pConversion->SetValue(COleVariant(MetricUnits[index].name));
        for (int i = 0; i < kMetricUnitCount; ++i) {
            pConversion->AddOption(MetricUnits[i].name);
        }
        pImperial->Show(FALSE);
    }
}

void CSettingsPane::ShowGeoFormat(int index) {
    CMFCPropertyGridProperty* pGeo = m_wndPropList.GetProperty(m_nGeoGroup);
    CMFCPropertyGridProperty* pTarget = pGeo ? pGeo->GetSubItem(index) : nullptr;
    const int format = GetGeoPreference();
    if (pTarget && format >= 0 && format < 5) {
        pTarget->SetValue(COleVariant(LatLonFmtTxt[format]));
    }
}

unsigned long CSettingsPane::ApplyChange(int id, int position, CMFCPropertyGridProperty* pProp) {
    switch (id) {
        case kDateId:
            WriteModeFile("Date Mode", "Month Mode", position);
            return kClock;
        case kTimeId:
            WriteModeFile("Time Mode", "Time Mode", position);
            return kClock;
        case kLatFormatId:
            SetGeoPreference(position);
            ShowGeoFormat(1);
            return kGeographicals;
        case kLonFormatId:
            SetGeoPreference(position);
            ShowGeoFormat(0);
            return kGeographicals;
        case kLatQuadId:
            SetDefaultLatQuad(LatQuadTxt[position][0]);
            return 0;
        case kLonQuadId:
            SetDefaultLonQuad(LonQuadTxt[position][0]);
            return 0;
        case kAngleFormatId:
            SetAnglePreference(position);
            return kAngles;
        case kUnitsTypeId:
            SetUnitsMode(position);
            UpdateUnits();
            return kUnits;
        case kConversionId:
            SetConversionMode(position);
            UpdateUnits();
            return kUnits;
        case kImperialId:
            SetImperialMode(position);
            UpdateUnits();
            return kUnits;
        case kDecimalPlacesId: {
            // The spin keeps to 0..3, but a typed number may not: the formatters could
            // not use it, so it is not stored.
            const long places = pProp->GetValue().lVal;
            if (places < 0 || places > kMaxDecimalPlaces) {
                return 0;
            }
            WriteModeFile("Decimal Places", "No Dps", static_cast<int>(places));
            return kUnits;
        }
        case kSpeedId:
            WriteModeFile("Speed Units", "Speed Mode", position);
            return kSpeed;
        case kTensionId:
            WriteTensionMode(position);
            return kCable;
        case kWeightId:
            WriteWeightMode(position);
            return kCable;
        case kTemperatureId:
            WriteTemperatureMode(position);
            return kEnvironmental;
        case kPressureId:
            WritePressureMode(position);
            return kEnvironmental;
        default:
            return 0;
    }
}

LRESULT CSettingsPane::OnPropertyChanged(WPARAM /*wParam*/, LPARAM lParam) {
    auto* pProp = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
    if (!pProp) {
        return 0;
    }
    const int id = static_cast<int>(pProp->GetData());
    if (id < kDateId || id > kPressureId) {
        return 0;
    }
    int position = 0;
    if (id != kDecimalPlacesId) {
        position = ChosenOption(pProp);
        if (position < 0) {
            return 0;
        }
    }
    const unsigned long group = ApplyChange(id, position, pProp);
    if (group != 0 && m_pParent && m_pParent->GetSafeHwnd()) {
        m_pParent->PostMessage(GetSettingsUpdateMessage(), group, 0);
    }
    return 0;
}
