// The time-series graph's paint against the cheapest possible paint: a full-screen graph
// (1920 x 1080) with four full traces, all inside the window, against a memset of the
// same surface. The traces are what a survey shows -- smooth signals such as a depth
// swell or a slow heading drift with about a pixel of sensor noise -- and, as a worst
// case, the same signals under heavy noise (some 45 pixels of ink per column and trace).
// The segment-by-segment reference plot and a paint without traces are measured too, to
// show where the time goes. The target itself is measured in pairs: a memset, then a
// paint, again and again, the ratio of each pair taken, and the median of those given,
// so that a busy moment of the machine weighs on both sides alike.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <memory>
#include <numbers>
#include <random>
#include <vector>

#include "bench/RatioReport.h"
#include "graph/CTimeSeriesGraph.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kTraces = 4;

class ReferenceGraph : public CTimeSeriesGraph {
public:
    ReferenceGraph() { m_bPlotEachSegment = true; }
};

// On a range of 20 over some 1050 pixels, sensor noise of 0.02 is about a pixel; noise of
// a quarter unit is about 13 pixels, some 45 pixels of ink per column and trace, as 17
// samples fall into each column.
constexpr double kSensorNoise = 0.02;
constexpr double kHeavyNoise = 0.25;

// A graph drawing into its own full-screen bitmap, its traces full of samples one second
// apart, each a smooth signal with normal noise of the given size (none: no traces).
class Screen {
public:
    Screen(bool reference, double noise)
        : graph_(reference ? std::make_unique<ReferenceGraph>()
                           : std::make_unique<CTimeSeriesGraph>()) {
        graph_->CreateCompatibleDC(nullptr);
        bitmap_.CreateCompatibleBitmap(graph_.get(), kWidth, kHeight);
        graph_->SelectObject(&bitmap_);
        graph_->SetTimeSpan(CScrollData::kCapacity);
        graph_->SetYRangeMode(5);
        graph_->SetYRange(-10, 10);
        if (noise > 0) {
            Fill(noise);
        }
    }
    void Draw() { graph_->Draw(CRect(0, 0, kWidth, kHeight), false); }
    plat::Surface& Surface() { return *bitmap_.GetSurface(); }

private:
    // A depth swell, a tide, a slow heading drift and a swell on a drift.
    static double Signal(int trace, int i) {
        constexpr double kTurn = 2 * std::numbers::pi;
        switch (trace) {
            case 0:
                return 6.0 * std::sin(kTurn * i / 9000.0);
            case 1:
                return 4.0 * std::sin(kTurn * i / 40000.0 + 1.0) - 3.0;
            case 2:
                return -8.0 + 14.0 * i / CScrollData::kCapacity;
            default:
                return 2.0 * std::sin(kTurn * i / 3000.0) + 5.0 - 4.0 * i / CScrollData::kCapacity;
        }
    }

    void Fill(double size) {
        std::mt19937 random(7);
        std::normal_distribution<double> noise(0.0, size);
        const COLORREF colours[kTraces] = {RGB(153, 204, 255), RGB(255, 255, 153),
                                           RGB(204, 255, 204), RGB(255, 153, 204)};
        for (int t = 0; t < kTraces; ++t) {
            CDataTrace* trace = graph_->AddTrace("trace");
            trace->m_Colour = colours[t];
            for (int i = 0; i < CScrollData::kCapacity; ++i) {
                trace->Add(i, Signal(t, i) + noise(random));
            }
        }
    }

    CBitmap bitmap_;  // outlives the context it is selected in
    std::unique_ptr<CTimeSeriesGraph> graph_;
};

void Paint(benchmark::State& state, bool reference, double noise) {
    Screen screen(reference, noise);
    for (auto _ : state) {
        screen.Draw();
        benchmark::ClobberMemory();
    }
}

void BM_GraphPaint4Traces(benchmark::State& state) {
    Paint(state, false, kSensorNoise);
}
BENCHMARK(BM_GraphPaint4Traces)->Unit(benchmark::kMillisecond);

void BM_GraphPaint4NoisyTraces(benchmark::State& state) {
    Paint(state, false, kHeavyNoise);
}
BENCHMARK(BM_GraphPaint4NoisyTraces)->Unit(benchmark::kMillisecond);

void BM_GraphPaint4TracesEachSegment(benchmark::State& state) {
    Paint(state, true, kSensorNoise);
}
BENCHMARK(BM_GraphPaint4TracesEachSegment)->Unit(benchmark::kMillisecond);

void BM_GraphPaintNoTraces(benchmark::State& state) {
    Paint(state, false, 0);
}
BENCHMARK(BM_GraphPaintNoTraces)->Unit(benchmark::kMillisecond);

void BM_MemsetSurface(benchmark::State& state) {
    Screen screen(false, 0);
    const auto pixels = screen.Surface().Pixels();
    int value = 0;
    for (auto _ : state) {
        std::memset(pixels.data(), ++value & 0xFF, pixels.size_bytes());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemsetSurface)->Unit(benchmark::kMillisecond);

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// A memset of the surface, then a paint, alternately: the median ratio of the pairs, and
// the median times of each side (in milliseconds) to show what the ratio stands on.
void BM_GraphPaintPairedWithMemset(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    using Milliseconds = std::chrono::duration<double, std::milli>;
    Screen screen(false, kSensorNoise);
    const auto pixels = screen.Surface().Pixels();
    std::vector<double> memsets;
    std::vector<double> paints;
    std::vector<double> ratios;
    int value = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        std::memset(pixels.data(), ++value & 0xFF, pixels.size_bytes());
        benchmark::ClobberMemory();
        const Clock::time_point filled = Clock::now();
        screen.Draw();
        benchmark::ClobberMemory();
        const Clock::time_point painted = Clock::now();
        memsets.push_back(Milliseconds(filled - start).count());
        paints.push_back(Milliseconds(painted - filled).count());
        ratios.push_back(paints.back() / memsets.back());
    }
    state.counters["memset_ms"] = Median(memsets);
    state.counters["paint_ms"] = Median(paints);
    state.counters["ratio"] = Median(ratios);
}
BENCHMARK(BM_GraphPaintPairedWithMemset)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return bench::RunWithRatios(
        argc, argv,
        {{"graph paint/memset", "BM_GraphPaintPairedWithMemset", nullptr,
          "target <= 4; median of alternating pairs"},
         {"graph paint/memset, separate runs", "BM_GraphPaint4Traces", "BM_MemsetSurface",
          "means of the two benchmarks"},
         {"heavy-noise paint/memset", "BM_GraphPaint4NoisyTraces", "BM_MemsetSurface",
          "worst case: some 45 pixels of ink per column and trace"},
         {"each-segment paint/memset", "BM_GraphPaint4TracesEachSegment", "BM_MemsetSurface",
          "the reference path, for comparison"},
         {"paint without traces/memset", "BM_GraphPaintNoTraces", "BM_MemsetSurface",
          "background, grid and title"}});
}
