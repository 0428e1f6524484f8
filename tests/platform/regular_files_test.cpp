#include "platform/regular_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "support/error_of.h"
#include "support/file_fixtures.h"

namespace velmaric {
namespace {

using namespace velmaric::testing;

File_System& files = Real_File_System();

TEST(Read_Regular_File, GivesEveryByteOrNothingForAMissingFile) {
  Temp_Folder folder;
  std::string binary(100 * 1024, '\0');  // several read chunks, NULs and CRs included
  for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 7 % 251);
  Write_File(folder.Path("binary"), binary);
  EXPECT_EQ(Read_Regular_File(files, folder.Path("binary")), binary);
  for (const std::string& missing : {folder.Path("none"), folder.Path("binary/x")}) {
    EXPECT_EQ(Read_Regular_File(files, missing), std::nullopt) << missing;
  }
  EXPECT_THROW(Read_Regular_File(files, folder.Path(std::string(300, 'n'))), Command_Error);
  // A name beyond ASCII, in UTF-8, the program's encoding on both systems.
  Write_File(folder.Path("caf\xC3\xA9"), "utf-8");
  EXPECT_EQ(Read_Regular_File(files, folder.Path("caf\xC3\xA9")), "utf-8");
}

TEST(Read_Regular_File, RefusesAFileLargerThanTheLimit) {
  Temp_Folder folder;
  Write_File(folder.Path("big"), std::string(4096, 'x'));
  EXPECT_EQ(Read_Regular_File(files, folder.Path("big"), 4096)->size(), 4096u);
  EXPECT_EQ(Error_Of([&] { Read_Regular_File(files, folder.Path("big"), 4095); }),
            "File access denied");
}

TEST(Remove_Leftover_Temporaries, RemovesExactlyTheTemporariesOfTheNamedFile) {
  Temp_Folder folder;
  const std::set<std::string> leftovers = {".velmaric.ini.AbC123", ".velmaric.ini.000000",
                                           ".velmaric.ini.zzzzzz"};
  const std::set<std::string> kept_files = {"velmaric.ini",          ".velmaric.ini.abc12",
                                            ".velmaric.ini.abc1234", ".velmaric.ini.ab-123",
                                            "velmaric.ini.AbC123",   ".other.ini.AbC123",
                                            ".velmaric.inix.AbC123", "..velmaric.ini.AbC123"};
  for (const std::string& name : leftovers) Write_File(folder.Path(name), "x");
  for (const std::string& name : kept_files) Write_File(folder.Path(name), "x");
  ASSERT_TRUE(std::filesystem::create_directory(folder.Path(".velmaric.ini.Folder")));

  EXPECT_EQ(Remove_Leftover_Temporaries(files, folder.Path("velmaric.ini")), 3);
  std::set<std::string> kept = kept_files;
  kept.insert(".velmaric.ini.Folder");
  EXPECT_EQ(Folder_Entries(folder.Path("")), kept);
  EXPECT_EQ(Remove_Leftover_Temporaries(files, folder.Path("missing/velmaric.ini")), 0);
}

}  // namespace
}  // namespace velmaric
