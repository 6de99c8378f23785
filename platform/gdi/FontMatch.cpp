// Face choice through fontconfig. fontconfig is not thread-safe across configuration
// changes; the font engine calls in here under its own lock.

#include "platform/gdi/FontMatch.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <memory>
#include <string_view>

#include "platform/gdi/Codepage1252.h"
#include "platform/gdi/TextTypes.h"

namespace plat {

namespace {

constexpr const char* kSans = "DejaVu Sans";
constexpr const char* kMono = "DejaVu Sans Mono";
constexpr const char* kSerif = "DejaVu Serif";

struct Alias {
    std::string_view face;
    const char* family;
};

constexpr std::array kAliases = {
    Alias{"tahoma", kSans},         Alias{"verdana", kSans},
    Alias{"ms shell dlg", kSans},   Alias{"ms shell dlg 2", kSans},
    Alias{"ms sans serif", kSans},  Alias{"microsoft sans serif", kSans},
    Alias{"arial", kSans},          Alias{"segoe ui", kSans},
    Alias{"system", kSans},         Alias{"courier", kMono},
    Alias{"courier new", kMono},    Alias{"terminal", kMono},
    Alias{"fixedsys", kMono},       Alias{"consolas", kMono},
    Alias{"lucida console", kMono}, Alias{"times new roman", kSerif},
    Alias{"ms serif", kSerif},
};

std::string Lowercase(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// The face name up to its NUL, or all 32 bytes of a name that fills the field.
std::string_view FaceNameOf(const LOGFONTA& lf) {
    return std::string_view(lf.lfFaceName, ::strnlen(lf.lfFaceName, LF_FACESIZE));
}

bool IsFixedPitch(const LOGFONTA& lf) {
    return (lf.lfPitchAndFamily & 0x03) == FIXED_PITCH || (lf.lfPitchAndFamily & 0xF0) == FF_MODERN;
}

bool IsRoman(const LOGFONTA& lf) {
    return (lf.lfPitchAndFamily & 0xF0) == FF_ROMAN;
}

// The DejaVu family standing in for a framework face, or null for a name left to
// fontconfig. An empty name takes its family from the pitch and family bits.
const char* AliasFor(const LOGFONTA& lf) {
    const std::string face = Lowercase(FaceNameOf(lf));
    if (face.empty()) {
        return IsFixedPitch(lf) ? kMono : IsRoman(lf) ? kSerif : kSans;
    }
    const auto it = std::find_if(kAliases.begin(), kAliases.end(),
                                 [&](const Alias& a) { return a.face == face; });
    return it == kAliases.end() ? nullptr : it->family;
}

const char* GenericFamilyFor(const LOGFONTA& lf) {
    return IsFixedPitch(lf) ? "monospace" : IsRoman(lf) ? "serif" : "sans-serif";
}

bool FontconfigReady() {
    static const bool ready = FcInit() == FcTrue;
    return ready;
}

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

const FcChar8* Text(const char* s) {
    return reinterpret_cast<const FcChar8*>(s);
}

// Matches a pattern and reads the file, index and family of the result; the request's
// weight and slant decide whether the face needs emboldening or slanting.
FaceChoice Match(FcPattern* request, bool bold, bool italic) {
    FaceChoice choice;
    if (!FcConfigSubstitute(nullptr, request, FcMatchPattern)) {
        return choice;
    }
    FcDefaultSubstitute(request);
    FcResult result = FcResultNoMatch;
    const Pattern match(FcFontMatch(nullptr, request, &result));
    if (!match) {
        return choice;
    }
    FcChar8* file = nullptr;
    FcBool scalable = FcFalse;
    if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch ||
        FcPatternGetBool(match.get(), FC_SCALABLE, 0, &scalable) != FcResultMatch || !scalable) {
        return choice;  // bitmap-only faces cannot be drawn at every size
    }
    choice.file = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &choice.index);
    FcChar8* family = nullptr;
    if (FcPatternGetString(match.get(), FC_FAMILY, 0, &family) == FcResultMatch) {
        choice.family = reinterpret_cast<const char*>(family);
    }
    int weight = FC_WEIGHT_REGULAR;
    int slant = FC_SLANT_ROMAN;
    FcBool embolden = FcFalse;
    FcPatternGetInteger(match.get(), FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(match.get(), FC_SLANT, 0, &slant);
    FcPatternGetBool(match.get(), FC_EMBOLDEN, 0, &embolden);
    choice.embolden = bold && (embolden || weight < FC_WEIGHT_DEMIBOLD);
    choice.oblique = italic && slant == FC_SLANT_ROMAN;
    return choice;
}

Pattern Request(const char* family, int fcWeight, bool italic) {
    Pattern p(FcPatternCreate());
    if (!p) {
        return p;
    }
    FcPatternAddString(p.get(), FC_FAMILY, Text(family));
    FcPatternAddInteger(p.get(), FC_WEIGHT, fcWeight);
    FcPatternAddInteger(p.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddInteger(p.get(), FC_WIDTH, FC_WIDTH_NORMAL);
    FcPatternAddBool(p.get(), FC_SCALABLE, FcTrue);
    return p;
}

FaceChoice MatchFamily(const char* family, bool bold, bool italic) {
    const Pattern p = Request(family, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR, italic);
    return p ? Match(p.get(), bold, italic) : FaceChoice{};
}

}  // namespace

bool WantsBold(const LOGFONTA& logFont) {
    return logFont.lfWeight >= FW_SEMIBOLD;
}

bool WantsItalic(const LOGFONTA& logFont) {
    return logFont.lfItalic != 0;
}

FaceChoice FallbackFace(bool bold, bool italic) {
    if (!FontconfigReady()) {
        return {};
    }
    FaceChoice choice = MatchFamily(kSans, bold, italic);
    return choice.file.empty() ? MatchFamily("sans-serif", bold, italic) : choice;
}

FaceChoice ChooseFace(const LOGFONTA& logFont) {
    if (!FontconfigReady()) {
        return {};
    }
    const bool bold = WantsBold(logFont);
    const bool italic = WantsItalic(logFont);
    if (const char* family = AliasFor(logFont)) {
        FaceChoice choice = MatchFamily(family, bold, italic);
        return choice.file.empty() ? FallbackFace(bold, italic) : choice;
    }
    const LONG weight =
        logFont.lfWeight <= FW_DONTCARE ? FW_NORMAL : std::min<LONG>(logFont.lfWeight, 1000);
    Pattern p = Request(Utf8From1252(FaceNameOf(logFont)).c_str(),
                        FcWeightFromOpenType(static_cast<int>(weight)), italic);
    if (!p) {
        return FallbackFace(bold, italic);
    }
    FcPatternAddString(p.get(), FC_FAMILY, Text(GenericFamilyFor(logFont)));
    FaceChoice choice = Match(p.get(), bold, italic);
    return choice.file.empty() ? FallbackFace(bold, italic) : choice;
}

}  // namespace plat

#if defined(__SANITIZE_ADDRESS__)
// fontconfig 2.14 loses a few bytes while it parses its configuration at start-up (a fault
// in the library, once per process); the leak checker of sanitizer builds is told so for
// every program that draws text.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
#endif
