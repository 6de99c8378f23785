#pragma once
// CTimeSeriesGraph: plots its traces against time or against distance along a route, the
// newest sample at the right edge and older ones running left. It chooses its y range
// (fixed, following the latest value, or symmetric about a reference), draws a dotted
// grid with labelled ticks from fixed ladders, dashed limit lines and a title, and turns
// its background to the alarm colour when the host reports a time-out. Its layout comes
// from a configuration file in the settings folder named after the graph.
//
// The graph is its own drawing surface: a view creates a memory context on it, selects a
// bitmap, calls Draw and copies the result (CTSView).

#include "graph/CDataTrace.h"
#include "graph/CMyDC.h"
#include "graph/CMyFont.h"
#include "platform/core/CArray.h"
#include "platform/core/CString.h"
#include "platform/core/Geometry.h"

class CConfigFile;

enum GRAPH_MODE : int {
    GRAPH_PLAIN = 0,      // a plain quantity
    GRAPH_ANGLE = 1,      // degrees, plotted within -180 .. 180 of the reference
    GRAPH_LATITUDE = 2,   // the reference read-out as a latitude
    GRAPH_LONGITUDE = 3,  // the reference read-out as a longitude
};

class SUI_API CTimeSeriesGraph : public CMyDC, public CArray<CDataTrace*, CDataTrace*> {
public:
    static constexpr double kDefaultTimeSpan = 86400.0;
    static constexpr double kDefaultXSpan = 1000.0;

    CTimeSeriesGraph();
    ~CTimeSeriesGraph() override;
    CTimeSeriesGraph(const CTimeSeriesGraph&) = delete;
    CTimeSeriesGraph& operator=(const CTimeSeriesGraph&) = delete;

    // Day or night colours; re-creates the grid, axis and limit pens.
    void SetNight(bool night);
    bool IsNight() const { return m_bNight; }

    // Equal magnitudes give -|maximum| .. |maximum|; the span (10 when the range is empty)
    // then picks the y tick.
    void SetYRange(double minimum, double maximum);

    // Reads the configuration file named after name (and takes name as the graph's name).
    // False, with the defaults in place, when the file cannot be opened.
    bool Load(const char* name);

    // Appends a trace with this name (magenta until its first sample sets a colour) and
    // returns it. Deletes every trace and empties the array.
    CDataTrace* AddTrace(const char* name);
    void ClearAll();
    CDataTrace* GetTrace(int index) const;  // nullptr outside 0 .. GetSize() - 1
    int GetTraceCount() const { return CArray<CDataTrace*, CDataTrace*>::GetSize(); }

    CString GetTitle() const;

    // Paints the whole of rect into this context: background (alarm colour when timedOut),
    // grid, limit and reference lines, traces, title.
    void Draw(const CRect& rect, bool timedOut);

    // The settings a pane forwards. A y format must hold exactly one floating conversion
    // and nothing else that converts; otherwise SetYfmt returns false and keeps the old one.
    void SetName(const char* name) { m_strName = name ? name : ""; }
    const CString& GetName() const { return m_strName; }
    void SetTimeSpan(double seconds) { m_dTimeSpan = seconds; }
    void SetXSpan(double metres) { m_dXSpan = metres; }
    void SetInverseY(bool inverse) { m_bInverseY = inverse; }
    void SetMinValue(double value) { m_dMinValue = value; }
    void SetMaxValue(double value) { m_dMaxValue = value; }
    void SetRequiredValue(double value) { m_dRequiredValue = value; }
    void SetGraphMode(GRAPH_MODE mode) { m_GraphMode = mode; }
    void SetYRangeMode(int mode) { m_nYRangeMode = mode; }
    void SetXAxisKind(int kind) { m_nXAxisKind = kind; }
    bool SetYfmt(const char* format);

    // What the last paint and the configuration left, for the pane and for tests.
    const CString& GetYfmt() const { return m_strYfmt; }
    int GetXAxisKind() const { return m_nXAxisKind; }
    GRAPH_MODE GetGraphMode() const { return m_GraphMode; }
    int GetYRangeMode() const { return m_nYRangeMode; }
    double GetTimeSpan() const { return m_dTimeSpan; }
    double GetXSpan() const { return m_dXSpan; }
    double GetTimeWindow() const { return m_dTimeWindow; }
    double GetTimeTick() const { return m_dTimeTick; }
    double GetDistanceWindow() const { return m_dDistanceWindow; }
    double GetDistanceTick() const { return m_dDistanceTick; }
    double GetYSpan() const { return m_dYSpan; }
    double GetYMin() const { return m_dYMin; }
    double GetYMax() const { return m_dYMax; }
    double GetShownYMin() const { return m_dShownYMin; }
    double GetShownYMax() const { return m_dShownYMax; }
    double GetYTick() const { return m_dYTick; }
    bool IsInverseY() const { return m_bInverseY; }
    const CString& GetXLabel() const { return m_strXLabel; }
    const CString& GetYLabel() const { return m_strYLabel; }
    double GetRequiredValue() const { return m_dRequiredValue; }
    double GetMinValue() const { return m_dMinValue; }
    double GetMaxValue() const { return m_dMaxValue; }
    const CRect& GetPlotRect() const { return m_PlotRect; }
    COLORREF GetAlarmColour() const { return m_AlarmColour; }

protected:
    CString m_strName;
    CMyFont m_GraphFont;
    bool m_bNight = false;
    COLORREF m_AlarmColour;
    COLORREF m_TextColour;
    COLORREF m_TitleColour;
    CMyPen m_GridPen;
    CMyPen m_AxisPen;
    CMyPen m_LimitPen;
    CString m_strXLabel;
    int m_nXAxisKind = 0;
    double m_dTimeSpan = kDefaultTimeSpan;
    double m_dTimeWindow = 0.0;
    double m_dTimeTick = 0.0;
    double m_dXSpan = 0.0;
    double m_dDistanceWindow = 0.0;
    double m_dDistanceTick = 0.0;
    double m_dYSpan = 10.0;
    double m_dYMin = 0.0;
    double m_dYMax = 10.0;
    double m_dShownYMin = 0.0;
    double m_dShownYMax = 10.0;
    double m_dYTick = 1.0;
    bool m_bInverseY = false;
    GRAPH_MODE m_GraphMode = GRAPH_PLAIN;
    CString m_strYLabel;
    CString m_strYfmt;
    double m_dXPixelsPerUnit = 1.0;
    double m_dYPixelsPerUnit = 1.0;
    int m_nYRangeMode = 2;
    double m_dRequiredValue = 0.0;
    double m_dMinValue = 0.0;
    double m_dMaxValue = 0.0;
    CRect m_PlotRect;
    // Plot every sample as its own segment instead of one span per pixel column. Both
    // ink the same pixels; this slow path is kept as the reference the fast one is
    // checked against.
    bool m_bPlotEachSegment = false;

private:
    // Painting steps, in the order Draw takes them (TimeSeriesPlot.cpp holds the traces).
    void ChooseShownYRange();
    void ChooseXScale();
    double XWindow() const;  // the width shown on the x axis; 0 when there is none
    double Reference() const;
    int HeightOf(double value) const;
    void MakeGraphFont(int tenthsOfPoint, int weight);
    void DrawTitle(CDC& dc, const CRect& rect);
    void DrawVerticalGrid(CDC& dc);
    void DrawHorizontalGrid(CDC& dc);
    void DrawValueLines(CDC& dc);
    void DrawTraces(CDC& dc, double reference);
    void DrawReference(CDC& dc, double reference);
    void ReadConfiguration(CConfigFile& file);
    void UseDefaultConfiguration();
};
