// The main window on the offscreen platform, driven through its controls
// with a fake clock.

#include "ui/main_window.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <memory>

#include "core/date_time.h"
#include "support/window_fixture.h"
#include "ui/control_style.h"

using velmaric::TMainForm1;
using velmaric::testing::Fake_Clock;
using velmaric::testing::Fake_Window_Services;
using velmaric::testing::Recording_Message_Box;

class Main_Window_Test : public QObject, protected velmaric::testing::Window_Fixture {
  Q_OBJECT

 private:
  void Tick() { form_->Timer1Timer(); }
  QString Text(const char* edit) const { return Find<QLineEdit>(edit)->text(); }

 private slots:
  void init() {
    QFile::remove(Path(QStringLiteral("velmaric.ini")));
    Create_World();
    Start_Program();
  }
  void cleanup() { Close_Program(); }

  void comes_up_as_a_first_run() {
    QCOMPARE(form_->windowTitle(), QStringLiteral("Velmaric"));
    QCOMPARE(form_->Client_Size(), QSize(368, 313));
    QCOMPARE(form_->pos(), QPoint(20, 20));
    QCOMPARE(Find<QPushButton>("Start_Stop_Resume_BitBtn")->text(), QStringLiteral("&Start"));
    QVERIFY(!Find<QPushButton>("Snap_Shot_Since_Start_Button")->isEnabled());
    QVERIFY(!Find<QPushButton>("Snap_Shot_Since_Resume_Button")->isEnabled());
    QVERIFY(!Find<QLineEdit>("Log_File_Name_EditBox")->isEnabled());
    QVERIFY(!Find<QLabel>("Control_Label")->isVisible());
    Tick();
    QVERIFY(Find<QAction>("SpareMenu")->isVisible());
    QVERIFY(Find<QAction>("SpareMenu")->text().contains(QStringLiteral(", ")));
    QCOMPARE(Text("Copy_Edit_Box"), QStringLiteral(" 00.00:00:00.00"));
  }

  void records_the_design_layout_and_scales_it_to_the_first_run_size() {
    const QListWidget* record = Find<QListWidget>("Scaling_ListBox");
    QCOMPARE(record->item(0)->text(), QStringLiteral("441 373 W/H Mainform1"));
    QCOMPARE(record->item(1)->text(), QStringLiteral("4 433 4 365 11 Bevel1"));
    QCOMPARE(record->item(5)->text(), QStringLiteral("245 113 40 25 11 Elapsed_Secs_Edit"));
    // Timer, menu, menu items and dialog come after the controls and record no geometry.
    const int timer_item = 29;
    QCOMPARE(record->item(timer_item - 1)->text(),
             QStringLiteral("440 37 104 43 11 Scaling_ListBox"));
    for (int i = timer_item; i < record->count(); ++i) QCOMPARE(record->item(i)->text(), "0");
    const int file_menu = 1 + 14, help_menu = 1 + 4;
    QCOMPARE(record->count(), timer_item + 1 /*timer*/ + 1 /*menu bar*/ + file_menu + help_menu +
                                  1 /*clock*/ + 1 /*dialog*/);
    // At 368 x 313 every 11-point font becomes 9 points.
    QCOMPARE(Find<QLineEdit>("Elapsed_Secs_Edit")->geometry(), QRect(204, 33, 94, 20));
    QCOMPARE(velmaric::Font_Points(Find<QLineEdit>("Elapsed_Secs_Edit")), 9);
  }

  void scales_every_control_from_the_record() {
    struct Case {
      QSize asked;
      QSize client;
      QRect secs;  // Elapsed_Secs_Edit
      int points;
    };
    const Case cases[] = {
        // Half as wide again: fonts follow the height.
        {{662, 373}, {662, 373}, {367, 40, 169, 25}, 11},
        // A smaller height scales the fonts, down to the smallest readable size.
        {{441, 249}, {441, 249}, {245, 26, 113, 16}, 7},
        {{200, 160}, {294, 249}, {163, 26, 75, 16}, 7},
        // Larger than the screen: what the screen leaves beside the frame.
        {{5000, 300}, {0, 300}, {}, 8},
        {{441, 373}, {441, 373}, {}, 11},  // back to the design size
    };
    for (const Case& c : cases) {
      form_->Set_Client_Size(c.asked.width(), c.asked.height());
      QSize client = c.client;
      if (client.width() == 0) {
        const int frame = form_->frameGeometry().width() - form_->geometry().width();
        client.setWidth(form_->screen()->availableGeometry().width() - frame);
      }
      QTRY_COMPARE(form_->Client_Size(), client);
      if (!c.secs.isNull()) QCOMPARE(Find<QLineEdit>("Elapsed_Secs_Edit")->geometry(), c.secs);
      QCOMPARE(velmaric::Font_Points(Find<QLineEdit>("Elapsed_Secs_Edit")), c.points);
      // A hidden control is scaled as well.
      QCOMPARE(Find<QListWidget>("Scaling_ListBox")->geometry().left(), 440 * client.width() / 441);
    }
  }

