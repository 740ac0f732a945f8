// A store over one property-list file of its own: the values live in memory
// from the start and reach the file only on synchronize, which replaces it
// atomically, so the file is always the old values or the new ones whole.
#pragma once

#include "Quilltray/Models/QLTAbstractSettingsStore.h"

class NSMutableDictionary;
class NSString;

class QLTSettingsStoreFile : public QLTAbstractSettingsStore {
    KORVEL_OBJC_CLASS(QLTSettingsStoreFile)
public:
    QLTSettingsStoreFile();
    ~QLTSettingsStoreFile() override;

    // Starts with the file's dictionary; empty when the file is missing or
    // is not a property-list dictionary (the first synchronize replaces it).
    QLTSettingsStoreFile* initWithPath(NSString* path);

    // In memory only.
    void setObject(NSObject* value, NSString* key) override;
    Ref<NSObject> objectForKey(NSString* key) override;
    // Writes every value to the file; NO, with the file as it was, when that fails.
    bool synchronize() override;

private:
    Ref<NSString> filePath_;
    Ref<NSMutableDictionary> dict_;
};
