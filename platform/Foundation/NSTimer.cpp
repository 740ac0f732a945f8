#include "Foundation/NSTimer.h"

#include <cmath>

#include "Foundation/Clock.h"
#include "Foundation/NSRunLoop.h"
#include "objc/ClassBuilder.h"

namespace {

// As on the phone, a timer never fires more often than every 0.1 ms.
constexpr double kShortestInterval = 0.0001;

}  // namespace

Class NSTimer::class_() {
    static Class cls = objc::ClassBuilder<NSTimer>("NSTimer", NSObject::class_())
                           .method<&NSTimer::invalidate>("invalidate")
                           .method<&NSTimer::isValid>("isValid")
                           .method<&NSTimer::userInfo>("userInfo")
                           .method<&NSTimer::fireDate>("fireDate")
                           .method<&NSTimer::timeInterval>("timeInterval")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = NSTimer::class_();

Ref<NSTimer> NSTimer::scheduledTimerWithTimeInterval(double interval, id target, SEL selector, id userInfo,
                                                     bool repeats) {
    auto timer = make<NSTimer>();
    timer->target_ = target;
    timer->retainedTarget_ = objc::cast<NSObject>(target);
    timer->selector_ = selector;
    timer->userInfo_ = objc::cast<NSObject>(userInfo);
    return schedule(timer, interval, repeats);
}

Ref<NSTimer> NSTimer::scheduledTimerWithTimeInterval(double interval, bool repeats,
                                                     std::function<void(NSTimer*)> function) {
    auto timer = make<NSTimer>();
    timer->function_ = std::move(function);
    return schedule(timer, interval, repeats);
}

Ref<NSTimer> NSTimer::schedule(Ref<NSTimer> timer, double interval, bool repeats) {
    timer->interval_ = interval > kShortestInterval ? interval : kShortestInterval;
    timer->repeats_ = repeats;
    timer->fireDate_ = Clock::now() + timer->interval_;
    NSRunLoop::mainRunLoop()->addTimer(timer);
    return timer;
}

void NSTimer::invalidate() {
    valid_ = false;
    target_ = nullptr;
    retainedTarget_ = nullptr;
    userInfo_ = nullptr;
    function_ = nullptr;
}

void NSTimer::fire() {
    // The action may invalidate this timer, which drops what it holds: keep
    // everything alive until the action returns.
    Ref<NSTimer> self(this);
    id target = target_;
    Ref<NSObject> retainedTarget = retainedTarget_;
    Ref<NSObject> userInfo = userInfo_;
    std::function<void(NSTimer*)> function = function_;
    if (!repeats_) invalidate();
    if (function) function(this);
    else if (isPerformRequest_) objc::send<void, id>(target, selector_, userInfo.get());
    else objc::send<void, id>(target, selector_, this);
}

void NSTimer::reschedule(double now) {
    fireDate_ += interval_;
    if (fireDate_ <= now) fireDate_ += (std::floor((now - fireDate_) / interval_) + 1) * interval_;
}
