// System metrics and colours: the defaults of a Windows 7/10 desktop at 96 dpi (Aero
// colours as the default "Control Panel\Colors" values hold them). The screen size comes
// from the installed backend.

#include <array>

#include "platform/gdi/GdiObjects.h"
#include "platform/window/Backend.h"
#include "platform/window/WinUser.h"

namespace {

constexpr int kColourCount = COLOR_MENUBAR + 1;

constexpr std::array<COLORREF, kColourCount> kColours = {
    RGB(200, 200, 200),  // COLOR_SCROLLBAR
    RGB(0, 0, 0),        // COLOR_BACKGROUND
    RGB(153, 180, 209),  // COLOR_ACTIVECAPTION
    RGB(191, 205, 219),  // COLOR_INACTIVECAPTION
    RGB(240, 240, 240),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(100, 100, 100),  // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(0, 0, 0),        // COLOR_CAPTIONTEXT
    RGB(180, 180, 180),  // COLOR_ACTIVEBORDER
    RGB(244, 247, 252),  // COLOR_INACTIVEBORDER
    RGB(171, 171, 171),  // COLOR_APPWORKSPACE
    RGB(0, 120, 215),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(240, 240, 240),  // COLOR_BTNFACE
    RGB(160, 160, 160),  // COLOR_BTNSHADOW
    RGB(109, 109, 109),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(0, 0, 0),        // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(105, 105, 105),  // COLOR_3DDKSHADOW
    RGB(227, 227, 227),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(0, 0, 0),        // 25: the alternate button face
    RGB(0, 102, 204),    // COLOR_HOTLIGHT
    RGB(185, 209, 234),  // COLOR_GRADIENTACTIVECAPTION
    RGB(215, 228, 242),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(0, 120, 215),    // COLOR_MENUHILIGHT
    RGB(240, 240, 240),  // COLOR_MENUBAR
};

bool IsColourIndex(int index) {
    return index >= 0 && index < kColourCount;
}

}  // namespace

int GetSystemMetrics(int index) {
    const CSize screen = plat::ScreenSize();
    switch (index) {
        case SM_CXSCREEN:
            return screen.cx;
        case SM_CYSCREEN:
            return screen.cy;
        case SM_CXVSCROLL:
        case SM_CYHSCROLL:
        case SM_CYVTHUMB:
        case SM_CXHTHUMB:
        case SM_CYVSCROLL:
        case SM_CXHSCROLL:
            return 17;
        case SM_CYCAPTION:
        case SM_CYSMCAPTION:
            return 23;
        case SM_CXBORDER:
        case SM_CYBORDER:
        case SM_CXFOCUSBORDER:
        case SM_CYFOCUSBORDER:
            return 1;
        case SM_CXDLGFRAME:
        case SM_CYDLGFRAME:
            return 3;
        case SM_CXICON:
        case SM_CYICON:
        case SM_CXCURSOR:
        case SM_CYCURSOR:
            return 32;
        case SM_CXSMICON:
        case SM_CYSMICON:
            return 16;
        case SM_CYMENU:
            return 20;
        case SM_CXMIN:
        case SM_CXMINTRACK:
            return 136;
        case SM_CYMIN:
        case SM_CYMINTRACK:
            return 39;
        case SM_CXFRAME:
        case SM_CYFRAME:
            return 4;
        case SM_CXDOUBLECLK:
        case SM_CYDOUBLECLK:
        case SM_CXDRAG:
        case SM_CYDRAG:
            return 4;
        case SM_CXEDGE:
        case SM_CYEDGE:
            return 2;
        case SM_CXMAXTRACK:
        case SM_CXMAXIMIZED:
            return screen.cx + 2 * 4;
        case SM_CYMAXTRACK:
        case SM_CYMAXIMIZED:
            return screen.cy + 2 * 4;
        default:
            return 0;
    }
}

DWORD GetSysColor(int index) {
    return IsColourIndex(index) ? kColours[index] : 0;
}

HBRUSH GetSysColorBrush(int index) {
    if (!IsColourIndex(index)) {
        return nullptr;
    }
    // Made once and kept for the life of the process, like the system's own brushes; not
    // destroyed at exit because the drawing objects' table may already be gone then.
    static auto* brushes = new std::array<CBrush*, kColourCount>{};
    CBrush*& brush = (*brushes)[index];
    if (!brush) {
        brush = new CBrush(kColours[index]);
    }
    return brush->m_hObject;
}

UINT GetDoubleClickTime() {
    return 500;
}
