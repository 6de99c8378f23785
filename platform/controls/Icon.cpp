#include "platform/controls/Icon.h"

#include <cstdint>
#include <map>

#include "platform/gdi/CDC.h"
#include "platform/gdi/Resources.h"

namespace plat {
namespace {

struct IconRecord {
    Surface pixels;
    COLORREF transparent;
};

struct IconTable {
    std::uintptr_t next = 1;
    std::map<std::uintptr_t, IconRecord> icons;
};

IconTable& Table() {
    static IconTable table;
    return table;
}

const IconRecord* Find(HICON icon) {
    const auto& icons = Table().icons;
    const auto it = icons.find(reinterpret_cast<std::uintptr_t>(icon));
    return it == icons.end() ? nullptr : &it->second;
}

}  // namespace

HICON CreateIconFromSurface(const Surface& pixels, COLORREF transparent) {
    if (pixels.IsEmpty()) {
        return nullptr;
    }
    IconTable& table = Table();
    const std::uintptr_t id = table.next++;
    table.icons.emplace(id, IconRecord{pixels, PixelOf(transparent)});
    return reinterpret_cast<HICON>(id);
}

HICON LoadIconResourceHandle(UINT id) {
    Surface pixels;
    return LoadIconResource(id, pixels) ? CreateIconFromSurface(pixels) : nullptr;
}

const Surface* IconPixels(HICON icon) {
    const IconRecord* record = Find(icon);
    return record ? &record->pixels : nullptr;
}

COLORREF IconTransparentColour(HICON icon) {
    const IconRecord* record = Find(icon);
    return record ? record->transparent : CLR_INVALID;
}

CSize IconSize(HICON icon) {
    const Surface* pixels = IconPixels(icon);
    return pixels ? CSize(pixels->Width(), pixels->Height()) : CSize(0, 0);
}

}  // namespace plat

BOOL DestroyIcon(HICON icon) {
    return plat::Table().icons.erase(reinterpret_cast<std::uintptr_t>(icon)) > 0 ? TRUE : FALSE;
}

BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int cx, int cy, UINT, HBRUSH, UINT) {
    const plat::IconRecord* record = plat::Find(icon);
    CDC* dc = CDC::FromHandle(hdc);
    if (!record || !dc) {
        return FALSE;
    }
    const plat::Surface& pixels = record->pixels;
    const int width = cx > 0 ? cx : pixels.Width();
    const int height = cy > 0 ? cy : pixels.Height();
    for (int row = 0; row < height; ++row) {
        const int sourceRow = row * pixels.Height() / height;
        for (int column = 0; column < width; ++column) {
            const COLORREF colour = pixels.GetPixel(column * pixels.Width() / width, sourceRow);
            if (colour != record->transparent) {
                dc->SetPixel(x + column, y + row, colour);
            }
        }
    }
    return TRUE;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon) {
    return DrawIconEx(hdc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
}
