#include "platform/editor.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <sstream>

#include "platform/paths.h"
#include "platform/system_error.h"

extern char** environ;

namespace velmaric {
namespace {

constexpr const char* opener = "xdg-open";

// The name from the root, so that it begins with "/". Links are left as
// they are: the editor should show the name the user gave.
std::string Full_Name(const File_System& files, const std::string& name) {
  if (Is_Full_Path(name)) return name;
  std::string folder = files.Current_Folder();
  if (folder.back() != '/') folder += '/';
  std::string relative = name;
  while (relative.compare(0, 2, "./") == 0) relative.erase(0, 2);
  return folder + relative;
}

std::string Description_Of(int error_number) {
  return File_System_Error(error_number).what();
}

}  // namespace

std::string Find_On_Path(const File_System& files, const std::string& program) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin");
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    if (folder.empty()) continue;
    const std::string candidate = folder + "/" + program;
    try {
      if (files.Status(candidate).type != File_Type::regular) continue;
    } catch (const File_Error&) {
      continue;  // a folder we may not look into holds nothing for us
    }
    if (files.Has_Access(candidate, Access::run)) return candidate;
  }
  return {};
}

bool Desktop_Editor::Available() const {
  return !Find_On_Path(files_, opener).empty();
}

bool Desktop_Editor::Start(const std::string& file, std::string& error_text) {
  error_text.clear();
  const std::string program = Find_On_Path(files_, opener);
  if (program.empty()) {
    error_text = Description_Of(ENOENT) + " (" + opener + ")";
    return false;
  }
  std::string argument;
  try {
    argument = Full_Name(files_, file);
  } catch (const File_Error& failure) {
    error_text = failure.what();
    return false;
  }
  // Everything the child needs is made before the fork: in the copy of a
  // threaded process another thread may hold the allocator's lock.
  const char* const arguments[] = {opener, argument.c_str(), nullptr};

  // Two generations: the middle one starts the editor and ends at once, so
  // the editor goes to init and outlives us freely, never our zombie. It
  // starts it with posix_spawn, which returns only once the editor runs or
  // could not be run, and hands that answer back as its exit status.
  const pid_t child = fork();
  if (child < 0) {
    error_text = Description_Of(errno) + " (" + program + ")";
    return false;
  }
  if (child == 0) {
    setsid();
    pid_t editor = 0;
    _exit(posix_spawn(&editor, program.c_str(), nullptr, nullptr,
                      const_cast<char* const*>(arguments), environ));
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) {
      error_text = Description_Of(errno) + " (" + program + ")";
      return false;
    }
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return true;
  // Killed before it could say: whether the editor runs is unknown.
  const int error_number = WIFEXITED(status) ? WEXITSTATUS(status) : ECHILD;
  error_text = Description_Of(error_number) + " (" + program + ")";
  return false;
}

}  // namespace velmaric
