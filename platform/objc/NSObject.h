// Root class of every platform and system class: the runtime class it answers
// to, a reference count with autorelease, and the few root operations that
// every object has. What the phone's Foundation adds to the root class
// (description, key-value coding, delayed performs) Foundation adds here too,
// at load: see Foundation/NSObjectAdditions.h.
#pragma once

#include <atomic>
#include <cstddef>
#include <string>

#include "objc/ObjcObject.h"
#include "objc/Ref.h"

// Declares the runtime class of a C++ class. The matching definition builds it
// with objc::ClassBuilder in the class's source file.
#define KORVEL_OBJC_CLASS(Name)                         \
public:                                                 \
    static Class class_();                              \
    Class objcClass() const override { return class_(); }

class NSObject : public objc_object {
    KORVEL_OBJC_CLASS(NSObject)
public:
    NSObject() = default;
    ~NSObject() override;

    NSObject* retain();
    void release();
    // Hands one reference to the current autorelease pool.
    NSObject* autorelease();
    unsigned retainCount() const { return refs_.load(std::memory_order_relaxed); }

    const char* className() const;
    bool respondsToSelector(SEL sel) const;
    bool isKindOfClass(Class cls) const;
    bool isMemberOfClass(Class cls) const;
    bool conformsToProtocol(const char* protocol) const;

    virtual bool isEqual(const NSObject* other) const;
    virtual std::size_t hash() const;

    // performSelector: with zero, one or two object arguments.
    id performSelector(SEL sel);
    id performSelector(SEL sel, id object);
    id performSelector(SEL sel, id object1, id object2);

private:
    // Atomic, as on the phone: an object may be retained and released from
    // more than one thread (a cache shared under a lock, say).
    std::atomic<unsigned> refs_ = 1;
};
