#include "GraphPanes.h"

#include "SurveyRun.h"
#include "settings/ConfigFile.h"

namespace {

constexpr double kRunSeconds = 3600.0;

// How each graph is laid out, as its configuration file in the settings folder says.
struct GraphLayout {
    const char* title;  // the pane's title names the file
    const char* yLabel;
    int graphMode;
    int yRangeMode;  // 1: follows the latest value from 0; 2: about the latest; 4: about
                     // the required value; 5: fixed
    double requiredValue;
    double yMinimum;
    double yMaximum;
    bool inverseY;
};

constexpr GraphLayout kLayouts[CSurveyGraphs::kGraphCount] = {
    {"Water Depth", "Depth", GRAPH_PLAIN, 4, SurveyRun::kPlannedDepth, -25.0, 25.0, true},
    {"Cable Tension", "Tension", GRAPH_PLAIN, 1, 0.0, 0.0, 20.0, false},
    {"Heading", "Heading", GRAPH_ANGLE, 2, 0.0, -10.0, 10.0, false},
    {"Cross Track", "Cross Track", GRAPH_PLAIN, 5, 0.0, -10.0, 10.0, false},
};

// Trace colours. Colours of the graph's table of pale day colours turn into their dark
// partners by night, others into their halves: each pair below reads on both backgrounds.
constexpr COLORREF kSkyBlue = RGB(110, 190, 255);
constexpr COLORREF kPeach = RGB(255, 204, 153);      // in the table: brown by night
constexpr COLORREF kPaleGreen = RGB(204, 255, 204);  // in the table: dark green by night
constexpr COLORREF kCoral = RGB(255, 120, 80);
constexpr COLORREF kOrchid = RGB(255, 140, 255);
constexpr COLORREF kLime = RGB(150, 255, 90);

// Written the way the library reads it: one "key = value" line per value, in order.
bool WriteLayout(const GraphLayout& layout) {
    CConfigFile file;
    if (!file.OpenForWrite(layout.title)) {
        return false;
    }
    CString text;
    text.Format(
        "X Label = Time\n"
        "X Axis = 0\n"
        "Time Span = %.0f\n"
        "X Span = 1000\n"
        "Graph Mode = %d\n"
        "Y Label = %s\n"
        "Y Range Mode = %d\n"
        "Required Value = %g\n"
        "Y Minimum = %g\n"
        "Y Maximum = %g\n"
        "Inverse Y = %d\n",
        kRunSeconds, layout.graphMode, layout.yLabel, layout.yRangeMode, layout.requiredValue,
        layout.yMinimum, layout.yMaximum, layout.inverseY ? 1 : 0);
    file.WriteString(text);
    file.Close();
    return true;
}

}  // namespace

bool CSurveyGraphs::Create(CWnd* pParent, UINT firstId) {
    for (int graph = 0; graph < kGraphCount; ++graph) {
        const GraphLayout& layout = kLayouts[graph];
        WriteLayout(layout);  // without it the pane shows the library's default layout
        if (!panes_[graph].Create(pParent, layout.title, static_cast<int>(firstId) + graph)) {
            return false;
        }
    }
    // The tolerance about the planned depth, the cable's safe working load, the width of
    // the survey corridor.
    panes_[kDepth].AddTrace("Depth");
    panes_[kDepth].SetMinValue(-12.0);
    panes_[kDepth].SetMaxValue(12.0);
    panes_[kTension].AddTrace("Tension");
    panes_[kTension].SetMaxValue(14.0);
    panes_[kTension].SetYfmt("%.0lft");
    panes_[kHeading].AddTrace("Gyro");
    panes_[kHeading].AddTrace("CMG");
    panes_[kHeading].SetYfmt("%.1lf\xB0");
    panes_[kCrossTrack].AddTrace("Vessel");
    panes_[kCrossTrack].AddTrace("Tow Fish");
    panes_[kCrossTrack].SetMinValue(-5.0);
    panes_[kCrossTrack].SetMaxValue(5.0);
    return true;
}

void CSurveyGraphs::FeedSurveyLine(std::uint64_t seed) {
    SurveyRun run(seed);
    constexpr int kSamples = static_cast<int>(kRunSeconds) * SurveyRun::kSamplesPerSecond;
    // The run ends now: its last sample is the newest at the right edge.
    const double start =
        CurrentTimeAbscissa() - (kSamples - 1) / double(SurveyRun::kSamplesPerSecond);
    for (int i = 0; i < kSamples; ++i) {
        const SurveySample s = run.Next();
        const double x = start + s.seconds;
        panes_[kDepth].SetData(0, x, s.waterDepth, kSkyBlue);
        panes_[kTension].SetData(0, x, s.tension, kPeach);
        panes_[kHeading].SetData(0, x, s.gyroHeading, kPaleGreen);
        panes_[kHeading].SetData(1, x, s.courseMadeGood, kCoral);
        panes_[kCrossTrack].SetData(0, x, s.vesselOffset, kOrchid);
        panes_[kCrossTrack].SetData(1, x, s.fishOffset, kLime);
    }
    Update();
}

void CSurveyGraphs::SetNightMode(bool night) {
    for (CTSPane& pane : panes_) {
        pane.SetNightMode(night);
    }
}

void CSurveyGraphs::SetTimeout(Graph graph, bool timedOut) {
    panes_[graph].SetTimeout(timedOut);
    panes_[graph].Update();
}

void CSurveyGraphs::Update() {
    for (CTSPane& pane : panes_) {
        pane.Update();
    }
}
