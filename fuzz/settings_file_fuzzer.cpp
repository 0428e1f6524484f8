// Any bytes as the settings file.
//
//  - Every key reads the same through one snapshot and through a fresh read,
//    never spans two lines, and gives the default when the file does not
//    hold the key's text at all; every value form converts without escaping
//    anything but Command_Error.
//  - A write reads back as written, and writing the same again leaves the
//    file byte for byte as it is.
//  - A load that reports failures never throws; a load without a report
//    throws exactly when the reporting one reported, and otherwise restores
//    the same state.
//  - The loaded stopwatch renders, saves, reloads to the same state, resumes,
//    saves while running and stops.

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>

#include "core/clock.h"
#include "core/command_error.h"
#include "core/stopwatch.h"
#include "fuzz_check.h"
#include "settings/ini_file.h"
#include "settings/ini_values.h"
#include "settings/settings_file.h"
#include "settings/settings_keys.h"
#include "support/fake_settings_host.h"

namespace {

using namespace velmaric;
using fuzz::Printable;

std::string folder;         // made once per process, removed at its end
std::string settings_name;  // the settings file inside it

void Remove_Folder() {
  if (DIR* dir = opendir(folder.c_str())) {
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") unlink((folder + "/" + name).c_str());
    }
    closedir(dir);
  }
  rmdir(folder.c_str());
}

// Every save syncs to the disk: a memory file system keeps that cheap and
// spares the disk the other users of the machine share.
std::string Parent_Folder() {
  const char* const candidates[] = {std::getenv("VELMARIC_FUZZ_TMP"), "/dev/shm",
                                    std::getenv("TMPDIR")};
  for (const char* candidate : candidates) {
    struct stat info {};
    if (candidate != nullptr && *candidate != '\0' && stat(candidate, &info) == 0 &&
        S_ISDIR(info.st_mode) && access(candidate, W_OK) == 0) {
      return candidate;
    }
  }
  return "/tmp";
}

