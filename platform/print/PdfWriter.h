#pragma once
// A minimal PDF 1.4 writer for printed pages: each page is one image (8-bit RGB,
// compressed with Flate) placed on a page of the paper's size. The file has a catalog, a
// pages tree, an information dictionary with the document's title, a cross-reference
// table with the exact offset of every object, and a trailer, so any viewer opens it.
// The output is byte-for-byte the same for the same pages and title.

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

#include "platform/core/Export.h"

namespace plat {

struct PdfPage {
    int imageWidth = 0;  // pixels
    int imageHeight = 0;
    std::vector<std::byte> deflatedRgb;  // the image's RGB rows, top-down, zlib format
    double paperWidth = 0;               // the page, in points (1/72 inch)
    double paperHeight = 0;
    // Where the image goes on the page, in points from the page's lower-left corner.
    double imageX = 0;
    double imageY = 0;
    double imageWidthPoints = 0;
    double imageHeightPoints = 0;
};

// Takes the file's bytes in order; false stops the writer.
using PdfSink = std::function<bool(const char* data, std::size_t size)>;

// Writes the document (title in Windows-1252); false when the sink refused bytes or a
// page has no image.
SUI_API bool WritePdf(const std::vector<PdfPage>& pages, std::string_view title,
                      const PdfSink& sink);

}  // namespace plat
