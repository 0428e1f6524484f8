#include <windows.h>
// After windows.h, which it needs.
#include <knownfolders.h>
#include <shlobj.h>

#include <cstdlib>
#include <vector>

#include "platform/executable.h"

namespace velmaric {
namespace {

// A wide text from the system in the code page the program's narrow names
// use (UTF-8 where the manifest's activeCodePage is honoured).
std::string Narrow(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string narrow(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), size, nullptr, nullptr);
  narrow.pop_back();  // the terminating zero
  return narrow;
}

}  // namespace

std::string Executable_Path() {
  static const std::string path = [] {
    // A path longer than MAX_PATH comes back cut to the buffer: grow it.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
      const DWORD length =
          GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
      if (length == 0) return std::string();
      if (length < buffer.size()) return std::string(buffer.data(), length);
      if (buffer.size() >= 32768) return std::string();  // longer than any path may be
      buffer.resize(buffer.size() * 2);
    }
  }();
  return path;
}

bool Folder_Writable(const File_System& files, const std::string& folder) {
  return files.Has_Access(folder, Access::create_files);
}

std::string User_Config_Folder() {
  PWSTR folder = nullptr;
  std::string name;
  if (SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &folder) == S_OK) {
    name = Narrow(folder);
  }
  CoTaskMemFree(folder);
  if (name.empty()) {
    if (const char* variable = std::getenv("APPDATA")) name = variable;
  }
  // Only a full name ("C:\..." or "\\server\..."): a relative one would
  // put the settings wherever the program was started from.
  const bool drive = name.size() >= 3 && name[1] == ':' && (name[2] == '\\' || name[2] == '/');
  const bool share = name.rfind("\\\\", 0) == 0;
  return drive || share ? name : std::string();
}

std::string Program_Config_Folder() {
  const std::string user = User_Config_Folder();
  return user.empty() ? std::string() : user + "\\Velmaric\\";
}

}  // namespace velmaric
