// A timer on the main run loop: fires once or repeatedly after an interval,
// sending its selector to its target (or calling its function). The timer
// retains its target and user info until it is invalidated; the run loop
// keeps the timer alive while it is scheduled.
#pragma once

#include <functional>

#include "objc/NSObject.h"

class NSTimer : public NSObject {
    KORVEL_OBJC_CLASS(NSTimer)
public:
    // Sends `selector` to `target` with the timer as the argument.
    static Ref<NSTimer> scheduledTimerWithTimeInterval(double interval, id target, SEL selector, id userInfo,
                                                       bool repeats);
    // Calls `function` with the timer instead of sending a message.
    static Ref<NSTimer> scheduledTimerWithTimeInterval(double interval, bool repeats,
                                                       std::function<void(NSTimer*)> function);

    // Stops the timer for good and lets go of its target and user info.
    void invalidate();
    bool isValid() const { return valid_; }
    double fireDate() const { return fireDate_; }
    double timeInterval() const { return interval_; }
    id userInfo() const { return userInfo_.get(); }

    NSTimer() = default;

private:
    friend class NSRunLoop;

    // Schedules a fresh timer on the main run loop.
    static Ref<NSTimer> schedule(Ref<NSTimer> timer, double interval, bool repeats);
    // Runs the timer's action once; a one-shot timer is invalidated first, so
    // the action may schedule or cancel freely.
    void fire();
    // After firing: the next due time of a repeating timer, skipping any
    // intervals that have already passed.
    void reschedule(double now);

    // Any object, a class included; retained when it counts references.
    id target_ = nullptr;
    Ref<NSObject> retainedTarget_;
    SEL selector_ = nullptr;
    Ref<NSObject> userInfo_;
    std::function<void(NSTimer*)> function_;
    // A delayed perform: the selector gets the user info, not the timer.
    bool isPerformRequest_ = false;
    bool repeats_ = false;
    bool valid_ = true;
    double interval_ = 0;
    double fireDate_ = 0;
    unsigned long long sequence_ = 0;
};
