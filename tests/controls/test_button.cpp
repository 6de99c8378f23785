// The push button: clicks by mouse and keyboard, its pressed, default, focused and
// disabled looks, and icons.

#include "ControlsTestSupport.h"
#include "platform/controls/CButton.h"
#include "platform/controls/Icon.h"

namespace ct {
namespace {

constexpr int kId = 501;
using Codes = std::vector<UINT>;

class ButtonTest : public ControlTest {
protected:
    void Make(DWORD style = BS_PUSHBUTTON, const char* caption = "OK") {
        ASSERT_TRUE(
            button.Create(caption, style | WS_VISIBLE, CRect(10, 10, 90, 40), &parent, kId));
        plat::PumpMessages();
        parent.Clear();
    }
    static CPoint Inside() { return CPoint(40, 15); }
    static CPoint Outside() { return CPoint(200, 15); }

    CButton button;
};

TEST_F(ButtonTest, AClickSendsOneBnClicked) {
    Make();
    Click(button, Inside());
    EXPECT_EQ(parent.Codes(kId), Codes{BN_CLICKED});
    EXPECT_EQ(CWnd::GetFocus(), &button);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    plat::AdvanceTestClock(100);
    Click(button, Inside());  // a quick second click counts as a click too
    EXPECT_EQ(parent.Codes(kId), (Codes{BN_CLICKED, BN_CLICKED}));
}

TEST_F(ButtonTest, ReleasingOutsideClicksNothing) {
    Make();
    MouseDown(button, Inside());
    EXPECT_EQ(button.GetState() & BST_PUSHED, BST_PUSHED);
    MouseMove(button, Outside());
    EXPECT_EQ(button.GetState() & BST_PUSHED, 0u);
    MouseMove(button, Inside());
    EXPECT_EQ(button.GetState() & BST_PUSHED, BST_PUSHED);
    MouseMove(button, Outside());
    MouseUp(button, Outside());
    EXPECT_TRUE(parent.Codes(kId).empty());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(ButtonTest, TheFaceSinksWhileTheMouseIsDown) {
    Make();
    const Picture up(button);
    EXPECT_EQ(up.At(0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(up.At(79, 29), GetSysColor(COLOR_3DDKSHADOW));
    MouseDown(button, Inside());
    const Picture down(button);
    EXPECT_EQ(down.At(0, 0), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(down.At(1, 1), GetSysColor(COLOR_BTNSHADOW));
    MouseUp(button, Inside());
    EXPECT_EQ(Picture(button).At(0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST_F(ButtonTest, SpaceAndEnterClickTheFocusedButton) {
    Make();
    button.SetFocus();
    plat::input::KeyDown(VK_SPACE);
    plat::PumpMessages();
    EXPECT_EQ(button.GetState(), BST_PUSHED | BST_FOCUS);
    EXPECT_TRUE(parent.Codes(kId).empty());
    plat::input::KeyUp(VK_SPACE);
    plat::PumpMessages();
    EXPECT_EQ(parent.Codes(kId), Codes{BN_CLICKED});
    Key(VK_RETURN);
    EXPECT_EQ(parent.Codes(kId), (Codes{BN_CLICKED, BN_CLICKED}));
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(parent.Codes(kId).size(), 3u);
}

TEST_F(ButtonTest, ADisabledButtonIsGreyAndTakesNoClicks) {
    Make(BS_PUSHBUTTON, "Wide caption");
    const Picture enabled(button);
    const CRect face(2, 2, 78, 28);
    EXPECT_GT(enabled.CountOf(face, GetSysColor(COLOR_BTNTEXT)), 0);
    button.EnableWindow(FALSE);
    Click(button, Inside());
    EXPECT_TRUE(parent.Codes(kId).empty());
    button.SendMessage(BM_CLICK);
    EXPECT_TRUE(parent.Codes(kId).empty());
    const Picture disabled(button);
    EXPECT_EQ(disabled.CountOf(face, GetSysColor(COLOR_BTNTEXT)), 0);
    EXPECT_GT(disabled.CountOf(face, GetSysColor(COLOR_GRAYTEXT)), 0);
}

TEST_F(ButtonTest, TheDefaultButtonHasADarkRingAndFocusShowsDots) {
    Make(BS_DEFPUSHBUTTON);
    EXPECT_EQ(button.SendMessage(WM_GETDLGCODE), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    const Picture unfocused(button);
    EXPECT_EQ(unfocused.At(0, 0), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(unfocused.At(1, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(unfocused.At(4, 4), GetSysColor(COLOR_BTNFACE));
    button.SetFocus();
    const Picture focused(button);
    EXPECT_EQ(focused.At(4, 4), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(focused.At(5, 4), GetSysColor(COLOR_BTNFACE));
}

TEST_F(ButtonTest, AnIconButtonShowsItsIconCentredAndGreyWhenDisabled) {
    Make(BS_PUSHBUTTON | BS_ICON);
    plat::Surface pixels(8, 8, RGB(255, 0, 0));
    pixels.SetPixel(0, 0, RGB(255, 255, 255));  // transparent
    const HICON icon = plat::CreateIconFromSurface(pixels);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(button.SetIcon(icon), nullptr);
    EXPECT_EQ(button.GetIcon(), icon);
    // The face's content is (2, 2, 78, 28): the icon at (36, 11).
    const Picture shown(button);
    EXPECT_EQ(shown.CountOf(CRect(0, 0, 80, 30), RGB(255, 0, 0)), 63);
    EXPECT_EQ(shown.At(36, 11), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(shown.At(37, 11), RGB(255, 0, 0));
    EXPECT_EQ(shown.At(43, 18), RGB(255, 0, 0));

    button.EnableWindow(FALSE);
    const Picture grey(button);
    EXPECT_EQ(grey.CountOf(CRect(0, 0, 80, 30), RGB(255, 0, 0)), 0);
    const COLORREF greyed = grey.At(40, 15);
    EXPECT_EQ(GetRValue(greyed), GetGValue(greyed));
    EXPECT_NE(greyed, GetSysColor(COLOR_BTNFACE));

    // A destroyed icon draws nothing.
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
    button.EnableWindow(TRUE);
    EXPECT_EQ(Picture(button).CountOf(CRect(0, 0, 80, 30), RGB(255, 0, 0)), 0);
}

TEST_F(ButtonTest, ACaptionIsCentred) {
    Make(BS_PUSHBUTTON, "I");
    const Picture picture(button);
    int left = 80;
    int right = -1;
    for (int x = 2; x < 78; ++x) {  // inside the edges
        for (int y = 2; y < 28; ++y) {
            if (GetGValue(picture.At(x, y)) < 128) {  // ink, not face
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    ASSERT_GE(right, left);
    EXPECT_NEAR(left + right, 2 + 77, 3);
}

}  // namespace
}  // namespace ct
