// The time-series graph's traces (the fast column spans against the segment-by-segment
// reference, the walk's end at the window edge) and its configuration files.

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <random>
#include <string>

#include "TimeSeriesTestSupport.h"
#include "settings/AngleText.h"
#include "tests/settings/SettingsTestSupport.h"

using namespace ts_test;

namespace {

// ---- Column spans against the reference ---------------------------------------------------

struct Scenario {
    const char* what;
    int width, height;
    int samples;
    double span;  // seconds shown
    GRAPH_MODE mode;
    bool inverse;
    unsigned seed;
    bool clean = false;       // every sample a point: no values beyond the plot, no gaps
    int backUntil = INT_MAX;  // x steps back now and then only before this sample
    double stretch = 1.0;     // how much further x goes than the span on the whole
    bool stepped = false;     // whole values only: long runs in one row
    bool even = false;        // x evenly spaced but for a long pause now and then
};

// Noisy samples with spikes, runs of equal x, values beyond the plot, no-value markers
// (angles) and now and then x stepping backwards. Clean samples keep the spikes and the
// steps back but stay inside the plot; as angles they are now and then a turn off.
void Feed(CTimeSeriesGraph& g, const Scenario& s) {
    g.SetTimeSpan(s.span);
    g.SetYRangeMode(5);
    g.SetYRange(-10, 10);
    g.SetInverseY(s.inverse);
    g.SetGraphMode(s.mode);
    std::mt19937 random(s.seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double meanStep = s.stretch * s.span / s.samples;
    const COLORREF colours[] = {kGreen, RGB(0, 128, 255), RGB(255, 128, 0)};
    for (const COLORREF colour : colours) {
        CDataTrace* trace = g.AddTrace("t");
        trace->m_Colour = colour;
        double x = 0;
        double y = 0;
        for (int i = 0; i < s.samples; ++i) {
            const double r = unit(random);
            const double back = i < s.backUntil ? -5 * meanStep : 0.0;
            if (s.even) {
                x += i % 2000 == 1999 ? 150 * meanStep : meanStep;
            } else {
                x += r < 0.3 ? 0.0 : (r < 0.97 ? 2 * meanStep * unit(random) : back);
            }
            y = std::clamp(y + 2 * (unit(random) - 0.5), -9.0, 9.0);
            double value = y;
            const double event = unit(random);
            if (event < 0.02) {
                value = (unit(random) - 0.5) * 19.8;  // a spike within the plot
            } else if (s.clean) {
                if (s.mode == GRAPH_ANGLE && event < 0.1) {
                    value += event < 0.06 ? 360 : -360;
                }
            } else if (event < 0.03) {
                value = unit(random) < 0.5 ? 14 : -14;  // beyond it: the line breaks
            } else if (event < 0.04 && s.mode == GRAPH_ANGLE) {
                value = -1;  // no value
            }
            trace->Add(x, s.stepped ? std::round(value) : value);
        }
    }
}

::testing::AssertionResult SamePixels(const GraphCanvas& fast, const GraphCanvas& reference) {
    const plat::Surface& a = fast.surface();
    const plat::Surface& b = reference.surface();
    int differing = 0;
    int firstX = -1;
    int firstY = -1;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (a.GetPixel(x, y) != b.GetPixel(x, y) && differing++ == 0) {
                firstX = x;
                firstY = y;
            }
        }
    }
    if (differing == 0) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << differing << " pixels differ, the first at (" << firstX << ", " << firstY << ")";
}

