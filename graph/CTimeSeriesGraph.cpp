#include "graph/CTimeSeriesGraph.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "graph/TimeSeriesGraph_p.h"
#include "platform/gdi/SavedDC.h"
#include "settings/AngleText.h"
#include "settings/ConfigFile.h"

using namespace ts_graph;

namespace {

constexpr COLORREF kDayAlarm = RGB(255, 0, 0);
constexpr COLORREF kNightAlarm = RGB(128, 0, 0);
constexpr COLORREF kDayText = RGB(255, 255, 255);
constexpr COLORREF kNightText = RGB(128, 128, 128);
constexpr COLORREF kDayTitle = RGB(255, 255, 0);
constexpr COLORREF kNightTitle = RGB(128, 128, 0);
constexpr COLORREF kDayGrid = RGB(192, 192, 192);
constexpr COLORREF kNightGrid = RGB(85, 85, 85);
constexpr COLORREF kDayBackground = RGB(85, 85, 85);
constexpr COLORREF kNightBackground = RGB(0, 0, 0);

constexpr int kTitleTenths = 120;
constexpr int kLabelTenths = 80;
constexpr int kGraphFontTenths = 80;
constexpr COLORREF kNewTraceColour = RGB(255, 0, 255);

// A configuration file of absurd size still gives a usable graph.
constexpr int kMaxLoadedTraces = 256;

// The defaults of a graph without a configuration file.
constexpr int kDefaultYRangeMode = 0;
constexpr double kDefaultYMin = 0.0;
constexpr double kDefaultYMax = 10.0;

CString Formatted(const char* format, double value) {
    CString text;
    text.Format(format, value);
    return text;
}

bool UsableSpan(double span) {
    return std::isfinite(span) && span > 0.0;
}

// The label of a vertical grid line t units from the newest sample.
CString XLabel(bool timeAxis, double window, double tick, double t) {
    if (timeAxis) {
        return window <= 10800.0 ? Formatted("%.0lfmin", t / 60.0)
                                 : Formatted("%.0lfhr", t / 3600.0);
    }
    if (tick < 1.0) {
        return Formatted("%.1lfm", t);
    }
    if (tick == 1000.0) {
        return Formatted("KP%.0lf", t / 1000.0);
    }
    return Formatted("%.0lfm", t);
}

// Grid lines packed tighter than one per pixel cannot be told apart; beyond that many
// (an absurd span or window) the grid is left out rather than drawn for ever.
bool GridFits(double lines, std::int64_t pixels) {
    return std::isfinite(lines) &&
           lines <= static_cast<double>(std::max<std::int64_t>(pixels, 0)) + 1;
}

}  // namespace

// ---- Construction and settings ----------------------------------------------------------

CTimeSeriesGraph::CTimeSeriesGraph() : m_strYfmt("%.0lfm") {
    m_GraphFont.DeleteObject();
    MakeGraphFont(kGraphFontTenths, FW_NORMAL);
    SetNight(false);
    SetYRange(m_dYMin, m_dYMax);
}

CTimeSeriesGraph::~CTimeSeriesGraph() {
    ClearAll();
    // The context goes before the pens and fonts it may still hold.
    DeleteDC();
}

void CTimeSeriesGraph::SetNight(bool night) {
    m_bNight = night;
    m_AlarmColour = night ? kNightAlarm : kDayAlarm;
    m_TextColour = night ? kNightText : kDayText;
    m_TitleColour = night ? kNightTitle : kDayTitle;
    m_BackgroundColour = night ? kNightBackground : kDayBackground;
    m_GridPen.DeleteObject();
    m_GridPen.CreatePen(PS_DOT, 1, night ? kNightGrid : kDayGrid);
    m_AxisPen.DeleteObject();
    m_AxisPen.CreatePen(PS_SOLID, 1, m_TextColour);
    m_LimitPen.DeleteObject();
    m_LimitPen.CreatePen(PS_DASH, 1, m_AlarmColour);
}

