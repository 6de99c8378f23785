#pragma once
// Which font file draws a LOGFONT: the framework's face names mapped onto installed faces
// through fontconfig. Private to the drawing layer.
//
// The user-interface faces the framework names ("Tahoma", "Verdana", "MS Shell Dlg",
// "MS Sans Serif", "Arial", "Segoe UI", "System" and the empty name) all resolve to
// DejaVu Sans, the fixed-pitch ones ("Courier", "Courier New", "Terminal", "Fixedsys",
// "Consolas", "Lucida Console") to DejaVu Sans Mono and "Times New Roman" and "MS Serif"
// to DejaVu Serif, in two weights only: regular below FW_SEMIBOLD, bold from it (so 900
// is bold too). Any other name goes to fontconfig with its weight and slant, its pitch
// and family deciding the generic family it falls back to when no face has that name.
// A matched face without the asked weight or slant is emboldened or slanted.

#include <string>

#include "platform/gdi/GdiTypes.h"

namespace plat {

struct FaceChoice {
    std::string file;  // empty: no font could be found at all
    int index = 0;     // the face within the file
    std::string family;
    bool embolden = false;
    bool oblique = false;
};

FaceChoice ChooseFace(const LOGFONTA& logFont);

// The face to use when the chosen one cannot be opened.
FaceChoice FallbackFace(bool bold, bool italic);

// Bold and italic as a LOGFONT asks for them.
bool WantsBold(const LOGFONTA& logFont);
bool WantsItalic(const LOGFONTA& logFont);

}  // namespace plat
