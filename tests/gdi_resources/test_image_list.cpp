// Image lists: cutting strips into images, transparent drawing through a device context,
// and the list's own bookkeeping (growth, removal, replacement, blank images).

#include <gtest/gtest.h>

#include "PngTestSupport.h"
#include "platform/gdi/CImageList.h"
#include "platform/gdi/Resources.h"
#include "resources/ResourceIds.h"

using namespace resources_test;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlue = RGB(0, 0, 200);
constexpr COLORREF kGreen = RGB(0, 160, 0);

// A surface with a device context drawing into it.
struct Target {
    explicit Target(int width = 40, int height = 40, COLORREF fill = kBlue)
        : surface(width, height, fill) {
        dc.AttachSurface(surface);
    }
    plat::Surface surface;
    CDC dc;
};

// A strip of count images of size x size, image i filled with colour RGB(i + 1, ...),
// with a white pixel at (1, 1) of every image.
plat::Surface NumberedStrip(int count, int size) {
    plat::Surface strip(count * size, size);
    for (int i = 0; i < count; ++i) {
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                strip.SetPixel(i * size + x, y, RGB(i + 1, 50, 100));
            }
        }
        strip.SetPixel(i * size + 1, 1, kWhite);
    }
    return strip;
}

// The colour image list image was filled with, read back by drawing it.
COLORREF ColourOf(CImageList& list, int image) {
    Target target(8, 8);
    EXPECT_TRUE(list.Draw(&target.dc, image, POINT{0, 0}, ILD_TRANSPARENT));
    return target.surface.GetPixel(0, 0);
}

}  // namespace

TEST(ImageList, CreatedFromABitmapResourceCutsItsStrip) {
    CImageList icons;
    ASSERT_TRUE(icons.Create(IDB_STATE_ICONS, 16, 0, kWhite));
    EXPECT_EQ(icons.GetImageCount(), 26);
    int cx = 0;
    int cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(icons, &cx, &cy));
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
    EXPECT_FALSE(icons.Create(IDB_STATE_ICONS, 16, 0, kWhite)) << "already created";

    CImageList balls;
    ASSERT_TRUE(balls.Create(IDB_STATUS_BALLS, 16, 1, kWhite));
    EXPECT_EQ(balls.GetImageCount(), 4);

    CImageList missing;
    EXPECT_FALSE(missing.Create(14999, 16, 0, kWhite));
    EXPECT_EQ(missing.GetSafeHandle(), nullptr);
    EXPECT_FALSE(missing.Create(IDB_LOCK, 17, 0, kWhite)) << "wider than the bitmap";
    EXPECT_FALSE(missing.Create(IDB_LOCK, 0, 0, kWhite));
}

TEST(ImageList, TransparentPixelsLeaveTheDestinationAlone) {
    CBitmap bitmap;
    ASSERT_TRUE(plat::LoadBitmapResource(IDB_STATUS_BALLS, bitmap));
    const plat::Surface& balls = *bitmap.GetSurface();
    CImageList list;
    ASSERT_TRUE(list.Create(16, 16, ILC_COLOR24 | ILC_MASK, 4, 0));
    ASSERT_EQ(list.Add(&bitmap, kWhite), 0);

    for (const UINT style : {ILD_NORMAL, ILD_TRANSPARENT}) {
        for (int ball = 0; ball < 4; ++ball) {
            Target target;
            ASSERT_TRUE(list.Draw(&target.dc, ball, POINT{10, 12}, style));
            for (int y = 0; y < 40; ++y) {
                for (int x = 0; x < 40; ++x) {
                    const COLORREF source = balls.GetPixel(ball * 16 + x - 10, y - 12);
                    const bool inside = x >= 10 && x < 26 && y >= 12 && y < 28;
                    const COLORREF expected = inside && source != kWhite ? source : kBlue;
                    ASSERT_EQ(target.surface.GetPixel(x, y), expected)
                        << "ball " << ball << " at " << x << "," << y;
                }
            }
        }
    }
    // The corner of a ball is transparent, its centre drawn in the ball's colour.
    Target target;
    list.Draw(&target.dc, 0, POINT{0, 0}, ILD_NORMAL);
    EXPECT_EQ(target.surface.GetPixel(0, 0), kBlue);
    const COLORREF centre = target.surface.GetPixel(8, 8);
    EXPECT_GT(GetRValue(centre), 120);
    EXPECT_LT(GetGValue(centre), 90);
}

