#pragma once
// The settings file: lines that each hold a key text (ending in "=") directly
// followed by its value. No sections, comments, quoting or escaping.
//
// Matching is deliberately loose and shared by reading and writing: a line
// matches a key when the key text occurs anywhere in it (case-sensitive), and
// its value is the line less its first key.size() characters, wherever the key
// was found. So "xwindow_top_posn=7" read with "window_top_posn=" gives "=7".
// Reading takes the last matching line; writing replaces every matching line
// by key + value and appends key + value when none matched.
//
// Lines are written with CR LF; on reading, LF ends a line and one CR before
// it is dropped. Files of any length keep every line. A missing file reads as
// an empty one and is created by the first write. Every write replaces the
// whole file atomically (Replace_File_Contents); a failure throws
// Command_Error and leaves the file as it was.

#include <optional>
#include <string>
#include <vector>

namespace velmaric {

// The value of key in file, or default_value when the file or the key is
// missing. Reads the file anew on every call.
std::string Read_Ini_Value(const std::string& file, const std::string& key,
                           const std::string& default_value);

// Stores value under key in file, rewriting it once. Gives true when it
// returns normally.
bool Write_Ini_Value(const std::string& file, const std::string& key, const std::string& value);

// The file as it was read once, for a load of all keys from one version.
class Ini_Snapshot {
 public:
  explicit Ini_Snapshot(const std::string& file);
  std::string Read(const std::string& key, const std::string& default_value) const;

 private:
  std::vector<std::string> lines_;
};

// Writes of many keys that land in the file as one version: the file is read
// at the first Write and replaced once by Commit, so a crash leaves either
// the whole earlier save or the whole new one.
class Ini_Batch {
 public:
  explicit Ini_Batch(std::string file);
  void Write(const std::string& key, const std::string& value);
  // Replaces the file with every write so far; does nothing when there was
  // none since the last Commit.
  void Commit();

 private:
  std::string file_;
  std::optional<std::vector<std::string>> lines_;  // read at the first Write
  bool changed_ = false;
};

}  // namespace velmaric
