#include <gtest/gtest.h>

#include <string>

#include "ColorPicker/ColorPickerView.h"
#include "ColorPicker/GradientView.h"
#include "QuartzCore/CAAnimation.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSMutableDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSSet.h"
#include "Foundation/NSString.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIFont.h"
#include "UIKit/UINibDecoder.h"
#include "UIKit/UITouch.h"
#include "UIKit/UIWindow.h"
#include "objc/ClassBuilder.h"

namespace {

std::string text(UILabel* label) { return label->text() ? label->text()->str() : ""; }

// A picker set up as the interface file sets it up: made from a coder, with
// its markers, preview and labels connected.
class ColorPickerViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto entry = NSMutableDictionary::dictionary();
        entry->setObject(NSArray::arrayWithObjects({NSNumber::numberWithInt(0).get(), NSNumber::numberWithInt(0).get(),
                                                   NSNumber::numberWithInt(320).get(),
                                                   NSNumber::numberWithInt(480).get()}),
                         "frame"_ns);
        auto coder = make<UINibDecoder>(Ref<NSDictionary>(entry.get()));
        picker = make<ColorPickerView>();
        ASSERT_EQ(picker->initWithCoder(coder), picker.get());

        preview = UIView::withFrame(CGRectMake(10, 30, 90, 90));
        crossHairs = UIView::withFrame<UIImageView>(CGRectMake(148, 286, 24, 24));
        brightnessBar = UIView::withFrame<UIImageView>(CGRectMake(161, 427, 8, 48));
        picker->addSubview(preview);
        picker->addSubview(crossHairs);
        picker->addSubview(brightnessBar);
        picker->setShowColor(preview);
        picker->setCrossHairs(crossHairs);
        picker->setBrightnessBar(brightnessBar);
        UILabel** outlets[7] = {&hex, &h, &s, &l, &r, &g, &b};
        for (UILabel** outlet : outlets) {
            auto label = UIView::withFrame<UILabel>(CGRectMake(110, 30, 60, 20));
            picker->addSubview(label);
            *outlet = label.get();
        }
        picker->setColorInHex(hex);
        picker->setHcoords(h);
        picker->setScoords(s);
        picker->setLcoords(l);
        picker->setRcoords(r);
        picker->setGcoords(g);
        picker->setBcoords(b);
    }

    Ref<ColorPickerView> picker;
    Ref<UIView> preview;
    Ref<UIImageView> crossHairs;
    Ref<UIImageView> brightnessBar;
    UILabel *hex = nullptr, *h = nullptr, *s = nullptr, *l = nullptr, *r = nullptr, *g = nullptr, *b = nullptr;
};

TEST_F(ColorPickerViewTest, SetUpPutsTheMapAndAYellowStripBehindEverything) {
    GradientView* strip = picker->gradientView();
    ASSERT_NE(strip, nullptr);
    EXPECT_TRUE(CGRectEqualToRect(strip->frame(), CGRectMake(10, 434, 300, 40)));
    EXPECT_TRUE(CGColorEqualToColor(strip->theColor(), UIColor::yellowColor()->CGColor()));
    EXPECT_TRUE(CGRectEqualToRect(picker->colorMatrixFrame(), CGRectMake(11, 170, 298, 257)));
    EXPECT_TRUE(picker->isMultipleTouchEnabled());
    Ref<NSArray> subviews = picker->subviews();
    auto* map = objc::cast<UIImageView>(subviews->objectAtIndex(0));
    ASSERT_NE(map, nullptr);
    EXPECT_TRUE(CGRectEqualToRect(map->frame(), picker->colorMatrixFrame()));
    EXPECT_EQ(subviews->objectAtIndex(1), strip);
    EXPECT_EQ(picker->currentHue(), 0);
    EXPECT_EQ(picker->currentSaturation(), 0);
    EXPECT_EQ(picker->currentBrightness(), 0.5f);
    // The start state is a grey of brightness 0.5.
    Ref<UIColor> shown = picker->getColorShown();
    const CGFloat* c = CGColorGetComponents(shown->CGColor());
    EXPECT_FLOAT_EQ(c[0], 0.5f);
    EXPECT_FLOAT_EQ(c[1], 0.5f);
    EXPECT_FLOAT_EQ(c[2], 0.5f);
    EXPECT_FLOAT_EQ(c[3], 1);
}

