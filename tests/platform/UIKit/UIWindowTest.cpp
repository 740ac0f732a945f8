#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppFixture.h"
#include "Foundation/NSSet.h"
#include "UIKit/UIEvent.h"
#include "UIKit/UITouch.h"
#include "objc/ClassBuilder.h"

namespace {

std::vector<std::string> events;

// A view that notes every touch it gets and, unless it keeps them, lets them
// go on along the responder chain.
class NotingView : public UIView {
    KORVEL_OBJC_CLASS(NotingView)
public:
    std::string name;
    bool keeps = false;
    CGPoint where;
    CGPoint before;
    UIView* began = nullptr;

    void touchesBegan(NSSet* t, UIEvent* e) override {
        if (note("began", t, e)) UIView::touchesBegan(t, e);
    }
    void touchesMoved(NSSet* t, UIEvent* e) override {
        if (note("moved", t, e)) UIView::touchesMoved(t, e);
    }
    void touchesEnded(NSSet* t, UIEvent* e) override {
        if (note("ended", t, e)) UIView::touchesEnded(t, e);
    }
    void touchesCancelled(NSSet* t, UIEvent* e) override {
        if (note("cancelled", t, e)) UIView::touchesCancelled(t, e);
    }

private:
    // Whether to pass the touch on.
    bool note(const char* what, NSSet* t, UIEvent* e) {
        events.push_back(name + " " + what);
        auto* touch = objc::cast<UITouch>(t->anyObject());
        where = touch->locationInView(this);
        before = touch->previousLocationInView(this);
        began = touch->view();
        EXPECT_EQ(e->allTouches()->count(), 1u);
        EXPECT_EQ(e->touchesForView(touch->view())->count(), 1u);
        EXPECT_EQ(e->touchesForView(touch->window())->count(), touch->view() == touch->window() ? 1u : 0u);
        EXPECT_EQ(e->touchesForWindow(touch->window())->count(), 1u);
        return !keeps;
    }
};

// The application's delegate at the end of the chain.
class NotingResponder : public UIResponder {
    KORVEL_OBJC_CLASS(NotingResponder)
public:
    void touchesBegan(NSSet*, UIEvent*) override { events.push_back("delegate began"); }
    void touchesEnded(NSSet*, UIEvent*) override { events.push_back("delegate ended"); }
};

Class NotingView::class_() {
    static Class cls = objc::ClassBuilder<NotingView>("WindowTestNotingView", UIView::class_()).allocatable().build();
    return cls;
}

Class NotingResponder::class_() {
    static Class cls =
        objc::ClassBuilder<NotingResponder>("WindowTestNotingResponder", UIResponder::class_()).build();
    return cls;
}

Ref<NotingView> noting(const char* name, CGRect frame, UIView* parent) {
    auto view = UIView::withFrame<NotingView>(frame);
    view->name = name;
    parent->addSubview(view);
    return view;
}

class TouchDelivery : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        events.clear();
        outer = noting("outer", CGRectMake(0, 100, 320, 200), window);
        inner = noting("inner", CGRectMake(10, 10, 100, 100), outer);
    }
    Ref<NotingView> outer;
    Ref<NotingView> inner;
};

}  // namespace

TEST_F(TouchDelivery, TheDeepestViewGetsTheTouchAndTheChainPassesItUpToTheDelegate) {
    auto delegate = make<NotingResponder>();
    app->setDelegate(delegate);
    tap(20, 120);
    EXPECT_EQ(events, (std::vector<std::string>{"inner began", "outer began", "delegate began", "inner ended",
                                                "outer ended", "delegate ended"}));
    EXPECT_EQ(inner->began, inner.get());
    EXPECT_EQ(outer->began, inner.get());
    app->setDelegate(nullptr);
}

TEST_F(TouchDelivery, AViewThatKeepsTheTouchEndsTheChain) {
    inner->keeps = true;
    tap(20, 120);
    EXPECT_EQ(events, (std::vector<std::string>{"inner began", "inner ended"}));
}

TEST_F(TouchDelivery, HiddenAndNonInteractiveViewsAreNotHit) {
    inner->setHidden(true);
    tap(20, 120);
    inner->setHidden(false);
    inner->setUserInteractionEnabled(false);
    tap(20, 120);
    EXPECT_EQ(events, (std::vector<std::string>{"outer began", "outer ended", "outer began", "outer ended"}));
    // Outside every view the window itself is hit, and nobody notes it.
    events.clear();
    tap(300, 20);
    EXPECT_TRUE(events.empty());
}

TEST_F(TouchDelivery, TheTouchStaysWithItsViewAndIsMeasuredInAnyView) {
    inner->keeps = true;
    down(20, 120);
    move(250, 400);
    EXPECT_EQ(events.back(), "inner moved");
    // Locations in the view's own coordinates: the view is at (10, 110) on screen.
    EXPECT_FLOAT_EQ(inner->where.x, 240);
    EXPECT_FLOAT_EQ(inner->where.y, 290);
    EXPECT_FLOAT_EQ(inner->before.x, 10);
    EXPECT_FLOAT_EQ(inner->before.y, 10);
    up();
    EXPECT_EQ(events, (std::vector<std::string>{"inner began", "inner moved", "inner ended"}));
    EXPECT_FLOAT_EQ(inner->where.x, 240);
}

TEST_F(TouchDelivery, AWindowThatIsNotKeyGetsNoTouches) {
    auto other = UIView::withFrame<UIWindow>(CGRectMake(0, 0, 320, 480));
    other->makeKeyAndVisible();
    EXPECT_TRUE(other->isKeyWindow());
    EXPECT_FALSE(window->isKeyWindow());
    tap(20, 120);
    EXPECT_TRUE(events.empty());
    other = nullptr;
    // The key window that went away leaves none behind.
    EXPECT_EQ(app->keyWindow(), nullptr);
    tap(20, 120);
    EXPECT_TRUE(events.empty());
}

namespace {

// Takes the keyboard, and lets it go only when allowed to.
class Field : public UIResponder {
    KORVEL_OBJC_CLASS(Field)
public:
    bool holds = false;
    bool canBecomeFirstResponder() const override { return true; }
    bool canResignFirstResponder() const override { return !holds; }
};

Class Field::class_() {
    static Class cls = objc::ClassBuilder<Field>("WindowTestField", UIResponder::class_()).build();
    return cls;
}

}  // namespace

TEST(FirstResponder, OneResponderAtATimeHasTheKeyboard) {
    auto first = make<Field>();
    auto second = make<Field>();
    auto view = UIView::withFrame(CGRectZero);
    EXPECT_FALSE(view->becomeFirstResponder());  // a plain view takes no keyboard
    EXPECT_TRUE(objc::send<BOOL>(first.get(), "becomeFirstResponder"));
    EXPECT_EQ(UIResponder::firstResponder(), first.get());
    EXPECT_TRUE(second->becomeFirstResponder());
    EXPECT_FALSE(first->isFirstResponder());
    // One that will not let go keeps it.
    second->holds = true;
    EXPECT_FALSE(first->becomeFirstResponder());
    EXPECT_FALSE(second->resignFirstResponder());
    EXPECT_TRUE(second->isFirstResponder());
    // A responder that goes away leaves no first responder behind.
    second = nullptr;
    EXPECT_EQ(UIResponder::firstResponder(), nullptr);
    EXPECT_TRUE(first->becomeFirstResponder());
    EXPECT_TRUE(first->resignFirstResponder());
    EXPECT_EQ(UIResponder::firstResponder(), nullptr);
}
