// The window's start-up restore and its saves, against a settings file in a
// temporary folder.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <memory>

#include "platform/autostart_folder.h"
#include "support/hostile_nodes.h"
#include "support/window_fixture.h"
#include "ui/main_window.h"

using velmaric::TMainForm1;
using velmaric::testing::Fake_Clock;
using velmaric::testing::Fake_Window_Services;
using velmaric::testing::Recording_Message_Box;

class Startup_Settings_Test : public QObject, protected velmaric::testing::Window_Fixture {
  Q_OBJECT

 private:
  QString Settings_Path() const { return Path(QStringLiteral("velmaric.ini")); }

  void Write_Settings(const QStringList& lines) {
    QByteArrayList bytes;
    for (const QString& line : lines) bytes << line.toLatin1();
    Write_Settings_Bytes(bytes);
  }

  void Write_Settings_Bytes(const QByteArrayList& lines) {
    QFile file(Settings_Path());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (const QByteArray& line : lines) file.write(line + "\r\n");
  }

  static void Write_File(const QString& name, const QByteArray& contents) {
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
  }

  QStringList Read_Settings() const {
    QFile file(Settings_Path());
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QString text = QString::fromLatin1(file.readAll());
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
  }

  QString Value(const QString& key) const {
    for (const QString& line : Read_Settings()) {
      if (line.startsWith(key)) return line.mid(key.size());
    }
    return QStringLiteral("<missing>");
  }

 private slots:
  void init() {
    QFile::remove(Settings_Path());
    Create_World();
  }
  void cleanup() { Close_Program(); }

  void first_run_takes_the_defaults_and_closing_writes_fifteen_keys() {
    Start_Program();
    QCOMPARE(form_->Client_Size(), QSize(368, 313));
    QCOMPARE(form_->pos(), QPoint(20, 20));
    QCOMPARE(Find<QPushButton>("Start_Stop_Resume_BitBtn")->text(), QStringLiteral("&Start"));
    QVERIFY(!Find<QPushButton>("Snap_Shot_Since_Start_Button")->isEnabled());
    QVERIFY(!Find<QPushButton>("Snap_Shot_Since_Resume_Button")->isEnabled());
    QVERIFY(Find<QRadioButton>("Do_Not_Log_RadioButton")->isChecked());
    QVERIFY(boxes_->shown.empty());

    QVERIFY(form_->close());
    const QStringList expected = {
        "WindowState_wsMaximized=False",
        "elapsed_centi_seconds= 0.00000000000000E+0000",
        "window_top_posn=20",
        "window_left_posn=20",
        "window_ClientWidth=368",
        "window_ClientHeight=313",
        "Do_Not_Log_RadioButton=True",
        "Log_to_File_RadioButton=False",
        "Expert_Mode_Option=False",
        "original_start_date_time= 0.00000000000000E+0000",
        "Log_File_Name_EditBox=",
        "Stops_Since_Last_Reset_SpinEdit=0",
        "Write_Stop_Count_CheckBox=False",
        "Always_on_Top_Option=False",
        "Auto_Run_at_Windows_Startup_Option=False",
    };
    QCOMPARE(Read_Settings(), expected);
  }

