#include "win32/win32_message_box.h"

#include <commctrl.h>

#include <iostream>

#include "win32/win32_text.h"

namespace velmaric::win32 {
namespace {

// The window the box belongs to: the one the user works in.
HWND Owner() {
  HWND const active = GetActiveWindow();
  return active != nullptr ? GetLastActivePopup(active) : nullptr;
}

int Show(const std::string& text, const char* title, UINT kind) {
  return MessageBoxA(Owner(), text.c_str(), title, kind | MB_APPLMODAL);
}

constexpr int first_choice_id = 100;

HRESULT CALLBACK Note_Open_Choice(HWND window, UINT notification, WPARAM, LPARAM,
                                  LONG_PTR reference) {
  if (notification == TDN_CREATED) *reinterpret_cast<HWND*>(reference) = window;
  if (notification == TDN_DESTROYED) *reinterpret_cast<HWND*>(reference) = nullptr;
  return S_OK;
}

BOOL CALLBACK Dismiss_If_Box(HWND window, LPARAM found) {
  char window_class[16] = {};
  GetClassNameA(window, window_class, sizeof window_class);
  if (std::string(window_class) != "#32770" || !IsWindowVisible(window)) return TRUE;
  for (const int answer : {IDNO, IDCANCEL, IDOK}) {
    if (GetDlgItem(window, answer) != nullptr) {
      PostMessageA(window, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(window, answer)));
      *reinterpret_cast<bool*>(found) = true;
      return FALSE;
    }
  }
  return TRUE;
}

}  // namespace

void Win32_Message_Box::Information(const std::string& text) {
  if (answer_at_once_) {
    std::cerr << "velmaric: " << text << std::endl;
    return;
  }
  Show(text, "Information", MB_OK | MB_ICONINFORMATION);
}

bool Win32_Message_Box::Warning_Yes_No(const std::string& text) {
  if (answer_at_once_) return false;
  // No is the default: Return and Escape alike change nothing.
  return Show(text, "Warning", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

void Win32_Message_Box::Error(const std::string& text) {
  if (answer_at_once_) {
    std::cerr << "velmaric: " << text << std::endl;
    return;
  }
  Show(text, "Error", MB_OK | MB_ICONERROR);
}

std::optional<std::size_t> Win32_Message_Box::Warning_Choice(
    const std::string& text, const std::vector<std::string>& captions) {
  if (answer_at_once_) return std::nullopt;
  std::vector<std::wstring> wide_captions;
  for (const std::string& caption : captions) wide_captions.push_back(Wide(caption));
  std::vector<TASKDIALOG_BUTTON> buttons;
  for (std::size_t i = 0; i < wide_captions.size(); ++i) {
    buttons.push_back({first_choice_id + static_cast<int>(i), wide_captions[i].c_str()});
  }
  const std::wstring content = Wide(text);
  TASKDIALOGCONFIG config{};
  config.cbSize = sizeof config;
  config.hwndParent = Owner();
  config.pszWindowTitle = L"Warning";
  config.pszMainIcon = TD_WARNING_ICON;
  config.pszContent = content.c_str();
  config.cButtons = static_cast<UINT>(buttons.size());
  config.pButtons = buttons.data();
  config.nDefaultButton = first_choice_id;
  config.pfCallback = Note_Open_Choice;
  config.lpCallbackData = reinterpret_cast<LONG_PTR>(&open_choice_);
  int pressed = 0;
  if (FAILED(TaskDialogIndirect(&config, &pressed, nullptr, nullptr))) return std::nullopt;
  const int index = pressed - first_choice_id;
  if (answer_at_once_ || index < 0 || index >= static_cast<int>(captions.size())) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(index);
}

void Win32_Message_Box::Answer_At_Once() {
  answer_at_once_ = true;
  // A choice has no answer that surely changes nothing: it closes unanswered.
  if (open_choice_ != nullptr) EndDialog(open_choice_, IDCANCEL);
}

bool Dismiss_Open_Box_Of_Thread() {
  bool found = false;
  EnumThreadWindows(GetCurrentThreadId(), Dismiss_If_Box, reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace velmaric::win32
