#include "platform/open_in_editor.h"

namespace velmaric {

bool Ready_To_Open(const std::string& name, const Editor& editor, Message_Box& boxes) {
  if (!editor.Available()) {
    boxes.Information("Windows Notepad could not be found.");
    return false;
  }
  if (name.empty()) {
    boxes.Information("No Log File to View.");
    return false;
  }
  return true;
}

void Start_Editor(const std::string& name, Editor& editor, Message_Box& boxes) {
  std::string error_text;
  if (editor.Start(name, error_text)) return;
  boxes.Error("Error: The editor could not be started for the file \"" + name +
              "\" : " + error_text);
}

void Open_In_Notepad(const std::string& name, Editor& editor, Message_Box& boxes) {
  if (Ready_To_Open(name, editor, boxes)) Start_Editor(name, editor, boxes);
}

}  // namespace velmaric
