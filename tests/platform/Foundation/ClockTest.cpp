#include <gtest/gtest.h>

#include "Foundation/Clock.h"

TEST(Clock, AVirtualInstantReadsTheSameWhateverStepsLedToIt) {
    for (double start : {0.0, 100.0, 12345.678901, 1e6 + 0.1}) {
        Clock::useVirtual(start);
        for (int i = 0; i < 10; ++i) Clock::advance(0.1);
        const double stepped = Clock::now();
        Clock::useVirtual(start);
        Clock::advance(1);
        EXPECT_EQ(Clock::now(), stepped) << start;
        Clock::useVirtual(start + 1);
        EXPECT_EQ(Clock::now(), stepped) << start;
    }
}
