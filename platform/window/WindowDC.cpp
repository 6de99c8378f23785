// Device contexts on windows: what shows of a window, the scratch copy for windows with
// holes, CClientDC, CWindowDC, CPaintDC and GetDC/ReleaseDC.

#include "platform/window/WindowDC.h"

#include <algorithm>
#include <map>

#include "platform/window/Backend.h"
#include "platform/window/WindowDC_p.h"
#include "platform/window/WindowTree_p.h"

const CRuntimeClass CClientDC::runtimeClass = plat::MakeRuntimeClass<CClientDC, CDC>("CClientDC");
const CRuntimeClass CWindowDC::runtimeClass = plat::MakeRuntimeClass<CWindowDC, CDC>("CWindowDC");
const CRuntimeClass CPaintDC::runtimeClass = plat::MakeRuntimeClass<CPaintDC, CDC>("CPaintDC");

namespace plat {
namespace {

// The part of area that the ancestors let show: each clips its descendants to its
// client area.
CRect ClipToAncestors(const CWnd* wnd, CRect area) {
    for (const CWnd* w = Data(wnd)->parent; w && !IsDesktop(w); w = Data(w)->parent) {
        area &= ClientRectOnTop(w);
    }
    return area;
}

// What covers a window: its visible children (WS_CLIPCHILDREN) and, for it and each
// ancestor with WS_CLIPSIBLINGS, the visible siblings above.
std::vector<RECT> Holes(const CWnd* wnd, const CRect& visible) {
    std::vector<RECT> holes;
    const auto add = [&](const CWnd* cover) {
        const CRect r = WindowRectOnTop(cover) & visible;
        if ((Data(cover)->style & WS_VISIBLE) && !r.IsRectEmpty()) {
            holes.push_back(r);
        }
    };
    if (Data(wnd)->style & WS_CLIPCHILDREN) {
        for (const CWnd* child : Data(wnd)->children) {
            add(child);
        }
    }
    for (const CWnd* w = wnd; !IsTopLevel(w); w = Data(w)->parent) {
        if (!(Data(w)->style & WS_CLIPSIBLINGS)) {
            continue;
        }
        for (const CWnd* sibling : Data(Data(w)->parent)->children) {
            if (sibling == w) {
                break;  // the rest lie below
            }
            add(sibling);
        }
    }
    return holes;
}

void CopyBox(const Surface& from, POINT fromAt, Surface& to, POINT toAt, SIZE size) {
    for (int y = 0; y < size.cy; ++y) {
        const COLORREF* src = from.Row(fromAt.y + y) + fromAt.x;
        std::copy(src, src + size.cx, to.Row(toAt.y + y) + toAt.x);
    }
}

// Contexts handed out by GetDC, GetWindowDC and BeginPaint, until they are given back.
class OwnedDC final : public CDC {
public:
    // BeginPaint attaches the context itself (attach false).
    OwnedDC(CWnd* wnd, bool clientArea, bool attach = true) : hwnd(wnd->m_hWnd) {
        if (attach) {
            target.Attach(*this, wnd, clientArea);
        }
    }
    ~OwnedDC() override {
        target.Commit();
        DeleteDC();
    }
    OwnedDC(const OwnedDC&) = delete;
    OwnedDC& operator=(const OwnedDC&) = delete;

