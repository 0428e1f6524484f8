// Links in the run record's place.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include "settings/run_record_fixture.h"

namespace velmaric {
namespace {

TEST_F(Left_Running, ALinkToARecordIsNotTakenUp) {
  Write_File(settings, "elapsed_centi_seconds= 1.0\r\n");
  Run_Record record = Sample(settings);
  record.settings_digest = Settings_Digest(files, settings);
  Write_File(folder.Path("elsewhere"), Format_Run_Record(record));
  ASSERT_EQ(symlink("elsewhere", Run_Record_Name(settings).c_str()), 0);
  EXPECT_FALSE(guard.Left_Running(settings));
}

// A link in the record's place is never written through: the write fails,
// so that the notice says so.
TEST(Run_Record_File, IsNeverWrittenThroughALink) {
  Temp_Folder folder;
  const std::string name = folder.Path("velmaric.ini.run");
  Write_File(folder.Path("victim"), "precious\n");
  ASSERT_EQ(symlink("victim", name.c_str()), 0);
  const Run_Record record = Sample(folder.Path("velmaric.ini"));
  EXPECT_THROW(Write_Run_Record(files, name, record), Command_Error);
  EXPECT_EQ(testing::Read_File(folder.Path("victim")), "precious\n");
  EXPECT_FALSE(Read_Run_Record(files, name));
  ASSERT_EQ(std::remove(name.c_str()), 0);
  Write_Run_Record(files, name, record);
  EXPECT_EQ(Read_Run_Record(files, name), record);
}

}  // namespace
}  // namespace velmaric
