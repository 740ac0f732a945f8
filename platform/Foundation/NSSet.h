// An unordered collection of distinct objects (by `hash` and `isEqual`).
// Members come back in the order they were first added.
#pragma once

#include <initializer_list>
#include <vector>

#include "Foundation/ObjectIndex.h"
#include "objc/NSObject.h"

class NSArray;
class NSString;

class NSSet : public NSObject {
    KORVEL_OBJC_CLASS(NSSet)
public:
    NSSet() = default;
    explicit NSSet(const std::vector<NSObject*>& objects);

    static Ref<NSSet> set();
    static Ref<NSSet> setWithObjects(std::initializer_list<NSObject*> objects);
    static Ref<NSSet> setWithArray(const NSArray* array);

    NSUInteger count() const { return members_.size(); }
    Ref<NSArray> allObjects() const;
    NSObject* anyObject() const;
    bool containsObject(const NSObject* object) const;
    // The member equal to `object`, or nil.
    NSObject* member(const NSObject* object) const;

    bool isEqualToSet(const NSSet* other) const;
    Ref<NSString> description() const;
    bool isEqual(const NSObject* other) const override;
    std::size_t hash() const override;

private:
    std::vector<Ref<NSObject>> members_;
    ObjectIndex index_;
};
