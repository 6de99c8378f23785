#pragma once
// The property grid's tests: a test clock, an empty queue and the headless screen; an
// owner window that records the grid's property-changed notifications; a grid in it; and
// input helpers that run the messages after each step, so a test checks the state as a
// user would see it.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/backend/Screen.h"
#include "platform/controls/MessageBeep.h"
#include "platform/propgrid/CMFCPropertyGridColorProperty.h"
#include "platform/propgrid/CMFCPropertyGridCtrl.h"
#include "platform/window/Backend.h"
#include "platform/window/Clock.h"
#include "platform/window/Input.h"
#include "platform/window/MessageLoop.h"
#include "tests/support/UserInput.h"

namespace pg {

constexpr UINT kGridId = 42;

struct Changed {
    WPARAM id;
    CMFCPropertyGridProperty* prop;
};

// The grid's parent and owner: records AFX_WM_PROPERTY_CHANGED; a hook may act on it.
class OwnerWnd : public CWnd {
public:
    std::vector<Changed> changes;
    std::function<void(CMFCPropertyGridProperty*)> onChanged;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A row that counts how often its value is drawn.
class CountingProperty : public CMFCPropertyGridProperty {
public:
    using CMFCPropertyGridProperty::CMFCPropertyGridProperty;
    static int valueDraws;

    void OnDrawValue(CDC* pDC, CRect rect) override;
};

// The edit's window, list and spin of a row, for checks.
class RowAccess : public CMFCPropertyGridProperty {
public:
    static CWnd* InPlace(CMFCPropertyGridProperty* prop);
    static CComboBox* Combo(CMFCPropertyGridProperty* prop);
    static CSpinButtonCtrl* Spin(CMFCPropertyGridProperty* prop);
};

class GridTest : public ::testing::Test, protected plat::test::UserInput {
protected:
    void SetUp() override;
    void TearDown() override;

    static plat::Screen& screen() { return plat::HeadlessScreen(); }

    // Each click starts after the double-click time, so two clicks are two single clicks.
    static void Click(const CWnd& wnd, CPoint client);
    static void DoubleClick(const CWnd& wnd, CPoint client);
    static void MouseDown(const CWnd& wnd, CPoint client);

    // Points of a row: the middle of its name and of its value.
    CPoint NameOf(const CMFCPropertyGridProperty* prop) const;
    CPoint ValueOf(const CMFCPropertyGridProperty* prop) const;
    // The top-level window on top (an open list or palette).
    static CWnd* TopPopup();

    // A value row added at the top level.
    CMFCPropertyGridProperty* AddRow(const char* name, const COleVariant& value,
                                     DWORD_PTR data = 0);

    OwnerWnd owner;
    CMFCPropertyGridCtrl grid;
};

// A window's pixels once the waiting messages have run, read at client points.
class Picture {
public:
    explicit Picture(const CWnd& wnd);
    COLORREF At(int x, int y) const { return pixels_.GetPixel(x + client_.x, y + client_.y); }
    COLORREF At(CPoint p) const { return At(p.x, p.y); }
    int CountOf(const CRect& rect, COLORREF colour) const;
    // Pixels of the rectangle that are not colour.
    int CountOtherThan(const CRect& rect, COLORREF colour) const;

private:
    plat::Surface pixels_;
    CPoint client_;
};

class BeepCounter {
public:
    BeepCounter() : start_(plat::BeepCount()) {}
    int operator()() const { return plat::BeepCount() - start_; }

private:
    int start_;
};

}  // namespace pg
