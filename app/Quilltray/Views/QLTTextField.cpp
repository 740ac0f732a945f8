#include "Quilltray/Views/QLTTextField.h"

#include "objc/ClassBuilder.h"

Class QLTTextField::class_() {
    static Class cls = objc::ClassBuilder<QLTTextField>("QLTTextField", UITextField::class_())
                           .method<&QLTTextField::key>("key")
                           .method<&QLTTextField::setKey>("setKey:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = QLTTextField::class_();

QLTTextField::QLTTextField() = default;
QLTTextField::~QLTTextField() = default;
