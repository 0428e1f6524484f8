#include <windows.h>

#include "platform/memory_status.h"

namespace velmaric {

Memory_Status Read_Memory_Status() {
  MEMORYSTATUSEX system{};
  system.dwLength = sizeof system;
  if (!GlobalMemoryStatusEx(&system)) return {};
  Memory_Status status;
  status.memory_load = system.dwMemoryLoad;
  status.total_physical = system.ullTotalPhys;
  status.available_physical = system.ullAvailPhys;
  // The commit limit and what is left of it: memory and page file together.
  // The page file alone is their difference.
  const auto beyond = [](DWORDLONG commit, DWORDLONG physical) {
    return commit > physical ? commit - physical : 0;
  };
  status.total_page_file = beyond(system.ullTotalPageFile, system.ullTotalPhys);
  status.available_page_file = beyond(system.ullAvailPageFile, system.ullAvailPhys);
  return status;
}

}  // namespace velmaric
