// The colour row: its text, its swatch and its palette.

#include "PropGridTestSupport.h"

namespace pg {
namespace {

class ColourTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        colour = new CMFCPropertyGridColorProperty("Colour", RGB(255, 0, 0), nullptr, "A colour");
        grid.AddProperty(colour);
        plat::PumpMessages();
    }

    CPoint ButtonOf() const {
        const CRect row = colour->GetRect();
        return CPoint(row.right - grid.GetRowHeight() / 2 + 1, row.CenterPoint().y);
    }
    // Opens the palette and answers it, or nullptr.
    CWnd* OpenPalette() {
        Click(grid, NameOf(colour));
        Click(grid, ButtonOf());
        return grid.IsColorPopupOpen() ? TopPopup() : nullptr;
    }
    // The middle of a palette cell (see the palette's layout).
    static CPoint CellOf(int index, int columns, int top) {
        constexpr int kMargin = 3;
        constexpr int kCell = 18;
        return CPoint(kMargin + (index % columns) * kCell + kCell / 2,
                      top + (index / columns) * kCell + kCell / 2);
    }

    CMFCPropertyGridColorProperty* colour = nullptr;
};

TEST_F(ColourTest, TheValueIsTheColourAsLowercaseHex) {
    EXPECT_EQ(colour->GetValue().vt, VT_I4);
    EXPECT_EQ(colour->FormatProperty(), "ff0000");
    colour->SetColor(RGB(0x12, 0xAB, 0xCD));
    EXPECT_EQ(colour->FormatProperty(), "12abcd");
    EXPECT_EQ(static_cast<COLORREF>(colour->GetValue().lVal), RGB(0x12, 0xAB, 0xCD));
    EXPECT_FALSE(colour->IsModified());

    EXPECT_TRUE(colour->TextToVar(" 00FF7f "));
    EXPECT_EQ(colour->GetColor(), RGB(0, 255, 127));
    for (const char* bad : {"00ff7", "00ff7f0", "gg0000", "", "red"}) {
        EXPECT_FALSE(colour->TextToVar(bad)) << bad;
        EXPECT_EQ(colour->GetColor(), RGB(0, 255, 127)) << bad;
    }
    colour->SetValue(COleVariant("blue"));  // another type: ignored
    EXPECT_EQ(colour->GetColor(), RGB(0, 255, 127));
}

TEST_F(ColourTest, TheAutomaticColourShowsItsLabel) {
    colour->EnableAutomaticButton("Automatic", RGB(0, 0, 255));
    colour->SetColor(CLR_INVALID);
    EXPECT_EQ(colour->FormatProperty(), "Automatic");
    colour->SetColor(RGB(1, 2, 3));
    EXPECT_TRUE(colour->TextToVar("Automatic"));
    EXPECT_EQ(colour->GetColor(), CLR_INVALID);
    colour->Redraw();
    // The swatch shows the automatic colour.
    const CRect row = colour->GetRect();
    const int separator = grid.GetListRect().left + grid.GetLeftColumnWidth();
    EXPECT_EQ(Picture(grid).At(separator + 1 + row.Height() / 2, row.CenterPoint().y),
              RGB(0, 0, 255));
}

TEST_F(ColourTest, ASwatchStandsLeftOfTheText) {
    const CRect row = colour->GetRect();
    const int separator = grid.GetListRect().left + grid.GetLeftColumnWidth();
    const CPoint inSwatch(separator + 1 + row.Height() / 2, row.CenterPoint().y);
    const Picture picture(grid);
    EXPECT_EQ(picture.At(inSwatch), RGB(255, 0, 0));
    EXPECT_EQ(picture.At(separator + 3, row.CenterPoint().y), RGB(0, 0, 0));  // its frame
    // The text starts after the swatch.
    const CRect text(separator + row.Height() + 2, row.top + 1, row.right, row.bottom - 1);
    EXPECT_GT(picture.CountOtherThan(text, GetSysColor(COLOR_WINDOW)), 0);
    EXPECT_EQ(picture.CountOf(text, RGB(255, 0, 0)), 0);

    colour->SetColor(RGB(0, 160, 0));
    EXPECT_EQ(Picture(grid).At(inSwatch), RGB(0, 160, 0));
}

TEST_F(ColourTest, TypedHexIsStoredAndTold) {
    Click(grid, ValueOf(colour));
    CWnd* editor = RowAccess::InPlace(colour);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(Text(editor), "ff0000");
    Key(VK_HOME);
    ShiftKey(VK_END);
    Type("0080fz");  // not a hex digit
    const BeepCounter beeps;
    Key(VK_RETURN);
    EXPECT_EQ(beeps(), 1);
    EXPECT_EQ(colour->GetColor(), RGB(255, 0, 0));
    Key(VK_BACK);
    Type("f");
    Key(VK_RETURN);
    EXPECT_EQ(colour->GetColor(), RGB(0, 0x80, 0xFF));
    ASSERT_EQ(owner.changes.size(), 1u);
    EXPECT_EQ(owner.changes[0].prop, colour);
}

