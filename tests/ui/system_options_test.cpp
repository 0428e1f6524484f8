// Start at login and the removable-disk transfer, driven through the menu
// with a temporary autostart folder (made by the first entry) and a
// temporary folder for the disk.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "platform/autostart_folder.h"
#include "support/window_fixture.h"
#include "ui/main_window.h"

using velmaric::TMainForm1;
using velmaric::testing::Fake_Window_Services;

class System_Options_Test : public QObject, protected velmaric::testing::Window_Fixture {
  Q_OBJECT

 private:
 private slots:
  void init() {
    QDir(folder_.path()).removeRecursively();
    for (const char* sub : {"app", "disk", "logs"}) QDir().mkpath(Path(sub));
    Create_World();
    world_->settings_file = Path(QStringLiteral("app/velmaric.ini")).toStdString();
    world_->executable = Path(QStringLiteral("app/velmaric")).toStdString();
    world_->autostart = std::make_unique<velmaric::Autostart_Folder>(
        velmaric::Real_File_System(), Path(QStringLiteral("config/autostart")).toStdString());
    world_->medium = Path(QStringLiteral("disk")).toStdString();
  }
  void cleanup() { Close_Program(); }

  void the_menu_item_adds_and_removes_the_login_entry() {
    Start_Program();
    const QString entry = Path(QStringLiteral("config/autostart/velmaric.desktop"));
    QVERIFY(!Find<QAction>("Auto_Run_at_Windows_Startup_Option")->isChecked());
    Trigger("Auto_Run_at_Windows_Startup_Option");
    QVERIFY(Find<QAction>("Auto_Run_at_Windows_Startup_Option")->isChecked());
    QVERIFY(
        Contents(entry).contains("\nExec=" + Path(QStringLiteral("app/velmaric")).toUtf8() + "\n"));
    QVERIFY(Contents(entry).contains("\nTryExec=" + Path(QStringLiteral("app/velmaric")).toUtf8() +
                                     "\n"));
    QCOMPARE(
        world_->boxes.shown.back().text,
        std::string("This program (velmaric) will now run automatically at Windows Start-Up."));
    Trigger("Auto_Run_at_Windows_Startup_Option");
    QVERIFY(!Find<QAction>("Auto_Run_at_Windows_Startup_Option")->isChecked());
    QVERIFY(!QFile::exists(entry));
  }

  void an_entry_for_a_moved_program_is_offered_an_update_at_start() {
    world_->executable = "/old/place/velmaric";
    Start_Program();
    Trigger("Auto_Run_at_Windows_Startup_Option");
    form_.reset();
    world_->executable = Path(QStringLiteral("app/velmaric")).toStdString();
    world_->boxes.shown.clear();
    world_->boxes.answer_yes = false;
    Start_Program();
    QCOMPARE(world_->boxes.shown.size(), std::size_t{1});
    QCOMPARE(world_->boxes.shown[0].kind, std::string("Warning"));
    QVERIFY(world_->boxes.shown[0].text.find(" Old      = /old/place/velmaric\r\n") !=
            std::string::npos);
    QVERIFY(Find<QAction>("Auto_Run_at_Windows_Startup_Option")->isChecked());
  }

  void copying_out_while_running_counts_and_logs_a_stop_first() {
    Start_Program();
    const QString log = Path(QStringLiteral("logs/run.log"));
    Find<QRadioButton>("Log_to_File_RadioButton")->setChecked(true);
    Find<QLineEdit>("Log_File_Name_EditBox")->setText(log);
    Click("Start_Stop_Resume_BitBtn");
    world_->clock.Advance_Centi_Seconds(250);
    form_->Timer1Timer();
    Trigger("Copy_Stopwatch_Times_to_FloppyDisk_Option");
    QCOMPARE(Find<QSpinBox>("Stops_Since_Last_Reset_SpinEdit")->value(), 1);
    QCOMPARE(Find<QPushButton>("Start_Stop_Resume_BitBtn")->text(), QStringLiteral("&Stop"));
    QVERIFY(Contents(Path(QStringLiteral("disk/velmaric.ini")))
                .contains("Stops_Since_Last_Reset_SpinEdit=1"));
    QCOMPARE(Contents(Path(QStringLiteral("disk/run.log"))), Contents(log));
    QVERIFY(Contents(log).contains(" 00.00:00:02.50 "));
    QCOMPARE(
        world_->boxes.shown.back().text,
        std::string("Stopwatch Time / Settings information copied to Floppy Disk succesfully !"));
  }

