#pragma once
// How window frames look: the non-client parts that DefWindowProc(WM_NCPAINT) draws.
// One function of (dc, rectangle, styles, state), so the look lives in one place.

#include "platform/core/CString.h"
#include "platform/gdi/CDC.h"

namespace plat::style {

// Draws the frame of a window whose window rectangle is window (context coordinates):
// the border, dialog or thick frame, the caption bar with the title and the client and
// static edges, outside in, as the frame insets are taken. active picks the caption and
// border colours of the active window.
SUI_API void DrawWindowFrame(CDC& dc, const CRect& window, DWORD style, DWORD exStyle, bool active,
                             const CString& title);

// The caption font of the desktop, 9 points of the user-interface face: window captions
// and docked panes' captions.
CFont& CaptionFont();

}  // namespace plat::style
