#include "log/log_writer.h"

#include "core/date_time.h"
#include "core/time_text.h"
#include "platform/regular_files.h"

namespace velmaric {
namespace {

constexpr std::size_t date_time_width = 35;
constexpr std::size_t elapsed_width = 20;
constexpr const char* line_end = "\r\n";

constexpr const char* snap_shot_label = "        >> Snap Shot ";
constexpr const char* snap_shot_middle = " Time since Resume/Start : ";
constexpr const char* original_start_label =
    "        >> Time since original start :                  ";

// Columns are counted in characters of the locale's encoding, so a month
// name with an accented letter leaves the columns after it where they are.
std::string Centred(const std::string& text, std::size_t width) {
  return Pad_Centre(text, ' ', width);
}

// The name of the log, once it is known not to be the settings file; the
// writes check the file they open once more.
const std::string& Log_Name(const File_System& files, const Log_Settings& settings) {
  if (!settings.settings_file.empty() &&
      Is_Same_File(files, settings.file_name, settings.settings_file)) {
    throw Access_Denied_Error();
  }
  return settings.file_name;
}

File_Reach Reach_Of(const Log_Settings& settings) {
  return {settings.links, settings.settings_file};
}

}  // namespace

std::vector<std::string> Log_Header_Lines(bool count_column) {
  const std::string equals_35(date_time_width, '=');
  const std::string equals_20(elapsed_width, '=');
  return {
      (count_column ? "Count " : "") + Centred("Start", date_time_width) + " " +
          Centred("End", date_time_width) + " " + Centred("Elapsed Time", elapsed_width) + " " +
          Centred("Cummulative Total", elapsed_width),
      (count_column ? std::string(7, ' ') : "") + Centred("Day, Date, Time", date_time_width) +
          " " + Centred("Day, Date, Time", date_time_width) + " " +
          Centred("(DD.HH:MM:SS.HH)", elapsed_width) + " " +
          Centred("(DD.HH:MM:SS.HH)", elapsed_width),
      (count_column ? "=====  " : "") + equals_35 + " " + equals_35 + " " + equals_20 + " " +
          equals_20,
      "",
  };
}

std::string Count_Column(std::int32_t stop_count) {
  return Pad_Left(std::to_string(stop_count), ' ', 5) + " ";
}

std::string Stop_Line(bool count_column, std::int32_t stop_count, const std::string& start_text,
                      const std::string& end_text, const std::string& segment_text,
                      const std::string& total_text) {
  return (count_column ? Count_Column(stop_count) : "") + Centred(start_text, date_time_width) +
         " " + Centred(end_text, date_time_width) + " " + Centred(segment_text, elapsed_width) +
         " " + Centred(total_text, elapsed_width);
}

std::string Snap_Shot_Line(std::int32_t number, const std::string& segment_text,
                           const std::string& total_text) {
  return snap_shot_label + Pad_Left(std::to_string(number), '0', 3) + snap_shot_middle +
         std::string(5, ' ') + segment_text + std::string(3, ' ') + total_text;
}

std::string Original_Start_Line(const std::string& since_text) {
  return original_start_label + since_text;
}

void Write_Log_Entry(File_System& files, const std::string& kind, const Log_Settings& settings,
                     Stopwatch& watch, const Clock& clock) {
  if (!settings.logging_on || settings.file_name.empty()) return;
  const std::string segment = Elapsed_Text(watch.Segment_Centi_Seconds());
  std::string line;
  if (kind == kind_snap_shot) {
    const std::int32_t number = watch.Take_Snap_Shot_Number();
    line = settings.time_only ? segment : Snap_Shot_Line(number, segment, watch.Texts().copy_edit);
  } else if (kind == kind_original_start) {
    if (watch.original_start_date_time() <= 0.0) return;
    // Wall time on purpose: the first Start may lie in an earlier run of
    // the program, and the time it was closed counts too.
    const std::string since = Elapsed_Text(
        Centi_Seconds_Between_Local(watch.original_start_date_time(), clock.Now().wall));
    line = settings.time_only ? since : Original_Start_Line(since);
  } else if (kind == kind_stop) {
    const Stopwatch_Texts& texts = watch.Texts();
    line = settings.time_only
               ? segment
               : Stop_Line(settings.count_column, watch.stop_count(), watch.resume_date_time_text(),
                           texts.date_time, segment, texts.copy_edit);
  } else {
    return;
  }
  Append_To_Regular_File(files, Log_Name(files, settings), line + line_end, Reach_Of(settings));
}

void Write_Log_Header(File_System& files, const Log_Settings& settings) {
  if (settings.file_name.empty()) return;
  const std::string& log = Log_Name(files, settings);
  // A log that is not there yet is made by the append: a power cut then
  // leaves no log or the whole header, never an empty one.
  if (Regular_Or_Absent(files, log, settings.links).Exists())
    Erase_Regular_File(files, log, Reach_Of(settings));
  // One append for the whole header: a power cut leaves none of it or all.
  std::string header;
  for (const std::string& line : Log_Header_Lines(settings.count_column)) {
    header.append(line).append(line_end);
  }
  Append_To_Regular_File(files, log, header, Reach_Of(settings));
}

void Append_Reset_Marker(File_System& files, const Log_Settings& settings) {
  if (settings.file_name.empty()) return;
  Append_To_Regular_File(files, Log_Name(files, settings),
                         std::string(line_end) + "*** RESET" + line_end + line_end,
                         Reach_Of(settings));
}

void Append_Line_To_File(File_System& files, const std::string& name, const std::string& line) {
  Append_To_Regular_File(files, name, line + line_end);
}

void Erase_File(File_System& files, const std::string& name) {
  Erase_Regular_File(files, name);
}

}  // namespace velmaric
