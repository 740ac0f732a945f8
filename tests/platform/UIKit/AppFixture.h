// A running application with a visible key window of the screen's size and
// the device's finger on it, on the virtual clock. Every finger step is
// handled before the helper returns.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "Device/Finger.h"
#include "Foundation/Clock.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIScreen.h"
#include "UIKit/UIWindow.h"
#include "objc/NSAutoreleasePool.h"

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::useVirtual(Clock::now());
        std::string error;
        app = UIApplication::create(nullptr, nullptr, error);
        ASSERT_TRUE(app) << error;
        window = UIView::withFrame<UIWindow>(UIScreen::mainScreen()->bounds());
        window->makeKeyAndVisible();
    }
    void TearDown() override {
        finger.cancel();
        // Let whatever the test set going finish before the views go.
        Clock::advance(1);
        window = nullptr;
        app = nullptr;
    }

    void down(CGFloat x, CGFloat y) {
        finger.down(CGPointMake(x, y));
        Clock::advance(0);
    }
    void move(CGFloat x, CGFloat y) {
        finger.move(CGPointMake(x, y));
        Clock::advance(0);
    }
    void up() {
        finger.up();
        Clock::advance(0);
    }
    void tap(CGFloat x, CGFloat y, double hold = 0.1) {
        down(x, y);
        Clock::advance(hold);
        up();
    }
    // A drag in `steps` moves, as a finger reports it.
    void drag(CGPoint from, CGPoint to, int steps = 10) {
        down(from.x, from.y);
        for (int i = 1; i <= steps; ++i) {
            CGFloat k = CGFloat(i) / CGFloat(steps);
            move(from.x + (to.x - from.x) * k, from.y + (to.y - from.y) * k);
        }
        up();
    }

    NSAutoreleasePool pool;
    Ref<UIApplication> app;
    Ref<UIWindow> window;
    Finger finger;
};
