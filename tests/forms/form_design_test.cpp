// The windows' tables hold together: names, places, parents, the Tab key's
// path, the menu, and what assistive technology reads.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <ostream>
#include <set>
#include <string>

#include "forms/about_form_design.h"
#include "forms/main_form_design.h"

namespace velmaric::forms {
namespace {

struct Named_Form {
  const char* title;
  const Form_Design& (*form)();
};

class Each_Form : public ::testing::TestWithParam<Named_Form> {
 protected:
  const Form_Design& form() const { return GetParam().form(); }

  // The size a row's rectangle must keep within.
  Size Parent_Size(const Control_Design& row) const {
    if (std::string(row.parent) == form().client_name) return form().client_size;
    const Control_Design* const parent = Find_Control(form(), row.parent);
    return parent == nullptr ? Size{} : Size{parent->rectangle.width, parent->rectangle.height};
  }

  bool Inside_Parent(const Control_Design& row) const {
    const Size room = Parent_Size(row);
    const Rectangle& r = row.rectangle;
    return r.left >= 0 && r.top >= 0 && r.left + r.width <= room.width &&
           r.top + r.height <= room.height;
  }
};

INSTANTIATE_TEST_SUITE_P(Forms, Each_Form,
                         ::testing::Values(Named_Form{"Main", &Main_Form},
                                           Named_Form{"About", &About_Form}),
                         [](const auto& info) { return std::string(info.param.title); });

// The layout record and the views find every object by its name.
TEST_P(Each_Form, every_name_is_given_once) {
  std::map<std::string, int> uses{{form().client_name, 1}};
  for (const Control_Design& row : form().controls) ++uses[row.name];
  for (const Menu_Design& row : form().menu) ++uses[row.name];
  for (const auto& [name, count] : uses) {
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(count, 1) << name;
  }
}

TEST_P(Each_Form, every_parent_exists_and_is_made_before_its_children) {
  std::set<std::string> made{form().client_name};
  for (const Control_Design& row : form().controls) {
    EXPECT_EQ(made.count(row.parent), 1u) << row.name << " in " << row.parent;
    made.insert(row.name);
  }
}

// Some controls lie partly outside their parent on purpose.
const std::set<std::string> overhanging = {
    "GroupBox2",                // its top edge hides above the About box
    "Karvo_Logo_Banner_Image",  // cut at its box's right edge
};

TEST_P(Each_Form, every_shown_control_lies_inside_its_parent) {
  for (const Control_Design& row : form().controls) {
    if (!row.visible) continue;
    if (overhanging.count(row.name) != 0) {
      EXPECT_FALSE(Inside_Parent(row)) << row.name << " no longer overhangs";
    } else {
      EXPECT_TRUE(Inside_Parent(row)) << row.name;
    }
  }
}

// A placed control has both sides; only an auto-size one or a hidden one is
// left unplaced.
TEST_P(Each_Form, every_shown_control_has_a_size_or_sizes_itself) {
  for (const Control_Design& row : form().controls) {
    if (!row.visible || row.auto_size) continue;
    EXPECT_GT(row.rectangle.width, 0) << row.name;
    EXPECT_GT(row.rectangle.height, 0) << row.name;
  }
}

// The About box's path is the order of creation; the main window's is its own.
TEST(Main_Form, the_tab_order_lists_every_focusable_control_once) {
  const Form_Design& form = Main_Form();
  std::multiset<std::string> listed(form.tab_order.begin(), form.tab_order.end());
  for (const Control_Design& row : form.controls) {
    EXPECT_EQ(listed.count(row.name), Takes_Focus(row) ? 1u : 0u) << row.name;
    listed.erase(row.name);
  }
  for (const std::string& name : listed) ADD_FAILURE() << name << " is no control";
}

// The main window is named from its table; the About box's only unnamed
// controls are the two buttons that hold its addresses, hidden when it opens.
TEST(Main_Form, every_control_the_keyboard_reaches_has_an_accessible_name) {
  for (const Control_Design& row : Main_Form().controls) {
    if (Takes_Focus(row)) {
      EXPECT_FALSE(Accessible_Texts_Of(row).name.empty()) << row.name;
    }
  }
}

TEST_P(Each_Form, every_picture_names_its_file) {
  for (const Control_Design& row : form().controls) {
    const bool picture =
        row.kind == Control_Kind::Picture || row.kind == Control_Kind::Vector_Picture;
    EXPECT_EQ(picture, *row.picture != '\0') << row.name;
  }
}

TEST_P(Each_Form, the_client_is_never_smaller_than_its_smallest_size) {
  EXPECT_GT(form().smallest_client_size.width, 0);
  EXPECT_GT(form().smallest_client_size.height, 0);
  EXPECT_LE(form().smallest_client_size.width, form().client_size.width);
  EXPECT_LE(form().smallest_client_size.height, form().client_size.height);
}

// The bar comes first; every other row hangs from the bar or from a menu
// made before it, and a check mark always has a caption beside it. Only the
// main window has a menu.
TEST(Main_Form, the_menu_hangs_together) {
  const std::vector<Menu_Design>& menu = Main_Form().menu;
  ASSERT_FALSE(menu.empty());
  EXPECT_EQ(menu.front().kind, Menu_Kind::Bar);
  std::set<std::string> holders{menu.front().name};
  for (std::size_t i = 1; i < menu.size(); ++i) {
    const Menu_Design& row = menu[i];
    EXPECT_NE(row.kind, Menu_Kind::Bar) << row.name;
    EXPECT_EQ(holders.count(row.parent), 1u) << row.name << " in " << row.parent;
    if (row.kind == Menu_Kind::Menu) holders.insert(row.name);
    if (row.checkable) {
      EXPECT_EQ(row.kind, Menu_Kind::Item) << row.name;
      EXPECT_STRNE(row.caption, "") << row.name;
    }
    if (row.kind == Menu_Kind::Menu || row.kind == Menu_Kind::Separator) {
      EXPECT_EQ(row.kind == Menu_Kind::Menu, *row.caption != '\0') << row.name;
    }
  }
}

struct Accessible_Case {
  Control_Design control;
  const char* name;
  const char* description;
};

// Test names show the case's caption, not the row's bytes: those hold
// addresses, which would name the test differently at every run.
void PrintTo(const Accessible_Case& row, std::ostream* out) {
  *out << '"' << row.control.caption << '"';
}

class Accessible_Texts_Test : public ::testing::TestWithParam<Accessible_Case> {};

TEST_P(Accessible_Texts_Test, reads_the_name_and_the_description) {
  const Accessible_Texts texts = Accessible_Texts_Of(GetParam().control);
  EXPECT_EQ(texts.name, GetParam().name);
  EXPECT_EQ(texts.description, GetParam().description);
}

Control_Design Row(Control_Kind kind, const char* caption, const char* hint) {
  return Control(kind, "x", "client", {0, 0, 10, 10}).Caption(caption).Hint(hint);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Accessible_Texts_Test,
    ::testing::Values(
        // A button reads its caption without the mnemonic, its hint as the description.
        Accessible_Case{Row(Control_Kind::Push_Button, "&Start", "Starts it."), "Start",
                        "Starts it."},
        // A closing colon and the blanks around it go.
        Accessible_Case{Row(Control_Kind::Radio_Button, "Log to file : ", ""), "Log to file", ""},
        Accessible_Case{Row(Control_Kind::Group_Box, "Logging Options :", ""), "Logging Options",
                        ""},
        Accessible_Case{Row(Control_Kind::Check_Box, "E&xit", "h"), "Exit", "h"},
        // No words of its own: the hint is the name.
        Accessible_Case{Row(Control_Kind::Push_Button, "", "Select Log File"), "Select Log File",
                        ""},
        Accessible_Case{Row(Control_Kind::Push_Button, " : ", "Hint"), "Hint", ""},
        // A field's text or a label's caption is no name.
        Accessible_Case{Row(Control_Kind::Read_Only_Edit, " 0.0", "Elapsed Time"), "Elapsed Time",
                        ""},
        Accessible_Case{Row(Control_Kind::Label, "Current Date / Time :", ""), "", ""},
        // An accessible name of its own wins over caption and hint.
        Accessible_Case{Row(Control_Kind::Push_Button, "&Go", "Hint").Accessible_Name("Short"),
                        "Short", ""}));

}  // namespace
}  // namespace velmaric::forms
