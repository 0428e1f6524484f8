#pragma once
// The stop count: shown, never edited. Its arrows stay live but only beep.

#include <QSpinBox>

namespace velmaric {

class Stop_Count_Spin_Box : public QSpinBox {
 public:
  explicit Stop_Count_Spin_Box(QWidget* parent);
  void stepBy(int steps) override;

 protected:
  StepEnabled stepEnabled() const override;
};

}  // namespace velmaric
