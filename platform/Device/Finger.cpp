#include "Device/Finger.h"

#include "Foundation/Clock.h"
#include "Foundation/NSRunLoop.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIEvent.h"
#include "UIKit/UITouch.h"
#include "UIKit/UIWindow.h"

Finger::Finger() = default;
Finger::~Finger() = default;

void Finger::down(CGPoint point) {
    if (down_) return;
    down_ = true;
    touch_ = make<UITouch>();
    post(UITouchPhaseBegan, point);
}

void Finger::move(CGPoint point) {
    if (down_) post(UITouchPhaseMoved, point);
}

void Finger::up() {
    if (!down_) return;
    down_ = false;
    post(UITouchPhaseEnded, last_);
    // The event keeps the touch until it is handled; the finger lets go.
    touch_ = nullptr;
}

void Finger::cancel() {
    if (!down_) return;
    down_ = false;
    post(UITouchPhaseCancelled, last_);
    touch_ = nullptr;
}

void Finger::post(int phase, CGPoint point) {
    last_ = point;
    Ref<UITouch> touch = touch_;
    NSRunLoop::mainRunLoop()->postEvent([touch, phase, point] {
        UIApplication* app = UIApplication::sharedApplication();
        if (!app) return;
        if (phase == UITouchPhaseBegan) {
            UIWindow* window = app->keyWindow();
            UIView* view = nullptr;
            if (window) {
                // Hit-testing sees the views as they will be drawn.
                window->layoutIfNeeded();
                view = window->hitTest(window->convertPointFromView(point, nullptr), nullptr);
            }
            touch->beginInWindow(window, view, point, Clock::now());
        } else {
            touch->updateLocation(static_cast<UITouchPhase>(phase), point, Clock::now());
        }
        app->sendEvent(UIEvent::withTouch(touch));
        if (UIWindow* window = touch->window()) window->layoutIfNeeded();
    });
}
