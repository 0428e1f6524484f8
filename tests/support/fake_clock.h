#pragma once
// A clock that moves only when a test moves it. Wall time and monotonic time
// move together unless a test steps the wall clock alone.

#include <cstdint>

#include "core/clock.h"

namespace velmaric::testing {

class Fake_Clock final : public Clock {
 public:
  // 2026-12-07 10:15:04.000 local, a Monday.
  static constexpr double monday_morning = 46363.0 + (10 * 3600 + 15 * 60 + 4) / 86400.0;

  explicit Fake_Clock(double wall = monday_morning, std::int64_t monotonic_us = 5'000'000)
      : reading_{wall, monotonic_us} {}

  Clock_Reading Now() const override { return reading_; }

  void Advance_Micro_Seconds(std::int64_t us) {
    reading_.monotonic_us += us;
    reading_.wall += static_cast<double>(us) / 86'400'000'000.0;
  }
  void Advance_Centi_Seconds(std::int64_t cs) { Advance_Micro_Seconds(cs * 10'000); }
  // The wall clock jumps (a time server, daylight saving, the user).
  void Step_Wall_Clock(double days) { reading_.wall += days; }

 private:
  Clock_Reading reading_;
};

}  // namespace velmaric::testing
