#pragma once
// The small file operations the copy and the settings file are built from:
// whether another program holds a file, the read-only attribute, and the
// last-write time in the MS-DOS packed form.
//
// "Exists" means throughout: the name resolves (following links) to
// something that is not a directory.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace velmaric {

// The open states of a file.
inline constexpr const char* open_state_none = "";
inline constexpr const char* open_state_closed = "CLOSED";
inline constexpr const char* open_state_not_found = "NOT FOUND";
inline constexpr const char* open_state_open = "OPEN";
inline constexpr const char* open_state_error = "ERROR";

// Names this long or longer are never probed and count as "CLOSED".
inline constexpr std::size_t longest_probed_name = 127;

bool File_Exists(const std::string& name);

// Whether another program holds the file, without leaving a trace on it:
//   ""          the name is empty, or no such file exists;
//   "CLOSED"    no one else holds it (also, unprobed, for a name of 128
//               characters or more);
//   "NOT FOUND" it vanished, or its device or medium is not there;
//   "OPEN"      another process has it open, holds an advisory lock (flock,
//               POSIX or open-file-description lock) on it, or runs it;
//   "ERROR"     any other refusal: no write permission for us, a read-only
//               file system, ... A file without any write permission bit is
//               read-only and gives "ERROR" even to root, who could write it.
// Descriptors of our own process do not count: the program keeps no file
// open between operations.
std::string Get_File_Open_State(const std::string& name);

// Read-only is the absence of every write permission bit; clearing it gives
// the owner write permission back. Hidden, system and archive mean nothing
// here and are accepted and ignored. A missing file is left alone.
void Set_File_Attribute_Flags(const std::string& name, bool read_only, bool archive, bool system,
                              bool hidden);

// The last-write time as local time in the MS-DOS packed form: the date in
// the high 16 bits (year - 1980 << 9 | month << 5 | day), the time in the low
// 16 bits (hour << 11 | minute << 5 | second / 2). 0 for a missing file, the
// negated errno when the file cannot be opened for reading, -1 when its time
// cannot be read or packed (a year outside 1980..2107). Years from 2044 on
// set the sign bit, as the packed form always has.
std::int32_t Get_File_Date_Stamp(const std::string& name);

// Sets the last-write time (and only that) from a packed stamp. Does nothing
// for a missing file, an invalid stamp, a file that cannot be opened for
// reading and writing, or, with closed_only, a file whose open state is not
// "CLOSED".
void Set_File_Date_Stamp(const std::string& name, std::int32_t stamp, bool closed_only);

// The calendar fields of a packed stamp, or nothing when a field is out of
// its range (month 0, February 30, hour 24, ...).
struct Date_Stamp_Fields {
  int year = 1980;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;  // always even
};
std::optional<Date_Stamp_Fields> Unpack_Date_Stamp(std::int32_t stamp);

// An open file descriptor that closes itself.
class Unique_Fd {
 public:
  explicit Unique_Fd(int fd = -1) : fd_(fd) {}
  Unique_Fd(const Unique_Fd&) = delete;
  Unique_Fd& operator=(const Unique_Fd&) = delete;
  ~Unique_Fd();
  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  // Closes now and gives close's own result, for a writer that must know.
  int Close();

 private:
  int fd_;
};

}  // namespace velmaric
