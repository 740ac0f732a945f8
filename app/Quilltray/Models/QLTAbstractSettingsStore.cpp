#include "Quilltray/Models/QLTAbstractSettingsStore.h"

#include "Foundation/NSException.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"

namespace {

[[noreturn]] void unimplemented(const char* selector) {
    NSException::raise("Unimplemented",
                       std::string(selector) + " must be implemented in subclasses of QLTAbstractSettingsStore");
}

}  // namespace

Class QLTAbstractSettingsStore::class_() {
    // The protocol's operations, answered by whichever subclass overrides them.
    using S = QLTAbstractSettingsStore;
    static Class cls = objc::ClassBuilder<S>("QLTAbstractSettingsStore", NSObject::class_())
                           .protocol(kName)
                           .method<&S::setBool>("setBool:forKey:")
                           .method<&S::setFloat>("setFloat:forKey:")
                           .method<&S::setDouble>("setDouble:forKey:")
                           .method<&S::setInteger>("setInteger:forKey:")
                           .method<&S::setObject>("setObject:forKey:")
                           .method<&S::boolForKey>("boolForKey:")
                           .method<&S::floatForKey>("floatForKey:")
                           .method<&S::doubleForKey>("doubleForKey:")
                           .method<&S::integerForKey>("integerForKey:")
                           .method<&S::objectForKey>("objectForKey:")
                           .method<&S::synchronize>("synchronize")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = QLTAbstractSettingsStore::class_();

void QLTAbstractSettingsStore::setObject(NSObject*, NSString*) { unimplemented("setObject:forKey:"); }

Ref<NSObject> QLTAbstractSettingsStore::objectForKey(NSString*) { unimplemented("objectForKey:"); }

void QLTAbstractSettingsStore::setBool(bool value, NSString* key) { setObject(NSNumber::numberWithBool(value), key); }

void QLTAbstractSettingsStore::setFloat(float value, NSString* key) {
    setObject(NSNumber::numberWithFloat(value), key);
}

void QLTAbstractSettingsStore::setDouble(double value, NSString* key) {
    setObject(NSNumber::numberWithDouble(value), key);
}

void QLTAbstractSettingsStore::setInteger(int value, NSString* key) { setObject(NSNumber::numberWithInt(value), key); }

bool QLTAbstractSettingsStore::boolForKey(NSString* key) {
    return objc::sendIfAnswered<BOOL>(objectForKey(key).get(), "boolValue");
}

float QLTAbstractSettingsStore::floatForKey(NSString* key) {
    return objc::sendIfAnswered<float>(objectForKey(key).get(), "floatValue");
}

double QLTAbstractSettingsStore::doubleForKey(NSString* key) {
    return objc::sendIfAnswered<double>(objectForKey(key).get(), "doubleValue");
}

int QLTAbstractSettingsStore::integerForKey(NSString* key) {
    return objc::sendIfAnswered<int>(objectForKey(key).get(), "intValue");
}

bool QLTAbstractSettingsStore::synchronize() { return false; }
