// surveyui-demo: the demo host. It builds a main window from the library the way a survey
// program does (a frame with a main view and docked panes), runs its messages on the
// headless screen and saves the screen in day and in night colours:
//
//     demo-out/day.png, demo-out/night.png    the 1600 x 1300 screen
//     demo-out/graph-day.png, graph-night.png the row of live graphs
//     demo-out/graph-timeout.png              the graphs with the gyro's data timed out
//     demo-out/settings-report.txt            sample values under three unit settings
//     demo-out/settings-grid.pdf              the settings pane's grid, printed
//     demo-out/vessel-grid.pdf                the Vessel pane's grid, printed
//
// Its settings and its workspace profile live in demo-out/drive_c (mapped as C:), never
// in the operator's folders.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "DemoPanes.h"
#include "GraphPanes.h"
#include "OperatorSettings.h"
#include "SymbolGalleryView.h"
#include "VesselPane.h"
#include "surveyui.h"

namespace {

namespace fs = std::filesystem;

constexpr UINT kLegendPaneId = 1001;
constexpr UINT kSettingsPaneId = 1002;
constexpr UINT kSoftwareSettingsPaneId = 1003;
constexpr UINT kVesselPaneId = 1004;
constexpr UINT kFirstGraphPaneId = 1005;
// The screen: the main window fills it.
constexpr int kScreenWidth = 1600;
constexpr int kScreenHeight = 1300;
// The sites' widths, and the share of its site's height each pane asks for.
constexpr int kLeftSiteWidth = 360;
constexpr int kRightSiteWidth = 330;
constexpr int kLegendHeight = 540;
constexpr int kSettingsHeight = 430;
constexpr int kVesselHeight = 530;
constexpr int kSoftwareSettingsHeight = 470;
// The graphs share the bottom site, which runs under the others across the whole width.
constexpr int kGraphSiteHeight = 300;
constexpr int kGraphWidth = kScreenWidth / CSurveyGraphs::kGraphCount;
// The simulated survey line's seed: the same pictures in every run.
constexpr std::uint64_t kSurveySeed = 20261206;

// A fixed reading of the clock, so that the settings pane's date and time rows are the
// same in every run's pictures.
plat::FixedClock DemoClock() {
    plat::FixedClock clock{};
    clock.localTime = SYSTEMTIME{2026, 12, 0, 6, 14, 30, 5, 0};
    clock.zoneId = TIME_ZONE_ID_UNKNOWN;
    return clock;
}

// The host's main window: the gallery as its main view, the vessel's values and the
// settings docked at the left, the symbol legend and the formatted samples at the right,
// the live graphs along the bottom.
struct MainWindow {
    CFrameWnd* frame = nullptr;             // deletes itself when closed
    CSymbolGalleryView* gallery = nullptr;  // deleted with its window
    CSymbolLegendPane legend;
    COperatorSettingsPane settings;
    CSettingsPane software;  // the operator's units and formats, every group
    CVesselPane vessel;
    CSurveyGraphs graphs;

    bool Create() {
        frame = new CFrameWnd;
        if (!frame->Create(nullptr, "surveyui demo", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                           CRect(0, 0, kScreenWidth, kScreenHeight))) {
            return false;
        }
        AfxGetApp()->m_pMainWnd = frame;
        frame->EnableDocking(CBRS_ALIGN_ANY);
        gallery = new CSymbolGalleryView;
        if (!gallery->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(), frame,
                             AFX_IDW_PANE_FIRST) ||
            !legend.Create(frame, kLegendPaneId) || !settings.Create(frame, kSettingsPaneId) ||
            !software.Create(frame, kSoftwareSettingsPaneId, CSettingsPane::kAllGroups) ||
            !vessel.Create(frame, kVesselPaneId) || !graphs.Create(frame, kFirstGraphPaneId)) {
            return false;
        }
        // Docking takes a pane's size as its share of the site.
        Dock(vessel, AFX_IDW_DOCKBAR_LEFT, kLeftSiteWidth, kVesselHeight);
        Dock(software, AFX_IDW_DOCKBAR_LEFT, kLeftSiteWidth, kSoftwareSettingsHeight);
        Dock(legend, AFX_IDW_DOCKBAR_RIGHT, kRightSiteWidth, kLegendHeight);
        Dock(settings, AFX_IDW_DOCKBAR_RIGHT, kRightSiteWidth, kSettingsHeight);
        for (int graph = 0; graph < CSurveyGraphs::kGraphCount; ++graph) {
            Dock(GraphPane(graph), AFX_IDW_DOCKBAR_BOTTOM, kGraphWidth, kGraphSiteHeight);
        }
        // Panes saved by an earlier run come back as they were; on the first run they
        // start hidden, and the demo opens them as an operator would from a menu.
        frame->LoadState();
        legend.ShowPane(TRUE, TRUE, FALSE);
        settings.ShowPane(TRUE, TRUE, FALSE);
        software.ShowPane(TRUE, TRUE, FALSE);
        vessel.ShowPane(TRUE, TRUE, FALSE);
        for (int graph = 0; graph < CSurveyGraphs::kGraphCount; ++graph) {
            GraphPane(graph).ShowPane(TRUE, TRUE, FALSE);
        }
        return true;
    }

    CTSPane& GraphPane(int graph) { return graphs.Pane(static_cast<CSurveyGraphs::Graph>(graph)); }

    // The screen rectangle that the row of graphs covers.
    CRect GraphRow() {
        CRect row;
        for (int graph = 0; graph < CSurveyGraphs::kGraphCount; ++graph) {
            CRect pane;
            GraphPane(graph).GetWindowRect(&pane);
            row.UnionRect(&row, &pane);
        }
        return row;
    }

