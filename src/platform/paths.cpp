#include "platform/paths.h"

#include "platform/path_rules.h"

namespace velmaric {

bool Directory_Exists(const File_System& files, const std::string& dir) {
  try {
    return !dir.empty() && files.Status(dir).type == File_Type::directory;
  } catch (const File_Error&) {
    return false;  // a name we may not look at is no directory of ours
  }
}

std::string Directory_Of_File(const std::string& name) {
  const std::size_t length = Folder_Part_Length(name);
  if (length == 0) return current_folder_prefix;
  std::string folder = name.substr(0, length);
  if (!Is_Path_Separator(folder.back())) folder += path_separator;  // "a:" -> "a:\"
  return folder;
}

std::string File_Name_Part(const std::string& path) {
  return path.substr(Folder_Part_Length(path));
}

bool Force_Directory_Path(File_System& files, const std::string& dir) {
  bool created = false;
  for (std::size_t end = 1; end <= dir.size(); ++end) {
    if (end < dir.size() && !Is_Path_Separator(dir[end - 1])) continue;
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
