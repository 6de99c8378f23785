#include "platform/controls/ControlLook.h"

#include <algorithm>

#include "platform/controls/Icon.h"

namespace plat::style {
namespace {

void Ring(CDC& dc, CRect& rect, COLORREF topLeft, COLORREF bottomRight) {
    dc.Draw3dRect(&rect, topLeft, bottomRight);
    rect.DeflateRect(1, 1);
}

}  // namespace

ControlColours SystemControlColours() {
    return ControlColours{
        GetSysColor(COLOR_BTNFACE),    GetSysColor(COLOR_BTNHIGHLIGHT),
        GetSysColor(COLOR_3DLIGHT),    GetSysColor(COLOR_BTNSHADOW),
        GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_BTNTEXT),
        GetSysColor(COLOR_GRAYTEXT),   GetSysColor(COLOR_WINDOWFRAME),
        GetSysColor(COLOR_WINDOW),     GetSysColor(COLOR_WINDOWTEXT),
        GetSysColor(COLOR_HIGHLIGHT),  GetSysColor(COLOR_HIGHLIGHTTEXT),
    };
}

CRect DrawButtonFace(CDC& dc, const CRect& button, const FaceState& state,
                     const ControlColours& colours) {
    CRect rect = button;
    if (state.isDefault) {
        Ring(dc, rect, colours.frame, colours.frame);
    }
    if (state.pressed) {
        Ring(dc, rect, colours.darkShadow, colours.darkShadow);
        Ring(dc, rect, colours.shadow, colours.shadow);
    } else {
        Ring(dc, rect, colours.highlight, colours.darkShadow);
        Ring(dc, rect, colours.light, colours.shadow);
    }
    if (!rect.IsRectEmpty()) {
        dc.FillSolidRect(&rect, colours.face);
    }
    if (state.pressed) {
        rect.OffsetRect(1, 1);
    }
    return rect;
}

void DrawFocusRect(CDC& dc, const CRect& rect, COLORREF colour) {
    if (rect.IsRectEmpty()) {
        return;
    }
    // Walk the edges clockwise so the dots keep their rhythm round the corners.
    int step = 0;
    const auto dot = [&](int x, int y) {
        if (step++ % 2 == 0) {
            dc.SetPixel(x, y, colour);
        }
    };
    for (int x = rect.left; x < rect.right; ++x) {
        dot(x, rect.top);
    }
    for (int y = rect.top + 1; y < rect.bottom; ++y) {
        dot(rect.right - 1, y);
    }
    for (int x = rect.right - 2; x >= rect.left; --x) {
        dot(x, rect.bottom - 1);
    }
    for (int y = rect.bottom - 2; y > rect.top; --y) {
        dot(rect.left, y);
    }
}

int EditFrameWidth(EditFrame frame) {
    switch (frame) {
        case EditFrame::Border:
            return 1;
        case EditFrame::Sunken:
            return 2;
        case EditFrame::None:
            break;
    }
    return 0;
}

void DrawEditFrame(CDC& dc, const CRect& frameRect, EditFrame frame, bool enabled,
                   const ControlColours& colours) {
    CRect rect = frameRect;
    switch (frame) {
        case EditFrame::Border: {
            const COLORREF colour = enabled ? colours.frame : colours.shadow;
            Ring(dc, rect, colour, colour);
            break;
        }
        case EditFrame::Sunken:
            Ring(dc, rect, colours.shadow, colours.highlight);
            Ring(dc, rect, colours.darkShadow, colours.light);
            break;
        case EditFrame::None:
            break;
    }
}

void DrawArrowGlyph(CDC& dc, const CRect& box, Arrow direction, int size, COLORREF colour) {
    if (size <= 0) {
        return;
    }
    const int depth = (size + 1) / 2;
    const bool vertical = direction == Arrow::Up || direction == Arrow::Down;
    // The glyph's own box, centred; odd leftovers go right and down.
    const int across = vertical ? box.Width() : box.Height();
    const int along = vertical ? box.Height() : box.Width();
    const int baseStart = (across - size + 1) / 2;
    const int tipStart = (along - depth + 1) / 2;
    for (int row = 0; row < depth; ++row) {
        // Row 0 is the base for Down/Right and the tip for Up/Left.
        const bool baseFirst = direction == Arrow::Down || direction == Arrow::Right;
        const int fromBase = baseFirst ? row : depth - 1 - row;
        const int first = baseStart + fromBase;
        const int last = baseStart + size - 1 - fromBase;
        for (int i = first; i <= last; ++i) {
            if (vertical) {
                dc.SetPixel(box.left + i, box.top + tipStart + row, colour);
            } else {
                dc.SetPixel(box.left + tipStart + row, box.top + i, colour);
            }
        }
    }
}

void DrawDropButton(CDC& dc, const CRect& button, bool pressed, bool enabled,
                    const ControlColours& colours) {
    const CRect content = DrawButtonFace(dc, button, FaceState{pressed, false, enabled}, colours);
    DrawArrowGlyph(dc, content, Arrow::Down, kDropArrowSize,
                   enabled ? colours.text : colours.grayText);
}

void DrawSpinButton(CDC& dc, const CRect& button, Arrow direction, bool pressed, bool enabled,
                    const ControlColours& colours) {
    const CRect content = DrawButtonFace(dc, button, FaceState{pressed, false, enabled}, colours);
    // Small spin buttons get a smaller arrow rather than a clipped one.
    int size = kSpinArrowSize;
    while (size > 1 && (size > content.Width() || (size + 1) / 2 > content.Height())) {
        size -= 2;
    }
    DrawArrowGlyph(dc, content, direction, size, enabled ? colours.text : colours.grayText);
}

void DrawCentredIcon(CDC& dc, const CRect& box, HICON icon, bool enabled,
                     const ControlColours& colours) {
    const CSize size = IconSize(icon);
    const int x = box.left + (box.Width() - size.cx) / 2;
    const int y = box.top + (box.Height() - size.cy) / 2;
    if (enabled) {
        DrawIconEx(dc.m_hDC, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
        return;
    }
    const Surface* pixels = IconPixels(icon);
    const COLORREF transparent = IconTransparentColour(icon);
    if (!pixels) {
        return;
    }
    const auto grey = [&](COLORREF colour) {
        const int luminance =
            (GetRValue(colour) * 30 + GetGValue(colour) * 59 + GetBValue(colour) * 11) / 100;
        const auto toFace = [&](BYTE face) { return static_cast<BYTE>((luminance + face) / 2); };
        return RGB(toFace(GetRValue(colours.face)), toFace(GetGValue(colours.face)),
                   toFace(GetBValue(colours.face)));
    };
    for (int row = 0; row < size.cy; ++row) {
        for (int column = 0; column < size.cx; ++column) {
            const COLORREF colour = pixels->GetPixel(column, row);
            if (colour != transparent) {
                dc.SetPixel(x + column, y + row, grey(colour));
            }
        }
    }
}

}  // namespace plat::style
