#include "Foundation/NSObjectAdditions.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "Foundation/NSRunLoop.h"
#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"
#include "objc/NSAutoreleasePool.h"

namespace {

id descriptionImp(id self, SEL) {
    auto* object = objc::cast<NSObject>(self);
    return object ? NSObjectAdditions::defaultDescription(object)->retain()->autorelease() : nullptr;
}
id valueForKeyImp(id self, SEL, id key) {
    return NSObjectAdditions::valueForKey(objc::cast<NSObject>(self), objc::cast<NSString>(key));
}
id valueForKeyPathImp(id self, SEL, id path) {
    return NSObjectAdditions::valueForKeyPath(objc::cast<NSObject>(self), objc::cast<NSString>(path));
}
// The receiver and the object are retained until the perform fires or is
// cancelled.
void performAfterDelayImp(id self, SEL, SEL selector, id object, double delay) {
    NSRunLoop::mainRunLoop()->performSelector(self, selector, object, delay);
}
void cancelAllImp(id, SEL, id target) {
    NSRunLoop::mainRunLoop()->cancelPerformRequests(target, false, nullptr, nullptr);
}
void cancelMatchingImp(id, SEL, id target, SEL selector, id object) {
    NSRunLoop::mainRunLoop()->cancelPerformRequests(target, true, selector, object);
}

void add(Class cls, const char* selector, auto imp, const char* types) {
    class_addMethod(cls, sel_registerName(selector), reinterpret_cast<IMP>(imp), types);
}

// Foundation's category on the root class, added when the library loads.
[[maybe_unused]] const bool kAdded = [] {
    Class root = NSObject::class_();
    add(root, "description", &descriptionImp, "@@:");
    add(root, "valueForKey:", &valueForKeyImp, "@@:@");
    add(root, "valueForKeyPath:", &valueForKeyPathImp, "@@:@");
    add(root, "performSelector:withObject:afterDelay:", &performAfterDelayImp, "v@::@d");
    add(object_getClass(reinterpret_cast<id>(root)), "cancelPreviousPerformRequestsWithTarget:", &cancelAllImp,
        "v@:@");
    add(object_getClass(reinterpret_cast<id>(root)), "cancelPreviousPerformRequestsWithTarget:selector:object:",
        &cancelMatchingImp, "v@:@:@");
    return true;
}();

}  // namespace

Ref<NSString> NSObjectAdditions::description(const objc_object* object) {
    if (!object) return NSString::from("(null)");
    // The answer comes autoreleased; it is kept here, not left to pile up in
    // an outer pool.
    NSAutoreleasePool pool;
    Ref<NSString> text = objc::cast<NSString>(objc::send<id>(const_cast<id>(object), "description"));
    return text ? text : NSString::from("(null)");
}

Ref<NSString> NSObjectAdditions::defaultDescription(const NSObject* object) {
    char buf[64];
    std::snprintf(buf, sizeof buf, ": %p>", static_cast<const void*>(object));
    return NSString::from(std::string("<") + object->className() + buf);
}

namespace {

// One key of a path, read without making a string object of it: Mail's
// rows read instance variables this way several times each.
id valueForKeyText(const NSObject* object, std::string_view key) {
    if (!object) return nullptr;
    id self = const_cast<NSObject*>(object);
    Class cls = object->objcClass();
    if (const auto* reader = cls->findIvar(key)) return (*reader)(self);
    std::string underscored = "_" + std::string(key);
    if (const auto* reader = cls->findIvar(underscored)) return (*reader)(self);
    SEL s = sel_registerName(underscored.c_str() + 1);
    Method m = class_getInstanceMethod(cls, s);
    if (m && method_getTypeEncoding(m)[0] == '@') return objc::send<id>(self, s);
    return nullptr;
}

}  // namespace

id NSObjectAdditions::valueForKey(const NSObject* object, NSString* key) {
    return key ? valueForKeyText(object, key->str()) : nullptr;
}

id NSObjectAdditions::valueForKeyPath(const NSObject* object, NSString* path) {
    if (!path) return nullptr;
    id current = const_cast<NSObject*>(object);
    std::string_view p = path->str();
    std::size_t start = 0;
    while (current) {
        std::size_t dot = p.find('.', start);
        current = valueForKeyText(objc::cast<NSObject>(current), p.substr(start, dot == std::string_view::npos
                                                                                      ? std::string_view::npos
                                                                                      : dot - start));
        if (dot == std::string_view::npos) break;
        start = dot + 1;
    }
    return current;
}
