#include "ui/log_name_validator.h"

#include <QLineEdit>

namespace velmaric {

Log_Name_Validator::Log_Name_Validator(QLineEdit* box) : QValidator(box) {
  accepted_length_ = static_cast<int>(box->text().size());
  connect(box, &QLineEdit::textChanged, this,
          [this](const QString& text) { accepted_length_ = static_cast<int>(text.size()); });
  box->setValidator(this);
}

QValidator::State Log_Name_Validator::validate(QString& input, int&) const {
  const auto length = static_cast<int>(input.size());
  return length <= typed_limit || length < accepted_length_ ? Acceptable : Invalid;
}

}  // namespace velmaric
