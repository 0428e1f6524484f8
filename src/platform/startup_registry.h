#pragma once
// The list of programs started when this user logs in, as the start-up
// entry logic sees it: one key holding named string values. Each system
// keeps it in its own place: Autostart_Folder (autostart_folder.h) on Linux,
// Run_Key (startup_registry_windows.h) on Windows.

#include <string>

namespace velmaric {

class Startup_Registry {
 public:
  virtual ~Startup_Registry() = default;
  // The key's name, as messages show it.
  virtual std::string Key_Text() const = 0;
  // The key exists and may be opened with full access.
  virtual bool Key_Exists() const = 0;
  // Stores a string value; a refusal throws
  // Command_Error("Failed to set data for '<name>'").
  virtual void Write_String(const std::string& name, const std::string& text) = 0;
  // The value's text; empty when the value is missing. A value of another
  // type throws Command_Error("Invalid data type for '<name>'").
  virtual std::string Read_String(const std::string& name) const = 0;
  // Removes the value if it can; whether it did, Value_Exists tells.
  virtual void Delete_Value(const std::string& name) = 0;
  virtual bool Value_Exists(const std::string& name) const = 0;
};

}  // namespace velmaric
