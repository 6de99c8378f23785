#pragma once
// CSpinButtonCtrl: the up-down control, two arrow buttons that step a position within a
// range. A step asks the parent first (WM_NOTIFY UDN_DELTAPOS; a non-zero answer cancels
// it, a changed iDelta is taken), then moves the position, writes it into the buddy
// window with UDS_SETBUDDYINT (thousands separated by ',' unless UDS_NOTHOUSANDS) and
// sends the parent WM_VSCROLL (WM_HSCROLL with UDS_HORZ) SB_THUMBPOSITION; releasing the
// mouse sends SB_ENDSCROLL. Holding a button repeats the step (after 400 ms, then every
// 100 ms).
//
// The range runs from a lower to an upper value and either may be the larger: the up
// arrow moves towards the upper one, so with lower > upper it counts down. The position
// stays within the range, going round to the other end with UDS_WRAP. The range starts as
// lower 100, upper 0, as the windowing system's does.
//
// With UDS_SETBUDDYINT the buddy's text is read back before each step and by GetPos32, so
// a number typed into the buddy counts; text that is not a number within the range is an
// error and the position stays. UDS_ARROWKEYS lets Up and Down in an edit buddy step the
// control. UDS_ALIGNRIGHT (UDS_ALIGNLEFT) puts the control against the buddy's right
// (left) edge and narrows the buddy by the control's width; UDS_AUTOBUDDY takes the
// sibling created just before it as the buddy.

#include <memory>

#include "platform/controls/ControlDefs.h"
#include "platform/window/CWnd.h"

namespace plat::controls {
struct SpinState;
}

class SUI_API CSpinButtonCtrl : public CWnd {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    CSpinButtonCtrl();
    ~CSpinButtonCtrl() override;

    using CWnd::Create;
    using CWnd::CreateEx;
    // A child control (WS_CHILD is added); a width of 0 takes SM_CXVSCROLL.
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                          UINT nID);

    // Answers the previous buddy.
    CWnd* SetBuddy(CWnd* pWndBuddy);
    CWnd* GetBuddy() const;
    void SetRange(short nLower, short nUpper);
    DWORD GetRange() const;  // LOWORD the upper value, HIWORD the lower one
    void GetRange(int& lower, int& upper) const;
    void SetRange32(int nLower, int nUpper);
    void GetRange32(int& lower, int& upper) const;
    // Each answers the previous position; the new one is put into the range.
    int SetPos(int nPos);
    int SetPos32(int nPos);
    // LOWORD the position, HIWORD non-zero when the buddy's text was not usable.
    int GetPos() const;
    int GetPos32(LPBOOL lpbError = nullptr) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    void OnDestroy() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnCaptureChanged(CWnd* pWnd) override;
    void OnTimer(UINT_PTR nIDEvent) override;

private:
    std::unique_ptr<plat::controls::SpinState> spin_;
};
