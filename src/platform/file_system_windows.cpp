// The file system of Windows: the one place where the program makes its
// file-system calls there. The ANSI calls take the names' bytes as they are:
// the program's manifest makes UTF-8 its code page.
//
// The same rules hold as on Linux. What Windows adds are its device names:
// "NUL", "CON", "COM1", ... lead to a device from any folder, with any
// extension ("con.txt"), in any case and with dots or spaces after them, and
// "\\.\" and "\\?\" names reach devices and volumes directly. Such a name is
// a device to this layer, refused like one before the system sees it, and a
// handle that nonetheless leads to no disk file is refused after the open.

#include <windows.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <memory>
#include <random>
#include <string_view>
#include <utility>

#include "platform/file_system.h"
#include "platform/path_rules.h"
#include "platform/system_error.h"

namespace velmaric {
namespace {

constexpr DWORD share_all = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// FILETIME counts 100 ns from 1601-01-01 00:00 UTC.
constexpr std::int64_t ticks_from_1601_to_1970 = 116444736000000000;
constexpr std::int64_t nanoseconds_per_tick = 100;
// What the read-only attribute reads as in the interface's permission bits.
constexpr std::uint32_t writable_file_permissions = 0644;
constexpr std::uint32_t writable_folder_permissions = 0755;

[[noreturn]] void Fail(DWORD error_number) {
  throw File_System_Error(static_cast<int>(error_number));
}

[[noreturn]] void Fail_With_Last_Error() {
  Fail(GetLastError());
}

bool Is_Missing_Error(DWORD error_number) {
  switch (error_number) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:  // a name no file can have
    case ERROR_DIRECTORY:     // a file where a folder should be, on the way
    case ERROR_NOT_READY:     // no medium in the drive
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return true;
    default:
      return false;
  }
}

bool Equal_Ignoring_Case(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) ==
                  std::toupper(static_cast<unsigned char>(y));
         });
}

// "\\.\NUL", "\\?\C:\x", "//./PhysicalDrive0", "\??\C:\x".
bool Is_Device_Namespace(const std::string& name) {
  return name.size() >= 4 && Is_Path_Separator(name[0]) &&
         (Is_Path_Separator(name[1]) || name[1] == '?') && (name[2] == '.' || name[2] == '?') &&
         Is_Path_Separator(name[3]);
}

// COM and LPT take a digit, or a superscript one, two or three.
bool Is_Port_Number(std::string_view rest) {
  if (rest.size() == 1) return rest[0] >= '0' && rest[0] <= '9';
  return rest == "\xC2\xB9" || rest == "\xC2\xB2" || rest == "\xC2\xB3";
}

bool Is_Reserved_Device(std::string_view base) {
  static constexpr std::array<std::string_view, 6> devices = {"CON", "PRN",    "AUX",
                                                              "NUL", "CONIN$", "CONOUT$"};
  if (std::any_of(devices.begin(), devices.end(),
                  [base](std::string_view device) { return Equal_Ignoring_Case(base, device); })) {
    return true;
  }
  return base.size() > 3 &&
         (Equal_Ignoring_Case(base.substr(0, 3), "COM") ||
          Equal_Ignoring_Case(base.substr(0, 3), "LPT")) &&
         Is_Port_Number(base.substr(3));
}

// Whether the name leads to a device whatever folder it names, or to a
// stream of a file ("log:b.txt"), which is no file of its own either.
bool Is_Device_Name(const std::string& name) {
  if (Is_Device_Namespace(name)) return true;
  if (name.find(':', 2) != std::string::npos) return true;
  std::string_view last = name;
  last.remove_prefix(Folder_Part_Length(name));  // also a drive: "c:nul"
  // The system reads "nul.txt", "nul:" and "nul . " as "nul".
  last = last.substr(0, last.find_first_of(".:"));
  while (!last.empty() && last.back() == ' ') last.remove_suffix(1);
  return Is_Reserved_Device(last);
}

