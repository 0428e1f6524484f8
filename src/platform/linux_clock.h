#pragma once
// The system's clocks: the local wall clock and CLOCK_BOOTTIME, which keeps
// counting through suspend and is never stepped.

#include "core/clock.h"
#include "platform/local_date_time.h"

namespace velmaric {

class Linux_Clock final : public Clock {
 public:
  Clock_Reading Now() const override;
};

}  // namespace velmaric
