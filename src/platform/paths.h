#pragma once
// Directories of file names, and the creation of missing directory levels.

#include <string>

#include "platform/file_system.h"

namespace velmaric {

// True when the name resolves (following links) to a directory.
bool Directory_Exists(const File_System& files, const std::string& dir);

// The name up to and including its last separator, so the result always
// ends in one: "/a/b/c.txt" -> "/a/b/", "/a/b/" -> "/a/b/", "/c" -> "/". On
// Windows '\' and '/' both separate, and a drive's colon ends a folder part
// too: "a:" -> "a:\". A name without any (a bare file name, or the empty
// text) lies in the current directory: "./" (".\" on Windows).
std::string Directory_Of_File(const std::string& name);

// The file name part of a path: "/usr/bin/velmaric" -> "velmaric"; on
// Windows after the last '\', '/' or drive colon: "c:\a\v.exe" -> "v.exe".
std::string File_Name_Part(const std::string& path);

// Whether the name leads to the same place from any current folder: on
// Linux, whether it begins with '/'; on Windows, a drive and a separator
// ("c:\") or a network name ("\\server\share").
bool Is_Full_Path(const std::string& name);

// Walks dir from the left and creates each level that is not a directory
// yet: at every separator and once more at the end of the text. Gives the outcome
// of the last creation attempted, false when none was needed or the text is
// empty; so for a directory that did not exist, true means it now does.
bool Force_Directory_Path(File_System& files, const std::string& dir);

}  // namespace velmaric
