#pragma once
// Things a name can lead to that are not regular files, made in a test's own
// folder (never a real device of the machine):
//   null, zero    character devices (private copies of /dev/null and
//                 /dev/zero; without the right to make nodes, FIFOs)
//   fifo          a named pipe with no one at the other end
//   socket        a socket file
//   dir           a folder
//   link_to_zero, link_to_fifo, link_to_dir   symbolic links to the above

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <string>

namespace velmaric::testing {

inline const char* const hostile_node_names[] = {
    "null", "zero", "fifo", "socket", "dir", "link_to_zero", "link_to_fifo", "link_to_dir"};

// A socket file exists but cannot be opened, like a device that is not there.
inline bool Make_Socket_File(const std::string& name) {
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  name.copy(address.sun_path, sizeof address.sun_path - 1);
  const bool made = bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return made;
}

// folder ends in '/'. False when something could not be made.
inline bool Make_Hostile_Nodes(const std::string& folder) {
  for (const auto& [name, minor] : {std::pair{"null", 3u}, std::pair{"zero", 5u}}) {
    const std::string node = folder + name;
    if (mknod(node.c_str(), S_IFCHR | 0666, makedev(1, minor)) != 0 &&
        mkfifo(node.c_str(), 0666) != 0) {
      return false;
    }
  }
  if (mkfifo((folder + "fifo").c_str(), 0666) != 0 || !Make_Socket_File(folder + "socket") ||
      mkdir((folder + "dir").c_str(), 0755) != 0) {
    return false;
  }
  for (const char* target : {"zero", "fifo", "dir"}) {
    if (symlink(target, (folder + "link_to_" + target).c_str()) != 0) return false;
  }
  return true;
}

}  // namespace velmaric::testing
