#pragma once
// CView: a child window that draws its content in OnDraw. Its WM_PAINT makes a CPaintDC,
// lets OnPrepareDC set it up and calls OnDraw. Views delete themselves when their window
// is destroyed, as the framework's do: create them with new.

#include "platform/window/CWnd.h"

struct CPrintInfo;

class SUI_API CView : public CWnd {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    CView() = default;

    // Without a class name the framework's view class; a border becomes a client edge.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);

protected:
    void OnPaint() override;
    void PostNcDestroy() override;
};
