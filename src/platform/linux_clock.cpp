#include "platform/linux_clock.h"

#include <time.h>

namespace velmaric {

Date_Time Local_Date_Time(std::int64_t unix_seconds, int milli_second) {
  const time_t seconds = static_cast<time_t>(unix_seconds);
  struct tm local {};
  localtime_r(&seconds, &local);
  return Encode_Date_Time(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                          local.tm_min, local.tm_sec, milli_second);
}

Clock_Reading Linux_Clock::Now() const {
  timespec wall{};
  timespec boot{};
  clock_gettime(CLOCK_REALTIME, &wall);
  clock_gettime(CLOCK_BOOTTIME, &boot);
  Clock_Reading reading;
  reading.wall = Local_Date_Time(wall.tv_sec, static_cast<int>(wall.tv_nsec / 1000000));
  reading.monotonic_us = static_cast<std::int64_t>(boot.tv_sec) * 1000000 + boot.tv_nsec / 1000;
  return reading;
}

}  // namespace velmaric
