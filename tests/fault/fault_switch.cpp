#include "fault_switch.h"

#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdarg>
#include <cstring>

namespace velmaric::testing::fault {
namespace {

enum class Use : unsigned char { none, reading, writing };

constexpr int tracked_fds = 4096;

// Plain data only on the path every call takes: the wrappers also run
// before main, in Qt's threads and in the termination signal handler.
char watched[4096] = "";
std::size_t watched_length = 0;
Use fd_use[tracked_fds] = {};
int torn_error[tracked_fds] = {};  // a half-done write: the retry fails with this
int fail_at = 0;
int armed_error = 0;
int calls = 0;
int fired_at = 0;

std::vector<std::string>& Trace_Entries() {
  static std::vector<std::string> entries;
  return entries;
}

std::array<std::string, tracked_fds>& Fd_Names() {
  static std::array<std::string, tracked_fds> names;
  return names;
}

bool Is_Watched(const char* path) {
  return watched_length > 0 && path != nullptr && std::strncmp(path, watched, watched_length) == 0;
}

bool Is_Watched(int fd) {
  return fd >= 0 && fd < tracked_fds && fd_use[fd] != Use::none;
}

// The name relative to the folder; a temporary's random suffix as XXXXXX.
std::string Shown(const char* path) {
  std::string name(path + watched_length);
  const std::size_t slash = name.rfind('/');
  const std::size_t base = slash == std::string::npos ? 0 : slash + 1;
  if (name.size() > base + 7 && name[base] == '.' && name[name.size() - 7] == '.') {
    name.replace(name.size() - 6, 6, "XXXXXX");
  }
  return name;
}

void Remember(int fd, const char* path, Use use) {
  if (fd < 0 || fd >= tracked_fds) return;
  fd_use[fd] = use;
  torn_error[fd] = 0;
  Fd_Names()[static_cast<std::size_t>(fd)] = Shown(path);
}

void Forget(int fd) {
  if (fd < 0 || fd >= tracked_fds) return;
  fd_use[fd] = Use::none;
  torn_error[fd] = 0;
}

// Counts one watched call; true when it is the one to fail.
bool Strikes(const char* call, const std::string& name) {
  const int saved = errno;
  ++calls;
  Trace_Entries().push_back(std::string(call) + " " + name);
  errno = saved;
  if (calls != fail_at) return false;
  fired_at = calls;
  return true;
}

bool Strikes(const char* call, int fd) {
  return Strikes(call, Fd_Names()[static_cast<std::size_t>(fd)]);
}

}  // namespace

void Watch(const std::string& folder) {
  std::string prefix = folder;
  if (prefix.empty() || prefix.back() != '/') prefix += '/';
  if (prefix.size() >= sizeof watched) prefix.clear();
  std::memcpy(watched, prefix.c_str(), prefix.size() + 1);
  watched_length = prefix.size();
}

void Arm(int call_number, int error_number) {
  fail_at = call_number;
  armed_error = error_number;
  calls = 0;
  fired_at = 0;
  Trace_Entries().clear();
}

int Calls() {
  return calls;
}
bool Fired() {
  return fired_at > 0;
}
const std::vector<std::string>& Trace() {
  return Trace_Entries();
}
std::string Fired_Call() {
  return fired_at > 0 ? Trace_Entries()[static_cast<std::size_t>(fired_at - 1)] : std::string();
}

}  // namespace velmaric::testing::fault

namespace fault = velmaric::testing::fault;
using fault::armed_error;
using fault::fd_use;
using fault::Is_Watched;
using fault::Strikes;
using fault::torn_error;
using fault::Use;

extern "C" {

int __real_open(const char* path, int flags, ...);
int __real_mkostemp(char* name_template, int flags);
ssize_t __real_write(int fd, const void* data, size_t size);
int __real_fsync(int fd);
int __real_close(int fd);
int __real_ftruncate(int fd, off_t length);
int __real_rename(const char* from, const char* to);

int __wrap_open(const char* path, int flags, ...) {
  mode_t mode = 0;
  if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) {
    va_list arguments;
    va_start(arguments, flags);
    mode = va_arg(arguments, mode_t);
    va_end(arguments);
  }
  if (!Is_Watched(path)) return __real_open(path, flags, mode);
  const bool writing = (flags & O_ACCMODE) != O_RDONLY || (flags & (O_CREAT | O_TRUNC)) != 0;
  const bool folder = (flags & O_DIRECTORY) != 0;
  if ((writing || folder) && Strikes("open", fault::Shown(path))) {
    errno = armed_error;
    return -1;
  }
  const int fd = __real_open(path, flags, mode);
  fault::Remember(fd, path, writing ? Use::writing : Use::reading);
  return fd;
}

int __wrap_mkostemp(char* name_template, int flags) {
  if (!Is_Watched(name_template)) return __real_mkostemp(name_template, flags);
  if (Strikes("create", fault::Shown(name_template))) {
    errno = armed_error;
    return -1;
  }
  const int fd = __real_mkostemp(name_template, flags);
  fault::Remember(fd, name_template, Use::writing);
  return fd;
}

ssize_t __wrap_write(int fd, const void* data, size_t size) {
  if (!Is_Watched(fd)) return __real_write(fd, data, size);
  if (torn_error[fd] != 0) {  // the same fault, still there: not a new call to fail
    errno = torn_error[fd];
    return -1;
  }
  if (!Strikes("write", fd)) return __real_write(fd, data, size);
  if (size < 2) {
    errno = armed_error;
    return -1;
  }
  const ssize_t landed = __real_write(fd, data, size / 2);
  if (landed >= 0) torn_error[fd] = armed_error;
  return landed;
}

int __wrap_fsync(int fd) {
  if (Is_Watched(fd) && Strikes("fsync", fd)) {
    errno = armed_error;
    return -1;
  }
  return __real_fsync(fd);
}

int __wrap_ftruncate(int fd, off_t length) {
  if (Is_Watched(fd) && Strikes("truncate", fd)) {
    errno = armed_error;
    return -1;
  }
  return __real_ftruncate(fd, length);
}

int __wrap_close(int fd) {
  const bool counted = Is_Watched(fd) && fd_use[fd] == Use::writing && Strikes("close", fd);
  fault::Forget(fd);
  const int result = __real_close(fd);
  if (!counted) return result;
  errno = armed_error;
  return -1;
}

int __wrap_rename(const char* from, const char* to) {
  if ((Is_Watched(from) || Is_Watched(to)) &&
      Strikes("rename", fault::Shown(Is_Watched(to) ? to : from))) {
    errno = armed_error;
    return -1;
  }
  return __real_rename(from, to);
}

}  // extern "C"
