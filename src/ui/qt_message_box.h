#pragma once
// Message boxes as modal QMessageBox windows titled by their kind.

#include "platform/message_box.h"

namespace velmaric {

class Qt_Message_Box final : public Message_Box {
 public:
  void Information(const std::string& text) override;
  bool Warning_Yes_No(const std::string& text) override;
  void Error(const std::string& text) override;
  void Answer_At_Once() override { answer_at_once_ = true; }

 private:
  bool answer_at_once_ = false;
};

}  // namespace velmaric
