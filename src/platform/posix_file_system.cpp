// The file system of Linux: the one place where the program makes its
// file-system calls.

#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>

#include "platform/file_system.h"
#include "platform/system_error.h"

namespace velmaric {
namespace {

// No controlling terminal, no blocking on a FIFO or a lease, nothing
// inherited by programs we start.
constexpr int quiet_open_flags = O_NOCTTY | O_NONBLOCK | O_CLOEXEC;
constexpr mode_t new_file_mode = 0644;

[[noreturn]] void Fail(int error_number) {
  throw File_System_Error(error_number);
}

File_Type Type_Of(mode_t mode) {
  if (S_ISREG(mode)) return File_Type::regular;
  if (S_ISDIR(mode)) return File_Type::directory;
  if (S_ISLNK(mode)) return File_Type::symbolic_link;
  if (S_ISCHR(mode) || S_ISBLK(mode)) return File_Type::device;
  if (S_ISFIFO(mode)) return File_Type::fifo;
  if (S_ISSOCK(mode)) return File_Type::socket;
  return File_Type::other;
}

// The file systems whose files are the kernel's interfaces, not data.
bool Is_System_File_System(const struct statfs& info) {
  switch (static_cast<unsigned long>(info.f_type)) {
    case PROC_SUPER_MAGIC:
    case SYSFS_MAGIC:
    case DEBUGFS_MAGIC:
    case TRACEFS_MAGIC:
    case SECURITYFS_MAGIC:
    case CGROUP_SUPER_MAGIC:
    case CGROUP2_SUPER_MAGIC:
    case BPF_FS_MAGIC:
    case EFIVARFS_MAGIC:
    case PSTOREFS_MAGIC:
    case SELINUX_MAGIC:
    case SMACK_MAGIC:
    case BINFMTFS_MAGIC:
    case 0x62656570:  // configfs
    case 0x65735543:  // fusectl
      return true;
    default:
      return false;
  }
}

File_Status Status_Of(const struct stat& info) {
  File_Status status;
  status.type = Type_Of(info.st_mode);
  status.size = static_cast<std::uint64_t>(std::max<off_t>(info.st_size, 0));
  status.permissions = info.st_mode & 07777;
  status.owner = info.st_uid;
  status.group = info.st_gid;
  status.modified_ns =
      static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  status.volume = info.st_dev;
  status.index = info.st_ino;
  return status;
}

// A stat-like call's answer, with the file system's kind from a
// statfs-like call: missing for a name that leads nowhere.
template <typename Call, typename File_System_Call>
File_Status Status_By(Call&& call, File_System_Call&& file_system_call) {
  struct stat info {};
  if (call(&info) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return {};
    Fail(errno);
  }
  File_Status status = Status_Of(info);
  struct statfs where {};
  status.system_file = file_system_call(&where) == 0 && Is_System_File_System(where);
  return status;
}

// An open file descriptor that closes itself.
class Unique_Fd {
 public:
  explicit Unique_Fd(int fd) : fd_(fd) {}
  Unique_Fd(const Unique_Fd&) = delete;
  Unique_Fd& operator=(const Unique_Fd&) = delete;
  ~Unique_Fd() { Close(); }
  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  // Closes now and gives close's own result.
  int Close() {
    if (fd_ < 0) return 0;
    const int result = close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

File_Status Status_Of_Fd(int fd) {
  return Status_By([fd](struct stat* info) { return fstat(fd, info); },
                   [fd](struct statfs* info) { return fstatfs(fd, info); });
}

class Posix_Readable_File final : public Readable_File {
 public:
  explicit Posix_Readable_File(int fd) : fd_(fd) {}
  File_Status Status() const override { return Status_Of_Fd(fd_.Get()); }
  std::size_t Read(char* buffer, std::size_t size) override {
    for (;;) {
      const ssize_t got = read(fd_.Get(), buffer, size);
      if (got >= 0) return static_cast<std::size_t>(got);
      if (errno != EINTR) Fail(errno);
    }
  }

 private:
  Unique_Fd fd_;
};

class Posix_Writable_File final : public Writable_File {
 public:
  explicit Posix_Writable_File(int fd) : fd_(fd) {}
  File_Status Status() const override { return Status_Of_Fd(fd_.Get()); }
  void Append(std::string_view data) override {
    while (!data.empty()) {
      const ssize_t written = write(fd_.Get(), data.data(), data.size());
      if (written < 0) {
        if (errno == EINTR) continue;
        Fail(errno);
      }
      // A write that makes no progress means the device is full.
      if (written == 0) Fail(ENOSPC);
      data.remove_prefix(static_cast<std::size_t>(written));
    }
  }
  void Truncate(std::uint64_t size) override {
    if (ftruncate(fd_.Get(), static_cast<off_t>(size)) != 0) Fail(errno);
  }
  void Sync() override {
    if (fsync(fd_.Get()) != 0) Fail(errno);
  }
  void Set_Permissions(std::uint32_t permissions) override {
    if (fchmod(fd_.Get(), permissions & 07777) != 0) Fail(errno);
  }
  void Set_Owner(std::uint32_t owner, std::uint32_t group) override {
    if (fchown(fd_.Get(), owner, group) != 0) Fail(errno);
  }
  void Set_Modified_Time(std::int64_t modified_ns) override {
    const timespec times[2] = {{0, UTIME_OMIT},  // the access time stays
                               {static_cast<time_t>(modified_ns / 1000000000),
                                static_cast<long>(modified_ns % 1000000000)}};
    if (futimens(fd_.Get(), times) != 0) Fail(errno);
  }
  void Close() override {
    // An interrupted close has still closed the file on Linux.
    if (fd_.Close() != 0 && errno != EINTR) Fail(errno);
  }

 private:
  Unique_Fd fd_;
};

bool All_Digits(const char* text) {
  return *text != '\0' && std::all_of(text, text + std::char_traits<char>::length(text),
                                      [](char c) { return c >= '0' && c <= '9'; });
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

// Descriptors of our own process do not count: the program keeps no file
// open between operations.
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

Exclusive_Open Probe_Result_Of_Error(int error_number) {
  switch (error_number) {
    case ENOENT:
    case ENOTDIR:
    case ENXIO:  // a device that is not there
    case ENODEV:
    case ENOMEDIUM:
      return Exclusive_Open::missing;
    case ETXTBSY:      // a program being run
    case EBUSY:        // a device in exclusive use
    case EWOULDBLOCK:  // a lease or a mandatory lock
      return Exclusive_Open::held;
    default:
      return Exclusive_Open::refused;
  }
}

// A link at the end of the name makes the open fail with ELOOP, which the
// error box calls "File access denied".
int Link_Flag(Links links) {
  return links == Links::refuse ? O_NOFOLLOW : 0;
}

// umask can only be read by setting it; the program has no other thread
// that creates files meanwhile.
mode_t Current_Umask() {
  const mode_t mask = umask(0);
  umask(mask);
  return mask;
}

class Posix_File_System final : public File_System {
 public:
  File_Status Status(const std::string& name) const override {
    return Status_By([&name](struct stat* info) { return stat(name.c_str(), info); },
                     [&name](struct statfs* info) { return statfs(name.c_str(), info); });
  }

  // The folder's file system, for a link; statfs would follow it.
  File_Status Link_Status(const std::string& name) const override {
    const std::string folder = name.substr(0, name.rfind('/') + 1);
    return Status_By([&name](struct stat* info) { return lstat(name.c_str(), info); },
                     [&folder](struct statfs* info) {
                       return statfs(folder.empty() ? "." : folder.c_str(), info);
                     });
  }

  std::string Link_Target(const std::string& name) const override {
    std::string target(256, '\0');
    for (;;) {
      const ssize_t length = readlink(name.c_str(), target.data(), target.size());
      if (length < 0) Fail(errno);
      if (static_cast<std::size_t>(length) < target.size()) {
        target.resize(static_cast<std::size_t>(length));
        return target;
      }
      target.resize(target.size() * 2);  // it may have been cut: try again, larger
    }
  }

  std::string Real_Name(const std::string& name) const override {
    const std::unique_ptr<char, decltype(&std::free)> real(realpath(name.c_str(), nullptr),
                                                           &std::free);
    return real ? std::string(real.get()) : std::string();
  }

  std::string Current_Folder() const override {
    const std::unique_ptr<char, decltype(&std::free)> folder(getcwd(nullptr, 0), &std::free);
    if (!folder) Fail(errno);
    // Older C libraries name a folder out of our reach "(unreachable)/...".
    if (folder.get()[0] != '/') Fail(ENOENT);
    return folder.get();
  }

  bool Has_Access(const std::string& name, Access access) const override {
    const int mode = access == Access::create_files ? W_OK | X_OK : X_OK;
    return !name.empty() && ::access(name.c_str(), mode) == 0;
  }

  std::vector<std::string> Folder_Entries(const std::string& folder) const override {
    std::vector<std::string> names;
    Dir_Handle dir(opendir(folder.c_str()), closedir);
    if (!dir) return names;
    while (const dirent* entry = readdir(dir.get())) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    return names;
  }

  std::uint32_t New_File_Permissions() const override { return new_file_mode & ~Current_Umask(); }

  std::unique_ptr<Readable_File> Open_For_Reading(const std::string& name, Links links) override {
    const int fd = open(name.c_str(), O_RDONLY | quiet_open_flags | Link_Flag(links));
    if (fd < 0) Fail(errno);
    return std::make_unique<Posix_Readable_File>(fd);
  }

  std::unique_ptr<Writable_File> Open_For_Appending(const std::string& name, bool create,
                                                    Links links) override {
    const int fd =
        open(name.c_str(),
             O_WRONLY | O_APPEND | quiet_open_flags | Link_Flag(links) | (create ? O_CREAT : 0),
             new_file_mode);
    if (fd < 0) Fail(errno);
    return std::make_unique<Posix_Writable_File>(fd);
  }

  std::unique_ptr<Writable_File> Create_Temporary(const std::string& prefix,
                                                  std::string& name) override {
    std::string pattern = prefix + "XXXXXX";
    const int fd = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) Fail(errno);
    name = pattern;
    return std::make_unique<Posix_Writable_File>(fd);
  }

  void Rename(const std::string& from, const std::string& to) override {
    if (rename(from.c_str(), to.c_str()) != 0) Fail(errno);
  }

  void Remove(const std::string& name) override {
    if (unlink(name.c_str()) != 0) Fail(errno);
  }

  void Make_Folder(const std::string& name) override {
    if (mkdir(name.c_str(), 0777) != 0) Fail(errno);
  }

  void Sync_Folder(const std::string& folder) override {
    Unique_Fd fd(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // A folder one may write in but not read (-wx) cannot be opened to be
    // synced; what was done in it is done all the same.
    if (!fd.Valid() && (errno == EACCES || errno == EPERM)) return;
    if (!fd.Valid()) Fail(errno);
    // Some file systems cannot sync a folder; they keep its entries anyway.
    if (fsync(fd.Get()) != 0 && errno != EINVAL) Fail(errno);
  }

  void Set_Permissions(const std::string& name, std::uint32_t permissions) override {
    if (chmod(name.c_str(), permissions & 07777) != 0) Fail(errno);
  }

  Exclusive_Open Probe_Exclusive_Open(const std::string& name) override {
    // Opening for writing without O_TRUNC and writing nothing leaves the
    // file's times alone.
    Unique_Fd fd(open(name.c_str(), O_RDWR | quiet_open_flags));
    if (!fd.Valid()) return Probe_Result_Of_Error(errno);
    struct stat info {};
    if (fstat(fd.Get(), &info) != 0) return Exclusive_Open::refused;
    if (Has_Foreign_Lock(fd.Get()) || Open_In_Other_Process(info)) return Exclusive_Open::held;
    return Exclusive_Open::free;
  }
};

}  // namespace

File_System& Real_File_System() {
  static Posix_File_System files;
  return files;
}

}  // namespace velmaric
