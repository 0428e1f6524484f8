#include "platform/file_probe.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <ctime>
#include <memory>

namespace velmaric {
namespace {

constexpr int first_packed_year = 1980;
constexpr int last_packed_year = first_packed_year + 127;

// No controlling terminal, no blocking on a FIFO or a lease, nothing
// inherited by programs we start.
constexpr int quiet_open_flags = O_NOCTTY | O_NONBLOCK | O_CLOEXEC;

bool Is_Read_Only(const struct stat& info) {
  return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// The open state a refused open (or stat) stands for.
std::string Open_State_Of_Error(int error_number) {
  switch (error_number) {
    case ENOENT:
    case ENOTDIR:
    case ENXIO:  // a device that is not there
    case ENODEV:
    case ENOMEDIUM:
      return open_state_not_found;
    case ETXTBSY:      // a program being run
    case EBUSY:        // a device in exclusive use
    case EWOULDBLOCK:  // a lease or a mandatory lock
      return open_state_open;
    default:
      return open_state_error;
  }
}

bool Has_Foreign_Lock(int fd) {
  // F_GETLK reports POSIX locks of other processes and every
  // open-file-description lock; flock locks live apart and need a try.
  struct flock probe {};
  probe.l_type = F_WRLCK;
  probe.l_whence = SEEK_SET;
  if (fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK) return true;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) return errno == EWOULDBLOCK;
  flock(fd, LOCK_UN);
  return false;
}

bool All_Digits(const char* text) {
  return *text != '\0' && std::all_of(text, text + std::char_traits<char>::length(text),
                                      [](unsigned char c) { return std::isdigit(c) != 0; });
}

using Dir_Handle = std::unique_ptr<DIR, int (*)(DIR*)>;

bool Process_Has_Open(const std::string& pid, const struct stat& file) {
  const std::string fd_dir_name = "/proc/" + pid + "/fd";
  Dir_Handle fd_dir(opendir(fd_dir_name.c_str()), closedir);
  if (!fd_dir) return false;  // gone, or not ours to look at
  while (const dirent* entry = readdir(fd_dir.get())) {
    if (!All_Digits(entry->d_name)) continue;
    struct stat target {};
    // Each entry is a link to what the descriptor refers to.
    if (fstatat(dirfd(fd_dir.get()), entry->d_name, &target, 0) == 0 &&
        target.st_dev == file.st_dev && target.st_ino == file.st_ino) {
      return true;
    }
  }
  return false;
}

bool Open_In_Other_Process(const struct stat& file) {
  Dir_Handle proc(opendir("/proc"), closedir);
  if (!proc) return false;
  const std::string self = std::to_string(getpid());
  while (const dirent* entry = readdir(proc.get())) {
    if (All_Digits(entry->d_name) && entry->d_name != self &&
        Process_Has_Open(entry->d_name, file)) {
      return true;
    }
  }
  return false;
}

bool Is_Leap_Year(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int Days_In_Month(int year, int month) {
  static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && Is_Leap_Year(year) ? 29 : days[month - 1];
}

std::int32_t Pack_Date_Stamp(const std::tm& local) {
  const int year = local.tm_year + 1900;
  if (year < first_packed_year || year > last_packed_year) return -1;
  const int second = std::min(local.tm_sec, 59);  // a leap second
  const std::uint32_t date = static_cast<std::uint32_t>(year - first_packed_year) << 9 |
                             static_cast<std::uint32_t>(local.tm_mon + 1) << 5 |
                             static_cast<std::uint32_t>(local.tm_mday);
  const std::uint32_t time = static_cast<std::uint32_t>(local.tm_hour) << 11 |
                             static_cast<std::uint32_t>(local.tm_min) << 5 |
                             static_cast<std::uint32_t>(second / 2);
  return static_cast<std::int32_t>(date << 16 | time);
}

}  // namespace

Unique_Fd::~Unique_Fd() { Close(); }

int Unique_Fd::Close() {
  if (fd_ < 0) return 0;
  const int result = close(fd_);
  fd_ = -1;
  return result;
}

bool File_Exists(const std::string& name) {
  struct stat info {};
  return !name.empty() && stat(name.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::string Get_File_Open_State(const std::string& name) {
  if (name.empty()) return open_state_none;
  if (name.size() > longest_probed_name) return open_state_closed;
  struct stat info {};
  if (stat(name.c_str(), &info) != 0) {
    // A name we may not even look at is not known to be missing.
    return errno == ENOENT || errno == ENOTDIR ? open_state_none : Open_State_Of_Error(errno);
  }
  if (S_ISDIR(info.st_mode)) return open_state_none;
  if (Is_Read_Only(info)) return open_state_error;
  // Opening for writing without O_TRUNC and writing nothing leaves the
  // file's times alone.
  Unique_Fd fd(open(name.c_str(), O_RDWR | quiet_open_flags));
  if (!fd.Valid()) return Open_State_Of_Error(errno);
  if (fstat(fd.Get(), &info) != 0) return open_state_error;
  if (Has_Foreign_Lock(fd.Get()) || Open_In_Other_Process(info)) return open_state_open;
  return open_state_closed;
}

void Set_File_Attribute_Flags(const std::string& name, bool read_only, bool /*archive*/,
                              bool /*system*/, bool /*hidden*/) {
  struct stat info {};
  if (name.empty() || stat(name.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return;
  const mode_t permissions = info.st_mode & 07777;
  const mode_t wanted = read_only
                            ? permissions & ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH)
                            : permissions | S_IWUSR;
  // A file of another owner refuses; it keeps its attributes, as it would anyway.
  if (wanted != permissions) chmod(name.c_str(), wanted);
}

std::int32_t Get_File_Date_Stamp(const std::string& name) {
  if (!File_Exists(name)) return 0;
  Unique_Fd fd(open(name.c_str(), O_RDONLY | quiet_open_flags));
  if (!fd.Valid()) return -errno;
  struct stat info {};
  if (fstat(fd.Get(), &info) != 0) return -1;
  std::tm local{};
  if (localtime_r(&info.st_mtim.tv_sec, &local) == nullptr) return -1;
  return Pack_Date_Stamp(local);
}

void Set_File_Date_Stamp(const std::string& name, std::int32_t stamp, bool closed_only) {
  if (!File_Exists(name)) return;
  if (closed_only && Get_File_Open_State(name) != open_state_closed) return;
  const std::optional<Date_Stamp_Fields> fields = Unpack_Date_Stamp(stamp);
  if (!fields) return;
  Unique_Fd fd(open(name.c_str(), O_RDWR | quiet_open_flags));
  if (!fd.Valid()) return;
  std::tm local{};
  local.tm_year = fields->year - 1900;
  local.tm_mon = fields->month - 1;
  local.tm_mday = fields->day;
  local.tm_hour = fields->hour;
  local.tm_min = fields->minute;
  local.tm_sec = fields->second;
  local.tm_isdst = -1;  // whichever offset the zone has at that time
  const time_t when = mktime(&local);
  if (when == static_cast<time_t>(-1)) return;
  const timespec times[2] = {{0, UTIME_OMIT}, {when, 0}};  // access time, last-write time
  futimens(fd.Get(), times);
}

std::optional<Date_Stamp_Fields> Unpack_Date_Stamp(std::int32_t stamp) {
  const auto bits = static_cast<std::uint32_t>(stamp);
  Date_Stamp_Fields fields;
  fields.year = first_packed_year + static_cast<int>(bits >> 25);
  fields.month = static_cast<int>(bits >> 21 & 0x0F);
  fields.day = static_cast<int>(bits >> 16 & 0x1F);
  fields.hour = static_cast<int>(bits >> 11 & 0x1F);
  fields.minute = static_cast<int>(bits >> 5 & 0x3F);
  fields.second = static_cast<int>(bits & 0x1F) * 2;
  if (fields.month < 1 || fields.month > 12) return std::nullopt;
  if (fields.day < 1 || fields.day > Days_In_Month(fields.year, fields.month)) return std::nullopt;
  if (fields.hour > 23 || fields.minute > 59 || fields.second > 59) return std::nullopt;
  return fields;
}

}  // namespace velmaric
