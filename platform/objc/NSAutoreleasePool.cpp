#include "objc/NSAutoreleasePool.h"

#include "objc/ClassBuilder.h"

#include <mutex>

namespace {

// Pools are per thread, as on the phone: a thread's autoreleased objects wait
// in its own innermost pool.
NSAutoreleasePool*& innermost() {
    thread_local NSAutoreleasePool* top = nullptr;
    return top;
}

// Objects autoreleased with no pool pushed wait in one process-wide pool,
// which any thread may reach.
std::vector<NSObject*>& basePool() {
    static auto* objects = new std::vector<NSObject*>;
    return *objects;
}

std::mutex& basePoolLock() {
    static auto* lock = new std::mutex;
    return *lock;
}

void releaseAll(std::vector<NSObject*>& objects) {
    // Releasing may autorelease more; keep draining until nothing is left.
    while (!objects.empty()) {
        std::vector<NSObject*> batch;
        batch.swap(objects);
        for (NSObject* o : batch) o->release();
    }
}

}  // namespace

Class NSAutoreleasePool::class_() {
    static Class cls = objc::ClassBuilder<NSAutoreleasePool>("NSAutoreleasePool", NSObject::class_())
                           .method<&NSAutoreleasePool::drain>("drain")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = NSAutoreleasePool::class_();

NSAutoreleasePool::NSAutoreleasePool() : outer_(innermost()) { innermost() = this; }

NSAutoreleasePool::~NSAutoreleasePool() {
    drain();
    innermost() = outer_;
}

void NSAutoreleasePool::drain() { releaseAll(objects_); }

void NSAutoreleasePool::addObject(NSObject* object) {
    if (NSAutoreleasePool* top = innermost()) top->objects_.push_back(object);
    else {
        std::lock_guard guard(basePoolLock());
        basePool().push_back(object);
    }
}

void NSAutoreleasePool::drainBasePool() {
    std::vector<NSObject*> objects;
    {
        std::lock_guard guard(basePoolLock());
        objects.swap(basePool());
    }
    releaseAll(objects);
}
