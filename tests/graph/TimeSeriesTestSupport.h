#pragma once
// Pixel tests of the time-series graph: the graph drawing into a bitmap of its own (it is
// its own device context), and the ink a text leaves when drawn alone in the graph's font.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "graph/CTimeSeriesGraph.h"
#include "platform/gdi/SavedDC.h"

namespace ts_test {

constexpr COLORREF kDayBackground = RGB(85, 85, 85);
constexpr COLORREF kDayGrid = RGB(192, 192, 192);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);

// Plots every sample as its own segment: the reference the column spans are checked against.
class ReferenceGraph : public CTimeSeriesGraph {
public:
    ReferenceGraph() { m_bPlotEachSegment = true; }
};

// A graph drawing into a width x height bitmap.
class GraphCanvas {
public:
    GraphCanvas(int width, int height, bool referencePlot = false)
        : graph(referencePlot ? std::make_unique<ReferenceGraph>()
                              : std::make_unique<CTimeSeriesGraph>()),
          rect(0, 0, width, height) {
        EXPECT_TRUE(graph->CreateCompatibleDC(nullptr));
        EXPECT_TRUE(bitmap.CreateCompatibleBitmap(graph.get(), width, height));
        graph->SelectObject(&bitmap);
    }
    CBitmap bitmap;  // first, so that it outlives the context it is selected in
    std::unique_ptr<CTimeSeriesGraph> graph;
    CRect rect;

    CTimeSeriesGraph& g() { return *graph; }
    void Draw(bool timedOut = false) { graph->Draw(rect, timedOut); }
    const plat::Surface& surface() const { return *bitmap.GetSurface(); }
    COLORREF At(int x, int y) const { return surface().GetPixel(x, y); }
    int Count(COLORREF colour) const {
        const auto pixels = surface().Pixels();
        return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
    }
    int CountInRow(int y, COLORREF colour) const {
        int n = 0;
        for (int x = 0; x < surface().Width(); ++x) {
            n += At(x, y) == colour;
        }
        return n;
    }
    int CountInColumn(int x, COLORREF colour) const {
        int n = 0;
        for (int y = 0; y < surface().Height(); ++y) {
            n += At(x, y) == colour;
        }
        return n;
    }
};

// The row of a plotted value and the column of a distance from the newest sample, as the
// last paint placed them (truncated to whole pixels).
inline int RowOf(const CTimeSeriesGraph& g, double value) {
    const CRect plot = g.GetPlotRect();
    const double perUnit = plot.Height() / g.GetYSpan();
    const double offset = (value - g.GetShownYMin()) * perUnit;
    return static_cast<int>(g.IsInverseY() ? plot.top + offset : plot.bottom - offset);
}
inline int ColumnOf(const CTimeSeriesGraph& g, double distance, double window) {
    const CRect plot = g.GetPlotRect();
    const double perUnit = plot.Width() / window;
    return static_cast<int>(plot.right - distance * perUnit);
}

// Text as the graph writes it: the point font "Verdana" at tenths of a point and weight,
// on an opaque cell of the background colour (the graph's fill leaves that colour set).
inline void WriteText(CDC& dc, const char* text, int x, int y, UINT align, int tenths, int weight,
                      COLORREF colour) {
    const LOGFONTA logFont = CMyFont::Description(tenths, weight);
    CFont font;
    font.CreatePointFontIndirect(&logFont, &dc);
    plat::SavedDC saved(dc);
    dc.SelectObject(&font);
    dc.SetTextAlign(align);
    dc.SetTextColor(colour);
    dc.TextOut(x, y, text);
}

// True when every pixel that text inks, drawn alone on the background, has the same
// colour in the canvas; the text must ink something.
inline ::testing::AssertionResult ShowsText(const GraphCanvas& canvas, const char* text, int x,
                                            int y, UINT align, int tenths = 80,
                                            COLORREF colour = kWhite,
                                            COLORREF background = kDayBackground) {
    const int width = canvas.surface().Width();
    const int height = canvas.surface().Height();
    CBitmap bitmap;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    bitmap.CreateCompatibleBitmap(&dc, width, height);
    dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, width, height, background);
    WriteText(dc, text, x, y, align, tenths, FW_BOLD, colour);
    int inked = 0;
    for (int py = 0; py < height; ++py) {
        for (int px = 0; px < width; ++px) {
            const COLORREF expected = dc.GetPixel(px, py);
            if (expected == background) {
                continue;
            }
            ++inked;
            if (canvas.At(px, py) != expected) {
                return ::testing::AssertionFailure()
                       << "\"" << text << "\" differs at (" << px << ", " << py << ")";
            }
        }
    }
    if (inked == 0) {
        return ::testing::AssertionFailure() << "\"" << text << "\" inks nothing there";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace ts_test