void CTimeSeriesGraph::SetYRange(double minimum, double maximum) {
    // A range that no paint could scale is refused; the previous one stays.
    if (!std::isfinite(minimum) || !std::isfinite(maximum) || !std::isfinite(maximum - minimum)) {
        return;
    }
    if (std::fabs(minimum) == std::fabs(maximum)) {
        maximum = std::fabs(maximum);
        minimum = -maximum + 0.0;  // 0 .. 0 starts at 0, not -0
    }
    m_dYMin = minimum;
    m_dYMax = maximum;
    m_dYSpan = maximum - minimum;
    if (m_dYSpan == 0.0) {
        m_dYSpan = 10.0;
    }
    m_dYTick = YTickFor(m_dYSpan);
}

bool CTimeSeriesGraph::SetYfmt(const char* format) {
    if (!IsOneFloatFormat(format)) {
        return false;
    }
    m_strYfmt = format;
    return true;
}

// ---- Traces ----------------------------------------------------------------------------

CDataTrace* CTimeSeriesGraph::AddTrace(const char* name) {
    auto* trace = new CDataTrace(name ? name : "");
    Add(trace);
    return trace;
}

void CTimeSeriesGraph::ClearAll() {
    for (CDataTrace* trace : static_cast<CArray<CDataTrace*, CDataTrace*>&>(*this)) {
        delete trace;
    }
    RemoveAll();
}

CDataTrace* CTimeSeriesGraph::GetTrace(int index) const {
    return index >= 0 && index < GetTraceCount() ? GetAt(index) : nullptr;
}

// ---- Configuration file ------------------------------------------------------------------

bool CTimeSeriesGraph::Load(const char* name) {
    SetName(name);
    ClearAll();
    CConfigFile file;
    if (!file.OpenForRead(m_strName)) {
        UseDefaultConfiguration();
        return false;
    }
    ReadConfiguration(file);
    file.Close();
    return true;
}

void CTimeSeriesGraph::UseDefaultConfiguration() {
    m_strXLabel.Empty();
    m_strYLabel.Empty();
    m_nXAxisKind = 0;
    m_dTimeSpan = kDefaultTimeSpan;
    m_dXSpan = kDefaultXSpan;
    m_GraphMode = GRAPH_PLAIN;
    m_nYRangeMode = kDefaultYRangeMode;
    m_dRequiredValue = 0.0;
    m_bInverseY = false;
    SetYRange(kDefaultYMin, kDefaultYMax);
}

// Positional, in the order written. A missing line gives the value a graph without a file
// has, and so does a number no paint could use (a span that is not positive, a y range
// upside down, NaN): each value stands or falls on its own.
void CTimeSeriesGraph::ReadConfiguration(CConfigFile& file) {
    UseDefaultConfiguration();
    m_strXLabel = file.ReadText();
    m_nXAxisKind = file.ReadInt(0);
    const double timeSpan = file.ReadDouble(kDefaultTimeSpan);
    m_dTimeSpan = UsableSpan(timeSpan) ? timeSpan : kDefaultTimeSpan;
    const double xSpan = file.ReadDouble(kDefaultXSpan);
    m_dXSpan = UsableSpan(xSpan) ? xSpan : kDefaultXSpan;
    const int graphMode = file.ReadInt(GRAPH_PLAIN);
    m_GraphMode = graphMode >= GRAPH_PLAIN && graphMode <= GRAPH_LONGITUDE
                      ? static_cast<GRAPH_MODE>(graphMode)
                      : GRAPH_PLAIN;
    m_strYLabel = file.ReadText();
    m_nYRangeMode = file.ReadInt(kDefaultYRangeMode);
    const double required = file.ReadDouble(0.0);
    m_dRequiredValue = std::isfinite(required) ? required : 0.0;
    double yMin = file.ReadDouble(kDefaultYMin);
    double yMax = file.ReadDouble(kDefaultYMax);
    if (!std::isfinite(yMin) || !std::isfinite(yMax) || !std::isfinite(yMax - yMin) ||
        yMax < yMin) {
        yMin = kDefaultYMin;
        yMax = kDefaultYMax;
    }
    m_bInverseY = file.ReadBool();

    CString section;
    CStringArray lines;
    file.ReadSection(section, lines);
    for (int i = 0; i < lines.GetSize() && GetTraceCount() < kMaxLoadedTraces; ++i) {
        const TraceLine fields = SplitTraceLine(lines[i]);
        if (fields.blank) {
            continue;
        }
        CDataTrace* trace = AddTrace(fields.name);
        trace->m_Colour = fields.hasColour ? fields.colour : kNewTraceColour;
        trace->m_strAttribute1 = fields.attribute1;
        trace->m_strAttribute2 = fields.attribute2;
    }
    SetYRange(yMin, yMax);
}

