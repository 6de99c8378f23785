#pragma once
// The registered window classes. Private to the window layer.

#include "platform/core/CString.h"
#include "platform/window/WinUser.h"

namespace plat {

struct WndClassInfo {
    CString name;
    UINT style = 0;
    HBRUSH background = nullptr;  // a brush or (HBRUSH)(COLOR_x + 1)
    HCURSOR cursor = nullptr;
    HICON icon = nullptr;
};

// A null name finds the default class; nullptr for a name nobody registered.
const WndClassInfo* FindWndClass(const char* name);
// The brush a class background stands for (system colour indices resolved).
HBRUSH ResolveBrush(HBRUSH background);

}  // namespace plat
