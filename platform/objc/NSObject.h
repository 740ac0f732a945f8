// Root class of every platform and system class: the runtime class it answers
// to, a reference count with autorelease, and the few root operations that
// every object has.
#pragma once

#include <atomic>
#include <cstddef>
#include <string>

#include "objc/ObjcObject.h"
#include "objc/Ref.h"

class NSString;

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

    virtual Ref<NSString> description() const;
    virtual bool isEqual(const NSObject* other) const;
    virtual std::size_t hash() const;

    // Key-value coding of instance variables and getters by name; the path's
    // keys are separated by dots. An unknown key answers nil.
    id valueForKeyPath(NSString* path) const;
    id valueForKey(NSString* key) const;

    // performSelector: with zero, one or two object arguments.
    id performSelector(SEL sel);
    id performSelector(SEL sel, id object);
    id performSelector(SEL sel, id object1, id object2);
    // performSelector:withObject:afterDelay: on the main run loop; the
    // receiver and the object are retained until it fires or is cancelled.
    void performSelector(SEL sel, id object, double afterDelay);
    // Cancels the target's pending delayed performs: all of them, or those of
    // `sel` whose object is equal (isEqual:) to `object`.
    static void cancelPreviousPerformRequestsWithTarget(id target);
    static void cancelPreviousPerformRequestsWithTarget(id target, SEL sel, id object);

private:
    // Atomic, as on the phone: an object may be retained and released from
    // more than one thread (a cache shared under a lock, say).
    std::atomic<unsigned> refs_ = 1;
};
