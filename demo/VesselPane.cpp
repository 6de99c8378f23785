#include "VesselPane.h"

#include <numbers>

#include "propgrid/AngleProperties.h"
#include "propgrid/DistanceProperties.h"
#include "settings/UnitsSettings.h"

namespace {

constexpr int kColourScheme = 1;  // the settings pane's greys
constexpr int kNameColumnWidth = 160;

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

CMFCPropertyGridProperty* Group(const char* name) {
    return new CMFCPropertyGridProperty(name);
}

}  // namespace

BOOL CVesselPane::Create(CWnd* pParent, UINT nID) {
    if (!CMyDockablePane::Create(pParent, nID, "Vessel")) {
        return FALSE;
    }
    Fill();
    AdjustLayout();
    return TRUE;
}

int CVesselPane::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CMyDockablePane::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    return grid_.Create(WS_VISIBLE | WS_CHILD, CRect(), this, kGridId) ? 0 : -1;
}

void CVesselPane::OnSize(UINT nType, int cx, int cy) {
    CMyDockablePane::OnSize(nType, cx, cy);
    AdjustLayout();
}

void CVesselPane::AdjustLayout() {
    if (!GetSafeHwnd() || !grid_.GetSafeHwnd()) {
        return;
    }
    CRect client;
    GetClientRect(&client);
    grid_.SetWindowPos(nullptr, client.left, client.top, client.Width(), client.Height(),
                       SWP_NOACTIVATE | SWP_NOZORDER);
    grid_.SetLeftColumnWidth(kNameColumnWidth);
}

void CVesselPane::Fill() {
    LOGFONTA logFont{};
    CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)))->GetLogFont(&logFont);
    font_.CreateFontIndirect(&logFont);
    grid_.SetFont(&font_, TRUE);
    grid_.EnableHeaderCtrl(FALSE);
    grid_.SetVSDotNetLook(TRUE);
    grid_.EnableDescriptionArea(FALSE);
    grid_.SetColourScheme(kColourScheme);
    AddPosition();
    AddVessel();
    AddCable();
    AddModes();
    AddChecks();
}

void CVesselPane::AddPosition() {
    CMFCPropertyGridProperty* group = Group("Position");
    group->AddSubItem(
        new CMFCPropertyGridAngleProperty("Latitude", Radians(57.1496), ANGLE_LATITUDE));
    group->AddSubItem(
        new CMFCPropertyGridAngleProperty("Longitude", Radians(-2.0781), ANGLE_LONGITUDE));
    group->AddSubItem(new CMFCPropertyGridMetricProperty("Easting", 452318.42, 9, 2));
    group->AddSubItem(new CMFCPropertyGridMetricProperty("Northing", 6333120.87, 10, 2));
    // The antenna's offset is surveyed in dock: the operator may read it but not change it.
    auto* antenna = new CMFCPropertyGridMetricProperty("Antenna height", 24.35, 6, 2);
    antenna->SetLock(true);
    group->AddSubItem(antenna);
    grid_.AddProperty(group, FALSE);
}

void CVesselPane::AddVessel() {
    CMFCPropertyGridProperty* group = Group("Vessel");
    group->AddSubItem(new CMFCPropertyGridAngleProperty("Heading", Radians(241.25), ANGLE_HEADING));
    group->AddSubItem(new CMFCPropertyGridAngleDouble("Waypoint bearing", 238.6, AS_TRUE_BEARING));
    group->AddSubItem(new CMFCPropertyGridMetricProperty("Draught", 6.8, 5, 2));
    group->AddSubItem(new CMFCPropertyGridDouble("Speed", 4.6, "%5.1lf Kts."));
    group->AddSubItem(new CMFCPropertyGridInteger("Crew", COleVariant(42L), " persons"));
    auto* fixes = new CMFCPropertyGridUnsignedLong("Fixes logged", COleVariant(3105448UL), "");
    fixes->SetLock(true);
    group->AddSubItem(fixes);
    auto* check = new CMFCPropertyGridTolerance("Heading check", 0.0, "%5.2lf\xB0");
    check->SetAngle(241.25, 240.7, 0.5);  // just outside the half degree: marginal
    group->AddSubItem(check);
    grid_.AddProperty(group, FALSE);
}

void CVesselPane::AddCable() {
    CMFCPropertyGridProperty* group = Group("Cable");
    tension_ = new CMFCPropertyGridTensionProperty("Tension", 12.75);
    temperature_ = new CMFCPropertyGridTemperatureProperty("Temperature", 8.5);
    group->AddSubItem(tension_);
    group->AddSubItem(new CMFCPropertyWeightPerUnitLengthProperty("Weight in water", 18.4));
    group->AddSubItem(temperature_);
    grid_.AddProperty(group, FALSE);
}

void CVesselPane::AddModes() {
    CMFCPropertyGridProperty* group = Group("Modes");
    modes_[0] = new CMFCPropertyGridTensionModeProperty;
    modes_[1] = new CMFCPropertyGridWeightModeProperty;
    modes_[2] = new CMFCPropertyGridTemperatureModeProperty;
    modes_[3] = new CMFCPropertyGridPressureModeProperty;
    for (CMFCPropertyGridModeProperty* mode : modes_) {
        group->AddSubItem(mode);
    }
    grid_.AddProperty(group, FALSE);
}

void CVesselPane::AddChecks() {
    checks_ = new CMFCGroupPropertyGridProperty("Checks", kChecksGroup);
    colourCells_[0] = new CMFCPropertyColourGridProperty("Gyro", COleVariant("OK"));
    colourCells_[1] = new CMFCPropertyColourGridProperty("GNSS", COleVariant("OK"));
    colourCells_[2] = new CMFCPropertyColourGridProperty("Depth", COleVariant("OK"));
    colourCells_[0]->SetOk("OK");
    colourCells_[1]->SetWarning("Float RTK");
    colourCells_[2]->SetError("No data");
    for (CMFCPropertyColourGridProperty* cell : colourCells_) {
        checks_->AddSubItem(cell);
    }
    grid_.AddProperty(checks_, FALSE);
}

void CVesselPane::SetNightMode(bool night) {
    grid_.SetNightMode(night);
    for (CMFCPropertyColourGridProperty* cell : colourCells_) {
        cell->SetNightMode(night);
    }
    grid_.Invalidate();
}

void CVesselPane::UpdateUnits() {
    tension_->Update();
    temperature_->Update();
    for (CMFCPropertyGridModeProperty* mode : modes_) {
        mode->Update();
    }
    grid_.Invalidate();
}

void CVesselPane::ShowCheckStatus(bool error) {
    if (error) {
        checks_->Error(true);
    } else {
        checks_->Warning(true);
    }
}
