#pragma once
// Message boxes as modal QMessageBox windows titled by their kind.

#include <QPointer>

#include "platform/message_box.h"

class QMessageBox;

namespace velmaric {

class Qt_Message_Box final : public Message_Box {
 public:
  void Information(const std::string& text) override;
  bool Warning_Yes_No(const std::string& text) override;
  void Error(const std::string& text) override;
  std::optional<std::size_t> Warning_Choice(const std::string& text,
                                            const std::vector<std::string>& captions) override;
  void Answer_At_Once() override;

 private:
  bool answer_at_once_ = false;
  // A choice has no answer that surely changes nothing: the end closes it
  // unanswered.
  QPointer<QMessageBox> open_choice_;
};

}  // namespace velmaric
