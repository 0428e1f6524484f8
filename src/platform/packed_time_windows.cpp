// The system's own packing (FileTimeToDosDateTime), in the local time the
// time-zone rules give for that instant: a summer file read in winter keeps
// its summer clock time, as on Linux.

#include <windows.h>

#include "platform/packed_time.h"

namespace velmaric {
namespace {

// FILETIME counts 100 ns from 1601-01-01 00:00 UTC.
constexpr std::int64_t ticks_from_1601_to_1970 = 116444736000000000;
constexpr std::int64_t nanoseconds_per_tick = 100;
constexpr std::int64_t ticks_per_second = 10000000;

FILETIME File_Time_Of(std::int64_t ticks) {
  const auto bits = static_cast<std::uint64_t>(ticks);
  return {static_cast<DWORD>(bits & 0xFFFFFFFF), static_cast<DWORD>(bits >> 32)};
}

std::int64_t Ticks_Of(const FILETIME& time) {
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(time.dwHighDateTime) << 32 |
                                   time.dwLowDateTime);
}

}  // namespace

std::optional<std::int32_t> Pack_Local_Time(std::int64_t utc_ns) {
  std::int64_t seconds = utc_ns / 1000000000;
  if (utc_ns % 1000000000 < 0) --seconds;  // rounded down also before 1970
  const std::int64_t ticks = seconds * ticks_per_second + ticks_from_1601_to_1970;
  if (ticks < 0) return std::nullopt;
  const FILETIME utc = File_Time_Of(ticks);
  SYSTEMTIME utc_fields{};
  SYSTEMTIME local_fields{};
  FILETIME local{};
  WORD date = 0;
  WORD time = 0;
  if (!FileTimeToSystemTime(&utc, &utc_fields) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &utc_fields, &local_fields) ||
      !SystemTimeToFileTime(&local_fields, &local) ||
      !FileTimeToDosDateTime(&local, &date, &time)) {
    return std::nullopt;  // also a year outside 1980..2107
  }
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(date) << 16 | time);
}

std::optional<std::int64_t> Unpack_Local_Time(std::int32_t stamp) {
  const auto bits = static_cast<std::uint32_t>(stamp);
  FILETIME local{};
  SYSTEMTIME local_fields{};
  SYSTEMTIME utc_fields{};
  FILETIME utc{};
  if (!DosDateTimeToFileTime(static_cast<WORD>(bits >> 16), static_cast<WORD>(bits & 0xFFFF),
                             &local) ||
      !FileTimeToSystemTime(&local, &local_fields) ||
      !TzSpecificLocalTimeToSystemTime(nullptr, &local_fields, &utc_fields) ||
      !SystemTimeToFileTime(&utc_fields, &utc)) {
    return std::nullopt;
  }
  return (Ticks_Of(utc) - ticks_from_1601_to_1970) * nanoseconds_per_tick;
}

}  // namespace velmaric
