#pragma once
// One window as plain data: its client area, its controls, the keyboard's
// path through them and its menu. See control_design.h for why.

#include <string>
#include <vector>

#include "forms/control_design.h"
#include "forms/menu_design.h"

namespace velmaric::forms {

struct Form_Design {
  // The control that holds the others: rows name it as their parent.
  const char* client_name = "";
  Size client_size;
  Size smallest_client_size;  // the same as client_size for a box of fixed size
  Colour_Role background = Colour_Role::None;
  std::vector<Control_Design> controls;
  // The Tab key's path; empty: the order of creation.
  std::vector<std::string> tab_order;
  std::vector<Menu_Design> menu;  // empty: no menu bar
};

// The row of that name; null when there is none.
const Control_Design* Find_Control(const Form_Design& form, const std::string& name);

}  // namespace velmaric::forms
