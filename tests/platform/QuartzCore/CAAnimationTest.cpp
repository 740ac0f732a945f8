#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "CoreGraphics/NSValue.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "QuartzCore/CAAnimationGroup.h"
#include "QuartzCore/CABasicAnimation.h"
#include "QuartzCore/CALayer.h"
#include "QuartzCore/CAMediaTimingFunction.h"
#include "objc/NSAutoreleasePool.h"
#include "platform/QuartzCore/AnimationRecorder.h"

namespace {

using Strings = std::vector<std::string>;

Ref<CABasicAnimation> slide(const char* keyPath, NSObject* from, NSObject* to, double duration) {
    auto a = CABasicAnimation::animationWithKeyPath(NSString::from(keyPath));
    a->setFromValue(from);
    a->setToValue(to);
    a->setDuration(duration);
    return a;
}

Ref<NSNumber> num(float v) { return NSNumber::numberWithFloat(v); }

class AnimationTest : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::useVirtual(100);
        layer = CALayer::layer();
        layer->setFrame(CGRectMake(0, 0, 100, 40));
        recorder = make<AnimationRecorder>();
        // Changes above are a transaction of their own.
        Clock::advance(0);
        start = Clock::now();
    }
    void TearDown() override {
        layer->removeAllAnimations();
        Clock::advance(1);
    }
    // Lets the clock run to `seconds` after the test's start.
    void at(double seconds) { Clock::advance(start + seconds - Clock::now()); }
    CGFloat shownX() { return layer->presentationLayer()->position().x; }

    NSAutoreleasePool pool;
    Ref<CALayer> layer;
    Ref<AnimationRecorder> recorder;
    double start = 0;
};

}  // namespace

TEST(CAMediaTimingFunction, NamedCurvesFollowTheirControlPoints) {
    auto linear = CAMediaTimingFunction::functionWithName(kCAMediaTimingFunctionLinear);
    auto standard = CAMediaTimingFunction::functionWithName(kCAMediaTimingFunctionDefault);
    auto easeInOut = CAMediaTimingFunction::functionWithName(kCAMediaTimingFunctionEaseInEaseOut);
    auto easeIn = CAMediaTimingFunction::functionWithName(kCAMediaTimingFunctionEaseIn);
    auto easeOut = CAMediaTimingFunction::functionWithName(kCAMediaTimingFunctionEaseOut);
    ASSERT_TRUE(linear && standard && easeInOut && easeIn && easeOut);
    EXPECT_FALSE(CAMediaTimingFunction::functionWithName("bouncy"_ns));
    EXPECT_FALSE(CAMediaTimingFunction::functionWithName(nullptr));

    EXPECT_NEAR(linear->valueAt(0.3), 0.3, 1e-9);
    // The platform's default curve, (0.25, 0.1) and (0.25, 1).
    float point[2];
    standard->getControlPointAtIndex(1, point);
    EXPECT_FLOAT_EQ(point[0], 0.25f);
    EXPECT_FLOAT_EQ(point[1], 0.1f);
    standard->getControlPointAtIndex(2, point);
    EXPECT_FLOAT_EQ(point[0], 0.25f);
    EXPECT_FLOAT_EQ(point[1], 1.0f);
    EXPECT_NEAR(standard->valueAt(0.5), 0.8024, 1e-3);
    EXPECT_NEAR(standard->valueAt(0.25), 0.4094, 1e-3);
    // Ease in and out is symmetric; ease in lags, ease out leads.
    EXPECT_NEAR(easeInOut->valueAt(0.5), 0.5, 1e-6);
    EXPECT_NEAR(easeInOut->valueAt(0.2) + easeInOut->valueAt(0.8), 1.0, 1e-6);
    EXPECT_NEAR(easeIn->valueAt(0.5), 0.3153, 1e-3);
    EXPECT_NEAR(easeOut->valueAt(0.5), 0.6847, 1e-3);
    // Times outside the curve are its ends.
    EXPECT_EQ(standard->valueAt(-1), 0);
    EXPECT_EQ(standard->valueAt(2), 1);
    EXPECT_EQ(standard->valueAt(std::nan("")), 0);
}

