// A save killed at any moment must leave the file of one whole save: never
// empty, never cut short, never mixed from two saves, never older than a
// save that finished before.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <random>
#include <string>
#include <thread>

#include "platform/file_fixtures.h"
#include "settings/ini_file.h"

namespace velmaric {
namespace {

using namespace velmaric::testing;

constexpr int key_count = 15;
constexpr int kill_count = 300;
constexpr int longest_pause_us = 20000;

std::string Key(int index) {
  return "key_" + std::to_string(100 + index) + "=";
}

void Save(const std::string& file, long number) {
  Ini_Batch batch(Real_File_System(), file);
  for (int index = 0; index < key_count; ++index) batch.Write(Key(index), std::to_string(number));
  batch.Commit();
}

[[noreturn]] void Save_Until_Killed(const std::string& file, long first_number) {
  try {
    for (long number = first_number;; ++number) Save(file, number);
  } catch (...) {
  }
  _exit(1);
}

// The number of the save the file holds, or nothing when it is not exactly
// one whole save.
std::optional<long> Save_Number(const std::string& text) {
  std::optional<long> number;
  std::size_t start = 0;
  for (int index = 0; index < key_count; ++index) {
    const std::string key = Key(index);
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos || text.compare(start, key.size(), key) != 0) return std::nullopt;
    const std::string value = text.substr(start + key.size(), end - start - key.size());
    if (value.empty() || value.find_first_not_of("0123456789") != std::string::npos) {
      return std::nullopt;
    }
    if (number && std::stol(value) != *number) return std::nullopt;
    number = std::stol(value);
    start = end + 2;
  }
  return start == text.size() ? number : std::nullopt;
}

TEST(Settings_Save, KilledAtRandomMomentsLeavesOneWholeSave) {
  Temp_Folder folder;
  const std::string file = folder.Path("velmaric.ini");
  Save(file, 0);
  const unsigned seed = std::random_device()();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> pause_us(0, longest_pause_us);
  long last = 0;
  int rounds_with_progress = 0;
  for (int round = 0; round < kill_count; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) Save_Until_Killed(file, last + 1);
    std::this_thread::sleep_for(std::chrono::microseconds(pause_us(random)));
    ASSERT_EQ(kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the saver failed by itself";
    const std::string text = Read_File(file);
    const std::optional<long> number = Save_Number(text);
    ASSERT_TRUE(number.has_value()) << "round " << round << ":\n" << text;
    ASSERT_GE(*number, last) << "round " << round;
    if (*number > last) ++rounds_with_progress;
    last = *number;
  }
  // Otherwise the kills never met a save at work and proved nothing. A busy
  // machine (a sanitizer build, other jobs) slows the saver down, so only a
  // tenth of the rounds must have landed a save.
  EXPECT_GT(rounds_with_progress, kill_count / 10);
}

}  // namespace
}  // namespace velmaric
