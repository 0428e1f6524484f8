// A timing the program was killed in the middle of, and each answer to the
// question the next start asks about it, with the fake clock.

#include "settings/run_record.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "settings/ini_values.h"
#include "support/window_fixture.h"
#include "ui/main_window.h"

namespace {

enum class Answer { count_until_then, keep_counting, discard, unanswered };

}  // namespace

class Run_Record_Test : public QObject, private velmaric::testing::Window_Fixture {
  Q_OBJECT

 private:
  std::string Record_Name() const { return velmaric::Run_Record_Name(world_->settings_file); }
  QString Log_Path() const { return Path(QStringLiteral("run.log")); }
  QByteArray Settings() const { return Contents(Path(QStringLiteral("velmaric.ini"))); }
  QByteArray Elapsed_Line(double centi_seconds) const {
    return QByteArray("elapsed_centi_seconds=") +
           QByteArray::fromStdString(velmaric::Real_Ini_Text(centi_seconds)) + "\r\n";
  }

  // Stopped at 12.34 s and saved; resumed, seen at 17.34 s, killed at 20.34 s.
  // Gives the monotonic reading of the kill.
  std::int64_t Run_And_Kill() {
    Create_World();
    Start_Program();
    Find<QRadioButton>("Log_to_File_RadioButton")->setChecked(true);
    Find<QLineEdit>("Log_File_Name_EditBox")->setText(Log_Path());
    Click("Start_Stop_Resume_BitBtn");
    clock_->Advance_Centi_Seconds(1234);
    Click("Start_Stop_Resume_BitBtn");
    Click("Start_Stop_Resume_BitBtn");  // Resume
    clock_->Advance_Centi_Seconds(500);
    form_->Run_Record_TimerTimer();
    clock_->Advance_Centi_Seconds(300);
    form_->Timer1Timer();
    const std::int64_t killed_at = clock_->Now().monotonic_us;
    form_.reset();  // no close, no save: as a kill leaves it
    return killed_at;
  }

  // The next start, a minute after the kill, on this boot or another.
  void Start_Again(std::int64_t killed_at, Answer answer, bool same_boot = true) {
    const std::string settings_file = world_->settings_file;
    form_.reset();
    Create_World();
    world_->settings_file = settings_file;
    clock_->Advance_Micro_Seconds(killed_at + 60'000'000 - clock_->Now().monotonic_us);
    if (!same_boot) world_->boot = "0f9e8d7c-0000-4000-8000-000000000000";
    // Without Keep counting, Discard is the second button.
    const bool shifted = !same_boot && answer == Answer::discard;
    boxes_->choice = shifted ? 1 : static_cast<std::size_t>(answer);
    boxes_->answering_at_once = answer == Answer::unanswered;
    Start_Program();
  }

 private slots:
  void cleanup() {
    Close_Program();
    QVERIFY(QDir(folder_.path()).removeRecursively() && QDir().mkpath(folder_.path()));
  }

