#include <windows.h>

#include "platform/windows_clock.h"

namespace velmaric {
namespace {

using Interrupt_Time_Function = VOID(WINAPI*)(PULONGLONG);

// 100-nanosecond units between 1601-01-01, where FILETIME counts from, and
// 1970-01-01.
constexpr std::int64_t filetime_of_1970 = 116444736000000000;
constexpr std::int64_t filetime_per_second = 10000000;

// The local date-time of a UTC instant, by the time-zone rules in force on
// its date: FileTimeToLocalFileTime would apply today's daylight saving.
Date_Time Local_Of(std::int64_t utc_filetime, int milli_second) {
  FILETIME utc;
  utc.dwLowDateTime = static_cast<DWORD>(utc_filetime & 0xFFFFFFFF);
  utc.dwHighDateTime = static_cast<DWORD>(utc_filetime >> 32);
  SYSTEMTIME universal{};
  SYSTEMTIME local{};
  if (!FileTimeToSystemTime(&utc, &universal) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local)) {
    local = universal;  // no zone to be had: better the time in UTC than none
  }
  return Encode_Date_Time(local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute,
                          local.wSecond, milli_second);
}

}  // namespace

Date_Time Local_Date_Time(std::int64_t unix_seconds, int milli_second) {
  return Local_Of(filetime_of_1970 + unix_seconds * filetime_per_second, milli_second);
}

// The monotonic clock must count through sleep, as CLOCK_BOOTTIME does on
// Linux: a stopwatch running while the lid is closed goes on. The interrupt
// time does (its "unbiased" sibling does not); QueryInterruptTimePrecise
// reads it to the microsecond from Windows 10 on. It is looked up rather than
// linked, as older systems and Wine 8 lack it; there the performance counter
// stands in, which may or may not count through sleep depending on the
// system and its timer hardware: no worse than a clock that never jumps.
Windows_Clock::Windows_Clock() {
  if (HMODULE kernel = GetModuleHandleA("kernelbase.dll")) {
    interrupt_time_ = reinterpret_cast<void*>(GetProcAddress(kernel, "QueryInterruptTimePrecise"));
  }
  LARGE_INTEGER frequency{};
  if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0) {
    counter_frequency_ = frequency.QuadPart;
  }
}

Clock_Reading Windows_Clock::Now() const {
  FILETIME now{};
  GetSystemTimePreciseAsFileTime(&now);
  const std::int64_t utc = static_cast<std::int64_t>(
      (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
  Clock_Reading reading;
  reading.wall = Local_Of(utc, static_cast<int>(utc / 10000 % 1000));
  if (interrupt_time_ != nullptr) {
    ULONGLONG interrupt_time = 0;
    reinterpret_cast<Interrupt_Time_Function>(interrupt_time_)(&interrupt_time);
    reading.monotonic_us = static_cast<std::int64_t>(interrupt_time / 10);
  } else {
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    // Whole seconds and the rest apart, so that nothing overflows.
    const std::int64_t ticks = counter.QuadPart;
    reading.monotonic_us = ticks / counter_frequency_ * 1000000 +
                           ticks % counter_frequency_ * 1000000 / counter_frequency_;
  }
  return reading;
}

}  // namespace velmaric
