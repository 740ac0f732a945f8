#include "objc/NSObject.h"

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
                      .method<&NSObject::isEqual>("isEqual:")
                      .method<&NSObject::hash>("hash")
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

bool NSObject::isEqual(const NSObject* other) const { return other == this; }

std::size_t NSObject::hash() const { return reinterpret_cast<std::size_t>(this); }

id NSObject::performSelector(SEL sel) { return objc::send<id>(this, sel); }

id NSObject::performSelector(SEL sel, id object) { return objc::send<id>(this, sel, object); }

id NSObject::performSelector(SEL sel, id object1, id object2) {
    return objc::send<id>(this, sel, object1, object2);
}
