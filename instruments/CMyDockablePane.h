#pragma once
// CMyDockablePane: the base of every pane the library offers a host. It creates the
// docking window with one fixed set of styles, remembers the host window (instruments post
// their notifications to it) and the pane's command id, and hides a pane the first time it
// is created on a machine: until the framework has saved the pane's workspace state, the
// host decides when it shows.

#include "platform/core/CString.h"
#include "platform/window/CDockablePane.h"

class SUI_API CMyDockablePane : public CDockablePane {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    // The styles every library pane is created with.
    static constexpr DWORD kWindowStyle =
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_RIGHT | CBRS_FLOAT_MULTI;
    static constexpr DWORD kTabbedStyle = AFX_CBRS_REGULAR_TABS;
    static constexpr DWORD kControlBarStyle = AFX_DEFAULT_DOCKING_PANE_STYLE;

    CMyDockablePane();
    ~CMyDockablePane() override;

    // A 200 x 200 pane with a caption showing lpszTitle, a child of pParent, docking at
    // the right. Hidden at once when the profile holds no "IsVisible" value for it
    // (section "Workspace\BasePane-<nID>"). FALSE when the window cannot be made.
    BOOL Create(CWnd* pParent, UINT nID, const char* lpszTitle);

protected:
    CWnd* m_pParent;
    UINT m_nID;
    CString m_strTitle;
};
