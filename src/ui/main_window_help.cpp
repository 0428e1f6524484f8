// The Help menu, the menu-bar clock, and the product's name in the titles.

#include <QAction>
#include <QDate>
#include <QLabel>
#include <QPushButton>

#include "companion/companion_files.h"
#include "ui/main_window.h"
#include "ui/product_info.h"

namespace velmaric {

void TMainForm1::Apply_Product_Texts() {
  const QString name = QString::fromLatin1(product_info::name);
  setWindowTitle(name);
  setToolTip(QString());
  AboutBox->setWindowTitle(QStringLiteral("About ") + name + QStringLiteral(" ..."));
  AboutBox->ProductName->setText(name);
  AboutBox->Author_and_Date->setText(QString::fromLatin1(product_info::credit) +
                                     QStringLiteral(", ") +
                                     QString::fromLatin1(product_info::release_date));
  AboutBox->Developed_using->setText(QString::fromLatin1(product_info::development));
  AboutBox->Copyright->setText(QString::fromLatin1(product_info::rights) +
                               QString::number(QDate::currentDate().year()));
  AboutBox->Comments->setText(QString::fromLatin1(product_info::comment));
  AboutBox->WEB_Page_Label->setText(QString::fromLatin1(product_info::web_page_line));
  AboutBox->Email_Button->setText(QString::fromLatin1(product_info::email_address));
  AboutBox->WEB_Button->setText(QString::fromLatin1(product_info::web_address));
  AboutBox->setToolTip(QString());
}

void TMainForm1::AboutOptionClick() {
  AboutBox->exec();
}

void TMainForm1::View_Readme_file_OptionClick() {
  Run_Command([this] { View_Readme_File(executable_path_(), editor_, boxes_); });
}

void TMainForm1::SpareMenuClick() {
  View_Readme_file_OptionClick();
}

void TMainForm1::View_Shareware_Catalog_OptionClick() {
  Run_Command([this] {
    View_Catalog_File(files_, AboutBox->ProductName->text().toStdString(), executable_path_(),
                      editor_, boxes_);
  });
}

}  // namespace velmaric
