#pragma once
// Real files for the file tests: a fresh folder under /tmp per test, and a
// child process that holds a file the way another program would.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/hostile_nodes.h"

namespace velmaric::testing {

class Temp_Folder {
 public:
  Temp_Folder() {
    char pattern[] = "/tmp/velmaric-test-XXXXXX";
    EXPECT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
  }
  ~Temp_Folder() { std::filesystem::remove_all(root_); }
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

inline void Set_Write_Time(const std::string& name, time_t seconds, long nano_seconds = 0) {
  const timespec times[2] = {{seconds, 0}, {seconds, nano_seconds}};
  ASSERT_EQ(utimensat(AT_FDCWD, name.c_str(), times, 0), 0);
}

inline timespec Write_Time(const std::string& name) {
  struct stat info {};
  EXPECT_EQ(stat(name.c_str(), &info), 0) << name;
  return info.st_mtim;
}

inline time_t Local_Seconds(int year, int month, int day, int hour, int minute, int second) {
  std::tm local = {second, minute, hour, day, month - 1, year - 1900, 0, 0, -1, 0, nullptr};
  return mktime(&local);
}

// The MS-DOS packed form, written out from its field layout.
inline std::int32_t Packed(int year, int month, int day, int hour, int minute, int second) {
  const auto date = static_cast<std::uint32_t>((year - 1980) << 9 | month << 5 | day);
  const auto time = static_cast<std::uint32_t>(hour << 11 | minute << 5 | second / 2);
  return static_cast<std::int32_t>(date << 16 | time);
}

inline void Make_Hostile_Nodes(const Temp_Folder& folder) {
  ASSERT_TRUE(Make_Hostile_Nodes(folder.Path(""))) << folder.Path("");
}

// A child process that keeps a file open, flock-ed if asked, until destroyed.
class Holding_Process {
 public:
  Holding_Process(const std::string& name, bool with_flock) {
    int ready[2];
    EXPECT_TRUE(pipe(ready) == 0 && pipe(release_) == 0);
    pid_ = fork();
    if (pid_ == 0) {
      const int fd = open(name.c_str(), O_RDONLY);
      char held = fd >= 0 && (!with_flock || flock(fd, LOCK_SH) == 0) ? '1' : '0';
      close(release_[1]);
      if (write(ready[1], &held, 1) == 1) {
        while (read(release_[0], &held, 1) > 0) {
        }
      }
      _exit(0);
    }
    char held = '0';
    EXPECT_TRUE(read(ready[0], &held, 1) == 1 && held == '1') << "child could not hold " << name;
    close(ready[0]);
    close(ready[1]);
  }
  ~Holding_Process() {
    close(release_[1]);  // the child's read sees the end and it exits
    close(release_[0]);
    waitpid(pid_, nullptr, 0);
  }

 private:
  int release_[2] = {-1, -1};
  pid_t pid_ = -1;
};

}  // namespace velmaric::testing
