#pragma once
// The About box: the product's name and credits, a quotation that changes
// every ten seconds, the memory in use, and links to the maker's web page
// and e-mail. Made once at start-up and shown modally as often as asked.
// What it shows and does is its presenter's (presenter/about_presenter.h);
// the box draws it and forwards its clicks and timers.

#include <QDialog>
#include <memory>
#include <string>

#include "presenter/about_presenter.h"

class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QMovie;
class QPushButton;
class QSvgWidget;
class QTimer;

namespace velmaric {

class TAboutBox : public QDialog, private About_View {
  Q_OBJECT

 public:
  explicit TAboutBox(About_Services services, QWidget* parent = nullptr);
  ~TAboutBox() override;

  void Free_Resources_TimerTimer() { presenter_->Free_Resources_TimerTimer(); }

 private:
  // Its controls are its own; tests find them by their object names.
  QGroupBox* GroupBox2 = nullptr;
  QSvgWidget* Karvo_Logo_Banner_Image = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QFrame* Bevel1 = nullptr;
  QLabel* Karvo_Logo_GIFImage = nullptr;
  QMovie* logo_movie = nullptr;
  QLabel* Quote_From_Karvo_Label = nullptr;
  QLabel* ProductName = nullptr;
  QLabel* Author_and_Date = nullptr;
  QLabel* Developed_using = nullptr;
  QLabel* Copyright = nullptr;
  QLabel* Comments = nullptr;
  QLabel* WEB_Page_Label = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QPushButton* Email_Button = nullptr;
  QPushButton* WEB_Button = nullptr;
  QLabel* Email_Address_Label = nullptr;
  QLabel* WEB_Address_Label = nullptr;
  QFrame* Bevel3 = nullptr;
  QLabel* Australian_Made_Logo = nullptr;
  QLabel* Australian_Made_Label = nullptr;
  QPushButton* OKButton = nullptr;
  QListWidget* Quotes_From_Karvo_ListBox = nullptr;
  QTimer* Quote_Change_Timer = nullptr;
  QTimer* Free_Resources_Timer = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void reject() override;

 private:
  void Create_Controls();
  void Load_Pictures();
  // The addresses as links on their buttons' rows, the buttons hidden.
  void Place_Links();

  // About_View
  void Set_Text(About_Control control, const std::string& text) override;
  void Start_Timer(About_Timer timer, std::int64_t interval_us) override;
  void Stop_Timer(About_Timer timer) override;
  void Animate_Logo(bool on) override;
  void Close() override { accept(); }
  QTimer* Timer(About_Timer timer) const;

  std::unique_ptr<About_Presenter> presenter_;
  bool pictures_loaded_ = false;
};

}  // namespace velmaric
