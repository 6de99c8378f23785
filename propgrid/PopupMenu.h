#pragma once
// CPopupMenuWnd: a small popup menu of text entries, opened at a screen point, that
// answers the 1-based command of the entry clicked, or 0 when the operator clicks
// elsewhere or presses Escape. It runs a modal loop like a menu does; a headless host or
// a test answers it from the idle handler (plat::SetIdleHandler) through Active(), and
// with nobody answering on the test clock the loop falls idle and nothing is chosen.

#include <vector>

#include "platform/core/CString.h"
#include "platform/window/CWnd.h"

class SUI_API CPopupMenuWnd : public CWnd {
public:
    static constexpr int kItemHeight = 20;

    // Shows the menu and answers the chosen command (0: none).
    static int Track(CWnd* pOwner, CPoint screenPoint, const char* const* items, int count,
                     COLORREF background);
    // The menu open now, or null.
    static CPopupMenuWnd* Active();

    // Closes the menu answering nCommand.
    void Choose(int nCommand);
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    const CString& GetItemText(int nIndex) const { return m_items.at(static_cast<size_t>(nIndex)); }
    // The entry's rectangle in screen coordinates.
    CRect GetItemScreenRect(int nIndex) const;

protected:
    void OnPaint() override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;

private:
    CPopupMenuWnd(const char* const* items, int count, COLORREF background);
    int ItemAt(CPoint clientPoint) const;

    std::vector<CString> m_items;
    COLORREF m_clrBack;
    bool m_bDone = false;
};
