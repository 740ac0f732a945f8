#include "Foundation/NSArray.h"

#include "Foundation/NSException.h"
#include "Foundation/NSMutableArray.h"
#include "Foundation/NSRange.h"
#include "Foundation/NSString.h"
#include "Foundation/PropertyListDescription.h"
#include "Foundation/PropertyListFile.h"
#include "objc/ClassBuilder.h"

Class NSArray::class_() {
    static Class cls = objc::ClassBuilder<NSArray>("NSArray", NSObject::class_())
                           .method<&NSArray::description>("description")
                           .classMethod<&NSArray::arrayWithContentsOfFile>("arrayWithContentsOfFile:")
                           .classMethod<&NSArray::arrayWithArray>("arrayWithArray:")
                           .method<&NSArray::count>("count")
                           .method<&NSArray::objectAtIndex>("objectAtIndex:")
                           .method<&NSArray::firstObject>("firstObject")
                           .method<&NSArray::lastObject>("lastObject")
                           .method<&NSArray::indexOfObject>("indexOfObject:")
                           .method<&NSArray::containsObject>("containsObject:")
                           .method<&NSArray::writeToFile>("writeToFile:atomically:")
                           .method<&NSArray::isEqualToArray>("isEqualToArray:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = NSArray::class_();

NSArray::NSArray(std::vector<Ref<NSObject>> objects) : objects_(std::move(objects)) {
    for (const auto& o : objects_)
        if (!o) NSException::raise("NSInvalidArgumentException", "*** -[NSArray initWithObjects:]: nil object");
}

Ref<NSArray> NSArray::array() { return make<NSArray>(); }

Ref<NSArray> NSArray::arrayWithObjects(std::initializer_list<NSObject*> objects) {
    return make<NSArray>(std::vector<Ref<NSObject>>(objects.begin(), objects.end()));
}

Ref<NSArray> NSArray::arrayWithArray(const NSArray* array) {
    std::vector<Ref<NSObject>> members;
    if (array) {
        members.reserve(array->count());
        for (NSUInteger i = 0, n = array->count(); i < n; ++i) members.emplace_back(array->objectAtIndex(i));
    }
    return make<NSArray>(std::move(members));
}

Ref<NSArray> NSArray::arrayWithContentsOfFile(NSString* path) {
    return objc::cast<NSArray>(PropertyListFile::read(path).get());
}

NSUInteger NSArray::count() const { return objects_.size(); }

NSObject* NSArray::objectAtIndex(NSUInteger index) const {
    if (index >= objects_.size()) raiseBeyondBounds(index);
    return objects_[index].get();
}

void NSArray::raiseBeyondBounds(NSUInteger index) const {
    NSUInteger n = count();
    NSException::raise("NSRangeException",
                       "*** -[NSArray objectAtIndex:]: index " + std::to_string(index) +
                           (n ? " beyond bounds [0 .. " + std::to_string(n - 1) + "]" : " beyond bounds for empty array"));
}

NSObject* NSArray::firstObject() const { return count() ? objectAtIndex(0) : nullptr; }

NSObject* NSArray::lastObject() const { return count() ? objectAtIndex(count() - 1) : nullptr; }

NSUInteger NSArray::indexOfObject(const NSObject* object) const {
    if (object)
        for (NSUInteger i = 0, n = count(); i < n; ++i) {
            const NSObject* member = objectAtIndex(i);
            if (member == object || member->isEqual(object)) return i;
        }
    return NSNotFound;
}

bool NSArray::containsObject(const NSObject* object) const {
    return indexOfObject(object) != static_cast<NSUInteger>(NSNotFound);
}

void NSArray::enumerateObjectsUsingBlock(
    const std::function<void(NSObject* object, NSUInteger index, bool* stop)>& block) const {
    bool stop = false;
    for (NSUInteger i = 0, n = count(); i < n && !stop; ++i) block(objectAtIndex(i), i, &stop);
}

bool NSArray::writeToFile(NSString* path, bool atomically) const {
    return PropertyListFile::write(this, path, atomically);
}

bool NSArray::isEqualToArray(const NSArray* other) const {
    if (!other) return false;
    if (other == this) return true;
    NSUInteger n = count();
    if (other->count() != n) return false;
    for (NSUInteger i = 0; i < n; ++i)
        if (!objectAtIndex(i)->isEqual(other->objectAtIndex(i))) return false;
    return true;
}

Ref<NSString> NSArray::description() const { return NSString::from(PropertyListDescription::describe(this)); }

bool NSArray::isEqual(const NSObject* other) const {
    auto* a = dynamic_cast<const NSArray*>(other);
    return a && isEqualToArray(a);
}

std::size_t NSArray::hash() const { return count(); }
