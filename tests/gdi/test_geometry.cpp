// CPoint, CSize and CRect: the framework's half-open rectangle arithmetic.

#include <gtest/gtest.h>

#include <climits>

#include "platform/core/Geometry.h"

TEST(Geometry, HalfOpenEdgesEmptinessIntersectionAndUnion) {
    const CRect r(2, 3, 6, 8);
    EXPECT_EQ(CSize(r.Width(), r.Height()), CSize(4, 5));
    EXPECT_TRUE(r.PtInRect(CPoint(2, 3)));
    EXPECT_TRUE(r.PtInRect(CPoint(5, 7)));
    EXPECT_FALSE(r.PtInRect(CPoint(6, 7)));
    EXPECT_FALSE(r.PtInRect(CPoint(5, 8)));
    EXPECT_FALSE(PtInRect(nullptr, POINT{2, 3}));
    EXPECT_TRUE(CRect(5, 5, 5, 9).IsRectEmpty());
    EXPECT_TRUE(CRect(6, 5, 2, 9).IsRectEmpty());
    CRect inverted(6, 9, 2, 5);
    inverted.NormalizeRect();
    EXPECT_EQ(inverted, CRect(2, 5, 6, 9));
    // Intersection and union treat empty rectangles as zero.
    CRect out(1, 1, 2, 2);
    EXPECT_TRUE(out.IntersectRect(CRect(0, 0, 10, 10), CRect(5, -5, 20, 5)));
    EXPECT_EQ(out, CRect(5, 0, 10, 5));
    EXPECT_FALSE(out.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));
    EXPECT_TRUE(out.IsRectNull());
    EXPECT_TRUE(out.UnionRect(CRect(0, 0, 2, 2), CRect(5, 5, 5, 9)));
    EXPECT_EQ(out, CRect(0, 0, 2, 2));
    EXPECT_FALSE(out.UnionRect(CRect(3, 3, 3, 3), CRect(9, 9, 1, 1)));
    EXPECT_TRUE(out.IsRectNull());
}

// Far-apart coordinates wrap like the framework's 32-bit arithmetic instead of being
// undefined (the sanitizer build checks), and the centre is exact.
TEST(Geometry, ArithmeticAndExtremeCoordinates) {
    CRect r(10, 20, 30, 40);
    r.OffsetRect(-5, 5);
    r.InflateRect(1, 2);
    r.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(r, CRect(5, 25, 23, 43));
    const CRect wide(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_EQ(wide.Width(), -1);
    EXPECT_EQ(wide.CenterPoint(), CPoint(0, 0));
    EXPECT_EQ(CRect(INT_MAX - 2, 0, INT_MAX, 0).CenterPoint().x, INT_MAX - 1);
    r = CRect(INT_MAX - 1, 0, INT_MAX, 1);
    r.OffsetRect(2, 0);
    EXPECT_EQ(r.left, INT_MIN);
    r = CRect(0, 0, 10, 10);
    r.DeflateRect(INT_MIN, 0);
    EXPECT_EQ(r.right, INT_MIN + 10);
}
