// The time-series graph's scales and its traces: tick ladders, window growth, and the walk
// that turns samples into lines, newest first, with the two ways of inking them.

#include <algorithm>
#include <array>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <span>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "graph/CTimeSeriesGraph.h"
#include "graph/TimeSeriesGraph_p.h"
#include "platform/gdi/SavedDC.h"

namespace ts_graph {

// ---- Scales ----------------------------------------------------------------------------

double YTickFor(double span) {
    if (span > 0.0 && span <= 1.0) {
        return 0.1;
    }
    if (span > 1.0 && span <= 5.0) {
        return 1.0;
    }
    if (span > 5.0 && span <= 25.0) {
        return 5.0;
    }
    if (span > 25.0 && span <= 50.0) {
        return 10.0;
    }
    if (span > 50.0 && span <= 250.0) {
        return 50.0;
    }
    if (span > 250.0 && span <= 500.0) {
        return 100.0;
    }
    return 500.0;
}

double TimeTickFor(double window) {
    constexpr std::pair<double, double> kLadder[] = {
        {600, 60},     {1800, 300},    {3600, 600},     {7200, 900},     {10800, 1800},
        {21600, 3600}, {86400, 10800}, {172800, 21600}, {345600, 43200},
    };
    for (const auto& [upTo, tick] : kLadder) {
        if (window <= upTo) {
            return tick;
        }
    }
    return 86400.0;
}

// Windows over 50 and up to 100 metres keep the 10-metre tick of the rung below.
double DistanceTickFor(double window) {
    constexpr std::pair<double, double> kLadder[] = {
        {1, 0.1}, {10, 1}, {50, 10}, {100, 10}, {500, 50}, {1000, 100}, {3000, 500},
    };
    if (window > 0.0) {
        for (const auto& [upTo, tick] : kLadder) {
            if (window <= upTo) {
                return tick;
            }
        }
    }
    return 1000.0;
}

// In closed form: growing tick by tick would take for ever on a far-flung extent.
double GrownWindow(double span, double extent, double lastWindow, double tick) {
    if (span >= extent) {
        return span;
    }
    if (!(tick > 0.0)) {
        return extent;
    }
    double window = std::ceil(lastWindow / tick) * tick;
    if (!std::isfinite(window)) {
        window = 0.0;
    }
    if (window < extent) {
        window += std::ceil((extent - window) / tick) * tick;
    }
    return std::max(window, extent);
}

// ---- Night colours -----------------------------------------------------------------------

COLORREF NightColour(COLORREF day) {
    static constexpr std::pair<COLORREF, COLORREF> kTable[] = {
        {RGB(153, 204, 255), RGB(0, 0, 64)},   {RGB(255, 255, 153), RGB(192, 154, 3)},
        {RGB(204, 255, 204), RGB(0, 64, 0)},   {RGB(255, 153, 204), RGB(64, 0, 0)},
        {RGB(204, 153, 255), RGB(64, 0, 64)},  {RGB(255, 204, 153), RGB(128, 64, 0)},
        {RGB(255, 240, 240), RGB(128, 0, 0)},  {RGB(204, 255, 255), RGB(0, 64, 64)},
        {RGB(235, 235, 235), RGB(64, 64, 64)}, {RGB(255, 255, 231), RGB(64, 64, 0)},
    };
    for (const auto& [dayColour, nightColour] : kTable) {
        if (day == dayColour) {
            return nightColour;
        }
    }
    return RGB(GetRValue(day) / 2, GetGValue(day) / 2, GetBValue(day) / 2);
}

// ---- The trace walk ------------------------------------------------------------------------

namespace {

// What the walk does with a sample: join it, break the line there, or stop.
enum class Step : std::uint8_t { Point, Break, Stop };

struct Pixel {
    int x;
    int y;
};

// A block of samples placed on the plot, newest first. The steps are filled in only for
// a block that is not all points.
struct Placed {
    static constexpr std::size_t kSize = 256;
    std::array<Pixel, kSize> at;
    std::array<Step, kSize> step;
};

// x = right - |newest - x| * xPerUnit and the height of the plotted value, truncated.
// The right and bottom edges count as inside: the newest sample sits on the right edge
// and the shown minimum on the bottom one. A sample further from the newest than the
// window stops the walk; one without value or outside the plot breaks the line.
//
// Almost every block of a trace is all points, so a block is first placed by the vector
// pass, which only tells whether it is; a block that is not is placed again one sample
// at a time, with its steps. The vector pass works on a sample's x and y side by side in
// the two lanes of a vector: x as right + |newest - x| * -xPerUnit and y as base +
// (v - shownMin) * yPerUnit, v = y - reference, the same IEEE operations as the scalar
// pass, so that both give the same pixel for every point.
class Placer {
public:
    Placer(double newest, const PlotScale& s)
        : newest_(newest),
          reference_(s.reference),
          shownMin_(s.shownMin),
          window_(s.window),
          noValue_(s.noValue),
          right_(s.plot.right),
          // bottom - offset is bottom + (-offset) exactly: one formula serves both ways.
          base_(s.inverseY ? s.plot.top : s.plot.bottom),
          xPerUnit_(s.xPerUnit),
          yPerUnit_(s.inverseY ? s.yPerUnit : -s.yPerUnit),
          left_(s.plot.left),
          top_(s.plot.top),
          rightPixel_(s.plot.right),
          bottom_(s.plot.bottom) {}

