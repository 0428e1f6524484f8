#include "platform/editor_windows.h"

#include <windows.h>

#include <utility>
#include <vector>

namespace velmaric {
namespace {

std::string Without_Trailing_Backslash(std::string folder) {
  while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return folder;
}

// The general error box's wording of a refused start.
std::string Description_Of(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return "File not found";
    case ERROR_ACCESS_DENIED:
      return "File access denied";
    default:
      return "I/O error " + std::to_string(error);
  }
}

// The name from the root of its drive (or share), as Notepad must be given
// it: its own current folder need not be ours.
bool Full_Name(const std::string& name, std::string& full, DWORD& error) {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetFullPathNameA(name.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (length == 0) {
      error = GetLastError();
      return false;
    }
    if (length < buffer.size()) {
      full.assign(buffer.data(), length);
      return true;
    }
    buffer.resize(length);
  }
}

}  // namespace

std::string Windows_Folder() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const UINT length = GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return Without_Trailing_Backslash({buffer.data(), length});
    buffer.resize(length);
  }
}

std::string Quote_Argument(const std::string& text) {
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (const char c : text) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote stand for half as many: double them, and
    // escape the quote itself.
    quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, '\\');
  return quoted + "\"";
}

Notepad_Editor::Notepad_Editor(std::string windows_folder)
    : folder_(Without_Trailing_Backslash(std::move(windows_folder))) {}

bool Notepad_Editor::Available() const {
  if (folder_.empty()) return false;
  const DWORD attributes = GetFileAttributesA(Program().c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Notepad_Editor::Start(const std::string& file, std::string& error_text) {
  error_text.clear();
  const std::string program = Program();
  std::string argument;
  DWORD error = 0;
  if (!Full_Name(file, argument, error)) {
    error_text = Description_Of(error);
    return false;
  }
  std::string command_line = Quote_Argument(program) + " " + Quote_Argument(argument);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION started{};
  // No handles of ours go along; nothing waits for the editor.
  if (!CreateProcessA(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &started)) {
    error_text = Description_Of(GetLastError()) + " (" + program + ")";
    return false;
  }
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return true;
}

}  // namespace velmaric