// ---- Title --------------------------------------------------------------------------------

CString CTimeSeriesGraph::GetTitle() const {
    CString title;
    if (m_strYLabel.IsEmpty()) {
        title = m_strName.IsEmpty() ? CString("Time Series Graph") : m_strName;
    } else if (m_nXAxisKind == 0) {
        title.Format("Time v %s", static_cast<const char*>(m_strYLabel));
    } else if (m_nXAxisKind == 1) {
        title.Format(m_dDistanceTick == 1000.0 ? "KP v %s" : "Metres v %s",
                     static_cast<const char*>(m_strYLabel));
    }
    return title;
}

// ---- Painting ------------------------------------------------------------------------------

void CTimeSeriesGraph::MakeGraphFont(int tenthsOfPoint, int weight) {
    // At the resolution of the context drawn into, so a printed graph keeps its proportions.
    CDC& dc = Target();
    m_GraphFont.Make(tenthsOfPoint, weight, dc.GetSafeHdc() ? &dc : nullptr);
}

void CTimeSeriesGraph::Draw(const CRect& rect, bool timedOut) {
    if (rect.IsRectEmpty()) {
        return;
    }
    CDC& dc = Target();
    plat::SavedDC saved(dc);
    dc.IntersectClipRect(&rect);
    dc.FillSolidRect(&rect, timedOut ? m_AlarmColour : m_BackgroundColour);

    // The plot sits below one line of title text.
    MakeGraphFont(kTitleTenths, FW_BOLD);
    TEXTMETRICA metrics{};
    {
        plat::SelectedObject useFont(dc, &m_GraphFont);
        dc.GetTextMetrics(&metrics);
    }
    m_PlotRect = rect;
    m_PlotRect.top = static_cast<LONG>(std::min<std::int64_t>(
        std::int64_t{rect.top} + std::max<LONG>(metrics.tmHeight, 0), rect.bottom));
    dc.SetTextColor(m_TextColour);

    ChooseShownYRange();
    ChooseXScale();
    const double reference = Reference();
    if (!m_PlotRect.IsRectEmpty()) {
        MakeGraphFont(kLabelTenths, FW_BOLD);
        plat::SelectedObject useFont(dc, &m_GraphFont);
        DrawVerticalGrid(dc);
        DrawHorizontalGrid(dc);
        DrawValueLines(dc);
        DrawTraces(dc, reference);
        DrawReference(dc, reference);
    }
    DrawTitle(dc, rect);
}

void CTimeSeriesGraph::DrawTitle(CDC& dc, const CRect& rect) {
    MakeGraphFont(kTitleTenths, FW_BOLD);
    plat::SelectedObject useFont(dc, &m_GraphFont);
    const UINT align = dc.SetTextAlign(TA_CENTER | TA_TOP);
    const COLORREF colour = dc.SetTextColor(m_TitleColour);
    dc.TextOut(rect.CenterPoint().x, rect.top, GetTitle());
    dc.SetTextColor(colour);
    dc.SetTextAlign(align);
}

