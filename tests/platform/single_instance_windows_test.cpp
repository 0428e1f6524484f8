// One program per settings file: a named mutex, taken first come first
// served, within one process and across processes.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "platform/executable.h"
#include "platform/instance_lock.h"

namespace velmaric {
namespace {

const std::string settings = "C:\\Velmaric Test\\velmaric.ini";

// Runs this test program's helper below on a settings file in another
// process: 3 when it found the file taken, 0 when free.
DWORD Lock_In_Another_Process(const std::string& settings_file) {
  SetEnvironmentVariableA("VELMARIC_LOCK_FILE", settings_file.c_str());
  std::string command = "\"" + Executable_Path() +
                        "\" --gtest_also_run_disabled_tests "
                        "--gtest_filter=Instance_Lock.DISABLED_TakeAndReport";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &child)) {
    return 99;
  }
  WaitForSingleObject(child.hProcess, 60000);
  DWORD exit_code = 98;
  GetExitCodeProcess(child.hProcess, &exit_code);
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  return exit_code;
}

TEST(Instance_Lock, SecondLockOnOneFileFindsItHeldWhateverTheSpelling) {
  {
    const Instance_Lock first(settings);
    EXPECT_FALSE(first.Held_Elsewhere());
    EXPECT_EQ(first.Name().rfind("Local\\velmaric-", 0), 0U) << first.Name();
    EXPECT_EQ(first.Name().size(), std::string("Local\\velmaric-").size() + 16);
    for (const std::string& same : {settings, std::string("c:\\velmaric test\\VELMARIC.INI"),
                                    std::string("C:\\Velmaric Test\\sub\\..\\velmaric.ini"),
                                    std::string("C:/Velmaric Test/velmaric.ini")}) {
      SCOPED_TRACE(same);
      const Instance_Lock second(same);
      EXPECT_TRUE(second.Held_Elsewhere());
      EXPECT_EQ(second.Name(), first.Name());
    }
    const Instance_Lock other("C:\\Velmaric Test\\copy\\velmaric.ini");
    EXPECT_FALSE(other.Held_Elsewhere());
    EXPECT_NE(other.Name(), first.Name());
  }
  // All let go: the next start is the first again.
  EXPECT_FALSE(Instance_Lock(settings).Held_Elsewhere());
}

TEST(Instance_Lock, AnotherProcessFindsTheFileTakenUntilItIsLetGo) {
  {
    const Instance_Lock running(settings);
    ASSERT_FALSE(running.Held_Elsewhere());
    EXPECT_EQ(Lock_In_Another_Process(settings), 3U);
    EXPECT_EQ(Lock_In_Another_Process("C:\\Elsewhere\\velmaric.ini"), 0U);
  }
  EXPECT_EQ(Lock_In_Another_Process(settings), 0U);
}

TEST(Instance_Lock, DISABLED_TakeAndReport) {
  const char* file = std::getenv("VELMARIC_LOCK_FILE");
  ASSERT_NE(file, nullptr);
  const Instance_Lock lock(file);
  std::exit(lock.Held_Elsewhere() ? 3 : 0);
}

TEST(Instance_Lock, NoRunningWindowIsNothingToBringForward) {
  EXPECT_FALSE(Bring_Running_Window_Forward("Velmaric.NoSuchWindowClass"));
}

}  // namespace
}  // namespace velmaric
