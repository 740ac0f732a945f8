#include <gtest/gtest.h>

#include "Foundation/Clock.h"
#include "Foundation/NSRunLoop.h"
#include "Foundation/NSString.h"
#include "Foundation/NSTimer.h"
#include "RunLoopRecorder.h"
#include "objc/NSAutoreleasePool.h"

namespace {

class RunLoopTest : public ::testing::Test {
protected:
    void SetUp() override { Clock::useVirtual(100); }
    void TearDown() override {
        NSRunLoop::mainRunLoop()->cancelPerformRequests(recorder.get(), false, nullptr, nullptr);
        Clock::advance(0);
    }
    Ref<RunLoopRecorder> recorder = make<RunLoopRecorder>();
    SEL tick = sel_registerName("tick:");
    SEL ping = sel_registerName("ping:");
};

}  // namespace

TEST_F(RunLoopTest, DelayedPerformsFireInTimeOrderEachAtItsOwnDueTime) {
    auto late = "late"_ns;
    auto early = "early"_ns;
    NSRunLoop::mainRunLoop()->performSelector(recorder, tick, late.get(), 0.5);
    NSRunLoop::mainRunLoop()->performSelector(recorder, ping, early.get(), 0.06);
    Clock::advance(0.05);
    EXPECT_TRUE(recorder->calls.empty());
    Clock::advance(1);
    ASSERT_EQ(recorder->calls.size(), 2u);
    EXPECT_EQ(recorder->calls[0].what, "ping");
    EXPECT_DOUBLE_EQ(recorder->calls[0].at, 100.06);
    EXPECT_EQ(recorder->calls[0].argument, early.get());
    EXPECT_EQ(recorder->calls[1].what, "tick");
    EXPECT_DOUBLE_EQ(recorder->calls[1].at, 100.5);
    EXPECT_DOUBLE_EQ(Clock::now(), 101.05);
}

TEST_F(RunLoopTest, EqualDueTimesFireInOrderOfScheduling) {
    NSRunLoop::mainRunLoop()->performSelector(recorder, tick, nullptr, 0.1);
    NSRunLoop::mainRunLoop()->performSelector(recorder, ping, nullptr, 0.1);
    NSRunLoop::mainRunLoop()->performSelector(recorder, tick, nullptr, 0.1);
    Clock::advance(0.1);
    ASSERT_EQ(recorder->calls.size(), 3u);
    EXPECT_EQ(recorder->calls[0].what, "tick");
    EXPECT_EQ(recorder->calls[1].what, "ping");
    EXPECT_EQ(recorder->calls[2].what, "tick");
}

TEST_F(RunLoopTest, ZeroDelayWaitsForTheNextPassOfTheLoop) {
    NSRunLoop::mainRunLoop()->performSelector(recorder, tick, nullptr, 0.0);
    EXPECT_TRUE(recorder->calls.empty());
    Clock::advance(0);
    ASSERT_EQ(recorder->calls.size(), 1u);
    EXPECT_DOUBLE_EQ(recorder->calls[0].at, 100);
}

TEST_F(RunLoopTest, CancellingWithSelectorMatchesTheObjectByEquality) {
    auto b = "b"_ns;
    NSRunLoop::mainRunLoop()->performSelector(recorder, tick, "a"_ns.get(), 0.1);
    NSRunLoop::mainRunLoop()->performSelector(recorder, tick, b.get(), 0.1);
    NSRunLoop::mainRunLoop()->performSelector(recorder, tick, nullptr, 0.1);
    NSRunLoop::mainRunLoop()->performSelector(recorder, ping, "a"_ns.get(), 0.1);
    // A different but equal string cancels; nil cancels only the nil request.
    NSRunLoop::mainRunLoop()->cancelPerformRequests(recorder.get(), true, tick, "a"_ns.get());
    NSRunLoop::mainRunLoop()->cancelPerformRequests(recorder.get(), true, tick, nullptr);
    Clock::advance(1);
    ASSERT_EQ(recorder->calls.size(), 2u);
    EXPECT_EQ(recorder->calls[0].what, "tick");
    EXPECT_EQ(recorder->calls[0].argument, b.get());
    EXPECT_EQ(recorder->calls[1].what, "ping");
}

