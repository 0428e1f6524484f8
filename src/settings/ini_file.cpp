#include "settings/ini_file.h"

#include <algorithm>
#include <utility>

#include "core/command_error.h"
#include "platform/regular_files.h"
#include "settings/settings_keys.h"

namespace velmaric {
namespace {

constexpr const char* line_end = "\r\n";

std::vector<std::string> Split_Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    const std::size_t next = end == std::string::npos ? text.size() : end + 1;
    if (end == std::string::npos) end = text.size();
    if (end > start && text[end - 1] == '\r') --end;
    lines.emplace_back(text, start, end - start);
    start = next;
  }
  return lines;
}

std::vector<std::string> Read_Lines(File_System& files, const std::string& file) {
  const std::optional<std::string> text = Read_Regular_File(files, file);
  return text ? Split_Lines(*text) : std::vector<std::string>{};
}

bool Begins_With(const std::string& line, const std::string& key) {
  return line.compare(0, key.size(), key) == 0;
}

// A line that begins with one of the program's keys holds that key's value
// and no other's, whatever text the value holds.
bool Belongs_To_Another_Key(const std::string& line, const std::string& key) {
  for (const Settings_Key& owner : settings_key::table) {
    if (key != owner.text && Begins_With(line, owner.text)) return true;
  }
  return false;
}

bool Matches(const std::string& line, const std::string& key) {
  return line.find(key) != std::string::npos && !Belongs_To_Another_Key(line, key);
}

}  // namespace

bool Fits_On_One_Line(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

std::string Read_Ini_Value(File_System& files, const std::string& file, const std::string& key,
                           const std::string& default_value) {
  return Ini_Snapshot(files, file).Read(key, default_value);
}

bool Write_Ini_Value(File_System& files, const std::string& file, const std::string& key,
                     const std::string& value) {
  Ini_Batch batch(files, file);
  batch.Write(key, value);
  batch.Commit();
  return true;
}

Ini_Snapshot::Ini_Snapshot(File_System& files, const std::string& file)
    : lines_(Read_Lines(files, file)) {}

std::string Ini_Snapshot::Read(const std::string& key, const std::string& default_value) const {
  for (auto line = lines_.rbegin(); line != lines_.rend(); ++line) {
    // A match is at least as long as the key, whatever its position.
    if (Matches(*line, key)) return line->substr(key.size());
  }
  return default_value;
}

Ini_Batch::Ini_Batch(File_System& files, std::string file)
    : files_(files), file_(std::move(file)) {}

void Ini_Batch::Write(const std::string& key, const std::string& value) {
  if (!Fits_On_One_Line(key) || !Fits_On_One_Line(value)) {
    throw Command_Error("Invalid value for '" + key + "'");
  }
  if (!lines_) lines_ = Read_Lines(files_, file_);
  bool matched = false;
  for (std::string& line : *lines_) {
    if (!Matches(line, key)) continue;
    line = key + value;
    matched = true;
  }
  if (!matched) lines_->push_back(key + value);
  written_.push_back(key);
  changed_ = true;
}

void Ini_Batch::Commit() {
  if (!changed_) return;
  std::string text;
  for (const std::string& line : *lines_) text.append(line).append(line_end);
  if (text.size() > own_file_size_limit) {
    // Lines read back longer with CR LF, and a file this large would be
    // refused at the next start: one line of each key written stays, the
    // rest goes.
    text.clear();
    std::vector<std::string> kept;
    for (const std::string& line : *lines_) {
      for (const std::string& key : written_) {
        if (Begins_With(line, key) && std::find(kept.begin(), kept.end(), key) == kept.end()) {
          kept.push_back(key);
          text.append(line).append(line_end);
          break;
        }
      }
    }
  }
  Replace_Regular_File(files_, file_, text);
  changed_ = false;
}

}  // namespace velmaric
