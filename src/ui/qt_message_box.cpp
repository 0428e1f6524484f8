#include "ui/qt_message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <iostream>

namespace velmaric {
namespace {

// Messages join their lines with CR LF; the box wants plain line feeds.
QString Box_Text(const std::string& text) {
  return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QMessageBox::StandardButton Show(QMessageBox::Icon icon, const QString& title,
                                 const std::string& text, QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, title, Box_Text(text), buttons, QApplication::activeWindow());
  // A question's default is No: Return and Escape alike change nothing.
  if (buttons.testFlag(QMessageBox::No)) {
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
  }
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

void Qt_Message_Box::Information(const std::string& text) {
  if (answer_at_once_) {
    std::cerr << "velmaric: " << text << std::endl;
    return;
  }
  Show(QMessageBox::Information, QStringLiteral("Information"), text, QMessageBox::Ok);
}

bool Qt_Message_Box::Warning_Yes_No(const std::string& text) {
  if (answer_at_once_) return false;
  return Show(QMessageBox::Warning, QStringLiteral("Warning"), text,
              QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void Qt_Message_Box::Error(const std::string& text) {
  if (answer_at_once_) {
    std::cerr << "velmaric: " << text << std::endl;
    return;
  }
  Show(QMessageBox::Critical, QStringLiteral("Error"), text, QMessageBox::Ok);
}

}  // namespace velmaric
