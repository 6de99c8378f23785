// The time-series pane and view as a host uses them: a pane docked in a visible frame on
// the headless screen, fed samples, repainted, right-clicked.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "graph/CTSPane.h"
#include "platform/window/Clock.h"
#include "surveyui.h"
#include "tests/graph/GraphTestSupport.h"
#include "tests/settings/SettingsTestSupport.h"
#include "tests/support/UserInput.h"
#include "tests/support/WindowingReset.h"

namespace {

constexpr UINT kPaneId = 3001;
constexpr COLORREF kDayBackground = RGB(85, 85, 85);
constexpr COLORREF kNightBackground = RGB(0, 0, 0);
constexpr COLORREF kDayAlarm = RGB(255, 0, 0);
constexpr COLORREF kNightAlarm = RGB(128, 0, 0);
constexpr COLORREF kCyan = RGB(0, 255, 255);
constexpr COLORREF kOrange = RGB(255, 128, 0);

plat::FixedClock ClockAt(WORD hour, WORD minute, WORD second) {
    plat::FixedClock clock{};
    clock.localTime = SYSTEMTIME{2026, 12, 0, 6, hour, minute, second, 0};
    clock.zoneId = TIME_ZONE_ID_UNKNOWN;
    return clock;
}

// The host window: records the configure requests that reach it.
class HostFrame : public CFrameWnd {
public:
    struct Request {
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Request> requests;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == GetGraphConfigureMessage()) {
            requests.push_back({wParam, lParam});
            return 0;
        }
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
};

class TSPaneTest : public SettingsTest, protected plat::test::UserInput {
protected:
    void SetUp() override {
        SettingsTest::SetUp();
        plat::ResetMessageQueue();
        plat::input::ResetState();
        plat::SetTestClock(1000);
        plat::SetFixedClock(ClockAt(14, 30, 5));
        plat::HeadlessScreen().Install();
        plat::HeadlessScreen().SetSize(plat::Screen::kDefaultWidth, plat::Screen::kDefaultHeight);
        SetCursorPos(0, 0);
        app_ = std::make_unique<CWinApp>("graph-tests");
        host = new HostFrame;
        ASSERT_TRUE(host->Create(nullptr, "Survey", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 CRect(0, 0, 800, 600)));
        host->EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(CreateDocked(pane, "Water Depth", kPaneId));
        graph = pane.GetTimeSeriesGraph();
        ASSERT_NE(graph, nullptr);
    }

    // A visible pane docked in the host, its first paint done.
    bool CreateDocked(CTSPane& created, const char* title, UINT id) {
        CString section;
        section.Format("Workspace\\BasePane-%u", id);
        if (!app_->WriteProfileInt(section, "IsVisible", 1) ||
            created.Create(host, title, static_cast<int>(id)) != 1) {
            return false;
        }
        created.EnableDocking(CBRS_ALIGN_ANY);
        const bool docked = host->DockPane(&created) != FALSE;
        plat::PumpMessages();
        return docked && created.GetView() != nullptr;
    }

    void TearDown() override {
        plat::test::ResetWindowing();
        plat::UseSystemClock();
        app_.reset();
        SettingsTest::TearDown();
    }

    // The share (0 to 1) of the view's pixels on the composed screen that are colour.
    double ViewShare(COLORREF colour) {
        plat::PumpMessages();
        const plat::Surface& screen = plat::HeadlessScreen().Compose();
        CRect rect;
        pane.GetView()->GetWindowRect(&rect);
        int matching = 0;
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                matching += screen.GetPixel(x, y) == colour ? 1 : 0;
            }
        }
        return static_cast<double>(matching) / (rect.Width() * rect.Height());
    }

    HostFrame* host = nullptr;  // deletes itself with its window
    CTSPane pane;
    CTimeSeriesGraph* graph = nullptr;

private:
    std::unique_ptr<CWinApp> app_;
};

