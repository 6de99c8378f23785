#pragma once
// Pictures for the PNG and image-list tests.

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Surface.h"

namespace resources_test {

// A surface of seeded random colours.
plat::Surface RandomSurface(int width, int height, unsigned seed);

// bitmap takes a copy of surface's pixels.
void MakeBitmap(CBitmap& bitmap, const plat::Surface& surface);

}  // namespace resources_test
