#pragma once
// How the docking framework looks: the caption bar of a docked pane with its close button,
// the pane's border and the splitters between docked panes and the main view. Style
// functions of (dc, rectangle, colours, state): a window computes the rectangles and calls
// them, so the whole look lives here.
//
// The colours come as one set for every pane and frame, like the framework's visual
// manager: day colours from the system colours, or a darker night set. Changing the set
// repaints nothing by itself; the host redraws its frame (RDW_FRAME | RDW_ALLCHILDREN).

#include "platform/core/CString.h"
#include "platform/gdi/CDC.h"

namespace plat::style {

struct PaneColours {
    COLORREF captionFace;
    COLORREF captionText;
    COLORREF closeGlyph;
    COLORREF closePressedFace;
    COLORREF closePressedEdge;
    COLORREF paneBorder;
    COLORREF paneFace;      // a pane's client area where no view covers it
    COLORREF splitterFace;  // splitters, and the frame's client area nobody covers
};

// The system colours of a light desktop.
SUI_API PaneColours DayPaneColours();
SUI_API PaneColours NightPaneColours();
// The set every pane and frame draws with; day colours until a host sets another.
SUI_API PaneColours CurrentPaneColours();
SUI_API void SetPaneColours(const PaneColours& colours);

// Sizes in pixels.
constexpr int kPaneBorder = 1;
constexpr int kPaneCaptionHeight = 20;
constexpr int kCloseButtonSize = 16;
constexpr int kCloseButtonMargin = 2;  // from the caption's right and top edges
constexpr int kCloseGlyphSize = 8;
constexpr int kSplitterWidth = 5;

enum class ButtonState { Normal, Pressed };

// The close button's square at the right end of a caption bar.
SUI_API CRect CloseButtonRect(const CRect& caption);

// The caption bar: face, title (cut with an ellipsis before the close button) and, when
// asked for, the close button.
SUI_API void DrawPaneCaption(CDC& dc, const CRect& caption, const CString& title, bool closeButton,
                             ButtonState closeState, const PaneColours& colours);
// The close button: a pressed button sinks into a framed square; the cross is drawn two
// pixels wide so it stays crisp.
SUI_API void DrawCloseButton(CDC& dc, const CRect& button, ButtonState state,
                             const PaneColours& colours);
// A one-pixel line round a pane's window rectangle.
SUI_API void DrawPaneBorder(CDC& dc, const CRect& window, const PaneColours& colours);
// A splitter bar: a plain bar of the splitter face, in either direction.
SUI_API void DrawSplitter(CDC& dc, const CRect& bar, const PaneColours& colours);

}  // namespace plat::style
