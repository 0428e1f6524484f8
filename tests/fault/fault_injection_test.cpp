// The window's commands that write files, run on the offscreen platform
// while each of their file changes fails in turn: with a full disk, a refused
// permission and an I/O error. After every failure the user must have seen
// at most one error box, the window must still work, the settings file must
// hold one whole save and the log only whole lines.
//
// Then the power is cut at each of those changes in turn, and once more
// after the command: what the disk holds must be, file by file, the old
// contents or the new, and the new once the command is done.
//
// Each run starts from the same scene in the same folder: a timing stopped
// once (the old settings file and log), then resumed with two options
// changed, and a removable disk holding copies from another computer.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <set>

#include "fault_file_system.h"
#include "log/log_writer.h"
#include "platform/regular_files.h"
#include "settings/disk_transfer.h"
#include "settings/run_guard.h"
#include "settings/run_record.h"
#include "settings/settings_keys.h"
#include "support/window_fixture.h"
#include "ui/main_window.h"

namespace {

namespace fault = velmaric::testing::fault;
namespace key = velmaric::settings_key;

enum class Command {
  stop,
  close,
  reset_log,
  reset_new_log,
  copy_out,
  copy_in,
  resume,
  refresh_record
};
constexpr Command all_commands[] = {
    Command::stop,     Command::close,   Command::reset_log, Command::reset_new_log,
    Command::copy_out, Command::copy_in, Command::resume,    Command::refresh_record};

const char* Name_Of(Command command) {
  switch (command) {
    case Command::stop:
      return "Stop";
    case Command::close:
      return "close while running";
    case Command::reset_log:
      return "Reset Log";
    case Command::reset_new_log:
      return "Reset Log onto no log";
    case Command::copy_out:
      return "copy to disk while running";
    case Command::copy_in:
      return "copy from disk";
    case Command::resume:
      return "Resume";
    case Command::refresh_record:
      return "refresh of the run record";
  }
  return "?";
}

// The commands that write the log anew.
bool Rewrites_Log(Command command) {
  return command == Command::reset_log || command == Command::reset_new_log;
}

// The commands that write the run record alone.
bool Writes_Record_Only(Command command) {
  return command == Command::resume || command == Command::refresh_record;
}

// A call on the run record (its removal's folder sync too), which never ends
// a command: a record that cannot be written leaves the timing unprotected,
// with one notice.
bool On_Record(const std::vector<std::string>& trace, int call) {
  const auto names_record = [&](int at) {
    return at >= 1 && at <= static_cast<int>(trace.size()) &&
           trace[at - 1].find("velmaric.ini.run") != std::string::npos;
  };
  return names_record(call) ||
         (call <= static_cast<int>(trace.size()) && trace[call - 1].rfind("fsync", 0) == 0 &&
          trace[call - 1].back() == '/' && names_record(call - 1));
}

// A record that a failed save refreshed is whole, though neither old nor new.
bool Whole_Record(const QByteArray& record) {
  return record == "<missing>" || velmaric::Parse_Run_Record(record.toStdString());
}

bool Is_Transfer(Command command) {
  return command == Command::copy_out || command == Command::copy_in;
}

// The commands whose settings save finds the stopwatch running and writes
// the stop line in the middle of the save.
bool Saves_While_Running(Command command) {
  return command == Command::close || command == Command::copy_out;
}

struct Injected_Error {
  int number;  // 0: the power is cut
  const char* name;
  const char* description;  // the error box's text for it
};
constexpr Injected_Error injected_errors[] = {
    {ENOSPC, "ENOSPC", "Disk full"},
    {EACCES, "EACCES", "File access denied"},
    {EIO, "EIO", "I/O error 5"},
    {0, "power cut", "I/O error 5"},
};

void Write(const QString& name, const QByteArray& contents) {
  QFile file(name);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QCOMPARE(file.write(contents), contents.size());
  // Long ago, so that a time stamp that fails to take is told apart.
  QVERIFY(file.setFileTime(QDateTime(QDate(2020, 1, 6), QTime(9, 0)),
                           QFileDevice::FileModificationTime));
}

struct Files {
  QByteArray settings, log, disk_settings, disk_log, record;
  bool operator==(const Files& other) const {
    return settings == other.settings && log == other.log && disk_settings == other.disk_settings &&
           disk_log == other.disk_log && record == other.record;
  }
};

// The line of the stop count in a saved file.
const std::size_t stop_line_key = [] {
  std::size_t line = 0;
  while (!key::Is(key::table[line], key::stop_count)) ++line;
  return line;
}();

// The values of the fifteen keys, or nothing unless text is exactly fifteen
// lines of key and value ending in CR LF, in the order a save writes them.
std::optional<std::vector<QByteArray>> Settings_Values(const QByteArray& text) {
  std::vector<QByteArray> values;
  qsizetype start = 0;
  for (const velmaric::Settings_Key& entry : key::table) {
    const char* name = entry.text;
    const qsizetype end = text.indexOf("\r\n", start);
    if (end < 0) return std::nullopt;
    const QByteArray line = text.mid(start, end - start);
    if (!line.startsWith(name) || line.contains('\n')) return std::nullopt;
    values.push_back(line.mid(static_cast<qsizetype>(std::strlen(name))));
    start = end + 2;
  }
  if (start != text.size()) return std::nullopt;
  return values;
}

// Which save the settings file holds. Besides the old and the new one, a
// save whose stop line failed keeps the keys written before that line.
QString Settings_State(const Files& before, const Files& after, const QByteArray& actual) {
  if (actual == before.settings) return QStringLiteral("old");
  if (actual == after.settings) return QStringLiteral("new");
  const auto values = Settings_Values(actual);
  if (!values) return QStringLiteral("torn");
  const auto old_values = Settings_Values(before.settings);
  const auto new_values = Settings_Values(after.settings);
  for (std::size_t k = 0; k < values->size(); ++k) {
    const auto& expected = k < stop_line_key ? *new_values : *old_values;
    if ((*values)[k] != expected[k]) return QStringLiteral("mixed");
  }
  return QStringLiteral("saved up to the stop line");
}

// What the log holds: the old content, the new, or the old one followed by
// whole lines of the new. A log that is rewritten (Reset Log) may also hold
// whole lines from the start of the new content.
QString Log_State(const QByteArray& before, const QByteArray& after, const QByteArray& actual,
                  bool rewritten) {
  if (actual == before) return QStringLiteral("old");
  if (actual == after) return QStringLiteral("new");
  if (!actual.isEmpty() && !actual.endsWith("\r\n")) return QStringLiteral("torn");
  if (!after.startsWith(actual)) return QStringLiteral("torn");
  if (rewritten) return QStringLiteral("first %1 lines of the new").arg(actual.count("\r\n"));
  if (!actual.startsWith(before)) return QStringLiteral("torn");
  return QStringLiteral("old and %1 new lines").arg(actual.count("\r\n") - before.count("\r\n"));
}

}  // namespace