    void Dock(CDockablePane& pane, UINT site, int width, int height) {
        pane.SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        pane.EnableDocking(CBRS_ALIGN_ANY);
        frame->DockPane(&pane, site);
    }

    void SetNightMode(bool night) {
        plat::style::SetPaneColours(night ? plat::style::NightPaneColours()
                                          : plat::style::DayPaneColours());
        gallery->SetNightMode(night);
        legend.SetNightMode(night);
        settings.SetNightMode(night);
        software.SetNightMode(night);
        vessel.SetNightMode(night);
        graphs.SetNightMode(night);
        frame->RedrawWindow(nullptr, nullptr,
                            RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
};

// Picks an option in the settings pane the way the grid reports an operator's choice: the
// row takes the text and the pane hears the grid's property-changed message.
bool ChooseSetting(CSettingsPane& pane, DWORD_PTR propertyId, const char* option) {
    CMyMFCPropertyGridCtrl& grid = pane.GetGrid();
    CMFCPropertyGridProperty* row = grid.FindItemByData(propertyId);
    if (!row) {
        return false;
    }
    row->SetValue(COleVariant(option));
    grid.OnPropertyChanged(row);
    plat::PumpMessages();  // the settings-update message is posted
    return row->FormatProperty() == option;
}

// Prints a pane's grid on the default printer (no one at the dialog) and keeps the PDF.
bool PrintGrid(CMyMFCPropertyGridCtrl& grid, const fs::path& file) {
    plat::PrinterSettings printer = plat::DefaultPrinter();
    printer.dpi = 150;
    plat::SetDefaultPrinter(printer);
    grid.PrintGrid();
    const plat::PrintJobRecord job = plat::LastPrintJob();
    std::error_code error;
    if (!job.written || job.files.empty() ||
        !fs::copy_file(job.files.front(), file, fs::copy_options::overwrite_existing, error)) {
        std::fprintf(stderr, "surveyui-demo: cannot write %s\n", file.c_str());
        return false;
    }
    std::printf("wrote %s (%d page%s)\n", file.c_str(), job.pages, job.pages == 1 ? "" : "s");
    return true;
}

bool Snapshot(const fs::path& file) {
    plat::PumpMessages();
    if (!plat::HeadlessScreen().SavePng(file.string())) {
        std::fprintf(stderr, "surveyui-demo: cannot write %s\n", file.c_str());
        return false;
    }
    std::printf("wrote %s\n", file.c_str());
    return true;
}

// Part of the screen, as the operator would cut it out of a screenshot.
bool SnapshotPart(const CRect& part, const fs::path& file) {
    plat::PumpMessages();
    const plat::Surface& screen = plat::HeadlessScreen().Compose();
    plat::Surface picture(part.Width(), part.Height());
    for (int y = 0; y < part.Height(); ++y) {
        for (int x = 0; x < part.Width(); ++x) {
            picture.SetPixel(x, y, screen.GetPixel(part.left + x, part.top + y));
        }
    }
    if (!plat::SavePng(picture, file.string())) {
        std::fprintf(stderr, "surveyui-demo: cannot write %s\n", file.c_str());
        return false;
    }
    std::printf("wrote %s\n", file.c_str());
    return true;
}

}  // namespace

int main() {
    const fs::path out = "demo-out";
    std::error_code error;
    fs::create_directories(out / "drive_c", error);
    plat::MapDrive('C', fs::absolute(out / "drive_c").string());

    if (!WriteSettingsReport(out / "settings-report.txt")) {
        std::perror("demo-out/settings-report.txt");
        return 1;
    }
    std::printf("wrote %s\n", (out / "settings-report.txt").c_str());
    ChooseDemoSettings();

    plat::SetFixedClock(DemoClock());
    CWinApp app("surveyui-demo");
    plat::HeadlessScreen().Install();
    plat::HeadlessScreen().SetSize(kScreenWidth, kScreenHeight);
    MainWindow window;
    if (!window.Create()) {
        std::fprintf(stderr, "surveyui-demo: cannot create the main window\n");
        return 1;
    }
    window.vessel.ShowCheckStatus(false);  // a warning in the day
    window.graphs.FeedSurveyLine(kSurveySeed);
    bool written = Snapshot(out / "day.png");
    written = SnapshotPart(window.GraphRow(), out / "graph-day.png") && written;
    // The gyro stops reporting for a while.
    window.graphs.SetTimeout(CSurveyGraphs::kHeading, true);
    written = SnapshotPart(window.GraphRow(), out / "graph-timeout.png") && written;
    window.graphs.SetTimeout(CSurveyGraphs::kHeading, false);
    written = PrintGrid(window.vessel.GetGrid(), out / "vessel-grid.pdf") && written;
    // The operator switches to imperial yards in the settings pane before nightfall.
    constexpr DWORD_PTR kUnitsType = 8;
    constexpr DWORD_PTR kImperialMode = 10;
    written = ChooseSetting(window.software, kUnitsType, "Imperial") && written;
    written = ChooseSetting(window.software, kImperialMode, "Yards") && written;
    written = PrintGrid(window.software.GetGrid(), out / "settings-grid.pdf") && written;
    window.vessel.UpdateUnits();
    window.vessel.ShowCheckStatus(true);  // an error by night
    window.SetNightMode(true);
    written = Snapshot(out / "night.png") && written;
    written = SnapshotPart(window.GraphRow(), out / "graph-night.png") && written;

    // Closing the main window saves the workspace (which panes show) and ends the loop.
    window.frame->PostMessage(WM_CLOSE);
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return written ? 0 : 1;
}
