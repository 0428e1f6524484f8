// The window's event filter, over the whole application: the menu keys and
// the mnemonics of the window routed to its own commands, the client area's
// resizes and the log name's double-click.

#include <QAbstractButton>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <vector>

#include "ui/main_window.h"

namespace velmaric {

bool TMainForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client && event->type() == QEvent::Resize) {
    Scale_Layout();
    return false;
  }
  if (watched == Log_File_Name_EditBox && event->type() == QEvent::MouseButtonDblClick) {
    // Only a box that takes input chooses a log: with logging off it is
    // disabled and a double-click does nothing.
    if (Log_File_Name_EditBox->isEnabled()) presenter_.Choose_Log_File();
    return true;
  }
  if ((event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
      watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this) {
    const auto* key = static_cast<QKeyEvent*>(event);
    // Ctrl+X and Ctrl+H belong to the File and Help menus: they run nothing,
    // and never reach the edit fields as cut or backspace.
    const bool menu_key = key->modifiers() == Qt::ControlModifier &&
                          (key->key() == Qt::Key_X || key->key() == Qt::Key_H);
    // "&Resume" and "&Reset" share Alt+R: the button made first takes the
    // key, where Qt would only move the focus between the two.
    const bool shared_mnemonic =
        event->type() == QEvent::ShortcutOverride && key->modifiers() == Qt::AltModifier &&
        Click_First_Button_With(QKeySequence(key->modifiers() | Qt::Key(key->key())));
    if (menu_key || shared_mnemonic) {
      swallow_key_ = key->key();
      event->accept();
      return true;
    }
    if (event->type() == QEvent::KeyPress && key->key() == swallow_key_) {
      swallow_key_ = 0;
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

bool TMainForm1::Click_First_Button_With(const QKeySequence& mnemonic) {
  std::vector<QAbstractButton*> matching;
  for (const Component& component : components_) {
    auto* button = qobject_cast<QAbstractButton*>(component.control);
    if (button != nullptr && button->isVisible() && button->isEnabled() &&
        QKeySequence::mnemonic(button->text()) == mnemonic) {
      matching.push_back(button);
    }
  }
  if (matching.size() < 2) return false;
  matching.front()->animateClick();
  return true;
}

}  // namespace velmaric
