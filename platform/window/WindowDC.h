#pragma once
// Device contexts on a window's pixels: CPaintDC (BeginPaint/EndPaint in a WM_PAINT
// handler), CClientDC (the client area, any time) and CWindowDC (the whole window, frame
// included). Each is clipped to what of the window shows: the parent's client area, and
// without the children (WS_CLIPCHILDREN) and the siblings above (WS_CLIPSIBLINGS). The
// pixels land on the window's surface when the context goes away.

#include <memory>

#include "platform/gdi/CDC.h"
#include "platform/window/WinUser.h"

class CWnd;

namespace plat {
class WindowTarget;
}

class SUI_API CClientDC : public CDC {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    // A null window gives a context that draws nowhere (for measuring).
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

    HWND m_hWnd;

private:
    std::unique_ptr<plat::WindowTarget> target_;
};

class SUI_API CWindowDC : public CDC {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

    HWND m_hWnd;

private:
    std::unique_ptr<plat::WindowTarget> target_;
};

// BeginPaint in the constructor (the frame, then WM_ERASEBKGND when asked for; the
// update region is validated), EndPaint in the destructor.
class SUI_API CPaintDC : public CDC {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    HWND m_hWnd;
    PAINTSTRUCT m_ps;

private:
    std::unique_ptr<plat::WindowTarget> target_;
};