void Refuse_Device_Name(const std::string& name) {
  if (Is_Device_Name(name)) throw Access_Denied_Error();
}

// An open handle that closes itself.
class Unique_Handle {
 public:
  explicit Unique_Handle(HANDLE handle) : handle_(handle) {}
  Unique_Handle(const Unique_Handle&) = delete;
  Unique_Handle& operator=(const Unique_Handle&) = delete;
  Unique_Handle(Unique_Handle&& other) noexcept : handle_(other.Release()) {}
  Unique_Handle& operator=(Unique_Handle&&) = delete;
  ~Unique_Handle() { Close(); }
  HANDLE Get() const { return handle_; }
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  // Hands the handle on; this one no longer closes it.
  HANDLE Release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }
  // Closes now and gives CloseHandle's own result.
  bool Close() {
    if (!Valid()) return true;
    const bool closed = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

std::int64_t Unix_Nanoseconds_Of(const FILETIME& time) {
  const auto ticks = static_cast<std::int64_t>(
      static_cast<std::uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime);
  return (ticks - ticks_from_1601_to_1970) * nanoseconds_per_tick;
}

FILETIME File_Time_Of(std::int64_t unix_ns) {
  std::int64_t ticks = unix_ns / nanoseconds_per_tick;
  if (unix_ns % nanoseconds_per_tick < 0) --ticks;
  const auto bits = static_cast<std::uint64_t>(ticks + ticks_from_1601_to_1970);
  return {static_cast<DWORD>(bits & 0xFFFFFFFF), static_cast<DWORD>(bits >> 32)};
}

std::uint32_t Permissions_Of(DWORD attributes) {
  const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  const std::uint32_t writable = folder ? writable_folder_permissions : writable_file_permissions;
  return (attributes & FILE_ATTRIBUTE_READONLY) != 0 ? writable & ~any_write_permission : writable;
}

// Read-only is the absence of every write permission bit; owner, group and
// the other bits have no place on Windows.
DWORD Attributes_With(DWORD attributes, std::uint32_t permissions) {
  if ((permissions & any_write_permission) == 0) return attributes | FILE_ATTRIBUTE_READONLY;
  return attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
}

File_Status Status_Of_Handle(HANDLE handle, Links links) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(handle, &info)) {
    // A device or a pipe has no such information.
    File_Status status;
    status.type = GetFileType(handle) == FILE_TYPE_PIPE ? File_Type::fifo : File_Type::device;
    return status;
  }
  File_Status status;
  if (GetFileType(handle) != FILE_TYPE_DISK) {
    status.type = File_Type::device;
  } else if (links == Links::refuse && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    status.type = File_Type::symbolic_link;
  } else if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    status.type = File_Type::directory;
  } else {
    status.type = File_Type::regular;
  }
  status.size = static_cast<std::uint64_t>(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
  status.permissions = Permissions_Of(info.dwFileAttributes);
  status.modified_ns = Unix_Nanoseconds_Of(info.ftLastWriteTime);
  status.volume = info.dwVolumeSerialNumber;
  status.index = static_cast<std::uint64_t>(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
  return status;
}

// Opened only to be looked at: no data access, so no other program's
// sharing stands in the way. Folders open too.
Unique_Handle Open_To_Look_At(const std::string& name, Links links) {
  const DWORD flags =
      FILE_FLAG_BACKUP_SEMANTICS | (links == Links::refuse ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
  return Unique_Handle(CreateFileA(name.c_str(), FILE_READ_ATTRIBUTES, share_all, nullptr,
                                   OPEN_EXISTING, flags, nullptr));
}

File_Status Status_By_Name(const std::string& name, Links links) {
  if (Is_Device_Name(name)) {
    File_Status device;
    device.type = File_Type::device;
    return device;
  }
  const Unique_Handle handle = Open_To_Look_At(name, links);
  if (!handle.Valid()) {
    const DWORD error = GetLastError();
    if (Is_Missing_Error(error)) return {};
    Fail(error);
  }
  return Status_Of_Handle(handle.Get(), links);
}

// Opens a file for data, refusing a device, and, where links are refused, a
// link at the end of the name; the caller's failure text otherwise.
Unique_Handle Open_Data_File(const std::string& name, DWORD access, DWORD share, DWORD disposition,
                             Links links) {
  Refuse_Device_Name(name);
  const DWORD flags =
      FILE_ATTRIBUTE_NORMAL | (links == Links::refuse ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
  Unique_Handle handle(
      CreateFileA(name.c_str(), access, share, nullptr, disposition, flags, nullptr));
  if (!handle.Valid()) Fail_With_Last_Error();
  if (GetFileType(handle.Get()) != FILE_TYPE_DISK) throw Access_Denied_Error();
  if (links == Links::refuse &&
      Status_Of_Handle(handle.Get(), links).type == File_Type::symbolic_link) {
    throw Access_Denied_Error();
  }
  return handle;
}

// A name the system gives back ("\\?\C:\x\y") without its long-name prefix.
std::string Without_Long_Name_Prefix(std::string name) {
  if (name.rfind("\\\\?\\UNC\\", 0) == 0) return "\\" + name.substr(7);
  if (name.rfind("\\\\?\\", 0) == 0) return name.substr(4);
  return name;
}

std::string Final_Name_Of(HANDLE handle) {
  std::string name(MAX_PATH, '\0');
  for (;;) {
    const DWORD length =
        GetFinalPathNameByHandleA(handle, name.data(), static_cast<DWORD>(name.size()), 0);
    if (length == 0) return {};
    if (length < name.size()) {
      name.resize(length);
      return Without_Long_Name_Prefix(name);
    }
    name.resize(length + 1);  // too short: length is the size it needs
  }
}

class Windows_Readable_File final : public Readable_File {
 public:
  explicit Windows_Readable_File(HANDLE handle) : handle_(handle) {}
  File_Status Status() const override { return Status_Of_Handle(handle_.Get(), Links::follow); }
  std::size_t Read(char* buffer, std::size_t size) override {
    DWORD got = 0;
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(size, 1 << 30));
    if (!ReadFile(handle_.Get(), buffer, wanted, &got, nullptr)) Fail_With_Last_Error();
    return got;
  }

 private:
  Unique_Handle handle_;
};

class Windows_Writable_File final : public Writable_File {
 public:
  explicit Windows_Writable_File(HANDLE handle) : handle_(handle) {}
  File_Status Status() const override { return Status_Of_Handle(handle_.Get(), Links::follow); }
  void Append(std::string_view data) override {
    if (!SetFilePointerEx(handle_.Get(), LARGE_INTEGER{}, nullptr, FILE_END)) {
      Fail_With_Last_Error();
    }
    while (!data.empty()) {
      DWORD written = 0;
      const auto chunk = static_cast<DWORD>(std::min<std::size_t>(data.size(), 1 << 30));
      if (!WriteFile(handle_.Get(), data.data(), chunk, &written, nullptr)) {
        Fail_With_Last_Error();
      }
      // A write that makes no progress means the disk is full.
      if (written == 0) Fail(ERROR_DISK_FULL);
      data.remove_prefix(written);
    }
  }
  void Truncate(std::uint64_t size) override {
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(size);
    if (!SetFilePointerEx(handle_.Get(), position, nullptr, FILE_BEGIN) ||
        !SetEndOfFile(handle_.Get())) {
      Fail_With_Last_Error();
    }
  }
  void Sync() override {
    if (!FlushFileBuffers(handle_.Get())) Fail_With_Last_Error();
  }
  void Set_Permissions(std::uint32_t permissions) override {
    FILE_BASIC_INFO info{};
    if (!GetFileInformationByHandleEx(handle_.Get(), FileBasicInfo, &info, sizeof info)) {
      Fail_With_Last_Error();
    }
    info.FileAttributes = Attributes_With(info.FileAttributes, permissions);
    // Zero times mean "leave as they are".
    info.CreationTime.QuadPart = info.LastAccessTime.QuadPart = 0;
    info.LastWriteTime.QuadPart = info.ChangeTime.QuadPart = 0;
    if (!SetFileInformationByHandle(handle_.Get(), FileBasicInfo, &info, sizeof info)) {
      Fail_With_Last_Error();
    }
  }
  // Windows files have an owner of another kind, which a new file takes
  // from the folder it is made in: nothing to give back.
  void Set_Owner(std::uint32_t /*owner*/, std::uint32_t /*group*/) override {}
  void Set_Modified_Time(std::int64_t modified_ns) override {
    const FILETIME time = File_Time_Of(modified_ns);
    if (!SetFileTime(handle_.Get(), nullptr, nullptr, &time)) Fail_With_Last_Error();
  }
  void Close() override {
    if (!handle_.Close()) Fail_With_Last_Error();
  }

 private:
  Unique_Handle handle_;
};

std::string Random_Suffix() {
  static constexpr std::string_view letters =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, letters.size() - 1);
  std::string suffix(6, ' ');
  for (char& c : suffix) c = letters[pick(random)];
  return suffix;
}

// No dialog asks for a disk while the probe looks at a drive without one.
class Quiet_Critical_Errors {
 public:
  Quiet_Critical_Errors() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
  ~Quiet_Critical_Errors() { SetErrorMode(previous_); }
  Quiet_Critical_Errors(const Quiet_Critical_Errors&) = delete;
  Quiet_Critical_Errors& operator=(const Quiet_Critical_Errors&) = delete;

 private:
  UINT previous_;
};

Exclusive_Open Probe_Result_Of_Error(DWORD error_number) {
  switch (error_number) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_NOT_READY:
    case ERROR_NOT_DOS_DISK:
    case ERROR_SECTOR_NOT_FOUND:
      return Exclusive_Open::missing;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return Exclusive_Open::held;
    default:
      return Exclusive_Open::refused;
  }
}

