#include "ui/about_box.h"

#include <QDate>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMovie>
#include <QPushButton>
#include <QScreen>
#include <QSvgWidget>
#include <QTimer>
#include <chrono>

#include "forms/about_form_design.h"
#include "platform/executable.h"
#include "ui/form_builder.h"
#include "ui/product_info.h"

namespace velmaric {
namespace {

std::mt19937::result_type Clock_Seed() {
  return static_cast<std::mt19937::result_type>(
      std::chrono::steady_clock::now().time_since_epoch().count());
}

}  // namespace

TAboutBox::TAboutBox(About_Services services, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      services_(std::move(services)) {
  setObjectName(QStringLiteral("AboutBox"));
  QFont font = this->font();
  font.setPixelSize(13);
  setFont(font);
  const forms::Size size = forms::About_Form().client_size;
  setFixedSize(size.width, size.height);
  Create_Controls();
  FormCreate();
}

void TAboutBox::Create_Controls() {
  Build_Controls(forms::About_Form(), this);
  Bind(GroupBox2, this, "GroupBox2");
  Bind(Karvo_Logo_Banner_Image, this, "Karvo_Logo_Banner_Image");
  Bind(GroupBox1, this, "GroupBox1");
  Bind(Bevel1, this, "Bevel1");
  Bind(Karvo_Logo_GIFImage, this, "Karvo_Logo_GIFImage");
  Bind(Quote_From_Karvo_Label, this, "Quote_From_Karvo_Label");
  Bind(ProductName, this, "ProductName");
  Bind(Author_and_Date, this, "Author_and_Date");
  Bind(Developed_using, this, "Developed_using");
  Bind(Copyright, this, "Copyright");
  Bind(Comments, this, "Comments");
  Bind(WEB_Page_Label, this, "WEB_Page_Label");
  Bind(Label3, this, "Label3");
  Bind(Label4, this, "Label4");
  Bind(Email_Button, this, "Email_Button");
  Bind(WEB_Button, this, "WEB_Button");
  Bind(Email_Address_Label, this, "Email_Address_Label");
  Bind(WEB_Address_Label, this, "WEB_Address_Label");
  Bind(Bevel3, this, "Bevel3");
  Bind(Australian_Made_Logo, this, "Australian_Made_Logo");
  Bind(Australian_Made_Label, this, "Australian_Made_Label");
  Bind(OKButton, this, "OKButton");
  Bind(Quotes_From_Karvo_ListBox, this, "Quotes_From_Karvo_ListBox");

  logo_movie = new QMovie(QStringLiteral(":/velmaric/velmaric-logo.gif"), QByteArray(), this);
  Karvo_Logo_GIFImage->setMovie(logo_movie);
  connect(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);

  Quote_Change_Timer = new QTimer(this);
  Quote_Change_Timer->setObjectName(QStringLiteral("Quote_Change_Timer"));
  Quote_Change_Timer->setInterval(10000);
  connect(Quote_Change_Timer, &QTimer::timeout, this, &TAboutBox::Quote_Change_TimerTimer);
  Free_Resources_Timer = new QTimer(this);
  Free_Resources_Timer->setObjectName(QStringLiteral("Free_Resources_Timer"));
  Free_Resources_Timer->setInterval(500);
  connect(Free_Resources_Timer, &QTimer::timeout, this, &TAboutBox::Free_Resources_TimerTimer);

  // Clicking a link or a picture opens the maker's page or e-mail.
  for (QWidget* clickable : std::initializer_list<QWidget*>{
           Email_Address_Label, WEB_Address_Label, Karvo_Logo_GIFImage, Karvo_Logo_Banner_Image,
           Australian_Made_Logo, Australian_Made_Label}) {
    clickable->installEventFilter(this);
  }
  connect(Email_Button, &QPushButton::clicked, this, &TAboutBox::Email_ButtonClick);
  connect(WEB_Button, &QPushButton::clicked, this, &TAboutBox::WEB_ButtonClick);
}

void TAboutBox::FormCreate() {
  random_.seed(Clock_Seed());
  Fill_Product_Texts();
}

void TAboutBox::Fill_Product_Texts() {
  const QString name = QString::fromLatin1(product_info::name);
  setWindowTitle(QStringLiteral("About ") + name + QStringLiteral(" ..."));
  ProductName->setText(name);
  Author_and_Date->setText(QString::fromLatin1(product_info::credit) + QStringLiteral(", ") +
                           QString::fromLatin1(product_info::release_date));
  Developed_using->setText(QString::fromLatin1(product_info::development));
  Copyright->setText(QString::fromLatin1(product_info::rights) +
                     QString::number(QDate::currentDate().year()));
  Comments->setText(QString::fromLatin1(product_info::comment));
  WEB_Page_Label->setText(QString::fromLatin1(product_info::web_page_line));
  Email_Button->setText(QString::fromLatin1(product_info::email_address));
  WEB_Button->setText(QString::fromLatin1(product_info::web_address));
  setToolTip(QString());
}

void TAboutBox::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* screen = this->screen()) {
    move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
  }
  FormActivate();
}

