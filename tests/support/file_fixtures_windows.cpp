// The holding process is the test program itself, started again with
// "--hold-file <mode> <name>": before any test runs it opens the file, says
// so on its output, and keeps it open until its input ends.

#include <windows.h>

#include <cstdlib>
#include <string_view>

#include "support/file_fixtures.h"

namespace velmaric::testing {
namespace {

constexpr std::string_view hold_flag = "--hold-file";
constexpr std::int64_t ticks_from_1601_to_1970 = 116444736000000000;
constexpr std::int64_t ticks_per_second = 10000000;

// In the child: holds the file and never returns.
// Reading stays allowed, so that a test can see the file is unchanged.
[[noreturn]] void Hold_File(bool share_reading_only, const char* name) {
  const DWORD share =
      share_reading_only ? FILE_SHARE_READ : FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  const HANDLE file = CreateFileA(name, GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  char held = file != INVALID_HANDLE_VALUE ? '1' : '0';
  DWORD count = 0;
  if (WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), &held, 1, &count, nullptr)) {
    while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), &held, 1, &count, nullptr) && count > 0) {
    }
  }
  ExitProcess(0);
}

// Runs before main in every test program that links the holding process.
const bool child_mode = [] {
  if (__argc == 4 && __argv[1] == hold_flag) Hold_File(__argv[2][0] == 'x', __argv[3]);
  return false;
}();

std::string Own_Program() {
  std::string name(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length < name.size()) return name.substr(0, length);
    name.resize(name.size() * 2);
  }
}

}  // namespace

void Set_Write_Time(const std::string& name, std::time_t seconds, long nano_seconds) {
  const auto ticks =
      static_cast<std::uint64_t>(static_cast<std::int64_t>(seconds) * ticks_per_second +
                                 nano_seconds / 100 + ticks_from_1601_to_1970);
  const FILETIME time{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
  const HANDLE file = CreateFileA(name.c_str(), FILE_WRITE_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << name;
  EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time)) << name;
  CloseHandle(file);
}

timespec Write_Time(const std::string& name) {
  WIN32_FILE_ATTRIBUTE_DATA info{};
  EXPECT_TRUE(GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &info)) << name;
  const auto ticks = static_cast<std::int64_t>(
                         static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32 |
                         info.ftLastWriteTime.dwLowDateTime) -
                     ticks_from_1601_to_1970;
  timespec time{};
  time.tv_sec = static_cast<std::time_t>(ticks / ticks_per_second);
  time.tv_nsec = static_cast<long>(ticks % ticks_per_second * 100);
  return time;
}

struct Holding_Process::Child {
  HANDLE release = INVALID_HANDLE_VALUE;  // our end of the child's input
  PROCESS_INFORMATION process{};
};

Holding_Process::Holding_Process(const std::string& name, bool with_flock)
    : child_(std::make_unique<Child>()) {
  static_cast<void>(child_mode);
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE ready_read = INVALID_HANDLE_VALUE;
  HANDLE ready_write = INVALID_HANDLE_VALUE;
  HANDLE release_read = INVALID_HANDLE_VALUE;
  if (!CreatePipe(&ready_read, &ready_write, &inherited, 0) ||
      !CreatePipe(&release_read, &child_->release, &inherited, 0)) {
    ADD_FAILURE() << "no pipe to a child";
    return;
  }
  // Only the child's ends are inherited.
  SetHandleInformation(ready_read, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(child_->release, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = release_read;
  startup.hStdOutput = ready_write;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  const std::string program = Own_Program();
  std::string command = "\"" + program + "\" " + std::string(hold_flag) + " " +
                        (with_flock ? "x" : "s") + " \"" + name + "\"";
  const bool started = CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, nullptr, &startup, &child_->process) != 0;
  CloseHandle(ready_write);
  CloseHandle(release_read);
  char held = '0';
  DWORD count = 0;
  EXPECT_TRUE(started && ReadFile(ready_read, &held, 1, &count, nullptr) && count == 1 &&
              held == '1')
      << "child could not hold " << name;
  CloseHandle(ready_read);
}

Holding_Process::~Holding_Process() {
  CloseHandle(child_->release);  // the child's read sees the end and it exits
  if (child_->process.hProcess != nullptr) {
    WaitForSingleObject(child_->process.hProcess, INFINITE);
    CloseHandle(child_->process.hProcess);
    CloseHandle(child_->process.hThread);
  }
}

}  // namespace velmaric::testing
