// The selectors that code knowing views only by name (the Mail hook) sends,
// sent here the same way: through the runtime's C functions.
#include <gtest/gtest.h>

#include "Foundation/NSString.h"
#include "UIKit/UIColor.h"
#include "UIKit/UILabel.h"
#include "objc/ClassBuilder.h"
#include "objc/runtime.h"

namespace {

using objc::send;

id classNamed(const char* name) { return reinterpret_cast<id>(objc_getClass(name)); }

}  // namespace

TEST(UIViewRuntime, TheHooksSelectorsWorkOnViewsLayersAndLabels) {
    id cell = send<id, CGRect>(send<id>(classNamed("UIView"), "alloc"), "initWithFrame:", CGRectMake(0, 0, 320, 44));
    id label = send<id, CGRect>(send<id>(classNamed("UIView"), "alloc"), "initWithFrame:", CGRectMake(300, 9, 10, 10));
    ASSERT_NE(cell, nullptr);
    ASSERT_NE(label, nullptr);

    send<void, NSInteger>(label, "setTag:", 333);
    EXPECT_EQ(send<NSInteger>(label, "tag"), 333);
    send<void, CGFloat>(send<id>(label, "layer"), "setCornerRadius:", 6);
    send<void, CGFloat>(label, "setAlpha:", 0.3f);
    send<void, NSUInteger>(label, "setAutoresizingMask:", 1);
    id red = send<id, CGFloat, CGFloat, CGFloat, CGFloat>(classNamed("UIColor"), "colorWithRed:green:blue:alpha:", 1, 0,
                                                          0, 1);
    send<void, id>(label, "setBackgroundColor:", red);
    EXPECT_EQ(send<id>(label, "backgroundColor"), red);

    id other = send<id>(send<id>(classNamed("UIView"), "alloc"), "init");
    send<void, id>(cell, "addSubview:", other);
    send<void, id>(cell, "addSubview:", label);
    // The cell owns them now.
    send<void>(label, "release");
    send<void>(other, "release");

    EXPECT_EQ((send<id, NSInteger>(cell, "viewWithTag:", 333)), label);
    id subviews = send<id>(cell, "subviews");
    EXPECT_EQ(send<NSUInteger>(subviews, "count"), 2u);
    EXPECT_EQ((send<id, NSUInteger>(subviews, "objectAtIndex:", 1)), label);
    send<void, id>(cell, "sendSubviewToBack:", label);
    EXPECT_EQ((send<id, NSUInteger>(send<id>(cell, "subviews"), "objectAtIndex:", 0)), label);
    send<void, id>(cell, "bringSubviewToFront:", label);
    EXPECT_EQ((send<id, NSUInteger>(send<id>(cell, "subviews"), "objectAtIndex:", 1)), label);

    // The cell widens: the label keeps its distance from the right edge.
    send<void, CGRect>(cell, "setFrame:", CGRectMake(0, 0, 480, 44));
    CGRect frame = send<CGRect>(label, "frame");
    EXPECT_FLOAT_EQ(frame.origin.x, 460);
    EXPECT_FLOAT_EQ(frame.origin.y, 9);
    EXPECT_FLOAT_EQ(frame.size.width, 10);

    auto* view = objc::cast<UIView>(label);
    EXPECT_FLOAT_EQ(view->layer()->cornerRadius(), 6);
    EXPECT_FLOAT_EQ(view->alpha(), 0.3f);
    EXPECT_EQ(view->autoresizingMask(), UIViewAutoresizingFlexibleLeftMargin);
    send<void>(cell, "release");
}

TEST(UIViewRuntime, LabelsAnswerTextAndTextColour) {
    id label = send<id, CGRect>(send<id>(classNamed("UILabel"), "alloc"), "initWithFrame:", CGRectMake(0, 0, 60, 20));
    ASSERT_NE(objc::cast<UILabel>(label), nullptr);
    id black = send<id>(classNamed("UIColor"), "blackColor");
    EXPECT_TRUE(objc::cast<UIColor>(send<id>(label, "textColor"))->isEqual(objc::cast<UIColor>(black)));
    id white = send<id>(classNamed("UIColor"), "whiteColor");
    send<void, id>(label, "setTextColor:", white);
    EXPECT_EQ(send<id>(label, "textColor"), white);
    send<void, id>(label, "setText:", NSString::from("12:30").get());
    EXPECT_EQ(objc::cast<NSString>(send<id>(label, "text"))->str(), "12:30");
    // Labels are views: the view selectors reach them too.
    send<void, NSInteger>(label, "setTag:", 5);
    EXPECT_EQ((send<id, NSInteger>(label, "viewWithTag:", 5)), label);
    send<void>(label, "release");
}
