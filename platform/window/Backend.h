#pragma once
// What the window layer needs from whatever shows the screen: the headless screen of
// platform/backend (the default) or a live window. The layer works without one (a
// 1600x1000 screen that nobody looks at).

#include <vector>

#include "platform/core/Geometry.h"
#include "platform/gdi/Surface.h"
#include "platform/window/WinUser.h"

class CWnd;

namespace plat {

class SUI_API Backend {
public:
    virtual ~Backend() = default;
    virtual CSize ScreenSize() const = 0;
    // The picture may have changed: a window painted, moved, showed or hid.
    virtual void ScreenChanged() {}
    // The message loop is idle: wait up to timeoutMs (negative: no limit) for outside
    // input and inject what arrives. False when this backend has no outside input; the
    // loop then waits for posted messages itself.
    virtual bool WaitForInput(int timeoutMs) {
        static_cast<void>(timeoutMs);
        return false;
    }
    // Another thread posted a message: a wait in WaitForInput should end.
    virtual void Wake() {}
};

// A top-level window as a backend shows it: its pixels and its place on the screen.
struct TopLevelPicture {
    HWND hwnd;
    const Surface* pixels;
    CRect rect;  // screen coordinates
};

// The visible top-level windows, bottom first.
SUI_API std::vector<TopLevelPicture> VisibleTopLevels();
// A copy of a window's pixels (frame included) as they stand on its top-level window's
// surface; an empty surface when the window does not show.
SUI_API Surface WindowPixels(const CWnd* wnd);

// nullptr removes the backend. The caller keeps ownership.
SUI_API void InstallBackend(Backend* backend);
SUI_API Backend* InstalledBackend();
SUI_API CSize ScreenSize();
// Tells the backend (if any) that the picture may have changed.
SUI_API void NotifyScreenChanged();

}  // namespace plat
