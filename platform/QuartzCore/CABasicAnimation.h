// An animation of one layer property, named by its key path ("position.x",
// "opacity", "bounds", "transform", ...), from one value to another. Values
// are NSNumbers for single numbers and NSValues for points, sizes,
// rectangles and transforms. A missing from value is the value the layer
// presented before the change that the animation goes with; a missing to
// value is the layer's model value; with neither, the animation runs from
// the previously presented value to the new model value.
#pragma once

#include <string>
#include <vector>

#include "QuartzCore/CAAnimation.h"

class NSString;

class CABasicAnimation : public CAAnimation {
    KORVEL_OBJC_CLASS(CABasicAnimation)
public:
    CABasicAnimation();
    ~CABasicAnimation() override;

    static Ref<CABasicAnimation> animationWithKeyPath(NSString* keyPath);

    NSString* keyPath() const { return keyPath_; }
    void setKeyPath(NSString* keyPath) { keyPath_ = keyPath; }
    NSObject* fromValue() const { return fromValue_; }
    void setFromValue(NSObject* value) { fromValue_ = value; }
    NSObject* toValue() const { return toValue_; }
    void setToValue(NSObject* value) { toValue_ = value; }

    // A value as its numbers (one for a number, two for a point or a size,
    // four for a rectangle, six for a transform); empty for nil or anything
    // else.
    static std::vector<double> components(const NSObject* value);

    // The value `localTime` seconds after the start, between `from` and
    // `to`; empty when the two do not have the same number of components.
    std::vector<double> valueAt(double localTime, const std::vector<double>& from,
                                const std::vector<double>& to) const;

    void forEachActive(double localTime, const Visitor& each) const override;
    void forEachProperty(const std::function<void(const CABasicAnimation& animation)>& each) const override;

private:
    Ref<NSString> keyPath_;
    Ref<NSObject> fromValue_;
    Ref<NSObject> toValue_;
};
