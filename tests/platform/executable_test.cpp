// The program's own path survives the program file being replaced while it
// runs. A copy of this test binary runs the second test below, which removes
// its own file between two reads.

#include "platform/executable.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/file_fixtures.h"

namespace velmaric {
namespace {

TEST(Executable_Path, KeepsTheNameItStartedWithWhenTheFileGoes) {
  testing::Temp_Folder folder;
  const std::string copy = folder.Path("velmaric_copy");
  std::filesystem::copy_file(Executable_Path(), copy);
  std::filesystem::permissions(copy, std::filesystem::perms::owner_all);
  const std::string report = folder.Path("report");
  const std::string command =
      "VELMARIC_PATH_REPORT='" + report + "' '" + copy +
      "' --gtest_filter=Executable_Path.DISABLED_ReportsBeforeAndAfterItsFileGoes "
      "--gtest_also_run_disabled_tests >/dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(testing::Read_File(report), copy + "\n" + copy + "\n");
  EXPECT_FALSE(std::filesystem::exists(copy));
}

// Run only in the copy, by the test above.
TEST(Executable_Path, DISABLED_ReportsBeforeAndAfterItsFileGoes) {
  const char* report = std::getenv("VELMARIC_PATH_REPORT");
  ASSERT_NE(report, nullptr);
  const std::string before = Executable_Path();
  ASSERT_EQ(std::remove(before.c_str()), 0);
  std::ofstream(report) << before << "\n" << Executable_Path() << "\n";
}

}  // namespace
}  // namespace velmaric
