// PNG in and out: exact round trips, and damaged or lying bytes refused without harm.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <span>

#include "PngTestSupport.h"
#include "platform/gdi/Png.h"

using namespace resources_test;

namespace {

// png with the size its header declares replaced (and the header's checksum made good).
std::vector<std::byte> Declaring(std::vector<std::byte> png, std::uint32_t width,
                                 std::uint32_t height) {
    for (int i = 0; i < 4; ++i) {
        png[16 + i] = static_cast<std::byte>(width >> (24 - 8 * i));
        png[20 + i] = static_cast<std::byte>(height >> (24 - 8 * i));
    }
    std::uint32_t crc = 0xFFFFFFFFu;
    for (int at = 12; at < 29; ++at) {  // the chunk's name and data
        crc ^= std::to_integer<std::uint32_t>(png[at]);
        for (int k = 0; k < 8; ++k) {
            crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
        }
    }
    for (int i = 0; i < 4; ++i) {
        png[29 + i] = static_cast<std::byte>(~crc >> (24 - 8 * i));
    }
    return png;
}

}  // namespace

TEST(Png, PixelsComeBackExactlyThroughBytesAndFiles) {
    for (const auto& [width, height] : {std::pair{1, 1}, {37, 23}, {300, 2}}) {
        const plat::Surface original = RandomSurface(width, height, 7u * width + height);
        plat::Surface decoded;
        ASSERT_TRUE(plat::LoadPng(plat::EncodePng(original), decoded));
        EXPECT_EQ(decoded, original) << width << "x" << height;
    }
    const std::string path = std::filesystem::temp_directory_path() /
                             ("resources_test_" + std::to_string(getpid()) + ".png");
    const plat::Surface original = RandomSurface(16, 9, 42);
    plat::Surface decoded;
    EXPECT_TRUE(plat::SavePng(original, path) && plat::LoadPngFile(path, decoded));
    EXPECT_EQ(decoded, original);
    std::filesystem::remove(path);
    // Unwritable paths and empty surfaces fail, leaving no file behind.
    EXPECT_FALSE(plat::SavePng(original, path + ".missing/picture.png"));
    EXPECT_FALSE(plat::SavePng(plat::Surface(), path));
    EXPECT_FALSE(std::filesystem::exists(path));
}

// Truncations, flipped bits, missing files, and sizes larger than a surface or than the
// data could hold are refused before any large allocation, the surface kept as it was.
TEST(Png, DamagedOrLyingBytesAreRefused) {
    const std::vector<std::byte> good = plat::EncodePng(RandomSurface(64, 1, 5));
    const std::size_t imageEnd = good.size() - 12;  // the IEND chunk follows the image
    const auto idat = static_cast<std::size_t>(
        std::ranges::search(good, std::as_bytes(std::span("IDAT", 4))).begin() - good.begin());
    const plat::Surface sentinel(3, 2, RGB(1, 2, 3));
    plat::Surface surface = sentinel;
    EXPECT_FALSE(plat::LoadPng({}, surface));
    EXPECT_FALSE(plat::LoadPngFile("/nonexistent/picture.png", surface));
    // In the signature, the header, the data chunk's length, name, data and checksum.
    for (const std::size_t at : {3ul, 20ul, idat - 2, idat + 1, idat + 10, imageEnd - 2}) {
        EXPECT_FALSE(plat::LoadPng(std::span(good).first(at), surface)) << at;
        std::vector<std::byte> bent = good;
        bent[at] ^= std::byte{0x10};
        EXPECT_FALSE(plat::LoadPng(bent, surface)) << at;
    }
    for (const auto& [width, height] :
         {std::pair<std::uint32_t, std::uint32_t>{plat::Surface::kMaxSide + 1, 1},
          {30000, 30000},
          {16384, 16384},
          {0x7FFFFFFF, 0x7FFFFFFF},
          {0, 5},
          {64, 2}}) {
        EXPECT_FALSE(plat::LoadPng(Declaring(good, width, height), surface))
            << width << "x" << height;
    }
    EXPECT_EQ(surface, sentinel);
    ASSERT_TRUE(plat::LoadPng(Declaring(good, 64, 1), surface));
    EXPECT_EQ(surface.Width(), 64);
}
