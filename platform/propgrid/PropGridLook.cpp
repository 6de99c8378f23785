#include "platform/propgrid/PropGridLook.h"

#include <algorithm>

#include "platform/gdi/SavedDC.h"
#include "platform/gdi/TextTypes.h"

namespace plat::style {
namespace {

constexpr int kExpandBoxSize = 9;

void HorizontalLine(CDC& dc, int x0, int x1, int y, COLORREF colour) {
    dc.FillSolidRect(x0, y, x1 - x0, 1, colour);
}

void VerticalLine(CDC& dc, int x, int y0, int y1, COLORREF colour) {
    dc.FillSolidRect(x, y0, 1, y1 - y0, colour);
}

void DrawCaption(CDC& dc, CRect cell, const CString& text, CFont* font, COLORREF colour) {
    const SavedDC saved(dc);
    if (font) {
        dc.SelectObject(font);
    }
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(colour);
    cell.DeflateRect(4, 0);
    dc.DrawText(text, &cell, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace

CRect ExpandBoxRect(const CRect& cell) {
    const int size = std::min(kExpandBoxSize, std::min(cell.Width(), cell.Height()));
    const CPoint centre = cell.CenterPoint();
    const int left = centre.x - size / 2;
    const int top = centre.y - size / 2;
    return CRect(left, top, left + size, top + size);
}

void DrawExpandBox(CDC& dc, const CRect& cell, bool expanded, COLORREF frame, COLORREF glyph,
                   COLORREF fill) {
    const CRect box = ExpandBoxRect(cell);
    if (box.Width() < 5) {
        return;  // no room for a readable sign
    }
    dc.FillSolidRect(&box, fill);
    dc.Draw3dRect(&box, frame, frame);
    const int middleY = box.top + box.Height() / 2;
    const int middleX = box.left + box.Width() / 2;
    HorizontalLine(dc, box.left + 2, box.right - 2, middleY, glyph);
    if (!expanded) {
        VerticalLine(dc, middleX, box.top + 2, box.bottom - 2, glyph);
    }
}

void DrawRowLines(CDC& dc, const CRect& row, int separatorX, COLORREF line) {
    HorizontalLine(dc, row.left, row.right, row.bottom - 1, line);
    if (separatorX >= row.left && separatorX < row.right) {
        VerticalLine(dc, separatorX, row.top, row.bottom, line);
    }
}

void DrawSelectedName(CDC& dc, const CRect& cell, COLORREF fill) {
    dc.FillSolidRect(&cell, fill);
}

void DrawEllipsisButton(CDC& dc, const CRect& button, bool pressed, bool enabled,
                        const ControlColours& colours) {
    FaceState state;
    state.pressed = pressed;
    state.enabled = enabled;
    const CRect content = DrawButtonFace(dc, button, state, colours);
    // Three two-pixel dots, one pixel apart, sitting on the content's lower third.
    const COLORREF ink = enabled ? colours.text : colours.grayText;
    const int dotsWidth = 3 * 2 + 2 * 1;
    const int x0 = content.left + (content.Width() - dotsWidth) / 2;
    const int y = content.top + (content.Height() * 2) / 3 - 1;
    for (int dot = 0; dot < 3; ++dot) {
        dc.FillSolidRect(x0 + dot * 3, y, 2, 2, ink);
    }
}

void DrawGridHeader(CDC& dc, const CRect& header, int dividerX, const CString& left,
                    const CString& right, CFont* font, const ControlColours& colours) {
    const FaceState state;
    const int split = std::clamp(dividerX, header.left, header.right);
    const CRect leftCell(header.left, header.top, split, header.bottom);
    const CRect rightCell(split, header.top, header.right, header.bottom);
    if (!leftCell.IsRectEmpty()) {
        DrawCaption(dc, DrawButtonFace(dc, leftCell, state, colours), left, font, colours.text);
    }
    if (!rightCell.IsRectEmpty()) {
        DrawCaption(dc, DrawButtonFace(dc, rightCell, state, colours), right, font, colours.text);
    }
}

CRect DrawDescriptionFrame(CDC& dc, const CRect& area, const GridColours& colours) {
    dc.FillSolidRect(&area, colours.descriptionBackground);
    dc.Draw3dRect(&area, colours.line, colours.line);
    CRect text = area;
    text.DeflateRect(4, 3);
    return text;
}

ScrollBarParts LayoutVScrollBar(const CRect& bar, int pos, int page, int total) {
    ScrollBarParts parts;
    // Arrows are square unless the bar is too short for two of them.
    const int arrow = std::min(bar.Width(), bar.Height() / 2);
    parts.upArrow = CRect(bar.left, bar.top, bar.right, bar.top + arrow);
    parts.downArrow = CRect(bar.left, bar.bottom - arrow, bar.right, bar.bottom);
    parts.track = CRect(bar.left, parts.upArrow.bottom, bar.right, parts.downArrow.top);
    const int trackHeight = parts.track.Height();
    if (total <= page || total <= 0 || trackHeight <= 0) {
        parts.thumb = parts.track;
        return parts;
    }
    const long long thumbHeight = std::max<long long>(
        std::min(kMinThumb, trackHeight), static_cast<long long>(trackHeight) * page / total);
    const int range = total - page;
    const long long travel = trackHeight - thumbHeight;
    const long long offset = travel * std::clamp(pos, 0, range) / range;
    parts.thumb = CRect(bar.left, parts.track.top + static_cast<int>(offset), bar.right,
                        parts.track.top + static_cast<int>(offset + thumbHeight));
    return parts;
}

int ScrollPosFromThumb(const ScrollBarParts& parts, int thumbTop, int page, int total) {
    const int range = total - page;
    const int travel = parts.track.Height() - parts.thumb.Height();
    if (range <= 0 || travel <= 0) {
        return 0;
    }
    const long long offset = std::clamp(thumbTop - parts.track.top, 0, travel);
    // Rounded, so a thumb dragged to the end of its travel reaches the last position.
    return static_cast<int>((offset * range + travel / 2) / travel);
}

ScrollPart HitTestVScrollBar(const ScrollBarParts& parts, CPoint point) {
    if (parts.upArrow.PtInRect(point)) {
        return ScrollPart::UpArrow;
    }
    if (parts.downArrow.PtInRect(point)) {
        return ScrollPart::DownArrow;
    }
    if (!parts.track.PtInRect(point)) {
        return ScrollPart::None;
    }
    if (parts.thumb.PtInRect(point)) {
        return ScrollPart::Thumb;
    }
    return point.y < parts.thumb.top ? ScrollPart::PageUp : ScrollPart::PageDown;
}

void DrawVScrollBar(CDC& dc, const ScrollBarParts& parts, ScrollPart pressed,
                    const ControlColours& colours) {
    // The track is a light stipple of the face; a pressed page part darkens.
    dc.FillSolidRect(&parts.track, colours.light);
    if (pressed == ScrollPart::PageUp) {
        dc.FillSolidRect(parts.track.left, parts.track.top, parts.track.Width(),
                         parts.thumb.top - parts.track.top, colours.shadow);
    } else if (pressed == ScrollPart::PageDown) {
        dc.FillSolidRect(parts.track.left, parts.thumb.bottom, parts.track.Width(),
                         parts.track.bottom - parts.thumb.bottom, colours.shadow);
    }
    const bool scrollable = parts.thumb != parts.track;
    DrawSpinButton(dc, parts.upArrow, Arrow::Up, pressed == ScrollPart::UpArrow, scrollable,
                   colours);
    DrawSpinButton(dc, parts.downArrow, Arrow::Down, pressed == ScrollPart::DownArrow, scrollable,
                   colours);
    if (scrollable && !parts.thumb.IsRectEmpty()) {
        DrawButtonFace(dc, parts.thumb, FaceState{}, colours);
    }
}

void DrawColourSwatch(CDC& dc, const CRect& swatch, COLORREF colour) {
    if (swatch.IsRectEmpty()) {
        return;
    }
    dc.FillSolidRect(&swatch, colour);
    dc.Draw3dRect(&swatch, RGB(0, 0, 0), RGB(0, 0, 0));
}

void DrawPaletteCell(CDC& dc, const CRect& cell, COLORREF colour, bool hot, bool current,
                     const ControlColours& colours) {
    dc.FillSolidRect(&cell, colours.face);
    if (current) {
        dc.Draw3dRect(&cell, colours.shadow, colours.highlight);
    }
    if (hot) {
        dc.Draw3dRect(&cell, colours.selection, colours.selection);
    }
    CRect swatch = cell;
    swatch.DeflateRect(2, 2);
    DrawColourSwatch(dc, swatch, colour);
}

void DrawPaletteButton(CDC& dc, const CRect& button, const CString& label, bool hot, bool current,
                       CFont* font, const ControlColours& colours) {
    dc.FillSolidRect(&button, colours.face);
    if (current) {
        dc.Draw3dRect(&button, colours.shadow, colours.highlight);
    }
    if (hot) {
        dc.Draw3dRect(&button, colours.selection, colours.selection);
    }
    const SavedDC saved(dc);
    if (font) {
        dc.SelectObject(font);
    }
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(colours.text);
    CRect text = button;
    dc.DrawText(label, &text, DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

}  // namespace plat::style
