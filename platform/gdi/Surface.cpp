#include "platform/gdi/Surface.h"

#include <algorithm>
#include <cwchar>
#include <new>

namespace plat {

Surface::Surface(int width, int height, COLORREF fill) {
    Reset(width, height, fill);
}

bool Surface::Reset(int width, int height, COLORREF fill) {
    width_ = 0;
    height_ = 0;
    pixels_.clear();
    pixels_.shrink_to_fit();
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
        std::int64_t{width} * height > kMaxPixels) {
        return false;
    }
    try {
        pixels_.assign(static_cast<std::size_t>(width) * height, PixelOf(fill));
    } catch (const std::bad_alloc&) {
        return false;
    }
    width_ = width;
    height_ = height;
    return true;
}

COLORREF Surface::GetPixel(std::int64_t x, std::int64_t y) const {
    if (!Contains(x, y)) {
        return CLR_INVALID;
    }
    return Row(static_cast<int>(y))[x];
}

bool Surface::SetPixel(std::int64_t x, std::int64_t y, COLORREF colour) {
    if (!Contains(x, y)) {
        return false;
    }
    Row(static_cast<int>(y))[x] = PixelOf(colour);
    return true;
}

void Surface::Fill(COLORREF colour) {
    FillPixels(pixels_.data(), pixels_.size(), PixelOf(colour));
}

void FillPixels(COLORREF* first, std::size_t count, COLORREF value) {
    if constexpr (sizeof(wchar_t) == sizeof(COLORREF)) {
        std::wmemset(reinterpret_cast<wchar_t*>(first), static_cast<wchar_t>(value), count);
    } else {
        std::fill_n(first, count, value);
    }
}

}  // namespace plat
