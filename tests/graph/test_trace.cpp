// The trace's scrolling window of samples: its order, its running sums and its exact
// extremes against a brute-force recomputation over seeded random streams that wrap the
// capacity many times; refusals; the abscissa of the current local time.

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <deque>
#include <functional>
#include <limits>
#include <random>
#include <set>

#include "graph/CDataTrace.h"
#include "platform/core/Exceptions.h"
#include "platform/core/LocalTime.h"
#include "tests/support/ExactSum.h"

namespace {

constexpr int kCapacity = CScrollData::kCapacity;

// What the sum of the window may differ by: its parts are each rounded once, so one unit
// in the last place of the sum and of the sum of magnitudes (for values that cancel).
double SumTolerance(const std::deque<tagXY>& samples, double tagXY::*field, double exact) {
    double magnitude = 0.0;
    for (const tagXY& sample : samples) {
        magnitude += std::abs(sample.*field);
    }
    const auto ulp = [](double value) { return std::nextafter(value, DBL_MAX) - value; };
    return 2.0 * ulp(std::abs(exact)) + ulp(magnitude);
}

// The window kept the slow and obvious way: newest first in a deque, the extremes in
// ordered multisets.
class BruteForce {
public:
    void Add(double x, double y) {
        if (samples_.size() == static_cast<size_t>(kCapacity)) {
            xs_.erase(xs_.find(samples_.back().x));
            ys_.erase(ys_.find(samples_.back().y));
            samples_.pop_back();
        }
        samples_.push_front({x, y});
        xs_.insert(x);
        ys_.insert(y);
    }

    // Count, element 0 and the four extremes: cheap enough after every sample.
    void ExpectExtremes(const CScrollData& trace) const {
        ASSERT_EQ(trace.GetSize(), static_cast<int>(samples_.size()));
        ASSERT_FALSE(samples_.empty());
        EXPECT_EQ(trace.GetAt(0).x, samples_.front().x);
        EXPECT_EQ(trace.GetAt(0).y, samples_.front().y);
        EXPECT_EQ(trace.MinX(), *xs_.begin());
        EXPECT_EQ(trace.MaxX(), *xs_.rbegin());
        EXPECT_EQ(trace.MinY(), *ys_.begin());
        EXPECT_EQ(trace.MaxY(), *ys_.rbegin());
    }

