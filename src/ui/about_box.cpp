#include "ui/about_box.h"

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

#include "forms/about_form_design.h"
#include "ui/form_builder.h"

namespace velmaric {

TAboutBox::TAboutBox(About_Services services, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("AboutBox"));
  QFont font = this->font();
  font.setPixelSize(13);
  setFont(font);
  const forms::Size size = forms::About_Form().client_size;
  setFixedSize(size.width, size.height);
  Create_Controls();
  presenter_ =
      std::make_unique<About_Presenter>(std::move(services), static_cast<About_View&>(*this));
  setToolTip(QString());
}

TAboutBox::~TAboutBox() = default;

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
  connect(OKButton, &QPushButton::clicked, this, [this] { presenter_->OKButtonClick(); });

  Quote_Change_Timer = new QTimer(this);
  Quote_Change_Timer->setObjectName(QStringLiteral("Quote_Change_Timer"));
  connect(Quote_Change_Timer, &QTimer::timeout, this,
          [this] { presenter_->Quote_Change_TimerTimer(); });
  Free_Resources_Timer = new QTimer(this);
  Free_Resources_Timer->setObjectName(QStringLiteral("Free_Resources_Timer"));
  connect(Free_Resources_Timer, &QTimer::timeout, this,
          [this] { presenter_->Free_Resources_TimerTimer(); });

  // Clicking a link or a picture opens the maker's page or e-mail.
  for (QWidget* clickable : std::initializer_list<QWidget*>{
           Email_Address_Label, WEB_Address_Label, Karvo_Logo_GIFImage, Karvo_Logo_Banner_Image,
           Australian_Made_Logo, Australian_Made_Label}) {
    clickable->installEventFilter(this);
  }
  connect(Email_Button, &QPushButton::clicked, this, [this] { presenter_->Email_ButtonClick(); });
  connect(WEB_Button, &QPushButton::clicked, this, [this] { presenter_->WEB_ButtonClick(); });
}

void TAboutBox::Set_Text(About_Control control, const std::string& text) {
  const QString value = QString::fromStdString(text);
  switch (control) {
    case About_Control::AboutBox:
      setWindowTitle(value);
      return;
    case About_Control::ProductName:
      return ProductName->setText(value);
    case About_Control::Author_and_Date:
      return Author_and_Date->setText(value);
    case About_Control::Developed_using:
      return Developed_using->setText(value);
    case About_Control::Copyright:
      return Copyright->setText(value);
    case About_Control::Comments:
      return Comments->setText(value);
    case About_Control::WEB_Page_Label:
      return WEB_Page_Label->setText(value);
    case About_Control::Email_Button:
      return Email_Button->setText(value);
    case About_Control::WEB_Button:
      return WEB_Button->setText(value);
    case About_Control::Email_Address_Label:
      return Email_Address_Label->setText(value);
    case About_Control::WEB_Address_Label:
      return WEB_Address_Label->setText(value);
    case About_Control::Quote_From_Karvo_Label:
      return Quote_From_Karvo_Label->setText(value);
    case About_Control::Label4:
      return Label4->setText(value);
  }
}

QTimer* TAboutBox::Timer(About_Timer timer) const {
  return timer == About_Timer::Quote_Change_Timer ? Quote_Change_Timer : Free_Resources_Timer;
}

void TAboutBox::Start_Timer(About_Timer timer, std::int64_t interval_us) {
  Timer(timer)->start(static_cast<int>(interval_us / 1000));
}

void TAboutBox::Stop_Timer(About_Timer timer) {
  Timer(timer)->stop();
}

void TAboutBox::Animate_Logo(bool on) {
  if (on) {
    logo_movie->start();
  } else {
    logo_movie->stop();
  }
}

void TAboutBox::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* screen = this->screen()) {
    move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
  }
  Load_Pictures();
  presenter_->FormActivate();
  Place_Links();
}

void TAboutBox::Load_Pictures() {
  // Decoded at the first showing, not at start-up, where the box waits unseen.
  if (pictures_loaded_) return;
  pictures_loaded_ = true;
  Karvo_Logo_Banner_Image->load(QStringLiteral(":/velmaric/velmaric-banner.svg"));
  Australian_Made_Logo->setPixmap(QPixmap(QStringLiteral(":/velmaric/made-in-logo.bmp")));
}

void TAboutBox::Place_Links() {
  Email_Button->setToolTip(QStringLiteral("Click to send an E-Mail to Karvo."));
  WEB_Button->setToolTip(QStringLiteral("Click to visit Karvo's WEB Page."));
  Email_Button->setVisible(false);
  WEB_Button->setVisible(false);
  const std::pair<QLabel*, QPushButton*> links[] = {{Email_Address_Label, Email_Button},
                                                    {WEB_Address_Label, WEB_Button}};
  for (const auto& [link, button] : links) {
    link->setToolTip(button->toolTip());
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

void TAboutBox::reject() {
  presenter_->OKButtonClick();
}

void TAboutBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    presenter_->OKButtonClick();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    if (watched == Email_Address_Label) {
      presenter_->Email_ButtonClick();
    } else {
      presenter_->WEB_ButtonClick();
    }
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace velmaric
