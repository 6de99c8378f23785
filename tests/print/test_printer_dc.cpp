// The printer context: what it reports about the page, fonts at printer resolution, the
// order of the job calls, and the handle calls.

#include <cmath>

#include "PrintTestSupport.h"
#include "platform/gdi/CFont.h"
#include "platform/print/PrinterDC.h"

namespace pt {
namespace {

using PrinterDcTest = PrintTest;

std::unique_ptr<plat::PrinterDC> FastDC() {
    return plat::PrinterDC::Create(PrintTest::FastPrinter());
}

TEST_F(PrinterDcTest, DefaultPrinterIsA4At600DpiWithASmallUnprintableBorder) {
    const auto dc = plat::PrinterDC::Create(plat::PrinterSettings{});
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(dc->GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);
    EXPECT_EQ(dc->GetDeviceCaps(LOGPIXELSX), 600);
    EXPECT_EQ(dc->GetDeviceCaps(LOGPIXELSY), 600);
    EXPECT_EQ(dc->GetDeviceCaps(PHYSICALWIDTH), 4961);   // 210 mm
    EXPECT_EQ(dc->GetDeviceCaps(PHYSICALHEIGHT), 7016);  // 297 mm
    EXPECT_EQ(dc->GetDeviceCaps(PHYSICALOFFSETX), 99);   // 4.2 mm
    EXPECT_EQ(dc->GetDeviceCaps(PHYSICALOFFSETY), 99);
    EXPECT_EQ(dc->GetDeviceCaps(HORZRES), 4961 - 2 * 99);
    EXPECT_EQ(dc->GetDeviceCaps(VERTRES), 7016 - 2 * 99);
    EXPECT_EQ(dc->GetDeviceCaps(HORZSIZE), 202);  // the printable width in millimetres
    // The drawing layer's own answer (through the base class) agrees, and the handle call
    // knows the paper too.
    const CDC& base = *dc;
    EXPECT_EQ(base.GetDeviceCaps(HORZRES), 4763);
    EXPECT_EQ(base.GetDeviceCaps(LOGPIXELSY), 600);
    EXPECT_EQ(GetDeviceCaps(dc->GetSafeHdc(), PHYSICALHEIGHT), 7016);
    // No page is held before StartPage.
    EXPECT_TRUE(dc->GetSurface()->IsEmpty());
}

TEST_F(PrinterDcTest, DeviceModeChoosesResolutionAndOrientation) {
    DEVMODEA mode{};
    mode.dmFields = DM_PRINTQUALITY | DM_ORIENTATION;
    mode.dmPrintQuality = 300;
    mode.dmOrientation = DMORIENT_LANDSCAPE;
    const HDC hdc = CreateDCA(nullptr, "surveyui PDF printer", nullptr, &mode);
    ASSERT_NE(hdc, nullptr);
    EXPECT_EQ(GetDeviceCaps(hdc, LOGPIXELSX), 300);
    EXPECT_EQ(GetDeviceCaps(hdc, PHYSICALWIDTH), 3508);  // 297 mm across
    EXPECT_EQ(GetDeviceCaps(hdc, PHYSICALHEIGHT), 2480);
    EXPECT_EQ(GetDeviceCaps(hdc, HORZRES), 3508 - 2 * 50);
    EXPECT_TRUE(DeleteDC(hdc));
    EXPECT_EQ(plat::PrinterDCFromHandle(hdc), nullptr);
    EXPECT_EQ(StartDocA(hdc, nullptr), SP_ERROR);
}

TEST_F(PrinterDcTest, SettingsThatDescribeNoPageMakeNoContext) {
    struct Case {
        const char* what;
        void (*change)(plat::PrinterSettings&);
    };
    const Case cases[] = {
        {"49 dpi", [](plat::PrinterSettings& s) { s.dpi = 49; }},
        {"1201 dpi", [](plat::PrinterSettings& s) { s.dpi = 1201; }},
        {"negative margin", [](plat::PrinterSettings& s) { s.margin = -1; }},
        {"margins wider than the paper", [](plat::PrinterSettings& s) { s.margin = 1050; }},
        {"no copies", [](plat::PrinterSettings& s) { s.copies = 0; }},
        {"paper 3 m long", [](plat::PrinterSettings& s) { s.paperLength = 30000; }},
    };
    for (const Case& c : cases) {
        plat::PrinterSettings settings;
        c.change(settings);
        EXPECT_FALSE(plat::PageGeometryOf(settings)) << c.what;
        EXPECT_EQ(plat::PrinterDC::Create(settings), nullptr) << c.what;
        EXPECT_EQ(plat::CreatePrinterDC(settings), nullptr) << c.what;
    }
    // A device mode asking for such a page, or for another printer, is refused too.
    DEVMODEA mode{};
    mode.dmFields = DM_PRINTQUALITY | DM_YRESOLUTION;
    mode.dmPrintQuality = 300;
    mode.dmYResolution = 600;  // the printer's pixels are square
    EXPECT_EQ(CreateDCA(nullptr, "surveyui PDF printer", nullptr, &mode), nullptr);
    mode.dmFields = DM_PAPERSIZE;
    mode.dmPaperSize = 77;
    EXPECT_EQ(CreateDCA(nullptr, "surveyui PDF printer", nullptr, &mode), nullptr);
    EXPECT_EQ(CreateDCA(nullptr, "Some Other Printer", nullptr, nullptr), nullptr);
    EXPECT_EQ(CreateDCA(nullptr, nullptr, nullptr, nullptr), nullptr);
}

TEST_F(PrinterDcTest, PointFontsAreSizedForThePrintersResolution) {
    CDC screen;
    ASSERT_TRUE(screen.CreateCompatibleDC(nullptr));
    const auto printer = plat::PrinterDC::Create(plat::PrinterSettings{});
    ASSERT_NE(printer, nullptr);

    CFont screenFont;
    CFont printerFont;
    ASSERT_TRUE(screenFont.CreatePointFont(120, "Tahoma", &screen));
    ASSERT_TRUE(printerFont.CreatePointFont(120, "Tahoma", printer.get()));
    screen.SelectObject(&screenFont);
    printer->SelectObject(&printerFont);
    TEXTMETRIC screenMetrics{};
    TEXTMETRIC printerMetrics{};
    ASSERT_TRUE(screen.GetTextMetrics(&screenMetrics));
    ASSERT_TRUE(printer->GetTextMetrics(&printerMetrics));

    // 600 / 96 = 6.25, give or take the rounding of a 16-pixel screen font.
    const double heightRatio = double(printerMetrics.tmHeight) / screenMetrics.tmHeight;
    EXPECT_NEAR(heightRatio, 6.25, 0.4);
    const double widthRatio = double(printer->GetTextExtent("Heading Row 1").cx) /
                              screen.GetTextExtent("Heading Row 1").cx;
    EXPECT_NEAR(widthRatio, 6.25, 0.6);
    screen.SelectStockObject(SYSTEM_FONT);
    printer->SelectStockObject(SYSTEM_FONT);
}

TEST_F(PrinterDcTest, JobCallsOutOfOrderFailAndChangeNothing) {
    const auto dc = FastDC();
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(dc->StartPage(), SP_ERROR);  // no document
    EXPECT_EQ(dc->EndPage(), SP_ERROR);
    EXPECT_EQ(dc->EndDoc(), SP_ERROR);
    EXPECT_EQ(dc->AbortDoc(), SP_ERROR);
    EXPECT_EQ(dc->StartDoc(static_cast<const DOCINFOA*>(nullptr)), SP_ERROR);

    const std::string output = Scratch("order.pdf");
    DOCINFOA info{sizeof(DOCINFOA), "order", output.c_str(), nullptr, 0};
    EXPECT_GT(dc->StartDoc(&info), 0);
    EXPECT_EQ(dc->StartDoc(&info), SP_ERROR);  // one job at a time
    EXPECT_EQ(dc->EndPage(), SP_ERROR);        // no page open
    EXPECT_EQ(dc->StartPage(), 1);
    EXPECT_EQ(dc->StartPage(), SP_ERROR);  // the page is still open
    EXPECT_EQ(dc->EndPage(), 1);
    EXPECT_EQ(dc->PagesEnded(), 1);
    EXPECT_GT(dc->EndDoc(), 0);
    EXPECT_FALSE(dc->IsJobRunning());
    EXPECT_TRUE(Exists(output));
}

TEST_F(PrinterDcTest, EachPageStartsWhiteAndTheContextStateCarriesOver) {
    const auto dc = FastDC();
    ASSERT_NE(dc, nullptr);
    ASSERT_GT(dc->StartDoc("pages"), 0);
    FillBox(*dc, 0, 0, 10, 10, RGB(0, 0, 0));  // before any page: drawn nowhere
    ASSERT_GT(dc->StartPage(), 0);
    EXPECT_EQ(dc->GetPixel(5, 5), RGB(255, 255, 255));
    EXPECT_EQ(dc->GetPixel(1189, 1703), RGB(255, 255, 255));  // the last printable pixel
    EXPECT_EQ(dc->GetPixel(1190, 5), CLR_INVALID);
    dc->SetTextColor(RGB(0, 0, 255));
    dc->SetViewportOrg(100, 100);
    FillBox(*dc, 0, 0, 10, 10, RGB(255, 0, 0));
    ASSERT_GT(dc->EndPage(), 0);
    EXPECT_TRUE(dc->GetSurface()->IsEmpty()) << "the ended page's pixels are released";

    ASSERT_GT(dc->StartPage(), 0);
    EXPECT_EQ(dc->GetPixel(5, 5), RGB(255, 255, 255)) << "a fresh page";
    EXPECT_EQ(dc->GetTextColor(), RGB(0, 0, 255));
    EXPECT_EQ(dc->GetViewportOrg(), CPoint(100, 100));
    EXPECT_EQ(dc->AbortDoc(), 1);
}

TEST_F(PrinterDcTest, HandleCallsActOnPrintersOnly) {
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
    DOCINFOA info{sizeof(DOCINFOA), "not a printer", nullptr, nullptr, 0};
    EXPECT_EQ(StartDocA(memory.GetSafeHdc(), &info), SP_ERROR);
    EXPECT_EQ(StartPage(memory.GetSafeHdc()), SP_ERROR);
    EXPECT_EQ(plat::PrinterDCFromHandle(memory.GetSafeHdc()), nullptr);
    EXPECT_EQ(GetDeviceCaps(memory.GetSafeHdc(), TECHNOLOGY), DT_RASDISPLAY);
    EXPECT_EQ(GetDeviceCaps(nullptr, LOGPIXELSX), 0);
    EXPECT_FALSE(DeleteDC(nullptr));

    const HDC hdc = plat::CreatePrinterDC(FastPrinter());
    ASSERT_NE(hdc, nullptr);
    EXPECT_EQ(CDC::FromHandle(hdc), plat::PrinterDCFromHandle(hdc));
    const std::string output = Scratch("handles.pdf");
    info = DOCINFOA{sizeof(DOCINFOA), "handles", output.c_str(), nullptr, 0};
    EXPECT_GT(StartDoc(hdc, &info), 0);
    EXPECT_GT(StartPage(hdc), 0);
    EXPECT_GT(EndPage(hdc), 0);
    EXPECT_GT(EndDoc(hdc), 0);
    EXPECT_TRUE(DeleteDC(hdc));
    EXPECT_EQ(StartPage(hdc), SP_ERROR);
    EXPECT_TRUE(Exists(output));
}

}  // namespace
}  // namespace pt