    // Every element in both orders, the sums, the means and the order of x.
    void ExpectAll(const CScrollData& trace) const {
        ExpectExtremes(trace);
        const bool ordered = std::is_sorted(samples_.rbegin(), samples_.rend(),
                                            [](tagXY a, tagXY b) { return a.x < b.x; });
        EXPECT_EQ(trace.IsXOrdered(), ordered);
        const auto oldestFirst = trace.OldestFirst();
        ASSERT_EQ(oldestFirst.size(), samples_.size());
        for (size_t i = 0; i < samples_.size(); ++i) {
            const tagXY& byIndex = trace.GetAt(static_cast<int>(i));
            const tagXY& bySpan = oldestFirst[samples_.size() - 1 - i];
            ASSERT_TRUE(byIndex.x == samples_[i].x && byIndex.y == samples_[i].y) << i;
            ASSERT_TRUE(bySpan.x == samples_[i].x && bySpan.y == samples_[i].y) << i;
        }
        const double sumX = trace_test::ExactSum(samples_, &tagXY::x);
        const double sumY = trace_test::ExactSum(samples_, &tagXY::y);
        EXPECT_NEAR(trace.SumX(), sumX, SumTolerance(samples_, &tagXY::x, sumX));
        EXPECT_NEAR(trace.SumY(), sumY, SumTolerance(samples_, &tagXY::y, sumY));
        const double count = static_cast<double>(samples_.size());
        EXPECT_NEAR(trace.MeanX(), sumX / count, SumTolerance(samples_, &tagXY::x, sumX) / count);
        EXPECT_NEAR(trace.MeanY(), sumY / count, SumTolerance(samples_, &tagXY::y, sumY) / count);
    }

private:
    std::deque<tagXY> samples_;
    std::multiset<double> xs_;
    std::multiset<double> ys_;
};

using Stream = std::function<tagXY(int index, std::mt19937_64& random)>;

// Enters `count` samples of the stream into a trace and a brute-force window, checking the
// extremes after each and everything a few times per capacity.
void RunAgainstBruteForce(const Stream& stream, int count, unsigned seed) {
    std::mt19937_64 random(seed);
    CScrollData trace;
    BruteForce expected;
    for (int i = 0; i < count; ++i) {
        const tagXY sample = stream(i, random);
        ASSERT_TRUE(trace.Add(sample.x, sample.y));
        expected.Add(sample.x, sample.y);
        ASSERT_NO_FATAL_FAILURE(expected.ExpectExtremes(trace)) << "sample " << i;
        if (i % 4099 == 0 || i == count - 1) {
            ASSERT_NO_FATAL_FAILURE(expected.ExpectAll(trace)) << "sample " << i;
        }
        if (::testing::Test::HasFailure()) {
            FAIL() << "first difference at sample " << i;
        }
    }
}

constexpr int kWraps = 4;
constexpr int kStreamLength = kWraps * kCapacity + 1234;

TEST(ScrollDataStatistics, TimeAbscissaWithRepeatedExtremes) {
    // Time in seconds around 1e9 with millisecond jitter; y from a few levels, so every
    // extreme is held by many samples at once.
    RunAgainstBruteForce(
        [](int i, std::mt19937_64& random) {
            const double jitter = static_cast<double>(random() % 1000) / 1000.0;
            return tagXY{9.5e8 + 0.1 * i + jitter, static_cast<double>(random() % 7) - 3.0};
        },
        kStreamLength, 1);
}

TEST(ScrollDataStatistics, EqualAndBackwardXWithSpikes) {
    // x from a handful of values (equal, and often going backwards); y mostly small with
    // rare spikes that become the extremes and later leave the window.
    RunAgainstBruteForce(
        [](int, std::mt19937_64& random) {
            const double x = static_cast<double>(random() % 5) * 0.5 - 1.0;
            double y = std::uniform_real_distribution<double>(-1.0, 1.0)(random);
            if (random() % 5000 == 0) {
                y *= 1e6;
            }
            return tagXY{x, y};
        },
        kStreamLength, 2);
}

TEST(ScrollDataStatistics, SawtoothTrendsEachWay) {
    // Long rising and falling runs: the rising ones keep the maximum on the newest sample
    // and the minimum on the oldest, the falling ones the other way round.
    RunAgainstBruteForce(
        [](int i, std::mt19937_64& random) {
            const int phase = i % 40000;
            const double ramp = phase < 20000 ? phase : 40000 - phase;
            const double noise = std::uniform_real_distribution<double>(0.0, 0.01)(random);
            return tagXY{-ramp + noise, ramp * 1e-3 + noise};
        },
        kStreamLength, 3);
}

TEST(ScrollDataStatistics, RisingXWithRareStepsBack) {
    // x rising in steps of equal values, now and then one sample further back: the window
    // is out of order while it holds that sample's predecessor, and in order again after.
    RunAgainstBruteForce(
        [](int i, std::mt19937_64& random) {
            const double back = i % 50000 == 25000 ? 5.0 : 0.0;
            return tagXY{static_cast<double>(i / 3) - back, static_cast<double>(random() % 9)};
        },
        kStreamLength, 4);
}

// The dropped sample holds the extremes and has the same x as the new one: the window
// must still report the extremes of what it holds.
TEST(ScrollDataStatistics, DroppedExtremeWithTheNewSamplesX) {
    CScrollData trace;
    ASSERT_TRUE(trace.Add(5.0, 1000.0));
    for (int i = 1; i < kCapacity; ++i) {
        ASSERT_TRUE(trace.Add(5.0, static_cast<double>(i % 10)));
    }
    ASSERT_EQ(trace.MaxY(), 1000.0);
    ASSERT_TRUE(trace.Add(5.0, 3.0));
    EXPECT_EQ(trace.GetSize(), kCapacity);
    EXPECT_EQ(trace.MaxY(), 9.0);
    EXPECT_EQ(trace.MinY(), 0.0);
    EXPECT_EQ(trace.MinX(), 5.0);
    EXPECT_EQ(trace.MaxX(), 5.0);
}

TEST(ScrollDataStatistics, DroppedMaximumYWithADifferentX) {
    CScrollData trace;
    ASSERT_TRUE(trace.Add(0.0, 50.0));
    for (int i = 1; i < kCapacity; ++i) {
        ASSERT_TRUE(trace.Add(i, i % 2 == 0 ? 7.0 : -7.0));
    }
    ASSERT_TRUE(trace.Add(kCapacity, 1.0));
    EXPECT_EQ(trace.MaxY(), 7.0);
    EXPECT_EQ(trace.MinY(), -7.0);
    EXPECT_EQ(trace.MinX(), 1.0);
    EXPECT_EQ(trace.MaxX(), kCapacity);
}

TEST(ScrollDataWindow, FirstSampleSetsEveryStatistic) {
    CScrollData trace;
    ASSERT_TRUE(trace.Add(-12.5, 7.25));
    EXPECT_EQ(trace.GetSize(), 1);
    EXPECT_EQ(trace.MinX(), -12.5);
    EXPECT_EQ(trace.MaxX(), -12.5);
    EXPECT_EQ(trace.MinY(), 7.25);
    EXPECT_EQ(trace.MaxY(), 7.25);
    EXPECT_EQ(trace.MeanX(), -12.5);
    EXPECT_EQ(trace.MeanY(), 7.25);
}

TEST(ScrollDataWindow, FullWindowDropsTheOldest) {
    CScrollData trace;
    for (int i = 1; i <= kCapacity; ++i) {
        ASSERT_TRUE(trace.Add(i, 2.0 * i));
    }
    const double n = kCapacity;
    EXPECT_EQ(trace.SumX(), n * (n + 1) / 2);
    ASSERT_TRUE(trace.Add(n + 1, 2.0 * (n + 1)));
    EXPECT_EQ(trace.GetSize(), kCapacity);
    EXPECT_EQ(trace.GetAt(0).x, n + 1);
    EXPECT_EQ(trace.GetAt(kCapacity - 1).x, 2.0);
    // Sums of 2 .. n + 1: the dropped sample (1, 2) is gone from both.
    EXPECT_EQ(trace.SumX(), (n + 1) * (n + 2) / 2 - 1);
    EXPECT_EQ(trace.SumY(), (n + 1) * (n + 2) - 2);
    EXPECT_EQ(trace.MinX(), 2.0);
    EXPECT_EQ(trace.MinY(), 4.0);
    EXPECT_EQ(trace.OldestFirst().front().x, 2.0);
    EXPECT_EQ(trace.OldestFirst().back().x, n + 1);
}

TEST(ScrollDataWindow, IndexOutsideTheWindowThrows) {
    CScrollData trace;
    EXPECT_THROW(trace.GetAt(0), CInvalidArgException);
    ASSERT_TRUE(trace.Add(1.0, 2.0));
    ASSERT_TRUE(trace.Add(3.0, 4.0));
    EXPECT_EQ(trace[1].x, 1.0);
    EXPECT_THROW(trace.GetAt(2), CInvalidArgException);
    EXPECT_THROW(trace.GetAt(-1), CInvalidArgException);
    EXPECT_THROW(trace[2], CInvalidArgException);
}

TEST(ScrollDataWindow, EmptyWindowReadsZero) {
    CScrollData trace;
    EXPECT_TRUE(trace.IsEmpty());
    EXPECT_EQ(trace.GetUpperBound(), -1);
    EXPECT_TRUE(trace.OldestFirst().empty());
    for (const double value : {trace.MeanX(), trace.MeanY(), trace.SumX(), trace.SumY(),
                               trace.MinX(), trace.MaxX(), trace.MinY(), trace.MaxY()}) {
        EXPECT_EQ(value, 0.0);
    }
}

TEST(ScrollDataWindow, RemoveAllStartsAfresh) {
    CScrollData trace;
    for (int i = 0; i < kCapacity + 100; ++i) {
        ASSERT_TRUE(trace.Add(1e9 + i, -i));
    }
    trace.RemoveAll();
    EXPECT_EQ(trace.GetCount(), 0);
    EXPECT_THROW(trace.GetAt(0), CInvalidArgException);
    for (const double value : {trace.MeanX(), trace.MeanY(), trace.SumX(), trace.SumY(),
                               trace.MinX(), trace.MaxX(), trace.MinY(), trace.MaxY()}) {
        EXPECT_EQ(value, 0.0);
    }
    // The next sample is a first sample again: none of the old extremes or sums survive.
    ASSERT_TRUE(trace.Add(5.0, 6.0));
    EXPECT_EQ(trace.GetSize(), 1);
    EXPECT_EQ(trace.SumX(), 5.0);
    EXPECT_EQ(trace.MinX(), 5.0);
    EXPECT_EQ(trace.MaxX(), 5.0);
    EXPECT_EQ(trace.MinY(), 6.0);
    EXPECT_EQ(trace.MaxY(), 6.0);
}

// One step back in x puts the window out of order until the sample before it is dropped;
// equal x is in order, and RemoveAll forgets the step.
TEST(ScrollDataWindow, XOrderLastsWhileTheStepBackIsHeld) {
    CScrollData trace;
    EXPECT_TRUE(trace.IsXOrdered());
    for (int i = 0; i < kCapacity; ++i) {
        ASSERT_TRUE(trace.Add(i / 2, 0));
    }
    EXPECT_TRUE(trace.IsXOrdered());
    ASSERT_TRUE(trace.Add(0, 0));  // behind its predecessor, now at index 1
    EXPECT_FALSE(trace.IsXOrdered());
    for (int i = 0; i < kCapacity - 2; ++i) {
        ASSERT_TRUE(trace.Add(i, 0));
    }
    EXPECT_FALSE(trace.IsXOrdered());  // the predecessor is the oldest sample
    ASSERT_TRUE(trace.Add(kCapacity, 0));
    EXPECT_TRUE(trace.IsXOrdered());
    ASSERT_TRUE(trace.Add(-1, 0));
    EXPECT_FALSE(trace.IsXOrdered());
    trace.RemoveAll();
    EXPECT_TRUE(trace.IsXOrdered());
    ASSERT_TRUE(trace.Add(3, 0));
    ASSERT_TRUE(trace.Add(3, 1));
    EXPECT_TRUE(trace.IsXOrdered());
}

// A refused sample leaves everything as it was, whether the window is filling or full.
TEST(ScrollDataRefusal, NoValueAndNonFiniteSamples) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const tagXY refused[] = {{DBL_MAX, 1.0}, {1.0, DBL_MAX}, {kNaN, 1.0},  {1.0, kNaN},
                             {kInf, 1.0},    {1.0, -kInf},   {-kInf, kInf}};
    for (const int filled : {0, 10, kCapacity}) {
        CScrollData trace;
        for (int i = 0; i < filled; ++i) {
            ASSERT_TRUE(trace.Add(i, 100.0 - i));
        }
        const double before[] = {trace.SumX(), trace.SumY(), trace.MinX(),
                                 trace.MaxX(), trace.MinY(), trace.MaxY()};
        for (const tagXY& sample : refused) {
            EXPECT_FALSE(trace.Add(sample.x, sample.y)) << sample.x << ", " << sample.y;
        }
        const double after[] = {trace.SumX(), trace.SumY(), trace.MinX(),
                                trace.MaxX(), trace.MinY(), trace.MaxY()};
        EXPECT_EQ(trace.GetSize(), filled);
        EXPECT_TRUE(std::equal(std::begin(before), std::end(before), std::begin(after)));
        if (filled > 0) {
            EXPECT_EQ(trace.GetAt(0).x, filled - 1);
        }
    }
}

