// The platform's one clock, in seconds. In a window it follows real time; in
// tests and headless runs it is virtual and moves only when told to, so that
// timers, delayed performs and animations run the same way every time. The
// virtual clock counts whole microseconds: an instant it reads is the same
// however the time was reached.
#pragma once

class Clock {
public:
    // Seconds since an arbitrary origin; never goes backwards.
    static double now();

    static bool isVirtual();
    // Virtual time starting at `start` (the default for a new process).
    static void useVirtual(double start = 0);
    // Real (monotonic) time, for a window.
    static void useReal();

    // Lets `seconds` pass on the main run loop: queued events are handled and
    // every timer and delayed perform that falls due fires in time order. On
    // the virtual clock time jumps from one due time to the next, so whatever
    // reads the clock while firing sees that item's own due time.
    static void advance(double seconds);

private:
    friend class NSRunLoop;
    // Moves virtual time forward to `time` (never back).
    static void moveVirtualTo(double time);
};
