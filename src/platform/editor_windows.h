#pragma once
// The user's text editor on Windows: Notepad, from the Windows folder.

#include <string>

#include "platform/editor.h"

namespace velmaric {

// The Windows folder (GetWindowsDirectory), without a backslash at its end.
std::string Windows_Folder();

class Notepad_Editor final : public Editor {
 public:
  // The folder that holds notepad.exe; tests put a stand-in in one of their
  // own.
  explicit Notepad_Editor(std::string windows_folder = Windows_Folder());
  // Whether <windows folder>\notepad.exe is a file.
  bool Available() const override;
  // Starts that very program, with no shell and no search on the way: the
  // command line is its path and the file's full name, each in quotes, so
  // a name with blanks arrives as one argument at any length, and a name
  // such as "/p" is never taken for an option (Notepad would print it).
  bool Start(const std::string& file, std::string& error_text) override;

  std::string Program() const { return folder_ + "\\notepad.exe"; }

 private:
  std::string folder_;
};

// One argument of a command line, in quotes, so that the C runtime's parsing
// gives back exactly text: a backslash is doubled only where it stands before
// a quote, which a path never holds, or before the closing one.
std::string Quote_Argument(const std::string& text);

}  // namespace velmaric