class Windows_File_System final : public File_System {
 public:
  File_Status Status(const std::string& name) const override {
    return Status_By_Name(name, Links::follow);
  }

  File_Status Link_Status(const std::string& name) const override {
    return Status_By_Name(name, Links::refuse);
  }

  // The final name the link leads to: a full name, which its folder part
  // does not change.
  std::string Link_Target(const std::string& name) const override {
    Refuse_Device_Name(name);
    const Unique_Handle handle = Open_To_Look_At(name, Links::follow);
    if (!handle.Valid()) Fail_With_Last_Error();
    const std::string target = Final_Name_Of(handle.Get());
    if (target.empty()) Fail_With_Last_Error();
    return target;
  }

  std::string Real_Name(const std::string& name) const override {
    if (name.empty() || Is_Device_Name(name)) return {};
    const Unique_Handle handle = Open_To_Look_At(name, Links::follow);
    return handle.Valid() ? Final_Name_Of(handle.Get()) : std::string();
  }

  std::string Current_Folder() const override {
    const DWORD size = GetCurrentDirectoryA(0, nullptr);
    std::string folder(size, '\0');
    const DWORD length = GetCurrentDirectoryA(size, folder.data());
    if (length == 0 || length >= size) Fail_With_Last_Error();
    folder.resize(length);
    return folder;
  }

