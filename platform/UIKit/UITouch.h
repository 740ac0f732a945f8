// One finger on the screen: where it is, where it was at the last event, the
// view it began in (kept for the touch's whole life, wherever the finger goes)
// and the phase of the current event.
#pragma once

#include "CoreGraphics/CGGeometry.h"
#include "objc/NSObject.h"

class UIView;
class UIWindow;

enum UITouchPhase : NSInteger {
    UITouchPhaseBegan = 0,
    UITouchPhaseMoved = 1,
    UITouchPhaseStationary = 2,
    UITouchPhaseEnded = 3,
    UITouchPhaseCancelled = 4,
};

class UITouch : public NSObject {
    KORVEL_OBJC_CLASS(UITouch)
public:
    UITouch();
    ~UITouch() override;

    // The view the touch began in; nil when the finger came down on nothing.
    UIView* view() const;
    UIWindow* window() const;
    UITouchPhase phase() const { return phase_; }
    // Clock time of the last event.
    double timestamp() const { return timestamp_; }

    // The finger's point in `view`'s coordinates; nil means the window's.
    CGPoint locationInView(UIView* view) const;
    CGPoint previousLocationInView(UIView* view) const;

    // The device's side: the finger driver moves the touch on.
    void beginInWindow(UIWindow* window, UIView* view, CGPoint location, double timestamp);
    void updateLocation(UITouchPhase phase, CGPoint location, double timestamp);
    void updatePhase(UITouchPhase phase) { phase_ = phase; }

private:
    CGPoint inView(CGPoint windowPoint, UIView* view) const;

    Ref<UIView> view_;
    Ref<UIWindow> window_;
    UITouchPhase phase_ = UITouchPhaseBegan;
    double timestamp_ = 0;
    CGPoint location_;
    CGPoint previousLocation_;
};
