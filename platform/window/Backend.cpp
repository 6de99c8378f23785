#include "platform/window/Backend.h"

#include <algorithm>
#include <atomic>

#include "platform/window/WindowTree_p.h"

namespace plat {
namespace {

constexpr CSize kDefaultScreen{1600, 1000};
std::atomic<Backend*> installed{nullptr};

}  // namespace

void InstallBackend(Backend* backend) {
    installed.store(backend);
}
Backend* InstalledBackend() {
    return installed.load();
}

CSize ScreenSize() {
    const Backend* backend = installed.load();
    return backend ? backend->ScreenSize() : kDefaultScreen;
}

void NotifyScreenChanged() {
    if (Backend* backend = installed.load()) {
        backend->ScreenChanged();
    }
}

std::vector<TopLevelPicture> VisibleTopLevels() {
    std::vector<TopLevelPicture> pictures;
    const auto& tops = Data(Desktop())->children;
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        const WndData* d = Data(*it);
        if (IsShowing(*it) && d->backing && !d->backing->IsEmpty()) {
            pictures.push_back(TopLevelPicture{d->handle, d->backing.get(), d->window});
        }
    }
    return pictures;
}

Surface WindowPixels(const CWnd* wnd) {
    const CWnd* top = TopLevelOf(wnd);
    if (!top || !IsShowing(wnd) || !Data(top)->backing) {
        return Surface();
    }
    const Surface& backing = *Data(top)->backing;
    const CRect rect = WindowRectOnTop(wnd) & backing.Bounds();
    Surface pixels(rect.Width(), rect.Height());
    for (int y = 0; y < pixels.Height(); ++y) {
        const COLORREF* row = backing.Row(rect.top + y) + rect.left;
        std::copy(row, row + rect.Width(), pixels.Row(y));
    }
    return pixels;
}

}  // namespace plat
