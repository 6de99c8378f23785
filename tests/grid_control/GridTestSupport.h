#pragma once
// The grid tests' world: a scratch settings folder (C:), the test clock, the headless
// screen, an application object and a visible host frame that records the settings-update
// messages it receives; a fast default printer for print jobs.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/window/Clock.h"
#include "surveyui.h"
#include "tests/settings/SettingsTestSupport.h"

namespace gt {

// The host window: records every settings-update message that reaches it.
class HostFrame : public CFrameWnd {
public:
    std::vector<WPARAM> updates;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class GridTest : public SettingsTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A visible grid of the host at rect (host client coordinates).
    void CreateGrid(CMyMFCPropertyGridCtrl& grid, const CRect& rect = CRect(0, 0, 400, 300));

    // The composed screen's pixel at a client point of wnd, after the messages have run.
    static COLORREF PixelAt(const CWnd& wnd, CPoint client);
    // The centre of a row's value cell in grid client coordinates.
    static CPoint ValueCentre(const CMFCPropertyGridCtrl& grid,
                              const CMFCPropertyGridProperty& prop);
    // Clicks a client point of wnd and runs the messages.
    static void Click(const CWnd& wnd, CPoint client);

    HostFrame* host = nullptr;  // deletes itself with its window

private:
    std::unique_ptr<CWinApp> app_;
    plat::PrinterSettings savedPrinter_;
};

// Colours of the status balls as the bitmap paints their centres.
bool IsYellowish(COLORREF c);
bool IsGreenish(COLORREF c);

}  // namespace gt
