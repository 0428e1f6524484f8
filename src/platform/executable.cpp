#include "platform/executable.h"

#include <cstdlib>

namespace velmaric {

std::string Executable_Path() {
  static const std::string path = [] {
    try {
      return Real_File_System().Link_Target("/proc/self/exe");
    } catch (const File_Error&) {
      return std::string();
    }
  }();
  return path;
}

std::string File_Name_Part(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool Folder_Writable(const File_System& files, const std::string& folder) {
  return files.Has_Access(folder, Access::create_files);
}

std::string User_Config_Folder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') return config;
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : "") + "/.config";
}

}  // namespace velmaric
