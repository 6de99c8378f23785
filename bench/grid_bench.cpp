// The property grid's cost over plain drawing, and the settings read cache's over nothing:
// a repaint of 200 unit-aware distance rows against filling the same window and drawing
// the same 400 texts; the settings a distance row reads for each formatting, served from
// the cache, against one open, read and close of a setting file. Prints both ratios, and
// the repaint of a 10,000-row grid for scale.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench/RatioReport.h"
#include "surveyui.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRows = 200;

// A scratch settings folder on C: with Imperial units and two decimal places, written
// well before the runs so that the cache may keep them.
class SettingsFolder {
public:
    SettingsFolder() {
        std::string pattern = (fs::temp_directory_path() / "surveyui-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        root_ = pattern;
        plat::MapDrive('C', root_, DRIVE_FIXED);
        plat::UnmapDrive('D');
        plat::UnmapDrive('E');
        plat::OverrideCommandLine("\"C:\\Programs\\GridBench.exe\"");
        WriteUnitsSettings(1, 0, 0);
        CConfigFile file;
        if (file.OpenForWrite("Decimal Places")) {
            file.WriteInt("No Dps", 2);
            file.Close();
        }
        // File change stamps come from a coarse clock: a file changed in the current tick
        // is not kept.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ~SettingsFolder() {
        plat::OverrideCommandLine(nullptr);
        plat::UnmapDrive('C');
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    SettingsFolder(const SettingsFolder&) = delete;
    SettingsFolder& operator=(const SettingsFolder&) = delete;

private:
    std::string root_;
};

SettingsFolder& Folder() {
    static SettingsFolder folder;
    return folder;
}

// A grid tall enough to show all the rows at once, on the headless screen.
class RowsWindow {
public:
    RowsWindow() {
        Folder();
        plat::HeadlessScreen().Install();
        font_.CreatePointFont(60, "Arial");
        host_.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP | WS_VISIBLE,
                       CRect(0, 0, 420, 100), nullptr, 0);
        grid_.Create(WS_VISIBLE | WS_CHILD, CRect(0, 0, 400, 100), &host_, 1);
        grid_.SetFont(&font_);
        for (int i = 0; i < kRows; ++i) {
            CString name;
            name.Format("Offset %d", i + 1);
            grid_.AddProperty(new CMFCPropertyGridMetricProperty(name, 10.0 + i * 0.37, 10), FALSE,
                              FALSE);
        }
        // Every row, the header and a spare row.
        const int height = grid_.GetRowHeight() * (kRows + 2);
        host_.SetWindowPos(nullptr, 0, 0, 420, height + 20, SWP_NOZORDER | SWP_NOMOVE);
        grid_.SetWindowPos(nullptr, 0, 0, 400, height, SWP_NOZORDER | SWP_NOMOVE);
        grid_.AdjustLayout();
        plat::PumpMessages();
    }
    ~RowsWindow() {
        grid_.RemoveAll();
        host_.DestroyWindow();
    }
    RowsWindow(const RowsWindow&) = delete;
    RowsWindow& operator=(const RowsWindow&) = delete;

    CMyMFCPropertyGridCtrl& Grid() { return grid_; }
    CFont& Font() { return font_; }
    bool AllRowsShow() {
        CRect client;
        grid_.GetClientRect(&client);
        const CRect last = grid_.GetProperty(kRows - 1)->GetRect();
        return !last.IsRectEmpty() && last.bottom <= client.bottom;
    }

private:
    CFont font_;
    CWnd host_;
    CMyMFCPropertyGridCtrl grid_;
};

RowsWindow& Window() {
    static RowsWindow window;
    return window;
}

void BM_GridRepaint200Rows(benchmark::State& state) {
    RowsWindow& window = Window();
    if (!window.AllRowsShow()) {
        state.SkipWithError("the rows do not all show");
        return;
    }
    for (auto _ : state) {
        window.Grid().Invalidate();
        window.Grid().UpdateWindow();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_GridRepaint200Rows);

// The same window filled and the same texts drawn in the same places, nothing else.
void BM_PlainTexts200Rows(benchmark::State& state) {
    RowsWindow& window = Window();
    CMyMFCPropertyGridCtrl& grid = window.Grid();
    struct Text {
        CString text;
        CRect rect;
    };
    std::vector<Text> texts;
    const int separator = grid.GetListRect().left + grid.GetLeftColumnWidth();
    for (int i = 0; i < kRows; ++i) {
        CMFCPropertyGridProperty* row = grid.GetProperty(i);
        const CRect rect = row->GetRect();
        texts.push_back({row->GetName(), CRect(rect.left + 5, rect.top, separator, rect.bottom)});
        texts.push_back(
            {row->FormatProperty(), CRect(separator + 5, rect.top, rect.right, rect.bottom)});
    }
    CRect client;
    grid.GetClientRect(&client);
    for (auto _ : state) {
        CClientDC dc(&grid);
        dc.FillSolidRect(&client, RGB(255, 255, 255));
        dc.SelectObject(&window.Font());
        dc.SetBkMode(TRANSPARENT);
        for (Text& t : texts) {
            dc.DrawText(t.text, &t.rect,
                        DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PlainTexts200Rows);

// A grid of 10,000 rows showing a window's worth: a repaint costs the rows that show, so it
// stays a small fraction of the 200-row repaint above.
class ManyRowsWindow {
public:
    static constexpr int kManyRows = 10000;

    ManyRowsWindow() {
        Folder();
        plat::HeadlessScreen().Install();
        font_.CreatePointFont(60, "Arial");
        host_.CreateEx(0, AfxRegisterWndClass(0), "many", WS_POPUP | WS_VISIBLE,
                       CRect(0, 0, 420, 320), nullptr, 0);
        grid_.Create(WS_VISIBLE | WS_CHILD, CRect(0, 0, 400, 300), &host_, 1);
        grid_.SetFont(&font_);
        for (int i = 0; i < kManyRows; ++i) {
            CString name;
            name.Format("Offset %d", i + 1);
            grid_.AddProperty(new CMFCPropertyGridMetricProperty(name, 10.0 + i * 0.37, 10), FALSE,
                              FALSE);
        }
        grid_.AdjustLayout();
        grid_.SetScrollPos(kManyRows / 2);
        plat::PumpMessages();
    }
    ~ManyRowsWindow() {
        grid_.RemoveAll();
        host_.DestroyWindow();
    }
    ManyRowsWindow(const ManyRowsWindow&) = delete;
    ManyRowsWindow& operator=(const ManyRowsWindow&) = delete;

    CMyMFCPropertyGridCtrl& Grid() { return grid_; }

private:
    CFont font_;
    CWnd host_;
    CMyMFCPropertyGridCtrl grid_;
};

void BM_GridRepaintOf10000Rows(benchmark::State& state) {
    static ManyRowsWindow window;
    for (auto _ : state) {
        window.Grid().Invalidate();
        window.Grid().UpdateWindow();
        benchmark::ClobberMemory();
    }
    state.counters["rows shown"] = window.Grid().GetVisibleRowCount();
}
BENCHMARK(BM_GridRepaintOf10000Rows);

// What a distance row asks of the settings each time it formats its value.
void BM_RowSettingsCached(benchmark::State& state) {
    Folder();
    for (auto _ : state) {
        int conversion = 0;
        int imperial = 0;
        const int units = ReadUnitsSettings(&conversion, &imperial);
        benchmark::DoNotOptimize(ReadDecimalPlaces());
        // The row derives the factor from the values it read, without a third read.
        benchmark::DoNotOptimize(GetDistanceFactorFor(units, conversion, imperial));
    }
}
BENCHMARK(BM_RowSettingsCached);

// One setting read the way it was read before the cache: open, read a line, close.
void BM_OneSettingFromDisk(benchmark::State& state) {
    Folder();
    for (auto _ : state) {
        CConfigFile file;
        if (!file.Open(file.GetConfigPath("Units Mode"),
                       CFile::modeRead | CFile::shareDenyWrite | CFile::typeText)) {
            state.SkipWithError("the units file cannot be opened");
            return;
        }
        benchmark::DoNotOptimize(file.ReadInt(0));
        file.Close();
    }
}
BENCHMARK(BM_OneSettingFromDisk);

}  // namespace

int main(int argc, char** argv) {
    return bench::RunWithRatios(argc, argv,
                                {{"grid repaint/plain texts", "BM_GridRepaint200Rows",
                                  "BM_PlainTexts200Rows", "target <= 2"},
                                 {"row settings cached/one read from disk", "BM_RowSettingsCached",
                                  "BM_OneSettingFromDisk", "target <= 0.25"}});
}
