// The main window's controls, menu, timer and dialog, created in the order
// the layout record lists them. What each control is and shows comes from
// the window's description in src/forms.

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include "forms/main_form_design.h"
#include "ui/control_style.h"
#include "ui/form_builder.h"
#include "ui/main_window.h"

namespace velmaric {

template <typename T>
T* TMainForm1::Add(T* object, const char* name) {
  object->setObjectName(QString::fromLatin1(name));
  Add_Component(object, nullptr);
  return object;
}

void TMainForm1::Add_Component(QObject* object, QWidget* control) {
  components_.push_back({object, control});
}

void TMainForm1::Create_Controls() {
  const forms::Form_Design& form = forms::Main_Form();
  client = new QWidget(this);
  client->setObjectName(QString::fromLatin1(form.client_name));
  client->setMinimumSize(form.smallest_client_size.width, form.smallest_client_size.height);
  Set_Background(client, Colour_Of(form.background));
  setCentralWidget(client);
  for (QWidget* control : Build_Controls(form, client)) Add_Component(control, control);

  Bind(Bevel1, client, "Bevel1");
  Bind(Label2, client, "Label2");
  Bind(Date_Time_Edit, client, "Date_Time_Edit");
  Bind(Label3, client, "Label3");
  Bind(Elapsed_Secs_Edit, client, "Elapsed_Secs_Edit");
  Bind(Label4, client, "Label4");
  Bind(Elapsed_Mins_Edit, client, "Elapsed_Mins_Edit");
  Bind(Label5, client, "Label5");
  Bind(Elapsed_Hours_Edit, client, "Elapsed_Hours_Edit");
  Bind(Label6, client, "Label6");
  Bind(Copy_Edit_Box, client, "Copy_Edit_Box");
  Bind(Control_Label, client, "Control_Label");
  Bind(RadioGroup1, client, "RadioGroup1");
  Bind(Log_to_File_RadioButton, client, "Log_to_File_RadioButton");
  Bind(Select_Log_File_BitBtn, client, "Select_Log_File_BitBtn");
  Bind(Log_File_Name_EditBox, client, "Log_File_Name_EditBox");
  Bind(Do_Not_Log_RadioButton, client, "Do_Not_Log_RadioButton");
  Bind(Reset_Log_Button, client, "Reset_Log_Button");
  Bind(View_Log_Button, client, "View_Log_Button");
  Bind(Write_Time_to_Log_Only_CheckBox, client, "Write_Time_to_Log_Only_CheckBox");
  Bind(Write_Stop_Count_CheckBox, client, "Write_Stop_Count_CheckBox");
  Bind(Stops_Since_Last_Reset_SpinEdit, client, "Stops_Since_Last_Reset_SpinEdit");
  Bind(Start_Stop_Resume_BitBtn, client, "Start_Stop_Resume_BitBtn");
  Bind(Snap_Shot_Since_Start_Button, client, "Snap_Shot_Since_Start_Button");
  Bind(Snap_Shot_Since_Resume_Button, client, "Snap_Shot_Since_Resume_Button");
  Bind(Reset_BitBtn, client, "Reset_BitBtn");
  Bind(Exit_BitBtn, client, "Exit_BitBtn");
  Bind(Scaling_ListBox, client, "Scaling_ListBox");
}

void TMainForm1::Create_Menu() {
  QMenuBar* const bar = menuBar();
  for (QObject* item : Build_Menu(forms::Main_Form(), bar)) Add_Component(item, nullptr);

  Bind(FileMenu, bar, "FileMenu");
  Bind(Copy_Elapsed_Time_To_Clipboard_Option, bar, "Copy_Elapsed_Time_To_Clipboard_Option");
  Bind(Copy_Stopwatch_Times_to_FloppyDisk_Option, bar, "Copy_Stopwatch_Times_to_FloppyDisk_Option");
  Bind(Copy_Stopwatch_Times_From_FloppyDisk_Option, bar,
       "Copy_Stopwatch_Times_From_FloppyDisk_Option");
  Bind(Select_Log_File_Option, bar, "Select_Log_File_Option");
  Bind(Expert_Mode_Option, bar, "Expert_Mode_Option");
  Bind(Always_On_Top_Option, bar, "Always_On_Top_Option");
  Bind(Auto_Run_at_Windows_Startup_Option, bar, "Auto_Run_at_Windows_Startup_Option");
  Bind(Restore_Factory_Defaults_Option, bar, "Restore_Factory_Defaults_Option");
  Bind(Exit1, bar, "Exit1");
  Bind(HelpMenu, bar, "HelpMenu");
  Bind(View_Readme_file_Option, bar, "View_Readme_file_Option");
  Bind(View_Shareware_Catalog_Option, bar, "View_Shareware_Catalog_Option");
  Bind(AboutOption, bar, "AboutOption");
  Bind(SpareMenu, bar, "SpareMenu");
}

void TMainForm1::Create_Timer() {
  Timer1 = Add(new QTimer(this), "Timer1");
  // Armed anew at every tick for the next change of a shown text; precise,
  // so that it never wakes before the second it waits for has turned.
  Timer1->setTimerType(Qt::PreciseTimer);
  Timer1->setSingleShot(true);
  Timer1->setInterval(1);
}

void TMainForm1::Create_Dialog() {
  // The file dialog itself is built when it is needed: building it at
  // start-up would cost more than the rest of the window together.
  OpenDialog1 = Add(new QObject(this), "OpenDialog1");
  OpenDialog1->setProperty(
      "filter", QStringLiteral("All Files (*.*);;Text Files (*.txt);;Log Files (*.log)"));
}

void TMainForm1::Set_Tab_Order() {
  Apply_Tab_Order(forms::Main_Form(), client);
}

void TMainForm1::Name_Controls_For_Assistive_Technology() {
  // Controls that show no words of their own carry a short name in the
  // table; the others are named by their caption, or else by their hint,
  // which then is not repeated as the description.
  Name_For_Assistive_Technology(forms::Main_Form(), client);
}

}  // namespace velmaric