    // Places count samples, newest first from newestFirst down; true when all of them are
    // points. Without vector, one sample at a time only: the reference.
    template <bool kAngles>
    bool Place(const tagXY* newestFirst, std::size_t count, bool vector, Placed& out) const {
#if defined(__SSE2__)
        if (vector && PlaceAllPoints<kAngles>(newestFirst, count, out)) {
            return true;
        }
#else
        static_cast<void>(vector);
#endif
        bool allPoints = true;
        for (std::size_t i = 0; i < count; ++i) {
            allPoints &= PlaceOne<kAngles>(*(newestFirst - i), out, i) == Step::Point;
        }
        return allPoints;
    }

private:
    template <bool kAngles>
    static double Wrapped(double v) {
        if constexpr (kAngles) {
            return v > 180.0 ? v - 360.0 : (v < -180.0 ? v + 360.0 : v);
        }
        return v;
    }

    template <bool kAngles>
    Step PlaceOne(tagXY sample, Placed& out, std::size_t i) const {
        const double distance = std::fabs(newest_ - sample.x);
        const double v = Wrapped<kAngles>(sample.y - reference_);
        const int x = ToPixel(right_ + distance * -xPerUnit_);
        const int y = ToPixel(base_ + (v - shownMin_) * yPerUnit_);
        const bool inside = (x >= left_) & (x <= rightPixel_) & (y >= top_) & (y <= bottom_) &
                            (sample.y != noValue_);
        const Step step = distance > window_ ? Step::Stop : (inside ? Step::Point : Step::Break);
        out.at[i] = Pixel{x, y};
        out.step[i] = step;
        return step;
    }

#if defined(__SSE2__)
    // True, with every pixel placed, when all samples are points. Positions are not held
    // within kFarPixel as ToPixel holds them (one beyond int converts to INT_MIN), which
    // changes no point while the plot lies inside that range.
    template <bool kAngles>
    bool PlaceAllPoints(const tagXY* newestFirst, std::size_t count, Placed& out) const {
        if (!WithinPixelRange()) {
            return false;
        }
        const __m128d origin = _mm_set_pd(reference_, newest_);
        const __m128d absX = _mm_castsi128_pd(_mm_set_epi64x(-1, INT64_MAX));
        const __m128d shift = _mm_set_pd(shownMin_, 0.0);
        const __m128d scale = _mm_set_pd(yPerUnit_, -xPerUnit_);
        const __m128d offset = _mm_set_pd(base_, right_);
        const __m128d window = _mm_set1_pd(window_);
        const __m128d noValue = _mm_set1_pd(noValue_);
        const __m128i low = _mm_set_epi32(top_, left_, top_, left_);
        const __m128i high = _mm_set_epi32(bottom_, rightPixel_, bottom_, rightPixel_);
        __m128d stop = _mm_setzero_pd();  // the x lanes count
        __m128d none = _mm_setzero_pd();  // the y lanes count
        __m128i outside = _mm_setzero_si128();
        const auto place = [&](const tagXY* at) {
            const __m128d sample = _mm_loadu_pd(&at->x);
            none = _mm_or_pd(none, _mm_cmpeq_pd(sample, noValue));
            __m128d d = _mm_and_pd(_mm_sub_pd(sample, origin), absX);  // |newest - x|, v
            stop = _mm_or_pd(stop, _mm_cmpgt_pd(d, window));
            if constexpr (kAngles) {
                d = WrapUpperLane(d);
            }
            d = _mm_add_pd(offset, _mm_mul_pd(_mm_sub_pd(d, shift), scale));
            return _mm_cvttpd_epi32(d);  // x, y in the low half
        };
        std::size_t i = 0;
        for (; i + 2 <= count; i += 2) {
            const __m128i two =
                _mm_unpacklo_epi64(place(newestFirst - i), place(newestFirst - i - 1));
            outside = _mm_or_si128(
                outside, _mm_or_si128(_mm_cmplt_epi32(two, low), _mm_cmpgt_epi32(two, high)));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(&out.at[i]), two);
        }
        if (i < count) {
            const __m128i one = place(newestFirst - i);
            const __m128i twice = _mm_unpacklo_epi64(one, one);  // no stray zero lanes
            outside = _mm_or_si128(
                outside, _mm_or_si128(_mm_cmplt_epi32(twice, low), _mm_cmpgt_epi32(twice, high)));
            _mm_storel_epi64(reinterpret_cast<__m128i*>(&out.at[i]), one);
        }
        return (_mm_movemask_pd(stop) & 1) == 0 && (_mm_movemask_pd(none) & 2) == 0 &&
               _mm_movemask_epi8(outside) == 0;
    }

