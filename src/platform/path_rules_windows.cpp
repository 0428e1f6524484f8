// Windows takes '\' and '/' alike between folders; a drive letter and its
// colon begin a name ("a:velmaric.ini" lies in drive A:'s current folder).

#include <cctype>

#include "platform/path_rules.h"
#include "platform/paths.h"

namespace velmaric {
namespace {

bool Has_Drive(const std::string& name) {
  return name.size() >= 2 && std::isalpha(static_cast<unsigned char>(name[0])) != 0 &&
         name[1] == ':';
}

}  // namespace

const char* const current_folder_prefix = ".\\";
const char path_separator = '\\';

bool Is_Path_Separator(char c) {
  return c == '\\' || c == '/';
}

std::size_t Folder_Part_Length(const std::string& name) {
  const std::size_t separator = name.find_last_of("\\/");
  if (separator != std::string::npos) return separator + 1;
  return Has_Drive(name) ? 2 : 0;
}

// "c:\a", "c:/a", and network names "\\server\share\a".
bool Is_Full_Path(const std::string& name) {
  if (Has_Drive(name)) return name.size() > 2 && Is_Path_Separator(name[2]);
  return name.size() >= 2 && Is_Path_Separator(name[0]) && Is_Path_Separator(name[1]);
}

}  // namespace velmaric
