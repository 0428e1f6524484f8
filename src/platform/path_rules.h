#pragma once
// How names are built on this system: which characters separate folders,
// and which names lead to the same place from any current folder. The rest
// of paths.h is shared.

#include <cstddef>
#include <string>

namespace velmaric {

bool Is_Path_Separator(char c);

// The length of the folder part of a name: up to and including its last
// separator (on Windows also a drive's colon); 0 when it has none.
std::size_t Folder_Part_Length(const std::string& name);

// What Directory_Of_File gives for a name without a folder part: the current
// folder, with this system's separator.
extern const char* const current_folder_prefix;

// The separator Directory_Of_File puts after a folder part that has none
// ("a:" on Windows).
extern const char path_separator;

}  // namespace velmaric
