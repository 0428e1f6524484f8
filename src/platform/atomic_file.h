#pragma once
// Whole-file reading, and replacement of a file's contents such that every
// reader, and a crash or power cut at any moment, finds either the complete
// old contents or the complete new ones: never a truncated or mixed file.
//
// Failures throw Command_Error with the system's description of the errno
// (see File_System_Error).

#include <optional>
#include <string>
#include <string_view>

namespace velmaric {

// The file's bytes; nothing when there is no such file (also when a folder
// on the way is a file, or the name is a folder).
std::optional<std::string> Read_Whole_File(const std::string& name);

// Writes contents to a new, uniquely named file beside name, flushes it to
// the disk, gives it the permission bits of the file it replaces (0644 less
// the umask for a new file) and renames it over name. A symbolic link stays
// and the file it points to is replaced.
//
// A file without any write permission bit is read-only and refused with
// "File access denied", even for root. On any failure the target is left
// exactly as it was and the temporary file is removed. A crash in the middle
// can leave a stray ".<file name>.XXXXXX" beside it, never a damaged target.
void Replace_File_Contents(const std::string& name, std::string_view contents);

}  // namespace velmaric
