#pragma once
// The colour row's palette: a pop-up under the row that never takes the focus and holds
// the mouse while it is open, like a drop-down list. Layout (client pixels): a margin of
// kMargin round everything; the "Automatic" button across the top when enabled; the
// standard colours in cells of kCell pixels, row by row in the row's number of columns;
// the "Other..." button across the bottom when enabled; kMargin between the parts.
//
// Moving the mouse highlights an item, releasing the button over one picks it, pressing
// anywhere outside closes the palette without a choice. The grid hands it the keys of
// its editor: arrows move the highlight, Enter picks, Escape closes.

#include <vector>

#include "platform/window/CWnd.h"

class CMFCPropertyGridCtrl;
class CMFCPropertyGridColorProperty;

namespace plat::propgrid {

class ColourPalette : public CWnd {
public:
    static constexpr int kNone = -1;
    static constexpr int kAutomatic = -2;
    static constexpr int kOther = -3;
    static constexpr int kMargin = 3;
    static constexpr int kCell = 18;

    ColourPalette(CMFCPropertyGridCtrl& grid, CMFCPropertyGridColorProperty& prop);

    // Shows the palette under the row's value (over it when the screen has no room).
    bool Open();
    // An editor key; false when it is not the palette's.
    bool Key(UINT virtualKey);

    CRect ItemRect(int item) const;
    int ItemAt(CPoint point) const;

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnCaptureChanged(CWnd* pWnd) override;

private:
    int Rows() const;
    CSize ClientSize() const;
    // The items in the order the arrow keys walk them.
    std::vector<int> Order() const;
    void MoveHot(UINT virtualKey);
    void SetHot(int item);
    // Closes the palette, then stores the item's colour; nothing of this object is used
    // after the close.
    void Pick(int item);
    void Close();

    CMFCPropertyGridCtrl& grid_;
    CMFCPropertyGridColorProperty& prop_;
    int columns_;
    int buttonHeight_ = 0;
    int width_ = 0;
    int hot_ = kNone;
    bool closing_ = false;
};

}  // namespace plat::propgrid
