#include "platform/propgrid/ColourPalette_p.h"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/gdi/SavedDC.h"
#include "platform/propgrid/CMFCPropertyGridColorProperty.h"
#include "platform/propgrid/CMFCPropertyGridCtrl.h"
#include "platform/propgrid/PropGridLook.h"
#include "platform/window/Backend.h"
#include "platform/window/WindowDC.h"

namespace plat {
namespace {

constexpr std::array<NamedColour, 40> kStandardColours = {{
    {"Black", RGB(0, 0, 0)},
    {"Brown", RGB(153, 51, 0)},
    {"Olive Green", RGB(51, 51, 0)},
    {"Dark Green", RGB(0, 51, 0)},
    {"Dark Teal", RGB(0, 51, 102)},
    {"Dark Blue", RGB(0, 0, 128)},
    {"Indigo", RGB(51, 51, 153)},
    {"Gray-80%", RGB(51, 51, 51)},
    {"Dark Red", RGB(128, 0, 0)},
    {"Orange", RGB(255, 102, 0)},
    {"Dark Yellow", RGB(128, 128, 0)},
    {"Green", RGB(0, 128, 0)},
    {"Teal", RGB(0, 128, 128)},
    {"Blue", RGB(0, 0, 255)},
    {"Blue-Gray", RGB(102, 102, 153)},
    {"Gray-50%", RGB(128, 128, 128)},
    {"Red", RGB(255, 0, 0)},
    {"Light Orange", RGB(255, 153, 0)},
    {"Lime", RGB(153, 204, 0)},
    {"Sea Green", RGB(51, 153, 102)},
    {"Aqua", RGB(51, 204, 204)},
    {"Light Blue", RGB(51, 102, 255)},
    {"Violet", RGB(128, 0, 128)},
    {"Gray-40%", RGB(153, 153, 153)},
    {"Pink", RGB(255, 0, 255)},
    {"Gold", RGB(255, 204, 0)},
    {"Yellow", RGB(255, 255, 0)},
    {"Bright Green", RGB(0, 255, 0)},
    {"Turquoise", RGB(0, 255, 255)},
    {"Sky Blue", RGB(0, 204, 255)},
    {"Plum", RGB(153, 51, 102)},
    {"Gray-25%", RGB(192, 192, 192)},
    {"Rose", RGB(255, 153, 204)},
    {"Tan", RGB(255, 204, 153)},
    {"Light Yellow", RGB(255, 255, 153)},
    {"Light Green", RGB(204, 255, 204)},
    {"Light Turquoise", RGB(204, 255, 255)},
    {"Pale Blue", RGB(153, 204, 255)},
    {"Lavender", RGB(204, 153, 255)},
    {"White", RGB(255, 255, 255)},
}};

std::function<bool(COLORREF*)>& ColourDialogHook() {
    static std::function<bool(COLORREF*)> hook;
    return hook;
}

}  // namespace

void SetColourDialogHook(std::function<bool(COLORREF* colour)> hook) {
    ColourDialogHook() = std::move(hook);
}

int StandardColourCount() {
    return static_cast<int>(kStandardColours.size());
}

NamedColour StandardColour(int index) {
    if (index < 0 || index >= StandardColourCount()) {
        return NamedColour{"", CLR_INVALID};
    }
    return kStandardColours[static_cast<size_t>(index)];
}

}  // namespace plat

