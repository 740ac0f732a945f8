#include <gtest/gtest.h>

#include <cmath>

#include "Foundation/NSString.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIGraphics.h"
#include "objc/ClassBuilder.h"
#include "objc/NSAutoreleasePool.h"

namespace {

struct Expected {
    const char* selector;
    CGColorSpaceModel model;
    std::vector<CGFloat> components;
};

void expectComponents(UIColor* color, CGColorSpaceModel model, const std::vector<CGFloat>& components) {
    ASSERT_NE(color, nullptr);
    CGColorRef cg = color->CGColor();
    EXPECT_EQ(CGColorSpaceGetModel(CGColorGetColorSpace(cg)), model);
    ASSERT_EQ(CGColorGetNumberOfComponents(cg), components.size());
    for (std::size_t i = 0; i < components.size(); ++i)
        EXPECT_NEAR(CGColorGetComponents(cg)[i], components[i], 1e-6) << "component " << i;
}

}  // namespace

TEST(UIColor, NamedColoursHaveThePhonesSpacesAndComponents) {
    const Expected named[] = {
        {"blackColor", kCGColorSpaceModelMonochrome, {0, 1}},
        {"darkGrayColor", kCGColorSpaceModelMonochrome, {1.0f / 3, 1}},
        {"lightGrayColor", kCGColorSpaceModelMonochrome, {2.0f / 3, 1}},
        {"whiteColor", kCGColorSpaceModelMonochrome, {1, 1}},
        {"grayColor", kCGColorSpaceModelMonochrome, {0.5f, 1}},
        {"redColor", kCGColorSpaceModelRGB, {1, 0, 0, 1}},
        {"greenColor", kCGColorSpaceModelRGB, {0, 1, 0, 1}},
        {"blueColor", kCGColorSpaceModelRGB, {0, 0, 1, 1}},
        {"cyanColor", kCGColorSpaceModelRGB, {0, 1, 1, 1}},
        {"yellowColor", kCGColorSpaceModelRGB, {1, 1, 0, 1}},
        {"magentaColor", kCGColorSpaceModelRGB, {1, 0, 1, 1}},
        {"orangeColor", kCGColorSpaceModelRGB, {1, 0.5f, 0, 1}},
        {"purpleColor", kCGColorSpaceModelRGB, {0.5f, 0, 0.5f, 1}},
        {"brownColor", kCGColorSpaceModelRGB, {0.6f, 0.4f, 0.2f, 1}},
        {"clearColor", kCGColorSpaceModelMonochrome, {0, 0}},
        {"darkTextColor", kCGColorSpaceModelMonochrome, {0, 1}},
    };
    NSAutoreleasePool pool;
    id cls = reinterpret_cast<id>(UIColor::class_());
    for (const Expected& e : named) {
        SCOPED_TRACE(e.selector);
        // Sent by name, as the hook and the interface files do.
        expectComponents(objc::cast<UIColor>(objc::send<id>(cls, e.selector)), e.model, e.components);
    }
    expectComponents(UIColor::lightGrayColor(), kCGColorSpaceModelMonochrome, {2.0f / 3, 1});
}

TEST(UIColor, ConstructorsMakeRGBAndMonochromeColours) {
    expectComponents(UIColor::colorWithRed(0.1f, 0.2f, 0.3f, 0.4f), kCGColorSpaceModelRGB, {0.1f, 0.2f, 0.3f, 0.4f});
    expectComponents(UIColor::colorWithWhite(0.25f, 0.75f), kCGColorSpaceModelMonochrome, {0.25f, 0.75f});

    NSAutoreleasePool pool;
    id made = objc::send<id, CGFloat, CGFloat, CGFloat, CGFloat>(reinterpret_cast<id>(UIColor::class_()),
                                                                 "colorWithRed:green:blue:alpha:", 1, 0.5f, 0, 1);
    expectComponents(objc::cast<UIColor>(made), kCGColorSpaceModelRGB, {1, 0.5f, 0, 1});
    auto* color = objc::cast<UIColor>(made);
    EXPECT_EQ(objc::send<id>(made, "CGColor"), static_cast<id>(color->CGColor()));
}

