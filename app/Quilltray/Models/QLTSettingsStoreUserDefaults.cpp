#include "Quilltray/Models/QLTSettingsStoreUserDefaults.h"

#include "Foundation/NSUserDefaults.h"
#include "objc/ClassBuilder.h"

namespace {

NSUserDefaults* defaults() { return NSUserDefaults::standardUserDefaults(); }

}  // namespace

Class QLTSettingsStoreUserDefaults::class_() {
    static Class cls = objc::ClassBuilder<QLTSettingsStoreUserDefaults>("QLTSettingsStoreUserDefaults",
                                                                        QLTAbstractSettingsStore::class_())
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = QLTSettingsStoreUserDefaults::class_();

void QLTSettingsStoreUserDefaults::setBool(bool value, NSString* key) { defaults()->setBool(value, key); }

void QLTSettingsStoreUserDefaults::setFloat(float value, NSString* key) { defaults()->setFloat(value, key); }

void QLTSettingsStoreUserDefaults::setDouble(double value, NSString* key) { defaults()->setDouble(value, key); }

void QLTSettingsStoreUserDefaults::setInteger(int value, NSString* key) { defaults()->setInteger(value, key); }

void QLTSettingsStoreUserDefaults::setObject(NSObject* value, NSString* key) { defaults()->setObject(value, key); }

bool QLTSettingsStoreUserDefaults::boolForKey(NSString* key) { return defaults()->boolForKey(key); }

float QLTSettingsStoreUserDefaults::floatForKey(NSString* key) { return defaults()->floatForKey(key); }

double QLTSettingsStoreUserDefaults::doubleForKey(NSString* key) { return defaults()->doubleForKey(key); }

// The phone's NSInteger is an int; so is the protocol's.
int QLTSettingsStoreUserDefaults::integerForKey(NSString* key) {
    return static_cast<int>(defaults()->integerForKey(key));
}

Ref<NSObject> QLTSettingsStoreUserDefaults::objectForKey(NSString* key) { return defaults()->objectForKey(key); }

bool QLTSettingsStoreUserDefaults::synchronize() { return defaults()->synchronize(); }