TEST_F(TSPaneTest, UnindexedSamplesNeedATraceAndGoToTraceZeroWithTheirColour) {
    pane.SetData(5.0, kCyan);
    pane.SetData(100.0, 5.0, kCyan);
    EXPECT_EQ(graph->GetTraceCount(), 0);

    pane.AddTrace("Depth");
    ASSERT_EQ(graph->GetTraceCount(), 1);
    const CDataTrace* trace = graph->GetTrace(0);
    EXPECT_EQ(trace->m_strName, "Depth");
    EXPECT_EQ(trace->m_Colour, RGB(255, 0, 255));

    pane.SetData(5.0, kCyan);
    ASSERT_EQ(trace->GetSize(), 1);
    EXPECT_EQ(trace->GetAt(0).x, CurrentTimeAbscissa());
    EXPECT_EQ(trace->GetAt(0).y, 5.0);
    EXPECT_EQ(trace->m_Colour, kCyan);

    // The clock moves on: the next sample is taken at the new time.
    plat::SetFixedClock(ClockAt(14, 31, 5));
    pane.SetData(6.0, kOrange);
    ASSERT_EQ(trace->GetSize(), 2);
    EXPECT_DOUBLE_EQ(trace->GetAt(0).x - trace->GetAt(1).x, 60.0);
    EXPECT_EQ(trace->m_Colour, kOrange);

    pane.SetData(1234.5, 7.0, kCyan);
    ASSERT_EQ(trace->GetSize(), 3);
    EXPECT_EQ(trace->GetAt(0).x, 1234.5);
    EXPECT_EQ(trace->GetAt(0).y, 7.0);
}

TEST_F(TSPaneTest, IndexedSamplesReachOnlyAnExistingTrace) {
    pane.AddTrace("Port");
    pane.AddTrace("Starboard");
    const CDataTrace* port = graph->GetTrace(0);
    const CDataTrace* starboard = graph->GetTrace(1);

    pane.SetData(1, 10.0, 2.0, kOrange);
    pane.SetData(1, 3.0, kOrange);
    EXPECT_EQ(port->GetSize(), 0);
    ASSERT_EQ(starboard->GetSize(), 2);
    EXPECT_EQ(starboard->GetAt(1).x, 10.0);
    EXPECT_EQ(starboard->GetAt(0).x, CurrentTimeAbscissa());
    EXPECT_EQ(starboard->m_Colour, kOrange);

    for (const int index : {-1, 2, 1000}) {
        pane.SetData(index, 10.0, 2.0, kCyan);
        pane.SetData(index, 2.0, kCyan);
    }
    EXPECT_EQ(graph->GetTraceCount(), 2);
    EXPECT_EQ(port->GetSize(), 0);
    EXPECT_EQ(port->m_Colour, RGB(255, 0, 255));
    EXPECT_EQ(starboard->GetSize(), 2);
    EXPECT_EQ(starboard->m_Colour, kOrange);

    pane.ClearAll();
    EXPECT_EQ(graph->GetTraceCount(), 0);
    pane.SetData(0, 2.0, kCyan);  // nothing left to take it
    EXPECT_EQ(graph->GetTraceCount(), 0);
}

TEST_F(TSPaneTest, TheRangeFlagIsTheMaximumAndABadFormatIsRefused) {
    pane.SetYRange(-1.0, true);
    EXPECT_EQ(graph->GetYMin(), -1.0);
    EXPECT_EQ(graph->GetYMax(), 1.0);
    pane.SetYRange(-4.0, false);
    EXPECT_EQ(graph->GetYMin(), -4.0);
    EXPECT_EQ(graph->GetYMax(), 0.0);
    pane.SetYRange(2.0, 30.0);
    EXPECT_EQ(graph->GetYMin(), 2.0);
    EXPECT_EQ(graph->GetYMax(), 30.0);

    EXPECT_TRUE(pane.SetYfmt("%.1lf\xB0"));
    EXPECT_FALSE(pane.SetYfmt("%s"));
    EXPECT_EQ(graph->GetYfmt(), "%.1lf\xB0");
}

