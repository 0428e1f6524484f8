// The start-up entry in Linux's autostart folder, on real files: links,
// modes and a process without root's rights.

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <utility>
#include <vector>

#include "core/command_error.h"
#include "platform/autostart_folder.h"
#include "platform/file_probe.h"
#include "settings/startup_entry_fixture.h"
#include "support/file_fixtures.h"
#include "support/recording_message_box.h"

namespace velmaric {
namespace {

// Root may write in any folder: a real refusal needs a process without its rights.
std::string Without_Root(const std::function<std::string()>& run) {
  if (geteuid() != 0) return run();
  int out[2];
  EXPECT_EQ(pipe(out), 0);
  const pid_t pid = fork();
  if (pid == 0) {
    const bool dropped = setresgid(65534, 65534, 65534) == 0 && setresuid(65534, 65534, 65534) == 0;
    const std::string result = dropped ? run() : "could not drop root";
    _exit(write(out[1], result.data(), result.size()) == static_cast<ssize_t>(result.size()) ? 0
                                                                                             : 1);
  }
  close(out[1]);
  std::string result;
  char buffer[4096];
  for (ssize_t got; (got = read(out[0], buffer, sizeof buffer)) > 0;) result.append(buffer, got);
  close(out[0]);
  waitpid(pid, nullptr, 0);
  return result;
}

class Startup_Entry : public ::testing::Test {
 protected:
  Startup_Entry() { EXPECT_EQ(mkdir(key.c_str(), 0755), 0); }
  Shown Boxes() const {
    Shown shown;
    for (const auto& box : boxes.shown) shown.emplace_back(box.kind, box.text);
    return shown;
  }
  Temp_Folder temp;
  const std::string key = temp.Path("autostart");
  const std::string entry = key + "/velmaric.desktop";
  Autostart_Folder registry{Real_File_System(), key};
  Recording_Message_Box boxes;
};

TEST_F(Startup_Entry, MenuCommandAddsAndRemovesTheEntry) {
  EXPECT_TRUE(Auto_Run_at_Windows_Startup_OptionClick(false, registry, exe, boxes));
  EXPECT_NE(Read_File(entry).find("\nExec=\"/opt/a b/velmaric\"\n"), std::string::npos);
  EXPECT_TRUE(Check_Startup_Entry(registry, exe, boxes));
  EXPECT_FALSE(Check_Startup_Entry(registry, "/opt/a b/velmaric2", boxes));  // renamed program
  EXPECT_FALSE(Auto_Run_at_Windows_Startup_OptionClick(true, registry, exe, boxes));
  EXPECT_FALSE(File_Exists(Real_File_System(), entry));
  EXPECT_FALSE(Check_Startup_Entry(registry, exe, boxes));
  // Already gone, for instance deleted by another tool: still a success.
  EXPECT_FALSE(Auto_Run_at_Windows_Startup_OptionClick(true, registry, exe, boxes));
  EXPECT_EQ(Boxes(),
            (Shown{{"Information", added}, {"Information", removed}, {"Information", removed}}));
}

TEST_F(Startup_Entry, FolderThatCannotBeMadeOrWrittenIsAMissingKeyAndKeepsTheCheckMark) {
  Write_File(temp.Path("file"), "");
  ASSERT_EQ(symlink(temp.Path("nowhere").c_str(), temp.Path("dangling").c_str()), 0);
  ASSERT_EQ(chmod(temp.Path("").c_str(), 0755), 0);
  ASSERT_EQ(chmod(key.c_str(), 0555), 0);
  const struct {
    std::string folder;
    bool without_root;  // root may write in any folder
  } rows[] = {
      {temp.Path("file/autostart"), false},    // a file where a folder must be
      {temp.Path("file/a/autostart"), false},  // ... further up
      {temp.Path("dangling"), false},          // a link to nothing
      {temp.Path("dangling/autostart"), false},
      {"config/autostart", false},  // not a full path: it depends on where we are
      {key, true},                  // there, but not ours to write in
      {key + "/", true},
      {key + "/new/autostart", true},  // missing, in a folder not ours to write in
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.folder);
    Autostart_Folder refused(Real_File_System(), row.folder);
    const std::string outcome = row.without_root
                                    ? Without_Root([&] { return Click_Both_Ways(refused); })
                                    : Click_Both_Ways(refused);
    EXPECT_EQ(outcome, "010|Error:" + Error_Text(key_missing, row.folder, true) +
                           "|Error:" + Error_Text(key_missing, row.folder, false));
  }
  EXPECT_FALSE(File_Exists(Real_File_System(), entry));
  EXPECT_FALSE(std::filesystem::exists(key + "/new"));
  EXPECT_FALSE(std::filesystem::exists(temp.Path("nowhere")));
  EXPECT_FALSE(std::filesystem::exists(temp.Path("config")));
}

TEST_F(Startup_Entry, MissingFolderIsMadeForTheUserAloneAtTheFirstWrite) {
  ASSERT_EQ(chmod(temp.Path("").c_str(), 0751), 0);
  const std::string config = temp.Path("config");
  Autostart_Folder fresh(Real_File_System(), config + "/autostart");
  // Looking and removing leave no trace.
  EXPECT_FALSE(Check_Startup_Entry(fresh, exe, boxes));
  EXPECT_FALSE(Auto_Run_at_Windows_Startup_OptionClick(true, fresh, exe, boxes));
  EXPECT_FALSE(std::filesystem::exists(config));
  const mode_t old_mask = umask(0);
  EXPECT_TRUE(Auto_Run_at_Windows_Startup_OptionClick(false, fresh, exe, boxes));
  umask(old_mask);
  EXPECT_TRUE(Check_Startup_Entry(fresh, exe, boxes));
  EXPECT_EQ(Boxes(), (Shown{{"Information", removed}, {"Information", added}}));
  for (const std::string& folder : {config, config + "/autostart"}) {
    struct stat info {};
    ASSERT_EQ(stat(folder.c_str(), &info), 0) << folder;
    EXPECT_EQ(info.st_mode & 07777, 0700U) << folder;
  }
  struct stat info {};
  ASSERT_EQ(stat(temp.Path("").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0751U);  // what was there stays as it was
  EXPECT_NE(
      Read_File(config + "/autostart/velmaric.desktop").find("\nExec=\"/opt/a b/velmaric\"\n"),
      std::string::npos);
}

TEST_F(Startup_Entry, MovedProgramIsOfferedAnUpdateAndCountsAsEntered) {
  for (const bool yes : {true, false}) {
    SCOPED_TRACE(yes);
    ASSERT_TRUE(Write_Registry_String(registry, "velmaric", "/old/place/velmaric", boxes));
    boxes.answer_yes = yes;
    EXPECT_TRUE(Check_Startup_Entry(registry, exe, boxes));
    EXPECT_EQ(Read_Registry_String(registry, "velmaric"), yes ? exe : "/old/place/velmaric");
    Shown expected = {{"Warning", Prompt("/old/place/velmaric")}};
    if (yes) expected.emplace_back("Information", added);
    EXPECT_EQ(Boxes(), expected);
    boxes.shown.clear();
  }
}

TEST_F(Startup_Entry, EntriesOfOtherToolsAreDecodedAndComparedWithLettersAToZFolded) {
  const struct {
    std::string exec_line, data;
    bool prompt;
  } rows[] = {
      {"Exec=/opt/a\\sb/velmaric", "/opt/a b/velmaric", false},
      {"Exec = \"/OPT/A B/VELMARIC\"\r", "/OPT/A B/VELMARIC", false},
      {"Exec=\"\\\"/opt/a b/velmaric\\\"\"", "\"/opt/a b/velmaric\"", true},
      {"Exec='/opt/a b/velmaric'", "'/opt/a b/velmaric'", true},
      {"Exec=\"/opt/a b/velmaric\" --hidden", "/opt/a b/velmaric --hidden", true},
      {"Exec=/opt/a b/velmaric ", "/opt/a b/velmaric ", true},
  };
  boxes.answer_yes = false;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.exec_line);
    Write_File(entry, "# by hand\n\n[Desktop Entry]\nName=Other\n" + row.exec_line +
                          "\nType=Application\n");
    EXPECT_EQ(Read_Registry_String(registry, "velmaric"), row.data);
    EXPECT_TRUE(Check_Startup_Entry(registry, exe, boxes));
    EXPECT_EQ(Shown_Text(boxes), row.prompt ? "|Warning:" + Prompt(row.data) : "");
    boxes.shown.clear();
  }
}

