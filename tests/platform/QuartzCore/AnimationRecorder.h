// An animation delegate for the tests: records each start and stop report
// with the clock reading at which it arrived.
#pragma once

#include <string>
#include <vector>

#include "Foundation/Clock.h"
#include "QuartzCore/CAAnimation.h"
#include "objc/ClassBuilder.h"

class AnimationRecorder : public NSObject {
    KORVEL_OBJC_CLASS(AnimationRecorder)
public:
    struct Report {
        std::string what;  // "start", "stop" or "stop (not finished)"
        CAAnimation* animation;
        double at;
    };

    void animationDidStart(CAAnimation* animation) { reports.push_back({"start", animation, Clock::now()}); }
    void animationDidStop(CAAnimation* animation, bool finished) {
        reports.push_back({finished ? "stop" : "stop (not finished)", animation, Clock::now()});
    }

    std::vector<std::string> whats() const {
        std::vector<std::string> out;
        for (const auto& r : reports) out.push_back(r.what);
        return out;
    }

    std::vector<Report> reports;
};

inline Class AnimationRecorder::class_() {
    static Class cls = objc::ClassBuilder<AnimationRecorder>("TestAnimationRecorder", NSObject::class_())
                           .method<&AnimationRecorder::animationDidStart>("animationDidStart:")
                           .method<&AnimationRecorder::animationDidStop>("animationDidStop:finished:")
                           .build();
    return cls;
}