  void runs_through_start_stop_resume_and_reset() {
    Tick();
    Click("Start_Stop_Resume_BitBtn");
    QCOMPARE(Find<QPushButton>("Start_Stop_Resume_BitBtn")->text(), QStringLiteral("&Stop"));
    QCOMPARE(Find<QLabel>("Control_Label")->text(), QStringLiteral("GO"));
    QVERIFY(Find<QPushButton>("Snap_Shot_Since_Start_Button")->isEnabled());
    QVERIFY(Find<QPushButton>("Snap_Shot_Since_Resume_Button")->isEnabled());

    clock_->Advance_Centi_Seconds(12'345'678);
    Tick();
    QCOMPARE(Text("Elapsed_Secs_Edit"), QStringLiteral("       123456.78 "));
    QCOMPARE(Text("Elapsed_Mins_Edit"), QStringLiteral("         2057.6 "));
    QCOMPARE(Text("Elapsed_Hours_Edit"), QStringLiteral("           34.3 "));
    QCOMPARE(Text("Copy_Edit_Box"), QStringLiteral(" 01.10:17:36.78"));

    Click("Start_Stop_Resume_BitBtn");
    QCOMPARE(Find<QPushButton>("Start_Stop_Resume_BitBtn")->text(), QStringLiteral("&Resume"));
    QCOMPARE(Find<QLabel>("Control_Label")->text(), QStringLiteral("STOP"));
    QCOMPARE(Find<QSpinBox>("Stops_Since_Last_Reset_SpinEdit")->value(), 1);
    QVERIFY(Find<QPushButton>("Snap_Shot_Since_Start_Button")->isEnabled());
    QVERIFY(!Find<QPushButton>("Snap_Shot_Since_Resume_Button")->isEnabled());
    clock_->Advance_Centi_Seconds(500);  // stopped: nothing counts
    Tick();
    QCOMPARE(Text("Copy_Edit_Box"), QStringLiteral(" 01.10:17:36.78"));

    Click("Start_Stop_Resume_BitBtn");
    QCOMPARE(Find<QPushButton>("Start_Stop_Resume_BitBtn")->text(), QStringLiteral("&Stop"));
    clock_->Advance_Centi_Seconds(22);
    Tick();
    QCOMPARE(Text("Copy_Edit_Box"), QStringLiteral(" 01.10:17:37.00"));

    Click("Reset_BitBtn");
    QCOMPARE(Find<QPushButton>("Start_Stop_Resume_BitBtn")->text(), QStringLiteral("&Start"));
    QCOMPARE(Find<QLabel>("Control_Label")->text(), QStringLiteral("RESET"));
    QCOMPARE(Find<QSpinBox>("Stops_Since_Last_Reset_SpinEdit")->value(), 0);
    QCOMPARE(Text("Copy_Edit_Box"), QStringLiteral(" 00:00:00:00.00 "));
    QVERIFY(!Find<QPushButton>("Snap_Shot_Since_Start_Button")->isEnabled());
    QCOMPARE(boxes_->shown.size(), std::size_t{1});
    QCOMPARE(boxes_->shown[0].kind, std::string("Information"));
    QCOMPARE(boxes_->shown[0].text,
             std::string("StopWatch counters Reset.  (The Log file has NOT been Reset)"));
    clock_->Advance_Centi_Seconds(100);
    Tick();
    QCOMPARE(Text("Copy_Edit_Box"), QStringLiteral(" 00.00:00:00.00"));
  }

