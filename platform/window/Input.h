#pragma once
// Injected input, as a user (or a live backend) gives it: mouse events at screen
// coordinates, the wheel, keys and characters. Events are queued; the message loop
// (PumpMessages, RunMessagesFor, a modal loop) turns each into its window message when
// it takes it, so a handler that captures the mouse changes where the next event goes.
//
// Mouse messages go to the capture window, else to the topmost visible window under the
// point (hidden windows are passed over; a disabled child lets its parent have the event;
// over a disabled top-level window the event is dropped). Keys and characters go to the
// focus window; a key down also gives WM_CHAR through TranslateMessage.

#include "platform/window/WinUser.h"

class CWnd;

namespace plat::input {

enum class Button { Left, Right, Middle };

SUI_API void MouseMove(int x, int y);
SUI_API void MouseDown(int x, int y, Button button = Button::Left);
SUI_API void MouseUp(int x, int y, Button button = Button::Left);
// Down and up at the same point and moment.
SUI_API void Click(int x, int y, Button button = Button::Left);
// delta in WHEEL_DELTA units (120 per notch, positive away from the user).
SUI_API void Wheel(int x, int y, int delta);
SUI_API void KeyDown(UINT virtualKey);
SUI_API void KeyUp(UINT virtualKey);
SUI_API void Key(UINT virtualKey);  // down and up
// A WM_CHAR of one byte (Windows-1252), without key messages.
SUI_API void Char(char ch);
SUI_API void Type(const char* text);

// Releases every key and button and forgets the last click (a test starts clean).
SUI_API void ResetState();

// The screen point of a point in a window's client area.
SUI_API POINT ScreenPointOf(const CWnd* wnd, POINT client);

}  // namespace plat::input
