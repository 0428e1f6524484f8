// How the window closes: by the user, who may keep it when the save fails,
// or at a signal or the session's end, which always ends the program. A
// close asked for during the start-up sequence or a command waits for it,
// so that no save ever writes a state loaded or changed halfway.

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QMessageBox>
#include <QTimer>
#include <iostream>

#include "ui/main_window.h"

namespace velmaric {
namespace {

constexpr int close_retry_ms = 50;

constexpr const char* close_without_saving =
    "The StopWatch Time / Settings could NOT all be saved.\r\n\r\n"
    "Do you want to close the program without saving ?";

// Answers the box or dialog that waits in front, always in the way that
// changes nothing: a question with No (or Cancel), a notice with OK, a
// dialog as cancelled. A bare reject would not do for a box: its caller may
// read anything but No as Yes (the file dialog's "delete this file?").
void Dismiss_Open_Box() {
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

}  // namespace

bool TMainForm1::FormCloseQuery() {
  if (Run_Command([this] { Save_And_Guard(true); })) return true;
  // The old settings file is whole: a way out is to leave it as it is.
  return boxes_.Warning_Yes_No(close_without_saving);
}

void TMainForm1::Save_At_End() {
  try {
    Save_And_Guard(true);
  } catch (const std::exception& failure) {
    std::cerr << "velmaric: the timing could not all be saved: " << failure.what() << std::endl;
  }
}

void TMainForm1::closeEvent(QCloseEvent* event) {
  // A close asked for while one runs (its error box or question is open)
  // adds nothing: the one running decides.
  if (closing_) {
    event->ignore();
    return;
  }
  if (Busy()) {
    close_waiting_ = true;
    event->ignore();
    Close_When_Free();
    return;
  }
  close_waiting_ = false;
  closing_ = true;
  bool close = true;
  if (ending_) {
    Save_At_End();
  } else {
    close = FormCloseQuery();
  }
  closing_ = false;
  if (close) {
    event->accept();
  } else {
    event->ignore();
    // Ended meanwhile (its question was answered No at once): end now.
    if (ending_) {
      close_waiting_ = true;
      Close_When_Free();
    }
  }
}

void TMainForm1::Request_End() {
  ending_ = true;
  boxes_.Answer_At_Once();
  Dismiss_Open_Box();
  close_waiting_ = true;
  Close_When_Free();
}

void TMainForm1::Close_When_Free() {
  // From the event loop, never from inside the sequence that asked: the
  // program only ends once its loop runs.
  QTimer::singleShot(Busy() ? close_retry_ms : 0, this, [this] {
    if (!close_waiting_) return;
    if (ending_) Dismiss_Open_Box();
    if (Busy()) {
      Close_When_Free();
      return;
    }
    close();
  });
}

}  // namespace velmaric
