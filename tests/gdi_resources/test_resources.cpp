// The library's resources as a host finds them on the module chain: the pictures and
// their layout, the string table, and the chain's newest-module-first rule.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>

#include "PngTestSupport.h"
#include "platform/core/ExtensionModule.h"
#include "platform/gdi/Png.h"
#include "platform/gdi/Resources.h"
#include "resources/ResourceIds.h"

using namespace resources_test;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

plat::Surface LoadedBitmap(UINT id) {
    CBitmap bitmap;
    EXPECT_TRUE(plat::LoadBitmapResource(id, bitmap)) << id;
    const plat::Surface* surface = bitmap.GetSurface();
    return surface ? *surface : plat::Surface();
}

plat::Surface ImageOf(const plat::Surface& strip, int index, int size = 16) {
    plat::Surface image(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            image.SetPixel(x, y, strip.GetPixel(index * size + x, y));
        }
    }
    return image;
}

bool IsBlank(const plat::Surface& image) {
    return std::ranges::all_of(image.Pixels(), [](COLORREF p) { return p == kWhite; });
}

// The colour at the centre of a picture, for telling the balls apart.
COLORREF Centre(const plat::Surface& image) {
    return image.GetPixel(image.Width() / 2, image.Height() / 2);
}

bool Dominated(COLORREF colour, bool red, bool green, bool blue) {
    const auto high = [](int value) { return value >= 120; };
    const auto low = [](int value) { return value < 90; };
    return (red ? high : low)(GetRValue(colour)) && (green ? high : low)(GetGValue(colour)) &&
           (blue ? high : low)(GetBValue(colour));
}

// A module of a host or another library, for the chain tests.
struct OtherModule {
    std::vector<std::byte> picture = plat::EncodePng(plat::Surface(2, 1, RGB(9, 8, 7)));
    std::vector<std::byte> damaged = std::vector<std::byte>(40, std::byte{0x89});
    std::string text = "Other text";
    plat::ModuleImage image{"other", {}, {}};
    AFX_EXTENSION_MODULE state;

    OtherModule() {
        image.resources = {
            {IDB_STATUS_BALLS, plat::ResourceType::Bitmap, picture},
            {IDB_LOCK, plat::ResourceType::Bitmap, damaged},
            {IDS_LOG_MESSAGE, plat::ResourceType::String, std::as_bytes(std::span(text))},
        };
        AfxInitExtensionModule(state, &image);
        new CDynLinkLibrary(state);  // the chain owns it
    }
    ~OtherModule() { AfxTermExtensionModule(state); }
};

}  // namespace

TEST(LibraryBitmaps, EachLoadsWithItsSize) {
    struct Expected {
        UINT id;
        int width;
        int height;
    };
    for (const Expected& e : {Expected{IDB_STATE_ICONS, 416, 16}, Expected{IDB_LOCK, 16, 16},
                              Expected{IDB_STATUS_BALLS, 64, 16}}) {
        CBitmap bitmap;
        ASSERT_TRUE(plat::LoadBitmapResource(e.id, bitmap)) << e.id;
        BITMAP info{};
        ASSERT_NE(bitmap.GetBitmap(&info), 0);
        EXPECT_EQ(info.bmWidth, e.width) << e.id;
        EXPECT_EQ(info.bmHeight, e.height) << e.id;
    }
    for (const UINT id : {IDI_LOG_OFF, IDI_LOG_ON}) {
        plat::Surface icon;
        ASSERT_TRUE(plat::LoadIconResource(id, icon)) << id;
        EXPECT_EQ(icon.Width(), 32);
        EXPECT_EQ(icon.Height(), 32);
        EXPECT_EQ(icon.GetPixel(0, 0), kWhite) << "transparent corner";
    }
}

TEST(LibraryBitmaps, StateIconsFollowTheirPairTable) {
    const plat::Surface strip = LoadedBitmap(IDB_STATE_ICONS);
    // Pairs 4 to 12 show one picture of pairs 0 to 3 (or the warning) beside a blank.
    const std::set<int> blanks{9, 10, 13, 14, 17, 18, 21, 22, 24};
    const std::map<int, int> repeats{{8, 0},  {11, 1}, {12, 2}, {15, 3},
                                     {16, 4}, {19, 5}, {20, 6}, {23, 7}};
    for (int index = 0; index < 26; ++index) {
        const plat::Surface image = ImageOf(strip, index);
        EXPECT_EQ(IsBlank(image), blanks.contains(index)) << index;
        EXPECT_EQ(image.GetPixel(0, 0), kWhite) << index << ": corners are transparent";
        if (const auto repeat = repeats.find(index); repeat != repeats.end()) {
            EXPECT_EQ(image, ImageOf(strip, repeat->second)) << index;
        }
    }
    // The first pictures of each kind differ from one another.
    for (int a = 0; a < 8; ++a) {
        for (int b = a + 1; b < 8; ++b) {
            EXPECT_NE(ImageOf(strip, a), ImageOf(strip, b)) << a << " " << b;
        }
    }
    EXPECT_NE(ImageOf(strip, 25), ImageOf(strip, 7));
    EXPECT_TRUE(Dominated(Centre(ImageOf(strip, 0)), true, false, false)) << "red ball";
    EXPECT_TRUE(Dominated(Centre(ImageOf(strip, 1)), false, true, false)) << "green ball";
}

