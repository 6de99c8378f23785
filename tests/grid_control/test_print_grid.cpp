// Printing a grid: the print dialog's answer, the pages of the table, copies, and the
// right-click menu that starts it.

#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "tests/grid_control/GridTestSupport.h"

namespace {

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class PrintGridTest : public gt::GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        CreateGrid(grid);
    }

    // A group of n value rows.
    void AddRows(const char* groupName, int n) {
        auto* group = new CMFCPropertyGridProperty(groupName);
        for (int i = 0; i < n; ++i) {
            CString name;
            name.Format("Offset %d", i + 1);
            group->AddSubItem(new CMFCPropertyGridProperty(name, COleVariant("1.25 m"), ""));
        }
        grid.AddProperty(group);
    }

    // Prints through the dialog, the hook answering with the printer it is given.
    plat::PrintJobRecord Print(int copies = 1, bool ok = true, bool pngPages = false) {
        plat::ScopedDialogHook hook([&](plat::DialogRequest& request) {
            if (auto* print = request.As<plat::PrintDialogRequest>()) {
                print->printer.copies = copies;
                if (pngPages) {
                    print->printer.output = plat::PrintOutput::PdfAndPngPages;
                }
                asked = true;
            }
            return ok ? plat::DialogAnswer::Ok : plat::DialogAnswer::Cancel;
        });
        grid.PrintGrid();
        return plat::LastPrintJob();
    }

    static int PdfPages(const std::string& bytes) {
        int pages = 0;
        for (size_t at = bytes.find("/Type /Page"); at != std::string::npos;
             at = bytes.find("/Type /Page", at + 1)) {
            if (bytes.compare(at, 12, "/Type /Pages") != 0) {
                ++pages;
            }
        }
        return pages;
    }

    CMyMFCPropertyGridCtrl grid;
    bool asked = false;
};

TEST_F(PrintGridTest, ASmallGridPrintsOnePage) {
    AddRows("Vessel", 3);
    const plat::PrintJobRecord job = Print();
    EXPECT_TRUE(asked);
    EXPECT_TRUE(job.written);
    EXPECT_EQ(job.docName, "Vessel");  // the parent window's text
    EXPECT_EQ(job.pages, 1);
    ASSERT_FALSE(job.files.empty());
    EXPECT_EQ(PdfPages(ReadBytes(job.files.front())), 1);
}

// The first and last pixel rows of a page image that hold ink, or -1.
std::pair<int, int> InkedRows(const std::string& pngPath) {
    plat::Surface page;
    if (!plat::LoadPngFile(pngPath, page)) {
        return {-1, -1};
    }
    int first = -1;
    int last = -1;
    for (int y = 0; y < page.Height(); ++y) {
        for (int x = 0; x < page.Width(); ++x) {
            if (page.GetPixel(x, y) != RGB(255, 255, 255)) {
                first = first < 0 ? y : first;
                last = y;
                break;
            }
        }
    }
    return {first, last};
}

TEST_F(PrintGridTest, ATableTallerThanAPageContinuesOnTheNext) {
    AddRows("Offsets", 120);
    AddRows("More offsets", 40);
    const plat::PrintJobRecord job = Print(1, true, true);
    EXPECT_TRUE(job.written);
    ASSERT_GE(job.pages, 2);
    std::vector<std::string> pngs;
    for (const std::string& file : job.files) {
        if (file.ends_with(".png")) {
            pngs.push_back(file);
        }
    }
    ASSERT_EQ(static_cast<int>(pngs.size()), job.pages);
    const auto [firstTop, firstBottom] = InkedRows(pngs[0]);
    const auto [nextTop, nextBottom] = InkedRows(pngs[1]);
    ASSERT_GE(firstTop, 0);
    // Each page starts at the top margin and keeps above the bottom one.
    EXPECT_LE(std::abs(nextTop - firstTop), 1);
    plat::Surface page;
    ASSERT_TRUE(plat::LoadPngFile(pngs[0], page));
    EXPECT_LT(firstBottom, page.Height() - firstTop + 2);
    EXPECT_LT(nextBottom, page.Height() - firstTop + 2);
}

TEST_F(PrintGridTest, EachCopyStartsOnAPageOfItsOwn) {
    AddRows("Vessel", 3);
    const plat::PrintJobRecord job = Print(2);
    EXPECT_EQ(job.pages, 2);
}

TEST_F(PrintGridTest, CancelPrintsNothing) {
    AddRows("Vessel", 3);
    AddRows("Old job", 1);
    const plat::PrintJobRecord before = plat::LastPrintJob();
    Print(1, false);
    EXPECT_TRUE(asked);
    EXPECT_EQ(plat::LastPrintJob().docName, before.docName);
    EXPECT_EQ(plat::LastPrintJob().pages, before.pages);
}

TEST_F(PrintGridTest, TheRightClickMenuOffersPrint) {
    AddRows("Vessel", 2);
    bool menuSeen = false;
    plat::SetIdleHandler([&] {
        if (CPopupMenuWnd* menu = CPopupMenuWnd::Active()) {
            menuSeen = menu->GetItemCount() == 1 && menu->GetItemText(0) == "Print";
            const CRect item = menu->GetItemScreenRect(0);
            plat::input::Click(item.CenterPoint().x, item.CenterPoint().y);
        }
    });
    const POINT at = plat::input::ScreenPointOf(&grid, CPoint(50, 10));
    plat::ScopedDialogHook hook([](plat::DialogRequest&) { return plat::DialogAnswer::Ok; });
    plat::input::Click(at.x, at.y, plat::input::Button::Right);
    plat::PumpMessages();
    plat::SetIdleHandler({});
    EXPECT_TRUE(menuSeen);
    EXPECT_EQ(plat::LastPrintJob().docName, "Vessel");
    EXPECT_EQ(plat::LastPrintJob().pages, 1);
}

TEST_F(PrintGridTest, DismissingTheMenuPrintsNothing) {
    AddRows("Vessel", 2);
    plat::ScopedDialogHook hook([&](plat::DialogRequest&) {
        asked = true;
        return plat::DialogAnswer::Ok;
    });
    plat::SetIdleHandler([&] {
        if (CPopupMenuWnd::Active()) {
            plat::input::Key(VK_ESCAPE);
        }
    });
    const POINT at = plat::input::ScreenPointOf(&grid, CPoint(50, 10));
    plat::input::Click(at.x, at.y, plat::input::Button::Right);
    plat::PumpMessages();
    plat::SetIdleHandler({});
    EXPECT_FALSE(asked);
}

}  // namespace
