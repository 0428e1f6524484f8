#include <windows.h>

#include "platform/removable_media.h"

namespace velmaric {

std::optional<std::string> Removable_Medium_Root() {
  const char* const root = "a:\\";
  const UINT type = GetDriveTypeA(root);
  if (type == DRIVE_UNKNOWN || type == DRIVE_NO_ROOT_DIR) return std::nullopt;
  // A drive without a disk in it has no medium either. Asking must not bring
  // up the system's "insert a disk" box.
  const UINT old_mode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  const DWORD attributes = GetFileAttributesA(root);
  SetErrorMode(old_mode);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return std::nullopt;
  }
  return std::string(root);
}

}  // namespace velmaric
