#pragma once
// CFrameWnd: a program's main window, with dock sites on its four edges. Docked panes
// (DockPane) take their share of the client area: the top and bottom sites across the
// whole width, the left and right sites between them; several panes in one site share
// its length. Splitters lie between the panes of a site and between each site and the
// main view (the child with the id AFX_IDW_PANE_FIRST), which fills what is left.
// Dragging a splitter with the mouse resizes the parts on either side of it.
//
// The frame saves the visibility of its panes in the profile when it closes (SaveState);
// a host restores it after creating them (LoadState).
//
// Frames delete themselves when their window is destroyed, as the framework's do:
// create them with new. Closing the application's main window ends the message loop
// (WM_QUIT).

#include <memory>

#include "platform/window/CBasePane.h"

class CView;

namespace plat {
struct DockState;
}

class SUI_API CFrameWnd : public CWnd {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    // The window manager's default place and size.
    static const CRect rectDefault;

    CFrameWnd();
    ~CFrameWnd() override;

    using CWnd::Create;
    // A top-level frame; WS_CLIPCHILDREN is added, so the frame paints only its splitters.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                        CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr,
                        DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);

    // ---- Docking
    // The sites (CBRS_ALIGN_...) panes may dock at.
    void EnableDocking(DWORD dwDockStyle);
    DWORD GetEnabledDocking() const;
    // Docks a pane (a child of this frame) at the end of a site: the site its alignment
    // names, or nDockBarID (AFX_IDW_DOCKBAR_...). Both the frame and the pane must allow
    // the site. A new site takes the pane's depth, and each pane its length, from its
    // window rectangle. FALSE when the pane cannot dock there. lpRect is not used.
    BOOL DockPane(CBasePane* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    // Takes a pane out of its site; its window stays where it is, and the others close up
    // at the next (delayed) layout.
    void UndockPane(CBasePane* pBar);
    BOOL IsPaneDocked(const CBasePane* pBar) const;
    // The depth of a site: the width of the left or right site, the height of the top or
    // bottom site (CBRS_ALIGN_... names one site). Setting it lays the frame out.
    void SetDockSiteSize(DWORD dwAlignment, int nSize);
    int GetDockSiteSize(DWORD dwAlignment) const;

    // Places the docked panes, the splitters and the main view now.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // The same when the message loop next gets to it (several requests, one layout).
    void DelayRecalcLayout(BOOL bNotify = TRUE);

    // ---- Views. The frame places the child with the id AFX_IDW_PANE_FIRST; the active
    // view is the one set, else that child when it is a view.
    CView* GetActiveView() const;
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);

    // ---- Workspace state: every pane among the frame's children
    virtual void SaveState(LPCTSTR lpszProfileName = nullptr);
    // Panes never saved keep their state. Lays the frame out once at the end.
    virtual void LoadState(LPCTSTR lpszProfileName = nullptr);

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnCaptureChanged(CWnd* pWnd) override;
    void OnClose() override;  // saves the workspace state, then closes
    void OnNcDestroy() override;
    void PostNcDestroy() override;

private:
    void DragSplitterTo(CPoint point);

    std::unique_ptr<plat::DockState> dock_;
    bool inDestructor_ = false;
};

// The framework's extended frame: here the same frame.
class SUI_API CFrameWndEx : public CFrameWnd {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
};
