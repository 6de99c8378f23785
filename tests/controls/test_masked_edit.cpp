// The masked edit: typing into a template, the characters it refuses, erasing within
// groups, and the text it gives and takes.

#include <string>

#include "ControlsTestSupport.h"
#include "platform/controls/CMFCMaskedEdit.h"
#include "platform/core/Exceptions.h"

namespace ct {
namespace {

constexpr int kId = 201;
constexpr const char* kPhoneMask = " ddd  ddd dddd";
constexpr const char* kPhoneTemplate = "(___) ___-____";

// A masked edit whose entry positions also take '.', as the numeric rows' editor does.
class DecimalEdit : public CMFCMaskedEdit {
protected:
    BOOL IsMaskedChar(TCHAR chChar, TCHAR chMaskChar) const override {
        return chMaskChar == 'd' && chChar == '.'
                   ? TRUE
                   : CMFCMaskedEdit::IsMaskedChar(chChar, chMaskChar);
    }
};

class MaskedEditTest : public ControlTest {
protected:
    void MakePhone() {
        edit.EnableMask(kPhoneMask, kPhoneTemplate);
        ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 10, 210, 32), &parent, kId));
        edit.SetFocus();
        plat::PumpMessages();
        parent.Clear();
    }
    std::string Shown() {
        edit.EnableGetMaskedCharsOnly(FALSE);
        const std::string shown = Text(edit);
        edit.EnableGetMaskedCharsOnly(TRUE);
        return shown;
    }
    int Caret() const {
        int start = 0;
        int end = 0;
        edit.GetSel(start, end);
        return end;
    }

    CMFCMaskedEdit edit;
};

TEST_F(MaskedEditTest, TypedDigitsFillTheEntryPositionsAndSkipTheLiterals) {
    MakePhone();
    EXPECT_EQ(Shown(), "(___) ___-____");
    const BeepCounter beeps;
    Type("4255550187");
    EXPECT_EQ(Shown(), "(425) 555-0187");
    EXPECT_EQ(Text(edit), "4255550187");  // only the entry positions, by default
    EXPECT_EQ(edit.GetWindowTextLength(), 10);
    EXPECT_EQ(beeps(), 0);
    EXPECT_EQ(Caret(), 14);
    EXPECT_EQ(parent.Codes(kId).size(), 20u);  // EN_UPDATE and EN_CHANGE per digit
}

TEST_F(MaskedEditTest, AfterAGroupTheCaretJumpsOverTheLiterals) {
    MakePhone();
    Type("425");
    EXPECT_EQ(Caret(), 6);  // past ") " to the next group
    Type("5");
    EXPECT_EQ(Shown(), "(425) 5__-____");
}

TEST_F(MaskedEditTest, ARefusedCharacterBeepsAndChangesNothing) {
    MakePhone();
    Type("42");
    const BeepCounter beeps;
    parent.Clear();
    Type("x");
    Type("+");
    EXPECT_EQ(beeps(), 2);
    EXPECT_EQ(Shown(), "(42_) ___-____");
    EXPECT_EQ(Caret(), 3);
    EXPECT_TRUE(parent.Codes(kId).empty());
}

TEST_F(MaskedEditTest, TypingIntoAFullFieldBeeps) {
    MakePhone();
    Type("4255550187");
    const BeepCounter beeps;
    Type("9");
    EXPECT_EQ(beeps(), 1);
    EXPECT_EQ(Shown(), "(425) 555-0187");
    // Typing with the caret inside still overwrites.
    edit.SetSel(1, 1);
    Type("9");
    EXPECT_EQ(Shown(), "(925) 555-0187");
}

TEST_F(MaskedEditTest, BackspaceShiftsTheRestOfTheGroupLeft) {
    MakePhone();
    Type("4255550187");
    edit.SetSel(3, 3);  // after "42"
    Key(VK_BACK);
    EXPECT_EQ(Shown(), "(45_) 555-0187");
    EXPECT_EQ(Caret(), 2);
    // Only the group moves: the other groups keep their places.
    edit.SetSel(12, 12);
    Key(VK_BACK);
    EXPECT_EQ(Shown(), "(45_) 555-087_");
}

TEST_F(MaskedEditTest, BackspaceAtAGroupStartGoesToThePreviousGroupsEnd) {
    MakePhone();
    Type("4255550187");
    edit.SetSel(6, 6);  // the start of "555"
    Key(VK_BACK);
    EXPECT_EQ(Shown(), "(425) 555-0187");
    EXPECT_EQ(Caret(), 4);
    Key(VK_BACK);
    EXPECT_EQ(Shown(), "(42_) 555-0187");
}

TEST_F(MaskedEditTest, DeleteShiftsAtTheCaretAndBeepsOnALiteral) {
    MakePhone();
    Type("4255550187");
    edit.SetSel(10, 10);
    Key(VK_DELETE);
    EXPECT_EQ(Shown(), "(425) 555-187_");
    EXPECT_EQ(Caret(), 10);
    edit.SetSel(4, 4);  // on ')'
    const BeepCounter beeps;
    Key(VK_DELETE);
    EXPECT_EQ(beeps(), 1);
    EXPECT_EQ(Shown(), "(425) 555-187_");
}

TEST_F(MaskedEditTest, TypingOverASelectionEmptiesItFirst) {
    MakePhone();
    Type("4255550187");
    edit.SetSel(2, 9);  // "25) 555"
    Type("7");
    EXPECT_EQ(Shown(), "(47_) ___-0187");
    ControlKey('A');
    Key(VK_DELETE);
    EXPECT_EQ(Shown(), "(___) ___-____");
}

