#include "platform/window/CView.h"

#include "platform/window/WindowDC.h"

const CRuntimeClass CView::runtimeClass = plat::MakeRuntimeClass<CView, CWnd>("CView");

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
    if (!cs.lpszClass) {
        cs.lpszClass = "AfxFrameOrView";
    }
    if (cs.style & WS_BORDER) {
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
        cs.style &= ~static_cast<LONG>(WS_BORDER);
    }
    return TRUE;
}

void CView::OnPrepareDC(CDC*, CPrintInfo*) {}

void CView::OnPaint() {
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

void CView::PostNcDestroy() {
    delete this;
}
