// The controls' states as the presenter sets and reads them, by their
// design names.

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "ui/control_style.h"
#include "ui/log_name_validator.h"
#include "ui/main_window.h"

namespace velmaric {

QObject* TMainForm1::Object_Of(Main_Control control) const {
  switch (control) {
    case Main_Control::MainForm1:
      break;
    case Main_Control::Date_Time_Edit:
      return Date_Time_Edit;
    case Main_Control::Elapsed_Secs_Edit:
      return Elapsed_Secs_Edit;
    case Main_Control::Elapsed_Mins_Edit:
      return Elapsed_Mins_Edit;
    case Main_Control::Elapsed_Hours_Edit:
      return Elapsed_Hours_Edit;
    case Main_Control::Copy_Edit_Box:
      return Copy_Edit_Box;
    case Main_Control::Control_Label:
      return Control_Label;
    case Main_Control::Start_Stop_Resume_BitBtn:
      return Start_Stop_Resume_BitBtn;
    case Main_Control::Snap_Shot_Since_Start_Button:
      return Snap_Shot_Since_Start_Button;
    case Main_Control::Snap_Shot_Since_Resume_Button:
      return Snap_Shot_Since_Resume_Button;
    case Main_Control::Stops_Since_Last_Reset_SpinEdit:
      return Stops_Since_Last_Reset_SpinEdit;
    case Main_Control::Log_to_File_RadioButton:
      return Log_to_File_RadioButton;
    case Main_Control::Do_Not_Log_RadioButton:
      return Do_Not_Log_RadioButton;
    case Main_Control::Log_File_Name_EditBox:
      return Log_File_Name_EditBox;
    case Main_Control::Write_Time_to_Log_Only_CheckBox:
      return Write_Time_to_Log_Only_CheckBox;
    case Main_Control::Write_Stop_Count_CheckBox:
      return Write_Stop_Count_CheckBox;
    case Main_Control::Expert_Mode_Option:
      return Expert_Mode_Option;
    case Main_Control::Always_On_Top_Option:
      return Always_On_Top_Option;
    case Main_Control::Auto_Run_at_Windows_Startup_Option:
      return Auto_Run_at_Windows_Startup_Option;
    case Main_Control::SpareMenu:
      return SpareMenu;
  }
  return const_cast<TMainForm1*>(this);
}

std::string TMainForm1::Text(Main_Control control) const {
  if (control == Main_Control::Log_File_Name_EditBox) {
    // Bytes that are not UTF-8 show as replacement characters; the name the
    // box shows stands for the bytes until the user edits it.
    const QString shown = Log_File_Name_EditBox->text();
    return shown == QString::fromStdString(log_file_name_) ? log_file_name_ : shown.toStdString();
  }
  const QObject* const object = Object_Of(control);
  QString text;
  if (const auto* edit = qobject_cast<const QLineEdit*>(object)) {
    text = edit->text();
  } else if (const auto* label = qobject_cast<const QLabel*>(object)) {
    text = label->text();
  } else if (const auto* button = qobject_cast<const QAbstractButton*>(object)) {
    text = button->text();
  } else if (const auto* action = qobject_cast<const QAction*>(object)) {
    text = action->text();
  } else if (const auto* spin = qobject_cast<const QSpinBox*>(object)) {
    text = spin->text();
  } else {
    text = windowTitle();
  }
  return text.toStdString();
}

void TMainForm1::Set_Text(Main_Control control, const std::string& text) {
  const QString value = QString::fromStdString(text);
  QObject* const object = Object_Of(control);
  if (control == Main_Control::Log_File_Name_EditBox) {
    log_file_name_ = text;
    log_name_validator_->Put_Text(value);
  } else if (auto* edit = qobject_cast<QLineEdit*>(object)) {
    if (edit->text() != value) edit->setText(value);
  } else if (auto* label = qobject_cast<QLabel*>(object)) {
    label->setText(value);
  } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
    button->setText(value);
  } else if (auto* action = qobject_cast<QAction*>(object)) {
    if (action->text() != value) action->setText(value);
  } else if (object == this) {
    setWindowTitle(value);
    setToolTip(QString());
  }
}

void TMainForm1::Set_Value(Main_Control control, std::int32_t value) {
  if (auto* spin = qobject_cast<QSpinBox*>(Object_Of(control))) spin->setValue(value);
}

bool TMainForm1::Checked(Main_Control control) const {
  const QObject* const object = Object_Of(control);
  if (const auto* button = qobject_cast<const QAbstractButton*>(object)) return button->isChecked();
  if (const auto* action = qobject_cast<const QAction*>(object)) return action->isChecked();
  return false;
}

void TMainForm1::Set_Checked(Main_Control control, bool on) {
  QObject* const object = Object_Of(control);
  if (auto* radio = qobject_cast<QRadioButton*>(object)) {
    Select_Radio_Button(radio, on);
  } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
    button->setChecked(on);
  } else if (auto* action = qobject_cast<QAction*>(object)) {
    action->setChecked(on);
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

void TMainForm1::Set_Enabled(Main_Control control, bool on) {
  QObject* const object = Object_Of(control);
  if (auto* action = qobject_cast<QAction*>(object)) {
    action->setEnabled(on);
    return;
  }
  auto* const widget = qobject_cast<QWidget*>(object);
  widget->setEnabled(on);
  // The log name box greys out with logging off.
  if (control == Main_Control::Log_File_Name_EditBox) {
    if (on) {
      Set_Background(widget, Window_Colour());
    } else {
      Set_Grey_Background(widget);
    }
  }
}

void TMainForm1::Set_Visible(Main_Control control, bool on) {
  QObject* const object = Object_Of(control);
  if (auto* action = qobject_cast<QAction*>(object)) {
    if (action->isVisible() != on) action->setVisible(on);
  } else if (auto* widget = qobject_cast<QWidget*>(object)) {
    widget->setVisible(on);
  }
}

}  // namespace velmaric
