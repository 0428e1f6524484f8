#pragma once
// Directories of file names, and the creation of missing directory levels.

#include <string>

#include "platform/file_system.h"

namespace velmaric {

// True when the name resolves (following links) to a directory.
bool Directory_Exists(const File_System& files, const std::string& dir);

// The name up to and including its last '/', so the result always ends in
// '/': "/a/b/c.txt" -> "/a/b/", "/a/b/" -> "/a/b/", "/c" -> "/". A name
// without any '/' (a bare file name, or the empty text) lies in the current
// directory: "./".
std::string Directory_Of_File(const std::string& name);

// Whether the name leads to the same place from any current folder: on this
// system, whether it begins with '/'.
bool Is_Full_Path(const std::string& name);

// Walks dir from the left and creates each level that is not a directory
// yet: at every '/' and once more at the end of the text. Gives the outcome
// of the last creation attempted, false when none was needed or the text is
// empty; so for a directory that did not exist, true means it now does.
bool Force_Directory_Path(File_System& files, const std::string& dir);

}  // namespace velmaric
