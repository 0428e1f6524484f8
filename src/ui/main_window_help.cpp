// The Help menu, the menu-bar clock, and the product's name in the title.

#include "companion/companion_files.h"
#include "ui/main_window.h"
#include "ui/product_info.h"

namespace velmaric {

void TMainForm1::Apply_Product_Texts() {
  setWindowTitle(QString::fromLatin1(product_info::name));
  setToolTip(QString());
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
    View_Catalog_File(files_, product_info::name, executable_path_(), editor_, boxes_);
  });
}

}  // namespace velmaric
