#include "companion/companion_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "support/recording_editor.h"
#include "support/recording_message_box.h"

namespace velmaric {
namespace {

TEST(Companion_Files, ReadmeIsNamedAfterTheExecutableUpToItsFirstDot) {
  const struct {
    const char* executable;
    const char* readme;
  } rows[] = {
      {"/opt/velmaric/velmaric", "/opt/velmaric/velmaric.txt"},
      {"/opt/x y/a.b", "/opt/x y/a.txt"},
      {"/opt/v/a.b.exe", "/opt/v/a.txt"},
      {"/usr/lib/velmaric/stopwatch-2", "/usr/lib/velmaric/stopwatch-2.txt"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.executable);
    EXPECT_EQ(Readme_File_Name(row.executable), row.readme);
  }
  EXPECT_EQ(Catalog_File_Name("/opt/x y/a.b"), "/opt/x y/catalog.txt");
}

TEST(Companion_Files, ReadmeOpensWhetherOrNotItExistsUnlessThereIsNoEditor) {
  const struct {
    bool available;
    const char* failure;  // of the start; "" when the editor starts
    bool started;
    const char* kind;  // of the one box shown; nullptr for none
    const char* text;
  } rows[] = {
      {true, "", true, nullptr, ""},
      {false, "", false, "Information", "Windows Notepad could not be found."},
      {true, "File not found (/usr/bin/xdg-open)", true, "Error",
       "Error: The editor could not be started for the file \"/nowhere/velmaric.txt\" : File not "
       "found (/usr/bin/xdg-open)"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    testing::Recording_Editor editor;
    editor.available = row.available;
    editor.failure = row.failure;
    testing::Recording_Message_Box boxes;
    View_Readme_File("/nowhere/velmaric", editor, boxes);
    EXPECT_EQ(editor.started, row.started ? std::vector<std::string>{"/nowhere/velmaric.txt"}
                                          : std::vector<std::string>{});
    ASSERT_EQ(boxes.shown.size(), row.kind != nullptr ? 1U : 0U);
    if (row.kind == nullptr) continue;
    EXPECT_EQ(boxes.shown[0].kind, row.kind);
    EXPECT_EQ(boxes.shown[0].text, row.text);
  }
}

TEST(Companion_Files, CatalogOpensOnlyWhenPresent) {
  const auto folder = std::filesystem::temp_directory_path() / "velmaric-catalog-test";
  std::filesystem::create_directories(folder);
  const std::string executable = (folder / "velmaric").string();
  std::filesystem::remove(folder / "catalog.txt");

  testing::Recording_Editor editor;
  testing::Recording_Message_Box boxes;
  View_Catalog_File(Real_File_System(), "Velmaric", executable, editor, boxes);
  EXPECT_TRUE(editor.started.empty());
  ASSERT_EQ(boxes.shown.size(), 1U);
  EXPECT_EQ(boxes.shown[0].kind, "Information");
  EXPECT_EQ(boxes.shown[0].text,
            "Karvo's Shareware Catalog is not in the same directory as Velmaric.  The required "
            "file 'catalog.txt' was included in the distribution ZIP file.  Please unzip this "
            "file and try again.");

  std::ofstream(folder / "catalog.txt") << "catalog\n";
  View_Catalog_File(Real_File_System(), "Velmaric", executable, editor, boxes);
  EXPECT_EQ(editor.started, std::vector<std::string>{(folder / "catalog.txt").string()});
  editor.failure = "I/O error 11 (/usr/bin/xdg-open)";
  View_Catalog_File(Real_File_System(), "Velmaric", executable, editor, boxes);
  ASSERT_EQ(boxes.shown.size(), 2U);
  EXPECT_EQ(boxes.shown.back().kind, "Error");
  EXPECT_EQ(boxes.shown.back().text, "Error: The editor could not be started for the file \"" +
                                         (folder / "catalog.txt").string() +
                                         "\" : I/O error 11 (/usr/bin/xdg-open)");
  editor.available = false;
  View_Catalog_File(Real_File_System(), "Velmaric", executable, editor, boxes);
  EXPECT_EQ(boxes.shown.back().text, "Windows Notepad could not be found.");
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace velmaric
