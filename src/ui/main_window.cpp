#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "ui/control_style.h"

namespace velmaric {

TMainForm1::TMainForm1(const Window_Services& services, QWidget* parent)
    : QMainWindow(parent),
      files_(services.files),
      boxes_(services.boxes),
      presenter_(services, *this) {
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
  connect(run_record_timer_, &QTimer::timeout, this,
          [this] { presenter_.Run_Record_TimerTimer(); });
  close_timer_ = new QTimer(this);
  close_timer_->setSingleShot(true);
  connect(close_timer_, &QTimer::timeout, this, [this] { presenter_.Close_TimerTimer(); });
}

TMainForm1::~TMainForm1() {
  qApp->removeEventFilter(this);
}

void TMainForm1::Connect_Check_Item(QAction* item, void (Main_Presenter::*handler)()) {
  // The handler owns the check mark, so the toggle Qt makes on its own is
  // taken back first.
  connect(item, &QAction::triggered, this, [this, item, handler] {
    item->setChecked(!item->isChecked());
    (presenter_.*handler)();
  });
}

void TMainForm1::Connect_Handlers() {
  using P = Main_Presenter;
  On(Timer1, &QTimer::timeout, &P::Timer1Timer);
  On(Start_Stop_Resume_BitBtn, &QPushButton::clicked, &P::Start_Stop_Resume_BitBtnClick);
  On(Reset_BitBtn, &QPushButton::clicked, &P::Reset_BitBtnClick);
  On(Exit_BitBtn, &QPushButton::clicked, &P::Exit_BitBtnClick);
  On(Exit1, &QAction::triggered, &P::Exit_BitBtnClick);
  Connect_Check_Item(Expert_Mode_Option, &P::Expert_Mode_OptionClick);
  Connect_Check_Item(Always_On_Top_Option, &P::Always_On_Top_OptionClick);
  Connect_Check_Item(Auto_Run_at_Windows_Startup_Option,
                     &P::Auto_Run_at_Windows_Startup_OptionClick);
  On(Restore_Factory_Defaults_Option, &QAction::triggered,
     &P::Restore_Factory_Defaults_OptionClick);
  On(Copy_Stopwatch_Times_to_FloppyDisk_Option, &QAction::triggered,
     &P::Copy_Stopwatch_Times_to_FloppyDisk_OptionClick);
  On(Copy_Stopwatch_Times_From_FloppyDisk_Option, &QAction::triggered,
     &P::Copy_Stopwatch_Times_From_FloppyDisk_OptionClick);
  On(AboutOption, &QAction::triggered, &P::AboutOptionClick);
  On(View_Readme_file_Option, &QAction::triggered, &P::View_Readme_file_OptionClick);
  On(View_Shareware_Catalog_Option, &QAction::triggered, &P::View_Shareware_Catalog_OptionClick);
  On(SpareMenu, &QAction::triggered, &P::SpareMenuClick);
  Connect_Log_Handlers();
  connect(Log_to_File_RadioButton, &QRadioButton::toggled, this, [this](bool checked) {
    if (checked) presenter_.Log_to_File_RadioButtonClick();
  });
  connect(Do_Not_Log_RadioButton, &QRadioButton::toggled, this, [this](bool checked) {
    if (checked) presenter_.Do_Not_Log_RadioButtonClick();
  });
}

// The show handler runs before the window exists on the screen: a place set
// then is taken by the window manager and the toolkit alike, where one set
// on a window already made would be read back off by the frame's size.
void TMainForm1::setVisible(bool visible) {
  if (visible && !shown_once_) {
    shown_once_ = true;
    presenter_.FormShow();
  }
  QMainWindow::setVisible(visible);
}

void TMainForm1::closeEvent(QCloseEvent* event) {
  if (presenter_.Close_Requested()) {
    event->accept();
  } else {
    event->ignore();
  }
}

QTimer* TMainForm1::Timer_Of(Main_Timer timer) const {
  switch (timer) {
    case Main_Timer::Timer1:
      return Timer1;
    case Main_Timer::Run_Record_Timer:
      return run_record_timer_;
    case Main_Timer::Close_Timer:
      break;
  }
  return close_timer_;
}

void TMainForm1::Start_Timer(Main_Timer timer, std::int64_t wait_us) {
  Timer_Of(timer)->start(static_cast<int>(wait_us / 1000));
}

void TMainForm1::Stop_Timer(Main_Timer timer) {
  Timer_Of(timer)->stop();
}

void TMainForm1::Show_About_Box() {
  AboutBox->exec();
}

void TMainForm1::Process_Pending_Events() {
  QCoreApplication::processEvents();
}

}  // namespace velmaric
