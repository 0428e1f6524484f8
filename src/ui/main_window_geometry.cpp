// The main window's geometry: its client area within the screens, its
// normal place while it is being un-maximised, the layout record and its
// scaling, and staying on top.

#include <QGuiApplication>
#include <QListWidget>
#include <QMenuBar>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "core/layout_scaling.h"
#include "core/window_place.h"
#include "ui/control_style.h"
#include "ui/main_window.h"

namespace velmaric {

void TMainForm1::Show_Normal() {
  restoring_to_ = normalGeometry();
  showNormal();
}

void TMainForm1::resizeEvent(QResizeEvent* event) {
  if (restoring_to_ && (isMaximized() || size() == restoring_to_->size())) {
    restoring_to_.reset();
    maximized_from_.reset();
  }
  Note_Normal_Frame();
  QMainWindow::resizeEvent(event);
}

void TMainForm1::moveEvent(QMoveEvent* event) {
  Note_Normal_Frame();
  QMainWindow::moveEvent(event);
}

void TMainForm1::Note_Normal_Frame() {
  if (isMaximized() || isFullScreen() || restoring_to_ || !isVisible()) return;
  normal_frame_offset_ = geometry().topLeft() - frameGeometry().topLeft();
}

void TMainForm1::changeEvent(QEvent* event) {
  // Restored by the window manager: its place is real again. A restore the
  // program asked for keeps it until the restored size arrives.
  if (event->type() == QEvent::WindowStateChange && !isMaximized() && !restoring_to_) {
    maximized_from_.reset();
  }
  QMainWindow::changeEvent(event);
}

// Far beyond any screen, yet far from where the toolkit's sums overflow; the
// start-up then brings the window onto a screen.
namespace {

int Within_Reach(int coordinate) {
  constexpr int reach = 1 << 20;
  return std::clamp(coordinate, -reach, reach);
}

}  // namespace

void TMainForm1::Set_Window_Top(int top) {
  move(x(), Within_Reach(top));
}

void TMainForm1::Set_Window_Left(int left) {
  move(Within_Reach(left), y());
}

int TMainForm1::Window_Top() const {
  if (!restoring_to_) return y();
  if (maximized_from_) return maximized_from_->y();
  return restoring_to_->top() - normal_frame_offset_.y();
}

int TMainForm1::Window_Left() const {
  if (!restoring_to_) return x();
  if (maximized_from_) return maximized_from_->x();
  return restoring_to_->left() - normal_frame_offset_.x();
}

int TMainForm1::Client_Width() const {
  return restoring_to_ ? restoring_to_->width() : Client_Size().width();
}

int TMainForm1::Client_Height() const {
  return restoring_to_ ? restoring_to_->height() - menuBar()->height() : Client_Size().height();
}

void TMainForm1::Restore_Normal() {
  if (isMaximized() || isMinimized()) showNormal();
}

void TMainForm1::Show_Maximized() {
  if (!isVisible()) maximized_from_ = pos();
  showMaximized();
}

void TMainForm1::Stay_On_Top(bool on_top) {
  // Changing the hint on the native window restacks it in place; changing
  // the widget's flags would hide, re-create and re-show it.
  Qt::WindowFlags flags = windowFlags();
  flags.setFlag(Qt::WindowStaysOnTopHint, on_top);
  overrideWindowFlags(flags);
  if (QWindow* window = windowHandle()) window->setFlag(Qt::WindowStaysOnTopHint, on_top);
}

QSize TMainForm1::Client_Size() const {
  return client->size();
}

void TMainForm1::Set_Client_Size(int width, int height) {
  restoring_to_.reset();
  // Within what the screen leaves once the frame is around it, and never
  // below the size at which the texts stay readable.
  const QScreen* const on = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
  const QRect room = on != nullptr ? on->availableGeometry() : QRect(0, 0, width, height);
  const QSize frame = Frame_Size();
  width = Client_Side(width, smallest_client_width, room.width() - frame.width());
  int menu_height = menuBar()->heightForWidth(width);
  if (menu_height <= 0) menu_height = menuBar()->sizeHint().height();
  height = Client_Side(height, smallest_client_height,
                       std::int64_t{room.height()} - frame.height() - menu_height);
  resize(width, height + menu_height);
  if (!isVisible()) client->resize(width, height);
}

QSize TMainForm1::Frame_Size() const {
  // Known once the window manager has framed the window; a title bar and
  // thin borders until then.
  const QSize known = frameGeometry().size() - geometry().size();
  return isVisible() && !known.isEmpty() ? known : QSize(8, title_bar_height + 8);
}

void TMainForm1::Keep_On_Screen() {
  std::vector<Screen_Area> screens;
  QList<QScreen*> all = QGuiApplication::screens();
  // The primary screen first: a window with nowhere to go goes there.
  std::stable_partition(all.begin(), all.end(),
                        [](const QScreen* s) { return s == QGuiApplication::primaryScreen(); });
  for (const QScreen* s : all) {
    const QRect area = s->availableGeometry();
    screens.push_back({area.left(), area.top(), area.width(), area.height()});
  }
  const QSize outer = size() + Frame_Size();
  const Window_Corner corner = Window_Place(x(), y(), outer.width(), outer.height(), screens);
  if (corner.left != x() || corner.top != y()) move(corner.left, corner.top);
}

void TMainForm1::Capture_Layout() {
  if (Scaling_ListBox->count() > 0) return;
  const QSize size = Client_Size();
  Scaling_ListBox->addItem(QString::fromStdString(Layout_Header(size.width(), size.height())));
  for (const Component& component : components_) {
    if (component.control == nullptr) {
      Scaling_ListBox->addItem(QString::fromLatin1(layout_no_geometry));
      continue;
    }
    const QRect g = component.control->geometry();
    const std::string item =
        Layout_Item({g.x(), g.width(), g.y(), g.height(), Font_Points(component.control)},
                    component.object->objectName().toStdString());
    Scaling_ListBox->addItem(QString::fromStdString(item));
  }
}

void TMainForm1::Scale_Layout() {
  if (Scaling_ListBox->count() == 0) return;
  const QSize size = Client_Size();
  const auto ratios =
      Layout_Ratios(Scaling_ListBox->item(0)->text().toStdString(), size.width(), size.height());
  if (!ratios) return;
  const int items = Scaling_ListBox->count();
  for (std::size_t i = 0; i < components_.size() && static_cast<int>(i) + 1 < items; ++i) {
    const auto geometry =
        Scale_Item(Scaling_ListBox->item(static_cast<int>(i) + 1)->text().toStdString(), *ratios);
    QWidget* const control = components_[i].control;
    if (!geometry || control == nullptr) continue;
    control->setGeometry(geometry->left, geometry->top, geometry->width, geometry->height);
    Set_Font_Points(control, geometry->font_points);
  }
}

}  // namespace velmaric
