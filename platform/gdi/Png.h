#pragma once
// PNG files in and out of surfaces (libpng). Colours are stored as opaque 8-bit RGB; on
// reading, an alpha channel is composed over white (the transparent colour of the
// library's bitmap resources).
//
// PNG bytes come from files and resources that may be damaged, so decoding never
// crashes: bytes that are not a sound PNG, that declare an image larger than a surface
// may be, or that are too short to hold the image they declare are refused before any
// large allocation. Image data that is complete but lacks the end chunk is accepted.

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "platform/gdi/Surface.h"

namespace plat {

// The surface as an 8-bit RGB PNG; empty for an empty surface.
SUI_API std::vector<std::byte> EncodePng(const Surface& surface);
// Writes the surface as an 8-bit RGB PNG; false (and no file left behind) when the
// surface is empty or the file cannot be written.
SUI_API bool SavePng(const Surface& surface, const std::string& path);
// Reads PNG bytes (any bit depth, palette, grey or alpha) into surface; false (surface
// untouched) for bytes that are not a sound PNG or an image too large for a surface.
SUI_API bool LoadPng(std::span<const std::byte> bytes, Surface& surface);
SUI_API bool LoadPngFile(const std::string& path, Surface& surface);

}  // namespace plat
