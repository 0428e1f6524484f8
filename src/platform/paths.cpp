#include "platform/paths.h"

#include <sys/stat.h>

#include <cerrno>

namespace velmaric {

bool Directory_Exists(const std::string& dir) {
  struct stat info {};
  return !dir.empty() && stat(dir.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string Directory_Of_File(const std::string& name) {
  const std::size_t slash = name.rfind('/');
  if (slash == std::string::npos) return "./";
  return name.substr(0, slash + 1);
}

bool Force_Directory_Path(const std::string& dir) {
  bool created = false;
  for (std::size_t end = 1; end <= dir.size(); ++end) {
    if (end < dir.size() && dir[end - 1] != '/') continue;
    const std::string level = dir.substr(0, end);
    if (Directory_Exists(level)) continue;
    // Someone else may create the level between our test and mkdir; the
    // level then exists all the same.
    created = mkdir(level.c_str(), 0777) == 0 || (errno == EEXIST && Directory_Exists(level));
  }
  return created;
}

}  // namespace velmaric
