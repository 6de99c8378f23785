// The controls' look: the style functions, pixel by pixel on small bitmaps, with colours
// that tell every part apart.

#include <gtest/gtest.h>

#include "platform/controls/ControlLook.h"
#include "platform/gdi/Surface.h"

namespace ct {
namespace {

using plat::style::Arrow;
using plat::style::ControlColours;

constexpr COLORREF kPaper = RGB(200, 200, 200);
constexpr COLORREF kInk = RGB(10, 20, 30);

ControlColours Distinct() {
    ControlColours c{};
    c.face = RGB(1, 1, 1);
    c.highlight = RGB(2, 2, 2);
    c.light = RGB(3, 3, 3);
    c.shadow = RGB(4, 4, 4);
    c.darkShadow = RGB(5, 5, 5);
    c.text = RGB(6, 6, 6);
    c.grayText = RGB(7, 7, 7);
    c.frame = RGB(8, 8, 8);
    c.window = RGB(9, 9, 9);
    c.windowText = RGB(10, 10, 10);
    c.selection = RGB(11, 11, 11);
    c.selectionText = RGB(12, 12, 12);
    return c;
}

class LookTest : public ::testing::Test {
protected:
    void Make(int width, int height) {
        surface = plat::Surface(width, height, kPaper);
        ASSERT_TRUE(dc.AttachSurface(surface));
    }
    COLORREF At(int x, int y) const { return surface.GetPixel(x, y); }
    // The row as a string: '#' for ink, '.' for paper, '?' for anything else.
    std::string Row(int y) const {
        std::string row;
        for (int x = 0; x < surface.Width(); ++x) {
            row += At(x, y) == kInk ? '#' : At(x, y) == kPaper ? '.' : '?';
        }
        return row;
    }

