#pragma once
// CBasePane: what every pane of a frame window shares. Its pane styles (CBRS_...) are kept
// apart from the window style, as are its control-bar styles (AFX_CBRS_...); it knows
// where it may dock and where it is docked; ShowPane shows or hides it and lays the frame
// out again; and its visibility is saved in and restored from the application's profile.
//
// Workspace state: SaveState writes IsVisible() as the integer "IsVisible" of the profile
// section "<profile>\BasePane-<index>" (with a uiID: "<profile>\BasePane-<index><uiID in
// hex>"), where <profile> is "Workspace" unless a name is given and the index defaults to
// the pane's control id. LoadState reads it back, answering FALSE when it was never saved.

#include "platform/core/CString.h"
#include "platform/window/CWnd.h"

// Pane styles: where a pane is aligned and which borders it draws.
constexpr DWORD CBRS_ALIGN_LEFT = 0x1000;
constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000;
constexpr DWORD CBRS_ALIGN_ANY = 0xF000;
constexpr DWORD CBRS_BORDER_LEFT = 0x0100;
constexpr DWORD CBRS_BORDER_TOP = 0x0200;
constexpr DWORD CBRS_BORDER_RIGHT = 0x0400;
constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800;
constexpr DWORD CBRS_BORDER_ANY = 0x0F00;
constexpr DWORD CBRS_TOOLTIPS = 0x0010;
constexpr DWORD CBRS_FLYBY = 0x0020;
constexpr DWORD CBRS_FLOAT_MULTI = 0x0040;
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0080;
constexpr DWORD CBRS_GRIPPER = 0x00400000;
constexpr DWORD CBRS_LEFT = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
constexpr DWORD CBRS_RIGHT = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
// Every bit that is a pane style rather than a window style.
constexpr DWORD CBRS_ALL = 0x0040FFFF;

// Control-bar styles: what the operator may do with a pane.
constexpr DWORD AFX_CBRS_FLOAT = 0x01;
constexpr DWORD AFX_CBRS_AUTOHIDE = 0x02;
constexpr DWORD AFX_CBRS_RESIZE = 0x04;
constexpr DWORD AFX_CBRS_CLOSE = 0x08;
constexpr DWORD AFX_CBRS_AUTO_ROLLUP = 0x10;
constexpr DWORD AFX_CBRS_REGULAR_TABS = 0x20;
constexpr DWORD AFX_CBRS_OUTLOOK_TABS = 0x40;
constexpr DWORD AFX_DEFAULT_DOCKING_PANE_STYLE =
    AFX_CBRS_FLOAT | AFX_CBRS_CLOSE | AFX_CBRS_RESIZE | AFX_CBRS_AUTOHIDE;

// Control ids of a frame's parts: the main view, and the dock sites DockPane may name.
constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;
constexpr UINT AFX_IDW_DOCKBAR_TOP = 0xE81B;
constexpr UINT AFX_IDW_DOCKBAR_LEFT = 0xE81C;
constexpr UINT AFX_IDW_DOCKBAR_RIGHT = 0xE81D;
constexpr UINT AFX_IDW_DOCKBAR_BOTTOM = 0xE81E;

class CFrameWnd;

class SUI_API CBasePane : public CWnd {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    CBasePane() = default;
    // The window goes while this is still a pane, so its frame hears of it.
    ~CBasePane() override;

    // ---- Styles
    DWORD GetPaneStyle() const { return paneStyle_; }
    virtual void SetPaneStyle(DWORD dwNewStyle) { paneStyle_ = dwNewStyle & CBRS_ALL; }
    DWORD GetControlBarStyle() const { return controlBarStyle_; }
    virtual void SetControlBarStyle(DWORD dwNewStyle) { controlBarStyle_ = dwNewStyle; }
    virtual BOOL CanBeClosed() const { return (controlBarStyle_ & AFX_CBRS_CLOSE) != 0; }

    // ---- Docking
    // The sites (CBRS_ALIGN_...) a frame may dock this pane at.
    virtual void EnableDocking(DWORD dwAlignment) {
        enabledAlignment_ = dwAlignment & CBRS_ALIGN_ANY;
    }
    DWORD GetEnabledAlignment() const { return enabledAlignment_; }
    // The site the pane asks for or sits in (CBRS_ALIGN_...).
    DWORD GetCurrentAlignment() const { return paneStyle_ & CBRS_ALIGN_ANY; }
    // The frame that docked this pane; nullptr when it is not docked or the frame is gone.
    CFrameWnd* GetDockSiteFrameWnd() const;
    BOOL IsDocked() const { return GetDockSiteFrameWnd() != nullptr; }

    // ---- Showing
    // Shows or hides the pane, then lays its frame out again: now, or with bDelay when
    // the message loop next gets to it. bActivate gives a shown pane the focus.
    virtual void ShowPane(BOOL bShow, BOOL bDelay, BOOL bActivate);
    // The pane's own visible style, whatever its frame shows.
    virtual BOOL IsVisible() const;

    // Lays out the pane's inside; the framework's panes have nothing to lay out. Derived
    // panes call it from OnSize.
    virtual void AdjustLayout() {}

    // ---- Workspace state (see the top of this file)
    virtual BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1,
                           UINT uiID = static_cast<UINT>(-1));
    virtual BOOL LoadState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1,
                           UINT uiID = static_cast<UINT>(-1));
    // The profile section those two use.
    CString GetStateSection(LPCTSTR lpszProfileName = nullptr, int nIndex = -1,
                            UINT uiID = static_cast<UINT>(-1)) const;

protected:
    // A docked pane that goes away leaves its site at the frame's next layout.
    void OnDestroy() override;

    DWORD paneStyle_ = 0;
    DWORD controlBarStyle_ = 0;
    DWORD enabledAlignment_ = 0;

private:
    friend class CFrameWnd;
    HWND dockSite_ = nullptr;  // by handle: a frame that went away is simply not found
};
