#pragma once
// CSettingsPane: the dockable pane in which the operator chooses the suite's units and
// formats. Each choice is written to its settings file at once, and the pane posts the
// settings-update message to its parent with the changed group's bit, so the host can
// repaint what depends on it. The host chooses which groups appear.
//
// The static text tables are indexed by setting value; rows and formatters use them too.

#include "instruments/CMyDockablePane.h"
#include "platform/gdi/CFont.h"
#include "propgrid/CMyMFCPropertyGridCtrl.h"

class SUI_API CSettingsPane : public CMyDockablePane {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    // Group bits given to Create, and the wParam of the settings-update message.
    static constexpr unsigned long kAngles = 0x01;
    static constexpr unsigned long kClock = 0x04;
    static constexpr unsigned long kGeographicals = 0x08;
    static constexpr unsigned long kSpeed = 0x10;
    static constexpr unsigned long kEnvironmental = 0x20;
    static constexpr unsigned long kCable = 0x40;
    static constexpr unsigned long kUnits = 0x80;
    static constexpr unsigned long kAllGroups = 0xFD;

    // The grid's control id.
    static constexpr UINT kGridId = 2;

    CSettingsPane();
    ~CSettingsPane() override;

    // 1 when the pane and its grid were made, else 0.
    int Create(CWnd* pParent, int nID, unsigned long groups);
    void InitPropList();

    void SetNightMode(bool bNight);
    void SetDaylightMode() { SetNightMode(false); }
    bool GetNightMode() const { return m_wndPropList.GetNightMode(); }
    void SetVSDotNetLook(int bSet);
    void AdjustLayout() override;

    CMyMFCPropertyGridCtrl& GetGrid() { return m_wndPropList; }

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

protected:
    void UpdateUnits();
    LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam);
    void SetPropListFont();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnSetFocus(CWnd* pOldWnd) override;
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection) override;

private:
    void AddClockGroup();
    void AddGeographicalsGroup();
    void AddAnglesGroup();
    void AddUnitsGroup();
    void AddSpeedGroup();
    void AddCableGroup();
    void AddEnvironmentalGroup();
    // Writes the change of property id to option position; the group bit to post, or 0.
    unsigned long ApplyChange(int id, int position, CMFCPropertyGridProperty* pProp);
    void ShowGeoFormat(int index);
    CMFCPropertyGridProperty* FindById(int id) const;

    CMyMFCPropertyGridCtrl m_wndPropList;
    CFont m_fntPropList;
    unsigned long m_nGroups = 0;
    int m_nUnitsGroup = -1;
    int m_nGeoGroup = -1;
};
