#pragma once
// Loading the resources of the modules on the extension-module chain by id, newest
// module first: bitmaps and icons are stored as PNG pictures, strings as Windows-1252
// text. A missing resource or damaged bytes fail the load and change nothing.

#include "platform/core/CString.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Surface.h"

namespace plat {

// Bitmap resource id into bitmap, which must not hold a bitmap yet.
SUI_API BOOL LoadBitmapResource(UINT id, CBitmap& bitmap);
// The pixels of icon resource id. As in the bitmaps, white is the transparent colour.
SUI_API bool LoadIconResource(UINT id, Surface& icon);
// String resource id into text.
SUI_API BOOL LoadStringResource(UINT id, CString& text);

}  // namespace plat

// The framework's string loader: copies at most size - 1 bytes of string id and a NUL
// into buffer and answers the number of bytes copied; 0 (an empty buffer when it has
// room) when the string is missing.
SUI_API int AfxLoadString(UINT id, LPSTR buffer, UINT size = 256);
