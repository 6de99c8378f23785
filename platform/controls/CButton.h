#pragma once
// CButton: the push button. It shows its caption (or with BS_ICON its icon) on a raised
// face that sinks while the left button is held over it, and sends its parent
// WM_COMMAND BN_CLICKED when the button is released over it. Focused, it draws a focus
// rectangle and clicks on Space (press and release) or Enter. BS_DEFPUSHBUTTON adds the
// default button's dark ring; a disabled button draws grey and takes no input.
// BM_CLICK clicks it from code, BM_SETSTATE holds the pressed look.

#include <memory>

#include "platform/controls/ControlDefs.h"
#include "platform/window/CWnd.h"

namespace plat::controls {
struct ButtonState;
}

class SUI_API CButton : public CWnd {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    CButton();
    ~CButton() override;

    using CWnd::Create;
    // A child button (WS_CHILD is added) with BS_ styles.
    virtual BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                        UINT nID);

    // The icon shown with BS_ICON (centred; the caller keeps and destroys it). Answers the
    // previous one.
    HICON SetIcon(HICON hIcon);
    HICON GetIcon() const;
    // BST_PUSHED while the pressed look is on, BST_FOCUS while focused.
    UINT GetState() const;
    // Holds (or drops) the pressed look without clicking.
    void SetState(BOOL bHighlight);
    UINT GetButtonStyle() const;
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnCaptureChanged(CWnd* pWnd) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnSetFocus(CWnd* pOldWnd) override;
    void OnKillFocus(CWnd* pNewWnd) override;
    UINT OnGetDlgCode() override;
    void OnEnable(BOOL bEnable) override;

private:
    void SetPressed(bool pressed);
    // BN_CLICKED to the parent; false when a handler destroyed the button.
    bool Clicked();

    std::unique_ptr<plat::controls::ButtonState> button_;
};