void CTimeSeriesGraph::ChooseShownYRange() {
    m_dShownYMin = m_dYMin;
    m_dShownYMax = m_dYMax;
    const CDataTrace* first = GetTrace(0);
    switch (m_nYRangeMode) {
        case 5:
            m_dYSpan = m_dYMax - m_dYMin;
            break;
        case 0:
        case 1:
            m_dYSpan = m_dYMax - m_dYMin;
            if (m_dYSpan == 0.0) {
                m_dYSpan = 10.0;
            }
            if (first && first->GetSize() > 1) {
                const double latest = first->OldestFirst().back().y;
                const double shownMin =
                    std::floor(4.0 * latest / m_dYSpan) * m_dYSpan / 4.0 - m_dYSpan / 2.0;
                // A latest value the span cannot place keeps the configured range.
                if (std::isfinite(shownMin) && std::isfinite(shownMin + m_dYSpan)) {
                    m_dShownYMin = shownMin;
                    m_dShownYMax = shownMin + m_dYSpan;
                }
            }
            if (m_nYRangeMode == 1 && m_dShownYMin < 0.0) {
                m_dShownYMin = 0.0;
                m_dShownYMax = m_dYSpan;
            }
            break;
        default: {
            const double m = std::max(std::fabs(m_dYMin), std::fabs(m_dYMax));
            m_dShownYMin = -m;
            m_dShownYMax = m;
            m_dYSpan = 2.0 * m;
            if (m_dYSpan == 0.0) {
                m_dShownYMin = -5.0;
                m_dShownYMax = 5.0;
            }
            break;
        }
    }
    if (m_dYSpan == 0.0) {
        m_dYSpan = 10.0;
    }
    m_dYTick = YTickFor(m_dYSpan);
}

double CTimeSeriesGraph::XWindow() const {
    if (m_nXAxisKind == 0 && UsableSpan(m_dTimeSpan)) {
        return m_dTimeWindow;
    }
    if (m_nXAxisKind == 1 && UsableSpan(m_dXSpan)) {
        return m_dDistanceWindow;
    }
    return 0.0;
}

void CTimeSeriesGraph::ChooseXScale() {
    double extent = 0.0;
    if (const CDataTrace* first = GetTrace(0); first && first->GetSize() > 1) {
        const auto samples = first->OldestFirst();
        extent = std::ceil(samples.back().x - samples.front().x);
        if (!std::isfinite(extent)) {
            extent = 0.0;  // samples spread wider than a double can tell apart
        }
    }
    m_dXPixelsPerUnit = 1.0;
    if (m_nXAxisKind == 0 && UsableSpan(m_dTimeSpan)) {
        m_dTimeWindow = GrownWindow(m_dTimeSpan, extent, m_dTimeWindow, m_dTimeTick);
        m_dTimeTick = TimeTickFor(m_dTimeWindow);
    } else if (m_nXAxisKind == 1 && UsableSpan(m_dXSpan)) {
        m_dDistanceWindow = GrownWindow(m_dXSpan, extent, m_dDistanceWindow, m_dDistanceTick);
        m_dDistanceTick = DistanceTickFor(m_dDistanceWindow);
    }
    if (const double window = XWindow(); window > 0.0) {
        m_dXPixelsPerUnit = static_cast<double>(Extent(m_PlotRect.left, m_PlotRect.right)) / window;
    }
    m_dYPixelsPerUnit = static_cast<double>(Extent(m_PlotRect.top, m_PlotRect.bottom)) / m_dYSpan;
}

double CTimeSeriesGraph::Reference() const {
    const CDataTrace* first = GetTrace(0);
    const bool hasSamples = first && first->GetSize() > 0;
    switch (m_nYRangeMode) {
        case 2:
            return hasSamples ? first->OldestFirst().back().y : 0.0;
        case 3:
            return hasSamples ? first->MeanY() : 0.0;
        case 4:
            return m_dRequiredValue;
        default:
            return 0.0;
    }
}

int CTimeSeriesGraph::HeightOf(double value) const {
    const double offset = (value - m_dShownYMin) * m_dYPixelsPerUnit;
    return ToPixel(m_bInverseY ? m_PlotRect.top + offset : m_PlotRect.bottom - offset);
}

