// Image lists: cutting strips into images, transparent drawing through a device context,
// and the list's own bookkeeping.

#include <gtest/gtest.h>

#include "PngTestSupport.h"
#include "platform/gdi/CImageList.h"
#include "platform/gdi/Resources.h"
#include "resources/ResourceIds.h"

using namespace resources_test;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kBlue = RGB(0, 0, 200);
using Pixels = std::vector<COLORREF>;

// A blue surface with a device context drawing into it.
struct Target {
    Target() { dc.AttachSurface(surface); }
    plat::Surface surface{40, 40, kBlue};
    CDC dc;
};

// Row y of image drawn alone at the origin, count pixels long.
Pixels Drawn(CImageList& list, int image, UINT style, int count = 1, int y = 0) {
    Target target;
    EXPECT_TRUE(list.Draw(&target.dc, image, POINT{0, 0}, style)) << image;
    const auto row = target.surface.Pixels().subspan(y * 40, count);
    return Pixels(row.begin(), row.end());
}

}  // namespace

// Pixels of the mask colour leave the destination alone, whatever the context's origin
// and clip; the rest are copied exactly.
TEST(ImageList, TransparentDrawingFollowsTheContext) {
    CImageList list;
    ASSERT_TRUE(list.Create(IDB_STATUS_BALLS, 16, 1, kWhite));
    EXPECT_EQ(list.GetImageCount(), 4);
    CBitmap bitmap;
    ASSERT_TRUE(plat::LoadBitmapResource(IDB_STATUS_BALLS, bitmap));
    const plat::Surface& balls = *bitmap.GetSurface();
    for (int n = 0; n < 8; ++n) {  // each ball, drawn normal and transparent
        Target target;
        target.dc.SetViewportOrg(5, 5);
        target.dc.IntersectClipRect(0, 0, 15, 40);  // logical, so x < 20 on the surface
        ASSERT_TRUE(
            list.Draw(&target.dc, n % 4, POINT{5, 7}, n < 4 ? ILD_NORMAL : ILD_TRANSPARENT));
        for (int i = 0; i < 40 * 40; ++i) {
            const int x = i % 40, y = i / 40;
            const COLORREF source = balls.GetPixel(n % 4 * 16 + x - 10, y - 12);
            const bool drawn = x >= 10 && x < 20 && y >= 12 && y < 28 && source != kWhite;
            ASSERT_EQ(target.surface.GetPixel(x, y), drawn ? source : kBlue)
                << "ball " << n << " at " << x << "," << y;
        }
    }
}

// ILD_MASK draws the mask, ILD_IMAGE the image with its masked pixels black; an explicit
// mask's white pixels are transparent; a list without a mask draws every pixel; ILD_NORMAL
// draws over the list's background colour when it has one.
TEST(ImageList, StylesAndMasks) {
    const COLORREF c = RGB(10, 20, 30);
    plat::Surface picture(2, 2, c), maskPixels(2, 2, kBlack);
    picture.SetPixel(1, 1, kWhite);
    maskPixels.SetPixel(1, 0, kWhite);
    CBitmap bitmap, mask;
    MakeBitmap(bitmap, picture);
    MakeBitmap(mask, maskPixels);
    CImageList masked, opaque;
    ASSERT_TRUE(masked.Create(2, 2, ILC_COLOR32 | ILC_MASK, 2, 0));
    ASSERT_TRUE(opaque.Create(2, 2, ILC_COLOR32, 1, 0));
    ASSERT_EQ(masked.Add(&bitmap, kWhite), 0);
    ASSERT_EQ(masked.Add(&bitmap, &mask), 1);
    ASSERT_EQ(opaque.Add(&bitmap, kWhite), 0);
    EXPECT_EQ(Drawn(masked, 0, ILD_MASK, 2, 1), Pixels({kBlack, kWhite}));
    EXPECT_EQ(Drawn(masked, 0, ILD_IMAGE, 2, 1), Pixels({c, kBlack}));
    EXPECT_EQ(Drawn(masked, 1, ILD_NORMAL, 2), Pixels({c, kBlue}));
    EXPECT_EQ(Drawn(opaque, 0, ILD_TRANSPARENT, 2, 1), Pixels({c, kWhite}));
    EXPECT_EQ(masked.SetBkColor(RGB(0, 160, 0)), CLR_NONE);
    EXPECT_EQ(Drawn(masked, 0, ILD_NORMAL, 2, 1), Pixels({c, RGB(0, 160, 0)}));
}

// Strips add all their images; removal moves the later ones up; growing adds blank
// images (also where a removed image was). Bad arguments change nothing.
TEST(ImageList, BookkeepingAndBadArguments) {
    plat::Surface strip(30, 3);  // image i in colour RGB(i + 1, 0, 0)
    for (int i = 0; i < 90; ++i) {
        strip.SetPixel(i % 30, i / 30, RGB(i % 30 / 3 + 1, 0, 0));
    }
    CBitmap bitmap, replacement, narrow, empty;
    MakeBitmap(bitmap, strip);
    MakeBitmap(replacement, plat::Surface(3, 3, RGB(200, 0, 0)));
    MakeBitmap(narrow, plat::Surface(2, 3));
    CImageList list;
    EXPECT_FALSE(list.Create(IDB_LOCK, 17, 0, kWhite)) << "wider than the bitmap";
    EXPECT_FALSE(list.Create(3, -1, ILC_MASK, 1, 1));
    EXPECT_FALSE(list.Create(3, 3, ILC_MASK, 1 << 30, 1)) << "no room that large";
    ASSERT_TRUE(list.Create(3, 3, ILC_MASK, 1, 1));
    EXPECT_FALSE(list.Create(3, 3, ILC_MASK, 1, 1)) << "already created";
    ASSERT_EQ(list.Add(&bitmap, kWhite), 0);
    ASSERT_EQ(list.Add(&bitmap, kWhite), 10);
    ASSERT_TRUE(list.Remove(3));
    ASSERT_TRUE(list.Replace(0, &replacement, nullptr));
    for (CBitmap* bad : {&narrow, &empty, static_cast<CBitmap*>(nullptr)}) {
        EXPECT_EQ(list.Add(bad, kWhite), -1);
        EXPECT_FALSE(list.Replace(1, bad, nullptr));
    }
    EXPECT_FALSE(list.Remove(19));
    EXPECT_FALSE(list.SetImageCount(0x7FFFFFFF));
    const int red[] = {200, 2, 3, 5, 6, 7, 8, 9, 10, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    ASSERT_EQ(list.GetImageCount(), 19);
    for (int i = 0; i < 19; ++i) {
        EXPECT_EQ(Drawn(list, i, ILD_NORMAL), Pixels{RGB(red[i], 0, 0)}) << i;
    }
    Target target;
    for (const int image : {19, -1}) {
        EXPECT_FALSE(list.Draw(&target.dc, image, POINT{0, 0}, ILD_NORMAL)) << image;
    }
    EXPECT_FALSE(list.Draw(nullptr, 0, POINT{0, 0}, ILD_NORMAL));
    ASSERT_TRUE(list.SetImageCount(25));
    EXPECT_EQ(Drawn(list, 19, ILD_NORMAL), Pixels{kBlue});
}
