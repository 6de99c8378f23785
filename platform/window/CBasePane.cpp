#include "platform/window/CBasePane.h"

#include "platform/window/CFrameWnd.h"
#include "platform/window/CWinApp.h"

namespace {

constexpr const char* kDefaultProfile = "Workspace";
constexpr const char* kVisibleEntry = "IsVisible";
constexpr int kNeverSaved = -1;

}  // namespace

const CRuntimeClass CBasePane::runtimeClass = plat::MakeRuntimeClass<CBasePane, CWnd>("CBasePane");

CBasePane::~CBasePane() {
    DestroyWindow();
}

CFrameWnd* CBasePane::GetDockSiteFrameWnd() const {
    auto* frame = dynamic_cast<CFrameWnd*>(CWnd::FromHandle(dockSite_));
    return frame && frame->IsPaneDocked(this) ? frame : nullptr;
}

void CBasePane::ShowPane(BOOL bShow, BOOL bDelay, BOOL bActivate) {
    if (!GetSafeHwnd()) {
        return;
    }
    ShowWindow(bShow ? (bActivate ? SW_SHOW : SW_SHOWNOACTIVATE) : SW_HIDE);
    if (bShow && bActivate) {
        SetFocus();
    }
    if (CFrameWnd* frame = GetDockSiteFrameWnd()) {
        if (bDelay) {
            frame->DelayRecalcLayout();
        } else {
            frame->RecalcLayout();
        }
    }
}

void CBasePane::OnDestroy() {
    if (CFrameWnd* frame = GetDockSiteFrameWnd()) {
        frame->DelayRecalcLayout();
    }
    CWnd::OnDestroy();
}

BOOL CBasePane::IsVisible() const {
    return GetSafeHwnd() && (GetStyle() & WS_VISIBLE) ? TRUE : FALSE;
}

CString CBasePane::GetStateSection(LPCTSTR lpszProfileName, int nIndex, UINT uiID) const {
    const CString profile = lpszProfileName ? lpszProfileName : kDefaultProfile;
    const int index = nIndex == -1 ? GetDlgCtrlID() : nIndex;
    CString section;
    if (uiID == static_cast<UINT>(-1)) {
        section.Format("%s\\BasePane-%d", profile.GetString(), index);
    } else {
        section.Format("%s\\BasePane-%d%x", profile.GetString(), index, uiID);
    }
    return section;
}

BOOL CBasePane::SaveState(LPCTSTR lpszProfileName, int nIndex, UINT uiID) {
    if (!GetSafeHwnd()) {
        return FALSE;
    }
    return AfxGetApp()->WriteProfileInt(GetStateSection(lpszProfileName, nIndex, uiID),
                                        kVisibleEntry, IsVisible() ? 1 : 0);
}

BOOL CBasePane::LoadState(LPCTSTR lpszProfileName, int nIndex, UINT uiID) {
    if (!GetSafeHwnd()) {
        return FALSE;
    }
    const auto saved = static_cast<int>(AfxGetApp()->GetProfileInt(
        GetStateSection(lpszProfileName, nIndex, uiID), kVisibleEntry, kNeverSaved));
    if (saved == kNeverSaved) {
        return FALSE;
    }
    // The frame lays itself out once when all of its panes are loaded.
    ShowPane(saved != 0, TRUE, FALSE);
    return TRUE;
}