// Every column holds the same inked rows whether the samples are placed one at a time
// and drawn one segment each, or placed in vectors and drawn as one span per column: no
// spike and no break is lost or added. Clean traces take the vector placement for whole
// blocks of samples.
TEST(TimeSeriesPlot, ColumnSpansInkExactlyWhatEachSegmentInks) {
    const Scenario scenarios[] = {
        {"dense", 97, 120, 20000, 1000, GRAPH_PLAIN, false, 1},
        {"dense, inverse", 150, 200, 32768, 3000, GRAPH_PLAIN, true, 2},
        {"angles with gaps", 211, 160, 8000, 600, GRAPH_ANGLE, false, 3},
        {"sparse and steep", 400, 300, 150, 150, GRAPH_PLAIN, false, 4},
        {"mixed", 300, 80, 3000, 2000, GRAPH_ANGLE, true, 5},
        {"clean, dense", 120, 150, 20000, 1000, GRAPH_PLAIN, false, 6, true},
        {"clean, dense, inverse", 333, 90, 32768, 30000, GRAPH_PLAIN, true, 7, true},
        {"clean angles a turn off", 180, 140, 9001, 900, GRAPH_ANGLE, false, 8, true},
        {"clean and sparse", 500, 200, 301, 290, GRAPH_PLAIN, false, 9, true},
        // x in order: columns are found by searching and folded from their extremes.
        {"ordered, dense", 97, 120, 20000, 1000, GRAPH_PLAIN, false, 11, false, 0},
        {"ordered, dense, inverse", 150, 200, 32768, 3000, GRAPH_PLAIN, true, 12, false, 0},
        {"ordered, clean", 120, 150, 20000, 1000, GRAPH_PLAIN, false, 13, true, 0},
        {"ordered, clean, inverse", 333, 90, 32768, 30000, GRAPH_PLAIN, true, 14, true, 0},
        {"ordered and sparse", 400, 300, 150, 150, GRAPH_PLAIN, false, 15, false, 0},
        {"ordered, clean, sparse", 500, 200, 301, 290, GRAPH_PLAIN, true, 16, true, 0},
        {"ordered beyond the window", 211, 160, 20000, 600, GRAPH_PLAIN, false, 17, false, 0, 3},
        {"ordered, clean, beyond the window, inverse", 180, 140, 9001, 900, GRAPH_PLAIN, true, 18,
         true, 0, 2.5},
        {"ordered, whole values", 160, 300, 30000, 1000, GRAPH_PLAIN, false, 19, false, 0, 1, true},
        {"ordered, clean, whole values, inverse", 90, 120, 32768, 500, GRAPH_PLAIN, true, 20, true,
         0, 1, true},
        // Evenly spaced, as a survey logs: columns are found where the spacing puts them,
        // and searched for after a pause.
        {"ordered, evenly spaced", 301, 180, 32768, 3000, GRAPH_PLAIN, false, 24, false, 0, 1,
         false, true},
        {"ordered, clean, evenly spaced, inverse", 257, 140, 20000, 1500, GRAPH_PLAIN, true, 25,
         true, 0, 1, false, true},
        {"ordered, clean, evenly spaced, wide", 1000, 300, 32768, 40000, GRAPH_PLAIN, false, 26,
         true, 0, 1, false, true},
        // Out of order at first, in order again once the step back has scrolled out.
        {"in order again", 240, 160, 40000, 2000, GRAPH_PLAIN, false, 21, false, 5000},
        {"in order again, clean, whole values", 240, 160, 40000, 2000, GRAPH_PLAIN, true, 22, true,
         5000, 1, true},
        // Angles keep placing every sample, x in order or not.
        {"angles in order", 211, 160, 8000, 600, GRAPH_ANGLE, false, 23, false, 0},
    };
    for (const Scenario& s : scenarios) {
        for (const bool night : {false, true}) {
            GraphCanvas fast(s.width, s.height);
            GraphCanvas reference(s.width, s.height, true);
            for (GraphCanvas* c : {&fast, &reference}) {
                Feed(c->g(), s);
                c->g().SetNight(night);
                c->Draw();
            }
            EXPECT_TRUE(SamePixels(fast, reference)) << s.what << (night ? ", night" : "");
            // The scenario is what it says: x in order or not.
            EXPECT_EQ(fast.g().GetTrace(0)->IsXOrdered(),
                      s.backUntil <= std::max(0, s.samples - CScrollData::kCapacity))
                << s.what;
            // The first trace did draw.
            EXPECT_GT(fast.Count(night ? RGB(0, 127, 0) : kGreen), s.width / 2) << s.what;
        }
    }
}

