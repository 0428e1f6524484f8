#pragma once
// Fonts and colours shared by the windows.

#include <QColor>

class QWidget;

namespace velmaric {

// Point sizes are applied as pixels at 96 dots per inch, so that 11 points
// draw 15 pixels whatever the screen reports.
void Set_Font_Points(QWidget* widget, int points);
int Font_Points(const QWidget* widget);

// The face, family and weight every control of the main window uses.
void Set_Design_Font(QWidget* widget, bool bold);

void Set_Background(QWidget* widget, const QColor& colour);

// The grey background of a box that takes no input. Its disabled text would
// be the same grey, so it is drawn in black or white, whichever reads better.
void Set_Grey_Background(QWidget* widget);

// The contrast ratio of two colours as the accessibility guidelines (WCAG)
// measure it: 1 for equal colours up to 21 for black on white.
double Contrast_Ratio(const QColor& first, const QColor& second);

// The desktop's counterparts of the classic system colours.
QColor Button_Face_Colour();
QColor Inactive_Border_Colour();
QColor Grey_Text_Colour();
QColor Window_Colour();
QColor Menu_Colour();

}  // namespace velmaric
