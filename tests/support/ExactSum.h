#pragma once
// The sum of the samples' x or y in extended precision with compensation: far below the
// rounding of one double, so it stands for the exact sum. The reference of the trace's
// running sums, for its tests and its benchmark.

#include <cmath>

#include "graph/CScrollData.h"

namespace trace_test {

template <class Samples>
double ExactSum(const Samples& samples, double tagXY::*field) {
    long double sum = 0.0L;
    long double compensation = 0.0L;
    for (const tagXY& sample : samples) {
        const long double value = sample.*field;
        const long double next = sum + value;
        compensation +=
            std::abs(sum) >= std::abs(value) ? (sum - next) + value : (value - next) + sum;
        sum = next;
    }
    return static_cast<double>(sum + compensation);
}

}  // namespace trace_test