namespace plat::propgrid {

ColourPalette::ColourPalette(CMFCPropertyGridCtrl& grid, CMFCPropertyGridColorProperty& prop)
    : grid_(grid), prop_(prop), columns_(prop.GetColumnsNumber()) {}

int ColourPalette::Rows() const {
    return (StandardColourCount() + columns_ - 1) / columns_;
}

CSize ColourPalette::ClientSize() const {
    int height = kMargin + Rows() * kCell + kMargin;
    if (prop_.IsAutomaticButton()) {
        height += buttonHeight_ + kMargin;
    }
    if (prop_.IsOtherButton()) {
        height += buttonHeight_ + kMargin;
    }
    return CSize(width_ + 2 * kMargin, height);
}

CRect ColourPalette::ItemRect(int item) const {
    int top = kMargin;
    const CRect automatic(kMargin, top, kMargin + width_, top + buttonHeight_);
    if (prop_.IsAutomaticButton()) {
        top = automatic.bottom + kMargin;
    }
    if (item == kAutomatic) {
        return prop_.IsAutomaticButton() ? automatic : CRect();
    }
    if (item >= 0 && item < StandardColourCount()) {
        const int left = kMargin + (item % columns_) * kCell;
        const int cellTop = top + (item / columns_) * kCell;
        return CRect(left, cellTop, left + kCell, cellTop + kCell);
    }
    if (item == kOther && prop_.IsOtherButton()) {
        const int otherTop = top + Rows() * kCell + kMargin;
        return CRect(kMargin, otherTop, kMargin + width_, otherTop + buttonHeight_);
    }
    return CRect();
}

int ColourPalette::ItemAt(CPoint point) const {
    for (const int item : Order()) {
        if (ItemRect(item).PtInRect(point)) {
            return item;
        }
    }
    return kNone;
}

std::vector<int> ColourPalette::Order() const {
    std::vector<int> order;
    if (prop_.IsAutomaticButton()) {
        order.push_back(kAutomatic);
    }
    for (int i = 0; i < StandardColourCount(); ++i) {
        order.push_back(i);
    }
    if (prop_.IsOtherButton()) {
        order.push_back(kOther);
    }
    return order;
}

bool ColourPalette::Open() {
    // The buttons are as tall as a grid row plus a frame, and wide enough for their labels.
    buttonHeight_ = grid_.GetRowHeight() + 6;
    width_ = columns_ * kCell;
    {
        CClientDC measure(nullptr);
        measure.SelectObject(CFont::FromHandle(grid_.GetGridFont()));
        for (const LPCTSTR label : {prop_.GetAutomaticLabel(), prop_.GetOtherLabel()}) {
            width_ = std::max(width_, measure.GetTextExtent(CString(label)).cx + 12);
        }
    }
    const CRect row = prop_.GetRect();
    CRect anchor(grid_.GetListRect().left + grid_.GetLeftColumnWidth() + 1, row.top, row.right,
                 row.bottom);
    grid_.ClientToScreen(&anchor);
    const CSize client = ClientSize();
    const CSize window(client.cx + 2, client.cy + 2);  // and the one-pixel border
    const CSize screen = plat::ScreenSize();
    int x = std::min(anchor.left, screen.cx - window.cx);
    int y = anchor.bottom;
    if (y + window.cy > screen.cy && anchor.top - window.cy >= 0) {
        y = anchor.top - window.cy;
    }
    x = std::max(0, x);
    const CRect placed(x, y, x + window.cx, y + window.cy);
    if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, AfxRegisterWndClass(0), "",
                  WS_POPUP | WS_BORDER, placed, &grid_, 0)) {
        return false;
    }
    const COLORREF current = prop_.GetColor();
    if (current == CLR_INVALID && prop_.IsAutomaticButton()) {
        hot_ = kAutomatic;
    }
    for (int i = 0; i < StandardColourCount(); ++i) {
        if (StandardColour(i).colour == current) {
            hot_ = i;
        }
    }
    SetWindowPos(&CWnd::wndTopMost, placed.left, placed.top, placed.Width(), placed.Height(),
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetCapture();
    return true;
}

void ColourPalette::OnPaint() {
    CPaintDC dc(this);
    const plat::style::ControlColours colours = plat::style::SystemControlColours();
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, colours.face);
    CFont* font = CFont::FromHandle(grid_.GetGridFont());
    const COLORREF current = prop_.GetColor();
    if (prop_.IsAutomaticButton()) {
        plat::style::DrawPaletteButton(dc, ItemRect(kAutomatic), prop_.GetAutomaticLabel(),
                                       hot_ == kAutomatic, current == CLR_INVALID, font, colours);
    }
    for (int i = 0; i < StandardColourCount(); ++i) {
        const COLORREF colour = StandardColour(i).colour;
        plat::style::DrawPaletteCell(dc, ItemRect(i), colour, hot_ == i, colour == current,
                                     colours);
    }
    if (prop_.IsOtherButton()) {
        plat::style::DrawPaletteButton(dc, ItemRect(kOther), prop_.GetOtherLabel(), hot_ == kOther,
                                       false, font, colours);
    }
}

