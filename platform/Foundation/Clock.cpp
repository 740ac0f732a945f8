#include "Foundation/Clock.h"

#include <algorithm>
#include <chrono>

#include "Foundation/NSRunLoop.h"

namespace {

struct State {
    bool isVirtual = true;
    double virtualNow = 0;
};

State& state() {
    static State s;
    return s;
}

double realNow() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

double Clock::now() { return state().isVirtual ? state().virtualNow : realNow(); }

bool Clock::isVirtual() { return state().isVirtual; }

void Clock::useVirtual(double start) {
    state().isVirtual = true;
    state().virtualNow = start;
}

void Clock::useReal() { state().isVirtual = false; }

void Clock::advance(double seconds) { NSRunLoop::mainRunLoop()->runUntilDate(now() + std::max(0.0, seconds)); }

void Clock::moveVirtualTo(double time) { state().virtualNow = std::max(state().virtualNow, time); }
