#include "platform/backend/Screen.h"

#include <algorithm>

#include "platform/gdi/CDC.h"
#include "platform/gdi/Png.h"

namespace plat {
namespace {

// Copies pixels onto the picture at place, cut to the picture.
void Blit(const Surface& pixels, const CRect& place, Surface& picture) {
    const CRect target = place & picture.Bounds();
    for (int y = target.top; y < target.bottom; ++y) {
        const COLORREF* src = pixels.Row(y - place.top) + (target.left - place.left);
        std::copy(src, src + target.Width(), picture.Row(y) + target.left);
    }
}

bool IsSurfaceSize(int width, int height) {
    return width > 0 && height > 0 && width <= Surface::kMaxSide && height <= Surface::kMaxSide &&
           std::int64_t{width} * height <= Surface::kMaxPixels;
}

}  // namespace

Screen::Screen(int width, int height)
    : size_(IsSurfaceSize(width, height) ? CSize(width, height)
                                         : CSize(kDefaultWidth, kDefaultHeight)),
      desktop_(GetSysColor(COLOR_BACKGROUND)) {}

Screen::~Screen() {
    if (InstalledBackend() == this) {
        InstallBackend(nullptr);
    }
}

void Screen::Install() {
    InstallBackend(this);
    SetSize(size_.cx, size_.cy);
}

bool Screen::SetSize(int width, int height) {
    if (!IsSurfaceSize(width, height)) {
        return false;
    }
    size_ = CSize(width, height);
    if (InstalledBackend() == this) {
        DeviceInfo info = ScreenDeviceInfo();
        info.horzRes = width;
        info.vertRes = height;
        SetScreenDeviceInfo(info);
    }
    ScreenChanged();
    return true;
}

CSize Screen::ScreenSize() const {
    return size_;
}

void Screen::SetDesktopColour(COLORREF colour) {
    desktop_ = PixelOf(colour);
}

const Surface& Screen::Compose() {
    if (picture_.Width() != size_.cx || picture_.Height() != size_.cy) {
        picture_.Reset(size_.cx, size_.cy, desktop_);
    } else {
        picture_.Fill(desktop_);
    }
    for (const TopLevelPicture& top : VisibleTopLevels()) {
        Blit(*top.pixels, top.rect, picture_);
    }
    return picture_;
}

COLORREF Screen::GetPixel(int x, int y) {
    return Compose().GetPixel(x, y);
}

bool Screen::SavePng(const std::string& path) {
    return plat::SavePng(Compose(), path);
}

bool Screen::SaveWindowPng(const CWnd* wnd, const std::string& path) {
    const Surface pixels = WindowPixels(wnd);
    return !pixels.IsEmpty() && plat::SavePng(pixels, path);
}

Screen& HeadlessScreen() {
    static auto* screen = [] {
        auto* made = new Screen;  // kept for the life of the process
        made->Install();
        return made;
    }();
    return *screen;
}

}  // namespace plat
