#pragma once
// The start-up registry on Windows: string values in a key under
// HKEY_CURRENT_USER, by default the user's Run key.
//
//   key exists      the key can be opened to read and set values, or is
//                   missing and the nearest level of it that exists lets us
//                   make subkeys. Asking never creates anything; the first
//                   write makes the missing levels
//   value N         the value named N
//   data of N       a REG_SZ value: the text, with the quotes around it
//                   taken off. Written values are always quoted, so that the
//                   system never splits a path with blanks at a blank and
//                   runs "C:\Program" instead
//   another type    a value of any other type: reading it throws
//                   Command_Error("Invalid data type for '<N>'")

#include <string>

#include "platform/startup_registry.h"

namespace velmaric {

// HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run, without
// the root.
extern const char* const user_run_key;

class Run_Key final : public Startup_Registry {
 public:
  // A key under HKEY_CURRENT_USER, "Software\..." without the root.
  explicit Run_Key(std::string key = user_run_key);

  std::string Key_Text() const override;
  bool Key_Exists() const override;
  void Write_String(const std::string& name, const std::string& text) override;
  std::string Read_String(const std::string& name) const override;
  void Delete_Value(const std::string& name) override;
  bool Value_Exists(const std::string& name) const override;

 private:
  std::string key_;
};

// A command line naming exactly the program at path: the path in quotes.
// And the reverse: a text wholly in quotes loses them; any other text (a
// bare path, or a quoted path followed by arguments) stays as it is.
std::string Quote_Run_Command(const std::string& path);
std::string Unquote_Run_Command(const std::string& command);

}  // namespace velmaric
