#include "presenter/about_presenter.h"

#include <chrono>
#include <ctime>

#include "forms/about_form_design.h"
#include "forms/form_design.h"
#include "platform/executable.h"
#include "presenter/product_info.h"

namespace velmaric {
namespace {

std::mt19937::result_type Clock_Seed() {
  return static_cast<std::mt19937::result_type>(
      std::chrono::steady_clock::now().time_since_epoch().count());
}

int Current_Year() {
  const std::time_t now = std::time(nullptr);
  const std::tm* const local = std::localtime(&now);
  return local != nullptr ? local->tm_year + 1900 : 1970;
}

}  // namespace

std::string Percent_Encoded(const std::string& text, const std::string& keep) {
  static constexpr char hex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                       (byte >= '0' && byte <= '9') || c == '-' || c == '.' || c == '_' ||
                       c == '~' || keep.find(c) != std::string::npos;
    if (plain) {
      out += c;
    } else {
      out += '%';
      out += hex[byte >> 4];
      out += hex[byte & 0x0F];
    }
  }
  return out;
}

About_Presenter::About_Presenter(About_Services services, About_View& view)
    : services_(std::move(services)), view_(view), random_(Clock_Seed()) {
  Fill_Product_Texts();
}

void About_Presenter::Fill_Product_Texts() {
  const std::string name = product_info::name;
  view_.Set_Text(About_Control::AboutBox, "About " + name + " ...");
  view_.Set_Text(About_Control::ProductName, name);
  view_.Set_Text(About_Control::Author_and_Date,
                 std::string(product_info::credit) + ", " + product_info::release_date);
  view_.Set_Text(About_Control::Developed_using, product_info::development);
  view_.Set_Text(About_Control::Copyright, product_info::rights + std::to_string(Current_Year()));
  view_.Set_Text(About_Control::Comments, product_info::comment);
  view_.Set_Text(About_Control::WEB_Page_Label, product_info::web_page_line);
  view_.Set_Text(About_Control::Email_Button, product_info::email_address);
  view_.Set_Text(About_Control::WEB_Button, product_info::web_address);
}

void About_Presenter::FormActivate() {
  Fill_Product_Texts();
  random_.seed(Clock_Seed());
  view_.Start_Timer(About_Timer::Quote_Change_Timer, quote_change_us);
  view_.Start_Timer(About_Timer::Free_Resources_Timer, free_resources_us);
  view_.Animate_Logo(true);
  Quote_Change_TimerTimer();
  Free_Resources_TimerTimer();
  // The addresses show as links on their buttons' rows.
  view_.Set_Text(About_Control::Email_Address_Label, product_info::email_address);
  view_.Set_Text(About_Control::WEB_Address_Label, product_info::web_address);
}

void About_Presenter::Quote_Change_TimerTimer() {
  const forms::Control_Design* const list =
      forms::Find_Control(forms::About_Form(), "Quotes_From_Karvo_ListBox");
  if (list == nullptr || list->item_count == 0) return;
  std::uniform_int_distribution<std::size_t> pick(0, list->item_count - 1);
  view_.Set_Text(About_Control::Quote_From_Karvo_Label, list->items[pick(random_)]);
}

void About_Presenter::Free_Resources_TimerTimer() {
  view_.Set_Text(About_Control::Label4, Free_Resources_Text(services_.memory_status()));
}

void About_Presenter::Shell_Open(const std::string& target) {
  if (!target.empty()) services_.shell_open(target);
}

void About_Presenter::Email_ButtonClick() {
  // The subject names the executable as it is called now, encoded as a
  // link's value: a file name holding "&cc=" adds no field to the e-mail.
  const std::string subject =
      Percent_Encoded("Shareware: " + File_Name_Part(services_.executable_path()), ":");
  Shell_Open(std::string("mailto:") + product_info::email_address + "?subject=" + subject);
}

void About_Presenter::WEB_ButtonClick() {
  Shell_Open(product_info::web_address);
}

void About_Presenter::OKButtonClick() {
  view_.Stop_Timer(About_Timer::Quote_Change_Timer);
  view_.Stop_Timer(About_Timer::Free_Resources_Timer);
  view_.Animate_Logo(false);
  view_.Close();
}

}  // namespace velmaric
