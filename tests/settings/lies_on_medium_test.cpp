#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/path_rules.h"
#include "settings/disk_transfer.h"
#include "support/file_fixtures.h"

namespace velmaric {
namespace {

using namespace velmaric::testing;

// Which files count as the disk's, whose links are never followed: every
// file under its root, in whatever folder and with either separator the
// system takes, and nothing beside it.
TEST(Lies_On_Medium, EveryFileUnderTheRootAndNothingBeside) {
  const Temp_Folder folder;
  for (const char* made : {"medium/sub/deeper", "mediumx", "work"}) {
    std::filesystem::create_directories(folder.Path(made));
  }
  const std::string sep(1, path_separator);
  struct Row {
    std::string name;
    bool on_medium;
  };
  const Row rows[] = {
      {folder.Path("medium/x.log"), true},
      {folder.Path("medium/sub/x.log"), true},
      {folder.Path("medium") + sep + "sub" + sep + "deeper" + sep + "x.log", true},
      {folder.Path("mediumx/x.log"), false},
      {folder.Path("work/x.log"), false},
      {folder.Path("absent/x.log"), false},
  };
  File_System& files = Real_File_System();
  for (const std::string& root : {folder.Path("medium"), folder.Path("medium") + sep}) {
    const Medium_Locator medium = [root] { return std::optional<std::string>(root); };
    for (const Row& row : rows) {
      EXPECT_EQ(Lies_On_Medium(files, row.name, medium), row.on_medium)
          << row.name << " under " << root;
    }
  }
  EXPECT_FALSE(Lies_On_Medium(files, folder.Path("medium/x.log"), [] { return std::nullopt; }));
}

}  // namespace
}  // namespace velmaric
