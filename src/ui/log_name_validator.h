#pragma once
// The log file name box takes at most 19 typed characters. A longer name put
// in by the file dialog or the settings stays whole and can still be
// shortened; it only cannot grow by typing.

#include <QValidator>

class QLineEdit;

namespace velmaric {

class Log_Name_Validator : public QValidator {
 public:
  static constexpr int typed_limit = 19;
  // Installs itself on the box.
  explicit Log_Name_Validator(QLineEdit* box);
  State validate(QString& input, int& position) const override;

 private:
  // The box's text before the edit being validated: while validating, the
  // box already holds the edited text.
  int accepted_length_ = 0;
};

}  // namespace velmaric
