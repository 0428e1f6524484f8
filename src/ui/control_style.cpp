#include "ui/control_style.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>
#include <cmath>

namespace velmaric {
namespace {

constexpr const char* points_property = "font_points";

}  // namespace

void Set_Font_Points(QWidget* widget, int points) {
  QFont font = widget->font();
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0))));
  widget->setFont(font);
  widget->setProperty(points_property, points);
}

int Font_Points(const QWidget* widget) {
  const QVariant points = widget->property(points_property);
  if (points.isValid()) return points.toInt();
  return static_cast<int>(std::lround(widget->font().pixelSize() * 72.0 / 96.0));
}

void Set_Design_Font(QWidget* widget, bool bold) {
  QFont font(QStringLiteral("Times New Roman"));
  font.setBold(bold);
  widget->setFont(font);
  Set_Font_Points(widget, 11);
}

void Set_Background(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, colour);
  palette.setColor(QPalette::Window, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

QColor Button_Face_Colour() { return QApplication::palette().color(QPalette::Button); }
QColor Inactive_Border_Colour() { return QApplication::palette().color(QPalette::Midlight); }
QColor Grey_Text_Colour() {
  return QApplication::palette().color(QPalette::Disabled, QPalette::Text);
}
QColor Window_Colour() { return QApplication::palette().color(QPalette::Base); }
QColor Menu_Colour() { return QApplication::palette().color(QPalette::Window); }

}  // namespace velmaric
