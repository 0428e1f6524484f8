// The main window's side of the settings: the values a save reads and a
// load sets, and the window's geometry while it is being un-maximised.

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QMoveEvent>
#include <QRadioButton>
#include <QResizeEvent>
#include <algorithm>

#include "ui/log_name_validator.h"
#include "ui/main_window.h"

namespace velmaric {

void TMainForm1::Show_Normal() {
  restoring_to_ = normalGeometry();
  showNormal();
}

void TMainForm1::resizeEvent(QResizeEvent* event) {
  if (restoring_to_ && (isMaximized() || size() == restoring_to_->size())) {
    restoring_to_.reset();
    maximized_from_.reset();
  }
  Note_Normal_Frame();
  QMainWindow::resizeEvent(event);
}

void TMainForm1::moveEvent(QMoveEvent* event) {
  Note_Normal_Frame();
  QMainWindow::moveEvent(event);
}

void TMainForm1::Note_Normal_Frame() {
  if (isMaximized() || isFullScreen() || restoring_to_ || !isVisible()) return;
  normal_frame_offset_ = geometry().topLeft() - frameGeometry().topLeft();
}

void TMainForm1::changeEvent(QEvent* event) {
  // Restored by the window manager: its place is real again. A restore the
  // program asked for keeps it until the restored size arrives.
  if (event->type() == QEvent::WindowStateChange && !isMaximized() && !restoring_to_) {
    maximized_from_.reset();
  }
  QMainWindow::changeEvent(event);
}

// Far beyond any screen, yet far from where the toolkit's sums overflow; the
// start-up then brings the window onto a screen.
namespace {

int Within_Reach(int coordinate) {
  constexpr int reach = 1 << 20;
  return std::clamp(coordinate, -reach, reach);
}

}  // namespace

void TMainForm1::Set_Window_Top(int top) {
  move(x(), Within_Reach(top));
}

void TMainForm1::Set_Window_Left(int left) {
  move(Within_Reach(left), y());
}

int TMainForm1::Window_Top() const {
  if (!restoring_to_) return y();
  if (maximized_from_) return maximized_from_->y();
  return restoring_to_->top() - normal_frame_offset_.y();
}

int TMainForm1::Window_Left() const {
  if (!restoring_to_) return x();
  if (maximized_from_) return maximized_from_->x();
  return restoring_to_->left() - normal_frame_offset_.x();
}

int TMainForm1::Client_Width() const {
  return restoring_to_ ? restoring_to_->width() : Client_Size().width();
}

int TMainForm1::Client_Height() const {
  return restoring_to_ ? restoring_to_->height() - menuBar()->height() : Client_Size().height();
}

bool TMainForm1::Option(Option_Item item) const {
  switch (item) {
    case Option_Item::Do_Not_Log_RadioButton:
      return Do_Not_Log_RadioButton->isChecked();
    case Option_Item::Log_to_File_RadioButton:
      return Log_to_File_RadioButton->isChecked();
    case Option_Item::Expert_Mode_Option:
      return Expert_Mode_Option->isChecked();
    case Option_Item::Write_Stop_Count_CheckBox:
      return Write_Stop_Count_CheckBox->isChecked();
    case Option_Item::Always_On_Top_Option:
      return Always_On_Top_Option->isChecked();
    case Option_Item::Auto_Run_at_Windows_Startup_Option:
      return Auto_Run_at_Windows_Startup_Option->isChecked();
  }
  return false;
}

void TMainForm1::Set_Option(Option_Item item, bool on) {
  switch (item) {
    case Option_Item::Do_Not_Log_RadioButton:
      Select_Radio_Button(Do_Not_Log_RadioButton, on);
      break;
    case Option_Item::Log_to_File_RadioButton:
      Select_Radio_Button(Log_to_File_RadioButton, on);
      break;
    case Option_Item::Expert_Mode_Option:
      Expert_Mode_Option->setChecked(on);
      break;
    case Option_Item::Write_Stop_Count_CheckBox:
      Write_Stop_Count_CheckBox->setChecked(on);
      break;
    case Option_Item::Always_On_Top_Option:
      Always_On_Top_Option->setChecked(on);
      break;
    case Option_Item::Auto_Run_at_Windows_Startup_Option:
      Auto_Run_at_Windows_Startup_Option->setChecked(on);
      break;
  }
}

void TMainForm1::Select_Radio_Button(QRadioButton* button, bool on) {
  // Both choices may end up unselected, which exclusive buttons refuse.
  QRadioButton* const other =
      button == Do_Not_Log_RadioButton ? Log_to_File_RadioButton : Do_Not_Log_RadioButton;
  button->setAutoExclusive(false);
  other->setAutoExclusive(false);
  if (on) other->setChecked(false);
  button->setChecked(on);
  button->setAutoExclusive(true);
  other->setAutoExclusive(true);
}

std::string TMainForm1::Log_File_Name() const {
  // Bytes that are not UTF-8 show as replacement characters; the name the
  // box shows stands for the bytes until the user edits it.
  const QString shown = Log_File_Name_EditBox->text();
  return shown == QString::fromStdString(log_file_name_) ? log_file_name_ : shown.toStdString();
}

void TMainForm1::Use_Log_File_Name(const std::string& name) {
  Set_Log_File_Name(name);
  try {
    settings_.Save_Log_File_Name(name);
  } catch (...) {
    run_guard_.Settings_Saved(stopwatch_, false);
    throw;
  }
  run_guard_.Settings_Saved(stopwatch_, true);
}

void TMainForm1::Set_Log_File_Name(const std::string& name) {
  log_file_name_ = name;
  log_name_validator_->Put_Text(QString::fromStdString(name));
}

}  // namespace velmaric
