#pragma once
// The About box: the product's name and credits, a quotation that changes
// every ten seconds, the memory in use, and links to the maker's web page
// and e-mail. Made once at start-up and shown modally as often as asked.

#include <QDialog>
#include <functional>
#include <random>
#include <string>

#include "platform/memory_status.h"

class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QMovie;
class QPushButton;
class QSvgWidget;
class QTimer;

namespace velmaric {

struct About_Services {
  // The desktop's "open" action for a web address or a mailto: link.
  std::function<void(const std::string& target)> shell_open;
  std::function<Memory_Status()> memory_status;
  std::function<std::string()> executable_path;
};

class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(About_Services services, QWidget* parent = nullptr);

  void FormActivate();
  void OKButtonClick();
  void Email_ButtonClick();
  void WEB_ButtonClick();
  void Quote_Change_TimerTimer();
  void Free_Resources_TimerTimer();
  void Shell_Open(const std::string& target);

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
  void FormCreate();
  // The product's name, credits and the maker's addresses.
  void Fill_Product_Texts();
  void Load_Pictures();

  About_Services services_;
  std::mt19937 random_;
  bool pictures_loaded_ = false;
};

}  // namespace velmaric
