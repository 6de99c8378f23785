// What a print job leaves behind: a PDF whose structure holds and whose page images are
// the drawn pages, PNG pages, the default folder and names, and nothing at all for an
// aborted or failed job.

#include <filesystem>

#include "PrintTestSupport.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/Png.h"
#include "platform/print/PrinterDC.h"

namespace pt {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

class PrintFilesTest : public PrintTest {
protected:
    void SetUp() override {
        PrintTest::SetUp();
        dc_ = plat::PrinterDC::Create(settings_);
        ASSERT_NE(dc_, nullptr);
    }

    // Prints page 1 with a black box at (100, 200)-(300, 260) and page 2 with a red box at
    // (50, 50)-(80, 90); answers EndDoc's result.
    int PrintTwoPages(const std::string& docName, const char* output) {
        DOCINFOA info{sizeof(DOCINFOA), docName.c_str(), output, nullptr, 0};
        EXPECT_GT(dc_->StartDoc(&info), 0);
        EXPECT_GT(dc_->StartPage(), 0);
        FillBox(*dc_, 100, 200, 300, 260, kBlack);
        EXPECT_GT(dc_->EndPage(), 0);
        EXPECT_GT(dc_->StartPage(), 0);
        FillBox(*dc_, 50, 50, 80, 90, kRed);
        EXPECT_GT(dc_->EndPage(), 0);
        return dc_->EndDoc();
    }

    void UseSettings(const plat::PrinterSettings& settings) {
        settings_ = settings;
        dc_ = plat::PrinterDC::Create(settings_);
        ASSERT_NE(dc_, nullptr);
    }

    plat::PrinterSettings settings_ = FastPrinter();
    std::unique_ptr<plat::PrinterDC> dc_;
};

TEST_F(PrintFilesTest, TwoPageJobWritesAPdfWhosePagesAreTheDrawnImages) {
    const std::string output = Scratch("job.pdf");
    ASSERT_GT(PrintTwoPages("Two pages", output.c_str()), 0);
    EXPECT_EQ(dc_->WrittenFiles(), std::vector<std::string>{output});

    const PdfFile pdf(output);
    EXPECT_EQ(pdf.CheckStructure(), 4 + 3 * 2);  // catalog, pages, info + 3 per page
    EXPECT_EQ(PdfFile::IntegerOf(pdf.Dictionary(2), "/Count"), 2);
    EXPECT_NE(pdf.Dictionary(4).find("/MediaBox [0 0 595.28 841.89]"), std::string::npos)
        << "A4 in points: " << pdf.Dictionary(4);
    // The printable area sits inside the 25-pixel border, 12 points from the top left.
    EXPECT_NE(pdf.Bytes().find("571.2 0 0 817.92 12 11.97 cm"), std::string::npos);

    const std::vector<PdfImage> pages = pdf.Images();
    ASSERT_EQ(pages.size(), 2u);
    for (const PdfImage& page : pages) {
        EXPECT_EQ(page.width, 1190);
        EXPECT_EQ(page.height, 1704);
    }
    EXPECT_EQ(pages[0].At(100, 200), kBlack);
    EXPECT_EQ(pages[0].At(299, 259), kBlack);
    EXPECT_EQ(pages[0].At(300, 230), kWhite);  // right edge excluded
    EXPECT_EQ(pages[0].At(99, 230), kWhite);
    EXPECT_EQ(pages[0].At(60, 60), kWhite);  // page 2's box is on page 2 only
    EXPECT_EQ(pages[1].At(60, 60), kRed);
    EXPECT_EQ(pages[1].At(150, 230), kWhite);

    const plat::PrintJobRecord job = plat::LastPrintJob();
    EXPECT_EQ(job.docName, "Two pages");
    EXPECT_EQ(job.pages, 2);
    EXPECT_TRUE(job.written);
    EXPECT_EQ(job.files, std::vector<std::string>{output});
}

TEST_F(PrintFilesTest, TextIsDrawnAtPrinterResolution) {
    const std::string output = Scratch("text.pdf");
    DOCINFOA info{sizeof(DOCINFOA), "text", output.c_str(), nullptr, 0};
    ASSERT_GT(dc_->StartDoc(&info), 0);
    ASSERT_GT(dc_->StartPage(), 0);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(240, "Tahoma", dc_.get()));  // 24 pt: 50 px at 150 dpi
    CFont* previous = dc_->SelectObject(&font);
    dc_->SetBkMode(TRANSPARENT);
    ASSERT_TRUE(dc_->TextOut(100, 100, "Heading"));
    const CSize extent = dc_->GetTextExtent("Heading");
    dc_->SelectObject(previous);
    ASSERT_GT(dc_->EndDoc(), 0);  // ends the open page too