    // Wrapped() on the upper lane: v - 360 above 180, v + 360 below -180. Subtracting and
    // adding 0 leave every other value as it is.
    static __m128d WrapUpperLane(__m128d d) {
        const __m128d upper = _mm_castsi128_pd(_mm_set_epi64x(-1, 0));
        const __m128d turn = _mm_and_pd(upper, _mm_set1_pd(360.0));
        const __m128d above = _mm_and_pd(_mm_cmpgt_pd(d, _mm_set1_pd(180.0)), turn);
        const __m128d below = _mm_and_pd(_mm_cmplt_pd(d, _mm_set1_pd(-180.0)), turn);
        return _mm_add_pd(_mm_sub_pd(d, above), below);
    }

    bool WithinPixelRange() const {
        const auto within = [](int v) { return v > -kFarPixel && v < kFarPixel; };
        return within(left_) && within(top_) && within(rightPixel_) && within(bottom_);
    }
#endif

    double newest_;
    double reference_;
    double shownMin_;
    double window_;
    double noValue_;
    double right_;
    double base_;
    double xPerUnit_;
    double yPerUnit_;
    int left_;
    int top_;
    int rightPixel_;
    int bottom_;
};

// Samples newest first until one lies further from the newest than the window: each
// point joins the previous one, a sample without value or outside the plot breaks the
// line. Ink receives Start (a line begins at a point), Continue (the next points of the
// line, a run at a time) and End. No block is placed beyond the one holding the first
// sample outside the window.
template <class Ink>
void Walk(std::span<const tagXY> oldestFirst, const PlotScale& s, bool vector, Ink& ink) {
    if (oldestFirst.empty()) {
        return;
    }
    const Placer placer(oldestFirst.back().x, s);
    Placed placed;
    bool drawing = false;
    for (std::size_t done = 0; done < oldestFirst.size(); done += Placed::kSize) {
        const std::size_t count = std::min(Placed::kSize, oldestFirst.size() - done);
        const tagXY* newestFirst = &oldestFirst[oldestFirst.size() - 1 - done];
        const bool allPoints = s.angles ? placer.Place<true>(newestFirst, count, vector, placed)
                                        : placer.Place<false>(newestFirst, count, vector, placed);
        if (allPoints) {
            std::size_t i = 0;
            if (!drawing) {
                ink.Start(placed.at[0]);
                drawing = true;
                i = 1;
            }
            ink.Continue(&placed.at[i], count - i);
            continue;
        }
        for (std::size_t i = 0; i < count;) {
            if (placed.step[i] == Step::Point) {
                if (!drawing) {
                    ink.Start(placed.at[i]);
                    drawing = true;
                    ++i;
                }
                std::size_t end = i;
                while (end < count && placed.step[end] == Step::Point) {
                    ++end;
                }
                ink.Continue(&placed.at[i], end - i);
                i = end;
                continue;
            }
            if (drawing) {
                ink.End();
                drawing = false;
            }
            if (placed.step[i] == Step::Stop) {
                return;
            }
            ++i;
        }
    }
    if (drawing) {
        ink.End();
    }
}

// The reference: one segment per pair of neighbouring samples, placed one at a time.
class EachSegment {
public:
    explicit EachSegment(CDC& dc) : dc_(dc) {}
    void Start(Pixel p) { dc_.MoveTo(p.x, p.y); }
    void Continue(const Pixel* p, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            dc_.LineTo(p[i].x, p[i].y);
        }
    }
    void End() {}

private:
    CDC& dc_;
};

// Thousands of samples may fall into one pixel column. A run of points in one column is
// drawn as the vertical chain first -> lowest -> highest -> last, lowest and highest taken
// over the points before the final run of points equal to the last one. That inks the
// same rows as the segments between all of the points: a vertical segment leaves out
// only its end pixel, so the segments ink the rows between the lowest and highest of the
// points that start a segment of non-zero length, and from there the rows towards the
// last point, that point itself only where the line goes on. Segments between columns
// are drawn as they are. Each line goes out as one polyline.
class ColumnSpans {
public:
    explicit ColumnSpans(CDC& dc) : dc_(dc) {}