TEST(ImageList, BackgroundColourMaskAndImageStyles) {
    CBitmap bitmap;
    MakeBitmap(bitmap, NumberedStrip(2, 4));
    CImageList list;
    ASSERT_TRUE(list.Create(4, 4, ILC_COLOR32 | ILC_MASK, 2, 0));
    ASSERT_EQ(list.Add(&bitmap, kWhite), 0);
    const COLORREF first = RGB(1, 50, 100);

    EXPECT_EQ(list.SetBkColor(kGreen), CLR_NONE);
    EXPECT_EQ(list.GetBkColor(), kGreen);
    Target normal;
    const COLORREF dcBackground = normal.dc.SetBkColor(RGB(7, 7, 7));
    ASSERT_TRUE(list.Draw(&normal.dc, 0, POINT{0, 0}, ILD_NORMAL));
    EXPECT_EQ(normal.surface.GetPixel(1, 1), kGreen) << "transparent pixel over the colour";
    EXPECT_EQ(normal.surface.GetPixel(2, 2), first);
    EXPECT_EQ(normal.dc.GetBkColor(), RGB(7, 7, 7)) << "the context's colour is restored";
    EXPECT_NE(dcBackground, CLR_INVALID);

    Target transparent;
    ASSERT_TRUE(list.Draw(&transparent.dc, 0, POINT{0, 0}, ILD_TRANSPARENT));
    EXPECT_EQ(transparent.surface.GetPixel(1, 1), kBlue);

    Target mask;
    ASSERT_TRUE(list.Draw(&mask.dc, 0, POINT{0, 0}, ILD_MASK));
    EXPECT_EQ(mask.surface.GetPixel(1, 1), kWhite);
    EXPECT_EQ(mask.surface.GetPixel(2, 2), RGB(0, 0, 0));
    EXPECT_EQ(mask.surface.GetPixel(4, 4), kBlue);

    // Masked pixels are stored black, as the framework stores them.
    Target image;
    ASSERT_TRUE(list.Draw(&image.dc, 0, POINT{0, 0}, ILD_IMAGE));
    EXPECT_EQ(image.surface.GetPixel(1, 1), RGB(0, 0, 0));
    EXPECT_EQ(image.surface.GetPixel(0, 0), first);

    // A list without a mask draws every pixel, white included.
    CImageList opaque;
    ASSERT_TRUE(opaque.Create(4, 4, ILC_COLOR32, 2, 0));
    ASSERT_EQ(opaque.Add(&bitmap, kWhite), 0);
    Target plain;
    ASSERT_TRUE(opaque.Draw(&plain.dc, 1, POINT{0, 0}, ILD_TRANSPARENT));
    EXPECT_EQ(plain.surface.GetPixel(1, 1), kWhite);
    IMAGEINFO info{};
    ASSERT_TRUE(opaque.GetImageInfo(1, &info));
    EXPECT_EQ(info.hbmMask, nullptr);
}

TEST(ImageList, DrawingFollowsTheContextsOriginAndClip) {
    CImageList list;
    ASSERT_TRUE(list.Create(IDB_LOCK, 16, 0, kWhite));
    CBitmap bitmap;
    ASSERT_TRUE(plat::LoadBitmapResource(IDB_LOCK, bitmap));
    const plat::Surface& lock = *bitmap.GetSurface();

    Target target;
    target.dc.SetViewportOrg(5, 5);
    target.dc.IntersectClipRect(0, 0, 8, 40);  // logical, so x < 13 on the surface
    ASSERT_TRUE(list.Draw(&target.dc, 0, POINT{2, 3}, ILD_TRANSPARENT));
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            const COLORREF source = lock.GetPixel(x - 7, y - 8);
            const bool drawn = x < 13 && source != CLR_INVALID && source != kWhite;
            ASSERT_EQ(target.surface.GetPixel(x, y), drawn ? source : kBlue) << x << "," << y;
        }
    }
}

TEST(ImageList, GrowsRemovesReplacesAndBlanks) {
    CImageList list;
    ASSERT_TRUE(list.Create(3, 3, ILC_MASK, 1, 1));
    for (int i = 0; i < 10; ++i) {
        CBitmap one;
        plat::Surface picture = NumberedStrip(1, 3);
        picture.Fill(RGB(i + 1, 50, 100));
        MakeBitmap(one, picture);
        ASSERT_EQ(list.Add(&one, kWhite), i);
    }
    CBitmap three;
    MakeBitmap(three, NumberedStrip(3, 3));
    ASSERT_EQ(list.Add(&three, kWhite), 10) << "a strip adds all its images";
    ASSERT_EQ(list.GetImageCount(), 13);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(ColourOf(list, i), RGB(i + 1, 50, 100)) << i;
    }
    EXPECT_EQ(ColourOf(list, 12), RGB(3, 50, 100));

    // Images sit four to a row of the list's bitmaps.
    IMAGEINFO info{};
    ASSERT_TRUE(list.GetImageInfo(5, &info));
    EXPECT_EQ(info.rcImage.left, 3);
    EXPECT_EQ(info.rcImage.top, 3);
    EXPECT_EQ(info.rcImage.right, 6);
    EXPECT_EQ(info.rcImage.bottom, 6);
    EXPECT_NE(info.hbmImage, nullptr);
    EXPECT_NE(info.hbmMask, nullptr);

    ASSERT_TRUE(list.Remove(3));
    EXPECT_EQ(list.GetImageCount(), 12);
    EXPECT_EQ(ColourOf(list, 2), RGB(3, 50, 100));
    EXPECT_EQ(ColourOf(list, 3), RGB(5, 50, 100));
    EXPECT_EQ(ColourOf(list, 8), RGB(10, 50, 100));

    CBitmap replacement;
    MakeBitmap(replacement, plat::Surface(3, 3, RGB(200, 0, 0)));
    ASSERT_TRUE(list.Replace(0, &replacement, nullptr));
    EXPECT_EQ(ColourOf(list, 0), RGB(200, 0, 0));

    // Growing adds blank images, which draw nothing; shrinking drops the last ones.
    ASSERT_TRUE(list.SetImageCount(20));
    EXPECT_EQ(list.GetImageCount(), 20);
    EXPECT_EQ(ColourOf(list, 19), kBlue);
    EXPECT_EQ(ColourOf(list, 12), kBlue) << "the slot of a removed image comes back blank";
    ASSERT_TRUE(list.SetImageCount(2));
    EXPECT_EQ(list.GetImageCount(), 2);
    Target target;
    EXPECT_FALSE(list.Draw(&target.dc, 2, POINT{0, 0}, ILD_NORMAL));
    ASSERT_TRUE(list.Remove(-1));
    EXPECT_EQ(list.GetImageCount(), 0);
}

