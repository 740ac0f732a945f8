// The store over the application's standard user defaults: every operation
// goes straight to NSUserDefaults, which keeps the values and writes them out.
#pragma once

#include "Quilltray/Models/QLTAbstractSettingsStore.h"

class NSString;

class QLTSettingsStoreUserDefaults : public QLTAbstractSettingsStore {
    KORVEL_OBJC_CLASS(QLTSettingsStoreUserDefaults)
public:
    void setBool(bool value, NSString* key) override;
    void setFloat(float value, NSString* key) override;
    void setDouble(double value, NSString* key) override;
    void setInteger(int value, NSString* key) override;
    void setObject(NSObject* value, NSString* key) override;
    bool boolForKey(NSString* key) override;
    float floatForKey(NSString* key) override;
    double doubleForKey(NSString* key) override;
    int integerForKey(NSString* key) override;
    Ref<NSObject> objectForKey(NSString* key) override;
    bool synchronize() override;
};
