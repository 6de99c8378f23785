#pragma once
// Shared pieces of the frame tests: a fixture with the headless screen, the test clock, a
// private C: drive for the profile and an application object; panes and views that
// record what happens to them.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <ostream>

#include "platform/window/Clock.h"
#include "surveyui.h"
#include "tests/support/UserInput.h"

void PrintTo(const CRect& rect, std::ostream* out);

namespace ft {

constexpr COLORREF kViewColour = RGB(0, 128, 64);

// A view filled with one colour, counting its paints and clicks.
class ColourView : public CView {
public:
    int paints = 0;
    int clicks = 0;
    bool night = false;
    COLORREF colour = kViewColour;

    void SetNightMode(bool bNight) { night = bNight; }
    void OnDraw(CDC* pDC) override;

protected:
    void OnLButtonDown(UINT nFlags, CPoint point) override;
};

// A plain docking pane of the framework, counting its sizes.
class TestPane : public CDockablePane {
public:
    int sizes = 0;

protected:
    void OnSize(UINT nType, int cx, int cy) override;
};

class FrameTest : public ::testing::Test, protected plat::test::UserInput {
protected:
    void SetUp() override;
    void TearDown() override;

    plat::Screen& screen() { return plat::HeadlessScreen(); }
    CWinApp& app() { return *app_; }

    // A visible frame at rect, docking anywhere, with a ColourView as its main view.
    CFrameWnd* MakeFrame(const CRect& rect = CRect(0, 0, 800, 600));
    ColourView* MainView(CFrameWnd* frame) const;
    // A pane of the given size, aligned and docked at alignment (CBRS_ALIGN_...).
    bool DockNewPane(CFrameWnd* frame, TestPane& pane, UINT id, DWORD alignment,
                     CSize size = CSize(200, 200),
                     DWORD controlBarStyle = AFX_DEFAULT_DOCKING_PANE_STYLE);

    // A window's rectangle in its parent's client coordinates.
    static CRect RectInParent(const CWnd& wnd);
    static CRect ClientOf(const CWnd& wnd);
    // Screen points of a window-relative point (the window's top-left corner is (0, 0)).
    static CPoint WindowPoint(const CWnd& wnd, int x, int y);
    // The composed screen after running the waiting messages.
    COLORREF Pixel(int x, int y);

    // Presses the left button at from, moves to to, releases there, running the messages.
    static void Drag(CPoint from, CPoint to);

    int ProfileInt(const char* section, const char* entry, int fallback = -1);

private:
    std::filesystem::path folder_;
    std::unique_ptr<CWinApp> app_;
    bool composed_ = false;
    unsigned long composedAt_ = 0;
};

}  // namespace ft
