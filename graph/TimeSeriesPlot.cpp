// The time-series graph's scales and its traces: tick ladders, window growth, and the walk
// that turns samples into lines, newest first, with the two ways of inking them.

#include <algorithm>
#include <array>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <span>
#include <tuple>
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

    // The column of a sample and the row of a value that is not an angle, exactly as
    // a sample is placed.
    int Column(const tagXY& sample) const {
        return ColumnAt(Distance(sample));
    }
    int Row(double y) const {
        return RowOf(y - reference_);
    }
    // The rows of two values at once, each exactly as Row gives it.
    std::pair<int, int> Rows(double a, double b) const {
#if defined(__SSE2__)
        const __m128d v = _mm_sub_pd(_mm_set_pd(b, a), _mm_set1_pd(reference_));
        __m128d p = _mm_add_pd(_mm_set1_pd(base_), _mm_mul_pd(_mm_sub_pd(v, _mm_set1_pd(shownMin_)),
                                                              _mm_set1_pd(yPerUnit_)));
        p = _mm_min_pd(_mm_max_pd(p, _mm_set1_pd(-kFarPixel)), _mm_set1_pd(kFarPixel));
        const __m128i rows = _mm_cvttpd_epi32(p);
        return {_mm_cvtsi128_si32(rows), _mm_cvtsi128_si32(_mm_srli_si128(rows, 4))};
#else
        return {Row(a), Row(b)};
#endif
    }
    bool Beyond(const tagXY& sample) const {
        return Distance(sample) > window_;
    }
    bool InColumns(int x) const {
        return (x >= left_) & (x <= rightPixel_);
    }
    bool InRows(int y) const {
        return (y >= top_) & (y <= bottom_);
    }
    bool IsValue(double y) const {
        return y != noValue_;
    }
    // Samples per pixel column on average, count samples from oldestX to the newest.
    double SamplesPerColumn(double oldestX, std::size_t count) const {
        return static_cast<double>(count - 1) / (std::fabs(newest_ - oldestX) * xPerUnit_);
    }

    // True when, for samples of finite x and y in x order, the column never decreases
    // from older to newer samples and the row is monotonic in y (rising with y when
    // RowRisesWithY()): finite scales, y not stretched to nothing, x not mirrored.
    bool Monotonic() const {
        return std::isfinite(window_) && window_ >= 0.0 && std::isfinite(xPerUnit_) &&
               xPerUnit_ >= 0.0 && std::isfinite(yPerUnit_) && yPerUnit_ != 0.0 &&
               std::isfinite(shownMin_) && std::isfinite(reference_) && noValue_ == DBL_MAX;
    }
    bool RowRisesWithY() const {
        return yPerUnit_ > 0.0;
    }

