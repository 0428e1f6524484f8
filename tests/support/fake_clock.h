#pragma once
// A clock that moves only when a test moves it. Wall time and monotonic time
// move together unless a test steps the wall clock alone. The wall clock is
// kept as whole microseconds since the start, so that many small steps add
// up to exactly the time they name.

#include <cstdint>

#include "core/clock.h"

namespace velmaric::testing {

class Fake_Clock final : public Clock {
 public:
  // 2026-12-07 10:15:04.000 local, a Monday.
  static constexpr double monday_morning = 46363.0 + (10 * 3600 + 15 * 60 + 4) / 86400.0;

  explicit Fake_Clock(double wall = monday_morning, std::int64_t monotonic_us = 5'000'000)
      : first_wall_(wall), monotonic_us_(monotonic_us) {}

  // With advance_per_read_us set, every reading moves both clocks on, so
  // that a second reading within one command shows in the results.
  Clock_Reading Now() const override {
    const Clock_Reading reading{Wall(), monotonic_us_};
    monotonic_us_ += advance_per_read_us;
    wall_offset_us_ += advance_per_read_us;
    return reading;
  }
  Date_Time Wall() const {
    return first_wall_ + static_cast<double>(wall_offset_us_) / 86'400'000'000.0;
  }

  void Advance_Micro_Seconds(std::int64_t us) {
    monotonic_us_ += us;
    wall_offset_us_ += us;
  }
  void Advance_Centi_Seconds(std::int64_t cs) { Advance_Micro_Seconds(cs * 10'000); }
  // The wall clock jumps (a time server, daylight saving, the user).
  void Step_Wall_Clock(std::int64_t us) { wall_offset_us_ += us; }

  std::int64_t advance_per_read_us = 0;

 private:
  Date_Time first_wall_;
  mutable std::int64_t monotonic_us_;
  mutable std::int64_t wall_offset_us_ = 0;
};

}  // namespace velmaric::testing
