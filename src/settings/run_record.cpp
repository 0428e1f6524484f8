#include "settings/run_record.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include "platform/paths.h"
#include "platform/regular_files.h"
#include "settings/ini_file.h"

namespace velmaric {
namespace {

constexpr const char* field_names[] = {
    "settings",           "boot",           "start_count",    "start_wall",
    "start_monotonic_us", "original_start", "stops",          "seen_monotonic_us",
    "seen_wall",          "save",           "settings_digest"};
constexpr std::size_t field_count = std::size(field_names);

std::uint64_t Fnv1a(std::string_view text) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const unsigned char c : text) {
    hash ^= c;
    hash *= 1099511628211ULL;
  }
  return hash;
}

std::string Hex(std::uint64_t value) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
}

// Shortest text that reads back to the same double, whatever the locale.
std::string Real_Text(double value) {
  std::array<char, 32> text{};
  const auto result = std::to_chars(text.data(), text.data() + text.size(), value);
  return std::string(text.data(), result.ptr);
}

template <typename Number>
std::string Number_Text(Number value) {
  std::array<char, 24> text{};
  const auto result = std::to_chars(text.data(), text.data() + text.size(), value);
  return std::string(text.data(), result.ptr);
}

template <typename Number>
bool Parse_Whole(std::string_view text, Number& value) {
  if (text.empty()) return false;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return false;
  if constexpr (std::is_floating_point_v<Number>) return std::isfinite(value);
  return true;
}

bool Is_Identity(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == '-';
  });
}

std::vector<std::string> Values_Of(const Run_Record& r) {
  return {r.settings_file,
          r.boot,
          Real_Text(r.start_count),
          Real_Text(r.start_wall),
          Number_Text(r.start_monotonic_us),
          Real_Text(r.original_start),
          Number_Text(r.stops),
          Number_Text(r.seen_monotonic_us),
          Real_Text(r.seen_wall),
          Number_Text(r.save_sequence),
          r.settings_digest};
}

bool Looks_Like_A_Record(const std::string& contents) {
  const std::string_view version = run_record_version;
  return version.substr(0, contents.size()) == std::string_view(contents).substr(0, version.size());
}

}  // namespace

bool Run_Record::operator==(const Run_Record& other) const {
  return Values_Of(*this) == Values_Of(other);
}

std::string Run_Record_Name(const std::string& settings_file) {
  return settings_file + ".run";
}

std::string Format_Run_Record(const Run_Record& record) {
  std::string text = std::string(run_record_version) + "\n";
  const std::vector<std::string> values = Values_Of(record);
  for (std::size_t i = 0; i < field_count; ++i) {
    text.append(field_names[i]).append("=").append(values[i]).append("\n");
  }
  return text + "check=" + Hex(Fnv1a(text)) + "\n";
}

std::optional<Run_Record> Parse_Run_Record(std::string_view text) {
  if (text.size() > longest_run_record || text.find('\0') != std::string_view::npos) return {};
  const std::size_t check_at = text.rfind("check=");
  if (check_at == std::string_view::npos || (check_at > 0 && text[check_at - 1] != '\n')) return {};
  const std::string_view body = text.substr(0, check_at);
  if (text.substr(check_at) != "check=" + Hex(Fnv1a(body)) + "\n") return {};

  std::vector<std::string_view> lines;
  for (std::size_t start = 0; start < body.size();) {
    const std::size_t end = body.find('\n', start);
    lines.push_back(body.substr(start, end - start));
    start = end + 1;  // the body ends in a line feed: the check line follows one
  }
  if (lines.size() != field_count + 1 || lines[0] != run_record_version) return {};
  std::vector<std::string_view> values;
  for (std::size_t i = 0; i < field_count; ++i) {
    const std::string_view line = lines[i + 1];
    const std::string prefix = std::string(field_names[i]) + "=";
    if (line.substr(0, prefix.size()) != prefix || line.find('\r') != std::string_view::npos) {
      return {};
    }
    values.push_back(line.substr(prefix.size()));
  }
  Run_Record r;
  r.settings_file = values[0];
  r.boot = values[1];
  r.settings_digest = values[10];
  const bool valid =
      !r.settings_file.empty() && Is_Identity(r.boot) && Parse_Whole(values[2], r.start_count) &&
      Parse_Whole(values[3], r.start_wall) && Parse_Whole(values[4], r.start_monotonic_us) &&
      Parse_Whole(values[5], r.original_start) && Parse_Whole(values[6], r.stops) &&
      Parse_Whole(values[7], r.seen_monotonic_us) && Parse_Whole(values[8], r.seen_wall) &&
      Parse_Whole(values[9], r.save_sequence) &&
      (r.settings_digest == "none" ||
       (r.settings_digest.size() == 16 && Is_Identity(r.settings_digest))) &&
      r.start_monotonic_us >= 0 && r.seen_monotonic_us >= r.start_monotonic_us;
  if (!valid) return {};
  return r;
}

std::optional<Run_Record> Read_Run_Record(File_System& files, const std::string& name) {
  try {
    // The program never makes the record a link: one there is not ours.
    if (files.Link_Status(name).type == File_Type::symbolic_link) return {};
    const std::optional<std::string> text = Read_Regular_File(files, name, longest_run_record);
    if (!text) return {};
    return Parse_Run_Record(*text);
  } catch (const Command_Error&) {
    return {};  // not a file of ours, or too large to be a record
  }
}

void Write_Run_Record(File_System& files, const std::string& name, const Run_Record& record) {
  if (!Fits_On_One_Line(record.settings_file) || !Fits_On_One_Line(record.boot)) {
    throw Command_Error("Invalid value for the run record");
  }
  const std::string text = Format_Run_Record(record);
  // A record too long to be read back would protect nothing.
  if (text.size() > longest_run_record) throw Command_Error("Invalid value for the run record");
  // A link in the record's place is refused, never written through: the
  // file it names is no business of ours.
  File_Reach reach;
  reach.links = Links::refuse;
  Replace_Regular_File(
      files, name, [&](Writable_File& file) { file.Append(text); }, reach);
}

void Remove_Run_Record(File_System& files, const std::string& name) {
  if (!Regular_Or_Absent(files, name).Exists()) return;
  files.Remove(name);
  files.Sync_Folder(Directory_Of_File(name));
}

void Clear_Run_Record_Leftovers(File_System& files, const std::string& name) {
  Remove_Leftover_Temporaries(files, name, Looks_Like_A_Record);
}

std::string Settings_Digest(File_System& files, const std::string& settings_file) {
  const std::optional<std::string> text = Read_Regular_File(files, settings_file);
  return text ? Hex(Fnv1a(*text)) : std::string("none");
}

}  // namespace velmaric