TEST(LibraryBitmaps, StatusBallsAreRedGreenMagentaYellowAndTheLockIsGrey) {
    const plat::Surface balls = LoadedBitmap(IDB_STATUS_BALLS);
    EXPECT_TRUE(Dominated(Centre(ImageOf(balls, 0)), true, false, false));
    EXPECT_TRUE(Dominated(Centre(ImageOf(balls, 1)), false, true, false));
    EXPECT_TRUE(Dominated(Centre(ImageOf(balls, 2)), true, false, true));
    EXPECT_TRUE(Dominated(Centre(ImageOf(balls, 3)), true, true, false));

    const plat::Surface lock = LoadedBitmap(IDB_LOCK);
    int drawn = 0;
    for (const COLORREF pixel : lock.Pixels()) {
        if (pixel != kWhite) {
            ++drawn;
            EXPECT_EQ(GetRValue(pixel), GetGValue(pixel));
            EXPECT_EQ(GetGValue(pixel), GetBValue(pixel));
        }
    }
    EXPECT_GT(drawn, 60);
}

TEST(LibraryBitmaps, UnknownIdsAndTakenBitmapsFailCleanly) {
    CBitmap bitmap;
    EXPECT_FALSE(plat::LoadBitmapResource(14999, bitmap));
    EXPECT_EQ(bitmap.GetSafeHandle(), nullptr);
    // A string id is no bitmap, a bitmap id no icon.
    EXPECT_FALSE(plat::LoadBitmapResource(IDS_LOG_MESSAGE, bitmap));
    plat::Surface icon(1, 1, RGB(1, 2, 3));
    EXPECT_FALSE(plat::LoadIconResource(IDB_LOCK, icon));
    EXPECT_EQ(icon.GetPixel(0, 0), RGB(1, 2, 3));

    ASSERT_TRUE(plat::LoadBitmapResource(IDB_LOCK, bitmap));
    const HGDIOBJ held = bitmap.GetSafeHandle();
    EXPECT_FALSE(plat::LoadBitmapResource(IDB_STATUS_BALLS, bitmap));
    EXPECT_EQ(bitmap.GetSafeHandle(), held);
}

TEST(LibraryStrings, TheTableHoldsTheTexts) {
    const std::pair<UINT, const char*> expected[] = {
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
    for (const auto& [id, text] : expected) {
        CString loaded;
        ASSERT_TRUE(plat::LoadStringResource(id, loaded)) << id;
        EXPECT_STREQ(loaded, text);
    }
    // No other id in the library's range holds a string.
    for (UINT id = 14000; id <= 14040; ++id) {
        CString loaded = "unchanged";
        const bool inTable = std::ranges::any_of(expected, [id](auto& e) { return e.first == id; });
        EXPECT_EQ(plat::LoadStringResource(id, loaded) != FALSE, inTable) << id;
        if (!inTable) {
            EXPECT_STREQ(loaded, "unchanged");
        }
    }
}

TEST(LibraryStrings, AfxLoadStringCopiesWhatFitsAndTerminates) {
    char buffer[32];
    EXPECT_EQ(AfxLoadString(IDS_LOG_MESSAGE, buffer), 11);
    EXPECT_STREQ(buffer, "Log Message");
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
    const int before = plat::ModulesOnChain();
    {
        const OtherModule other;
        EXPECT_EQ(plat::ModulesOnChain(), before + 1);
        CString text;
        ASSERT_TRUE(plat::LoadStringResource(IDS_LOG_MESSAGE, text));
        EXPECT_STREQ(text, "Other text");
        const plat::Surface balls = LoadedBitmap(IDB_STATUS_BALLS);
        EXPECT_EQ(balls.Width(), 2);
        EXPECT_EQ(balls.GetPixel(1, 0), RGB(9, 8, 7));
        // The newer module's damaged picture fails; the older one is not used instead.
        CBitmap lock;
        EXPECT_FALSE(lock.LoadBitmap(IDB_LOCK));
        // What the newer module lacks still comes from the library.
        EXPECT_EQ(LoadedBitmap(IDB_STATE_ICONS).Width(), 416);
    }
    EXPECT_EQ(plat::ModulesOnChain(), before);
    CString text;
    ASSERT_TRUE(text.LoadString(IDS_LOG_MESSAGE));
    EXPECT_STREQ(text, "Log Message");
    CBitmap lock;
    EXPECT_TRUE(lock.LoadBitmap(IDB_LOCK));
    EXPECT_EQ(LoadedBitmap(IDB_STATUS_BALLS).Width(), 64);
    EXPECT_EQ(LoadedBitmap(IDB_LOCK).Width(), 16);
}
