#pragma once
// Deflate (zlib format, what PDF's FlateDecode reads) of page pixels. Private to the print
// layer.

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "platform/gdi/Surface.h"

namespace plat {

// Compresses a stream of bytes given in pieces.
class Deflater {
public:
    Deflater();
    ~Deflater();
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    // False once zlib has failed (it only fails for want of memory).
    bool Add(const void* data, std::size_t size);
    // The compressed stream, or nothing when zlib failed on the way.
    std::optional<std::vector<std::byte>> Finish();

private:
    bool Run(int flush);

    struct Stream;
    std::unique_ptr<Stream> stream_;
    std::vector<std::byte> out_;
    bool failed_ = false;
};

// The surface's pixels as 8-bit RGB rows, top-down, compressed; nothing when memory ran
// out.
std::optional<std::vector<std::byte>> DeflateRgb(const Surface& surface);

}  // namespace plat