private:
    template <bool kAngles>
    static double Wrapped(double v) {
        if constexpr (kAngles) {
            return v > 180.0 ? v - 360.0 : (v < -180.0 ? v + 360.0 : v);
        }
        return v;
    }

    double Distance(const tagXY& sample) const {
        return std::fabs(newest_ - sample.x);
    }
    int ColumnAt(double distance) const {
        return ToPixel(right_ + distance * -xPerUnit_);
    }
    int RowOf(double v) const {
        return ToPixel(base_ + (v - shownMin_) * yPerUnit_);
    }

    template <bool kAngles>
    Step PlaceOne(tagXY sample, Placed& out, std::size_t i) const {
        const double distance = Distance(sample);
        const double v = Wrapped<kAngles>(sample.y - reference_);
        const int x = ColumnAt(distance);
        const int y = RowOf(v);
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

// Hands placed samples to the ink: each point joins the previous one, a sample without
// value or outside the plot breaks the line. Ink receives Start (a line begins at a
// point), Continue (the next points of the line, a run at a time) and End.
template <class Ink>
class Lines {
public:
    explicit Lines(Ink& ink) : ink_(ink) {}

    // Ends the line drawn last.
    void Finish() { Break(); }

    // False at the first sample beyond the window: the line ends there.
    bool Take(const Placed& placed, std::size_t count, bool allPoints) {
        if (allPoints) {
            Points(placed.at.data(), count);
            return true;
        }
        for (std::size_t i = 0; i < count;) {
            if (placed.step[i] == Step::Point) {
                std::size_t end = i;
                while (end < count && placed.step[end] == Step::Point) {
                    ++end;
                }
                Points(&placed.at[i], end - i);
                i = end;
                continue;
            }
            Break();
            if (placed.step[i] == Step::Stop) {
                return false;
            }
            ++i;
        }
        return true;
    }

    // A whole pixel column of points, folded already.
    template <class Run>
    void Column(const Run& run) {
        if (drawing_) {
            ink_.NextColumn(run);
        } else {
            ink_.StartColumn(run);
            drawing_ = true;
        }
    }

private:
    void Points(const Pixel* p, std::size_t count) {
        if (!drawing_) {
            ink_.Start(*p);
            drawing_ = true;
            ++p;
            --count;
        }
        ink_.Continue(p, count);
    }
    void Break() {
        if (drawing_) {
            ink_.End();
            drawing_ = false;
        }
    }

    Ink& ink_;
    bool drawing_ = false;
};

// Samples newest first until one lies further from the newest than the window. No block
// is placed beyond the one holding the first sample outside the window.
template <class Ink>
void Walk(std::span<const tagXY> oldestFirst, const PlotScale& s, bool vector, Ink& ink) {
    if (oldestFirst.empty()) {
        return;
    }
    const Placer placer(oldestFirst.back().x, s);
    Placed placed;
    Lines<Ink> lines(ink);
    for (std::size_t done = 0; done < oldestFirst.size(); done += Placed::kSize) {
        const std::size_t count = std::min(Placed::kSize, oldestFirst.size() - done);
        const tagXY* newestFirst = &oldestFirst[oldestFirst.size() - 1 - done];
        const bool allPoints = s.angles ? placer.Place<true>(newestFirst, count, vector, placed)
                                        : placer.Place<false>(newestFirst, count, vector, placed);
        if (!lines.Take(placed, count, allPoints)) {
            break;
        }
    }
    lines.Finish();
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
// drawn as the vertical chain first -> lowest -> highest -> last (highest before lowest
// when the last point is the highest), lowest and highest taken over the points before
// the final run of points equal to the last one. That inks the
// same rows as the segments between all of the points: a vertical segment leaves out
// only its end pixel, so the segments ink the rows between the lowest and highest of the
// points that start a segment of non-zero length, and from there the rows towards the
// last point, that point itself only where the line goes on. Segments between columns
// are drawn as they are. A line goes out as column chains, which the rasteriser inks a
// column at a time.
class ColumnSpans {
public:
    // lo > hi until a point is settled: followed by a point of another value.
    struct Run {
        int x = 0;
        int first = 0;
        int last = 0;
        int lo = INT_MAX;
        int hi = INT_MIN;
    };

    explicit ColumnSpans(CDC& dc) : dc_(dc) {}

    // A line that begins with a whole column, and the next whole column of a line.
    void StartColumn(const Run& run) {
        used_ = 0;
        run_ = run;
    }
    void NextColumn(const Run& run) {
        Close(run_);
        run_ = run;
    }

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
        dc_.PolylineColumns(chains_.data(), static_cast<int>(used_));
        used_ = 0;
    }

private:
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

    // A line goes out a batch of columns at a time, the batch kept small enough to stay
    // in the cache; the next batch starts where the last one ended.
    void Close(const Run& run) {
        if (used_ == chains_.size()) {
            dc_.PolylineColumns(chains_.data(), static_cast<int>(used_));
            const plat::ColumnChain& end = chains_[used_ - 1];
            chains_[0] = plat::ColumnChain{end.x, end.last, end.last};
            used_ = 1;
        }
        chains_[used_++] = plat::ColumnChain{run.x, run.first, run.last, run.lo, run.hi};
    }

    CDC& dc_;
    std::array<plat::ColumnChain, 256> chains_;  // the line's chains not yet drawn
    std::size_t used_ = 0;
    Run run_;
};

// ---- Samples in x order ------------------------------------------------------------------
//
// When x never goes back, the column only grows from older to newer samples, and so does
// the distance from the newest: the end of the window and the samples of each column are
// found by searching, not by placing every sample. Samples mostly come evenly spaced, so
// a column's first sample is predicted from the spacing and settled by the exact columns
// of the samples around it or, failing that, searched for. The row grows or falls with
// y, so a column's extreme rows are those of its extreme values.
//
// A column that the line leaves for the next one is folded as first, last and the
// extremes of all its samples: its last point starts the segment to the next column, so
// that point's row is inked anyway, and the column inks what the segments between its
// samples do. The column where the line ends is folded as ColumnSpans folds it: the
// extremes are those of the samples before the final run of samples in the last one's
// row. A column with a break in it is placed one sample at a time.
class OrderedWalk {
public:
    OrderedWalk(std::span<const tagXY> oldestFirst, const Placer& placer)
        : samples_(oldestFirst), placer_(placer) {}

    template <class Ink>
    void operator()(Lines<Ink>& lines) const {
        const std::size_t oldest = WindowStart();
        const std::size_t perColumn = SamplesPerColumn(oldest);
        const std::size_t reach = (perColumn + 2) / 2;
        std::size_t end = samples_.size();
        int column = placer_.Column(samples_[end - 1]);
        int first = placer_.Row(samples_[end - 1].y);  // the row of the column's newest
        while (end > oldest) {
            const Start start = ColumnStart(oldest, end - 1, column, perColumn);
            // The columns ahead, a few kilobytes of samples away, on their way to the cache.
            __builtin_prefetch(&samples_[start.begin > kPrefetch ? start.begin - kPrefetch : 0]);
            bool lineGoesOn = false;
            int nextFirst = 0;
            if (start.begin > oldest) {
                const double y = samples_[start.begin - 1].y;
                nextFirst = placer_.Row(y);
                lineGoesOn =
                    placer_.InColumns(start.next) & placer_.IsValue(y) & placer_.InRows(nextFirst);
            }
            ColumnSpans::Run run{column, first};
            if (Folded(start.begin, end, lineGoesOn, reach, run)) {
                lines.Column(run);
            } else {
                OneByOne(start.begin, end, lines);
            }
            end = start.begin;
            column = start.next;
            first = nextFirst;
        }
        lines.Finish();
    }

private:
    static constexpr std::size_t kPrefetch = 256;

    // Of the values a trace holds, which are all finite: no NaN can slip past min and max.
    struct Extremes {
        double min;
        double max;
    };

    // The first sample of a column, and the column of the sample before it (the next
    // column of the walk; meaningless at the oldest sample).
    struct Start {
        std::size_t begin;
        int next;
    };

    // The oldest sample of the walk: every older one lies beyond the window.
    std::size_t WindowStart() const {
        std::size_t lo = 0;
        std::size_t hi = samples_.size() - 1;  // the newest is never beyond
        while (lo < hi) {
            const std::size_t mid = lo + (hi - lo) / 2;
            if (placer_.Beyond(samples_[mid])) {
                lo = mid + 1;
            } else {
                hi = mid;
            }
        }
        return lo;
    }

    // Samples per column over the walk, rounded down; 0 where that says nothing (one
    // sample, one x, fewer samples than columns).
    std::size_t SamplesPerColumn(std::size_t oldest) const {
        const std::size_t count = samples_.size() - oldest;
        if (count < 2) {
            return 0;
        }
        const double perColumn = placer_.SamplesPerColumn(samples_[oldest].x, count);
        return std::isfinite(perColumn) && perColumn <= static_cast<double>(count)
                   ? static_cast<std::size_t>(perColumn)
                   : 0;
    }

    int ColumnOf(std::size_t i) const { return placer_.Column(samples_[i]); }
    bool InColumn(std::size_t i, int column) const { return ColumnOf(i) >= column; }

    // The first sample from oldest on in column, which holds samples_[last]. Evenly
    // spaced samples give the column perColumn samples or one more, so it starts at
    // last - perColumn or the sample after: the columns of the three samples around the
    // first settle which without a branch on it. Anything else is searched for.
    Start ColumnStart(std::size_t oldest, std::size_t last, int column,
                      std::size_t perColumn) const {
        const std::size_t at = last - std::min(perColumn, last - oldest);
        if (at > oldest && at < last) [[likely]] {
            const int before = ColumnOf(at - 1);
            const int here = ColumnOf(at);
            const int after = ColumnOf(at + 1);
            const bool later = here < column;
            const int left = later ? here : before;
            const int right = later ? after : here;
            if (left < column && right >= column) [[likely]] {
                return Start{at + (later ? 1 : 0), left};
            }
        }
        const std::size_t begin = SearchColumnStart(oldest, last, column, at);
        return Start{begin, begin > oldest ? ColumnOf(begin - 1) : 0};
    }

    // The first sample from oldest on in column: galloping from guess towards it, then by
    // halves.
    std::size_t SearchColumnStart(std::size_t oldest, std::size_t last, int column,
                                  std::size_t guess) const {
        const auto inColumn = [&](std::size_t i) { return InColumn(i, column); };
        std::size_t at = std::clamp(guess, oldest, last);
        std::size_t lo = oldest;  // the first sample in the column lies in lo .. hi
        std::size_t hi = last;
        if (inColumn(at)) {
            hi = at;
            for (std::size_t step = 1; hi - oldest >= step; step *= 2) {
                if (!inColumn(hi - step)) {
                    lo = hi - step + 1;
                    break;
                }
                hi -= step;
            }
        } else {
            lo = at + 1;
            for (std::size_t step = 1; at + step < last; step *= 2) {
                if (inColumn(at + step)) {
                    hi = at + step;
                    break;
                }
                at += step;
                lo = at + 1;
            }
        }
        while (lo < hi) {
            const std::size_t mid = lo + (hi - lo) / 2;
            if (inColumn(mid)) {
                hi = mid;
            } else {
                lo = mid + 1;
            }
        }
        return lo;
    }

    // The column samples_[begin .. end) folded, newest first, into a run that holds its
    // column and first row already; false when the column holds a break.
    bool Folded(std::size_t begin, std::size_t end, bool lineGoesOn, std::size_t reach,
                ColumnSpans::Run& run) const {
        run.last = placer_.Row(samples_[begin].y);
        const std::size_t count = end - begin;
        const Extremes all = count <= 2 * reach && count >= reach
                                 ? ReachExtremes(&samples_[begin], count, reach)
                                 : YExtremes(samples_.subspan(begin, count));
        if (!placer_.InColumns(run.x) || !placer_.IsValue(all.max)) {
            return false;
        }
        if (lineGoesOn) {
            return Settle(all, run);
        }
        std::size_t settled = begin + 1;  // the final run in the last row ends here
        while (settled < end && placer_.Row(samples_[settled].y) == run.last) {
            ++settled;
        }
        if (settled == end) {
            return placer_.InRows(run.last);  // lo > hi: nothing settled
        }
        return Settle(YExtremes(samples_.subspan(settled, end - settled)), run) &&
               placer_.InRows(run.last);
    }

    // The run's extreme rows from extreme values; false when one lies outside the plot.
    bool Settle(const Extremes& e, ColumnSpans::Run& run) const {
        const bool rising = placer_.RowRisesWithY();
        std::tie(run.lo, run.hi) = placer_.Rows(rising ? e.min : e.max, rising ? e.max : e.min);
        return placer_.InRows(run.lo) & placer_.InRows(run.hi);
    }

    // The extremes of count samples from reach samples at each end, reach <= count <=
    // 2 reach: evenly spaced samples give every column about the same count, so the loop
    // runs as often for each, and its end is no surprise to the branch predictor. Samples
    // on 16-byte boundaries, as the trace's block keeps them, are compared straight from
    // memory.
    static Extremes ReachExtremes(const tagXY* samples, std::size_t count, std::size_t reach) {
#if defined(__SSE2__)
        const tagXY* back = samples + count - 1;
        const bool aligned =
            ((reinterpret_cast<std::uintptr_t>(samples) | reinterpret_cast<std::uintptr_t>(back)) &
             15) == 0;
        return aligned ? ReachExtremesFrom<true>(samples, back, reach)
                       : ReachExtremesFrom<false>(samples, back, reach);
#else
        static_cast<void>(reach);
        return YExtremes(std::span(samples, count));
#endif
    }

#if defined(__SSE2__)
    template <bool kAligned>
    static Extremes ReachExtremesFrom(const tagXY* front, const tagXY* back, std::size_t reach) {
        const auto load = [](const tagXY* at) {
            return kAligned ? _mm_load_pd(&at->x) : _mm_loadu_pd(&at->x);
        };
        __m128d lo[2] = {load(front), load(back)};
        __m128d hi[2] = {lo[0], lo[1]};
        for (std::size_t i = 1; i < reach; ++i) {
            lo[0] = _mm_min_pd(lo[0], load(front + i));
            hi[0] = _mm_max_pd(hi[0], load(front + i));
            lo[1] = _mm_min_pd(lo[1], load(back - i));
            hi[1] = _mm_max_pd(hi[1], load(back - i));
        }
        const __m128d low = _mm_min_pd(lo[0], lo[1]);
        const __m128d high = _mm_max_pd(hi[0], hi[1]);
        return {_mm_cvtsd_f64(_mm_unpackhi_pd(low, low)),
                _mm_cvtsd_f64(_mm_unpackhi_pd(high, high))};
    }
#endif

    static Extremes YExtremes(std::span<const tagXY> samples) {
#if defined(__SSE2__)
        // Both lanes of each sample: the x lane is left over. Two samples a step, each into
        // its own pair of extremes, to halve the chain of dependent steps.
        __m128d lo[2] = {_mm_set1_pd(samples[0].y), _mm_set1_pd(samples.back().y)};
        __m128d hi[2] = {lo[0], lo[1]};
        std::size_t i = 0;
        for (; i + 2 <= samples.size(); i += 2) {
            for (std::size_t k = 0; k < 2; ++k) {
                const __m128d xy = _mm_loadu_pd(&samples[i + k].x);
                lo[k] = _mm_min_pd(lo[k], xy);
                hi[k] = _mm_max_pd(hi[k], xy);
            }
        }
        const __m128d low = _mm_min_pd(lo[0], lo[1]);
        const __m128d high = _mm_max_pd(hi[0], hi[1]);
        return {_mm_cvtsd_f64(_mm_unpackhi_pd(low, low)),
                _mm_cvtsd_f64(_mm_unpackhi_pd(high, high))};
#else
        Extremes e{samples[0].y, samples[0].y};
        for (const tagXY& sample : samples) {
            e.min = std::min(e.min, sample.y);
            e.max = std::max(e.max, sample.y);
        }
        return e;
#endif
    }

    template <class Ink>
    void OneByOne(std::size_t begin, std::size_t end, Lines<Ink>& lines) const {
        Placed placed;
        while (end > begin) {
            const std::size_t count = std::min(Placed::kSize, end - begin);
            const bool allPoints = placer_.Place<false>(&samples_[end - 1], count, false, placed);
            lines.Take(placed, count, allPoints);  // no sample here is beyond the window
            end -= count;
        }
    }

    std::span<const tagXY> samples_;
    const Placer& placer_;
};
}  // namespace

void PlotTrace(CDC& dc, const CDataTrace& trace, const PlotScale& scale, bool eachSegment) {
    if (trace.IsEmpty()) {
        return;
    }
    if (eachSegment) {
        EachSegment ink(dc);
        Walk(trace.OldestFirst(), scale, false, ink);
    } else if (const Placer placer(trace.OldestFirst().back().x, scale);
               !scale.angles && trace.IsXOrdered() && placer.Monotonic()) {
        ColumnSpans ink(dc);
        Lines<ColumnSpans> lines(ink);
        OrderedWalk(trace.OldestFirst(), placer)(lines);
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
