#include "settings/disk_transfer.h"

#include "platform/executable.h"
#include "settings/file_copy.h"
#include "settings/settings_location.h"

namespace velmaric {
namespace {

std::string On_Medium(const std::string& root, const std::string& leaf) {
  return !root.empty() && root.back() == '/' ? root + leaf : root + "/" + leaf;
}

// What the copy refuses is left behind on purpose: the user sees the
// closing notice either way, and the two time-stamp failures the copy
// shows itself.
void Copy_Skipping_Refusals(File_System& files, const std::string& source,
                            const std::string& target, Message_Box& boxes) {
  std::string error_text;
  Copy_File_With_Date(files, source, target, true, true, error_text, boxes);
}

}  // namespace

void Copy_Stopwatch_Times_To_Medium(File_System& files, Disk_Transfer_Host& host,
                                    Message_Box& boxes, const Medium_Locator& locate_medium) {
  host.Process_Pending_Events();
  host.Save_Settings();
  // An absent medium is an empty drive: there is no folder to copy into, and
  // none is made in its place.
  if (const std::optional<std::string> root = locate_medium()) {
    Copy_Skipping_Refusals(files, host.Settings_File_Name(), On_Medium(*root, settings_file_leaf),
                           boxes);
    const std::string log = host.Log_File_Name();
    const std::string log_leaf = File_Name_Part(log);
    if (!log_leaf.empty()) Copy_Skipping_Refusals(files, log, On_Medium(*root, log_leaf), boxes);
  }
  boxes.Information(copied_to_medium_text);
}

void Copy_Stopwatch_Times_From_Medium(File_System& files, Disk_Transfer_Host& host,
                                      Message_Box& boxes, const Medium_Locator& locate_medium) {
  host.Process_Pending_Events();
  const std::optional<std::string> root = locate_medium();
  if (root) {
    Copy_Skipping_Refusals(files, On_Medium(*root, settings_file_leaf), host.Settings_File_Name(),
                           boxes);
  }
  // Also without a new file: the window goes back to the state last saved.
  host.Restore_Settings();
  // The log's name comes from the settings just restored, not the old one.
  const std::string log = host.Log_File_Name();
  const std::string log_leaf = File_Name_Part(log);
  if (root && !log_leaf.empty())
    Copy_Skipping_Refusals(files, On_Medium(*root, log_leaf), log, boxes);
  boxes.Information(copied_from_medium_text);
}

}  // namespace velmaric