TEST_F(ColorPickerViewTest, TheMapGivesHueAcrossAndSaturationDown) {
    picker->dispatchTouchEvent(CGPointMake(11, 170));
    EXPECT_FLOAT_EQ(picker->currentHue(), 0);
    EXPECT_FLOAT_EQ(picker->currentSaturation(), 1);
    // Full red at the starting brightness of 0.5.
    EXPECT_EQ(text(hex), "#7F0000");
    EXPECT_EQ(text(r), "127");
    EXPECT_EQ(text(g), "0");
    EXPECT_EQ(text(s), "255");
    EXPECT_TRUE(CGPointEqualToPoint(crossHairs->center(), CGPointMake(11, 170)));

    picker->dispatchTouchEvent(CGPointMake(160, 298.5));
    EXPECT_FLOAT_EQ(picker->currentHue(), 0.5f);
    EXPECT_FLOAT_EQ(picker->currentSaturation(), 0.5f);
    EXPECT_EQ(text(h), "127");
    EXPECT_EQ(text(s), "127");
    EXPECT_EQ(text(l), "127");
    // The strip shows the picked hue and saturation at half brightness.
    const CGFloat* strip = CGColorGetComponents(picker->gradientView()->theColor());
    EXPECT_NEAR(strip[0], 0.25, 1e-6);
    EXPECT_NEAR(strip[1], 0.5, 1e-6);
    EXPECT_NEAR(strip[2], 0.5, 1e-6);
    ASSERT_NE(picker->gradientView()->gradient(), nullptr);
    EXPECT_TRUE(CGColorEqualToColor(preview->backgroundColor()->CGColor(), picker->currentColor()->CGColor()));
}

TEST_F(ColorPickerViewTest, TheRightAndBottomEdgesOfTheMapAreOutside) {
    picker->dispatchTouchEvent(CGPointMake(100, 200));
    float hue = picker->currentHue(), saturation = picker->currentSaturation();
    std::string shown = text(hex);
    picker->dispatchTouchEvent(CGPointMake(309, 300));
    picker->dispatchTouchEvent(CGPointMake(100, 427));
    picker->dispatchTouchEvent(CGPointMake(5, 5));
    EXPECT_EQ(picker->currentHue(), hue);
    EXPECT_EQ(picker->currentSaturation(), saturation);
    EXPECT_EQ(picker->currentBrightness(), 0.5f);
    EXPECT_EQ(text(hex), shown);
    EXPECT_TRUE(CGPointEqualToPoint(crossHairs->center(), CGPointMake(100, 200)));
}

TEST_F(ColorPickerViewTest, TheStripSetsBrightnessWithoutClampingAndMovesOnlyItsMarker) {
    CGPoint crossHairsBefore = crossHairs->center();
    picker->dispatchTouchEvent(CGPointMake(150, 440));
    EXPECT_FLOAT_EQ(picker->currentBrightness(), 0.55f);
    EXPECT_TRUE(CGPointEqualToPoint(brightnessBar->center(), CGPointMake(150, 451)));
    EXPECT_TRUE(CGPointEqualToPoint(crossHairs->center(), crossHairsBefore));
    EXPECT_EQ(text(l), "140");

    picker->dispatchTouchEvent(CGPointMake(10, 460));
    EXPECT_NEAR(picker->currentBrightness(), 1.0 + 1.0 / 60, 1e-6);
    // A grey above full brightness: the hex form clamps, the RGB labels do not.
    EXPECT_EQ(text(hex), "#FFFFFF");
    EXPECT_EQ(text(r), "259");
    EXPECT_EQ(text(l), "259");
    // Brightness leaves the strip's own colour alone.
    EXPECT_TRUE(CGColorEqualToColor(picker->gradientView()->theColor(), UIColor::yellowColor()->CGColor()));
}