  void a_saved_counter_comes_back_ready_to_resume() {
    Write_Settings({"elapsed_centi_seconds= 1.23450000000000E+0004",
                    "Stops_Since_Last_Reset_SpinEdit=3", "Log_File_Name_EditBox=/tmp/a b.log",
                    "Log_to_File_RadioButton=True", "window_ClientWidth=441",
                    "window_ClientHeight=373", "window_top_posn=33", "window_left_posn=44"});
    Start_Program();
    QCOMPARE(Find<QPushButton>("Start_Stop_Resume_BitBtn")->text(), QStringLiteral("&Resume"));
    QCOMPARE(Find<QLabel>("Control_Label")->text(), QStringLiteral("Control_Label"));
    QVERIFY(Find<QPushButton>("Snap_Shot_Since_Start_Button")->isEnabled());
    QVERIFY(!Find<QPushButton>("Snap_Shot_Since_Resume_Button")->isEnabled());
    QCOMPARE(Find<QLineEdit>("Elapsed_Secs_Edit")->text(), QStringLiteral("          123.45 "));
    QCOMPARE(Find<QSpinBox>("Stops_Since_Last_Reset_SpinEdit")->value(), 3);
    QCOMPARE(Find<QLineEdit>("Log_File_Name_EditBox")->text(), QStringLiteral("/tmp/a b.log"));
    QVERIFY(Find<QRadioButton>("Log_to_File_RadioButton")->isChecked());
    QVERIFY(Find<QLineEdit>("Log_File_Name_EditBox")->isEnabled());
    QCOMPARE(form_->Client_Size(), QSize(441, 373));
    QCOMPARE(form_->pos(), QPoint(44, 33));

    // The restored counter does not move until Resume, then continues.
    clock_->Advance_Centi_Seconds(100);
    form_->Timer1Timer();
    QCOMPARE(Find<QLineEdit>("Copy_Edit_Box")->text(), QStringLiteral(" 00.00:02:03.45"));
    Click("Start_Stop_Resume_BitBtn");
    QCOMPARE(Find<QPushButton>("Start_Stop_Resume_BitBtn")->text(), QStringLiteral("&Stop"));
    clock_->Advance_Centi_Seconds(55);
    form_->Timer1Timer();
    QCOMPARE(Find<QLineEdit>("Copy_Edit_Box")->text(), QStringLiteral(" 00.00:02:04.00"));
  }

