#pragma once
// Local date-times as a count of days: day 0 is 1899-12-30 00:00 local time
// and the fraction is the time of day. This is the form the settings file
// stores, so files stay interchangeable with other builds of the program.

#include <cstdint>
#include <ctime>

namespace velmaric {

using Date_Time = double;

inline constexpr double centi_seconds_per_day = 8640000.0;

// Days from 1970-01-01 for a proleptic Gregorian date (month 1..12).
std::int64_t Days_From_Civil(std::int64_t year, unsigned month, unsigned day);

// Builds a time stamp from local calendar fields, millisecond resolution.
Date_Time Encode_Date_Time(int year, int month, int day, int hour, int minute, int second,
                           int milli_second);

// Local calendar fields of a time stamp, rounded to the millisecond. Fills
// tm_year, tm_mon, tm_mday, tm_hour, tm_min, tm_sec, tm_wday and tm_yday;
// tm_isdst is -1 (unknown). A negative stamp keeps its date in the integral
// part and the time of day in the magnitude of the fraction. Stamps name the
// years 1 to 9999: one before decodes as 0001-01-01 00:00, one after as
// 9999-12-31 23:59:59.999, and not-a-number as day 0.
struct Date_Time_Fields {
  std::tm tm{};
  int milli_second = 0;
};
Date_Time_Fields Decode_Date_Time(Date_Time t);

// Milliseconds from the stamp until its second, as a text shows it, has
// turned: 2 to 1001, a millisecond past the turn.
int Milli_Seconds_To_Next_Second(Date_Time t);

// The time that really passed between two local time stamps, in whole
// centiseconds truncated toward zero (negative when `to` is earlier). Each
// stamp becomes an absolute instant through the time-zone rules in force at
// it, so a daylight-saving change in between adds or removes no hour. A
// local time that occurs twice (when the clocks go back) is taken as the
// C library's mktime resolves it.
double Centi_Seconds_Between_Local(Date_Time from, Date_Time to);

}  // namespace velmaric
