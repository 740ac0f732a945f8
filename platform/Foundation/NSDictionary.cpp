#include "Foundation/NSDictionary.h"

#include "Foundation/NSException.h"
#include "Foundation/NSMutableArray.h"
#include "Foundation/NSString.h"
#include "Foundation/PropertyListDescription.h"
#include "Foundation/PropertyListFile.h"
#include "objc/ClassBuilder.h"

Class NSDictionary::class_() {
    static Class cls = objc::ClassBuilder<NSDictionary>("NSDictionary", NSObject::class_())
                           .method<&NSDictionary::description>("description")
                           .classMethod<&NSDictionary::dictionaryWithContentsOfFile>("dictionaryWithContentsOfFile:")
                           .classMethod<&NSDictionary::dictionaryWithDictionary>("dictionaryWithDictionary:")
                           .method<&NSDictionary::count>("count")
                           .method<&NSDictionary::objectForKey>("objectForKey:")
                           .method<&NSDictionary::allKeys>("allKeys")
                           .method<&NSDictionary::allValues>("allValues")
                           .method<&NSDictionary::writeToFile>("writeToFile:atomically:")
                           .method<&NSDictionary::isEqualToDictionary>("isEqualToDictionary:")
                           .allocatable()
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = NSDictionary::class_();

NSDictionary::NSDictionary(std::initializer_list<std::pair<NSObject*, NSObject*>> entries) {
    for (const auto& [key, value] : entries) {
        if (!key || !value)
            NSException::raise("NSInvalidArgumentException",
                               "*** -[NSDictionary initWithObjects:forKeys:]: attempt to insert nil");
        put(key, value);
    }
}

NSDictionary::NSDictionary(std::vector<std::pair<Ref<NSObject>, Ref<NSObject>>> entries) {
    for (const auto& [key, value] : entries) {
        if (!key || !value)
            NSException::raise("NSInvalidArgumentException",
                               "*** -[NSDictionary initWithObjects:forKeys:]: attempt to insert nil");
        put(key, value);
    }
}

Ref<NSDictionary> NSDictionary::dictionary() { return make<NSDictionary>(); }

Ref<NSDictionary> NSDictionary::dictionaryWithDictionary(const NSDictionary* other) {
    auto copy = make<NSDictionary>();
    if (other)
        other->enumerateKeysAndObjectsUsingBlock([&](NSObject* key, NSObject* value, bool*) { copy->put(key, value); });
    return copy;
}

Ref<NSDictionary> NSDictionary::dictionaryWithContentsOfFile(NSString* path) {
    Ref<NSObject> root = PropertyListFile::read(path);
    // The read's reference becomes the answer's: no retain and release per read.
    auto* dictionary = objc::cast<NSDictionary>(root.get());
    if (!dictionary) return nullptr;
    root.leak();
    return Ref<NSDictionary>::adopt(dictionary);
}

NSUInteger NSDictionary::count() const { return entries_.size(); }

NSObject* NSDictionary::objectForKey(const NSObject* key) const {
    auto position = index_.find(key);
    return position ? entries_[*position].value.get() : nullptr;
}

NSObject* NSDictionary::keyAt(NSUInteger position) const { return entries_[position].key.get(); }

NSObject* NSDictionary::valueAt(NSUInteger position) const { return entries_[position].value.get(); }

Ref<NSArray> NSDictionary::allKeys() const {
    auto keys = make<NSMutableArray>();
    enumerateKeysAndObjectsUsingBlock([&](NSObject* key, NSObject*, bool*) { keys->addObject(key); });
    return keys;
}

Ref<NSArray> NSDictionary::allValues() const {
    auto values = make<NSMutableArray>();
    enumerateKeysAndObjectsUsingBlock([&](NSObject*, NSObject* value, bool*) { values->addObject(value); });
    return values;
}

void NSDictionary::enumerateKeysAndObjectsUsingBlock(
    const std::function<void(NSObject* key, NSObject* value, bool* stop)>& block) const {
    bool stop = false;
    for (NSUInteger i = 0, n = count(); i < n && !stop; ++i) {
        NSObject* value = valueAt(i);
        NSObject* key = value ? keyAt(i) : nullptr;
        if (key) block(key, value, &stop);
    }
}

bool NSDictionary::writeToFile(NSString* path, bool atomically) const {
    return PropertyListFile::write(this, path, atomically);
}

void NSDictionary::put(NSObject* key, NSObject* value) {
    if (auto position = index_.find(key)) {
        entries_[*position].value = value;
        return;
    }
    entries_.push_back({key, value});
    index_.insert(entries_.back().key.get(), entries_.size() - 1);
}

void NSDictionary::remove(const NSObject* key) {
    auto position = index_.find(key);
    if (!position) return;
    // The entry may hold the last reference to the argument.
    Entry gone = std::move(entries_[*position]);
    index_.erase(gone.key.get());
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(*position));
}

void NSDictionary::removeAll() {
    index_.clear();
    entries_.clear();
}

bool NSDictionary::isEqualToDictionary(const NSDictionary* other) const {
    if (!other) return false;
    if (other == this) return true;
    if (other->count() != count()) return false;
    bool equal = true;
    enumerateKeysAndObjectsUsingBlock([&](NSObject* key, NSObject* value, bool* stop) {
        const NSObject* theirs = other->objectForKey(key);
        equal = theirs && theirs->isEqual(value);
        *stop = !equal;
    });
    return equal;
}

Ref<NSString> NSDictionary::description() const { return NSString::from(PropertyListDescription::describe(this)); }

bool NSDictionary::isEqual(const NSObject* other) const {
    auto* d = dynamic_cast<const NSDictionary*>(other);
    return d && isEqualToDictionary(d);
}

std::size_t NSDictionary::hash() const { return count(); }
