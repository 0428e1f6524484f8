#include "platform/user_formats.h"

namespace velmaric {

// The LC_TIME locale's own formats, which strftime knows as %x and %X.
Date_Time_Formats User_Formats_Of_System() {
  return Date_Time_Formats{};
}

}  // namespace velmaric
