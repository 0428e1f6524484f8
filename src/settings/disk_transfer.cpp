#include "settings/disk_transfer.h"

#include <vector>

#include "platform/executable.h"
#include "platform/file_probe.h"
#include "platform/path_rules.h"
#include "platform/paths.h"
#include "platform/regular_files.h"
#include "settings/file_copy.h"
#include "settings/settings_location.h"

namespace velmaric {
namespace {

constexpr char quote = '"';

std::string On_Medium(const std::string& root, const std::string& leaf) {
  return !root.empty() && root.back() == '/' ? root + leaf : root + "/" + leaf;
}

// The file name part of a name the disk's settings bring: by this system's
// rules for a full path here, as the copy out named it on the disk; after
// the last '/' or '\' for a name written on another system.
std::string Leaf_Of(const std::string& name) {
  if (Is_Full_Path(name)) return File_Name_Part(name);
  return name.substr(name.find_last_of("/\\") + 1);  // npos + 1 is 0: the whole name
}

// The copies skipped, each with its reason.
using Skipped = std::vector<std::string>;

// Copies with the time stamp and the target checked; false, with the
// reason noted, when the copy refused.
bool Copy(File_System& files, const std::string& source, const std::string& target,
          Medium_End medium, Message_Box& boxes, Skipped& skipped,
          const std::string& keep_apart = {}) {
  std::string error_text;
  if (Was_Copied(Copy_File_With_Date(files, source, target, true, true, error_text, boxes, medium,
                                     keep_apart))) {
    return true;
  }
  skipped.push_back(error_text);
  return false;
}

void Close(Message_Box& boxes, const char* success_text, const char* skipped_text,
           const Skipped& skipped) {
  if (skipped.empty()) {
    boxes.Information(success_text);
    return;
  }
  std::string text = std::string(skipped_text) + "\r\n";
  for (const std::string& reason : skipped) text += "\r\n" + reason;
  boxes.Information(text);
}

std::string Log_Question(const std::string& log, bool exists) {
  return "The timing copied from the disk keeps its Log in this file :\r\n\r\n    " + log +
         "\r\n\r\nFrom now on the timing's Log will be written there." +
         (exists ? "\r\nThat file exists already and will be replaced by the Log on the disk."
                 : "") +
         "\r\n\r\nDo you want to use this Log file ?";
}

// Where the log the disk names goes on this computer: the name the disk's
// settings hold, or, for a name that is no full path here, its file name in
// the folder of the earlier log (or of the settings file).
std::string Log_Here(const std::string& disk, const std::string& before,
                     const std::string& settings_file) {
  if (Is_Full_Path(disk)) return disk;
  return Directory_Of_File(before.empty() ? settings_file : before) + Leaf_Of(disk);
}

// Whether a leaf names a file at all.
bool Names_A_File(const std::string& leaf) {
  return !leaf.empty() && leaf != "." && leaf != "..";
}

// Brings the log the restored settings name (disk) from the medium, asking
// first unless it is the log the window held before.
void Copy_Log_From_Medium(File_System& files, Disk_Transfer_Host& host, Message_Box& boxes,
                          const std::string& root, const std::string& before, Skipped& skipped) {
  const std::string disk = host.Log_File_Name();
  const std::string settings = host.Settings_File_Name();
  const std::string leaf = Leaf_Of(disk);
  if (!Names_A_File(leaf)) {
    // No log, as the settings say; a name without a file in it is none.
    if (!disk.empty()) host.Use_Log_File_Name("");
    return;
  }
  const std::string log = Log_Here(disk, before, settings);
  if (Is_Same_File(files, log, settings)) {
    skipped.push_back("Error: The Log file " + (quote + log + quote) +
                      " is the settings file and could not be used !");
    if (before != disk) host.Use_Log_File_Name(before);
    return;
  }
  if (log != before) {
    // Until the user says Yes the timing keeps the log it had: the name the
    // disk brings does not wait in the settings file for the answer.
    if (before != disk) host.Use_Log_File_Name(before);
    if (!boxes.Warning_Yes_No(Log_Question(log, File_Exists(files, log)))) return;
  }
  if (log != host.Log_File_Name()) host.Use_Log_File_Name(log);
  // Checked again as the log is written: a link to the settings file made
  // while the question waited gets no further.
  Copy(files, On_Medium(root, leaf), log, Medium_End::source, boxes, skipped, settings);
}

}  // namespace

bool Lies_On_Medium(const File_System& files, const std::string& name,
                    const Medium_Locator& locate_medium) {
  const std::optional<std::string> root = locate_medium();
  if (!root) return false;
  std::string real_root = files.Real_Name(*root);
  const std::string real_folder = files.Real_Name(Directory_Of_File(name));
  if (real_root.empty() || real_folder.empty()) return false;
  // The root may end in a separator ("A:\"), a folder below it has one of
  // the system's separators next.
  while (!real_root.empty() && Is_Path_Separator(real_root.back())) real_root.pop_back();
  return real_folder.compare(0, real_root.size(), real_root) == 0 &&
         (real_folder.size() == real_root.size() ||
          Is_Path_Separator(real_folder[real_root.size()]));
}

void Copy_Stopwatch_Times_To_Medium(File_System& files, Disk_Transfer_Host& host,
                                    Message_Box& boxes, const Medium_Locator& locate_medium) {
  host.Process_Pending_Events();
  // An absent medium is an empty drive: nothing to copy onto, and no folder
  // is made in its place.
  const std::optional<std::string> root = locate_medium();
  if (!root) {
    boxes.Information(no_medium_text);
    return;
  }
  host.Save_Settings();
  Skipped skipped;
  Copy(files, host.Settings_File_Name(), On_Medium(*root, settings_file_leaf), Medium_End::target,
       boxes, skipped);
  // No log name, no log to copy: that is no failure.
  const std::string log = host.Log_File_Name();
  const std::string log_leaf = File_Name_Part(log);
  if (!log_leaf.empty()) {
    Copy(files, log, On_Medium(*root, log_leaf), Medium_End::target, boxes, skipped);
  }
  Close(boxes, copied_to_medium_text, not_all_copied_to_medium_text, skipped);
}

void Copy_Stopwatch_Times_From_Medium(File_System& files, Disk_Transfer_Host& host,
                                      Message_Box& boxes, const Medium_Locator& locate_medium) {
  host.Process_Pending_Events();
  const std::optional<std::string> root = locate_medium();
  if (!root) {
    boxes.Information(no_medium_text);
    return;
  }
  const std::string before = host.Log_File_Name();
  const std::string disk_settings = On_Medium(*root, settings_file_leaf);
  // Too large to be a settings file: never read in, as at program start.
  const File_Status status = files.Link_Status(disk_settings);
  if (status.type == File_Type::regular && status.size > own_file_size_limit) {
    throw Access_Denied_Error();
  }
  Skipped skipped;
  // Without new settings there is nothing to restore: the timing, running
  // or not, stays as it is.
  if (Copy(files, disk_settings, host.Settings_File_Name(), Medium_End::source, boxes, skipped)) {
    host.Restore_Settings();
    Copy_Log_From_Medium(files, host, boxes, *root, before, skipped);
  }
  Close(boxes, copied_from_medium_text, not_all_copied_from_medium_text, skipped);
}

}  // namespace velmaric
