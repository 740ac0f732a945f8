#include "Foundation/NSSet.h"

#include "Foundation/NSException.h"
#include "Foundation/NSMutableArray.h"
#include "Foundation/NSString.h"
#include "Foundation/PropertyListDescription.h"
#include "objc/ClassBuilder.h"

Class NSSet::class_() {
    static Class cls = objc::ClassBuilder<NSSet>("NSSet", NSObject::class_())
                           .method<&NSSet::description>("description")
                           .classMethod<&NSSet::setWithArray>("setWithArray:")
                           .method<&NSSet::count>("count")
                           .method<&NSSet::allObjects>("allObjects")
                           .method<&NSSet::anyObject>("anyObject")
                           .method<&NSSet::containsObject>("containsObject:")
                           .method<&NSSet::member>("member:")
                           .method<&NSSet::isEqualToSet>("isEqualToSet:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = NSSet::class_();

NSSet::NSSet(const std::vector<NSObject*>& objects) {
    for (NSObject* o : objects) {
        if (!o) NSException::raise("NSInvalidArgumentException", "*** -[NSSet initWithObjects:]: nil object");
        if (index_.find(o)) continue;
        members_.emplace_back(o);
        index_.insert(o, members_.size() - 1);
    }
}

Ref<NSSet> NSSet::set() { return make<NSSet>(); }

Ref<NSSet> NSSet::setWithObjects(std::initializer_list<NSObject*> objects) {
    return make<NSSet>(std::vector<NSObject*>(objects));
}

Ref<NSSet> NSSet::setWithArray(const NSArray* array) {
    std::vector<NSObject*> objects;
    if (array)
        for (NSUInteger i = 0, n = array->count(); i < n; ++i) objects.push_back(array->objectAtIndex(i));
    return make<NSSet>(objects);
}

Ref<NSArray> NSSet::allObjects() const { return make<NSArray>(members_); }

NSObject* NSSet::anyObject() const { return members_.empty() ? nullptr : members_.front().get(); }

bool NSSet::containsObject(const NSObject* object) const { return member(object) != nullptr; }

NSObject* NSSet::member(const NSObject* object) const {
    auto position = index_.find(object);
    return position ? members_[*position].get() : nullptr;
}

bool NSSet::isEqualToSet(const NSSet* other) const {
    if (!other || other->count() != count()) return false;
    for (const auto& m : members_)
        if (!other->containsObject(m)) return false;
    return true;
}

Ref<NSString> NSSet::description() const { return NSString::from(PropertyListDescription::describe(this)); }

bool NSSet::isEqual(const NSObject* other) const {
    auto* s = dynamic_cast<const NSSet*>(other);
    return s && isEqualToSet(s);
}

std::size_t NSSet::hash() const { return count(); }
