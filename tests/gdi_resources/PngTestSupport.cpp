#include "PngTestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace resources_test {

plat::Surface RandomSurface(int width, int height, unsigned seed) {
    plat::Surface surface(width, height);
    std::mt19937 random(seed);
    for (COLORREF& pixel : surface.Pixels()) {
        pixel = random() & 0x00FFFFFF;
    }
    return surface;
}

void MakeBitmap(CBitmap& bitmap, const plat::Surface& surface) {
    ASSERT_TRUE(bitmap.CreateBitmap(surface.Width(), surface.Height(), 1, 32, nullptr));
    *bitmap.GetSurface() = surface;
}

}  // namespace resources_test
