// Message dispatch: the one path into a window (Deliver -> WindowProc -> OnWndMsg ->
// handler or DefWindowProc), the default processing, and the base handlers.

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/window/WindowTree_p.h"

namespace plat {
namespace {

// The messages being handled on this thread, innermost last (for Default()).
thread_local std::vector<MSG> currentMessages;

CPoint PointOf(LPARAM lParam) {
    return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

CWnd* WndOf(WPARAM value) {
    return LookupHandle(reinterpret_cast<HWND>(value));
}
CWnd* WndOf(LPARAM value) {
    return LookupHandle(reinterpret_cast<HWND>(value));
}

// The parent of a child window, nullptr for a top-level one.
CWnd* ChildsParent(const CWnd* wnd) {
    const WndData* d = Data(wnd);
    return d && (d->style & WS_CHILD) && !IsDesktop(d->parent) ? d->parent : nullptr;
}

// Offers the notification a child sent back to the child (the framework's reflection).
bool ReflectToChild(CWnd* child, LRESULT* result) {
    const MSG* msg = AfxGetCurrentMessage();
    return child && msg && child->OnChildNotify(msg->message, msg->wParam, msg->lParam, result);
}

LRESULT CopyText(const CString& text, WPARAM capacity, LPARAM buffer) {
    auto* out = reinterpret_cast<char*>(buffer);
    if (!out || capacity == 0) {
        return 0;
    }
    const std::size_t count = std::min<std::size_t>(text.GetLength(), capacity - 1);
    std::memcpy(out, text.GetString(), count);
    out[count] = '\0';
    return static_cast<LRESULT>(count);
}

// The colours and brush a control gets when its parent leaves WM_CTLCOLOR... alone.
LRESULT DefaultControlColour(UINT message, WPARAM hdc) {
    CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(hdc));
    const bool field = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
    const int background = message == WM_CTLCOLORSCROLLBAR ? COLOR_SCROLLBAR
                           : field                         ? COLOR_WINDOW
                                                           : COLOR_3DFACE;
    if (dc) {
        dc->SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
        dc->SetBkColor(GetSysColor(background));
    }
    return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

}  // namespace

LRESULT Deliver(CWnd* wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    POINT cursor{};
    GetCursorPos(&cursor);
    currentMessages.push_back(MSG{wnd->m_hWnd, message, wParam, lParam, GetTickCount(), cursor});
    struct Pop {
        ~Pop() { currentMessages.pop_back(); }
    } pop;
    return wnd->WindowProc(message, wParam, lParam);
}

}  // namespace plat

const MSG* AfxGetCurrentMessage() {
    return plat::currentMessages.empty() ? nullptr : &plat::currentMessages.back();
}

LRESULT CWnd::Default() {
    const MSG* msg = AfxGetCurrentMessage();
    return msg ? DefWindowProc(msg->message, msg->wParam, msg->lParam) : 0;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) {
        result = DefWindowProc(message, wParam, lParam);
    }
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    using plat::PointOf;
    using plat::WndOf;
    LRESULT result = 0;
    const auto cs = reinterpret_cast<LPCREATESTRUCT>(lParam);
    const auto mouse = static_cast<UINT>(wParam);
    switch (message) {
        case WM_NCCREATE:
            result = OnNcCreate(cs);
            break;
        case WM_CREATE:
            result = OnCreate(cs);
            break;
        case WM_DESTROY:
            OnDestroy();
            break;
        case WM_NCDESTROY:
            OnNcDestroy();
            break;
        case WM_CLOSE:
            OnClose();
            break;
        case WM_SIZE:
            OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
            break;
        case WM_MOVE:
            OnMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            break;
        case WM_WINDOWPOSCHANGING:
            OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam));
            break;
        case WM_WINDOWPOSCHANGED:
            OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam));
            break;
        case WM_GETMINMAXINFO:
            OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
            break;
        case WM_SHOWWINDOW:
            OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
            break;
        case WM_PAINT:
            OnPaint();
            break;
        case WM_NCPAINT:
            OnNcPaint();
            break;
        case WM_ERASEBKGND:
            result = OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
            break;
        case WM_TIMER:
            OnTimer(wParam);
            break;
        case WM_NCHITTEST:
            result = OnNcHitTest(PointOf(lParam));
            break;
        case WM_MOUSEACTIVATE:
            result =
                OnMouseActivate(WndOf(wParam), static_cast<SHORT>(LOWORD(lParam)), HIWORD(lParam));
            break;
        case WM_MOUSEMOVE:
            OnMouseMove(mouse, PointOf(lParam));
            break;
        case WM_LBUTTONDOWN:
            OnLButtonDown(mouse, PointOf(lParam));
            break;
        case WM_LBUTTONUP:
            OnLButtonUp(mouse, PointOf(lParam));
            break;
        case WM_LBUTTONDBLCLK:
            OnLButtonDblClk(mouse, PointOf(lParam));
            break;
        case WM_RBUTTONDOWN:
            OnRButtonDown(mouse, PointOf(lParam));
            break;
        case WM_RBUTTONUP:
            OnRButtonUp(mouse, PointOf(lParam));
            break;
        case WM_RBUTTONDBLCLK:
            OnRButtonDblClk(mouse, PointOf(lParam));
            break;
        case WM_MBUTTONDOWN:
            OnMButtonDown(mouse, PointOf(lParam));
            break;
        case WM_MBUTTONUP:
            OnMButtonUp(mouse, PointOf(lParam));
            break;
        case WM_MOUSEWHEEL:
            result =
                OnMouseWheel(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), PointOf(lParam));
            break;
        case WM_KEYDOWN:
            OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
            break;
        case WM_KEYUP:
            OnKeyUp(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
            break;
        case WM_CHAR:
            OnChar(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
            break;
        case WM_GETDLGCODE:
            result = OnGetDlgCode();
            break;
        case WM_SETFOCUS:
            OnSetFocus(WndOf(wParam));
            break;
        case WM_KILLFOCUS:
            OnKillFocus(WndOf(wParam));
            break;
        case WM_CAPTURECHANGED:
            OnCaptureChanged(WndOf(lParam));
            break;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam), WndOf(lParam), HIWORD(wParam));
            break;
        case WM_NCACTIVATE:
            result = OnNcActivate(static_cast<BOOL>(wParam));
            break;
        case WM_ENABLE:
            OnEnable(static_cast<BOOL>(wParam));
            break;
        case WM_SETTINGCHANGE:
            OnSettingChange(static_cast<UINT>(wParam), reinterpret_cast<LPCTSTR>(lParam));
            break;
        case WM_CONTEXTMENU:
            OnContextMenu(WndOf(wParam), PointOf(lParam));
            break;
        case WM_COMMAND:
            if (!OnCommand(wParam, lParam)) {
                return FALSE;
            }
            result = 1;
            break;
        case WM_NOTIFY:
            if (!OnNotify(wParam, lParam, &result)) {
                return FALSE;
            }
            break;
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            result =
                reinterpret_cast<LRESULT>(OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)),
                                                     WndOf(lParam), message - WM_CTLCOLORMSGBOX));
            break;
        default:
            return FALSE;
    }
    if (pResult) {
        *pResult = result;
    }
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    plat::WndData* d = plat::Data(this);
    if (!d) {
        return 0;
    }
    switch (message) {
        case WM_NCCREATE: {
            const auto* cs = reinterpret_cast<LPCREATESTRUCT>(lParam);
            d->text = cs && cs->lpszName ? cs->lpszName : "";
            return TRUE;
        }
        case WM_NCCALCSIZE: {
            auto* rect = reinterpret_cast<RECT*>(lParam);
            if (!rect) {
                return 0;
            }
            if (d->style & WS_MINIMIZE) {
                rect->right = rect->left;
                rect->bottom = rect->top;
                return 0;
            }
            CRect client(*rect);
            client.DeflateRect(plat::FrameInsets(d->style, d->exStyle));
            client.right = std::max(client.right, client.left);
            client.bottom = std::max(client.bottom, client.top);
            *rect = client;
            return 0;
        }
        case WM_WINDOWPOSCHANGING:
            if (auto* pos = reinterpret_cast<WINDOWPOS*>(lParam)) {
                plat::ApplyTrackSizes(this, *pos);
            }
            return 0;
        case WM_WINDOWPOSCHANGED:
            if (const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam)) {
                plat::SendMoveAndSize(this, *pos);
            }
            return 0;
        case WM_CLOSE:
            DestroyWindow();
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps{};
            BeginPaint(&ps);
            EndPaint(&ps);
            return 0;
        }
        case WM_NCPAINT:
            plat::PaintFrame(this);
            return 0;
        case WM_ERASEBKGND:
            return plat::EraseWithClassBrush(this, CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
        case WM_SETTEXT:
            d->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
            if ((d->style & WS_CAPTION) == WS_CAPTION && plat::IsShowing(this)) {
                d->frameDirty = true;
            }
            return TRUE;
        case WM_GETTEXT:
            return plat::CopyText(d->text, wParam, lParam);
        case WM_GETTEXTLENGTH:
            return d->text.GetLength();
        case WM_SETFONT:
            d->font = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(lParam)) {
                Invalidate();
            }
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(d->font);
        case WM_NCHITTEST:
            return plat::HitTestFrame(this, plat::PointOf(lParam));
        case WM_MOUSEACTIVATE:
            // A child lets its parent decide first.
            if (CWnd* parent = plat::ChildsParent(this)) {
                if (const LRESULT answer = parent->SendMessage(WM_MOUSEACTIVATE, wParam, lParam)) {
                    return answer;
                }
            }
            return MA_ACTIVATE;
        case WM_MOUSEWHEEL:
        case WM_CONTEXTMENU:
            if (CWnd* parent = plat::ChildsParent(this)) {
                return parent->SendMessage(message, wParam, lParam);
            }
            return 0;
        case WM_RBUTTONUP: {
            POINT screen = plat::PointOf(lParam);
            ClientToScreen(&screen);
            SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_hWnd),
                        MAKELPARAM(screen.x, screen.y));
            return 0;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && !(d->style & WS_MINIMIZE)) {
                ::SetFocus(m_hWnd);
            }
            return 0;
        case WM_NCACTIVATE:
            if (plat::IsShowing(this)) {
                d->frameDirty = true;
            }
            return TRUE;
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            return plat::DefaultControlColour(message, wParam);
        default:
            return 0;
    }
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) {
    return FALSE;
}