class Fault_Injection_Test : public QObject, private velmaric::testing::Window_Fixture {
  Q_OBJECT

 private:
  std::unique_ptr<fault::Fault_File_System> files_;

  using Window_Fixture::Path;
  QString Path(const char* name) const { return Path(QString::fromLatin1(name)); }
  void Tick(int centi_seconds) {
    world_->clock.Advance_Centi_Seconds(centi_seconds);
    form_->Timer1Timer();
  }

  Files Snapshot() const {
    return {Contents(Path("app/velmaric.ini")), Contents(Path("logs/run.log")),
            Contents(Path("disk/velmaric.ini")), Contents(Path("disk/run.log")),
            Contents(Path("app/velmaric.ini.run"))};
  }

  std::vector<std::string> Shown(const char* kind) const {
    std::vector<std::string> texts;
    for (const auto& box : world_->boxes.shown) {
      if (box.kind == kind) texts.push_back(box.text);
    }
    return texts;
  }

  // The closing message: the success text, or the one that names a skipped copy.
  bool Closing_Notice_Shown() const {
    for (const std::string& text : Shown("Information")) {
      for (const char* closing :
           {velmaric::copied_to_medium_text, velmaric::copied_from_medium_text,
            velmaric::not_all_copied_to_medium_text, velmaric::not_all_copied_from_medium_text}) {
        if (text.rfind(closing, 0) == 0) return true;
      }
    }
    return false;
  }

  // Temporaries of an atomic write that were not cleaned up.
  QStringList Stray_Files() const {
    QStringList stray;
    QDirIterator files(folder_.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
      const QString name = files.next();
      if (files.fileName().startsWith(QLatin1Char('.'))) stray << name;
    }
    return stray;
  }

