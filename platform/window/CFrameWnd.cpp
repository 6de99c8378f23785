#include "platform/window/CFrameWnd.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "platform/core/Messages.h"
#include "platform/window/CView.h"
#include "platform/window/CWinApp.h"
#include "platform/window/DockLayout_p.h"
#include "platform/window/FrameworkLook.h"
#include "platform/window/WindowDC.h"

namespace plat {

// A docked pane by handle (a pane that went away is dropped at the next layout) and its
// share of the site's length.
struct DockedPane {
    HWND hwnd;
    int weight;
};

struct DockSite {
    int depth = -1;  // set by the first pane docked there, or by the host
    std::vector<DockedPane> panes;
};

enum class SplitterKind { None, Site, Between };

// A splitter being dragged: the site's own splitter, or the one after the index-th
// visible pane of the site.
struct SplitterDrag {
    SplitterKind kind = SplitterKind::None;
    DockEdge edge = DockEdge::Top;
    int index = 0;
    CSize grab;  // the press point from the splitter's top-left corner
};

struct DockState {
    DWORD enabled = 0;
    std::array<DockSite, kDockEdgeCount> sites;
    // The last layout, and the visible panes it placed (parallel to its pane rectangles).
    DockLayout layout;
    std::array<std::vector<HWND>, kDockEdgeCount> placed;
    SplitterDrag drag;
    bool layoutPending = false;
    HWND activeView = nullptr;
};

}  // namespace plat

namespace {

using plat::DockEdge;
using plat::kDockEdgeCount;

// The smallest depth of a site and length of a pane a splitter drag leaves: a caption
// with its border.
constexpr int kMinPaneLength = 24;

UINT DelayedLayoutMessage() {
    static const UINT message = RegisterWindowMessageA("surveyui-frame-delayed-layout");
    return message;
}

std::optional<DockEdge> EdgeOfAlignment(DWORD alignment) {
    if (alignment & CBRS_ALIGN_TOP) {
        return DockEdge::Top;
    }
    if (alignment & CBRS_ALIGN_BOTTOM) {
        return DockEdge::Bottom;
    }
    if (alignment & CBRS_ALIGN_LEFT) {
        return DockEdge::Left;
    }
    if (alignment & CBRS_ALIGN_RIGHT) {
        return DockEdge::Right;
    }
    return std::nullopt;
}

std::optional<DockEdge> EdgeOfDockBar(UINT id) {
    switch (id) {
        case AFX_IDW_DOCKBAR_TOP:
            return DockEdge::Top;
        case AFX_IDW_DOCKBAR_BOTTOM:
            return DockEdge::Bottom;
        case AFX_IDW_DOCKBAR_LEFT:
            return DockEdge::Left;
        case AFX_IDW_DOCKBAR_RIGHT:
            return DockEdge::Right;
        default:
            return std::nullopt;
    }
}

DWORD AlignmentOf(DockEdge edge) {
    static constexpr std::array<DWORD, kDockEdgeCount> kAlignments = {
        CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT};
    return kAlignments[static_cast<int>(edge)];
}

CBasePane* PaneOf(HWND hwnd) {
    return dynamic_cast<CBasePane*>(CWnd::FromHandle(hwnd));
}

// Where a point lies along a site's length, and across it.
int Along(DockEdge edge, CPoint point) {
    return plat::PanesSideBySide(edge) ? point.x : point.y;
}
int AlongStart(DockEdge edge, const CRect& rect) {
    return plat::PanesSideBySide(edge) ? rect.left : rect.top;
}
int AlongEnd(DockEdge edge, const CRect& rect) {
    return plat::PanesSideBySide(edge) ? rect.right : rect.bottom;
}

// The site's depth that puts its splitter's top-left corner at corner.
int DepthForSplitterAt(DockEdge edge, const CRect& site, CPoint corner) {
    switch (edge) {
        case DockEdge::Top:
            return corner.y - site.top;
        case DockEdge::Bottom:
            return site.bottom - (corner.y + plat::style::kSplitterWidth);
        case DockEdge::Left:
            return corner.x - site.left;
        case DockEdge::Right:
            return site.right - (corner.x + plat::style::kSplitterWidth);
    }
    return 0;
}

}  // namespace