  void each_answer_after_a_kill_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<double>("counter");
    QTest::addColumn<int>("stops");
    QTest::addColumn<bool>("running");
    QTest::addColumn<QByteArray>("new_log_line");
    QTest::addColumn<double>("saved");
    QTest::addColumn<bool>("record_left");
    // Until the last sign of life: 12.34 s + 5 s, one stop more, logged.
    QTest::addRow("Count until then") << int(Answer::count_until_then) << 1734.0 << 2 << false
                                      << QByteArray(" 00.00:00:05.00 ") << 1734.0 << false;
    // As if never stopped: the 3 s after the last sign of life and the
    // minute the program was down count too.
    QTest::addRow("Keep counting")
        << int(Answer::keep_counting) << 8034.0 << 1 << true << QByteArray() << 1234.0 << true;
    QTest::addRow("Discard") << int(Answer::discard) << 1234.0 << 1 << false << QByteArray()
                             << 1234.0 << false;
    // The program ends during the question: it asks again next time.
    QTest::addRow("unanswered") << int(Answer::unanswered) << 1234.0 << 1 << false << QByteArray()
                                << 1234.0 << true;
  }

  void each_answer_after_a_kill() {
    QFETCH(int, answer);
    QFETCH(double, counter);
    QFETCH(int, stops);
    QFETCH(bool, running);
    QFETCH(QByteArray, new_log_line);
    QFETCH(double, saved);
    QFETCH(bool, record_left);

    const std::int64_t killed_at = Run_And_Kill();
    const QByteArray log_before = Contents(Log_Path());
    QVERIFY(velmaric::Read_Run_Record(velmaric::Real_File_System(), Record_Name()));
    Start_Again(killed_at, static_cast<Answer>(answer));

    QCOMPARE(boxes_->shown.size(), std::size_t{1});
    QCOMPARE(boxes_->shown.front().kind, std::string("Warning"));
    QVERIFY(boxes_->shown.front().text.find("last seen running at") != std::string::npos);
    QCOMPARE(boxes_->offered, (std::vector<std::string>{velmaric::caption_count_until_then,
                                                        velmaric::caption_keep_counting,
                                                        velmaric::caption_discard}));
    QCOMPARE(form_->stopwatch().elapsed_centi_seconds(), counter);
    QCOMPARE(form_->stopwatch().stop_count(), stops);
    QCOMPARE(form_->stopwatch().Running(), running);
    QCOMPARE(Find<QSpinBox>("Stops_Since_Last_Reset_SpinEdit")->value(), stops);
    QCOMPARE(Find<QPushButton>("Start_Stop_Resume_BitBtn")->text(),
             running ? QStringLiteral("&Stop") : QStringLiteral("&Resume"));
    const QByteArray log = Contents(Log_Path());
    QVERIFY(log.startsWith(log_before));
    const QByteArray added = log.mid(log_before.size());
    if (new_log_line.isEmpty()) {
      QCOMPARE(added, QByteArray());
    } else {
      QCOMPARE(added.count("\r\n"), 1);
      QVERIFY2(added.contains(new_log_line), added.constData());
      QVERIFY2(added.contains(" 00.00:00:17.34 "), added.constData());
      // It ends where the program was last seen running, not at the kill.
      QVERIFY2(added.contains("10:15:21"), added.constData());
    }
    QVERIFY(Settings().contains(Elapsed_Line(saved)));
    QCOMPARE(velmaric::Read_Run_Record(velmaric::Real_File_System(), Record_Name()).has_value(),
             record_left);
    if (!record_left || running) return;
    // Closed with an option changed: the record still follows the settings.
    Trigger("Expert_Mode_Option");
    QVERIFY(form_->close());
    QVERIFY(velmaric::Run_Guard(velmaric::Real_File_System(), {}, nullptr)
                .Left_Running(world_->settings_file));
  }

  void a_record_of_another_boot_cannot_keep_counting_and_a_stopped_timing_leaves_none() {
    const std::int64_t killed_at = Run_And_Kill();
    Start_Again(killed_at, Answer::discard, false);
    QCOMPARE(boxes_->offered, (std::vector<std::string>{velmaric::caption_count_until_then,
                                                        velmaric::caption_discard}));
    // The record's refresh wakes the program only while it times.
    const auto* refresh = Find<QTimer>("Run_Record_Timer");
    QVERIFY(!refresh->isActive());
    // Timing, then stopped and closed: nothing is left to ask about.
    Click("Start_Stop_Resume_BitBtn");
    QVERIFY(velmaric::Read_Run_Record(velmaric::Real_File_System(), Record_Name()));
    QVERIFY(refresh->isActive());
    clock_->Advance_Centi_Seconds(100);
    Click("Start_Stop_Resume_BitBtn");
    QVERIFY(!velmaric::Read_Run_Record(velmaric::Real_File_System(), Record_Name()));
    QVERIFY(!refresh->isActive());
    Click("Start_Stop_Resume_BitBtn");
    QVERIFY(form_->close());
    QVERIFY(!QFile::exists(QString::fromStdString(Record_Name())));
    Start_Again(clock_->Now().monotonic_us, Answer::count_until_then);
    QVERIFY(boxes_->shown.empty());
  }

  void a_record_that_cannot_be_written_is_said_once_and_the_timing_goes_on() {
    Create_World();
    // A folder where the record would go: no file can take its place.
    QVERIFY(QDir().mkpath(QString::fromStdString(Record_Name())));
    Start_Program();
    Click("Start_Stop_Resume_BitBtn");
    clock_->Advance_Centi_Seconds(100);
    form_->Run_Record_TimerTimer();
    Click("Snap_Shot_Since_Resume_Button");
    QCOMPARE(boxes_->shown.size(), std::size_t{1});
    QCOMPARE(boxes_->shown.front().kind, std::string("Information"));
    QCOMPARE(boxes_->shown.front().text, std::string(velmaric::unprotected_notice));
    QVERIFY(form_->stopwatch().Running());
    QCOMPARE(form_->stopwatch().elapsed_centi_seconds(), 100.0);
  }
};

QTEST_MAIN(Run_Record_Test)
#include "run_record_test.moc"
