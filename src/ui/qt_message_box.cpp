#include "ui/qt_message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
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

std::optional<std::size_t> Qt_Message_Box::Warning_Choice(
    const std::string& text, const std::vector<std::string>& captions) {
  if (answer_at_once_) return std::nullopt;
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), Box_Text(text),
                  QMessageBox::NoButton, QApplication::activeWindow());
  std::vector<QAbstractButton*> buttons;
  for (const std::string& caption : captions) {
    buttons.push_back(box.addButton(QString::fromStdString(caption), QMessageBox::ActionRole));
  }
  if (!buttons.empty()) box.setDefaultButton(static_cast<QPushButton*>(buttons.front()));
  open_choice_ = &box;
  box.exec();
  open_choice_ = nullptr;
  const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
  if (answer_at_once_ || chosen == buttons.end()) return std::nullopt;
  return static_cast<std::size_t>(chosen - buttons.begin());
}

void Qt_Message_Box::Answer_At_Once() {
  answer_at_once_ = true;
  if (open_choice_) open_choice_->done(0);
}

void Qt_Message_Box::Error(const std::string& text) {
  if (answer_at_once_) {
    std::cerr << "velmaric: " << text << std::endl;
    return;
  }
  Show(QMessageBox::Critical, QStringLiteral("Error"), text, QMessageBox::Ok);
}

}  // namespace velmaric
