#ifndef PELMORA_FORM_MINUTE_CLOCK_H
#define PELMORA_FORM_MINUTE_CLOCK_H

namespace pelmora {

// The status bar shows the time to the minute, so its clock wakes once a minute, not every
// second: a margin after each minute starts, so that a timer that fires a little early still finds
// the new minute and does not wake twice.
constexpr int kMinuteClockMarginMilliseconds = 100;

// From a time `second` seconds and `millisecond` milliseconds past its minute (a leap second's 60
// included) to the margin past the next minute's start.
int milliseconds_to_next_minute(int second, int millisecond);

}  // namespace pelmora

#endif
