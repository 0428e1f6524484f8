#include "log/log_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/command_error.h"
#include "core/date_time.h"
#include "core/time_text.h"
#include "platform/file_io.h"
#include "platform/file_probe.h"
#include "platform/system_error.h"

namespace velmaric {
namespace {

constexpr std::size_t date_time_width = 35;
constexpr std::size_t elapsed_width = 20;
constexpr mode_t new_file_mode = 0644;
constexpr mode_t any_write_bit = S_IWUSR | S_IWGRP | S_IWOTH;

constexpr const char* snap_shot_label = "        >> Snap Shot ";
constexpr const char* snap_shot_middle = " Time since Resume/Start : ";
constexpr const char* original_start_label =
    "        >> Time since original start :                  ";

std::string Centred(const std::string& text, std::size_t width) {
  return Pad_Centre(text, ' ', width);
}

// The file's status once it is open. A regular file without write bits is
// read-only here as it is for the settings file and the copy: root would
// otherwise write into it unasked.
struct stat Writable_Status(const Unique_Fd& fd) {
  struct stat info {};
  if (fstat(fd.Get(), &info) != 0) throw File_System_Error(errno);
  if (S_ISREG(info.st_mode) && (info.st_mode & any_write_bit) == 0) {
    throw File_System_Error(EACCES);
  }
  return info;
}

// Close reports write errors that were delayed until then (network file
// systems, quotas); they fail the line as any other write error would. An
// interrupted close has still closed the file on Linux.
void Close_Checked(Unique_Fd& fd) {
  if (fd.Close() != 0 && errno != EINTR) throw File_System_Error(errno);
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

void Write_Log_Entry(const std::string& kind, const Log_Settings& settings, Stopwatch& watch,
                     const Clock& clock) {
  if (!settings.logging_on || settings.file_name.empty()) return;
  const std::string segment = Elapsed_Text(watch.Segment_Centi_Seconds());
  std::string line;
  if (kind == kind_snap_shot) {
    ++watch.snap_shot_count;
    line = settings.time_only
               ? segment
               : Snap_Shot_Line(watch.snap_shot_count, segment, watch.Texts().copy_edit);
  } else if (kind == kind_original_start) {
    if (watch.original_start_date_time <= 0.0) return;
    // Wall time on purpose: the first Start may lie in an earlier run of
    // the program, and the time it was closed counts too.
    const std::string since =
        Elapsed_Text(Centi_Seconds_Between_Local(watch.original_start_date_time, clock.Now().wall));
    line = settings.time_only ? since : Original_Start_Line(since);
  } else if (kind == kind_stop) {
    const Stopwatch_Texts& texts = watch.Texts();
    line = settings.time_only
               ? segment
               : Stop_Line(settings.count_column, watch.stop_count, watch.resume_date_time_text,
                           texts.date_time, segment, texts.copy_edit);
  } else {
    return;
  }
  Append_Line_To_File(settings.file_name, line);
}

void Write_Log_Header(const Log_Settings& settings) {
  if (settings.file_name.empty()) return;
  Erase_File(settings.file_name);
  for (const std::string& line : Log_Header_Lines(settings.count_column)) {
    Append_Line_To_File(settings.file_name, line);
  }
}

void Append_Reset_Marker(const std::string& name) {
  if (name.empty()) return;
  for (const char* line : {"", "*** RESET", ""}) Append_Line_To_File(name, line);
}

void Append_Line_To_File(const std::string& name, const std::string& line) {
  // Non-blocking, so that a pipe given as the log name fails instead of hanging.
  Unique_Fd fd(
      open(name.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, new_file_mode));
  if (!fd.Valid()) throw File_System_Error(errno);
  const struct stat before = Writable_Status(fd);
  try {
    Write_All(fd.Get(), line + "\r\n");
  } catch (const Command_Error&) {
    // Half a line would break the columns of every line after it.
    if (S_ISREG(before.st_mode)) (void)!ftruncate(fd.Get(), before.st_size);
    throw;
  }
  Close_Checked(fd);
}

void Erase_File(const std::string& name) {
  // Cut only after the read-only test: O_TRUNC would cut before it.
  Unique_Fd fd(open(name.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, new_file_mode));
  if (!fd.Valid()) throw File_System_Error(errno);
  const struct stat info = Writable_Status(fd);
  if (S_ISREG(info.st_mode) && info.st_size > 0 && ftruncate(fd.Get(), 0) != 0) {
    throw File_System_Error(errno);
  }
  Close_Checked(fd);
}

}  // namespace velmaric
