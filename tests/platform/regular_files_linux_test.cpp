#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "platform/regular_files.h"
#include "support/error_of.h"
#include "support/file_fixtures.h"
#include "support/file_size_limit.h"
#include "support/hostile_folder.h"

namespace velmaric {
namespace {

using namespace velmaric::testing;

File_System& files = Real_File_System();

std::string Error_Of_Replace(const std::string& name, const std::string& contents) {
  return Error_Of([&] { Replace_Regular_File(files, name, contents); });
}

struct stat Link_Status_Of(const std::string& name) {
  struct stat info {};
  EXPECT_EQ(lstat(name.c_str(), &info), 0) << name;
  return info;
}

mode_t Mode_Of(const std::string& name) {
  struct stat info {};
  EXPECT_EQ(stat(name.c_str(), &info), 0) << name;
  return info.st_mode & 07777;
}

// A sparse file claims a size without taking a byte of the disk.
// Linux keeps a name's bytes as they are: one that is not UTF-8 is a name
// like any other (Windows keeps names in UTF-16, where such bytes cannot be).
TEST(Read_Regular_File, TakesANameInBytesThatAreNotUtf8) {
  Temp_Folder folder;
  Write_File(folder.Path("caf\xE9"), "latin-1");
  EXPECT_EQ(Read_Regular_File(files, folder.Path("caf\xE9")), "latin-1");
}

TEST(Read_Regular_File, RefusesASparseFileLargerThanTheLimit) {
  Temp_Folder folder;
  Write_File(folder.Path("big"), std::string(4096, 'x'));
  ASSERT_EQ(truncate(folder.Path("big").c_str(), 1LL << 40), 0);
  EXPECT_EQ(Error_Of([&] { Read_Regular_File(files, folder.Path("big")); }), "File access denied");
}

// Devices, FIFOs, sockets and folders, named directly or through a link, are
// refused by every operation before anything is opened: a FIFO would block,
// /dev/zero never ends, and a written device loses its data.
TEST(Regular_Files, AnythingButARegularFileIsRefusedAndLeftAlone) {
  Temp_Folder folder;
  Make_Hostile_Nodes(folder);
  const std::set<std::string> entries = Folder_Entries(folder.Path(""));
  const std::pair<const char*, std::function<void(const std::string&)>> operations[] = {
      {"read", [](const std::string& name) { Read_Regular_File(files, name); }},
      {"replace", [](const std::string& name) { Replace_Regular_File(files, name, "new"); }},
      {"append", [](const std::string& name) { Append_To_Regular_File(files, name, "new"); }},
      {"erase", [](const std::string& name) { Erase_Regular_File(files, name); }},
      {"overwrite",
       [](const std::string& name) {
         Overwrite_Regular_File(files, name, [](Writable_File& file) { file.Append("new"); });
       }},
  };
  for (const char* node : hostile_node_names) {
    const std::string name = folder.Path(node);
    const struct stat before = Link_Status_Of(name);
    for (const auto& [operation, run] : operations) {
      EXPECT_EQ(Error_Of([&] { run(name); }), "File access denied") << operation << " " << node;
    }
    const struct stat after = Link_Status_Of(name);
    EXPECT_EQ(after.st_mode, before.st_mode) << node;
    EXPECT_EQ(after.st_ino, before.st_ino) << node;
    EXPECT_EQ(after.st_rdev, before.st_rdev) << node;
  }
  EXPECT_EQ(Folder_Entries(folder.Path("")), entries);
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path("dir")));
}

// /proc and /sys hold "regular" files that are the kernel's controls: never
// a log or a settings file, but read for what the system says of itself.
TEST(Regular_Files, FilesOfTheKernelAreReadOnlyAsSystemInformation) {
  const std::string comm = "/proc/self/comm";
  const std::string name_before = Read_File(comm);
  EXPECT_EQ(Error_Of([&] { Append_To_Regular_File(files, comm, "renamed"); }),
            "File access denied");
  EXPECT_EQ(Error_Of([&] { Erase_Regular_File(files, comm); }), "File access denied");
  EXPECT_EQ(Error_Of([&] { Read_Regular_File(files, comm); }), "File access denied");
  EXPECT_EQ(Read_File(comm), name_before);
  EXPECT_EQ(Read_System_File(files, comm), name_before);
  EXPECT_NE(Read_System_File(files, "/proc/self/status")->find("VmRSS:"), std::string::npos);
  EXPECT_THROW(Read_System_File(files, "/proc/self/status", 10), Command_Error);
}

TEST(Replace_Regular_File, KeepsOwnerGroupAndPermissionsAndLeavesNoTemporaryFile) {
  Temp_Folder folder;
  const std::string name = folder.Path("settings.ini");
  Write_File(name, "old contents, longer than the new ones");
  for (const mode_t mode : {0600, 0755, 0200}) {
    ASSERT_EQ(chmod(name.c_str(), mode), 0);
    Replace_Regular_File(files, name, "new");
    EXPECT_EQ(Read_File(name), "new");
    EXPECT_EQ(Mode_Of(name), mode);
  }
  if (geteuid() == 0) {  // only root may give a file to someone else
    ASSERT_EQ(chown(name.c_str(), 1234, 5678), 0);
    Replace_Regular_File(files, name, "given");
    EXPECT_EQ(Link_Status_Of(name).st_uid, 1234u);
    EXPECT_EQ(Link_Status_Of(name).st_gid, 5678u);
  }
  const mode_t previous = umask(027);
  Replace_Regular_File(files, folder.Path("created"), "a");
  umask(previous);
  EXPECT_EQ(Mode_Of(folder.Path("created")), 0640u);
  EXPECT_EQ(Folder_Entries(folder.Path("")), (std::set<std::string>{"created", "settings.ini"}));
}

