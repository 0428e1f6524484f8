#pragma once
// Every file-system call of the program goes through File_System, in the
// manner of leveldb's Env: feature code sees only this interface, CMake
// builds one implementation per system, and tests wrap or replace it (the
// fault-injection tests fail calls and cut the power through it).
//
// These are the system's primitives, nothing more. The rules that decide
// which files the program may touch and how it replaces them safely sit on
// top of it, once, in regular_files.h.
//
// Names are byte strings handed to the system unchanged: a name that is not
// valid UTF-8 works like any other. A refused call throws File_Error, which
// carries the general error box's wording of the system's answer ("File
// access denied", "Disk full", "I/O error 5", ...).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/command_error.h"

namespace velmaric {

enum class File_Type : std::uint8_t {
  missing,
  regular,
  directory,
  symbolic_link,  // only from Link_Status
  device,
  fifo,
  socket,
  other,
};

struct File_Status {
  File_Type type = File_Type::missing;
  std::uint64_t size = 0;
  std::uint32_t permissions =
      0;  // read, write, execute for owner, group, others, and the 07000 bits
  std::uint32_t owner = 0;
  std::uint32_t group = 0;
  std::int64_t modified_ns = 0;  // last write, nanoseconds since 1970-01-01 00:00 UTC
  std::uint64_t volume = 0;      // with index, the file's identity
  std::uint64_t index = 0;
  // On a file system the kernel makes up (/proc, /sys, ...): reading or
  // writing such a "file" talks to the system itself.
  bool system_file = false;

  bool Exists() const { return type != File_Type::missing; }
  bool Same_File_As(const File_Status& other) const {
    return Exists() && other.Exists() && volume == other.volume && index == other.index;
  }
};

inline constexpr std::uint32_t any_write_permission = 0222;

// What kind of refusal a File_Error is, for the callers that act on it.
enum class File_Fault : std::uint8_t { not_found, access_denied, disk_full, exists, other };

class File_Error : public Command_Error {
 public:
  File_Error(File_Fault fault, const std::string& description)
      : Command_Error(description), fault_(fault) {}
  File_Fault Fault() const { return fault_; }

 private:
  File_Fault fault_;
};

// "File access denied": the answer for a file that is not the program's to
// read or write (a device, a FIFO, a folder, a read-only file).
inline File_Error Access_Denied_Error() {
  return File_Error(File_Fault::access_denied, "File access denied");
}

// What an exclusive open of an existing file finds.
enum class Exclusive_Open : std::uint8_t {
  free,     // no one else holds it
  missing,  // it vanished, or its device or medium is not there
  held,     // another program has it open or locked
  refused,  // any other refusal: no write permission, a read-only medium, ...
};

// Whether a symbolic link at the end of a name is followed, or refused: the
// files of a removable disk from elsewhere are never reached through a link.
enum class Links : std::uint8_t { follow, refuse };

enum class Access : std::uint8_t {
  create_files,  // may make, rename and remove files in the folder
  run,           // may run the file
};

class Readable_File {
 public:
  virtual ~Readable_File() = default;
  virtual File_Status Status() const = 0;
  // Up to size bytes; 0 at the end of the file.
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

class Writable_File {
 public:
  virtual ~Writable_File() = default;  // closes a file still open, unheard
  virtual File_Status Status() const = 0;
  // Writes all of data at the end of the file.
  virtual void Append(std::string_view data) = 0;
  virtual void Truncate(std::uint64_t size) = 0;
  // Makes what was written so far survive a crash or a power cut.
  virtual void Sync() = 0;
  virtual void Set_Permissions(std::uint32_t permissions) = 0;
  virtual void Set_Owner(std::uint32_t owner, std::uint32_t group) = 0;
  virtual void Set_Modified_Time(std::int64_t modified_ns) = 0;
  // Closes now: a write error the system held back until then is thrown.
  virtual void Close() = 0;
};

class File_System {
 public:
  virtual ~File_System() = default;

  // What the name leads to, links followed; type missing when there is
  // nothing (also when a folder on the way is a file).
  virtual File_Status Status(const std::string& name) const = 0;
  // The same, except that a link at the end of the name is reported itself.
  virtual File_Status Link_Status(const std::string& name) const = 0;
  // The text a symbolic link holds.
  virtual std::string Link_Target(const std::string& name) const = 0;
  // The absolute name with every link resolved; empty when it cannot be.
  virtual std::string Real_Name(const std::string& name) const = 0;
  // The absolute name of the current folder, as the system keeps it. Throws
  // when there is none to name (it was removed).
  virtual std::string Current_Folder() const = 0;
  // Whether this process may do that with what the name leads to.
  virtual bool Has_Access(const std::string& name, Access access) const = 0;
  // The names in a folder, without "." and ".."; empty when it cannot be read.
  virtual std::vector<std::string> Folder_Entries(const std::string& folder) const = 0;
  // The permissions a new file of the program gets (rw-r--r-- less the umask).
  virtual std::uint32_t New_File_Permissions() const = 0;

  // Opened without waiting (a FIFO or a device never blocks the program).
  // A link refused at the end of the name is "File access denied".
  virtual std::unique_ptr<Readable_File> Open_For_Reading(const std::string& name, Links links) = 0;
  // Opened for appending; a missing file is made when create is set.
  virtual std::unique_ptr<Writable_File> Open_For_Appending(const std::string& name, bool create,
                                                            Links links) = 0;
  // A new, empty file named prefix followed by six random letters and
  // digits, readable and writable by its owner alone; its name goes to name.
  virtual std::unique_ptr<Writable_File> Create_Temporary(const std::string& prefix,
                                                          std::string& name) = 0;
  // Replaces to by from in one step.
  virtual void Rename(const std::string& from, const std::string& to) = 0;
  virtual void Remove(const std::string& name) = 0;
  virtual void Make_Folder(const std::string& name) = 0;
  // Makes the folder's entries (renames, new and removed files) survive a
  // power cut, as far as the folder lets itself be opened.
  virtual void Sync_Folder(const std::string& folder) = 0;
  virtual void Set_Permissions(const std::string& name, std::uint32_t permissions) = 0;
  // Whether another program holds the existing file; leaves no trace on it.
  virtual Exclusive_Open Probe_Exclusive_Open(const std::string& name) = 0;
};

// The system's own file system.
File_System& Real_File_System();

}  // namespace velmaric
