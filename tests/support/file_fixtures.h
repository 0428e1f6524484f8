#pragma once
// Real files for the file tests: a fresh folder under the system's
// temporary folder per test, and a child process that holds a file the way
// another program would. The calls that differ between the systems are in
// file_fixtures_linux.cpp and file_fixtures_windows.cpp.

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <system_error>

namespace velmaric::testing {

// Names under it are written with '/', which both systems take.
class Temp_Folder {
 public:
  Temp_Folder() {
    std::mt19937 random{std::random_device{}()};
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100 && root_.empty(); ++attempt) {
      const std::filesystem::path candidate =
          base / ("velmaric-test-" + std::to_string(random() % 1000000000));
      std::error_code error;
      if (std::filesystem::create_directory(candidate, error)) root_ = candidate.generic_string();
    }
    EXPECT_FALSE(root_.empty());
  }
  // Read-only files (and, on Windows, their folders) are given write
  // permission back first, so that they can go; links are left alone.
  ~Temp_Folder() {
    std::error_code error;
    for (auto entry = std::filesystem::recursive_directory_iterator(root_, error);
         entry != std::filesystem::recursive_directory_iterator(); entry.increment(error)) {
      if (entry->is_symlink(error) ||
          !(entry->is_regular_file(error) || entry->is_directory(error))) {
        continue;
      }
      std::filesystem::permissions(entry->path(), std::filesystem::perms::owner_write,
                                   std::filesystem::perm_options::add, error);
    }
    std::filesystem::remove_all(root_, error);
  }
  Temp_Folder(const Temp_Folder&) = delete;
  Temp_Folder& operator=(const Temp_Folder&) = delete;
  std::string Path(const std::string& name) const { return root_ + "/" + name; }

 private:
  std::string root_;
};

inline void Write_File(const std::string& name, const std::string& content) {
  std::ofstream(name, std::ios::binary) << content;
}

inline std::string Read_File(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The names in a folder, in UTF-8 on both systems.
inline std::set<std::string> Folder_Entries(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.insert(entry.path().filename().u8string());
  }
  return names;
}

// r--r--r--, which Windows keeps as the read-only attribute; or rw-r--r--.
inline void Set_Read_Only(const std::string& name, bool read_only) {
  using std::filesystem::perms;
  const perms readable = perms::owner_read | perms::group_read | perms::others_read;
  std::error_code error;
  std::filesystem::permissions(name, read_only ? readable : readable | perms::owner_write, error);
  EXPECT_FALSE(error) << name << ": " << error.message();
}

// The last-write time, seconds since 1970 UTC and the nanoseconds the
// file system keeps of the rest.
void Set_Write_Time(const std::string& name, std::time_t seconds, long nano_seconds = 0);
timespec Write_Time(const std::string& name);

inline time_t Local_Seconds(int year, int month, int day, int hour, int minute, int second) {
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;
  return std::mktime(&local);
}

// The MS-DOS packed form, written out from its field layout.
inline std::int32_t Packed(int year, int month, int day, int hour, int minute, int second) {
  const auto date = static_cast<std::uint32_t>((year - 1980) << 9 | month << 5 | day);
  const auto time = static_cast<std::uint32_t>(hour << 11 | minute << 5 | second / 2);
  return static_cast<std::int32_t>(date << 16 | time);
}

// A child process that keeps a file open until destroyed: on Linux flock-ed
// if asked; on Windows shared for reading only when asked, and fully otherwise.
class Holding_Process {
 public:
  Holding_Process(const std::string& name, bool with_flock);
  ~Holding_Process();
  Holding_Process(const Holding_Process&) = delete;
  Holding_Process& operator=(const Holding_Process&) = delete;

 private:
  struct Child;
  std::unique_ptr<Child> child_;
};

}  // namespace velmaric::testing
