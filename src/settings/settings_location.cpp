#include "settings/settings_location.h"

#include "platform/executable.h"
#include "platform/paths.h"

namespace velmaric {

std::string Settings_File_Name_For(const std::string& executable_path, bool folder_writable,
                                   const std::string& program_config_folder) {
  // Without a folder of the user's, the program's own folder: a save there
  // fails with a clear message instead of writing somewhere unexpected.
  if (folder_writable || program_config_folder.empty()) {
    return Directory_Of_File(executable_path) + settings_file_leaf;
  }
  return program_config_folder + settings_file_leaf;
}

std::string Settings_File_Name() {
  const std::string executable = Executable_Path();
  return Settings_File_Name_For(executable,
                                Folder_Writable(Real_File_System(), Directory_Of_File(executable)),
                                Program_Config_Folder());
}

}  // namespace velmaric