TEST(TimeSeriesPlot, ASingleSpikeAmongThousandsInOneColumnIsInked) {
    GraphCanvas c(100, 200);
    c.g().SetTimeSpan(1000);
    c.g().SetYRangeMode(5);
    c.g().SetYRange(-10, 10);
    CDataTrace* trace = c.g().AddTrace("t");
    trace->m_Colour = kGreen;
    for (int i = 0; i <= 10000; ++i) {
        trace->Add(i * 0.1, i == 5003 ? 8 : 0);
    }
    c.Draw();
    const int x = ColumnOf(c.g(), 1000 - 500.3, 1000);
    for (int y = RowOf(c.g(), 8); y <= RowOf(c.g(), 0); ++y) {
        EXPECT_EQ(c.At(x, y), kGreen) << y;
    }
    EXPECT_EQ(c.CountInColumn(x - 1, kGreen), 1);
    EXPECT_EQ(c.CountInColumn(x + 1, kGreen), 1);
}

// A line that ends in a column whose last point is its lowest on screen: the segments
// before that point ink its row, although the line's own last pixel is left out.
TEST(TimeSeriesPlot, LineEndingOnItsColumnsLowestRowInksThatRow) {
    for (const bool inverse : {false, true}) {
        GraphCanvas fast(100, 200);
        GraphCanvas reference(100, 200, true);
        const double deep = inverse ? 5 : -5;  // further down the screen than 0
        for (GraphCanvas* c : {&fast, &reference}) {
            c->g().SetTimeSpan(100);
            c->g().SetYRangeMode(5);
            c->g().SetYRange(-10, 10);
            c->g().SetInverseY(inverse);
            CDataTrace* trace = c->g().AddTrace("t");
            trace->m_Colour = kGreen;
            trace->Add(40, 14);  // beyond the plot: the line ends before it
            for (const double x : {49.1, 49.2, 49.3, 49.4}) {
                trace->Add(x, x == 49.1 || x == 49.3 ? deep : 0);
            }
            trace->Add(60, 0);
            c->Draw();
        }
        const int column = ColumnOf(fast.g(), 60 - 49.1, 100);
        ASSERT_EQ(column, ColumnOf(fast.g(), 60 - 49.4, 100));
        EXPECT_EQ(fast.At(column, RowOf(fast.g(), deep)), kGreen) << inverse;
        EXPECT_TRUE(SamePixels(fast, reference)) << inverse;
    }
}

// The walk ends at the first sample further from the newest than the window: an older
// part of a longer trace is not drawn, even though its value lies inside the plot.
TEST(TimeSeriesPlot, SamplesBeyondTheWindowAreNotDrawn) {
    GraphCanvas c(200, 200);
    c.g().SetTimeSpan(60);
    c.g().SetYRangeMode(5);
    c.g().SetYRange(-10, 10);
    CDataTrace* shortTrace = c.g().AddTrace("short");
    CDataTrace* longTrace = c.g().AddTrace("long");
    shortTrace->m_Colour = kRed;
    longTrace->m_Colour = kGreen;
    for (int x = 0; x <= 200; ++x) {
        if (x >= 140) {
            shortTrace->Add(x, 2);
        }
        longTrace->Add(x, x < 140 ? 5 : -5);
    }
    c.Draw();
    EXPECT_EQ(c.g().GetTimeWindow(), 60);
    EXPECT_GT(c.CountInRow(RowOf(c.g(), -5), kGreen), 150);
    EXPECT_EQ(c.CountInRow(RowOf(c.g(), 5), kGreen), 0);
}

