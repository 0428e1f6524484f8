// The window's logging commands on the offscreen platform, with the log in a
// temporary folder, a recording editor and a fake clock.

#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <memory>

#include "support/window_fixture.h"
#include "ui/log_file_dialog.h"
#include "ui/main_window.h"

using velmaric::TMainForm1;
using velmaric::testing::Fake_Clock;
using velmaric::testing::Fake_Window_Services;
using velmaric::testing::Recording_Editor;
using velmaric::testing::Recording_Message_Box;

class Log_Commands_Test : public QObject, protected velmaric::testing::Window_Fixture {
  Q_OBJECT

 private:
  Recording_Editor* editor_ = nullptr;

  void Log_To(const QString& name) {
    Find<QRadioButton>("Log_to_File_RadioButton")->setChecked(true);
    Find<QLineEdit>("Log_File_Name_EditBox")->setText(name);
  }

 private slots:
  void init() {
    // Qt cannot name the folders in bytes that are not UTF-8 that tests make.
    std::filesystem::remove_all(folder_.path().toStdString());
    std::filesystem::create_directories(folder_.path().toStdString());
    Create_World();
    editor_ = &world_->editor;
    Start_Program();
  }
  void cleanup() {
    Close_Program();
    std::filesystem::remove_all(folder_.path().toStdString());
  }

  void view_log_creates_a_missing_log_with_its_header_and_opens_it() {
    const QString log = Path(QStringLiteral("a b;$(touch x) 'q'.log"));
    Find<QLineEdit>("Log_File_Name_EditBox")->setText(log);  // logging stays off
    Click("View_Log_Button");
    QVERIFY(Contents(log).startsWith(QByteArray(14, ' ') + "Start"));
    QCOMPARE(Contents(log).count("\r\n"), 4);
    QCOMPARE(editor_->started, std::vector<std::string>{log.toStdString()});
    QVERIFY(boxes_->shown.empty());
  }

  void view_log_reports_a_missing_editor_before_an_empty_name() {
    editor_->available = false;
    Click("View_Log_Button");
    QCOMPARE(boxes_->shown.back().text, std::string("Windows Notepad could not be found."));
    editor_->available = true;
    Click("View_Log_Button");
    QCOMPARE(boxes_->shown.back().text, std::string("No Log File to View."));
    QVERIFY(editor_->started.empty());

    // Without an editor the log is still created.
    editor_->available = false;
    const QString log = Path(QStringLiteral("new.log"));
    Find<QLineEdit>("Log_File_Name_EditBox")->setText(log);
    Click("View_Log_Button");
    QVERIFY(QFile::exists(log));
    QVERIFY(editor_->started.empty());
  }

  void reset_log_writes_the_header_and_says_so_unless_in_expert_mode() {
    const QString log = Path(QStringLiteral("run.log"));
    QFile file(log);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("old line\r\n");
    file.close();
    Find<QLineEdit>("Log_File_Name_EditBox")->setText(log);
    Click("Reset_Log_Button");
    QVERIFY(!Contents(log).contains("old line"));
    QVERIFY(Contents(log).startsWith(QByteArray(14, ' ') + "Start"));
    QCOMPARE(boxes_->shown.back().text,
             std::string("The StopWatch Log has been Reset.  (The StopWatch counters have NOT "
                         "been reset). "));

    Find<QLineEdit>("Log_File_Name_EditBox")->clear();
    Click("Reset_Log_Button");
    QCOMPARE(boxes_->shown.back().text, std::string("No Log File to Reset."));
    Trigger("Expert_Mode_Option");
    const std::size_t shown = boxes_->shown.size();
    Click("Reset_Log_Button");
    QCOMPARE(boxes_->shown.size(), shown);
  }

  void snapshots_and_stops_are_logged_only_while_logging_is_on() {
    const QString log = Path(QStringLiteral("snap.log"));
    Find<QLineEdit>("Log_File_Name_EditBox")->setText(log);
    Click("Start_Stop_Resume_BitBtn");
    clock_->Advance_Centi_Seconds(123);
    form_->Timer1Timer();
    Click("Snap_Shot_Since_Resume_Button");  // logging off: nothing, no number used
    QVERIFY(!QFile::exists(log));

    Find<QRadioButton>("Log_to_File_RadioButton")->setChecked(true);
    Click("Snap_Shot_Since_Resume_Button");
    Click("Snap_Shot_Since_Start_Button");
    Click("Start_Stop_Resume_BitBtn");
    const QList<QByteArray> lines = Contents(log).split('\n');
    QCOMPARE(lines.size(), 4);
    QVERIFY(lines[0].startsWith("        >> Snap Shot 001 Time since Resume/Start :"));
    QVERIFY(lines[0].endsWith(" 00.00:00:01.23\r"));
    QVERIFY(lines[1].startsWith("        >> Time since original start :"));
    QVERIFY(lines[2].contains("Mon, "));
    QVERIFY(lines[2].contains(" 00.00:00:01.23 "));
  }

