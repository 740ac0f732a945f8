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

// Storage a pool keeps once drained, and hands to the thread's next pool, is
// bounded, so that one large burst is not held for good.
constexpr std::size_t kMaxKeptCapacity = 4096;

void releaseAll(std::vector<NSObject*>& objects) {
    // Releasing may autorelease more; keep draining until nothing is left.
    // The two vectors trade storage, so a drained pool keeps its capacity.
    std::vector<NSObject*> batch;
    while (!objects.empty()) {
        batch.swap(objects);
        for (NSObject* o : batch) o->release();
        batch.clear();
    }
    if (batch.capacity() > objects.capacity()) objects.swap(batch);
    if (objects.capacity() > kMaxKeptCapacity) std::vector<NSObject*>().swap(objects);
}

// The storage of the thread's last destroyed pool, for the next pool: a
// pool per event or per row would otherwise grow its list afresh each time.
std::vector<NSObject*>& spareStorage() {
    thread_local std::vector<NSObject*> spare;
    return spare;
}

}  // namespace

Class NSAutoreleasePool::class_() {
    static Class cls = objc::ClassBuilder<NSAutoreleasePool>("NSAutoreleasePool", NSObject::class_())
                           .method<&NSAutoreleasePool::drain>("drain")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = NSAutoreleasePool::class_();

NSAutoreleasePool::NSAutoreleasePool() : outer_(innermost()) {
    objects_.swap(spareStorage());
    innermost() = this;
}

NSAutoreleasePool::~NSAutoreleasePool() {
    drain();
    innermost() = outer_;
    std::vector<NSObject*>& spare = spareStorage();
    if (objects_.capacity() > spare.capacity() && objects_.capacity() <= kMaxKeptCapacity) spare.swap(objects_);
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
