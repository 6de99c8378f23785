// The spin (up-down) control: clicks and keys step its buddy's number within the range.

#include <string>

#include "ControlsTestSupport.h"
#include "platform/controls/CEdit.h"
#include "platform/controls/CSpinButtonCtrl.h"

namespace ct {
namespace {

constexpr int kEditId = 401;
constexpr int kSpinId = 402;
constexpr DWORD kGridStyle = UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_NOTHOUSANDS;

class SpinTest : public ControlTest {
protected:
    void Make(DWORD style = kGridStyle | UDS_ALIGNRIGHT) {
        ASSERT_TRUE(
            edit.Create(WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 10, 110, 32), &parent, kEditId));
        ASSERT_TRUE(spin.Create(WS_VISIBLE | style, CRect(0, 0, 0, 0), &parent, kSpinId));
        spin.SetBuddy(&edit);
        plat::PumpMessages();
        parent.Clear();
    }
    CPoint Up() const { return CPoint(5, 3); }
    CPoint Down() const {
        CRect client;
        spin.GetClientRect(&client);
        return CPoint(5, client.bottom - 3);
    }
    // Steps of UDN_DELTAPOS and the positions of SB_THUMBPOSITION the parent heard.
    std::vector<int> Deltas() const {
        std::vector<int> deltas;
        for (const Heard& h : parent.heard) {
            if (h.message == WM_NOTIFY && h.code == UDN_DELTAPOS) {
                deltas.push_back(h.delta);
            }
        }
        return deltas;
    }
    std::vector<int> Positions() const {
        std::vector<int> positions;
        for (const Heard& h : parent.heard) {
            if (h.message == WM_VSCROLL && h.code == SB_THUMBPOSITION) {
                positions.push_back(h.pos);
            }
        }
        return positions;
    }

