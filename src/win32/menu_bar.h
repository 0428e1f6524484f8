#pragma once
// A window's menu bar made from its plain description in src/forms: a popup
// for each menu, a command for each item, in the table's order. An item on
// the bar itself can be hidden, which takes it off the bar until it is shown
// again.

#include <windows.h>

#include <string>
#include <vector>

#include "forms/form_design.h"

namespace velmaric::win32 {

struct Built_Menu_Item {
  const forms::Menu_Design* row = nullptr;
  HMENU in = nullptr;     // the menu it sits in; the bar for a menu
  HMENU popup = nullptr;  // a menu's own
  UINT id = 0;
};

class Menu_Bar {
 public:
  // Command ids from first_id on, one per row.
  Menu_Bar(const forms::Form_Design& form, UINT first_id);
  HMENU Bar() const { return bar_; }
  const std::vector<Built_Menu_Item>& items() const { return items_; }
  // Null for an id that is none of these items.
  const Built_Menu_Item* With_Id(UINT id) const;
  const Built_Menu_Item& Named(const char* name) const;

  bool Checked(const char* name) const;
  void Set_Checked(const char* name, bool on);
  void Set_Enabled(const char* name, bool on);
  std::string Text(const char* name) const;
  // True when the bar must be drawn again.
  bool Set_Text(const char* name, const std::string& text);
  bool Set_Visible(const char* name, bool on);

 private:
  HMENU bar_ = nullptr;
  std::vector<Built_Menu_Item> items_;
  std::vector<std::string> texts_;
  std::vector<bool> hidden_;
};

}  // namespace velmaric::win32
