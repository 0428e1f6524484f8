#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <exception>

#include "core/date_time.h"
#include "core/layout_scaling.h"
#include "core/window_place.h"
#include "forms/main_form_design.h"
#include "settings/settings_file.h"
#include "settings/startup_entry.h"
#include "ui/control_style.h"

namespace velmaric {
namespace {

void Set_Text_If_Changed(QLineEdit* edit, const std::string& text) {
  const QString value = QString::fromStdString(text);
  if (edit->text() != value) edit->setText(value);
}

QString Q(const char* latin1) {
  return QString::fromLatin1(latin1);
}

}  // namespace

TMainForm1::TMainForm1(const Window_Services& services, QWidget* parent)
    : QMainWindow(parent),
      files_(services.files),
      clock_(services.clock),
      boxes_(services.boxes),
      editor_(services.editor),
      executable_path_(services.executable_path),
      startup_registry_(services.startup_registry),
      locate_medium_(services.locate_medium),
      choose_log_file_(services.choose_log_file),
      stopwatch_(services.clock, *this),
      settings_(services.files, *this, stopwatch_, services.settings_file_name),
      run_guard_(services.files, services.boot_identity,
                 [this](const std::string& text) { boxes_.Information(text); }) {
  setObjectName(QStringLiteral("MainForm1"));
  setWindowIcon(QIcon(QStringLiteral(":/velmaric/velmaric.svg")));
  Set_Design_Font(this, false);
  Create_Controls();
  Create_Timer();
  Create_Menu();
  Create_Dialog();
  Set_Tab_Order();
  Name_Controls_For_Assistive_Technology();
  AboutBox = new TAboutBox(services.about, this);
  Connect_Handlers();
  client->installEventFilter(this);
  qApp->installEventFilter(this);
  Timer1->start();
  // Apart from the clock's tick, which must stay light.
  run_record_timer_ = new QTimer(this);
  run_record_timer_->setObjectName(QStringLiteral("Run_Record_Timer"));
  run_record_timer_->setInterval(static_cast<int>(Run_Guard::refresh_interval_us / 1000));
  connect(run_record_timer_, &QTimer::timeout, this, &TMainForm1::Run_Record_TimerTimer);
}

TMainForm1::~TMainForm1() {
  qApp->removeEventFilter(this);
}

void TMainForm1::Connect_Check_Item(QAction* item, void (TMainForm1::*handler)()) {
  // The handler owns the check mark, so the toggle Qt makes on its own is
  // taken back first.
  connect(item, &QAction::triggered, this, [this, item, handler] {
    item->setChecked(!item->isChecked());
    (this->*handler)();
  });
}

void TMainForm1::Connect_Handlers() {
  connect(Timer1, &QTimer::timeout, this, &TMainForm1::Timer1Timer);
  connect(Start_Stop_Resume_BitBtn, &QPushButton::clicked, this,
          &TMainForm1::Start_Stop_Resume_BitBtnClick);
  connect(Reset_BitBtn, &QPushButton::clicked, this, &TMainForm1::Reset_BitBtnClick);
  connect(Exit_BitBtn, &QPushButton::clicked, this, &TMainForm1::Exit_BitBtnClick);
  connect(Exit1, &QAction::triggered, this, &TMainForm1::Exit_BitBtnClick);
  Connect_Check_Item(Expert_Mode_Option, &TMainForm1::Expert_Mode_OptionClick);
  Connect_Check_Item(Always_On_Top_Option, &TMainForm1::Always_On_Top_OptionClick);
  Connect_Check_Item(Auto_Run_at_Windows_Startup_Option,
                     &TMainForm1::Auto_Run_at_Windows_Startup_OptionClick);
  connect(Restore_Factory_Defaults_Option, &QAction::triggered, this,
          &TMainForm1::Restore_Factory_Defaults_OptionClick);
  connect(Copy_Stopwatch_Times_to_FloppyDisk_Option, &QAction::triggered, this,
          &TMainForm1::Copy_Stopwatch_Times_to_FloppyDisk_OptionClick);
  connect(Copy_Stopwatch_Times_From_FloppyDisk_Option, &QAction::triggered, this,
          &TMainForm1::Copy_Stopwatch_Times_From_FloppyDisk_OptionClick);
  connect(AboutOption, &QAction::triggered, this, &TMainForm1::AboutOptionClick);
  connect(View_Readme_file_Option, &QAction::triggered, this,
          &TMainForm1::View_Readme_file_OptionClick);
  connect(View_Shareware_Catalog_Option, &QAction::triggered, this,
          &TMainForm1::View_Shareware_Catalog_OptionClick);
  connect(SpareMenu, &QAction::triggered, this, &TMainForm1::SpareMenuClick);
  Connect_Log_Handlers();
  connect(Log_to_File_RadioButton, &QRadioButton::toggled, this, [this](bool checked) {
    if (checked) Log_to_File_RadioButtonClick();
  });
  connect(Do_Not_Log_RadioButton, &QRadioButton::toggled, this, [this](bool checked) {
    if (checked) Do_Not_Log_RadioButtonClick();
  });
}

// ---- start-up -------------------------------------------------------------

// The show handler runs before the window exists on the screen: a place set
// then is taken by the window manager and the toolkit alike, where one set
// on a window already made would be read back off by the frame's size.
void TMainForm1::setVisible(bool visible) {
  if (visible && !shown_once_) {
    shown_once_ = true;
    FormShow();
  }
  QMainWindow::setVisible(visible);
}

void TMainForm1::FormShow() {
  // A close asked for meanwhile waits for the whole sequence, so that it
  // never saves a state loaded halfway.
  struct Starting_Up {
    bool& flag;
    explicit Starting_Up(bool& starting) : flag(starting) { flag = true; }
    ~Starting_Up() { flag = false; }
  } starting(starting_up_);
  const bool program_start = Scaling_ListBox->count() == 0;
  const forms::Size design = forms::Main_Form().client_size;
  Set_Client_Size(design.width, design.height);
  Capture_Layout();
  if (program_start) {
    settings_.Clear_Leftovers();
    // A settings file that cannot be read never stops the program: the
    // failing key keeps its default and the others still load.
    settings_.Load_Settings([this](const Command_Error& failure) { boxes_.Error(failure.what()); });
  } else {
    settings_.Load_Settings();
  }
  Keep_On_Screen();
  Apply_Product_Texts();
  SpareMenu->setText(QString());
  SpareMenu->setVisible(false);
  Apply_Startup_Show_State();
  if (settings_.pending_maximize) {
    if (!isVisible()) maximized_from_ = pos();
    showMaximized();
  }
  Always_On_Top_Option->setChecked(!Always_On_Top_Option->isChecked());
  Toggle_Always_On_Top();
  // The check mark shows whether the start-at-login entry exists, whatever
  // the settings file said. At program start an unreadable entry counts as
  // none instead of stopping the start-up.
  const std::string executable = executable_path_();
  Auto_Run_at_Windows_Startup_Option->setChecked(
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

void TMainForm1::Recover_Left_Running() {
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

void TMainForm1::Save_And_Guard(bool closing) {
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

void TMainForm1::Run_Record_TimerTimer() {
  if (!run_guard_.Keeping() || !stopwatch_.Running()) return;
  stopwatch_.Catch_Up();
  run_guard_.Refresh(stopwatch_);
}

void TMainForm1::Process_Pending_Events() {
  QCoreApplication::processEvents();
}

void TMainForm1::Copy_Stopwatch_Times_to_FloppyDisk_OptionClick() {
  Run_Command([this] { Copy_Stopwatch_Times_To_Medium(files_, *this, boxes_, locate_medium_); });
}

void TMainForm1::Copy_Stopwatch_Times_From_FloppyDisk_OptionClick() {
  Run_Command([this] { Copy_Stopwatch_Times_From_Medium(files_, *this, boxes_, locate_medium_); });
}

void TMainForm1::Auto_Run_at_Windows_Startup_OptionClick() {
  Run_Command([this] {
    Auto_Run_at_Windows_Startup_Option->setChecked(
        velmaric::Auto_Run_at_Windows_Startup_OptionClick(
            Auto_Run_at_Windows_Startup_Option->isChecked(), startup_registry_, executable_path_(),
            boxes_));
  });
}

void TMainForm1::Restore_Factory_Defaults_OptionClick() {
  Run_Command([this] {
    if (!Restore_Factory_Defaults(files_, boxes_, settings_.Settings_File_Name())) return;
    if (isMaximized() || isMinimized()) showNormal();
    FormShow();
  });
}

void TMainForm1::Apply_Startup_Show_State() {
  // A Linux launcher passes no show state: the window is shown as it is.
}

// ---- client area and layout ------------------------------------------------

QSize TMainForm1::Client_Size() const {
  return client->size();
}

void TMainForm1::Set_Client_Size(int width, int height) {
  restoring_to_.reset();
  // Within what the screen leaves once the frame is around it, and never
  // below the size at which the texts stay readable.
  const QScreen* const on = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
  const QRect room = on != nullptr ? on->availableGeometry() : QRect(0, 0, width, height);
  const QSize frame = Frame_Size();
  width = Client_Side(width, smallest_client_width, room.width() - frame.width());
  int menu_height = menuBar()->heightForWidth(width);
  if (menu_height <= 0) menu_height = menuBar()->sizeHint().height();
  height = Client_Side(height, smallest_client_height,
                       std::int64_t{room.height()} - frame.height() - menu_height);
  resize(width, height + menu_height);
  if (!isVisible()) client->resize(width, height);
}

QSize TMainForm1::Frame_Size() const {
  // Known once the window manager has framed the window; a title bar and
  // thin borders until then.
  const QSize known = frameGeometry().size() - geometry().size();
  return isVisible() && !known.isEmpty() ? known : QSize(8, title_bar_height + 8);
}

void TMainForm1::Keep_On_Screen() {
  std::vector<Screen_Area> screens;
  QList<QScreen*> all = QGuiApplication::screens();
  // The primary screen first: a window with nowhere to go goes there.
  std::stable_partition(all.begin(), all.end(),
                        [](const QScreen* s) { return s == QGuiApplication::primaryScreen(); });
  for (const QScreen* s : all) {
    const QRect area = s->availableGeometry();
    screens.push_back({area.left(), area.top(), area.width(), area.height()});
  }
  const QSize outer = size() + Frame_Size();
  const Window_Corner corner = Window_Place(x(), y(), outer.width(), outer.height(), screens);
  if (corner.left != x() || corner.top != y()) move(corner.left, corner.top);
}

void TMainForm1::Capture_Layout() {
  if (Scaling_ListBox->count() > 0) return;
  const QSize size = Client_Size();
  Scaling_ListBox->addItem(QString::fromStdString(Layout_Header(size.width(), size.height())));
  for (const Component& component : components_) {
    if (component.control == nullptr) {
      Scaling_ListBox->addItem(Q(layout_no_geometry));
      continue;
    }
    const QRect g = component.control->geometry();
    const std::string item =
        Layout_Item({g.x(), g.width(), g.y(), g.height(), Font_Points(component.control)},
                    component.object->objectName().toStdString());
    Scaling_ListBox->addItem(QString::fromStdString(item));
  }
}

void TMainForm1::Scale_Layout() {
  if (Scaling_ListBox->count() == 0) return;
  const QSize size = Client_Size();
  const auto ratios =
      Layout_Ratios(Scaling_ListBox->item(0)->text().toStdString(), size.width(), size.height());
  if (!ratios) return;
  const int items = Scaling_ListBox->count();
  for (std::size_t i = 0; i < components_.size() && static_cast<int>(i) + 1 < items; ++i) {
    const auto geometry =
        Scale_Item(Scaling_ListBox->item(static_cast<int>(i) + 1)->text().toStdString(), *ratios);
    QWidget* const control = components_[i].control;
    if (!geometry || control == nullptr) continue;
    control->setGeometry(geometry->left, geometry->top, geometry->width, geometry->height);
    Set_Font_Points(control, geometry->font_points);
  }
}

// ---- window options --------------------------------------------------------

void TMainForm1::Always_On_Top_OptionClick() {
  Toggle_Always_On_Top();
}

void TMainForm1::Toggle_Always_On_Top() {
  const bool on_top = !Always_On_Top_Option->isChecked();
  Always_On_Top_Option->setChecked(on_top);
  // Changing the hint on the native window restacks it in place; changing
  // the widget's flags would hide, re-create and re-show it.
  Qt::WindowFlags flags = windowFlags();
  flags.setFlag(Qt::WindowStaysOnTopHint, on_top);
  overrideWindowFlags(flags);
  if (QWindow* window = windowHandle()) window->setFlag(Qt::WindowStaysOnTopHint, on_top);
}

void TMainForm1::Expert_Mode_OptionClick() {
  Expert_Mode_Option->setChecked(!Expert_Mode_Option->isChecked());
}

// ---- clock and commands ----------------------------------------------------

void TMainForm1::Timer1Timer() {
  stopwatch_.Timer1Timer();
  const std::int64_t now = stopwatch_.Last_Reading().monotonic_us;
  if (!last_view_refresh_us_ || now - *last_view_refresh_us_ >= view_refresh_us ||
      now < *last_view_refresh_us_) {
    Refresh_Fields();
    last_view_refresh_us_ = now;
  }
  Schedule_Next_Tick();
}

void TMainForm1::Schedule_Next_Tick() {
  // Running, the hundredths change all the time: the fields follow at the
  // view's pace. Standing, only the clock's seconds change.
  const int wait_ms = stopwatch_.Running()
                          ? static_cast<int>(view_refresh_us / 1000)
                          : Milli_Seconds_To_Next_Second(stopwatch_.Last_Reading().wall);
  Timer1->start(wait_ms);
}

void TMainForm1::Start_Stop_Resume_BitBtnClick() {
  Run_Command([this] {
    stopwatch_.Start_Stop_Resume_BitBtnClick();
    if (stopwatch_.Running())
      run_guard_.Segment_Changed(settings_.Settings_File_Name(), stopwatch_);
  });
}

void TMainForm1::Reset_BitBtnClick() {
  Run_Command([this] {
    stopwatch_.Reset_BitBtnClick();
    run_guard_.Timing_Ended();
    Refresh_View();
    if (!Expert_Mode_Option->isChecked()) {
      boxes_.Information("StopWatch counters Reset.  (The Log file has NOT been Reset)");
    }
  });
}

void TMainForm1::Exit_BitBtnClick() {
  close();
}

// ---- view ------------------------------------------------------------------

void TMainForm1::Refresh_View() {
  Refresh_Fields();
  Refresh_Run_State();
}

void TMainForm1::Refresh_Fields() {
  const Stopwatch_Texts& texts = stopwatch_.Texts();
  Set_Text_If_Changed(Date_Time_Edit, texts.date_time);
  Set_Text_If_Changed(Elapsed_Secs_Edit, texts.elapsed_secs);
  Set_Text_If_Changed(Elapsed_Mins_Edit, texts.elapsed_mins);
  Set_Text_If_Changed(Elapsed_Hours_Edit, texts.elapsed_hours);
  Set_Text_If_Changed(Copy_Edit_Box, texts.copy_edit);
  if (!texts.menu_clock.empty()) {
    const QString caption = QString::fromStdString(texts.menu_clock);
    if (SpareMenu->text() != caption) SpareMenu->setText(caption);
    if (!SpareMenu->isVisible()) SpareMenu->setVisible(true);
  }
}

void TMainForm1::Refresh_Run_State() {
  Start_Stop_Resume_BitBtn->setText(QString::fromStdString(stopwatch_.start_stop_resume_caption()));
  Control_Label->setText(QString::fromStdString(stopwatch_.control_label_caption()));
  Stops_Since_Last_Reset_SpinEdit->setValue(stopwatch_.stop_count());
  Snap_Shot_Since_Start_Button->setEnabled(stopwatch_.snap_shot_since_start_enabled());
  Snap_Shot_Since_Resume_Button->setEnabled(stopwatch_.snap_shot_since_resume_enabled());
  // The record's refresh runs only while there is a running time to keep:
  // a program at rest wakes for nothing but the clock's seconds.
  if (run_guard_.Keeping() && stopwatch_.Running()) {
    if (!run_record_timer_->isActive()) run_record_timer_->start();
  } else {
    run_record_timer_->stop();
  }
}

}  // namespace velmaric
