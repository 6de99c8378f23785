// The FreeType side of text: opening faces, sizing them by LOGFONT rules, the metrics the
// drawing interface reports, and the caches of faces and glyphs.
//
// Locks: the engine's lock guards its caches and is taken before the FreeType library's
// lock (faces are opened and closed under the latter); a realised font's own lock guards
// its glyph cache and its FreeType face.

#include "platform/gdi/FontEngine.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstring>
#include <map>
#include <optional>
#include <type_traits>
#include <utility>

#include "platform/gdi/Codepage1252.h"
#include "platform/gdi/FontMatch.h"

namespace plat {

namespace {

std::atomic<std::uint64_t> gFaceChoices{0};
std::atomic<std::uint64_t> gFacesOpened{0};
std::atomic<std::uint64_t> gGlyphsRendered{0};

// One FreeType library for the process, never destroyed: fonts in static storage may be
// released after any static object would be gone.
struct Library {
    std::mutex mutex;
    FT_Library library = nullptr;
};

Library& TheLibrary() {
    static Library* const lib = [] {
        auto* l = new Library;
        if (FT_Init_FreeType(&l->library) != 0) {
            l->library = nullptr;
        }
        return l;
    }();
    return *lib;
}

FT_Face OpenFreeTypeFace(const std::string& file, int index) {
    Library& lib = TheLibrary();
    const std::lock_guard lock(lib.mutex);
    FT_Face face = nullptr;
    if (!lib.library || FT_New_Face(lib.library, file.c_str(), index, &face) != 0) {
        return nullptr;
    }
    if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0 || !FT_IS_SCALABLE(face)) {
        FT_Done_Face(face);
        return nullptr;
    }
    ++gFacesOpened;
    return face;
}

void CloseFreeTypeFace(FT_Face face) {
    if (face) {
        Library& lib = TheLibrary();
        const std::lock_guard lock(lib.mutex);
        FT_Done_Face(face);
    }
}

// The face's design numbers (font units) that sizes and metrics are computed from.
struct Design {
    int upem = 1000;
    int winAscent = 800;
    int winDescent = 200;
    int hheaAscent = 800;
    int hheaDescent = 200;  // positive, below the baseline
    int lineGap = 0;
    int avgCharWidth = 500;
    int bboxWidth = 1000;
    int weightClass = FW_NORMAL;
    bool sfnt = false;
    bool fixedPitch = false;
    bool italic = false;
    int panoseSerifStyle = 0;
    int underlinePosition = -100;  // the stroke's centre, negative below the baseline
    int underlineThickness = 50;
    int strikeoutPosition = 250;  // the stroke's top above the baseline
    int strikeoutSize = 50;
};

Design ReadDesign(FT_Face face) {
    Design d;
    d.upem = std::max<int>(face->units_per_EM, 1);
    d.hheaAscent = face->ascender;
    d.hheaDescent = -face->descender;
    d.lineGap = std::max(0, face->height - (face->ascender - face->descender));
    d.bboxWidth = static_cast<int>(face->bbox.xMax - face->bbox.xMin);
    d.sfnt = FT_IS_SFNT(face);
    d.fixedPitch = FT_IS_FIXED_WIDTH(face);
    d.italic = (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
    d.weightClass = (face->style_flags & FT_STYLE_FLAG_BOLD) ? FW_BOLD : FW_NORMAL;
    d.underlinePosition = face->underline_position;
    d.underlineThickness = face->underline_thickness;
    d.winAscent = d.hheaAscent;
    d.winDescent = d.hheaDescent;
    d.avgCharWidth = d.upem / 2;
    d.strikeoutPosition = d.upem / 4;
    d.strikeoutSize = std::max(d.underlineThickness, 1);
    if (const auto* hhea =
            static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA))) {
        d.lineGap = hhea->Line_Gap;
    }
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF) {
        if (os2->usWinAscent + os2->usWinDescent > 0) {
            d.winAscent = os2->usWinAscent;
            d.winDescent = os2->usWinDescent;
        }
        if (os2->xAvgCharWidth > 0) {
            d.avgCharWidth = os2->xAvgCharWidth;
        }
        // Some fonts give the weight class on a 1..9 scale.
        d.weightClass = os2->usWeightClass < 10 ? os2->usWeightClass * 100 : os2->usWeightClass;
        d.panoseSerifStyle = os2->panose[1];
        d.strikeoutPosition = os2->yStrikeoutPosition;
        d.strikeoutSize = os2->yStrikeoutSize;
    }
    return d;
}

