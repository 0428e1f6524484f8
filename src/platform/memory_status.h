#pragma once
// How much memory the system has and how much of it is in use.

#include <cstdint>
#include <string>

namespace velmaric {

struct Memory_Status {
  unsigned memory_load = 0;  // percent of physical memory in use
  std::uint64_t total_physical = 0;
  std::uint64_t available_physical = 0;
  std::uint64_t total_page_file = 0;  // swap
  std::uint64_t available_page_file = 0;
};

// The status from a /proc/meminfo text: the load is
// 100 * (MemTotal - MemAvailable) / MemTotal, a whole number.
Memory_Status Parse_Memory_Status(const std::string& meminfo);

// This system's status: /proc/meminfo on Linux, GlobalMemoryStatusEx on
// Windows, whose load is its own whole percentage of physical memory in use.
// Nothing known reads as all zeros.
Memory_Status Read_Memory_Status();

// The load followed by "%"; when the load reads 0, the share of free memory
// and swap in their total instead.
std::string Free_Resources_Text(const Memory_Status& status);

}  // namespace velmaric
