#pragma once
// Everything the main window reaches outside itself, faked: the file
// system (the real one, in the test's own folders, unless replaced), a clock that
// moves when told, recorded message boxes, editor starts and opened links,
// a chosen log file, a memory status and an executable path.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/command_error.h"
#include "platform/startup_registry.h"
#include "presenter/main_presenter.h"
#include "support/fake_clock.h"
#include "support/recording_editor.h"
#include "support/recording_message_box.h"

namespace velmaric::testing {

// A start-up list whose key cannot be opened, as on a system without one.
class Missing_Registry final : public Startup_Registry {
 public:
  std::string Key_Text() const override { return "missing start-up list"; }
  bool Key_Exists() const override { return false; }
  void Write_String(const std::string& name, const std::string&) override {
    throw Command_Error("Failed to set data for '" + name + "'");
  }
  std::string Read_String(const std::string&) const override { return {}; }
  void Delete_Value(const std::string&) override {}
  bool Value_Exists(const std::string&) const override { return false; }
};

struct Fake_Window_Services {
  File_System* files = &Real_File_System();  // the fault tests put theirs in
  Fake_Clock clock;
  Recording_Message_Box boxes;
  Recording_Editor editor;
  std::string settings_file;
  std::string executable = "/opt/velmaric/velmaric";
  bool real_file_dialog = false;               // the window's own dialog, not the answers below
  std::optional<std::string> next_log_choice;  // what the file dialog answers
  std::vector<std::string> offered_choices;    // what it was primed with
  std::vector<std::string> opened;             // links handed to the desktop
  Memory_Status memory{42, 8ULL << 30, 4ULL << 30, 0, 0};
  std::unique_ptr<Startup_Registry> autostart = std::make_unique<Missing_Registry>();
  std::optional<std::string> medium;  // the removable disk's root; none mounted
  std::string boot = "5b1a9f2e-0c4d-4e7b-9a61-3f2d8c7e1b04";

  Window_Services Services() {
    return {*files,
            clock,
            boxes,
            editor,
            [this] { return settings_file; },
            [this] { return executable; },
            real_file_dialog ? Log_File_Chooser()
                             : [this](const std::string& last) {
                                 offered_choices.push_back(last);
                                 return next_log_choice;
                               },
            About_Services{[this](const std::string& target) { opened.push_back(target); },
                           [this] { return memory; }, [this] { return executable; }},
            *autostart,
            [this] { return medium; },
            boot};
  }
};

}  // namespace velmaric::testing
