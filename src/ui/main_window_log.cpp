// The main window's logging commands: the logging choice, the log file, the
// snapshots and the clipboard copy.

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "log/log_commands.h"
#include "settings/ini_file.h"
#include "ui/control_style.h"
#include "ui/log_file_dialog.h"
#include "ui/log_name_validator.h"
#include "ui/main_window.h"

namespace velmaric {
namespace {

constexpr const char* unusable_log_name =
    "The chosen file name contains a line break or a NUL character and can NOT be used for the "
    "Log file.  (The Log file name has NOT been changed)";
constexpr const char* ambiguous_log_name =
    "The chosen file name can NOT be told apart from another name in its folder and can NOT be "
    "used for the Log file.  (The Log file name has NOT been changed)";

// The dialog shows file names through the system's decoding, which turns
// bytes that are not UTF-8 into replacement characters, and answers with
// the name it showed: a name of no file. Each level of the answer that
// shows such a character is looked up among its folder's entries by the
// name the dialog showed for it, so the bytes on the disk come back; nothing
// when two entries show alike and the choice cannot be told.
std::optional<std::string> Name_On_Disk(const File_System& files, const QString& chosen) {
  std::string name;
  const QStringList levels = chosen.split(QLatin1Char('/'));
  for (qsizetype i = 0; i < levels.size(); ++i) {
    std::string level = QFile::encodeName(levels[i]).toStdString();
    if (levels[i].contains(QChar::ReplacementCharacter)) {
      int alike = 0;
      for (const std::string& entry : files.Folder_Entries(name.empty() ? "./" : name)) {
        if (QFile::decodeName(QByteArray::fromStdString(entry)) == levels[i]) {
          level = entry;
          ++alike;
        }
      }
      if (alike > 1) return std::nullopt;
    }
    name += level;
    if (i + 1 < levels.size()) name += '/';
  }
  return name;
}

}  // namespace

void TMainForm1::Connect_Log_Handlers() {
  log_name_validator_ = new Log_Name_Validator(Log_File_Name_EditBox);
  Log_File_Name_EditBox->installEventFilter(this);
  connect(Select_Log_File_BitBtn, &QPushButton::clicked, this,
          &TMainForm1::Select_Log_File_BitBtnClick);
  connect(Select_Log_File_Option, &QAction::triggered, this,
          &TMainForm1::Select_Log_File_BitBtnClick);
  connect(Reset_Log_Button, &QPushButton::clicked, this, &TMainForm1::Reset_Log_ButtonClick);
  connect(View_Log_Button, &QPushButton::clicked, this, &TMainForm1::View_Log_ButtonClick);
  connect(Snap_Shot_Since_Resume_Button, &QPushButton::clicked, this,
          &TMainForm1::Snap_Shot_Since_Resume_ButtonClick);
  connect(Snap_Shot_Since_Start_Button, &QPushButton::clicked, this,
          &TMainForm1::Snap_Shot_Since_Start_ButtonClick);
  connect(Copy_Elapsed_Time_To_Clipboard_Option, &QAction::triggered, this,
          &TMainForm1::Copy_Elapsed_Time_To_Clipboard_OptionClick);
}

Log_Settings TMainForm1::Current_Log_Settings() const {
  Log_Settings log;
  log.logging_on = Log_to_File_RadioButton->isChecked();
  log.file_name = Log_File_Name();
  log.time_only = Write_Time_to_Log_Only_CheckBox->isChecked();
  log.count_column = Write_Stop_Count_CheckBox->isChecked();
  log.settings_file = settings_.Settings_File_Name();
  if (Lies_On_Medium(files_, log.file_name, locate_medium_)) log.links = Links::refuse;
  return log;
}

void TMainForm1::Write_Stop_Entry() {
  Write_Log_Entry(files_, kind_stop, Current_Log_Settings(), stopwatch_, clock_);
}

void TMainForm1::Append_Reset_Marker() {
  velmaric::Append_Reset_Marker(files_, Current_Log_Settings());
}

void TMainForm1::Log_to_File_RadioButtonClick() {
  Log_File_Name_EditBox->setEnabled(true);
  Set_Background(Log_File_Name_EditBox, Window_Colour());
}

void TMainForm1::Do_Not_Log_RadioButtonClick() {
  Log_File_Name_EditBox->setEnabled(false);
  Set_Grey_Background(Log_File_Name_EditBox);
}

void TMainForm1::Select_Log_File_BitBtnClick() {
  Choose_Log_File();
}

void TMainForm1::Choose_Log_File() {
  std::optional<std::string> chosen;
  if (choose_log_file_) {
    chosen = choose_log_file_(last_log_choice_);
  } else if (const std::optional<QString> answer = Ask_For_Log_File(
                 this, OpenDialog1->property("filter").toString(), last_log_choice_)) {
    chosen = Name_On_Disk(files_, *answer);
    if (!chosen) {
      boxes_.Information(ambiguous_log_name);
      return;
    }
  }
  if (!chosen) return;
  // The name is stored on a line of the settings file, where a line break
  // would start a line of the name's choosing.
  if (!Fits_On_One_Line(*chosen)) {
    boxes_.Information(unusable_log_name);
    return;
  }
  last_log_choice_ = *chosen;
  // Taken whole, whatever its length; logging is not switched on by it.
  Set_Log_File_Name(*chosen);
}

void TMainForm1::Reset_Log_ButtonClick() {
  Run_Command([this] {
    Reset_Log(files_, Current_Log_Settings(), Expert_Mode_Option->isChecked(), boxes_);
  });
}

void TMainForm1::View_Log_ButtonClick() {
  Run_Command([this] { View_Log(files_, Current_Log_Settings(), editor_, boxes_); });
}

void TMainForm1::Snap_Shot_Since_Resume_ButtonClick() {
  Run_Command([this] {
    Write_Log_Entry(files_, kind_snap_shot, Current_Log_Settings(), stopwatch_, clock_);
    run_guard_.Refresh(stopwatch_);
  });
}

void TMainForm1::Snap_Shot_Since_Start_ButtonClick() {
  Run_Command([this] {
    Write_Log_Entry(files_, kind_original_start, Current_Log_Settings(), stopwatch_, clock_);
    run_guard_.Refresh(stopwatch_);
  });
}

void TMainForm1::Copy_Elapsed_Time_To_Clipboard_OptionClick() {
  // The total at the moment of the copy.
  stopwatch_.Catch_Up();
  Refresh_Fields();
  Copy_Edit_Box->selectAll();
  Copy_Edit_Box->copy();
}

}  // namespace velmaric
