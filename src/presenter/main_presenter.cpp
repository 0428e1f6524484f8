#include "presenter/main_presenter.h"

#include "companion/companion_files.h"
#include "core/date_time.h"
#include "forms/main_form_design.h"
#include "presenter/product_info.h"
#include "settings/startup_entry.h"

namespace velmaric {

Main_Presenter::Main_Presenter(const Window_Services& services, Main_View& view)
    : files_(services.files),
      clock_(services.clock),
      boxes_(services.boxes),
      editor_(services.editor),
      executable_path_(services.executable_path),
      startup_registry_(services.startup_registry),
      locate_medium_(services.locate_medium),
      choose_log_file_(services.choose_log_file),
      view_(view),
      stopwatch_(services.clock, *this),
      settings_(services.files, *this, stopwatch_, services.settings_file_name),
      run_guard_(services.files, services.boot_identity,
                 [this](const std::string& text) { boxes_.Information(text); }) {}

// ---- start-up -------------------------------------------------------------

void Main_Presenter::FormShow() {
  // A close asked for meanwhile waits for the whole sequence, so that it
  // never saves a state loaded halfway.
  struct Starting_Up {
    bool& flag;
    explicit Starting_Up(bool& starting) : flag(starting) { flag = true; }
    ~Starting_Up() { flag = false; }
  } starting(starting_up_);
  const bool program_start = !program_started_;
  program_started_ = true;
  const forms::Size design = forms::Main_Form().client_size;
  view_.Set_Client_Size(design.width, design.height);
  view_.Capture_Layout();
  if (program_start) {
    settings_.Clear_Leftovers();
    // A settings file that cannot be read never stops the program: the
    // failing key keeps its default and the others still load.
    settings_.Load_Settings([this](const Command_Error& failure) { boxes_.Error(failure.what()); });
  } else {
    settings_.Load_Settings();
  }
  view_.Keep_On_Screen();
  view_.Set_Text(Main_Control::MainForm1, product_info::name);
  view_.Set_Text(Main_Control::SpareMenu, "");
  view_.Set_Visible(Main_Control::SpareMenu, false);
  // A launcher's show state has no meaning here: the window is shown as it is.
  if (settings_.pending_maximize) view_.Show_Maximized();
  view_.Set_Checked(Main_Control::Always_On_Top_Option,
                    !view_.Checked(Main_Control::Always_On_Top_Option));
  Toggle_Always_On_Top();
  // The check mark shows whether the start-at-login entry exists, whatever
  // the settings file said. At program start an unreadable entry counts as
  // none instead of stopping the start-up.
  const std::string executable = executable_path_();
  view_.Set_Checked(
      Main_Control::Auto_Run_at_Windows_Startup_Option,
      program_start ? Check_Startup_Entry_At_Program_Start(startup_registry_, executable, boxes_)
                    : Check_Startup_Entry(startup_registry_, executable, boxes_));
  if (program_start) {
    Recover_Left_Running();
  } else if (stopwatch_.Running()) {
    // The counter was replaced while the stopwatch runs on.
    run_guard_.Segment_Changed(settings_.Settings_File_Name(), stopwatch_);
  }
  Refresh_View();
}

void Main_Presenter::Recover_Left_Running() {
  const std::string settings_file = settings_.Settings_File_Name();
  const std::optional<Run_Record> record = run_guard_.Left_Running(settings_file);
  if (!record) return;
  const std::vector<std::string> captions =
      Left_Running_Captions(*record, run_guard_.Boot(), clock_.Now().monotonic_us);
  const std::optional<std::size_t> answer =
      boxes_.Warning_Choice(Left_Running_Question(*record, captions.size() == 3), captions);
  // Unanswered (the program is ending): the record waits for the next start.
  if (!answer || *answer >= captions.size()) {
    run_guard_.Leave_For_Next_Start(*record);
    return;
  }
  run_guard_.Adopt(settings_file);
  const std::string chosen = captions[*answer];
  if (chosen == caption_discard) {
    run_guard_.Timing_Ended();
    return;
  }
  stopwatch_.Restore_Original_Start(record->original_start);
  stopwatch_.Restore_Stop_Count(record->stops);
  const Clock_Reading start{record->start_wall, record->start_monotonic_us};
  if (chosen == caption_keep_counting) {
    stopwatch_.Resume_Segment(record->start_count, start);
    run_guard_.Segment_Changed(settings_file, stopwatch_);
    return;
  }
  try {
    stopwatch_.Stop_Segment_At(record->start_count, start,
                               {record->seen_wall, record->seen_monotonic_us});
  } catch (const std::exception& failure) {
    // The record stays until a save holds the time counted.
    boxes_.Error(failure.what());
  }
}

void Main_Presenter::Save_And_Guard(bool closing) {
  try {
    settings_.Save_Settings();
  } catch (...) {
    run_guard_.Settings_Saved(stopwatch_, false);
    throw;
  }
  if (closing) {
    run_guard_.Timing_Ended();
  } else {
    run_guard_.Settings_Saved(stopwatch_, true);
  }
}

void Main_Presenter::Run_Record_TimerTimer() {
  if (!run_guard_.Keeping() || !stopwatch_.Running()) return;
  stopwatch_.Catch_Up();
  run_guard_.Refresh(stopwatch_);
}

// ---- window options --------------------------------------------------------

void Main_Presenter::Always_On_Top_OptionClick() {
  Toggle_Always_On_Top();
}

void Main_Presenter::Toggle_Always_On_Top() {
  const bool on_top = !view_.Checked(Main_Control::Always_On_Top_Option);
  view_.Set_Checked(Main_Control::Always_On_Top_Option, on_top);
  view_.Stay_On_Top(on_top);
}

void Main_Presenter::Expert_Mode_OptionClick() {
  view_.Set_Checked(Main_Control::Expert_Mode_Option,
                    !view_.Checked(Main_Control::Expert_Mode_Option));
}

void Main_Presenter::Auto_Run_at_Windows_Startup_OptionClick() {
  Run_Command([this] {
    view_.Set_Checked(Main_Control::Auto_Run_at_Windows_Startup_Option,
                      velmaric::Auto_Run_at_Windows_Startup_OptionClick(
                          view_.Checked(Main_Control::Auto_Run_at_Windows_Startup_Option),
                          startup_registry_, executable_path_(), boxes_));
  });
}

void Main_Presenter::Restore_Factory_Defaults_OptionClick() {
  Run_Command([this] {
    if (!Restore_Factory_Defaults(files_, boxes_, settings_.Settings_File_Name())) return;
    view_.Restore_Normal();
    FormShow();
  });
}

void Main_Presenter::Copy_Stopwatch_Times_to_FloppyDisk_OptionClick() {
  Run_Command([this] { Copy_Stopwatch_Times_To_Medium(files_, *this, boxes_, locate_medium_); });
}

void Main_Presenter::Copy_Stopwatch_Times_From_FloppyDisk_OptionClick() {
  Run_Command([this] { Copy_Stopwatch_Times_From_Medium(files_, *this, boxes_, locate_medium_); });
}

// ---- clock and commands ----------------------------------------------------

void Main_Presenter::Timer1Timer() {
  stopwatch_.Timer1Timer();
  const std::int64_t now = stopwatch_.Last_Reading().monotonic_us;
  if (!last_view_refresh_us_ || now - *last_view_refresh_us_ >= view_refresh_us ||
      now < *last_view_refresh_us_) {
    Refresh_Fields();
    last_view_refresh_us_ = now;
  }
  Schedule_Next_Tick();
}

void Main_Presenter::Schedule_Next_Tick() {
  // Running, the hundredths change all the time: the fields follow at the
  // view's pace. Standing, only the clock's seconds change.
  const std::int64_t wait_us =
      stopwatch_.Running()
          ? view_refresh_us
          : std::int64_t{Milli_Seconds_To_Next_Second(stopwatch_.Last_Reading().wall)} * 1000;
  view_.Start_Timer(Main_Timer::Timer1, wait_us);
}

void Main_Presenter::Start_Stop_Resume_BitBtnClick() {
  Run_Command([this] {
    stopwatch_.Start_Stop_Resume_BitBtnClick();
    if (stopwatch_.Running())
      run_guard_.Segment_Changed(settings_.Settings_File_Name(), stopwatch_);
  });
}

void Main_Presenter::Reset_BitBtnClick() {
  Run_Command([this] {
    stopwatch_.Reset_BitBtnClick();
    run_guard_.Timing_Ended();
    Refresh_View();
    if (!view_.Checked(Main_Control::Expert_Mode_Option)) {
      boxes_.Information("StopWatch counters Reset.  (The Log file has NOT been Reset)");
    }
  });
}

void Main_Presenter::Exit_BitBtnClick() {
  view_.Close();
}

// ---- help ------------------------------------------------------------------

void Main_Presenter::AboutOptionClick() {
  view_.Show_About_Box();
}

void Main_Presenter::View_Readme_file_OptionClick() {
  Run_Command([this] { View_Readme_File(executable_path_(), editor_, boxes_); });
}

void Main_Presenter::SpareMenuClick() {
  View_Readme_file_OptionClick();
}

void Main_Presenter::View_Shareware_Catalog_OptionClick() {
  Run_Command([this] {
    View_Catalog_File(files_, product_info::name, executable_path_(), editor_, boxes_);
  });
}

// ---- view ------------------------------------------------------------------

void Main_Presenter::Refresh_View() {
  Refresh_Fields();
  Refresh_Run_State();
}

void Main_Presenter::Refresh_Fields() {
  const Stopwatch_Texts& texts = stopwatch_.Texts();
  view_.Set_Text(Main_Control::Date_Time_Edit, texts.date_time);
  view_.Set_Text(Main_Control::Elapsed_Secs_Edit, texts.elapsed_secs);
  view_.Set_Text(Main_Control::Elapsed_Mins_Edit, texts.elapsed_mins);
  view_.Set_Text(Main_Control::Elapsed_Hours_Edit, texts.elapsed_hours);
  view_.Set_Text(Main_Control::Copy_Edit_Box, texts.copy_edit);
  if (!texts.menu_clock.empty()) {
    view_.Set_Text(Main_Control::SpareMenu, texts.menu_clock);
    view_.Set_Visible(Main_Control::SpareMenu, true);
  }
}

void Main_Presenter::Refresh_Run_State() {
  view_.Set_Text(Main_Control::Start_Stop_Resume_BitBtn, stopwatch_.start_stop_resume_caption());
  view_.Set_Text(Main_Control::Control_Label, stopwatch_.control_label_caption());
  view_.Set_Value(Main_Control::Stops_Since_Last_Reset_SpinEdit, stopwatch_.stop_count());
  view_.Set_Enabled(Main_Control::Snap_Shot_Since_Start_Button,
                    stopwatch_.snap_shot_since_start_enabled());
  view_.Set_Enabled(Main_Control::Snap_Shot_Since_Resume_Button,
                    stopwatch_.snap_shot_since_resume_enabled());
  // The record's refresh runs only while there is a running time to keep:
  // a program at rest wakes for nothing but the clock's seconds.
  const bool keep = run_guard_.Keeping() && stopwatch_.Running();
  if (keep && !run_record_timer_armed_) {
    view_.Start_Timer(Main_Timer::Run_Record_Timer, Run_Guard::refresh_interval_us);
  } else if (!keep) {
    view_.Stop_Timer(Main_Timer::Run_Record_Timer);
  }
  run_record_timer_armed_ = keep;
}

}  // namespace velmaric
