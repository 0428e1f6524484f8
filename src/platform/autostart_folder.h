#pragma once
// The list of programs started when this user logs in, on a Linux desktop.
//
// Autostart_Folder keeps the start-up registry (platform/startup_registry.h)
// as XDG autostart desktop entries in a folder, the user's own autostart
// folder for the real program (see User_Autostart_Folder), so each user
// decides for themselves and needs no administrator:
//
//   key exists      the folder is a full path, and either exists and this
//                   process may write in it, or could be made: the nearest
//                   level of it that exists is a folder we may write in.
//                   Asking never creates anything; the first write makes
//                   the missing levels, private to the user (rwx------)
//   value N         the file "<N>.desktop" in the folder
//   data of N       the Exec= line of its [Desktop Entry] group, with the
//                   entry's quoting and escapes undone. A written entry also
//                   names the same path in TryExec=, so that an entry left
//                   behind by a program since removed starts nothing
//   another type    a file "<N>.desktop" that is not a desktop entry with an
//                   Exec= line: reading it throws
//                   Command_Error("Invalid data type for '<N>'")

#include <string>

#include "platform/file_system.h"
#include "platform/startup_registry.h"

namespace velmaric {

// The user's autostart folder, the one place that decides it:
// $XDG_CONFIG_HOME/autostart, or ~/.config/autostart when XDG_CONFIG_HOME is
// unset, empty or not a full path. The desktop session starts the entries
// it finds there when the user logs in.
std::string User_Autostart_Folder();

class Autostart_Folder final : public Startup_Registry {
 public:
  Autostart_Folder(File_System& files, std::string folder);

  std::string Key_Text() const override { return folder_; }
  bool Key_Exists() const override;
  void Write_String(const std::string& name, const std::string& text) override;
  std::string Read_String(const std::string& name) const override;
  void Delete_Value(const std::string& name) override;
  bool Value_Exists(const std::string& name) const override;

  // The file that holds the value named name.
  std::string Entry_File(const std::string& name) const;

 private:
  // Makes the levels of the folder that are missing; a refusal throws
  // File_Error.
  void Make_Missing_Folders();

  File_System* files_;  // a pointer, so that a folder can be assigned another
  std::string folder_;
};

// The Exec= value that runs exactly the program at path, quoted and escaped
// only where the path needs it; and the reverse, which gives the command
// line back with every quote and escape undone.
std::string Encode_Exec_Value(const std::string& path);
std::string Decode_Exec_Value(const std::string& value);

}  // namespace velmaric
