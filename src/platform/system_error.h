#pragma once
// The general error box's wording for a failed system call on a file.

#include "platform/file_system.h"

namespace velmaric {

// EACCES, EPERM, EROFS, ELOOP -> "File access denied"; ENOENT, ENOTDIR -> "File not
// found"; ENOSPC, EDQUOT -> "Disk full"; any other errno n -> "I/O error n".
File_Error File_System_Error(int error_number);

}  // namespace velmaric
