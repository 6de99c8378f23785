#include "DemoLook.h"

#include <cstring>

namespace {

CFont* MakeFont(int height, int weight) {
    auto* font = new CFont;
    LOGFONTA logFont{};
    logFont.lfHeight = height;
    logFont.lfWeight = weight;
    logFont.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(logFont.lfFaceName, "Tahoma");
    font->CreateFontIndirect(&logFont);
    return font;
}

}  // namespace

const DemoColours& DemoDayColours() {
    static const DemoColours colours{
        RGB(255, 255, 255), RGB(244, 246, 249), RGB(205, 210, 218), RGB(20, 20, 20),
        RGB(100, 106, 115), RGB(250, 176, 20),  RGB(40, 44, 52),    RGB(0, 92, 175),
    };
    return colours;
}

const DemoColours& DemoNightColours() {
    static const DemoColours colours{
        RGB(14, 16, 20),    RGB(22, 25, 31),   RGB(52, 58, 68),    RGB(206, 210, 216),
        RGB(130, 138, 150), RGB(214, 150, 30), RGB(170, 200, 240), RGB(96, 170, 255),
    };
    return colours;
}

CFont& DemoTextFont() {
    static CFont* font = MakeFont(-12, FW_NORMAL);
    return *font;
}

CFont& DemoBoldFont() {
    static CFont* font = MakeFont(-12, FW_BOLD);
    return *font;
}

CFont& DemoHeadingFont() {
    static CFont* font = MakeFont(-16, FW_BOLD);
    return *font;
}
