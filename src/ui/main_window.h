#pragma once
// The stopwatch's one window under Qt: one view of the main presenter.
//
// Data flow. Everything the window decides lives in `Main_Presenter`
// (src/presenter), which holds the stopwatch, the settings file and the run
// guard and knows no toolkit. The window builds its controls from the
// design tables in src/forms, forwards every Qt event to the presenter (a
// click, a menu command, a timer's timeout, the close box, the first show)
// and implements `Main_View`: the presenter sets and reads the controls'
// texts, check marks and enabled states by their design names, arms the
// window's timers for so many microseconds, asks for the window's place,
// the file dialog, the clipboard and the About box. The presenter copies
// the stopwatch's texts into the fields after every command and at every
// tick it arms: every `view_refresh_us` while it runs, at the next second
// of the clock while it stands. A program at rest does no work.
//
// What stays here is what only a toolkit can do: the widgets themselves,
// the window's real geometry (its frame, its normal place while it is being
// un-maximised, the screens), the layout record (`Capture_Layout` records
// every component of `components_` in creation order once, `Scale_Layout`
// rescales them on each resize, with core/layout_scaling doing the sums),
// the log name box's bytes, the key and mnemonic routing
// (main_window_keys.cpp) and the open boxes an ending program dismisses.
//
// The controls are private: the window's own code is the only one that
// touches them, and tests find them by their object names.

#include <QMainWindow>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "presenter/main_presenter.h"
#include "presenter/main_view.h"
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

class TMainForm1 : public QMainWindow, private Main_View {
  Q_OBJECT

 public:
  explicit TMainForm1(const Window_Services& services, QWidget* parent = nullptr);
  ~TMainForm1() override;

  Main_Presenter& presenter() { return presenter_; }

  // The presenter's handlers that the program's entry and tests drive.
  bool FormCloseQuery() { return presenter_.FormCloseQuery(); }
  void Request_End() { presenter_.Request_End(); }
  void Timer1Timer() { presenter_.Timer1Timer(); }
  void Run_Record_TimerTimer() { presenter_.Run_Record_TimerTimer(); }
  void Refresh_View() { presenter_.Refresh_View(); }
  const Stopwatch& stopwatch() const { return presenter_.stopwatch(); }
  Stopwatch& stopwatch() { return presenter_.stopwatch(); }
  const Settings_File& settings() const { return presenter_.settings(); }

  // The client area is the window below its menu bar.
  QSize Client_Size() const;
  void Set_Client_Size(int width, int height) override;
  void Capture_Layout() override;
  void Scale_Layout();

  static constexpr std::int64_t view_refresh_us = Main_Presenter::view_refresh_us;

 protected:
  void setVisible(bool visible) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Main_View: the controls
  std::string Text(Main_Control control) const override;
  void Set_Text(Main_Control control, const std::string& text) override;
  void Set_Value(Main_Control control, std::int32_t value) override;
  bool Checked(Main_Control control) const override;
  void Set_Checked(Main_Control control, bool on) override;
  void Set_Enabled(Main_Control control, bool on) override;
  void Set_Visible(Main_Control control, bool on) override;
  QObject* Object_Of(Main_Control control) const;
  void Select_Radio_Button(QRadioButton* button, bool on);

  // Main_View: the window
  int Window_Top() const override;
  int Window_Left() const override;
  int Client_Width() const override;
  int Client_Height() const override;
  void Set_Window_Top(int top) override;
  void Set_Window_Left(int left) override;
  bool Is_Maximized() const override { return isMaximized(); }
  void Show_Normal() override;
  void Restore_Normal() override;
  void Show_Maximized() override;
  // The window's place and size, brought within the screens.
  void Keep_On_Screen() override;
  void Stay_On_Top(bool on_top) override;
  void Start_Timer(Main_Timer timer, std::int64_t wait_us) override;
  void Stop_Timer(Main_Timer timer) override;
  QTimer* Timer_Of(Main_Timer timer) const;
  std::optional<std::string> Choose_Log_File(const std::string& last_choice) override;
  void Copy_To_Clipboard(const std::string& text) override;
  void Show_About_Box() override;
  void Process_Pending_Events() override;
  void Dismiss_Open_Box() override;
  void Close() override { close(); }

  void Create_Controls();
  void Create_Menu();
  void Create_Timer();
  void Create_Dialog();
  void Set_Tab_Order();
  void Name_Controls_For_Assistive_Technology();
  void Connect_Handlers();
  void Connect_Log_Handlers();
  // A click or menu command runs the presenter's handler.
  template <typename Sender, typename Signal>
  void On(Sender* sender, Signal signal, void (Main_Presenter::*handler)()) {
    connect(sender, signal, this, [this, handler] { (presenter_.*handler)(); });
  }
  // A check item whose mark the handler owns.
  void Connect_Check_Item(QAction* item, void (Main_Presenter::*handler)());
  bool Click_First_Button_With(const QKeySequence& mnemonic);

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
  Message_Box& boxes_;
  // The log file name as bytes, which need not be UTF-8; the box shows it
  // as well as it can and holds it as long as the user does not edit it.
  std::string log_file_name_;
  Log_Name_Validator* log_name_validator_ = nullptr;
  Main_Presenter presenter_;
  std::vector<Component> components_;
  bool shown_once_ = false;
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
  QTimer* close_timer_ = nullptr;
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

}  // namespace velmaric
