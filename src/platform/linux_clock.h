#pragma once
// The system's clocks: the local wall clock and CLOCK_BOOTTIME, which keeps
// counting through suspend and is never stepped.

#include "core/clock.h"

namespace velmaric {

class Linux_Clock final : public Clock {
 public:
  Clock_Reading Now() const override;
};

// The local date-time of a POSIX time, millisecond resolution.
Date_Time Local_Date_Time(std::int64_t unix_seconds, int milli_second);

}  // namespace velmaric
