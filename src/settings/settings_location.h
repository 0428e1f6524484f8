#pragma once
// The one place that decides where the settings file lives.

#include <string>

namespace velmaric {

inline constexpr const char* settings_file_leaf = "velmaric.ini";

// Beside the executable when its folder is writable, so that a program kept
// on a removable disk carries its settings along; otherwise in the user's
// configuration folder, so that an installed program can still save: this
// program's folder in there (Program_Config_Folder), ending in the separator.
std::string Settings_File_Name_For(const std::string& executable_path, bool folder_writable,
                                   const std::string& program_config_folder);

// The settings file of this process.
std::string Settings_File_Name();

}  // namespace velmaric
