#pragma once
// CDockablePane: a pane that docks at an edge of its frame window. Its non-client area is
// a one-pixel border and, with a gripper, a caption bar with the title and (AFX_CBRS_CLOSE)
// a close button that hides the pane; the client area below is the pane's own, usually
// filled by one view (AdjustLayout).
//
// Docking only: the floating, auto-hide and tab styles are accepted and kept, and a pane
// docks at the site its alignment names.

#include "platform/window/CBasePane.h"

class SUI_API CDockablePane : public CBasePane {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    CDockablePane() = default;

    // A child window of pParentWnd with the caption as its text. The CBRS_ bits of dwStyle
    // become the pane style, the rest the window style (WS_CHILD is added). FALSE when
    // the window cannot be made.
    virtual BOOL Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper,
                        UINT nID, DWORD dwStyle, DWORD dwTabbedStyle = AFX_CBRS_REGULAR_TABS,
                        DWORD dwControlBarStyle = AFX_DEFAULT_DOCKING_PANE_STYLE,
                        CCreateContext* pContext = nullptr);

    DWORD GetTabbedStyle() const { return tabbedStyle_; }
    BOOL HasGripper() const { return hasGripper_ ? TRUE : FALSE; }
    // The caption bar's height; 0 without a gripper.
    virtual int GetCaptionHeight() const;

protected:
    // The close button was clicked: the pane hides, and its frame lays itself out again.
    virtual void OnPressCloseButton();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnNcPaint() override;
    LRESULT OnNcHitTest(CPoint point) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnCaptureChanged(CWnd* pWnd) override;

private:
    // Rectangles in window coordinates ((0, 0) is the window's top-left corner).
    CRect CaptionRect() const;
    CRect CloseButtonRect() const;
    CPoint ClientToWindow(CPoint client) const;
    void OnNcLButtonDown(UINT nHitTest);
    void SetClosePressed(bool pressed);
    void RedrawCaption();

    DWORD tabbedStyle_ = 0;
    bool hasGripper_ = false;
    bool closeTracking_ = false;  // the button was pressed and the mouse is captured
    bool closePressed_ = false;   // drawn pressed: tracking, and the mouse over it
};
