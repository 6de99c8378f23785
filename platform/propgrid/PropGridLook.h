#pragma once
// How the property grid looks: the expand box of a group, the row lines, the selected
// name cell, the header strip, the description area, the vertical scroll bar, the "..."
// button, the drop button and the colour swatch and palette cells. Style functions of
// (dc, rectangle, colours, state): the grid and its rows compute rectangles and call
// them, so the whole look of the grid lives here. The drop button and button faces are
// the controls' own (ControlLook).

#include "platform/controls/ControlLook.h"
#include "platform/core/CString.h"
#include "platform/gdi/CDC.h"

namespace plat::style {

// The colours a grid paints with, resolved from its custom colours, its look and the
// system colours.
struct GridColours {
    COLORREF background;             // the list behind the rows
    COLORREF text;                   // names and values
    COLORREF groupBackground;        // group rows and the left margin (flat look)
    COLORREF groupText;              // group names
    COLORREF descriptionBackground;  // the description area
    COLORREF descriptionText;
    COLORREF line;       // the lines between rows and columns
    COLORREF grayText;   // disabled names and values
    COLORREF selection;  // the selected name while the grid has the focus
    COLORREF selectionText;
    COLORREF inactiveSelection;  // the selected name while the focus is elsewhere
    COLORREF inactiveSelectionText;
    bool fillGroups;  // group rows and the left margin are filled with groupBackground
};

// ---- Rows
// The expand box of a group, centred in its cell: a square of about 9 pixels framed in
// the line colour with a minus (expanded) or a plus (collapsed) in the text colour.
SUI_API void DrawExpandBox(CDC& dc, const CRect& cell, bool expanded, COLORREF frame,
                           COLORREF glyph, COLORREF fill);
// The edge of the expand box (its side in pixels) for a cell.
SUI_API CRect ExpandBoxRect(const CRect& cell);

// The lines of one row: the line under it and the column separator at x (none when x
// is below left, as for a group row that spans the width).
SUI_API void DrawRowLines(CDC& dc, const CRect& row, int separatorX, COLORREF line);

// The name cell of the selected row.
SUI_API void DrawSelectedName(CDC& dc, const CRect& cell, COLORREF fill);

// ---- Buttons at the right of a value
// The "..." button: a raised face, sunk while pressed, with three dots in the text colour.
SUI_API void DrawEllipsisButton(CDC& dc, const CRect& button, bool pressed, bool enabled,
                                const ControlColours& colours);

// ---- Header and description
// The header strip: two button-face cells split at the divider, each with its caption.
SUI_API void DrawGridHeader(CDC& dc, const CRect& header, int dividerX, const CString& left,
                            const CString& right, CFont* font, const ControlColours& colours);
// The description area: its fill and frame; answers the rectangle for the text.
SUI_API CRect DrawDescriptionFrame(CDC& dc, const CRect& area, const GridColours& colours);

// ---- The vertical scroll bar. pos is the first visible row, page the rows that fit,
// total the rows there are; with total <= page the thumb fills the track.
struct ScrollBarParts {
    CRect upArrow;
    CRect downArrow;
    CRect track;  // between the arrows
    CRect thumb;
};
enum class ScrollPart { None, UpArrow, DownArrow, PageUp, PageDown, Thumb };

SUI_API ScrollBarParts LayoutVScrollBar(const CRect& bar, int pos, int page, int total);
// The row a thumb dragged so that its top sits at thumbTop would show first.
SUI_API int ScrollPosFromThumb(const ScrollBarParts& parts, int thumbTop, int page, int total);
SUI_API ScrollPart HitTestVScrollBar(const ScrollBarParts& parts, CPoint point);
SUI_API void DrawVScrollBar(CDC& dc, const ScrollBarParts& parts, ScrollPart pressed,
                            const ControlColours& colours);
// The narrowest a thumb gets.
constexpr int kMinThumb = 8;

// ---- Colours
// A colour swatch framed in black (the colour property's value and palette cells).
SUI_API void DrawColourSwatch(CDC& dc, const CRect& swatch, COLORREF colour);
// A palette cell: the swatch inset by 2, framed in the selection colour when hot and
// sunk in a 3D frame when it holds the current colour.
SUI_API void DrawPaletteCell(CDC& dc, const CRect& cell, COLORREF colour, bool hot, bool current,
                             const ControlColours& colours);
// A palette's text button ("Automatic", "Other..."), hot or current like a cell.
SUI_API void DrawPaletteButton(CDC& dc, const CRect& button, const CString& label, bool hot,
                               bool current, CFont* font, const ControlColours& colours);

}  // namespace plat::style
