#pragma once
// Icons (HICON): a picture with a transparent colour, as the library's icon resources are
// stored (white is transparent there). A handle is a number that maps to its picture and
// is never reused, so drawing a destroyed icon draws nothing.

#include "platform/gdi/Surface.h"
#include "platform/window/WinUser.h"

constexpr UINT DI_MASK = 0x0001;
constexpr UINT DI_IMAGE = 0x0002;
constexpr UINT DI_NORMAL = 0x0003;

namespace plat {

// A new icon of the pixels; nullptr for an empty surface. The caller destroys it.
SUI_API HICON CreateIconFromSurface(const Surface& pixels,
                                    COLORREF transparent = RGB(255, 255, 255));
// Icon resource id of the newest module on the chain that holds it; nullptr when none
// does. The caller destroys it.
SUI_API HICON LoadIconResourceHandle(UINT id);
// The icon's pixels, nullptr for a handle that is not (or no longer) an icon.
SUI_API const Surface* IconPixels(HICON icon);
// The colour of its pixels that are not drawn; CLR_INVALID for a handle that is not an
// icon.
SUI_API COLORREF IconTransparentColour(HICON icon);
// Its size, (0, 0) for a handle that is not an icon.
SUI_API CSize IconSize(HICON icon);

}  // namespace plat

SUI_API BOOL DestroyIcon(HICON icon);
// Draws the icon with its top-left corner at (x, y) (logical coordinates), its transparent
// pixels left alone. A width or height of 0 means the icon's own; other sizes scale it
// (nearest pixel). FALSE for a bad handle or context.
SUI_API BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int cx, int cy, UINT step,
                        HBRUSH flickerFree, UINT flags);
SUI_API BOOL DrawIcon(HDC hdc, int x, int y, HICON icon);
