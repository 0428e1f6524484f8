#pragma once
// The log file name box takes at most 19 typed characters. A longer name put
// in by the file dialog or the settings stays whole and can still be
// shortened; it only cannot grow by typing. No line break or NUL can be
// typed or pasted into it: the name is stored on a line of its own.

#include <QValidator>

class QLineEdit;

namespace velmaric {

class Log_Name_Validator : public QValidator {
 public:
  static constexpr int typed_limit = 19;
  // Installs itself on the box.
  explicit Log_Name_Validator(QLineEdit* box);
  State validate(QString& input, int& position) const override;

  // Puts a whole name in the box, whatever its length. The box undoes a
  // refused edit only when the text before it was accepted, so a name the
  // program puts in must never be refused.
  void Put_Text(const QString& text);

 private:
  QLineEdit* box_;
  // The box's text before the edit being validated: while validating, the
  // box already holds the edited text.
  int accepted_length_ = 0;
  bool putting_ = false;
};

}  // namespace velmaric
