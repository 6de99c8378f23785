#pragma once
// The value rows' tests: a fresh settings folder (SettingsTest), the headless screen and
// a real grid in a parent window that records what the grid tells it. Input is injected
// and the messages run after each step.

#include <string>
#include <vector>

#include "platform/propgrid/CMFCPropertyGridCtrl.h"
#include "platform/window/CWnd.h"
#include "tests/settings/SettingsTestSupport.h"
#include "tests/support/UserInput.h"

namespace gr {

struct Told {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Records the grid's property-changed notifications and the rows' click messages.
class OwnerWnd : public CWnd {
public:
    std::vector<Told> told;
    int Count(UINT message) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class GridRowsTest : public SettingsTest, protected plat::test::UserInput {
protected:
    void SetUp() override;
    void TearDown() override;

    // Adds a row to the grid (which owns it) and lays it out.
    template <class Row>
    Row* Add(Row* row) {
        grid.AddProperty(row);
        return row;
    }

    // The value cell of a row, in grid client coordinates.
    CRect ValueRect(const CMFCPropertyGridProperty* row) const;
    // A click into a row's value cell, then the messages run.
    void ClickValue(const CMFCPropertyGridProperty* row);
    // The open in-place edit, or nullptr.
    CWnd* Editor() const;
    // The open editor's whole text ("" without an editor).
    std::string EditorText() const { return Text(Editor()); }
    // Replaces the open editor's text and presses Enter.
    void EnterText(const char* text);

    // Settings written as another program would: straight into the files.
    void WriteUnits(int units, int conversion, int imperial) const;
    void WriteDecimalPlaces(int places) const;

    OwnerWnd owner;
    CMFCPropertyGridCtrl grid;
};

}  // namespace gr