TEST_F(Startup_Entry, FileOfAnotherTypeFailsTheCheckAndCountsAsNoEntryAtStart) {
  for (const std::string contents :
       {"", "just text\n", "[Desktop Entry]\nType=Application\nName=X\n",
        "Exec=/opt/x\n[Desktop Entry]\nExec=/opt/x\n", "[Other]\nExec=/opt/x\n",
        "[Desktop Entry]\nName=X\n[Desktop Action new]\nExec=/opt/x\n"}) {
    SCOPED_TRACE(contents);
    Write_File(entry, contents);
    try {
      Check_Startup_Entry(registry, exe, boxes);
      ADD_FAILURE() << "no failure";
    } catch (const Command_Error& error) {
      EXPECT_STREQ(error.what(), "Invalid data type for 'velmaric'");
    }
    EXPECT_FALSE(Check_Startup_Entry_At_Program_Start(registry, exe, boxes));
    EXPECT_EQ(Boxes(), (Shown{{"Error", "Invalid data type for 'velmaric'"}}));
    boxes.shown.clear();
  }
  EXPECT_TRUE(Add_Startup_Entry(registry, exe, boxes));  // a new value replaces it
}

TEST_F(Startup_Entry, RefusedWriteEndsTheCommandButNotTheProgramStart) {
  Write_File(entry, "[Desktop Entry]\nExec=/old/velmaric\n");
  ASSERT_EQ(chmod(entry.c_str(), 0444), 0);
  try {
    Auto_Run_at_Windows_Startup_OptionClick(false, registry, exe, boxes);
    ADD_FAILURE() << "no failure";
  } catch (const Command_Error& error) {
    EXPECT_STREQ(error.what(), "Failed to set data for 'velmaric'");
  }
  EXPECT_TRUE(Check_Startup_Entry_At_Program_Start(registry, exe, boxes));  // answered Yes
  ASSERT_EQ(boxes.shown.size(), 2U);
  EXPECT_EQ(boxes.shown[1].text, "Failed to set data for 'velmaric'");
  EXPECT_EQ(Read_File(entry), "[Desktop Entry]\nExec=/old/velmaric\n");
}

