#include "core/date_time.h"

#include <gtest/gtest.h>

#include <ctime>
#include <iomanip>
#include <limits>
#include <string>

#include "core/time_text.h"

namespace velmaric {
namespace {

constexpr double ms_per_day = 86400000.0;

struct Moment {
  int year, month, day, hour, minute, second, milli_second;
  int weekday;  // 0 = Sunday
};

void Expect_Fields(const Date_Time_Fields& fields, const Moment& m) {
  EXPECT_EQ(fields.tm.tm_year + 1900, m.year);
  EXPECT_EQ(fields.tm.tm_mon + 1, m.month);
  EXPECT_EQ(fields.tm.tm_mday, m.day);
  EXPECT_EQ(fields.tm.tm_hour, m.hour);
  EXPECT_EQ(fields.tm.tm_min, m.minute);
  EXPECT_EQ(fields.tm.tm_sec, m.second);
  EXPECT_EQ(fields.milli_second, m.milli_second);
  EXPECT_EQ(fields.tm.tm_wday, m.weekday);
}

TEST(Date_Time, EncodesAndDecodesDayCountsFrom18991230) {
  const struct {
    Moment moment;
    Date_Time stamp;
  } rows[] = {
      {{1899, 12, 30, 0, 0, 0, 0, 6}, 0.0},
      {{1899, 12, 31, 0, 0, 0, 0, 0}, 1.0},
      {{1900, 3, 1, 0, 0, 0, 0, 4}, 61.0},
      {{1970, 1, 1, 0, 0, 0, 0, 4}, 25569.0},
      {{2000, 1, 1, 0, 0, 0, 0, 6}, 36526.0},
      {{2024, 2, 29, 0, 0, 0, 0, 4}, 45351.0},
      {{2026, 12, 7, 0, 0, 0, 0, 1}, 46363.0},
      {{2026, 12, 7, 18, 0, 0, 0, 1}, 46363.75},
      {{2026, 12, 7, 0, 0, 0, 1, 1}, 46363.0 + 1 / ms_per_day},
      {{2026, 12, 7, 23, 59, 59, 999, 1}, 46363.0 + 86399999 / ms_per_day},
      {{2026, 12, 7, 13, 14, 15, 678, 1}, 46363.0 + 47655678 / ms_per_day},
      // Before day 0 the date is the integral part and the time of day the
      // magnitude of the fraction.
      {{1899, 12, 29, 0, 0, 0, 0, 5}, -1.0},
      {{1899, 12, 29, 6, 0, 0, 0, 5}, -1.25},
      {{1899, 12, 28, 23, 59, 59, 999, 4}, -2.0 - 86399999 / ms_per_day},
      {{1800, 1, 1, 12, 0, 0, 0, 3}, -36522.5},
  };
  for (const auto& row : rows) {
    const Moment& m = row.moment;
    SCOPED_TRACE(testing::Message() << m.year << "-" << m.month << "-" << m.day << " " << m.hour
                                    << ":" << m.minute << ":" << m.second << "." << m.milli_second);
    const Date_Time stamp =
        Encode_Date_Time(m.year, m.month, m.day, m.hour, m.minute, m.second, m.milli_second);
    EXPECT_NEAR(stamp, row.stamp, 0.01 / ms_per_day);
    Expect_Fields(Decode_Date_Time(row.stamp), m);
  }
}

TEST(Date_Time, DecodeRoundsToTheMillisecondAcrossMidnight) {
  const struct {
    Date_Time stamp;
    Moment moment;
  } rows[] = {
      {46363.0 + 86399999.4 / ms_per_day, {2026, 12, 7, 23, 59, 59, 999, 1}},
      {46363.0 + 86399999.6 / ms_per_day, {2026, 12, 8, 0, 0, 0, 0, 2}},
      {46387.0 + 86399999.6 / ms_per_day, {2027, 1, 1, 0, 0, 0, 0, 5}},
      // A negative stamp late in its day moves on to the following day too.
      {-1.0 - 86399999.6 / ms_per_day, {1899, 12, 30, 0, 0, 0, 0, 6}},
      {-2.0 - 86399999.6 / ms_per_day, {1899, 12, 29, 0, 0, 0, 0, 5}},
      {-86399999.6 / ms_per_day, {1899, 12, 31, 0, 0, 0, 0, 0}},
      {-1.0 - 0.4 / ms_per_day, {1899, 12, 29, 0, 0, 0, 0, 5}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << std::setprecision(17) << row.stamp);
    Expect_Fields(Decode_Date_Time(row.stamp), row.moment);
  }
}

// The tick that waits for the clock's next second wakes just past its turn.
TEST(Date_Time, MilliSecondsToTheNextSecondEndJustPastItsTurn) {
  const struct {
    double ms_into_day;
    int wait_ms;
  } rows[] = {
      {36'000'000.0, 1001}, {36'000'999.0, 2},
      {36'000'500.0, 501},  {36'000'999.6, 1001},  // shown as the next second already
      {86'399'999.6, 1001},                        // and across midnight
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << std::setprecision(17) << row.ms_into_day);
    EXPECT_EQ(Milli_Seconds_To_Next_Second(46363.0 + row.ms_into_day / ms_per_day), row.wait_ms);
  }
}

// A settings file may hold any number as the original start.
TEST(Date_Time, StampsBeyondTheYears1To9999DecodeAsTheNearestEnd) {
  const double largest = std::numeric_limits<double>::max();
  const Moment first_moment = {1, 1, 1, 0, 0, 0, 0, 1};
  const Moment last_moment = {9999, 12, 31, 23, 59, 59, 999, 5};
  const struct {
    Date_Time stamp;
    Moment moment;
  } rows[] = {
      {2958465.5, {9999, 12, 31, 12, 0, 0, 0, 5}},
      {-693593.25, {1, 1, 1, 6, 0, 0, 0, 1}},
      {2958466.0, last_moment},
      {1e300, last_moment},
      {largest, last_moment},
      {-693594.0, first_moment},
      {-1e300, first_moment},
      {-largest, first_moment},
      {std::numeric_limits<double>::quiet_NaN(), {1899, 12, 30, 0, 0, 0, 0, 6}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << std::setprecision(17) << row.stamp);
    Expect_Fields(Decode_Date_Time(row.stamp), row.moment);
  }
  const Date_Time first = -693593.0;
  const Date_Time last = 2958465.0 + 86399999 / ms_per_day;
  EXPECT_EQ(Centi_Seconds_Between_Local(1e300, 1e300), 0);
  EXPECT_EQ(Centi_Seconds_Between_Local(-largest, largest),
            Centi_Seconds_Between_Local(first, last));
  EXPECT_GT(Centi_Seconds_Between_Local(first, last), 0);
}

TEST(Day_Name, NamesTheWeekdayOfTheDate) {
  const struct {
    Date_Time t;
    const char* name;
  } rows[] = {
      {46363, "Mon"}, {46364, "Tue"}, {46365, "Wed"},     {46366, "Thu"},  {46367, "Fri"},
      {46368, "Sat"}, {46369, "Sun"}, {46363.999, "Mon"}, {0, "Sat"},      {-1, "Fri"},
      {-1.75, "Fri"}, {-6, "Sun"},    {-7, "Sat"},        {-36522, "Wed"}, {-36522.5, "Wed"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.t);
    EXPECT_EQ(Day_Name(row.t), row.name);
  }
}

// A stamp that is day 46363 plus a fraction of a day is not exact; the
// interval must still come out whole and not one centisecond short.
TEST(Centi_Seconds_Between_Local, IgnoresTheRoundingOfDayFractions) {
  const Date_Time from = 46363.0 + 36904.0 / 86400.0;  // 10:15:04
  for (const double centi_seconds : {1.0, 4.0, 119600.0}) {
    SCOPED_TRACE(centi_seconds);
    EXPECT_EQ(Centi_Seconds_Between_Local(from, from + centi_seconds / 8640000.0), centi_seconds);
  }
}

}  // namespace
}  // namespace velmaric
