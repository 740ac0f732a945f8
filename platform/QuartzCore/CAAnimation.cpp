#include "QuartzCore/CAAnimation.h"

#include <algorithm>
#include <cmath>

#include "Foundation/Clock.h"
#include "QuartzCore/CAMediaTimingFunction.h"
#include "objc/ClassBuilder.h"

double CACurrentMediaTime() { return Clock::now(); }

Class CAAnimation::class_() {
    using A = CAAnimation;
    static Class cls = objc::ClassBuilder<A>("CAAnimation", NSObject::class_())
                           .classMethod<&A::animation>("animation")
                           .method<&A::duration>("duration")
                           .method<&A::setDuration>("setDuration:")
                           .method<&A::beginTime>("beginTime")
                           .method<&A::setBeginTime>("setBeginTime:")
                           .method<&A::timingFunction>("timingFunction")
                           .method<&A::setTimingFunction>("setTimingFunction:")
                           .method<&A::isRemovedOnCompletion>("isRemovedOnCompletion")
                           .method<&A::setRemovedOnCompletion>("setRemovedOnCompletion:")
                           .method<&A::delegate>("delegate")
                           .method<&A::setDelegate>("setDelegate:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = CAAnimation::class_();

CAAnimation::CAAnimation() = default;
CAAnimation::~CAAnimation() = default;

Ref<CAAnimation> CAAnimation::animation() { return make<CAAnimation>(); }

void CAAnimation::setDuration(double duration) {
    duration_ = std::isfinite(duration) && duration > 0 ? duration : 0;
}

void CAAnimation::setBeginTime(double time) { beginTime_ = std::isfinite(time) ? time : 0; }

double CAAnimation::pacedTime(double localTime) const {
    const double length = activeDuration();
    const double t = std::clamp(localTime / length, 0.0, 1.0);
    return (timingFunction_ ? timingFunction_->valueAt(t) : t) * length;
}

void CAAnimation::forEachActive(double, const Visitor&) const {}

void CAAnimation::forEachProperty(const std::function<void(const CABasicAnimation&)>&) const {}
