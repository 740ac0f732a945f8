// The protocol QLTSettingsStore: where the values that settings rows edit
// live, under the rows' keys. The settings screens talk to a store only
// through it, so one screen edits the standard user defaults or a file of
// its own alike. Every operation is required; a store's runtime class
// adopts the protocol by kName, and its selectors are the protocol's own
// ("setBool:forKey:", "objectForKey:", "synchronize", ...).
#pragma once

#include "objc/NSObject.h"

class NSString;

class QLTSettingsStore : public NSObject {
public:
    static constexpr const char* kName = "QLTSettingsStore";

    virtual void setBool(bool value, NSString* key) = 0;
    virtual void setFloat(float value, NSString* key) = 0;
    virtual void setDouble(double value, NSString* key) = 0;
    virtual void setInteger(int value, NSString* key) = 0;
    virtual void setObject(NSObject* value, NSString* key) = 0;
    virtual bool boolForKey(NSString* key) = 0;
    virtual float floatForKey(NSString* key) = 0;
    virtual double doubleForKey(NSString* key) = 0;
    virtual int integerForKey(NSString* key) = 0;
    // nil when the key has no value.
    virtual Ref<NSObject> objectForKey(NSString* key) = 0;
    // Whether the values were written out.
    virtual bool synchronize() = 0;
};
