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
#include <QStyle>
#include <QSvgWidget>
#include <QTimer>
#include <chrono>

#include "platform/executable.h"
#include "ui/control_style.h"
#include "ui/product_info.h"

namespace velmaric {
namespace {

const char* const quotations[] = {
    "Since 1980, my passion has been writing useful computer sofware.",
    "I hope this program makes your work a little simpler, your play a little better, or your "
    "day a bit easier.",
    "Customer service is important to me.  Why not email me and test this for yourself ?",
    "Tired of software developers not supporting their programs or replying to emails ?  Email "
    "me and experience real customer service.",
    "Useful software needn't be expensive, and my catalog of software proves this.",
    "If you have any comments, suggestions, improvements, or feedback, please email me.",
    "Ensuring you get good value for money is very important to me. ",
    "Useful software needn't take up Gigabytes of disk space, and my catalog of software proves "
    "this.",
    "If you can't find a program you need anywhere, email me - I might be able to help.",
    "If you would like a special program written - email me - I might be able to help.",
    "Got a great idea for a computer program ?  Please email me and let me know.",
};

QLabel* Text_Row(QWidget* parent, const char* name, QRect geometry, bool bold, bool wrap) {
  auto* label = new QLabel(QString::fromLatin1(name), parent);
  label->setObjectName(QString::fromLatin1(name));
  Set_Design_Font(label, bold);
  label->setGeometry(geometry);
  label->setWordWrap(wrap);
  return label;
}

QFrame* Raised_Frame(QWidget* parent, const char* name, QRect geometry) {
  auto* frame = new QFrame(parent);
  frame->setObjectName(QString::fromLatin1(name));
  frame->setFrameShape(QFrame::Panel);
  frame->setFrameShadow(QFrame::Raised);
  frame->setGeometry(geometry);
  return frame;
}

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
  setFixedSize(591, 354);
  Create_Controls();
  FormCreate();
}

void TAboutBox::Create_Controls() {
  GroupBox2 = new QGroupBox(this);
  GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
  GroupBox2->setGeometry(0, -4, 589, 65);
  Karvo_Logo_Banner_Image = new QSvgWidget(GroupBox2);
  Karvo_Logo_Banner_Image->setObjectName(QStringLiteral("Karvo_Logo_Banner_Image"));
  Karvo_Logo_Banner_Image->setGeometry(1, 0, 600, 70);

  GroupBox1 = new QGroupBox(this);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  GroupBox1->setGeometry(0, 52, 589, 301);
  QWidget* const g = GroupBox1;
  Bevel1 = Raised_Frame(g, "Bevel1", {5, 14, 184, 167});
  Karvo_Logo_GIFImage = new QLabel(g);
  Karvo_Logo_GIFImage->setObjectName(QStringLiteral("Karvo_Logo_GIFImage"));
  Karvo_Logo_GIFImage->setGeometry(12, 16, 173, 165);
  Karvo_Logo_GIFImage->setScaledContents(true);
  logo_movie = new QMovie(QStringLiteral(":/velmaric/velmaric-logo.gif"), QByteArray(), this);
  Karvo_Logo_GIFImage->setMovie(logo_movie);

  Quote_From_Karvo_Label = Text_Row(g, "Quote_From_Karvo_Label", {8, 184, 181, 113}, false, true);
  Quote_From_Karvo_Label->setAlignment(Qt::AlignCenter);
  ProductName = Text_Row(g, "ProductName", {205, 16, 380, 18}, true, false);
  Author_and_Date = Text_Row(g, "Author_and_Date", {205, 45, 380, 18}, true, false);
  Developed_using = Text_Row(g, "Developed_using", {205, 74, 380, 18}, false, true);
  Copyright = Text_Row(g, "Copyright", {205, 103, 380, 18}, false, false);
  Comments = Text_Row(g, "Comments", {205, 162, 380, 18}, false, true);
  WEB_Page_Label = Text_Row(g, "WEB_Page_Label", {205, 191, 380, 18}, false, true);
  Label3 = Text_Row(g, "Label3", {207, 220, 160, 18}, false, false);
  Label3->setText(QStringLiteral("Free System Resources :"));
  Label4 = Text_Row(g, "Label4", {375, 220, 60, 18}, false, false);
  Label4->setText(QStringLiteral("Free %"));

  Email_Button = new QPushButton(g);
  Email_Button->setObjectName(QStringLiteral("Email_Button"));
  Email_Button->setGeometry(416, 160, 169, 23);
  WEB_Button = new QPushButton(g);
  WEB_Button->setObjectName(QStringLiteral("WEB_Button"));
  WEB_Button->setGeometry(416, 189, 169, 23);
  for (const char* name : {"Email_Address_Label", "WEB_Address_Label"}) {
    auto* link = new QLabel(g);
    link->setObjectName(QString::fromLatin1(name));
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(16);
    font.setBold(true);
    font.setUnderline(true);
    link->setFont(font);
    link->setStyleSheet(QStringLiteral("color: blue"));
    link->move(424, 0);
    link->installEventFilter(this);
    (Email_Address_Label == nullptr ? Email_Address_Label : WEB_Address_Label) = link;
  }

  Bevel3 = Raised_Frame(g, "Bevel3", {420, 244, 157, 49});
  Australian_Made_Logo = new QLabel(g);
  Australian_Made_Logo->setObjectName(QStringLiteral("Australian_Made_Logo"));
  Australian_Made_Logo->setGeometry(424, 248, 149, 41);
  Australian_Made_Logo->setScaledContents(true);
  Australian_Made_Logo->setToolTip(QStringLiteral("Hey, don't poke me there !!"));
  Australian_Made_Label = new QLabel(QStringLiteral("Australian Made Software"), g);
  Australian_Made_Label->setObjectName(QStringLiteral("Australian_Made_Label"));
  Australian_Made_Label->setGeometry(430, 252, 98, 32);
  Australian_Made_Label->setAlignment(Qt::AlignCenter);
  Australian_Made_Label->setWordWrap(true);
  Australian_Made_Label->setAttribute(Qt::WA_TranslucentBackground);
  QFont arial(QStringLiteral("Arial"));
  arial.setPixelSize(13);
  Australian_Made_Label->setFont(arial);
  Australian_Made_Label->setForegroundRole(QPalette::HighlightedText);

  OKButton =
      new QPushButton(style()->standardIcon(QStyle::SP_DialogApplyButton), QStringLiteral("OK"), g);
  OKButton->setObjectName(QStringLiteral("OKButton"));
  OKButton->setGeometry(245, 251, 100, 37);
  QFont sans(QStringLiteral("MS Sans Serif"));
  sans.setPixelSize(16);
  sans.setBold(true);
  OKButton->setFont(sans);
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);

