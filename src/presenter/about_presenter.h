#pragma once
// What the About box decides: its texts from the product's metadata, the
// quotation it shows, the memory figure, and where its links lead. The box
// itself only draws, over an `About_View`.

#include <cstdint>
#include <functional>
#include <random>
#include <string>

#include "platform/memory_status.h"

namespace velmaric {

struct About_Services {
  // The desktop's "open" action for a web address or a mailto: link.
  std::function<void(const std::string& target)> shell_open;
  std::function<Memory_Status()> memory_status;
  std::function<std::string()> executable_path;
};

// The box's controls that show a text of the presenter's, by their design
// names.
enum class About_Control {
  AboutBox,  // the box itself: its text is the title
  ProductName,
  Author_and_Date,
  Developed_using,
  Copyright,
  Comments,
  WEB_Page_Label,
  Email_Button,
  WEB_Button,
  Email_Address_Label,
  WEB_Address_Label,
  Quote_From_Karvo_Label,
  Label4,  // the memory figure
};

enum class About_Timer { Quote_Change_Timer, Free_Resources_Timer };

class About_View {
 public:
  virtual ~About_View() = default;
  virtual void Set_Text(About_Control control, const std::string& text) = 0;
  // A periodic timer, every interval_us until stopped.
  virtual void Start_Timer(About_Timer timer, std::int64_t interval_us) = 0;
  virtual void Stop_Timer(About_Timer timer) = 0;
  virtual void Animate_Logo(bool on) = 0;
  virtual void Close() = 0;
};

// "%XX" for every byte but letters, digits, "-._~" and those in keep.
std::string Percent_Encoded(const std::string& text, const std::string& keep = "");

class About_Presenter {
 public:
  static constexpr std::int64_t quote_change_us = 10'000'000;
  static constexpr std::int64_t free_resources_us = 500'000;

  // Fills the texts at once: the box is made before it is first shown.
  About_Presenter(About_Services services, About_View& view);

  // Each opening: the texts again (the copyright runs to the year of each
  // opening), a quotation and the figure, the timers and the logo started.
  void FormActivate();
  void Quote_Change_TimerTimer();
  void Free_Resources_TimerTimer();
  void Email_ButtonClick();
  void WEB_ButtonClick();
  // OK, Escape or the close box: the timers and the logo stop.
  void OKButtonClick();

 private:
  void Fill_Product_Texts();
  void Shell_Open(const std::string& target);

  About_Services services_;
  About_View& view_;
  std::mt19937 random_;
};

}  // namespace velmaric
