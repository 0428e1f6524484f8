#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/file_fixtures.h"

namespace velmaric::testing {

void Set_Write_Time(const std::string& name, std::time_t seconds, long nano_seconds) {
  const timespec times[2] = {{seconds, 0}, {seconds, nano_seconds}};
  ASSERT_EQ(utimensat(AT_FDCWD, name.c_str(), times, 0), 0);
}

timespec Write_Time(const std::string& name) {
  struct stat info {};
  EXPECT_EQ(stat(name.c_str(), &info), 0) << name;
  return info.st_mtim;
}

struct Holding_Process::Child {
  int release[2] = {-1, -1};
  pid_t pid = -1;
};

Holding_Process::Holding_Process(const std::string& name, bool with_flock)
    : child_(std::make_unique<Child>()) {
  int ready[2];
  EXPECT_TRUE(pipe(ready) == 0 && pipe(child_->release) == 0);
  child_->pid = fork();
  if (child_->pid == 0) {
    const int fd = open(name.c_str(), O_RDONLY);
    char held = fd >= 0 && (!with_flock || flock(fd, LOCK_SH) == 0) ? '1' : '0';
    close(child_->release[1]);
    if (write(ready[1], &held, 1) == 1) {
      while (read(child_->release[0], &held, 1) > 0) {
      }
    }
    _exit(0);
  }
  char held = '0';
  EXPECT_TRUE(read(ready[0], &held, 1) == 1 && held == '1') << "child could not hold " << name;
  close(ready[0]);
  close(ready[1]);
}

Holding_Process::~Holding_Process() {
  close(child_->release[1]);  // the child's read sees the end and it exits
  close(child_->release[0]);
  waitpid(child_->pid, nullptr, 0);
}

}  // namespace velmaric::testing