TEST_F(MaskedEditTest, GetAndSetWindowTextFollowTheMaskedCharsRules) {
    MakePhone();
    edit.SetWindowText("(206) 555-0100");
    EXPECT_EQ(Text(edit), "2065550100");
    // Literals that do not match, letters where digits go, and text too long are refused.
    edit.SetWindowText("[206] 555-0100");
    edit.SetWindowText("(2a6) 555-0100");
    edit.SetWindowText("(206) 555-01000");
    EXPECT_EQ(Shown(), "(206) 555-0100");
    EXPECT_FALSE(edit.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("2065550100")));
    // A shorter text fills the first positions.
    edit.SetWindowText("(31");
    EXPECT_EQ(Shown(), "(31_) ___-____");

    edit.EnableSetMaskedCharsOnly(TRUE);
    edit.SetWindowText("4255550187");
    EXPECT_EQ(Shown(), "(425) 555-0187");
    edit.SetWindowText("");
    EXPECT_EQ(Shown(), "(___) ___-____");
}

TEST_F(MaskedEditTest, AMaskEnabledOnALiveEditShowsTheEmptyTemplate) {
    ASSERT_TRUE(edit.Create(WS_VISIBLE, CRect(10, 10, 210, 32), &parent, kId));
    edit.SetWindowText("plain");
    EXPECT_EQ(Text(edit), "plain");
    edit.EnableMask("DD", "_:_", '#');  // refused: the lengths differ
    EXPECT_EQ(Text(edit), "plain");
    edit.EnableMask("D D", "_:_", '#');
    EXPECT_EQ(Shown(), "#:#");
    EXPECT_EQ(Text(edit), "##");
    edit.EnableMask("", "");  // empty: no mask
    edit.SetWindowText("free");
    EXPECT_EQ(Text(edit), "free");
}

TEST_F(MaskedEditTest, AMaskAndTemplateOfDifferentLengthsAreRefused) {
    MakePhone();
    edit.EnableMask("ddd", "____");
    Type("1");
    EXPECT_EQ(Shown(), "(1__) ___-____");  // the phone mask still holds
    EXPECT_THROW(edit.EnableMask(nullptr, "___"), CInvalidArgException);
}

TEST_F(MaskedEditTest, ValidCharactersNarrowTheMaskAndWorkWithoutOne) {
    MakePhone();
    edit.SetValidChars("0123");
    const BeepCounter beeps;
    Type("1459");
    EXPECT_EQ(Shown(), "(1__) ___-____");
    EXPECT_EQ(beeps(), 3);

    edit.DisableMask();
    edit.SetWindowText("");
    Type("32x1");
    EXPECT_EQ(Text(edit), "321");  // plain editing, still limited to the valid characters
    EXPECT_EQ(beeps(), 4);
    edit.SetValidChars(nullptr);
    Type("x");
    EXPECT_EQ(Text(edit), "321x");
}

TEST_F(MaskedEditTest, MaskLettersAcceptTheirClasses) {
    edit.EnableMask("CcAa*+D", "_______", ' ');
    ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 10, 210, 32), &parent, kId));
    edit.SetFocus();
    EXPECT_EQ(Shown(), "       ");  // the placeholder shows at every entry position
    const BeepCounter beeps;
    Type("1Z");     // C: a letter
    Type("3 ");     // c: a letter or blank
    Type("_7");     // A: a letter or digit
    Type("-\xE9");  // a: a letter, digit or blank (accented letters are letters)
    Type("#");      // *: anything printable
    Type("x-");     // +: '+', '-' or blank
    Type("x5");     // D: a digit
    EXPECT_EQ(Shown(), "Z 7\xE9#-5");
    EXPECT_EQ(beeps(), 6);
}

TEST_F(MaskedEditTest, UppercaseIsAppliedBeforeTheMaskLooks) {
    edit.EnableMask("CC", "__");
    ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_UPPERCASE, CRect(10, 10, 210, 32), &parent, kId));
    edit.SetFocus();
    Type("ab");
    EXPECT_EQ(Text(edit), "AB");
}

TEST_F(MaskedEditTest, SelectByGroupKeepsHomeEndAndShiftArrowsInTheGroup) {
    MakePhone();
    Type("4255550187");
    edit.SetSel(7, 7);  // inside "555"
    Key(VK_HOME);
    EXPECT_EQ(Caret(), 6);
    Key(VK_END);
    EXPECT_EQ(Caret(), 9);
    Key(VK_END);  // at the group's end already: the end of the last group
    EXPECT_EQ(Caret(), 14);
    edit.SetSel(8, 8);
    ShiftKey(VK_RIGHT);
    ShiftKey(VK_RIGHT);
    int start = 0;
    int end = 0;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 8);
    EXPECT_EQ(end, 9);  // not past the group's end

    edit.EnableSelectByGroup(FALSE);
    edit.SetSel(7, 7);
    Key(VK_HOME);
    EXPECT_EQ(Caret(), 0);
}

TEST_F(MaskedEditTest, ADerivedEditCanAcceptMoreThroughIsMaskedChar) {
    DecimalEdit decimal;
    decimal.EnableMask("dddddd m", "______ m", ' ', "0123456789+-.");
    ASSERT_TRUE(decimal.Create(WS_VISIBLE, CRect(10, 10, 210, 32), &parent, kId));
    decimal.EnableGetMaskedCharsOnly(FALSE);
    decimal.SetWindowText("012.50 m");
    EXPECT_EQ(Text(decimal), "012.50 m");
    decimal.SetFocus();
    decimal.SetSel(0, 0);
    Type("9.");
    EXPECT_EQ(Text(decimal), "9.2.50 m");
}

}  // namespace
}  // namespace ct
