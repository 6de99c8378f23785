// The drawing layer on a full-HD surface: clearing it with memset (the floor), a solid
// FillRect of all of it, 1000 random lines and 200 DrawText labels, the labels both with
// the font caches emptied first (what a first paint costs) and warm. After the runs it
// prints the fill/memset ratio and how much the glyph cache saves.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "bench/RatioReport.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/FontEngine.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// A memory DC over a full-HD bitmap.
struct Screen {
    Screen() {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, kWidth, kHeight);
        dc.SelectObject(&bitmap);
    }
    ~Screen() { dc.DeleteDC(); }
    plat::Surface& surface() { return *bitmap.GetSurface(); }
    CDC dc;
    CBitmap bitmap;
};

void BM_Memset(benchmark::State& state) {
    Screen screen;
    plat::Surface& s = screen.surface();
    for (auto _ : state) {
        std::memset(s.Row(0), 0xFF, static_cast<std::size_t>(kWidth) * kHeight * 4);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}
BENCHMARK(BM_Memset);

void BM_FillRect(benchmark::State& state) {
    Screen screen;
    CBrush brush(RGB(12, 34, 56));
    const RECT all{0, 0, kWidth, kHeight};
    for (auto _ : state) {
        screen.dc.FillRect(&all, &brush);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 4);
}
BENCHMARK(BM_FillRect);

void BM_Lines1000(benchmark::State& state) {
    Screen screen;
    std::mt19937 random(42);
    std::uniform_int_distribution<int> x(0, kWidth - 1), y(0, kHeight - 1);
    std::vector<POINT> ends(2000);
    for (POINT& p : ends) {
        p = POINT{x(random), y(random)};
    }
    CPen pen(PS_SOLID, 1, RGB(200, 0, 0));
    screen.dc.SelectObject(&pen);
    for (auto _ : state) {
        for (std::size_t i = 0; i < ends.size(); i += 2) {
            screen.dc.MoveTo(ends[i]);
            screen.dc.LineTo(ends[i + 1]);
        }
        benchmark::ClobberMemory();
    }
    screen.dc.SelectStockObject(BLACK_PEN);
}
BENCHMARK(BM_Lines1000);

// 200 labels of survey read-outs at fixed random places, in a grid's font.
struct Labels {
    Labels() {
        font.CreateFont(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
        std::mt19937 random(7);
        std::uniform_int_distribution<int> x(0, kWidth - 200), y(0, kHeight - 20);
        for (int i = 0; i < 200; ++i) {
            char text[64];
            std::snprintf(text, sizeof text, "Depth %d.%d m  Heading %03d\xB0", i * 7 % 900, i % 10,
                          i * 37 % 360);
            const int left = x(random), top = y(random);
            items.push_back({text, RECT{left, top, left + 190, top + 18}});
        }
    }
    void Draw(CDC& dc) {
        CFont* old = dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        for (auto& [text, rect] : items) {
            RECT r = rect;
            dc.DrawText(text.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
        }
        dc.SelectObject(old);
    }
    CFont font;
    std::vector<std::pair<std::string, RECT>> items;
};

void ReportGlyphLoads(benchmark::State& state, std::uint64_t before) {
    const double loads = static_cast<double>(plat::GetFontEngineCounters().glyphsRendered - before);
    state.counters["freetype_loads"] =
        benchmark::Counter(loads, benchmark::Counter::kAvgIterations);
}

void BM_Labels200_FirstPaint(benchmark::State& state) {
    Screen screen;
    Labels labels;
    const std::uint64_t before = plat::GetFontEngineCounters().glyphsRendered;
    for (auto _ : state) {
        plat::ClearFontCaches();  // every face, match and glyph found again
        labels.Draw(screen.dc);
    }
    ReportGlyphLoads(state, before);
}
BENCHMARK(BM_Labels200_FirstPaint);

void BM_Labels200_Cached(benchmark::State& state) {
    Screen screen;
    Labels labels;
    labels.Draw(screen.dc);
    const std::uint64_t before = plat::GetFontEngineCounters().glyphsRendered;
    for (auto _ : state) {
        labels.Draw(screen.dc);
    }
    ReportGlyphLoads(state, before);
}
BENCHMARK(BM_Labels200_Cached);

}  // namespace

int main(int argc, char** argv) {
    return bench::RunWithRatios(argc, argv,
                                {{"fill/memset", "BM_FillRect", "BM_Memset", "target <= 1.5"},
                                 {"labels first paint/cached", "BM_Labels200_FirstPaint",
                                  "BM_Labels200_Cached", "the glyph cache at work"}});
}
