#include "settings/settings_location.h"

#include "platform/executable.h"
#include "platform/paths.h"

namespace velmaric {

std::string Settings_File_Name_For(const std::string& executable_path, bool folder_writable,
                                   const std::string& program_config_folder) {
  if (folder_writable) return Directory_Of_File(executable_path) + settings_file_leaf;
  return program_config_folder + settings_file_leaf;
}

std::string Settings_File_Name() {
  const std::string executable = Executable_Path();
  return Settings_File_Name_For(executable,
                                Folder_Writable(Real_File_System(), Directory_Of_File(executable)),
                                Program_Config_Folder());
}

}  // namespace velmaric
