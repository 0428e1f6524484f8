#pragma once
// Where the removable disk is: the transfer commands carry a timing on the
// first mounted removable medium (USB stick, SD card, floppy, ...), the way
// other systems use the first floppy drive.

#include <optional>
#include <string>

#include "platform/file_system.h"

namespace velmaric {

// The mount point of the first mount, in table order, whose source is a
// block device that sysfs marks removable; nothing when there is none.
//
// mount_table_text is in /proc/self/mountinfo or /proc/mounts form (each
// line is recognised on its own); octal escapes such as "\040" for a blank
// are decoded. A mountinfo line that mounts only a subdirectory of its file
// system (a bind mount) is passed over: its mount point is no medium's root.
//
// A source counts as a block device when it lies under /dev; links such as
// /dev/disk/by-label/STICK are followed, with device_root standing in for
// /dev. The device's removable flag is read from
// <sysfs_block_root>/<name>/removable; a partition has no flag of its own
// and takes its disk's, the folder above it in sysfs (sdb1 -> sdb).
std::optional<std::string> First_Removable_Medium(File_System& files,
                                                  const std::string& mount_table_text,
                                                  const std::string& sysfs_block_root,
                                                  const std::string& device_root = "/dev");

// The removable disk of this system, nothing when there is none: callers
// then treat the medium as absent and never create a folder in its place.
// On Linux First_Removable_Medium over /proc/self/mountinfo (or /proc/mounts
// when that cannot be read), /sys/class/block and /dev. On Windows drive A:,
// "a:\", whenever the system has a drive of that letter, whatever its type:
// a floppy, a stick given that letter, or a folder mapped to it.
std::optional<std::string> Removable_Medium_Root();

}  // namespace velmaric
