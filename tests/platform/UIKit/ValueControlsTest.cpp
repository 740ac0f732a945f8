// The switch and the slider: what a finger does to their values and how
// often they report a change.
#include <gtest/gtest.h>

#include <cairo.h>

#include "UIKit/UIImage.h"
#include "UIKit/UISlider.h"
#include "UIKit/UISwitch.h"
#include "objc/ClassBuilder.h"
#include "platform/UIKit/AppFixture.h"

namespace {

class ChangeCounter : public NSObject {
    KORVEL_OBJC_CLASS(ChangeCounter)
public:
    void changed(NSObject*) { ++changes; }
    int changes = 0;
};

Class ChangeCounter::class_() {
    static Class cls = objc::ClassBuilder<ChangeCounter>("UIKitTestChangeCounter", NSObject::class_())
                           .method<&ChangeCounter::changed>("changed:")
                           .build();
    return cls;
}

class ValueControls : public AppFixture {
protected:
    template <class C>
    Ref<C> place(CGRect frame) {
        auto control = UIView::withFrame<C>(frame);
        control->addTarget(counter, sel_registerName("changed:"), UIControlEventValueChanged);
        window->addSubview(control);
        return control;
    }
    Ref<ChangeCounter> counter = make<ChangeCounter>();
};

}  // namespace

TEST_F(ValueControls, ASwitchFlipsOnATapInsideAndReportsOnlyTheFingersChanges) {
    // Whatever frame it is given, the switch keeps its own size.
    auto toggle = place<UISwitch>(CGRectMake(100, 100, 300, 5));
    EXPECT_EQ(toggle->frame().size.width, UISwitch::kWidth);
    EXPECT_EQ(toggle->frame().size.height, UISwitch::kHeight);
    tap(140, 110);
    EXPECT_TRUE(toggle->isOn());
    tap(140, 110);
    EXPECT_FALSE(toggle->isOn());
    EXPECT_EQ(counter->changes, 2);
    // A finger that leaves before lifting changes nothing; neither does code.
    drag(CGPointMake(140, 110), CGPointMake(140, 300));
    toggle->setOn(true, true);
    EXPECT_EQ(counter->changes, 2);
    toggle->setEnabled(false);
    tap(140, 110);
    EXPECT_TRUE(toggle->isOn());
    EXPECT_EQ(counter->changes, 2);
}

TEST_F(ValueControls, ASliderFollowsTheFingerWithinItsRangeAndImages) {
    auto slider = place<UISlider>(CGRectMake(10, 100, 223, 23));
    slider->setMaximumValue(10);
    slider->setMinimumValue(20);  // takes the maximum with it
    EXPECT_EQ(slider->maximumValue(), 20);
    slider->setMinimumValue(0);
    slider->setValue(50);
    EXPECT_EQ(slider->value(), 20);
    EXPECT_EQ(counter->changes, 0);
    // The thumb's centre runs from 11.5 to 211.5 points in: 10 points a unit.
    struct Step {
        CGFloat x;
        float value;
    } steps[] = {{10 + 61.5f, 5}, {10 + 161.5f, 15}, {300, 20}, {0, 0}};
    down(steps[0].x, 110);
    EXPECT_FLOAT_EQ(slider->value(), steps[0].value);
    for (const Step& step : steps) {
        move(step.x, 110);
        EXPECT_FLOAT_EQ(slider->value(), step.value) << step.x;
    }
    up();
    EXPECT_EQ(counter->changes, 4);
    // A non-continuous slider reports once, when the finger lifts.
    slider->setContinuous(false);
    drag(CGPointMake(20, 110), CGPointMake(200, 110));
    EXPECT_EQ(counter->changes, 5);
    // End images narrow the track by their width and a gap.
    auto image = make<UIImage>(make<CGImage>(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 20, 20)));
    slider->setMinimumValueImage(image);
    slider->setMaximumValueImage(image);
    CGRect track = slider->trackRectForBounds(slider->bounds());
    EXPECT_EQ(track.origin.x, 20 + UISlider::kImageGap);
    EXPECT_EQ(track.size.width, 223 - 2 * (20 + UISlider::kImageGap));
}
