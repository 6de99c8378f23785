#include "GraphTestSupport.h"

#include <algorithm>

namespace graph_test {

Canvas::Canvas(int size, COLORREF paperColour) : paper(paperColour) {
    EXPECT_TRUE(dc.CreateCompatibleDC(nullptr));
    EXPECT_TRUE(bitmap.CreateCompatibleBitmap(&dc, size, size));
    dc.SelectObject(&bitmap);
    bitmap.GetSurface()->Fill(paper);
}

int Canvas::Count(COLORREF colour) const {
    const auto pixels = surface().Pixels();
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
}

int Canvas::Inked() const {
    return surface().Width() * surface().Height() - Count(paper);
}

RECT Canvas::InkBox() const {
    RECT box{surface().Width(), surface().Height(), -1, -1};
    for (int y = 0; y < surface().Height(); ++y) {
        for (int x = 0; x < surface().Width(); ++x) {
            if (At(x, y) != paper) {
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                       std::max<LONG>(box.right, x), std::max<LONG>(box.bottom, y)};
            }
        }
    }
    if (box.right < 0) {
        return {0, 0, -1, -1};
    }
    return box;
}

}  // namespace graph_test