TEST_F(TSPaneTest, APaneWithoutAWindowOrAViewIgnoresEveryCall) {
    CTSPane idle;
    idle.AddTrace("Depth");
    idle.SetData(5.0, kCyan);
    idle.SetData(0, 1.0, 5.0, kCyan);
    idle.SetYRange(0.0, true);
    idle.SetTimeSpan(60.0);
    idle.SetGraphMode(GRAPH_ANGLE);
    EXPECT_FALSE(idle.SetYfmt("%.1lfm"));
    idle.SetNightMode(true);
    idle.ClearAll();
    idle.Update();
    EXPECT_EQ(idle.GetView(), nullptr);
    EXPECT_EQ(idle.GetTimeSeriesGraph(), nullptr);

    pane.GetView()->DestroyWindow();  // the view deletes itself and its graph
    EXPECT_EQ(pane.GetTimeSeriesGraph(), nullptr);
    pane.AddTrace("Depth");
    pane.SetData(5.0, kCyan);
    pane.SetTimeout(true);
    pane.Update();
    plat::PumpMessages();
}

TEST_F(TSPaneTest, ARightClickReachesTheHostThroughTheMessageLoop) {
    CTSView* view = pane.GetView();
    // Posted, not sent: nothing arrives until the loop runs.
    view->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 20));
    EXPECT_TRUE(host->requests.empty());
    plat::PumpMessages();
    ASSERT_EQ(host->requests.size(), 1u);
    EXPECT_EQ(host->requests[0].wParam, 0u);
    EXPECT_EQ(host->requests[0].lParam, reinterpret_cast<LPARAM>(graph));

    const CPoint at = ScreenPoint(*view, CPoint(50, 60));
    plat::input::Click(at.x, at.y, plat::input::Button::Right);
    plat::PumpMessages();
    ASSERT_EQ(host->requests.size(), 2u);
    EXPECT_EQ(host->requests[1].lParam, reinterpret_cast<LPARAM>(graph));

    Click(*view, CPoint(50, 60));  // the left button asks for nothing
    EXPECT_EQ(host->requests.size(), 2u);
}

TEST_F(TSPaneTest, TheNextPaintShowsTheTimeOutAlarmByDayAndByNight) {
    EXPECT_GT(ViewShare(kDayBackground), 0.5);
    EXPECT_EQ(ViewShare(kDayAlarm), 0.0);

    pane.GetView()->SetTimeout(true);
    pane.Update();
    EXPECT_GT(ViewShare(kDayAlarm), 0.5);

    pane.SetNightMode(true);
    pane.Update();
    EXPECT_GT(ViewShare(kNightAlarm), 0.5);

    pane.GetView()->SetTimeout(false);
    pane.Update();
    EXPECT_GT(ViewShare(kNightBackground), 0.5);
    EXPECT_EQ(ViewShare(kNightAlarm), 0.0);
}

TEST_F(TSPaneTest, ANightSwitchChangesThePaintedBackground) {
    EXPECT_GT(ViewShare(kDayBackground), 0.5);
    pane.SetNightMode(true);
    pane.Update();
    EXPECT_GT(ViewShare(kNightBackground), 0.5);
    EXPECT_LT(ViewShare(kDayBackground), 0.1);  // the night's grid is drawn in that grey
    pane.SetDaylightMode();
    pane.Update();
    EXPECT_GT(ViewShare(kDayBackground), 0.5);
}