  void saved_maximised_and_always_on_top_are_applied() {
    Write_Settings({"WindowState_wsMaximized=True", "Always_on_Top_Option=True",
                    "Expert_Mode_Option=True", "Write_Stop_Count_CheckBox=True"});
    Start_Program();
    QTRY_VERIFY(form_->isMaximized());
    QVERIFY(Find<QAction>("Always_On_Top_Option")->isChecked());
    QVERIFY(form_->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(Find<QAction>("Expert_Mode_Option")->isChecked());
    // The layout follows the maximised client area.
    QTRY_VERIFY(form_->Client_Size().width() > 441);
    QVERIFY(Find<QPushButton>("Exit_BitBtn")->geometry().right() > 424);

    // Saving writes the flag with the normal geometry and leaves the window normal.
    QVERIFY(form_->close());
    QCOMPARE(Value("WindowState_wsMaximized="), QStringLiteral("True"));
    QCOMPARE(Value("window_ClientWidth="), QStringLiteral("368"));
    QCOMPARE(Value("Always_on_Top_Option="), QStringLiteral("True"));
  }

  void an_invalid_integer_at_start_is_shown_and_the_rest_still_loads() {
    Write_Settings({"elapsed_centi_seconds= 5.00000000000000E+0002", "window_top_posn=abc",
                    "Stops_Since_Last_Reset_SpinEdit=", "Log_File_Name_EditBox=run.log"});
    Start_Program();
    QCOMPARE(boxes_->shown.size(), std::size_t{2});
    QCOMPARE(boxes_->shown[0].kind, std::string("Error"));
    QCOMPARE(boxes_->shown[0].text, std::string("'abc' is not a valid integer value"));
    QCOMPARE(boxes_->shown[1].text, std::string("'' is not a valid integer value"));
    QCOMPARE(Find<QPushButton>("Start_Stop_Resume_BitBtn")->text(), QStringLiteral("&Resume"));
    QCOMPARE(Find<QLineEdit>("Log_File_Name_EditBox")->text(), QStringLiteral("run.log"));
    QCOMPARE(form_->pos(), QPoint(20, 20));
    QCOMPARE(form_->windowTitle(), QStringLiteral("Velmaric"));
  }

  // A close asked for while a start-up box is open waits for the start-up:
  // the save then holds everything the file held, and the end of the session
  // (as a signal) ends the program. Rows: who asks, during which box.
  void a_close_during_the_start_up_waits_and_saves_the_whole_state_data() {
    QTest::addColumn<bool>("ending");
    QTest::addColumn<bool>("question");
    QTest::addColumn<int>("boxes");  // the user answers Yes; at the end, No comes at once
    QTest::newRow("session end during a bad key's box") << true << false << 1;
    QTest::newRow("session end during the start-at-login question") << true << true << 2;
    QTest::newRow("close box during a bad key's box") << false << false << 1;
    QTest::newRow("close box during the start-at-login question") << false << true << 3;
  }
  void a_close_during_the_start_up_waits_and_saves_the_whole_state() {
    QFETCH(bool, ending);
    QFETCH(bool, question);
    QFETCH(int, boxes);
    Write_Settings({"window_top_posn=abc", "Stops_Since_Last_Reset_SpinEdit=42",
                    "Log_File_Name_EditBox=/tmp/run.log", "Log_to_File_RadioButton=True",
                    "Do_Not_Log_RadioButton=False", "Expert_Mode_Option=True",
                    "original_start_date_time= 4.63630000000000E+0004"});
    QTemporaryDir autostart;
    if (question) {  // an entry that names another place for the program
      world_->autostart = std::make_unique<velmaric::Autostart_Folder>(
          velmaric::Real_File_System(), autostart.path().toStdString());
      QFile entry(autostart.filePath(QStringLiteral("velmaric.desktop")));
      QVERIFY(entry.open(QIODevice::WriteOnly));
      entry.write("[Desktop Entry]\nType=Application\nExec=/elsewhere/velmaric\n");
    }
    boxes_->while_open = [&] {
      boxes_->while_open = nullptr;
      if (ending) {
        form_->Request_End();
      } else {
        form_->close();
      }
    };
    form_ = std::make_unique<TMainForm1>(world_->Services());
    form_->show();
    QCOMPARE(boxes_->shown.size(), static_cast<std::size_t>(boxes));
    QTRY_VERIFY(!form_->isVisible());
    for (const char* kept :
         {"Stops_Since_Last_Reset_SpinEdit=42", "Log_File_Name_EditBox=/tmp/run.log",
          "Log_to_File_RadioButton=True", "Expert_Mode_Option=True",
          "original_start_date_time= 4.63630000000000E+0004", "window_top_posn=20"}) {
      QVERIFY2(Read_Settings().contains(QLatin1String(kept)), kept);
    }
  }

  // A close asked for while the failed save's box is open adds nothing: the
  // close that runs asks its question and decides.
  void a_second_close_during_a_failed_save_adds_nothing() {
    Write_Settings({"Stops_Since_Last_Reset_SpinEdit=6"});
    Start_Program();
    QVERIFY(QFile::setPermissions(Settings_Path(), QFileDevice::ReadOwner));
    boxes_->answer_yes = false;
    boxes_->while_open = [this] {
      if (boxes_->shown.back().kind == "Error") form_->close();
    };
    QVERIFY(!form_->close());
    QCOMPARE(boxes_->shown.size(), std::size_t{2});
    QCOMPARE(boxes_->shown[1].kind, std::string("Warning"));
    QVERIFY(form_->isVisible());
    boxes_->while_open = nullptr;
    QVERIFY(
        QFile::setPermissions(Settings_Path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
  }

  // The end of the session answers any question that is open, the toolkit's
  // own too, with the answer that changes nothing.
  void the_end_of_the_session_says_no_to_an_open_question() {
    Start_Program();
    QTimer::singleShot(0, form_.get(), [this] { form_->Request_End(); });
    QCOMPARE(QMessageBox::warning(form_.get(), QStringLiteral("Delete"), QStringLiteral("Delete?"),
                                  QMessageBox::Yes | QMessageBox::No),
             QMessageBox::No);
    QTRY_VERIFY(!form_->isVisible());
  }

  // At the end of the session the program ends, even when the save fails;
  // the settings file stays as it was.
  void the_end_of_the_session_ends_even_when_the_save_fails() {
    Write_Settings({"Stops_Since_Last_Reset_SpinEdit=6"});
    const QByteArray old = Contents(Settings_Path());
    Start_Program();
    QVERIFY(QFile::setPermissions(Settings_Path(), QFileDevice::ReadOwner));
    form_->Request_End();
    QTRY_VERIFY(!form_->isVisible());
    QCOMPARE(Contents(Settings_Path()), old);
    for (const auto& box : boxes_->shown) QVERIFY(box.kind != "Warning");
    QVERIFY(
        QFile::setPermissions(Settings_Path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
  }

  // A CR or a NUL inside a line is a damaged or planted value: it takes its
  // default, with the message an integer or a file name has, and the save
  // writes clean lines again.
  void values_that_break_their_line_take_their_defaults() {
    Write_Settings_Bytes({"elapsed_centi_seconds= 1.23450000000000E+0004\rjunk",
                          "window_top_posn=33\r7",
                          QByteArray("Log_File_Name_EditBox=/tmp/a\0b.log", 34),
                          "Do_Not_Log_RadioButton=False\rx", "Stops_Since_Last_Reset_SpinEdit=4"});
    Start_Program();
    QCOMPARE(boxes_->shown.size(), std::size_t{2});
    // The box shows where the line broke.
    QCOMPARE(boxes_->shown[0].text, std::string("'33\uFFFD7' is not a valid integer value"));
    QCOMPARE(boxes_->shown[1].text, std::string("'/tmp/a\uFFFDb.log' is not a valid file name"));
    QCOMPARE(Find<QLineEdit>("Copy_Edit_Box")->text(), QStringLiteral(" 00.00:00:00.00"));
    QCOMPARE(form_->pos(), QPoint(20, 20));
    QCOMPARE(Find<QLineEdit>("Log_File_Name_EditBox")->text(), QString());
    QVERIFY(Find<QRadioButton>("Do_Not_Log_RadioButton")->isChecked());
    QCOMPARE(Find<QSpinBox>("Stops_Since_Last_Reset_SpinEdit")->value(), 4);
    QVERIFY(form_->close());
    const QByteArray saved = Contents(Settings_Path());
    QCOMPARE(saved.count("\r\n"), 15);
    QCOMPARE(saved.count('\r'), 15);
    QVERIFY(!saved.contains('\0'));
  }

  // An interrupted save leaves its temporary file beside the file it was
  // replacing: beside the settings file, or beside the file it links to.
  void leftovers_of_interrupted_saves_are_cleared_at_start() {
    QVERIFY(QDir(folder_.path()).mkdir(QStringLiteral("real")));
    Write_Settings({"Stops_Since_Last_Reset_SpinEdit=5"});
    QVERIFY(QFile::rename(Settings_Path(), Path(QStringLiteral("real/kept.ini"))));
    QVERIFY(QFile::link(QStringLiteral("real/kept.ini"), Settings_Path()));
    // A save cut short, an empty one, and what is not a save at all.
    const QByteArray cut = "WindowState_wsMaximized=False\r\nelapsed_centi_seconds= 1.2345";
    const std::pair<const char*, QByteArray> leftovers[] = {{".velmaric.ini.AbC123", cut},
                                                            {".velmaric.ini.ZZ0000", cut.left(30)},
                                                            {"real/.kept.ini.XyZ789", ""}};
    const std::pair<const char*, QByteArray> others[] = {{".velmaric.ini.backup", "my own notes\n"},
                                                         {".velmaric.ini.bak", cut},
                                                         {"real/.other.ini.XyZ789", cut}};
    for (const auto& [name, contents] : leftovers) Write_File(Path(QLatin1String(name)), contents);
    for (const auto& [name, contents] : others) Write_File(Path(QLatin1String(name)), contents);
    Start_Program();
    QCOMPARE(Find<QSpinBox>("Stops_Since_Last_Reset_SpinEdit")->value(), 5);
    for (const auto& [name, contents] : leftovers)
      QVERIFY2(!QFile::exists(Path(QLatin1String(name))), name);
    for (const auto& [name, contents] : others)
      QCOMPARE(Contents(Path(QLatin1String(name))), contents);
    QVERIFY(form_->close());
    QVERIFY(QFileInfo(Settings_Path()).isSymLink());
    QVERIFY(QFile::remove(Settings_Path()));
    QVERIFY(QDir(Path(QStringLiteral("real"))).removeRecursively());
  }

  // A name as long as any system takes is kept whole; a longer one is no
  // file name, and would swell the settings file at every save.
  void log_names_are_kept_whole_up_to_the_longest_a_system_takes() {
    for (const int length : {32767, 32768}) {
      const QByteArray name = "/" + QByteArray(length - 1, 'x');
      Write_Settings_Bytes({"Log_File_Name_EditBox=" + name});
      Create_World();
      Start_Program();
      QCOMPARE(boxes_->shown.size(), length > 32767 ? std::size_t{1} : std::size_t{0});
      if (!boxes_->shown.empty()) {
        QCOMPARE(boxes_->shown[0].text,
                 "'/" + std::string(99, 'x') + "...' is not a valid file name");
      }
      QVERIFY(form_->close());
      const QByteArray kept = length > 32767 ? QByteArray() : name;
      QVERIFY(Contents(Settings_Path()).startsWith("Log_File_Name_EditBox=" + kept + "\r\n"));
      Close_Program();
    }
  }

  // A settings file in place of a device, a FIFO, a folder or a file larger
  // than any settings file is never read (a FIFO would hang the start, an
  // endless device fill the memory) nor replaced: the defaults come up with
  // the message, and the save is refused.
  void a_settings_file_that_is_no_regular_file_is_left_alone() {
    const QString nodes = Path(QStringLiteral("nodes/"));
    QVERIFY(QDir().mkpath(nodes));
    QVERIFY(velmaric::testing::Make_Hostile_Nodes(nodes.toStdString()));
    QFile huge(Path(QStringLiteral("nodes/huge")));
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64{1} << 32));
    huge.close();
    for (const char* node : {"null", "link_to_zero", "fifo", "dir", "huge"}) {
      const QString target = nodes + QLatin1String(node);
      const QFileInfo before(target);
      QVERIFY2(
          symlink(target.toLocal8Bit().constData(), Settings_Path().toLocal8Bit().constData()) == 0,
          strerror(errno));
      Create_World();
      Start_Program();
      QCOMPARE(boxes_->shown.size(), std::size_t{1});
      QCOMPARE(boxes_->shown[0].text, std::string("File access denied"));
      QCOMPARE(form_->Client_Size(), QSize(368, 313));
      boxes_->answer_yes = false;  // keep the window when the save fails
      QVERIFY(!form_->close());
      QCOMPARE(boxes_->shown[boxes_->shown.size() - 2].text, std::string("File access denied"));
      QCOMPARE(boxes_->shown.back().kind, std::string("Warning"));
      const QFileInfo after(target);
      QCOMPARE(after.isFile(), before.isFile());
      QCOMPARE(after.size(), before.size());
      QCOMPARE(after.permissions(), before.permissions());
      QVERIFY(QFileInfo(Settings_Path()).isSymLink());
      QVERIFY(QFile::remove(Settings_Path()));
      QVERIFY(form_->close());
      Close_Program();
      QVERIFY(QFile::remove(Settings_Path()));
    }
  }

  void stop_saves_and_closing_while_running_counts_one_more_stop() {
    Start_Program();
    Click("Start_Stop_Resume_BitBtn");
    clock_->Advance_Centi_Seconds(200);
    form_->Timer1Timer();
    Click("Start_Stop_Resume_BitBtn");
    QCOMPARE(Value("elapsed_centi_seconds="), QStringLiteral(" 2.00000000000000E+0002"));
    QCOMPARE(Value("Stops_Since_Last_Reset_SpinEdit="), QStringLiteral("1"));

    Click("Start_Stop_Resume_BitBtn");
    clock_->Advance_Centi_Seconds(50);
    form_->Timer1Timer();
    QVERIFY(form_->close());
    QCOMPARE(Value("Stops_Since_Last_Reset_SpinEdit="), QStringLiteral("2"));
    QCOMPARE(Value("elapsed_centi_seconds="), QStringLiteral(" 2.50000000000000E+0002"));
    QCOMPARE(Find<QPushButton>("Start_Stop_Resume_BitBtn")->text(), QStringLiteral("&Stop"));
  }

  // A save that fails at close is shown, then the user chooses: keep the
  // window (No), or close without saving (Yes), the old file whole.
  void a_failed_save_asks_whether_to_close_without_saving() {
    Write_Settings({"Stops_Since_Last_Reset_SpinEdit=6"});
    const QByteArray old = Contents(Settings_Path());
    Start_Program();
    // A read-only settings file refuses the save, even for root.
    QVERIFY(QFile::setPermissions(Settings_Path(), QFileDevice::ReadOwner));
    boxes_->answer_yes = false;
    QVERIFY(!form_->close());
    QVERIFY(form_->isVisible());
    QCOMPARE(boxes_->shown.size(), std::size_t{2});
    QCOMPARE(boxes_->shown[0].kind, std::string("Error"));
    QCOMPARE(boxes_->shown[1].kind, std::string("Warning"));
    QVERIFY(boxes_->shown[1].text.find("close the program without saving ?") != std::string::npos);
    boxes_->answer_yes = true;
    QVERIFY(form_->close());
    QCOMPARE(Contents(Settings_Path()), old);
    QVERIFY(
        QFile::setPermissions(Settings_Path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
  }

  void restore_factory_defaults_while_running_keeps_running_from_zero() {
    Write_Settings(
        {"Log_File_Name_EditBox=x.log", "Expert_Mode_Option=True", "window_ClientWidth=500"});
    Start_Program();
    Click("Start_Stop_Resume_BitBtn");
    clock_->Advance_Centi_Seconds(300);
    form_->Timer1Timer();

    boxes_->answer_yes = false;
    Trigger("Restore_Factory_Defaults_Option");
    QCOMPARE(boxes_->shown.back().kind, std::string("Warning"));
    QVERIFY(QFile::exists(Settings_Path()));
    QCOMPARE(Find<QLineEdit>("Log_File_Name_EditBox")->text(), QStringLiteral("x.log"));

    boxes_->answer_yes = true;
    Trigger("Restore_Factory_Defaults_Option");
    QVERIFY(!QFile::exists(Settings_Path()));
    QCOMPARE(Find<QLineEdit>("Log_File_Name_EditBox")->text(), QString());
    QVERIFY(!Find<QAction>("Expert_Mode_Option")->isChecked());
    QCOMPARE(form_->Client_Size(), QSize(368, 313));
    QCOMPARE(Find<QPushButton>("Start_Stop_Resume_BitBtn")->text(), QStringLiteral("&Stop"));
    QCOMPARE(Find<QLabel>("Control_Label")->text(), QStringLiteral("GO"));
    clock_->Advance_Centi_Seconds(150);
    form_->Timer1Timer();
    QCOMPARE(Find<QLineEdit>("Copy_Edit_Box")->text(), QStringLiteral(" 00.00:00:01.50"));
  }
};

QTEST_MAIN(Startup_Settings_Test)
#include "startup_settings_test.moc"
