#include "ui/control_style.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>
#include <algorithm>
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

namespace {

// Relative luminance of an sRGB colour.
double Luminance(const QColor& colour) {
  const auto linear = [](double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
         0.0722 * linear(colour.blueF());
}

}  // namespace

double Contrast_Ratio(const QColor& first, const QColor& second) {
  const double a = Luminance(first);
  const double b = Luminance(second);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

void Set_Grey_Background(QWidget* widget) {
  const QColor grey = Grey_Text_Colour();
  Set_Background(widget, grey);
  const QColor black(Qt::black);
  const QColor white(Qt::white);
  const QColor text = Contrast_Ratio(grey, black) >= Contrast_Ratio(grey, white) ? black : white;
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Disabled, QPalette::Text, text);
  palette.setColor(QPalette::Disabled, QPalette::WindowText, text);
  widget->setPalette(palette);
}

QColor Button_Face_Colour() {
  return QApplication::palette().color(QPalette::Button);
}
QColor Inactive_Border_Colour() {
  return QApplication::palette().color(QPalette::Midlight);
}
QColor Grey_Text_Colour() {
  return QApplication::palette().color(QPalette::Disabled, QPalette::Text);
}
QColor Window_Colour() {
  return QApplication::palette().color(QPalette::Base);
}
QColor Menu_Colour() {
  return QApplication::palette().color(QPalette::Window);
}

}  // namespace velmaric
