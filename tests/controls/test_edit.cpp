// The edit control, driven by injected keys, characters and clicks.

#include <string>

#include "ControlsTestSupport.h"
#include "platform/controls/CEdit.h"

namespace ct {
namespace {

constexpr int kId = 101;

class EditTest : public ControlTest {
protected:
    void Make(DWORD style, const CRect& rect = CRect(10, 10, 210, 32), DWORD exStyle = 0) {
        ASSERT_TRUE(edit.CreateEx(exStyle, style | WS_VISIBLE, rect, &parent, kId));
        edit.SetFocus();
        plat::PumpMessages();
        parent.Clear();
    }
    void Sel(int& start, int& end) const { edit.GetSel(start, end); }
    std::pair<int, int> Sel() const {
        int start = 0;
        int end = 0;
        edit.GetSel(start, end);
        return {start, end};
    }
    // The client point of the middle of character pos's left edge.
    CPoint At(int pos) const {
        const CPoint point = edit.PosFromChar(static_cast<UINT>(pos));
        return CPoint(point.x, point.y + 3);
    }

    CEdit edit;
};

using Codes = std::vector<UINT>;
using Selection = std::pair<int, int>;

TEST_F(EditTest, TypedCharactersAreTheTextAndEachChangeIsReported) {
    Make(ES_AUTOHSCROLL);
    Type("Hello");
    EXPECT_EQ(Text(edit), "Hello");
    EXPECT_EQ(Sel(), Selection(5, 5));
    EXPECT_TRUE(edit.GetModify());
    Codes expected;
    for (int i = 0; i < 5; ++i) {
        expected.insert(expected.end(), {EN_UPDATE, EN_CHANGE});
    }
    EXPECT_EQ(parent.Codes(kId), expected);

    parent.Clear();
    edit.SetWindowText("set");
    EXPECT_EQ(Text(edit), "set");
    EXPECT_EQ(Sel(), Selection(0, 0));
    EXPECT_FALSE(edit.GetModify());
    EXPECT_EQ(parent.Codes(kId), (Codes{EN_UPDATE, EN_CHANGE}));
}

TEST_F(EditTest, TypingReplacesTheSelectionAndReplaceSelInsertsAtTheCaret) {
    Make(ES_AUTOHSCROLL);
    edit.SetWindowText("abcdef");
    edit.SetSel(1, 4);
    Type("X");
    EXPECT_EQ(Text(edit), "aXef");
    EXPECT_EQ(Sel(), Selection(2, 2));
    edit.ReplaceSel("12");
    EXPECT_EQ(Text(edit), "aX12ef");
    EXPECT_EQ(Sel(), Selection(4, 4));
    edit.SetSel(0, 2);
    edit.Clear();
    EXPECT_EQ(Text(edit), "12ef");
}

TEST_F(EditTest, KeysMoveTheCaretAndEraseAroundIt) {
    Make(ES_AUTOHSCROLL);
    edit.SetWindowText("abcdef");
    Key(VK_END);
    Key(VK_BACK);
    EXPECT_EQ(Text(edit), "abcde");
    Key(VK_HOME);
    Key(VK_DELETE);
    EXPECT_EQ(Text(edit), "bcde");
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    EXPECT_EQ(Sel(), Selection(2, 2));
    ShiftKey(VK_RIGHT);
    EXPECT_EQ(Sel(), Selection(2, 3));
    ShiftKey(VK_HOME);
    EXPECT_EQ(Sel(), Selection(0, 2));  // the anchor stays at 2
    Type("Z");
    EXPECT_EQ(Text(edit), "Zde");
    ControlKey('A');
    EXPECT_EQ(Sel(), Selection(0, 3));
    Key(VK_LEFT);
    EXPECT_EQ(Sel(), Selection(2, 2));
}

TEST_F(EditTest, EmptyTextTakesEraseKeysQuietly) {
    Make(ES_AUTOHSCROLL);
    const BeepCounter beeps;
    Key(VK_BACK);
    Key(VK_DELETE);
    Key(VK_LEFT);
    EXPECT_EQ(Text(edit), "");
    EXPECT_EQ(beeps(), 0);
    EXPECT_TRUE(parent.Codes(kId).empty());
    char line[8] = {};
    EXPECT_EQ(edit.GetLine(0, line, sizeof line), 0);
}

TEST_F(EditTest, TheLimitStopsTypingButNotTextSetByTheProgram) {
    Make(ES_AUTOHSCROLL);
    EXPECT_EQ(edit.GetLimitText(), CEdit::kDefaultLimit);
    edit.LimitText(3);
    Type("abcd");
    EXPECT_EQ(Text(edit), "abc");
    EXPECT_EQ(parent.Codes(kId).back(), EN_MAXTEXT);
    // Replacing a selection keeps within the limit, so it is allowed.
    edit.SetSel(0, 1);
    Type("Z");
    EXPECT_EQ(Text(edit), "Zbc");
    edit.SetWindowText("longer than three");
    EXPECT_EQ(Text(edit), "longer than three");
    edit.LimitText(0);
    EXPECT_EQ(edit.GetLimitText(), 0x7FFFFFFEu);
}

TEST_F(EditTest, AHundredThousandCharactersAreKeptShownAndEditable) {
    Make(ES_AUTOHSCROLL);
    const std::string big(100000, 'w');
    edit.SetWindowText(big.c_str());
    EXPECT_EQ(edit.GetWindowTextLength(), 100000);
    EXPECT_EQ(Text(edit), big);
    Key(VK_END);
    EXPECT_EQ(Sel(), Selection(100000, 100000));
    // Past the default limit a user may still delete, but not add.
    Type("x");
    EXPECT_EQ(edit.GetWindowTextLength(), 100000);
    Key(VK_BACK);
    EXPECT_EQ(edit.GetWindowTextLength(), 99999);
    // The caret stays in view at the end of the scrolled text.
    CRect client;
    edit.GetClientRect(&client);
    const CPoint caret = edit.PosFromChar(99999);
    EXPECT_GE(caret.x, 0);
    EXPECT_LT(caret.x, client.right);
    const Picture picture(edit);
    EXPECT_GT(picture.CountOtherThan(5, 0, client.right, GetSysColor(COLOR_WINDOW)), 0);
}

TEST_F(EditTest, SetSelReadsPositionsAsTheWindowingSystemDoes) {
    Make(ES_AUTOHSCROLL);
    edit.SetWindowText("abcdef");
    edit.SetSel(0, -1);
    EXPECT_EQ(Sel(), Selection(0, 6));
    edit.SetSel(3, 100);
    EXPECT_EQ(Sel(), Selection(3, 6));
    edit.SetSel(-1, 0);  // removes the selection, the caret stays at 6
    EXPECT_EQ(Sel(), Selection(6, 6));
    edit.SetSel(-5, 2);  // other negatives are the end of the text
    EXPECT_EQ(Sel(), Selection(2, 6));
    Type("Q");
    EXPECT_EQ(Text(edit), "abQ");
    edit.SetSel(MAKELONG(1, 0xFFFF));  // the 16-bit form: the end past the text
    EXPECT_EQ(Sel(), Selection(1, 3));
}

TEST_F(EditTest, ReadOnlyNumberAndCaseStylesFilterWhatIsTyped) {
    Make(ES_AUTOHSCROLL | ES_NUMBER | ES_UPPERCASE);
    BeepCounter beeps;
    Type("1a2");
    EXPECT_EQ(Text(edit), "12");
    EXPECT_EQ(beeps(), 1);

    edit.ModifyStyle(ES_NUMBER, 0);
    Type("xy\xE9");
    EXPECT_EQ(Text(edit), "12XY\xC9");
    edit.ModifyStyle(ES_UPPERCASE, ES_LOWERCASE);
    Type("Q");
    EXPECT_EQ(Text(edit), "12XY\xC9q");

    edit.SetReadOnly();
    EXPECT_TRUE(edit.GetStyle() & ES_READONLY);
    const BeepCounter readOnlyBeeps;
    parent.Clear();
    Type("z");
    Key(VK_BACK);
    Key(VK_DELETE);
    EXPECT_EQ(Text(edit), "12XY\xC9q");
    EXPECT_EQ(readOnlyBeeps(), 3);
    EXPECT_TRUE(parent.Codes(kId).empty());
}

TEST_F(EditTest, APasswordEditShowsItsCharacterButGivesTheRealText) {
    Make(ES_AUTOHSCROLL | ES_PASSWORD);
    Type("secret");
    EXPECT_EQ(Text(edit), "secret");
    EXPECT_EQ(edit.GetPasswordChar(), '*');

    CEdit stars;
    ASSERT_TRUE(stars.Create(WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 50, 210, 72), &parent, 102));
    stars.SetWindowText("******");
    edit.SetSel(0, 0);
    parent.SetFocus();  // neither shows a caret or selection now
    const Picture shown(edit);
    const Picture expected(stars);
    int same = 0;
    for (int y = 0; y < 22; ++y) {
        for (int x = 0; x < 200; ++x) {
            same += shown.At(x, y) == expected.At(x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(same, 200 * 22);

    edit.SetPasswordChar(0);
    EXPECT_FALSE(edit.GetStyle() & ES_PASSWORD);
    const Picture plain(edit);
    int differ = 0;
    for (int x = 0; x < 200; ++x) {
        differ += plain.At(x, 7) != expected.At(x, 7) ? 1 : 0;
    }
    EXPECT_GT(differ, 0);
}

TEST_F(EditTest, AMultiLineEditTakesEnterAsALineBreak) {
    Make(ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL, CRect(10, 10, 210, 110));
    Type("ab");
    Key(VK_RETURN);
    Type("cd");
    EXPECT_EQ(Text(edit), "ab\r\ncd");
    EXPECT_EQ(edit.GetLineCount(), 2);
    EXPECT_EQ(edit.LineIndex(1), 4);
    EXPECT_EQ(edit.LineFromChar(5), 1);
    EXPECT_EQ(edit.LineLength(4), 2);
    char line[16] = {};
    EXPECT_EQ(edit.GetLine(1, line, sizeof line), 2);
    EXPECT_EQ(std::string(line, 2), "cd");
    EXPECT_GT(edit.PosFromChar(4).y, edit.PosFromChar(0).y);

    Key(VK_UP);  // to the same place on the line above
    EXPECT_EQ(Sel(), Selection(2, 2));
    Key(VK_RIGHT);  // over the line break as one character
    EXPECT_EQ(Sel(), Selection(4, 4));
    Key(VK_BACK);
    EXPECT_EQ(Text(edit), "abcd");
    EXPECT_EQ(edit.GetLineCount(), 1);

    edit.ModifyStyle(ES_WANTRETURN, 0);
    Key(VK_RETURN);
    EXPECT_EQ(Text(edit), "abcd");
    // As documented, text set by the program is not reported by a multi-line edit.
    parent.Clear();
    edit.SetWindowText("x\r\ny");
    EXPECT_TRUE(parent.Codes(kId).empty());
    EXPECT_EQ(edit.GetLineCount(), 2);
}

TEST_F(EditTest, AMultiLineEditScrollsToKeepTheCaretsLineInView) {
    Make(ES_MULTILINE | ES_WANTRETURN, CRect(10, 10, 210, 50));
    for (int i = 0; i < 10; ++i) {
        Type("line");
        Key(VK_RETURN);
    }
    EXPECT_EQ(edit.GetLineCount(), 11);
    EXPECT_GT(edit.GetFirstVisibleLine(), 0);
    CRect client;
    edit.GetClientRect(&client);
    EXPECT_LT(edit.PosFromChar(static_cast<UINT>(edit.GetWindowTextLength())).y, client.bottom);
    ControlKey(VK_HOME);
    EXPECT_EQ(edit.GetFirstVisibleLine(), 0);
    edit.LineScroll(3);
    EXPECT_EQ(edit.GetFirstVisibleLine(), 3);
}

TEST_F(EditTest, AutoScrollFollowsTheCaretAndWithoutItTheFieldIsFull) {
    Make(ES_AUTOHSCROLL, CRect(10, 10, 60, 32));
    Type("abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(Text(edit), "abcdefghijklmnopqrstuvwxyz");
    CRect client;
    edit.GetClientRect(&client);
    EXPECT_LT(edit.PosFromChar(0).x, 0);  // the start scrolled off the left
    EXPECT_LE(edit.PosFromChar(26).x, client.right - 1);
    Key(VK_HOME);
    EXPECT_EQ(edit.PosFromChar(0).x, 1);  // back, at the left margin

    CEdit fixed;
    ASSERT_TRUE(fixed.Create(WS_VISIBLE, CRect(10, 50, 60, 72), &parent, 102));
    fixed.SetFocus();
    parent.Clear();
    Type("abcdefghijklmnopqrstuvwxyz");
    CString text;
    fixed.GetWindowText(text);
    EXPECT_GT(text.GetLength(), 0);
    EXPECT_LT(text.GetLength(), 26);
    EXPECT_EQ(parent.Codes(102).back(), EN_MAXTEXT);
    EXPECT_LE(fixed.PosFromChar(static_cast<UINT>(text.GetLength())).x, client.right);
}

TEST_F(EditTest, AlignmentPlacesShortText) {
    Make(ES_CENTER);
    edit.SetWindowText("mid");
    CRect client;
    edit.GetClientRect(&client);
    const int left = edit.PosFromChar(0).x;
    const int right = edit.PosFromChar(3).x;
    EXPECT_NEAR(left - 1, (client.right - 1) - right, 1);  // the same room each side
    edit.ModifyStyle(ES_CENTER, ES_RIGHT);
    edit.SetWindowText("mid");
    EXPECT_EQ(edit.PosFromChar(3).x, client.right - 2);  // room for the caret after it
}

TEST_F(EditTest, ClicksPlaceTheCaretDragsSelectAndDoubleClicksTakeAWord) {
    Make(ES_AUTOHSCROLL);
    edit.SetWindowText("one two three");
    Click(edit, At(5));
    EXPECT_EQ(Sel(), Selection(5, 5));
    MouseDown(edit, At(1));
    MouseMove(edit, At(6));
    MouseUp(edit, At(6));
    EXPECT_EQ(Sel(), Selection(1, 6));
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    plat::AdvanceTestClock(1000);
    Click(edit, At(9));
    Click(edit, At(9));
    EXPECT_EQ(Sel(), Selection(8, 13));
}

TEST_F(EditTest, FocusChangesAreReportedAndTheDialogCodeSaysWhatItWants) {
    Make(ES_AUTOHSCROLL);
    parent.SetFocus();
    edit.SetFocus();
    EXPECT_EQ(parent.Codes(kId), (Codes{EN_KILLFOCUS, EN_SETFOCUS}));
    EXPECT_EQ(edit.SendMessage(WM_GETDLGCODE), DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS);
    CEdit lines;
    ASSERT_TRUE(lines.Create(WS_VISIBLE | ES_MULTILINE, CRect(10, 50, 60, 90), &parent, 102));
    EXPECT_TRUE(lines.SendMessage(WM_GETDLGCODE) & DLGC_WANTALLKEYS);
}

TEST_F(EditTest, AParentThatDestroysTheEditOnAChangeEndsTheTypingSafely) {
    auto* doomed = new CEdit;
    ASSERT_TRUE(doomed->Create(WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 50, 110, 72), &parent, 102));
    doomed->SetFocus();
    parent.Clear();
    parent.onCommand = [&](UINT code) {
        if (code == EN_UPDATE && doomed) {
            delete doomed;
            doomed = nullptr;
        }
    };
    Type("ab");
    EXPECT_EQ(doomed, nullptr);
    // The focus left with the window; nothing else was reported after it went.
    EXPECT_EQ(parent.Codes(102), (Codes{EN_UPDATE, EN_KILLFOCUS}));
}

TEST_F(EditTest, TheBackgroundAndTextColoursComeFromTheParent) {
    parent.customColours = true;
    parent.fieldColour = RGB(20, 40, 60);
    parent.textColour = RGB(250, 240, 0);
    Make(ES_AUTOHSCROLL);
    edit.SetWindowText("W");
    parent.SetFocus();
    const Picture custom(edit);
    EXPECT_EQ(custom.At(150, 10), RGB(20, 40, 60));
    EXPECT_GT(custom.CountOf(CRect(0, 0, 30, 22), RGB(250, 240, 0)), 0);

    // Read-only asks for the static colours, which this parent leaves to the default.
    edit.SetReadOnly();
    const Picture readOnly(edit);
    EXPECT_EQ(readOnly.At(150, 10), GetSysColor(COLOR_BTNFACE));

    // Disabled text is grey, whatever the parent says.
    edit.SetReadOnly(FALSE);
    edit.EnableWindow(FALSE);
    const Picture disabled(edit);
    EXPECT_EQ(disabled.CountOf(CRect(0, 0, 30, 22), RGB(250, 240, 0)), 0);
    EXPECT_GT(disabled.CountOf(CRect(0, 0, 30, 22), GetSysColor(COLOR_GRAYTEXT)), 0);
}

TEST_F(EditTest, AFocusedEditDrawsItsCaretAndItsSelection) {
    Make(ES_AUTOHSCROLL);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    const Picture focused(edit);
    EXPECT_EQ(focused.At(1, 5), text);  // the caret at the left margin
    EXPECT_EQ(focused.At(2, 5), window);
    parent.SetFocus();
    EXPECT_EQ(Picture(edit).At(1, 5), window);

    edit.SetWindowText("selected");
    edit.SetFocus();
    edit.SetSel(0, -1);
    const Picture selected(edit);
    const int width = edit.PosFromChar(8).x;
    EXPECT_GT(selected.CountOf(CRect(1, 0, width, 10), GetSysColor(COLOR_HIGHLIGHT)), width);
    EXPECT_EQ(selected.CountOf(CRect(width + 2, 0, 200, 22), GetSysColor(COLOR_HIGHLIGHT)), 0);
    parent.SetFocus();  // the selection hides with the focus
    EXPECT_EQ(Picture(edit).CountOf(CRect(0, 0, 200, 22), GetSysColor(COLOR_HIGHLIGHT)), 0);
}

TEST_F(EditTest, BordersAreDrawnRoundTheClientArea) {
    Make(WS_BORDER | ES_AUTOHSCROLL);
    const Picture bordered(edit);
    EXPECT_EQ(bordered.AtWindow(0, 0), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(bordered.AtWindow(199, 21), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(bordered.AtWindow(100, 1), GetSysColor(COLOR_WINDOW));
    edit.EnableWindow(FALSE);
    EXPECT_EQ(Picture(edit).AtWindow(0, 0), GetSysColor(COLOR_BTNSHADOW));

    CEdit sunken;
    ASSERT_TRUE(sunken.CreateEx(WS_EX_CLIENTEDGE, WS_VISIBLE, CRect(10, 50, 110, 72), &parent, 2));
    const Picture edge(sunken);
    EXPECT_EQ(edge.AtWindow(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(edge.AtWindow(99, 21), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(edge.AtWindow(1, 1), GetSysColor(COLOR_3DDKSHADOW));
    CRect client;
    sunken.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 96, 18));
}

}  // namespace
}  // namespace ct
