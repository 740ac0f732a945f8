#include <gtest/gtest.h>

#include "Foundation/Clock.h"
#include "Foundation/NSRunLoop.h"
#include "Foundation/NSString.h"
#include "Foundation/NSTimer.h"
#include "RunLoopRecorder.h"

namespace {

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override { Clock::useVirtual(0); }
    void TearDown() override {
        for (auto& t : timers) t->invalidate();
        Clock::advance(0);
    }
    Ref<NSTimer> keep(Ref<NSTimer> t) {
        timers.push_back(t);
        return t;
    }
    std::vector<Ref<NSTimer>> timers;
    Ref<RunLoopRecorder> recorder = make<RunLoopRecorder>();
    SEL tick = sel_registerName("tick:");
};

}  // namespace

TEST_F(TimerTest, ARepeatingTimerFiresAtEachIntervalWithItselfAsArgument) {
    auto timer = keep(NSTimer::scheduledTimerWithTimeInterval(0.25, recorder.get(), tick, "info"_ns.get(), true));
    Clock::advance(1.1);
    ASSERT_EQ(recorder->calls.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_DOUBLE_EQ(recorder->calls[i].at, 0.25 * double(i + 1));
        EXPECT_EQ(recorder->calls[i].argument, timer.get());
    }
    EXPECT_TRUE(timer->isValid());
    EXPECT_DOUBLE_EQ(timer->fireDate(), 1.25);
    EXPECT_EQ(objc::cast<NSString>(timer->userInfo())->str(), "info");
}

TEST_F(TimerTest, AOneShotTimerFiresOnceAndIsThenInvalid) {
    auto timer = keep(NSTimer::scheduledTimerWithTimeInterval(0.5, recorder.get(), tick, nullptr, false));
    Clock::advance(2);
    EXPECT_EQ(recorder->calls.size(), 1u);
    EXPECT_FALSE(timer->isValid());
    EXPECT_EQ(timer->userInfo(), nullptr);
}

TEST_F(TimerTest, InvalidatingFromItsOwnActionStopsARepeatingTimer) {
    int fired = 0;
    keep(NSTimer::scheduledTimerWithTimeInterval(0.1, true, [&](NSTimer* t) {
        if (++fired == 3) t->invalidate();
    }));
    Clock::advance(1);
    EXPECT_EQ(fired, 3);
}

TEST_F(TimerTest, ATimerKeepsItsTargetUntilInvalidated) {
    RunLoopRecorder::destroyed = 0;
    auto target = make<RunLoopRecorder>();
    auto timer = keep(NSTimer::scheduledTimerWithTimeInterval(1, target.get(), tick, nullptr, true));
    target = nullptr;
    EXPECT_EQ(RunLoopRecorder::destroyed, 0);
    timer->invalidate();
    EXPECT_EQ(RunLoopRecorder::destroyed, 1);
    Clock::advance(5);
}

TEST_F(TimerTest, TheRunLoopKeepsAScheduledTimerAlive) {
    int fired = 0;
    // Nobody but the run loop holds this timer.
    NSTimer::scheduledTimerWithTimeInterval(0.2, false, [&](NSTimer*) { ++fired; });
    EXPECT_DOUBLE_EQ(NSRunLoop::mainRunLoop()->nextFireDate(), 0.2);
    Clock::advance(0.3);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(NSRunLoop::mainRunLoop()->nextFireDate(), std::numeric_limits<double>::infinity());
}

TEST_F(TimerTest, ANonPositiveIntervalIsRaisedToOneTenthOfAMillisecond) {
    int fired = 0;
    auto timer = keep(NSTimer::scheduledTimerWithTimeInterval(-3, true, [&](NSTimer*) { ++fired; }));
    EXPECT_DOUBLE_EQ(timer->timeInterval(), 0.0001);
    Clock::advance(0.00105);
    EXPECT_EQ(fired, 10);
}

TEST_F(TimerTest, TimersAndPerformsShareOneTimeline) {
    std::vector<std::string> order;
    keep(NSTimer::scheduledTimerWithTimeInterval(0.3, false, [&](NSTimer*) {
        order.push_back("timer");
        // Scheduled while firing: due 0.1 later, still inside this advance.
        NSRunLoop::mainRunLoop()->performSelector(recorder, tick, nullptr, 0.1);
    }));
    NSRunLoop::mainRunLoop()->performSelector(recorder, tick, nullptr, 0.35);
    Clock::advance(1);
    ASSERT_EQ(recorder->calls.size(), 2u);
    EXPECT_DOUBLE_EQ(recorder->calls[0].at, 0.35);
    EXPECT_DOUBLE_EQ(recorder->calls[1].at, 0.4);
    EXPECT_EQ(order.size(), 1u);
}

TEST_F(TimerTest, ATimerLateByManyIntervalsFiresOnceThenKeepsItsRhythm) {
    int fired = 0;
    auto timer = keep(NSTimer::scheduledTimerWithTimeInterval(0.001, true, [&](NSTimer*) { ++fired; }));
    // Time passes without the loop running, as while a long event is handled.
    Clock::useVirtual(0.0105);
    Clock::advance(0);
    EXPECT_EQ(fired, 1);
    EXPECT_NEAR(timer->fireDate(), 0.011, 1e-9);
}
