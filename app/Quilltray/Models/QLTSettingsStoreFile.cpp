#include "Quilltray/Models/QLTSettingsStoreFile.h"

#include "Foundation/NSMutableDictionary.h"
#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"

Class QLTSettingsStoreFile::class_() {
    static Class cls =
        objc::ClassBuilder<QLTSettingsStoreFile>("QLTSettingsStoreFile", QLTAbstractSettingsStore::class_())
            .method<&QLTSettingsStoreFile::initWithPath>("initWithPath:")
            .allocatable()
            .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = QLTSettingsStoreFile::class_();

QLTSettingsStoreFile::QLTSettingsStoreFile() : dict_(make<NSMutableDictionary>()) {}
QLTSettingsStoreFile::~QLTSettingsStoreFile() = default;

QLTSettingsStoreFile* QLTSettingsStoreFile::initWithPath(NSString* path) {
    filePath_ = path;
    // On failure the dictionary is left empty, which is the store's start then.
    dict_->initWithContentsOfFile(path);
    return this;
}

void QLTSettingsStoreFile::setObject(NSObject* value, NSString* key) {
    // A nil value or key would raise in the dictionary; a nil value removes
    // the key, as the user defaults do.
    if (!key) return;
    if (value)
        dict_->setObject(value, key);
    else
        dict_->removeObjectForKey(key);
}

Ref<NSObject> QLTSettingsStoreFile::objectForKey(NSString* key) { return key ? dict_->objectForKey(key) : nullptr; }

bool QLTSettingsStoreFile::synchronize() { return dict_->writeToFile(filePath_, true); }
