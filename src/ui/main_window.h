#pragma once
// The stopwatch's one window: a thin view over the logic.
//
// Data flow. The window owns no timing logic: a `Stopwatch` (core) holds the
// counter, the time stamps, the run-state captions and the texts of the five
// display fields and the menu-bar clock. `Timer1` ticks the stopwatch only
// when a shown text next changes: every `view_refresh_us` while it runs, at
// the next second of the clock while it stands; the window then copies the
// stopwatch's texts into its fields. A program at rest does no work.
// Button and menu handlers make one call into the logic, inside one guard
// (`Run_Command`) that turns a failure into a single "Error" box, and then
// refresh the view from the logic; the close's save goes through the same
// guard.
//
// The stopwatch hands its stop entry, settings save and reset marker back to
// the window through `Stopwatch_Events`; the window forwards them to the
// settings and log layers. Those never see a control: the log is handed the
// values, the settings read and set them through `Settings_Host` and
// `Disk_Transfer_Host`.
//
// The controls are built from the design tables in src/forms, with the
// object names, captions, hints and design geometry of the window's design
// (441 x 373 client area). They are private: the window's own code is the
// only one that touches them, and tests find them by their object names.
// Every component, including the timer, the menu items and the file dialog,
// is listed in creation order in `components_`; `Capture_Layout` records
// that list once and `Scale_Layout` rescales every control from the record
// on each resize.
//
// The application-wide key and mnemonic routing lives in
// main_window_keys.cpp. The About box fills its own texts from
// product_info.h; the window only opens it.

#include <QMainWindow>
#include <QString>
#include <exception>
#include <functional>
#include <optional>
#include <vector>

#include "core/clock.h"
#include "core/stopwatch.h"
#include "log/log_writer.h"
#include "platform/autostart_folder.h"
#include "platform/editor.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "settings/disk_transfer.h"
#include "settings/run_guard.h"
#include "settings/settings_file.h"
#include "ui/about_box.h"

class QAction;
class QKeySequence;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTimer;

namespace velmaric {

class Log_Name_Validator;

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
  Log_File_Chooser choose_log_file;  // the file-open dialog when empty
  About_Services about;
  Startup_Registry& startup_registry;  // where the start-at-login entry lives
  Medium_Locator locate_medium;        // the removable disk's root, if one is mounted
  std::string boot_identity;           // this boot's, for the run record; empty: unknown
};

