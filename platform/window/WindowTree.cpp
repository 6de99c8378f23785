// The window tree: handles, creation, destruction, parents, children and z-order, styles,
// text and fonts.

#include <algorithm>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "platform/window/Backend.h"
#include "platform/window/WindowTree_p.h"

const CRuntimeClass CWnd::runtimeClass = plat::MakeRuntimeClass<CWnd, CObject>("CWnd");

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace plat {
namespace {

constexpr DWORD kErrorCannotFindClass = 1407;
constexpr DWORD kErrorChildWithoutParent = 1406;

// Handles count up from a value no insert-after marker uses and are never reused, so a
// stale handle never reaches a newer window.
// The table is locked because PostMessageA may check a handle from another thread.
struct HandleTable {
    std::mutex mutex;
    std::unordered_map<std::uintptr_t, CWnd*> windows;
    std::uintptr_t next = 0x10000;
};

HandleTable& Handles() {
    static auto* table = new HandleTable;  // outlives windows destroyed at exit
    return *table;
}

// The screen as a window: the parent of every top-level window. It never paints.
class DesktopWindow final : public CWnd {
public:
    DesktopWindow() {
        auto data = std::make_unique<WndData>();
        data->style = WS_VISIBLE | WS_CLIPCHILDREN;
        m_hWnd = data->handle = RegisterHandle(this);
        WndAccess::Adopt(this, std::move(data));
    }
};

// Where a new top-level window goes when the caller leaves it to the system.
CRect DefaultTopLevelRect(const CREATESTRUCT& cs) {
    const CSize screen = ScreenSize();
    const int x = cs.x == CW_USEDEFAULT ? 0 : cs.x;
    const int y = cs.x == CW_USEDEFAULT ? 0 : cs.y;
    const int cx = cs.cx == CW_USEDEFAULT ? screen.cx * 3 / 4 : cs.cx;
    const int cy = cs.cx == CW_USEDEFAULT ? screen.cy * 3 / 4 : cs.cy;
    return CRect(x, y, x + std::max(cx, 0), y + std::max(cy, 0));
}

CRect ChildRect(const CREATESTRUCT& cs) {
    const int x = cs.x == CW_USEDEFAULT ? 0 : cs.x;
    const int y = cs.x == CW_USEDEFAULT ? 0 : cs.y;
    const int cx = cs.cx == CW_USEDEFAULT ? 0 : std::max(cs.cx, 0);
    const int cy = cs.cx == CW_USEDEFAULT ? 0 : std::max(cs.cy, 0);
    return CRect(x, y, x + cx, y + cy);
}

bool IsAlive(HWND hwnd) {
    return LookupHandle(hwnd) != nullptr;
}

void SendDestroyMessages(HWND hwnd) {
    CWnd* wnd = LookupHandle(hwnd);
    if (!wnd) {
        return;
    }
    Deliver(wnd, WM_DESTROY, 0, 0);
    for (HWND child : ChildHandles(wnd)) {
        if (CWnd* c = LookupHandle(child)) {
            Data(c)->destroying = true;
            SendDestroyMessages(child);
        }
    }
}

// Children first, then the window itself: WM_NCDESTROY, then the handle goes and the
// object hears PostNcDestroy.
void FinishDestroy(HWND hwnd) {
    CWnd* wnd = LookupHandle(hwnd);
    if (!wnd) {
        return;
    }
    Data(wnd)->destroying = true;
    for (HWND child : ChildHandles(wnd)) {
        FinishDestroy(child);
    }
    KillTimersOf(hwnd);
    ForgetQueuedFor(hwnd);
    EndModalLoopsOf(wnd);
    ReleaseWindowDCs(wnd);
    Deliver(wnd, WM_NCDESTROY, 0, 0);
    if (!IsAlive(hwnd)) {
        return;  // cannot happen: the destroying flag keeps the handle until here
    }
    Unlink(wnd);
    UnregisterHandle(hwnd);
    ForgetWindowState(hwnd);
    std::unique_ptr<WndData> data = WndAccess::Release(wnd);
    wnd->m_hWnd = nullptr;
    data.reset();
    wnd->PostNcDestroy();
}

std::vector<HWND> OwnedWindows(HWND owner) {
    std::vector<HWND> owned;
    for (CWnd* top : Data(Desktop())->children) {
        if (Data(top)->owner == owner) {
            owned.push_back(Data(top)->handle);
        }
    }
    return owned;
}

bool CreateWindowFor(CWnd* wnd, CREATESTRUCT& cs);

}  // namespace

// ---- Handles ---------------------------------------------------------------------------

HWND RegisterHandle(CWnd* wnd) {
    HandleTable& table = Handles();
    const std::lock_guard lock(table.mutex);
    const std::uintptr_t value = table.next++;
    table.windows.emplace(value, wnd);
    return reinterpret_cast<HWND>(value);
}

void UnregisterHandle(HWND hwnd) {
    HandleTable& table = Handles();
    const std::lock_guard lock(table.mutex);
    table.windows.erase(reinterpret_cast<std::uintptr_t>(hwnd));
}

CWnd* LookupHandle(HWND hwnd) {
    if (!hwnd) {
        return nullptr;
    }
    HandleTable& table = Handles();
    const std::lock_guard lock(table.mutex);
    const auto& windows = table.windows;
    const auto found = windows.find(reinterpret_cast<std::uintptr_t>(hwnd));
    return found == windows.end() ? nullptr : found->second;
}

CWnd* Desktop() {
    static auto* desktop = new DesktopWindow;  // lives as long as the process
    return desktop;
}

bool IsDesktop(const CWnd* wnd) {
    return wnd && wnd == Desktop();
}

std::vector<HWND> AllWindows() {
    const CWnd* desktop = Desktop();  // made before the lock: making it takes the lock
    std::vector<HWND> all;
    HandleTable& table = Handles();
    const std::lock_guard lock(table.mutex);
    for (const auto& [value, wnd] : table.windows) {
        if (wnd != desktop) {
            all.push_back(reinterpret_cast<HWND>(value));
        }
    }
    return all;
}

// ---- Tree ------------------------------------------------------------------------------

bool IsTopLevel(const CWnd* wnd) {
    const WndData* d = Data(wnd);
    return d && IsDesktop(d->parent);
}

CWnd* TopLevelOf(const CWnd* wnd) {
    auto* w = const_cast<CWnd*>(wnd);
    while (w && !IsDesktop(w) && !IsTopLevel(w)) {
        w = Data(w)->parent;
    }
    return IsDesktop(w) ? nullptr : w;
}

bool IsDescendant(const CWnd* ancestor, const CWnd* wnd) {
    for (const CWnd* w = wnd; w; w = Data(w) ? Data(w)->parent : nullptr) {
        if (w == ancestor) {
            return true;
        }
    }
    return false;
}

bool IsVisibleChain(const CWnd* wnd) {
    for (const CWnd* w = wnd; w && !IsDesktop(w); w = Data(w)->parent) {
        if (!Data(w) || !(Data(w)->style & WS_VISIBLE)) {
            return false;
        }
    }
    return Data(wnd) != nullptr;
}

bool IsShowing(const CWnd* wnd) {
    for (const CWnd* w = wnd; w && !IsDesktop(w); w = Data(w)->parent) {
        const WndData* d = Data(w);
        if (!d || !(d->style & WS_VISIBLE) || (IsTopLevel(w) && (d->style & WS_MINIMIZE))) {
            return false;
        }
    }
    return Data(wnd) != nullptr;
}

bool IsEnabledChain(const CWnd* wnd) {
    for (const CWnd* w = wnd; w && !IsDesktop(w); w = Data(w)->parent) {
        if (Data(w)->style & WS_DISABLED) {
            return false;
        }
    }
    return Data(wnd) != nullptr;
}

void Unlink(CWnd* wnd) {
    WndData* d = Data(wnd);
    if (d && d->parent) {
        auto& siblings = Data(d->parent)->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), wnd), siblings.end());
    }
}