// v * num / den rounded half away from zero, in 64 bits.
int RoundMulDiv(std::int64_t v, std::int64_t num, std::int64_t den) {
    const std::int64_t p = v * num;
    const std::int64_t q = (p >= 0 ? p + den / 2 : p - den / 2) / den;
    return static_cast<int>(std::clamp<std::int64_t>(q, INT_MIN, INT_MAX));
}

int ClampPpem(std::int64_t ppem) {
    return static_cast<int>(std::clamp<std::int64_t>(ppem, 1, kMaxPpem));
}

int PpemFor(LONG height, const Design& d) {
    if (height < 0) {
        return ClampPpem(-static_cast<std::int64_t>(height));
    }
    const std::int64_t cell = height == 0 ? 16 : height;
    const int designCell = d.winAscent + d.winDescent;
    return ClampPpem(designCell > 0 ? RoundMulDiv(d.upem, cell, designCell) : cell);
}

// The horizontal size that makes the average character |width| wide.
int XppemFor(LONG width, int ppem, const Design& d) {
    if (width == 0) {
        return ppem;
    }
    const std::int64_t w = width < 0 ? -static_cast<std::int64_t>(width) : width;
    return ClampPpem(RoundMulDiv(d.upem, w, d.avgCharWidth));
}

BYTE PitchAndFamilyOf(const Design& d) {
    BYTE bits = d.sfnt ? TMPF_VECTOR | TMPF_TRUETYPE : TMPF_VECTOR;
    if (!d.fixedPitch) {
        bits |= TMPF_FIXED_PITCH;  // documented as set for variable pitch
    }
    if (d.fixedPitch) {
        return bits | FF_MODERN;
    }
    if (d.panoseSerifStyle >= 11 && d.panoseSerifStyle <= 13) {
        return bits | FF_SWISS;
    }
    return d.panoseSerifStyle >= 2 ? bits | FF_ROMAN : bits | FF_SWISS;
}

// The underline sits at least one row below the baseline and inside the cell.
LineStroke UnderlineOf(const Design& d, int ppem, int descent) {
    const int thickness = std::max(1, RoundMulDiv(d.underlineThickness, ppem, d.upem));
    const int centre = RoundMulDiv(-d.underlinePosition, ppem, d.upem);
    int offset = std::max(1, centre - thickness / 2);
    if (offset + thickness > descent) {
        offset = std::max(0, descent - thickness);
    }
    return LineStroke{offset, thickness};
}

LineStroke StrikeOutOf(const Design& d, int ppem) {
    const int thickness = std::max(1, RoundMulDiv(d.strikeoutSize, ppem, d.upem));
    return LineStroke{-std::max(1, RoundMulDiv(d.strikeoutPosition, ppem, d.upem)), thickness};
}

FontMetrics MetricsFor(const Design& d, int ppem, int xppem, bool emboldened, bool slanted) {
    FontMetrics m;
    m.ppem = ppem;
    TEXTMETRICA& tm = m.tm;
    tm.tmAscent = RoundMulDiv(d.winAscent, ppem, d.upem);
    tm.tmDescent = RoundMulDiv(d.winDescent, ppem, d.upem);
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmInternalLeading = tm.tmHeight - ppem;
    const int designCell = d.winAscent + d.winDescent;
    const int hheaCell = d.hheaAscent + d.hheaDescent;
    tm.tmExternalLeading =
        std::max(0, RoundMulDiv(d.lineGap - (designCell - hheaCell), ppem, d.upem));
    tm.tmAveCharWidth = std::max(1, RoundMulDiv(d.avgCharWidth, xppem, d.upem));
    tm.tmMaxCharWidth = std::max(1, RoundMulDiv(d.bboxWidth, xppem, d.upem));
    tm.tmWeight = emboldened ? FW_BOLD : d.weightClass;
    tm.tmDigitizedAspectX = 96;
    tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = 0x1E;
    tm.tmLastChar = 0xFF;
    tm.tmDefaultChar = 0x1F;
    tm.tmBreakChar = 0x20;
    tm.tmItalic = d.italic || slanted ? 0xFF : 0;
    tm.tmPitchAndFamily = PitchAndFamilyOf(d);
    tm.tmCharSet = ANSI_CHARSET;
    m.underline = UnderlineOf(d, ppem, tm.tmDescent);
    m.strikeOut = StrikeOutOf(d, ppem);
    return m;
}