  // The read-only attribute of a folder does not keep files out of it;
  // what the folder's access list refuses shows when a file is made.
  bool Has_Access(const std::string& name, Access access) const override {
    if (name.empty() || Is_Device_Name(name)) return false;
    const DWORD attributes = GetFileAttributesA(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return access == Access::create_files ? folder : !folder;
  }

  std::vector<std::string> Folder_Entries(const std::string& folder) const override {
    std::vector<std::string> names;
    if (folder.empty() || Is_Device_Name(folder)) return names;
    const std::string pattern =
        folder + (Is_Path_Separator(folder.back()) ? "*" : std::string(1, path_separator) + "*");
    WIN32_FIND_DATAA entry{};
    const HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      const std::string name = entry.cFileName;
      if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return names;
  }

  std::uint32_t New_File_Permissions() const override { return writable_file_permissions; }

  std::unique_ptr<Readable_File> Open_For_Reading(const std::string& name, Links links) override {
    Unique_Handle handle = Open_Data_File(name, GENERIC_READ, share_all, OPEN_EXISTING, links);
    return std::make_unique<Windows_Readable_File>(handle.Release());
  }

  std::unique_ptr<Writable_File> Open_For_Appending(const std::string& name, bool create,
                                                    Links links) override {
    Unique_Handle handle = Open_Data_File(name, GENERIC_READ | GENERIC_WRITE, share_all,
                                          create ? OPEN_ALWAYS : OPEN_EXISTING, links);
    return std::make_unique<Windows_Writable_File>(handle.Release());
  }

  // The new file takes the access list of its folder: on Windows a folder,
  // not a mode, says who may read what is in it.
  std::unique_ptr<Writable_File> Create_Temporary(const std::string& prefix,
                                                  std::string& name) override {
    constexpr int attempts = 100;
    for (int attempt = 0; attempt < attempts; ++attempt) {
      const std::string candidate = prefix + Random_Suffix();
      Refuse_Device_Name(candidate);
      const HANDLE handle = CreateFileA(candidate.c_str(), GENERIC_READ | GENERIC_WRITE, share_all,
                                        nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
        Fail(error);
      }
      name = candidate;
      return std::make_unique<Windows_Writable_File>(handle);
    }
    Fail(ERROR_FILE_EXISTS);
  }

  // In one step, and on the disk before the call returns.
  void Rename(const std::string& from, const std::string& to) override {
    Refuse_Device_Name(from);
    Refuse_Device_Name(to);
    if (!MoveFileExA(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      Fail_With_Last_Error();
    }
  }

  void Remove(const std::string& name) override {
    Refuse_Device_Name(name);
    if (!DeleteFileA(name.c_str())) Fail_With_Last_Error();
  }

  void Make_Folder(const std::string& name) override {
    Refuse_Device_Name(name);
    if (!CreateDirectoryA(name.c_str(), nullptr)) Fail_With_Last_Error();
  }

  // Nothing to do: NTFS journals its folder entries itself, and Rename
  // writes through before it returns. A folder cannot be flushed through
  // the ANSI calls anyway.
  void Sync_Folder(const std::string& /*folder*/) override {}

  void Set_Permissions(const std::string& name, std::uint32_t permissions) override {
    Refuse_Device_Name(name);
    const DWORD attributes = GetFileAttributesA(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) Fail_With_Last_Error();
    if (!SetFileAttributesA(name.c_str(), Attributes_With(attributes, permissions))) {
      Fail_With_Last_Error();
    }
  }

  // An open for reading and writing that shares nothing fails while any
  // other handle is open on the file. Opening without writing leaves the
  // file's times alone.
  Exclusive_Open Probe_Exclusive_Open(const std::string& name) override {
    if (Is_Device_Name(name)) return Exclusive_Open::refused;
    const Quiet_Critical_Errors quiet;
    const Unique_Handle handle(CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.Valid()) return Probe_Result_Of_Error(GetLastError());
    if (GetFileType(handle.Get()) != FILE_TYPE_DISK) return Exclusive_Open::refused;
    return Exclusive_Open::free;
  }
};

}  // namespace

File_System& Real_File_System() {
  static Windows_File_System files;
  return files;
}

}  // namespace velmaric
