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
  // Opens the file and returns as soon as the editor is running; the caller
  // never waits for it, nor does it linger as a zombie once it ends. False
  // when it could not be started at all, with the reason in error_text, in
  // the general error box's wording.
  virtual bool Start(const std::string& file, std::string& error_text) = 0;
};

class Desktop_Editor final : public Editor {
 public:
  explicit Desktop_Editor(const File_System& files) : files_(files) {}
  bool Available() const override;
  // The name is one argument of its own: no shell ever sees it, so blanks
  // and shell characters reach the editor as they are, at any length. A
  // relative name is made absolute first: xdg-open would take "-x.log" for
  // an option and "a:b.log" for an address.
  bool Start(const std::string& file, std::string& error_text) override;

 private:
  const File_System& files_;
};

// The full path of an executable program found on $PATH, or "": whether
// there is one to start, which the system tells only by starting it. Only a
// regular file counts, as for the shell: not a folder of that name.
std::string Find_On_Path(const File_System& files, const std::string& program);

}  // namespace velmaric