// ---- Configuration files ----------------------------------------------------------------

class TimeSeriesConfig : public SettingsTest {
protected:
    // A file of "key = value" lines (CR LF) followed by raw trace lines.
    void WriteConfig(const std::string& file, std::initializer_list<std::string> values,
                     const std::string& traces = "") {
        std::string text;
        for (const std::string& value : values) {
            text += "Key = " + value + "\r\n";
        }
        WriteRaw(file, text + traces);
    }
    CTimeSeriesGraph g;
};

TEST_F(TimeSeriesConfig, FileIsReadInOrderWithQuotedAndEscapedTraceFields) {
    WriteConfig("Pipe_Depth.INI",
                {"Time", "0", "3600", "250", "1",
                 "Heading\xAB"
                 "COMMA\xBB"
                 " true",
                 "4", "12.5", "-30", "30", "1"},
                "[Traces]\r\n"
                "\"Port, aft\",255,\"first, attr\",second\r\n"
                " Star\xAB"
                "COMMA\xBB"
                "board , 65280 ,a\xAB"
                "CR\xBB"
                "b\r\n"
                "Plain\r\n");
    ASSERT_TRUE(g.Load("Pipe Depth"));
    EXPECT_EQ(g.GetName(), "Pipe Depth");
    EXPECT_EQ(g.GetXLabel(), "Time");
    EXPECT_EQ(g.GetXAxisKind(), 0);
    EXPECT_EQ(g.GetTimeSpan(), 3600);
    EXPECT_EQ(g.GetXSpan(), 250);
    EXPECT_EQ(g.GetGraphMode(), GRAPH_ANGLE);
    EXPECT_EQ(g.GetYLabel(), "Heading, true");
    EXPECT_EQ(g.GetYRangeMode(), 4);
    EXPECT_EQ(g.GetRequiredValue(), 12.5);
    EXPECT_EQ(g.GetYMin(), -30);
    EXPECT_EQ(g.GetYMax(), 30);
    EXPECT_EQ(g.GetYTick(), 50);
    EXPECT_TRUE(g.IsInverseY());
    EXPECT_EQ(g.GetTitle(), "Time v Heading, true");
    ASSERT_EQ(g.GetTraceCount(), 3);
    EXPECT_EQ(g.GetTrace(0)->m_strName, "Port, aft");
    EXPECT_EQ(g.GetTrace(0)->m_Colour, 255u);
    EXPECT_EQ(g.GetTrace(0)->m_strAttribute1, "first, attr");
    EXPECT_EQ(g.GetTrace(0)->m_strAttribute2, "second");
    EXPECT_EQ(g.GetTrace(1)->m_strName, "Star,board");
    EXPECT_EQ(g.GetTrace(1)->m_Colour, RGB(0, 255, 0));
    EXPECT_EQ(g.GetTrace(1)->m_strAttribute1, "a\rb");
    EXPECT_EQ(g.GetTrace(1)->m_strAttribute2, "");
    EXPECT_EQ(g.GetTrace(2)->m_strName, "Plain");
    EXPECT_EQ(g.GetTrace(2)->m_Colour, RGB(255, 0, 255));
    EXPECT_EQ(g.GetTrace(3), nullptr);
}

TEST_F(TimeSeriesConfig, MissingFileGivesTheDefaultsAndNoTraces) {
    g.AddTrace("left over");
    g.SetYRangeMode(3);
    EXPECT_FALSE(g.Load("Nothing Here"));
    EXPECT_EQ(g.GetTraceCount(), 0);
    EXPECT_EQ(g.GetXAxisKind(), 0);
    EXPECT_EQ(g.GetTimeSpan(), 86400);
    EXPECT_EQ(g.GetXSpan(), 1000);
    EXPECT_EQ(g.GetYRangeMode(), 0);
    EXPECT_EQ(g.GetYMin(), 0);
    EXPECT_EQ(g.GetYMax(), 10);
    EXPECT_FALSE(g.IsInverseY());
    EXPECT_EQ(g.GetTitle(), "Nothing Here");
}