    EXPECT_GE(extent.cy, 45);
    const std::vector<PdfImage> pages = PdfFile(output).Images();
    ASSERT_EQ(pages.size(), 1u);
    int dark = 0;
    for (int y = 100; y < 100 + extent.cy; ++y) {
        for (int x = 100; x < 100 + extent.cx; ++x) {
            dark += GetRValue(pages[0].At(x, y)) < 128;
        }
    }
    EXPECT_GT(dark, 500) << "the glyphs are on the page";
    EXPECT_EQ(pages[0].At(100 + extent.cx + 5, 100 + extent.cy / 2), kWhite);
}

TEST_F(PrintFilesTest, JobsWithoutAFileGoToThePrintFolderUnderTheirName) {
    // Characters a file name cannot hold are replaced; the title keeps them all.
    ASSERT_GT(PrintTwoPages("Grid: \"Temp\" \xB0"
                            "C <1/2>?",
                            nullptr),
              0);
    const std::string folder = root_ + "/drive_c/surveyui-print";
    EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"Grid_ _Temp_ \xB0"
                                                        "C _1_2__.pdf"});
    const PdfFile pdf(folder + "/" + FilesIn(folder).front());
    pdf.CheckStructure();
    // UTF-16 text: "G" ... the degree sign as U+00B0.
    EXPECT_NE(pdf.Dictionary(3).find("/Title <FEFF0047"), std::string::npos) << pdf.Dictionary(3);
    EXPECT_NE(pdf.Dictionary(3).find("00B00043"), std::string::npos);

    // An empty name prints as "Untitled"; the printer's own output file comes first.
    ASSERT_GT(PrintTwoPages("", nullptr), 0);
    EXPECT_TRUE(Exists(folder + "/Untitled.pdf"));
    plat::PrinterSettings toFile = FastPrinter();
    toFile.outputFile = "C:\\chosen.pdf";
    UseSettings(toFile);
    ASSERT_GT(PrintTwoPages("named", nullptr), 0);
    EXPECT_TRUE(Exists(root_ + "/drive_c/chosen.pdf"));
}

TEST_F(PrintFilesTest, PngPagesReadBackAsTheDrawnPages) {
    plat::PrinterSettings png = FastPrinter();
    png.output = plat::PrintOutput::PngPages;
    UseSettings(png);
    ASSERT_GT(PrintTwoPages("pngs", Scratch("pages.pdf").c_str()), 0);
    EXPECT_EQ(FilesIn(root_),
              (std::vector<std::string>{"drive_c", "pages-page-1.png", "pages-page-2.png"}));
    plat::Surface first;
    plat::Surface second;
    ASSERT_TRUE(plat::LoadPngFile(Scratch("pages-page-1.png"), first));
    ASSERT_TRUE(plat::LoadPngFile(Scratch("pages-page-2.png"), second));
    EXPECT_EQ(first.Width(), 1190);
    EXPECT_EQ(first.Height(), 1704);
    EXPECT_EQ(first.GetPixel(100, 200), kBlack);
    EXPECT_EQ(first.GetPixel(300, 200), kWhite);
    EXPECT_EQ(second.GetPixel(79, 89), kRed);
    EXPECT_EQ(second.GetPixel(100, 200), kWhite);

    png.output = plat::PrintOutput::PdfAndPngPages;
    UseSettings(png);
    ASSERT_GT(PrintTwoPages("both", Scratch("both").c_str()), 0);  // no ".pdf" to replace
    EXPECT_TRUE(Exists(Scratch("both")));
    EXPECT_TRUE(Exists(Scratch("both-page-2.png")));
    EXPECT_EQ(dc_->WrittenFiles().size(), 3u);
}

