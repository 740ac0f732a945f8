// What the phone's Foundation adds to the root class, which lives in the
// runtime below it: the default description, key-value coding and delayed
// performs. They are added to NSObject's runtime class at load, so a message
// reaches them by selector; C++ code calls these.
#pragma once

#include "objc/NSObject.h"

class NSString;

class NSObjectAdditions {
public:
    // What "description" answers: a class's own description where it has
    // one, else "<ClassName: 0xADDRESS>"; "(null)" for nil.
    static Ref<NSString> description(const objc_object* object);
    static Ref<NSString> defaultDescription(const NSObject* object);

    // Key-value coding of instance variables and getters by name: the
    // variable `key`, else `_key`, else a getter that answers an object. The
    // path's keys are separated by dots. An unknown key answers nil.
    static id valueForKey(const NSObject* object, NSString* key);
    static id valueForKeyPath(const NSObject* object, NSString* path);
};
