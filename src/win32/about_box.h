#pragma once
// The About box as a native window: the product's name and credits, a
// quotation that changes every ten seconds, the memory in use, the animated
// logo, and links to the maker's web page and e-mail. Made once at start-up
// from its design table and shown modally as often as asked. What it shows
// and does is its presenter's (presenter/about_presenter.h); the box draws
// it and forwards its clicks and timers.

#include <windows.h>

#include <memory>

#include "presenter/about_presenter.h"
#include "win32/control_set.h"

namespace velmaric::win32 {

class TAboutBox final : private About_View {
 public:
  static constexpr const char* window_class = "TAboutBox";

  TAboutBox(About_Services services, HWND owner);
  ~TAboutBox() override;
  TAboutBox(const TAboutBox&) = delete;
  TAboutBox& operator=(const TAboutBox&) = delete;

  // Shows the box over its owner and returns when it closes.
  void Show_Modal();
  bool Is_Open() const { return open_; }
  // OK, as the button does.
  void Close_Box() { presenter_->OKButtonClick(); }

 private:
  static LRESULT CALLBACK Window_Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT Handle_Message(UINT message, WPARAM w, LPARAM l);
  void On_Command(int id, int notification);
  void Next_Logo_Frame();
  // The addresses as links on their buttons' rows, the buttons hidden.
  void Place_Links();
  void Centre_On_Screen();

  // About_View
  void Set_Text(About_Control control, const std::string& text) override;
  void Start_Timer(About_Timer timer, std::int64_t interval_us) override;
  void Stop_Timer(About_Timer timer) override;
  void Animate_Logo(bool on) override;
  void Close() override { open_ = false; }

  HWND owner_;
  HWND window_ = nullptr;
  std::unique_ptr<Control_Set> controls_;
  std::unique_ptr<About_Presenter> presenter_;
  bool open_ = false;
  unsigned logo_rounds_ = 0;
};

}  // namespace velmaric::win32
