#pragma once
// The copy the transfer commands move files with: it creates a missing
// target directory, refuses a target another program holds or that is
// read-only, copies the bytes and gives the copy the source's last-write
// time, at the two-second resolution of the packed stamp.

#include <cstdint>
#include <string>

#include "platform/file_system.h"
#include "platform/message_box.h"

namespace velmaric {

// Which end of a copy lies on a removable disk from elsewhere: a link there
// is never followed, and refused like a device.
enum class Medium_End { none, source, target };

// What became of a copy: the first two put the bytes in place, the others
// are the refusals the copy checks for itself.
enum class Copy_Result {
  copied,
  stamp_not_kept,  // copied, but the last-write time did not take (shown at once)
  source_missing,  // nothing touched
  folder_not_made,
  target_refused,  // held by another program or read-only: left as it was
  target_missing,  // gone at the end
};

inline bool Was_Copied(Copy_Result result) {
  return result == Copy_Result::copied || result == Copy_Result::stamp_not_kept;
}

// What the copy checks for itself ends it with a message in error_text,
// which is empty after a copy that succeeded:
//   - a missing source (nothing is touched);
//   - a target directory that cannot be created;
//   - with check_target, a target probed "OPEN" or "ERROR" (it stays as it
//     was); otherwise an existing target is made writable first;
//   - with copy_time_stamp, a source time stamp that cannot be read, or a
//     target stamp that differs after setting it; these two are also shown
//     at once in an information box;
//   - a target that is missing at the end.
// Both ends are files of the program's own (regular_files.h): a source or a
// target that is anything but a regular file (a device, a FIFO, a folder)
// throws "File access denied" before either is opened. The byte copy itself
// throws Command_Error: "Cannot open file <source>", "Cannot create file
// <target>" (also when target and source are one file, before anything is
// opened for writing), or the system's description of a read or write
// error. Both files are closed in every case. The target is replaced whole
// through a durable temporary file beside it (Replace_Regular_File), so that
// a failure or a power cut part-way leaves it exactly as it was; only a
// target in a folder where no new file can be made is rewritten in place.
// A target that turns out, at the moment it is written, to be the file
// keep_apart names is refused with "File access denied".
Copy_Result Copy_File_With_Date(File_System& files, const std::string& source,
                                const std::string& target, bool copy_time_stamp, bool check_target,
                                std::string& error_text, Message_Box& boxes,
                                Medium_End medium = Medium_End::none,
                                const std::string& keep_apart = {});

// A packed stamp as the user reads it: the short date, then a blank and the
// long time unless it is exactly midnight. "(unreadable)" for a stamp that
// holds no valid date and time.
std::string Date_Stamp_Text(std::int32_t stamp);

}  // namespace velmaric
