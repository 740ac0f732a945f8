#include "objc/NSObject.h"

#include <cstdio>

#include "Foundation/NSRunLoop.h"
#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"
#include "objc/NSAutoreleasePool.h"

namespace {

// Answers to the runtime for the root operations that are sent by selector.
BOOL respondsImp(id self, SEL, SEL s) { return class_respondsToSelector(object_getClass(self), s); }
BOOL isKindImp(id self, SEL, Class c) {
    Class own = object_getClass(self);
    return own && c && own->isSubclassOf(c) ? YES : NO;
}
id selfImp(id self, SEL) { return self; }
Class classImp(id self, SEL) {
    Class c = object_getClass(self);
    // A class object answers itself; an instance its class.
    return c && c->isMeta ? objc_getClass(c->name.c_str()) : c;
}
id retainImp(id self, SEL) {
    if (auto* o = objc::cast<NSObject>(self)) o->retain();
    return self;
}
void releaseImp(id self, SEL) {
    if (auto* o = objc::cast<NSObject>(self)) o->release();
}
id autoreleaseImp(id self, SEL) {
    if (auto* o = objc::cast<NSObject>(self)) o->autorelease();
    return self;
}
BOOL conformsImp(id self, SEL, const char* p) {
    Class c = object_getClass(self);
    return c && p && c->conformsTo(p) ? YES : NO;
}

}  // namespace

Class NSObject::class_() {
    static Class cls = [] {
        Class c = objc::ClassBuilder<NSObject>("NSObject", nullptr)
                      .method<&NSObject::description>("description")
                      .method<&NSObject::isEqual>("isEqual:")
                      .method<&NSObject::hash>("hash")
                      .method<&NSObject::valueForKeyPath>("valueForKeyPath:")
                      .method<&NSObject::valueForKey>("valueForKey:")
                      .method<static_cast<void (NSObject::*)(SEL, id, double)>(&NSObject::performSelector)>(
                          "performSelector:withObject:afterDelay:")
                      .classMethod<static_cast<void (*)(id)>(&NSObject::cancelPreviousPerformRequestsWithTarget)>(
                          "cancelPreviousPerformRequestsWithTarget:")
                      .classMethod<static_cast<void (*)(id, SEL, id)>(
                          &NSObject::cancelPreviousPerformRequestsWithTarget)>(
                          "cancelPreviousPerformRequestsWithTarget:selector:object:")
                      .allocatable()
                      .build();
        class_addMethod(c, sel_registerName("respondsToSelector:"), reinterpret_cast<IMP>(&respondsImp), "c@::");
        class_addMethod(c, sel_registerName("isKindOfClass:"), reinterpret_cast<IMP>(&isKindImp), "c@:#");
        class_addMethod(c, sel_registerName("conformsToProtocol:"), reinterpret_cast<IMP>(&conformsImp), "c@:*");
        class_addMethod(c, sel_registerName("init"), reinterpret_cast<IMP>(&selfImp), "@@:");
        class_addMethod(c, sel_registerName("self"), reinterpret_cast<IMP>(&selfImp), "@@:");
        class_addMethod(c, sel_registerName("class"), reinterpret_cast<IMP>(&classImp), "#@:");
        class_addMethod(c, sel_registerName("retain"), reinterpret_cast<IMP>(&retainImp), "@@:");
        class_addMethod(c, sel_registerName("release"), reinterpret_cast<IMP>(&releaseImp), "v@:");
        class_addMethod(c, sel_registerName("autorelease"), reinterpret_cast<IMP>(&autoreleaseImp), "@@:");
        return c;
    }();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = NSObject::class_();

NSObject::~NSObject() = default;

NSObject* NSObject::retain() {
    refs_.fetch_add(1, std::memory_order_relaxed);
    return this;
}

void NSObject::release() {
    if (refs_.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
}

NSObject* NSObject::autorelease() {
    NSAutoreleasePool::addObject(this);
    return this;
}

const char* NSObject::className() const { return class_getName(objcClass()); }

bool NSObject::respondsToSelector(SEL sel) const { return class_respondsToSelector(objcClass(), sel); }

bool NSObject::isKindOfClass(Class cls) const { return cls && objcClass()->isSubclassOf(cls); }

bool NSObject::isMemberOfClass(Class cls) const { return cls && objcClass() == cls; }

bool NSObject::conformsToProtocol(const char* protocol) const {
    return protocol && objcClass()->conformsTo(protocol);
}

Ref<NSString> NSObject::description() const {
    char buf[64];
    std::snprintf(buf, sizeof buf, ": %p>", static_cast<const void*>(this));
    return NSString::from(std::string("<") + className() + buf);
}

bool NSObject::isEqual(const NSObject* other) const { return other == this; }

std::size_t NSObject::hash() const { return reinterpret_cast<std::size_t>(this); }

id NSObject::valueForKey(NSString* key) const {
    if (!key) return nullptr;
    const std::string& k = key->str();
    id self = const_cast<NSObject*>(this);
    if (const auto* reader = objcClass()->findIvar(k)) return (*reader)(self);
    if (const auto* reader = objcClass()->findIvar("_" + k)) return (*reader)(self);
    // A getter that answers an object.
    SEL s = sel_registerName(k.c_str());
    Method m = class_getInstanceMethod(objcClass(), s);
    if (m && method_getTypeEncoding(m)[0] == '@') return objc::send<id>(self, s);
    return nullptr;
}

id NSObject::valueForKeyPath(NSString* path) const {
    if (!path) return nullptr;
    id current = const_cast<NSObject*>(this);
    const std::string& p = path->str();
    std::size_t start = 0;
    while (current) {
        std::size_t dot = p.find('.', start);
        std::string key = p.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        auto* object = objc::cast<NSObject>(current);
        current = object ? object->valueForKey(NSString::from(key)) : nullptr;
        if (dot == std::string::npos) break;
        start = dot + 1;
    }
    return current;
}

id NSObject::performSelector(SEL sel) { return objc::send<id>(this, sel); }

id NSObject::performSelector(SEL sel, id object) { return objc::send<id>(this, sel, object); }

id NSObject::performSelector(SEL sel, id object1, id object2) {
    return objc::send<id>(this, sel, object1, object2);
}

void NSObject::performSelector(SEL sel, id object, double afterDelay) {
    NSRunLoop::mainRunLoop()->performSelector(this, sel, object, afterDelay);
}

void NSObject::cancelPreviousPerformRequestsWithTarget(id target) {
    NSRunLoop::mainRunLoop()->cancelPerformRequests(target, false, nullptr, nullptr);
}

void NSObject::cancelPreviousPerformRequestsWithTarget(id target, SEL sel, id object) {
    NSRunLoop::mainRunLoop()->cancelPerformRequests(target, true, sel, object);
}
