// A target for timers and delayed performs in the run loop tests: records
// each message with the clock reading at which it arrived.
#pragma once

#include <string>
#include <vector>

#include "Foundation/Clock.h"
#include "objc/ClassBuilder.h"

class RunLoopRecorder : public NSObject {
    KORVEL_OBJC_CLASS(RunLoopRecorder)
public:
    struct Call {
        std::string what;
        double at;
        id argument;
    };

    ~RunLoopRecorder() override { ++destroyed; }
    void tick(id argument) { calls.push_back({"tick", Clock::now(), argument}); }
    void ping(id argument) { calls.push_back({"ping", Clock::now(), argument}); }

    std::vector<Call> calls;
    static inline int destroyed = 0;
};

inline Class RunLoopRecorder::class_() {
    static Class cls = objc::ClassBuilder<RunLoopRecorder>("TestRunLoopRecorder", NSObject::class_())
                           .method<&RunLoopRecorder::tick>("tick:")
                           .method<&RunLoopRecorder::ping>("ping:")
                           .build();
    return cls;
}
