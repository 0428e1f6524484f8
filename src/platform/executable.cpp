#include "platform/executable.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

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

bool Folder_Writable(const File_System& files, const std::string& folder) {
  return files.Has_Access(folder, Access::create_files);
}

std::string User_Config_Folder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') return config;
  std::string home;
  if (const char* variable = std::getenv("HOME")) home = variable;
  // Without HOME the account's own home folder, never the root of the
  // file system.
  if (home.empty()) {
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr) {
      home = found->pw_dir;
    }
  }
  return home.empty() ? std::string() : home + "/.config";
}

std::string Program_Config_Folder() {
  const std::string user = User_Config_Folder();
  return user.empty() ? std::string() : user + "/velmaric/";
}

}  // namespace velmaric
