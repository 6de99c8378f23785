#pragma once
// The pixels behind a window's device context. Private to the window layer.
//
// A context draws straight into the top-level window's surface when what shows of the
// window is one rectangle. When children or siblings cut holes into it, the context draws
// into a scratch copy instead, and Commit copies back only the pixels outside the holes.

#include <memory>
#include <vector>

#include "platform/gdi/CDC.h"
#include "platform/window/WinUser.h"

class CWnd;

namespace plat {

class WindowTarget {
public:
    WindowTarget() = default;
    ~WindowTarget();
    WindowTarget(const WindowTarget&) = delete;
    WindowTarget& operator=(const WindowTarget&) = delete;

    // Attaches dc to wnd's client area (or its whole window), clipped to what shows and
    // to limit (client or window coordinates) when given. A missing or hidden window
    // gives a context that draws nowhere.
    void Attach(CDC& dc, CWnd* wnd, bool clientArea, const RECT* limit = nullptr);
    // Puts the pixels in place; later calls do nothing.
    void Commit();

private:
    std::shared_ptr<Surface> backing_;
    std::unique_ptr<Surface> scratch_;
    Surface nowhere_;
    RECT box_{};               // the scratch copy's place on the backing surface
    std::vector<RECT> holes_;  // backing coordinates
    bool committed_ = false;
};

// BeginPaint's work on a context: the frame (WM_NCPAINT) if it is due, the update region
// taken and validated, WM_ERASEBKGND when erasing was asked for.
void BeginPaintOn(CWnd* wnd, CDC& dc, WindowTarget& target, PAINTSTRUCT& ps);

}  // namespace plat
