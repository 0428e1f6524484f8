#pragma once
// Message boxes as the system's own modal boxes, titled by their kind and
// showing its icon; a choice among captions is a task dialog.

#include <windows.h>

#include "platform/message_box.h"

namespace velmaric::win32 {

class Win32_Message_Box final : public Message_Box {
 public:
  void Information(const std::string& text) override;
  bool Warning_Yes_No(const std::string& text) override;
  void Error(const std::string& text) override;
  std::optional<std::size_t> Warning_Choice(const std::string& text,
                                            const std::vector<std::string>& captions) override;
  void Answer_At_Once() override;

 private:
  bool answer_at_once_ = false;
  HWND open_choice_ = nullptr;
};

// Answers the box or dialog this thread shows in the way that changes
// nothing: No where there is a No, else Cancel, else OK. False when none is
// open.
bool Dismiss_Open_Box_Of_Thread();

}  // namespace velmaric::win32
