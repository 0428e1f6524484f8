// The program without its window, for carrying a timing between the two
// systems: each call is one run of the program over a settings file, with
// the real presenter, settings file, log writer, disk transfer and file
// layer of the system it was built for. Only the window (plain values), the
// clock (set by the caller), the message boxes (answered by the caller) and
// the start-up list (none) stand in.
//
//   transfer_driver <settings file> <minute> <command> [arguments]
//
// <minute>: the wall clock's minutes after Monday 2026-12-07 10:15:04.
//   setup <log file> <top> <left> <width> <height>
//       logs to the file with the stop count, in expert mode and always on
//       top, writes the log's header, places the window and closes.
//   run <centiseconds>    starts or resumes, stops after that long, closes.
//   copy-to <medium>      the copy to the disk, then closes.
//   copy-from <medium> <yes|no>
//       the copy from the disk, answering its question so, then closes.
//   show                  prints what the program restored; no save.
// <medium>: the disk's root folder, or "system" for the system's own
// removable disk (drive A: on Windows).
// Every message box shown is printed as "box <kind>: <text>", its line
// breaks as "|".

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/removable_media.h"
#include "support/fake_window_services.h"
#include "support/radio_clicks.h"
#include "support/recording_main_view.h"

namespace velmaric::testing {
namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: transfer_driver <settings file> <minute> "
               "setup <log> <top> <left> <width> <height> | run <centiseconds> | "
               "copy-to <medium> | copy-from <medium> <yes|no> | show\n");
  return 2;
}

std::string One_Line(std::string text) {
  for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos;) {
    text.replace(at, 2, "|");
  }
  return text;
}

class Program {
 public:
  Program(const std::string& settings_file, double minute) : world_() {
    world_.settings_file = settings_file;
    world_.clock = Fake_Clock(Fake_Clock::monday_morning + minute / (24.0 * 60.0));
  }

  void Start(const std::string& medium) {
    Window_Services services = world_.Services();
    if (medium == "system") {
      services.locate_medium = Removable_Medium_Root;
    } else {
      services.locate_medium = [medium] { return std::optional<std::string>(medium); };
    }
    presenter_ = std::make_unique<Main_Presenter>(services, view_);
    view_.radio_selected = Radio_Clicks_Of(*presenter_);
    presenter_->FormShow();
    presenter_->Timer1Timer();
  }

  void Setup(const std::string& log, int top, int left, int width, int height) {
    view_.Set_Checked(Main_Control::Log_to_File_RadioButton, true);
    view_.Set_Text(Main_Control::Log_File_Name_EditBox, log);
    view_.Set_Checked(Main_Control::Write_Stop_Count_CheckBox, true);
    if (!view_.Checked(Main_Control::Expert_Mode_Option)) presenter_->Expert_Mode_OptionClick();
    if (!view_.Checked(Main_Control::Always_On_Top_Option)) {
      presenter_->Always_On_Top_OptionClick();
    }
    presenter_->Reset_Log_ButtonClick();
    view_.Set_Window_Top(top);
    view_.Set_Window_Left(left);
    view_.Set_Client_Size(width, height);
  }

  void Run(long centi_seconds) {
    presenter_->Start_Stop_Resume_BitBtnClick();
    world_.clock.Advance_Centi_Seconds(centi_seconds);
    presenter_->Timer1Timer();
    presenter_->Start_Stop_Resume_BitBtnClick();
  }

  void Copy_To() { presenter_->Copy_Stopwatch_Times_to_FloppyDisk_OptionClick(); }
  void Copy_From(bool answer_yes) {
    world_.boxes.answer_yes = answer_yes;
    presenter_->Copy_Stopwatch_Times_From_FloppyDisk_OptionClick();
  }

  void Show() const {
    const Stopwatch& watch = presenter_->stopwatch();
    std::printf("elapsed=%.2f\n", watch.elapsed_centi_seconds());
    std::printf("stops=%d\n", static_cast<int>(watch.stop_count()));
    std::printf("original_start=%.10f\n", watch.original_start_date_time());
    std::printf("caption=%s\n", watch.start_stop_resume_caption().c_str());
    std::printf("place=%d %d %d %d\n", view_.Window_Top(), view_.Window_Left(),
                view_.Client_Width(), view_.Client_Height());
    const auto flag = [this](Main_Control control) { return view_.Checked(control) ? 1 : 0; };
    std::printf("options=log:%d nolog:%d count:%d expert:%d on_top:%d\n",
                flag(Main_Control::Log_to_File_RadioButton),
                flag(Main_Control::Do_Not_Log_RadioButton),
                flag(Main_Control::Write_Stop_Count_CheckBox),
                flag(Main_Control::Expert_Mode_Option), flag(Main_Control::Always_On_Top_Option));
    std::printf("log=%s\n", view_.Text(Main_Control::Log_File_Name_EditBox).c_str());
  }

  // The user's close; false when it did not close.
  bool Close() { return presenter_->Close_Requested(); }

  int Report_Boxes() const {
    int errors = 0;
    for (const auto& box : world_.boxes.shown) {
      std::printf("box %s: %s\n", box.kind.c_str(), One_Line(box.text).c_str());
      if (box.kind == "Error") ++errors;
    }
    return errors;
  }

 private:
  Fake_Window_Services world_;
  Recording_Main_View view_;
  std::unique_ptr<Main_Presenter> presenter_;
};

int Drive(int argc, char** argv) {
  if (argc < 4) return Usage();
  const std::string command = argv[3];
  Program program(argv[1], std::atof(argv[2]));
  const auto arg = [&](int index) { return std::string(index < argc ? argv[index] : ""); };
  const auto number = [&](int index) { return std::atoi(arg(index).c_str()); };

  if (command == "setup" && argc == 9) {
    program.Start(".");
    program.Setup(arg(4), number(5), number(6), number(7), number(8));
  } else if (command == "run" && argc == 5) {
    program.Start(".");
    program.Run(std::atol(argv[4]));
  } else if (command == "copy-to" && argc == 5) {
    program.Start(arg(4));
    program.Copy_To();
  } else if (command == "copy-from" && argc == 6) {
    program.Start(arg(4));
    program.Copy_From(arg(5) == "yes");
  } else if (command == "show" && argc == 4) {
    program.Start(".");
    program.Show();
    return program.Report_Boxes() == 0 ? 0 : 1;
  } else {
    return Usage();
  }
  const bool closed = program.Close();
  const int errors = program.Report_Boxes();
  if (!closed) std::printf("not closed\n");
  return closed && errors == 0 ? 0 : 1;
}

}  // namespace
}  // namespace velmaric::testing

int main(int argc, char** argv) {
  return velmaric::testing::Drive(argc, argv);
}
