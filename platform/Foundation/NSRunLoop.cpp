#include "Foundation/NSRunLoop.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <thread>

#include "Foundation/Clock.h"
#include "Foundation/NSTimer.h"
#include "objc/ClassBuilder.h"
#include "objc/NSAutoreleasePool.h"

namespace {

bool sameArgument(id a, id b) {
    if (a == b) return true;
    auto* left = objc::cast<NSObject>(a);
    auto* right = objc::cast<NSObject>(b);
    return left && right && left->isEqual(right);
}

}  // namespace

Class NSRunLoop::class_() {
    static Class cls = objc::ClassBuilder<NSRunLoop>("NSRunLoop", NSObject::class_())
                           .classMethod<&NSRunLoop::mainRunLoop>("mainRunLoop")
                           .classMethod<&NSRunLoop::mainRunLoop>("currentRunLoop")
                           .method<&NSRunLoop::addTimer>("addTimer:")
                           .method<&NSRunLoop::runUntilDate>("runUntilDate:")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = NSRunLoop::class_();

NSRunLoop* NSRunLoop::mainRunLoop() {
    // Lives as long as the process; never released.
    static NSRunLoop* loop = new NSRunLoop();
    return loop;
}

void NSRunLoop::addTimer(NSTimer* timer) {
    if (!timer || !timer->isValid()) return;
    if (std::any_of(timers_.begin(), timers_.end(), [&](const Ref<NSTimer>& t) { return t.get() == timer; }))
        return;
    timer->sequence_ = nextSequence_++;
    timers_.emplace_back(timer);
}

void NSRunLoop::postEvent(std::function<void()> event) {
    if (event) events_.push_back(std::move(event));
}

void NSRunLoop::runUntilDate(double date) {
    if (!std::isfinite(date)) date = Clock::now();
    for (;;) {
        handleEvents();
        double now = Clock::now();
        if (Clock::isVirtual()) {
            if (NSTimer* timer = firstDue(date)) {
                Clock::moveVirtualTo(timer->fireDate());
                fire(timer);
                continue;
            }
            Clock::moveVirtualTo(date);
            endPass();
            return;
        }
        if (NSTimer* timer = firstDue(now)) {
            fire(timer);
            continue;
        }
        if (now >= date) {
            endPass();
            return;
        }
        double wake = std::min(nextFireDate(), date);
        std::this_thread::sleep_for(std::chrono::duration<double>(wake - now));
    }
}

double NSRunLoop::nextFireDate() const {
    double first = std::numeric_limits<double>::infinity();
    for (const auto& t : timers_)
        if (t->isValid()) first = std::min(first, t->fireDate());
    return first;
}

void NSRunLoop::performSelector(id target, SEL selector, id object, double delay) {
    if (!target || !selector) return;
    auto request = make<NSTimer>();
    request->target_ = target;
    request->retainedTarget_ = objc::cast<NSObject>(target);
    request->selector_ = selector;
    request->userInfo_ = objc::cast<NSObject>(object);
    request->isPerformRequest_ = true;
    // A delay of zero (or less) means the next pass of the loop.
    request->fireDate_ = Clock::now() + (delay > 0 ? delay : 0);
    addTimer(request);
}

void NSRunLoop::cancelPerformRequests(id target, bool matchSelectorAndObject, SEL selector, id object) {
    if (!target) return;
    // Invalidating releases targets, whose teardown may cancel more requests:
    // pick the requests first, then invalidate.
    std::vector<Ref<NSTimer>> cancelled;
    for (const auto& t : timers_) {
        if (!t->isValid() || !t->isPerformRequest_ || t->target_ != target) continue;
        if (matchSelectorAndObject && (t->selector_ != selector || !sameArgument(t->userInfo_.get(), object)))
            continue;
        cancelled.push_back(t);
    }
    for (const auto& t : cancelled) t->invalidate();
    removeInvalidTimers();
}

void NSRunLoop::handleEvents() {
    while (!events_.empty()) {
        std::function<void()> event = std::move(events_.front());
        events_.pop_front();
        {
            NSAutoreleasePool pool;
            event();
        }
        endPass();
    }
}

NSTimer* NSRunLoop::firstDue(double date) const {
    NSTimer* first = nullptr;
    for (const auto& t : timers_) {
        if (!t->isValid() || t->fireDate() > date) continue;
        if (!first || t->fireDate() < first->fireDate() ||
            (t->fireDate() == first->fireDate() && t->sequence_ < first->sequence_))
            first = t.get();
    }
    return first;
}

void NSRunLoop::fire(NSTimer* timer) {
    Ref<NSTimer> keep(timer);
    // A repeating timer's next due time is set before its action runs, so
    // an action that throws cannot leave it due forever.
    if (timer->repeats_) timer->reschedule(Clock::now());
    {
        NSAutoreleasePool pool;
        timer->fire();
    }
    removeInvalidTimers();
    endPass();
}

void NSRunLoop::removeInvalidTimers() {
    // The finished timers are released only once the list is whole again,
    // since their teardown may schedule or cancel.
    std::vector<Ref<NSTimer>> kept;
    std::vector<Ref<NSTimer>> finished;
    for (auto& t : timers_) (t->isValid() ? kept : finished).push_back(std::move(t));
    timers_.swap(kept);
}

void NSRunLoop::addPassObserver(std::function<void()> observer) {
    if (observer) passObservers_.push_back(std::move(observer));
}

void NSRunLoop::endPass() {
    for (const auto& observer : passObservers_) observer();
}
