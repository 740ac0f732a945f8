// The main thread's run loop: handles the events the host posts, fires timers
// and delayed performs when they fall due on the platform clock, and drains
// an autorelease pool after each of them.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "objc/NSObject.h"

class NSTimer;

class NSRunLoop : public NSObject {
    KORVEL_OBJC_CLASS(NSRunLoop)
public:
    static NSRunLoop* mainRunLoop();

    // Schedules `timer` (retained until it is invalidated).
    void addTimer(NSTimer* timer);

    // Queues an event (a touch, a key, a redraw) to be handled in order.
    void postEvent(std::function<void()> event);

    // Runs until the clock reads `date`: handles queued events, then fires due
    // timers in order of due time (equal times in order of scheduling). On the
    // virtual clock the clock is moved to each due time as it comes; on the
    // real one the loop sleeps until the next due time. A date already passed
    // handles what is pending now and returns.
    void runUntilDate(double date);

    // The earliest due time of a scheduled timer; infinity when there is none.
    double nextFireDate() const;
    bool hasPendingEvents() const { return !events_.empty(); }

    // Calls `observer` at the end of every pass of the loop: after each
    // event handled, after each timer fired, and when a run returns. What
    // changes during one pass is one transaction for the layers.
    void addPassObserver(std::function<void()> observer);

    // performSelector:withObject:afterDelay: — `target` and `object` are
    // retained until the request fires or is cancelled.
    void performSelector(id target, SEL selector, id object, double delay);
    // Cancels the target's pending performs: every one, or (when
    // `matchSelectorAndObject`) those of `selector` whose object is equal
    // (isEqual:) to `object`; a nil object matches only a nil object.
    void cancelPerformRequests(id target, bool matchSelectorAndObject, SEL selector, id object);

private:
    void handleEvents();
    // The timer that falls due first at or before `date`, or nullptr.
    NSTimer* firstDue(double date) const;
    void fire(NSTimer* timer);
    void removeInvalidTimers();
    void endPass();

    std::deque<std::function<void()>> events_;
    std::vector<Ref<NSTimer>> timers_;
    unsigned long long nextSequence_ = 0;
    std::vector<std::function<void()>> passObservers_;
};
