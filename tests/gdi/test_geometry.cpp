// CPoint, CSize and CRect: the framework's half-open rectangle arithmetic.

#include <gtest/gtest.h>

#include <climits>

#include "platform/core/Geometry.h"

TEST(Geometry, RectangleEdgesAreHalfOpen) {
    const CRect r(2, 3, 6, 8);
    EXPECT_EQ(r.Width(), 4);
    EXPECT_EQ(r.Height(), 5);
    EXPECT_TRUE(r.PtInRect(CPoint(2, 3)));
    EXPECT_TRUE(r.PtInRect(CPoint(5, 7)));
    EXPECT_FALSE(r.PtInRect(CPoint(6, 7)));
    EXPECT_FALSE(r.PtInRect(CPoint(5, 8)));
    EXPECT_FALSE(CRect(2, 3, 2, 8).PtInRect(CPoint(2, 3)));
    EXPECT_TRUE(PtInRect(&r, POINT{2, 3}));
    EXPECT_FALSE(PtInRect(nullptr, POINT{2, 3}));
}

TEST(Geometry, EmptinessAndNormalising) {
    EXPECT_TRUE(CRect(5, 5, 5, 9).IsRectEmpty());
    EXPECT_TRUE(CRect(6, 5, 2, 9).IsRectEmpty());
    EXPECT_FALSE(CRect(0, 0, 1, 1).IsRectEmpty());
    EXPECT_TRUE(CRect().IsRectNull());
    CRect inverted(6, 9, 2, 5);
    inverted.NormalizeRect();
    EXPECT_EQ(inverted, CRect(2, 5, 6, 9));
}

TEST(Geometry, IntersectionIsZeroWhenEmpty) {
    CRect out(1, 1, 2, 2);
    EXPECT_TRUE(out.IntersectRect(CRect(0, 0, 10, 10), CRect(5, -5, 20, 5)));
    EXPECT_EQ(out, CRect(5, 0, 10, 5));
    EXPECT_FALSE(out.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));
    EXPECT_TRUE(out.IsRectNull());
    EXPECT_EQ(CRect(0, 0, 4, 4) & CRect(2, 2, 8, 8), CRect(2, 2, 4, 4));
}

TEST(Geometry, UnionIgnoresEmptyRectangles) {
    CRect out;
    EXPECT_TRUE(out.UnionRect(CRect(0, 0, 2, 2), CRect(5, 5, 5, 9)));
    EXPECT_EQ(out, CRect(0, 0, 2, 2));
    EXPECT_TRUE(out.UnionRect(CRect(0, 0, 2, 2), CRect(4, -1, 6, 1)));
    EXPECT_EQ(out, CRect(0, -1, 6, 2));
    EXPECT_FALSE(out.UnionRect(CRect(3, 3, 3, 3), CRect(9, 9, 1, 1)));
    EXPECT_TRUE(out.IsRectNull());
    EXPECT_EQ(CRect(0, 0, 1, 1) | CRect(3, 3, 4, 4), CRect(0, 0, 4, 4));
}

TEST(Geometry, MovingGrowingAndShrinking) {
    CRect r(10, 20, 30, 40);
    r.OffsetRect(-5, 5);
    EXPECT_EQ(r, CRect(5, 25, 25, 45));
    r.InflateRect(1, 2);
    EXPECT_EQ(r, CRect(4, 23, 26, 47));
    r.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(r, CRect(5, 25, 23, 43));
    r.MoveToXY(0, 0);
    EXPECT_EQ(r, CRect(0, 0, 18, 18));
    EXPECT_EQ(r + CPoint(1, 2), CRect(1, 2, 19, 20));
    EXPECT_EQ(CRect(0, 0, 10, 6).CenterPoint(), CPoint(5, 3));
    EXPECT_EQ(CRect(CPoint(1, 2), CSize(3, 4)), CRect(1, 2, 4, 6));
}

TEST(Geometry, PointsAndSizes) {
    CPoint p(3, 4);
    p += CSize(1, -1);
    EXPECT_EQ(p, CPoint(4, 3));
    const CSize d = CPoint(10, 10) - p;
    EXPECT_EQ(d, CSize(6, 7));
    EXPECT_EQ(-p, CPoint(-4, -3));
    p.Offset(CPoint(1, 1));
    EXPECT_EQ(p, CPoint(5, 4));
}

// Far-apart coordinates wrap like the framework's 32-bit arithmetic instead of being
// undefined (the sanitizer build checks), and the centre is exact.
TEST(Geometry, ExtremeCoordinatesDoNotOverflow) {
    const CRect wide(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_EQ(wide.Width(), -1);
    EXPECT_EQ(wide.CenterPoint(), CPoint(0, 0));
    EXPECT_EQ(CRect(INT_MAX - 2, 0, INT_MAX, 0).CenterPoint().x, INT_MAX - 1);
    CRect r(INT_MAX - 1, 0, INT_MAX, 1);
    r.OffsetRect(2, 0);
    EXPECT_EQ(r.left, INT_MIN);
    CRect shrink(0, 0, 10, 10);
    shrink.DeflateRect(INT_MIN, 0);
    EXPECT_EQ(shrink.left, INT_MIN);
}
