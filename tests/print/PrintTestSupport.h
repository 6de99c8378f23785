#pragma once
// The print tests' fixture (a scratch C: drive, a fast default printer, no dialog hook)
// and a small reader of the PDF files the printer writes: enough to check the structure
// and to decode a page's image.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/Surface.h"
#include "platform/print/PrinterDC.h"
#include "platform/print/PrinterSettings.h"

namespace pt {

class PrintTest : public ::testing::Test {
public:
    // The default printer at 150 dpi (A4: 1240 x 1754, printable 1190 x 1704).
    static plat::PrinterSettings FastPrinter();

protected:
    void SetUp() override;
    void TearDown() override;

    // A path in the scratch folder (a path of this machine).
    std::string Scratch(const std::string& name) const { return root_ + "/" + name; }
    // The files in a folder of the scratch drive, sorted; empty when it does not exist.
    std::vector<std::string> FilesIn(const std::string& folder) const;

    std::string root_;

private:
    plat::PrinterSettings savedDefault_;
};

struct PdfImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // inflated

    // RGB of a pixel, as a COLORREF.
    COLORREF At(int x, int y) const;
};

// A PDF file read for checking: every finding is a test failure when wrong.
class PdfFile {
public:
    explicit PdfFile(const std::string& path);

    const std::string& Bytes() const { return bytes_; }
    // Checks the header, the trailer's startxref, and that every in-use cross-reference
    // entry points at "<n> 0 obj". Answers the number of objects (the /Size).
    int CheckStructure() const;
    // The dictionary text of object n ("<< ... >>"), empty when there is none.
    std::string Dictionary(int object) const;
    // The integer after /Key in a dictionary, or nothing.
    static std::optional<long> IntegerOf(const std::string& dictionary, const std::string& key);
    // The page images in page order (through /Kids and each page's /Im0).
    std::vector<PdfImage> Images() const;

private:
    std::string ObjectText(int object) const;
    std::optional<std::size_t> OffsetOf(int object) const;

    std::string bytes_;
};

std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);

// Draws on a page: fills a rectangle through the context's brush calls.
void FillBox(CDC& dc, int left, int top, int right, int bottom, COLORREF colour);

}  // namespace pt
