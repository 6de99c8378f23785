// The time-series graph's axes, y ranges, colours and read-outs, checked on its pixels.

#include <cfloat>
#include <cmath>

#include "TimeSeriesTestSupport.h"

using namespace ts_test;

namespace {

// A trace of samples one second apart, oldest first, the newest at x = count - 1.
CDataTrace* Trace(CTimeSeriesGraph& g, COLORREF colour, std::initializer_list<double> ys) {
    CDataTrace* trace = g.AddTrace("t");
    trace->m_Colour = colour;
    double x = 0;
    for (const double y : ys) {
        trace->Add(x++, y);
    }
    return trace;
}

CDataTrace* FlatTrace(CTimeSeriesGraph& g, COLORREF colour, int count, double y) {
    CDataTrace* trace = g.AddTrace("t");
    trace->m_Colour = colour;
    for (int i = 0; i < count; ++i) {
        trace->Add(i, y);
    }
    return trace;
}

// ---- x axis ------------------------------------------------------------------------------

// A y range with grid lines only on the plot's top and bottom edges.
void NoInnerRows(CTimeSeriesGraph& g) {
    g.SetYRangeMode(5);
    g.SetYRange(0.2, 0.3);
}

TEST(TimeSeriesAxes, NinetySecondsShowOneDottedLineLabelledOneMinute) {
    GraphCanvas c(400, 300);
    c.g().SetTimeSpan(90);
    NoInnerRows(c.g());
    c.Draw();
    EXPECT_EQ(c.g().GetTimeWindow(), 90);
    EXPECT_EQ(c.g().GetTimeTick(), 60);
    const CRect plot = c.g().GetPlotRect();
    ASSERT_GT(plot.top, 10);  // below a line of title
    const int x = ColumnOf(c.g(), 60, 90);
    EXPECT_EQ(x, 133);
    // Above the labels, the only grid ink is the one dotted column.
    int dots = 0;
    for (int y = plot.top + 1; y < plot.bottom - 20; ++y) {
        for (int px = 0; px < 400; ++px) {
            if (c.At(px, y) == kDayGrid) {
                ASSERT_EQ(px, x) << "row " << y;
                ++dots;
            }
        }
    }
    const int rows = plot.bottom - 21 - plot.top;
    EXPECT_GT(dots, rows / 3);
    EXPECT_LT(dots, rows * 2 / 3);  // dotted, not solid
    EXPECT_TRUE(ShowsText(c, "1min", x - 2, plot.bottom - 2, TA_CENTER | TA_BOTTOM));
}

TEST(TimeSeriesAxes, FourHoursAreLabelledInWholeHours) {
    GraphCanvas c(400, 300);
    c.g().SetTimeSpan(14400);
    NoInnerRows(c.g());
    c.Draw();
    EXPECT_EQ(c.g().GetTimeTick(), 3600);
    const CRect plot = c.g().GetPlotRect();
    const char* labels[] = {"1hr", "2hr", "3hr"};
    for (int hour = 1; hour <= 3; ++hour) {
        const int x = ColumnOf(c.g(), hour * 3600.0, 14400);
        EXPECT_NEAR(x, 400 - hour * 100, 1);
        EXPECT_TRUE(ShowsText(c, labels[hour - 1], x - 2, plot.bottom - 2, TA_CENTER | TA_BOTTOM));
    }
    int gridColumns = 0;
    for (int x = 0; x < 400; ++x) {
        gridColumns += c.CountInColumn(x, kDayGrid) > plot.Height() / 3;
    }
    EXPECT_EQ(gridColumns, 3);
}

TEST(TimeSeriesAxes, DistanceTicksFollowTheLadder) {
    struct Case {
        double window;
        double tick;
    };
    // 75 m sits where the ladder has no rung of its own: it keeps the tick of 10.
    for (const Case& k : {Case{0.5, 0.1}, Case{8, 1}, Case{40, 10}, Case{75, 10}, Case{100, 10},
                          Case{400, 50}, Case{1000, 100}, Case{2000, 500}, Case{5000, 1000}}) {
        GraphCanvas c(200, 100);
        c.g().SetXAxisKind(1);
        c.g().SetXSpan(k.window);
        c.Draw();
        EXPECT_EQ(c.g().GetDistanceWindow(), k.window);
        EXPECT_EQ(c.g().GetDistanceTick(), k.tick) << k.window;
    }
}

TEST(TimeSeriesAxes, WindowGrowsToWholeTicksToCoverTheData) {
    GraphCanvas c(300, 200);
    c.g().SetTimeSpan(90);
    CDataTrace* trace = c.g().AddTrace("t");
    trace->Add(0, 1);
    trace->Add(200, 1);
    c.Draw();  // no tick chosen for a grown window yet: the extent itself
    EXPECT_EQ(c.g().GetTimeWindow(), 200);
    EXPECT_EQ(c.g().GetTimeTick(), 60);
    trace->Add(209.5, 1);  // extent 210: rounded up to four ticks
    c.Draw();
    EXPECT_EQ(c.g().GetTimeWindow(), 240);
    trace->Add(250, 1);  // one more tick
    c.Draw();
    EXPECT_EQ(c.g().GetTimeWindow(), 300);
    trace->Add(1000, 1);  // many ticks at once
    c.Draw();
    EXPECT_EQ(c.g().GetTimeWindow(), 1020);
    EXPECT_EQ(c.g().GetTimeTick(), 300);
}

TEST(TimeSeriesAxes, WithoutAnXAxisNothingIsPlottedAndNoColumnIsDrawn) {
    for (const int kind : {2, 0}) {
        GraphCanvas c(200, 120);
        c.g().SetXAxisKind(kind);
        c.g().SetTimeSpan(kind == 0 ? 0 : 60);  // a span of 0 means no axis too
        NoInnerRows(c.g());
        FlatTrace(c.g(), kGreen, 50, 0.25);
        c.Draw();
        EXPECT_EQ(c.CountInRow(RowOf(c.g(), 0.25), kGreen), 0) << kind;
        EXPECT_EQ(c.CountInRow(c.g().GetPlotRect().top + 10, kDayGrid), 0) << kind;
    }
}

// ---- y range -----------------------------------------------------------------------------

TEST(TimeSeriesRange, SetYRangeMakesEqualMagnitudesSymmetricAndEmptySpansTen) {
    CTimeSeriesGraph g;
    g.SetYRange(-3, 3);
    EXPECT_EQ(g.GetYMin(), -3);
    EXPECT_EQ(g.GetYMax(), 3);
    EXPECT_EQ(g.GetYSpan(), 6);
    EXPECT_EQ(g.GetYTick(), 5);
    g.SetYRange(2, 2);
    EXPECT_EQ(g.GetYMin(), -2);
    EXPECT_EQ(g.GetYMax(), 2);
    EXPECT_EQ(g.GetYSpan(), 4);
    EXPECT_EQ(g.GetYTick(), 1);
    g.SetYRange(0, 0);
    EXPECT_EQ(g.GetYMin(), 0);
    EXPECT_EQ(g.GetYMax(), 0);
    EXPECT_EQ(g.GetYSpan(), 10);
    g.SetYRange(0.2, 0.7);
    EXPECT_EQ(g.GetYTick(), 0.1);
    // A range no paint could scale is refused.
    g.SetYRange(NAN, 5);
    g.SetYRange(-DBL_MAX, DBL_MAX);
    EXPECT_EQ(g.GetYMin(), 0.2);
    EXPECT_EQ(g.GetYMax(), 0.7);
}

TEST(TimeSeriesRange, EachRangeModeChoosesItsShownRange) {
    struct Case {
        int mode;
        double min, max, latest;
        int samples;
        double shownMin, shownMax;
    };
    const Case cases[] = {
        {5, 0, 100, 37, 5, 0, 100},  // fixed
        {0, 0, 10, 37, 5, 30, 40},   // follows the latest value in quarter spans
        {0, 0, 10, 37, 1, 0, 10},    // one sample is not enough to follow
        {1, 0, 10, 1, 5, 0, 10},     // as 0, never below 0
        {1, 0, 10, 37, 5, 30, 40},  {2, -3, 8, 37, 5, -8, 8},  // symmetric about the reference
        {3, -3, 8, 37, 5, -8, 8},   {4, 0, 0, 37, 5, -5, 5},   // an empty range shows -5 .. 5
    };
    for (const Case& k : cases) {
        GraphCanvas c(100, 100);
        c.g().SetYRangeMode(k.mode);
        c.g().SetYRange(k.min, k.max);
        FlatTrace(c.g(), kGreen, k.samples, k.latest);
        c.Draw();
        EXPECT_EQ(c.g().GetShownYMin(), k.shownMin) << "mode " << k.mode;
        EXPECT_EQ(c.g().GetShownYMax(), k.shownMax) << "mode " << k.mode;
    }
}

// Modes 2, 3 and 4 plot y minus the latest value, the mean or the required value.
TEST(TimeSeriesRange, ReferenceModesPlotTheDifference) {
    struct Case {
        int mode;
        double required;
        double plotted;  // of the newest samples
    };
    for (const Case& k : {Case{2, 0, 0}, Case{3, 0, 2}, Case{4, 20, -6}}) {
        GraphCanvas c(200, 200);
        c.g().SetYRangeMode(k.mode);
        c.g().SetRequiredValue(k.required);
        c.g().SetYRange(-10, 10);
        c.g().SetTimeSpan(100);
        CDataTrace* trace = FlatTrace(c.g(), kGreen, 50, 10);  // mean 12 with the newer 14s
        for (int i = 50; i < 100; ++i) {
            trace->Add(i, 14);
        }
        c.Draw();
        const int row = RowOf(c.g(), k.plotted);
        EXPECT_GT(c.CountInRow(row, kGreen), 60) << "mode " << k.mode;
        EXPECT_EQ(c.At(150, row), kGreen) << "mode " << k.mode;
    }
}

// The reference is written just above the zero line it belongs to, whatever height the
// trace's oldest point has.
TEST(TimeSeriesRange, ReferenceReadOutSitsOnTheZeroLine) {
    GraphCanvas c(300, 200);
    c.g().SetYRangeMode(2);
    c.g().SetYRange(-10, 10);
    c.g().SetTimeSpan(20);
    Trace(c.g(), kGreen, {15, 15, 15, 13, 12, 12});
    c.Draw();
    const CRect plot = c.g().GetPlotRect();
    EXPECT_TRUE(ShowsText(c, "12m", plot.right - 2, RowOf(c.g(), 0) - 3, TA_RIGHT | TA_BASELINE));
    // Mode 4 with no required value writes nothing there.
    GraphCanvas quiet(300, 200);
    quiet.g().SetYRangeMode(4);
    quiet.g().SetYRange(-10, 10);
    quiet.Draw();
    EXPECT_FALSE(
        ShowsText(quiet, "0m", plot.right - 2, RowOf(quiet.g(), 0) - 3, TA_RIGHT | TA_BASELINE));
    EXPECT_TRUE(ShowsText(quiet, "0m", plot.left + 5, RowOf(quiet.g(), 0) - 2,
                          TA_LEFT | TA_BASELINE));  // the grid label is there
}

TEST(TimeSeriesRange, AnglesWrapIntoHalfATurnAndMinusOneBreaksTheLine) {
    GraphCanvas c(200, 200);
    c.g().SetGraphMode(GRAPH_ANGLE);
    c.g().SetYRangeMode(5);
    c.g().SetYRange(-20, 20);
    c.g().SetTimeSpan(100);
    CDataTrace* trace = c.g().AddTrace("heading");
    trace->m_Colour = kGreen;
    for (int x = 0; x <= 100; ++x) {
        trace->Add(x, x >= 40 && x < 60 ? -1 : 350);  // 350 degrees is -10
    }
    c.Draw();
    const int row = RowOf(c.g(), -10);
    EXPECT_EQ(c.At(ColumnOf(c.g(), 20, 100), row), kGreen);
    EXPECT_EQ(c.At(ColumnOf(c.g(), 80, 100), row), kGreen);
    for (int d = 41; d < 59; ++d) {  // the no-value samples leave a gap
        EXPECT_NE(c.At(ColumnOf(c.g(), d, 100), row), kGreen) << d;
    }
}

TEST(TimeSeriesRange, LimitLinesOnlyStrictlyInsideTheShownRange) {
    struct Case {
        double minValue, maxValue;
        double expectedAt;  // NAN: no limit line anywhere
    };
    for (const Case& k : {Case{-5, 5, NAN}, Case{0, 0, NAN}, Case{-2, 0, -2}, Case{0, 4, 4}}) {
        GraphCanvas c(200, 200);
        c.g().SetYRangeMode(5);
        c.g().SetYRange(-5, 5);
        c.g().SetMinValue(k.minValue);
        c.g().SetMaxValue(k.maxValue);
        c.Draw();
        int alarmRows = 0;
        for (int y = 0; y < 200; ++y) {
            if (c.CountInRow(y, kRed) > 0) {
                ++alarmRows;
                EXPECT_EQ(y, RowOf(c.g(), k.expectedAt));
                EXPECT_GT(c.CountInRow(y, kRed), 100);  // dashed across the plot
            }
        }
        EXPECT_EQ(alarmRows, std::isnan(k.expectedAt) ? 0 : 1) << k.minValue << " " << k.maxValue;
    }
}

// ---- colours -----------------------------------------------------------------------------

TEST(TimeSeriesColours, BackgroundByDayAndNightAndWhenTimedOut) {
    struct Case {
        bool night, timedOut;
        COLORREF expected;
    };
    for (const Case& k : {Case{false, false, RGB(85, 85, 85)}, Case{true, false, RGB(0, 0, 0)},
                          Case{false, true, RGB(255, 0, 0)}, Case{true, true, RGB(128, 0, 0)}}) {
        GraphCanvas c(200, 150);
        c.g().SetNight(k.night);
        c.Draw(k.timedOut);
        EXPECT_EQ(c.At(2, 2), k.expected);
        EXPECT_EQ(c.At(199, 149), k.expected);
        EXPECT_EQ(c.g().GetAlarmColour(), k.night ? RGB(128, 0, 0) : RGB(255, 0, 0));
    }
}

TEST(TimeSeriesColours, NightShowsTheNightPartnerOrHalfTheColour) {
    struct Case {
        COLORREF day, night;
    };
    for (const Case& k :
         {Case{RGB(153, 204, 255), RGB(0, 0, 64)}, Case{RGB(255, 255, 153), RGB(192, 154, 3)},
          Case{RGB(255, 255, 231), RGB(64, 64, 0)}, Case{RGB(200, 101, 51), RGB(100, 50, 25)}}) {
        GraphCanvas c(200, 150);
        c.g().SetNight(true);
        c.g().SetTimeSpan(100);
        NoInnerRows(c.g());
        FlatTrace(c.g(), k.day, 101, 0.25);
        c.Draw();
        const int row = RowOf(c.g(), 0.25);
        EXPECT_EQ(c.At(100, row), k.night);
        EXPECT_EQ(c.CountInRow(row, k.day), 0);
        c.g().SetNight(false);
        c.Draw();
        EXPECT_EQ(c.At(100, row), k.day);
    }
}

// ---- y format and odd rectangles ------------------------------------------------------------

TEST(TimeSeriesFormat, OnlyOneFloatingConversionIsAccepted) {
    CTimeSeriesGraph g;
    EXPECT_EQ(g.GetYfmt(), "%.0lfm");
    for (const char* good : {"%.2lf m", "%+08.3e%%", "%g", "%% %-5.1F deg", "%#G"}) {
        EXPECT_TRUE(g.SetYfmt(good)) << good;
        EXPECT_EQ(g.GetYfmt(), good);
    }
    for (const char* bad :
         {"%d", "%s", "%.*f", "%*f", "%f %f", "no value", "%5.2Lf", "%n %f", "%1234f", "%.2", "%",
          "%lld", "%hf", "%'f", static_cast<const char*>(nullptr)}) {
        EXPECT_FALSE(g.SetYfmt(bad)) << (bad ? bad : "null");
        EXPECT_EQ(g.GetYfmt(), "%#G");
    }
}

TEST(TimeSeriesFormat, GridLabelsUseTheYFormat) {
    GraphCanvas c(300, 200);
    c.g().SetYRangeMode(5);
    c.g().SetYRange(0, 1);
    ASSERT_TRUE(c.g().SetYfmt("%.2lf m"));
    c.Draw();
    const int left = c.g().GetPlotRect().left;
    EXPECT_TRUE(ShowsText(c, "0.50 m", left + 5, RowOf(c.g(), 0.5) - 2, TA_LEFT | TA_BASELINE));
}

TEST(TimeSeriesRect, EmptyOrInvertedRectanglesDrawNothingAndTinyOnesStayInside) {
    GraphCanvas c(100, 80);
    FlatTrace(c.g(), kGreen, 10, 5);
    c.bitmap.GetSurface()->Fill(kGreen);
    for (const CRect& r : {CRect(10, 10, 10, 50), CRect(50, 50, 10, 10), CRect(0, 0, -5, 30)}) {
        c.g().Draw(r, false);
    }
    EXPECT_EQ(c.CountInRow(40, kGreen) + c.CountInRow(20, kGreen), 200);
    // Smaller than a line of title: no plot, and nothing outside its rectangle.
    const CRect tiny(20, 20, 30, 25);
    c.g().Draw(tiny, true);
    EXPECT_TRUE(c.g().GetPlotRect().IsRectEmpty());
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 100; ++x) {
            ASSERT_EQ(c.At(x, y) == kGreen, !tiny.PtInRect(CPoint(x, y))) << x << ", " << y;
        }
    }
}

}  // namespace
