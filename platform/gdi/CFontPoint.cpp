// CFont's point-size creation (the rest of CFont is with the other drawing objects in
// GdiObjects.cpp).

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"

BOOL CFont::CreatePointFont(int pointSize, LPCSTR faceName, CDC* dc) {
    LOGFONTA logFont{};
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = pointSize;
    if (faceName) {
        std::strncpy(logFont.lfFaceName, faceName, LF_FACESIZE - 1);
    }
    return CreatePointFontIndirect(&logFont, dc);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTA* logFont, CDC* dc) {
    if (!logFont) {
        return FALSE;
    }
    const std::int64_t dpi =
        dc ? dc->GetDeviceCaps(LOGPIXELSY) : plat::ScreenDeviceInfo().logPixelsY;
    // Truncating, as the framework divides; the logical height is the device height in
    // MM_TEXT. 64 bits keep a huge point size from overflowing before the division.
    const std::int64_t pixels = dpi * logFont->lfHeight / 720;
    LOGFONTA sized = *logFont;
    sized.lfHeight = static_cast<LONG>(-std::min<std::int64_t>(std::llabs(pixels), INT32_MAX));
    return CreateFontIndirect(&sized);
}
