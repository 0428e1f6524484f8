#include "core/date_time.h"

#include <gtest/gtest.h>

#include <iomanip>

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

TEST(Day_Name, NamesTheWeekdayOfTheDate) {
  const struct {
    Date_Time t;
    const char* name;
  } rows[] = {
      {46363, "Mon"},    {46364, "Tue"},     {46365, "Wed"},    {46366, "Thu"},
      {46367, "Fri"},    {46368, "Sat"},     {46369, "Sun"},    {46363.999, "Mon"},
      {0, "Sat"},        {-1, "Fri"},        {-1.75, "Fri"},    {-6, "Sun"},
      {-7, "Sat"},       {-36522, "Wed"},    {-36522.5, "Wed"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.t);
    EXPECT_EQ(Day_Name(row.t), row.name);
  }
}

}  // namespace
}  // namespace velmaric
