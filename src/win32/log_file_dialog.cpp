#include "win32/log_file_dialog.h"

#include <commdlg.h>

#include <vector>

namespace velmaric::win32 {

const char log_file_filter[] =
    "All Files (*.*)\0*.*\0Text Files (*.txt)\0*.txt\0Log Files (*.log)\0*.log\0";

std::optional<std::string> Ask_For_Log_File(HWND owner, const std::string& last_choice) {
  // Room for the longest name the system takes.
  std::vector<char> name(32768, '\0');
  if (last_choice.size() < name.size()) last_choice.copy(name.data(), last_choice.size());
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = log_file_filter;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = static_cast<DWORD>(name.size());
  // Any name, existing or not: the log is made at its first line.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
  if (!GetOpenFileNameA(&dialog)) return std::nullopt;
  return std::string(name.data());
}

}  // namespace velmaric::win32