TEST_F(TimeSeriesConfig, TitleFollowsTheAxisKindAndTheDistanceTick) {
    struct Case {
        const char* kind;
        const char* xSpan;
        const char* yLabel;
        const char* beforePaint;
        const char* afterPaint;
    };
    int file = 0;
    for (const Case& k :
         {Case{"0", "5000", "Depth", "Time v Depth", "Time v Depth"},
          Case{"1", "5000", "Depth", "Metres v Depth", "KP v Depth"},
          Case{"1", "500", "Depth", "Metres v Depth", "Metres v Depth"},
          Case{"2", "500", "Depth", "", ""}, Case{"1", "500", "", "Title 4", "Title 4"}}) {
        const std::string name = "Title " + std::to_string(file++);
        WriteConfig("Title_" + name.substr(6) + ".INI",
                    {"", k.kind, "3600", k.xSpan, "0", k.yLabel});
        GraphCanvas c(300, 100);
        ASSERT_TRUE(c.g().Load(name.c_str()));
        EXPECT_EQ(c.g().GetTitle(), k.beforePaint);
        c.Draw();
        EXPECT_EQ(c.g().GetTitle(), k.afterPaint);
    }
    EXPECT_EQ(CTimeSeriesGraph().GetTitle(), "Time Series Graph");
}

TEST_F(TimeSeriesConfig, KilometrePointsLabelAFiveKilometreWindow) {
    WriteConfig("Route.INI", {"", "1", "3600", "5000", "0", "Depth"});
    GraphCanvas c(500, 200);
    ASSERT_TRUE(c.g().Load("Route"));
    c.Draw();
    EXPECT_EQ(c.g().GetDistanceTick(), 1000);
    const CRect plot = c.g().GetPlotRect();
    const char* labels[] = {"KP1", "KP2", "KP3", "KP4"};
    for (int kp = 1; kp <= 4; ++kp) {
        const int x = ColumnOf(c.g(), kp * 1000.0, 5000);
        EXPECT_TRUE(ShowsText(c, labels[kp - 1], x - 2, plot.bottom - 2, TA_CENTER | TA_BOTTOM));
    }
    EXPECT_TRUE(ShowsText(c, "KP v Depth", 250, 0, TA_CENTER | TA_TOP, 120, kYellow));
}

TEST_F(TimeSeriesConfig, LatitudeReferenceIsWrittenAsALatitude) {
    WriteConfig("Lat.INI", {"", "0", "60", "", "2", "Lat", "2"});
    GraphCanvas c(400, 200);
    ASSERT_TRUE(c.g().Load("Lat"));
    CDataTrace* trace = c.g().AddTrace("lat");
    trace->Add(0, 0.9);
    trace->Add(1, 0.91);
    c.Draw();
    const CString text = FormatAngle(0.91, ANGLE_LATITUDE, ANGLE_FMT_FROM_SETTINGS, 0, '\0');
    ASSERT_FALSE(text.IsEmpty());
    EXPECT_TRUE(ShowsText(c, text, c.g().GetPlotRect().right - 2, RowOf(c.g(), 0) - 3,
                          TA_RIGHT | TA_BASELINE));
}

