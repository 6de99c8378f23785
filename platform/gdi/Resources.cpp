#include "platform/gdi/Resources.h"

#include <algorithm>
#include <cstring>

#include "platform/core/ExtensionModule.h"
#include "platform/gdi/Png.h"

namespace plat {

namespace {

bool LoadPicture(UINT id, ResourceType type, Surface& picture) {
    const std::span<const std::byte> bytes = FindResourceOnChain(id, type);
    return !bytes.empty() && LoadPng(bytes, picture);
}

std::string_view StringOnChain(UINT id) {
    const std::span<const std::byte> bytes = FindResourceOnChain(id, ResourceType::String);
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

BOOL LoadBitmapResource(UINT id, CBitmap& bitmap) {
    if (bitmap.GetSafeHandle()) {
        return FALSE;
    }
    Surface picture;
    if (!LoadPicture(id, ResourceType::Bitmap, picture) ||
        !bitmap.CreateBitmap(picture.Width(), picture.Height(), 1, 32, nullptr)) {
        return FALSE;
    }
    *bitmap.GetSurface() = std::move(picture);
    return TRUE;
}

bool LoadIconResource(UINT id, Surface& icon) {
    return LoadPicture(id, ResourceType::Icon, icon);
}

BOOL LoadStringResource(UINT id, CString& text) { return text.LoadString(id); }

}  // namespace plat

int AfxLoadString(UINT id, LPSTR buffer, UINT size) {
    if (!buffer || size == 0) {
        return 0;
    }
    const std::string_view found = plat::StringOnChain(id);
    const std::size_t count = std::min<std::size_t>(found.size(), size - 1);
    if (count > 0) {
        std::memcpy(buffer, found.data(), count);
    }
    buffer[count] = '\0';
    return static_cast<int>(count);
}

BOOL CBitmap::LoadBitmap(UINT resourceId) { return plat::LoadBitmapResource(resourceId, *this); }
