#include "platform/atomic_file.h"

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <set>

#include "core/command_error.h"
#include "platform/file_fixtures.h"

namespace velmaric {
namespace {

using namespace velmaric::testing;

std::string Error_Of_Replace(const std::string& name, const std::string& contents) {
  try {
    Replace_File_Contents(name, contents);
  } catch (const Command_Error& error) {
    return error.what();
  }
  return "(no error)";
}

std::set<std::string> Folder_Entries(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.insert(entry.path().filename());
  }
  return names;
}

mode_t Mode_Of(const std::string& name) {
  struct stat info {};
  EXPECT_EQ(stat(name.c_str(), &info), 0) << name;
  return info.st_mode & 07777;
}

TEST(Read_Whole_File, GivesEveryByteOrNothingForAMissingFile) {
  Temp_Folder folder;
  std::string binary(100 * 1024, '\0');  // several read chunks, NULs and CRs included
  for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 7 % 251);
  Write_File(folder.Path("binary"), binary);
  EXPECT_EQ(Read_Whole_File(folder.Path("binary")), binary);
  for (const std::string& missing :
       {folder.Path("none"), folder.Path("binary/x"), folder.Path("")}) {
    EXPECT_EQ(Read_Whole_File(missing), std::nullopt) << missing;
  }
  EXPECT_THROW(Read_Whole_File(folder.Path(std::string(300, 'n'))), Command_Error);
}

TEST(Replace_File_Contents, KeepsPermissionsAndLeavesNoTemporaryFile) {
  Temp_Folder folder;
  const std::string name = folder.Path("settings.ini");
  Write_File(name, "old contents, longer than the new ones");
  for (const mode_t mode : {0600, 0755, 0200}) {
    ASSERT_EQ(chmod(name.c_str(), mode), 0);
    Replace_File_Contents(name, "new");
    EXPECT_EQ(Read_File(name), "new");
    EXPECT_EQ(Mode_Of(name), mode);
  }
  const mode_t previous = umask(027);
  Replace_File_Contents(folder.Path("created"), "a");
  umask(previous);
  EXPECT_EQ(Mode_Of(folder.Path("created")), 0640u);
  EXPECT_EQ(Folder_Entries(folder.Path("")), (std::set<std::string>{"created", "settings.ini"}));
}

TEST(Replace_File_Contents, LinkStaysALinkToTheReplacedFile) {
  Temp_Folder folder;
  Write_File(folder.Path("real"), "old");
  ASSERT_EQ(symlink("real", folder.Path("link").c_str()), 0);
  Replace_File_Contents(folder.Path("link"), "new");
  EXPECT_TRUE(std::filesystem::is_symlink(folder.Path("link")));
  EXPECT_EQ(Read_File(folder.Path("real")), "new");
}

TEST(Replace_File_Contents, RefusalsLeaveEverythingAsItWas) {
  Temp_Folder folder;
  Write_File(folder.Path("read_only"), "kept");
  ASSERT_EQ(chmod(folder.Path("read_only").c_str(), 0444), 0);
  std::filesystem::create_directory(folder.Path("folder"));
  const std::pair<std::string, const char*> rows[] = {
      {folder.Path("read_only"), "File access denied"},  // even for root
      {folder.Path("read_only/child"), "File not found"},
      {folder.Path("missing/child"), "File not found"},
      {folder.Path("folder"), "I/O error 21"}};
  for (const auto& [name, text] : rows) EXPECT_EQ(Error_Of_Replace(name, "new"), text) << name;
  EXPECT_EQ(Read_File(folder.Path("read_only")), "kept");
  EXPECT_EQ(Mode_Of(folder.Path("read_only")), 0444u);
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path("folder")));
  EXPECT_EQ(Folder_Entries(folder.Path("")), (std::set<std::string>{"folder", "read_only"}));
}

// A write that fails half-way, here at a file size limit, must neither cut
// the old file short nor leave the partial new one behind.
TEST(Replace_File_Contents, FailedWriteKeepsTheOldFile) {
  Temp_Folder folder;
  const std::string name = folder.Path("settings.ini");
  Write_File(name, "old");
  int report[2];
  ASSERT_EQ(pipe(report), 0);
  const pid_t child = fork();
  if (child == 0) {  // the limit must not reach the test's own output
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    const std::string text = Error_Of_Replace(name, std::string(8192, 'n'));
    _exit(write(report[1], text.data(), text.size()) > 0 ? 0 : 1);
  }
  close(report[1]);
  char text[100] = {};
  EXPECT_GT(read(report[0], text, sizeof text - 1), 0);
  close(report[0]);
  waitpid(child, nullptr, 0);
  EXPECT_STREQ(text, "I/O error 27");  // EFBIG
  EXPECT_EQ(Read_File(name), "old");
  EXPECT_EQ(Folder_Entries(folder.Path("")), std::set<std::string>{"settings.ini"});
}

}  // namespace
}  // namespace velmaric
