// Autorelease pools: a stack of pools per thread; an autoreleased object is
// released when its thread's innermost pool drains. The run loop drains its
// pool after each event.
#pragma once

#include <vector>

#include "objc/NSObject.h"

class NSAutoreleasePool : public NSObject {
    KORVEL_OBJC_CLASS(NSAutoreleasePool)
public:
    NSAutoreleasePool();
    ~NSAutoreleasePool() override;

    // Releases everything handed to this pool so far; the pool stays usable.
    void drain();

    // Adds to the innermost pool; with none pushed, to the process's base pool.
    static void addObject(NSObject* object);
    // Drains the process's base pool (used where no pool is pushed).
    static void drainBasePool();

private:
    std::vector<NSObject*> objects_;
    NSAutoreleasePool* outer_ = nullptr;
};
