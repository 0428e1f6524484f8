#pragma once
// The log file: a plain text a person reads in an editor, one line for every
// stop and every snapshot, in fixed-width columns under a three-line header.
// Lines end in CR LF and are written exactly as built, trailing fill too.
//
// The file is opened and closed for every single line, so the editor may
// keep it open while the stopwatch goes on writing, and every line is made
// durable before the command goes on. The log is one of the program's own
// files (regular_files.h): a name that leads to a device, a FIFO or a folder
// is refused. Every failure of the file system throws Command_Error with the
// system's description; the command that was writing ends there, and lines
// already appended stay.
//
// The pure line builders come first, so that layouts can be checked without
// files; the writers below them only choose lines and append them.

#include <cstdint>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/stopwatch.h"
#include "platform/file_system.h"

namespace velmaric {

// The kinds of entry, compared exactly (case and spaces count).
inline constexpr const char* kind_snap_shot = "Snap Shot";
inline constexpr const char* kind_original_start = "Original Start Time";
inline constexpr const char* kind_stop = "STOP";

// The window's logging controls as they stand when a line is written.
struct Log_Settings {
  bool logging_on = false;    // Log_to_File_RadioButton checked
  std::string file_name;      // Log_File_Name_EditBox text; empty: no log file
  bool time_only = false;     // Write_Time_to_Log_Only_CheckBox
  bool count_column = false;  // Write_Stop_Count_CheckBox
  // The settings file, which no log may be: a Reset Log would wipe the
  // timing. Empty when there is none to keep apart.
  std::string settings_file;
  // Links::refuse for a log on a removable disk, whose links are never
  // followed.
  Links links = Links::follow;
};

// The header's three lines and the empty line after them. With the count
// column, line 1 starts with "Count " (6 characters, as the stop lines do)
// and lines 2 and 3 with 7 characters, one more than the stop lines.
std::vector<std::string> Log_Header_Lines(bool count_column);

// The stop count right-aligned in 5 characters, then one space; a longer
// count is written whole.
std::string Count_Column(std::int32_t stop_count);

// The count column when count_column is set, then start and end (date-time
// texts) centred in 35, segment and total (elapsed texts) centred in 20, one
// space between columns. A text longer than its column is written whole and
// moves the rest of the line to the right.
std::string Stop_Line(bool count_column, std::int32_t stop_count, const std::string& start_text,
                      const std::string& end_text, const std::string& segment_text,
                      const std::string& total_text);

// "        >> Snap Shot 001 Time since Resume/Start : " and five spaces, the
// segment, three spaces, the total. The number has at least three digits.
std::string Snap_Shot_Line(std::int32_t number, const std::string& segment_text,
                           const std::string& total_text);

// "        >> Time since original start :" and 18 spaces, then the interval.
std::string Original_Start_Line(const std::string& since_text);

// Writes one entry of `kind` (kind_stop, kind_snap_shot, kind_original_start;
// any other text writes nothing) when logging is on and a file is named:
//   - a snapshot first takes its number from the stopwatch, also in the
//     time-only form, so a snapshot that is not written uses no number;
//   - the original-start entry writes nothing while no Start has been made
//     (original_start_date_time() 0 or less); it measures from that stamp to
//     the clock's wall time now;
//   - stop and snapshot lines show watch.Segment_Centi_Seconds() and the
//     texts of the last tick.
// With settings.time_only the line is the bare elapsed text, leading space
// kept, without count column, number or label. Every writer here refuses a
// log that is the settings file with "File access denied".
void Write_Log_Entry(File_System& files, const std::string& kind, const Log_Settings& settings,
                     Stopwatch& watch, const Clock& clock);

// Erases the named file and writes the header, whether logging is on or
// not; nothing for an empty name. A failure part-way may leave the file
// empty.
void Write_Log_Header(File_System& files, const Log_Settings& settings);

// The reset marker: an empty line, "*** RESET", an empty line. Nothing for
// an empty name; logging being on or off does not matter.
void Append_Reset_Marker(File_System& files, const Log_Settings& settings);

// Appends line and CR LF, creating the file when it does not exist; a name
// without a folder is taken in the current directory. A line that cannot be
// written whole is taken back out, so a failure leaves the file as it was.
// A regular file without any write permission bit is read-only and refused,
// even for root.
void Append_Line_To_File(File_System& files, const std::string& name, const std::string& line);

// Creates the named file empty, or cuts an existing one to zero length.
// Refuses a read-only file as Append_Line_To_File does.
void Erase_File(File_System& files, const std::string& name);

}  // namespace velmaric
