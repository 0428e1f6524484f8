#pragma once
// The program's only source of time. A reading carries both clocks taken at
// one instant: the local wall clock for the texts a user reads and the stored
// time stamps, and a monotonic clock that keeps counting through suspend and
// is never stepped, for every interval the stopwatch measures.

#include <cstdint>

#include "core/date_time.h"

namespace velmaric {

struct Clock_Reading {
  Date_Time wall = 0.0;          // local date-time, millisecond resolution
  std::int64_t monotonic_us = 0;  // microseconds on the monotonic clock
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual Clock_Reading Now() const = 0;
};

}  // namespace velmaric
