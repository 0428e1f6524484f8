#include "platform/editor.h"

#include <pthread.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <sstream>
#include <system_error>
#include <thread>

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

// Starts the program (a full name) with the arguments, and gives 0 once it
// runs, else the errno why it could not be run (ENOENT also for a script
// whose interpreter is missing). No shell sees the arguments.
// A session of its own: the editor is no part of our terminal's job, so
// neither closing that terminal nor a signal to our group ends it.
int Start_In_Own_Session(const std::string& program, char* const arguments[], pid_t& child) {
  posix_spawnattr_t attributes;
  int error_number = posix_spawnattr_init(&attributes);
  if (error_number != 0) return error_number;
  error_number = posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  if (error_number == 0) {
    error_number = posix_spawnp(&child, program.c_str(), nullptr, &attributes, arguments, environ);
  }
  posix_spawnattr_destroy(&attributes);
  return error_number;
}

// The editor stays our child until it ends, and then a zombie until someone
// collects its exit status. A thread of its own waits for that one process:
// the caller never waits, and no signal disposition changes (ignoring
// SIGCHLD, or a handler that reaps any child, would also take the children
// Qt and other code wait for). The thread takes no signals, which stay with
// the threads that expect them.
void Reap_When_Done(pid_t child) {
  sigset_t all;
  sigset_t before;
  sigfillset(&all);
  pthread_sigmask(SIG_SETMASK, &all, &before);
  try {
    std::thread([child] {
      while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
      }
    }).detach();
  } catch (...) {
    // No thread to be had: the editor runs all the same, and its zombie
    // lasts only until we end. The signal mask goes back whatever happened.
  }
  pthread_sigmask(SIG_SETMASK, &before, nullptr);
}

}  // namespace

std::string Find_On_Path(const File_System& files, const std::string& program) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin");
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    // An empty entry means the current folder to the shell: never run a
    // program that happens to lie where the user stands.
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
  // The very program the presence test found: posix_spawnp searches no
  // further for a name with a folder, so an empty PATH entry or a folder
  // that became writable since cannot slip another one in.
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
  const char* const arguments[] = {opener, argument.c_str(), nullptr};
  pid_t editor = 0;
  const int error_number =
      Start_In_Own_Session(program, const_cast<char* const*>(arguments), editor);
  if (error_number != 0) {
    error_text = Description_Of(error_number) + " (" + program + ")";
    return false;
  }
  Reap_When_Done(editor);
  return true;
}

}  // namespace velmaric