  // The same scene in the same folder every time, with nothing armed. For
  // Reset Log onto no log, the log is gone.
  void Start_Scene(Command command) {
    files_->Arm(0, fault::Mode::error);
    Close_Program();
    QVERIFY(QDir(folder_.path()).removeRecursively());
    for (const char* sub : {"app", "logs", "disk"}) QVERIFY(QDir().mkpath(Path(sub)));
    Create_World();
    world_->files = files_.get();
    world_->boxes.answer_yes = false;  // a close whose save failed keeps the window
    world_->settings_file = Path("app/velmaric.ini").toStdString();
    world_->executable = Path("app/velmaric").toStdString();
    world_->medium = Path("disk").toStdString();
    Start_Program();
    if (QTest::currentTestFailed()) return;

    Find<QRadioButton>("Log_to_File_RadioButton")->setChecked(true);
    Find<QLineEdit>("Log_File_Name_EditBox")->setText(Path("logs/run.log"));
    Click("Start_Stop_Resume_BitBtn");
    Tick(1234);
    Click("Start_Stop_Resume_BitBtn");  // the old settings file and log

    // The disk holds a timing carried on elsewhere, written long ago.
    QList<QByteArray> lines = Contents(Path("app/velmaric.ini")).split('\n');
    for (QByteArray& line : lines) {
      if (line.startsWith(key::elapsed_centi_seconds)) {
        line = QByteArray(key::elapsed_centi_seconds) + " 9.87650000000000E+0004\r";
      } else if (line.startsWith(key::stop_count)) {
        line = QByteArray(key::stop_count) + "7\r";
      }
    }
    Write(Path("disk/velmaric.ini"), lines.join('\n'));
    Write(Path("disk/run.log"), Contents(Path("logs/run.log")) +
                                    "    6 carried stop line\r\n    7 carried stop line\r\n");

    // The timing goes on, with two options changed since the last save.
    Click("Start_Stop_Resume_BitBtn");
    Tick(567);
    Trigger("Expert_Mode_Option");
    Find<QCheckBox>("Write_Stop_Count_CheckBox")->setChecked(true);
    QVERIFY(world_->boxes.shown.empty());
    if (command == Command::reset_new_log) QVERIFY(QFile::remove(Path("logs/run.log")));
    if (command == Command::resume) Click("Start_Stop_Resume_BitBtn");  // stopped: no record
    if (command == Command::refresh_record) Tick(300);
  }

  // Runs the command as the user would; true when the window closed.
  bool Run(Command command) {
    switch (command) {
      case Command::stop:
        Click("Start_Stop_Resume_BitBtn");
        break;
      case Command::close:
        return form_->close();
      case Command::reset_log:
      case Command::reset_new_log:
        Click("Reset_Log_Button");
        break;
      case Command::copy_out:
        Trigger("Copy_Stopwatch_Times_to_FloppyDisk_Option");
        break;
      case Command::copy_in:
        Trigger("Copy_Stopwatch_Times_From_FloppyDisk_Option");
        break;
      case Command::resume:
        Click("Start_Stop_Resume_BitBtn");
        break;
      case Command::refresh_record:
        form_->Run_Record_TimerTimer();
        break;
    }
    return false;
  }

  // The old and new contents must differ where a torn or mixed file would
  // show, or the checks of the runs could not fail.
  void Check_Old_And_New_Differ(Command command, const Files& before, const Files& after) {
    QVERIFY(Settings_Values(before.settings));
    if (Writes_Record_Only(command)) {
      QVERIFY(after.record != before.record);
      QCOMPARE(after.settings, before.settings);
      QCOMPARE(after.log, before.log);
      return;
    }
    if (Rewrites_Log(command)) {
      QCOMPARE(after.settings, before.settings);
      QVERIFY(after.log.count("\r\n") > 1);
      QVERIFY(!after.log.startsWith(before.log));
      return;
    }
    const auto old_values = Settings_Values(before.settings);
    const auto new_values = Settings_Values(after.settings);
    QVERIFY(new_values);
    bool head_differs = false;
    bool tail_differs = false;
    for (std::size_t k = 0; k < old_values->size(); ++k) {
      if ((*old_values)[k] == (*new_values)[k]) continue;
      (k < stop_line_key ? head_differs : tail_differs) = true;
    }
    QVERIFY(head_differs && tail_differs);
    QVERIFY(after.log.startsWith(before.log) && after.log.size() > before.log.size());
    if (command == Command::copy_out) {
      QVERIFY(after.disk_settings == after.settings && after.disk_settings != before.disk_settings);
      QVERIFY(after.disk_log == after.log && after.disk_log != before.disk_log);
    }
  }

