#pragma once
// Message boxes that record what they were asked to show and answer
// questions with a preset reply.

#include <string>
#include <vector>

#include "platform/message_box.h"

namespace velmaric::testing {

class Recording_Message_Box final : public Message_Box {
 public:
  struct Shown {
    std::string kind;  // "Information", "Warning", "Error"
    std::string text;
  };

  void Information(const std::string& text) override { shown.push_back({"Information", text}); }
  bool Warning_Yes_No(const std::string& text) override {
    shown.push_back({"Warning", text});
    return answer_yes;
  }
  void Error(const std::string& text) override { shown.push_back({"Error", text}); }

  std::vector<Shown> shown;
  bool answer_yes = true;
};

}  // namespace velmaric::testing
