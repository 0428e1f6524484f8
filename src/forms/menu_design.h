#pragma once
// A window's menu as plain data, in the order of creation: the bar, then each
// menu followed by its items. See control_design.h for why.

namespace velmaric::forms {

enum class Menu_Kind {
  Bar,        // the window's menu bar itself
  Menu,       // a menu on the bar
  Item,       // a command, in a menu or straight on the bar
  Separator,  // a line between groups of items
};

struct Menu_Design {
  Menu_Kind kind = Menu_Kind::Item;
  const char* name = "";
  const char* parent = "";  // empty for the bar
  const char* caption = "";
  bool checkable = false;  // shows a check mark the command turns on and off
};

}  // namespace velmaric::forms
