// Several animations run together as one: each member starts at its own
// beginTime after the group's start and is cut off where the group ends.
// Members that animate the same property apply in order, the later winning
// while both are in effect. Only the group reports its start and stop.
#pragma once

#include "QuartzCore/CAAnimation.h"

class NSArray;

class CAAnimationGroup : public CAAnimation {
    KORVEL_OBJC_CLASS(CAAnimationGroup)
public:
    CAAnimationGroup();
    ~CAAnimationGroup() override;

    static Ref<CAAnimationGroup> animation();

    // Members that are not animations are ignored.
    NSArray* animations() const { return animations_; }
    void setAnimations(NSArray* animations) { animations_ = animations; }

    void forEachActive(double localTime, const Visitor& each) const override;
    void forEachProperty(const std::function<void(const CABasicAnimation& animation)>& each) const override;

private:
    Ref<NSArray> animations_;
};
