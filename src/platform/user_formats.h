#pragma once
// The user's short date and long time formats, as the time texts take them
// (strftime patterns). On Linux the LC_TIME locale's own ("%x" and "%X"); on
// Windows the pictures of the user's regional settings ("dd/MM/yyyy",
// "h:mm:ss tt"), turned into patterns.

#include <string>

#include "core/time_text.h"

namespace velmaric {

Date_Time_Formats User_Formats_Of_System();

// A Windows date or time picture as a strftime pattern: d dd ddd dddd,
// M MM MMM MMMM, y yy yyyy, h hh H HH, m mm, s ss, t tt; text in single
// quotes ('' is one quote) and every other character as it stands. Era
// (g) and fraction (f) fields have no pattern and are left out.
std::string Strftime_Pattern_Of_Picture(const std::string& picture);

}  // namespace velmaric
