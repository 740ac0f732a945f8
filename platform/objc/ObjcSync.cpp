// objc_sync_enter/objc_sync_exit: one recursive lock per object address,
// made on first use and dropped when nobody holds or waits for it.
#include <condition_variable>
#include <mutex>
#include <thread>
#include <unordered_map>

#include "objc/runtime.h"

namespace {

struct ObjectLock {
    std::thread::id owner;
    unsigned depth = 0;
    unsigned waiting = 0;
    std::condition_variable released;
};

struct LockTable {
    std::mutex mutex;
    // Node-based: a lock stays where it is while others are added.
    std::unordered_map<id, ObjectLock> locks;
};

LockTable& table() {
    static auto* t = new LockTable;
    return *t;
}

}  // namespace

extern "C" {

int objc_sync_enter(id obj) {
    if (!obj) return OBJC_SYNC_SUCCESS;
    LockTable& t = table();
    std::unique_lock guard(t.mutex);
    ObjectLock& lock = t.locks[obj];
    std::thread::id me = std::this_thread::get_id();
    if (lock.depth > 0 && lock.owner == me) {
        ++lock.depth;
        return OBJC_SYNC_SUCCESS;
    }
    ++lock.waiting;
    lock.released.wait(guard, [&] { return lock.depth == 0; });
    --lock.waiting;
    lock.owner = me;
    lock.depth = 1;
    return OBJC_SYNC_SUCCESS;
}

int objc_sync_exit(id obj) {
    if (!obj) return OBJC_SYNC_SUCCESS;
    LockTable& t = table();
    std::lock_guard guard(t.mutex);
    auto it = t.locks.find(obj);
    if (it == t.locks.end() || it->second.depth == 0 || it->second.owner != std::this_thread::get_id())
        return OBJC_SYNC_NOT_OWNING_THREAD_ERROR;
    ObjectLock& lock = it->second;
    if (--lock.depth == 0) {
        if (lock.waiting > 0) lock.released.notify_one();
        else t.locks.erase(it);
    }
    return OBJC_SYNC_SUCCESS;
}

}  // extern "C"
