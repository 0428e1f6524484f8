#pragma once
// The user's text editor: whatever application the desktop opens a text
// file with, reached through xdg-open.

#include <string>

#include "platform/file_system.h"

namespace velmaric {

class Editor {
 public:
  virtual ~Editor() = default;
  // Whether there is anything to start.
  virtual bool Available() const = 0;
  // Opens the file and returns at once; nobody waits for the editor, and a
  // failure to start it goes unnoticed.
  virtual void Start(const std::string& file) = 0;
};

class Desktop_Editor final : public Editor {
 public:
  explicit Desktop_Editor(const File_System& files) : files_(files) {}
  bool Available() const override;
  // The name is one argument of its own: no shell ever sees it, so blanks
  // and shell characters reach the editor as they are, at any length.
  void Start(const std::string& file) override;

 private:
  const File_System& files_;
};

// The full path of an executable program found on $PATH, or "".
std::string Find_On_Path(const File_System& files, const std::string& program);

}  // namespace velmaric
