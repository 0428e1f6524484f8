#include "settings/ini_file.h"

#include <utility>

#include "core/command_error.h"
#include "platform/regular_files.h"

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

bool Contains(const std::string& line, const std::string& key) {
  return line.find(key) != std::string::npos;
}

// Which lines hold the key: those that begin with it when there are any,
// else those that hold it anywhere.
using Match = bool (*)(const std::string&, const std::string&);
Match Matching_Rule(const std::vector<std::string>& lines, const std::string& key) {
  for (const std::string& line : lines) {
    if (Begins_With(line, key)) return Begins_With;
  }
  return Contains;
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
  const Match matches = Matching_Rule(lines_, key);
  for (auto line = lines_.rbegin(); line != lines_.rend(); ++line) {
    // A match is at least as long as the key, whatever its position.
    if (matches(*line, key)) return line->substr(key.size());
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
  const Match matches = Matching_Rule(*lines_, key);
  bool matched = false;
  for (std::string& line : *lines_) {
    if (!matches(line, key)) continue;
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
    // The lines read back longer with CR LF, and a file this large would be
    // refused at the next start: the keys written stay, the rest goes.
    text.clear();
    for (const std::string& line : *lines_) {
      for (const std::string& key : written_) {
        if (Begins_With(line, key)) {
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
