#include <gtest/gtest.h>

#include "form/minute_clock.h"

namespace {

struct Wait {
    int second;
    int millisecond;
    int until_next_minute;
};

TEST(MinuteClock, WakesJustAfterTheNextMinuteStarts) {
    constexpr int kMargin = pelmora::kMinuteClockMarginMilliseconds;
    constexpr Wait kWaits[] = {
        {0, 0, 60'000}, {0, 1, 59'999}, {30, 500, 29'500},
        {59, 900, 100}, {59, 999, 1},   {60, 500, 0},  // a leap second
    };
    for (const Wait& wait : kWaits) {
        EXPECT_EQ(pelmora::milliseconds_to_next_minute(wait.second, wait.millisecond),
                  wait.until_next_minute + kMargin)
            << wait.second << "." << wait.millisecond;
    }
}

}  // namespace
