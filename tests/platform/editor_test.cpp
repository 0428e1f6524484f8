// The editor is started through xdg-open with the file name as one argument.
// A stand-in xdg-open on PATH records the arguments it was given.

#include "platform/editor.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "platform/file_probe.h"
#include "support/file_fixtures.h"

namespace velmaric {
namespace {

class Editor_Test : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* path = std::getenv("PATH");
    saved_path_ = path != nullptr ? path : "";
    char* folder = getcwd(nullptr, 0);
    ASSERT_NE(folder, nullptr);
    saved_folder_ = folder;
    std::free(folder);
    record_ = folder_.Path("arguments");
    bin_ = folder_.Path("bin");
    mkdir(bin_.c_str(), 0755);
    Make_Opener(bin_, "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > \"" + record_ +
                          ".tmp\" && /bin/mv \"" + record_ + ".tmp\" \"" + record_ + "\"\n");
  }
  void TearDown() override {
    setenv("PATH", saved_path_.c_str(), 1);
    ASSERT_EQ(chdir(saved_folder_.c_str()), 0);
  }

  static void Make_Opener(const std::string& folder, const std::string& content,
                          mode_t mode = 0755) {
    const std::string opener = folder + "/xdg-open";
    testing::Write_File(opener, content);
    chmod(opener.c_str(), mode);
  }