TEST_F(PrintFilesTest, AbortedJobsWriteNothing) {
    const std::string output = Scratch("aborted.pdf");
    DOCINFOA info{sizeof(DOCINFOA), "aborted", output.c_str(), nullptr, 0};
    ASSERT_GT(dc_->StartDoc(&info), 0);
    ASSERT_GT(dc_->StartPage(), 0);
    FillBox(*dc_, 0, 0, 50, 50, kBlack);
    ASSERT_GT(dc_->EndPage(), 0);
    ASSERT_GT(dc_->StartPage(), 0);
    EXPECT_GT(dc_->AbortDoc(), 0);
    EXPECT_FALSE(dc_->IsJobRunning());
    EXPECT_EQ(dc_->EndDoc(), SP_ERROR);
    EXPECT_EQ(FilesIn(root_), std::vector<std::string>{"drive_c"});
    EXPECT_FALSE(plat::LastPrintJob().written);

    // A context destroyed in the middle of a job aborts it.
    ASSERT_GT(dc_->StartDoc(&info), 0);
    ASSERT_GT(dc_->StartPage(), 0);
    dc_.reset();
    EXPECT_EQ(FilesIn(root_), std::vector<std::string>{"drive_c"});

    // A job without pages succeeds and leaves no file either.
    dc_ = plat::PrinterDC::Create(settings_);
    ASSERT_GT(dc_->StartDoc(&info), 0);
    EXPECT_GT(dc_->EndDoc(), 0);
    EXPECT_EQ(FilesIn(root_), std::vector<std::string>{"drive_c"});
    EXPECT_EQ(FilesIn(root_ + "/drive_c"), std::vector<std::string>{});
}

TEST_F(PrintFilesTest, AnUnwritableOutputFailsEndDocAndLeavesNoFile) {
    std::filesystem::create_directories(Scratch("a-folder"));
    const std::string unwritable[] = {
        Scratch("missing-folder/job.pdf"),
        Scratch("a-folder"),  // a folder, not a file
        "Q:\\unmapped\\job.pdf",
    };
    for (const std::string& output : unwritable) {
        EXPECT_LE(PrintTwoPages("unwritable", output.c_str()), 0) << output;
        EXPECT_FALSE(dc_->IsJobRunning());
        EXPECT_TRUE(dc_->WrittenFiles().empty());
        EXPECT_FALSE(plat::LastPrintJob().written);
    }
    EXPECT_EQ(FilesIn(root_), (std::vector<std::string>{"a-folder", "drive_c"}));
    EXPECT_TRUE(FilesIn(Scratch("a-folder")).empty()) << "no temporary file left behind";

    // A PNG page that cannot be written takes the job's PDF with it.
    plat::PrinterSettings both = FastPrinter();
    both.output = plat::PrintOutput::PdfAndPngPages;
    UseSettings(both);
    std::filesystem::create_directories(Scratch("x-page-2.png"));  // in the way
    EXPECT_LE(PrintTwoPages("partly", Scratch("x.pdf").c_str()), 0);
    EXPECT_FALSE(Exists(Scratch("x.pdf")));
    EXPECT_FALSE(Exists(Scratch("x-page-1.png")));

    // The context prints on afterwards.
    EXPECT_GT(PrintTwoPages("after", Scratch("after.pdf").c_str()), 0);
    EXPECT_TRUE(Exists(Scratch("after.pdf")));
}

}  // namespace
}  // namespace pt
