#pragma once
// The rules by which the program reads and writes the files it keeps: the
// settings file, the log, and the copies the transfer commands make. Every
// such read and write goes through here, over File_System.
//
//   - Only a regular file, or no file at all, is read or written. Anything
//     else a name may lead to (a device, a FIFO, a socket, a folder, a file
//     of the kernel's own under /proc or /sys) is refused with "File access
//     denied" before it is opened, and nothing is read from it or written to
//     it.
//   - A symbolic link is followed to the file it names, and a file is
//     replaced in that file's own folder: the link stays a link. Where the
//     caller says Links::refuse (the files of a removable disk), a link is
//     refused like a device and never followed.
//   - A file without any write permission is read-only and refused, even
//     for root, who could write it: read-only is the user's word that it
//     stays as it is.
//   - A replaced file keeps its permissions, and its owner and group as far
//     as the system lets this user give them.
//   - Names are bytes, handed on unchanged.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace velmaric {

// A settings file is a few hundred bytes: a name that leads to anything
// much larger is not one, and must not fill the memory.
inline constexpr std::uint64_t own_file_size_limit = 1 << 20;

// What the name leads to when that is a regular file or nothing; anything
// else throws Access_Denied_Error.
File_Status Regular_Or_Absent(const File_System& files, const std::string& name,
                              Links links = Links::follow);

// The file's bytes; nothing when there is no file. A file larger than limit
// is refused like a device.
std::optional<std::string> Read_Regular_File(File_System& files, const std::string& name,
                                             std::uint64_t limit = own_file_size_limit);

// An existing regular file opened for reading; null when there is none.
std::unique_ptr<Readable_File> Open_Regular_File(File_System& files, const std::string& name,
                                                 Links links = Links::follow);

// A file the system keeps about itself (/proc/meminfo, a sysfs attribute):
// read like Read_Regular_File, except that it may be a file of the kernel.
std::optional<std::string> Read_System_File(File_System& files, const std::string& name,
                                            std::uint64_t limit = own_file_size_limit);

// The name with every link at its end followed: the file that is written in
// its place. A name that is no link is its own target; a dangling link
// gives the name the file will get.
std::string Link_Final_Target(const File_System& files, const std::string& name);

// Whether a new file can be made in the folder of the file the name leads to.
bool Folder_Takes_New_Files(const File_System& files, const std::string& name);

// Whether two names lead to one file: the same final name, or, for files
// that exist, the same file by identity (hard links, bind mounts).
bool Is_Same_File(const File_System& files, const std::string& a, const std::string& b);

// How a file the program writes is reached: whether a link at the end of
// its name is followed, and a file it must never be (the settings file, for
// the log). A write onto the file keep_apart names is refused, checked as
// late as it can be: on the open file for appends, on the final name for a
// replace.
struct File_Reach {
  Links links = Links::follow;
  std::string keep_apart;
};

// Puts the whole contents in place such that a crash or a power cut at any
// moment leaves either the complete old file or the complete new one: the
// contents go to a new temporary file beside the target
// (".<file name>.XXXXXX"), are made durable and renamed over the target, and
// the rename is made durable. A new file gets New_File_Permissions. On a
// failure the target is left as it was and the temporary file is removed.
using Content_Writer = std::function<void(Writable_File&)>;
void Replace_Regular_File(File_System& files, const std::string& name, const Content_Writer& write,
                          const File_Reach& reach = {});
void Replace_Regular_File(File_System& files, const std::string& name, std::string_view contents);

// Rewrites an existing file in place and makes it durable: for a target in a
// folder where no new file can be made. A failure part-way can leave it cut.
void Overwrite_Regular_File(File_System& files, const std::string& name,
                            const Content_Writer& write, const File_Reach& reach = {});

// Appends data at the end of the file, creating it when missing, and makes
// it durable (a new file's folder too). Data that cannot be written whole is
// taken back out, so a failure leaves the file as it was.
void Append_To_Regular_File(File_System& files, const std::string& name, std::string_view data,
                            const File_Reach& reach = {});

// Creates the file empty (durably), or cuts an existing one to nothing.
void Erase_Regular_File(File_System& files, const std::string& name, const File_Reach& reach = {});

// Removes the temporary files of Replace_Regular_File that an interrupted
// replace of name left in its folder: regular files named exactly
// ".<file name>." and six letters or digits, whose contents is_leftover
// takes for what the replace was writing (without it, any contents). Nothing
// else is touched, and a file that cannot be removed is left. Gives how many
// went.
using Contents_Test = std::function<bool(const std::string& contents)>;
int Remove_Leftover_Temporaries(File_System& files, const std::string& name,
                                const Contents_Test& is_leftover = nullptr);

}  // namespace velmaric
