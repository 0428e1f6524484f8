#include "platform/system_error.h"

#include <cerrno>
#include <string>

namespace velmaric {

File_Error File_System_Error(int error_number) {
  switch (error_number) {
    case EACCES:
    case EPERM:
    case EROFS:
    case ELOOP:  // a loop of links leads to no file
      return Access_Denied_Error();
    case ENOENT:
    case ENOTDIR:
      return File_Error(File_Fault::not_found, "File not found");
    case ENOSPC:
    case EDQUOT:
      return File_Error(File_Fault::disk_full, "Disk full");
    case EEXIST:
      return File_Error(File_Fault::exists, "I/O error " + std::to_string(error_number));
    default:
      return File_Error(File_Fault::other, "I/O error " + std::to_string(error_number));
  }
}

}  // namespace velmaric
