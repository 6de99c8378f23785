#include "platform/controls/CSpinButtonCtrl.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>

#include "platform/controls/ControlLook.h"
#include "platform/controls/ControlSupport_p.h"
#include "platform/controls/Spin_p.h"
#include "platform/window/WindowDC.h"

const CRuntimeClass CSpinButtonCtrl::runtimeClass =
    plat::MakeRuntimeClass<CSpinButtonCtrl, CWnd>("CSpinButtonCtrl");

namespace plat::controls {
namespace {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeat = 400;
constexpr UINT kNextRepeat = 100;

enum class Part { None, Up, Down };

// Which spin control names which window its buddy, for the buddies' arrow keys.
std::map<HWND, HWND>& Buddies() {
    static std::map<HWND, HWND> buddies;
    return buddies;
}

void ForgetBuddyOf(HWND spin) {
    std::erase_if(Buddies(), [spin](const auto& entry) { return entry.second == spin; });
}

std::string FormatPosition(int pos, bool thousands) {
    std::string digits = std::to_string(pos < 0 ? -static_cast<std::int64_t>(pos) : pos);
    if (thousands) {
        for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
            digits.insert(static_cast<std::size_t>(at), 1, ',');
        }
    }
    return pos < 0 ? "-" + digits : digits;
}

// A whole number, blanks round it allowed, ',' between digits ignored.
bool ParsePosition(const CString& text, int& value) {
    std::string_view rest(text.GetString(), static_cast<std::size_t>(text.GetLength()));
    const auto blank = [](char ch) { return ch == ' ' || ch == '\t'; };
    while (!rest.empty() && blank(rest.front())) {
        rest.remove_prefix(1);
    }
    while (!rest.empty() && blank(rest.back())) {
        rest.remove_suffix(1);
    }
    bool negative = false;
    if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    std::int64_t magnitude = 0;
    bool digits = false;
    for (const char ch : rest) {
        if (ch == ',' && digits) {
            continue;
        }
        if (!IsDigit(static_cast<unsigned char>(ch))) {
            return false;
        }
        magnitude = magnitude * 10 + (ch - '0');
        if (magnitude > std::int64_t{1} << 32) {
            return false;
        }
        digits = true;
    }
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    if (!digits || signedValue < INT32_MIN || signedValue > INT32_MAX) {
        return false;
    }
    value = static_cast<int>(signedValue);
    return true;
}

}  // namespace

struct SpinState {
    HWND buddy = nullptr;
    int lower = 100;
    int upper = 0;
    int pos = 0;
    Part pressed = Part::None;
    bool over = false;  // the mouse is over the pressed button
};

// The spin's range arithmetic, its buddy and its steps.
class SpinEngine {
public:
    SpinEngine(CSpinButtonCtrl& wnd, SpinState& s) : wnd_(wnd), s_(s) {}

    DWORD Style() const { return wnd_.GetStyle(); }
    int Low() const { return std::min(s_.lower, s_.upper); }
    int High() const { return std::max(s_.lower, s_.upper); }
    int Clamp(std::int64_t pos) const {
        return static_cast<int>(std::clamp<std::int64_t>(pos, Low(), High()));
    }

    CWnd* Buddy() const { return CWnd::FromHandle(s_.buddy); }

    // The buddy's number, when it has one within the range.
    bool ReadBuddy(int& value) const {
        CWnd* buddy = Buddy();
        if (!(Style() & UDS_SETBUDDYINT) || !buddy) {
            return false;
        }
        CString text;
        buddy->GetWindowText(text);
        return ParsePosition(text, value) && value >= Low() && value <= High();
    }

    // The position, refreshed from the buddy's text; error when that text was unusable.
    int Current(bool* error) {
        int value = 0;
        const bool fromBuddy = ReadBuddy(value);
        if (fromBuddy) {
            s_.pos = value;
        }
        if (error) {
            *error = (Style() & UDS_SETBUDDYINT) && Buddy() && !fromBuddy;
        }
        return s_.pos;
    }

    void WriteBuddy() {
        CWnd* buddy = Buddy();
        if ((Style() & UDS_SETBUDDYINT) && buddy) {
            const std::string text = FormatPosition(s_.pos, !(Style() & UDS_NOTHOUSANDS));
            buddy->SetWindowText(text.c_str());
        }
    }

