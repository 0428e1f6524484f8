#include "settings/settings_location.h"

#include "platform/executable.h"
#include "platform/paths.h"

namespace velmaric {

std::string Settings_File_Name_For(const std::string& executable_path, bool folder_writable,
                                   const std::string& config_folder) {
  if (folder_writable) return Directory_Of_File(executable_path) + settings_file_leaf;
  return config_folder + "/velmaric/" + settings_file_leaf;
}

std::string Settings_File_Name() {
  const std::string executable = Executable_Path();
  return Settings_File_Name_For(executable,
                                Folder_Writable(Real_File_System(), Directory_Of_File(executable)),
                                User_Config_Folder());
}

}  // namespace velmaric
