#pragma once
// Block transfers with ternary raster operations (BitBlt, PatBlt) between surfaces.

#include "platform/gdi/Raster.h"

namespace plat {

// Bit 7..0 of the operation's middle byte give the result for (P, S, D) = (1,1,1) ..
// (0,0,0); these say whether an operation reads the source or the pattern at all.
bool RopUsesSource(DWORD rop);
bool RopUsesPattern(DWORD rop);

// Applies rop to every pixel of box (already clipped to dst). The source pixel of (x, y)
// is (x + sourceDx, y + sourceDy) in source, which may be dst itself (overlap is
// handled) and must cover those pixels when the operation reads it. The pattern is a
// brush's Paint; a transparent hatch leaves the pixels under its clear bits alone.
void RasterOp(Surface& dst, const RECT& box, const Surface* source, Coord sourceDx, Coord sourceDy,
              const Paint& pattern, DWORD rop);

}  // namespace plat