const CRuntimeClass CFrameWnd::runtimeClass = plat::MakeRuntimeClass<CFrameWnd, CWnd>("CFrameWnd");
const CRuntimeClass CFrameWndEx::runtimeClass =
    plat::MakeRuntimeClass<CFrameWndEx, CFrameWnd>("CFrameWndEx");

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd::CFrameWnd() : dock_(std::make_unique<plat::DockState>()) {}

// The window goes while this is still a frame, so its panes never meet half an object;
// PostNcDestroy must not delete it a second time.
CFrameWnd::~CFrameWnd() {
    inDestructor_ = true;
    DestroyWindow();
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                       const RECT& rect, CWnd* pParentWnd, LPCTSTR, DWORD dwExStyle,
                       CCreateContext*) {
    const bool byDefault = CRect(rect) == rectDefault;
    const CRect r(rect);
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle,
                    byDefault ? CW_USEDEFAULT : r.left, byDefault ? CW_USEDEFAULT : r.top,
                    byDefault ? CW_USEDEFAULT : r.Width(), byDefault ? CW_USEDEFAULT : r.Height(),
                    pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr, nullptr);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (!cs.lpszClass) {
        cs.lpszClass = "AfxFrameOrView";
    }
    cs.style |= WS_CLIPCHILDREN;
    return TRUE;
}

// ---- Docking ---------------------------------------------------------------------------

void CFrameWnd::EnableDocking(DWORD dwDockStyle) {
    dock_->enabled = dwDockStyle & CBRS_ALIGN_ANY;
}

DWORD CFrameWnd::GetEnabledDocking() const {
    return dock_->enabled;
}

BOOL CFrameWnd::DockPane(CBasePane* pBar, UINT nDockBarID, LPCRECT) {
    if (!pBar || !pBar->GetSafeHwnd() || pBar->GetParent() != this) {
        return FALSE;
    }
    const std::optional<DockEdge> edge =
        nDockBarID ? EdgeOfDockBar(nDockBarID) : EdgeOfAlignment(pBar->GetCurrentAlignment());
    if (!edge) {
        return FALSE;
    }
    const DWORD alignment = AlignmentOf(*edge);
    if (!(dock_->enabled & alignment) || !(pBar->GetEnabledAlignment() & alignment)) {
        return FALSE;
    }
    UndockPane(pBar);
    CRect window;
    pBar->GetWindowRect(&window);
    const bool sideBySide = plat::PanesSideBySide(*edge);
    plat::DockSite& site = dock_->sites[static_cast<int>(*edge)];
    if (site.depth < 0) {
        site.depth = sideBySide ? window.Height() : window.Width();
    }
    site.panes.push_back({pBar->GetSafeHwnd(), sideBySide ? window.Width() : window.Height()});
    pBar->dockSite_ = GetSafeHwnd();
    pBar->SetPaneStyle((pBar->GetPaneStyle() & ~CBRS_ALIGN_ANY) | alignment);
    RecalcLayout();
    return TRUE;
}

void CFrameWnd::UndockPane(CBasePane* pBar) {
    if (!pBar) {
        return;
    }
    for (plat::DockSite& site : dock_->sites) {
        std::erase_if(site.panes,
                      [pBar](const plat::DockedPane& p) { return p.hwnd == pBar->GetSafeHwnd(); });
    }
    if (pBar->dockSite_ == GetSafeHwnd()) {
        pBar->dockSite_ = nullptr;
    }
    DelayRecalcLayout();
}

BOOL CFrameWnd::IsPaneDocked(const CBasePane* pBar) const {
    if (!pBar || !pBar->GetSafeHwnd()) {
        return FALSE;
    }
    for (const plat::DockSite& site : dock_->sites) {
        for (const plat::DockedPane& p : site.panes) {
            if (p.hwnd == pBar->GetSafeHwnd()) {
                return TRUE;
            }
        }
    }
    return FALSE;
}

void CFrameWnd::SetDockSiteSize(DWORD dwAlignment, int nSize) {
    if (const std::optional<DockEdge> edge = EdgeOfAlignment(dwAlignment)) {
        dock_->sites[static_cast<int>(*edge)].depth = std::max(0, nSize);
        RecalcLayout();
    }
}

