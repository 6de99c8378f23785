#pragma once
// CWnd: the framework's window. Every window of the platform is a CWnd (or derived)
// object; its HWND is an opaque handle that maps back to it and is never reused, so a
// message to a destroyed window is recognised and dropped.
//
// Messages reach the window through one path: WindowProc -> OnWndMsg (the dispatch
// switch, calling the virtual On... handlers) -> DefWindowProc for what no handler takes.
// The base handlers do the default processing (Default()), so an override that calls its
// base class gets the documented behaviour. Registered messages and anything else
// without a handler reach an overridden WindowProc.
//
// Geometry: a window rectangle is in its parent's client coordinates (screen coordinates
// for a top-level window); the client area lies inside the non-client frame (border,
// dialog or thick frame, caption, client edge).

#include <memory>

#include "platform/core/CObject.h"
#include "platform/core/CString.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/window/WinUser.h"

class CWnd;
struct CCreateContext;

namespace plat {
struct WndData;
struct WndAccess;
}  // namespace plat

class SUI_API CWnd : public CObject {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    CWnd();
    // Destroys the window if it still exists (without PostNcDestroy's chance to delete).
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND m_hWndOwner = nullptr;  // the framework's owner (GetOwner), not the window tree's

    // Insert-after markers for SetWindowPos.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    // Unlike the framework's, this needs a real object: calling through a null pointer is
    // undefined in C++ and compilers remove such checks.
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }  // NOLINT: the framework converts
    // The window of a handle; nullptr for a handle that is not (or no longer) a window.
    static CWnd* FromHandle(HWND hwnd);
    static CWnd* FromHandlePermanent(HWND hwnd) { return FromHandle(hwnd); }
    static CWnd* GetDesktopWindow();

    // ---- Creation and destruction
    // A child window (WS_CHILD is added) of pParentWnd. A null class name means the
    // default window class (double clicks, COLOR_WINDOW background).
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext = nullptr);
    // Any window: a top-level window when hWndParent is null or the style is not
    // WS_CHILD (then the parent becomes the owner). FALSE when the class is unknown, a
    // child has no parent, or WM_NCCREATE / WM_CREATE refuse (the window is destroyed).
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                          DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                          HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                          DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                          LPVOID lpParam = nullptr);
    // Destroys owned windows, then sends WM_DESTROY to this window and its children (parent
    // first) and WM_NCDESTROY (children first). Safe to call from the window's own handler.
    virtual BOOL DestroyWindow();

    // ---- Tree
    CWnd* GetParent() const;  // the owner for a pop-up, nullptr for other top-level windows
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetTopWindow() const { return GetWindow(GW_CHILD); }
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const { return GetWindow(nFlag); }
    CWnd* GetTopLevelParent() const;
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd) { m_hWndOwner = pOwnerWnd ? pOwnerWnd->m_hWnd : nullptr; }
    BOOL IsChild(const CWnd* pWnd) const;
    CWnd* ChildWindowFromPoint(POINT point) const;
    static CWnd* WindowFromPoint(POINT point);

    // ---- Styles and text
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    void SetWindowText(LPCTSTR lpszString);
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;

    // ---- Geometry
    void GetWindowRect(LPRECT lpRect) const;  // screen coordinates
    void GetClientRect(LPRECT lpRect) const;  // (0, 0, width, height)
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    void BringWindowToTop();

    // ---- State
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetCapture();
    static CWnd* GetCapture();
    CWnd* SetActiveWindow();
    static CWnd* GetActiveWindow();

    // ---- Messages
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);
    // Runs a nested message loop until EndModalLoop (or WM_QUIT, which stays queued).
    virtual int RunModalLoop(DWORD dwFlags = 0);
    virtual void EndModalLoop(int nResult);

    // ---- Painting ("invalidate" marks for the next paint; UpdateWindow paints now)
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    void UpdateWindow();
    // A region counts by its bounding box.
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    // The bounding box of the update region (client coordinates); FALSE when valid.
    BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE);
    CDC* BeginPaint(LPPAINTSTRUCT lpPaint);
    void EndPaint(LPPAINTSTRUCT lpPaint);
    // A context for the client area (GetDC) or the whole window (GetWindowDC); give it
    // back with ReleaseDC, which puts its pixels in place.
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* pDC);

    // ---- Overridables
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Called after WM_NCDESTROY when the handle is gone; self-deleting windows delete
    // themselves here.
    virtual void PostNcDestroy();
    // Called by the message loop for every message aimed at this window or a descendant,
    // from the target up to its top-level window; TRUE consumes the message.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // A notification a child sent its parent (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR...),
    // offered back to the child first; TRUE takes it with *pResult.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Command routing (menus, accelerators, controls); FALSE when nobody handled it.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo);

protected:
    // The current message with DefWindowProc.
    LRESULT Default();

    // ---- Message handlers (the base versions do the default processing)
    virtual BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    virtual int OnCreate(LPCREATESTRUCT lpCreateStruct);  // -1 fails the creation
    virtual void OnDestroy();
    virtual void OnNcDestroy();
    virtual void OnClose();  // destroys the window
    virtual void OnSize(UINT nType, int cx, int cy);
    virtual void OnMove(int x, int y);
    virtual void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    virtual void OnWindowPosChanged(WINDOWPOS* lpwndpos);  // sends WM_MOVE and WM_SIZE
    virtual void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    virtual void OnShowWindow(BOOL bShow, UINT nStatus);
    virtual void OnPaint();
    virtual void OnNcPaint();
    virtual BOOL OnEraseBkgnd(CDC* pDC);  // fills with the class brush
    virtual void OnTimer(UINT_PTR nIDEvent);
    virtual LRESULT OnNcHitTest(CPoint point);
    virtual int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    virtual void OnMouseMove(UINT nFlags, CPoint point);
    virtual void OnLButtonDown(UINT nFlags, CPoint point);
    virtual void OnLButtonUp(UINT nFlags, CPoint point);
    virtual void OnLButtonDblClk(UINT nFlags, CPoint point);
    virtual void OnRButtonDown(UINT nFlags, CPoint point);
    virtual void OnRButtonUp(UINT nFlags, CPoint point);  // default: WM_CONTEXTMENU
    virtual void OnRButtonDblClk(UINT nFlags, CPoint point);
    virtual void OnMButtonDown(UINT nFlags, CPoint point);
    virtual void OnMButtonUp(UINT nFlags, CPoint point);
    virtual BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);  // default: to the parent
    virtual void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual UINT OnGetDlgCode();
    virtual void OnSetFocus(CWnd* pOldWnd);
    virtual void OnKillFocus(CWnd* pNewWnd);
    virtual void OnCaptureChanged(CWnd* pWnd);
    virtual void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);  // focuses
    virtual BOOL OnNcActivate(BOOL bActive);
    virtual void OnEnable(BOOL bEnable);
    virtual void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    virtual void OnContextMenu(CWnd* pWnd, CPoint pos);  // default: to the parent
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

private:
    friend struct plat::WndAccess;
    explicit CWnd(HWND marker);  // the insert-after markers

    std::unique_ptr<plat::WndData> d_;
};

// The window classes the framework registers for its callers: the name is made from the
// attributes ("Afx:..."), the same attributes give the same name, and the text stays
// valid for the life of the process.
SUI_API LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr,
                                    HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);
SUI_API BOOL AfxRegisterClass(WNDCLASS* lpWndClass);

// Per-thread current-message record, as the framework keeps it for Default().
SUI_API const MSG* AfxGetCurrentMessage();
