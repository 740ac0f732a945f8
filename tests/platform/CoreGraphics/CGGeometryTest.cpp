#include <gtest/gtest.h>

#include "CoreGraphics/CGGeometry.h"
#include "TestSupport.h"

static_assert(sizeof(CGFloat) == 4, "CGFloat is the phone's 32-bit float");

TEST(CGGeometry, ContainsPointIncludesTheMinimumEdgesAndExcludesTheMaximumEdges) {
    CGRect map = CGRectMake(11, 170, 298, 257);
    EXPECT_TRUE(CGRectContainsPoint(map, CGPointMake(11, 170)));
    EXPECT_TRUE(CGRectContainsPoint(map, CGPointMake(308.99f, 426.99f)));
    EXPECT_FALSE(CGRectContainsPoint(map, CGPointMake(309, 200)));
    EXPECT_FALSE(CGRectContainsPoint(map, CGPointMake(100, 427)));
    EXPECT_FALSE(CGRectContainsPoint(map, CGPointMake(10.99f, 200)));
    // A rectangle given with negative sizes covers the same area.
    EXPECT_TRUE(CGRectContainsPoint(CGRectMake(10, 10, -10, -10), CGPointMake(0, 0)));
    EXPECT_FALSE(CGRectContainsPoint(CGRectMake(10, 10, -10, -10), CGPointMake(10, 5)));
    EXPECT_FALSE(CGRectContainsPoint(CGRectZero, CGPointZero));
    EXPECT_FALSE(CGRectContainsPoint(CGRectNull, CGPointZero));
}

TEST(CGGeometry, EdgesAreReadFromTheStandardisedRectangle) {
    CGRect r = CGRectMake(30, 40, -10, -20);
    EXPECT_FLOAT_EQ(CGRectGetMinX(r), 20);
    EXPECT_FLOAT_EQ(CGRectGetMidX(r), 25);
    EXPECT_FLOAT_EQ(CGRectGetMaxX(r), 30);
    EXPECT_FLOAT_EQ(CGRectGetMinY(r), 20);
    EXPECT_FLOAT_EQ(CGRectGetMidY(r), 30);
    EXPECT_FLOAT_EQ(CGRectGetMaxY(r), 40);
    EXPECT_FLOAT_EQ(CGRectGetWidth(r), 10);
    EXPECT_FLOAT_EQ(CGRectGetHeight(r), 20);
    expectRect(CGRectStandardize(r), 20, 20, 10, 20);
    EXPECT_TRUE(CGRectEqualToRect(r, CGRectMake(20, 20, 10, 20)));
    EXPECT_FALSE(CGRectEqualToRect(r, CGRectMake(30, 40, 10, 20)));
}

TEST(CGGeometry, NullAndEmptyRectangles) {
    EXPECT_TRUE(CGRectIsNull(CGRectNull));
    EXPECT_FALSE(CGRectIsNull(CGRectZero));
    EXPECT_TRUE(CGRectIsEmpty(CGRectNull));
    EXPECT_TRUE(CGRectIsEmpty(CGRectZero));
    EXPECT_TRUE(CGRectIsEmpty(CGRectMake(5, 5, 0, 10)));
    EXPECT_FALSE(CGRectIsEmpty(CGRectMake(5, 5, -1, 10)));
    EXPECT_TRUE(CGRectEqualToRect(CGRectNull, CGRectNull));
    EXPECT_FALSE(CGRectEqualToRect(CGRectNull, CGRectZero));
}

TEST(CGGeometry, IntersectionIsNullWhenApartAndEmptyWhenTouching) {
    CGRect a = CGRectMake(0, 0, 10, 10);
    expectRect(CGRectIntersection(a, CGRectMake(5, -5, 10, 10)), 5, 0, 5, 5);
    EXPECT_TRUE(CGRectIsNull(CGRectIntersection(a, CGRectMake(11, 0, 10, 10))));
    EXPECT_TRUE(CGRectIsNull(CGRectIntersection(a, CGRectNull)));

    CGRect touching = CGRectIntersection(a, CGRectMake(10, 0, 10, 10));
    EXPECT_FALSE(CGRectIsNull(touching));
    EXPECT_TRUE(CGRectIsEmpty(touching));
    EXPECT_FALSE(CGRectIntersectsRect(a, CGRectMake(10, 0, 10, 10)));
    EXPECT_TRUE(CGRectIntersectsRect(a, CGRectMake(9.5f, 0, 10, 10)));
    // Negative sizes are standardised first.
    expectRect(CGRectIntersection(a, CGRectMake(15, 15, -10, -10)), 5, 5, 5, 5);
}

TEST(CGGeometry, UnionIgnoresNullButNotEmptyRectangles) {
    CGRect a = CGRectMake(0, 0, 10, 10);
    expectRect(CGRectUnion(a, CGRectMake(20, 5, 5, 20)), 0, 0, 25, 25);
    expectRect(CGRectUnion(a, CGRectNull), 0, 0, 10, 10);
    expectRect(CGRectUnion(CGRectNull, CGRectMake(5, 5, -5, -5)), 0, 0, 5, 5);
    expectRect(CGRectUnion(a, CGRectMake(30, 30, 0, 0)), 0, 0, 30, 30);
    EXPECT_TRUE(CGRectContainsRect(a, CGRectMake(2, 2, 8, 8)));
    EXPECT_FALSE(CGRectContainsRect(a, CGRectMake(2, 2, 9, 8)));
}

TEST(CGGeometry, InsetAndOffset) {
    expectRect(CGRectInset(CGRectMake(0, 0, 100, 50), 10, 5), 10, 5, 80, 40);
    expectRect(CGRectInset(CGRectMake(0, 0, 100, 50), -10, -5), -10, -5, 120, 60);
    expectRect(CGRectInset(CGRectMake(0, 0, 20, 20), 10, 10), 10, 10, 0, 0);
    EXPECT_TRUE(CGRectIsNull(CGRectInset(CGRectMake(0, 0, 20, 20), 10.5f, 0)));
    EXPECT_TRUE(CGRectIsNull(CGRectInset(CGRectNull, 1, 1)));
    expectRect(CGRectOffset(CGRectMake(10, 10, -5, 5), 3, -4), 8, 6, 5, 5);
    EXPECT_TRUE(CGRectIsNull(CGRectOffset(CGRectNull, 1, 1)));
}
