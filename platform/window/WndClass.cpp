// Window classes: registered by name (found without regard to case), never unregistered.
// The framework's own classes are there from the start.

#include <strings.h>
#include <cstdio>
#include <deque>

#include "platform/window/CWnd.h"
#include "platform/window/WndClass_p.h"

namespace plat {
namespace {

HBRUSH SystemColourBrush(int index) {
    return reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(index + 1));
}

// A deque keeps every record (and its name's text) where it is while more are added.
struct ClassTable {
    std::deque<WndClassInfo> classes;

    ClassTable() {
        constexpr UINT kFrameworkStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        classes.push_back({"AfxWnd", kFrameworkStyle, SystemColourBrush(COLOR_WINDOW)});
        classes.push_back({"AfxFrameOrView", kFrameworkStyle, SystemColourBrush(COLOR_WINDOW)});
        classes.push_back({"AfxControlBar", CS_DBLCLKS, SystemColourBrush(COLOR_BTNFACE)});
        classes.push_back({"AfxMDIFrame", kFrameworkStyle, nullptr});
    }

    const WndClassInfo* Find(const char* name) const {
        for (const WndClassInfo& info : classes) {
            if (strcasecmp(info.name.GetString(), name) == 0) {
                return &info;
            }
        }
        return nullptr;
    }
};

ClassTable& Table() {
    static auto* table = new ClassTable;  // outlives every window, even at exit
    return *table;
}

}  // namespace

const WndClassInfo* FindWndClass(const char* name) {
    return Table().Find(name && *name ? name : "AfxWnd");
}

HBRUSH ResolveBrush(HBRUSH background) {
    const auto value = reinterpret_cast<std::uintptr_t>(background);
    if (value != 0 && value <= COLOR_MENUBAR + 1) {
        return GetSysColorBrush(static_cast<int>(value) - 1);
    }
    return background;
}

}  // namespace plat

WORD RegisterClassA(const WNDCLASSA* wndClass) {
    if (!wndClass || !wndClass->lpszClassName || !*wndClass->lpszClassName ||
        plat::Table().Find(wndClass->lpszClassName)) {
        return 0;
    }
    auto& classes = plat::Table().classes;
    classes.push_back({wndClass->lpszClassName, wndClass->style, wndClass->hbrBackground,
                       wndClass->hCursor, wndClass->hIcon});
    return static_cast<WORD>(0xC000 + classes.size());
}

BOOL GetClassInfoA(void*, LPCSTR className, WNDCLASSA* wndClass) {
    const plat::WndClassInfo* info = className ? plat::Table().Find(className) : nullptr;
    if (!info || !wndClass) {
        return FALSE;
    }
    *wndClass = WNDCLASSA{info->style,
                          nullptr,
                          0,
                          0,
                          nullptr,
                          info->icon,
                          info->cursor,
                          info->background,
                          nullptr,
                          info->name.GetString()};
    return TRUE;
}

BOOL AfxRegisterClass(WNDCLASS* lpWndClass) {
    if (!lpWndClass || !lpWndClass->lpszClassName) {
        return FALSE;
    }
    // The framework answers TRUE when the class exists already with the same name.
    return RegisterClassA(lpWndClass) != 0 || plat::Table().Find(lpWndClass->lpszClassName);
}

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
    char name[96];
    std::snprintf(name, sizeof name, "Afx:%x:%p:%p:%p", nClassStyle, static_cast<void*>(hCursor),
                  static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    if (const plat::WndClassInfo* existing = plat::Table().Find(name)) {
        return existing->name.GetString();
    }
    plat::Table().classes.push_back({name, nClassStyle, hbrBackground, hCursor, hIcon});
    return plat::Table().classes.back().name.GetString();
}
