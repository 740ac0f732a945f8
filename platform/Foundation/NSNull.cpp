#include "Foundation/NSNull.h"

#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"

Class NSNull::class_() {
    static Class cls = objc::ClassBuilder<NSNull>("NSNull", NSObject::class_())
                           .method<&NSNull::description>("description")
                           .classMethod<&NSNull::null>("null")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = NSNull::class_();

Ref<NSNull> NSNull::null() {
    // Kept for the whole process, so every caller gets the same object.
    static NSNull* const shared = make<NSNull>().leak();
    return shared;
}

Ref<NSString> NSNull::description() const { return NSString::from("<null>"); }