TEST(CAMediaTimingFunction, ControlPointsOutsideTheUnitTimeAreKeptInside) {
    auto f = CAMediaTimingFunction::functionWithControlPoints(-3, 2, 7, -1);
    float point[2];
    f->getControlPointAtIndex(1, point);
    EXPECT_EQ(point[0], 0);
    f->getControlPointAtIndex(2, point);
    EXPECT_EQ(point[0], 1);
    // Still a function of time: every value is found.
    for (double t = 0; t <= 1; t += 0.05) EXPECT_TRUE(std::isfinite(f->valueAt(t)));
    EXPECT_EQ(f->valueAt(1), 1);
}

TEST_F(AnimationTest, PresentedValuesFollowTheClockAndTheModelStaysPut) {
    auto a = slide("position.x", num(0), num(100), 1);
    layer->addAnimation(a, "move"_ns);
    EXPECT_FLOAT_EQ(layer->position().x, 50);
    EXPECT_NEAR(shownX(), 0, 1e-4);
    at(0.25);
    EXPECT_NEAR(shownX(), 25, 1e-3);
    EXPECT_FLOAT_EQ(layer->position().x, 50);
    at(0.75);
    EXPECT_NEAR(shownX(), 75, 1e-3);
    // Removed when done: the model shows again.
    at(1.0);
    EXPECT_FLOAT_EQ(shownX(), 50);
    EXPECT_EQ(layer->animationForKey("move"_ns), nullptr);
}

TEST_F(AnimationTest, TimingFunctionsPaceTheChange) {
    auto a = slide("opacity", num(0), num(1), 1);
    a->setTimingFunction(CAMediaTimingFunction::functionWithName(kCAMediaTimingFunctionDefault));
    layer->addAnimation(a, "fade"_ns);
    at(0.5);
    EXPECT_NEAR(layer->presentationLayer()->opacity(), 0.8024, 1e-3);
}

TEST_F(AnimationTest, WithoutValuesItRunsFromWhatWasShownToTheNewModelValue) {
    // Two changes in one pass: the animation starts from the value shown
    // before the first of them.
    layer->setPosition(CGPointMake(10, 20));
    layer->setPosition(CGPointMake(90, 20));
    auto a = slide("position.x", nullptr, nullptr, 0.5);
    layer->addAnimation(a, "move"_ns);
    EXPECT_NEAR(shownX(), 50, 1e-3);
    at(0.25);
    EXPECT_NEAR(shownX(), 70, 1e-3);

    // A later pass starts from what is shown then, animation included.
    at(0.3);
    EXPECT_NEAR(shownX(), 74, 1e-3);
    layer->setPosition(CGPointMake(0, 20));
    layer->addAnimation(slide("position.x", nullptr, nullptr, 1), "move"_ns);
    EXPECT_NEAR(shownX(), 74, 1e-3);
    at(0.8);
    EXPECT_NEAR(shownX(), 37, 1e-3);
}

TEST_F(AnimationTest, AFromValueAloneRunsToTheModelValue) {
    layer->addAnimation(slide("position.x", num(150), nullptr, 1), "move"_ns);
    at(0.5);
    EXPECT_NEAR(shownX(), 100, 1e-3);
}

TEST_F(AnimationTest, AnimationForKeyAnswersTheVeryObjectAdded) {
    auto a = slide("opacity", num(1), num(0), 1);
    layer->addAnimation(a, "fade"_ns);
    EXPECT_EQ(layer->animationForKey("fade"_ns), a.get());
    EXPECT_EQ(layer->animationForKey("other"_ns), nullptr);
    EXPECT_EQ(layer->animationForKey(nullptr), nullptr);
    id viaRuntime = objc::send<id, id>(layer.get(), "animationForKey:", "fade"_ns.get());
    EXPECT_EQ(viaRuntime, static_cast<id>(a.get()));
    Ref<NSArray> keys = layer->animationKeys();
    ASSERT_TRUE(keys);
    EXPECT_EQ(keys->count(), 1u);
}

TEST_F(AnimationTest, TheDelegateHearsTheStartAndOneStopWhenItFinishes) {
    auto a = slide("opacity", num(1), num(0), 0.5);
    a->setDelegate(recorder);
    layer->addAnimation(a, "fade"_ns);
    EXPECT_TRUE(recorder->reports.empty());
    at(0);
    EXPECT_EQ(recorder->whats(), Strings({"start"}));
    at(0.49);
    EXPECT_EQ(recorder->whats(), Strings({"start"}));
    at(0.6);
    ASSERT_EQ(recorder->whats(), Strings({"start", "stop"}));
    EXPECT_EQ(recorder->reports[1].animation, a.get());
    EXPECT_NEAR(recorder->reports[1].at - start, 0.5, 1e-9);
}

