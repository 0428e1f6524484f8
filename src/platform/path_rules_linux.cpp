#include "platform/path_rules.h"
#include "platform/paths.h"

namespace velmaric {

const char* const current_folder_prefix = "./";
const char path_separator = '/';

bool Is_Path_Separator(char c) {
  return c == '/';
}

std::size_t Folder_Part_Length(const std::string& name) {
  return name.rfind('/') + 1;  // npos + 1 is 0
}

bool Is_Full_Path(const std::string& name) {
  return !name.empty() && name.front() == '/';
}

}  // namespace velmaric
