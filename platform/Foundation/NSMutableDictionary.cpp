#include "Foundation/NSMutableDictionary.h"

#include "Foundation/NSException.h"
#include "Foundation/NSObjectAdditions.h"
#include "Foundation/NSString.h"
#include "Foundation/PropertyListFile.h"
#include "objc/ClassBuilder.h"

Class NSMutableDictionary::class_() {
    static Class cls =
        objc::ClassBuilder<NSMutableDictionary>("NSMutableDictionary", NSDictionary::class_())
            .classMethod<&NSMutableDictionary::dictionaryWithContentsOfFile>("dictionaryWithContentsOfFile:")
            .classMethod<&NSMutableDictionary::dictionaryWithDictionary>("dictionaryWithDictionary:")
            .method<&NSMutableDictionary::initWithContentsOfFile>("initWithContentsOfFile:")
            .method<&NSMutableDictionary::setObject>("setObject:forKey:")
            .method<&NSMutableDictionary::removeObjectForKey>("removeObjectForKey:")
            .method<&NSMutableDictionary::removeAllObjects>("removeAllObjects")
            .method<&NSMutableDictionary::addEntriesFromDictionary>("addEntriesFromDictionary:")
            .allocatable()
            .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = NSMutableDictionary::class_();

Ref<NSMutableDictionary> NSMutableDictionary::dictionary() { return make<NSMutableDictionary>(); }

Ref<NSMutableDictionary> NSMutableDictionary::dictionaryWithDictionary(const NSDictionary* other) {
    auto copy = make<NSMutableDictionary>();
    copy->addEntriesFromDictionary(other);
    return copy;
}

Ref<NSMutableDictionary> NSMutableDictionary::dictionaryWithContentsOfFile(NSString* path) {
    auto d = make<NSMutableDictionary>();
    return d->initWithContentsOfFile(path);
}

NSMutableDictionary* NSMutableDictionary::initWithContentsOfFile(NSString* path) {
    removeAll();
    Ref<NSDictionary> read = objc::cast<NSDictionary>(PropertyListFile::read(path).get());
    if (!read) return nullptr;
    addEntriesFromDictionary(read);
    return this;
}

void NSMutableDictionary::setObject(NSObject* object, NSObject* key) {
    if (!key) NSException::raise("NSInvalidArgumentException", "*** -[NSMutableDictionary setObject:forKey:]: key cannot be nil");
    if (!object)
        NSException::raise("NSInvalidArgumentException",
                           "*** -[NSMutableDictionary setObject:forKey:]: object cannot be nil (key: " +
                               NSObjectAdditions::description(key)->str() + ")");
    put(key, object);
}

void NSMutableDictionary::removeObjectForKey(const NSObject* key) {
    if (!key) NSException::raise("NSInvalidArgumentException", "*** -[NSMutableDictionary removeObjectForKey:]: key cannot be nil");
    remove(key);
}

void NSMutableDictionary::removeAllObjects() { removeAll(); }

void NSMutableDictionary::addEntriesFromDictionary(const NSDictionary* other) {
    if (other)
        other->enumerateKeysAndObjectsUsingBlock([&](NSObject* key, NSObject* value, bool*) { put(key, value); });
}
