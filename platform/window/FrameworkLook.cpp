#include "platform/window/FrameworkLook.h"

#include "platform/gdi/SavedDC.h"
#include "platform/window/FrameStyle.h"
#include "platform/window/WinUser.h"

namespace plat::style {
namespace {

constexpr int kTitleIndent = 6;

PaneColours& Current() {
    static PaneColours colours = DayPaneColours();
    return colours;
}

// Two diagonals of a square glyph, each two pixels wide: row i holds columns i, i + 1,
// size - 2 - i and size - 1 - i, over size - 1 rows, so the cross is symmetric.
void DrawCross(CDC& dc, CPoint origin, int size, COLORREF colour) {
    for (int i = 0; i < size - 1; ++i) {
        for (const int column : {i, i + 1, size - 2 - i, size - 1 - i}) {
            dc.SetPixel(origin.x + column, origin.y + i, colour);
        }
    }
}

}  // namespace

PaneColours DayPaneColours() {
    return PaneColours{
        GetSysColor(COLOR_INACTIVECAPTION), GetSysColor(COLOR_INACTIVECAPTIONTEXT),
        GetSysColor(COLOR_BTNTEXT),         GetSysColor(COLOR_3DLIGHT),
        GetSysColor(COLOR_3DSHADOW),        GetSysColor(COLOR_3DSHADOW),
        GetSysColor(COLOR_3DFACE),          GetSysColor(COLOR_3DFACE),
    };
}

PaneColours NightPaneColours() {
    return PaneColours{
        RGB(52, 56, 64),    RGB(214, 214, 214), RGB(200, 200, 200), RGB(78, 84, 96),
        RGB(120, 126, 136), RGB(16, 16, 18),    RGB(36, 36, 40),    RGB(28, 28, 31),
    };
}

PaneColours CurrentPaneColours() {
    return Current();
}

void SetPaneColours(const PaneColours& colours) {
    Current() = colours;
}

CRect CloseButtonRect(const CRect& caption) {
    const int right = caption.right - kCloseButtonMargin;
    const int top = caption.top + (caption.Height() - kCloseButtonSize) / 2;
    return CRect(right - kCloseButtonSize, top, right, top + kCloseButtonSize);
}

void DrawPaneCaption(CDC& dc, const CRect& caption, const CString& title, bool closeButton,
                     ButtonState closeState, const PaneColours& colours) {
    dc.FillSolidRect(&caption, colours.captionFace);
    CRect text = caption;
    text.left += kTitleIndent;
    if (closeButton) {
        const CRect button = CloseButtonRect(caption);
        text.right = button.left - kCloseButtonMargin;
        DrawCloseButton(dc, button, closeState, colours);
    }
    if (title.IsEmpty() || text.IsRectEmpty()) {
        return;
    }
    const SavedDC saved(dc);
    dc.SelectObject(&CaptionFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(colours.captionText);
    dc.DrawText(title, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void DrawCloseButton(CDC& dc, const CRect& button, ButtonState state, const PaneColours& colours) {
    CPoint origin(button.left + (button.Width() - kCloseGlyphSize) / 2,
                  button.top + (button.Height() - (kCloseGlyphSize - 1)) / 2);
    if (state == ButtonState::Pressed) {
        dc.FillSolidRect(&button, colours.closePressedFace);
        dc.Draw3dRect(&button, colours.closePressedEdge, colours.closePressedEdge);
        origin.Offset(1, 1);
    }
    DrawCross(dc, origin, kCloseGlyphSize, colours.closeGlyph);
}

void DrawPaneBorder(CDC& dc, const CRect& window, const PaneColours& colours) {
    dc.Draw3dRect(&window, colours.paneBorder, colours.paneBorder);
}

void DrawSplitter(CDC& dc, const CRect& bar, const PaneColours& colours) {
    dc.FillSolidRect(&bar, colours.splitterFace);
}

}  // namespace plat::style
