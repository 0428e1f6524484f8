#pragma once
// Local time of an instant, by the time-zone rules in force at that instant.

#include <cstdint>

#include "core/date_time.h"

namespace velmaric {

// The local date-time of a POSIX time, millisecond resolution.
Date_Time Local_Date_Time(std::int64_t unix_seconds, int milli_second);

}  // namespace velmaric