void LinkAt(CWnd* parent, CWnd* wnd, HWND insertAfter) {
    Unlink(wnd);
    WndData* d = Data(wnd);
    auto& siblings = Data(parent)->children;
    d->parent = parent;
    const bool topLevel = IsDesktop(parent);
    if (topLevel && insertAfter == HWND_TOPMOST) {
        d->exStyle |= WS_EX_TOPMOST;
    } else if (topLevel && insertAfter == HWND_NOTOPMOST) {
        d->exStyle &= ~WS_EX_TOPMOST;
    }
    const auto isTopmost = [](const CWnd* w) { return (Data(w)->exStyle & WS_EX_TOPMOST) != 0; };
    auto position = siblings.end();
    if (insertAfter == HWND_BOTTOM) {
        position = siblings.end();
    } else if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST ||
               insertAfter == HWND_NOTOPMOST) {
        // Top-level windows keep the always-on-top ones above the rest.
        position = siblings.begin();
        if (topLevel && !isTopmost(wnd)) {
            position = std::find_if_not(siblings.begin(), siblings.end(), isTopmost);
        }
    } else {
        CWnd* after = LookupHandle(insertAfter);
        auto found = std::find(siblings.begin(), siblings.end(), after);
        position = found == siblings.end() ? siblings.begin() : found + 1;
    }
    siblings.insert(position, wnd);
}

