// View Log hands the log to the editor, and says so when the editor could
// not be started.

#include "log/log_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file_probe.h"
#include "support/file_fixtures.h"
#include "support/recording_editor.h"
#include "support/recording_message_box.h"

namespace velmaric {
namespace {

TEST(Log_Commands, ViewLogStartsTheEditorOnTheLogOrSaysWhyNot) {
  const struct {
    const char* log;      // in the test's folder; "" for none
    const char* failure;  // of the start; "" when the editor starts
    const char* kind;     // of the one box shown; nullptr for none
    const char* text;     // NAME stands for the log's full name
  } rows[] = {
      {"-x.log", "", nullptr, ""},
      {"a b&c.log", "File not found (/usr/bin/xdg-open)", "Error",
       "Error: The editor could not be started for the file \"NAME\" : File not found "
       "(/usr/bin/xdg-open)"},
      {"", "File not found (/usr/bin/xdg-open)", "Information", "No Log File to View."},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.log);
    testing::Temp_Folder folder;
    Log_Settings log;
    log.logging_on = true;
    if (*row.log != '\0') log.file_name = folder.Path(row.log);
    testing::Recording_Editor editor;
    editor.failure = row.failure;
    testing::Recording_Message_Box boxes;
    View_Log(Real_File_System(), log, editor, boxes);
    // The log is made with its header before the editor is asked for.
    EXPECT_EQ(File_Exists(Real_File_System(), log.file_name), !log.file_name.empty());
    EXPECT_EQ(editor.started, log.file_name.empty() ? std::vector<std::string>{}
                                                    : std::vector<std::string>{log.file_name});
    ASSERT_EQ(boxes.shown.size(), row.kind != nullptr ? 1U : 0U);
    if (row.kind == nullptr) continue;
    EXPECT_EQ(boxes.shown[0].kind, row.kind);
    std::string text = row.text;
    if (const std::size_t at = text.find("NAME"); at != std::string::npos) {
      text.replace(at, 4, log.file_name);
    }
    EXPECT_EQ(boxes.shown[0].text, text);
  }
}

}  // namespace
}  // namespace velmaric
