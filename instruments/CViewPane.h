#pragma once
// CViewPane<TView>: the pane pattern the instrument panes share. The pane owns one view
// that fills its client area; new data or a new colour set invalidates the view, which
// draws in its own paint.
//
// TView is a CView (it deletes itself when its window goes) with SetNightMode(bool). A
// derived pane gives its view what it needs in PrepareView (before the view's window
// exists) and ViewCreated (after), and calls CreateAndLayOut from its Create.
//
//     class CClockPane : public CViewPane<CClockView> {
//     public:
//         BOOL Create(CWnd* pParent, int nID) { return CreateAndLayOut(pParent, nID, "Clock"); }
//     protected:
//         void ViewCreated(CClockView& view) override { view.SetTimer(1, 500, nullptr); }
//     };

#include <new>
#include <type_traits>

#include "instruments/CMyDockablePane.h"
#include "platform/window/CView.h"

template <class TView>
class CViewPane : public CMyDockablePane {
    static_assert(std::is_base_of_v<CView, TView>, "a pane's view is a CView");

public:
    // The view; nullptr before the pane's window exists and after the view's has gone.
    TView* GetView() const { return CWnd::FromHandle(m_hView) == m_pView ? m_pView : nullptr; }

    // Repaint the view with its current data.
    void Update() {
        if (TView* view = GetView()) {
            view->Invalidate(TRUE);
        }
    }

    void SetNightMode(bool bNight) {
        if (TView* view = GetView()) {
            view->SetNightMode(bNight);
            view->Invalidate(TRUE);
        }
    }
    void SetDaylightMode() { SetNightMode(false); }

    // The view takes the whole client area, keeping its place in the z-order and not
    // taking the activation, and repaints.
    void AdjustLayout() override {
        if (!GetSafeHwnd()) {
            return;
        }
        CRect client;
        GetClientRect(&client);
        if (TView* view = GetView()) {
            view->SetWindowPos(nullptr, client.left, client.top, client.Width(), client.Height(),
                               SWP_NOACTIVATE | SWP_NOZORDER);
            view->Invalidate(TRUE);
        }
    }

protected:
    // The base Create and, when it succeeds, the first layout.
    BOOL CreateAndLayOut(CWnd* pParent, UINT nID, const char* lpszTitle) {
        if (!CMyDockablePane::Create(pParent, nID, lpszTitle)) {
            return FALSE;
        }
        AdjustLayout();
        return TRUE;
    }

    virtual void PrepareView(TView& view) { static_cast<void>(view); }
    virtual void ViewCreated(TView& view) { static_cast<void>(view); }

    int OnCreate(LPCREATESTRUCT lpCreateStruct) override {
        if (CMyDockablePane::OnCreate(lpCreateStruct) == -1) {
            return -1;
        }
        m_pView = new (std::nothrow) TView;
        if (!m_pView) {
            return -1;
        }
        PrepareView(*m_pView);
        if (!m_pView->Create(AfxRegisterWndClass(CS_DBLCLKS), "", WS_CHILD | WS_VISIBLE,
                             CRect(0, 0, 200, 200), this, 0)) {
            // A view whose window was refused has deleted itself with it.
            m_pView = nullptr;
            return -1;
        }
        m_hView = m_pView->GetSafeHwnd();
        ViewCreated(*m_pView);
        return 0;
    }

    void OnSize(UINT nType, int cx, int cy) override {
        CMyDockablePane::OnSize(nType, cx, cy);
        AdjustLayout();
    }

    TView* m_pView = nullptr;

private:
    HWND m_hView = nullptr;  // tells a live view from one whose window has gone
};