  void expert_mode_silences_the_reset_notice() {
    Trigger("Expert_Mode_Option");
    QVERIFY(Find<QAction>("Expert_Mode_Option")->isChecked());
    Click("Reset_BitBtn");
    QVERIFY(boxes_->shown.empty());
    Trigger("Expert_Mode_Option");
    QVERIFY(!Find<QAction>("Expert_Mode_Option")->isChecked());
    Click("Reset_BitBtn");
    QCOMPARE(boxes_->shown.size(), std::size_t{1});
  }

  void always_on_top_twice_returns_to_normal_stacking_in_place() {
    const QRect before = form_->frameGeometry();
    Trigger("Always_On_Top_Option");
    QVERIFY(Find<QAction>("Always_On_Top_Option")->isChecked());
    QVERIFY(form_->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(form_->isVisible());
    QCOMPARE(form_->frameGeometry(), before);
    Trigger("Always_On_Top_Option");
    QVERIFY(!Find<QAction>("Always_On_Top_Option")->isChecked());
    QVERIFY(!form_->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(form_->frameGeometry(), before);
  }

  void logging_choice_enables_the_name_box() {
    Click("Log_to_File_RadioButton");
    QVERIFY(Find<QLineEdit>("Log_File_Name_EditBox")->isEnabled());
    QVERIFY(!Find<QRadioButton>("Do_Not_Log_RadioButton")->isChecked());
    Click("Do_Not_Log_RadioButton");
    QVERIFY(!Find<QLineEdit>("Log_File_Name_EditBox")->isEnabled());
  }

  // With logging off the name box takes no input: a double-click chooses
  // nothing, and the name stays readable on its grey.
  void a_disabled_log_name_box_ignores_a_double_click_and_stays_readable() {
    QLineEdit* name = Find<QLineEdit>("Log_File_Name_EditBox");
    name->setText(QStringLiteral("run.log"));
    QVERIFY(!name->isEnabled());
    QTest::mouseDClick(name, Qt::LeftButton);
    QVERIFY(world_->offered_choices.empty());
    const QPalette& colours = name->palette();
    QVERIFY(velmaric::Contrast_Ratio(colours.color(QPalette::Disabled, QPalette::Text),
                                     colours.color(QPalette::Disabled, QPalette::Base)) >= 4.5);
    // The text is drawn: pixels that stand out from the background.
    const QImage drawn = name->grab().toImage();
    const QColor ground = colours.color(QPalette::Disabled, QPalette::Base);
    int standing_out = 0;
    for (int y = 0; y < drawn.height(); ++y) {
      for (int x = 0; x < drawn.width() / 2; ++x) {
        if (velmaric::Contrast_Ratio(drawn.pixelColor(x, y), ground) >= 3) ++standing_out;
      }
    }
    QVERIFY2(standing_out > 20, qPrintable(QString::number(standing_out)));
    Click("Log_to_File_RadioButton");
    QTest::mouseDClick(name, Qt::LeftButton);
    QCOMPARE(world_->offered_choices.size(), std::size_t{1});
  }

  // The keyboard's cycle: the flat snapshot buttons are never in it, so
  // Shift+Tab from the copy box reaches Start / Stop / Resume.
  void the_tab_cycle_ends_on_start_stop_resume_and_wraps() {
    Click("Start_Stop_Resume_BitBtn");
    QVERIFY(Find<QPushButton>("Snap_Shot_Since_Start_Button")->isEnabled());
    QApplication::setActiveWindow(form_.get());
    Find<QLineEdit>("Copy_Edit_Box")->setFocus();
    QWidget* const first = QApplication::focusWidget();
    QCOMPARE(first, Find<QLineEdit>("Copy_Edit_Box"));
    // Once round: disabled boxes and the unchecked radio button are passed.
    QStringList cycle;
    do {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      cycle << QApplication::focusWidget()->objectName();
    } while (QApplication::focusWidget() != first && cycle.size() < 40);
    QCOMPARE(cycle.join(QLatin1Char(' ')),
             QStringLiteral("Do_Not_Log_RadioButton Reset_Log_Button View_Log_Button "
                            "Select_Log_File_BitBtn Write_Time_to_Log_Only_CheckBox "
                            "Elapsed_Secs_Edit Elapsed_Mins_Edit Elapsed_Hours_Edit Date_Time_Edit "
                            "Stops_Since_Last_Reset_SpinEdit Write_Stop_Count_CheckBox Exit_BitBtn "
                            "Reset_BitBtn Start_Stop_Resume_BitBtn Copy_Edit_Box"));
    QTest::keyClick(first, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), Find<QPushButton>("Start_Stop_Resume_BitBtn"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(Find<QPushButton>("Start_Stop_Resume_BitBtn")->text(), QStringLiteral("&Resume"));
  }

  // Assistive technology gets a name for every control that can be used or
  // read: its caption, its hint, or a short description for the pictures.
  void every_control_has_an_accessible_name() {
    int named = 0;
    QWidget* const client = Find<QWidget>("client");
    for (QWidget* control : client->findChildren<QWidget*>()) {
      const bool usable = control->focusPolicy() != Qt::NoFocus ||
                          qobject_cast<QAbstractButton*>(control) != nullptr;
      if (!usable || control->parentWidget() != client || !control->isVisible()) continue;
      QAccessibleInterface* const seen = QAccessible::queryAccessibleInterface(control);
      QVERIFY(seen != nullptr);
      QVERIFY2(!seen->text(QAccessible::Name).trimmed().isEmpty(),
               qPrintable(control->objectName()));
      ++named;
    }
    QCOMPARE(named, 19);
    const auto name_of = [](QWidget* control) {
      return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
    };
    QCOMPARE(name_of(Find<QPushButton>("Snap_Shot_Since_Start_Button")),
             QStringLiteral("Snapshot since the original Start"));
    QCOMPARE(name_of(Find<QPushButton>("Start_Stop_Resume_BitBtn")), QStringLiteral("Start"));
    QCOMPARE(name_of(Find<QLineEdit>("Copy_Edit_Box")),
             QStringLiteral("Elapsed Time in DD.HH:MM:SS.HH format."));
  }

  // The timer wakes only when a shown text changes: at the clock's next
  // second while standing, at the view's pace while running.
  void the_timer_wakes_only_for_a_change_of_the_texts() {
    const QTimer* const timer = Find<QTimer>("Timer1");
    QVERIFY(timer->isSingleShot());
    const auto standing_wait = [this] {
      return velmaric::Milli_Seconds_To_Next_Second(clock_->Now().wall);
    };
    constexpr int running_wait = TMainForm1::view_refresh_us / 1000;
    clock_->Advance_Micro_Seconds(250'000);  // 10:15:04.250
    Tick();
    QCOMPARE(timer->interval(), standing_wait());
    Click("Start_Stop_Resume_BitBtn");
    QCOMPARE(timer->interval(), running_wait);
    Tick();
    QCOMPARE(timer->interval(), running_wait);
    Click("Start_Stop_Resume_BitBtn");
    QCOMPARE(timer->interval(), standing_wait());
    QVERIFY(timer->isActive());
  }

  void menu_keys_never_reach_the_edit_fields() {
    Find<QRadioButton>("Log_to_File_RadioButton")->setChecked(true);
    QLineEdit* name = Find<QLineEdit>("Log_File_Name_EditBox");
    name->setText(QStringLiteral("run.log"));
    name->setFocus();
    name->selectAll();
    QTest::keyClick(name, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(name, Qt::Key_H, Qt::ControlModifier);
    QCOMPARE(name->text(), QStringLiteral("run.log"));
  }

  // Exit saves the state of that moment: the clock read then (no tick came
  // since), the stop that closing while running counts, a changed option.
  void exit_closes_the_window() {
    Click("Start_Stop_Resume_BitBtn");
    clock_->Advance_Centi_Seconds(150);
    Trigger("Expert_Mode_Option");
    Click("Exit_BitBtn");
    QVERIFY(!form_->isVisible());
    const QByteArray saved = Contents(Path(QStringLiteral("velmaric.ini")));
    for (const char* line :
         {"\r\nelapsed_centi_seconds= 1.50000000000000E+0002\r\n",
          "\r\nStops_Since_Last_Reset_SpinEdit=1\r\n", "\r\nExpert_Mode_Option=True\r\n"}) {
      QVERIFY2(saved.contains(line), saved.constData());
    }
  }
};

QTEST_MAIN(Main_Window_Test)
#include "main_window_test.moc"
