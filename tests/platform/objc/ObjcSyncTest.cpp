#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "objc/NSObject.h"

TEST(ObjcSync, LocksAreRecursiveAndOnlyTheOwnerExits) {
    auto object = make<NSObject>();
    id o = object.get();
    EXPECT_EQ(objc_sync_exit(o), OBJC_SYNC_NOT_OWNING_THREAD_ERROR);
    EXPECT_EQ(objc_sync_enter(o), OBJC_SYNC_SUCCESS);
    EXPECT_EQ(objc_sync_enter(o), OBJC_SYNC_SUCCESS);
    int fromOtherThread = OBJC_SYNC_SUCCESS;
    std::thread([&] { fromOtherThread = objc_sync_exit(o); }).join();
    EXPECT_EQ(fromOtherThread, OBJC_SYNC_NOT_OWNING_THREAD_ERROR);
    EXPECT_EQ(objc_sync_exit(o), OBJC_SYNC_SUCCESS);
    EXPECT_EQ(objc_sync_exit(o), OBJC_SYNC_SUCCESS);
    EXPECT_EQ(objc_sync_exit(o), OBJC_SYNC_NOT_OWNING_THREAD_ERROR);
    EXPECT_EQ(objc_sync_enter(nullptr), OBJC_SYNC_SUCCESS);
    EXPECT_EQ(objc_sync_exit(nullptr), OBJC_SYNC_SUCCESS);
}

TEST(ObjcSync, ExcludesOtherThreadsOnTheSameObjectOnly) {
    auto shared = make<NSObject>();
    auto other = make<NSObject>();
    long counter = 0;  // deliberately unsynchronised but for the lock
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 2000; ++i) {
                objc_sync_enter(shared.get());
                long seen = counter;
                std::this_thread::yield();
                counter = seen + 1;
                objc_sync_exit(shared.get());
            }
        });
    // Another object's lock is independent: taking it here never waits on
    // the workers.
    EXPECT_EQ(objc_sync_enter(other.get()), OBJC_SYNC_SUCCESS);
    EXPECT_EQ(objc_sync_exit(other.get()), OBJC_SYNC_SUCCESS);
    for (auto& t : threads) t.join();
    EXPECT_EQ(counter, 8000);
}