TEST_F(TSPaneTest, TheHostsTimeOutReachesTheViewAndItsNextPaint) {
    pane.SetTimeout(true);
    EXPECT_TRUE(pane.GetTimeout());
    EXPECT_TRUE(pane.GetView()->GetTimeout());
    pane.Update();
    EXPECT_GT(ViewShare(kDayAlarm), 0.5);
    pane.SetTimeout(false);
    pane.Update();
    EXPECT_EQ(ViewShare(kDayAlarm), 0.0);

    // Reported before the pane's window exists, it is there from the first paint.
    CTSPane late;
    late.SetTimeout(true);
    ASSERT_EQ(late.Create(host, "Tension", kPaneId + 1), 1);
    ASSERT_NE(late.GetView(), nullptr);
    EXPECT_TRUE(late.GetView()->GetTimeout());
}

TEST_F(TSPaneTest, APaintPutsTheGraphsTitleInThePaneCaption) {
    EXPECT_EQ(Text(pane), "Water Depth");  // no configuration: the name is the title
    pane.SetWindowText("Something else");
    graph->SetName("Cross Track");
    pane.Update();
    plat::PumpMessages();
    EXPECT_EQ(Text(pane), "Cross Track");
}

TEST_F(TSPaneTest, CreateLoadsTheConfigurationTheTitleNames) {
    WriteRaw("Cable_Tension.INI",
             "X Label = Time\nX Axis = 0\nTime Span = 600\nX Span = 0\nGraph Mode = 0\n"
             "Y Label = Tension\nY Range Mode = 5\nRequired = 0\nY Min = 0\nY Max = 20\n"
             "Inverse = 0\n");
    CTSPane tension;
    ASSERT_TRUE(CreateDocked(tension, "Cable Tension", kPaneId + 1));
    const CTimeSeriesGraph* loaded = tension.GetTimeSeriesGraph();
    EXPECT_EQ(loaded->GetName(), "Cable Tension");
    EXPECT_EQ(loaded->GetTimeSpan(), 600.0);
    EXPECT_EQ(loaded->GetYRangeMode(), 5);
    EXPECT_EQ(loaded->GetYMax(), 20.0);
    EXPECT_EQ(Text(tension), "Time v Tension");
}

TEST_F(TSPaneTest, UpdateShowsNewSamplesInTheTraceColour) {
    pane.SetTimeSpan(600.0);
    pane.SetYRange(0.0, 10.0);
    graph->SetYRangeMode(5);
    pane.AddTrace("Depth");
    const double now = CurrentTimeAbscissa();
    for (int second = 300; second >= 0; --second) {
        pane.SetData(now - second, 5.0 + (second % 2), kCyan);
    }
    EXPECT_EQ(ViewShare(kCyan), 0.0);  // not before the host asks
    pane.Update();
    EXPECT_GT(ViewShare(kCyan), 0.0);
}

// The view's paint, into a memory context: the graph drawn off screen, copied in one block.
TEST(TSViewPaint, TheGraphIsCopiedWholeAndAnEmptyViewPaintsNothing) {
    plat::HeadlessScreen().Install();
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP, 0, 0, 300, 300,
                                nullptr, nullptr));
    auto* view = new CTSView;  // deletes itself with its window
    ASSERT_TRUE(view->Create(&parent));
    EXPECT_EQ(view->GetPane(), &parent);
    view->GetTimeSeriesGraph()->SetName("Heading");

    // The view is 200 x 200: the block covers exactly that, mostly in the background.
    graph_test::Canvas canvas(300, graph_test::kWhite);
    view->OnDraw(&canvas.dc);
    const RECT ink = canvas.InkBox();
    EXPECT_EQ(ink.left, 0);
    EXPECT_EQ(ink.top, 0);
    EXPECT_EQ(ink.right, 199);
    EXPECT_EQ(ink.bottom, 199);
    EXPECT_GT(canvas.Count(kDayBackground), 200 * 200 / 2);
    EXPECT_EQ(plat::test::UserInput::Text(parent), "Heading");

    graph_test::Canvas untouched(300, graph_test::kWhite);
    view->MoveWindow(0, 0, 0, 0, FALSE);
    view->OnDraw(&untouched.dc);
    EXPECT_EQ(untouched.Inked(), 0);
    parent.DestroyWindow();
}

}  // namespace
