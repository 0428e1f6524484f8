#include "win32/menu_bar.h"

#include <cstdlib>
#include <iostream>

namespace velmaric::win32 {

Menu_Bar::Menu_Bar(const forms::Form_Design& form, UINT first_id) {
  UINT id = first_id;
  for (const forms::Menu_Design& row : form.menu) {
    Built_Menu_Item item;
    item.row = &row;
    item.id = id++;
    switch (row.kind) {
      case forms::Menu_Kind::Bar:
        bar_ = CreateMenu();
        item.popup = bar_;
        break;
      case forms::Menu_Kind::Menu:
        item.in = Named(row.parent).popup;
        item.popup = CreatePopupMenu();
        AppendMenuA(item.in, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(item.popup),
                    row.caption);
        break;
      case forms::Menu_Kind::Separator:
        item.in = Named(row.parent).popup;
        AppendMenuA(item.in, MF_SEPARATOR, 0, nullptr);
        break;
      case forms::Menu_Kind::Item:
        item.in = Named(row.parent).popup;
        AppendMenuA(item.in, MF_STRING, item.id, row.caption);
        break;
    }
    items_.push_back(item);
    texts_.emplace_back(row.caption);
    hidden_.push_back(false);
  }
}

const Built_Menu_Item* Menu_Bar::With_Id(UINT id) const {
  for (const Built_Menu_Item& item : items_) {
    if (item.id == id && item.row->kind == forms::Menu_Kind::Item) return &item;
  }
  return nullptr;
}

const Built_Menu_Item& Menu_Bar::Named(const char* name) const {
  for (const Built_Menu_Item& item : items_) {
    if (std::string(item.row->name) == name) return item;
  }
  std::cerr << "velmaric: no menu item named " << name << std::endl;
  std::abort();
}

bool Menu_Bar::Checked(const char* name) const {
  const Built_Menu_Item& item = Named(name);
  return (GetMenuState(item.in, item.id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void Menu_Bar::Set_Checked(const char* name, bool on) {
  const Built_Menu_Item& item = Named(name);
  CheckMenuItem(item.in, item.id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void Menu_Bar::Set_Enabled(const char* name, bool on) {
  const Built_Menu_Item& item = Named(name);
  EnableMenuItem(item.in, item.id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

std::string Menu_Bar::Text(const char* name) const {
  const Built_Menu_Item& item = Named(name);
  return texts_[static_cast<std::size_t>(&item - items_.data())];
}

bool Menu_Bar::Set_Text(const char* name, const std::string& text) {
  const Built_Menu_Item& item = Named(name);
  const auto index = static_cast<std::size_t>(&item - items_.data());
  if (texts_[index] == text) return false;
  texts_[index] = text;
  if (hidden_[index]) return false;
  ModifyMenuA(item.in, item.id, MF_BYCOMMAND | MF_STRING, item.id, text.c_str());
  return item.in == bar_;
}

bool Menu_Bar::Set_Visible(const char* name, bool on) {
  const Built_Menu_Item& item = Named(name);
  const auto index = static_cast<std::size_t>(&item - items_.data());
  if (hidden_[index] == !on) return false;
  hidden_[index] = !on;
  if (on) {
    // Back at the end of its menu, where the tables put it.
    AppendMenuA(item.in, MF_STRING, item.id, texts_[index].c_str());
  } else {
    RemoveMenu(item.in, item.id, MF_BYCOMMAND);
  }
  return item.in == bar_;
}

}  // namespace velmaric::win32
