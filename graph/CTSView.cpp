#include "graph/CTSView.h"

#include "settings/RegisteredMessages.h"

const CRuntimeClass CTSView::runtimeClass = plat::MakeRuntimeClass<CTSView, CView>("CTSView");

CTSView::CTSView() = default;

CTSView::~CTSView() = default;

BOOL CTSView::Create(CWnd* pParent) {
    return Create(AfxRegisterWndClass(CS_DBLCLKS), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200),
                  pParent, 0);
}

int CTSView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CView::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    if (CWnd* parent = GetParent()) {
        m_hPane = parent->GetSafeHwnd();
    }
    return 0;
}

void CTSView::ShowTitle() {
    CWnd* pane = GetPane();
    if (!pane) {
        return;
    }
    const CString title = m_Graph.GetTitle();
    CString shown;
    pane->GetWindowText(shown);
    // Every new text redraws the caption: only a changed title is worth that.
    if (shown != title) {
        pane->SetWindowText(title);
    }
}

// Drawn off screen into a bitmap of the client size and copied in one block, so the
// screen never shows a half-drawn graph.
void CTSView::OnDraw(CDC* pDC) {
    ShowTitle();
    CRect client;
    GetClientRect(&client);
    if (!pDC || client.IsRectEmpty()) {
        return;
    }
    CBitmap bitmap;
    if (!bitmap.CreateCompatibleBitmap(pDC, client.Width(), client.Height())) {
        return;
    }
    if (!m_Graph.CreateCompatibleDC(pDC)) {
        return;
    }
    if (CBitmap* previous = m_Graph.SelectObject(&bitmap)) {
        m_Graph.Draw(client, m_bTimeout);
        pDC->BitBlt(client.left, client.top, client.Width(), client.Height(), &m_Graph, client.left,
                    client.top, SRCCOPY);
        m_Graph.SelectObject(previous);
    }
    m_Graph.DeleteDC();
}

BOOL CTSView::OnEraseBkgnd(CDC* pDC) {
    static_cast<void>(pDC);
    return TRUE;  // the paint covers every pixel
}

void CTSView::OnRButtonDown(UINT nFlags, CPoint point) {
    static_cast<void>(nFlags);
    static_cast<void>(point);
    if (CWnd* pane = GetPane()) {
        pane->PostMessage(GetGraphConfigureMessage(), 0, reinterpret_cast<LPARAM>(&m_Graph));
    }
}

int CTSView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
    static_cast<void>(pDesktopWnd);
    static_cast<void>(nHitTest);
    static_cast<void>(message);
    return MA_ACTIVATE;
}
