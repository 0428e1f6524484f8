// The user's regional pictures become the patterns the time texts take, and
// come out as the same texts on both systems.

#include "platform/user_formats.h"

#include <gtest/gtest.h>

#include "core/date_time.h"

namespace velmaric {
namespace {

TEST(User_Formats, WindowsPicturesBecomePatternsThatShowTheSameTexts) {
  const struct {
    const char* picture;
    const char* pattern;
    const char* text;  // of 2026-03-07 09:05:03
  } rows[] = {
      {"dd/MM/yyyy", "%d/%m/%Y", "07/03/2026"},
      {"M/d/yyyy", "%-m/%-d/%Y", "3/7/2026"},
      {"d.M.yy", "%-d.%-m.%y", "7.3.26"},
      {"yyyy-MM-dd", "%Y-%m-%d", "2026-03-07"},
      {"ddd dd MMM yyyy", "%a %d %b %Y", "Sat 07 Mar 2026"},
      {"HH:mm:ss", "%H:%M:%S", "09:05:03"},
      {"H:mm:ss", "%-H:%M:%S", "9:05:03"},
      {"h:mm:ss tt", "%-I:%M:%S %p", "9:05:03 AM"},
      {"hh' h 'mm", "%I h %M", "09 h 05"},
      {"HH'%'mm", "%H%%%M", "09%05"},
      {"H 'o''clock'", "%-H o'clock", "9 o'clock"},
      {"ss.fff", "%S.", "03."},
      {"gg yyyy", " %Y", " 2026"},
  };
  const Date_Time t = Encode_Date_Time(2026, 3, 7, 9, 5, 3, 0);
  const Date_Time_Formats saved = User_Date_Time_Formats();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.picture);
    const std::string pattern = Strftime_Pattern_Of_Picture(row.picture);
    EXPECT_EQ(pattern, row.pattern);
    Set_User_Date_Time_Formats({pattern, pattern});
    EXPECT_EQ(Format_Short_Date(t), row.text);
  }
  Set_User_Date_Time_Formats(saved);
}

}  // namespace
}  // namespace velmaric
