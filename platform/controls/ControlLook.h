#pragma once
// How the common controls look: button faces, edit frames, the combo box's drop button,
// the spin control's arrow buttons, arrow glyphs and the focus rectangle. Style functions
// of (dc, rectangle, colours, state): a control computes its rectangles and calls them,
// so the whole look of the controls lives here.

#include "platform/gdi/CDC.h"
#include "platform/window/WinUser.h"

namespace plat::style {

// The colours the controls draw with (the system colours of the classic 3D look).
struct ControlColours {
    COLORREF face;           // COLOR_BTNFACE
    COLORREF highlight;      // COLOR_BTNHIGHLIGHT: the lit outer edge of a raised face
    COLORREF light;          // COLOR_3DLIGHT: the lit inner edge
    COLORREF shadow;         // COLOR_BTNSHADOW: the shaded inner edge
    COLORREF darkShadow;     // COLOR_3DDKSHADOW: the shaded outer edge
    COLORREF text;           // COLOR_BTNTEXT: captions and glyphs
    COLORREF grayText;       // COLOR_GRAYTEXT: disabled captions and glyphs
    COLORREF frame;          // COLOR_WINDOWFRAME: one-pixel borders, the default button's ring
    COLORREF window;         // COLOR_WINDOW: text fields and lists
    COLORREF windowText;     // COLOR_WINDOWTEXT
    COLORREF selection;      // COLOR_HIGHLIGHT: selected text and items
    COLORREF selectionText;  // COLOR_HIGHLIGHTTEXT
};

SUI_API ControlColours SystemControlColours();

struct FaceState {
    bool pressed = false;
    bool isDefault = false;  // the default push button of its dialog: a dark ring round it
    bool enabled = true;
};

// A push button's face: a raised 3D face, or a flat sunken one while pressed. Answers the
// rectangle for its content (caption or icon), shifted one pixel right and down while
// pressed so the content seems to sink with it.
SUI_API CRect DrawButtonFace(CDC& dc, const CRect& button, const FaceState& state,
                             const ControlColours& colours);

// The dotted rectangle round the content of a focused control: every other pixel of its
// edges, starting at the top-left corner.
SUI_API void DrawFocusRect(CDC& dc, const CRect& rect, COLORREF colour);

enum class EditFrame {
    None,
    Border,  // one pixel (WS_BORDER)
    Sunken,  // two pixels of 3D edge (WS_EX_CLIENTEDGE), also the frame of a combo box
};
// The frame round a text field, outside in: Border is one pixel of the frame colour (the
// shadow colour when disabled); Sunken is a shadow/highlight ring, then a dark
// shadow/light ring.
SUI_API void DrawEditFrame(CDC& dc, const CRect& rect, EditFrame frame, bool enabled,
                           const ControlColours& colours);
// The pixels a frame takes from each side.
SUI_API int EditFrameWidth(EditFrame frame);

enum class Arrow { Up, Down, Left, Right };
// A solid triangle centred in box, pointing the given way: its base is size pixels (odd
// sizes give a sharp tip) and it is (size + 1) / 2 pixels deep.
SUI_API void DrawArrowGlyph(CDC& dc, const CRect& box, Arrow direction, int size, COLORREF colour);

// The combo box's drop button: a button face with a 7-pixel down arrow.
SUI_API void DrawDropButton(CDC& dc, const CRect& button, bool pressed, bool enabled,
                            const ControlColours& colours);
constexpr int kDropArrowSize = 7;

// One half of a spin control: a button face with a 5-pixel arrow.
SUI_API void DrawSpinButton(CDC& dc, const CRect& button, Arrow direction, bool pressed,
                            bool enabled, const ControlColours& colours);
constexpr int kSpinArrowSize = 5;

// An icon centred in box; a disabled one is drawn in greys lightened towards the face
// colour, so it reads as unavailable but keeps its shape.
SUI_API void DrawCentredIcon(CDC& dc, const CRect& box, HICON icon, bool enabled,
                             const ControlColours& colours);

}  // namespace plat::style