  std::string Wait_For_Record() const {
    for (int i = 0; i < 500 && !File_Exists(Real_File_System(), record_); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return File_Exists(Real_File_System(), record_) ? testing::Read_File(record_)
                                                    : "<never started>";
  }

  testing::Temp_Folder folder_;
  std::string saved_path_;
  std::string saved_folder_;
  std::string record_;
  std::string bin_;
};

TEST_F(Editor_Test, FindsTheOpenerOnThePathOnly) {
  // A folder named like the opener is passed over, as the shell does.
  const std::string decoy = folder_.Path("decoy");
  mkdir(decoy.c_str(), 0755);
  mkdir((decoy + "/xdg-open").c_str(), 0755);
  setenv("PATH", (folder_.Path("empty") + ":/nonexistent:" + decoy).c_str(), 1);
  EXPECT_FALSE(Desktop_Editor(Real_File_System()).Available());
  setenv("PATH", ("/nonexistent::" + decoy + ":" + bin_).c_str(), 1);
  EXPECT_TRUE(Desktop_Editor(Real_File_System()).Available());
  EXPECT_EQ(Find_On_Path(Real_File_System(), "xdg-open"), bin_ + "/xdg-open");
}

// xdg-open takes a name that begins with "-" for an option and one with ":"
// before any "/" for an address: the editor gets the file's full name.
// An empty PATH entry stands for the current folder: an opener lying
// there is never the one started.
TEST_F(Editor_Test, PassesTheFileAsOneArgumentThatCannotBeReadAsAnythingElse) {
  setenv("PATH", (":" + bin_).c_str(), 1);
  const std::string work = folder_.Path("work");
  mkdir(work.c_str(), 0755);
  const std::string decoy_ran = folder_.Path("decoy-ran");
  Make_Opener(work, "#!/bin/sh\n: > \"" + decoy_ran + "\"\n");
  ASSERT_EQ(chdir(work.c_str()), 0);
  const struct {
    std::string name;
    bool relative;
  } rows[] = {
      {"/tmp/my logs/run; rm -rf $HOME `id` 'q' \"d\" *.log" + std::string(200, 'x'), false},
      {"-x.log", true},
      {"a:b.log", true},
      {"./--help", true},
      {"- a b; $(id) `id` 'q' \"d\" *|&>.log", true},
      {"http:x.log", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::remove(record_.c_str());
    if (row.relative) testing::Write_File(row.name, "log\n");
    std::string error_text = "<unchanged>";
    EXPECT_TRUE(Desktop_Editor(Real_File_System()).Start(row.name, error_text));
    EXPECT_EQ(error_text, "");
    const std::string record = Wait_For_Record();
    if (!row.relative) {
      EXPECT_EQ(record, "1\n" + row.name + "\n");
      continue;
    }
    ASSERT_EQ(record.compare(0, 2, "1\n"), 0) << record;
    const std::string argument = record.substr(2, record.size() - 3);
    EXPECT_EQ(argument.front(), '/');
    EXPECT_TRUE(
        Real_File_System().Status(argument).Same_File_As(Real_File_System().Status(row.name)))
        << argument;
  }
  EXPECT_FALSE(File_Exists(Real_File_System(), decoy_ran));
}

TEST_F(Editor_Test, SaysWhyTheEditorCouldNotBeStarted) {
  const struct {
    const char* opener;  // nullptr: none on the path
    mode_t mode;
    const char* file;
    bool in_removed_folder;
    const char* reason;  // followed by the opener's full name in brackets where it is to blame
    bool names_opener;
  } rows[] = {
      // Not there, or not a program anyone may run: the opener is missing.
      {nullptr, 0, "/tmp/x.log", false, "File not found (xdg-open)", false},
      {"#!/bin/sh\n", 0644, "/tmp/x.log", false, "File not found (xdg-open)", false},
      {"#!/nonexistent\n", 0755, "/tmp/x.log", false, "File not found", true},
      {"no program, no interpreter line\n", 0755, "/tmp/x.log", false, "I/O error 8", true},
      // A relative name has nothing to lead to once its folder is gone.
      {"#!/bin/sh\n", 0755, "x.log", true, "File not found", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.opener != nullptr ? row.opener : "no opener") + row.file);
    const std::string bin = folder_.Path("broken");
    std::filesystem::remove_all(bin);
    mkdir(bin.c_str(), 0755);
    if (row.opener != nullptr) Make_Opener(bin, row.opener, row.mode);
    setenv("PATH", bin.c_str(), 1);
    if (row.in_removed_folder) {
      const std::string gone = folder_.Path("gone");
      mkdir(gone.c_str(), 0755);
      ASSERT_EQ(chdir(gone.c_str()), 0);
      ASSERT_EQ(rmdir(gone.c_str()), 0);
    }
    std::string error_text;
    EXPECT_FALSE(Desktop_Editor(Real_File_System()).Start(row.file, error_text));
    EXPECT_EQ(error_text, row.names_opener ? std::string(row.reason) + " (" + bin + "/xdg-open)"
                                           : std::string(row.reason));
    ASSERT_EQ(chdir(saved_folder_.c_str()), 0);
  }
}

// Nobody waits for the editor, yet once it ends it must not stay behind as
// our zombie; and it runs in a session of its own. The stand-in records its
// /proc stat line: "pid (xdg-open) state ppid group session ...".
TEST_F(Editor_Test, LeavesNoZombieAndRunsInASessionOfItsOwn) {
  Make_Opener(bin_, "#!/bin/sh\nread -r line < /proc/$$/stat\nprintf '%s\\n' \"$line\" > \"" +
                        record_ + ".tmp\" && /bin/mv \"" + record_ + ".tmp\" \"" + record_ +
                        "\"\n");
  setenv("PATH", bin_.c_str(), 1);
  std::string error_text;
  ASSERT_TRUE(Desktop_Editor(Real_File_System()).Start("/tmp/x.log", error_text)) << error_text;
  std::istringstream fields(Wait_For_Record());
  std::string pid, name, state, parent, group, session;
  fields >> pid >> name >> state >> parent >> group >> session;
  ASSERT_EQ(name, "(xdg-open)") << fields.str();
  // Our own child: one handed to init would be reaped there whatever we do.
  EXPECT_EQ(parent, std::to_string(getpid()));
  EXPECT_EQ(session, pid);

  // Gone from /proc once reaped; a zombie stays there in state Z.
  const std::string stat_file = "/proc/" + pid + "/stat";
  std::string stat_line;
  for (int i = 0; i < 500; ++i) {
    std::ifstream stat(stat_file);
    if (!std::getline(stat, stat_line) || stat_line.find("(xdg-open)") == std::string::npos) {
      stat_line.clear();
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(stat_line, "") << "the opener was never reaped";
}

}  // namespace
}  // namespace velmaric
