#include "TextTestSupport.h"

#include <algorithm>
#include <climits>

namespace text_test {

Canvas::Canvas(int width, int height, int fontHeight, const char* face, int weight) {
    dc.CreateCompatibleDC(nullptr);
    bitmap.CreateCompatibleBitmap(&dc, width, height);
    dc.SelectObject(&bitmap);
    surface().Fill(kWhite);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(kBlack);
    EXPECT_TRUE(font.CreateFont(fontHeight, 0, 0, 0, weight, 0, 0, 0, ANSI_CHARSET, OUT_TT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS,
                                face));
    dc.SelectObject(&font);
}

RECT Canvas::Ink(const RECT* within) {
    RECT r = surface().Bounds();
    if (within) {
        IntersectRect(&r, &r, within);
    }
    RECT box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            if (surface().GetPixel(x, y) != kWhite) {
                box = RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                           std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
            }
        }
    }
    return box.left == INT_MAX ? RECT{} : box;
}

int Canvas::InkCount(const RECT* within) {
    RECT r = surface().Bounds();
    if (within) {
        IntersectRect(&r, &r, within);
    }
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            count += surface().GetPixel(x, y) != kWhite;
        }
    }
    return count;
}

TEXTMETRIC Canvas::Metrics() {
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
