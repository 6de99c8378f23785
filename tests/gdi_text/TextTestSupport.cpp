#include "TextTestSupport.h"

#include <algorithm>
#include <cstring>
#include <sstream>

namespace text_test {

Canvas::Canvas(int width, int height, COLORREF bg) : background(bg) {
    dc.CreateCompatibleDC(nullptr);
    bitmap.CreateCompatibleBitmap(&dc, width, height);
    dc.SelectObject(&bitmap);
    surface().Fill(bg);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(kBlack);
}

namespace {

RECT Region(const plat::Surface& surface, const RECT* within) {
    RECT all = surface.Bounds();
    if (within) {
        IntersectRect(&all, &all, within);
    }
    return all;
}

}  // namespace

RECT InkBox(const plat::Surface& surface, COLORREF background, const RECT* within) {
    const RECT r = Region(surface, within);
    RECT box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            if (surface.GetPixel(x, y) != background) {
                box = RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                           std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
            }
        }
    }
    return box.left == INT32_MAX ? RECT{} : box;
}

int InkCount(const plat::Surface& surface, COLORREF background, const RECT* within) {
    const RECT r = Region(surface, within);
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            count += surface.GetPixel(x, y) != background;
        }
    }
    return count;
}

bool RowHasInk(const plat::Surface& surface, COLORREF background, int y, int x0, int x1) {
    for (int x = x0; x < x1; ++x) {
        if (surface.GetPixel(x, y) != background) {
            return true;
        }
    }
    return false;
}

void MakeFont(CFont& font, int height, const char* face, int weight, BYTE italic, BYTE underline,
              BYTE strikeOut, int width, BYTE quality) {
    ASSERT_TRUE(font.CreateFont(height, width, 0, 0, weight, italic, underline, strikeOut,
                                ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, quality,
                                VARIABLE_PITCH | FF_SWISS, face));
}

TEXTMETRIC MetricsOf(CDC& dc) {
    TEXTMETRIC tm{};
    EXPECT_TRUE(dc.GetTextMetrics(&tm));
    return tm;
}

::testing::AssertionResult SameSurfaces(const plat::Surface& a, const plat::Surface& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) {
        return ::testing::AssertionFailure() << "sizes differ";
    }
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (a.GetPixel(x, y) != b.GetPixel(x, y)) {
                return ::testing::AssertionFailure()
                       << "first difference at (" << x << ", " << y << "): " << std::hex
                       << a.GetPixel(x, y) << " vs " << b.GetPixel(x, y);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace text_test
