#include "platform/memory_status.h"
#include "platform/regular_files.h"

namespace velmaric {

Memory_Status Read_Memory_Status() {
  try {
    return Parse_Memory_Status(Read_System_File(Real_File_System(), "/proc/meminfo").value_or(""));
  } catch (const File_Error&) {
    return {};  // nothing known: the About box shows what it can
  }
}

}  // namespace velmaric
