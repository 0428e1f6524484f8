// The time-zone rules, through a TZ setting of the process: the POSIX way
// of choosing a zone for one test.

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

#include "core/date_time.h"

namespace velmaric {
namespace {

// Puts the process into a time zone for one test and back afterwards.
class Time_Zone_Scope {
 public:
  explicit Time_Zone_Scope(const char* zone) {
    if (const char* old = std::getenv("TZ")) saved_ = old;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~Time_Zone_Scope() {
    if (saved_) {
      setenv("TZ", saved_->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

 private:
  std::optional<std::string> saved_;
};

TEST(Centi_Seconds_Between_Local, CountsTheTimeThatReallyPassed) {
  if (!std::filesystem::exists("/usr/share/zoneinfo/Europe/Amsterdam")) {
    GTEST_SKIP() << "no time-zone database";
  }
  const Time_Zone_Scope amsterdam("Europe/Amsterdam");
  constexpr double hour = 360000.0;
  const struct {
    const char* what;
    Date_Time from, to;
    double centi_seconds;
  } rows[] = {
      // 03:00 summer time became 02:00 winter time: the clock read two hours
      // more, three passed.
      {"autumn change", Encode_Date_Time(2026, 10, 25, 1, 30, 0, 0),
       Encode_Date_Time(2026, 10, 25, 3, 30, 0, 0), 3 * hour},
      {"autumn change backwards", Encode_Date_Time(2026, 10, 25, 3, 30, 0, 0),
       Encode_Date_Time(2026, 10, 25, 1, 30, 0, 0), -3 * hour},
      {"autumn day", Encode_Date_Time(2026, 10, 24, 12, 0, 0, 0),
       Encode_Date_Time(2026, 10, 25, 12, 0, 0, 0), 25 * hour},
      // 02:00 winter time became 03:00 summer time.
      {"spring change", Encode_Date_Time(2026, 3, 29, 1, 30, 0, 0),
       Encode_Date_Time(2026, 3, 29, 3, 30, 0, 0), 1 * hour},
      {"spring day", Encode_Date_Time(2026, 3, 28, 12, 0, 0, 0),
       Encode_Date_Time(2026, 3, 29, 12, 0, 0, 0), 23 * hour},
      {"both changes", Encode_Date_Time(2026, 3, 1, 0, 0, 0, 0),
       Encode_Date_Time(2026, 11, 1, 0, 0, 0, 0), 245 * 24 * hour},
      // Truncated toward zero, never rounded nor floored.
      {"part of a centisecond", Encode_Date_Time(2026, 12, 7, 10, 0, 0, 0),
       Encode_Date_Time(2026, 12, 7, 10, 0, 0, 19), 1},
      {"part of a centisecond backwards", Encode_Date_Time(2026, 12, 7, 10, 0, 0, 19),
       Encode_Date_Time(2026, 12, 7, 10, 0, 0, 0), -1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(Centi_Seconds_Between_Local(row.from, row.to), row.centi_seconds);
  }
}

}  // namespace
}  // namespace velmaric
