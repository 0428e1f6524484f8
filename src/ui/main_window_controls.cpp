// The main window's controls, menu, timer and dialog, created in the order
// the layout record lists them.

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <utility>

#include "core/window_place.h"
#include "ui/control_style.h"
#include "ui/main_window.h"
#include "ui/stop_count_spin_box.h"

namespace velmaric {
namespace {

QLineEdit* Read_Only_Edit(QWidget* parent, const QString& text, const QString& hint) {
  auto* edit = new QLineEdit(text, parent);
  edit->setReadOnly(true);
  edit->setToolTip(hint);
  Set_Background(edit, Inactive_Border_Colour());
  return edit;
}

QPushButton* Picture_Button(QWidget* parent, const QString& caption, const char* glyph,
                            const QString& hint) {
  auto* button = new QPushButton(QIcon(QStringLiteral(":/velmaric/glyph-") +
                                       QString::fromLatin1(glyph) + QStringLiteral(".png")),
                                 caption, parent);
  button->setToolTip(hint);
  return button;
}

}  // namespace

template <typename T>
T* TMainForm1::Add(T* object, const char* name) {
  object->setObjectName(QString::fromLatin1(name));
  components_.push_back({object, nullptr});
  return object;
}

template <typename T>
T* TMainForm1::Add_Control(T* control, const char* name, QRect geometry, bool bold) {
  control->setObjectName(QString::fromLatin1(name));
  Set_Design_Font(control, bold);
  control->setGeometry(geometry);
  components_.push_back({control, control});
  return control;
}

void TMainForm1::Create_Controls() {
  client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setMinimumSize(smallest_client_width, smallest_client_height);
  Set_Background(client, Button_Face_Colour());
  setCentralWidget(client);
  QWidget* const c = client;

  Bevel1 = Add_Control(new QFrame(c), "Bevel1", {4, 4, 433, 365});
  Bevel1->setFrameShape(QFrame::Box);
  Bevel1->setFrameShadow(QFrame::Sunken);
  Label2 = Add_Control(new QLabel(QStringLiteral("Current Date / Time :"), c), "Label2",
                       {8, 16, 127, 17});
  Date_Time_Edit = Add_Control(Read_Only_Edit(c, QStringLiteral(" ... ../../.. 00:00:00"),
                                              QStringLiteral("Current Date & Time")),
                               "Date_Time_Edit", {188, 8, 238, 25});
  Label3 = Add_Control(new QLabel(QStringLiteral("Elapsed Time in Seconds :"), c), "Label3",
                       {8, 48, 154, 17});
  Elapsed_Secs_Edit = Add_Control(
      Read_Only_Edit(c, QStringLiteral(" 0.0"), QStringLiteral("Elapsed Time in Seconds")),
      "Elapsed_Secs_Edit", {245, 40, 113, 25});
  Label4 = Add_Control(new QLabel(QStringLiteral("Elapsed Time in Minutes :"), c), "Label4",
                       {8, 80, 152, 17});
  Elapsed_Mins_Edit = Add_Control(
      Read_Only_Edit(c, QStringLiteral(" 0.0"), QStringLiteral("Elapsed Time in Minutes")),
      "Elapsed_Mins_Edit", {245, 72, 113, 25});
  Label5 = Add_Control(new QLabel(QStringLiteral("Elapsed Time in Hours :"), c), "Label5",
                       {8, 112, 141, 17});
  Elapsed_Hours_Edit = Add_Control(
      Read_Only_Edit(c, QStringLiteral(" 0.0"), QStringLiteral("Elapsed Time in Hours")),
      "Elapsed_Hours_Edit", {245, 104, 113, 25});
  Label6 = Add_Control(new QLabel(QStringLiteral("Elapsed Time in DD.HH:MM:SS.HH :"), c), "Label6",
                       {8, 140, 227, 17});
  Copy_Edit_Box =
      Add_Control(Read_Only_Edit(c, QStringLiteral(" 00:00:00:00.00"),
                                 QStringLiteral("Elapsed Time in DD.HH:MM:SS.HH format.")),
                  "Copy_Edit_Box", {245, 136, 113, 25});
  Control_Label = Add_Control(new QLabel(QString::fromLatin1(label_design), c), "Control_Label",
                              {100, 160, 95, 17}, true);
  Control_Label->setVisible(false);

  RadioGroup1 = Add_Control(new QGroupBox(QStringLiteral("Logging Options :"), c), "RadioGroup1",
                            {8, 176, 421, 149});
  Log_to_File_RadioButton = Add_Control(new QRadioButton(QStringLiteral("Log to file : "), c),
                                        "Log_to_File_RadioButton", {16, 204, 93, 17});
  Select_Log_File_BitBtn =
      Add_Control(Picture_Button(c, QString(), "select-log", QStringLiteral("Select Log File")),
                  "Select_Log_File_BitBtn", {112, 200, 25, 25});
  Log_File_Name_EditBox =
      Add_Control(new QLineEdit(c), "Log_File_Name_EditBox", {140, 200, 285, 25});
  Log_File_Name_EditBox->setEnabled(false);
  Set_Grey_Background(Log_File_Name_EditBox);
  Do_Not_Log_RadioButton = Add_Control(new QRadioButton(QStringLiteral("Do NOT Log to file."), c),
                                       "Do_Not_Log_RadioButton", {16, 236, 145, 17});
  Do_Not_Log_RadioButton->setChecked(true);
  Reset_Log_Button = Add_Control(new QPushButton(QStringLiteral("Reset Log"), c),
                                 "Reset_Log_Button", {256, 232, 81, 25}, true);
  Reset_Log_Button->setToolTip(QStringLiteral("Erase and Reset the Stop Watch Log File"));
  View_Log_Button = Add_Control(new QPushButton(QStringLiteral("View Log"), c), "View_Log_Button",
                                {344, 232, 81, 25}, true);
  View_Log_Button->setToolTip(QStringLiteral("View / Edit the Stop Watch Log file."));
  Write_Time_to_Log_Only_CheckBox =
      Add_Control(new QCheckBox(QStringLiteral("Write HHH:MM:SS.HHH to Log File only"), c),
                  "Write_Time_to_Log_Only_CheckBox", {16, 268, 289, 17});
  Write_Stop_Count_CheckBox =
      Add_Control(new QCheckBox(QStringLiteral("Log the number Stops since the last Reset"), c),
                  "Write_Stop_Count_CheckBox", {16, 296, 289, 17});
  Stops_Since_Last_Reset_SpinEdit = Add_Control(
      new Stop_Count_Spin_Box(c), "Stops_Since_Last_Reset_SpinEdit", {324, 291, 73, 27});
  Set_Background(Stops_Since_Last_Reset_SpinEdit, Menu_Colour());

  Start_Stop_Resume_BitBtn = Add_Control(
      Picture_Button(
          c, QString::fromLatin1(caption_start), "start-stop",
          QStringLiteral("Multi-function button to Start / Stop / Resume the Stop Watch.")),
      "Start_Stop_Resume_BitBtn", {16, 332, 88, 32}, true);
  Snap_Shot_Since_Start_Button = Add_Control(
      Picture_Button(c, QString(), "snapshot-start",
                     QStringLiteral("Write elapsed time since original Start to LOG File.")),
      "Snap_Shot_Since_Start_Button", {120, 332, 41, 33});
  Snap_Shot_Since_Start_Button->setFlat(true);
  Snap_Shot_Since_Start_Button->setFocusPolicy(Qt::NoFocus);
  Snap_Shot_Since_Resume_Button = Add_Control(
      Picture_Button(c, QString(), "snapshot-resume",
                     QStringLiteral("Write elapsed time since last Resume to LOG File.")),
      "Snap_Shot_Since_Resume_Button", {176, 332, 41, 33});
  Snap_Shot_Since_Resume_Button->setFlat(true);
  // Flat picture buttons are clicked, never tabbed to: the keyboard's cycle
  // ends on Start / Stop / Resume and wraps to the copy box.
  Snap_Shot_Since_Resume_Button->setFocusPolicy(Qt::NoFocus);
  Reset_BitBtn = Add_Control(
      Picture_Button(c, QStringLiteral("&Reset"), "reset",
                     QStringLiteral("Reset the Stop Watch counters (NOT the log file) to 0.")),
      "Reset_BitBtn", {232, 332, 88, 32}, true);
  Exit_BitBtn = Add_Control(Picture_Button(c, QStringLiteral("&Exit"), "exit",
                                           QStringLiteral("Stop and Exit this program")),
                            "Exit_BitBtn", {336, 332, 88, 32}, true);
  Scaling_ListBox = Add_Control(new QListWidget(c), "Scaling_ListBox", {440, 104, 37, 43});
  Scaling_ListBox->setVisible(false);
}

void TMainForm1::Create_Menu() {
  QMenuBar* const MainMenu1 = Add(menuBar(), "MainMenu1");
  const auto item = [this](QMenu* menu, const char* name, const QString& caption) {
    QAction* action = Add(menu->addAction(caption), name);
    return action;
  };
  const auto separator = [this](QMenu* menu, const char* name) { Add(menu->addSeparator(), name); };

  FileMenu = Add(MainMenu1->addMenu(QStringLiteral("&File")), "FileMenu");
  Copy_Elapsed_Time_To_Clipboard_Option = item(FileMenu, "Copy_Elapsed_Time_To_Clipboard_Option",
                                               QStringLiteral("&Copy Elapsed Time To Clipboard"));
  separator(FileMenu, "N1");
  Copy_Stopwatch_Times_to_FloppyDisk_Option =
      item(FileMenu, "Copy_Stopwatch_Times_to_FloppyDisk_Option",
           QStringLiteral("Copy Stopwatch Times &To Floppy Disk A:"));
  Copy_Stopwatch_Times_From_FloppyDisk_Option =
      item(FileMenu, "Copy_Stopwatch_Times_From_FloppyDisk_Option",
           QStringLiteral("Copy Stopwatch Times &From Floppy Disk A:"));
  separator(FileMenu, "N2");
  Select_Log_File_Option =
      item(FileMenu, "Select_Log_File_Option", QStringLiteral("&Select Log File"));
  separator(FileMenu, "N3");
  Expert_Mode_Option = item(FileMenu, "Expert_Mode_Option",
                            QStringLiteral("Expert Mode (Turn Off message prompts)."));
  Expert_Mode_Option->setCheckable(true);
  separator(FileMenu, "N4");
  Always_On_Top_Option = item(FileMenu, "Always_On_Top_Option", QStringLiteral("Always on Top"));
  Always_On_Top_Option->setCheckable(true);
  Auto_Run_at_Windows_Startup_Option = item(FileMenu, "Auto_Run_at_Windows_Startup_Option",
                                            QStringLiteral("Auto-Run at Windows Startup"));
  Auto_Run_at_Windows_Startup_Option->setCheckable(true);
  Restore_Factory_Defaults_Option =
      item(FileMenu, "Restore_Factory_Defaults_Option", QStringLiteral("Restore Factory Defaults"));
  separator(FileMenu, "N5");
  Exit1 = item(FileMenu, "Exit1", QStringLiteral("E&xit"));

  HelpMenu = Add(MainMenu1->addMenu(QStringLiteral("&Help")), "HelpMenu");
  View_Readme_file_Option =
      item(HelpMenu, "View_Readme_file_Option", QStringLiteral("&View Readme file"));
  View_Shareware_Catalog_Option =
      item(HelpMenu, "View_Shareware_Catalog_Option", QStringLiteral("View &Shareware Catalog"));
  separator(HelpMenu, "N6");
  AboutOption = item(HelpMenu, "AboutOption", QStringLiteral("&About"));

  SpareMenu = Add(MainMenu1->addAction(QString()), "SpareMenu");
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
  const std::vector<QWidget*> order = {Copy_Edit_Box,
                                       Do_Not_Log_RadioButton,
                                       Log_to_File_RadioButton,
                                       Log_File_Name_EditBox,
                                       Reset_Log_Button,
                                       View_Log_Button,
                                       Select_Log_File_BitBtn,
                                       Write_Time_to_Log_Only_CheckBox,
                                       Elapsed_Secs_Edit,
                                       Elapsed_Mins_Edit,
                                       Elapsed_Hours_Edit,
                                       Date_Time_Edit,
                                       Stops_Since_Last_Reset_SpinEdit,
                                       Write_Stop_Count_CheckBox,
                                       Exit_BitBtn,
                                       Reset_BitBtn,
                                       Start_Stop_Resume_BitBtn};
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void TMainForm1::Name_Controls_For_Assistive_Technology() {
  // Controls that show no words of their own get a short name; the others
  // are named by their caption, or else by their hint, which then is not
  // repeated as the description.
  const std::pair<QWidget*, const char*> unnamed[] = {
      {Snap_Shot_Since_Start_Button, "Snapshot since the original Start"},
      {Snap_Shot_Since_Resume_Button, "Snapshot since the last Resume"},
      {Select_Log_File_BitBtn, "Select Log File"},
      {Log_File_Name_EditBox, "Log file name"},
      {Stops_Since_Last_Reset_SpinEdit, "Stops since the last Reset"},
  };
  for (const auto& [control, name] : unnamed) control->setAccessibleName(QString::fromLatin1(name));
  for (const Component& component : components_) {
    QWidget* const control = component.control;
    if (control == nullptr || !control->accessibleName().isEmpty()) continue;
    QString caption;
    if (auto* button = qobject_cast<QAbstractButton*>(control)) caption = button->text();
    if (auto* group = qobject_cast<QGroupBox*>(control)) caption = group->title();
    caption.remove(QLatin1Char('&'));
    caption = caption.trimmed();
    if (caption.endsWith(QLatin1Char(':'))) caption.chop(1);
    caption = caption.trimmed();
    if (!caption.isEmpty()) {
      control->setAccessibleName(caption);
      control->setAccessibleDescription(control->toolTip());
    } else if (!control->toolTip().isEmpty()) {
      control->setAccessibleName(control->toolTip());
    }
  }
}

}  // namespace velmaric
