#pragma once
// CMyFont: the instruments' label font, "Verdana" 8 points, heavy, made as a point font so
// that it follows the resolution of the device it is drawn on.

#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"

class SUI_API CMyFont : public CFont {
public:
    static constexpr int kDefaultTenths = 80;

    CMyFont();
    ~CMyFont() override;

    // Re-creates the font with a new size and selects it into dc (when dc is not null).
    // With a non-zero width, height and width are logical units (the font is made again
    // only when they differ from the current ones); with a zero width, height is in
    // tenths of a point at dc's resolution (the screen's when dc is null).
    void SetSize(CDC* dc, int height, int width);
    // Re-creates the font as "Verdana" of tenthsOfPoint at weight, a point font at dc's
    // resolution (the screen's when dc is null); nothing is selected.
    void Make(int tenthsOfPoint, int weight, CDC* dc = nullptr);
    // The description Make creates from.
    static LOGFONTA Description(int tenthsOfPoint, int weight);
};
