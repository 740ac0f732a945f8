#include "Quilltray/Views/QLTSlider.h"

#include "objc/ClassBuilder.h"

Class QLTSlider::class_() {
    static Class cls = objc::ClassBuilder<QLTSlider>("QLTSlider", UISlider::class_())
                           .method<&QLTSlider::key>("key")
                           .method<&QLTSlider::setKey>("setKey:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = QLTSlider::class_();

QLTSlider::QLTSlider() = default;
QLTSlider::~QLTSlider() = default;
