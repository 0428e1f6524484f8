#pragma once
// Writing to an open file descriptor until everything is out.

#include <string_view>

namespace velmaric {

// Writes all of data, retrying short writes and interrupted calls; a
// failure throws File_System_Error with the system's description.
void Write_All(int fd, std::string_view data);

}  // namespace velmaric
