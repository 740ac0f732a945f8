#include "Quilltray/Views/QLTSwitch.h"

#include "objc/ClassBuilder.h"

Class QLTSwitch::class_() {
    static Class cls = objc::ClassBuilder<QLTSwitch>("QLTSwitch", UISwitch::class_())
                           .method<&QLTSwitch::key>("key")
                           .method<&QLTSwitch::setKey>("setKey:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = QLTSwitch::class_();

QLTSwitch::QLTSwitch() = default;
QLTSwitch::~QLTSwitch() = default;
