#pragma once
// The up-down control's arrow keys on its buddy: the windowing system subclasses the
// buddy for them; here an edit asks whether a spin with UDS_ARROWKEYS names it its buddy.

#include "platform/window/WinUser.h"

namespace plat::controls {

// Steps the spin whose buddy is buddy (VK_UP up, VK_DOWN down); false when there is none.
bool SpinArrowKey(HWND buddy, UINT virtualKey);

}  // namespace plat::controls