TEST(Replace_Regular_File, LinkStaysALinkToTheReplacedFile) {
  Temp_Folder folder;
  ASSERT_EQ(mkdir(folder.Path("elsewhere").c_str(), 0755), 0);
  Write_File(folder.Path("elsewhere/real"), "old");
  ASSERT_EQ(symlink("elsewhere/real", folder.Path("link").c_str()), 0);
  ASSERT_EQ(symlink("link", folder.Path("link_to_link").c_str()), 0);
  ASSERT_EQ(symlink("elsewhere/new", folder.Path("dangling").c_str()), 0);
  Replace_Regular_File(files, folder.Path("link_to_link"), "new");
  Replace_Regular_File(files, folder.Path("dangling"), "made");
  EXPECT_EQ(Read_File(folder.Path("elsewhere/real")), "new");
  EXPECT_EQ(Read_File(folder.Path("elsewhere/new")), "made");
  for (const char* link : {"link", "link_to_link", "dangling"}) {
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Path(link))) << link;
  }
  // The temporary file lies beside the real file, where the rename works.
  EXPECT_EQ(Folder_Entries(folder.Path("elsewhere")), (std::set<std::string>{"new", "real"}));
  ASSERT_EQ(symlink("loop_b", folder.Path("loop_a").c_str()), 0);
  ASSERT_EQ(symlink("loop_a", folder.Path("loop_b").c_str()), 0);
  EXPECT_EQ(Error_Of_Replace(folder.Path("loop_a"), "x"), "File access denied");
}

TEST(Replace_Regular_File, RefusalsLeaveEverythingAsItWas) {
  Temp_Folder folder;
  Write_File(folder.Path("read_only"), "kept");
  ASSERT_EQ(chmod(folder.Path("read_only").c_str(), 0444), 0);
  const std::pair<std::string, const char*> rows[] = {
      {folder.Path("read_only"), "File access denied"},  // even for root
      {folder.Path("read_only/child"), "File not found"},
      {folder.Path("missing/child"), "File not found"}};
  for (const auto& [name, text] : rows) EXPECT_EQ(Error_Of_Replace(name, "new"), text) << name;
  EXPECT_EQ(Read_File(folder.Path("read_only")), "kept");
  EXPECT_EQ(Mode_Of(folder.Path("read_only")), 0444u);
  EXPECT_EQ(Folder_Entries(folder.Path("")), (std::set<std::string>{"read_only"}));
}

// A write that fails half-way, here at a file size limit, must neither cut
// the old file short nor leave the partial new one behind.
TEST(Replace_Regular_File, FailedWriteKeepsTheOldFile) {
  Temp_Folder folder;
  const std::string name = folder.Path("settings.ini");
  Write_File(name, "old");
  EXPECT_EQ(Error_Under_Size_Limit(
                4096, [&] { Replace_Regular_File(files, name, std::string(8192, 'n')); }),
            "I/O error 27");  // EFBIG
  EXPECT_EQ(Read_File(name), "old");
  EXPECT_EQ(Folder_Entries(folder.Path("")), std::set<std::string>{"settings.ini"});
}

// A folder its user may write in but not read (-wx) cannot be opened to be
// synced: the replace and the append are done, and say so.
TEST(Regular_Files, AFolderThatCannotBeReadStillTakesItsFiles) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  Temp_Folder folder;
  const std::string blind = folder.Path("blind");
  ASSERT_EQ(mkdir(blind.c_str(), 0333), 0);
  ASSERT_EQ(chown(blind.c_str(), 65534, 65534), 0);
  ASSERT_EQ(chmod(folder.Path("").c_str(), 0755), 0);
  const pid_t child = fork();
  if (child == 0) {  // as nobody, who owns the folder
    const bool dropped = setresgid(65534, 65534, 65534) == 0 && setresuid(65534, 65534, 65534) == 0;
    const std::string errors = !dropped ? "could not drop root" : Error_Of([&] {
      Replace_Regular_File(files, blind + "/settings.ini", "new");
      Append_To_Regular_File(files, blind + "/run.log", "line");
    });
    _exit(errors == "(no error)" ? 0 : 1);
  }
  int status = -1;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(Read_File(blind + "/settings.ini"), "new");
  EXPECT_EQ(Read_File(blind + "/run.log"), "line");
}

// Names only Linux holds: a link with a temporary's name is no temporary,
// nor is a name with an empty tail (Windows drops a name's last dot).
TEST(Remove_Leftover_Temporaries, LeavesALinkAndANameWithoutATail) {
  Temp_Folder folder;
  Write_File(folder.Path("velmaric.ini"), "x");
  Write_File(folder.Path(".velmaric.ini.AbC123"), "x");
  Write_File(folder.Path(".velmaric.ini."), "x");
  ASSERT_EQ(symlink("velmaric.ini", folder.Path(".velmaric.ini.Linked").c_str()), 0);

  EXPECT_EQ(Remove_Leftover_Temporaries(files, folder.Path("velmaric.ini")), 1);
  EXPECT_EQ(Folder_Entries(folder.Path("")),
            (std::set<std::string>{"velmaric.ini", ".velmaric.ini.", ".velmaric.ini.Linked"}));
}

}  // namespace
}  // namespace velmaric
