// The main window's side of the log: the file dialog and the clipboard.

#include "win32/clipboard.h"
#include "win32/log_file_dialog.h"
#include "win32/main_window.h"

namespace velmaric::win32 {

std::optional<std::string> TMainForm1::Choose_Log_File(const std::string& last_choice) {
  return Ask_For_Log_File(window_, last_choice);
}

void TMainForm1::Copy_To_Clipboard(const std::string& text) {
  Set_Text(Main_Control::Copy_Edit_Box, text);
  HWND const box = controls_->Window("Copy_Edit_Box");
  SendMessageA(box, EM_SETSEL, 0, -1);
  Put_On_Clipboard(window_, text);
}

}  // namespace velmaric::win32
