// What the application hands to its windows: the touches of one moment.
#pragma once

#include "objc/NSObject.h"

class NSSet;
class UITouch;
class UIView;
class UIWindow;

enum UIEventType : NSInteger {
    UIEventTypeTouches = 0,
};

class UIEvent : public NSObject {
    KORVEL_OBJC_CLASS(UIEvent)
public:
    UIEvent();
    ~UIEvent() override;

    // An event carrying one touch (the device has one finger).
    static Ref<UIEvent> withTouch(UITouch* touch);

    UIEventType type() const { return UIEventTypeTouches; }
    double timestamp() const;
    Ref<NSSet> allTouches() const;
    // The touches that began in `view`.
    Ref<NSSet> touchesForView(UIView* view) const;
    // The touches on `window`.
    Ref<NSSet> touchesForWindow(UIWindow* window) const;

private:
    Ref<UITouch> touch_;
};