    CEdit edit;
    CSpinButtonCtrl spin;
};

TEST_F(SpinTest, ClicksStepTheBuddyWithinTheRange) {
    Make();
    spin.SetRange32(0, 3);
    spin.SetPos32(1);
    EXPECT_EQ(Text(edit), "1");
    parent.Clear();
    Click(spin, Up());
    EXPECT_EQ(Text(edit), "2");
    Click(spin, Up());
    Click(spin, Up());
    EXPECT_EQ(Text(edit), "3");
    EXPECT_EQ(spin.GetPos32(), 3);
    Click(spin, Down());
    EXPECT_EQ(Text(edit), "2");
    // Each press asks first; only the presses that moved report a new position.
    EXPECT_EQ(Deltas(), (std::vector<int>{1, 1, 1, -1}));
    EXPECT_EQ(Positions(), (std::vector<int>{2, 3, 2}));
    EXPECT_EQ(parent.Count(WM_VSCROLL), 3 + 4);  // and SB_ENDSCROLL at each release
}

TEST_F(SpinTest, AlignRightPutsTheControlInsideTheBuddysRightEdge) {
    Make();
    CRect spinRect;
    spin.GetWindowRect(&spinRect);
    parent.ScreenToClient(&spinRect);
    CRect editRect;
    edit.GetWindowRect(&editRect);
    parent.ScreenToClient(&editRect);
    const int width = GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_EQ(spinRect, CRect(110 - width, 10, 110, 32));
    EXPECT_EQ(editRect, CRect(10, 10, 110 - width, 32));
}

TEST_F(SpinTest, ALowerValueAboveTheUpperOneCountsDownwards) {
    Make();
    spin.SetRange32(10, 0);
    int lower = 0;
    int upper = 0;
    spin.GetRange32(lower, upper);
    EXPECT_EQ(lower, 10);
    EXPECT_EQ(upper, 0);
    spin.SetPos32(5);
    Click(spin, Up());
    EXPECT_EQ(Text(edit), "4");
    spin.SetPos32(50);  // kept within the range
    EXPECT_EQ(spin.GetPos32(), 10);
    Click(spin, Down());
    EXPECT_EQ(Text(edit), "10");
}

TEST_F(SpinTest, TheRangeStartsAtAHundredDownToZero) {
    Make();
    int lower = 0;
    int upper = 0;
    spin.GetRange32(lower, upper);
    EXPECT_EQ(lower, 100);
    EXPECT_EQ(upper, 0);
    Click(spin, Down());
    EXPECT_EQ(Text(edit), "1");
}

TEST_F(SpinTest, ANumberTypedIntoTheBuddyCountsAndOtherTextIsAnError) {
    Make();
    spin.SetRange32(0, 100);
    edit.SetFocus();
    Type("41");
    Click(spin, Up());
    EXPECT_EQ(Text(edit), "42");
    edit.SetWindowText("abc");
    BOOL error = FALSE;
    EXPECT_EQ(spin.GetPos32(&error), 42);
    EXPECT_TRUE(error);
    edit.SetWindowText(" 7 ");
    EXPECT_EQ(spin.GetPos32(&error), 7);
    EXPECT_FALSE(error);
    edit.SetWindowText("500");  // outside the range
    EXPECT_EQ(spin.GetPos32(&error), 7);
    EXPECT_TRUE(error);
}

TEST_F(SpinTest, ThousandsAreSeparatedUnlessTheStyleSaysNot) {
    Make(UDS_SETBUDDYINT | UDS_ALIGNRIGHT);
    spin.SetRange32(-5000, 5000);
    spin.SetPos32(1234);
    EXPECT_EQ(Text(edit), "1,234");
    Click(spin, Up());
    EXPECT_EQ(Text(edit), "1,235");
    spin.SetPos32(-1000);
    EXPECT_EQ(Text(edit), "-1,000");
    EXPECT_EQ(spin.GetPos32(), -1000);
}

TEST_F(SpinTest, ArrowKeysInTheBuddyStepTheControl) {
    Make();
    spin.SetRange32(0, 9);
    spin.SetPos32(5);
    edit.SetFocus();
    Key(VK_UP);
    EXPECT_EQ(Text(edit), "6");
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(Text(edit), "4");

    spin.ModifyStyle(UDS_ARROWKEYS, 0);
    Key(VK_UP);  // now the edit's own key: the caret moves, the number stays
    EXPECT_EQ(Text(edit), "4");
}

TEST_F(SpinTest, TheParentCanRefuseAStep) {
    Make();
    spin.SetRange32(0, 9);
    spin.SetPos32(5);
    parent.onNotify = [](const NMHDR& header) { return header.code == UDN_DELTAPOS ? 1 : 0; };
    Click(spin, Up());
    EXPECT_EQ(Text(edit), "5");
    EXPECT_TRUE(Positions().empty());
}

TEST_F(SpinTest, HoldingAButtonRepeatsTheStep) {
    Make();
    spin.SetRange32(0, 100);
    spin.SetPos32(0);
    MouseDown(spin, Up());
    EXPECT_EQ(Text(edit), "1");
    plat::RunMessagesFor(399);
    EXPECT_EQ(Text(edit), "1");
    plat::RunMessagesFor(1 + 300);  // the first repeat, then three more
    EXPECT_EQ(Text(edit), "5");
    MouseUp(spin, Up());
    plat::RunMessagesFor(1000);
    EXPECT_EQ(Text(edit), "5");
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(SpinTest, AutoBuddyTakesTheSiblingMadeJustBefore) {
    ASSERT_TRUE(edit.Create(WS_VISIBLE, CRect(10, 10, 110, 32), &parent, kEditId));
    ASSERT_TRUE(spin.Create(WS_VISIBLE | UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_SETBUDDYINT,
                            CRect(0, 0, 0, 0), &parent, kSpinId));
    EXPECT_EQ(spin.GetBuddy(), &edit);
    spin.SetPos32(3);
    EXPECT_EQ(Text(edit), "3");
    EXPECT_EQ(spin.SetBuddy(nullptr), &edit);
    EXPECT_EQ(spin.GetBuddy(), nullptr);
}

TEST_F(SpinTest, WrapGoesRoundToTheOtherEnd) {
    Make(kGridStyle | UDS_ALIGNRIGHT | UDS_WRAP);
    spin.SetRange32(0, 2);
    spin.SetPos32(2);
    Click(spin, Up());
    EXPECT_EQ(Text(edit), "0");
    Click(spin, Down());
    EXPECT_EQ(Text(edit), "2");
}

TEST_F(SpinTest, ThePressedHalfSinks) {
    Make();
    CRect client;
    spin.GetClientRect(&client);
    const int half = client.Height() / 2;
    const Picture idle(spin);
    EXPECT_EQ(idle.At(0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(idle.At(0, half), GetSysColor(COLOR_BTNHIGHLIGHT));
    MouseDown(spin, Up());
    const Picture pressed(spin);
    EXPECT_EQ(pressed.At(0, 0), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(pressed.At(0, half), GetSysColor(COLOR_BTNHIGHLIGHT));
    MouseUp(spin, Up());
    EXPECT_EQ(Picture(spin).At(0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
}

}  // namespace
}  // namespace ct
