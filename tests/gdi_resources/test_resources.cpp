// The library's resources as a host finds them on the module chain: the pictures and
// their sizes, the string table, and the chain's newest-module-first rule.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "platform/core/ExtensionModule.h"
#include "platform/gdi/Png.h"
#include "platform/gdi/Resources.h"
#include "resources/ResourceIds.h"

namespace {

// The size of bitmap resource id, (0, 0) when it does not load.
CSize BitmapSize(UINT id) {
    CBitmap bitmap;
    BITMAP info{};
    return plat::LoadBitmapResource(id, bitmap) && bitmap.GetBitmap(&info)
               ? CSize(info.bmWidth, info.bmHeight)
               : CSize(0, 0);
}

}  // namespace

TEST(LibraryResources, BitmapsAndIconsLoadWithTheirSizes) {
    EXPECT_EQ(BitmapSize(IDB_STATE_ICONS), CSize(416, 16));
    EXPECT_EQ(BitmapSize(IDB_LOCK), CSize(16, 16));
    EXPECT_EQ(BitmapSize(IDB_STATUS_BALLS), CSize(64, 16));
    for (const UINT id : {IDI_LOG_OFF, IDI_LOG_ON}) {
        plat::Surface icon;
        ASSERT_TRUE(plat::LoadIconResource(id, icon)) << id;
        EXPECT_EQ(CSize(icon.Width(), icon.Height()), CSize(32, 32));
    }
    // Unknown ids, ids of another kind and a bitmap that holds one already fail cleanly.
    EXPECT_EQ(BitmapSize(14999), CSize(0, 0));
    EXPECT_EQ(BitmapSize(IDS_LOG_MESSAGE), CSize(0, 0));
    plat::Surface icon(1, 1, RGB(1, 2, 3));
    EXPECT_FALSE(plat::LoadIconResource(IDB_LOCK, icon));
    EXPECT_EQ(icon.GetPixel(0, 0), RGB(1, 2, 3));
    CBitmap bitmap;
    ASSERT_TRUE(plat::LoadBitmapResource(IDB_LOCK, bitmap));
    const HGDIOBJ held = bitmap.GetSafeHandle();
    EXPECT_FALSE(plat::LoadBitmapResource(IDB_STATUS_BALLS, bitmap));
    EXPECT_EQ(bitmap.GetSafeHandle(), held);
}

TEST(LibraryResources, TheStringTable) {
    const std::pair<UINT, const char*> table[] = {
        {IDS_LOG_MESSAGE, "Log Message"},
        {IDS_SYMBOL_SIZE, "Symbol Size"},
        {IDS_SYMBOL_SIZE_DESCRIPTION, "Specify the size of the symbol"},
        {IDS_FILL_STYLE, "Fill Style"},
        {IDS_FILL_STYLE_DESCRIPTION, "Specify the style of fill"},
        {IDS_LINE_STYLE, "Line Style"},
        {IDS_LINE_STYLE_DESCRIPTION, "Specify the style of the line"},
        {IDS_LINE_THICKNESS, "Line Thickness"},
        {IDS_LINE_THICKNESS_DESCRIPTION, "Specify the thickness of the line"},
        {IDS_LABEL_MODE, "Label Mode"},
        {IDS_LABEL_MODE_DESCRIPTION, "Specify the mode to label a point"},
        {IDS_LABEL_POSITION, "Label Position"},
        {IDS_LABEL_POSITION_DESCRIPTION, "Where to position the label next to the symbol"},
    };
    // Every id of the library's range: the table's texts, and nothing else.
    for (UINT id = 14000; id <= 14040; ++id) {
        const auto* entry = std::ranges::find(table, id, &std::pair<UINT, const char*>::first);
        CString loaded = "unchanged";
        EXPECT_EQ(plat::LoadStringResource(id, loaded) != FALSE, entry != std::end(table)) << id;
        EXPECT_STREQ(loaded, entry != std::end(table) ? entry->second : "unchanged") << id;
    }
    // AfxLoadString copies what fits and terminates, or copies nothing.
    char buffer[32];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(AfxLoadString(IDS_LOG_MESSAGE, buffer, 4), 3);
    EXPECT_STREQ(buffer, "Log");
    EXPECT_EQ(AfxLoadString(14999, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
    buffer[0] = 'x';
    EXPECT_EQ(AfxLoadString(IDS_LOG_MESSAGE, buffer, 0), 0);
    EXPECT_EQ(buffer[0], 'x');
    EXPECT_EQ(AfxLoadString(IDS_LOG_MESSAGE, nullptr, 10), 0);
}

TEST(ResourceChain, TheNewestModuleWinsUntilItLeaves) {
    const std::vector<std::byte> picture = plat::EncodePng(plat::Surface(2, 1, RGB(9, 8, 7)));
    const std::vector<std::byte> damaged(40, std::byte{0x89});
    const std::string text = "Other text";
    plat::ModuleImage image{
        "other",
        {{IDB_STATUS_BALLS, plat::ResourceType::Bitmap, picture},
         {IDB_LOCK, plat::ResourceType::Bitmap, damaged},
         {IDS_LOG_MESSAGE, plat::ResourceType::String, std::as_bytes(std::span(text))}},
        {}};
    AFX_EXTENSION_MODULE other;
    AfxInitExtensionModule(other, &image);
    new CDynLinkLibrary(other);  // the chain owns it; no early return until it leaves
    CString loaded;
    EXPECT_TRUE(plat::LoadStringResource(IDS_LOG_MESSAGE, loaded));
    EXPECT_STREQ(loaded, "Other text");
    EXPECT_EQ(BitmapSize(IDB_STATUS_BALLS), CSize(2, 1));
    // The newer module's damaged picture fails; the older one is not used instead.
    CBitmap lock;
    EXPECT_FALSE(lock.LoadBitmap(IDB_LOCK));
    // What the newer module lacks still comes from the library.
    EXPECT_EQ(BitmapSize(IDB_STATE_ICONS), CSize(416, 16));
    AfxTermExtensionModule(other);
    ASSERT_TRUE(loaded.LoadString(IDS_LOG_MESSAGE));
    EXPECT_STREQ(loaded, "Log Message");
    EXPECT_TRUE(lock.LoadBitmap(IDB_LOCK));
    EXPECT_EQ(BitmapSize(IDB_STATUS_BALLS), CSize(64, 16));
}
