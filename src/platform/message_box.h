#pragma once
// Modal message boxes, as every layer of the program asks for them. The
// window supplies the real boxes; tests supply a recorder.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace velmaric {

class Message_Box {
 public:
  virtual ~Message_Box() = default;
  // "Information" box with an OK button.
  virtual void Information(const std::string& text) = 0;
  // "Warning" box with Yes and No; true for Yes.
  virtual bool Warning_Yes_No(const std::string& text) = 0;
  // "Warning" box with one button for each caption, the first the default;
  // the index of the caption chosen, or nothing when the box went unanswered
  // (the program is ending). It has no No: Escape does nothing.
  virtual std::optional<std::size_t> Warning_Choice(const std::string& text,
                                                    const std::vector<std::string>& captions) = 0;
  // "Error" box with an OK button.
  virtual void Error(const std::string& text) = 0;
  // The program is ending and nobody will answer: from now on no box is
  // shown, notices and errors go to the standard error, questions are
  // answered No.
  virtual void Answer_At_Once() = 0;
};

}  // namespace velmaric
