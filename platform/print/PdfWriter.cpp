// The PDF writer: objects in order, their offsets remembered for the cross-reference
// table.
//
// Object numbers: 1 catalog, 2 pages tree, 3 information; then for page i (from 0) the
// page 4 + 3i, its content stream 5 + 3i and its image 6 + 3i.

#include "platform/print/PdfWriter.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/gdi/Codepage1252.h"

namespace plat {

namespace {

constexpr int kFirstPageObject = 4;
constexpr int kObjectsPerPage = 3;

int PageObject(std::size_t page) {
    return kFirstPageObject + kObjectsPerPage * static_cast<int>(page);
}

// A number as PDF writes it: C locale, at most two decimals (whatever the host's locale
// says about decimal commas).
std::string Number(double value) {
    std::array<char, 64> text{};
    const auto result =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, 2);
    std::string number(text.data(), result.ptr);
    while (number.back() == '0') {
        number.pop_back();
    }
    if (number.back() == '.') {
        number.pop_back();
    }
    return number == "-0" ? "0" : number;
}

// The title as a text string: UTF-16BE with its byte-order mark, in hexadecimal, so no
// byte of it needs escaping and every Windows-1252 character survives.
std::string TextString(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out = "<FEFF";
    for (const char ch : text) {
        const char32_t code = CodePointOf1252(static_cast<unsigned char>(ch));
        for (int shift = 12; shift >= 0; shift -= 4) {
            out += kHex[(code >> shift) & 0xF];
        }
    }
    return out + ">";
}

class Writer {
public:
    Writer(const PdfSink& sink, std::size_t objects) : sink_(sink), offsets_(objects + 1, 0) {}

    bool Put(std::string_view text) { return Put(text.data(), text.size()); }
    bool Put(const void* data, std::size_t size) {
        ok_ = ok_ && sink_(static_cast<const char*>(data), size);
        offset_ += size;
        return ok_;
    }
    bool BeginObject(int number) {
        offsets_[static_cast<std::size_t>(number)] = offset_;
        return Put(std::to_string(number) + " 0 obj\n");
    }
    bool Object(int number, const std::string& body) {
        return BeginObject(number) && Put(body + "\nendobj\n");
    }
    bool Stream(int number, const std::string& dictionary, const void* data, std::size_t size) {
        return BeginObject(number) && Put(dictionary) && Put("\nstream\n") && Put(data, size) &&
               Put("\nendstream\nendobj\n");
    }
    bool CrossReferenceAndTrailer() {
        const std::size_t xref = offset_;
        Put("xref\n0 " + std::to_string(offsets_.size()) + "\n");
        Put("0000000000 65535 f \n");
        for (std::size_t i = 1; i < offsets_.size(); ++i) {
            std::array<char, 24> entry{};
            std::snprintf(entry.data(), entry.size(), "%010llu 00000 n \n",
                          static_cast<unsigned long long>(offsets_[i]));
            Put(entry.data(), 20);
        }
        Put("trailer\n<< /Size " + std::to_string(offsets_.size()) +
            " /Root 1 0 R /Info 3 0 R >>\n");
        return Put("startxref\n" + std::to_string(xref) + "\n%%EOF\n");
    }

private:
    const PdfSink& sink_;
    std::vector<std::size_t> offsets_;
    std::size_t offset_ = 0;
    bool ok_ = true;
};

std::string PagesTree(std::size_t count) {
    std::string kids;
    for (std::size_t i = 0; i < count; ++i) {
        kids += (i ? " " : "") + std::to_string(PageObject(i)) + " 0 R";
    }
    return "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(count) + " >>";
}

std::string PageDictionary(const PdfPage& page, int number) {
    return "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + Number(page.paperWidth) + " " +
           Number(page.paperHeight) + "] /Resources << /XObject << /Im0 " +
           std::to_string(number + 2) + " 0 R >> /ProcSet [/PDF /ImageC] >> /Contents " +
           std::to_string(number + 1) + " 0 R >>";
}

// Draws the image (a unit square in image space) scaled and moved to its place.
std::string PageContent(const PdfPage& page) {
    return "q\n" + Number(page.imageWidthPoints) + " 0 0 " + Number(page.imageHeightPoints) + " " +
           Number(page.imageX) + " " + Number(page.imageY) + " cm\n/Im0 Do\nQ\n";
}

std::string ImageDictionary(const PdfPage& page) {
    return "<< /Type /XObject /Subtype /Image /Width " + std::to_string(page.imageWidth) +
           " /Height " + std::to_string(page.imageHeight) +
           " /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /FlateDecode /Length " +
           std::to_string(page.deflatedRgb.size()) + " >>";
}

bool WritePage(Writer& out, const PdfPage& page, int number) {
    const std::string content = PageContent(page);
    return out.Object(number, PageDictionary(page, number)) &&
           out.Stream(number + 1, "<< /Length " + std::to_string(content.size()) + " >>",
                      content.data(), content.size()) &&
           out.Stream(number + 2, ImageDictionary(page), page.deflatedRgb.data(),
                      page.deflatedRgb.size());
}

}  // namespace

bool WritePdf(const std::vector<PdfPage>& pages, std::string_view title, const PdfSink& sink) {
    for (const PdfPage& page : pages) {
        if (page.imageWidth < 1 || page.imageHeight < 1 || page.deflatedRgb.empty()) {
            return false;
        }
    }
    Writer out(sink, static_cast<std::size_t>(PageObject(pages.size()) - 1));
    // The second line's bytes above 127 tell transfer programs the file is binary.
    if (!out.Put("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n") ||
        !out.Object(1, "<< /Type /Catalog /Pages 2 0 R >>") ||
        !out.Object(2, PagesTree(pages.size())) ||
        !out.Object(3, "<< /Title " + TextString(title) + " /Producer (surveyui) >>")) {
        return false;
    }
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (!WritePage(out, pages[i], PageObject(i))) {
            return false;
        }
    }
    return out.CrossReferenceAndTrailer();
}

}  // namespace plat
