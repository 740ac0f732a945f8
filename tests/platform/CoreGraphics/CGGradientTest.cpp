#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "CoreGraphics/CGBitmapContext.h"
#include "CoreGraphics/CGGradient.h"

namespace {

// Alpha of a pixel (0 to 255).
int alphaAt(CGContext* c, int x, int y) {
    cairo_surface_flush(c->surface());
    const unsigned char* row =
        cairo_image_surface_get_data(c->surface()) + y * cairo_image_surface_get_stride(c->surface());
    return static_cast<int>(reinterpret_cast<const uint32_t*>(row)[x] >> 24);
}

// Black from alpha `a` to alpha `b`, evenly spaced.
Ref<CGGradient> blackFade(CGContext* c, CGFloat a, CGFloat b) {
    const CGFloat components[] = {0, 0, 0, a, 0, 0, 0, b};
    return CGGradientCreateWithColorComponents(CGBitmapContextGetColorSpace(c), components, nullptr, 2);
}

}  // namespace

TEST(CGGradient, StopsAreEvenlySpacedWithoutLocations) {
    const CGFloat components[] = {1, 0, 0, 1, 0, 1, 0, 1, 0, 0, 1, 1};
    auto gradient = CGGradientCreateWithColorComponents(CGColorSpaceCreateDeviceRGB(), components, nullptr, 3);
    ASSERT_TRUE(gradient);
    ASSERT_EQ(gradient->stops().size(), 3u);
    EXPECT_FLOAT_EQ(gradient->stops()[0].location, 0);
    EXPECT_FLOAT_EQ(gradient->stops()[1].location, 0.5f);
    EXPECT_FLOAT_EQ(gradient->stops()[1].green, 1);
    EXPECT_FLOAT_EQ(gradient->stops()[2].location, 1);

    const CGFloat grey[] = {0.5f, 1, 1, 0};
    const CGFloat at[] = {0.8f, 0.2f};
    auto placed = CGGradientCreateWithColorComponents(CGColorSpaceCreateDeviceGray(), grey, at, 2);
    ASSERT_TRUE(placed);
    // Sorted by location.
    EXPECT_FLOAT_EQ(placed->stops()[0].location, 0.2f);
    EXPECT_FLOAT_EQ(placed->stops()[0].red, 1);
    EXPECT_FLOAT_EQ(placed->stops()[1].red, 0.5f);

    EXPECT_FALSE(CGGradientCreateWithColorComponents(CGColorSpaceCreateDeviceCMYK(), components, nullptr, 2));
    EXPECT_FALSE(CGGradientCreateWithColorComponents(CGColorSpaceCreateDeviceRGB(), nullptr, nullptr, 2));
    EXPECT_FALSE(CGGradientCreateWithColorComponents(CGColorSpaceCreateDeviceRGB(), components, nullptr, 0));
}

TEST(CGGradient, LinearGradientFillsBetweenThePointsAndPastThemAsAsked) {
    auto context = CGContext::bitmap(10, 40);
    EXPECT_EQ(CGColorSpaceGetModel(CGBitmapContextGetColorSpace(context)), kCGColorSpaceModelRGB);
    EXPECT_EQ(CGBitmapContextGetColorSpace(nullptr), nullptr);
    // Opaque at y = 10 fading out by y = 20; the end colour continues below.
    CGContextDrawLinearGradient(context, blackFade(context, 1, 0), CGPointMake(0, 10), CGPointMake(0, 20),
                                kCGGradientDrawsAfterEndLocation);
    EXPECT_EQ(alphaAt(context, 5, 5), 0);  // before the start: not drawn
    EXPECT_GE(alphaAt(context, 5, 10), 240);
    EXPECT_NEAR(alphaAt(context, 5, 15), 128, 16);
    EXPECT_LE(alphaAt(context, 5, 19), 20);

    auto other = CGContext::bitmap(10, 40);
    CGContextDrawLinearGradient(other, blackFade(other, 0, 1), CGPointMake(0, 10), CGPointMake(0, 20),
                                kCGGradientDrawsAfterEndLocation);
    EXPECT_EQ(alphaAt(other, 5, 5), 0);
    EXPECT_EQ(alphaAt(other, 5, 30), 255);  // the end colour continues

    auto both = CGContext::bitmap(10, 40);
    CGContextDrawLinearGradient(both, blackFade(both, 1, 0), CGPointMake(0, 10), CGPointMake(0, 20),
                                kCGGradientDrawsBeforeStartLocation);
    EXPECT_EQ(alphaAt(both, 5, 2), 255);
    EXPECT_EQ(alphaAt(both, 5, 30), 0);
}

TEST(CGGradient, DrawingRespectsClipAndAlphaAndIgnoresDegenerateAxes) {
    auto context = CGContext::bitmap(10, 10);
    CGContextSaveGState(context);
    CGContextClipToRect(context, CGRectMake(0, 0, 5, 10));
    CGContextSetAlpha(context, 0.5f);
    CGContextDrawLinearGradient(context, blackFade(context, 1, 1), CGPointMake(0, 0), CGPointMake(10, 0), 0);
    CGContextRestoreGState(context);
    EXPECT_NEAR(alphaAt(context, 2, 2), 128, 1);
    EXPECT_EQ(alphaAt(context, 7, 2), 0);

    auto empty = CGContext::bitmap(10, 10);
    CGContextDrawLinearGradient(empty, blackFade(empty, 1, 1), CGPointMake(3, 3), CGPointMake(3, 3), 3);
    CGContextDrawLinearGradient(empty, blackFade(empty, 1, 1), CGPointMake(NAN, 3), CGPointMake(3, 3), 3);
    CGContextDrawLinearGradient(empty, nullptr, CGPointMake(0, 0), CGPointMake(3, 3), 3);
    CGContextDrawLinearGradient(nullptr, blackFade(empty, 1, 1), CGPointMake(0, 0), CGPointMake(3, 3), 3);
    EXPECT_EQ(alphaAt(empty, 3, 3), 0);
    EXPECT_EQ(cairo_status(empty->cairo()), CAIRO_STATUS_SUCCESS);
}