  void a_stop_whose_log_line_fails_is_counted_but_not_saved() {
    Log_To(Path(QStringLiteral("missing/folder/run.log")));
    Click("Start_Stop_Resume_BitBtn");
    clock_->Advance_Centi_Seconds(100);
    form_->Timer1Timer();
    Click("Start_Stop_Resume_BitBtn");
    QCOMPARE(boxes_->shown.size(), std::size_t{1});
    QCOMPARE(boxes_->shown[0].kind, std::string("Error"));
    QCOMPARE(Find<QPushButton>("Start_Stop_Resume_BitBtn")->text(), QStringLiteral("&Resume"));
    QCOMPARE(Find<QSpinBox>("Stops_Since_Last_Reset_SpinEdit")->value(), 1);
    QVERIFY(!QFile::exists(Path(QStringLiteral("velmaric.ini"))));

    // A reset whose marker fails keeps the original start and the snapshot button.
    Click("Reset_BitBtn");
    QCOMPARE(boxes_->shown.size(), std::size_t{2});
    QCOMPARE(boxes_->shown[1].kind, std::string("Error"));
    QVERIFY(Find<QPushButton>("Snap_Shot_Since_Start_Button")->isEnabled());
  }

  // The copy reads the clock itself: no tick needs to have come since.
  void the_clipboard_gets_the_total_at_the_moment_of_the_copy() {
    Click("Start_Stop_Resume_BitBtn");
    clock_->Advance_Centi_Seconds(4321);
    Trigger("Copy_Elapsed_Time_To_Clipboard_Option");
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral(" 00.00:00:43.21"));
    Click("Start_Stop_Resume_BitBtn");
    clock_->Advance_Centi_Seconds(500);
    Trigger("Copy_Elapsed_Time_To_Clipboard_Option");
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral(" 00.00:00:43.21"));
  }

  void the_chosen_file_is_taken_whole_and_typing_stops_at_19() {
    const std::string long_name = "/" + std::string(59, 'x');
    world_->next_log_choice = long_name;
    Click("Select_Log_File_BitBtn");  // works while the box is disabled
    QCOMPARE(Find<QLineEdit>("Log_File_Name_EditBox")->text().toStdString(), long_name);
    QVERIFY(!Find<QRadioButton>("Log_to_File_RadioButton")->isChecked());
    QVERIFY(!QFile::exists(QString::fromStdString(long_name)));
    world_->next_log_choice.reset();
    Trigger("Select_Log_File_Option");  // cancelled: nothing changes
    QCOMPARE(Find<QLineEdit>("Log_File_Name_EditBox")->text().toStdString(), long_name);
    QCOMPARE(world_->offered_choices, (std::vector<std::string>{"", long_name}));

    Find<QRadioButton>("Log_to_File_RadioButton")->setChecked(true);
    QLineEdit* box = Find<QLineEdit>("Log_File_Name_EditBox");
    box->clear();
    QTest::keyClicks(box, QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
    QCOMPARE(box->text(), QStringLiteral("abcdefghijklmnopqrs"));
    world_->next_log_choice = long_name;
    Click("Select_Log_File_BitBtn");
    box->end(false);
    QTest::keyClicks(box, QStringLiteral("y"));
    QCOMPARE(box->text().size(), 60);
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text().size(), 59);
    QTest::keyClicks(box, QStringLiteral("y"));
    QCOMPARE(box->text().size(), 59);
  }

  // A name in bytes that are not UTF-8 is shown as well as it can be and
  // used and saved exactly; a name with a line break never reaches the
  // settings file, where it would add a line of its own.
  void names_are_bytes_and_never_break_a_settings_line() {
    const std::string folder = Path(QStringLiteral("caf")).toStdString() + "\xE9 logs";
    QCOMPARE(mkdir(folder.c_str(), 0755), 0);
    const std::string log = folder + "/run.log";
    world_->next_log_choice = log;
    Click("Select_Log_File_BitBtn");
    QVERIFY(Find<QLineEdit>("Log_File_Name_EditBox")->text().contains(QChar::ReplacementCharacter));
    // The box as shown still means the bytes.
    Log_To(Find<QLineEdit>("Log_File_Name_EditBox")->text());
    Click("Start_Stop_Resume_BitBtn");
    clock_->Advance_Centi_Seconds(12345);
    form_->Timer1Timer();
    Click("Start_Stop_Resume_BitBtn");
    QVERIFY(boxes_->shown.empty());
    std::ifstream written(log, std::ios::binary);
    std::string line;
    QVERIFY(std::getline(written, line) && line.find(" 00.00:02:03.45") != std::string::npos);

    world_->next_log_choice = "/tmp/a.log\nelapsed_centi_seconds= 9.0E+0007";
    Trigger("Select_Log_File_Option");
    QCOMPARE(boxes_->shown.size(), std::size_t{1});
    QCOMPARE(boxes_->shown[0].kind, std::string("Information"));
    QCOMPARE(
        boxes_->shown[0].text,
        std::string("The chosen file name contains a line break or a NUL character and can "
                    "NOT be used for the Log file.  (The Log file name has NOT been changed)"));
    QLineEdit* box = Find<QLineEdit>("Log_File_Name_EditBox");
    QGuiApplication::clipboard()->setText(QStringLiteral("x\nelapsed_centi_seconds= 9"));
    box->end(false);
    box->paste();
    QVERIFY(!box->text().contains(QLatin1Char('\n')));

    QVERIFY(form_->close());
    const QByteArray saved = Contents(Path(QStringLiteral("velmaric.ini")));
    QCOMPARE(saved.count("\r\n"), 15);
    QVERIFY(saved.contains("\r\nLog_File_Name_EditBox=" + QByteArray::fromStdString(log) + "\r\n"));
    QVERIFY(saved.contains("\r\nelapsed_centi_seconds= 1.23450000000000E+0004\r\n"));
  }

  // The dialog shows a file named in bytes that are not UTF-8 with a
  // replacement character, and answers with the name it shows: the window
  // finds the bytes on the disk again. A file whose name holds a line break
  // is refused whichever way it was chosen.
  void the_real_file_dialog_gives_the_bytes_on_the_disk() {
    Close_Program();
    Create_World();
    world_->real_file_dialog = true;
    Start_Program();
    const std::string log = Path(QStringLiteral("caf")).toStdString() + "\xE9.log";
    const std::string broken =
        Path(QStringLiteral("run\nelapsed_centi_seconds= 9.0E+0007")).toStdString();
    for (const std::string& name : {log, broken}) std::ofstream(name) << "x";
    const auto choose = [this](const std::string& name) {
      QTimer::singleShot(0, [name] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        dialog->selectFile(QFile::decodeName(QByteArray::fromStdString(name)));
        QMetaObject::invokeMethod(dialog, "accept");
      });
      Click("Select_Log_File_BitBtn");
    };
    choose(log);
    QVERIFY(Find<QLineEdit>("Log_File_Name_EditBox")->text().contains(QChar::ReplacementCharacter));
    choose(broken);
    QCOMPARE(boxes_->shown.size(), std::size_t{1});
    // Two names that show alike: which one was meant cannot be told.
    const std::string look_alike = Path(QStringLiteral("caf")).toStdString() + "\xE8.log";
    std::ofstream(look_alike) << "x";
    choose(look_alike);
    QCOMPARE(boxes_->shown.size(), std::size_t{2});
    QVERIFY(boxes_->shown[1].text.rfind("The chosen file name can NOT be told apart", 0) == 0);
    QVERIFY(form_->close());
    const QByteArray saved = Contents(Path(QStringLiteral("velmaric.ini")));
    QCOMPARE(saved.count("\r\n"), 15);
    QVERIFY(saved.contains("\r\nLog_File_Name_EditBox=" + QByteArray::fromStdString(log) + "\r\n"));
  }

  // "All Files (*.*)" lists every file, those without a dot too; the other
  // filters still narrow the list, chosen as a user chooses them.
  void all_files_lists_names_without_a_dot() {
    QDir folder(Path(QStringLiteral("choices")));
    QVERIFY(folder.mkpath(QStringLiteral(".")));
    for (const char* name : {"README", "plainlog", "run.log", "notes.txt"}) {
      QFile file(folder.filePath(QString::fromLatin1(name)));
      QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const std::unique_ptr<QFileDialog> dialog = velmaric::Make_Log_File_Dialog(
        nullptr, Find<QObject>("OpenDialog1")->property("filter").toString(), std::string());
    dialog->setDirectory(folder.path());
    dialog->show();
    auto* model = dialog->findChild<QFileSystemModel*>();
    QVERIFY(model != nullptr);
    const auto listed = [&] {
      QStringList names;
      const QModelIndex parent = model->index(folder.path());
      for (int row = 0; row < model->rowCount(parent); ++row) {
        names << model->index(row, 0, parent).data().toString();
      }
      names.sort();
      return names.join(QLatin1Char(' '));
    };
    QCOMPARE(dialog->selectedNameFilter(), QStringLiteral("All Files (*.*)"));
    QTRY_COMPARE(listed(), QStringLiteral("README notes.txt plainlog run.log"));
    auto* filters = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    QVERIFY(filters != nullptr);
    QTest::keyClick(filters, Qt::Key_Down);
    QTRY_COMPARE(listed(), QStringLiteral("notes.txt"));
    QTest::keyClick(filters, Qt::Key_Up);
    QTRY_COMPARE(listed(), QStringLiteral("README notes.txt plainlog run.log"));
  }
};

QTEST_MAIN(Log_Commands_Test)
#include "log_commands_test.moc"