class TMainForm1 : public QMainWindow,
                   private Stopwatch_Events,
                   private Settings_Host,
                   private Disk_Transfer_Host {
  Q_OBJECT

 public:
  explicit TMainForm1(const Window_Services& services, QWidget* parent = nullptr);
  ~TMainForm1() override;

  // The show handler: fits and records the layout, restores the settings and
  // applies the window options. Runs when the window is first shown, and
  // again whenever the settings are to be restored from the file.
  void FormShow();
  // The close query: saves everything. When the save fails, the failure is
  // shown and the user asked whether to close without saving: false (the
  // window stays open) for No.
  bool FormCloseQuery();

  // A signal or the end of the session: the program ends, whatever waits.
  // Open boxes are answered at once (questions with No) and no new one is
  // shown; the close runs as soon as the start-up and any command in
  // progress are done. A save that fails then leaves the settings file as
  // it was, is reported on the standard error, and the program ends.
  void Request_End();

  // Handlers, public so that tests and the program's entry can drive them.
  void Timer1Timer();
  // Arms Timer1 for the moment a shown text next changes.
  void Schedule_Next_Tick();
  void Start_Stop_Resume_BitBtnClick();
  void Reset_BitBtnClick();
  void Exit_BitBtnClick();
  void Expert_Mode_OptionClick();
  void Always_On_Top_OptionClick();
  void Log_to_File_RadioButtonClick();
  void Do_Not_Log_RadioButtonClick();
  void Restore_Factory_Defaults_OptionClick();
  void Auto_Run_at_Windows_Startup_OptionClick();
  void Copy_Stopwatch_Times_to_FloppyDisk_OptionClick();
  void Copy_Stopwatch_Times_From_FloppyDisk_OptionClick();
  void Select_Log_File_BitBtnClick();
  void Reset_Log_ButtonClick();
  void View_Log_ButtonClick();
  void Snap_Shot_Since_Resume_ButtonClick();
  void Snap_Shot_Since_Start_ButtonClick();
  void Copy_Elapsed_Time_To_Clipboard_OptionClick();
  void Choose_Log_File();
  void AboutOptionClick();
  void View_Readme_file_OptionClick();
  void View_Shareware_Catalog_OptionClick();
  void SpareMenuClick();
  // A new sign of life in the run record, every Run_Guard::refresh_interval_us.
  void Run_Record_TimerTimer();

  void Capture_Layout();
  void Scale_Layout();
  void Toggle_Always_On_Top();
  void Apply_Startup_Show_State();

  // The client area is the window below its menu bar.
  QSize Client_Size() const;
  void Set_Client_Size(int width, int height);

  const Stopwatch& stopwatch() const { return stopwatch_; }
  Stopwatch& stopwatch() { return stopwatch_; }
  const Settings_File& settings() const { return settings_; }

  // Pushes every text and state of the logic into the controls now.
  void Refresh_View();

  static constexpr std::int64_t view_refresh_us = 40000;

 protected:
  void setVisible(bool visible) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Stopwatch_Events, and the stop line of Settings_Host
  void Write_Stop_Entry() override;
  void Save_Settings() override { Save_And_Guard(false); }
  // Every save of the settings, and what the run record makes of it; a
  // close's save that succeeds ends the record.
  void Save_And_Guard(bool closing);
  // The last step of the start-up: a timing the previous run left running.
  void Recover_Left_Running();
  void Append_Reset_Marker() override;

  // The logging controls as they stand now.
  Log_Settings Current_Log_Settings() const;
  void Connect_Log_Handlers();

  // Settings_Host
  bool Is_Maximized() const override { return isMaximized(); }
  void Show_Normal() override;
  int Window_Top() const override;
  int Window_Left() const override;
  int Client_Width() const override;
  int Client_Height() const override;
  void Set_Window_Top(int top) override;
  void Set_Window_Left(int left) override;
  void Set_Client_Width(int width) override { Set_Client_Size(width, Client_Height()); }
  void Set_Client_Height(int height) override { Set_Client_Size(Client_Width(), height); }
  bool Option(Option_Item item) const override;
  void Set_Option(Option_Item item, bool on) override;
  std::string Log_File_Name() const override;
  void Set_Log_File_Name(const std::string& name) override;

  // Disk_Transfer_Host (with Save_Settings and Log_File_Name above)
  void Process_Pending_Events() override;
  void Restore_Settings() override { FormShow(); }
  std::string Settings_File_Name() const override { return settings_.Settings_File_Name(); }
  void Use_Log_File_Name(const std::string& name) override;

  void Create_Controls();
  void Create_Menu();
  void Create_Timer();
  void Create_Dialog();
  void Connect_Check_Item(QAction* item, void (TMainForm1::*handler)());
  void Set_Tab_Order();
  void Name_Controls_For_Assistive_Technology();
  void Connect_Handlers();
  void Apply_Product_Texts();

  // True when the command ran to its end.
  template <typename Command>
  bool Run_Command(Command&& command);

  void Select_Radio_Button(QRadioButton* button, bool on);
  bool Click_First_Button_With(const QKeySequence& mnemonic);
  void Refresh_Fields();
  void Refresh_Run_State();

  struct Component {
    QObject* object;
    QWidget* control;  // null for components without geometry
  };
  // Lists a component in the layout record: a control with its geometry, or
  // an object without (control null).
  void Add_Component(QObject* object, QWidget* control);
  template <typename T>
  T* Add(T* object, const char* name);

  File_System& files_;
  const Clock& clock_;
  Message_Box& boxes_;
  Editor& editor_;
  std::function<std::string()> executable_path_;
  Startup_Registry& startup_registry_;
  Medium_Locator locate_medium_;
  Log_File_Chooser choose_log_file_;
  std::string last_log_choice_;
  // The log file name as bytes, which need not be UTF-8; the box shows it
  // as well as it can and holds it as long as the user does not edit it.
  std::string log_file_name_;
  Log_Name_Validator* log_name_validator_ = nullptr;
  Stopwatch stopwatch_;
  Settings_File settings_;
  Run_Guard run_guard_;
  std::vector<Component> components_;
  std::optional<std::int64_t> last_view_refresh_us_;
  bool shown_once_ = false;
  // The close's state: the start-up sequence or a command runs (a close
  // asked for then waits), a close waits, the program is ending.
  bool starting_up_ = false;
  int commands_running_ = 0;
  bool close_waiting_ = false;
  bool closing_ = false;
  bool ending_ = false;
  bool Busy() const { return starting_up_ || commands_running_ > 0; }
  void Close_When_Free();
  void Save_At_End();
  // The window's place and size, brought within the screens.
  void Keep_On_Screen();
  // What the frame adds to the window's width and height.
  QSize Frame_Size() const;
  int swallow_key_ = 0;
  // Un-maximising takes effect when the window system says so; until then
  // the normal geometry it goes back to is kept here.
  std::optional<QRect> restoring_to_;
  // The place a window maximized at start came with: until it is restored,
  // the toolkit's own idea of its normal place leaves out the frame.
  std::optional<QPoint> maximized_from_;
  // What the frame adds above and left of the client area while the window
  // is not maximised: a maximised window's frame may have no border, and the
  // normal place is reckoned with the normal frame.
  QPoint normal_frame_offset_;
  void Note_Normal_Frame();

  // The About box, made with the window and shown as often as asked.
  TAboutBox* AboutBox = nullptr;

  // Controls, by their design names.
  QWidget* client = nullptr;
  QFrame* Bevel1 = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* Date_Time_Edit = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* Elapsed_Secs_Edit = nullptr;
  QLabel* Label4 = nullptr;
  QLineEdit* Elapsed_Mins_Edit = nullptr;
  QLabel* Label5 = nullptr;
  QLineEdit* Elapsed_Hours_Edit = nullptr;
  QLabel* Label6 = nullptr;
  QLineEdit* Copy_Edit_Box = nullptr;
  QLabel* Control_Label = nullptr;
  QGroupBox* RadioGroup1 = nullptr;
  QRadioButton* Log_to_File_RadioButton = nullptr;
  QPushButton* Select_Log_File_BitBtn = nullptr;
  QLineEdit* Log_File_Name_EditBox = nullptr;
  QRadioButton* Do_Not_Log_RadioButton = nullptr;
  QPushButton* Reset_Log_Button = nullptr;
  QPushButton* View_Log_Button = nullptr;
  QCheckBox* Write_Time_to_Log_Only_CheckBox = nullptr;
  QCheckBox* Write_Stop_Count_CheckBox = nullptr;
  QSpinBox* Stops_Since_Last_Reset_SpinEdit = nullptr;
  QPushButton* Start_Stop_Resume_BitBtn = nullptr;
  QPushButton* Snap_Shot_Since_Start_Button = nullptr;
  QPushButton* Snap_Shot_Since_Resume_Button = nullptr;
  QPushButton* Reset_BitBtn = nullptr;
  QPushButton* Exit_BitBtn = nullptr;
  QListWidget* Scaling_ListBox = nullptr;
  QTimer* Timer1 = nullptr;
  QTimer* run_record_timer_ = nullptr;
  QObject* OpenDialog1 = nullptr;  // file-open dialog, see Create_Dialog

  QMenu* FileMenu = nullptr;
  QAction* Copy_Elapsed_Time_To_Clipboard_Option = nullptr;
  QAction* Copy_Stopwatch_Times_to_FloppyDisk_Option = nullptr;
  QAction* Copy_Stopwatch_Times_From_FloppyDisk_Option = nullptr;
  QAction* Select_Log_File_Option = nullptr;
  QAction* Expert_Mode_Option = nullptr;
  QAction* Always_On_Top_Option = nullptr;
  QAction* Auto_Run_at_Windows_Startup_Option = nullptr;
  QAction* Restore_Factory_Defaults_Option = nullptr;
  QAction* Exit1 = nullptr;
  QMenu* HelpMenu = nullptr;
  QAction* View_Readme_file_Option = nullptr;
  QAction* View_Shareware_Catalog_Option = nullptr;
  QAction* AboutOption = nullptr;
  QAction* SpareMenu = nullptr;
};

// Runs one command; a failure ends it with one error box, and the view shows
// whatever the command changed before it failed.
template <typename Command>
inline bool TMainForm1::Run_Command(Command&& command) {
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
