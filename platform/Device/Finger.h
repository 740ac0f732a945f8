// The phone's one finger: turns "down here, move there, lift" into touches on
// the key window. Each step is posted to the main run loop as an event, so it
// is handled in order with timers, with an autorelease pool drained after it;
// whoever drives the finger (the headless script, the window's mouse) runs
// the loop.
#pragma once

#include "CoreGraphics/CGGeometry.h"
#include "objc/Ref.h"

class UITouch;

class Finger {
public:
    Finger();
    ~Finger();

    // Screen points. The touch begins in the view hit-tested at `point` in
    // the key window when the event is handled; with no key window, or
    // nothing there, the touch reaches no view.
    void down(CGPoint point);
    void move(CGPoint point);
    void up();
    // The system takes the touch away (the app goes to the background).
    void cancel();

private:
    void post(int phase, CGPoint point);

    bool down_ = false;
    CGPoint last_;
    Ref<UITouch> touch_;
};
