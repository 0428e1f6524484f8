// The copy on what only Linux has: modes, hard and symbolic links,
// devices and FIFOs.

#include <sys/stat.h>
#include <unistd.h>

#include "settings/file_copy_fixture.h"
#include "support/hostile_folder.h"

namespace velmaric {
namespace {

mode_t Write_Mode(const std::string& name) {
  struct stat info {};
  return stat(name.c_str(), &info) == 0 ? info.st_mode : 0;
}

TEST_F(File_Copy, OverwritesAFreeTargetAndMakesItWritable) {
  Write_File(folder.Path("source"), "new");
  const std::string target = folder.Path(".hidden");
  Write_File(target, "old content");
  ASSERT_EQ(chmod(target.c_str(), 0640), 0);
  Set_File_Attribute_Flags(files, target, false, false, true, true);
  EXPECT_EQ(Copy(folder.Path("source"), target), "");
  EXPECT_EQ(Read_File(target), "new");
  EXPECT_EQ(Write_Mode(target) & 07777, 0640u);
}

TEST_F(File_Copy, OntoItselfThrowsAndKeepsTheSource) {
  const std::string source = folder.Path("source");
  Write_File(source, "precious");
  ASSERT_EQ(link(source.c_str(), folder.Path("hard").c_str()), 0);
  ASSERT_EQ(symlink(source.c_str(), folder.Path("soft").c_str()), 0);
  for (const std::string& target :
       {source, folder.Path("./source"), folder.Path("hard"), folder.Path("soft")}) {
    EXPECT_EQ(Error_Of([&] { Copy(source, target); }), "Cannot create file " + target);
    EXPECT_EQ(Read_File(source), "precious");
  }
}

// Neither a device, a FIFO, a socket nor a folder is read or written, at
// either end, named directly or through a link; the probe does not open it.
TEST_F(File_Copy, AnythingButARegularFileAtEitherEndIsRefusedAndLeftAlone) {
  Write_File(folder.Path("source"), "x");
  Make_Hostile_Nodes(folder);
  for (const char* node : hostile_node_names) {
    const std::string name = folder.Path(node);
    if (std::string(node) != "dir" && std::string(node) != "link_to_dir") {
      EXPECT_EQ(Error_Of([&] { Copy(name, folder.Path("t")); }), "File access denied");
    }
    for (const bool check : {true, false}) {
      EXPECT_EQ(Error_Of([&] { Copy(folder.Path("source"), name, check); }), "File access denied");
    }
  }
  EXPECT_FALSE(File_Exists(files, folder.Path("t")));
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path("dir")));
  EXPECT_EQ(Read_File(folder.Path("source")), "x");
}

}  // namespace
}  // namespace velmaric
