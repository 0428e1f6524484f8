#include "platform/file_io.h"

#include <unistd.h>

#include <cerrno>

#include "platform/system_error.h"

namespace velmaric {

void Write_All(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t written = write(fd, data.data(), data.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      throw File_System_Error(errno);
    }
    // A write that makes no progress means the device is full.
    if (written == 0) throw File_System_Error(ENOSPC);
    data.remove_prefix(static_cast<std::size_t>(written));
  }
}

}  // namespace velmaric
