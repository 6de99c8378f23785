// What a docked pane and the frame look like on the screen: border, caption, title, close
// button (normal and pressed), splitters, and the night colours.

#include "FrameTestSupport.h"

namespace ft {
namespace {

namespace style = plat::style;

constexpr int kBar = style::kSplitterWidth;

// Window coordinates of a pane's close glyph: rows 0 to 6 of an 8 x 7 cross.
CPoint GlyphOrigin(const CWnd& pane) {
    CRect window;
    pane.GetWindowRect(&window);
    const CRect button =
        style::CloseButtonRect(CRect(1, 1, window.Width() - 1, 1 + style::kPaneCaptionHeight));
    return CPoint(button.left + 4, button.top + 4);
}

bool IsGlyphPixel(int column, int row) {
    return row >= 0 && row < 7 &&
           (column == row || column == row + 1 || column == 6 - row || column == 7 - row);
}

class PaneLookTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        frame = MakeFrame();
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(DockNewPane(frame, upper, 1, CBRS_RIGHT));
        ASSERT_TRUE(DockNewPane(frame, lower, 2, CBRS_RIGHT));
    }
    COLORREF At(const CWnd& wnd, int x, int y) {
        const CPoint p = WindowPoint(wnd, x, y);
        return Pixel(p.x, p.y);
    }
    // The close glyph's 8 x 8 square as it shows: true where the glyph colour is.
    std::vector<bool> GlyphShown(const CWnd& pane, CPoint offset = CPoint(0, 0)) {
        const CPoint origin = GlyphOrigin(pane) + offset;
        std::vector<bool> shown;
        for (int row = 0; row < 8; ++row) {
            for (int column = 0; column < 8; ++column) {
                shown.push_back(At(pane, origin.x + column, origin.y + row) ==
                                style::CurrentPaneColours().closeGlyph);
            }
        }
        return shown;
    }
    static std::vector<bool> Glyph() {
        std::vector<bool> glyph;
        for (int row = 0; row < 8; ++row) {
            for (int column = 0; column < 8; ++column) {
                glyph.push_back(IsGlyphPixel(column, row));
            }
        }
        return glyph;
    }

    CFrameWnd* frame = nullptr;
    TestPane upper, lower;
};

TEST_F(PaneLookTest, CaptionBorderAndCloseButtonSitWhereTheLayoutSays) {
    const style::PaneColours colours = style::DayPaneColours();
    CRect window;
    upper.GetWindowRect(&window);
    const int w = window.Width();
    const int h = window.Height();

    EXPECT_EQ(At(upper, 0, 0), colours.paneBorder);
    EXPECT_EQ(At(upper, w - 1, h - 1), colours.paneBorder);
    EXPECT_EQ(At(upper, 0, h / 2), colours.paneBorder);
    // The caption bar: rows 1 to 20 inside the border, the client area below it.
    EXPECT_EQ(At(upper, 1, 1), colours.captionFace);
    EXPECT_EQ(At(upper, 1, style::kPaneCaptionHeight), colours.captionFace);
    EXPECT_EQ(At(upper, w - 30, 10), colours.captionFace);
    EXPECT_EQ(At(upper, w / 2, style::kPaneCaptionHeight + 1), colours.paneFace);
    EXPECT_EQ(ClientOf(upper), CRect(0, 0, w - 2, h - 2 - style::kPaneCaptionHeight));
    EXPECT_EQ(GlyphShown(upper), Glyph());

    // The title ("Pane 1") is drawn dark on the caption at its left, and nowhere else.
    const auto darkPixels = [&](int left, int right) {
        int dark = 0;
        for (int y = 2; y < style::kPaneCaptionHeight; ++y) {
            for (int x = left; x < right; ++x) {
                dark += GetGValue(At(upper, x, y)) < 128 ? 1 : 0;
            }
        }
        return dark;
    };
    EXPECT_GT(darkPixels(6, 60), 40);
    EXPECT_EQ(darkPixels(60, GlyphOrigin(upper).x - 4), 0);
}

