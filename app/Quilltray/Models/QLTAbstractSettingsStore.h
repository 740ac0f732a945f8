// The base of the settings stores: the typed operations are built on the two
// primitives setObject:forKey: and objectForKey:, which raise "Unimplemented"
// here, so a subclass that lacks them fails loudly instead of losing values.
// synchronize writes nothing and answers NO.
#pragma once

#include "Quilltray/Models/QLTSettingsStore.h"

class NSString;

class QLTAbstractSettingsStore : public QLTSettingsStore {
    KORVEL_OBJC_CLASS(QLTAbstractSettingsStore)
public:
    void setBool(bool value, NSString* key) override;
    void setFloat(float value, NSString* key) override;
    void setDouble(double value, NSString* key) override;
    void setInteger(int value, NSString* key) override;
    void setObject(NSObject* value, NSString* key) override;
    // The typed readings of objectForKey:'s value; NO or 0 when absent.
    bool boolForKey(NSString* key) override;
    float floatForKey(NSString* key) override;
    double doubleForKey(NSString* key) override;
    int integerForKey(NSString* key) override;
    Ref<NSObject> objectForKey(NSString* key) override;
    bool synchronize() override;
};
