#pragma once
// What the main window decides, whatever draws it: the handler of every
// click, menu command, tick and close, over a `Main_View` that shows the
// controls and reports the events.
//
// The stopwatch (core) holds the counter, the run-state captions and the
// display texts; the presenter copies them into the view's controls after
// every command and at every tick it asks the view to arm. The settings and
// the log never see a control: the presenter hands them the values, through
// `Settings_Host` and `Disk_Transfer_Host`, reading and setting the
// controls' states in the view by their names. Every command runs inside
// one guard (`Run_Command`) that turns a failure into a single "Error" box.

#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>

#include "core/clock.h"
#include "core/stopwatch.h"
#include "log/log_writer.h"
#include "platform/editor.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/startup_registry.h"
#include "presenter/about_presenter.h"
#include "presenter/main_view.h"
#include "settings/disk_transfer.h"
#include "settings/run_guard.h"
#include "settings/settings_file.h"

namespace velmaric {

// Asks the user for a log file, offering the last choice of this run;
// nothing when the user cancels.
using Log_File_Chooser = std::function<std::optional<std::string>(const std::string& last_choice)>;

// Everything the window reaches outside itself; tests hand in fakes.
struct Window_Services {
  File_System& files;  // every file the window reads or writes goes through it
  const Clock& clock;
  Message_Box& boxes;
  Editor& editor;
  std::function<std::string()> settings_file_name;
  std::function<std::string()> executable_path;
  Log_File_Chooser choose_log_file;  // the view's own file dialog when empty
  About_Services about;
  Startup_Registry& startup_registry;  // where the start-at-login entry lives
  Medium_Locator locate_medium;        // the removable disk's root, if one is mounted
  std::string boot_identity;           // this boot's, for the run record; empty: unknown
};

class Main_Presenter : private Stopwatch_Events, private Settings_Host, private Disk_Transfer_Host {
 public:
  // The view is not called before the first FormShow or event.
  Main_Presenter(const Window_Services& services, Main_View& view);

  // The show handler: fits and records the layout, restores the settings and
  // applies the window options; at program start it also recovers a timing
  // left running. Runs when the window is first shown, and again whenever
  // the settings are to be restored from the file.
  void FormShow();

  // The view's close request (close box, Exit, the close timer): true when
  // the window may close. A close asked for during the start-up or a
  // command waits for it; the user's close saves and, when the save fails,
  // asks whether to close without saving; at the program's end the save's
  // failure goes to the standard error and the window closes anyway.
  bool Close_Requested();
  // The close query: saves everything. When the save fails, the failure is
  // shown and the user asked whether to close without saving: false (the
  // window stays open) for No.
  bool FormCloseQuery();
  // A signal or the end of the session: the program ends, whatever waits.
  // Open boxes are answered at once (questions with No) and no new one is
  // shown; the close runs as soon as the start-up and any command in
  // progress are done.
  void Request_End();
  void Close_TimerTimer();

  void Timer1Timer();
  // Arms Timer1 for the moment a shown text next changes.
  void Schedule_Next_Tick();
  // A new sign of life in the run record, every Run_Guard::refresh_interval_us.
  void Run_Record_TimerTimer();

  void Start_Stop_Resume_BitBtnClick();
  void Reset_BitBtnClick();
  void Exit_BitBtnClick();
  void Expert_Mode_OptionClick();
  void Always_On_Top_OptionClick();
  void Toggle_Always_On_Top();
  void Auto_Run_at_Windows_Startup_OptionClick();
  void Restore_Factory_Defaults_OptionClick();
  void Copy_Stopwatch_Times_to_FloppyDisk_OptionClick();
  void Copy_Stopwatch_Times_From_FloppyDisk_OptionClick();
  void Copy_Elapsed_Time_To_Clipboard_OptionClick();
  void Log_to_File_RadioButtonClick();
  void Do_Not_Log_RadioButtonClick();
  void Select_Log_File_BitBtnClick();
  // Also the log name box's double-click, while the box takes input.
  void Choose_Log_File();
  void Reset_Log_ButtonClick();
  void View_Log_ButtonClick();
  void Snap_Shot_Since_Resume_ButtonClick();
  void Snap_Shot_Since_Start_ButtonClick();
  void AboutOptionClick();
  void View_Readme_file_OptionClick();
  void View_Shareware_Catalog_OptionClick();
  void SpareMenuClick();

