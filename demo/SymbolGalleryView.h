#pragma once
// The demo's main view: every vector symbol at three sizes, drawn with a fill and an
// outline colour and with one colour, each row named by the symbol's text.

#include "graph/CMyDC.h"
#include "platform/window/CView.h"

class CSymbolGalleryView : public CView {
public:
    static constexpr int kSizes[] = {8, 16, 32};

    void SetNightMode(bool night) { night_ = night; }
    bool IsNightMode() const { return night_; }

    void OnDraw(CDC* pDC) override;

private:
    void DrawTitle(CDC& dc) const;
    void DrawColumnHeadings(CDC& dc, int left) const;
    void DrawRow(CDC& dc, int symbol, int left, int top, bool banded);

    CMyDC symbols_;
    bool night_ = false;
};
