#include "Foundation/NSNotification.h"

#include "Foundation/NSDictionary.h"
#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"

Class NSNotification::class_() {
    static Class cls = objc::ClassBuilder<NSNotification>("NSNotification", NSObject::class_())
                           .classMethod<&NSNotification::notificationWithName>("notificationWithName:object:userInfo:")
                           .method<&NSNotification::name>("name")
                           .method<&NSNotification::object>("object")
                           .method<&NSNotification::userInfo>("userInfo")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = NSNotification::class_();

NSNotification::NSNotification(NSString* name, id object, NSDictionary* userInfo)
    : name_(name), object_(object), retainedObject_(objc::cast<NSObject>(object)), userInfo_(userInfo) {}

NSNotification::~NSNotification() = default;

Ref<NSNotification> NSNotification::notificationWithName(NSString* name, id object, NSDictionary* userInfo) {
    return make<NSNotification>(name, object, userInfo);
}
