#include "platform/gdi/CImageList.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <utility>

#include "platform/gdi/Resources.h"

namespace plat {

namespace {

// Images per row of the bitmaps, as the common controls lay them out.
constexpr int kColumns = 4;
constexpr COLORREF kTransparent = 0x00FFFFFF;  // mask pixel of a transparent image pixel
constexpr COLORREF kDrawn = 0x00000000;

}  // namespace

struct ImageListData {
    int cx = 0;
    int cy = 0;
    int grow = 0;
    int count = 0;
    COLORREF background = CLR_NONE;
    CBitmap image;
    CBitmap mask;  // holds no bitmap in a list without a mask

    Surface& Pixels() const { return *image.GetSurface(); }
    Surface* Mask() const { return mask.GetSurface(); }
    int Capacity() const { return Pixels().Height() / cy * kColumns; }
    POINT Cell(int index) const { return POINT{index % kColumns * cx, index / kColumns * cy}; }
};

namespace {

// Whether the pixel at (x, y) of a source strip is transparent.
using TransparentTest = std::function<bool(int x, int y, COLORREF pixel)>;

// A new height for surface; the rows that stay keep their pixels, new rows get fill.
bool ResizeRows(Surface& surface, int height, COLORREF fill) {
    Surface resized;
    if (!resized.Reset(surface.Width(), height, fill)) {
        return false;
    }
    const int width = surface.Width();
    for (int y = 0; y < std::min(height, surface.Height()); ++y) {
        std::copy(surface.Row(y), surface.Row(y) + width, resized.Row(y));
    }
    surface = std::move(resized);
    return true;
}

// Room for at least images images, plus the list's growth when it has to grow.
bool Reserve(ImageListData& list, int images) {
    if (images <= list.Capacity()) {
        return true;
    }
    const std::int64_t wanted = std::int64_t{images} + list.grow;
    const std::int64_t height = (wanted + kColumns - 1) / kColumns * list.cy;
    if (height > Surface::kMaxSide) {
        return false;
    }
    // The mask first: a mask taller than the images is harmless, the reverse is not.
    return (!list.Mask() || ResizeRows(*list.Mask(), static_cast<int>(height), kTransparent)) &&
           ResizeRows(list.Pixels(), static_cast<int>(height), kDrawn);
}

void ClearImage(ImageListData& list, int index) {
    const POINT cell = list.Cell(index);
    for (int y = cell.y; y < cell.y + list.cy; ++y) {
        std::fill_n(list.Pixels().Row(y) + cell.x, list.cx, kDrawn);
        if (list.Mask()) {
            std::fill_n(list.Mask()->Row(y) + cell.x, list.cx, kTransparent);
        }
    }
}

void CopyImage(ImageListData& list, int from, int to) {
    const POINT source = list.Cell(from);
    const POINT target = list.Cell(to);
    for (int y = 0; y < list.cy; ++y) {
        const COLORREF* row = list.Pixels().Row(source.y + y) + source.x;
        std::copy(row, row + list.cx, list.Pixels().Row(target.y + y) + target.x);
        if (list.Mask()) {
            const COLORREF* maskRow = list.Mask()->Row(source.y + y) + source.x;
            std::copy(maskRow, maskRow + list.cx, list.Mask()->Row(target.y + y) + target.x);
        }
    }
}

// Image index becomes the cx by cy block of strip at (stripX, 0). Transparent pixels are
// stored black so that drawing can AND the mask and OR the image; pixels beyond the strip
// are blank.
void StoreImage(ImageListData& list, int index, const Surface& strip, int stripX,
                const TransparentTest& transparent) {
    const POINT cell = list.Cell(index);
    Surface* mask = list.Mask();
    for (int y = 0; y < list.cy; ++y) {
        for (int x = 0; x < list.cx; ++x) {
            const COLORREF colour = strip.GetPixel(stripX + x, y);
            const bool blank = colour == CLR_INVALID;
            const bool clear = blank || (mask && transparent(stripX + x, y, colour));
            list.Pixels().SetPixel(cell.x + x, cell.y + y, clear ? kDrawn : colour);
            if (mask) {
                mask->SetPixel(cell.x + x, cell.y + y, clear ? kTransparent : kDrawn);
            }
        }
    }
}

int AddStrip(ImageListData* list, const CBitmap* bitmap, const TransparentTest& transparent) {
    const Surface* strip = bitmap ? bitmap->GetSurface() : nullptr;
    if (!list || !strip) {
        return -1;
    }
    const int images = strip->Width() / list->cx;
    if (images == 0 || !Reserve(*list, list->count + images)) {
        return -1;
    }
    const int first = list->count;
    for (int i = 0; i < images; ++i) {
        StoreImage(*list, first + i, *strip, i * list->cx, transparent);
    }
    list->count += images;
    return first;
}

TransparentTest WhiteInMask(const CBitmap* mask) {
    const Surface* pixels = mask ? mask->GetSurface() : nullptr;
    return [pixels](int x, int y, COLORREF) {
        return pixels && pixels->GetPixel(x, y) == kTransparent;
    };
}

}  // namespace

}  // namespace plat