  // Pushes every text and state of the logic into the view now.
  void Refresh_View();

  const Stopwatch& stopwatch() const { return stopwatch_; }
  Stopwatch& stopwatch() { return stopwatch_; }
  const Settings_File& settings() const { return settings_; }

  // How often the shown fields follow a running stopwatch.
  static constexpr std::int64_t view_refresh_us = 40000;
  // How soon a close that waits for the start-up or a command tries again.
  static constexpr std::int64_t close_retry_us = 50000;

 private:
  // Stopwatch_Events, and the stop line of Settings_Host
  void Write_Stop_Entry() override;
  void Save_Settings() override { Save_And_Guard(false); }
  void Append_Reset_Marker() override;
  // Every save of the settings, and what the run record makes of it; a
  // close's save that succeeds ends the record.
  void Save_And_Guard(bool closing);
  // The last step of the start-up: a timing the previous run left running.
  void Recover_Left_Running();
  // The logging controls as they stand now.
  Log_Settings Current_Log_Settings() const;

  // Settings_Host
  bool Is_Maximized() const override { return view_.Is_Maximized(); }
  void Show_Normal() override { view_.Show_Normal(); }
  int Window_Top() const override { return view_.Window_Top(); }
  int Window_Left() const override { return view_.Window_Left(); }
  int Client_Width() const override { return view_.Client_Width(); }
  int Client_Height() const override { return view_.Client_Height(); }
  void Set_Window_Top(int top) override { view_.Set_Window_Top(top); }
  void Set_Window_Left(int left) override { view_.Set_Window_Left(left); }
  void Set_Client_Width(int width) override { view_.Set_Client_Size(width, Client_Height()); }
  void Set_Client_Height(int height) override { view_.Set_Client_Size(Client_Width(), height); }
  bool Option(Option_Item item) const override;
  void Set_Option(Option_Item item, bool on) override;
  std::string Log_File_Name() const override;
  void Set_Log_File_Name(const std::string& name) override;

  // Disk_Transfer_Host (with Save_Settings and Log_File_Name above)
  void Process_Pending_Events() override { view_.Process_Pending_Events(); }
  void Restore_Settings() override { FormShow(); }
  std::string Settings_File_Name() const override { return settings_.Settings_File_Name(); }
  void Use_Log_File_Name(const std::string& name) override;

  // True when the command ran to its end.
  template <typename Command>
  bool Run_Command(Command&& command);

  void Refresh_Fields();
  void Refresh_Run_State();

  bool Busy() const { return starting_up_ || commands_running_ > 0; }
  void Close_When_Free();
  void Save_At_End();

  File_System& files_;
  const Clock& clock_;
  Message_Box& boxes_;
  Editor& editor_;
  std::function<std::string()> executable_path_;
  Startup_Registry& startup_registry_;
  Medium_Locator locate_medium_;
  Log_File_Chooser choose_log_file_;
  Main_View& view_;
  std::string last_log_choice_;
  Stopwatch stopwatch_;
  Settings_File settings_;
  Run_Guard run_guard_;
  std::optional<std::int64_t> last_view_refresh_us_;
  bool run_record_timer_armed_ = false;
  bool program_started_ = false;
  // The close's state: the start-up sequence or a command runs (a close
  // asked for then waits), a close waits, the program is ending.
  bool starting_up_ = false;
  int commands_running_ = 0;
  bool close_waiting_ = false;
  bool closing_ = false;
  bool ending_ = false;
};

// Runs one command; a failure ends it with one error box, and the view shows
// whatever the command changed before it failed.
template <typename Command>
inline bool Main_Presenter::Run_Command(Command&& command) {
  ++commands_running_;
  // Every command works from the clock as it reads now.
  stopwatch_.Catch_Up();
  bool done = true;
  try {
    command();
  } catch (const std::exception& failure) {
    done = false;
    Refresh_View();
    boxes_.Error(failure.what());
  }
  --commands_running_;
  Refresh_View();
  Schedule_Next_Tick();
  return done;
}

}  // namespace velmaric