  // Checks what a power cut left; outcome gets its line of the table.
  void Check_Power_Cut(Command command, const QString& where, const Files& before,
                       const Files& after, bool command_done, QString& outcome) {
    const Files now = Snapshot();
    const auto state = [](const QByteArray& old, const QByteArray& added,
                          const QByteArray& actual) {
      return actual == old     ? QStringLiteral("old")
             : actual == added ? QStringLiteral("new")
                               : QStringLiteral("torn");
    };
    const QString settings = state(before.settings, after.settings, now.settings);
    const QString log = state(before.log, after.log, now.log);
    const QString disk = state(before.disk_settings, after.disk_settings, now.disk_settings) +
                         QLatin1Char('/') + state(before.disk_log, after.disk_log, now.disk_log);
    outcome = QStringLiteral("settings %1, log %2, record %3")
                  .arg(settings, log, state(before.record, after.record, now.record));
    if (command == Command::copy_out) outcome += QStringLiteral(", disk copies %1").arg(disk);
    const auto fail = [&](const QString& what) {
      return (where + QStringLiteral(": ") + what + QStringLiteral(" [") + outcome +
              QStringLiteral("]"))
          .toLocal8Bit();
    };
    QVERIFY2(!outcome.contains(QLatin1String("torn")),
             fail(QStringLiteral("a file is neither old nor new")).constData());
    QVERIFY2(now.disk_settings == before.disk_settings || command == Command::copy_out,
             fail(QStringLiteral("the disk was written")).constData());
    if (command_done) {
      QVERIFY2(now == after,
               fail(QStringLiteral("a finished command is not on the disk")).constData());
    }
    if ((command == Command::stop || Saves_While_Running(command)) &&
        settings == QLatin1String("new")) {
      QVERIFY2(log == QLatin1String("new"),
               fail(QStringLiteral("saved, but not logged")).constData());
    }
    QVERIFY2(Stray_Files().isEmpty(), fail(QStringLiteral("temporaries left behind: ") +
                                           Stray_Files().join(QLatin1Char(' ')))
                                          .constData());
  }