    HWND hwnd;
    WindowTarget target;
};

std::map<const CDC*, std::unique_ptr<OwnedDC>>& OwnedDCs() {
    static auto* owned = new std::map<const CDC*, std::unique_ptr<OwnedDC>>;
    return *owned;
}

CDC* HandOut(std::unique_ptr<OwnedDC> dc) {
    CDC* raw = dc.get();
    OwnedDCs().emplace(raw, std::move(dc));
    return raw;
}

bool GiveBack(const CDC* dc) {
    auto& owned = OwnedDCs();
    const auto found = owned.find(dc);
    if (found == owned.end()) {
        return false;
    }
    std::unique_ptr<OwnedDC> taken = std::move(found->second);
    owned.erase(found);
    taken.reset();  // commits
    NotifyScreenChanged();
    return true;
}

}  // namespace

WindowTarget::~WindowTarget() {
    Commit();
}

void WindowTarget::Attach(CDC& dc, CWnd* wnd, bool clientArea, const RECT* limit) {
    CWnd* top = TopLevelOf(wnd);
    backing_ = top ? Data(top)->backing : nullptr;
    if (!backing_ || backing_->IsEmpty() || !IsShowing(wnd)) {
        const RECT none{};
        dc.AttachSurface(nowhere_, POINT{0, 0}, &none);
        return;
    }
    const CRect area = clientArea ? ClientRectOnTop(wnd) : WindowRectOnTop(wnd);
    CRect visible = ClipToAncestors(wnd, area) & backing_->Bounds();
    if (limit) {
        visible &= CRect(*limit) + area.TopLeft();
    }
    holes_ = Holes(wnd, visible);
    if (holes_.empty() || visible.IsRectEmpty()) {
        dc.AttachSurface(*backing_, area.TopLeft(), &visible);
        return;
    }
    box_ = visible;
    scratch_ = std::make_unique<Surface>(visible.Width(), visible.Height());
    CopyBox(*backing_, visible.TopLeft(), *scratch_, POINT{0, 0}, visible.Size());
    dc.AttachSurface(*scratch_, Offset(area.TopLeft(), visible.TopLeft()));
}

void WindowTarget::Commit() {
    if (committed_) {
        return;
    }
    committed_ = true;
    if (!scratch_ || !backing_) {
        return;
    }
    const CRect box(box_);
    std::vector<bool> open(static_cast<std::size_t>(box.Width()));
    for (int y = box.top; y < box.bottom; ++y) {
        std::fill(open.begin(), open.end(), true);
        for (const RECT& hole : holes_) {
            if (y >= hole.top && y < hole.bottom) {
                std::fill(open.begin() + (hole.left - box.left),
                          open.begin() + (hole.right - box.left), false);
            }
        }
        const COLORREF* src = scratch_->Row(y - box.top);
        COLORREF* dst = backing_->Row(y) + box.left;
        for (std::size_t x = 0; x < open.size(); ++x) {
            if (open[x]) {
                dst[x] = src[x];
            }
        }
    }
}

}  // namespace plat

// ---- The framework's contexts ----------------------------------------------------------

CClientDC::CClientDC(CWnd* pWnd)
    : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr), target_(std::make_unique<plat::WindowTarget>()) {
    target_->Attach(*this, plat::LookupHandle(m_hWnd), true);
}

CClientDC::~CClientDC() {
    target_->Commit();
    DeleteDC();
    plat::NotifyScreenChanged();
}

CWindowDC::CWindowDC(CWnd* pWnd)
    : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr), target_(std::make_unique<plat::WindowTarget>()) {
    target_->Attach(*this, plat::LookupHandle(m_hWnd), false);
}

CWindowDC::~CWindowDC() {
    target_->Commit();
    DeleteDC();
    plat::NotifyScreenChanged();
}

CPaintDC::CPaintDC(CWnd* pWnd)
    : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr),
      m_ps{},
      target_(std::make_unique<plat::WindowTarget>()) {
    if (CWnd* wnd = plat::LookupHandle(m_hWnd)) {
        plat::BeginPaintOn(wnd, *this, *target_, m_ps);
    } else {
        target_->Attach(*this, nullptr, true);
    }
}

CPaintDC::~CPaintDC() {
    target_->Commit();
    DeleteDC();
    plat::NotifyScreenChanged();
}

// ---- CWnd ------------------------------------------------------------------------------

CDC* CWnd::GetDC() {
    return plat::Data(this) ? plat::HandOut(std::make_unique<plat::OwnedDC>(this, true)) : nullptr;
}

CDC* CWnd::GetWindowDC() {
    return plat::Data(this) ? plat::HandOut(std::make_unique<plat::OwnedDC>(this, false)) : nullptr;
}

int CWnd::ReleaseDC(CDC* pDC) {
    return plat::GiveBack(pDC) ? 1 : 0;
}

CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint) {
    if (!plat::Data(this) || !lpPaint) {
        return nullptr;
    }
    auto dc = std::make_unique<plat::OwnedDC>(this, true, false);
    plat::BeginPaintOn(this, *dc, dc->target, *lpPaint);
    return plat::HandOut(std::move(dc));
}

void CWnd::EndPaint(LPPAINTSTRUCT lpPaint) {
    if (lpPaint) {
        plat::GiveBack(CDC::FromHandle(lpPaint->hdc));
    }
}

namespace plat {

void ReleaseWindowDCs(CWnd* wnd) {
    auto& owned = OwnedDCs();
    for (auto it = owned.begin(); it != owned.end();) {
        if (it->second->hwnd == wnd->m_hWnd) {
            it = owned.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace plat