TEST_F(AnimationTest, KeptAfterCompletionItStaysButShowsTheModel) {
    auto a = slide("opacity", num(1), num(0), 0.5);
    a->setDelegate(recorder);
    a->setRemovedOnCompletion(false);
    layer->setOpacity(0.5f);
    layer->addAnimation(a, "fade"_ns);
    at(1);
    EXPECT_EQ(layer->animationForKey("fade"_ns), a.get());
    EXPECT_FLOAT_EQ(layer->presentationLayer()->opacity(), 0.5f);
    // Removing it now that it has stopped reports nothing more.
    layer->removeAnimationForKey("fade"_ns);
    at(2);
    EXPECT_EQ(recorder->whats(), Strings({"start", "stop"}));
    EXPECT_EQ(layer->animationForKey("fade"_ns), nullptr);
}

TEST_F(AnimationTest, RemovalIsReportedLaterAsNotFinished) {
    auto a = slide("opacity", num(1), num(0), 1);
    a->setDelegate(recorder);
    layer->addAnimation(a, "fade"_ns);
    at(0.2);
    layer->removeAnimationForKey("fade"_ns);
    EXPECT_EQ(layer->animationForKey("fade"_ns), nullptr);
    EXPECT_FLOAT_EQ(layer->presentationLayer()->opacity(), 1);
    // Not from inside the removal.
    EXPECT_EQ(recorder->whats(), Strings({"start"}));
    at(0.2);
    EXPECT_EQ(recorder->whats(), Strings({"start", "stop (not finished)"}));
    at(2);
    EXPECT_EQ(recorder->whats(), Strings({"start", "stop (not finished)"}));
}

TEST_F(AnimationTest, ReplacingAKeyAndRemovingAllReportEachAnimationOnce) {
    auto first = slide("opacity", num(1), num(0), 1);
    auto second = slide("opacity", num(0), num(1), 1);
    auto third = slide("position.x", num(0), num(1), 1);
    for (auto* a : {first.get(), second.get(), third.get()}) a->setDelegate(recorder);
    layer->addAnimation(first, "fade"_ns);
    layer->addAnimation(second, "fade"_ns);
    layer->addAnimation(third, nullptr);
    EXPECT_EQ(layer->animationForKey("fade"_ns), second.get());
    at(0.1);
    layer->removeAllAnimations();
    EXPECT_EQ(layer->animationKeys(), nullptr);
    at(3);
    int stops = 0;
    for (const auto& r : recorder->reports) {
        if (r.what == "stop (not finished)") ++stops;
        EXPECT_NE(r.what, "stop");
    }
    EXPECT_EQ(stops, 3);
}

TEST_F(AnimationTest, ALaterBeginTimeWaitsAndStartsThen) {
    auto a = slide("position.x", num(0), num(10), 1);
    a->setBeginTime(CACurrentMediaTime() + 0.5);
    a->setDelegate(recorder);
    layer->addAnimation(a, "late"_ns);
    at(0.25);
    EXPECT_FLOAT_EQ(shownX(), 50);
    EXPECT_TRUE(recorder->reports.empty());
    at(1.0);
    EXPECT_NEAR(shownX(), 5, 1e-3);
    ASSERT_EQ(recorder->whats(), Strings({"start"}));
    EXPECT_NEAR(recorder->reports[0].at - start, 0.5, 1e-9);
    at(1.5);
    EXPECT_EQ(recorder->whats(), Strings({"start", "stop"}));
}

