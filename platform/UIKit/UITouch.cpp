#include "UIKit/UITouch.h"

#include "UIKit/UIView.h"
#include "UIKit/UIWindow.h"
#include "objc/ClassBuilder.h"

Class UITouch::class_() {
    static Class cls = objc::ClassBuilder<UITouch>("UITouch", NSObject::class_())
                           .method<&UITouch::view>("view")
                           .method<&UITouch::window>("window")
                           .method<&UITouch::phase>("phase")
                           .method<&UITouch::timestamp>("timestamp")
                           .method<&UITouch::locationInView>("locationInView:")
                           .method<&UITouch::previousLocationInView>("previousLocationInView:")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UITouch::class_();

UITouch::UITouch() = default;
UITouch::~UITouch() = default;

UIView* UITouch::view() const { return view_; }

UIWindow* UITouch::window() const { return window_; }

CGPoint UITouch::locationInView(UIView* view) const { return inView(location_, view); }

CGPoint UITouch::previousLocationInView(UIView* view) const { return inView(previousLocation_, view); }

CGPoint UITouch::inView(CGPoint windowPoint, UIView* view) const {
    if (!view || !window_) return windowPoint;
    return view->convertPointFromView(windowPoint, window_);
}

void UITouch::beginInWindow(UIWindow* window, UIView* view, CGPoint location, double timestamp) {
    window_ = window;
    view_ = view;
    phase_ = UITouchPhaseBegan;
    location_ = previousLocation_ = location;
    timestamp_ = timestamp;
}

void UITouch::updateLocation(UITouchPhase phase, CGPoint location, double timestamp) {
    phase_ = phase;
    previousLocation_ = location_;
    location_ = location;
    timestamp_ = timestamp;
}
