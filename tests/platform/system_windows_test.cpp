// What the system tells about itself: memory, clocks, the boot, where the
// program lives and where the user keeps configuration, the code page.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "core/date_time.h"
#include "platform/boot_identity_windows.h"
#include "platform/executable.h"
#include "platform/memory_status.h"
#include "platform/windows_clock.h"

namespace velmaric {
namespace {

TEST(Windows_Memory_Status, LoadIsAShareOfTheMemoryThereIs) {
  const Memory_Status status = Read_Memory_Status();
  EXPECT_LE(status.memory_load, 100U);
  EXPECT_GT(status.total_physical, 0U);
  EXPECT_LE(status.available_physical, status.total_physical);
  EXPECT_LE(status.available_page_file, status.total_page_file);
  const std::string text = Free_Resources_Text(status);
  EXPECT_EQ(text.back(), '%');
  EXPECT_LE(std::stoi(text), 100);
}

TEST(Windows_Clock, MonotonicReadingAdvancesAcrossASleepWithTheWallClock) {
  const Windows_Clock clock;
  const Clock_Reading before = clock.Now();
  Sleep(200);
  const Clock_Reading after = clock.Now();
  const std::int64_t slept_us = after.monotonic_us - before.monotonic_us;
  EXPECT_GE(slept_us, 150000);
  EXPECT_LT(slept_us, 60000000);
  EXPECT_GT(before.monotonic_us, 0);
  const double wall_ms = (after.wall - before.wall) * 86400000.0;
  EXPECT_GE(wall_ms, 150.0);
  EXPECT_LT(wall_ms, 60000.0);
}

TEST(Windows_Clock, WallClockIsTheLocalTimeOfNow) {
  const Windows_Clock clock;
  const Date_Time from_posix = Local_Date_Time(static_cast<std::int64_t>(std::time(nullptr)), 0);
  SYSTEMTIME local{};
  GetLocalTime(&local);
  const Date_Time from_system = Encode_Date_Time(local.wYear, local.wMonth, local.wDay, local.wHour,
                                                 local.wMinute, local.wSecond, 0);
  const Date_Time now = clock.Now().wall;
  EXPECT_NEAR((now - from_system) * 86400.0, 0.0, 2.0);
  EXPECT_NEAR((now - from_posix) * 86400.0, 0.0, 2.0);
}

TEST(Windows_Boot_Identity, IsHexadecimalAndTheSameForEveryProgramOfTheBoot) {
  const std::string identity = Windows_Boot_Identity();
  ASSERT_FALSE(identity.empty());
  EXPECT_EQ(identity.find_first_not_of("0123456789abcdef-"), std::string::npos) << identity;
  Sleep(1100);  // a second later: still the same
  EXPECT_EQ(Windows_Boot_Identity(), identity);
  // Another program asks: the child below reports it.
  const std::string record = std::string(std::getenv("TEMP")) + "\\velmaric-boot-" +
                             std::to_string(GetCurrentProcessId()) + ".txt";
  std::string command = "\"" + Executable_Path() +
                        "\" --gtest_also_run_disabled_tests "
                        "--gtest_filter=Windows_Boot_Identity.DISABLED_Report";
  SetEnvironmentVariableA("VELMARIC_BOOT_RECORD", record.c_str());
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &child));
  WaitForSingleObject(child.hProcess, 60000);
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  char reported[128] = {};
  if (FILE* in = std::fopen(record.c_str(), "rb")) {
    std::fread(reported, 1, sizeof reported - 1, in);
    std::fclose(in);
  }
  std::remove(record.c_str());
  EXPECT_EQ(std::string(reported), identity);
}

TEST(Windows_Boot_Identity, DISABLED_Report) {
  FILE* out = std::fopen(std::getenv("VELMARIC_BOOT_RECORD"), "wb");
  ASSERT_NE(out, nullptr);
  std::fputs(Windows_Boot_Identity().c_str(), out);
  std::fclose(out);
}

TEST(Windows_Executable, PathNamesThisTestProgram) {
  const std::string path = Executable_Path();
  EXPECT_EQ(File_Name_Part(path), "system_windows_tests.exe");
  ASSERT_GE(path.size(), 3U);
  EXPECT_EQ(path.substr(1, 2), ":\\") << path;
  EXPECT_EQ(File_Name_Part("a:x.log"), "x.log");
  EXPECT_EQ(File_Name_Part("C:/dir/x.log"), "x.log");
  EXPECT_EQ(File_Name_Part("x.log"), "x.log");
}

TEST(Windows_Executable, ProgramConfigurationLivesInTheUsersApplicationData) {
  const char* app_data = std::getenv("APPDATA");
  ASSERT_NE(app_data, nullptr);
  EXPECT_EQ(User_Config_Folder(), app_data);
  EXPECT_EQ(Program_Config_Folder(), std::string(app_data) + "\\Velmaric\\");
}

// The manifest linked into every test program, as into the program, asks
// for UTF-8 as the code page of the narrow functions; without it Wine and
// Windows give the locale's legacy page (1252 here).
TEST(Windows_Code_Page, IsUtf8) {
  EXPECT_EQ(GetACP(), UINT{CP_UTF8});
}

}  // namespace
}  // namespace velmaric
