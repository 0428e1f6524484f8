#include "ui/log_name_validator.h"

#include <QLineEdit>

namespace velmaric {

Log_Name_Validator::Log_Name_Validator(QLineEdit* box) : QValidator(box), box_(box) {
  accepted_length_ = static_cast<int>(box->text().size());
  connect(box, &QLineEdit::textChanged, this,
          [this](const QString& text) { accepted_length_ = static_cast<int>(text.size()); });
  box->setValidator(this);
}

QValidator::State Log_Name_Validator::validate(QString& input, int&) const {
  for (const QChar c : input) {
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c.isNull()) return Invalid;
  }
  const auto length = static_cast<int>(input.size());
  return putting_ || length <= typed_limit || length <= accepted_length_ ? Acceptable : Invalid;
}

void Log_Name_Validator::Put_Text(const QString& text) {
  putting_ = true;
  box_->setText(text);
  putting_ = false;
}

}  // namespace velmaric
