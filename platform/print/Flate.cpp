// Deflate of page pixels through zlib.

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

#include "platform/print/Flate_p.h"

namespace plat {

namespace {

constexpr std::size_t kChunk = 1 << 16;

}  // namespace

struct Deflater::Stream {
    z_stream z{};
    bool open = false;
};

Deflater::Deflater() : stream_(std::make_unique<Stream>()) {
    // Page images are mostly long runs of paper white: run-length matching compresses them
    // as well as the full search does, several times faster.
    stream_->open =
        deflateInit2(&stream_->z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15, 8, Z_RLE) == Z_OK;
    failed_ = !stream_->open;
}

Deflater::~Deflater() {
    if (stream_->open) {
        deflateEnd(&stream_->z);
    }
}

bool Deflater::Run(int flush) {
    z_stream& z = stream_->z;
    int result = Z_OK;
    do {
        const std::size_t used = out_.size();
        out_.resize(used + kChunk);
        z.next_out = reinterpret_cast<Bytef*>(out_.data() + used);
        z.avail_out = static_cast<uInt>(kChunk);
        result = deflate(&z, flush);
        out_.resize(used + kChunk - z.avail_out);
        if (result == Z_STREAM_ERROR) {
            return false;
        }
    } while (z.avail_out == 0 || (flush == Z_FINISH && result != Z_STREAM_END));
    return true;
}

bool Deflater::Add(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const Bytef*>(data);
    while (!failed_ && size > 0) {
        const std::size_t piece = std::min<std::size_t>(size, std::numeric_limits<uInt>::max());
        stream_->z.next_in = const_cast<Bytef*>(bytes);  // zlib's API is not const-correct
        stream_->z.avail_in = static_cast<uInt>(piece);
        failed_ = !Run(Z_NO_FLUSH);
        bytes += piece;
        size -= piece;
    }
    return !failed_;
}

std::optional<std::vector<std::byte>> Deflater::Finish() {
    if (failed_ || !Run(Z_FINISH)) {
        failed_ = true;
        return std::nullopt;
    }
    out_.shrink_to_fit();
    return std::move(out_);
}

std::optional<std::vector<std::byte>> DeflateRgb(const Surface& surface) {
    Deflater deflater;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(surface.Width()) * 3);
    for (int y = 0; y < surface.Height(); ++y) {
        const COLORREF* pixel = surface.Row(y);
        for (std::size_t x = 0; x < row.size(); x += 3, ++pixel) {
            row[x] = GetRValue(*pixel);
            row[x + 1] = GetGValue(*pixel);
            row[x + 2] = GetBValue(*pixel);
        }
        if (!deflater.Add(row.data(), row.size())) {
            return std::nullopt;
        }
    }
    return deflater.Finish();
}

}  // namespace plat
