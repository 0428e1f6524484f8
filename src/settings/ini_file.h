#pragma once
// The settings file: lines that each hold a key text (ending in "=") directly
// followed by its value. No sections, comments, quoting or escaping.
//
// Matching is deliberately loose and shared by reading and writing: a line
// matches a key when the key text occurs anywhere in it (case-sensitive), and
// its value is the line less its first key.size() characters, wherever the key
// was found. So "xwindow_top_posn=7" read with "window_top_posn=" gives "=7".
// A line that begins with one of the fifteen keys of settings_keys.h belongs
// to that key alone, though: a value holding another key's text (a log file
// named ".../window_top_posn=5.log") is never taken for that key. Reading
// takes the last matching line; writing replaces every matching line by
// key + value and appends key + value when none matched.
//
// Lines are written with CR LF; on reading, LF ends a line and one CR before
// it is dropped. Files of any length keep every line. A missing file reads as
// an empty one and is created by the first write. The file is one of the
// program's own (regular_files.h): a name that leads to a device, a FIFO or
// a folder, or to a file of more than own_file_size_limit bytes, is refused.
// Every write replaces the whole file atomically (Replace_Regular_File); a
// failure throws Command_Error and leaves the file as it was.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace velmaric {

// False for a text holding a CR, an LF or a NUL: stored as a value, it would
// break its line, and what follows the break would read as a line of its own.
bool Fits_On_One_Line(std::string_view text);

// The value of key in file, or default_value when the file or the key is
// missing. Reads the file anew on every call.
std::string Read_Ini_Value(File_System& files, const std::string& file, const std::string& key,
                           const std::string& default_value);

// Stores value under key in file, rewriting it once. Gives true when it
// returns normally.
bool Write_Ini_Value(File_System& files, const std::string& file, const std::string& key,
                     const std::string& value);

// The file as it was read once, for a load of all keys from one version.
class Ini_Snapshot {
 public:
  Ini_Snapshot(File_System& files, const std::string& file);
  // Nothing read: every key takes its default.
  Ini_Snapshot() = default;
  std::string Read(const std::string& key, const std::string& default_value) const;

 private:
  std::vector<std::string> lines_;
};

// Writes of many keys that land in the file as one version: the file is read
// at the first Write and replaced once by Commit, so a crash leaves either
// the whole earlier save or the whole new one.
class Ini_Batch {
 public:
  Ini_Batch(File_System& files, std::string file);
  // A value that does not fit on one line is refused (Command_Error): no
  // value may add a line of its own to the file.
  void Write(const std::string& key, const std::string& value);
  // Replaces the file with every write so far; does nothing when there was
  // none since the last Commit. A file that would be too large to read back
  // (own_file_size_limit) keeps only one line of each key written.
  void Commit();

 private:
  File_System& files_;
  std::string file_;
  std::optional<std::vector<std::string>> lines_;  // read at the first Write
  std::vector<std::string> written_;
  bool changed_ = false;
};

}  // namespace velmaric
