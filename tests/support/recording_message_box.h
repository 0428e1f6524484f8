#pragma once
// Message boxes that record what they were asked to show and answer
// questions with a preset reply.

#include <functional>
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

  void Information(const std::string& text) override { Record("Information", text); }
  bool Warning_Yes_No(const std::string& text) override {
    Record("Warning", text);
    return answer_yes && !answering_at_once;
  }
  std::optional<std::size_t> Warning_Choice(const std::string& text,
                                            const std::vector<std::string>& captions) override {
    offered = captions;
    Record("Warning", text);
    if (answering_at_once) return std::nullopt;
    return choice;
  }
  void Error(const std::string& text) override { Record("Error", text); }
  // Still recorded, so that tests see what the program would have said.
  void Answer_At_Once() override { answering_at_once = true; }

  std::vector<Shown> shown;
  bool answer_yes = true;
  bool answering_at_once = false;
  // The answer to a choice, and the captions the last one offered.
  std::optional<std::size_t> choice = 0;
  std::vector<std::string> offered;
  // Runs while a box is open, as a signal or a click arriving then would.
  std::function<void()> while_open;

 private:
  void Record(const char* kind, const std::string& text) {
    shown.push_back({kind, text});
    if (while_open) while_open();
  }
};

}  // namespace velmaric::testing
