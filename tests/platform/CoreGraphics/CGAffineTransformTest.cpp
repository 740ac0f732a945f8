#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "CoreGraphics/CGAffineTransform.h"

namespace {

void expectPoint(CGPoint p, CGFloat x, CGFloat y) {
    EXPECT_NEAR(p.x, x, 1e-4);
    EXPECT_NEAR(p.y, y, 1e-4);
}

const CGFloat kQuarterTurn = static_cast<CGFloat>(std::numbers::pi / 2);

}  // namespace

TEST(CGAffineTransform, MadeTransformsMovePoints) {
    expectPoint(CGPointApplyAffineTransform({3, 4}, CGAffineTransformMakeTranslation(10, -1)), 13, 3);
    expectPoint(CGPointApplyAffineTransform({3, 4}, CGAffineTransformMakeScale(2, -3)), 6, -12);
    // A quarter turn takes the x axis onto the y axis.
    expectPoint(CGPointApplyAffineTransform({1, 0}, CGAffineTransformMakeRotation(kQuarterTurn)), 0, 1);
    expectPoint(CGPointApplyAffineTransform({0, 1}, CGAffineTransformMakeRotation(kQuarterTurn)), -1, 0);
    EXPECT_TRUE(CGAffineTransformIsIdentity(CGAffineTransformIdentity));
    EXPECT_FALSE(CGAffineTransformIsIdentity(CGAffineTransformMakeScale(1, 2)));
}

TEST(CGAffineTransform, ConcatAppliesTheFirstTransformFirst) {
    CGAffineTransform scale = CGAffineTransformMakeScale(2, 2);
    CGAffineTransform move = CGAffineTransformMakeTranslation(10, 0);
    expectPoint(CGPointApplyAffineTransform({1, 1}, CGAffineTransformConcat(scale, move)), 12, 2);
    expectPoint(CGPointApplyAffineTransform({1, 1}, CGAffineTransformConcat(move, scale)), 22, 2);
    // The chained forms put their own step before the given transform.
    expectPoint(CGPointApplyAffineTransform({1, 1}, CGAffineTransformTranslate(scale, 10, 0)), 22, 2);
    expectPoint(CGPointApplyAffineTransform({1, 1}, CGAffineTransformScale(move, 2, 2)), 12, 2);
    expectPoint(CGPointApplyAffineTransform({1, 0}, CGAffineTransformRotate(move, kQuarterTurn)), 10, 1);
}

TEST(CGAffineTransform, InvertUndoesAndLeavesSingularTransformsAlone) {
    CGAffineTransform t = CGAffineTransformTranslate(CGAffineTransformMakeRotation(0.3f), 5, -7);
    t = CGAffineTransformScale(t, 2, 0.5f);
    CGPoint p = CGPointApplyAffineTransform({13, 21}, t);
    expectPoint(CGPointApplyAffineTransform(p, CGAffineTransformInvert(t)), 13, 21);

    CGAffineTransform flat = CGAffineTransformMakeScale(0, 1);
    EXPECT_TRUE(CGAffineTransformEqualToTransform(CGAffineTransformInvert(flat), flat));
}

TEST(CGAffineTransform, RectanglesBecomeTheBoundsOfTheirTransformedCorners) {
    CGRect r = CGRectApplyAffineTransform(CGRectMake(0, 0, 20, 10), CGAffineTransformMakeRotation(kQuarterTurn));
    EXPECT_NEAR(r.origin.x, -10, 1e-4);
    EXPECT_NEAR(r.origin.y, 0, 1e-4);
    EXPECT_NEAR(r.size.width, 10, 1e-4);
    EXPECT_NEAR(r.size.height, 20, 1e-4);
    CGSize s = CGSizeApplyAffineTransform({20, 10}, CGAffineTransformMakeTranslation(100, 100));
    EXPECT_FLOAT_EQ(s.width, 20);
    EXPECT_FLOAT_EQ(s.height, 10);
    EXPECT_TRUE(CGRectIsNull(CGRectApplyAffineTransform(CGRectNull, CGAffineTransformMakeScale(2, 2))));
}
