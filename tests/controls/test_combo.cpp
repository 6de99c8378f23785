// The combo box: its items, the drop-down list pop-up driven by clicks and keys, the
// notifications, and the edit part of a drop-down combo box.

#include <string>

#include "ControlsTestSupport.h"
#include "platform/controls/CComboBox.h"
#include "platform/window/Backend.h"

namespace ct {
namespace {

constexpr int kId = 301;
using Codes = std::vector<UINT>;

class ComboTest : public ControlTest {
protected:
    void Make(DWORD style = CBS_DROPDOWNLIST,
              std::initializer_list<const char*> items = {"Alpha", "Bravo", "Charlie"}) {
        ASSERT_TRUE(
            combo.Create(style | WS_VISIBLE | WS_VSCROLL, CRect(10, 10, 160, 200), &parent, kId));
        for (const char* item : items) {
            combo.AddString(item);
        }
        plat::PumpMessages();
        parent.Clear();
    }
    // The open list: the topmost window on the screen.
    CWnd* List() const {
        const auto tops = plat::VisibleTopLevels();
        return tops.empty() ? nullptr : CWnd::FromHandle(tops.back().hwnd);
    }
    // The middle of row index of the open list, in its client coordinates.
    CPoint Row(int index) const {
        const int height = combo.GetItemHeight(0);
        return CPoint(20, index * height + height / 2);
    }
    void ClickCombo() { Click(combo, CPoint(20, 8)); }
    CRect WindowRect(const CWnd& wnd) const {
        CRect rect;
        wnd.GetWindowRect(&rect);
        return rect;
    }