using plat::ImageListData;

const CRuntimeClass CImageList::runtimeClass =
    plat::MakeRuntimeClass<CImageList, CObject>("CImageList");

CImageList::CImageList() = default;
CImageList::~CImageList() = default;

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
    if (d_ || cx <= 0 || cy <= 0 || cx > plat::Surface::kMaxSide / plat::kColumns ||
        cy > plat::Surface::kMaxSide || initial < 0 || grow < 0) {
        return FALSE;
    }
    auto list = std::make_unique<ImageListData>();
    list->cx = cx;
    list->cy = cy;
    list->grow = grow;
    const int width = cx * plat::kColumns;
    if (!list->image.CreateBitmap(width, cy, 1, 32, nullptr)) {
        return FALSE;
    }
    if (flags & ILC_MASK) {
        if (!list->mask.CreateBitmap(width, cy, 1, 32, nullptr)) {
            return FALSE;
        }
        list->Mask()->Fill(plat::kTransparent);
    }
    if (!plat::Reserve(*list, std::max(initial, 1))) {
        return FALSE;
    }
    d_ = std::move(list);
    m_hImageList = d_.get();
    return TRUE;
}

BOOL CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF crMask) {
    CBitmap strip;
    if (d_ || cx <= 0 || !plat::LoadBitmapResource(bitmapId, strip)) {
        return FALSE;
    }
    const plat::Surface& pixels = *strip.GetSurface();
    const UINT flags = ILC_COLOR32 | (crMask == CLR_NONE ? 0 : ILC_MASK);
    const int images = pixels.Width() / cx;
    if (images == 0 || !Create(cx, pixels.Height(), flags, images, grow)) {
        return FALSE;
    }
    if (Add(&strip, crMask) < 0) {
        DeleteImageList();
        return FALSE;
    }
    return TRUE;
}

BOOL CImageList::DeleteImageList() {
    if (!d_) {
        return FALSE;
    }
    d_.reset();
    m_hImageList = nullptr;
    return TRUE;
}

int CImageList::GetImageCount() const {
    return ImageList_GetImageCount(m_hImageList);
}

BOOL CImageList::SetImageCount(UINT count) {
    if (!d_ || count > static_cast<UINT>(plat::Surface::kMaxPixels) ||
        !plat::Reserve(*d_, static_cast<int>(count))) {
        return FALSE;
    }
    for (int index = d_->count; index < static_cast<int>(count); ++index) {
        plat::ClearImage(*d_, index);
    }
    d_->count = static_cast<int>(count);
    return TRUE;
}

BOOL CImageList::GetImageInfo(int image, IMAGEINFO* info) const {
    if (!d_ || !info || image < 0 || image >= d_->count) {
        return FALSE;
    }
    const POINT cell = d_->Cell(image);
    *info = IMAGEINFO{d_->image.GetSafeHandle(), d_->mask.GetSafeHandle(), 0, 0,
                      RECT{cell.x, cell.y, cell.x + d_->cx, cell.y + d_->cy}};
    return TRUE;
}

