#include "platform/memory_status.h"

#include <cmath>
#include <sstream>

namespace velmaric {

Memory_Status Parse_Memory_Status(const std::string& meminfo) {
  Memory_Status status;
  std::istringstream lines(meminfo);
  std::string name;
  std::uint64_t kib = 0;
  std::string unit;
  while (lines >> name >> kib) {
    std::getline(lines, unit);
    const std::uint64_t bytes = kib * 1024;
    if (name == "MemTotal:") status.total_physical = bytes;
    if (name == "MemAvailable:") status.available_physical = bytes;
    if (name == "SwapTotal:") status.total_page_file = bytes;
    if (name == "SwapFree:") status.available_page_file = bytes;
  }
  if (status.total_physical > 0 && status.available_physical <= status.total_physical) {
    status.memory_load = static_cast<unsigned>(
        100 * (status.total_physical - status.available_physical) / status.total_physical);
  }
  return status;
}

std::string Free_Resources_Text(const Memory_Status& status) {
  if (status.memory_load != 0) return std::to_string(status.memory_load) + "%";
  const double free = static_cast<double>(status.available_physical / 1024) +
                      static_cast<double>(status.available_page_file) / 1024.0;
  const double total = static_cast<double>(status.total_physical / 1024) +
                       static_cast<double>(status.total_page_file) / 1024.0;
  const double share = total > 0 ? free / total * 100.0 : 0.0;
  return std::to_string(static_cast<long long>(std::llround(share))) + "%";
}

}  // namespace velmaric
