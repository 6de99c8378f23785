#include "propgrid/CMFCColourPropertyGridCtrl.h"

#include <array>

#include "propgrid/PopupMenu.h"

const CRuntimeClass CMFCColourPropertyGridCtrl::runtimeClass =
    plat::MakeRuntimeClass<CMFCColourPropertyGridCtrl, CMFCPropertyGridCtrl>(
        "CMFCColourPropertyGridCtrl");

const char* const CMFCColourPropertyGridCtrl::kTitleMarker = "TITLE";

namespace {

struct SchemeColours {
    COLORREF background;
    COLORREF text;
    COLORREF groupBackground;
    COLORREF groupText;
    COLORREF descriptionBackground;
    COLORREF descriptionText;
    COLORREF line;
};

struct Scheme {
    SchemeColours day;
    SchemeColours night;
};

// clang-format off
constexpr std::array<Scheme, CMFCColourPropertyGridCtrl::kColourSchemeCount> kSchemes = {{
    // 0: default, the same by day and by night
    {{RGB(255,255,255), RGB(0,0,0), RGB(235,235,235), RGB(85,85,85), RGB(235,235,235), RGB(0,0,0), RGB(235,235,235)},
     {RGB(255,255,255), RGB(0,0,0), RGB(235,235,235), RGB(85,85,85), RGB(235,235,235), RGB(0,0,0), RGB(235,235,235)}},
    // 1: black
    {{RGB(214,214,214), RGB(0,0,0), RGB(85,85,85), RGB(235,235,235), RGB(85,85,85), RGB(235,235,235), RGB(85,85,85)},
     {RGB(0,0,0), RGB(192,192,192), RGB(85,85,85), RGB(235,235,235), RGB(85,85,85), RGB(192,192,192), RGB(85,85,85)}},
    // 2: green
    {{RGB(204,255,204), RGB(0,0,0), RGB(0,128,0), RGB(128,255,128), RGB(0,128,0), RGB(128,255,128), RGB(0,0,0)},
     {RGB(0,0,0), RGB(0,128,0), RGB(0,64,0), RGB(0,128,0), RGB(0,64,0), RGB(0,128,0), RGB(0,128,0)}},
    // 3: blue
    {{RGB(153,204,255), RGB(0,0,0), RGB(0,0,128), RGB(128,128,255), RGB(0,0,128), RGB(128,128,255), RGB(0,0,0)},
     {RGB(0,0,0), RGB(0,0,128), RGB(0,0,64), RGB(0,0,128), RGB(0,0,64), RGB(0,0,128), RGB(0,0,128)}},
    // 4: magenta
    {{RGB(204,153,255), RGB(0,0,0), RGB(128,0,128), RGB(255,128,255), RGB(128,0,128), RGB(255,128,255), RGB(0,0,0)},
     {RGB(0,0,0), RGB(128,0,128), RGB(64,0,64), RGB(128,0,128), RGB(64,0,64), RGB(128,0,128), RGB(128,0,128)}},
    // 5: red
    {{RGB(255,240,240), RGB(0,0,0), RGB(128,0,0), RGB(255,128,128), RGB(128,0,0), RGB(255,128,128), RGB(0,0,0)},
     {RGB(0,0,0), RGB(128,0,0), RGB(64,0,0), RGB(128,0,0), RGB(64,0,0), RGB(128,0,0), RGB(128,0,0)}},
    // 6: yellow
    {{RGB(255,255,231), RGB(0,0,0), RGB(128,128,0), RGB(255,255,0), RGB(128,128,0), RGB(255,255,0), RGB(0,0,0)},
     {RGB(0,0,0), RGB(128,128,0), RGB(64,64,0), RGB(128,128,0), RGB(64,64,0), RGB(128,128,0), RGB(128,128,0)}},
    // 7: grey with blue groups
    {{RGB(214,214,214), RGB(0,0,0), RGB(0,0,64), RGB(235,235,235), RGB(85,85,85), RGB(235,235,235), RGB(85,85,85)},
     {RGB(0,0,0), RGB(192,192,192), RGB(0,0,128), RGB(235,235,235), RGB(85,85,85), RGB(192,192,192), RGB(85,85,85)}},
}};
// clang-format on

constexpr COLORREF kMenuBackground = RGB(214, 214, 214);

}  // namespace

CMFCColourPropertyGridCtrl::CMFCColourPropertyGridCtrl() = default;

CMFCColourPropertyGridCtrl::~CMFCColourPropertyGridCtrl() = default;

void CMFCColourPropertyGridCtrl::SetColourScheme(int nScheme) {
    if (nScheme < 0 || nScheme >= kColourSchemeCount) {
        return;
    }
    const Scheme& scheme = kSchemes[static_cast<size_t>(nScheme)];
    const SchemeColours& c = m_bNightMode ? scheme.night : scheme.day;
    SetCustomColors(c.background, c.text, c.groupBackground, c.groupText, c.descriptionBackground,
                    c.descriptionText, c.line);
    m_nColourScheme = nScheme;
    if (GetSafeHwnd()) {
        Invalidate(FALSE);
    }
}

void CMFCColourPropertyGridCtrl::SetNightMode(bool bNight) {
    m_bNightMode = bNight;
    SetColourScheme(m_nColourScheme);
}

void CMFCColourPropertyGridCtrl::OnRButtonUp(UINT /*nFlags*/, CPoint point) {
    CPoint screen = point;
    ClientToScreen(&screen);
    if (TrackPrintMenu(screen) == kPrintCommand) {
        PrintGrid();
    }
}

int CMFCColourPropertyGridCtrl::TrackPrintMenu(CPoint screenPoint) {
    static const char* const kItems[] = {"Print"};
    return CPopupMenuWnd::Track(this, screenPoint, kItems, 1, kMenuBackground);
}
