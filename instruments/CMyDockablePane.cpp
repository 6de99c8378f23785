#include "instruments/CMyDockablePane.h"

#include "platform/window/CWinApp.h"

const CRuntimeClass CMyDockablePane::runtimeClass =
    plat::MakeRuntimeClass<CMyDockablePane, CDockablePane>("CMyDockablePane");

CMyDockablePane::CMyDockablePane() : m_pParent(nullptr), m_nID(0) {}

CMyDockablePane::~CMyDockablePane() = default;

BOOL CMyDockablePane::Create(CWnd* pParent, UINT nID, const char* lpszTitle) {
    m_pParent = pParent;
    m_nID = nID;
    m_strTitle = lpszTitle ? lpszTitle : "";
    if (!CDockablePane::Create(m_strTitle, pParent, CRect(0, 0, 200, 200), TRUE, nID, kWindowStyle,
                               kTabbedStyle, kControlBarStyle, nullptr)) {
        return FALSE;
    }
    // -1 means the framework has never saved this pane's state.
    CString section;
    section.Format("Workspace\\BasePane-%d", static_cast<int>(nID));
    if (static_cast<int>(AfxGetApp()->GetProfileInt(section, "IsVisible", -1)) == -1) {
        ShowPane(FALSE, FALSE, FALSE);
    }
    return TRUE;
}
