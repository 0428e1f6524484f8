#include "platform/editor.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>

namespace velmaric {
namespace {

constexpr const char* opener = "xdg-open";

}  // namespace

std::string Find_On_Path(const File_System& files, const std::string& program) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin");
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    if (folder.empty()) continue;
    const std::string candidate = folder + "/" + program;
    if (files.Has_Access(candidate, Access::run)) return candidate;
  }
  return {};
}

bool Desktop_Editor::Available() const {
  return !Find_On_Path(files_, opener).empty();
}

void Desktop_Editor::Start(const std::string& file) {
  const std::string program = Find_On_Path(files_, opener);
  if (program.empty()) return;
  // Forking twice hands the editor to init, so it never lingers as our
  // zombie and outlives us freely.
  const pid_t child = fork();
  if (child < 0) return;
  if (child == 0) {
    setsid();
    if (fork() == 0) {
      const char* const arguments[] = {opener, file.c_str(), nullptr};
      execv(program.c_str(), const_cast<char* const*>(arguments));
    }
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
}

}  // namespace velmaric