// Each absurd number falls back to its default; the sound values around it stay.
TEST_F(TimeSeriesConfig, AbsurdNumbersFallBackOneByOne) {
    WriteConfig("Bad.INI", {"x", "1", "nan", "-5", "9", "Depth", "5", "inf", "10", "2", "1"});
    GraphCanvas c(300, 200);
    ASSERT_TRUE(c.g().Load("Bad"));
    EXPECT_EQ(c.g().GetXAxisKind(), 1);
    EXPECT_EQ(c.g().GetTimeSpan(), 86400);
    EXPECT_EQ(c.g().GetXSpan(), 1000);
    EXPECT_EQ(c.g().GetGraphMode(), GRAPH_PLAIN);
    EXPECT_EQ(c.g().GetYLabel(), "Depth");
    EXPECT_EQ(c.g().GetYRangeMode(), 5);
    EXPECT_EQ(c.g().GetRequiredValue(), 0);
    EXPECT_EQ(c.g().GetYMin(), 0);
    EXPECT_EQ(c.g().GetYMax(), 10);
    EXPECT_TRUE(c.g().IsInverseY());
    c.Draw();
    EXPECT_EQ(c.g().GetDistanceWindow(), 1000);

    // A file that stops early: the values it lacks are the defaults.
    WriteConfig("Short.INI", {"a", "1"});
    ASSERT_TRUE(c.g().Load("Short"));
    EXPECT_EQ(c.g().GetXAxisKind(), 1);
    EXPECT_EQ(c.g().GetXSpan(), 1000);
    EXPECT_EQ(c.g().GetYRangeMode(), 0);
    EXPECT_EQ(c.g().GetYMax(), 10);
    EXPECT_EQ(c.g().GetTraceCount(), 0);
}

TEST_F(TimeSeriesConfig, HundredThousandTraceLinesStopAtTheLimit) {
    std::string traces = "[Traces]\r\n";
    for (int i = 0; i < 100000; ++i) {
        traces += "T" + std::to_string(i) + "," + std::to_string(i) + "\r\n";
    }
    WriteConfig("Many.INI", {"", "0", "60", "1000", "0", "y", "2", "0", "0", "10", "0"}, traces);
    GraphCanvas c(200, 100);
    ASSERT_TRUE(c.g().Load("Many"));
    ASSERT_EQ(c.g().GetTraceCount(), 256);
    EXPECT_EQ(c.g().GetTrace(255)->m_strName, "T255");
    EXPECT_EQ(c.g().GetTrace(255)->m_Colour, 255u);
    c.Draw();
}

TEST_F(TimeSeriesConfig, BrokenTraceLinesStillGiveTraces) {
    WriteConfig("Broken.INI", {"", "0", "60", "1000", "0", "y", "2", "0", "0", "10", "0"},
                "[Traces]\r\n"
                "\"Unclosed, 123\r\n"
                "OnlyName\r\n"
                "\"A\"\"B\",16777216,x\r\n"
                "\x01\xff\x80,-4,,\r\n"
                "   \r\n"
                ",abc\r\n");
    GraphCanvas c(200, 100);
    ASSERT_TRUE(c.g().Load("Broken"));
    ASSERT_EQ(c.g().GetTraceCount(), 5);
    EXPECT_EQ(c.g().GetTrace(0)->m_strName, "Unclosed, 123");
    EXPECT_EQ(c.g().GetTrace(0)->m_Colour, RGB(255, 0, 255));
    EXPECT_EQ(c.g().GetTrace(1)->m_strName, "OnlyName");
    EXPECT_EQ(c.g().GetTrace(2)->m_strName, "A\"B");
    EXPECT_EQ(c.g().GetTrace(2)->m_Colour, RGB(255, 0, 255));  // beyond 24 bits
    EXPECT_EQ(c.g().GetTrace(2)->m_strAttribute1, "x");
    EXPECT_EQ(c.g().GetTrace(3)->m_strName, "\x01\xff\x80");
    EXPECT_EQ(c.g().GetTrace(3)->m_Colour, RGB(255, 0, 255));
    EXPECT_EQ(c.g().GetTrace(4)->m_strName, "");
    EXPECT_EQ(c.g().GetTrace(4)->m_Colour, 0u);  // text that is no number reads as 0
    for (int i = 0; i < 5; ++i) {
        c.g().GetTrace(i)->Add(0, 1);
        c.g().GetTrace(i)->Add(1, 2);
    }
    c.Draw();
}

}  // namespace