void CTimeSeriesGraph::DrawVerticalGrid(CDC& dc) {
    const double window = XWindow();
    const bool timeAxis = m_nXAxisKind == 0;
    const double tick = timeAxis ? m_dTimeTick : m_dDistanceTick;
    if (window <= 0.0 || tick <= 0.0 ||
        !GridFits(window / tick, Extent(m_PlotRect.left, m_PlotRect.right))) {
        return;
    }
    plat::SelectedObject usePen(dc, &m_GridPen);
    const UINT align = dc.SetTextAlign(TA_CENTER | TA_BOTTOM);
    for (int i = 1; i * tick < window; ++i) {
        const double t = i * tick;
        const int x = ToPixel(m_PlotRect.right - t * m_dXPixelsPerUnit);
        dc.MoveTo(x, m_PlotRect.bottom);
        dc.LineTo(x, m_PlotRect.top);
        dc.TextOut(x - 2, m_PlotRect.bottom - 2, XLabel(timeAxis, window, tick, t));
    }
    dc.SetTextAlign(align);
}

void CTimeSeriesGraph::DrawHorizontalGrid(CDC& dc) {
    // Multiples of the tick counted in whole steps, so that 0.1 steps do not drift.
    const double slack = 1e-9;
    const double first = std::ceil(m_dShownYMin / m_dYTick - slack);
    const double last = std::floor(m_dShownYMax / m_dYTick + slack);
    if (!GridFits(last - first, Extent(m_PlotRect.top, m_PlotRect.bottom))) {
        return;
    }
    plat::SelectedObject usePen(dc, &m_GridPen);
    const UINT align = dc.SetTextAlign(TA_LEFT | TA_BASELINE);
    for (double step = first; step <= last; ++step) {
        const double value = step * m_dYTick + 0.0;  // no "-0" label
        const int y = HeightOf(value);
        dc.MoveTo(m_PlotRect.left, y);
        dc.LineTo(m_PlotRect.right, y);
        dc.TextOut(m_PlotRect.left + 5, y - 2, FormatY(m_strYfmt, value));
    }
    dc.SetTextAlign(align);
}

// The limit lines, then the zero (reference) line.
void CTimeSeriesGraph::DrawValueLines(CDC& dc) {
    const auto across = [&](double value) {
        const int y = HeightOf(value);
        dc.MoveTo(m_PlotRect.left, y);
        dc.LineTo(m_PlotRect.right, y);
    };
    {
        plat::SelectedObject usePen(dc, &m_LimitPen);
        for (const double limit : {m_dMinValue, m_dMaxValue}) {
            if (limit != 0.0 && limit > m_dShownYMin && limit < m_dShownYMax) {
                across(limit);
            }
        }
    }
    if (m_nYRangeMode != 0) {
        plat::SelectedObject usePen(dc, &m_AxisPen);
        across(0.0);
    }
}

// The reference belongs to the zero line: the read-out sits just above it.
void CTimeSeriesGraph::DrawReference(CDC& dc, double reference) {
    const bool shown =
        m_nYRangeMode == 2 || m_nYRangeMode == 3 ||
        (m_nYRangeMode == 4 && (m_dRequiredValue != 0.0 || m_GraphMode == GRAPH_ANGLE));
    if (!shown) {
        return;
    }
    CString text;
    if (m_GraphMode == GRAPH_LATITUDE || m_GraphMode == GRAPH_LONGITUDE) {
        const int type = m_GraphMode == GRAPH_LATITUDE ? ANGLE_LATITUDE : ANGLE_LONGITUDE;
        text = FormatAngle(reference, type, ANGLE_FMT_FROM_SETTINGS, 0, '\0');
    } else {
        text = FormatY(m_strYfmt, reference);
    }
    const UINT align = dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
    dc.TextOut(m_PlotRect.right - 2, HeightOf(0.0) - 3, text);
    dc.SetTextAlign(align);
}