    int SetPosition(std::int64_t pos) {
        const int previous = s_.pos;
        s_.pos = Clamp(pos);
        WriteBuddy();
        return previous;
    }

    // One step of the up (towards the upper value) or down button. False when the control
    // was destroyed by a handler.
    bool Step(bool up) {
        const HWND self = wnd_.m_hWnd;
        const int pos = Current(nullptr);
        const int towardsUpper = s_.upper >= s_.lower ? 1 : -1;
        NMUPDOWN change{{self, static_cast<UINT_PTR>(wnd_.GetDlgCtrlID()), UDN_DELTAPOS},
                        pos,
                        up ? towardsUpper : -towardsUpper};
        CWnd* parent = wnd_.GetParent();
        if (parent && parent->SendMessage(WM_NOTIFY, static_cast<WPARAM>(change.hdr.idFrom),
                                          reinterpret_cast<LPARAM>(&change))) {
            return IsWindow(self) != FALSE;  // the parent refused the step
        }
        if (!IsWindow(self)) {
            return false;
        }
        const int target = Target(static_cast<std::int64_t>(pos) + change.iDelta);
        if (target == pos) {
            return true;
        }
        SetPosition(target);
        return IsWindow(self) && Scrolled(SB_THUMBPOSITION, s_.pos);
    }

    // Where a step lands: inside the range, or round to its other end with UDS_WRAP.
    int Target(std::int64_t wanted) const {
        if ((Style() & UDS_WRAP) && (wanted < Low() || wanted > High())) {
            return wanted < Low() ? High() : Low();
        }
        return Clamp(wanted);
    }

    bool Scrolled(UINT code, int pos) {
        const HWND self = wnd_.m_hWnd;
        if (CWnd* parent = wnd_.GetParent()) {
            const UINT message = (Style() & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL;
            parent->SendMessage(message, MAKEWPARAM(static_cast<int>(code), pos),
                                reinterpret_cast<LPARAM>(self));
        }
        return IsWindow(self) != FALSE;
    }

    CWnd* SetBuddy(HWND buddy) {
        CWnd* previous = Buddy();
        const HWND self = wnd_.m_hWnd;
        ForgetBuddyOf(self);
        s_.buddy = buddy;
        if (buddy) {
            Buddies()[buddy] = self;
            AlignToBuddy();
        }
        return previous;
    }

    // UDS_ALIGNRIGHT / UDS_ALIGNLEFT: the control against the buddy's edge, the buddy
    // narrowed by the control's width.
    void AlignToBuddy() {
        CWnd* buddy = Buddy();
        CWnd* parent = wnd_.GetParent();
        const DWORD align = Style() & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT);
        if (!buddy || !parent || !align) {
            return;
        }
        CRect own;
        wnd_.GetWindowRect(&own);
        CRect buddyRect;
        buddy->GetWindowRect(&buddyRect);
        parent->ScreenToClient(&buddyRect);
        const int width = std::min(own.Width(), buddyRect.Width());
        CRect spinRect = buddyRect;
        if (align & UDS_ALIGNRIGHT) {
            buddyRect.right -= width;
            spinRect.left = buddyRect.right;
        } else {
            buddyRect.left += width;
            spinRect.right = buddyRect.left;
        }
        buddy->MoveWindow(&buddyRect);
        wnd_.MoveWindow(&spinRect);
    }

    Part PartAt(CPoint point) const {
        CRect client;
        wnd_.GetClientRect(&client);
        if (!client.PtInRect(point)) {
            return Part::None;
        }
        if (Style() & UDS_HORZ) {
            return point.x < client.Width() / 2 ? Part::Down : Part::Up;
        }
        return point.y < client.Height() / 2 ? Part::Up : Part::Down;
    }

    void Paint(CDC& dc) {
        CRect client;
        wnd_.GetClientRect(&client);
        const plat::style::ControlColours colours = plat::style::SystemControlColours();
        const bool enabled = wnd_.IsWindowEnabled() != FALSE;
        const bool horizontal = (Style() & UDS_HORZ) != 0;
        CRect up = client;
        CRect down = client;
        if (horizontal) {
            down.right = up.left = client.left + client.Width() / 2;
        } else {
            up.bottom = down.top = client.top + client.Height() / 2;
        }
        const auto pressed = [&](Part part) { return s_.pressed == part && s_.over; };
        using plat::style::Arrow;
        plat::style::DrawSpinButton(dc, up, horizontal ? Arrow::Right : Arrow::Up,
                                    pressed(Part::Up), enabled, colours);
        plat::style::DrawSpinButton(dc, down, horizontal ? Arrow::Left : Arrow::Down,
                                    pressed(Part::Down), enabled, colours);
    }

private:
    CSpinButtonCtrl& wnd_;
    SpinState& s_;
};

