#include "Foundation/NSMutableArray.h"

#include "Foundation/NSException.h"
#include "objc/ClassBuilder.h"

Class NSMutableArray::class_() {
    static Class cls = objc::ClassBuilder<NSMutableArray>("NSMutableArray", NSArray::class_())
                           .classMethod<&NSMutableArray::arrayWithArray>("arrayWithArray:")
                           .method<&NSMutableArray::addObject>("addObject:")
                           .method<&NSMutableArray::addObjectsFromArray>("addObjectsFromArray:")
                           .method<&NSMutableArray::insertObject>("insertObject:atIndex:")
                           .method<&NSMutableArray::removeObjectAtIndex>("removeObjectAtIndex:")
                           .method<&NSMutableArray::removeLastObject>("removeLastObject")
                           .method<&NSMutableArray::removeObject>("removeObject:")
                           .method<&NSMutableArray::removeAllObjects>("removeAllObjects")
                           .method<&NSMutableArray::replaceObjectAtIndex>("replaceObjectAtIndex:withObject:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = NSMutableArray::class_();

namespace {

void requireObject(const NSObject* object, const char* operation) {
    if (!object)
        NSException::raise("NSInvalidArgumentException",
                           std::string("*** -[NSMutableArray ") + operation + "]: object cannot be nil");
}

}  // namespace

Ref<NSMutableArray> NSMutableArray::array() { return make<NSMutableArray>(); }

Ref<NSMutableArray> NSMutableArray::arrayWithArray(const NSArray* array) {
    auto copy = make<NSMutableArray>();
    copy->addObjectsFromArray(array);
    return copy;
}

void NSMutableArray::addObject(NSObject* object) {
    requireObject(object, "addObject:");
    objects_.emplace_back(object);
}

void NSMutableArray::addObjectsFromArray(const NSArray* array) {
    if (!array) return;
    for (NSUInteger i = 0, n = array->count(); i < n; ++i) objects_.emplace_back(array->objectAtIndex(i));
}

void NSMutableArray::insertObject(NSObject* object, NSUInteger index) {
    requireObject(object, "insertObject:atIndex:");
    if (index > objects_.size()) raiseBeyondBounds(index);
    objects_.emplace(objects_.begin() + static_cast<std::ptrdiff_t>(index), object);
}

void NSMutableArray::removeObjectAtIndex(NSUInteger index) {
    if (index >= objects_.size()) raiseBeyondBounds(index);
    objects_.erase(objects_.begin() + static_cast<std::ptrdiff_t>(index));
}

void NSMutableArray::removeLastObject() {
    if (!objects_.empty()) objects_.pop_back();
}

void NSMutableArray::removeObject(const NSObject* object) {
    if (!object) return;
    // The argument may be one of the members that are about to go.
    Ref<NSObject> keep(const_cast<NSObject*>(object));
    std::erase_if(objects_, [&](const Ref<NSObject>& o) { return o.get() == object || o->isEqual(object); });
}

void NSMutableArray::removeAllObjects() { objects_.clear(); }

void NSMutableArray::replaceObjectAtIndex(NSUInteger index, NSObject* object) {
    requireObject(object, "replaceObjectAtIndex:withObject:");
    if (index >= objects_.size()) raiseBeyondBounds(index);
    objects_[index] = object;
}
