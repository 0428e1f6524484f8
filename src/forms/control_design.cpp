#include "forms/control_design.h"

#include <algorithm>
#include <utility>

namespace velmaric::forms {
namespace {

std::string Trimmed(const std::string& text) {
  const char* const blanks = " \t\n\v\f\r";
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// "&Start" reads "Start", "Logging Options :" reads "Logging Options".
std::string Caption_Name(std::string caption) {
  caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
  caption = Trimmed(caption);
  if (!caption.empty() && caption.back() == ':') caption.pop_back();
  return Trimmed(caption);
}

bool Named_By_Caption(Control_Kind kind) {
  switch (kind) {
    case Control_Kind::Push_Button:
    case Control_Kind::Radio_Button:
    case Control_Kind::Check_Box:
    case Control_Kind::Group_Box:
      return true;
    default:
      return false;
  }
}

}  // namespace

Control_Design Control(Control_Kind kind, const char* name, const char* parent,
                       Rectangle rectangle) {
  Control_Design control;
  control.kind = kind;
  control.name = name;
  control.parent = parent;
  control.rectangle = rectangle;
  return control;
}

bool Takes_Focus(const Control_Design& control) {
  if (!control.visible || !control.focusable) return false;
  switch (control.kind) {
    case Control_Kind::Read_Only_Edit:
    case Control_Kind::Edit:
    case Control_Kind::Push_Button:
    case Control_Kind::Radio_Button:
    case Control_Kind::Check_Box:
    case Control_Kind::Read_Only_Spin_Edit:
    case Control_Kind::List_Box:
      return true;
    default:
      return false;
  }
}

Accessible_Texts Accessible_Texts_Of(const Control_Design& control) {
  if (*control.accessible_name != '\0') return {control.accessible_name, std::string()};
  if (Named_By_Caption(control.kind)) {
    std::string name = Caption_Name(control.caption);
    if (!name.empty()) return {std::move(name), control.hint};
  }
  return {control.hint, std::string()};
}

}  // namespace velmaric::forms
