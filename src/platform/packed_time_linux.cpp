#include <algorithm>
#include <ctime>

#include "platform/file_probe.h"
#include "platform/packed_time.h"

namespace velmaric {
namespace {

constexpr int first_packed_year = 1980;
constexpr int last_packed_year = first_packed_year + 127;
constexpr std::int64_t nanoseconds_per_second = 1000000000;

}  // namespace

std::optional<std::int32_t> Pack_Local_Time(std::int64_t utc_ns) {
  // Whole seconds, rounded down also before 1970.
  std::time_t seconds = static_cast<std::time_t>(utc_ns / nanoseconds_per_second);
  if (utc_ns % nanoseconds_per_second < 0) --seconds;
  std::tm local{};
  if (localtime_r(&seconds, &local) == nullptr) return std::nullopt;
  const int year = local.tm_year + 1900;
  if (year < first_packed_year || year > last_packed_year) return std::nullopt;
  const int second = std::min(local.tm_sec, 59);  // a leap second
  const std::uint32_t date = static_cast<std::uint32_t>(year - first_packed_year) << 9 |
                             static_cast<std::uint32_t>(local.tm_mon + 1) << 5 |
                             static_cast<std::uint32_t>(local.tm_mday);
  const std::uint32_t time = static_cast<std::uint32_t>(local.tm_hour) << 11 |
                             static_cast<std::uint32_t>(local.tm_min) << 5 |
                             static_cast<std::uint32_t>(second / 2);
  return static_cast<std::int32_t>(date << 16 | time);
}

std::optional<std::int64_t> Unpack_Local_Time(std::int32_t stamp) {
  const std::optional<Date_Stamp_Fields> fields = Unpack_Date_Stamp(stamp);
  if (!fields) return std::nullopt;
  std::tm local{};
  local.tm_year = fields->year - 1900;
  local.tm_mon = fields->month - 1;
  local.tm_mday = fields->day;
  local.tm_hour = fields->hour;
  local.tm_min = fields->minute;
  local.tm_sec = fields->second;
  local.tm_isdst = -1;  // whichever offset the zone has at that time
  const std::time_t when = std::mktime(&local);
  if (when == static_cast<std::time_t>(-1)) return std::nullopt;
  return static_cast<std::int64_t>(when) * nanoseconds_per_second;
}

}  // namespace velmaric
