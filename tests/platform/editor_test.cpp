// The editor is started through xdg-open with the file name as one argument.
// A stand-in xdg-open on PATH records the arguments it was given.

#include "platform/editor.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "file_fixtures.h"
#include "platform/file_probe.h"

namespace velmaric {
namespace {

class Editor_Test : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* path = std::getenv("PATH");
    saved_path_ = path != nullptr ? path : "";
    record_ = folder_.Path("arguments");
    bin_ = folder_.Path("bin");
    mkdir(bin_.c_str(), 0755);
    const std::string opener = bin_ + "/xdg-open";
    testing::Write_File(opener, "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > \"" + record_ +
                                    ".tmp\" && /bin/mv \"" + record_ + ".tmp\" \"" + record_ +
                                    "\"\n");
    chmod(opener.c_str(), 0755);
  }
  void TearDown() override { setenv("PATH", saved_path_.c_str(), 1); }

  std::string Wait_For_Record() const {
    for (int i = 0; i < 500 && !File_Exists(Real_File_System(), record_); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return File_Exists(Real_File_System(), record_) ? testing::Read_File(record_)
                                                    : "<never started>";
  }

  testing::Temp_Folder folder_;
  std::string saved_path_;
  std::string record_;
  std::string bin_;
};

TEST_F(Editor_Test, FindsTheOpenerOnThePathOnly) {
  setenv("PATH", (folder_.Path("empty") + ":/nonexistent").c_str(), 1);
  EXPECT_FALSE(Desktop_Editor(Real_File_System()).Available());
  setenv("PATH", ("/nonexistent::" + bin_).c_str(), 1);
  EXPECT_TRUE(Desktop_Editor(Real_File_System()).Available());
  EXPECT_EQ(Find_On_Path(Real_File_System(), "xdg-open"), bin_ + "/xdg-open");
}

TEST_F(Editor_Test, PassesTheNameAsOneArgumentUntouched) {
  setenv("PATH", bin_.c_str(), 1);
  const std::string name =
      "/tmp/my logs/run; rm -rf $HOME `id` 'q' \"d\" *.log" + std::string(200, 'x');
  Desktop_Editor(Real_File_System()).Start(name);
  EXPECT_EQ(Wait_For_Record(), "1\n" + name + "\n");
}

}  // namespace
}  // namespace velmaric
