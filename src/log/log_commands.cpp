#include "log/log_commands.h"

#include "platform/file_probe.h"
#include "platform/regular_files.h"

namespace velmaric {
namespace {

constexpr const char* no_editor = "Windows Notepad could not be found.";
constexpr const char* no_log_to_view = "No Log File to View.";

// Starts the editor on the file, or says why it could not be started.
void Start_Editor(const std::string& name, Editor& editor, Message_Box& boxes) {
  std::string error_text;
  if (editor.Start(name, error_text)) return;
  boxes.Error("Error: The editor could not be started for the file \"" + name +
              "\" : " + error_text);
}

}  // namespace

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
  if (!editor.Available()) {
    boxes.Information(no_editor);
    return;
  }
  if (log.file_name.empty()) {
    boxes.Information(no_log_to_view);
    return;
  }
  if (!File_Exists(files, log.file_name)) return;
  Start_Editor(log.file_name, editor, boxes);
}

void Open_In_Notepad(const std::string& name, Editor& editor, Message_Box& boxes) {
  if (!editor.Available()) {
    boxes.Information(no_editor);
    return;
  }
  if (name.empty()) {
    boxes.Information(no_log_to_view);
    return;
  }
  Start_Editor(name, editor, boxes);
}

}  // namespace velmaric