void TAboutBox::Load_Pictures() {
  // Decoded at the first showing, not at start-up, where the box waits unseen.
  if (pictures_loaded_) return;
  pictures_loaded_ = true;
  Karvo_Logo_Banner_Image->load(QStringLiteral(":/velmaric/velmaric-banner.svg"));
  Australian_Made_Logo->setPixmap(QPixmap(QStringLiteral(":/velmaric/made-in-logo.bmp")));
}

void TAboutBox::FormActivate() {
  // The copyright runs to the year of each opening.
  Fill_Product_Texts();
  Load_Pictures();
  random_.seed(Clock_Seed());
  Quote_Change_Timer->start();
  Free_Resources_Timer->start();
  logo_movie->start();
  Quote_Change_TimerTimer();
  Free_Resources_TimerTimer();
  Email_Button->setToolTip(QStringLiteral("Click to send an E-Mail to Karvo."));
  WEB_Button->setToolTip(QStringLiteral("Click to visit Karvo's WEB Page."));
  Email_Button->setVisible(false);
  WEB_Button->setVisible(false);
  const std::pair<QLabel*, QPushButton*> links[] = {{Email_Address_Label, Email_Button},
                                                    {WEB_Address_Label, WEB_Button}};
  for (const auto& [link, button] : links) {
    link->setToolTip(button->toolTip());
    link->setText(button->text());
    link->adjustSize();
    link->move(424, button->y());
  }
  for (QWidget* pointer : std::initializer_list<QWidget*>{
           Email_Address_Label, WEB_Address_Label, Australian_Made_Label, Australian_Made_Logo,
           Karvo_Logo_GIFImage, Karvo_Logo_Banner_Image, Bevel3, Bevel1}) {
    pointer->setCursor(Qt::PointingHandCursor);
  }
  Bevel3->lower();
  Bevel1->lower();
}

void TAboutBox::Quote_Change_TimerTimer() {
  std::uniform_int_distribution<int> pick(0, Quotes_From_Karvo_ListBox->count() - 1);
  Quote_From_Karvo_Label->setText(Quotes_From_Karvo_ListBox->item(pick(random_))->text());
}

void TAboutBox::Free_Resources_TimerTimer() {
  Label4->setText(QString::fromStdString(Free_Resources_Text(services_.memory_status())));
}

void TAboutBox::Shell_Open(const std::string& target) {
  if (!target.empty()) services_.shell_open(target);
}

void TAboutBox::Email_ButtonClick() {
  // The subject names the executable as it is called now, encoded as a
  // link's value: a file name holding "&cc=" adds no field to the e-mail.
  const QByteArray subject =
      QByteArray::fromStdString("Shareware: " + File_Name_Part(services_.executable_path()))
          .toPercentEncoding(":");
  Shell_Open("mailto:" + Email_Button->text().toStdString() + "?subject=" + subject.toStdString());
}

void TAboutBox::WEB_ButtonClick() {
  Shell_Open(WEB_Button->text().toStdString());
}

void TAboutBox::OKButtonClick() {
  Quote_Change_Timer->stop();
  Free_Resources_Timer->stop();
  logo_movie->stop();
  accept();
}

void TAboutBox::reject() {
  OKButtonClick();
}

void TAboutBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    OKButtonClick();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    if (watched == Email_Address_Label) {
      Email_ButtonClick();
    } else {
      WEB_ButtonClick();
    }
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace velmaric
