// The toolkit's angle tables, its label font, and drawing into another context.

#include <cmath>
#include <numbers>

#include "GraphTestSupport.h"
#include "graph/CMyFont.h"

using namespace graph_test;

namespace {

// The tables use the degree factor cut after 15 decimals, not the exact pi / 180: it
// shows at the ends, where sin 360 and cos 90 are not the values of full precision.
TEST(Toolkit, SineAndCosineTablesUseTheCutDegreeFactor) {
    const CMyDC dc;
    const auto& sine = dc.SineTable();
    const auto& cosine = dc.CosineTable();
    constexpr double kCut = 0.017453292519943;
    EXPECT_EQ(sine[360], std::sin(360 * kCut));
    EXPECT_EQ(cosine[90], std::cos(90 * kCut));
    EXPECT_EQ(cosine[360], std::cos(360 * kCut));
    EXPECT_NE(sine[360], std::sin(2 * std::numbers::pi));
    EXPECT_NE(cosine[90], std::cos(std::numbers::pi / 2));
    EXPECT_LT(sine[360], -1e-14);  // the cut factor falls short of a full turn
    EXPECT_GT(cosine[90], 1e-14);
    EXPECT_EQ(cosine[217], std::cos(217 * kCut));
}

// Printed labels: points at the context's resolution, truncated, and the font selected.
TEST(MyFont, SizeIsPointsAtTheContextsResolution) {
    Canvas c;
    CMyFont font;
    c.dc.SetDeviceInfo(plat::DeviceInfo{2480, 3508, 300, 300, DT_RASPRINTER});
    font.SetSize(&c.dc, 100, 0);  // 300 x 100 / 720 = 41.67
    LOGFONTA f{};
    ASSERT_TRUE(font.GetLogFont(&f));
    EXPECT_EQ(f.lfHeight, -41);
    EXPECT_EQ(f.lfWeight, FW_HEAVY);
    EXPECT_EQ(c.dc.GetCurrentFont()->GetSafeHandle(), font.GetSafeHandle());
}

// The symbol rows draw with a toolkit attached to the grid's context: the symbol lands on
// that context's surface, through its origins and inside its clip.
TEST(Toolkit, AttachedToolkitDrawsThroughTheOtherContext) {
    Canvas grid(32);
    grid.dc.SetViewportOrg(4, 2);
    grid.dc.IntersectClipRect(0, 0, 20, 40);  // logical; cuts x >= 24 on the surface
    CMyDC toolkit;
    toolkit.SetBackgroundColour(kWhite);
    toolkit.Attach(&grid.dc);
    toolkit.DrawSymbol(VS_SQUARE_HOLLOW, kRed, kRed, 16, 14, 10);
    toolkit.Detach();

    EXPECT_EQ(grid.At(4 + 6, 2 + 2), kRed);      // top left corner
    EXPECT_EQ(grid.At(4 + 6, 2 + 18), kRed);     // bottom left corner
    EXPECT_EQ(grid.At(4 + 19, 2 + 2), kRed);     // last column inside the clip
    EXPECT_EQ(grid.At(4 + 22, 2 + 10), kWhite);  // the right side is clipped away
    EXPECT_EQ(grid.InkBox().right, 23);
    EXPECT_EQ(toolkit.GetSurface(), nullptr);  // its own context was never made
}

}  // namespace
