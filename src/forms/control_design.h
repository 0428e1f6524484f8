#pragma once
// The windows' controls as plain data.
//
// Each window is described once, as a table of rows: what kind of control,
// its design name, its parent, its place in design pixels, its texts, font,
// colours and flags. A view turns the rows into its toolkit's widgets: the Qt
// view in src/ui today, a native Windows view later, both from the same rows,
// so that the two never drift apart in a caption, a hint or a pixel. Nothing
// here knows a toolkit; colours are named by their role and a view maps the
// role to its desktop's colour.
//
// The order of the rows is the order of creation, which decides which
// control is drawn over which and, for the main window, the order of the
// layout record the window rescales from.

#include <cstddef>
#include <string>

namespace velmaric::forms {

enum class Control_Kind {
  Label,
  Read_Only_Edit,  // shows a text the user may select and copy, never edit
  Edit,            // a text box the user types into
  Push_Button,     // a caption, a glyph, or both
  Radio_Button,
  Check_Box,
  Group_Box,            // a titled frame; its rows need not be its children
  Bevel,                // a bare frame drawn around other controls
  Read_Only_Spin_Edit,  // a number with arrows that only beep
  List_Box,
  Picture,         // a bitmap or an animation, stretched to its rectangle
  Vector_Picture,  // a scalable picture, drawn at its rectangle's size
  Link_Label,      // underlined text that opens a link when clicked
};

enum class Colour_Role {
  None,             // the toolkit's default
  Button_Face,      // the face of a button and of a dialog's background
  Inactive_Border,  // a shown-only field
  Grey,             // a field that takes no input: grey, its text kept readable
  Menu,
  Blue_Link,         // the text of a link
  Highlighted_Text,  // text drawn over a dark picture
};

enum class Bevel_Style { Lowered_Box, Raised_Panel };

enum class Alignment { Default, Centre };

enum class Font_Unit { Points, Pixels };

struct Font_Design {
  const char* family = nullptr;  // none: the window's font
  int size = 0;
  // Points are drawn at 96 dots per inch whatever the screen says; the main
  // window's layout record keeps them to rescale fonts with the controls.
  Font_Unit unit = Font_Unit::Points;
  bool bold = false;
  bool underline = false;
};

// Left alone when empty (no width, no height): an auto-size control is only
// moved to its corner, any other stays where the toolkit puts it.
struct Rectangle {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool Empty() const { return width == 0 && height == 0; }
};

struct Size {
  int width = 0;
  int height = 0;
};

// The glyph of a button that confirms a dialog: the desktop's own mark.
inline constexpr const char* standard_ok_glyph = "standard-ok";

struct Control_Design {
  Control_Kind kind = Control_Kind::Label;
  const char* name = "";
  const char* parent = "";
  Rectangle rectangle;
  const char* caption = "";  // the shown text; a group box's title
  const char* hint = "";     // the tooltip
  Font_Design font;
  Colour_Role background = Colour_Role::None;
  Colour_Role text_colour = Colour_Role::None;
  // A button's glyph ("glyph-<name>.png" among the program's pictures, or
  // standard_ok_glyph); a picture's file among them.
  const char* glyph = "";
  const char* picture = "";
  // For a control that shows no words of its own.
  const char* accessible_name = "";
  const char* const* items = nullptr;  // a list box's lines
  std::size_t item_count = 0;
  Bevel_Style bevel = Bevel_Style::Lowered_Box;
  Alignment alignment = Alignment::Default;
  bool visible = true;
  bool enabled = true;
  bool focusable = true;  // false: clicked, never tabbed to
  bool flat = false;
  bool checked = false;
  bool is_default = false;  // the button Enter presses
  bool word_wrap = false;
  bool transparent = false;  // draws no background of its own
  bool auto_size = false;    // placed at its corner; sized to its text when shown

  // Chained setters, so that a table row names what it sets.
  Control_Design& Caption(const char* text) { return Set(caption, text); }
  Control_Design& Hint(const char* text) { return Set(hint, text); }
  Control_Design& Font(const Font_Design& value) { return Set(font, value); }
  Control_Design& Background(Colour_Role role) { return Set(background, role); }
  Control_Design& Text_Colour(Colour_Role role) { return Set(text_colour, role); }
  Control_Design& Glyph(const char* file) { return Set(glyph, file); }
  Control_Design& Picture(const char* file) { return Set(picture, file); }
  Control_Design& Accessible_Name(const char* text) { return Set(accessible_name, text); }
  template <std::size_t Count>
  Control_Design& Items(const char* const (&lines)[Count]) {
    items = lines;
    item_count = Count;
    return *this;
  }
  Control_Design& Bevel(Bevel_Style style) { return Set(bevel, style); }
  Control_Design& Centred() { return Set(alignment, Alignment::Centre); }
  Control_Design& Hidden() { return Set(visible, false); }
  Control_Design& Disabled() { return Set(enabled, false); }
  Control_Design& Not_Focusable() { return Set(focusable, false); }
  Control_Design& Flat() { return Set(flat, true); }
  Control_Design& Checked() { return Set(checked, true); }
  Control_Design& Default() { return Set(is_default, true); }
  Control_Design& Word_Wrap() { return Set(word_wrap, true); }
  Control_Design& Transparent() { return Set(transparent, true); }
  Control_Design& Auto_Size() { return Set(auto_size, true); }

 private:
  template <typename T, typename V>
  Control_Design& Set(T& field, V value) {
    field = value;
    return *this;
  }
};

// A row with its kind, names and place; the setters add the rest.
Control_Design Control(Control_Kind kind, const char* name, const char* parent,
                       Rectangle rectangle);

// True for a control the keyboard can reach: one that takes input, is shown
// and is not marked otherwise.
bool Takes_Focus(const Control_Design& control);

// What assistive technology reads for a control: its own accessible name if
// it has one; else its caption, without mnemonic marks and a closing colon,
// with the hint as the description; else its hint. Captions count only for
// buttons and group boxes: a label's or a field's text is no name.
struct Accessible_Texts {
  std::string name;
  std::string description;
};
Accessible_Texts Accessible_Texts_Of(const Control_Design& control);

}  // namespace velmaric::forms
