// What a notification carries: its name, the object it is about and an
// optional dictionary of details. The notification retains all three.
#pragma once

#include "objc/NSObject.h"

class NSDictionary;
class NSString;

class NSNotification : public NSObject {
    KORVEL_OBJC_CLASS(NSNotification)
public:
    NSNotification(NSString* name, id object, NSDictionary* userInfo);
    ~NSNotification() override;

    static Ref<NSNotification> notificationWithName(NSString* name, id object, NSDictionary* userInfo);

    NSString* name() const { return name_.get(); }
    id object() const { return object_; }
    NSDictionary* userInfo() const { return userInfo_.get(); }

private:
    Ref<NSString> name_;
    // Any object, a class included; retained when it counts references.
    id object_;
    Ref<NSObject> retainedObject_;
    Ref<NSDictionary> userInfo_;
};
