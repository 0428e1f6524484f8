// Where the login entry goes: the user's autostart folder, decided by the
// environment alone. Every row points HOME and XDG_CONFIG_HOME into the
// test's own folder, so the user's real autostart folder is never reached.

#include "platform/autostart_folder.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "support/file_fixtures.h"

namespace velmaric {
namespace {

class Saved_Variable {
 public:
  explicit Saved_Variable(const char* name) : name_(name) {
    if (const char* value = std::getenv(name)) value_ = value;
  }
  Saved_Variable(const Saved_Variable&) = delete;
  Saved_Variable& operator=(const Saved_Variable&) = delete;
  ~Saved_Variable() { Set(value_); }
  void Set(const std::optional<std::string>& value) const {
    if (value) {
      setenv(name_, value->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> value_;
};

class User_Autostart : public ::testing::Test {
 protected:
  testing::Temp_Folder temp;
  const std::string home = temp.Path("home");
  Saved_Variable saved_home{"HOME"};
  Saved_Variable saved_config{"XDG_CONFIG_HOME"};
};

TEST_F(User_Autostart, FolderFollowsTheConfigurationHomeOrTheHomeFolder) {
  const struct {
    std::optional<std::string> config_home;
    std::string folder;
  } rows[] = {
      {temp.Path("config"), temp.Path("config/autostart")},
      {std::nullopt, home + "/.config/autostart"},
      {"", home + "/.config/autostart"},
      {"relative/config", home + "/.config/autostart"},  // only a full path counts
      {"./config", home + "/.config/autostart"},
  };
  saved_home.Set(home);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.config_home.value_or("(unset)"));
    saved_config.Set(row.config_home);
    EXPECT_EQ(User_Autostart_Folder(), row.folder);
  }
}

// Without HOME the account's home folder, as the password database names it.
TEST_F(User_Autostart, WithoutHomeTheAccountsOwnHomeFolder) {
  const passwd* const account = getpwuid(getuid());
  ASSERT_NE(account, nullptr);
  saved_config.Set(std::nullopt);
  for (const std::optional<std::string>& unset : {std::optional<std::string>(), {""}}) {
    saved_home.Set(unset);
    EXPECT_EQ(User_Autostart_Folder(), std::string(account->pw_dir) + "/.config/autostart");
  }
}

TEST_F(User_Autostart, FirstEntryMakesTheFolderInAFreshHome) {
  saved_home.Set(home);
  saved_config.Set(std::nullopt);
  Autostart_Folder folder(Real_File_System(), User_Autostart_Folder());
  EXPECT_TRUE(folder.Key_Exists());
  EXPECT_FALSE(folder.Value_Exists("velmaric"));
  folder.Write_String("velmaric", "/opt/velmaric/velmaric");
  const std::string entry = home + "/.config/autostart/velmaric.desktop";
  EXPECT_EQ(folder.Entry_File("velmaric"), entry);
  const std::string contents = testing::Read_File(entry);
  EXPECT_NE(contents.find("\nExec=/opt/velmaric/velmaric\n"), std::string::npos) << contents;
  EXPECT_NE(contents.find("\nTryExec=/opt/velmaric/velmaric\n"), std::string::npos) << contents;
  EXPECT_EQ(folder.Read_String("velmaric"), "/opt/velmaric/velmaric");
  for (const std::string& made : {home, home + "/.config", home + "/.config/autostart"}) {
    struct stat info {};
    ASSERT_EQ(stat(made.c_str(), &info), 0) << made;
    EXPECT_EQ(info.st_mode & 07777, 0700U) << made;
  }
}

}  // namespace
}  // namespace velmaric