    CComboBox combo;
};

TEST_F(ComboTest, AClickOpensTheListAsAPopUpBelowTheControl) {
    Make();
    ClickCombo();
    EXPECT_TRUE(combo.GetDroppedState());
    EXPECT_EQ(parent.Codes(kId), (Codes{CBN_SETFOCUS, CBN_DROPDOWN}));
    CWnd* list = List();
    ASSERT_NE(list, nullptr);
    ASSERT_NE(list, &parent);
    EXPECT_TRUE(list->GetStyle() & WS_POPUP);
    EXPECT_EQ(list->GetParent(), &parent);  // owned by the control's top-level window
    const CRect box = WindowRect(combo);
    const CRect drop = WindowRect(*list);
    EXPECT_EQ(drop.top, box.bottom);
    EXPECT_EQ(drop.left, box.left);
    EXPECT_EQ(drop.Width(), box.Width());
    EXPECT_EQ(drop.Height(), 3 * combo.GetItemHeight(0) + 2);
    // The control keeps the height of its font, not the one asked for.
    EXPECT_EQ(box.Height(), combo.GetItemHeight(-1) + 6);
    EXPECT_EQ(CWnd::GetActiveWindow(), &parent);  // the list never takes activation
}

TEST_F(ComboTest, ClickingAnItemSelectsItAndTellsTheParent) {
    Make();
    ClickCombo();
    parent.Clear();
    Click(*List(), Row(1));
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_FALSE(combo.GetDroppedState());
    EXPECT_EQ(parent.Codes(kId), (Codes{CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
    EXPECT_EQ(Text(combo), "Bravo");
    EXPECT_EQ(List(), &parent);  // the pop-up is hidden again
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(ComboTest, PickingTheSelectedItemAgainIsNoChange) {
    Make();
    combo.SetCurSel(2);
    ClickCombo();
    parent.Clear();
    Click(*List(), Row(2));
    EXPECT_EQ(parent.Codes(kId), (Codes{CBN_SELENDOK, CBN_CLOSEUP}));
}

TEST_F(ComboTest, EscapeClosesTheListWithoutAChange) {
    Make();
    combo.SetCurSel(0);
    ClickCombo();
    Key(VK_DOWN);
    Key(VK_DOWN);
    parent.Clear();
    Key(VK_ESCAPE);
    EXPECT_FALSE(combo.GetDroppedState());
    EXPECT_EQ(combo.GetCurSel(), 0);
    EXPECT_EQ(parent.Codes(kId), (Codes{CBN_SELENDCANCEL, CBN_CLOSEUP}));
}

TEST_F(ComboTest, ArrowKeysAndEnterPickFromTheOpenList) {
    Make();
    combo.SetFocus();
    Key(VK_F4);
    EXPECT_TRUE(combo.GetDroppedState());
    Key(VK_DOWN);  // to the first item (nothing was selected)
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_DOWN);  // stays on the last
    Key(VK_UP);
    EXPECT_EQ(combo.GetCurSel(), -1);  // only the highlight moved so far
    Key(VK_RETURN);
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_FALSE(combo.GetDroppedState());
}

TEST_F(ComboTest, UpAndDownOnTheClosedControlStepTheSelection) {
    Make();
    combo.SetCurSel(0);
    combo.SetFocus();
    parent.Clear();
    Key(VK_DOWN);
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(parent.Codes(kId), (Codes{CBN_SELCHANGE, CBN_SELENDOK}));
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(combo.GetCurSel(), 2);
    EXPECT_EQ(parent.Codes(kId).size(), 4u);  // the step past the end changed nothing
    Key(VK_UP);
    EXPECT_EQ(combo.GetCurSel(), 1);
    Type("a");  // the next item starting with 'a', going round
    EXPECT_EQ(combo.GetCurSel(), 0);
    Key(VK_END);
    EXPECT_EQ(combo.GetCurSel(), 2);
}

TEST_F(ComboTest, APressOutsideTheListClosesItAndTheControlsButtonToggles) {
    Make();
    ClickCombo();
    parent.Clear();
    Click(parent, CPoint(300, 300));
    EXPECT_FALSE(combo.GetDroppedState());
    EXPECT_EQ(parent.Codes(kId), (Codes{CBN_SELENDCANCEL, CBN_CLOSEUP}));
    ClickCombo();
    EXPECT_TRUE(combo.GetDroppedState());
    ClickCombo();
    EXPECT_FALSE(combo.GetDroppedState());
}

TEST_F(ComboTest, MovingOverTheListHighlightsAndADragPicks) {
    Make();
    MouseDown(combo, CPoint(20, 8));
    EXPECT_TRUE(combo.GetDroppedState());
    CWnd* list = List();
    MouseMove(*list, Row(2));
    const Picture hot(*list);
    const int right = WindowRect(*list).Width() - 4;  // clear of the text
    EXPECT_EQ(hot.At(right, Row(2).y), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(hot.At(right, Row(0).y), GetSysColor(COLOR_WINDOW));
    MouseUp(*list, Row(2));
    EXPECT_EQ(combo.GetCurSel(), 2);
}

TEST_F(ComboTest, AComboWithNoItemsOpensAnEmptyListAndSelectsNothing) {
    Make(CBS_DROPDOWNLIST, {});
    ClickCombo();
    ASSERT_TRUE(combo.GetDroppedState());
    EXPECT_EQ(WindowRect(*List()).Height(), combo.GetItemHeight(0) + 2);
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    Key(VK_DOWN);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(Text(combo), "");
    EXPECT_EQ(combo.GetLBTextLen(0), CB_ERR);
}

TEST_F(ComboTest, ItemsAreAddedInsertedFoundAndDeleted) {
    Make(CBS_DROPDOWNLIST, {"one", "two"});
    EXPECT_EQ(combo.InsertString(0, "zero"), 0);
    EXPECT_EQ(combo.InsertString(-1, "three"), 3);
    EXPECT_EQ(combo.InsertString(9, "nine"), CB_ERR);
    EXPECT_EQ(combo.GetCount(), 4);
    CString text;
    combo.GetLBText(3, text);
    EXPECT_EQ(text, "three");
    EXPECT_EQ(combo.FindStringExact(-1, "TWO"), 2);
    EXPECT_EQ(combo.FindStringExact(-1, "tw"), CB_ERR);
    EXPECT_EQ(combo.FindString(2, "t"), 3);  // after index 2
    EXPECT_EQ(combo.FindString(3, "t"), 2);  // going round
    EXPECT_EQ(combo.SelectString(-1, "th"), 3);
    EXPECT_EQ(combo.SelectString(-1, "x"), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), 3);
    EXPECT_EQ(combo.SetItemData(3, 33), CB_OKAY);
    EXPECT_EQ(combo.GetItemData(3), 33u);

    // The selection follows its item.
    EXPECT_EQ(combo.DeleteString(0), 3);
    EXPECT_EQ(combo.GetCurSel(), 2);
    EXPECT_EQ(combo.DeleteString(2), 2);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(combo.DeleteString(5), CB_ERR);
    EXPECT_EQ(combo.SetCurSel(7), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    combo.ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);
}

TEST_F(ComboTest, ASortedComboKeepsItsItemsInOrder) {
    Make(CBS_DROPDOWNLIST | CBS_SORT, {"delta", "Alpha", "charlie", "bravo"});
    std::vector<std::string> items;
    for (int i = 0; i < combo.GetCount(); ++i) {
        CString text;
        combo.GetLBText(i, text);
        items.push_back(text.str());
    }
    EXPECT_EQ(items, (std::vector<std::string>{"Alpha", "bravo", "charlie", "delta"}));
}

TEST_F(ComboTest, SettingTheTextOfADropDownListSelectsTheMatchingItem) {
    Make();
    combo.SetWindowText("charlie");
    EXPECT_EQ(combo.GetCurSel(), 2);
    EXPECT_EQ(combo.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Zulu")), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), 2);
}

TEST_F(ComboTest, ADropDownComboHasAnEditPartForTyping) {
    Make(CBS_DROPDOWN | CBS_AUTOHSCROLL);
    CWnd* edit = combo.GetDlgItem(1001);
    ASSERT_NE(edit, nullptr);
    Click(*edit, CPoint(5, 5));
    EXPECT_EQ(CWnd::GetFocus(), edit);
    EXPECT_EQ(parent.Codes(kId), Codes{CBN_SETFOCUS});
    parent.Clear();
    Type("Br");
    EXPECT_EQ(Text(combo), "Br");
    EXPECT_EQ(parent.Codes(kId),
              (Codes{CBN_EDITUPDATE, CBN_EDITCHANGE, CBN_EDITUPDATE, CBN_EDITCHANGE}));

    // A pick puts the item's text into the edit part, without edit notifications.
    Click(combo, CPoint(WindowRect(combo).Width() - 8, 8));
    ASSERT_TRUE(combo.GetDroppedState());
    parent.Clear();
    Click(*List(), Row(2));
    EXPECT_EQ(Text(combo), "Charlie");
    EXPECT_EQ(parent.Codes(kId), (Codes{CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
    EXPECT_EQ(combo.GetEditSel(), static_cast<DWORD>(MAKELONG(0, 7)));

    // Up and Down in the edit part step the selection.
    Key(VK_UP);
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(Text(combo), "Bravo");
    EXPECT_EQ(CWnd::GetFocus(), edit);
    parent.SetFocus();
    EXPECT_EQ(parent.Codes(kId).back(), CBN_KILLFOCUS);
}

TEST_F(ComboTest, TheListOpensAboveWhenTheScreenHasNoRoomBelow) {
    Make();
    const CRect box = WindowRect(combo);
    ASSERT_TRUE(screen().SetSize(800, box.bottom + 10));
    ClickCombo();
    EXPECT_EQ(WindowRect(*List()).bottom, box.top);
}

TEST_F(ComboTest, TheControlDrawsItsFrameFieldAndDropArrow) {
    Make();
    combo.SetCurSel(0);
    const CRect box = WindowRect(combo);
    const int width = box.Width();
    const int height = box.Height();
    const Picture closed(combo);
    EXPECT_EQ(closed.At(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(closed.At(1, 1), GetSysColor(COLOR_3DDKSHADOW));
    // The drop arrow: seven pixels of button text centred in the button at the right.
    const int button = width - 2 - GetSystemMetrics(SM_CXVSCROLL);
    int arrowRows = 0;
    int widest = 0;
    for (int y = 2; y < height - 2; ++y) {
        const int inRow =
            closed.CountOf(CRect(button, y, width - 2, y + 1), GetSysColor(COLOR_BTNTEXT));
        arrowRows += inRow > 0 ? 1 : 0;
        widest = std::max(widest, inRow);
    }
    EXPECT_EQ(arrowRows, 4);
    EXPECT_EQ(widest, 7);
    EXPECT_EQ(closed.At(4, height / 2), GetSysColor(COLOR_WINDOW));

    // Focused, the selected item shows in the highlight colours.
    combo.SetFocus();
    const Picture focused(combo);
    EXPECT_EQ(focused.At(4, height / 2), GetSysColor(COLOR_HIGHLIGHT));
    // Open, the drop button sinks: its arrow moves one pixel down.
    Key(VK_F4);
    const Picture open(combo);
    int firstRow = 0;
    for (int y = 2; y < height - 2 && firstRow == 0; ++y) {
        if (open.CountOf(CRect(button, y, width - 2, y + 1), GetSysColor(COLOR_BTNTEXT)) == 7) {
            firstRow = y;
        }
    }
    int closedFirstRow = 0;
    for (int y = 2; y < height - 2 && closedFirstRow == 0; ++y) {
        if (closed.CountOf(CRect(button, y, width - 2, y + 1), GetSysColor(COLOR_BTNTEXT)) == 7) {
            closedFirstRow = y;
        }
    }
    EXPECT_EQ(firstRow, closedFirstRow + 1);
}

TEST_F(ComboTest, AParentThatDestroysTheControlOnAPickIsSafe) {
    auto* doomed = new CComboBox;
    ASSERT_TRUE(
        doomed->Create(CBS_DROPDOWNLIST | WS_VISIBLE, CRect(10, 10, 160, 200), &parent, kId));
    doomed->AddString("one");
    doomed->AddString("two");
    parent.onCommand = [&](UINT code) {
        if (code == CBN_SELENDOK && doomed) {
            delete doomed;
            doomed = nullptr;
        }
    };
    const int row = doomed->GetItemHeight(0);
    Click(*doomed, CPoint(20, 8));
    Click(*List(), CPoint(20, row + row / 2));
    EXPECT_EQ(doomed, nullptr);
    EXPECT_EQ(List(), &parent);  // the list went with its control
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

}  // namespace
}  // namespace ct