bool IsControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

void CopyCoverage(const FT_Bitmap& bitmap, Glyph& g) {
    g.width = static_cast<int>(bitmap.width);
    g.height = static_cast<int>(bitmap.rows);
    g.coverage.assign(static_cast<std::size_t>(g.width) * g.height, 0);
    const int pitch = bitmap.pitch;
    const int grays = std::max<int>(bitmap.num_grays, 2);
    for (int y = 0; y < g.height; ++y) {
        // A negative pitch stores the bottom row first.
        const unsigned char* src =
            pitch >= 0 ? bitmap.buffer + static_cast<std::ptrdiff_t>(y) * pitch
                       : bitmap.buffer + static_cast<std::ptrdiff_t>(g.height - 1 - y) * -pitch;
        std::uint8_t* dst = g.coverage.data() + static_cast<std::size_t>(y) * g.width;
        for (int x = 0; x < g.width; ++x) {
            if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
                dst[x] = (src[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
            } else {
                dst[x] =
                    grays == 256 ? src[x] : static_cast<std::uint8_t>(src[x] * 255 / (grays - 1));
            }
        }
    }
}

}  // namespace

// A FreeType face set to one size, with how its glyphs are loaded and rendered.
struct RealFont::Face {
    FT_Face face = nullptr;  // null: no font file could be used
    bool mono = false;
    bool embolden = false;
    bool oblique = false;
    int fallbackAdvance = 0;

    ~Face() { CloseFreeTypeFace(face); }

    static constexpr unsigned kNoGlyph = UINT_MAX;

    unsigned IndexOf(unsigned char byte) const {
        const char32_t c = CodePointOf1252(byte);
        if (IsControl(c)) {
            return kNoGlyph;
        }
        return face ? FT_Get_Char_Index(face, c) : kNoGlyph;
    }

    // Loads (and renders, when asked) one glyph with the face's synthetic styles.
    Glyph Load(unsigned index, bool render) const {
        Glyph g;
        ++gGlyphsRendered;
        const FT_Int32 flags =
            FT_LOAD_NO_BITMAP | (mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
        if (FT_Load_Glyph(face, index, flags) != 0) {
            return g;
        }
        FT_GlyphSlot slot = face->glyph;
        if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
            if (oblique) {
                FT_GlyphSlot_Oblique(slot);
            }
            if (embolden) {
                FT_GlyphSlot_Embolden(slot);
            }
        }
        g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
        if (!render ||
            FT_Render_Glyph(slot, mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) {
            return g;
        }
        const FT_Bitmap& bitmap = slot->bitmap;
        if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.pixel_mode != FT_PIXEL_MODE_MONO) {
            return g;
        }
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        CopyCoverage(bitmap, g);
        return g;
    }
};

RealFont::RealFont(std::unique_ptr<Face> face, const FontMetrics& metrics, std::string family,
                   std::string file, bool cacheGlyphs)
    : face_(std::move(face)),
      metrics_(metrics),
      family_(std::move(family)),
      file_(std::move(file)),
      cacheGlyphs_(cacheGlyphs) {}

RealFont::~RealFont() = default;

