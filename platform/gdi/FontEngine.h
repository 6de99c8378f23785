#pragma once
// Realised fonts: a LOGFONT on a FreeType face at one pixel size, with the drawing
// interface's metrics and a cache of rendered glyphs. Private to the drawing layer.
//
// Sizes follow LOGFONT rules: a negative lfHeight is the em height (ppem = -lfHeight), a
// positive one the cell height (ppem = upem * lfHeight / (usWinAscent + usWinDescent),
// rounded), 0 a cell of 16. A non-zero lfWidth scales the face horizontally so that the
// average character width is |lfWidth|. ppem is kept within 1 .. kMaxPpem so a
// nonsensical height cannot ask for gigabytes of glyph bitmaps.
//
// Faces are cached by (file, face, size, synthetic bold and slant, aliasing); glyphs by
// (face, glyph): drawing a label costs table look-ups and blits, not FreeType calls. Glyphs
// of fonts above kMaxCachedPpem are rendered on each use instead of being kept.

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gdi/TextTypes.h"

struct FT_FaceRec_;

namespace plat {

constexpr int kMaxPpem = 2048;
constexpr int kMaxCachedPpem = 256;

// A rendered glyph: coverage 0 (none) .. 255 (full), rows top-down, placed relative to
// the pen position on the baseline. The baseline is the boundary above row `baseline`,
// so the glyph's first row is baseline - top and its first column pen + left.
struct Glyph {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int advance = 0;
    std::vector<std::uint8_t> coverage;
};

// A horizontal stroke (underline, strike-out): its first row counted down from the
// baseline row (negative above it) and its thickness in rows.
struct LineStroke {
    int offset = 0;
    int thickness = 1;
};

struct FontMetrics {
    TEXTMETRICA tm{};
    int ppem = 0;
    LineStroke underline;
    LineStroke strikeOut;
};

class RealFont {
public:
    struct Face;
    RealFont(std::unique_ptr<Face> face, const FontMetrics& metrics, std::string family,
             std::string file, bool cacheGlyphs);
    ~RealFont();
    RealFont(const RealFont&) = delete;
    RealFont& operator=(const RealFont&) = delete;

    const FontMetrics& Metrics() const { return metrics_; }
    const std::string& Family() const { return family_; }
    const std::string& File() const { return file_; }

    // Held for a whole text call; Advance and GlyphOf need it.
    std::unique_lock<std::mutex> Lock() { return std::unique_lock(mutex_); }

    // The pen movement of a Windows-1252 byte.
    int Advance(unsigned char byte);
    // The glyph of a Windows-1252 byte; valid until the next GlyphOf call on this font.
    const Glyph& GlyphOf(unsigned char byte);

private:
    struct Slot {
        bool known = false;
        unsigned index = 0;  // the glyph, or none for controls and without a face
        int advance = 0;
        const Glyph* glyph = nullptr;  // the cached glyph, when the size allows caching
    };
    Slot& SlotOf(unsigned char byte);

    std::mutex mutex_;
    std::unique_ptr<Face> face_;
    FontMetrics metrics_;
    std::string family_;
    std::string file_;
    bool cacheGlyphs_;
    std::array<Slot, 256> slots_{};
    std::unordered_map<unsigned, Glyph> glyphs_;  // by glyph index; nodes never move
    Glyph scratch_;                               // the last glyph of an uncached size
};

// The realised font for a LOGFONT (never null: without any usable font file it is a font
// of empty glyphs with plausible metrics).
std::shared_ptr<RealFont> RealiseFont(const LOGFONTA& logFont);

// What the engine has done so far, for benchmarks and tests of the caches.
struct FontEngineCounters {
    std::uint64_t faceChoices = 0;     // fontconfig look-ups
    std::uint64_t facesOpened = 0;     // FreeType faces opened
    std::uint64_t glyphsRendered = 0;  // FreeType glyph loads
};
FontEngineCounters GetFontEngineCounters();

// Forgets every cached face, choice and glyph (fonts in use stay valid).
void ClearFontCaches();

}  // namespace plat
