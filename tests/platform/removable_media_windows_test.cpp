// Drive A: is the removable disk. The driver script maps a folder of its own
// as drive A: of the Wine prefix and back; these cases check what the
// program sees in each state. They are run by that script only.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/removable_media.h"

namespace velmaric {
namespace {

TEST(Drive_A, DISABLED_Absent) {
  EXPECT_EQ(Removable_Medium_Root(), std::nullopt);
}

TEST(Drive_A, DISABLED_PresentAndShowsTheMappedFolder) {
  ASSERT_EQ(Removable_Medium_Root(), std::optional<std::string>("a:\\"));
  // The very folder the script mapped: the marker it left there is seen.
  std::ifstream marker("a:\\marker.txt", std::ios::binary);
  ASSERT_TRUE(marker.good());
  const std::string text{std::istreambuf_iterator<char>(marker), std::istreambuf_iterator<char>()};
  EXPECT_EQ(text, std::getenv("VELMARIC_DRIVE_A_MARKER"));
}

}  // namespace
}  // namespace velmaric