RealFont::Slot& RealFont::SlotOf(unsigned char byte) {
    Slot& slot = slots_[byte];
    if (slot.known) {
        return slot;
    }
    slot.known = true;
    slot.index = face_->IndexOf(byte);
    if (slot.index == Face::kNoGlyph) {
        // Without a face printable characters still take room, so layouts stay sane.
        const bool printable = !IsControl(CodePointOf1252(byte));
        slot.advance = printable && !face_->face ? face_->fallbackAdvance : 0;
        return slot;
    }
    if (!cacheGlyphs_) {  // too large to keep: only the advance is remembered
        slot.advance = face_->Load(slot.index, false).advance;
        return slot;
    }
    auto it = glyphs_.find(slot.index);
    if (it == glyphs_.end()) {
        it = glyphs_.emplace(slot.index, face_->Load(slot.index, true)).first;
    }
    slot.glyph = &it->second;
    slot.advance = it->second.advance;
    return slot;
}

int RealFont::Advance(unsigned char byte) {
    return SlotOf(byte).advance;
}

const Glyph& RealFont::GlyphOf(unsigned char byte) {
    const Slot& slot = SlotOf(byte);
    if (slot.glyph) {
        return *slot.glyph;
    }
    if (slot.index == Face::kNoGlyph) {
        scratch_ = Glyph{};
        scratch_.advance = slot.advance;
    } else {
        scratch_ = face_->Load(slot.index, true);
    }
    return scratch_;
}

namespace {

// The fields of a LOGFONT that decide its realisation, compared as bytes.
struct LogFontKey {
    LONG height;
    LONG width;
    LONG weight;
    BYTE italic;
    BYTE mono;
    BYTE pitchAndFamily;
    BYTE pad = 0;
    char face[LF_FACESIZE];

    explicit LogFontKey(const LOGFONTA& lf)
        : height(lf.lfHeight),
          width(lf.lfWidth),
          weight(lf.lfWeight),
          italic(lf.lfItalic != 0),
          mono(lf.lfQuality == NONANTIALIASED_QUALITY),
          pitchAndFamily(lf.lfPitchAndFamily),
          face{} {
        std::memcpy(face, lf.lfFaceName, ::strnlen(lf.lfFaceName, LF_FACESIZE));
    }
    bool operator==(const LogFontKey& o) const { return std::memcmp(this, &o, sizeof o) == 0; }
};
static_assert(std::has_unique_object_representations_v<LogFontKey>, "compared as bytes");

struct LogFontKeyHash {
    std::size_t operator()(const LogFontKey& k) const {
        // FNV-1a over the key's bytes.
        std::uint64_t h = 14695981039346656037ULL;
        const auto* p = reinterpret_cast<const unsigned char*>(&k);
        for (std::size_t i = 0; i < sizeof k; ++i) {
            h = (h ^ p[i]) * 1099511628211ULL;
        }
        return static_cast<std::size_t>(h);
    }
};

struct SizeKey {
    std::string file;
    int index;
    int ppem;
    int xppem;
    bool embolden;
    bool oblique;
    bool mono;
    auto operator<=>(const SizeKey&) const = default;
};

class Engine {
public:
    std::shared_ptr<RealFont> Realise(const LOGFONTA& lf) {
        const LogFontKey key(lf);
        const std::lock_guard lock(mutex_);
        if (const auto it = byLogFont_.find(key); it != byLogFont_.end()) {
            return it->second;
        }
        std::shared_ptr<RealFont> font = Build(lf);
        if (byLogFont_.size() >= kMaxLogFonts) {
            byLogFont_.clear();  // fonts still in use live on through their owners
        }
        byLogFont_.emplace(key, font);
        return font;
    }

    void Clear() {
        const std::lock_guard lock(mutex_);
        byLogFont_.clear();
        bySize_.clear();
        choices_.clear();
        designs_.clear();
    }

private:
    static constexpr std::size_t kMaxLogFonts = 256;
    static constexpr std::size_t kMaxSizes = 256;

