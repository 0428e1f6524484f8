#pragma once
// The general error box's wording for a failed system call on a file.

#include "platform/file_system.h"

namespace velmaric {

// The system's error number: errno on Linux, GetLastError on Windows.
// Linux: EACCES, EPERM, EROFS, ELOOP -> "File access denied"; ENOENT,
// ENOTDIR -> "File not found"; ENOSPC, EDQUOT -> "Disk full". Windows: the
// same wording for the same kinds of refusal. Any other number n ->
// "I/O error n".
File_Error File_System_Error(int error_number);

}  // namespace velmaric
