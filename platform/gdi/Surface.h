#pragma once
// plat::Surface: the pixels everything draws into (bitmaps, the headless screen, pages).
//
// A pixel is a 32-bit COLORREF value, 0x00BBGGRR: red in the low byte, the top byte
// always zero. Storing the framework's own colour format keeps every fill a plain copy of
// one 32-bit value and makes GetPixel a load; conversions (to the BGRX bytes of bitmap
// bits, to PNG's RGBA) happen only at the edges that need them.
//
// Rows are stored top-down without padding. Every accessor is bounds-safe: reads outside
// answer CLR_INVALID, writes outside are ignored.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/core/Geometry.h"
#include "platform/gdi/GdiTypes.h"

namespace plat {

class SUI_API Surface {
public:
    // Larger surfaces are refused rather than risking an allocation that cannot succeed;
    // a page of 1200 dpi fits.
    static constexpr int kMaxSide = 1 << 16;
    static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 28;

    Surface() = default;
    // An empty surface when the size is not positive or too large.
    Surface(int width, int height, COLORREF fill = 0);

    // Reallocates with every pixel set to fill. FALSE (and an empty surface) when the
    // size is not positive, too large or cannot be allocated.
    bool Reset(int width, int height, COLORREF fill = 0);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool IsEmpty() const { return pixels_.empty(); }
    RECT Bounds() const { return RECT{0, 0, width_, height_}; }
    bool Contains(std::int64_t x, std::int64_t y) const {
        return x >= 0 && y >= 0 && x < width_ && y < height_;
    }

    COLORREF GetPixel(std::int64_t x, std::int64_t y) const;
    bool SetPixel(std::int64_t x, std::int64_t y, COLORREF colour);
    void Fill(COLORREF colour);

    // Row y (0 <= y < Height()): Width() pixels.
    COLORREF* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const COLORREF* Row(int y) const {
        return pixels_.data() + static_cast<std::size_t>(y) * width_;
    }
    std::span<COLORREF> Pixels() { return pixels_; }
    std::span<const COLORREF> Pixels() const { return pixels_; }

    bool operator==(const Surface& other) const = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<COLORREF> pixels_;
};

// The stored form of a colour: the top byte (palette and flag bits) is dropped.
constexpr COLORREF PixelOf(COLORREF colour) {
    return colour & 0x00FFFFFF;
}

// Sets count pixels from first to value: the C library's 32-bit memset where wchar_t is
// 32 bits (tuned per processor, as fast as memset), a plain loop elsewhere.
SUI_API void FillPixels(COLORREF* first, std::size_t count, COLORREF value);

}  // namespace plat
