#pragma once
// What the controls share and nobody else needs: their window classes, the font and its
// character widths, notifications to the parent, the colours the parent hands out, and
// the character classes of the Windows-1252 code page.

#include <array>
#include <string_view>

#include "platform/controls/ControlDefs.h"
#include "platform/window/CWnd.h"

namespace plat::controls {

// The registered classes of the controls (registered on first use; the names are the
// windowing system's).
LPCTSTR EditClass();
LPCTSTR ButtonClass();
LPCTSTR ComboBoxClass();
LPCTSTR ComboListClass();
LPCTSTR SpinClass();

// The font a control draws with: the one WM_SETFONT gave it while that font lives, else
// DEFAULT_GUI_FONT.
CFont* ControlFont(const CWnd& control);

// The measures of a font: the pen advances by each byte's width (the drawing layer does
// not kern), so the width of any text is the sum of its bytes' widths.
struct FontMeasure {
    HFONT font = nullptr;
    int height = 0;  // tmHeight
    std::array<int, 256> widths{};

    int Width(unsigned char byte) const { return widths[byte]; }
};
// The measures of the control's font, remeasured when the font changed.
const FontMeasure& MeasureFont(const CWnd& control, FontMeasure& cache);

// WM_COMMAND with the notification code to the control's parent (its owner for a pop-up).
// Answers false when the control was destroyed meanwhile: the caller must then not touch
// the control object any more.
bool NotifyParent(CWnd& control, UINT code);

// The brush the parent answers WM_CTLCOLOR... (message) with, the text and background
// colours set on dc; the default colours when there is no parent.
HBRUSH ParentColours(CWnd& control, CDC& dc, UINT message);

// WM_GETTEXT's answer: up to capacity - 1 bytes of text and a NUL into the buffer; the
// bytes copied.
LRESULT CopyTextOut(std::string_view text, WPARAM capacity, LPARAM buffer);

// Windows-1252 character classes (letters include the accented ones).
bool IsDigit(unsigned char ch);
bool IsLetter(unsigned char ch);
bool IsPrintable(unsigned char ch);
char ToUpper(char ch);
char ToLower(char ch);

}  // namespace plat::controls
