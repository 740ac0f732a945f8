#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Foundation/Clock.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "QuartzCore/CAAnimation.h"
#include "UIKit/UIView.h"
#include "UIKit/UIViewAnimationState.h"
#include "objc/ClassBuilder.h"
#include "objc/NSAutoreleasePool.h"

namespace {

class BlockWatcher : public NSObject {
    KORVEL_OBJC_CLASS(BlockWatcher)
public:
    struct Stop {
        std::string name;
        bool finished;
        void* context;
        double at;
    };
    void stopped(NSString* name, NSNumber* finished, void* context) {
        stops.push_back({name ? name->str() : "(nil)", finished && finished->boolValue(), context, Clock::now()});
    }
    void ended() { stops.push_back({"ended", true, nullptr, Clock::now()}); }
    std::vector<Stop> stops;
};

Class BlockWatcher::class_() {
    static Class cls = objc::ClassBuilder<BlockWatcher>("TestBlockWatcher", NSObject::class_())
                           .method<&BlockWatcher::stopped>("animationDidStop:finished:context:")
                           .method<&BlockWatcher::ended>("blockEnded")
                           .build();
    return cls;
}

class ViewAnimationTest : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::useVirtual(50);
        view = UIView::withFrame(CGRectMake(0, 0, 20, 20));
        watcher = make<BlockWatcher>();
        Clock::advance(0);
        start = Clock::now();
    }
    void TearDown() override {
        view->layer()->removeAllAnimations();
        Clock::advance(1);
    }
    void at(double seconds) { Clock::advance(start + seconds - Clock::now()); }
    CGPoint shownCenter() { return view->layer()->presentationLayer()->position(); }

    NSAutoreleasePool pool;
    Ref<UIView> view;
    Ref<BlockWatcher> watcher;
    double start = 0;
};

}  // namespace

TEST_F(ViewAnimationTest, CenterAndTransformMoveOverTheBlocksDuration) {
    int context = 7;
    UIView::beginAnimations("marker"_ns, &context);
    UIView::setAnimationDuration(0.6);
    UIView::setAnimationDelegate(watcher);
    UIView::setAnimationDidStopSelector(sel_registerName("animationDidStop:finished:context:"));
    view->setCenter(CGPointMake(110, 210));
    view->setTransform(CGAffineTransformIdentity);
    UIView::commitAnimations();

    // The model has the new values at once; the screen catches up.
    EXPECT_FLOAT_EQ(view->center().x, 110);
    EXPECT_NEAR(shownCenter().x, 10, 1e-3);
    // Ease in and out: slow near the ends, half way at half time.
    at(0.06);
    EXPECT_LT(shownCenter().x, 10 + 100 * 0.1 / 2);
    at(0.3);
    EXPECT_NEAR(shownCenter().x, 60, 1e-2);
    EXPECT_NEAR(shownCenter().y, 110, 1e-2);
    EXPECT_TRUE(watcher->stops.empty());
    at(0.6);
    EXPECT_FLOAT_EQ(shownCenter().x, 110);
    ASSERT_EQ(watcher->stops.size(), 1u);
    EXPECT_EQ(watcher->stops[0].name, "marker");
    EXPECT_TRUE(watcher->stops[0].finished);
    EXPECT_EQ(watcher->stops[0].context, &context);
    EXPECT_NEAR(watcher->stops[0].at - start, 0.6, 1e-9);
}

TEST_F(ViewAnimationTest, FrameAndAlphaAnimateWithTheChosenCurve) {
    UIView::beginAnimations(nullptr, nullptr);
    UIView::setAnimationCurve(UIViewAnimationCurveLinear);
    UIView::setAnimationDuration(1);
    view->setFrame(CGRectMake(100, 0, 40, 20));
    view->setAlpha(0);
    UIView::commitAnimations();
    at(0.25);
    Ref<CALayer> shown = view->layer()->presentationLayer();
    EXPECT_NEAR(shown->frame().origin.x, 25, 1e-2);
    EXPECT_NEAR(shown->bounds().size.width, 25, 1e-2);
    EXPECT_NEAR(shown->opacity(), 0.75, 1e-3);
}

TEST_F(ViewAnimationTest, ChangesOutsideABlockAreImmediate) {
    view->setCenter(CGPointMake(300, 10));
    EXPECT_FLOAT_EQ(shownCenter().x, 300);
    EXPECT_EQ(view->layer()->animationKeys(), nullptr);
    // So are the changes that a block does not animate.
    UIView::beginAnimations(nullptr, nullptr);
    view->setHidden(true);
    UIView::commitAnimations();
    EXPECT_EQ(view->layer()->animationKeys(), nullptr);
}

TEST_F(ViewAnimationTest, ABlockWithoutChangesStillTellsItsDelegateLater) {
    UIView::beginAnimations("empty"_ns, nullptr);
    UIView::setAnimationDelegate(watcher);
    UIView::setAnimationDidStopSelector(sel_registerName("blockEnded"));
    UIView::commitAnimations();
    EXPECT_TRUE(watcher->stops.empty());
    at(0.01);
    ASSERT_EQ(watcher->stops.size(), 1u);
    EXPECT_EQ(watcher->stops[0].name, "ended");
}

TEST_F(ViewAnimationTest, NestedBlocksKeepTheirOwnSettingsAndAnInterruptedOneReportsNotFinished) {
    auto other = UIView::withFrame(CGRectMake(0, 0, 10, 10));
    Clock::advance(0);
    UIView::beginAnimations("outer"_ns, nullptr);
    UIView::setAnimationDuration(1);
    UIView::setAnimationCurve(UIViewAnimationCurveLinear);
    UIView::setAnimationDelegate(watcher);
    UIView::setAnimationDidStopSelector(sel_registerName("animationDidStop:finished:context:"));
    view->setCenter(CGPointMake(110, 10));
    UIView::beginAnimations("inner"_ns, nullptr);
    UIView::setAnimationDuration(0.5);
    UIView::setAnimationCurve(UIViewAnimationCurveLinear);
    other->setCenter(CGPointMake(105, 5));
    UIView::commitAnimations();
    UIView::commitAnimations();
    at(0.25);
    EXPECT_NEAR(shownCenter().x, 35, 1e-2);
    EXPECT_NEAR(other->layer()->presentationLayer()->position().x, 55, 1e-2);

    // A new change outside any block replaces nothing; a new block on the
    // same property cuts the old animation short.
    UIView::beginAnimations("again"_ns, nullptr);
    view->setCenter(CGPointMake(0, 10));
    UIView::commitAnimations();
    at(0.26);
    ASSERT_EQ(watcher->stops.size(), 1u);
    EXPECT_EQ(watcher->stops[0].name, "outer");
    EXPECT_FALSE(watcher->stops[0].finished);
    other->layer()->removeAllAnimations();
}

TEST_F(ViewAnimationTest, SettingsWithoutAnOpenBlockDoNothing) {
    UIView::setAnimationDuration(5);
    UIView::setAnimationDelegate(watcher);
    UIView::commitAnimations();
    view->setCenter(CGPointMake(1, 1));
    EXPECT_EQ(view->layer()->animationKeys(), nullptr);
}
