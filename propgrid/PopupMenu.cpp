#include "propgrid/PopupMenu.h"

#include <algorithm>

#include "platform/gdi/SavedDC.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/WindowDC.h"

namespace {

CPopupMenuWnd* g_pActive = nullptr;

constexpr int kTextMargin = 12;
constexpr int kMinWidth = 100;
constexpr int kCharWidth = 8;

}  // namespace

CPopupMenuWnd::CPopupMenuWnd(const char* const* items, int count, COLORREF background)
    : m_clrBack(background) {
    for (int i = 0; i < count; ++i) {
        m_items.emplace_back(items[i]);
    }
}

CPopupMenuWnd* CPopupMenuWnd::Active() {
    return g_pActive;
}

int CPopupMenuWnd::Track(CWnd* pOwner, CPoint screenPoint, const char* const* items, int count,
                         COLORREF background) {
    if (!items || count <= 0) {
        return 0;
    }
    CPopupMenuWnd menu(items, count, background);
    int width = kMinWidth;
    for (const CString& item : menu.m_items) {
        width = std::max(width, item.GetLength() * kCharWidth + 2 * kTextMargin);
    }
    const CRect rect(screenPoint.x, screenPoint.y, screenPoint.x + width,
                     screenPoint.y + count * kItemHeight + 2);
    if (!menu.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_BORDER | WS_VISIBLE, rect,
                       pOwner, 0)) {
        return 0;
    }
    CPopupMenuWnd* const pOuter = g_pActive;
    g_pActive = &menu;
    menu.SetCapture();
    const int result = menu.RunModalLoop();
    g_pActive = pOuter;
    if (::GetCapture() == menu.GetSafeHwnd()) {
        ReleaseCapture();
    }
    menu.DestroyWindow();
    return result > 0 && result <= count ? result : 0;
}

void CPopupMenuWnd::Choose(int nCommand) {
    if (m_bDone) {
        return;
    }
    m_bDone = true;
    EndModalLoop(nCommand);
}

CRect CPopupMenuWnd::GetItemScreenRect(int nIndex) const {
    CRect client;
    GetClientRect(&client);
    CRect item(client.left, client.top + nIndex * kItemHeight, client.right,
               client.top + (nIndex + 1) * kItemHeight);
    ClientToScreen(&item);
    return item;
}

int CPopupMenuWnd::ItemAt(CPoint clientPoint) const {
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(clientPoint)) {
        return -1;
    }
    const int index = (clientPoint.y - client.top) / kItemHeight;
    return index < GetItemCount() ? index : -1;
}

void CPopupMenuWnd::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, m_clrBack);
    const plat::SavedDC saved(dc);
    dc.SelectObject(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    for (int i = 0; i < GetItemCount(); ++i) {
        CRect item(client.left + kTextMargin, client.top + i * kItemHeight, client.right,
                   client.top + (i + 1) * kItemHeight);
        dc.DrawText(m_items[static_cast<size_t>(i)], &item,
                    DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    }
}

void CPopupMenuWnd::OnLButtonDown(UINT /*nFlags*/, CPoint point) {
    // A press outside the menu closes it, as a menu does.
    if (ItemAt(point) < 0) {
        Choose(0);
    }
}

void CPopupMenuWnd::OnLButtonUp(UINT /*nFlags*/, CPoint point) {
    const int index = ItemAt(point);
    if (index >= 0) {
        Choose(index + 1);
    }
}

void CPopupMenuWnd::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/) {
    if (nChar == VK_ESCAPE) {
        Choose(0);
    }
}
