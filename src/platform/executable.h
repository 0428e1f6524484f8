#pragma once
// Where the running program lives, and where the user keeps configuration.

#include <string>

#include "platform/file_system.h"
#include "platform/paths.h"  // File_Name_Part

namespace velmaric {

// The full path of the running executable, as the system reports it at the
// first call and remembered from then on: a program file replaced or removed
// while it runs (an update) keeps the name it started with, never the
// system's "... (deleted)". The program's entry calls it first of all.
std::string Executable_Path();

// True when this process may create files in the folder.
bool Folder_Writable(const File_System& files, const std::string& folder);

// Where the user's applications keep their configuration: $XDG_CONFIG_HOME,
// or ~/.config when it is unset or not absolute; on Windows the roaming
// application-data folder (%APPDATA%). Empty when the system names none.
std::string User_Config_Folder();

// This program's own folder in there, ending in the separator:
// ~/.config/velmaric/, or %APPDATA%\Velmaric\ on Windows; empty when
// there is no folder of the user's.
std::string Program_Config_Folder();

}  // namespace velmaric