TEST(ScrollDataRefusal, OnlyTheMarkerItselfMeansNoValue) {
    CScrollData trace;
    EXPECT_TRUE(trace.Add(-DBL_MAX, std::nextafter(DBL_MAX, 0.0)));
    EXPECT_EQ(trace.MinX(), -DBL_MAX);
    EXPECT_EQ(trace.MaxY(), std::nextafter(DBL_MAX, 0.0));
}

// A day of samples at 10 Hz many times over, with x a time near 1e9 s: the sums stay
// within rounding of the exact sums of the window, however many samples have passed.
TEST(ScrollDataAccuracy, SumsOverALongRun) {
    constexpr int kSamples = 2'000'000;
    std::mt19937_64 random(4);
    std::uniform_real_distribution<double> level(-500.0, 500.0);
    CScrollData trace;
    BruteForce expected;
    for (int i = 0; i < kSamples; ++i) {
        const double x = 1e9 + 0.1 * i + static_cast<double>(random() % 1000) / 1e6;
        const double y = 1e4 + level(random);
        ASSERT_TRUE(trace.Add(x, y));
        if (i >= kSamples - kCapacity) {
            expected.Add(x, y);
        }
    }
    expected.ExpectAll(trace);
}

// Finite samples so large that their sum overflows make the sums infinite while they are
// held; as soon as they have left, the sums are right again. Whether they entered the
// filling window or the full one, they leave from the part summarised once per slide.
TEST(ScrollDataAccuracy, SumsRecoverFromOverflow) {
    for (const int before : {0, kCapacity + 10}) {
        SCOPED_TRACE(before);
        CScrollData trace;
        BruteForce expected;
        const auto add = [&](double x, double y) {
            ASSERT_TRUE(trace.Add(x, y));
            expected.Add(x, y);
        };
        for (int i = 0; i < before; ++i) {
            add(i, 1.0);
        }
        add(1.0, 1e308);
        add(2.0, 1e308);
        add(3.0, -1e308);
        EXPECT_EQ(trace.MaxY(), 1e308);
        EXPECT_EQ(trace.MinY(), -1e308);
        for (int i = 0; i < kCapacity; ++i) {
            add(4.0 + i, i % 100);
        }
        expected.ExpectAll(trace);
    }
}

