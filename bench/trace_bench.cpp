// Sample entry into a full trace (sums and exact extremes kept) against the plain way of
// keeping the newest sample first: an insertion at the front of a contiguous block of
// 32768 samples with running sums. Also a long run of 1e8 samples with x a time near 1e9 s,
// reporting how far the trace's sums are from the exact sums of its window, beside a plain
// running sum's.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "bench/RatioReport.h"
#include "graph/CScrollData.h"
#include "tests/support/ExactSum.h"

namespace {

constexpr int kCapacity = CScrollData::kCapacity;
constexpr size_t kLevels = 4096;  // a power of two, so the table index wraps with a mask

// Plotted values from a fixed table, so that both ways enter the same samples cheaply.
const std::vector<double>& Levels() {
    static const std::vector<double> levels = [] {
        std::mt19937_64 random(7);
        std::uniform_real_distribution<double> level(-500.0, 500.0);
        std::vector<double> table(kLevels);
        std::generate(table.begin(), table.end(), [&] { return level(random); });
        return table;
    }();
    return levels;
}

void BM_TraceAddFull(benchmark::State& state) {
    const std::vector<double>& levels = Levels();
    CScrollData trace;
    double x = 1e9;
    size_t i = 0;
    for (; i < static_cast<size_t>(kCapacity); ++i) {
        trace.Add(x += 0.1, levels[i % kLevels]);
    }
    for (auto _ : state) {
        x += 0.1;
        benchmark::DoNotOptimize(trace.Add(x, levels[i++ % kLevels]));
    }
    benchmark::DoNotOptimize(trace.MaxY());
}
BENCHMARK(BM_TraceAddFull);

void BM_FrontInsertBaseline(benchmark::State& state) {
    const std::vector<double>& levels = Levels();
    std::vector<tagXY> samples;
    samples.reserve(kCapacity);
    double x = 1e9;
    double sumX = 0.0;
    double sumY = 0.0;
    size_t i = 0;
    for (; i < static_cast<size_t>(kCapacity); ++i) {
        samples.insert(samples.begin(), tagXY{x += 0.1, levels[i % kLevels]});
        sumX += samples.front().x;
        sumY += samples.front().y;
    }
    for (auto _ : state) {
        sumX -= samples.back().x;
        sumY -= samples.back().y;
        samples.pop_back();
        const tagXY sample{x += 0.1, levels[i++ % kLevels]};
        samples.insert(samples.begin(), sample);
        sumX += sample.x;
        sumY += sample.y;
        benchmark::DoNotOptimize(samples.data());
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(sumX + sumY);
}
BENCHMARK(BM_FrontInsertBaseline);

double Ulp(double value) {
    return std::nextafter(std::abs(value), HUGE_VAL) - std::abs(value);
}

// Ten-hertz time stamps with millisecond jitter for 1e8 samples (about 116 days).
void BM_LongRunSums(benchmark::State& state) {
    constexpr long long kSamples = 100'000'000;
    const std::vector<double>& levels = Levels();
    std::vector<double> jitter(kLevels);
    std::mt19937_64 random(8);
    std::generate(jitter.begin(), jitter.end(), [&] { return (random() % 1000) / 1e6; });
    for (auto _ : state) {
        CScrollData trace;
        double plainSumX = 0.0;
        for (long long i = 0; i < kSamples; ++i) {
            const double x = 1e9 + 0.1 * static_cast<double>(i) + jitter[i % kLevels];
            if (i >= kCapacity) {
                plainSumX -= trace.GetAt(kCapacity - 1).x;
            }
            plainSumX += x;
            trace.Add(x, 1e4 + levels[(i * 7) % kLevels]);
        }
        const auto window = trace.OldestFirst();
        const double exactX = trace_test::ExactSum(window, &tagXY::x);
        const double exactY = trace_test::ExactSum(window, &tagXY::y);
        const auto [minY, maxY] = std::minmax_element(
            window.begin(), window.end(), [](const tagXY& a, const tagXY& b) { return a.y < b.y; });
        state.counters["sumX_err_ulp"] = std::abs(trace.SumX() - exactX) / Ulp(exactX);
        state.counters["sumY_err_ulp"] = std::abs(trace.SumY() - exactY) / Ulp(exactY);
        state.counters["meanX_err_s"] = std::abs(trace.MeanX() - exactX / kCapacity);
        state.counters["plain_sumX_err_ulp"] = std::abs(plainSumX - exactX) / Ulp(exactX);
        state.counters["extremes_exact"] = trace.MinY() == minY->y && trace.MaxY() == maxY->y &&
                                           trace.MinX() == window.front().x &&
                                           trace.MaxX() == window.back().x;
    }
}
BENCHMARK(BM_LongRunSums)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return bench::RunWithRatios(
        argc, argv,
        {{"Sample entry into a full trace, speed-up over front insertion", "BM_FrontInsertBaseline",
          "BM_TraceAddFull", "times faster; target at least 300"}});
}
