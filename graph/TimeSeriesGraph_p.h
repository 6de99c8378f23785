#pragma once
// The time-series graph's own helpers: tick ladders and window growth, pixel positions,
// the trace walk with its two ways of inking a line, night colours, the y format check
// and the trace lines of a configuration file.

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "graph/CDataTrace.h"
#include "platform/core/CString.h"
#include "platform/gdi/CDC.h"

namespace ts_graph {

// ---- Scales (TimeSeriesPlot.cpp)

double YTickFor(double span);
double TimeTickFor(double window);
double DistanceTickFor(double window);
// The window of an axis: the configured span while it covers the data extent; otherwise
// the last window rounded up to whole ticks and grown by whole ticks to cover it (the
// extent itself before any tick was chosen).
double GrownWindow(double span, double extent, double lastWindow, double tick);

// right - left (or bottom - top) without the wrap of 32-bit arithmetic.
inline std::int64_t Extent(LONG low, LONG high) {
    return std::int64_t{high} - low;
}
// A position truncated to whole pixels, held within kFarPixel of 0, far enough inside int
// that offsets and widths added later cannot overflow; NaN goes far off the surface too.
// No branches, as it places every sample.
constexpr double kFarPixel = 1 << 28;
inline int ToPixel(double position) {
#if defined(__SSE2__)
    // maxsd and minsd keep their first operand only when it compares greater (smaller):
    // the same choice as below, NaN included, where the compiler may emit branches.
    __m128d p = _mm_max_sd(_mm_set_sd(position), _mm_set_sd(-kFarPixel));
    p = _mm_min_sd(p, _mm_set_sd(kFarPixel));
    return _mm_cvttsd_si32(p);  // truncates
#else
    position = position > -kFarPixel ? position : -kFarPixel;
    position = position < kFarPixel ? position : kFarPixel;
    return static_cast<int>(position);  // truncates
#endif
}

// ---- Traces (TimeSeriesPlot.cpp)

// How samples become points on the plot: x = right - |newest x - x| * xPerUnit, the
// height from the plotted value y - reference (wrapped into -180 .. 180 for angles).
struct PlotScale {
    RECT plot;
    double window;  // samples further than this from the newest end the walk
    double xPerUnit;
    double yPerUnit;
    double shownMin;
    bool inverseY;
    bool angles;
    double noValue;
    double reference;
};

// Inks the lines of one trace: every sample as its own segment, placed one at a time
// (eachSegment, the reference), or one vertical span per pixel column and the segments
// joining the columns: the columns found by searching when x is in order (not for
// angles), else with every sample placed, in vectors. Both ink exactly the same pixels.
void PlotTrace(CDC& dc, const CDataTrace& trace, const PlotScale& scale, bool eachSegment);

// A trace colour as night shows it: the night partner of one of the ten day colours,
// any other colour at half strength.
COLORREF NightColour(COLORREF day);

// ---- Texts (TimeSeriesText.cpp)

// True for a printf format with exactly one floating conversion (flags, width and
// precision of at most three digits, an optional 'l', one of f F e E g G) and otherwise
// only plain text and "%%".
bool IsOneFloatFormat(const char* format);
// value through such a format; empty text if the result could not be made.
CString FormatY(const char* format, double value);

// One trace line of a configuration file: name, colour, two attribute texts.
struct TraceLine {
    bool blank = true;  // nothing but blanks: no trace
    CString name;
    bool hasColour = false;
    COLORREF colour = 0;
    CString attribute1;
    CString attribute2;
};
// Fields split at commas; a field may be enclosed in double quotes (a doubled quote
// inside stands for one), blanks around a field are dropped, and the escapes of the
// settings files stand for a carriage return, a line feed and a comma. A missing or
// unusable colour (not within 0 .. 0xFFFFFF) leaves hasColour false.
TraceLine SplitTraceLine(const CString& line);

}  // namespace ts_graph