TEST_F(ColourTest, PickingACellSetsTheColourAndTellsTheOwner) {
    CWnd* palette = OpenPalette();
    ASSERT_NE(palette, nullptr);
    CRect rect;
    palette->GetClientRect(&rect);
    EXPECT_EQ(rect.Width(), 3 + 5 * 18 + 3);  // five columns by default
    EXPECT_EQ(rect.Height(), 3 + 8 * 18 + 3);
    // Blue is the 14th standard colour.
    ASSERT_EQ(plat::StandardColour(13).colour, RGB(0, 0, 255));
    EXPECT_STREQ(plat::StandardColour(13).name, "Blue");
    Click(*palette, CellOf(13, 5, 3));
    EXPECT_FALSE(grid.IsColorPopupOpen());
    EXPECT_EQ(colour->GetColor(), RGB(0, 0, 255));
    EXPECT_EQ(colour->FormatProperty(), "0000ff");
    ASSERT_EQ(owner.changes.size(), 1u);
    EXPECT_EQ(owner.changes[0].prop, colour);
    EXPECT_TRUE(colour->IsModified());
}

TEST_F(ColourTest, AClickOutsideOrEscapeClosesWithoutAChoice) {
    ASSERT_NE(OpenPalette(), nullptr);
    Click(owner, CPoint(390, 390));
    EXPECT_FALSE(grid.IsColorPopupOpen());
    ASSERT_NE(OpenPalette(), nullptr);
    Key(VK_ESCAPE);
    EXPECT_FALSE(grid.IsColorPopupOpen());
    EXPECT_EQ(colour->GetColor(), RGB(255, 0, 0));
    EXPECT_TRUE(owner.changes.empty());
}

TEST_F(ColourTest, KeysWalkThePalette) {
    ASSERT_NE(OpenPalette(), nullptr);  // red, the 17th colour, is highlighted
    Key(VK_RIGHT);
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_EQ(colour->GetColor(), plat::StandardColour(16 + 1 + 5).colour);
    EXPECT_FALSE(grid.IsColorPopupOpen());
}

TEST_F(ColourTest, TheAutomaticAndOtherButtons) {
    colour->EnableAutomaticButton("Automatic", RGB(0, 0, 0));
    colour->EnableOtherButton("Other...");
    colour->SetColumnsNumber(8);
    colour->SetColumnsNumber(0);  // ignored
    CWnd* palette = OpenPalette();
    ASSERT_NE(palette, nullptr);
    CRect rect;
    palette->GetClientRect(&rect);
    const int button = grid.GetRowHeight() + 6;
    EXPECT_EQ(rect.Height(), 3 + button + 3 + 5 * 18 + 3 + button + 3);
    Click(*palette, CPoint(rect.Width() / 2, 3 + button / 2));
    EXPECT_EQ(colour->GetColor(), CLR_INVALID);
    EXPECT_EQ(colour->FormatProperty(), "Automatic");

    // "Other..." without a dialog picks nothing. (The editor opened with the palette shows
    // the label, so leaving it stores the automatic colour again.)
    palette = OpenPalette();
    ASSERT_NE(palette, nullptr);
    Click(*palette, CPoint(rect.Width() / 2, rect.Height() - 3 - button / 2));
    EXPECT_FALSE(grid.IsColorPopupOpen());
    EXPECT_EQ(colour->GetColor(), CLR_INVALID);

    // With a dialog that answers, its colour is picked.
    COLORREF shown = 0;
    plat::SetColourDialogHook([&shown](COLORREF* chosen) {
        shown = *chosen;
        *chosen = RGB(10, 20, 30);
        return true;
    });
    palette = OpenPalette();
    ASSERT_NE(palette, nullptr);
    Click(*palette, CPoint(rect.Width() / 2, rect.Height() - 3 - button / 2));
    EXPECT_EQ(shown, CLR_INVALID);
    EXPECT_EQ(colour->GetColor(), RGB(10, 20, 30));
    EXPECT_EQ(owner.changes.size(), 2u);
}

TEST_F(ColourTest, DeletingTheRowClosesItsPalette) {
    ASSERT_NE(OpenPalette(), nullptr);
    CMFCPropertyGridProperty* row = colour;
    grid.DeleteProperty(row);
    EXPECT_FALSE(grid.IsColorPopupOpen());
    plat::PumpMessages();
    Click(owner, CPoint(390, 390));
    EXPECT_TRUE(owner.changes.empty());
}

}  // namespace
}  // namespace pg
