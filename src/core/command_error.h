#pragma once
// A failure that ends the command in progress. It carries the system's own
// description of what went wrong ("File access denied", "Cannot create file
// /x/y", ...); the window's command guard shows it in one error box.

#include <stdexcept>
#include <string>

namespace velmaric {

class Command_Error : public std::runtime_error {
 public:
  explicit Command_Error(const std::string& description) : std::runtime_error(description) {}
};

// The conversion failure of an integer text, worded as users know it.
Command_Error Invalid_Integer_Error(const std::string& text);

}  // namespace velmaric
