#include "platform/boot_identity.h"

#include <algorithm>
#include <cctype>

#include "platform/regular_files.h"

namespace velmaric {

std::string Boot_Identity(File_System& files) {
  // A random identity the kernel makes at every boot, a UUID in text.
  constexpr std::uint64_t longest = 64;
  try {
    const std::optional<std::string> text =
        Read_System_File(files, "/proc/sys/kernel/random/boot_id", longest);
    if (!text) return {};
    std::string id = text->substr(0, text->find('\n'));
    const bool plain = !id.empty() && std::all_of(id.begin(), id.end(), [](unsigned char c) {
      return std::isxdigit(c) != 0 || c == '-';
    });
    return plain ? id : std::string();
  } catch (const Command_Error&) {
    return {};
  }
}

}  // namespace velmaric
