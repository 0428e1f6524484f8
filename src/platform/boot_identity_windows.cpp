#include <windows.h>
// After windows.h, which it needs.
#include <winternl.h>

#include <cstdio>

#include "platform/boot_identity.h"
#include "platform/boot_identity_windows.h"

namespace velmaric {
namespace {

// Identities are hexadecimal digits and dashes, as on Linux: a prefix says
// which source gave the number, so the two can never meet.
std::string Identity(const char* source, unsigned long long number) {
  char text[32];
  std::snprintf(text, sizeof text, "%s-%llx", source, number);
  return text;
}

// The counter the system raises at every boot, kept for its prefetcher
// (Windows 8 and later). Not documented as an interface, hence only the
// first choice.
constexpr const char* boot_counter_key =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\PrefetchParameters";

std::string Boot_Counter() {
  DWORD count = 0;
  DWORD size = sizeof count;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, boot_counter_key, "BootId", RRF_RT_REG_DWORD, nullptr,
                   &count, &size) != ERROR_SUCCESS) {
    return {};
  }
  return Identity("bc", count);
}

// The instant of the boot as the kernel keeps it, to 100 ns. It moves only
// when someone sets the clock: then the readings before look like another
// boot's, and are not compared, which is the safe mistake. Unlike the wall
// clock minus the uptime, it is the same for every program that asks.
std::string Boot_Time() {
  SYSTEM_TIMEOFDAY_INFORMATION time_of_day{};
  if (!NT_SUCCESS(NtQuerySystemInformation(SystemTimeOfDayInformation, &time_of_day,
                                           sizeof time_of_day, nullptr)) ||
      time_of_day.BootTime.QuadPart <= 0) {
    return {};
  }
  return Identity("bd", static_cast<unsigned long long>(time_of_day.BootTime.QuadPart));
}

}  // namespace

std::string Windows_Boot_Identity() {
  std::string identity = Boot_Counter();
  if (identity.empty()) identity = Boot_Time();
  return identity;
}

std::string Boot_Identity(File_System&) {
  return Windows_Boot_Identity();
}

}  // namespace velmaric
