#pragma once
// Drawing laid-out text into a surface: glyph coverage blended over the pixels in the
// text colour, the background cell, underline and strike-out. Surface coordinates; the
// caller holds the font's lock. Private to the drawing layer.

#include "platform/gdi/FontEngine.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/TextLayout.h"

namespace plat {

struct TextPaint {
    COLORREF colour = 0;
    bool opaque = false;  // fill the cell (advance width x tmHeight) with the background
    COLORREF background = 0;
    bool underline = false;
    bool strikeOut = false;
    bool glyphs = true;  // false draws only the prefix underline (DT_PREFIXONLY)
};

// The line's first pen position is `left`; `baseline` is the first row below the
// baseline (the row the underline starts from).
void DrawTextLine(Surface& surface, const RECT& clip, RealFont& font, const TextLine& line,
                  Coord left, Coord baseline, const TextPaint& paint);

// One glyph at a pen position: pixel = (text * a + pixel * (255 - a)) / 255 per channel,
// rounded, for coverage a.
void BlendGlyph(Surface& surface, const RECT& clip, const Glyph& glyph, Coord penX, Coord baseline,
                COLORREF colour);

}  // namespace plat
