// A dictionary that changes in place. A nil key or value raises, as on the phone.
#pragma once

#include "Foundation/NSDictionary.h"

class NSString;

class NSMutableDictionary : public NSDictionary {
    KORVEL_OBJC_CLASS(NSMutableDictionary)
public:
    using NSDictionary::NSDictionary;

    static Ref<NSMutableDictionary> dictionary();
    static Ref<NSMutableDictionary> dictionaryWithDictionary(const NSDictionary* other);
    static Ref<NSMutableDictionary> dictionaryWithContentsOfFile(NSString* path);
    // Replaces the entries by the file's top-level entries and answers this
    // dictionary; nil, leaving it empty, when the file is missing, unreadable,
    // not a property list or not a dictionary.
    NSMutableDictionary* initWithContentsOfFile(NSString* path);

    void setObject(NSObject* object, NSObject* key);
    void removeObjectForKey(const NSObject* key);
    void removeAllObjects();
    void addEntriesFromDictionary(const NSDictionary* other);
};
