#include "form/minute_clock.h"

#include <algorithm>

namespace pelmora {

int milliseconds_to_next_minute(int second, int millisecond) {
    constexpr int kMinute = 60'000;
    const int past = second * 1000 + millisecond;
    return std::max(kMinute - past, 0) + kMinuteClockMarginMilliseconds;
}

}  // namespace pelmora
