#include "QuartzCore/CABasicAnimation.h"

#include "CoreGraphics/NSValue.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"

Class CABasicAnimation::class_() {
    using A = CABasicAnimation;
    static Class cls = objc::ClassBuilder<A>("CABasicAnimation", CAAnimation::class_())
                           .classMethod<&A::animationWithKeyPath>("animationWithKeyPath:")
                           .method<&A::keyPath>("keyPath")
                           .method<&A::setKeyPath>("setKeyPath:")
                           .method<&A::fromValue>("fromValue")
                           .method<&A::setFromValue>("setFromValue:")
                           .method<&A::toValue>("toValue")
                           .method<&A::setToValue>("setToValue:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = CABasicAnimation::class_();

CABasicAnimation::CABasicAnimation() = default;
CABasicAnimation::~CABasicAnimation() = default;

Ref<CABasicAnimation> CABasicAnimation::animationWithKeyPath(NSString* keyPath) {
    auto animation = make<CABasicAnimation>();
    animation->setKeyPath(keyPath);
    return animation;
}

std::vector<double> CABasicAnimation::components(const NSObject* value) {
    if (auto* number = dynamic_cast<const NSNumber*>(value)) return {number->doubleValue()};
    auto* boxed = dynamic_cast<const NSValue*>(value);
    if (!boxed) return {};
    switch (boxed->kind()) {
        case NSValue::Kind::Point: {
            CGPoint p = boxed->CGPointValue();
            return {p.x, p.y};
        }
        case NSValue::Kind::Size: {
            CGSize s = boxed->CGSizeValue();
            return {s.width, s.height};
        }
        case NSValue::Kind::Rect: {
            CGRect r = boxed->CGRectValue();
            return {r.origin.x, r.origin.y, r.size.width, r.size.height};
        }
        case NSValue::Kind::AffineTransform: {
            CGAffineTransform t = boxed->CGAffineTransformValue();
            return {t.a, t.b, t.c, t.d, t.tx, t.ty};
        }
    }
    return {};
}

std::vector<double> CABasicAnimation::valueAt(double localTime, const std::vector<double>& from,
                                              const std::vector<double>& to) const {
    if (from.size() != to.size()) return {};
    const double k = pacedTime(localTime) / activeDuration();
    std::vector<double> value(from.size());
    for (std::size_t i = 0; i < from.size(); ++i) value[i] = from[i] + (to[i] - from[i]) * k;
    return value;
}

void CABasicAnimation::forEachActive(double localTime, const Visitor& each) const {
    if (isActiveAt(localTime)) each(*this, localTime);
}

void CABasicAnimation::forEachProperty(const std::function<void(const CABasicAnimation&)>& each) const {
    each(*this);
}
