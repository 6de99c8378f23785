#include "PrintTestSupport.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/core/Drives.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/print/DialogHook.h"

namespace fs = std::filesystem;

namespace pt {

void PrintTest::SetUp() {
    std::string pattern = (fs::temp_directory_path() / "surveyui-print-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    fs::create_directories(root_ + "/drive_c");
    plat::MapDrive('C', root_ + "/drive_c");
    savedDefault_ = plat::DefaultPrinter();
    plat::SetDefaultPrinter(FastPrinter());
    plat::SetDialogHook({});
}

void PrintTest::TearDown() {
    plat::SetDialogHook({});
    plat::SetDefaultPrinter(savedDefault_);
    plat::UnmapDrive('C');
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

std::vector<std::string> PrintTest::FilesIn(const std::string& folder) const {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

plat::PrinterSettings PrintTest::FastPrinter() {
    plat::PrinterSettings printer;
    printer.dpi = 150;
    return printer;
}

COLORREF PdfImage::At(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    return RGB(rgb[i], rgb[i + 1], rgb[i + 2]);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) {
    return fs::exists(path);
}

void FillBox(CDC& dc, int left, int top, int right, int bottom, COLORREF colour) {
    CBrush brush;
    brush.CreateSolidBrush(colour);
    const RECT box{left, top, right, bottom};
    dc.FillRect(&box, &brush);
}

// ---- The PDF reader -----------------------------------------------------------------------

PdfFile::PdfFile(const std::string& path) : bytes_(ReadFile(path)) {}

namespace {

constexpr std::size_t kEntrySize = 20;

// The number written at pos (digits only), or nothing.
std::optional<long> NumberAt(const std::string& text, std::size_t pos) {
    std::size_t end = pos;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) {
        ++end;
    }
    if (end == pos) {
        return std::nullopt;
    }
    return std::stol(text.substr(pos, end - pos));
}

std::size_t CrossReferenceStart(const std::string& bytes) {
    const std::size_t at = bytes.rfind("startxref\n");
    if (at == std::string::npos) {
        return std::string::npos;
    }
    const std::optional<long> offset = NumberAt(bytes, at + 10);
    return offset ? static_cast<std::size_t>(*offset) : std::string::npos;
}

}  // namespace

int PdfFile::CheckStructure() const {
    EXPECT_EQ(bytes_.rfind("%PDF-1.4\n", 0), 0u) << "header";
    EXPECT_NE(bytes_.find("%%EOF\n", bytes_.size() - 6), std::string::npos) << "end marker";
    const std::size_t xref = CrossReferenceStart(bytes_);
    if (xref == std::string::npos || bytes_.compare(xref, 5, "xref\n") != 0) {
        ADD_FAILURE() << "startxref does not point at the cross-reference table";
        return 0;
    }
    const std::size_t count = bytes_.find(' ', xref + 5);
    const std::optional<long> size = NumberAt(bytes_, count + 1);
    const std::size_t entries = bytes_.find('\n', count) + 1;
    if (!size || bytes_.compare(xref + 5, 2, "0 ") != 0) {
        ADD_FAILURE() << "cross-reference subsection";
        return 0;
    }
    EXPECT_EQ(bytes_.compare(entries, kEntrySize, "0000000000 65535 f \n"), 0);
    for (long object = 1; object < *size; ++object) {
        const std::string entry = bytes_.substr(entries + object * kEntrySize, kEntrySize);
        EXPECT_EQ(entry.substr(10, 10), " 00000 n \n") << "entry " << object;
        const std::optional<std::size_t> offset = OffsetOf(static_cast<int>(object));
        const std::string header = std::to_string(object) + " 0 obj";
        EXPECT_TRUE(offset && bytes_.compare(*offset, header.size(), header) == 0)
            << "object " << object << " is not where the table says";
    }
    const std::size_t trailer = entries + *size * kEntrySize;
    EXPECT_EQ(bytes_.compare(trailer, 8, "trailer\n"), 0);
    EXPECT_EQ(IntegerOf(bytes_.substr(trailer), "/Size"), *size);
    return static_cast<int>(*size);
}

std::optional<std::size_t> PdfFile::OffsetOf(int object) const {
    const std::size_t xref = CrossReferenceStart(bytes_);
    if (xref == std::string::npos) {
        return std::nullopt;
    }
    const std::size_t entries = bytes_.find('\n', xref + 5) + 1;
    const std::size_t entry = entries + static_cast<std::size_t>(object) * kEntrySize;
    if (entry + kEntrySize > bytes_.size()) {
        return std::nullopt;
    }
    const std::optional<long> offset = NumberAt(bytes_, entry);
    return offset ? std::optional<std::size_t>(*offset) : std::nullopt;
}

std::string PdfFile::ObjectText(int object) const {
    const std::optional<std::size_t> offset = OffsetOf(object);
    if (!offset || *offset >= bytes_.size()) {
        return {};
    }
    const std::size_t end = bytes_.find("endobj", *offset);
    return bytes_.substr(*offset, end == std::string::npos ? std::string::npos : end - *offset);
}

std::string PdfFile::Dictionary(int object) const {
    const std::string text = ObjectText(object);
    const std::size_t start = text.find("<<");
    if (start == std::string::npos) {
        return {};
    }
    int depth = 0;
    for (std::size_t i = start; i + 1 < text.size(); ++i) {
        if (text.compare(i, 2, "<<") == 0) {
            ++depth;
            ++i;
        } else if (text.compare(i, 2, ">>") == 0) {
            ++i;
            if (--depth == 0) {
                return text.substr(start, i + 1 - start);
            }
        }
    }
    return {};
}

std::optional<long> PdfFile::IntegerOf(const std::string& dictionary, const std::string& key) {
    const std::size_t at = dictionary.find(key + " ");
    if (at == std::string::npos) {
        return std::nullopt;
    }
    return NumberAt(dictionary, at + key.size() + 1);
}

std::vector<PdfImage> PdfFile::Images() const {
    std::vector<PdfImage> images;
    const std::string pages = Dictionary(2);
    const std::size_t kids = pages.find("/Kids [");
    if (kids == std::string::npos) {
        ADD_FAILURE() << "no /Kids in the pages tree";
        return images;
    }
    std::istringstream list(pages.substr(kids + 7, pages.find(']', kids) - kids - 7));
    int page = 0;
    int generation = 0;
    std::string reference;
    while (list >> page >> generation >> reference) {
        const std::optional<long> image = IntegerOf(Dictionary(page), "/Im0");
        // The stream is read by its /Length: compressed bytes may hold any text.
        const std::optional<std::size_t> offset =
            image ? OffsetOf(static_cast<int>(*image)) : std::nullopt;
        const std::string dictionary = image ? Dictionary(static_cast<int>(*image)) : "";
        const std::size_t stream = offset ? bytes_.find("stream\n", *offset) : std::string::npos;
        const std::optional<long> length = IntegerOf(dictionary, "/Length");
        PdfImage out;
        out.width = static_cast<int>(IntegerOf(dictionary, "/Width").value_or(0));
        out.height = static_cast<int>(IntegerOf(dictionary, "/Height").value_or(0));
        if (stream == std::string::npos || !length || out.width <= 0 || out.height <= 0 ||
            stream + 7 + static_cast<std::size_t>(*length) > bytes_.size()) {
            ADD_FAILURE() << "page " << images.size() + 1 << " has no image stream";
            return images;
        }
        out.rgb.resize(static_cast<std::size_t>(out.width) * out.height * 3);
        uLongf size = out.rgb.size();
        const int result =
            uncompress(out.rgb.data(), &size,
                       reinterpret_cast<const Bytef*>(bytes_.data() + stream + 7), *length);
        EXPECT_EQ(result, Z_OK) << "page " << images.size() + 1 << " image does not inflate";
        EXPECT_EQ(size, out.rgb.size()) << "inflated image size";
        images.push_back(std::move(out));
    }
    return images;
}

}  // namespace pt