void Write_Raw(const std::string& bytes) {
  std::FILE* file = std::fopen(settings_name.c_str(), "wb");
  if (file == nullptr) {
    std::perror(settings_name.c_str());
    std::abort();
  }
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

std::string Read_Raw() {
  std::string bytes;
  if (std::FILE* file = std::fopen(settings_name.c_str(), "rb")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
      bytes.append(buffer, n);
    std::fclose(file);
  }
  return bytes;
}

class Fixed_Clock final : public Clock {
 public:
  Clock_Reading Now() const override { return reading; }
  Clock_Reading reading{46363.427129629629, 5'000'000};  // 2026-12-07 10:15:04 local
};

class Quiet_Events final : public Stopwatch_Events {
 public:
  void Write_Stop_Entry() override {}
  void Save_Settings() override {}
  void Append_Reset_Marker() override {}
};

class Fake_Host final : public testing::Fake_Settings_Host {
 public:
  auto State() const { return std::tie(top, left, width, height, options, log_name); }
};

// Everything a load restores, as comparable values. Reals are compared in
// their file form: the file keeps 15 significant digits.
struct Loaded {
  Fixed_Clock clock;
  Quiet_Events events;
  Fake_Host host;
  Stopwatch watch{clock, events};
  Settings_File settings{Real_File_System(), host, watch, [] { return settings_name; }};

  auto State() const {
    return std::make_tuple(host.State(), Real_Ini_Text(watch.elapsed_centi_seconds()),
                           Real_Ini_Text(watch.original_start_date_time()), watch.stop_count(),
                           watch.start_stop_resume_caption(), settings.pending_maximize);
  }
};

void Check_Value_Forms(const std::string& value) {
  FUZZ_REQUIRE(Ini_Flag_Value(value) == (value == flag_true), Printable(value));
  const double real = Ini_Real_Value(value);
  FUZZ_REQUIRE(std::isfinite(real), Printable(value));
  FUZZ_REQUIRE(Real_Ini_Text(real).size() == 23, Printable(value));
  try {
    const std::int32_t integer = Ini_Integer_Value(value);
    FUZZ_REQUIRE(Ini_Integer_Value(Integer_Ini_Text(integer)) == integer, Printable(value));
  } catch (const Command_Error&) {
    // Not an integer text: reported as users know it, nothing else escapes.
  }
}

void Check_Reads(const std::string& bytes) {
  static const std::string fallback = "\x7F default";
  const Ini_Snapshot snapshot(Real_File_System(), settings_name);
  for (const Settings_Key& entry : settings_key::table) {
    const char* key = entry.text;
    const std::string value = snapshot.Read(key, fallback);
    FUZZ_REQUIRE(value == Read_Ini_Value(Real_File_System(), settings_name, key, fallback), key);
    FUZZ_REQUIRE(value.find('\n') == std::string::npos, key + (": " + Printable(value)));
    if (bytes.find(key) == std::string::npos) FUZZ_REQUIRE(value == fallback, key);
    Check_Value_Forms(value);
  }
}

// Both loads of the same file: the tolerant one never throws, and the strict
// one fails exactly when the tolerant one reported something.
void Check_Loads() {
  Loaded tolerant;
  int reports = 0;
  try {
    tolerant.settings.Load_Settings([&reports](const Command_Error&) { ++reports; });
  } catch (...) {
    fuzz::Fail("a load with a report throws nothing", "it threw");
  }
  Loaded strict;
  bool failed = false;
  try {
    strict.settings.Load_Settings();
  } catch (const Command_Error&) {
    failed = true;
  }
  FUZZ_REQUIRE(failed == (reports > 0), "reports: " + std::to_string(reports));
  if (!failed) FUZZ_REQUIRE(strict.State() == tolerant.State(), "strict and tolerant loads differ");
}

// The key and value come from the input's end: its last byte picks one of
// the fifteen keys or a key made from the file's first line, and the value
// is the text of the last line. A value cannot hold a line break: the file
// has no way to write one, and one with a CR or a NUL is refused unwritten.
void Check_Write_Round_Trip(const std::string& bytes) {
  const auto pick = static_cast<unsigned char>(bytes.back());
  std::string key;
  if (pick % 16 < settings_key::table.size()) {
    key = settings_key::table[pick % 16].text;
  } else {
    key = bytes.substr(0, bytes.find_first_of("=\n"));
    if (bytes.find('=') < bytes.find('\n')) key += '=';
  }
  const std::size_t last_line = bytes.find_last_of('\n');
  const std::string value =
      bytes.substr(last_line == std::string::npos ? 0 : last_line + 1).substr(0, 200);
  if (key.find('\n') != std::string::npos || value.find('\n') != std::string::npos) return;

  Write_Raw(bytes);
  if (!Fits_On_One_Line(key) || !Fits_On_One_Line(value)) {
    bool refused = false;
    try {
      Write_Ini_Value(Real_File_System(), settings_name, key, value);
    } catch (const Command_Error&) {
      refused = true;
    }
    FUZZ_REQUIRE(refused && Read_Raw() == bytes, "a line break was written: " + Printable(value));
    return;
  }
  FUZZ_REQUIRE(Write_Ini_Value(Real_File_System(), settings_name, key, value), Printable(key));
  const std::string written = Read_Raw();
  const std::string back = Read_Ini_Value(Real_File_System(), settings_name, key, "\x7F none");
  FUZZ_REQUIRE(back == value,
               Printable(key) + " wrote " + Printable(value) + " read " + Printable(back));
  Write_Ini_Value(Real_File_System(), settings_name, key, value);
  FUZZ_REQUIRE(Read_Raw() == written, "a second write of " + Printable(key) + " changed the file");
}

bool Holds_A_Key(const std::string& text) {
  for (const Settings_Key& key : settings_key::table) {
    if (text.find(key.text) != std::string::npos) return true;
  }
  return false;
}

// The loaded stopwatch ticks and renders, saves and reloads to the same
// state, then resumes, saves while running and stops.
void Check_Loaded_Stopwatch() {
  Loaded first;
  first.settings.Load_Settings([](const Command_Error&) {});
  first.host.maximized = first.settings.pending_maximize;
  first.watch.Timer1Timer();
  (void)first.watch.Texts();

  first.settings.Save_Settings();
  // Loose key matching: a log file name that holds a key's text is taken
  // for that key, so only other names come back unchanged.
  if (!Holds_A_Key(first.host.log_name)) {
    Loaded again;
    again.settings.Load_Settings([](const Command_Error& failure) {
      fuzz::Fail("a saved file loads without failures", failure.what());
    });
    FUZZ_REQUIRE(again.State() == first.State(),
                 "saved and reloaded state differs; log name " + Printable(first.host.log_name));
  }

  Stopwatch& watch = first.watch;
  if (watch.start_stop_resume_caption() != caption_resume) return;
  watch.Start_Stop_Resume_BitBtnClick();
  FUZZ_REQUIRE(watch.Running(), watch.start_stop_resume_caption());
  first.clock.reading.monotonic_us += 1'234'567;
  first.clock.reading.wall += 1.234567 / 86400;
  watch.Timer1Timer();
  (void)watch.Texts();
  const std::int32_t stops = watch.stop_count();
  first.settings.Save_Settings();  // running: counts a stop and logs it
  FUZZ_REQUIRE(first.host.stop_entries == 1, std::to_string(first.host.stop_entries));
  watch.Start_Stop_Resume_BitBtnClick();
  FUZZ_REQUIRE(!watch.Running(), watch.control_label_caption());
  // Two stops more; near the top of the range only the absence of overflow
  // matters, which the sanitizer checks.
  if (stops <= INT32_MAX - 2) {
    FUZZ_REQUIRE(watch.stop_count() == stops + 2,
                 std::to_string(stops) + " -> " + std::to_string(watch.stop_count()));
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::string pattern = Parent_Folder() + "/velmaric-settings-fuzz-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    std::perror(pattern.c_str());
    std::abort();
  }
  folder = pattern;
  settings_name = folder + "/velmaric.ini";
  std::atexit(Remove_Folder);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  Write_Raw(bytes);
  Check_Reads(bytes);
  Check_Loads();
  if (!bytes.empty()) Check_Write_Round_Trip(bytes);
  Write_Raw(bytes);
  Check_Loaded_Stopwatch();
  return 0;
}
