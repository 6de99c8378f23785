#pragma once
// CTSPane: the dockable pane through which a host shows a live time-series graph. The host
// creates it with a title (which also names the graph's configuration file), adds named
// traces, feeds samples, tunes the axes and calls Update() to repaint; the pane forwards
// all of it to the graph held by its view. Before the pane's window exists, and after its
// view has gone, every call that would reach the graph does nothing.
//
// A right click in the graph reaches the host window given to Create as the registered
// graph-configure message, with the graph's address as lParam.

#include "graph/CTSView.h"
#include "instruments/CViewPane.h"

class SUI_API CTSPane : public CViewPane<CTSView> {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    CTSPane();
    ~CTSPane() override;

    // 1 when the pane exists; its graph then holds the configuration named by lpszTitle.
    int Create(CWnd* pParent, const char* lpszTitle, int nID);

    // A new trace, magenta until its first sample.
    void AddTrace(const char* lpszName);
    // A sample for trace 0 (ignored while there is none), or for trace index (ignored
    // outside the traces); each sets the trace's colour. Without x the sample is taken
    // at the current local time.
    void SetData(double x, double y, unsigned long colour);
    void SetData(double y, unsigned long colour);
    void SetData(int index, double x, double y, unsigned long colour);
    void SetData(int index, double y, unsigned long colour);
    void ClearAll();

    void SetTimeSpan(double seconds);
    void SetXSpan(double metres);
    void SetYRange(double minimum, double maximum);
    // The flag is the maximum: true gives minimum .. 1. With both forms, a whole-number
    // maximum is ambiguous: pass a double (5.0) or a bool.
    void SetYRange(double minimum, bool maximum);
    void SetInverseY(bool bInverse);
    // Limit lines; 0 = none.
    void SetMinValue(double value);
    void SetMaxValue(double value);
    void SetRequiredValue(double value);
    void SetGraphMode(GRAPH_MODE mode);
    // False (the format kept) for a format that is not exactly one floating conversion.
    bool SetYfmt(const char* lpszFormat);

    // The pane's time-out flag. It is handed to the view too, so that the next paint
    // shows the alarm: a host that reports a time-out to the pane sees it.
    void SetTimeout(bool bTimeout);
    bool GetTimeout() const { return m_bTimeout; }

    // The graph of the view; nullptr while there is no view.
    CTimeSeriesGraph* GetTimeSeriesGraph() const;
    // The window given to Create, the configure requests go there; nullptr once it has gone.
    CWnd* GetHost() const { return CWnd::FromHandle(m_hHost); }

protected:
    void PrepareView(CTSView& view) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnSetFocus(CWnd* pOldWnd) override;
    void OnRButtonDown(UINT nFlags, CPoint point) override;
    // Passes a configure request from the view on to the host, parameters unchanged.
    LRESULT OnGraphConfigure(WPARAM wParam, LPARAM lParam);

private:
    // The trace for a sample, nullptr for none.
    CDataTrace* TraceAt(int index) const;
    static void Enter(CDataTrace* trace, double x, double y, unsigned long colour);

    bool m_bTimeout = false;
    HWND m_hHost = nullptr;  // the host by handle: a host window that went is recognised
};
