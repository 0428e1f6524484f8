#pragma once
// A file-size limit fails a write part-way through, which root cannot
// override. The limit is set in a child process so that the test's own
// output stays free of it; the child reports through a pipe.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <string>

#include "support/error_of.h"

namespace velmaric::testing {

// The description the call fails with (Error_Of) when no file may grow
// beyond the given size.
inline std::string Error_Under_Size_Limit(rlim_t bytes, const std::function<void()>& call) {
  int report[2];
  EXPECT_EQ(pipe(report), 0);
  const pid_t child = fork();
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, bytes};
    setrlimit(RLIMIT_FSIZE, &limit);
    const std::string text = Error_Of(call);
    _exit(::write(report[1], text.data(), text.size()) > 0 ? 0 : 1);
  }
  close(report[1]);
  char text[100] = {};
  EXPECT_GT(read(report[0], text, sizeof text - 1), 0);
  close(report[0]);
  waitpid(child, nullptr, 0);
  return text;
}

}  // namespace velmaric::testing