TEST(DataTrace, NewTraceIsEmptyAndMagenta) {
    const CDataTrace trace;
    EXPECT_EQ(trace.m_Colour, RGB(255, 0, 255));
    EXPECT_TRUE(trace.m_strName.IsEmpty());
    EXPECT_TRUE(trace.m_strAttribute1.IsEmpty());
    EXPECT_TRUE(trace.m_strAttribute2.IsEmpty());
    EXPECT_TRUE(trace.IsEmpty());
    const CDataTrace named("Heave");
    EXPECT_EQ(named.m_strName, CString("Heave"));
    EXPECT_EQ(named.m_Colour, RGB(255, 0, 255));
    EXPECT_TRUE(CDataTrace(nullptr).m_strName.IsEmpty());
}

class TimeAbscissa : public ::testing::Test {
protected:
    void TearDown() override { plat::UseSystemClock(); }

    static double At(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0,
                     WORD second = 0, WORD millisecond = 0) {
        plat::FixedClock clock{};
        clock.localTime = {year, month, 0, day, hour, minute, second, millisecond};
        clock.zoneId = TIME_ZONE_ID_UNKNOWN;
        plat::SetFixedClock(clock);
        return CurrentTimeAbscissa();
    }
};

TEST_F(TimeAbscissa, CountsSecondsFromTheSecondOfJanuary2000) {
    EXPECT_EQ(At(2000, 1, 2), 0.0);
    EXPECT_EQ(At(2000, 1, 2, 1, 2, 3, 250), 3723.25);
    // Where a common-year day count is right (a common year, or before March), it agrees:
    // (L - 485) * 86400 + (Y - 2000) * 31536000 + (D - 1) * 86400 + time of day.
    EXPECT_EQ(At(2001, 1, 1), 31536000.0);
    EXPECT_EQ(At(2027, 6, 15, 12),
              (491 - 485) * 86400.0 + 27 * 31536000.0 + (151 + 15 - 1) * 86400.0 + 12 * 3600.0);
}

TEST_F(TimeAbscissa, LeapDayKeepsTheDaysInOrder) {
    const double feb28 = At(2028, 2, 28, 23, 59, 59, 999);
    const double feb29 = At(2028, 2, 29, 23, 59, 59, 999);
    const double mar1 = At(2028, 3, 1, 23, 59, 59, 999);
    EXPECT_EQ(feb29 - feb28, 86400.0);
    EXPECT_EQ(mar1 - feb29, 86400.0);
    EXPECT_NEAR(At(2028, 3, 1) - At(2028, 2, 29, 23, 59, 59, 900), 0.1, 1e-6);
    EXPECT_EQ(At(2029, 1, 1) - At(2028, 12, 31), 86400.0);
    // A common year has no 29 February between its 28 February and 1 March.
    EXPECT_EQ(At(2027, 3, 1) - At(2027, 2, 28), 86400.0);
}

}  // namespace