COLORREF CImageList::SetBkColor(COLORREF colour) {
    if (!d_) {
        return CLR_NONE;
    }
    return std::exchange(d_->background, colour == CLR_NONE ? CLR_NONE : plat::PixelOf(colour));
}

COLORREF CImageList::GetBkColor() const {
    return d_ ? d_->background : CLR_NONE;
}

int CImageList::Add(CBitmap* bitmap, CBitmap* mask) {
    return plat::AddStrip(d_.get(), bitmap, plat::WhiteInMask(mask));
}

int CImageList::Add(CBitmap* bitmap, COLORREF crMask) {
    const plat::Surface* pixels = bitmap ? bitmap->GetSurface() : nullptr;
    if (!pixels) {
        return -1;
    }
    // CLR_NONE would otherwise read as white once its top byte is dropped.
    const bool keyed = crMask != CLR_NONE;
    const COLORREF key = crMask == CLR_DEFAULT ? pixels->GetPixel(0, 0) : plat::PixelOf(crMask);
    return plat::AddStrip(d_.get(), bitmap,
                          [keyed, key](int, int, COLORREF pixel) { return keyed && pixel == key; });
}

BOOL CImageList::Replace(int image, CBitmap* bitmap, CBitmap* mask) {
    const plat::Surface* strip = bitmap ? bitmap->GetSurface() : nullptr;
    if (!d_ || !strip || image < 0 || image >= d_->count || strip->Width() < d_->cx) {
        return FALSE;
    }
    plat::StoreImage(*d_, image, *strip, 0, plat::WhiteInMask(mask));
    return TRUE;
}

BOOL CImageList::Remove(int image) {
    if (!d_ || image < -1 || image >= d_->count) {
        return FALSE;
    }
    if (image == -1) {
        d_->count = 0;
        return TRUE;
    }
    for (int index = image; index + 1 < d_->count; ++index) {
        plat::CopyImage(*d_, index + 1, index);
    }
    --d_->count;
    return TRUE;
}

BOOL CImageList::Draw(CDC* dc, int image, POINT point, UINT style) {
    if (!d_ || !dc || !dc->GetSafeHdc() || image < 0 || image >= d_->count) {
        return FALSE;
    }
    CDC source;
    if (!source.CreateCompatibleDC(dc)) {
        return FALSE;
    }
    const POINT cell = d_->Cell(image);
    const int cx = d_->cx;
    const int cy = d_->cy;
    const auto blit = [&](CBitmap& bitmap, DWORD rop) {
        return source.SelectObject(&bitmap) &&
               dc->BitBlt(point.x, point.y, cx, cy, &source, cell.x, cell.y, rop);
    };
    const bool masked = d_->Mask() != nullptr;
    if (style & ILD_MASK) {
        return masked ? blit(d_->mask, SRCCOPY) : dc->PatBlt(point.x, point.y, cx, cy, BLACKNESS);
    }
    if (!masked || (style & ILD_IMAGE)) {
        return blit(d_->image, SRCCOPY);
    }
    if (!(style & ILD_TRANSPARENT) && d_->background != CLR_NONE) {
        const COLORREF previous = dc->GetBkColor();
        dc->FillSolidRect(point.x, point.y, cx, cy, d_->background);
        dc->SetBkColor(previous);
    }
    // The mask keeps the destination where transparent and clears it elsewhere; the
    // image, black where transparent, then fills the cleared pixels.
    return blit(d_->mask, SRCAND) && blit(d_->image, SRCPAINT);
}

int ImageList_GetImageCount(HIMAGELIST list) {
    return list ? list->count : 0;
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
    if (!list || !cx || !cy) {
        return FALSE;
    }
    *cx = list->cx;
    *cy = list->cy;
    return TRUE;
}