    void Start(Pixel p) {
        used_ = 0;
        run_ = Run{p.x, p.y, p.y};
    }
    // Samples come a column at a time (x may go back and forth, but mostly it does not):
    // each stretch of one column is folded into the run as a whole. The run is kept in a
    // local meanwhile, in registers rather than in memory just written.
    void Continue(const Pixel* p, std::size_t count) {
        Run run = run_;
        std::size_t i = 0;
        while (i < count) {
            const std::size_t end = StretchEnd(p, i, count, run.x);
            run = Folded(run, p + i, end - i);
            if (end == count) {
                break;
            }
            Close(run);
            run = Run{p[end].x, p[end].y, p[end].y};
            i = end + 1;
        }
        run_ = run;
    }
    void End() {
        Close(run_);
        if (used_ > 1) {
            dc_.Polyline(points_.data(), static_cast<int>(used_));
        }
        used_ = 0;
    }

private:
    // lo > hi until a point is settled: followed by a point of another value.
    struct Run {
        int x = 0;
        int first = 0;
        int last = 0;
        int lo = INT_MAX;
        int hi = INT_MIN;
    };

    static std::size_t StretchEnd(const Pixel* p, std::size_t from, std::size_t count, int column) {
        while (from < count && p[from].x == column) {
            ++from;
        }
        return from;
    }

    // The run with the next count values of its column. All that comes before their own
    // final run of equal values is settled -- the run's last value included -- unless
    // nothing differs from that last value at all.
    static Run Folded(Run run, const Pixel* p, std::size_t count) {
        if (count == 0) {
            return run;
        }
        const int last = p[count - 1].y;
        std::size_t settledEnd = count - 1;
        while (settledEnd > 0 && p[settledEnd - 1].y == last) {
            --settledEnd;
        }
        if (settledEnd == 0 && last == run.last) {
            return run;
        }
        int lo = std::min(run.lo, run.last);
        int hi = std::max(run.hi, run.last);
        for (std::size_t i = 0; i < settledEnd; ++i) {
            lo = std::min(lo, p[i].y);
            hi = std::max(hi, p[i].y);
        }
        return Run{run.x, run.first, last, lo, hi};
    }

    // Up to four points per column, written straight into the buffer. Consecutive runs
    // lie in different columns, so only the chain itself can repeat a point: a repeated
    // point is written over itself.
    void Close(const Run& run) {
        if (points_.size() < used_ + 4) {
            points_.resize(2 * used_ + 1024);
        }
        POINT* out = points_.data() + used_;
        *out = POINT{run.x, run.first};
        if (run.lo <= run.hi) {
            for (const int y : {run.lo, run.hi, run.last}) {
                out += out->y != y;
                *out = POINT{run.x, y};
            }
        }
        used_ = static_cast<std::size_t>(out - points_.data()) + 1;
    }

    CDC& dc_;
    std::vector<POINT> points_;  // the line so far: its first used_ points
    std::size_t used_ = 0;
    Run run_;
};

}  // namespace

void PlotTrace(CDC& dc, const CDataTrace& trace, const PlotScale& scale, bool eachSegment) {
    if (eachSegment) {
        EachSegment ink(dc);
        Walk(trace.OldestFirst(), scale, false, ink);
    } else {
        ColumnSpans ink(dc);
        Walk(trace.OldestFirst(), scale, true, ink);
    }
}

}  // namespace ts_graph

void CTimeSeriesGraph::DrawTraces(CDC& dc, double reference) {
    const double window = XWindow();
    if (window <= 0.0) {
        return;  // without an x axis nothing is plotted
    }
    const bool angles = m_GraphMode == GRAPH_ANGLE;
    const ts_graph::PlotScale scale{
        m_PlotRect,  window, m_dXPixelsPerUnit,       m_dYPixelsPerUnit, m_dShownYMin,
        m_bInverseY, angles, angles ? -1.0 : DBL_MAX, reference};
    for (int i = 0; i < GetTraceCount(); ++i) {
        const CDataTrace* trace = GetAt(i);
        if (!trace || trace->IsEmpty()) {
            continue;
        }
        CMyPen pen(PS_SOLID, 1,
                   m_bNight ? ts_graph::NightColour(trace->m_Colour) : trace->m_Colour);
        plat::SelectedObject usePen(dc, &pen);
        ts_graph::PlotTrace(dc, *trace, scale, m_bPlotEachSegment);
    }
}
