#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "QuartzCore/CALayer.h"
#include "TestSupport.h"
#include "objc/ClassBuilder.h"

TEST(CALayer, FrameFollowsPositionAnchorPointAndBounds) {
    auto layer = CALayer::layer();
    EXPECT_FLOAT_EQ(layer->anchorPoint().x, 0.5f);
    EXPECT_FLOAT_EQ(layer->anchorPoint().y, 0.5f);
    layer->setFrame(CGRectMake(10, 20, 100, 40));
    EXPECT_FLOAT_EQ(layer->position().x, 60);
    EXPECT_FLOAT_EQ(layer->position().y, 40);
    expectRect(layer->bounds(), 0, 0, 100, 40);

    // Moving the anchor point keeps the position, so the frame moves.
    layer->setAnchorPoint(CGPointMake(0, 0.5f));
    expectRect(layer->frame(), 60, 20, 100, 40);
    layer->setPosition(CGPointMake(0, 40));
    expectRect(layer->frame(), 0, 20, 100, 40);

    // Setting a frame keeps the anchor point and places the position for it.
    layer->setFrame(CGRectMake(5, 5, 50, 10));
    EXPECT_FLOAT_EQ(layer->position().x, 5);
    EXPECT_FLOAT_EQ(layer->position().y, 10);
    expectRect(layer->frame(), 5, 5, 50, 10);
}

TEST(CALayer, BoundsOriginDoesNotMoveTheFrame) {
    auto layer = CALayer::layer();
    layer->setFrame(CGRectMake(0, 0, 100, 100));
    layer->setBounds(CGRectMake(30, 40, 100, 100));
    expectRect(layer->frame(), 0, 0, 100, 100);
    // The bounds origin is what the layer's own coordinates start from.
    CGPoint p = CGPointApplyAffineTransform(CGPointMake(30, 40), layer->transformToSuperlayer());
    EXPECT_NEAR(p.x, 0, 1e-4);
    EXPECT_NEAR(p.y, 0, 1e-4);
}

TEST(CALayer, TransformAppliesAboutTheAnchorPoint) {
    auto layer = CALayer::layer();
    layer->setFrame(CGRectMake(0, 0, 100, 50));
    layer->setAffineTransform(CGAffineTransformMakeScale(2, 2));
    expectRect(layer->frame(), -50, -25, 200, 100);

    // A frame set under a scale sizes the bounds so that the scaled frame fits.
    layer->setFrame(CGRectMake(0, 0, 100, 50));
    expectRect(layer->bounds(), 0, 0, 50, 25);
    expectRect(layer->frame(), 0, 0, 100, 50);

    // Under a rotation the size is kept and the centre moved.
    layer->setAffineTransform(CGAffineTransformMakeRotation(static_cast<CGFloat>(std::numbers::pi / 2)));
    layer->setFrame(CGRectMake(100, 100, 10, 10));
    expectRect(layer->bounds(), 0, 0, 50, 25);
    EXPECT_NEAR(CGRectGetMidX(layer->frame()), 105, 1e-4);
    EXPECT_NEAR(CGRectGetMidY(layer->frame()), 105, 1e-4);
}

TEST(CALayer, PresentationLayerIsASeparateCopyOfTheShownValues) {
    auto layer = CALayer::layer();
    layer->setFrame(CGRectMake(1, 2, 3, 4));
    layer->setOpacity(0.25f);
    layer->setHidden(true);
    layer->setCornerRadius(6);
    layer->setMasksToBounds(true);
    Ref<CALayer> shown = layer->presentationLayer();
    ASSERT_NE(shown.get(), layer.get());
    expectRect(shown->frame(), 1, 2, 3, 4);
    EXPECT_FLOAT_EQ(shown->opacity(), 0.25f);
    EXPECT_TRUE(shown->isHidden());
    EXPECT_FLOAT_EQ(shown->cornerRadius(), 6);
    EXPECT_TRUE(shown->masksToBounds());
    layer->setOpacity(1);
    EXPECT_FLOAT_EQ(shown->opacity(), 0.25f);
}

TEST(CALayer, AnswersItsPropertiesThroughTheRuntime) {
    id layer = objc::send<id>(reinterpret_cast<id>(objc_getClass("CALayer")), "layer");
    ASSERT_NE(layer, nullptr);
    objc::send<void, CGFloat>(layer, "setCornerRadius:", 6);
    EXPECT_FLOAT_EQ(objc::send<CGFloat>(layer, "cornerRadius"), 6);
    objc::send<void, CGPoint>(layer, "setAnchorPoint:", CGPointMake(0, 0.5f));
    EXPECT_FLOAT_EQ(objc::send<CGPoint>(layer, "anchorPoint").x, 0);
    objc::send<void, float>(layer, "setOpacity:", 0.5f);
    EXPECT_FLOAT_EQ(objc::cast<CALayer>(layer)->opacity(), 0.5f);
}
