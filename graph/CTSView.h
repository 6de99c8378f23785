#pragma once
// CTSView: the child window that fills a time-series pane and paints its graph. It owns
// the graph, draws it off screen and copies it in one block, so a live graph repainted
// several times a second does not flicker. A right click asks the pane (and through it
// the host) to offer the graph's configuration.

#include "graph/CTimeSeriesGraph.h"
#include "platform/window/CView.h"

class SUI_API CTSView : public CView {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    CTSView();
    ~CTSView() override;

    // A visible 200 x 200 child of the pane, id 0, in a class with only double clicks.
    using CView::Create;
    BOOL Create(CWnd* pParent);

    // Whether the next paint shows the time-out alarm.
    void SetTimeout(bool bTimeout) { m_bTimeout = bTimeout; }
    bool GetTimeout() const { return m_bTimeout; }
    // The graph's day (false) or night (true) colours.
    void SetNightMode(bool bNight) { m_Graph.SetNight(bNight); }
    void ClearAll() { m_Graph.ClearAll(); }

    CTimeSeriesGraph* GetTimeSeriesGraph() { return &m_Graph; }
    const CTimeSeriesGraph* GetTimeSeriesGraph() const { return &m_Graph; }
    // The pane the view was created in; nullptr before that and once the pane has gone.
    CWnd* GetPane() const { return CWnd::FromHandle(m_hPane); }

    void OnDraw(CDC* pDC) override;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnRButtonDown(UINT nFlags, CPoint point) override;
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) override;

private:
    // The caption of the owning pane shows the graph's title.
    void ShowTitle();

    CTimeSeriesGraph m_Graph;
    bool m_bTimeout = false;
    HWND m_hPane = nullptr;  // the parent at creation, by handle: a gone pane is recognised
};
