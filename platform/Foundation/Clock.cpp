#include "Foundation/Clock.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>

#include "Foundation/NSRunLoop.h"

namespace {

// Virtual time is kept in whole microseconds: each instant is the same number
// however many steps led to it, so a test reads the same time whatever ran
// before it in the process.
struct State {
    bool isVirtual = true;
    std::int64_t virtualMicroseconds = 0;
};

constexpr double kMicrosecondsPerSecond = 1e6;
// About 290,000 years either way: far beyond any date the platform is asked
// for, and within what the count holds.
constexpr double kLimitSeconds = 9e12;

std::int64_t microseconds(double seconds) {
    if (std::isnan(seconds)) return 0;
    return std::llround(std::clamp(seconds, -kLimitSeconds, kLimitSeconds) * kMicrosecondsPerSecond);
}

double seconds(std::int64_t microseconds) { return static_cast<double>(microseconds) / kMicrosecondsPerSecond; }

State& state() {
    static State s;
    return s;
}

double realNow() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

double Clock::now() { return state().isVirtual ? seconds(state().virtualMicroseconds) : realNow(); }

bool Clock::isVirtual() { return state().isVirtual; }

void Clock::useVirtual(double start) {
    state().isVirtual = true;
    state().virtualMicroseconds = microseconds(start);
}

void Clock::useReal() { state().isVirtual = false; }

void Clock::advance(double interval) {
    const double step = std::max(0.0, interval);
    const double until = state().isVirtual ? seconds(state().virtualMicroseconds + microseconds(step)) : now() + step;
    NSRunLoop::mainRunLoop()->runUntilDate(until);
}

void Clock::moveVirtualTo(double time) {
    state().virtualMicroseconds = std::max(state().virtualMicroseconds, microseconds(time));
}
