#include "ui/stop_count_spin_box.h"

#include <QApplication>
#include <QLineEdit>
#include <limits>

namespace velmaric {

Stop_Count_Spin_Box::Stop_Count_Spin_Box(QWidget* parent) : QSpinBox(parent) {
  setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  lineEdit()->setReadOnly(true);
}

void Stop_Count_Spin_Box::stepBy(int) { QApplication::beep(); }

QAbstractSpinBox::StepEnabled Stop_Count_Spin_Box::stepEnabled() const {
  return StepUpEnabled | StepDownEnabled;
}

}  // namespace velmaric