    std::shared_ptr<RealFont> Build(const LOGFONTA& lf) {
        const bool bold = WantsBold(lf);
        const bool italic = WantsItalic(lf);
        FaceChoice choice = Choice(lf);
        const Design* design = DesignOf(choice);
        if (!design) {
            choice = FallbackFace(bold, italic);
            design = DesignOf(choice);
        }
        static const Design kNoFace;
        if (!design) {
            choice = FaceChoice{};
            design = &kNoFace;
        }
        const int ppem = PpemFor(lf.lfHeight, *design);
        const SizeKey size{choice.file,
                           choice.index,
                           ppem,
                           XppemFor(lf.lfWidth, ppem, *design),
                           choice.embolden,
                           choice.oblique,
                           lf.lfQuality == NONANTIALIASED_QUALITY};
        if (const auto it = bySize_.find(size); it != bySize_.end()) {
            if (std::shared_ptr<RealFont> font = it->second.lock()) {
                return font;
            }
        }
        std::shared_ptr<RealFont> font = Open(size, choice, *design);
        if (bySize_.size() >= kMaxSizes) {
            std::erase_if(bySize_, [](const auto& entry) { return entry.second.expired(); });
        }
        bySize_[size] = font;
        return font;
    }

    std::shared_ptr<RealFont> Open(const SizeKey& size, const FaceChoice& choice,
                                   const Design& design) {
        auto face = std::make_unique<RealFont::Face>();
        face->mono = size.mono;
        face->embolden = size.embolden;
        face->oblique = size.oblique;
        face->fallbackAdvance = std::max(1, size.xppem / 2);
        if (!choice.file.empty()) {
            face->face = OpenFreeTypeFace(choice.file, choice.index);
            if (face->face && FT_Set_Pixel_Sizes(face->face, static_cast<FT_UInt>(size.xppem),
                                                 static_cast<FT_UInt>(size.ppem)) != 0) {
                CloseFreeTypeFace(std::exchange(face->face, nullptr));
            }
        }
        const FontMetrics metrics =
            MetricsFor(design, size.ppem, size.xppem, size.embolden, size.oblique);
        const bool cacheGlyphs = std::max(size.ppem, size.xppem) <= kMaxCachedPpem;
        return std::make_shared<RealFont>(std::move(face), metrics, choice.family, choice.file,
                                          cacheGlyphs);
    }

    FaceChoice Choice(const LOGFONTA& lf) {
        std::string key(lf.lfFaceName, ::strnlen(lf.lfFaceName, LF_FACESIZE));
        key += '\0';
        key += std::to_string(lf.lfWeight);
        key += lf.lfItalic ? 'i' : 'r';
        key += static_cast<char>(lf.lfPitchAndFamily);
        if (const auto it = choices_.find(key); it != choices_.end()) {
            return it->second;
        }
        ++gFaceChoices;
        FaceChoice choice = ChooseFace(lf);
        if (choices_.size() >= kMaxLogFonts) {
            choices_.clear();
        }
        choices_.emplace(std::move(key), choice);
        return choice;
    }

    // The design numbers of a face, or null when it cannot be opened.
    const Design* DesignOf(const FaceChoice& choice) {
        if (choice.file.empty()) {
            return nullptr;
        }
        const auto key = std::make_pair(choice.file, choice.index);
        auto it = designs_.find(key);
        if (it == designs_.end()) {
            std::optional<Design> design;
            if (FT_Face face = OpenFreeTypeFace(choice.file, choice.index)) {
                design = ReadDesign(face);
                CloseFreeTypeFace(face);
            }
            it = designs_.emplace(key, design).first;
        }
        return it->second ? &*it->second : nullptr;
    }

    std::mutex mutex_;
    std::unordered_map<LogFontKey, std::shared_ptr<RealFont>, LogFontKeyHash> byLogFont_;
    std::map<SizeKey, std::weak_ptr<RealFont>> bySize_;
    std::unordered_map<std::string, FaceChoice> choices_;
    std::map<std::pair<std::string, int>, std::optional<Design>> designs_;
};

Engine& TheEngine() {
    static Engine* const engine = new Engine;  // never destroyed, like the library
    return *engine;
}

}  // namespace

std::shared_ptr<RealFont> RealiseFont(const LOGFONTA& logFont) {
    return TheEngine().Realise(logFont);
}

FontEngineCounters GetFontEngineCounters() {
    return FontEngineCounters{gFaceChoices.load(), gFacesOpened.load(), gGlyphsRendered.load()};
}

void ClearFontCaches() {
    TheEngine().Clear();
}

}  // namespace plat
