#pragma once
// PNG bytes made by hand for the reader's tests: deflate "stored" blocks need no
// compressor, so any colour type, any declared size and any damage can be written
// without the encoder under test.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Surface.h"

namespace resources_test {

// PNG colour types.
constexpr std::uint8_t kGrey = 0;
constexpr std::uint8_t kRgb = 2;
constexpr std::uint8_t kPalette = 3;
constexpr std::uint8_t kRgba = 6;

struct HandMadePng {
    std::uint32_t width = 1;
    std::uint32_t height = 1;
    std::uint8_t bitDepth = 8;
    std::uint8_t colourType = kRgb;
    // Each row's bytes, without the filter byte (filter 0 is added).
    std::vector<std::vector<std::uint8_t>> rows;
    std::vector<std::uint8_t> palette;  // PLTE: r, g, b per entry
    std::vector<std::uint8_t> alpha;    // tRNS
};

std::vector<std::byte> Write(const HandMadePng& png);

// A PNG that only declares its size: IHDR and an IDAT holding a single empty row.
std::vector<std::byte> DeclaringOnly(std::uint32_t width, std::uint32_t height);

// A surface of seeded random colours.
plat::Surface RandomSurface(int width, int height, unsigned seed);

// bitmap takes a copy of surface's pixels.
void MakeBitmap(CBitmap& bitmap, const plat::Surface& surface);

// A folder of its own under the temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string Path(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

}  // namespace resources_test