int CFrameWnd::GetDockSiteSize(DWORD dwAlignment) const {
    const std::optional<DockEdge> edge = EdgeOfAlignment(dwAlignment);
    return edge ? std::max(0, dock_->sites[static_cast<int>(*edge)].depth) : 0;
}

// ---- Layout ------------------------------------------------------------------------------

void CFrameWnd::RecalcLayout(BOOL) {
    if (!GetSafeHwnd()) {
        return;
    }
    plat::DockState& dock = *dock_;
    std::array<plat::SiteRequest, kDockEdgeCount> requests;
    for (int e = 0; e < kDockEdgeCount; ++e) {
        plat::DockSite& site = dock.sites[e];
        // Panes destroyed or moved to another parent meanwhile leave their site.
        std::erase_if(site.panes, [this](const plat::DockedPane& p) {
            const CBasePane* pane = PaneOf(p.hwnd);
            return !pane || pane->GetParent() != this;
        });
        dock.placed[e].clear();
        requests[e].depth = std::max(0, site.depth);
        for (const plat::DockedPane& p : site.panes) {
            if (PaneOf(p.hwnd)->IsVisible()) {
                requests[e].weights.push_back(p.weight);
                dock.placed[e].push_back(p.hwnd);
            }
        }
    }
    CRect client;
    GetClientRect(&client);
    dock.layout = plat::LayOutDockSites(client, requests, plat::style::kSplitterWidth);

    constexpr UINT kPlace = SWP_NOZORDER | SWP_NOACTIVATE;
    for (int e = 0; e < kDockEdgeCount; ++e) {
        for (std::size_t i = 0; i < dock.placed[e].size(); ++i) {
            const CRect& r = dock.layout.sites[e].panes[i];
            if (CBasePane* pane = PaneOf(dock.placed[e][i])) {
                pane->SetWindowPos(nullptr, r.left, r.top, r.Width(), r.Height(), kPlace);
            }
        }
    }
    if (CWnd* view = GetDlgItem(AFX_IDW_PANE_FIRST)) {
        const CRect& r = dock.layout.view;
        view->SetWindowPos(nullptr, r.left, r.top, r.Width(), r.Height(), kPlace);
    }
    Invalidate(FALSE);  // the splitters: the children are clipped out
}

void CFrameWnd::DelayRecalcLayout(BOOL) {
    if (!dock_->layoutPending && GetSafeHwnd()) {
        dock_->layoutPending = PostMessage(DelayedLayoutMessage()) != FALSE;
    }
}

LRESULT CFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == DelayedLayoutMessage()) {
        dock_->layoutPending = false;
        RecalcLayout();
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    RecalcLayout();
}

// ---- Views -------------------------------------------------------------------------------

CView* CFrameWnd::GetActiveView() const {
    if (auto* view = dynamic_cast<CView*>(CWnd::FromHandle(dock_->activeView))) {
        return view;
    }
    return dynamic_cast<CView*>(GetDlgItem(AFX_IDW_PANE_FIRST));
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL) {
    dock_->activeView = pViewNew ? pViewNew->GetSafeHwnd() : nullptr;
}

// ---- Painting: the frame's own pixels are its splitters ---------------------------------

BOOL CFrameWnd::OnEraseBkgnd(CDC*) {
    return TRUE;  // OnPaint covers every pixel
}

void CFrameWnd::OnPaint() {
    CPaintDC dc(this);
    const plat::style::PaneColours colours = plat::style::CurrentPaneColours();
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, colours.splitterFace);
    for (const plat::SiteLayout& site : dock_->layout.sites) {
        if (site.panes.empty()) {
            continue;
        }
        plat::style::DrawSplitter(dc, site.splitter, colours);
        for (const CRect& bar : site.splitters) {
            plat::style::DrawSplitter(dc, bar, colours);
        }
    }
}

// ---- Splitter drags ----------------------------------------------------------------------

