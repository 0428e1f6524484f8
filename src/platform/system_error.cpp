#include "platform/system_error.h"

#include <cerrno>
#include <string>

namespace velmaric {

Command_Error File_System_Error(int error_number) {
  switch (error_number) {
    case EACCES:
    case EPERM:
    case EROFS:
      return Command_Error("File access denied");
    case ENOENT:
    case ENOTDIR:
      return Command_Error("File not found");
    case ENOSPC:
    case EDQUOT:
      return Command_Error("Disk full");
    default:
      return Command_Error("I/O error " + std::to_string(error_number));
  }
}

}  // namespace velmaric
