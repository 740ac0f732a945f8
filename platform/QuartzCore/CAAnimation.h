// Base of the layer animations: when an animation runs and how it is paced,
// whether its layer lets go of it when it ends, and the delegate told of its
// start and stop. An animation added to a layer is kept as the very object
// added (animationForKey: answers it), so a delegate may compare the
// animation it is told about with what a layer holds under a key.
//
// Times are seconds on the platform's one clock (CACurrentMediaTime). A
// beginTime of 0 means "when added"; any other is a time on that clock (in a
// group: seconds after the group's start). A duration of 0 means the
// platform's 0.25 s. Without a timing function the pacing is linear.
#pragma once

#include <functional>
#include <vector>

#include "QuartzCore/CAMediaTimingFunction.h"
#include "objc/NSObject.h"

class CABasicAnimation;

// The platform clock's present time.
double CACurrentMediaTime();

class CAAnimation : public NSObject {
    KORVEL_OBJC_CLASS(CAAnimation)
public:
    static constexpr double kDefaultDuration = 0.25;
    // Times often come in single precision (a group's members placed end to
    // end at float offsets); within this many seconds they count as equal,
    // so that such members leave no gap between them.
    static constexpr double kTimeTolerance = 1e-6;

    CAAnimation();
    ~CAAnimation() override;

    static Ref<CAAnimation> animation();

    double duration() const { return duration_; }
    void setDuration(double duration);
    double beginTime() const { return beginTime_; }
    void setBeginTime(double time);
    CAMediaTimingFunction* timingFunction() const { return timingFunction_; }
    void setTimingFunction(CAMediaTimingFunction* function) { timingFunction_ = function; }
    bool isRemovedOnCompletion() const { return removedOnCompletion_; }
    void setRemovedOnCompletion(bool removed) { removedOnCompletion_ = removed; }
    // Retained, as on the platform. It is sent animationDidStart: and
    // animationDidStop:finished: when it answers them.
    NSObject* delegate() const { return delegate_; }
    void setDelegate(NSObject* delegate) { delegate_ = delegate; }

    // How long the animation runs once started.
    double activeDuration() const { return duration_ > 0 ? duration_ : kDefaultDuration; }
    // Whether `localTime` lies within the run, give or take kTimeTolerance.
    bool isActiveAt(double localTime) const {
        return localTime >= -kTimeTolerance && localTime <= activeDuration() + kTimeTolerance;
    }
    // The local time (seconds since the start) as its timing function
    // paces it, within 0 and activeDuration().
    double pacedTime(double localTime) const;

    // Calls `each` with every property animation in effect `localTime`
    // seconds after this animation began, in the order they apply, each with
    // its own local time.
    using Visitor = std::function<void(const CABasicAnimation& animation, double localTime)>;
    virtual void forEachActive(double localTime, const Visitor& each) const;
    // Every property animation in it, active or not.
    virtual void forEachProperty(const std::function<void(const CABasicAnimation& animation)>& each) const;

private:
    double duration_ = 0;
    double beginTime_ = 0;
    Ref<CAMediaTimingFunction> timingFunction_;
    bool removedOnCompletion_ = true;
    Ref<NSObject> delegate_;
};
