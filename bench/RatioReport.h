#pragma once
// The benchmarks' main: runs them, prints them as usual, then prints each target as the
// ratio of two benchmarks' mean real times measured in the same run, or as a ratio a
// benchmark measured itself (its counter "ratio"; no baseline named).

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace bench {

struct Ratio {
    const char* what;
    const char* measured;
    const char* baseline;  // nullptr: the measured benchmark's own counter "ratio"
    const char* note;
};

class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        // With repetitions, the mean stands for the benchmark.
        for (const Run& run : runs) {
            if (run.aggregate_name.empty() || run.aggregate_name == "mean") {
                times_[run.run_name.function_name] = run.GetAdjustedRealTime();
                if (const auto ratio = run.counters.find("ratio"); ratio != run.counters.end()) {
                    ratios_[run.run_name.function_name] = ratio->second.value;
                }
            }
        }
    }

    void Print(const Ratio& ratio) const {
        if (!ratio.baseline) {
            if (const auto own = ratios_.find(ratio.measured); own != ratios_.end()) {
                std::printf("%s: %.2f (%s)\n", ratio.what, own->second, ratio.note);
            }
            return;
        }
        const auto x = times_.find(ratio.measured);
        const auto y = times_.find(ratio.baseline);
        if (x != times_.end() && y != times_.end() && y->second > 0) {
            std::printf("%s: %.2f (%s)\n", ratio.what, x->second / y->second, ratio.note);
        }
    }

private:
    std::map<std::string, double> times_;
    std::map<std::string, double> ratios_;
};

inline int RunWithRatios(int argc, char** argv, const std::vector<Ratio>& ratios) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const Ratio& ratio : ratios) {
        reporter.Print(ratio);
    }
    benchmark::Shutdown();
    return 0;
}

}  // namespace bench