TEST_F(RunLoopTest, CancellingWithoutSelectorDropsEveryRequestOfThatTargetOnly) {
    auto other = make<RunLoopRecorder>();
    NSRunLoop::mainRunLoop()->performSelector(recorder, tick, nullptr, 0.1);
    NSRunLoop::mainRunLoop()->performSelector(recorder, ping, "x"_ns.get(), 0.2);
    NSRunLoop::mainRunLoop()->performSelector(other, ping, nullptr, 0.1);
    NSRunLoop::mainRunLoop()->cancelPerformRequests(recorder.get(), false, nullptr, nullptr);
    Clock::advance(1);
    EXPECT_TRUE(recorder->calls.empty());
    EXPECT_EQ(other->calls.size(), 1u);
}

TEST_F(RunLoopTest, CancellingIsReachableThroughTheRuntimeOnTheClass) {
    NSRunLoop::mainRunLoop()->performSelector(recorder, tick, nullptr, 0.06);
    objc::send<void, id, SEL, id>(NSObject::class_(), "cancelPreviousPerformRequestsWithTarget:selector:object:",
                                  recorder.get(), tick, nullptr);
    objc::send<void, SEL, id, double>(recorder.get(), "performSelector:withObject:afterDelay:", ping, nullptr, 0.1);
    Clock::advance(1);
    ASSERT_EQ(recorder->calls.size(), 1u);
    EXPECT_EQ(recorder->calls[0].what, "ping");
}

TEST_F(RunLoopTest, APendingPerformKeepsItsTargetAndObjectAlive) {
    RunLoopRecorder::destroyed = 0;
    auto argument = make<RunLoopRecorder>();
    {
        auto target = make<RunLoopRecorder>();
        NSRunLoop::mainRunLoop()->performSelector(target, tick, argument.get(), 0.1);
    }
    RunLoopRecorder* weakArgument = argument.get();
    unsigned before = weakArgument->retainCount();
    argument = nullptr;
    EXPECT_EQ(RunLoopRecorder::destroyed, 0);
    EXPECT_EQ(weakArgument->retainCount(), before - 1);
    Clock::advance(0.1);
    // Fired: both are let go.
    EXPECT_EQ(RunLoopRecorder::destroyed, 2);
}

TEST_F(RunLoopTest, CancellingReleasesTargetAndObject) {
    RunLoopRecorder::destroyed = 0;
    auto target = make<RunLoopRecorder>();
    RunLoopRecorder* raw = target.get();
    NSRunLoop::mainRunLoop()->performSelector(target, tick, make<RunLoopRecorder>().get(), 5);
    target = nullptr;
    EXPECT_EQ(RunLoopRecorder::destroyed, 0);
    NSRunLoop::mainRunLoop()->cancelPerformRequests(raw, false, nullptr, nullptr);
    EXPECT_EQ(RunLoopRecorder::destroyed, 2);
    Clock::advance(10);
}

TEST_F(RunLoopTest, EventsRunInOrderBeforeTimersWithThePoolDrainedAfterEach) {
    std::vector<std::string> log;
    RunLoopRecorder::destroyed = 0;
    NSRunLoop* loop = NSRunLoop::mainRunLoop();
    loop->postEvent([&] {
        make<RunLoopRecorder>()->retain()->autorelease();
        log.push_back("first");
        // An event posted while handling runs in the same pass.
        loop->postEvent([&] { log.push_back("third " + std::to_string(RunLoopRecorder::destroyed)); });
    });
    loop->postEvent([&] { log.push_back("second " + std::to_string(RunLoopRecorder::destroyed)); });
    EXPECT_TRUE(loop->hasPendingEvents());
    Clock::advance(0);
    EXPECT_FALSE(loop->hasPendingEvents());
    EXPECT_EQ(log, (std::vector<std::string>{"first", "second 1", "third 1"}));
}

TEST_F(RunLoopTest, ANilTargetOrSelectorSchedulesNothing) {
    NSRunLoop* loop = NSRunLoop::mainRunLoop();
    double before = loop->nextFireDate();
    loop->performSelector(nullptr, tick, nullptr, 0.1);
    loop->performSelector(recorder.get(), nullptr, nullptr, 0.1);
    EXPECT_EQ(loop->nextFireDate(), before);
}

TEST_F(RunLoopTest, RealClockSleepsUntilTheNextDueTime) {
    Clock::useReal();
    double start = Clock::now();
    NSRunLoop::mainRunLoop()->performSelector(recorder, tick, nullptr, 0.02);
    NSRunLoop::mainRunLoop()->runUntilDate(start + 0.05);
    Clock::useVirtual(100);
    ASSERT_EQ(recorder->calls.size(), 1u);
    EXPECT_GE(recorder->calls[0].at, start + 0.02);
}
