// Ordered list of objects. Reading a property-list file may give an array
// whose members are decoded only when asked for; every operation here works
// on the two primitives `count` and `objectAtIndex:`.
#pragma once

#include <functional>
#include <initializer_list>
#include <vector>

#include "objc/NSObject.h"

class NSString;

class NSArray : public NSObject {
    KORVEL_OBJC_CLASS(NSArray)
public:
    NSArray() = default;
    explicit NSArray(std::vector<Ref<NSObject>> objects);

    static Ref<NSArray> array();
    // Raises NSInvalidArgumentException for a nil member.
    static Ref<NSArray> arrayWithObjects(std::initializer_list<NSObject*> objects);
    static Ref<NSArray> arrayWithArray(const NSArray* array);
    // nil when the file is missing, unreadable, not a property list or not an array.
    static Ref<NSArray> arrayWithContentsOfFile(NSString* path);

    virtual NSUInteger count() const;
    // Raises NSRangeException beyond the end.
    virtual NSObject* objectAtIndex(NSUInteger index) const;
    NSObject* firstObject() const;
    NSObject* lastObject() const;
    // NSNotFound when no member is equal (`isEqual:`).
    NSUInteger indexOfObject(const NSObject* object) const;
    bool containsObject(const NSObject* object) const;
    void enumerateObjectsUsingBlock(const std::function<void(NSObject* object, NSUInteger index, bool* stop)>& block) const;

    // Writes the array as a binary property list; NO, with the old file left
    // as it was, when that fails or a member is not a property-list object.
    bool writeToFile(NSString* path, bool atomically) const;

    bool isEqualToArray(const NSArray* other) const;
    Ref<NSString> description() const;
    bool isEqual(const NSObject* other) const override;
    std::size_t hash() const override;

protected:
    [[noreturn]] void raiseBeyondBounds(NSUInteger index) const;

    std::vector<Ref<NSObject>> objects_;
};
