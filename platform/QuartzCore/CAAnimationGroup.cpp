#include "QuartzCore/CAAnimationGroup.h"

#include "Foundation/NSArray.h"
#include "objc/ClassBuilder.h"

Class CAAnimationGroup::class_() {
    using A = CAAnimationGroup;
    static Class cls = objc::ClassBuilder<A>("CAAnimationGroup", CAAnimation::class_())
                           .classMethod<&A::animation>("animation")
                           .method<&A::animations>("animations")
                           .method<&A::setAnimations>("setAnimations:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = CAAnimationGroup::class_();

CAAnimationGroup::CAAnimationGroup() = default;
CAAnimationGroup::~CAAnimationGroup() = default;

Ref<CAAnimationGroup> CAAnimationGroup::animation() { return make<CAAnimationGroup>(); }

namespace {

// A group may be made to hold itself, directly or through other groups; the
// walk stops at this depth instead of running forever.
constexpr int kDeepestNesting = 32;
int nesting = 0;

struct Nested {
    Nested() { ++nesting; }
    ~Nested() { --nesting; }
    bool tooDeep() const { return nesting > kDeepestNesting; }
};

}  // namespace

void CAAnimationGroup::forEachActive(double localTime, const Visitor& each) const {
    Nested nested;
    if (nested.tooDeep() || !animations_ || !isActiveAt(localTime)) return;
    const double paced = pacedTime(localTime);
    for (NSUInteger i = 0; i < animations_->count(); ++i) {
        if (auto* member = objc::cast<CAAnimation>(animations_->objectAtIndex(i)))
            member->forEachActive(paced - member->beginTime(), each);
    }
}

void CAAnimationGroup::forEachProperty(const std::function<void(const CABasicAnimation&)>& each) const {
    Nested nested;
    if (nested.tooDeep() || !animations_) return;
    for (NSUInteger i = 0; i < animations_->count(); ++i) {
        if (auto* member = objc::cast<CAAnimation>(animations_->objectAtIndex(i))) member->forEachProperty(each);
    }
}