BOOL ColourPalette::OnEraseBkgnd(CDC*) {
    return TRUE;
}

int ColourPalette::OnMouseActivate(CWnd*, UINT, UINT) {
    return MA_NOACTIVATE;
}

void ColourPalette::SetHot(int item) {
    if (item != hot_) {
        hot_ = item;
        Invalidate(FALSE);
    }
}

void ColourPalette::OnMouseMove(UINT, CPoint point) {
    const int item = ItemAt(point);
    if (item != kNone) {
        SetHot(item);
    }
}

void ColourPalette::OnLButtonDown(UINT, CPoint point) {
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point)) {
        Close();  // a press anywhere else: no choice
        return;
    }
    const int item = ItemAt(point);
    if (item != kNone) {
        SetHot(item);
    }
}

void ColourPalette::OnLButtonUp(UINT, CPoint point) {
    const int item = ItemAt(point);
    if (item != kNone) {
        Pick(item);
    }
}

void ColourPalette::OnCaptureChanged(CWnd* pWnd) {
    CWnd::OnCaptureChanged(pWnd);
    if (pWnd != this && !closing_) {
        Close();  // someone else took the mouse
    }
}

bool ColourPalette::Key(UINT virtualKey) {
    switch (virtualKey) {
        case VK_ESCAPE:
            Close();
            return true;
        case VK_RETURN:
            if (hot_ == kNone) {
                Close();
            } else {
                Pick(hot_);
            }
            return true;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            MoveHot(virtualKey);
            return true;
        default:
            return false;
    }
}

void ColourPalette::MoveHot(UINT virtualKey) {
    const std::vector<int> order = Order();
    const auto at = std::find(order.begin(), order.end(), hot_);
    if (at == order.end()) {
        SetHot(order.front());
        return;
    }
    const int count = StandardColourCount();
    int next = hot_;
    switch (virtualKey) {
        case VK_LEFT:
            next = at == order.begin() ? hot_ : *(at - 1);
            break;
        case VK_RIGHT:
            next = at + 1 == order.end() ? hot_ : *(at + 1);
            break;
        case VK_UP:
            if (hot_ == kOther) {
                next = count - 1;
            } else if (hot_ >= columns_) {
                next = hot_ - columns_;
            } else if (hot_ >= 0 && prop_.IsAutomaticButton()) {
                next = kAutomatic;
            }
            break;
        case VK_DOWN:
            if (hot_ == kAutomatic) {
                next = 0;
            } else if (hot_ >= 0 && hot_ + columns_ < count) {
                next = hot_ + columns_;
            } else if (hot_ >= 0 && prop_.IsOtherButton()) {
                next = kOther;
            }
            break;
        default:
            break;
    }
    SetHot(next);
}

void ColourPalette::Close() {
    closing_ = true;
    grid_.CloseColorPopup();
}

void ColourPalette::Pick(int item) {
    CMFCPropertyGridCtrl& grid = grid_;
    COLORREF chosen = prop_.GetColor();
    bool picked = true;
    if (item >= 0) {
        chosen = StandardColour(item).colour;
    } else if (item == kAutomatic) {
        chosen = CLR_INVALID;
    }
    const bool other = item == kOther;
    Close();
    // This palette is closed: only locals from here on.
    if (other) {
        const std::function<bool(COLORREF*)>& hook = plat::ColourDialogHook();
        picked = hook && hook(&chosen);
    }
    if (picked) {
        grid.UpdateColor(chosen);
    }
}

}  // namespace plat::propgrid
