#include <windows.h>

#include <string>

#include "platform/system_error.h"

namespace velmaric {

File_Error File_System_Error(int error_number) {
  switch (static_cast<DWORD>(error_number)) {
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_CANT_ACCESS_FILE:
    case ERROR_CANT_RESOLVE_FILENAME:  // a loop of links leads to no file
      return Access_Denied_Error();
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return File_Error(File_Fault::not_found, "File not found");
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return File_Error(File_Fault::disk_full, "Disk full");
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return File_Error(File_Fault::exists, "I/O error " + std::to_string(error_number));
    default:
      // A sharing or lock violation (32, 33) is another program's doing: it
      // keeps its number, as the box has always shown it.
      return File_Error(File_Fault::other, "I/O error " + std::to_string(error_number));
  }
}

}  // namespace velmaric