  // Checks one run whose fault fired; outcome gets its line of the table.
  void Check_Run(Command command, const Injected_Error& error, const QString& where,
                 const Files& before, const Files& after, bool closed, bool record_call,
                 QString& outcome) {
    const std::vector<std::string> errors = Shown("Error");
    const bool notice = Closing_Notice_Shown();
    outcome = errors.empty()
                  ? QStringLiteral("no error box")
                  : QStringLiteral("Error \"%1\"").arg(QString::fromStdString(errors.front()));
    if (notice) outcome += QStringLiteral(", closing notice");
    const auto fail = [&](const QString& what) {
      return (where + QStringLiteral(": ") + what + QStringLiteral(" [") + outcome +
              QStringLiteral("]"))
          .toLocal8Bit();
    };

    // (a) one error box at most, and no failure that nobody hears of.
    QVERIFY2(errors.size() <= 1, fail(QStringLiteral("more than one error box")).constData());
    if (Is_Transfer(command)) {
      // A refused copy is skipped silently and the notice follows; a failed
      // byte copy or save ends the command with its error box instead.
      QVERIFY2(
          errors.size() + (notice ? 1 : 0) == 1,
          fail(QStringLiteral("expected either one error box or the closing notice")).constData());
    } else if (record_call) {
      QVERIFY2(errors.empty(), fail(QStringLiteral("the run record ended a command")).constData());
    } else {
      QVERIFY2(errors.size() == 1, fail(QStringLiteral("the failure went unreported")).constData());
    }
    if (Writes_Record_Only(command)) {
      const std::vector<std::string> notices = Shown("Information");
      QVERIFY2(notices.size() == 1 && notices.front() == velmaric::unprotected_notice,
               fail(QStringLiteral("the unprotected timing was not said once")).constData());
    }
    if (!errors.empty()) {
      const std::string& text = errors.front();
      const bool copy_text = Is_Transfer(command) && (text.rfind("Cannot create file ", 0) == 0 ||
                                                      text.rfind("Cannot open file ", 0) == 0);
      QVERIFY2(text == error.description || copy_text,
               fail(QStringLiteral("the error box does not describe the failure")).constData());
    }

    // (c) and (d): whole files only.
    const Files now = Snapshot();
    QVERIFY2(Whole_Record(now.record), fail(QStringLiteral("the run record is torn")).constData());
    const QString settings = Settings_State(before, after, now.settings);
    const QString log = Log_State(before.log, after.log, now.log, Rewrites_Log(command));
    outcome += QStringLiteral("; settings %1, log %2").arg(settings, log);
    QVERIFY2(settings == QLatin1String("old") || settings == QLatin1String("new") ||
                 (Saves_While_Running(command) &&
                  settings == QLatin1String("saved up to the stop line")),
             fail(QStringLiteral("the settings file is not one whole save:\n") + now.settings)
                 .constData());
    QVERIFY2(!log.startsWith(QLatin1String("torn")),
             fail(QStringLiteral("the log holds a partial line:\n") + now.log).constData());
    if (command == Command::stop || Saves_While_Running(command)) {
      // The stop line is written before the settings are committed.
      if (settings == QLatin1String("new")) {
        QVERIFY2(log == QLatin1String("new"),
                 fail(QStringLiteral("saved, but not logged")).constData());
      }
      // Only a failed stop line ends a save part-way; it may have landed
      // whole before its close failed.
      if (settings == QLatin1String("saved up to the stop line")) {
        QVERIFY2(!errors.empty(),
                 fail(QStringLiteral("part-saved without an error box")).constData());
      }
    }
    if (command == Command::copy_out) {
      QVERIFY2(
          now.disk_settings == before.disk_settings || now.disk_settings == after.disk_settings,
          fail(QStringLiteral("the settings copy on the disk is torn:\n") + now.disk_settings)
              .constData());
      QVERIFY2(
          now.disk_log == before.disk_log || now.disk_log == after.disk_log,
          fail(QStringLiteral("the log copy on the disk is torn:\n") + now.disk_log).constData());
    } else {
      QVERIFY2(now.disk_settings == before.disk_settings && now.disk_log == before.disk_log,
               fail(QStringLiteral("the disk was written")).constData());
    }
    QVERIFY2(Stray_Files().isEmpty(), fail(QStringLiteral("temporaries left behind: ") +
                                           Stray_Files().join(QLatin1Char(' ')))
                                          .constData());

    // (b) the window lives on: it stays open exactly when its save failed,
    // it ticks, and its next save goes through.
    if (command == Command::close) {
      QVERIFY2(closed == errors.empty(),
               fail(QStringLiteral("closed with a failed save, or kept open")).constData());
      QVERIFY2(form_->isVisible() == !closed,
               fail(QStringLiteral("the window's visibility")).constData());
    } else {
      QVERIFY2(!closed && form_->isVisible(),
               fail(QStringLiteral("the window went away")).constData());
    }
    if (!closed) {
      const QString time_shown = Find<QLineEdit>("Date_Time_Edit")->text();
      Tick(200);
      QVERIFY2(Find<QLineEdit>("Date_Time_Edit")->text() != time_shown,
               fail(QStringLiteral("the clock no longer ticks")).constData());
      form_->Refresh_View();
      QVERIFY2(Find<QSpinBox>("Stops_Since_Last_Reset_SpinEdit")->value() ==
                   form_->stopwatch().stop_count(),
               fail(QStringLiteral("the view no longer follows the stopwatch")).constData());
      world_->boxes.shown.clear();
      QVERIFY2(form_->FormCloseQuery(),
               fail(QStringLiteral("the next save failed as well")).constData());
      const auto saved = Settings_Values(Contents(Path("app/velmaric.ini")));
      QVERIFY2(
          saved && (*saved)[stop_line_key] == QByteArray::number(form_->stopwatch().stop_count()),
          fail(QStringLiteral("the next save did not land")).constData());
    }
  }

 private slots:
  void initTestCase() {
    QVERIFY(folder_.isValid());
    QApplication::setQuitOnLastWindowClosed(false);
    files_ = std::make_unique<fault::Fault_File_System>(velmaric::Real_File_System(),
                                                        folder_.path().toStdString());
  }
  void cleanup() {
    files_->Arm(0, fault::Mode::error);
    Close_Program();
  }

