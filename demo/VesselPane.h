#pragma once
// The demo's "Vessel" pane: the library's property grid filling a docked pane, with a row
// of every kind a survey program shows (positions, distances, angles, cable values, the
// unit modes, counters, locked rows, a status group and status colour cells). Distances,
// weights and the modes follow the operator's settings each time the grid paints.

#include "instruments/CMyDockablePane.h"
#include "platform/gdi/CFont.h"
#include "propgrid/CMFCGroupPropertyGridProperty.h"
#include "propgrid/CMFCPropertyColourGridProperty.h"
#include "propgrid/CMyMFCPropertyGridCtrl.h"
#include "propgrid/EngineeringProperties.h"

class CVesselPane : public CMyDockablePane {
public:
    static constexpr UINT kGridId = 1;
    // The status group's number, as CMyMFCPropertyGridCtrl::FindGroup knows it.
    static constexpr int kChecksGroup = 1;

    BOOL Create(CWnd* pParent, UINT nID);

    void SetNightMode(bool night);
    // Rereads the unit modes after the operator changed a setting.
    void UpdateUnits();
    // The "Checks" group's ball: a warning, or an error when error is true.
    void ShowCheckStatus(bool error);

    CMyMFCPropertyGridCtrl& GetGrid() { return grid_; }

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void AdjustLayout() override;

private:
    void Fill();
    void AddPosition();
    void AddVessel();
    void AddCable();
    void AddModes();
    void AddChecks();

    CMyMFCPropertyGridCtrl grid_;
    CFont font_;
    CMFCGroupPropertyGridProperty* checks_ = nullptr;  // owned by the grid
    CMFCPropertyColourGridProperty* colourCells_[3] = {};
    CMFCPropertyGridTensionProperty* tension_ = nullptr;
    CMFCPropertyGridTemperatureProperty* temperature_ = nullptr;
    CMFCPropertyGridModeProperty* modes_[4] = {};
};