TEST_F(AnimationTest, GroupMembersRunAtTheirOwnTimesAndTheGroupReports) {
    auto there = slide("position.x", num(0), num(100), 0.1);
    auto back = slide("position.x", num(100), num(-20), 0.1);
    back->setBeginTime(0.1);
    auto fade = slide("opacity", num(1), num(0), 0.3);
    for (auto* a : {there.get(), back.get(), fade.get()}) a->setDelegate(recorder);
    auto group = CAAnimationGroup::animation();
    group->setAnimations(make<NSArray>(std::vector<Ref<NSObject>>{there, back, fade, "not an animation"_ns}));
    group->setDuration(0.15);
    group->setDelegate(recorder);
    layer->addAnimation(group, "group"_ns);
    at(0.05);
    EXPECT_NEAR(shownX(), 50, 1e-3);
    EXPECT_NEAR(layer->presentationLayer()->opacity(), 1 - 0.05 / 0.3, 1e-4);
    at(0.125);
    EXPECT_NEAR(shownX(), 70, 1e-3);
    // The group ends at 0.15: the fade is cut off there.
    at(0.2);
    EXPECT_FLOAT_EQ(shownX(), 50);
    EXPECT_FLOAT_EQ(layer->presentationLayer()->opacity(), 1);
    ASSERT_EQ(recorder->whats(), Strings({"start", "stop"}));
    EXPECT_EQ(recorder->reports[1].animation, group.get());
}

TEST_F(AnimationTest, ViewGeometryKeyPathsTakeBoxedValues) {
    auto move = slide("position", NSValue::valueWithCGPoint(CGPointMake(0, 0)),
                      NSValue::valueWithCGPoint(CGPointMake(10, 20)), 1);
    auto turn = slide("transform", NSValue::valueWithCGAffineTransform(CGAffineTransformMakeScale(1, 1)),
                      NSValue::valueWithCGAffineTransform(CGAffineTransformMakeScale(3, 3)), 1);
    auto size = slide("bounds", NSValue::valueWithCGRect(CGRectMake(0, 0, 0, 0)),
                      NSValue::valueWithCGRect(CGRectMake(0, 0, 200, 80)), 1);
    layer->addAnimation(move, "m"_ns);
    layer->addAnimation(turn, "t"_ns);
    layer->addAnimation(size, "b"_ns);
    at(0.5);
    Ref<CALayer> shown = layer->presentationLayer();
    EXPECT_NEAR(shown->position().x, 5, 1e-3);
    EXPECT_NEAR(shown->position().y, 10, 1e-3);
    EXPECT_NEAR(shown->affineTransform().a, 2, 1e-3);
    EXPECT_NEAR(shown->bounds().size.width, 100, 1e-3);
}

TEST_F(AnimationTest, ValuesThatDoNotFitShowTheModel) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    layer->addAnimation(slide("position.x", num(nan), num(10), 1), "a"_ns);
    layer->addAnimation(slide("opacity", NSValue::valueWithCGPoint(CGPointMake(1, 1)), num(0), 1), "b"_ns);
    layer->addAnimation(slide("noSuchProperty", num(0), num(1), 1), "c"_ns);
    layer->addAnimation(slide("position.y", "text"_ns, num(1), 1), "d"_ns);
    at(0.5);
    Ref<CALayer> shown = layer->presentationLayer();
    EXPECT_FLOAT_EQ(shown->position().x, 50);
    EXPECT_FLOAT_EQ(shown->position().y, 20);
    EXPECT_FLOAT_EQ(shown->opacity(), 1);
    layer->addAnimation(nullptr, "e"_ns);
    EXPECT_EQ(layer->animationForKey("e"_ns), nullptr);
}

TEST_F(AnimationTest, AGroupThatHoldsItselfEndsTheWalk) {
    auto group = CAAnimationGroup::animation();
    auto inner = CAAnimationGroup::animation();
    inner->setAnimations(make<NSArray>(std::vector<Ref<NSObject>>{group, slide("opacity", num(0), num(1), 1)}));
    group->setAnimations(make<NSArray>(std::vector<Ref<NSObject>>{inner}));
    group->setDuration(1);
    inner->setDuration(1);
    layer->addAnimation(group, "loop"_ns);
    at(0.5);
    EXPECT_NEAR(layer->presentationLayer()->opacity(), 0.5, 1e-3);
    layer->removeAllAnimations();
    // Break the cycle the test made.
    inner->setAnimations(nullptr);
}

TEST_F(AnimationTest, ADelegateWithoutTheOperationsIsLeftAlone) {
    auto a = slide("opacity", num(1), num(0), 0.1);
    a->setDelegate(NSString::from("not a delegate"));
    layer->addAnimation(a, "fade"_ns);
    at(0.5);
    EXPECT_EQ(layer->animationForKey("fade"_ns), nullptr);
}
