#include "PngTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <random>

namespace resources_test {

namespace {

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const std::uint8_t byte : bytes) {
        crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(std::span<const std::uint8_t> bytes) {
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const std::uint8_t byte : bytes) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type,
              const std::vector<std::uint8_t>& data) {
    PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
    std::vector<std::uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    PutBigEndian(out, Crc32(body));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::vector<std::uint8_t> Stored(const std::vector<std::uint8_t>& raw) {
    std::vector<std::uint8_t> out{0x78, 0x01};
    std::size_t done = 0;
    do {
        const std::size_t length = std::min<std::size_t>(raw.size() - done, 65535);
        const bool last = done + length == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<std::uint8_t>(length));
        out.push_back(static_cast<std::uint8_t>(length >> 8));
        out.push_back(static_cast<std::uint8_t>(~length));
        out.push_back(static_cast<std::uint8_t>(~length >> 8));
        out.insert(out.end(), raw.begin() + done, raw.begin() + done + length);
        done += length;
    } while (done < raw.size());
    PutBigEndian(out, Adler32(raw));
    return out;
}

std::vector<std::uint8_t> Header(std::uint32_t width, std::uint32_t height, std::uint8_t bitDepth,
                                 std::uint8_t colourType) {
    std::vector<std::uint8_t> header;
    PutBigEndian(header, width);
    PutBigEndian(header, height);
    header.insert(header.end(), {bitDepth, colourType, 0, 0, 0});
    return header;
}

std::vector<std::byte> Finish(std::vector<std::uint8_t> png) {
    PutChunk(png, "IEND", {});
    const auto bytes = std::as_bytes(std::span(png));
    return {bytes.begin(), bytes.end()};
}

const std::vector<std::uint8_t> kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

}  // namespace

std::vector<std::byte> Write(const HandMadePng& png) {
    std::vector<std::uint8_t> out = kSignature;
    PutChunk(out, "IHDR", Header(png.width, png.height, png.bitDepth, png.colourType));
    if (!png.palette.empty()) {
        PutChunk(out, "PLTE", png.palette);
    }
    if (!png.alpha.empty()) {
        PutChunk(out, "tRNS", png.alpha);
    }
    std::vector<std::uint8_t> raw;
    for (const auto& row : png.rows) {
        raw.push_back(0);
        raw.insert(raw.end(), row.begin(), row.end());
    }
    PutChunk(out, "IDAT", Stored(raw));
    return Finish(std::move(out));
}

std::vector<std::byte> DeclaringOnly(std::uint32_t width, std::uint32_t height) {
    std::vector<std::uint8_t> out = kSignature;
    PutChunk(out, "IHDR", Header(width, height, 8, kRgb));
    PutChunk(out, "IDAT", Stored(std::vector<std::uint8_t>(1 + 3 * std::min(width, 64u))));
    return Finish(std::move(out));
}

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

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "resources_test_XXXXXX");
    path_ = mkdtemp(pattern.data()) ? pattern : std::string();
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) {
        std::filesystem::remove_all(path_, ignored);
    }
}

}  // namespace resources_test
