// Glyph blending and the pieces of a drawn line of text.

#include "platform/gdi/TextRaster.h"

#include <algorithm>
#include <cstdint>

namespace plat {

namespace {

// Blends two colours' channels at once: red and blue share one 32-bit word (16 bits each,
// room for s * a + d * (255 - a) + 128 <= 65153), green takes another. Per channel the
// result is round((s * a + d * (255 - a)) / 255), with x / 255 rounded exactly as
// (x + 128 + ((x + 128) >> 8)) >> 8.
COLORREF Blend(COLORREF pixel, COLORREF colour, unsigned a) {
    constexpr std::uint32_t kRedBlue = 0x00FF00FF;
    constexpr std::uint32_t kGreen = 0x0000FF00;
    const unsigned keep = 255 - a;
    std::uint32_t rb = (colour & kRedBlue) * a + (pixel & kRedBlue) * keep + 0x00800080;
    rb = ((rb + ((rb >> 8) & kRedBlue)) >> 8) & kRedBlue;
    std::uint32_t g = ((colour & kGreen) >> 8) * a + ((pixel & kGreen) >> 8) * keep + 0x80;
    g = ((g + (g >> 8)) >> 8) & 0xFF;
    return rb | (g << 8);
}

// A stroke (underline, strike-out, prefix mark) across [x0, x1) of the line.
void FillStroke(Rasteriser& r, Coord x0, Coord x1, Coord baseline, const LineStroke& stroke,
                COLORREF colour) {
    const Coord top = baseline + stroke.offset;
    r.FillBox(Box64{std::min(x0, x1), top, std::max(x0, x1), top + stroke.thickness},
              Paint::Solid(colour));
}

// Whether any pixel of the line's rows can be inside the clip.
bool RowsVisible(const RECT& clip, Coord baseline, const FontMetrics& m) {
    const Coord reach = m.tm.tmHeight + m.ppem;  // glyphs may overshoot the cell a little
    return baseline + reach > clip.top && baseline - reach < clip.bottom;
}

void DrawGlyphs(Surface& surface, const RECT& clip, RealFont& font, const TextLine& line,
                Coord left, Coord baseline, COLORREF colour) {
    const FontMetrics& m = font.Metrics();
    // Glyphs reach no further from their pen position than the widest one.
    const Coord reach = m.tm.tmMaxCharWidth + m.ppem;
    for (const PlacedChar& c : line.chars) {
        const Coord pen = left + c.x;
        if (pen + reach <= clip.left || pen - reach >= clip.right) {
            continue;  // skipping here spares long texts the glyph look-ups
        }
        BlendGlyph(surface, clip, font.GlyphOf(c.byte), pen, baseline, colour);
    }
}

}  // namespace

void BlendGlyph(Surface& surface, const RECT& clip, const Glyph& glyph, Coord penX, Coord baseline,
                COLORREF colour) {
    const RECT bounds = surface.Bounds();
    const Coord x0 = penX + glyph.left;
    const Coord y0 = baseline - glyph.top;
    const Coord left = std::max<Coord>({x0, clip.left, bounds.left});
    const Coord top = std::max<Coord>({y0, clip.top, bounds.top});
    const Coord right = std::min<Coord>({x0 + glyph.width, clip.right, bounds.right});
    const Coord bottom = std::min<Coord>({y0 + glyph.height, clip.bottom, bounds.bottom});
    const COLORREF ink = PixelOf(colour);
    for (Coord y = top; y < bottom; ++y) {
        const std::uint8_t* cover =
            glyph.coverage.data() + static_cast<std::size_t>((y - y0) * glyph.width + (left - x0));
        COLORREF* pixel = surface.Row(static_cast<int>(y)) + left;
        for (Coord x = left; x < right; ++x, ++cover, ++pixel) {
            const unsigned a = *cover;
            if (a == 255) {
                *pixel = ink;
            } else if (a != 0) {
                *pixel = Blend(*pixel, ink, a);
            }
        }
    }
}

void DrawTextLine(Surface& surface, const RECT& clip, RealFont& font, const TextLine& line,
                  Coord left, Coord baseline, const TextPaint& paint) {
    const FontMetrics& m = font.Metrics();
    Rasteriser r(surface, clip);
    if (r.NothingVisible() || !RowsVisible(r.Clip(), baseline, m)) {
        return;
    }
    const Coord right = left + line.width;
    if (paint.opaque) {
        r.FillBox(Box64{std::min(left, right), baseline - m.tm.tmAscent, std::max(left, right),
                        baseline + m.tm.tmDescent},
                  Paint::Solid(paint.background));
    }
    if (paint.glyphs) {
        DrawGlyphs(surface, r.Clip(), font, line, left, baseline, paint.colour);
    }
    if (paint.underline) {
        FillStroke(r, left, right, baseline, m.underline, paint.colour);
    }
    if (paint.strikeOut) {
        FillStroke(r, left, right, baseline, m.strikeOut, paint.colour);
    }
    if (line.prefixed) {
        const std::size_t i = *line.prefixed;
        FillStroke(r, left + line.StartOf(i), left + line.StartOf(i + 1), baseline, m.underline,
                   paint.colour);
    }
}

}  // namespace plat
