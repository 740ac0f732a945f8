// Keys and values, found by the key's `hash` and `isEqual`, and kept in the
// order in which the keys were read or first set. Reading a property-list
// file may give a dictionary whose entries are decoded only when asked for;
// every operation here works on the primitives `count`, `objectForKey:` and
// the ordered `keyAt`/`valueAt`.
#pragma once

#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include "Foundation/ObjectIndex.h"
#include "objc/NSObject.h"

class NSArray;
class NSString;

class NSDictionary : public NSObject {
    KORVEL_OBJC_CLASS(NSDictionary)
public:
    NSDictionary() = default;
    // {key, value} pairs; a later pair with an equal key replaces the value.
    NSDictionary(std::initializer_list<std::pair<NSObject*, NSObject*>> entries);
    explicit NSDictionary(std::vector<std::pair<Ref<NSObject>, Ref<NSObject>>> entries);

    static Ref<NSDictionary> dictionary();
    static Ref<NSDictionary> dictionaryWithDictionary(const NSDictionary* other);
    // nil when the file is missing, unreadable, not a property list or not a dictionary.
    static Ref<NSDictionary> dictionaryWithContentsOfFile(NSString* path);

    virtual NSUInteger count() const;
    virtual NSObject* objectForKey(const NSObject* key) const;
    // Entries in key order. An entry of a file whose value is damaged reads
    // as absent here as it does to `objectForKey:`.
    Ref<NSArray> allKeys() const;
    Ref<NSArray> allValues() const;
    void enumerateKeysAndObjectsUsingBlock(const std::function<void(NSObject* key, NSObject* value, bool* stop)>& block) const;

    // Writes the dictionary as a binary property list; NO, with the old file
    // left as it was, when that fails or an entry is not a property-list object.
    bool writeToFile(NSString* path, bool atomically) const;

    bool isEqualToDictionary(const NSDictionary* other) const;
    Ref<NSString> description() const;
    bool isEqual(const NSObject* other) const override;
    std::size_t hash() const override;

protected:
    virtual NSObject* keyAt(NSUInteger position) const;
    virtual NSObject* valueAt(NSUInteger position) const;

    // Sets or replaces; the key keeps its first position.
    void put(NSObject* key, NSObject* value);
    void remove(const NSObject* key);
    void removeAll();

private:
    struct Entry {
        Ref<NSObject> key;
        Ref<NSObject> value;
    };
    std::vector<Entry> entries_;
    ObjectIndex index_;
};