TEST_F(ColorPickerViewTest, TwoFingersAreBothHandledInTheSetsOrder) {
    auto window = UIView::withFrame<UIWindow>(CGRectMake(0, 0, 320, 480));
    window->addSubview(picker);
    auto onMap = make<UITouch>();
    onMap->beginInWindow(window, picker, CGPointMake(160, 298.5), 0);
    auto onStrip = make<UITouch>();
    onStrip->beginInWindow(window, picker, CGPointMake(75, 450), 0);
    Ref<NSSet> touches = NSSet::setWithObjects({onMap.get(), onStrip.get()});
    picker->touchesBegan(touches, nullptr);
    EXPECT_FLOAT_EQ(picker->currentHue(), 0.5f);
    EXPECT_FLOAT_EQ(picker->currentSaturation(), 0.5f);
    EXPECT_FLOAT_EQ(picker->currentBrightness(), 0.8f);

    onMap->updateLocation(UITouchPhaseMoved, CGPointMake(11, 170), 0.1);
    onStrip->updateLocation(UITouchPhaseMoved, CGPointMake(150, 450), 0.1);
    picker->touchesMoved(touches, nullptr);
    EXPECT_FLOAT_EQ(picker->currentHue(), 0);
    EXPECT_FLOAT_EQ(picker->currentBrightness(), 0.55f);
    EXPECT_TRUE(CGPointEqualToPoint(brightnessBar->center(), CGPointMake(150, 451)));

    // Lifting the fingers changes nothing.
    onMap->updateLocation(UITouchPhaseEnded, CGPointMake(200, 200), 0.2);
    picker->touchesEnded(touches, nullptr);
    EXPECT_FLOAT_EQ(picker->currentHue(), 0);
}

TEST_F(ColorPickerViewTest, TextFormsOfAColour) {
    EXPECT_EQ(picker->hexStringFromColor(UIColor::redColor()->CGColor())->str(), "#FF0000");
    EXPECT_EQ(picker->hexStringFromColor(UIColor::colorWithRed(-0.2f, 0.5f, 1.4f, 1)->CGColor())->str(), "#007FFF");
    EXPECT_EQ(picker->hexStringFromColor(UIColor::colorWithWhite(1, 1)->CGColor())->str(), "#FFFFFF");
    picker->getStringForRGB(UIColor::colorWithRed(0.999f, 0.5f, 1.2f, 1)->CGColor());
    EXPECT_EQ(text(r), "254");
    EXPECT_EQ(text(g), "127");
    EXPECT_EQ(text(b), "306");
    picker->getStringForHSL(0.5f, 1, 0);
    EXPECT_EQ(text(h), "127");
    EXPECT_EQ(text(s), "255");
    EXPECT_EQ(text(l), "0");
}

TEST_F(ColorPickerViewTest, RedrawPlacesTheBrightnessMarkerAndSendsThePreviewBack) {
    picker->setCurrentBrightness(0.3f);
    picker->drawRect(picker->bounds());
    // Exactly where a touch would give that brightness, not a float step off.
    EXPECT_EQ(brightnessBar->center().x, 225);
    EXPECT_EQ(brightnessBar->center().y, 451);
    picker->setCurrentBrightness(0.5f);
    picker->drawRect(picker->bounds());
    EXPECT_EQ(brightnessBar->center().x, 165);
    EXPECT_EQ(picker->subviews()->objectAtIndex(0), preview.get());
    ASSERT_NE(hex->font(), nullptr);
    EXPECT_EQ(hex->font()->pointSize(), 16);
    EXPECT_NE(picker->gradientView()->gradient(), nullptr);
}

TEST_F(ColorPickerViewTest, AViewMadeFromAFrameHasNeitherMapNorStripAndStillTakesPoints) {
    auto bare = UIView::withFrame<ColorPickerView>(CGRectMake(0, 0, 320, 480));
    EXPECT_EQ(bare->gradientView(), nullptr);
    EXPECT_EQ(bare->subviews()->count(), 0u);
    // No map to touch.
    bare->dispatchTouchEvent(CGPointMake(160, 298.5));
    EXPECT_EQ(bare->currentHue(), 0);
    // Asked directly, hue and saturation still follow the point.
    bare->updateHueSatWithMovement(CGPointMake(160, 298.5));
    EXPECT_FLOAT_EQ(bare->currentHue(), 0.5f);
    EXPECT_FLOAT_EQ(bare->currentSaturation(), 0.5f);
    // Brightness needs the strip's length: without one it stays as it was.
    const float brightness = bare->currentBrightness();
    bare->updateBrightnessWithMovement(CGPointMake(150, 450));
    EXPECT_EQ(bare->currentBrightness(), brightness);
    bare->drawRect(bare->bounds());
}

TEST_F(ColorPickerViewTest, MarkersSlideOverSixTenthsOfASecond) {
    picker->animateView(crossHairs, CGPointMake(50, 60));
    CAAnimation* moving = crossHairs->layer()->animationForKey("position"_ns);
    ASSERT_NE(moving, nullptr);
    EXPECT_DOUBLE_EQ(moving->duration(), 0.6);
    EXPECT_TRUE(CGPointEqualToPoint(crossHairs->center(), CGPointMake(50, 60)));
}

}  // namespace
