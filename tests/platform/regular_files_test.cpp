#include "platform/regular_files.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace velmaric
