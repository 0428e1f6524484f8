#include "core/date_time.h"

#include <cmath>

namespace velmaric {
namespace {

constexpr double milli_seconds_per_day = 86400000.0;

// Day 0 of the time stamps, 1899-12-30, counted from 1970-01-01.
constexpr std::int64_t day_zero_from_epoch = -25569;

// 0001-01-01 00:00 and 9999-12-31 23:59:59.999, the years a stamp may name.
constexpr double first_stamp = -693593.0;
constexpr double last_stamp = 2958465.0 + 86399999.0 / milli_seconds_per_day;

struct Civil_Date {
  std::int64_t year;
  unsigned month;
  unsigned day;
};

// Calendar date of a day count from 1970-01-01 (proleptic Gregorian).
Civil_Date Civil_From_Days(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned day = doy - (153 * mp + 2) / 5 + 1;
  const unsigned month = mp < 10 ? mp + 3 : mp - 9;
  const std::int64_t year = static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2 ? 1 : 0);
  return {year, month, day};
}

}  // namespace

std::int64_t Days_From_Civil(std::int64_t year, unsigned month, unsigned day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const auto yoe = static_cast<unsigned>(year - era * 400);
  const unsigned doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

Date_Time Encode_Date_Time(int year, int month, int day, int hour, int minute, int second,
                           int milli_second) {
  const std::int64_t days =
      Days_From_Civil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
      day_zero_from_epoch;
  const double time_of_day =
      ((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + milli_second;
  const double fraction = time_of_day / milli_seconds_per_day;
  // Before day 0 the time of day still counts forward from midnight.
  return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

Date_Time_Fields Decode_Date_Time(Date_Time t) {
  // A settings file may hold any number as a stamp; one beyond the years 1
  // to 9999 is taken as the nearest end, so the calendar arithmetic below
  // stays within its integers.
  if (std::isnan(t)) t = 0.0;
  if (t <= first_stamp - 1.0) t = first_stamp;
  if (t >= std::trunc(last_stamp) + 1.0) t = last_stamp;
  double whole = std::trunc(t);
  auto ms = static_cast<std::int64_t>(std::llround(std::fabs(t - whole) * milli_seconds_per_day));
  if (ms >= static_cast<std::int64_t>(milli_seconds_per_day)) {
    ms -= static_cast<std::int64_t>(milli_seconds_per_day);
    // The next day, also before day 0: there the integral part still counts
    // days forward and only the time of day is stored as a magnitude.
    whole += 1.0;
  }
  const std::int64_t days = static_cast<std::int64_t>(whole) + day_zero_from_epoch;
  const Civil_Date date = Civil_From_Days(days);

  Date_Time_Fields fields;
  std::tm& tm = fields.tm;
  tm.tm_year = static_cast<int>(date.year - 1900);
  tm.tm_mon = static_cast<int>(date.month) - 1;
  tm.tm_mday = static_cast<int>(date.day);
  tm.tm_hour = static_cast<int>(ms / 3600000);
  tm.tm_min = static_cast<int>(ms / 60000 % 60);
  tm.tm_sec = static_cast<int>(ms / 1000 % 60);
  tm.tm_wday = static_cast<int>(days >= -4 ? (days + 4) % 7 : (days + 5) % 7 + 6);
  tm.tm_yday = static_cast<int>(days - Days_From_Civil(date.year, 1, 1));
  tm.tm_isdst = -1;
  fields.milli_second = static_cast<int>(ms % 1000);
  return fields;
}

namespace {

// Milliseconds since the epoch of a local time stamp. The stamps keep
// milliseconds, so rounding to them first leaves no floating-point residue
// that could truncate an exact interval one centisecond short.
std::int64_t Absolute_Milli_Seconds(Date_Time t) {
  Date_Time_Fields fields = Decode_Date_Time(t);
  fields.tm.tm_isdst = -1;  // let the zone rules decide for that date
  const std::time_t seconds = std::mktime(&fields.tm);
  return static_cast<std::int64_t>(seconds) * 1000 + fields.milli_second;
}

}  // namespace

int Milli_Seconds_To_Next_Second(Date_Time t) {
  return 1000 - Decode_Date_Time(t).milli_second + 1;
}

double Centi_Seconds_Between_Local(Date_Time from, Date_Time to) {
  // Integer division truncates toward zero, in both directions.
  return static_cast<double>((Absolute_Milli_Seconds(to) - Absolute_Milli_Seconds(from)) / 10);
}

}  // namespace velmaric