TEST(UIColor, HueSaturationBrightnessGivesRGB) {
    expectComponents(UIColor::colorWithHue(0, 1, 1, 1), kCGColorSpaceModelRGB, {1, 0, 0, 1});
    expectComponents(UIColor::colorWithHue(1.0f / 3, 1, 1, 0.5f), kCGColorSpaceModelRGB, {0, 1, 0, 0.5f});
    expectComponents(UIColor::colorWithHue(5.0f / 6, 1, 1, 1), kCGColorSpaceModelRGB, {1, 0, 1, 1});
    expectComponents(UIColor::colorWithHue(0, 0, 0.5f, 1), kCGColorSpaceModelRGB, {0.5f, 0.5f, 0.5f, 1});
    // A hue of 1 is red again.
    expectComponents(UIColor::colorWithHue(1, 1, 1, 1), kCGColorSpaceModelRGB, {1, 0, 0, 1});
    // Brightness above 1 passes through.
    expectComponents(UIColor::colorWithHue(0, 0.5f, 1.2f, 1), kCGColorSpaceModelRGB, {1.2f, 0.6f, 0.6f, 1});
    // Nonsense hue does not crash; it counts as 0.
    expectComponents(UIColor::colorWithHue(NAN, 1, 1, 1), kCGColorSpaceModelRGB, {1, 0, 0, 1});
    expectComponents(UIColor::colorWithHue(INFINITY, 1, 1, 1), kCGColorSpaceModelRGB, {1, 0, 0, 1});
}

TEST(UIColor, GetRedReadsRGBAndMonochromeOnly) {
    CGFloat r = -1, g = -1, b = -1, a = -1;
    EXPECT_TRUE(UIColor::colorWithWhite(0.5f, 0.8f)->getRed(&r, &g, &b, &a));
    EXPECT_FLOAT_EQ(r, 0.5f);
    EXPECT_FLOAT_EQ(g, 0.5f);
    EXPECT_FLOAT_EQ(b, 0.5f);
    EXPECT_FLOAT_EQ(a, 0.8f);
    EXPECT_TRUE(UIColor::orangeColor()->getRed(nullptr, &g, nullptr, nullptr));
    EXPECT_FLOAT_EQ(g, 0.5f);

    const CGFloat cmyk[] = {0, 0, 0, 1, 1};
    auto ink = UIColor::colorWithCGColor(CGColorCreate(CGColorSpaceCreateDeviceCMYK(), cmyk));
    r = -1;
    EXPECT_FALSE(ink->getRed(&r, &g, &b, &a));
    EXPECT_EQ(r, -1);
    EXPECT_FALSE(make<UIColor>()->getRed(&r, &g, &b, &a));
}

TEST(UIColor, WrapsAGivenCGColorAndNilGivesNil) {
    const CGFloat rgb[] = {0, 0, 1, 1};
    auto cg = CGColorCreate(CGColorSpaceCreateDeviceRGB(), rgb);
    auto color = UIColor::colorWithCGColor(cg);
    EXPECT_EQ(color->CGColor(), cg.get());
    EXPECT_FALSE(UIColor::colorWithCGColor(nullptr));
    EXPECT_EQ(make<UIColor>()->CGColor(), nullptr);
}

TEST(UIColor, EqualityAndDescriptionFollowTheSpace) {
    EXPECT_TRUE(UIColor::colorWithRed(0, 0, 1, 1)->isEqual(UIColor::blueColor()));
    EXPECT_EQ(UIColor::colorWithRed(0, 0, 1, 1)->hash(), UIColor::blueColor()->hash());
    // The same grey in two spaces is two colours.
    EXPECT_FALSE(UIColor::colorWithWhite(1, 1)->isEqual(UIColor::colorWithRed(1, 1, 1, 1)));
    EXPECT_FALSE(UIColor::blackColor()->isEqual(UIColor::clearColor()));
    EXPECT_TRUE(UIColor::blackColor()->isEqual(UIColor::darkTextColor()));
    EXPECT_FALSE(UIColor::blackColor()->isEqual(nullptr));

    EXPECT_EQ(UIColor::orangeColor()->description()->str(), "UIDeviceRGBColorSpace 1 0.5 0 1");
    EXPECT_EQ(UIColor::colorWithWhite(0.5f, 1)->description()->str(), "UIDeviceWhiteColorSpace 0.5 1");
}

TEST(UIColor, SetMakesTheColourTheCurrentContextsFillAndStroke) {
    UIColor::redColor()->set();  // no current context: nothing happens
    auto context = CGContext::bitmap(4, 4);
    UIGraphicsPushContext(context);
    UIColor::orangeColor()->set();
    EXPECT_TRUE(CGColorEqualToColor(context->fillColor(), UIColor::orangeColor()->CGColor()));
    EXPECT_TRUE(CGColorEqualToColor(context->strokeColor(), UIColor::orangeColor()->CGColor()));
    UIGraphicsPopContext();
}
