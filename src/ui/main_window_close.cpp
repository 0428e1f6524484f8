// The open box an ending program answers: the presenter decides when, the
// window knows which boxes are open.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

#include "ui/main_window.h"

namespace velmaric {

// Answers the box or dialog that waits in front, always in the way that
// changes nothing: a question with No (or Cancel), a notice with OK, a
// dialog as cancelled. A bare reject would not do for a box: its caller may
// read anything but No as Yes (the file dialog's "delete this file?").
void TMainForm1::Dismiss_Open_Box() {
  QWidget* const open = QApplication::activeModalWidget();
  if (auto* box = qobject_cast<QMessageBox*>(open)) {
    const QList<QAbstractButton*> buttons = box->buttons();
    for (const auto role : {QMessageBox::NoRole, QMessageBox::RejectRole}) {
      for (QAbstractButton* button : buttons) {
        if (box->buttonRole(button) == role) {
          button->click();
          return;
        }
      }
    }
    if (buttons.size() == 1) buttons.front()->click();  // a notice: OK
    return;  // nothing that surely says no: left for its own caller
  }
  if (auto* dialog = qobject_cast<QDialog*>(open)) dialog->reject();
}

}  // namespace velmaric
