// The About box, opened from the main window's Help menu, with a faked
// memory status, a recorded "open" action and a chosen executable name.

#include "ui/about_box.h"

#include <QAction>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSvgWidget>
#include <QTest>
#include <QTimer>
#include <memory>

#include "support/window_fixture.h"
#include "ui/main_window.h"
#include "ui/product_info.h"

using velmaric::TAboutBox;
using velmaric::TMainForm1;
using velmaric::testing::Fake_Window_Services;

class About_Box_Test : public QObject, protected velmaric::testing::Window_Fixture {
  Q_OBJECT

 private:
  TAboutBox* box_ = nullptr;

  void Open() {
    box_->show();
    QVERIFY(QTest::qWaitForWindowExposed(box_));
  }
  static void Click_At_Corner(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(2, 2));
  }

 private slots:
  void init() {
    Create_World();
    world_->executable = "/opt/x y/velmaric-2.bin";
    Start_Program();
    box_ = form_->AboutBox;
  }
  void cleanup() { Close_Program(); }

  void product_texts_fill_the_titles_and_the_box() {
    QCOMPARE(form_->windowTitle(), QStringLiteral("Velmaric"));
    QCOMPARE(box_->windowTitle(), QStringLiteral("About Velmaric ..."));
    QCOMPARE(box_->ProductName->text(), QStringLiteral("Velmaric"));
    QVERIFY(box_->Author_and_Date->text().endsWith(
        QStringLiteral(", ") + QString::fromLatin1(velmaric::product_info::release_date)));
    QVERIFY(box_->Copyright->text().endsWith(QString::number(QDate::currentDate().year())));
    QCOMPARE(box_->WEB_Button->text(), QString::fromLatin1(velmaric::product_info::web_address));
    QCOMPARE(box_->Quotes_From_Karvo_ListBox->count(), 11);
    QCOMPARE(box_->Quotes_From_Karvo_ListBox->item(6)->text(),
             QStringLiteral("Ensuring you get good value for money is very important to me. "));
  }

  // Every maker's text fits its place: a row's text ends before the link
  // that shares its line, and a link ends inside the box.
  void every_text_fits_its_place() {
    Open();
    const auto text_width = [](const QLabel* label) {
      return label->fontMetrics().horizontalAdvance(label->text());
    };
    const QRect inside = box_->GroupBox1->contentsRect();
    for (const QLabel* row :
         {box_->ProductName, box_->Author_and_Date, box_->Developed_using, box_->Copyright}) {
      QVERIFY2(text_width(row) <= row->width(), qPrintable(row->text()));
    }
    for (const QLabel* link : {box_->Email_Address_Label, box_->WEB_Address_Label}) {
      QVERIFY2(link->x() + text_width(link) <= inside.right(), qPrintable(link->text()));
    }
    for (const QLabel* row : {box_->Comments, box_->WEB_Page_Label}) {
      QVERIFY2(row->x() + text_width(row) < box_->Email_Address_Label->x(),
               qPrintable(row->text()));
    }
  }

  void every_opening_picks_a_quotation_and_runs_the_timers_only_while_shown() {
    QVERIFY(!box_->Quote_Change_Timer->isActive());
    for (int opening = 0; opening < 2; ++opening) {
      box_->Quote_From_Karvo_Label->clear();
      Open();
      QVERIFY(box_->Quote_Change_Timer->isActive());
      QVERIFY(box_->Free_Resources_Timer->isActive());
      QCOMPARE(box_->Quote_Change_Timer->interval(), 10000);
      QCOMPARE(box_->Free_Resources_Timer->interval(), 500);
      QVERIFY(!box_->Quotes_From_Karvo_ListBox
                   ->findItems(box_->Quote_From_Karvo_Label->text(), Qt::MatchExactly)
                   .isEmpty());
      QVERIFY(!box_->Email_Button->isVisible());
      QVERIFY(box_->Email_Address_Label->isVisible());
      QCOMPARE(box_->Email_Address_Label->text(), box_->Email_Button->text());
      QCOMPARE(box_->WEB_Address_Label->toolTip(),
               QStringLiteral("Click to visit Karvo's WEB Page."));
      QCOMPARE(box_->WEB_Address_Label->y(), 189);
      Click_At_Corner(box_->OKButton);
      QTRY_VERIFY(!box_->isVisible());
      QVERIFY(!box_->Quote_Change_Timer->isActive());
      QVERIFY(!box_->Free_Resources_Timer->isActive());
    }
  }

  void the_figure_is_the_memory_load_or_the_free_share() {
    world_->memory = {37, 0, 0, 0, 0};
    Open();
    QCOMPARE(box_->Label4->text(), QStringLiteral("37%"));
    world_->memory = {0, 1000 * 1024, 250 * 1024, 1000 * 1024, 750 * 1024};
    box_->Free_Resources_TimerTimer();
    QCOMPARE(box_->Label4->text(), QStringLiteral("50%"));
  }

  void every_picture_and_link_opens_the_same_web_page() {
    Open();
    const std::string web = box_->WEB_Button->text().toStdString();
    for (QWidget* widget : std::initializer_list<QWidget*>{
             box_->WEB_Address_Label, box_->Karvo_Logo_GIFImage, box_->Karvo_Logo_Banner_Image,
             box_->Australian_Made_Logo, box_->Australian_Made_Label}) {
      world_->opened.clear();
      Click_At_Corner(widget);
      QCOMPARE(world_->opened, std::vector<std::string>{web});
    }
    // The subject is a link's value: the program's file name adds no field.
    const std::string mailto = "mailto:" + box_->Email_Button->text().toStdString();
    for (const auto& [executable, subject] :
         std::initializer_list<std::pair<const char*, const char*>>{
             {"/opt/x y/velmaric-2.bin", "?subject=Shareware:%20velmaric-2.bin"},
             {"/tmp/vel&cc=evil@example.com&body=x\ny#z",
              "?subject=Shareware:%20vel%26cc%3Devil%40example.com%26body%3Dx%0Ay%23z"}}) {
      world_->executable = executable;
      world_->opened.clear();
      Click_At_Corner(box_->Email_Address_Label);
      QCOMPARE(world_->opened, std::vector<std::string>{mailto + subject});
    }
  }

  void escape_and_enter_close_like_ok() {
    Open();
    QTest::keyClick(box_, Qt::Key_Escape);
    QTRY_VERIFY(!box_->isVisible());
    QVERIFY(!box_->Quote_Change_Timer->isActive());
    Open();
    QTest::keyClick(box_, Qt::Key_Return);
    QTRY_VERIFY(!box_->isVisible());
    QVERIFY(!box_->Free_Resources_Timer->isActive());
  }
};

QTEST_MAIN(About_Box_Test)
#include "about_box_test.moc"
