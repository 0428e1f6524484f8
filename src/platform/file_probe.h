#pragma once
// The small file operations the copy and the settings file are built from:
// whether another program holds a file, the read-only attribute, and the
// last-write time in the MS-DOS packed form.
//
// "Exists" means throughout: the name resolves (following links) to
// something that is not a directory.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/file_system.h"

namespace velmaric {

// The open states of a file.
inline constexpr const char* open_state_none = "";
inline constexpr const char* open_state_closed = "CLOSED";
inline constexpr const char* open_state_not_found = "NOT FOUND";
inline constexpr const char* open_state_open = "OPEN";
inline constexpr const char* open_state_error = "ERROR";

// False also for a name the system will not let us look at.
bool File_Exists(const File_System& files, const std::string& name);

// Whether another program holds the file, without leaving a trace on it,
// whatever the length of its name:
//   ""          the name is empty, or no such file exists;
//   "CLOSED"    no one else holds it;
//   "NOT FOUND" it vanished, or its device or medium is not there;
//   "OPEN"      another process has it open, holds a lock on it, or runs it;
//   "ERROR"     any other refusal: no write permission for us, a read-only
//               file system, a name we may not look at... A file without
//               any write permission bit is read-only and gives "ERROR" even
//               to root, who could write it. Something that is not a regular
//               file (a device, a FIFO, a socket) gives "ERROR" unopened.
std::string Get_File_Open_State(File_System& files, const std::string& name);

// Read-only is the absence of every write permission bit; clearing it gives
// the owner write permission back. Hidden, system and archive mean nothing
// here and are accepted and ignored. Only a regular file is changed.
void Set_File_Attribute_Flags(File_System& files, const std::string& name, bool read_only,
                              bool archive, bool system, bool hidden);

// The last-write time as local time in the MS-DOS packed form: the date in
// the high 16 bits (year - 1980 << 9 | month << 5 | day), the time in the low
// 16 bits (hour << 11 | minute << 5 | second / 2). Years from 2044 on set
// the sign bit, as the packed form always has, so failure is told apart
// from the value: 0 for a missing file, nothing when the file is not a
// regular file, cannot be opened for reading, or its time has no packed form
// (a year outside 1980..2107).
std::optional<std::int32_t> Get_File_Date_Stamp(File_System& files, const std::string& name,
                                                Links links = Links::follow);

// Sets the last-write time (and only that) from a packed stamp. Does nothing
// for a missing or not regular file, an invalid stamp, a file that cannot be
// opened for writing, or, with closed_only, a file whose open state is not
// "CLOSED".
void Set_File_Date_Stamp(File_System& files, const std::string& name, std::int32_t stamp,
                         bool closed_only, Links links = Links::follow);

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

}  // namespace velmaric
