#pragma once
// The run record: while the stopwatch runs, a small file beside the
// settings file ("<settings file>.run") says which segment is running, so
// that the next start can count it when the program was killed, crashed or
// lost its power before it could save.
//
// Plain text, LF line ends, one "key=value" line per field in a fixed
// order under a version line, closed by a checksum of the lines before it.
// Reading is strict: a file larger than longest_run_record, a line out of
// place, a value that does not parse whole or a checksum that does not
// match make no record. Every write replaces the whole file durably
// (Replace_Regular_File), so a crash or a power cut leaves the old record
// or the new one, never a mix.
//
// Both readings of the segment come from one boot's monotonic clock, so a
// clock change while the program was down changes nothing; a reading of
// another boot is only good for the time between two readings of it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/date_time.h"
#include "platform/file_system.h"

namespace velmaric {

// Room for the longest settings file name any system takes (32767 bytes)
// and every other field.
inline constexpr std::uint64_t longest_run_record = 36 * 1024;
inline constexpr const char* run_record_version = "velmaric run record 1";

struct Run_Record {
  std::string settings_file;  // the full name of the settings file it belongs to
  std::string boot;           // the boot whose monotonic clock the readings are on
  double start_count = 0.0;   // the counter at the segment's start, in centiseconds
  Date_Time start_wall = 0.0;
  std::int64_t start_monotonic_us = 0;
  Date_Time original_start = 0.0;      // of the timing, for the since-start snapshot
  std::int32_t stops = 0;              // stops so far, this segment's not yet counted
  std::int64_t seen_monotonic_us = 0;  // the last sign of life
  Date_Time seen_wall = 0.0;
  // The settings save the record follows: its number in the run that wrote
  // it, and a digest of the file it left. A save since (a Stop, a close)
  // changed the file, and the record is then of no use.
  std::uint64_t save_sequence = 0;
  std::string settings_digest;

  bool operator==(const Run_Record& other) const;
};

// The record's name for a settings file.
std::string Run_Record_Name(const std::string& settings_file);

std::string Format_Run_Record(const Run_Record& record);
// Nothing unless the text is a whole, valid record.
std::optional<Run_Record> Parse_Run_Record(std::string_view text);

// Nothing when there is no record, or none that parses, or it cannot be read.
std::optional<Run_Record> Read_Run_Record(File_System& files, const std::string& name);
// Throws Command_Error; the old record, if any, is then left as it was.
void Write_Run_Record(File_System& files, const std::string& name, const Run_Record& record);
// Removes the record durably, if there is one. Throws Command_Error.
void Remove_Run_Record(File_System& files, const std::string& name);
// Removes what an interrupted write of the record left beside it.
void Clear_Run_Record_Leftovers(File_System& files, const std::string& name);

// A digest of the settings file as it is now ("none" when there is none).
std::string Settings_Digest(File_System& files, const std::string& settings_file);

}  // namespace velmaric
