// The start-up entry in the user's Run key, through the settings layer's
// logic, on a key of the test's own under HKEY_CURRENT_USER (the Wine
// prefix's registry, never the machine's).

#include "platform/startup_registry_windows.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/command_error.h"
#include "settings/startup_entry.h"
#include "support/recording_message_box.h"

namespace velmaric {
namespace {

using Shown = std::vector<std::pair<std::string, std::string>>;

const std::string exe = "C:\\Program Files\\Velmaric\\velmaric.exe";
const std::string added =
    "This program (velmaric.exe) will now run automatically at Windows Start-Up.";
const std::string removed =
    "This program (velmaric.exe) will now no-longer run automatically at Windows Start-Up.";
const std::string key_missing =
    "Error: The specified Registry Key for this operation \r\ndoes NOT exist on your PC.  ";

std::string Error_Text(const std::string& first_lines, const std::string& key, bool value_line) {
  return first_lines + "\r\n\r\n Error Key   = " + key + "\r\n Error Item  = velmaric.exe\r\n" +
         (value_line ? " Error Value = " + exe + "\r\n" : "") +
         "\r\nPlease contact the program's author.";
}

std::string Prompt(const std::string& old_path) {
  return "The directory / path settings required to make this program (velmaric.exe)\r\n"
         "run automatically at Windows Start-up do not match where the program \r\n"
         "is currently being run from.\r\n\r\n Old      = " +
         old_path + "\r\n Current = " + exe +
         "\r\n\r\n"
         "Do you want to update the Windows Registry to reflect the programs current locaton ?";
}

class Run_Key_Test : public ::testing::Test {
 protected:
  Run_Key_Test() {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key_name.c_str(), 0, nullptr,
                              REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
  ~Run_Key_Test() override { RegDeleteTreeA(HKEY_CURRENT_USER, test_root.c_str()); }

  // The raw value as the registry holds it (as "reg query" shows it).
  std::pair<DWORD, std::string> Raw_Value(const std::string& name) const {
    char data[1024] = {};
    DWORD size = sizeof data - 1;
    DWORD type = REG_NONE;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key_name.c_str(), 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS) {
      return {REG_NONE, "<no key>"};
    }
    const LONG status =
        RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return {REG_NONE, "<none>"};
    return {type, data};
  }
  void Put_Raw(DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key_name.c_str(), 0, KEY_SET_VALUE, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, "velmaric.exe", 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
  void Put_Text(const std::string& text) { Put_Raw(REG_SZ, text.c_str(), text.size() + 1); }
  Shown Boxes() const {
    Shown shown;
    for (const auto& box : boxes.shown) shown.emplace_back(box.kind, box.text);
    return shown;
  }

  // A key of this process's own: the tests run side by side in one prefix.
  const std::string test_root = "Software\\Velmaric Tests " + std::to_string(GetCurrentProcessId());
  const std::string key_name = test_root + "\\Run";
  Run_Key registry{key_name};
  testing::Recording_Message_Box boxes;
};

TEST_F(Run_Key_Test, EntryIsWrittenQuotedReadBackBareAndDeleted) {
  EXPECT_EQ(registry.Key_Text(), "HKEY_CURRENT_USER\\" + key_name);
  EXPECT_TRUE(Auto_Run_at_Windows_Startup_OptionClick(false, registry, exe, boxes));
  EXPECT_EQ(
      Raw_Value("velmaric.exe"),
      std::make_pair(DWORD{REG_SZ}, std::string("\"C:\\Program Files\\Velmaric\\velmaric.exe\"")));
  EXPECT_EQ(Read_Registry_String(registry, "velmaric.exe"), exe);
  EXPECT_TRUE(Check_Startup_Entry(registry, exe, boxes));
  EXPECT_FALSE(Auto_Run_at_Windows_Startup_OptionClick(true, registry, exe, boxes));
  EXPECT_EQ(Raw_Value("velmaric.exe").second, "<none>");
  EXPECT_FALSE(Check_Startup_Entry(registry, exe, boxes));
  // Already gone, for instance deleted by another tool: still a success.
  EXPECT_FALSE(Auto_Run_at_Windows_Startup_OptionClick(true, registry, exe, boxes));
  EXPECT_EQ(Boxes(),
            (Shown{{"Information", added}, {"Information", removed}, {"Information", removed}}));
}

TEST_F(Run_Key_Test, MissingKeyIsMadeAtTheFirstWriteAndNotBefore) {
  RegDeleteTreeA(HKEY_CURRENT_USER, test_root.c_str());
  Run_Key fresh(std::string(test_root) + "\\a\\b\\Run");
  EXPECT_TRUE(fresh.Key_Exists());
  EXPECT_FALSE(Check_Startup_Entry(fresh, exe, boxes));
  EXPECT_FALSE(Auto_Run_at_Windows_Startup_OptionClick(true, fresh, exe, boxes));
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, test_root.c_str(), 0, KEY_READ, &key),
            ERROR_FILE_NOT_FOUND);
  EXPECT_TRUE(Add_Startup_Entry(fresh, exe, boxes));
  EXPECT_TRUE(Check_Startup_Entry(fresh, exe, boxes));
  EXPECT_EQ(Boxes(), (Shown{{"Information", removed}, {"Information", added}}));
}

TEST_F(Run_Key_Test, KeyThatCannotBeOpenedIsMissingAndKeepsTheCheckMark) {
  // The root itself, and a key whose name is longer than the registry allows.
  for (const std::string& name : {std::string(), key_name + "\\" + std::string(300, 'x')}) {
    SCOPED_TRACE(name.size());
    Run_Key refused(name);
    boxes.shown.clear();
    EXPECT_FALSE(Auto_Run_at_Windows_Startup_OptionClick(false, refused, exe, boxes));
    EXPECT_TRUE(Auto_Run_at_Windows_Startup_OptionClick(true, refused, exe, boxes));
    EXPECT_FALSE(Check_Startup_Entry(refused, exe, boxes));
    const std::string text = "HKEY_CURRENT_USER\\" + name;
    EXPECT_EQ(Boxes(), (Shown{{"Error", Error_Text(key_missing, text, true)},
                              {"Error", Error_Text(key_missing, text, false)}}));
  }
}

TEST_F(Run_Key_Test, RefusedWriteEndsTheCommandButNotTheProgramStart) {
  // Below a volatile key only volatile keys may be made: the write is refused.
  RegDeleteTreeA(HKEY_CURRENT_USER, test_root.c_str());
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, test_root.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
  try {
    Auto_Run_at_Windows_Startup_OptionClick(false, registry, exe, boxes);
    ADD_FAILURE() << "no failure";
  } catch (const Command_Error& error) {
    EXPECT_STREQ(error.what(), "Failed to set data for 'velmaric.exe'");
  }
  EXPECT_EQ(Boxes(), Shown{});
}

TEST_F(Run_Key_Test, ValueOfAnotherTypeFailsTheCheckAndCountsAsNoEntryAtStart) {
  const DWORD number = 1;
  const std::string expandable = exe;
  for (const auto& [type, data, size] :
       {std::make_tuple(DWORD{REG_DWORD}, static_cast<const void*>(&number), DWORD{sizeof number}),
        std::make_tuple(DWORD{REG_EXPAND_SZ}, static_cast<const void*>(expandable.c_str()),
                        static_cast<DWORD>(expandable.size() + 1)),
        std::make_tuple(DWORD{REG_BINARY}, static_cast<const void*>("ab"), DWORD{2})}) {
    SCOPED_TRACE(type);
    Put_Raw(type, data, size);
    try {
      Check_Startup_Entry(registry, exe, boxes);
      ADD_FAILURE() << "no failure";
    } catch (const Command_Error& error) {
      EXPECT_STREQ(error.what(), "Invalid data type for 'velmaric.exe'");
    }
    EXPECT_FALSE(Check_Startup_Entry_At_Program_Start(registry, exe, boxes));
    EXPECT_EQ(Boxes(), (Shown{{"Error", "Invalid data type for 'velmaric.exe'"}}));
    boxes.shown.clear();
  }
  EXPECT_TRUE(Add_Startup_Entry(registry, exe, boxes));  // a new value replaces it
  EXPECT_EQ(Raw_Value("velmaric.exe").first, DWORD{REG_SZ});
}

TEST_F(Run_Key_Test, EntriesOfOtherToolsAreUnquotedOnlyWhenWhollyQuoted) {
  const struct {
    std::string raw, data;
    bool prompt;
  } rows[] = {
      {exe, exe, false},  // unquoted, as older programs wrote it
      {"\"c:\\program files\\velmaric\\VELMARIC.EXE\"", "c:\\program files\\velmaric\\VELMARIC.EXE",
       false},
      {"\"" + exe + "\" /minimized", "\"" + exe + "\" /minimized", true},
      {"\"\"" + exe + "\"\"", "\"\"" + exe + "\"\"", true},
      {"\"" + exe, "\"" + exe, true},
      {"\"", "\"", true},
      {"\"\"", "", false},  // an empty path: no entry
  };
  boxes.answer_yes = false;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.raw);
    Put_Text(row.raw);
    EXPECT_EQ(Read_Registry_String(registry, "velmaric.exe"), row.data);
    EXPECT_EQ(Check_Startup_Entry(registry, exe, boxes), !row.data.empty());
    const Shown expected = row.prompt ? Shown{{"Warning", Prompt(row.data)}} : Shown{};
    EXPECT_EQ(Boxes(), expected);
    boxes.shown.clear();
  }
  // Yes rewrites it, quoted.
  boxes.answer_yes = true;
  Put_Text("D:\\Old Place\\velmaric.exe");
  EXPECT_TRUE(Check_Startup_Entry(registry, exe, boxes));
  EXPECT_EQ(Raw_Value("velmaric.exe").second, "\"" + exe + "\"");
  EXPECT_EQ(Boxes(),
            (Shown{{"Warning", Prompt("D:\\Old Place\\velmaric.exe")}, {"Information", added}}));
}

TEST(Run_Key, DefaultIsTheUsersRunKeyWhichExists) {
  const Run_Key run;
  EXPECT_EQ(run.Key_Text(), "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
  EXPECT_TRUE(run.Key_Exists());
}

}  // namespace
}  // namespace velmaric