bool SpinArrowKey(HWND buddy, UINT virtualKey) {
    const auto it = Buddies().find(buddy);
    auto* spin = it == Buddies().end()
                     ? nullptr
                     : dynamic_cast<CSpinButtonCtrl*>(CWnd::FromHandle(it->second));
    if (!spin || !(spin->GetStyle() & UDS_ARROWKEYS) || !spin->IsWindowEnabled()) {
        return false;
    }
    // The step goes through the control's own window procedure, as a click would.
    spin->SendMessage(WM_KEYDOWN, virtualKey, 0);
    return true;
}

}  // namespace plat::controls

using plat::controls::Part;
using plat::controls::SpinEngine;

CSpinButtonCtrl::CSpinButtonCtrl() : spin_(std::make_unique<plat::controls::SpinState>()) {}

CSpinButtonCtrl::~CSpinButtonCtrl() {
    DestroyWindow();
}

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CreateEx(0, dwStyle, rect, pParentWnd, nID);
}

BOOL CSpinButtonCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                               UINT nID) {
    CRect placed(rect);
    if (placed.Width() <= 0) {
        placed.right = placed.left + GetSystemMetrics(SM_CXVSCROLL);
    }
    return CWnd::CreateEx(dwExStyle, plat::controls::SpinClass(), "", dwStyle | WS_CHILD, placed,
                          pParentWnd, nID);
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* pWndBuddy) {
    return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(
        UDM_SETBUDDY, reinterpret_cast<WPARAM>(pWndBuddy ? pWndBuddy->m_hWnd : nullptr))));
}

CWnd* CSpinButtonCtrl::GetBuddy() const {
    return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessageA(m_hWnd, UDM_GETBUDDY, 0, 0)));
}

void CSpinButtonCtrl::SetRange(short nLower, short nUpper) {
    SendMessage(UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower));
}

DWORD CSpinButtonCtrl::GetRange() const {
    return static_cast<DWORD>(SendMessageA(m_hWnd, UDM_GETRANGE, 0, 0));
}

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const {
    const DWORD range = GetRange();
    lower = static_cast<SHORT>(HIWORD(range));
    upper = static_cast<SHORT>(LOWORD(range));
}

void CSpinButtonCtrl::SetRange32(int nLower, int nUpper) {
    SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(nLower), nUpper);
}

void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const {
    SendMessageA(m_hWnd, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower),
                 reinterpret_cast<LPARAM>(&upper));
}

int CSpinButtonCtrl::SetPos(int nPos) {
    return static_cast<SHORT>(SendMessage(UDM_SETPOS, 0, MAKELPARAM(nPos, 0)));
}

int CSpinButtonCtrl::SetPos32(int nPos) {
    return static_cast<int>(SendMessage(UDM_SETPOS32, 0, nPos));
}

int CSpinButtonCtrl::GetPos() const {
    return static_cast<int>(SendMessageA(m_hWnd, UDM_GETPOS, 0, 0));
}

int CSpinButtonCtrl::GetPos32(LPBOOL lpbError) const {
    return static_cast<int>(
        SendMessageA(m_hWnd, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(lpbError)));
}

