#pragma once
// What a windowing test leaves behind goes before the next test starts: its top-level
// windows, the capture, queued messages, the state of injected input and a test clock.

#include "platform/window/CWnd.h"
#include "platform/window/Clock.h"
#include "platform/window/Input.h"
#include "platform/window/MessageLoop.h"

namespace plat::test {

inline void ResetWindowing() {
    while (CWnd* top = CWnd::GetDesktopWindow()->GetWindow(GW_CHILD)) {
        top->DestroyWindow();
    }
    ReleaseCapture();
    plat::ResetMessageQueue();
    plat::input::ResetState();
    plat::UseRealClock();
}

}  // namespace plat::test
