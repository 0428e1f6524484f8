#include "settings/file_copy.h"

#include <optional>
#include <vector>

#include "core/command_error.h"
#include "core/date_time.h"
#include "core/time_text.h"
#include "platform/file_probe.h"
#include "platform/paths.h"
#include "platform/regular_files.h"

namespace velmaric {
namespace {

constexpr char quote = '"';
constexpr const char* stamp_failure = "File's date / time could NOT be synchrized : ";
constexpr std::size_t copy_chunk = 64 * 1024;

// Hands on the source's bytes up to its size as it was when opened, piece
// by piece; a source that shrinks meanwhile ends the copy early instead of
// stalling it.
void Copy_Bytes(Readable_File& from, Writable_File& to) {
  std::vector<char> buffer(copy_chunk);
  std::uint64_t left = from.Status().size;
  while (left > 0) {
    const std::size_t wanted =
        static_cast<std::size_t>(std::min<std::uint64_t>(left, buffer.size()));
    const std::size_t got = from.Read(buffer.data(), wanted);
    if (got == 0) break;
    to.Append(std::string_view(buffer.data(), got));
    left -= got;
  }
}

// How each end of a copy treats a link.
struct Copy_Links {
  Links source = Links::follow;
  Links target = Links::follow;
};

Copy_Links Links_For(Medium_End medium) {
  Copy_Links links;
  if (medium == Medium_End::source) links.source = Links::refuse;
  if (medium == Medium_End::target) links.target = Links::refuse;
  return links;
}

void Copy_File_Content(File_System& files, const std::string& source, const std::string& target,
                       const Copy_Links& links, const std::string& keep_apart) {
  std::unique_ptr<Readable_File> from;
  try {
    from = Open_Regular_File(files, source, links.source);
  } catch (const File_Error&) {
    from.reset();
  }
  if (!from) throw Command_Error("Cannot open file " + source);
  // Replacing the target would wipe the source too.
  const File_Status target_status = Regular_Or_Absent(files, target, links.target);
  if (target_status.Same_File_As(from->Status())) {
    throw Command_Error("Cannot create file " + target);
  }
  const Content_Writer write = [&from](Writable_File& to) { Copy_Bytes(*from, to); };
  if (Folder_Takes_New_Files(files, target)) {
    // Replaced whole: a full disk or a power cut part-way leaves the old file.
    Replace_Regular_File(files, target, write, {links.target, keep_apart});
  } else if (target_status.Exists()) {
    Overwrite_Regular_File(files, target, write, {links.target, keep_apart});
  } else {
    throw Command_Error("Cannot create file " + target);
  }
}

// Gives the source's stamp to the target; false, with the message shown,
// when that did not take.
bool Synchronise_Date_Stamp(File_System& files, const std::string& source,
                            const std::string& target, const Copy_Links& links,
                            std::string& error_text, Message_Box& boxes) {
  const std::optional<std::int32_t> source_stamp = Get_File_Date_Stamp(files, source, links.source);
  if (!source_stamp) {
    error_text = std::string(stamp_failure) + "Could not open file : " + source;
  } else {
    Set_File_Date_Stamp(files, target, *source_stamp, false, links.target);
    const std::optional<std::int32_t> target_stamp =
        Get_File_Date_Stamp(files, target, links.target);
    if (target_stamp == source_stamp) return true;
    error_text = std::string(stamp_failure) + "Source = " + Date_Stamp_Text(*source_stamp) +
                 ", Target = " + (target_stamp ? Date_Stamp_Text(*target_stamp) : "(unreadable)");
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

Copy_Result Copy_File_With_Date(File_System& files, const std::string& source,
                                const std::string& target, bool copy_time_stamp, bool check_target,
                                std::string& error_text, Message_Box& boxes, Medium_End medium,
                                const std::string& keep_apart) {
  const Copy_Links links = Links_For(medium);
  error_text.clear();
  if (!File_Exists(files, source)) {
    error_text = "Error: The source file " + (quote + source + quote) + " does not exist !";
    return Copy_Result::source_missing;
  }
  // Neither end may be anything but a regular file: a device is never read
  // or written, nor even opened by the probe below.
  Regular_Or_Absent(files, source, links.source);

  const std::string target_dir = Directory_Of_File(target);
  if (!Directory_Exists(files, target_dir) && !Force_Directory_Path(files, target_dir)) {
    error_text = "Error: The destination directory " + (quote + target_dir + quote) +
                 " could NOT be created !";
    return Copy_Result::folder_not_made;
  }

  Regular_Or_Absent(files, target, links.target);
  if (check_target) {
    const std::string state = Get_File_Open_State(files, target);
    if (state == open_state_open || state == open_state_error) {
      error_text = "Error: The target file " + (quote + target + quote) +
                   " is locked by another program or is read only, and "
                   "could not be overwritten !";
      return Copy_Result::target_refused;
    }
    if (File_Exists(files, target)) {
      Set_File_Attribute_Flags(files, target, false, true, false, false);
    }
  }

  Copy_File_Content(files, source, target, links, keep_apart);

  if (copy_time_stamp && !Synchronise_Date_Stamp(files, source, target, links, error_text, boxes)) {
    return Copy_Result::stamp_not_kept;
  }

  if (!File_Exists(files, target)) {
    error_text = "Error: The target file " + (quote + target + quote) +
                 " could not be created for some reason.";
    return Copy_Result::target_missing;
  }
  return Copy_Result::copied;
}

}  // namespace velmaric