  void every_kind_of_change_is_seen_in_the_folder_and_none_elsewhere() {
    std::set<std::string> seen;
    for (const Command command : all_commands) {
      Start_Scene(command);
      files_->Arm(0, fault::Mode::error);
      Run(command);
      for (const std::string& call : files_->Trace()) seen.insert(call.substr(0, call.find(' ')));
    }
    // A change that bypassed the file system would silently test nothing.
    QCOMPARE(seen, (std::set<std::string>{"chmod", "close", "create", "fsync", "open", "probe",
                                          "rename", "truncate", "unlink", "utime", "write"}));

    QTemporaryDir elsewhere;
    const std::string log = elsewhere.filePath(QStringLiteral("x.log")).toStdString();
    const std::string ini = elsewhere.filePath(QStringLiteral("x.ini")).toStdString();
    files_->Arm(1, fault::Mode::error, EIO);
    velmaric::Append_Line_To_File(*files_, log, "line");
    velmaric::Replace_Regular_File(*files_, ini, "a=1\r\n");
    QCOMPARE(files_->Calls(), 0);
    files_->Arm(0, fault::Mode::error);
    QCOMPARE(Contents(QString::fromStdString(log)), QByteArray("line\r\n"));
    QCOMPARE(Contents(QString::fromStdString(ini)), QByteArray("a=1\r\n"));
  }

  void every_write_of_a_command_fails_once_in_turn_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("error");
    for (const Command command : all_commands) {
      for (std::size_t e = 0; e < std::size(injected_errors); ++e) {
        QTest::addRow("%s, %s", Name_Of(command), injected_errors[e].name)
            << static_cast<int>(command) << static_cast<int>(e);
      }
    }
  }

  void every_write_of_a_command_fails_once_in_turn() {
    QFETCH(int, command);
    QFETCH(int, error);
    const Command which = static_cast<Command>(command);
    const Injected_Error& injected = injected_errors[error];

    const fault::Mode mode = injected.number == 0 ? fault::Mode::power_cut : fault::Mode::error;

    // The fault-free run gives the new contents and the number of calls.
    Start_Scene(which);
    if (QTest::currentTestFailed()) return;
    const Files before = Snapshot();
    files_->Arm(0, fault::Mode::error);
    QCOMPARE(Run(which), which == Command::close);
    const int calls = files_->Calls();
    const Files after = Snapshot();
    QVERIFY(Shown("Error").empty());
    QVERIFY(calls > 0);
    Check_Old_And_New_Differ(which, before, after);
    if (QTest::currentTestFailed()) return;

    QStringList table;
    std::map<QString, int> tally;
    for (int call = 1;; ++call) {
      Start_Scene(which);
      if (QTest::currentTestFailed()) return;
      QVERIFY2(Snapshot() == before, "the scene did not repeat exactly");
      files_->Arm(call, mode, injected.number);
      const bool closed = Run(which);
      const bool fired = files_->Fired();
      const bool record_call = fired && On_Record(files_->Trace(), call);
      const QString failed_call = fired ? QString::fromStdString(files_->Fired_Call())
                                        : QStringLiteral("(after the command)");
      if (mode == fault::Mode::power_cut) files_->Lose_Power();
      files_->Arm(0, fault::Mode::error);
      if (!fired) QCOMPARE(call, calls + 1);
      if (!fired && mode == fault::Mode::error) break;
      const QString where = QStringLiteral("%1 with %2 at call %3 of %4 (%5)")
                                .arg(QLatin1String(Name_Of(which)), QLatin1String(injected.name))
                                .arg(call)
                                .arg(calls)
                                .arg(failed_call);
      QString outcome;
      if (mode == fault::Mode::power_cut) {
        Check_Power_Cut(which, where, before, after, !fired, outcome);
      } else {
        Check_Run(which, injected, where, before, after, closed, record_call, outcome);
      }
      if (QTest::currentTestFailed()) return;
      table << QStringLiteral("  %1 %2: %3").arg(call, 2).arg(failed_call, -30).arg(outcome);
      ++tally[mode == fault::Mode::power_cut ? outcome : outcome.section(QLatin1Char(';'), 0, 0)];
      if (!fired) break;
    }
    QStringList summary;
    for (const auto& [outcome, count] : tally)
      summary << QStringLiteral("%1 x %2").arg(count).arg(outcome);
    qInfo().noquote() << QStringLiteral("%1, %2: %3 calls hit: %4\n%5")
                             .arg(QLatin1String(Name_Of(which)), QLatin1String(injected.name))
                             .arg(calls)
                             .arg(summary.join(QStringLiteral("; ")),
                                  table.join(QLatin1Char('\n')));
  }
};

QTEST_MAIN(Fault_Injection_Test)
#include "fault_injection_test.moc"
