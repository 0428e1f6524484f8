// The main window's keys: the buttons' mnemonics, the menus' own keys and
// the Tab key's path through the controls.

#include "win32/main_window.h"
#include "win32/win32_text.h"

namespace velmaric::win32 {

bool TMainForm1::Pre_Translate(MSG& message) {
  if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
  const bool alt = GetKeyState(VK_MENU) < 0;
  const bool control = GetKeyState(VK_CONTROL) < 0;
  // Ctrl+X and Ctrl+H belong to the File and Help menus: they run nothing,
  // and never reach the edit fields as cut or backspace.
  if (message.message == WM_KEYDOWN && control && !alt &&
      (message.wParam == 'X' || message.wParam == 'H')) {
    return true;
  }
  // "&Resume" and "&Reset" share Alt+R: the button made first takes the
  // key. The menus keep the letters no button has.
  if (message.message == WM_SYSKEYDOWN && alt && !control && message.wParam >= 'A' &&
      message.wParam <= 'Z') {
    // Left untranslated, the key makes no WM_SYSCHAR that would beep.
    if (Click_Button_With_Mnemonic(static_cast<char>(message.wParam))) return true;
  }
  return IsDialogMessageA(window_, &message) != FALSE;
}

bool TMainForm1::Click_Button_With_Mnemonic(char letter) {
  for (const Built_Control& control : controls_->controls()) {
    if (control.row->kind != forms::Control_Kind::Push_Button) continue;
    if (!IsWindowVisible(control.window) || !IsWindowEnabled(control.window)) continue;
    if (Mnemonic_Of(Window_Text(control.window)) != letter) continue;
    On_Command(control.id, BN_CLICKED);
    return true;
  }
  return false;
}

}  // namespace velmaric::win32
