#pragma once
// CImageList: the framework's list of equal-sized images, each with an optional mask of
// transparent pixels. The images sit four to a row in one image bitmap and the mask in a
// mask bitmap of the same size (white = transparent, black = drawn); the image pixels
// under the mask are kept black, so a transparent draw is two block transfers through the
// device context (its origins and clip apply).

#include <memory>

#include "platform/core/CObject.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"

// Creation flags. Every list is 32-bit; the colour-depth flags are accepted and ignored.
constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR = 0x0000;
constexpr UINT ILC_COLORDDB = 0x00FE;
constexpr UINT ILC_COLOR4 = 0x0004;
constexpr UINT ILC_COLOR8 = 0x0008;
constexpr UINT ILC_COLOR16 = 0x0010;
constexpr UINT ILC_COLOR24 = 0x0018;
constexpr UINT ILC_COLOR32 = 0x0020;

// Drawing styles. ILD_NORMAL draws transparently while the list's background colour is
// CLR_NONE (the default), else over that colour; ILD_TRANSPARENT always draws
// transparently. The blend styles are accepted and draw unblended.
constexpr UINT ILD_NORMAL = 0x0000;
constexpr UINT ILD_TRANSPARENT = 0x0001;
constexpr UINT ILD_BLEND25 = 0x0002;
constexpr UINT ILD_FOCUS = ILD_BLEND25;
constexpr UINT ILD_BLEND50 = 0x0004;
constexpr UINT ILD_SELECTED = ILD_BLEND50;
constexpr UINT ILD_BLEND = ILD_BLEND50;
constexpr UINT ILD_MASK = 0x0010;
constexpr UINT ILD_IMAGE = 0x0020;

struct IMAGEINFO {
    HBITMAP hbmImage;
    HBITMAP hbmMask;  // null for a list without a mask
    int Unused1;
    int Unused2;
    RECT rcImage;  // the image's place in both bitmaps
};

namespace plat {
struct ImageListData;
}
using HIMAGELIST = plat::ImageListData*;

class SUI_API CImageList : public CObject {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    CImageList();
    ~CImageList() override;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    HIMAGELIST m_hImageList = nullptr;
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    operator HIMAGELIST() const { return m_hImageList; }  // NOLINT: the framework converts

    // An empty list of cx by cy images, with a mask when flags hold ILC_MASK; initial and
    // grow are the room reserved at first and added whenever the list is full. FALSE
    // when the list exists already or the size is not positive or too large.
    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    // The images of bitmap resource bitmapId (found on the module chain), cx wide and
    // as high as the bitmap, left to right. Unless crMask is CLR_NONE the list has a mask
    // and the pixels of colour crMask are transparent (CLR_DEFAULT: the colour of the
    // top-left pixel).
    BOOL Create(UINT bitmapId, int cx, int grow, COLORREF crMask);
    BOOL DeleteImageList();

    int GetImageCount() const;
    // Grows with blank (fully transparent) images or drops images from the end.
    BOOL SetImageCount(UINT count);
    BOOL GetImageInfo(int image, IMAGEINFO* info) const;
    // The colour ILD_NORMAL draws under transparent pixels; CLR_NONE for none. Answers
    // the previous colour (CLR_NONE without a list).
    COLORREF SetBkColor(COLORREF colour);
    COLORREF GetBkColor() const;

    // Adds the images of bitmap, a strip of its width / cx images (rows beyond its height
    // are transparent). White pixels of mask (may be null) are transparent; a list
    // without a mask ignores it. Answers the index of the first image added, or -1.
    int Add(CBitmap* bitmap, CBitmap* mask);
    // The same with the pixels of colour crMask transparent (CLR_DEFAULT: the colour of
    // the bitmap's top-left pixel).
    int Add(CBitmap* bitmap, COLORREF crMask);
    // Image number image becomes the first image of bitmap.
    BOOL Replace(int image, CBitmap* bitmap, CBitmap* mask);
    // Removes one image, the later ones moving up; -1 removes all.
    BOOL Remove(int image);

    // Draws image with its top-left corner at point (logical coordinates of dc).
    BOOL Draw(CDC* dc, int image, POINT point, UINT style);

private:
    std::unique_ptr<plat::ImageListData> d_;
};

SUI_API int ImageList_GetImageCount(HIMAGELIST list);
SUI_API BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
