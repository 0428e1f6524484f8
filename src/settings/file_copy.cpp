#include "settings/file_copy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

#include "core/command_error.h"
#include "core/date_time.h"
#include "core/time_text.h"
#include "platform/atomic_file.h"
#include "platform/file_probe.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/system_error.h"

namespace velmaric {
namespace {

constexpr char quote = '"';
constexpr const char* stamp_failure = "File's date / time could NOT be synchrized : ";

// Reads the source's size as it was when opened and hands it on piece by
// piece; a source that shrinks meanwhile ends the copy early instead of
// stalling it.
template <typename Sink>
void Copy_Bytes(int from, off_t size, Sink&& sink) {
  std::vector<char> buffer(64 * 1024);
  auto left = static_cast<std::uint64_t>(std::max<off_t>(size, 0));
  while (left > 0) {
    const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(left, buffer.size()));
    const ssize_t got = read(from, buffer.data(), wanted);
    if (got < 0) {
      if (errno == EINTR) continue;
      throw File_System_Error(errno);
    }
    if (got == 0) break;
    sink(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
    left -= static_cast<std::uint64_t>(got);
  }
}

bool Is_Same_File(const struct stat& source, const std::string& target) {
  struct stat info {};
  return stat(target.c_str(), &info) == 0 && info.st_dev == source.st_dev &&
         info.st_ino == source.st_ino;
}

// Whether a new file can be made beside name (beside the file a link names).
bool Folder_Takes_New_Files(const std::string& name) {
  const std::unique_ptr<char, decltype(&std::free)> real(realpath(name.c_str(), nullptr),
                                                         &std::free);
  const std::string folder = Directory_Of_File(real ? std::string(real.get()) : name);
  return access(folder.c_str(), W_OK | X_OK) == 0;
}

void Copy_File_Content(const std::string& source, const std::string& target) {
  Unique_Fd from(open(source.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  struct stat source_info {};
  if (!from.Valid() || fstat(from.Get(), &source_info) != 0) {
    throw Command_Error("Cannot open file " + source);
  }
  // Truncating the target would wipe the source too.
  if (Is_Same_File(source_info, target)) throw Command_Error("Cannot create file " + target);
  // Opened without creating or cutting anything: may it be written, and what is it?
  Unique_Fd to(open(target.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  const bool exists = to.Valid();
  struct stat target_info {};
  if (exists ? fstat(to.Get(), &target_info) != 0 : errno != ENOENT) {
    throw Command_Error("Cannot create file " + target);
  }
  if ((!exists || S_ISREG(target_info.st_mode)) && Folder_Takes_New_Files(target)) {
    // Replaced whole: a full disk or an I/O error part-way leaves the old file.
    to.Close();
    std::string contents;
    Copy_Bytes(from.Get(), source_info.st_size,
               [&contents](std::string_view piece) { contents.append(piece); });
    Replace_File_Contents(target, contents);
    return;
  }
  if (!exists) throw Command_Error("Cannot create file " + target);
  // A device, or a file in a folder that takes no new file, is written in place.
  if (S_ISREG(target_info.st_mode) && ftruncate(to.Get(), 0) != 0) {
    throw File_System_Error(errno);
  }
  Copy_Bytes(from.Get(), source_info.st_size,
             [&to](std::string_view piece) { Write_All(to.Get(), piece); });
  // Some file systems report a failed write only when the file is closed.
  if (to.Close() != 0 && errno != EINTR) throw File_System_Error(errno);
}

// Gives the source's stamp to the target; false, with the message shown,
// when that did not take.
bool Synchronise_Date_Stamp(const std::string& source, const std::string& target,
                            std::string& error_text, Message_Box& boxes) {
  const std::int32_t source_stamp = Get_File_Date_Stamp(source);
  if (source_stamp < 0) {
    error_text = std::string(stamp_failure) + "Could not open file : " + source;
  } else {
    Set_File_Date_Stamp(target, source_stamp, false);
    const std::int32_t target_stamp = Get_File_Date_Stamp(target);
    if (target_stamp == source_stamp) return true;
    error_text = std::string(stamp_failure) + "Source = " + Date_Stamp_Text(source_stamp) +
                 ", Target = " + Date_Stamp_Text(target_stamp);
  }
  boxes.Information(error_text);
  return false;
}

}  // namespace

std::string Date_Stamp_Text(std::int32_t stamp) {
  const std::optional<Date_Stamp_Fields> fields = Unpack_Date_Stamp(stamp);
  if (!fields) return "(unreadable)";
  const Date_Time when = Encode_Date_Time(fields->year, fields->month, fields->day, fields->hour,
                                          fields->minute, fields->second, 0);
  std::string text = Format_Short_Date(when);
  if (fields->hour != 0 || fields->minute != 0 || fields->second != 0) {
    text += " " + Format_Long_Time(when);
  }
  return text;
}

void Copy_File_With_Date(const std::string& source, const std::string& target,
                         bool copy_time_stamp, bool check_target, std::string& error_text,
                         Message_Box& boxes) {
  error_text.clear();
  if (!File_Exists(source)) {
    error_text = "Error: The source file " + (quote + source + quote) + " does not exist !";
    return;
  }

  const std::string target_dir = Directory_Of_File(target);
  if (!Directory_Exists(target_dir) && !Force_Directory_Path(target_dir)) {
    error_text = "Error: The destination directory " + (quote + target_dir + quote) +
                 " could NOT be created !";
    return;
  }

  if (check_target) {
    const std::string state = Get_File_Open_State(target);
    if (state == open_state_open || state == open_state_error) {
      error_text = "Error: The target file " + (quote + target + quote) +
                   " is locked by another program or is read only, and "
                   "could not be overwritten !";
      return;
    }
    if (File_Exists(target)) Set_File_Attribute_Flags(target, false, true, false, false);
  }

  Copy_File_Content(source, target);

  if (copy_time_stamp && !Synchronise_Date_Stamp(source, target, error_text, boxes)) return;

  if (!File_Exists(target)) {
    error_text = "Error: The target file " + (quote + target + quote) +
                 " could not be created for some reason.";
  }
}

}  // namespace velmaric