    plat::Surface surface;
    CDC dc;
};

TEST_F(LookTest, ArrowGlyphsAreCentredTrianglesPointingTheirWay) {
    Make(9, 6);
    plat::style::DrawArrowGlyph(dc, CRect(0, 0, 9, 6), Arrow::Down, 7, kInk);
    EXPECT_EQ(Row(0), ".........");
    EXPECT_EQ(Row(1), ".#######.");
    EXPECT_EQ(Row(2), "..#####..");
    EXPECT_EQ(Row(3), "...###...");
    EXPECT_EQ(Row(4), "....#....");
    EXPECT_EQ(Row(5), ".........");

    surface.Fill(kPaper);
    plat::style::DrawArrowGlyph(dc, CRect(0, 0, 9, 6), Arrow::Up, 5, kInk);
    EXPECT_EQ(Row(1), ".........");
    EXPECT_EQ(Row(2), "....#....");
    EXPECT_EQ(Row(3), "...###...");
    EXPECT_EQ(Row(4), "..#####..");
}

TEST_F(LookTest, SideArrowsPointLeftAndRight) {
    Make(4, 5);
    plat::style::DrawArrowGlyph(dc, CRect(0, 0, 4, 5), Arrow::Right, 5, kInk);
    // Three columns, centred: the base (5 high) at the left, the tip at the right.
    EXPECT_EQ(Row(0), ".#..");
    EXPECT_EQ(Row(1), ".##.");
    EXPECT_EQ(Row(2), ".###");
    EXPECT_EQ(Row(3), ".##.");
    EXPECT_EQ(Row(4), ".#..");
    surface.Fill(kPaper);
    plat::style::DrawArrowGlyph(dc, CRect(0, 0, 4, 5), Arrow::Left, 5, kInk);
    EXPECT_EQ(Row(0), "...#");
    EXPECT_EQ(Row(2), ".###");
}

TEST_F(LookTest, ARaisedFaceIsLitTopLeftAndShadedBottomRight) {
    Make(10, 8);
    const ControlColours c = Distinct();
    const CRect content = plat::style::DrawButtonFace(dc, CRect(0, 0, 10, 8), {}, c);
    EXPECT_EQ(content, CRect(2, 2, 8, 6));
    EXPECT_EQ(At(0, 0), c.highlight);
    EXPECT_EQ(At(5, 0), c.highlight);
    EXPECT_EQ(At(0, 5), c.highlight);
    EXPECT_EQ(At(9, 7), c.darkShadow);
    EXPECT_EQ(At(9, 3), c.darkShadow);
    EXPECT_EQ(At(1, 1), c.light);
    EXPECT_EQ(At(8, 6), c.shadow);
    EXPECT_EQ(At(4, 4), c.face);
}

TEST_F(LookTest, APressedFaceSinksAndItsContentMovesDownRight) {
    Make(10, 8);
    const ControlColours c = Distinct();
    const CRect content = plat::style::DrawButtonFace(dc, CRect(0, 0, 10, 8), {true}, c);
    EXPECT_EQ(content, CRect(3, 3, 9, 7));
    EXPECT_EQ(At(0, 0), c.darkShadow);
    EXPECT_EQ(At(9, 7), c.darkShadow);
    EXPECT_EQ(At(1, 1), c.shadow);
    EXPECT_EQ(At(8, 6), c.shadow);
    EXPECT_EQ(At(2, 2), c.face);
}

TEST_F(LookTest, TheDefaultButtonHasAFrameRingOutside) {
    Make(10, 8);
    const ControlColours c = Distinct();
    const CRect content = plat::style::DrawButtonFace(dc, CRect(0, 0, 10, 8), {false, true}, c);
    EXPECT_EQ(content, CRect(3, 3, 7, 5));
    EXPECT_EQ(At(0, 0), c.frame);
    EXPECT_EQ(At(9, 7), c.frame);
    EXPECT_EQ(At(1, 1), c.highlight);
}

TEST_F(LookTest, TheFocusRectangleDotsEveryOtherPixelRoundTheEdges) {
    Make(7, 5);
    plat::style::DrawFocusRect(dc, CRect(1, 1, 6, 4), kInk);
    EXPECT_EQ(Row(0), ".......");
    EXPECT_EQ(Row(1), ".#.#.#.");
    EXPECT_EQ(Row(2), ".......");  // the rhythm carries on round the corners
    EXPECT_EQ(Row(3), ".#.#.#.");
    EXPECT_EQ(Row(4), ".......");
}

TEST_F(LookTest, EditFramesAreOnePixelOrTwoPixelsOfSunkenEdge) {
    Make(6, 5);
    const ControlColours c = Distinct();
    plat::style::DrawEditFrame(dc, CRect(0, 0, 6, 5), plat::style::EditFrame::Sunken, true, c);
    EXPECT_EQ(At(0, 0), c.shadow);
    EXPECT_EQ(At(5, 4), c.highlight);
    EXPECT_EQ(At(1, 1), c.darkShadow);
    EXPECT_EQ(At(4, 3), c.light);
    EXPECT_EQ(At(2, 2), kPaper);
    EXPECT_EQ(plat::style::EditFrameWidth(plat::style::EditFrame::Sunken), 2);

    surface.Fill(kPaper);
    plat::style::DrawEditFrame(dc, CRect(0, 0, 6, 5), plat::style::EditFrame::Border, false, c);
    EXPECT_EQ(At(0, 0), c.shadow);  // a disabled border is drawn in the shadow colour
    EXPECT_EQ(At(1, 1), kPaper);
}

TEST_F(LookTest, TheDropButtonIsAFaceWithADownArrowThatSinksWhenPressed) {
    Make(17, 17);
    const ControlColours c = Distinct();
    plat::style::DrawDropButton(dc, CRect(0, 0, 17, 17), false, true, c);
    const auto rowOfText = [&](int y) {
        int count = 0;
        for (int x = 0; x < 17; ++x) {
            count += At(x, y) == c.text ? 1 : 0;
        }
        return count;
    };
    // Content (2, 2, 15, 15): the arrow's rows 7, 5, 3, 1 from y 7.
    EXPECT_EQ(rowOfText(6), 0);
    EXPECT_EQ(rowOfText(7), 7);
    EXPECT_EQ(rowOfText(10), 1);
    EXPECT_EQ(At(8, 10), c.text);

    surface.Fill(kPaper);
    plat::style::DrawDropButton(dc, CRect(0, 0, 17, 17), true, false, c);
    EXPECT_EQ(rowOfText(8), 0);        // disabled: grey
    EXPECT_EQ(At(9, 11), c.grayText);  // pressed: one pixel down and right
}

}  // namespace
}  // namespace ct
