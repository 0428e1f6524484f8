#include <windows.h>

#include <string>

#include "platform/user_formats.h"

namespace velmaric {
namespace {

// One of the user's regional settings, in UTF-8 (the program's code page);
// empty when the system has none.
std::string Locale_Picture(LCTYPE item) {
  char picture[256] = {};
  const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, item, picture, sizeof picture);
  return length > 1 ? std::string(picture, static_cast<std::size_t>(length - 1)) : std::string();
}

}  // namespace

Date_Time_Formats User_Formats_Of_System() {
  Date_Time_Formats formats;
  const std::string date = Locale_Picture(LOCALE_SSHORTDATE);
  const std::string time = Locale_Picture(LOCALE_STIMEFORMAT);
  if (!date.empty()) formats.short_date = Strftime_Pattern_Of_Picture(date);
  if (!time.empty()) formats.long_time = Strftime_Pattern_Of_Picture(time);
  return formats;
}

}  // namespace velmaric
