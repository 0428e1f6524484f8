#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>

#include "platform/file_probe.h"
#include "platform/paths.h"
#include "platform/file_io.h"
#include "platform/system_error.h"

namespace velmaric {
namespace {

constexpr mode_t any_write_bit = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr mode_t new_file_mode = 0644;

// Takes errno as an argument so that it is read before any clean-up runs.
[[noreturn]] void Fail(int error_number) {
  throw File_System_Error(error_number);
}

// Replacing a link by a plain file would cut it off from the file it names.
std::string Resolved_Target(const std::string& name) {
  struct stat info {};
  if (lstat(name.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return name;
  const std::unique_ptr<char, decltype(&std::free)> real(realpath(name.c_str(), nullptr),
                                                         &std::free);
  return real ? std::string(real.get()) : name;  // a dangling link is simply replaced
}

// umask can only be read by setting it; the program has no other thread
// that creates files meanwhile.
mode_t Current_Umask() {
  const mode_t mask = umask(0);
  umask(mask);
  return mask;
}

std::string Base_Name(const std::string& name) {
  return name.substr(name.rfind('/') + 1);  // npos + 1 is 0: the whole name
}

// The temporary file, removed again unless it was renamed into place.
class Temporary_File {
 public:
  // Hidden, named after the target, in the target's folder: rename works
  // only within one file system.
  explicit Temporary_File(const std::string& target)
      : name_(Directory_Of_File(target) + "." + Base_Name(target) + ".XXXXXX"),
        fd_(mkostemp(name_.data(), O_CLOEXEC)) {
    if (!fd_.Valid()) Fail(errno);
    owned_ = true;
  }
  Temporary_File(const Temporary_File&) = delete;
  Temporary_File& operator=(const Temporary_File&) = delete;
  ~Temporary_File() {
    fd_.Close();
    if (owned_) unlink(name_.c_str());
  }
  const std::string& Name() const { return name_; }
  int Fd() const { return fd_.Get(); }
  void Close() {
    if (fd_.Close() != 0) Fail(errno);  // delayed write errors surface here
  }
  void Renamed() { owned_ = false; }

 private:
  std::string name_;
  Unique_Fd fd_;
  bool owned_ = false;
};

// Makes the rename itself survive a power cut.
void Sync_Folder(const std::string& folder) {
  Unique_Fd fd(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!fd.Valid()) Fail(errno);
  // Some file systems cannot sync a folder; the data itself is on the disk.
  if (fsync(fd.Get()) != 0 && errno != EINVAL) Fail(errno);
}

}  // namespace

std::optional<std::string> Read_Whole_File(const std::string& name) {
  // Non-blocking, so that a pipe in the file's place cannot hang the program.
  Unique_Fd fd(open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!fd.Valid()) {
    if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
    Fail(errno);
  }
  struct stat info {};
  if (fstat(fd.Get(), &info) != 0) Fail(errno);
  if (S_ISDIR(info.st_mode)) return std::nullopt;
  std::string contents;
  char buffer[16 * 1024];
  for (;;) {
    const ssize_t got = read(fd.Get(), buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      Fail(errno);
    }
    if (got == 0) return contents;
    contents.append(buffer, static_cast<std::size_t>(got));
  }
}

void Replace_File_Contents(const std::string& name, std::string_view contents) {
  const std::string target = Resolved_Target(name);
  struct stat old {};
  const bool exists = stat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) Fail(errno);
  if (exists && S_ISDIR(old.st_mode)) Fail(EISDIR);
  // Root could write it, but read-only is the user's word that it stays.
  if (exists && (old.st_mode & any_write_bit) == 0) Fail(EACCES);

  Temporary_File temporary(target);
  const mode_t mode = exists ? old.st_mode & 07777 : new_file_mode & ~Current_Umask();
  if (fchmod(temporary.Fd(), mode) != 0) Fail(errno);
  Write_All(temporary.Fd(), contents);
  if (fsync(temporary.Fd()) != 0) Fail(errno);
  temporary.Close();
  if (rename(temporary.Name().c_str(), target.c_str()) != 0) Fail(errno);
  temporary.Renamed();
  Sync_Folder(Directory_Of_File(target));
}

}  // namespace velmaric
