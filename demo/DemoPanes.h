#pragma once
// The demo's docked panes, each the one-view pane pattern of the instrument panes: a
// legend of the vector symbols, and the values the operator's settings format.

#include "graph/CMyDC.h"
#include "instruments/CViewPane.h"

// Each symbol at 20 pixels beside its name, in two columns.
class CSymbolLegendView : public CView {
public:
    void SetNightMode(bool night) { night_ = night; }
    void OnDraw(CDC* pDC) override;

private:
    CMyDC symbols_;
    bool night_ = false;
};

// Sample values (a depth, a position, a heading, a date) as the settings format them
// now: a change of the settings shows at the next paint.
class COperatorSettingsView : public CView {
public:
    void SetNightMode(bool night) { night_ = night; }
    void OnDraw(CDC* pDC) override;

private:
    bool night_ = false;
};

class CSymbolLegendPane : public CViewPane<CSymbolLegendView> {
public:
    BOOL Create(CWnd* pParent, UINT nID) { return CreateAndLayOut(pParent, nID, "Symbols"); }
};

class COperatorSettingsPane : public CViewPane<COperatorSettingsView> {
public:
    BOOL Create(CWnd* pParent, UINT nID) {
        return CreateAndLayOut(pParent, nID, "Operator settings");
    }
};
