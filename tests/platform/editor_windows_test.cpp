// Notepad is started from the Windows folder with the file's full name as
// one argument. A stand-in notepad.exe in a folder of the test's own records
// the arguments it was given.

#include "platform/editor_windows.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "platform/executable.h"
#include "windows_temp_folder.h"

namespace velmaric {
namespace {

namespace fs = std::filesystem;

class Notepad_Test : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string here = fs::path(Executable_Path()).parent_path().string();
    fs::create_directories(windows_);
    fs::copy_file(here + "\\fake_notepad.exe", windows_ + "\\notepad.exe");
    ASSERT_TRUE(SetEnvironmentVariableA("VELMARIC_NOTEPAD_RECORD", record_.c_str()));
  }
  void TearDown() override { SetEnvironmentVariableA("VELMARIC_NOTEPAD_RECORD", nullptr); }

  std::string Wait_For_Record() const {
    for (int i = 0; i < 1000 && !fs::exists(record_); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // written in full
    std::ifstream in(record_, std::ios::binary);
    if (!in) return "<never started>";
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  testing::Windows_Temp_Folder temp_;
  const std::string windows_ = temp_.Path("Win Dir");
  const std::string record_ = temp_.Path("arguments.txt");
};

TEST_F(Notepad_Test, NameWithBlanksArrivesAsOneFullArgument) {
  const struct {
    std::string given, received;
  } rows[] = {
      {temp_.Path("my log  file.log"), temp_.Path("my log  file.log")},
      {"relative name.log", fs::current_path().string() + "\\relative name.log"},
      {"/p", fs::current_path().root_name().string() + "\\p"},  // never Notepad's print option
      {temp_.Path("a&b^c%PATH%;(x).log"), temp_.Path("a&b^c%PATH%;(x).log")},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.given);
    fs::remove(record_);
    Notepad_Editor editor(windows_ + "\\");
    ASSERT_TRUE(editor.Available());
    std::string error_text = "left over";
    ASSERT_TRUE(editor.Start(row.given, error_text)) << error_text;
    EXPECT_EQ(error_text, "");
    EXPECT_EQ(Wait_For_Record(), "1\n" + row.received + "\n");
  }
}

TEST_F(Notepad_Test, NoNotepadInTheFolderIsNoEditor) {
  fs::remove(windows_ + "\\notepad.exe");
  Notepad_Editor editor(windows_);
  EXPECT_FALSE(editor.Available());
  fs::create_directory(windows_ + "\\notepad.exe");  // a folder of that name is none either
  EXPECT_FALSE(editor.Available());
  fs::remove(windows_ + "\\notepad.exe");
  std::string error_text;
  EXPECT_FALSE(editor.Start(temp_.Path("x.log"), error_text));
  EXPECT_EQ(error_text, "File not found (" + windows_ + "\\notepad.exe)");
  EXPECT_FALSE(Notepad_Editor("").Available());
}

TEST(Notepad, RealOneIsLookedForInTheWindowsFolder) {
  char folder[MAX_PATH + 1] = {};
  ASSERT_NE(GetWindowsDirectoryA(folder, sizeof folder), 0U);
  EXPECT_EQ(Windows_Folder(), folder);
  EXPECT_EQ(Notepad_Editor().Program(), std::string(folder) + "\\notepad.exe");
}

TEST(Quote_Argument, BackslashesAreDoubledOnlyBeforeAQuote) {
  EXPECT_EQ(Quote_Argument("C:\\a b\\c.log"), "\"C:\\a b\\c.log\"");
  EXPECT_EQ(Quote_Argument("C:\\dir\\"), "\"C:\\dir\\\\\"");
  EXPECT_EQ(Quote_Argument("a\\\"b"), "\"a\\\\\\\"b\"");
  EXPECT_EQ(Quote_Argument(""), "\"\"");
}

}  // namespace
}  // namespace velmaric
