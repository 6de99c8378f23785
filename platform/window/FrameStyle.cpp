#include "platform/window/FrameStyle.h"

#include <cstring>

#include "platform/gdi/SavedDC.h"
#include "platform/window/WindowTree_p.h"

namespace plat::style {
namespace {

void FillRing(CDC& dc, CRect outer, int width, COLORREF colour) {
    for (int i = 0; i < width && !outer.IsRectEmpty(); ++i) {
        dc.Draw3dRect(&outer, colour, colour);
        outer.DeflateRect(1, 1);
    }
}

void DrawCaptionText(CDC& dc, const CRect& caption, const CString& title, bool active) {
    if (title.IsEmpty()) {
        return;
    }
    const SavedDC saved(dc);
    dc.SelectObject(&CaptionFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    CRect text = caption;
    text.DeflateRect(6, 0);
    dc.DrawText(title, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace

void DrawWindowFrame(CDC& dc, const CRect& window, DWORD style, DWORD exStyle, bool active,
                     const CString& title) {
    CRect rect = window;
    // The outer frame: a dark line, the rest of a dialog frame in the face colour, the rest
    // of a thick (sizing) frame in the border colour.
    const int edge = FrameEdge(style, exStyle);
    if (edge > 0) {
        dc.Draw3dRect(&rect, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
        rect.DeflateRect(1, 1);
        const bool thick =
            (style & WS_THICKFRAME) && (style & (WS_DLGFRAME | WS_BORDER)) != WS_DLGFRAME;
        const int face =
            thick ? (active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER) : COLOR_3DFACE;
        FillRing(dc, rect, edge - 1, GetSysColor(face));
        rect.DeflateRect(edge - 1, edge - 1);
    }
    if ((style & WS_CAPTION) == WS_CAPTION) {
        const int height =
            GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
        const CRect caption(rect.left, rect.top, rect.right, rect.top + height);
        dc.FillSolidRect(&caption,
                         GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        DrawCaptionText(dc, caption, title, active);
        rect.top += height;
    }
    if (exStyle & WS_EX_CLIENTEDGE) {
        dc.Draw3dRect(&rect, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHIGHLIGHT));
        rect.DeflateRect(1, 1);
        dc.Draw3dRect(&rect, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
        rect.DeflateRect(1, 1);
    }
    if (exStyle & WS_EX_STATICEDGE) {
        dc.Draw3dRect(&rect, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHIGHLIGHT));
    }
}

CFont& CaptionFont() {
    static auto* font = [] {
        auto* made = new CFont;  // kept for the life of the process, like the system's
        LOGFONTA logFont{};
        logFont.lfHeight = -12;
        logFont.lfWeight = FW_NORMAL;
        logFont.lfCharSet = DEFAULT_CHARSET;
        std::strcpy(logFont.lfFaceName, "Segoe UI");
        made->CreateFontIndirect(&logFont);
        return made;
    }();
    return *font;
}

}  // namespace plat::style