  // A log on the removable disk is one of the disk's files: a link there is
  // never written through, whoever put it there.
  void a_log_on_the_disk_never_follows_a_link() {
    Start_Program();
    QFile victim(Path(QStringLiteral("victim")));
    QVERIFY(victim.open(QIODevice::WriteOnly) && victim.write("precious\n") == 9);
    victim.close();
    QVERIFY(QFile::link(Path(QStringLiteral("victim")), Path(QStringLiteral("disk/run.log"))));
    Find<QRadioButton>("Log_to_File_RadioButton")->setChecked(true);
    Find<QLineEdit>("Log_File_Name_EditBox")->setText(Path(QStringLiteral("disk/run.log")));
    Click("Start_Stop_Resume_BitBtn");
    Click("Start_Stop_Resume_BitBtn");
    Click("Reset_Log_Button");
    QCOMPARE(world_->boxes.shown.size(), std::size_t{2});
    QCOMPARE(world_->boxes.shown[0].text, std::string("File access denied"));
    QCOMPARE(world_->boxes.shown[1].text, std::string("File access denied"));
    QCOMPARE(Contents(Path(QStringLiteral("victim"))), QByteArray("precious\n"));
  }

  void copying_in_restores_the_timing_and_its_log() {
    QFile settings(Path(QStringLiteral("disk/velmaric.ini")));
    QVERIFY(settings.open(QIODevice::WriteOnly));
    const QByteArray log_name = Path(QStringLiteral("logs/new/run.log")).toUtf8();
    settings.write("elapsed_centi_seconds= 3.00000000000000E+0002\r\nLog_File_Name_EditBox=" +
                   log_name + "\r\n");
    settings.close();
    QFile log(Path(QStringLiteral("disk/run.log")));
    QVERIFY(log.open(QIODevice::WriteOnly));
    log.write("carried\r\n");
    log.close();

    Start_Program();
    Trigger("Copy_Stopwatch_Times_From_FloppyDisk_Option");
    QCOMPARE(Find<QPushButton>("Start_Stop_Resume_BitBtn")->text(), QStringLiteral("&Resume"));
    QCOMPARE(Find<QLineEdit>("Log_File_Name_EditBox")->text().toUtf8(), log_name);
    QCOMPARE(Contents(QString::fromUtf8(log_name)), QByteArray("carried\r\n"));
    QCOMPARE(world_->boxes.shown.front().kind, std::string("Warning"));  // a log of its own
    form_->Timer1Timer();
    QCOMPARE(Find<QLineEdit>("Copy_Edit_Box")->text(), QStringLiteral(" 00.00:00:03.00"));

    // Without a disk both commands say so and do nothing: the running timing
    // goes on from where it was, and no stop is counted.
    world_->medium.reset();
    Click("Start_Stop_Resume_BitBtn");
    world_->clock.Advance_Centi_Seconds(100);
    form_->Timer1Timer();
    Trigger("Copy_Stopwatch_Times_From_FloppyDisk_Option");
    QCOMPARE(world_->boxes.shown.back().text,
             std::string("No removable disk was found: nothing was copied."));
    Trigger("Copy_Stopwatch_Times_to_FloppyDisk_Option");
    QCOMPARE(world_->boxes.shown.back().text,
             std::string("No removable disk was found: nothing was copied."));
    form_->Timer1Timer();
    QCOMPARE(Find<QLineEdit>("Copy_Edit_Box")->text(), QStringLiteral(" 00.00:00:04.00"));
    QCOMPARE(Find<QPushButton>("Start_Stop_Resume_BitBtn")->text(), QStringLiteral("&Stop"));
    QCOMPARE(Find<QSpinBox>("Stops_Since_Last_Reset_SpinEdit")->value(), 0);
  }
};

QTEST_MAIN(System_Options_Test)
#include "system_options_test.moc"