LRESULT CSpinButtonCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    plat::controls::SpinState& s = *spin_;
    SpinEngine engine(*this, s);
    switch (message) {
        case UDM_SETBUDDY: {
            CWnd* previous = engine.SetBuddy(reinterpret_cast<HWND>(wParam));
            return reinterpret_cast<LRESULT>(previous ? previous->m_hWnd : nullptr);
        }
        case UDM_GETBUDDY:
            return reinterpret_cast<LRESULT>(s.buddy);
        case UDM_SETRANGE:
            s.upper = static_cast<SHORT>(LOWORD(lParam));
            s.lower = static_cast<SHORT>(HIWORD(lParam));
            s.pos = engine.Clamp(s.pos);
            return 0;
        case UDM_GETRANGE:
            return MAKELONG(s.upper, s.lower);
        case UDM_SETRANGE32:
            s.lower = static_cast<int>(static_cast<std::intptr_t>(wParam));
            s.upper = static_cast<int>(lParam);
            s.pos = engine.Clamp(s.pos);
            return 0;
        case UDM_GETRANGE32:
            if (auto* lower = reinterpret_cast<int*>(wParam)) {
                *lower = s.lower;
            }
            if (auto* upper = reinterpret_cast<int*>(lParam)) {
                *upper = s.upper;
            }
            return 0;
        case UDM_SETPOS:
            return static_cast<SHORT>(engine.SetPosition(static_cast<SHORT>(LOWORD(lParam))));
        case UDM_SETPOS32:
            return engine.SetPosition(static_cast<int>(lParam));
        case UDM_GETPOS: {
            bool error = false;
            const int pos = engine.Current(&error);
            return MAKELONG(pos, error ? 1 : 0);
        }
        case UDM_GETPOS32: {
            bool error = false;
            const int pos = engine.Current(&error);
            if (auto* out = reinterpret_cast<BOOL*>(lParam)) {
                *out = error ? TRUE : FALSE;
            }
            return pos;
        }
        case WM_KEYDOWN:
            // From a buddy's arrow keys (the control itself never has the focus).
            if (wParam == VK_UP || wParam == VK_DOWN) {
                engine.Step(wParam == VK_UP);
                return 0;
            }
            break;
        default:
            break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

int CSpinButtonCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CWnd::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    if (GetStyle() & UDS_AUTOBUDDY) {
        // Siblings are kept newest first: the one after this was created just before it.
        if (CWnd* previous = GetWindow(GW_HWNDNEXT)) {
            SpinEngine(*this, *spin_).SetBuddy(previous->m_hWnd);
        }
    }
    return 0;
}

void CSpinButtonCtrl::OnDestroy() {
    plat::controls::ForgetBuddyOf(m_hWnd);
    CWnd::OnDestroy();
}

void CSpinButtonCtrl::OnPaint() {
    CPaintDC dc(this);
    SpinEngine(*this, *spin_).Paint(dc);
}

BOOL CSpinButtonCtrl::OnEraseBkgnd(CDC*) {
    return TRUE;  // the buttons cover the whole control
}

void CSpinButtonCtrl::OnLButtonDown(UINT, CPoint point) {
    SpinEngine engine(*this, *spin_);
    const Part part = engine.PartAt(point);
    if (part == Part::None) {
        return;
    }
    spin_->pressed = part;
    spin_->over = true;
    SetCapture();
    Invalidate(FALSE);
    if (engine.Step(part == Part::Up)) {
        SetTimer(plat::controls::kRepeatTimer, plat::controls::kFirstRepeat);
    }
}

void CSpinButtonCtrl::OnLButtonDblClk(UINT nFlags, CPoint point) {
    OnLButtonDown(nFlags, point);
}

void CSpinButtonCtrl::OnLButtonUp(UINT, CPoint) {
    if (spin_->pressed == Part::None) {
        return;
    }
    spin_->pressed = Part::None;
    KillTimer(plat::controls::kRepeatTimer);
    if (GetCapture() == this) {
        ReleaseCapture();
    }
    Invalidate(FALSE);
    SpinEngine(*this, *spin_).Scrolled(SB_ENDSCROLL, spin_->pos);
}

void CSpinButtonCtrl::OnMouseMove(UINT, CPoint point) {
    if (spin_->pressed == Part::None) {
        return;
    }
    const bool over = SpinEngine(*this, *spin_).PartAt(point) == spin_->pressed;
    if (over != spin_->over) {
        spin_->over = over;
        Invalidate(FALSE);
    }
}

void CSpinButtonCtrl::OnCaptureChanged(CWnd* pWnd) {
    if (spin_->pressed != Part::None && pWnd != this) {
        spin_->pressed = Part::None;
        KillTimer(plat::controls::kRepeatTimer);
        Invalidate(FALSE);
    }
    CWnd::OnCaptureChanged(pWnd);
}

void CSpinButtonCtrl::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != plat::controls::kRepeatTimer) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    if (spin_->pressed == Part::None) {
        KillTimer(nIDEvent);
        return;
    }
    SetTimer(plat::controls::kRepeatTimer, plat::controls::kNextRepeat);
    if (spin_->over) {
        SpinEngine(*this, *spin_).Step(spin_->pressed == Part::Up);
    }
}