TEST_F(Startup_Entry, WriteReplacesALinkedEntryAndLetsTheUsersSessionReadIt) {
  Write_File(temp.Path("menu.desktop"), "menu");
  ASSERT_EQ(symlink(temp.Path("menu.desktop").c_str(), entry.c_str()), 0);
  const mode_t old_mask = umask(0477);
  EXPECT_TRUE(Add_Startup_Entry(registry, exe, boxes));
  umask(old_mask);
  EXPECT_EQ(Read_File(temp.Path("menu.desktop")), "menu");
  struct stat info {};
  ASSERT_EQ(lstat(entry.c_str(), &info), 0);
  EXPECT_TRUE(S_ISREG(info.st_mode));
  // Readable by the user, and by no one the umask keeps out.
  EXPECT_EQ(info.st_mode & 0777, 0600U);
}

// Paths, and the Exec= and TryExec= lines that must carry them.
struct Entry_Row {
  std::string path, exec_line, try_exec_line;
};
const Entry_Row entry_rows[] = {
    {"/opt/plain/velmaric", "Exec=/opt/plain/velmaric", "TryExec=/opt/plain/velmaric"},
    {"/opt/a b/velmaric", "Exec=\"/opt/a b/velmaric\"", "TryExec=/opt/a b/velmaric"},
    {"/opt/50%/velmaric", "Exec=/opt/50%%/velmaric", "TryExec=/opt/50%/velmaric"},
    {"/opt/back\\slash/velmaric", "Exec=\"/opt/back\\\\\\\\slash/velmaric\"",
     "TryExec=/opt/back\\\\slash/velmaric"},
    {"/opt/$x`y`\"z\"/velmaric", "Exec=\"/opt/\\\\$x\\\\`y\\\\`\\\\\"z\\\\\"/velmaric\"",
     "TryExec=/opt/$x`y`\"z\"/velmaric"},
    {"/opt/tab\tnew\nline/velmaric", "Exec=\"/opt/tab\\tnew\\nline/velmaric\"",
     "TryExec=/opt/tab\\tnew\\nline/velmaric"},
    {"/opt/cr\r/velmaric", "Exec=\"/opt/cr\\r/velmaric\"", "TryExec=/opt/cr\\r/velmaric"},
    {"/opt/~(1);&|<>*?#'/velmaric", "Exec=\"/opt/~(1);&|<>*?#'/velmaric\"",
     "TryExec=/opt/~(1);&|<>*?#'/velmaric"},
    {"/opt/\xC3\xA4 50% b/velmaric", "Exec=\"/opt/\xC3\xA4 50%% b/velmaric\"",
     "TryExec=/opt/\xC3\xA4 50% b/velmaric"},
    // A blank at the end of a value would be taken for padding.
    {"/opt/a/velmaric ", "Exec=\"/opt/a/velmaric \"", "TryExec=/opt/a/velmaric\\s"},
};

TEST_F(Startup_Entry, PathsRoundTripThroughTheExecLineAndNameTheProgramToTry) {
  for (const auto& row : entry_rows) {
    SCOPED_TRACE(row.path);
    EXPECT_TRUE(Write_Registry_String(registry, "velmaric", row.path, boxes));
    const std::string contents = Read_File(entry);
    EXPECT_NE(contents.find("\n" + row.exec_line + "\n"), std::string::npos) << contents;
    EXPECT_NE(contents.find("\n" + row.try_exec_line + "\n"), std::string::npos) << contents;
    EXPECT_EQ(Read_Registry_String(registry, "velmaric"), row.path);
  }
  EXPECT_EQ(Boxes(), Shown{});
}

TEST_F(Startup_Entry, WrittenEntriesPassDesktopFileValidate) {
  if (std::system("command -v desktop-file-validate >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "desktop-file-validate is not installed";
  }
  for (const auto& row : entry_rows) {
    SCOPED_TRACE(row.path);
    ASSERT_TRUE(Write_Registry_String(registry, "velmaric", row.path, boxes));
    FILE* validate = popen(("desktop-file-validate " + entry + " 2>&1").c_str(), "r");
    ASSERT_NE(validate, nullptr);
    std::string output;
    char buffer[512];
    for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, validate)) > 0;)
      output.append(buffer, got);
    EXPECT_EQ(pclose(validate), 0) << output;
    EXPECT_EQ(output, "");
  }
}

}  // namespace
}  // namespace velmaric