TEST_F(PaneLookTest, SplittersLieBetweenTheViewTheSiteAndThePanes) {
    const style::PaneColours colours = style::DayPaneColours();
    const CRect client = ClientOf(*frame);
    const CPoint origin = plat::input::ScreenPointOf(frame, CPoint(0, 0));
    const int siteLeft = client.right - 200;
    const int y = client.Height() / 4;
    EXPECT_EQ(Pixel(origin.x + siteLeft - kBar - 1, origin.y + y), kViewColour);
    for (int x = siteLeft - kBar; x < siteLeft; ++x) {
        EXPECT_EQ(Pixel(origin.x + x, origin.y + y), colours.splitterFace) << x;
    }
    EXPECT_EQ(Pixel(origin.x + siteLeft, origin.y + y), colours.paneBorder);

    const int split = RectInParent(upper).bottom;
    EXPECT_EQ(Pixel(origin.x + siteLeft + 50, origin.y + split - 1), colours.paneBorder);
    for (int row = split; row < split + kBar; ++row) {
        EXPECT_EQ(Pixel(origin.x + siteLeft + 50, origin.y + row), colours.splitterFace) << row;
    }
    EXPECT_EQ(Pixel(origin.x + siteLeft + 50, origin.y + split + kBar), colours.paneBorder);
}

TEST_F(PaneLookTest, APressedCloseButtonSinksAndComesBackWhenTheMouseLeavesIt) {
    const style::PaneColours colours = style::DayPaneColours();
    const CPoint glyph = GlyphOrigin(upper);
    const CPoint corner(glyph.x - 4, glyph.y - 4);  // the button's top-left corner
    plat::input::MouseDown(WindowPoint(upper, glyph.x + 3, glyph.y + 3).x,
                           WindowPoint(upper, glyph.x + 3, glyph.y + 3).y);
    plat::PumpMessages();
    EXPECT_EQ(At(upper, corner.x, corner.y), colours.closePressedEdge);
    EXPECT_EQ(At(upper, corner.x + 1, corner.y + 1), colours.closePressedFace);
    EXPECT_EQ(GlyphShown(upper, CPoint(1, 1)), Glyph());

    const CPoint away = WindowPoint(upper, 40, 10);
    plat::input::MouseMove(away.x, away.y);
    plat::PumpMessages();
    EXPECT_EQ(At(upper, corner.x, corner.y), colours.captionFace);
    EXPECT_EQ(GlyphShown(upper), Glyph());

    plat::input::MouseUp(away.x, away.y);
    plat::PumpMessages();
    EXPECT_TRUE(upper.IsVisible());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(PaneLookTest, ALongTitleEndsInAnEllipsisBeforeTheCloseButton) {
    upper.SetWindowText("A very long pane title that cannot fit in the caption bar at all");
    const style::PaneColours colours = style::DayPaneColours();
    const CPoint glyph = GlyphOrigin(upper);
    // Between the title's room and the glyph only the caption face shows.
    for (int x = glyph.x - 6; x < glyph.x; ++x) {
        for (int y = 2; y < style::kPaneCaptionHeight; ++y) {
            EXPECT_EQ(At(upper, x, y), colours.captionFace) << x << "," << y;
        }
    }
    EXPECT_EQ(GlyphShown(upper), Glyph());
}

TEST_F(PaneLookTest, APaneThatCannotCloseHasNoCloseButton) {
    TestPane fixed;
    ASSERT_TRUE(DockNewPane(frame, fixed, 3, CBRS_LEFT, CSize(200, 200), AFX_CBRS_RESIZE));
    EXPECT_EQ(GlyphShown(fixed), std::vector<bool>(64, false));
    const CPoint glyph = GlyphOrigin(fixed);
    Click(WindowPoint(fixed, glyph.x + 3, glyph.y + 3));
    EXPECT_TRUE(fixed.IsVisible());
}

TEST_F(PaneLookTest, NightColoursReachCaptionsPanesAndSplitters) {
    style::SetPaneColours(style::NightPaneColours());
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    const style::PaneColours night = style::NightPaneColours();
    CRect window;
    upper.GetWindowRect(&window);
    EXPECT_EQ(At(upper, 0, 0), night.paneBorder);
    EXPECT_EQ(At(upper, window.Width() - 30, 10), night.captionFace);
    EXPECT_EQ(At(upper, window.Width() / 2, window.Height() / 2), night.paneFace);
    EXPECT_EQ(GlyphShown(upper), Glyph());
    const CPoint origin = plat::input::ScreenPointOf(frame, CPoint(0, 0));
    EXPECT_EQ(Pixel(origin.x + ClientOf(*frame).right - 202, origin.y + 40), night.splitterFace);
    EXPECT_NE(night.captionFace, style::DayPaneColours().captionFace);
}

}  // namespace
}  // namespace ft