  Quotes_From_Karvo_ListBox = new QListWidget(g);
  Quotes_From_Karvo_ListBox->setObjectName(QStringLiteral("Quotes_From_Karvo_ListBox"));
  Quotes_From_Karvo_ListBox->setVisible(false);
  for (const char* quotation : quotations) {
    Quotes_From_Karvo_ListBox->addItem(QString::fromLatin1(quotation));
  }

  Quote_Change_Timer = new QTimer(this);
  Quote_Change_Timer->setObjectName(QStringLiteral("Quote_Change_Timer"));
  Quote_Change_Timer->setInterval(10000);
  connect(Quote_Change_Timer, &QTimer::timeout, this, &TAboutBox::Quote_Change_TimerTimer);
  Free_Resources_Timer = new QTimer(this);
  Free_Resources_Timer->setObjectName(QStringLiteral("Free_Resources_Timer"));
  Free_Resources_Timer->setInterval(500);
  connect(Free_Resources_Timer, &QTimer::timeout, this, &TAboutBox::Free_Resources_TimerTimer);

  for (QWidget* picture :
       std::initializer_list<QWidget*>{Karvo_Logo_GIFImage, Karvo_Logo_Banner_Image,
                                       Australian_Made_Logo, Australian_Made_Label}) {
    picture->installEventFilter(this);
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
