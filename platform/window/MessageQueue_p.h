#pragma once
// The raw input queue shared by the injection calls and the loop. Private to the window
// layer.

#include <optional>

#include "platform/window/WinUser.h"

namespace plat {

struct InputEvent {
    enum class Kind { MouseMove, ButtonDown, ButtonUp, Wheel, KeyDown, KeyUp, Char };
    Kind kind = Kind::MouseMove;
    int button = 0;  // 0 left, 1 right, 2 middle
    POINT pt{0, 0};  // screen
    int delta = 0;   // wheel
    UINT key = 0;    // virtual key, or the character for Char
    DWORD time = 0;
};

void QueueInput(const InputEvent& event);

// The message an input event becomes: its window found now (capture, hit test), double
// clicks recognised. With commit the side effects happen (key state, click record, mouse
// activation, which may eat the event: nothing is answered then).
std::optional<MSG> InputToMessage(const InputEvent& event, bool commit);

}  // namespace plat