TEST(ImageList, AnExplicitMaskMarksWhitePixelsTransparent) {
    CBitmap bitmap;
    MakeBitmap(bitmap, plat::Surface(2, 2, RGB(10, 20, 30)));
    plat::Surface maskPixels(2, 2, RGB(0, 0, 0));
    maskPixels.SetPixel(1, 0, kWhite);
    CBitmap mask;
    MakeBitmap(mask, maskPixels);
    CImageList list;
    ASSERT_TRUE(list.Create(2, 2, ILC_MASK, 1, 0));
    ASSERT_EQ(list.Add(&bitmap, &mask), 0);
    ASSERT_EQ(list.Add(&bitmap, nullptr), 1);

    Target target(4, 2);
    ASSERT_TRUE(list.Draw(&target.dc, 0, POINT{0, 0}, ILD_NORMAL));
    ASSERT_TRUE(list.Draw(&target.dc, 1, POINT{2, 0}, ILD_NORMAL));
    EXPECT_EQ(target.surface.GetPixel(0, 0), RGB(10, 20, 30));
    EXPECT_EQ(target.surface.GetPixel(1, 0), kBlue);
    EXPECT_EQ(target.surface.GetPixel(3, 0), RGB(10, 20, 30)) << "no mask: all drawn";
}

TEST(ImageList, BadArgumentsAreRefused) {
    CImageList list;
    Target target;
    EXPECT_FALSE(list.Draw(&target.dc, 0, POINT{0, 0}, ILD_NORMAL)) << "never created";
    EXPECT_EQ(list.GetImageCount(), 0);
    EXPECT_FALSE(list.Create(0, 16, ILC_MASK, 1, 1));
    EXPECT_FALSE(list.Create(16, -1, ILC_MASK, 1, 1));
    EXPECT_FALSE(list.Create(1 << 20, 16, ILC_MASK, 1, 1));
    EXPECT_FALSE(list.Create(16, 16, ILC_MASK, -1, 1));
    EXPECT_FALSE(list.Create(16, 16, ILC_MASK, 1 << 30, 1)) << "no room that large";
    ASSERT_TRUE(list.Create(16, 16, ILC_MASK, 1, 1));

    CBitmap narrow;
    MakeBitmap(narrow, plat::Surface(15, 16, kGreen));
    EXPECT_EQ(list.Add(&narrow, kWhite), -1);
    EXPECT_EQ(list.Add(nullptr, kWhite), -1);
    CBitmap empty;
    EXPECT_EQ(list.Add(&empty, nullptr), -1);
    EXPECT_FALSE(list.Replace(0, &narrow, nullptr));
    EXPECT_EQ(list.GetImageCount(), 0);

    CBitmap image;
    MakeBitmap(image, plat::Surface(16, 8, kGreen));  // shorter than the list's images
    ASSERT_EQ(list.Add(&image, kWhite), 0);
    EXPECT_FALSE(list.Draw(&target.dc, 1, POINT{0, 0}, ILD_NORMAL));
    EXPECT_FALSE(list.Draw(&target.dc, -1, POINT{0, 0}, ILD_NORMAL));
    EXPECT_FALSE(list.Draw(nullptr, 0, POINT{0, 0}, ILD_NORMAL));
    EXPECT_FALSE(list.Remove(1));
    EXPECT_FALSE(list.SetImageCount(0x7FFFFFFF));
    EXPECT_EQ(list.GetImageCount(), 1);

    ASSERT_TRUE(list.Draw(&target.dc, 0, POINT{0, 0}, ILD_NORMAL));
    EXPECT_EQ(target.surface.GetPixel(0, 7), kGreen);
    EXPECT_EQ(target.surface.GetPixel(0, 8), kBlue) << "rows the bitmap lacks are blank";
    EXPECT_TRUE(list.DeleteImageList());
    EXPECT_FALSE(list.DeleteImageList());
    EXPECT_EQ(list.GetSafeHandle(), nullptr);
}
