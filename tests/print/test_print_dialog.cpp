// The print dialog answered through the dialog hook, as a program's "Print" meets it.

#include "PrintTestSupport.h"
#include "platform/print/CPrintDialog.h"
#include "platform/print/DialogHook.h"

namespace pt {
namespace {

constexpr DWORD kGridFlags = PD_ALLPAGES | PD_NOPAGENUMS | PD_NOSELECTION;

class PrintDialogTest : public PrintTest {
protected:
    // Installs a hook that records each request and answers through choose.
    void Answer(std::function<plat::DialogAnswer(plat::PrintDialogRequest&)> choose) {
        plat::SetDialogHook([this, choose](plat::DialogRequest& request) {
            kinds_.push_back(request.kind);
            plat::PrintDialogRequest* print = request.As<plat::PrintDialogRequest>();
            EXPECT_NE(print, nullptr);
            flags_ = print ? print->flags : 0;
            return print ? choose(*print) : plat::DialogAnswer::Cancel;
        });
    }

    std::vector<plat::DialogKind> kinds_;
    DWORD flags_ = 0;
};

TEST_F(PrintDialogTest, WithoutAHookTheDialogAnswersOkWithTheDefaultPrinter) {
    CPrintDialog dialog(FALSE, kGridFlags);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    const HDC hdc = dialog.GetPrinterDC();
    ASSERT_NE(hdc, nullptr);
    EXPECT_EQ(hdc, dialog.m_pd.hDC);
    EXPECT_EQ(GetDeviceCaps(hdc, LOGPIXELSY), 150);  // the fixture's default printer
    EXPECT_EQ(GetDeviceCaps(hdc, TECHNOLOGY), DT_RASPRINTER);
    EXPECT_EQ(dialog.GetDeviceName(), "surveyui PDF printer");
    EXPECT_EQ(dialog.GetCopies(), 1);
    EXPECT_TRUE(dialog.PrintAll());
    EXPECT_TRUE(DeleteDC(hdc));
}

TEST_F(PrintDialogTest, CancelGivesIdCancelAndNoContext) {
    Answer([](plat::PrintDialogRequest&) { return plat::DialogAnswer::Cancel; });
    CPrintDialog dialog(FALSE, kGridFlags);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.GetPrinterDC(), nullptr);
    EXPECT_EQ(kinds_, std::vector<plat::DialogKind>{plat::DialogKind::Print});
    EXPECT_EQ(flags_ & (kGridFlags | PD_RETURNDC), kGridFlags | PD_RETURNDC);

    // OK with a printer that has no page is no better than Cancel.
    Answer([](plat::PrintDialogRequest& request) {
        request.printer.dpi = 0;
        return plat::DialogAnswer::Ok;
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.GetPrinterDC(), nullptr);
}

TEST_F(PrintDialogTest, TheHookChoosesResolutionCopiesAndOutput) {
    const std::string chosen = Scratch("chosen.pdf");
    Answer([&](plat::PrintDialogRequest& request) {
        EXPECT_EQ(request.printer.deviceName, "surveyui PDF printer");
        EXPECT_EQ(request.printer.copies, 1);
        request.printer.dpi = 100;
        request.printer.copies = 3;
        request.printer.outputFile = chosen;
        return plat::DialogAnswer::Ok;
    });
    CPrintDialog dialog(FALSE, kGridFlags);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetCopies(), 3);
    EXPECT_EQ(dialog.m_pd.nCopies, 3);
    EXPECT_EQ(dialog.GetDevMode()->dmCopies, 3);
    EXPECT_EQ(dialog.GetDevMode()->dmPrintQuality, 100);

    // The program prints as the framework does: through the handle, naming no file.
    const HDC hdc = dialog.GetPrinterDC();
    ASSERT_NE(hdc, nullptr);
    EXPECT_EQ(GetDeviceCaps(hdc, LOGPIXELSX), 100);
    const int horzRes = GetDeviceCaps(hdc, HORZRES);
    EXPECT_EQ(horzRes, 827 - 2 * 17);
    CDC* dc = CDC::FromHandle(hdc);
    DOCINFO info{};
    info.cbSize = sizeof(info);
    info.lpszDocName = "Settings";
    ASSERT_GT(StartDoc(hdc, &info), 0);
    ASSERT_GT(StartPage(hdc), 0);
    FillBox(*dc, 10, 10, 20, 20, RGB(0, 0, 0));
    ASSERT_GT(EndPage(hdc), 0);
    ASSERT_GT(EndDoc(hdc), 0);
    dc->DeleteDC();  // as a program releasing its context the framework's way
    EXPECT_EQ(plat::LastPrintJob().files, std::vector<std::string>{chosen});
    const std::vector<PdfImage> pages = PdfFile(chosen).Images();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].width, horzRes);
    EXPECT_EQ(pages[0].At(15, 15), RGB(0, 0, 0));
    EXPECT_TRUE(DeleteDC(hdc));  // the handle is still the program's to delete
}

TEST_F(PrintDialogTest, SetupOnlyAndDefaultsMakeNoRequestOrNoContextAsTheyShould) {
    Answer([](plat::PrintDialogRequest& request) {
        request.printer.landscape = true;
        return plat::DialogAnswer::Ok;
    });
    CPrintDialog setup(TRUE);
    EXPECT_EQ(setup.DoModal(), IDOK);
    EXPECT_EQ(kinds_, std::vector<plat::DialogKind>{plat::DialogKind::PrintSetup});
    EXPECT_EQ(setup.GetPrinterDC(), nullptr) << "set-up returns no context";
    EXPECT_TRUE(setup.GetPrinterSettings().landscape);
    EXPECT_EQ(setup.GetDevMode()->dmOrientation, DMORIENT_LANDSCAPE);

    // GetDefaults asks nobody.
    CPrintDialog defaults(FALSE);
    ASSERT_TRUE(defaults.GetDefaults());
    EXPECT_EQ(kinds_.size(), 1u);
    ASSERT_NE(defaults.GetPrinterDC(), nullptr);
    EXPECT_EQ(GetDeviceCaps(defaults.GetPrinterDC(), LOGPIXELSX), 150);
    EXPECT_TRUE(DeleteDC(defaults.GetPrinterDC()));
}

TEST_F(PrintDialogTest, ScopedHookPutsThePreviousHookBack) {
    int outer = 0;
    plat::SetDialogHook([&](plat::DialogRequest&) {
        ++outer;
        return plat::DialogAnswer::Cancel;
    });
    {
        const plat::ScopedDialogHook inner(
            [](plat::DialogRequest&) { return plat::DialogAnswer::Cancel; });
        CPrintDialog dialog(TRUE);
        dialog.DoModal();
        EXPECT_EQ(outer, 0);
    }
    CPrintDialog dialog(TRUE);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(outer, 1);
}

}  // namespace
}  // namespace pt
