#include "platform/gdi/Png.h"

#include <png.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <new>

// libpng's simplified interface keeps its error jumps inside the library, so no longjmp
// ever crosses our frames; failures come back as a zero result.

namespace plat {

namespace {

// Deflate expands data at most about 1032 times. A PNG whose bytes cannot hold the rows
// it declares is refused before the image is allocated, so a few hundred bytes cannot
// make the reader reserve a gigabyte.
constexpr std::uint64_t kMaxDeflateRatio = 1032;
constexpr std::uint64_t kChunkSlack = 1024;
// Files larger than this are not read at all.
constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{1} << 30;

// Frees the reader's state on the paths that do not finish the read (finishing frees it
// too; freeing twice is harmless).
class ImageGuard {
public:
    explicit ImageGuard(png_image& image) : image_(image) {}
    ~ImageGuard() { png_image_free(&image_); }
    ImageGuard(const ImageGuard&) = delete;
    ImageGuard& operator=(const ImageGuard&) = delete;

private:
    png_image& image_;
};

png_image NewImage() {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    return image;
}

bool FitsSurface(std::uint32_t width, std::uint32_t height) {
    return width > 0 && height > 0 && width <= static_cast<std::uint32_t>(Surface::kMaxSide) &&
           height <= static_cast<std::uint32_t>(Surface::kMaxSide) &&
           std::uint64_t{width} * height <= static_cast<std::uint64_t>(Surface::kMaxPixels);
}

// The least deflated data any PNG of this size holds: a filter byte and one bit per pixel
// on every row.
bool CanHoldRows(std::size_t byteCount, std::uint32_t width, std::uint32_t height) {
    const std::uint64_t smallestRows = std::uint64_t{height} * (1 + (std::uint64_t{width} + 7) / 8);
    return smallestRows <= std::uint64_t{byteCount} * kMaxDeflateRatio + kChunkSlack;
}

COLORREF FromRgb(const png_byte* rgb) {
    return COLORREF{rgb[0]} | (COLORREF{rgb[1]} << 8) | (COLORREF{rgb[2]} << 16);
}

void ToRgb(COLORREF colour, png_byte* rgb) {
    rgb[0] = static_cast<png_byte>(colour & 0xFF);
    rgb[1] = static_cast<png_byte>((colour >> 8) & 0xFF);
    rgb[2] = static_cast<png_byte>((colour >> 16) & 0xFF);
}

}  // namespace

std::vector<std::byte> EncodePng(const Surface& surface) {
    if (surface.IsEmpty()) {
        return {};
    }
    try {
        std::vector<png_byte> rgb(surface.Pixels().size() * 3);
        png_byte* out = rgb.data();
        for (const COLORREF pixel : surface.Pixels()) {
            ToRgb(pixel, out);
            out += 3;
        }
        png_image image = NewImage();
        image.width = static_cast<png_uint_32>(surface.Width());
        image.height = static_cast<png_uint_32>(surface.Height());
        image.format = PNG_FORMAT_RGB;
        png_alloc_size_t size = 0;
        if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr)) {
            return {};
        }
        std::vector<std::byte> png(size);
        if (!png_image_write_to_memory(&image, png.data(), &size, 0, rgb.data(), 0, nullptr)) {
            return {};
        }
        png.resize(size);
        return png;
    } catch (const std::bad_alloc&) {
        return {};
    }
}

bool SavePng(const Surface& surface, const std::string& path) {
    const std::vector<std::byte> png = EncodePng(surface);
    if (png.empty()) {
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        return false;
    }
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        std::remove(path.c_str());
        return false;
    }
    return true;
}

bool LoadPng(std::span<const std::byte> bytes, Surface& surface) {
    if (bytes.empty()) {
        return false;
    }
    png_image image = NewImage();
    const ImageGuard guard(image);
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
        return false;
    }
    if (!FitsSurface(image.width, image.height) ||
        !CanHoldRows(bytes.size(), image.width, image.height)) {
        return false;
    }
    image.format = PNG_FORMAT_RGB;
    const png_color white{255, 255, 255};
    Surface decoded;
    try {
        std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
        if (!png_image_finish_read(&image, &white, rgb.data(), 0, nullptr)) {
            return false;
        }
        if (!decoded.Reset(static_cast<int>(image.width), static_cast<int>(image.height))) {
            return false;
        }
        const png_byte* in = rgb.data();
        for (COLORREF& pixel : decoded.Pixels()) {
            pixel = FromRgb(in);
            in += 3;
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    surface = std::move(decoded);
    return true;
}

bool LoadPngFile(const std::string& path, Surface& surface) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size == 0 || size > kMaxFileBytes) {
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    try {
        std::vector<std::byte> bytes(static_cast<std::size_t>(size));
        if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) {
            return false;
        }
        return LoadPng(bytes, surface);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace plat
