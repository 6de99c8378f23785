#include "platform/gdi/Blit.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace plat {

namespace {

std::uint8_t RopIndex(DWORD rop) {
    return static_cast<std::uint8_t>((rop >> 16) & 0xFF);
}

constexpr std::uint8_t kSourceCopy = 0xCC;
constexpr std::uint8_t kPatternCopy = 0xF0;
constexpr std::uint8_t kBlackness = 0x00;
constexpr std::uint8_t kWhiteness = 0xFF;

// Evaluates the truth table bitwise over all 32 bits at once.
std::uint32_t ApplyRop(std::uint8_t index, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
    std::uint32_t result = 0;
    for (int bit = 0; bit < 8; ++bit) {
        if (index & (1 << bit)) {
            result |= ((bit & 4) ? p : ~p) & ((bit & 2) ? s : ~s) & ((bit & 1) ? d : ~d);
        }
    }
    return result & 0x00FFFFFF;
}

// The pattern's colour at (x, y); false where a transparent hatch leaves the pixel alone.
bool PatternAt(const Paint& pattern, Coord x, Coord y, std::uint32_t& colour) {
    if (pattern.kind == Paint::Kind::Solid) {
        colour = pattern.colour;
        return true;
    }
    const std::uint8_t bits = kHatchPatterns[pattern.hatch][(y - pattern.originY) & 7];
    if (bits & (0x80 >> ((x - pattern.originX) & 7))) {
        colour = pattern.colour;
        return true;
    }
    colour = pattern.background;
    return pattern.opaqueBackground;
}

}  // namespace

bool RopUsesSource(DWORD rop) {
    const std::uint8_t index = RopIndex(rop);
    return ((index >> 2) & 0x33) != (index & 0x33);
}

bool RopUsesPattern(DWORD rop) {
    const std::uint8_t index = RopIndex(rop);
    return ((index >> 4) & 0x0F) != (index & 0x0F);
}

void RasterOp(Surface& dst, const RECT& box, const Surface* source, Coord sourceDx, Coord sourceDy,
              const Paint& pattern, DWORD rop) {
    if (IsRectEmpty(&box)) {
        return;
    }
    const std::uint8_t index = RopIndex(rop);
    const bool usesSource = RopUsesSource(rop) && source;
    const bool usesPattern = RopUsesPattern(rop);
    if (usesPattern && pattern.kind == Paint::Kind::None) {
        return;  // a null brush paints nothing
    }
    const int width = box.right - box.left;
    const std::size_t rowBytes = sizeof(COLORREF) * static_cast<std::size_t>(width);
    // Within one surface, rows are walked away from the overlap so that no source row is
    // written before it is read; within one row, memmove (or a copy of the row) copes.
    const bool bottomUp = source == &dst && sourceDy < 0;
    std::vector<COLORREF> sourceRow(usesSource ? width : 0);
    for (int n = 0; n < box.bottom - box.top; ++n) {
        const int y = bottomUp ? box.bottom - 1 - n : box.top + n;
        COLORREF* row = dst.Row(y) + box.left;
        const COLORREF* from =
            usesSource ? source->Row(static_cast<int>(y + sourceDy)) + box.left + sourceDx
                       : nullptr;
        if (index == kSourceCopy && from) {
            std::memmove(row, from, rowBytes);
            continue;
        }
        if (index == kBlackness || index == kWhiteness) {
            FillPixels(row, static_cast<std::size_t>(width), index == kBlackness ? 0 : 0x00FFFFFF);
            continue;
        }
        if (from) {
            std::memcpy(sourceRow.data(), from, rowBytes);
        }
        for (int i = 0; i < width; ++i) {
            std::uint32_t p = 0;
            if (usesPattern && !PatternAt(pattern, box.left + i, y, p)) {
                continue;
            }
            if (index == kPatternCopy) {
                row[i] = p;
                continue;
            }
            const std::uint32_t s = usesSource ? sourceRow[i] : 0;
            row[i] = ApplyRop(index, p, s, row[i]);
        }
    }
}

}  // namespace plat
