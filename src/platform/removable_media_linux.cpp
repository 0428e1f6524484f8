#include "platform/regular_files.h"
#include "platform/removable_media.h"

namespace velmaric {
namespace {

// The mount table of a machine with thousands of mounts still fits.
constexpr std::uint64_t mount_table_limit = 16 << 20;

std::string Mount_Table(File_System& files, const char* name) {
  try {
    return Read_System_File(files, name, mount_table_limit).value_or("");
  } catch (const File_Error&) {
    return {};
  }
}

}  // namespace

std::optional<std::string> Removable_Medium_Root() {
  File_System& files = Real_File_System();
  std::string table = Mount_Table(files, "/proc/self/mountinfo");
  if (table.empty()) table = Mount_Table(files, "/proc/mounts");
  return First_Removable_Medium(files, table, "/sys/class/block");
}

}  // namespace velmaric
