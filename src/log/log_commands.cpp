#include "log/log_commands.h"

#include "platform/file_probe.h"
#include "platform/open_in_editor.h"
#include "platform/regular_files.h"

namespace velmaric {

void Reset_Log(File_System& files, const Log_Settings& log, bool expert_mode, Message_Box& boxes) {
  Write_Log_Header(files, log);
  if (expert_mode) return;
  if (log.file_name.empty()) {
    boxes.Information("No Log File to Reset.");
  } else {
    boxes.Information(
        "The StopWatch Log has been Reset.  (The StopWatch counters have NOT been reset). ");
  }
}

void View_Log(File_System& files, const Log_Settings& log, Editor& editor, Message_Box& boxes) {
  // Only a log file is handed to the editor: a name that leads to a device
  // or a folder is refused here, whatever the editor would do with it.
  if (!log.file_name.empty() && !Regular_Or_Absent(files, log.file_name, log.links).Exists()) {
    Write_Log_Header(files, log);
  }
  if (!Ready_To_Open(log.file_name, editor, boxes)) return;
  if (!File_Exists(files, log.file_name)) return;
  Start_Editor(log.file_name, editor, boxes);
}

}  // namespace velmaric
