// The main window's side of the log: the file dialog, whose answer must be
// turned back into the bytes of a name on the disk, and the clipboard.

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include "ui/log_file_dialog.h"
#include "ui/log_name_validator.h"
#include "ui/main_window.h"

namespace velmaric {
namespace {

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
  using P = Main_Presenter;
  On(Select_Log_File_BitBtn, &QPushButton::clicked, &P::Select_Log_File_BitBtnClick);
  On(Select_Log_File_Option, &QAction::triggered, &P::Select_Log_File_BitBtnClick);
  On(Reset_Log_Button, &QPushButton::clicked, &P::Reset_Log_ButtonClick);
  On(View_Log_Button, &QPushButton::clicked, &P::View_Log_ButtonClick);
  On(Snap_Shot_Since_Resume_Button, &QPushButton::clicked, &P::Snap_Shot_Since_Resume_ButtonClick);
  On(Snap_Shot_Since_Start_Button, &QPushButton::clicked, &P::Snap_Shot_Since_Start_ButtonClick);
  On(Copy_Elapsed_Time_To_Clipboard_Option, &QAction::triggered,
     &P::Copy_Elapsed_Time_To_Clipboard_OptionClick);
}

std::optional<std::string> TMainForm1::Choose_Log_File(const std::string& last_choice) {
  const std::optional<QString> answer =
      Ask_For_Log_File(this, OpenDialog1->property("filter").toString(), last_choice);
  if (!answer) return std::nullopt;
  std::optional<std::string> chosen = Name_On_Disk(files_, *answer);
  if (!chosen) boxes_.Information(ambiguous_log_name);
  return chosen;
}

void TMainForm1::Copy_To_Clipboard(const std::string& text) {
  Set_Text(Main_Control::Copy_Edit_Box, text);
  Copy_Edit_Box->selectAll();
  Copy_Edit_Box->copy();
}

}  // namespace velmaric
