#include "platform/paths.h"

namespace velmaric {

bool Directory_Exists(const File_System& files, const std::string& dir) {
  try {
    return !dir.empty() && files.Status(dir).type == File_Type::directory;
  } catch (const File_Error&) {
    return false;  // a name we may not look at is no directory of ours
  }
}

std::string Directory_Of_File(const std::string& name) {
  const std::size_t slash = name.rfind('/');
  if (slash == std::string::npos) return "./";
  return name.substr(0, slash + 1);
}

bool Is_Full_Path(const std::string& name) {
  return !name.empty() && name.front() == '/';
}

bool Force_Directory_Path(File_System& files, const std::string& dir) {
  bool created = false;
  for (std::size_t end = 1; end <= dir.size(); ++end) {
    if (end < dir.size() && dir[end - 1] != '/') continue;
    const std::string level = dir.substr(0, end);
    if (Directory_Exists(files, level)) continue;
    // Someone else may create the level between our test and ours; the
    // level then exists all the same.
    try {
      files.Make_Folder(level);
      created = true;
    } catch (const File_Error&) {
      created = Directory_Exists(files, level);
    }
  }
  return created;
}

}  // namespace velmaric