std::vector<HWND> ChildHandles(const CWnd* wnd) {
    std::vector<HWND> handles;
    if (const WndData* d = Data(wnd)) {
        for (const CWnd* child : d->children) {
            handles.push_back(Data(child)->handle);
        }
    }
    return handles;
}

namespace {

// Creation as the windowing system does it: link, WM_GETMINMAXINFO, WM_NCCREATE,
// WM_NCCALCSIZE, WM_CREATE, WM_SIZE and WM_MOVE, then show.
bool CreateWindowFor(CWnd* wnd, CREATESTRUCT& cs) {
    const WndClassInfo* wndClass = FindWndClass(cs.lpszClass);
    if (!wndClass) {
        SetLastError(kErrorCannotFindClass);
        return false;
    }
    auto style = static_cast<DWORD>(cs.style);
    CWnd* parent = Desktop();
    HWND owner = nullptr;
    if (style & WS_CHILD) {
        parent = LookupHandle(cs.hwndParent);
        if (!parent || Data(parent)->destroying) {
            SetLastError(kErrorChildWithoutParent);
            return false;
        }
    } else {
        // Overlapped windows always have a caption and clip their siblings; an owner is
        // always a top-level window.
        if (!(style & WS_POPUP)) {
            style |= WS_CAPTION | WS_CLIPSIBLINGS;
        }
        CWnd* ownerWnd = TopLevelOf(LookupHandle(cs.hwndParent));
        owner = ownerWnd ? ownerWnd->m_hWnd : nullptr;
    }

    auto data = std::make_unique<WndData>();
    data->wndClass = wndClass;
    data->style = style & ~WS_VISIBLE;
    data->exStyle = cs.dwExStyle;
    data->owner = owner;
    data->id =
        (style & WS_CHILD) ? static_cast<UINT>(reinterpret_cast<std::uintptr_t>(cs.hMenu)) : 0;
    data->window = (style & WS_CHILD) ? ChildRect(cs) : DefaultTopLevelRect(cs);
    WndData* d = data.get();
    wnd->m_hWnd = d->handle = RegisterHandle(wnd);
    WndAccess::Adopt(wnd, std::move(data));
    LinkAt(parent, wnd, HWND_TOP);
    const HWND hwnd = wnd->m_hWnd;

    if (!(style & WS_CHILD)) {
        // Top-level windows start between their track sizes.
        WINDOWPOS pos{
            hwnd, nullptr, d->window.left, d->window.top, d->window.Width(), d->window.Height(), 0};
        ApplyTrackSizes(wnd, pos);
        if (!IsAlive(hwnd)) {
            return false;
        }
        Data(wnd)->window = CRect(CPoint(pos.x, pos.y), CSize(pos.cx, pos.cy));
    }
    if (!Deliver(wnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        wnd->DestroyWindow();
        return false;
    }
    if (!IsAlive(hwnd)) {
        return false;
    }
    RecalcClient(wnd);
    ResizeBacking(wnd);
    if (Deliver(wnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        if (IsAlive(hwnd)) {
            wnd->DestroyWindow();
        }
        return false;
    }
    if (!IsAlive(hwnd) || Data(wnd)->destroying) {
        return false;
    }
    const CRect client = Data(wnd)->client;
    Deliver(wnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width(), client.Height()));
    if (CWnd* w = LookupHandle(hwnd)) {
        const CRect window = Data(w)->window;
        Deliver(w, WM_MOVE, 0, MAKELPARAM(window.left + client.left, window.top + client.top));
    }
    if (CWnd* w = LookupHandle(hwnd); w && (style & WS_VISIBLE)) {
        w->ShowWindow((style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOW);
    }
    return IsAlive(hwnd);
}

}  // namespace
}  // namespace plat

using plat::Data;

// ---- CWnd: life ------------------------------------------------------------------------

CWnd::CWnd() = default;

CWnd::CWnd(HWND marker) : m_hWnd(marker) {}

CWnd::~CWnd() {
    if (d_ && !plat::IsDesktop(this)) {
        DestroyWindow();
    }
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    return plat::LookupHandle(hwnd);
}

CWnd* CWnd::GetDesktopWindow() {
    return plat::Desktop();
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext*) {
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam) {
    if (m_hWnd) {
        return FALSE;  // one object, one window
    }
    CREATESTRUCT cs{lpParam,
                    nullptr,
                    nIDorHMenu,
                    hWndParent,
                    nHeight,
                    nWidth,
                    y,
                    x,
                    static_cast<LONG>(dwStyle),
                    lpszWindowName,
                    lpszClassName,
                    dwExStyle};
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    // The object may be gone (PostNcDestroy) when this fails: touch nothing after.
    return plat::CreateWindowFor(this, cs) ? TRUE : FALSE;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&) {
    return TRUE;
}

void CWnd::PostNcDestroy() {}

BOOL CWnd::DestroyWindow() {
    plat::WndData* d = Data(this);
    if (!d || plat::IsDesktop(this)) {
        return FALSE;
    }
    if (d->destroying) {
        return TRUE;  // already on its way (a handler destroying its own window again)
    }
    d->destroying = true;
    const HWND hwnd = m_hWnd;
    for (HWND owned : plat::OwnedWindows(hwnd)) {
        if (CWnd* w = plat::LookupHandle(owned)) {
            w->DestroyWindow();
        }
    }
    if (CWnd* self = plat::LookupHandle(hwnd); self && (Data(self)->style & WS_VISIBLE)) {
        self->SetWindowPos(
            nullptr, 0, 0, 0, 0,
            SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (CWnd* self = plat::LookupHandle(hwnd)) {
        plat::LeaveFocusAndCapture(self);
    }
    plat::SendDestroyMessages(hwnd);
    plat::FinishDestroy(hwnd);
    return TRUE;
}

// ---- CWnd: tree ------------------------------------------------------------------------

CWnd* CWnd::GetParent() const {
    const plat::WndData* d = Data(this);
    if (!d) {
        return nullptr;
    }
    if (d->style & WS_CHILD) {
        return plat::IsDesktop(d->parent) ? nullptr : d->parent;
    }
    return (d->style & WS_POPUP) ? plat::LookupHandle(d->owner) : nullptr;
}

CWnd* CWnd::SetParent(CWnd* pWndNewParent) {
    plat::WndData* d = Data(this);
    CWnd* newParent = pWndNewParent ? pWndNewParent : plat::Desktop();
    if (!d || plat::IsDesktop(this) || !Data(newParent) || plat::IsDescendant(this, newParent)) {
        return nullptr;
    }
    CWnd* oldParent = d->parent;
    const bool showing = plat::IsShowing(this);
    if (showing) {
        plat::ExposeInParent(this, d->window);
    }
    plat::LinkAt(newParent, this, HWND_TOP);
    plat::ResizeBacking(this);
    if (plat::IsShowing(this)) {
        plat::InvalidateClient(this, nullptr, true, true);
        Data(this)->frameDirty = true;
    }
    plat::NotifyScreenChanged();
    return plat::IsDesktop(oldParent) ? nullptr : oldParent;
}

CWnd* CWnd::GetWindow(UINT nCmd) const {
    const plat::WndData* d = Data(this);
    if (!d) {
        return nullptr;
    }
    if (nCmd == GW_CHILD) {
        return d->children.empty() ? nullptr : d->children.front();
    }
    if (nCmd == GW_OWNER) {
        return plat::LookupHandle(d->owner);
    }
    if (!d->parent) {
        return nullptr;
    }
    const auto& siblings = Data(d->parent)->children;
    const auto self = std::find(siblings.begin(), siblings.end(), this);
    switch (nCmd) {
        case GW_HWNDFIRST:
            return siblings.front();
        case GW_HWNDLAST:
            return siblings.back();
        case GW_HWNDNEXT:
            return (self == siblings.end() || self + 1 == siblings.end()) ? nullptr : *(self + 1);
        case GW_HWNDPREV:
            return (self == siblings.end() || self == siblings.begin()) ? nullptr : *(self - 1);
        default:
            return nullptr;
    }
}

CWnd* CWnd::GetTopLevelParent() const {
    CWnd* top = plat::TopLevelOf(this);
    // Follow owners up, as the framework does, to the window at the head of the chain.
    while (top && Data(top)->owner && plat::LookupHandle(Data(top)->owner)) {
        top = plat::TopLevelOf(plat::LookupHandle(Data(top)->owner));
    }
    return top;
}

CWnd* CWnd::GetDlgItem(int nID) const {
    if (const plat::WndData* d = Data(this)) {
        for (CWnd* child : d->children) {
            if (static_cast<int>(Data(child)->id) == nID) {
                return child;
            }
        }
    }
    return nullptr;
}

int CWnd::GetDlgCtrlID() const {
    const plat::WndData* d = Data(this);
    return d ? static_cast<int>(d->id) : 0;
}

int CWnd::SetDlgCtrlID(int nID) {
    plat::WndData* d = Data(this);
    if (!d || !(d->style & WS_CHILD)) {
        return 0;
    }
    const int previous = static_cast<int>(d->id);
    d->id = static_cast<UINT>(nID);
    return previous;
}

CWnd* CWnd::GetOwner() const {
    return m_hWndOwner ? plat::LookupHandle(m_hWndOwner) : GetParent();
}

BOOL CWnd::IsChild(const CWnd* pWnd) const {
    // Only the parent chain counts (a pop-up is not a child of its owner).
    for (const CWnd* w = pWnd; w && Data(w) && (Data(w)->style & WS_CHILD);) {
        w = Data(w)->parent;
        if (w == this) {
            return TRUE;
        }
    }
    return FALSE;
}

// ---- CWnd: styles, text, font ----------------------------------------------------------

DWORD CWnd::GetStyle() const {
    const plat::WndData* d = Data(this);
    return d ? d->style : 0;
}

DWORD CWnd::GetExStyle() const {
    const plat::WndData* d = Data(this);
    return d ? d->exStyle : 0;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    plat::WndData* d = Data(this);
    if (!d) {
        return FALSE;
    }
    const DWORD style = (d->style & ~dwRemove) | dwAdd;
    if (style == d->style) {
        return FALSE;
    }
    SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(style));
    if (nFlags) {
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    }
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    plat::WndData* d = Data(this);
    if (!d) {
        return FALSE;
    }
    const DWORD exStyle = (d->exStyle & ~dwRemove) | dwAdd;
    if (exStyle == d->exStyle) {
        return FALSE;
    }
    SetWindowLongA(m_hWnd, GWL_EXSTYLE, static_cast<LONG>(exStyle));
    if (nFlags) {
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    }
    return TRUE;
}

void CWnd::SetWindowText(LPCTSTR lpszString) {
    if (m_hWnd) {
        SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpszString));
    }
}