void CFrameWnd::OnLButtonDown(UINT nFlags, CPoint point) {
    for (int e = 0; e < kDockEdgeCount; ++e) {
        const plat::SiteLayout& site = dock_->layout.sites[e];
        if (site.panes.empty()) {
            continue;
        }
        const auto edge = static_cast<DockEdge>(e);
        std::optional<plat::SplitterDrag> drag;
        if (site.splitter.PtInRect(point)) {
            drag = plat::SplitterDrag{plat::SplitterKind::Site, edge, 0,
                                      point - site.splitter.TopLeft()};
        }
        for (std::size_t i = 0; !drag && i < site.splitters.size(); ++i) {
            if (site.splitters[i].PtInRect(point)) {
                drag = plat::SplitterDrag{plat::SplitterKind::Between, edge, static_cast<int>(i),
                                          point - site.splitters[i].TopLeft()};
            }
        }
        if (drag) {
            SetCapture();
            dock_->drag = *drag;
            return;
        }
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CFrameWnd::OnMouseMove(UINT nFlags, CPoint point) {
    if (dock_->drag.kind != plat::SplitterKind::None) {
        DragSplitterTo(point);
        return;
    }
    CWnd::OnMouseMove(nFlags, point);
}

void CFrameWnd::OnLButtonUp(UINT nFlags, CPoint point) {
    if (dock_->drag.kind == plat::SplitterKind::None) {
        CWnd::OnLButtonUp(nFlags, point);
        return;
    }
    DragSplitterTo(point);
    ReleaseCapture();  // ends the drag (OnCaptureChanged)
}

void CFrameWnd::OnCaptureChanged(CWnd* pWnd) {
    dock_->drag.kind = plat::SplitterKind::None;
    CWnd::OnCaptureChanged(pWnd);
}

// The dragged splitter's top-left corner goes where the mouse holds it; the parts on
// either side keep at least kMinPaneLength.
void CFrameWnd::DragSplitterTo(CPoint point) {
    plat::DockState& dock = *dock_;
    const plat::SplitterDrag& drag = dock.drag;
    const int e = static_cast<int>(drag.edge);
    const plat::SiteLayout& site = dock.layout.sites[e];
    const CPoint corner = point - drag.grab;
    if (drag.kind == plat::SplitterKind::Site) {
        dock.sites[e].depth =
            std::max(kMinPaneLength, DepthForSplitterAt(drag.edge, site.site, corner));
        RecalcLayout();
        return;
    }
    const auto i = static_cast<std::size_t>(drag.index);
    if (i + 1 >= site.panes.size()) {
        return;
    }
    constexpr int kBar = plat::style::kSplitterWidth;
    const int start = AlongStart(drag.edge, site.panes[i]);
    const int end = AlongEnd(drag.edge, site.panes[i + 1]);
    if (end - start < 2 * kMinPaneLength + kBar) {
        return;  // no room to move it
    }
    const int bar =
        std::clamp(Along(drag.edge, corner), start + kMinPaneLength, end - kBar - kMinPaneLength);
    // Every visible pane keeps the length it has now, except the two beside the splitter.
    std::vector<int> lengths;
    for (const CRect& pane : site.panes) {
        lengths.push_back(AlongEnd(drag.edge, pane) - AlongStart(drag.edge, pane));
    }
    lengths[i] = bar - start;
    lengths[i + 1] = end - (bar + kBar);
    for (plat::DockedPane& docked : dock.sites[e].panes) {
        const auto found = std::find(dock.placed[e].begin(), dock.placed[e].end(), docked.hwnd);
        if (found != dock.placed[e].end()) {
            docked.weight = lengths[found - dock.placed[e].begin()];
        }
    }
    RecalcLayout();
}

// ---- Workspace state and the end of the frame -------------------------------------------

void CFrameWnd::SaveState(LPCTSTR lpszProfileName) {
    for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
        if (auto* pane = dynamic_cast<CBasePane*>(child)) {
            pane->SaveState(lpszProfileName);
        }
    }
}

void CFrameWnd::LoadState(LPCTSTR lpszProfileName) {
    for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
        if (auto* pane = dynamic_cast<CBasePane*>(child)) {
            pane->LoadState(lpszProfileName);
        }
    }
    RecalcLayout();
}

void CFrameWnd::OnClose() {
    SaveState();
    CWnd::OnClose();
}

void CFrameWnd::OnNcDestroy() {
    CWnd::OnNcDestroy();
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
}

void CFrameWnd::PostNcDestroy() {
    if (!inDestructor_) {
        delete this;
    }
}
