// The runtime's view of every object: something that answers to a class.
// C++ code derives from NSObject; the hook sees only the opaque `id`.
#pragma once

#include "objc/runtime.h"

struct objc_object {
    objc_object() = default;
    objc_object(const objc_object&) = delete;
    objc_object& operator=(const objc_object&) = delete;
    virtual ~objc_object() = default;

    // The class this object answers to (its isa). Each registered C++ class
    // overrides this, so a subclass that registers nothing answers as its base.
    virtual Class objcClass() const = 0;
};