int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const {
    if (!m_hWnd) {
        return 0;
    }
    return static_cast<int>(SendMessageA(m_hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount),
                                         reinterpret_cast<LPARAM>(lpszStringBuf)));
}

void CWnd::GetWindowText(CString& rString) const {
    const int length = GetWindowTextLength();
    if (length <= 0) {
        rString.Empty();
        return;
    }
    char* buffer = rString.GetBuffer(length + 1);
    const int copied = GetWindowText(buffer, length + 1);
    rString.ReleaseBuffer(copied);
}

int CWnd::GetWindowTextLength() const {
    return m_hWnd ? static_cast<int>(SendMessageA(m_hWnd, WM_GETTEXTLENGTH, 0, 0)) : 0;
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw) {
    if (m_hWnd) {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->m_hObject : nullptr),
                    bRedraw);
    }
}

CFont* CWnd::GetFont() const {
    if (!m_hWnd) {
        return nullptr;
    }
    auto font = reinterpret_cast<HFONT>(SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
    return font ? CFont::FromHandle(font) : nullptr;
}

// ---- Win32 calls -----------------------------------------------------------------------

BOOL IsWindow(HWND hwnd) {
    return plat::LookupHandle(hwnd) != nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
    CWnd* wnd = plat::LookupHandle(hwnd);
    return wnd ? wnd->DestroyWindow() : FALSE;
}

HWND GetParent(HWND hwnd) {
    const CWnd* wnd = plat::LookupHandle(hwnd);
    const CWnd* parent = wnd ? wnd->GetParent() : nullptr;
    return parent ? parent->m_hWnd : nullptr;
}

HWND GetDesktopWindow() {
    return plat::Desktop()->m_hWnd;
}

LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) {
    const plat::WndData* d = Data(plat::LookupHandle(hwnd));
    if (!d) {
        return 0;
    }
    switch (index) {
        case GWL_STYLE:
            return static_cast<LONG>(d->style);
        case GWL_EXSTYLE:
            return static_cast<LONG>(d->exStyle);
        case GWLP_ID:
            return static_cast<LONG_PTR>(d->id);
        case GWLP_USERDATA:
            return d->userData;
        default:
            return 0;
    }
}

LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
    CWnd* wnd = plat::LookupHandle(hwnd);
    plat::WndData* d = Data(wnd);
    if (!d || plat::IsDesktop(wnd)) {
        return 0;
    }
    const LONG_PTR previous = GetWindowLongPtrA(hwnd, index);
    switch (index) {
        case GWL_STYLE:
        case GWL_EXSTYLE: {
            const int which = index;
            STYLESTRUCT change{static_cast<DWORD>(previous), static_cast<DWORD>(value)};
            plat::Deliver(wnd, WM_STYLECHANGING, static_cast<WPARAM>(which),
                          reinterpret_cast<LPARAM>(&change));
            d = Data(plat::LookupHandle(hwnd));
            if (!d) {
                return 0;
            }
            const DWORD oldStyle = d->style;
            (which == GWL_STYLE ? d->style : d->exStyle) = change.styleNew;
            if (which == GWL_STYLE) {
                // Visibility and enabling changed through the style take effect at once.
                if ((oldStyle & ~d->style) & WS_VISIBLE) {
                    plat::LeaveFocusAndCapture(wnd);
                    if (!plat::IsTopLevel(wnd)) {
                        plat::ExposeInParent(wnd, d->window);
                    }
                } else if ((d->style & ~oldStyle) & WS_VISIBLE) {
                    plat::InvalidateClient(wnd, nullptr, true, true);
                    d->frameDirty = true;
                }
                if ((d->style & ~oldStyle) & WS_DISABLED) {
                    plat::LeaveFocusAndCapture(wnd);
                }
                plat::NotifyScreenChanged();
            }
            plat::Deliver(wnd, WM_STYLECHANGED, static_cast<WPARAM>(which),
                          reinterpret_cast<LPARAM>(&change));
            return previous;
        }
        case GWLP_ID:
            d->id = static_cast<UINT>(value);
            return previous;
        case GWLP_USERDATA:
            d->userData = value;
            return previous;
        default:
            return 0;
    }
}

LONG GetWindowLongA(HWND hwnd, int index) {
    return static_cast<LONG>(GetWindowLongPtrA(hwnd, index));
}

LONG SetWindowLongA(HWND hwnd, int index, LONG value) {
    return static_cast<LONG>(SetWindowLongPtrA(hwnd, index, value));
}
