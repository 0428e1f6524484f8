// The run record's text, read strictly, and which record a start takes up.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "settings/run_record_fixture.h"

namespace velmaric {
namespace {

TEST(Run_Record_Text, ReadsBackExactly) {
  const Run_Record record = Sample("/home/u/v\xe9lmaric/velmaric.ini");
  const std::string text = Format_Run_Record(record);
  EXPECT_EQ(text.rfind(std::string(run_record_version) + "\n", 0), 0u);
  EXPECT_EQ(Parse_Run_Record(text), record);
}

// Each change makes the text no record at all.
TEST(Run_Record_Text, AnythingButAWholeValidRecordIsNone) {
  const std::string good = Format_Run_Record(Sample("/s/velmaric.ini"));
  const auto replaced = [&](const std::string& from, const std::string& to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  // Re-signed, so that only the field's own check can refuse it.
  const auto resigned = [&](const std::string& from, const std::string& to) {
    std::string body = replaced(from, to);
    body.erase(body.rfind("check="));
    Run_Record probe = Sample("/s/velmaric.ini");
    std::string again = Format_Run_Record(probe);
    again.erase(again.rfind("check="));
    EXPECT_NE(body, again);
    // The check line of the changed body, made the way the writer makes it.
    std::uint64_t hash = 14695981039346656037ULL;
    for (const unsigned char c : body) hash = (hash ^ c) * 1099511628211ULL;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return body + "check=" + hex + "\n";
  };
  const std::pair<const char*, std::string> rows[] = {
      {"empty", ""},
      {"cut short", good.substr(0, good.size() / 2)},
      {"without its last line feed", good.substr(0, good.size() - 1)},
      {"a value changed, check not", replaced("stops=2147483647", "stops=2147483646")},
      {"another version", resigned(run_record_version, "velmaric run record 2")},
      {"a field missing", resigned("save=3\n", "")},
      {"fields swapped", resigned("stops=2147483647\nseen", "seen")},
      {"a count with text after it", resigned("stops=2147483647", "stops=21x")},
      {"a count out of range", resigned("stops=2147483647", "stops=2147483648")},
      {"a real that is no number", resigned("start_wall=46363.42738425926", "start_wall=nan")},
      {"seen before the start", resigned("seen_monotonic_us=15000123", "seen_monotonic_us=4")},
      {"a start before the clock's",
       resigned("start_monotonic_us=5000000", "start_monotonic_us=-9223372036854775808")},
      {"a boot that is no identity", resigned("boot=5b1a", "boot=../5b1a")},
      {"a CR in a value", resigned("save=3", "save=3\r")},
      {"no settings file", resigned("settings=/s/velmaric.ini", "settings=")},
      {"too large", good + std::string(longest_run_record, 'x')},
  };
  for (const auto& [what, text] : rows) {
    EXPECT_FALSE(Parse_Run_Record(text)) << what;
  }
  EXPECT_TRUE(Parse_Run_Record(resigned("save=3", "save=4"))) << "the re-signing itself";
}

TEST_F(Left_Running, OnlyARecordOfThisSettingsFileAsItIsNowIsTakenUp) {
  Write_File(settings, "elapsed_centi_seconds= 1.0\r\n");
  Run_Record record = Sample(settings);
  record.settings_digest = Settings_Digest(files, settings);

  const std::pair<const char*, std::function<void()>> rows[] = {
      {"another settings file's", [&] { Leave(Sample(folder.Path("other.ini"))); }},
      {"the settings were saved since",
       [&] {
         Leave(record);
         Write_File(settings, "elapsed_centi_seconds= 2.0\r\n");
       }},
      {"a record that does not parse",
       [&] { Write_File(Run_Record_Name(settings), Format_Run_Record(record) + "x"); }},
  };
  for (const auto& [what, make] : rows) {
    Write_File(settings, "elapsed_centi_seconds= 1.0\r\n");
    make();
    EXPECT_FALSE(guard.Left_Running(settings)) << what;
    std::remove(Run_Record_Name(settings).c_str());
  }
  Write_File(settings, "elapsed_centi_seconds= 1.0\r\n");
  Leave(record);
  // An interrupted write's temporary goes; the record stays until answered.
  const std::string temporary = folder.Path(".velmaric.ini.run.Ab12Cd");
  Write_File(temporary, std::string(run_record_version).substr(0, 9));
  EXPECT_EQ(guard.Left_Running(settings), record);
  EXPECT_FALSE(Read_Regular_File(files, temporary));
  EXPECT_TRUE(Read_Run_Record(files, Run_Record_Name(settings)));
}

TEST(Left_Running_Question, KeepCountingOnlyOnTheSameKnownBoot) {
  const Run_Record record = Sample("/s/velmaric.ini");
  using Captions = std::vector<std::string>;
  const Captions all{caption_count_until_then, caption_keep_counting, caption_discard};
  const Captions two{caption_count_until_then, caption_discard};
  const std::int64_t now = record.seen_monotonic_us;
  EXPECT_EQ(Left_Running_Captions(record, record.boot, now), all);
  EXPECT_EQ(Left_Running_Captions(record, "0f9e8d7c-0000-4000-8000-000000000000", now), two);
  EXPECT_EQ(Left_Running_Captions(record, "", now), two);
  Run_Record unknown = record;
  unknown.boot.clear();
  EXPECT_EQ(Left_Running_Captions(unknown, "", now), two);
  // Seen later than the clock now: no reading of it to go on from.
  EXPECT_EQ(Left_Running_Captions(record, record.boot, now - 1), two);
}

// A record too long to read back is never written: the write fails, so that
// the notice says so.
TEST(Run_Record_File, IsWrittenOnlyWhereItCanBeReadBack) {
  Temp_Folder folder;
  const std::string name = folder.Path("velmaric.ini.run");
  const Run_Record record = Sample(folder.Path("velmaric.ini"));
  Write_Run_Record(files, name, record);

  Run_Record long_named = Sample(folder.Path(std::string(longest_run_record, 'd') + "/v.ini"));
  EXPECT_THROW(Write_Run_Record(files, name, long_named), Command_Error);
  EXPECT_EQ(Read_Run_Record(files, name), record);
  long_named.settings_file = folder.Path(std::string(32767 - folder.Path("").size() - 1, 'd'));
  Write_Run_Record(files, name, long_named);
  EXPECT_EQ(Read_Run_Record(files, name), long_named);
}

}  // namespace
}  // namespace velmaric