BOOL CWnd::OnCmdMsg(UINT, int, void*, void*) {
    return FALSE;
}

// ---- Base handlers: the default processing ---------------------------------------------

BOOL CWnd::OnNcCreate(LPCREATESTRUCT) {
    return Default() ? TRUE : FALSE;
}
int CWnd::OnCreate(LPCREATESTRUCT) {
    return static_cast<int>(Default());
}
void CWnd::OnDestroy() {
    Default();
}
void CWnd::OnNcDestroy() {
    Default();
}
void CWnd::OnClose() {
    Default();
}
void CWnd::OnSize(UINT, int, int) {
    Default();
}
void CWnd::OnMove(int, int) {
    Default();
}
void CWnd::OnWindowPosChanging(WINDOWPOS*) {
    Default();
}
void CWnd::OnWindowPosChanged(WINDOWPOS*) {
    Default();
}
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) {
    Default();
}
void CWnd::OnShowWindow(BOOL, UINT) {
    Default();
}
void CWnd::OnPaint() {
    Default();
}
void CWnd::OnNcPaint() {
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*) {
    return Default() ? TRUE : FALSE;
}
void CWnd::OnTimer(UINT_PTR) {
    Default();
}
LRESULT CWnd::OnNcHitTest(CPoint) {
    return Default();
}
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) {
    return static_cast<int>(Default());
}
void CWnd::OnMouseMove(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonDblClk(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonDblClk(UINT, CPoint) {
    Default();
}
void CWnd::OnMButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnMButtonUp(UINT, CPoint) {
    Default();
}
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) {
    return Default() ? TRUE : FALSE;
}
void CWnd::OnKeyDown(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnChar(UINT, UINT, UINT) {
    Default();
}
UINT CWnd::OnGetDlgCode() {
    return static_cast<UINT>(Default());
}
void CWnd::OnSetFocus(CWnd*) {
    Default();
}
void CWnd::OnKillFocus(CWnd*) {
    Default();
}
void CWnd::OnCaptureChanged(CWnd*) {
    Default();
}
void CWnd::OnActivate(UINT, CWnd*, BOOL) {
    Default();
}
BOOL CWnd::OnNcActivate(BOOL) {
    return Default() ? TRUE : FALSE;
}
void CWnd::OnEnable(BOOL) {
    Default();
}
void CWnd::OnSettingChange(UINT, LPCTSTR) {
    Default();
}
void CWnd::OnContextMenu(CWnd*, CPoint) {
    Default();
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    LRESULT ignored = 0;
    if (lParam && plat::ReflectToChild(plat::WndOf(lParam), &ignored)) {
        return TRUE;
    }
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam), nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    return header && plat::ReflectToChild(plat::LookupHandle(header->hwndFrom), pResult);
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT) {
    LRESULT reflected = 0;
    if (plat::ReflectToChild(pWnd, &reflected)) {
        return reinterpret_cast<HBRUSH>(reflected);
    }
    return reinterpret_cast<HBRUSH>(Default());
}
