#include "graph/CTSPane.h"

#include "settings/RegisteredMessages.h"

const CRuntimeClass CTSPane::runtimeClass =
    plat::MakeRuntimeClass<CTSPane, CMyDockablePane>("CTSPane");

CTSPane::CTSPane() = default;

CTSPane::~CTSPane() = default;

int CTSPane::Create(CWnd* pParent, const char* lpszTitle, int nID) {
    if (!CMyDockablePane::Create(pParent, static_cast<UINT>(nID), lpszTitle)) {
        return 0;
    }
    m_hHost = pParent ? pParent->GetSafeHwnd() : nullptr;
    if (CTimeSeriesGraph* graph = GetTimeSeriesGraph()) {
        graph->Load(m_strTitle);
    }
    AdjustLayout();
    return 1;
}

void CTSPane::PrepareView(CTSView& view) {
    view.SetTimeout(m_bTimeout);
}

CTimeSeriesGraph* CTSPane::GetTimeSeriesGraph() const {
    CTSView* view = GetView();
    return view ? view->GetTimeSeriesGraph() : nullptr;
}

// ---- Traces and samples -------------------------------------------------------------------

void CTSPane::AddTrace(const char* lpszName) {
    if (CTimeSeriesGraph* graph = GetTimeSeriesGraph()) {
        graph->AddTrace(lpszName);
    }
}

CDataTrace* CTSPane::TraceAt(int index) const {
    const CTimeSeriesGraph* graph = GetTimeSeriesGraph();
    return graph ? graph->GetTrace(index) : nullptr;
}

void CTSPane::Enter(CDataTrace* trace, double x, double y, unsigned long colour) {
    if (trace) {
        trace->m_Colour = static_cast<COLORREF>(colour);
        trace->Add(x, y);
    }
}

void CTSPane::SetData(double x, double y, unsigned long colour) {
    Enter(TraceAt(0), x, y, colour);
}

void CTSPane::SetData(double y, unsigned long colour) {
    if (CDataTrace* trace = TraceAt(0)) {
        Enter(trace, CurrentTimeAbscissa(), y, colour);
    }
}

void CTSPane::SetData(int index, double x, double y, unsigned long colour) {
    Enter(TraceAt(index), x, y, colour);
}

void CTSPane::SetData(int index, double y, unsigned long colour) {
    if (CDataTrace* trace = TraceAt(index)) {
        Enter(trace, CurrentTimeAbscissa(), y, colour);
    }
}

void CTSPane::ClearAll() {
    if (CTSView* view = GetView()) {
        view->ClearAll();
    }
}

// ---- Axes and limits ----------------------------------------------------------------------

void CTSPane::SetTimeSpan(double seconds) {
    if (CTimeSeriesGraph* graph = GetTimeSeriesGraph()) {
        graph->SetTimeSpan(seconds);
    }
}

void CTSPane::SetXSpan(double metres) {
    if (CTimeSeriesGraph* graph = GetTimeSeriesGraph()) {
        graph->SetXSpan(metres);
    }
}

void CTSPane::SetYRange(double minimum, double maximum) {
    if (CTimeSeriesGraph* graph = GetTimeSeriesGraph()) {
        graph->SetYRange(minimum, maximum);
    }
}

void CTSPane::SetYRange(double minimum, bool maximum) {
    SetYRange(minimum, maximum ? 1.0 : 0.0);
}

void CTSPane::SetInverseY(bool bInverse) {
    if (CTimeSeriesGraph* graph = GetTimeSeriesGraph()) {
        graph->SetInverseY(bInverse);
    }
}

void CTSPane::SetMinValue(double value) {
    if (CTimeSeriesGraph* graph = GetTimeSeriesGraph()) {
        graph->SetMinValue(value);
    }
}

void CTSPane::SetMaxValue(double value) {
    if (CTimeSeriesGraph* graph = GetTimeSeriesGraph()) {
        graph->SetMaxValue(value);
    }
}

void CTSPane::SetRequiredValue(double value) {
    if (CTimeSeriesGraph* graph = GetTimeSeriesGraph()) {
        graph->SetRequiredValue(value);
    }
}

void CTSPane::SetGraphMode(GRAPH_MODE mode) {
    if (CTimeSeriesGraph* graph = GetTimeSeriesGraph()) {
        graph->SetGraphMode(mode);
    }
}

bool CTSPane::SetYfmt(const char* lpszFormat) {
    CTimeSeriesGraph* graph = GetTimeSeriesGraph();
    return graph && graph->SetYfmt(lpszFormat);
}

// ---- Time-out -----------------------------------------------------------------------------

void CTSPane::SetTimeout(bool bTimeout) {
    m_bTimeout = bTimeout;
    if (CTSView* view = GetView()) {
        view->SetTimeout(bTimeout);
    }
}

// ---- Messages -----------------------------------------------------------------------------

LRESULT CTSPane::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == GetGraphConfigureMessage()) {
        return OnGraphConfigure(wParam, lParam);
    }
    return CViewPane<CTSView>::WindowProc(message, wParam, lParam);
}

LRESULT CTSPane::OnGraphConfigure(WPARAM wParam, LPARAM lParam) {
    if (CWnd* host = GetHost()) {
        host->PostMessage(GetGraphConfigureMessage(), wParam, lParam);
    }
    return 0;
}

void CTSPane::OnSetFocus(CWnd* pOldWnd) {
    CViewPane<CTSView>::OnSetFocus(pOldWnd);
    if (CTSView* view = GetView()) {
        view->SetFocus();
    }
}

void CTSPane::OnRButtonDown(UINT nFlags, CPoint point) {
    // The view takes the right clicks that matter; the pane's own strip of client area
    // (none while the view fills it) asks for nothing.
    static_cast<void>(nFlags);
    static_cast<void>(point);
}
