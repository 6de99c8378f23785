#pragma once
// The headless screen: a surface on which the visible top-level windows are composed in
// z-order over a desktop colour, on demand. Tests read its pixels; hosts and tests save
// it (or one window) as a PNG file.
//
// It is the default backend; a live window would be another Backend beside it.

#include <string>

#include "platform/window/Backend.h"

namespace plat {

class SUI_API Screen final : public Backend {
public:
    static constexpr int kDefaultWidth = 1600;
    static constexpr int kDefaultHeight = 1000;

    explicit Screen(int width = kDefaultWidth, int height = kDefaultHeight);
    // Uninstalls the screen if it is the installed backend.
    ~Screen() override;
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    // Becomes the backend the window layer asks (screen size, metrics, device caps).
    void Install();
    // False (and no change) for a size no surface can have.
    bool SetSize(int width, int height);
    CSize ScreenSize() const override;
    void SetDesktopColour(COLORREF colour);
    COLORREF DesktopColour() const { return desktop_; }

    void ScreenChanged() override { ++changes_; }
    // How often the window layer reported a possible change (for tests and live redraw).
    unsigned long Changes() const { return changes_; }

    // The picture now: the desktop, then each visible top-level window, bottom first. Run
    // the messages first (PumpMessages) so that waiting paints are done.
    const Surface& Compose();
    // A pixel of the composed picture; CLR_INVALID outside the screen.
    COLORREF GetPixel(int x, int y);

    bool SavePng(const std::string& path);
    // One window (frame included) as its top-level surface holds it; false when the
    // window does not show or the file cannot be written.
    static bool SaveWindowPng(const CWnd* wnd, const std::string& path);

private:
    CSize size_;
    COLORREF desktop_;
    Surface picture_;
    unsigned long changes_ = 0;
};

// The process's headless screen, installed when first asked for.
SUI_API Screen& HeadlessScreen();

}  // namespace plat
