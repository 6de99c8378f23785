// PNG in and out: exact round trips, the colour types the reader converts, and damaged
// or lying bytes refused without harm.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "PngTestSupport.h"
#include "platform/gdi/Png.h"

using namespace resources_test;

namespace {

const COLORREF kSentinel = RGB(1, 2, 3);

// A surface that a refused read must leave as it was.
plat::Surface Sentinel() {
    return plat::Surface(3, 2, kSentinel);
}

}  // namespace

TEST(Png, EncodedPixelsComeBackExactly) {
    for (const auto& [width, height] : {std::pair{1, 1}, {37, 23}, {300, 2}}) {
        const plat::Surface original = RandomSurface(width, height, 7u * width + height);
        const std::vector<std::byte> png = plat::EncodePng(original);
        ASSERT_FALSE(png.empty());
        plat::Surface decoded;
        ASSERT_TRUE(plat::LoadPng(png, decoded));
        EXPECT_EQ(decoded, original) << width << "x" << height;
    }
}

TEST(Png, SavedFilesReadBackExactlyAndUnwritablePathsFail) {
    const TempFolder folder;
    const plat::Surface original = RandomSurface(16, 9, 42);
    const std::string path = folder.Path("picture.png");
    ASSERT_TRUE(plat::SavePng(original, path));
    plat::Surface decoded;
    ASSERT_TRUE(plat::LoadPngFile(path, decoded));
    EXPECT_EQ(decoded, original);

    EXPECT_FALSE(plat::SavePng(original, folder.Path("missing/picture.png")));
    EXPECT_FALSE(plat::SavePng(plat::Surface(), folder.Path("empty.png")));
    EXPECT_FALSE(std::filesystem::exists(folder.Path("empty.png")));
    EXPECT_TRUE(plat::EncodePng(plat::Surface()).empty());
    EXPECT_FALSE(plat::LoadPngFile(folder.Path("nothing.png"), decoded));
    EXPECT_EQ(decoded, original);
}

TEST(Png, GreyPaletteAndLowBitDepthsBecomeRgb) {
    HandMadePng grey;
    grey.width = 3;
    grey.colourType = kGrey;
    grey.rows = {{0, 128, 255}};
    plat::Surface surface;
    ASSERT_TRUE(plat::LoadPng(Write(grey), surface));
    EXPECT_EQ(surface.GetPixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(surface.GetPixel(1, 0), RGB(128, 128, 128));
    EXPECT_EQ(surface.GetPixel(2, 0), RGB(255, 255, 255));

    // Two-bit palette indices 0, 1, 2, 1, packed into one byte.
    HandMadePng palette;
    palette.width = 4;
    palette.bitDepth = 2;
    palette.colourType = kPalette;
    palette.palette = {255, 0, 0, 0, 128, 0, 10, 20, 30};
    palette.rows = {{0b00'01'10'01}};
    ASSERT_TRUE(plat::LoadPng(Write(palette), surface));
    EXPECT_EQ(surface.GetPixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(surface.GetPixel(1, 0), RGB(0, 128, 0));
    EXPECT_EQ(surface.GetPixel(2, 0), RGB(10, 20, 30));
    EXPECT_EQ(surface.GetPixel(3, 0), RGB(0, 128, 0));
}

TEST(Png, AlphaIsComposedOverWhite) {
    HandMadePng rgba;
    rgba.width = 2;
    rgba.height = 2;
    rgba.colourType = kRgba;
    rgba.rows = {{10, 20, 30, 255, 10, 20, 30, 0}, {0, 0, 0, 128, 200, 100, 50, 255}};
    plat::Surface surface;
    ASSERT_TRUE(plat::LoadPng(Write(rgba), surface));
    EXPECT_EQ(surface.GetPixel(0, 0), RGB(10, 20, 30));
    EXPECT_EQ(surface.GetPixel(1, 0), RGB(255, 255, 255));
    EXPECT_EQ(surface.GetPixel(1, 1), RGB(200, 100, 50));
    // Half-covered black over white is a grey between the two.
    const COLORREF half = surface.GetPixel(0, 1);
    EXPECT_GT(GetRValue(half), 60);
    EXPECT_LT(GetRValue(half), 220);
    EXPECT_EQ(GetRValue(half), GetGValue(half));

    // A palette with a transparent entry.
    HandMadePng keyed;
    keyed.width = 2;
    keyed.colourType = kPalette;
    keyed.palette = {0, 0, 255, 0, 255, 0};
    keyed.alpha = {0};
    keyed.rows = {{0, 1}};
    ASSERT_TRUE(plat::LoadPng(Write(keyed), surface));
    EXPECT_EQ(surface.GetPixel(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(surface.GetPixel(1, 0), RGB(0, 255, 0));
}

TEST(Png, DamagedBytesAreRefusedAndTheSurfaceKept) {
    HandMadePng sound;
    sound.width = 6;
    sound.height = 5;
    sound.rows.assign(5, std::vector<std::uint8_t>(18, 0x5A));
    const std::vector<std::byte> good = Write(sound);
    const std::size_t imageEnd = good.size() - 12;  // the IEND chunk follows the image
    plat::Surface surface = Sentinel();

    EXPECT_FALSE(plat::LoadPng({}, surface));
    for (std::size_t length = 1; length < imageEnd; ++length) {
        EXPECT_FALSE(plat::LoadPng(std::span(good).first(length), surface)) << length;
    }
    // Any flipped bit after the signature breaks a checksum, a length or a chunk name.
    for (std::size_t at = 8; at < imageEnd; ++at) {
        std::vector<std::byte> bent = good;
        bent[at] ^= std::byte{0x10};
        EXPECT_FALSE(plat::LoadPng(bent, surface)) << at;
    }
    // Noise, with and without a sound signature and header in front.
    std::mt19937 random(99);
    for (int round = 0; round < 200; ++round) {
        std::vector<std::byte> noise(1 + random() % 300);
        for (std::byte& b : noise) {
            b = static_cast<std::byte>(random());
        }
        if (round % 2) {
            std::copy_n(good.begin(), std::min<std::size_t>(33, noise.size()), noise.begin());
        }
        EXPECT_FALSE(plat::LoadPng(noise, surface)) << round;
    }
    EXPECT_EQ(surface, Sentinel());
    ASSERT_TRUE(plat::LoadPng(good, surface));
    EXPECT_EQ(surface.GetPixel(5, 4), RGB(0x5A, 0x5A, 0x5A));
}

TEST(Png, DeclaredSizesBeyondASurfaceOrTheDataAreRefused) {
    plat::Surface surface = Sentinel();
    // Wider than any surface, more pixels than any surface, and a size the few bytes
    // behind the header could never hold.
    EXPECT_FALSE(plat::LoadPng(DeclaringOnly(plat::Surface::kMaxSide + 1, 1), surface));
    EXPECT_FALSE(plat::LoadPng(DeclaringOnly(30000, 30000), surface));
    EXPECT_FALSE(plat::LoadPng(DeclaringOnly(16384, 16384), surface));
    EXPECT_FALSE(plat::LoadPng(DeclaringOnly(0x7FFFFFFF, 0x7FFFFFFF), surface));
    EXPECT_FALSE(plat::LoadPng(DeclaringOnly(0, 5), surface));
    EXPECT_EQ(surface, Sentinel());
    // The same header with its rows present is fine.
    EXPECT_TRUE(plat::LoadPng(DeclaringOnly(64, 1), surface));
    EXPECT_EQ(surface.Width(), 64);
}
