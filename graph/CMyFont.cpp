#include "graph/CMyFont.h"

#include <cstring>

CMyFont::CMyFont() {
    Make(kDefaultTenths, FW_HEAVY);
}

LOGFONTA CMyFont::Description(int tenthsOfPoint, int weight) {
    LOGFONTA font{};
    font.lfHeight = tenthsOfPoint;
    font.lfWeight = weight;
    font.lfCharSet = ANSI_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    font.lfQuality = PROOF_QUALITY;
    std::strncpy(font.lfFaceName, "Verdana", LF_FACESIZE - 1);
    return font;
}

void CMyFont::Make(int tenthsOfPoint, int weight, CDC* dc) {
    const LOGFONTA font = Description(tenthsOfPoint, weight);
    DeleteObject();
    CreatePointFontIndirect(&font, dc);
}

CMyFont::~CMyFont() {
    DeleteObject();
}

void CMyFont::SetSize(CDC* dc, int height, int width) {
    LOGFONTA font{};
    GetLogFont(&font);
    if (width == 0) {
        font.lfHeight = height;
        font.lfWidth = 0;
        DeleteObject();
        CreatePointFontIndirect(&font, dc);
    } else if (font.lfHeight != height || font.lfWidth != width || !m_hObject) {
        font.lfHeight = height;
        font.lfWidth = width;
        DeleteObject();
        CreateFontIndirect(&font);
    }
    // Selected in every case: a font made again is a new object the context must take up.
    if (dc) {
        dc->SelectObject(this);
    }
}
