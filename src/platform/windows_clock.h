#pragma once
// The system's clocks on Windows: the local wall clock, and the interrupt
// time, which counts from the boot on through sleep and hibernation and is
// never set.

#include "core/clock.h"
#include "platform/local_date_time.h"

namespace velmaric {

class Windows_Clock final : public Clock {
 public:
  Windows_Clock();
  Clock_Reading Now() const override;

 private:
  // QueryInterruptTimePrecise where the system has it; else the performance
  // counter and its frequency.
  void* interrupt_time_ = nullptr;
  long long counter_frequency_ = 1;
};

}  // namespace velmaric
