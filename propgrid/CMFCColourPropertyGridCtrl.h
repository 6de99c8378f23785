#pragma once
// CMFCColourPropertyGridCtrl: the framework grid with eight colour schemes, each in a
// day and a night variant, and a right-click "Print" command that prints every row as a
// two-column table.

#include "platform/core/CArray.h"
#include "platform/propgrid/CMFCPropertyGridCtrl.h"

class SUI_API CMFCColourPropertyGridCtrl : public CMFCPropertyGridCtrl {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    static constexpr int kColourSchemeCount = 8;
    // The command of the right-click menu's one entry.
    static constexpr int kPrintCommand = 1;

    CMFCColourPropertyGridCtrl();
    ~CMFCColourPropertyGridCtrl() override;

    // Applies scheme 0..7 in the current day or night variant; other values do nothing.
    void SetColourScheme(int nScheme);
    int GetColourScheme() const { return m_nColourScheme; }
    // Switches the variant and re-applies the current scheme.
    void SetNightMode(bool bNight);
    bool GetNightMode() const { return m_bNightMode; }

    // Lines printed above the table; the grid does not own them (null: none).
    void SetPrintHeader(const CStringArray* pHeader) { m_pPrintHeader = pHeader; }

    // Asks for a printer and prints the rows as a table (pages as they fill).
    void PrintGrid();

protected:
    void OnRButtonUp(UINT nFlags, CPoint point) override;
    // Shows the "Print" menu at a screen point; the chosen command, 0 for none.
    virtual int TrackPrintMenu(CPoint screenPoint);

    // The heading and value rows of every visible property, measured in pDC's font.
    void CollectPrintRows(CDC* pDC);
    void CollectPrintRows(CDC* pDC, CMFCPropertyGridProperty* pProp);
    void AddPrintRow(CDC* pDC, const CString& left, const CString& right);
    void ClearPrintRows();

    bool m_bNightMode = false;
    int m_nColourScheme = 0;
    const CStringArray* m_pPrintHeader = nullptr;
    int m_nWidestName = 0;
    int m_nWidestValue = 0;
    CString m_strWidestRow;
    CString m_strWidestName;
    CString m_strWidestValue;
    CStringArray m_arrPrintLeft;   // a name, or kTitleMarker for a heading row
    CStringArray m_arrPrintRight;  // a value, or the heading's text

    static const char* const kTitleMarker;
};
