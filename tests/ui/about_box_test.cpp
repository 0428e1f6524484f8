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

#include "presenter/product_info.h"
#include "support/window_fixture.h"
#include "ui/main_window.h"

using velmaric::TAboutBox;
using velmaric::TMainForm1;
using velmaric::testing::Fake_Window_Services;

class About_Box_Test : public QObject, protected velmaric::testing::Window_Fixture {
  Q_OBJECT

 private:
  TAboutBox* box_ = nullptr;

  // The box's control of that name (see controls.h).
  template <typename T>
  T* In_Box(const char* name) const {
    return velmaric::testing::Control<T>(*box_, name);
  }

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
    box_ = Find<TAboutBox>("AboutBox");
  }
  void cleanup() { Close_Program(); }

  void product_texts_fill_the_titles_and_the_box() {
    QCOMPARE(form_->windowTitle(), QStringLiteral("Velmaric"));
    QCOMPARE(box_->windowTitle(), QStringLiteral("About Velmaric ..."));
    QCOMPARE(In_Box<QLabel>("ProductName")->text(), QStringLiteral("Velmaric"));
    const QString credit = In_Box<QLabel>("Author_and_Date")->text();
    QVERIFY(credit.endsWith(QStringLiteral(", ") +
                            QString::fromLatin1(velmaric::product_info::release_date)));
    const QString rights = In_Box<QLabel>("Copyright")->text();
    QVERIFY(rights.endsWith(QString::number(QDate::currentDate().year())));
    QCOMPARE(In_Box<QPushButton>("WEB_Button")->text(),
             QString::fromLatin1(velmaric::product_info::web_address));
    QCOMPARE(In_Box<QListWidget>("Quotes_From_Karvo_ListBox")->item(6)->text(),
             QStringLiteral("Ensuring you get good value for money is very important to me. "));
    // The box fills its texts itself, without a window to do it.
    TAboutBox alone(world_->Services().about);
    QCOMPARE(alone.windowTitle(), box_->windowTitle());
    for (const char* name : {"ProductName", "Author_and_Date", "Copyright", "Comments"}) {
      QCOMPARE(velmaric::testing::Control<QLabel>(alone, name)->text(),
               In_Box<QLabel>(name)->text());
    }
    QCOMPARE(velmaric::testing::Control<QPushButton>(alone, "Email_Button")->text(),
             QString::fromLatin1(velmaric::product_info::email_address));
  }

  // Every maker's text fits its place: a row's text ends before the link
  // that shares its line, and a link ends inside the box.
  void every_text_fits_its_place() {
    Open();
    const auto text_width = [](const QLabel* label) {
      return label->fontMetrics().horizontalAdvance(label->text());
    };
    const QRect inside = In_Box<QGroupBox>("GroupBox1")->contentsRect();
    for (const char* name : {"ProductName", "Author_and_Date", "Developed_using", "Copyright"}) {
      const QLabel* row = In_Box<QLabel>(name);
      QVERIFY2(text_width(row) <= row->width(), qPrintable(row->text()));
    }
    for (const char* name : {"Email_Address_Label", "WEB_Address_Label"}) {
      const QLabel* link = In_Box<QLabel>(name);
      QVERIFY2(link->x() + text_width(link) <= inside.right(), qPrintable(link->text()));
    }
    for (const char* name : {"Comments", "WEB_Page_Label"}) {
      const QLabel* row = In_Box<QLabel>(name);
      QVERIFY2(row->x() + text_width(row) < In_Box<QLabel>("Email_Address_Label")->x(),
               qPrintable(row->text()));
    }
  }

  void every_opening_picks_a_quotation_and_runs_the_timers_only_while_shown() {
    const QTimer* const quote_timer = In_Box<QTimer>("Quote_Change_Timer");
    const QTimer* const figure_timer = In_Box<QTimer>("Free_Resources_Timer");
    QLabel* const quotation = In_Box<QLabel>("Quote_From_Karvo_Label");
    QVERIFY(!quote_timer->isActive());
    for (int opening = 0; opening < 2; ++opening) {
      quotation->clear();
      Open();
      QVERIFY(quote_timer->isActive());
      QVERIFY(figure_timer->isActive());
      QVERIFY(!In_Box<QListWidget>("Quotes_From_Karvo_ListBox")
                   ->findItems(quotation->text(), Qt::MatchExactly)
                   .isEmpty());
      // The addresses show as links on their buttons' rows, the buttons hidden.
      const QLabel* const email = In_Box<QLabel>("Email_Address_Label");
      const QLabel* const web = In_Box<QLabel>("WEB_Address_Label");
      QVERIFY(!In_Box<QPushButton>("Email_Button")->isVisible());
      QVERIFY(email->isVisible());
      QCOMPARE(email->text(), In_Box<QPushButton>("Email_Button")->text());
      QCOMPARE(web->toolTip(), QStringLiteral("Click to visit Karvo's WEB Page."));
      QCOMPARE(web->y(), In_Box<QPushButton>("WEB_Button")->y());
      Click_At_Corner(In_Box<QPushButton>("OKButton"));
      QTRY_VERIFY(!box_->isVisible());
      QVERIFY(!quote_timer->isActive());
      QVERIFY(!figure_timer->isActive());
    }
  }

  void the_figure_is_the_memory_load_or_the_free_share() {
    world_->memory = {37, 0, 0, 0, 0};
    Open();
    QCOMPARE(In_Box<QLabel>("Label4")->text(), QStringLiteral("37%"));
    world_->memory = {0, 1000 * 1024, 250 * 1024, 1000 * 1024, 750 * 1024};
    box_->Free_Resources_TimerTimer();
    QCOMPARE(In_Box<QLabel>("Label4")->text(), QStringLiteral("50%"));
  }

  void every_picture_and_link_opens_the_same_web_page() {
    Open();
    const std::string web = In_Box<QPushButton>("WEB_Button")->text().toStdString();
    for (const char* name : {"WEB_Address_Label", "Karvo_Logo_GIFImage", "Karvo_Logo_Banner_Image",
                             "Australian_Made_Logo", "Australian_Made_Label"}) {
      world_->opened.clear();
      Click_At_Corner(In_Box<QWidget>(name));
      QCOMPARE(world_->opened, std::vector<std::string>{web});
    }
    // The subject is a link's value: the program's file name adds no field.
    const std::string mailto =
        "mailto:" + In_Box<QPushButton>("Email_Button")->text().toStdString();
    for (const auto& [executable, subject] :
         std::initializer_list<std::pair<const char*, const char*>>{
             {"/opt/x y/velmaric-2.bin", "?subject=Shareware:%20velmaric-2.bin"},
             {"/tmp/vel&cc=evil@example.com&body=x\ny#z",
              "?subject=Shareware:%20vel%26cc%3Devil%40example.com%26body%3Dx%0Ay%23z"}}) {
      world_->executable = executable;
      world_->opened.clear();
      Click_At_Corner(In_Box<QLabel>("Email_Address_Label"));
      QCOMPARE(world_->opened, std::vector<std::string>{mailto + subject});
    }
  }

  void escape_and_enter_close_like_ok() {
    Open();
    QTest::keyClick(box_, Qt::Key_Escape);
    QTRY_VERIFY(!box_->isVisible());
    QVERIFY(!In_Box<QTimer>("Quote_Change_Timer")->isActive());
    Open();
    QTest::keyClick(box_, Qt::Key_Return);
    QTRY_VERIFY(!box_->isVisible());
    QVERIFY(!In_Box<QTimer>("Free_Resources_Timer")->isActive());
  }
};

QTEST_MAIN(About_Box_Test)
#include "about_box_test.moc"
