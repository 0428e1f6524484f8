#include "forms/about_form_design.h"

namespace velmaric::forms {
namespace {

constexpr const char* box = "AboutBox";
constexpr const char* banner = "GroupBox2";
constexpr const char* body = "GroupBox1";

using K = Control_Kind;

const char* const quotations[] = {
    "Since 1980, my passion has been writing useful computer sofware.",
    "I hope this program makes your work a little simpler, your play a little better, or your "
    "day a bit easier.",
    "Customer service is important to me.  Why not email me and test this for yourself ?",
    "Tired of software developers not supporting their programs or replying to emails ?  Email "
    "me and experience real customer service.",
    "Useful software needn't be expensive, and my catalog of software proves this.",
    "If you have any comments, suggestions, improvements, or feedback, please email me.",
    "Ensuring you get good value for money is very important to me. ",
    "Useful software needn't take up Gigabytes of disk space, and my catalog of software proves "
    "this.",
    "If you can't find a program you need anywhere, email me - I might be able to help.",
    "If you would like a special program written - email me - I might be able to help.",
    "Got a great idea for a computer program ?  Please email me and let me know.",
};

// A line of text in the body, in the main window's face.
Control_Design Text_Row(const char* name, Rectangle rectangle, bool bold = false) {
  return Control(K::Label, name, body, rectangle)
      .Caption(name)
      .Font({"Times New Roman", 11, Font_Unit::Points, bold, false});
}

Control_Design Link(const char* name, Rectangle rectangle) {
  return Control(K::Link_Label, name, body, rectangle)
      .Font({"Times New Roman", 16, Font_Unit::Pixels, true, true})
      .Text_Colour(Colour_Role::Blue_Link)
      .Auto_Size();
}

std::vector<Control_Design> Controls() {
  return {
      // The banner's box reaches above the window, hiding its top edge; the
      // banner is cut at the box's right edge.
      Control(K::Group_Box, banner, box, {0, -4, 589, 65}),
      Control(K::Vector_Picture, "Karvo_Logo_Banner_Image", banner, {1, 0, 600, 70})
          .Picture("velmaric-banner.svg"),

      Control(K::Group_Box, body, box, {0, 52, 589, 301}),
      Control(K::Bevel, "Bevel1", body, {5, 14, 184, 167}).Bevel(Bevel_Style::Raised_Panel),
      Control(K::Picture, "Karvo_Logo_GIFImage", body, {12, 16, 173, 165})
          .Picture("velmaric-logo.gif"),
      Text_Row("Quote_From_Karvo_Label", {8, 184, 181, 113}).Word_Wrap().Centred(),
      Text_Row("ProductName", {205, 16, 380, 18}, true),
      Text_Row("Author_and_Date", {205, 45, 380, 18}, true),
      Text_Row("Developed_using", {205, 74, 380, 18}).Word_Wrap(),
      Text_Row("Copyright", {205, 103, 380, 18}),
      Text_Row("Comments", {205, 162, 380, 18}).Word_Wrap(),
      Text_Row("WEB_Page_Label", {205, 191, 380, 18}).Word_Wrap(),
      Text_Row("Label3", {207, 220, 160, 18}).Caption("Free System Resources :"),
      Text_Row("Label4", {375, 220, 60, 18}).Caption("Free %"),

      // Hold the addresses; the links in front of them show them.
      Control(K::Push_Button, "Email_Button", body, {416, 160, 169, 23}),
      Control(K::Push_Button, "WEB_Button", body, {416, 189, 169, 23}),
      Link("Email_Address_Label", {424, 160, 0, 0}),
      Link("WEB_Address_Label", {424, 189, 0, 0}),

      Control(K::Bevel, "Bevel3", body, {420, 244, 157, 49}).Bevel(Bevel_Style::Raised_Panel),
      Control(K::Picture, "Australian_Made_Logo", body, {424, 248, 149, 41})
          .Picture("made-in-logo.bmp")
          .Hint("Hey, don't poke me there !!"),
      Control(K::Label, "Australian_Made_Label", body, {430, 252, 98, 32})
          .Caption("Australian Made Software")
          .Centred()
          .Word_Wrap()
          .Transparent()
          .Font({"Arial", 13, Font_Unit::Pixels, false, false})
          .Text_Colour(Colour_Role::Highlighted_Text),

      Control(K::Push_Button, "OKButton", body, {245, 251, 100, 37})
          .Caption("OK")
          .Glyph(standard_ok_glyph)
          .Font({"MS Sans Serif", 16, Font_Unit::Pixels, true, false})
          .Default(),

      // The quotations the box picks from; never shown.
      Control(K::List_Box, "Quotes_From_Karvo_ListBox", body, {}).Items(quotations).Hidden(),
  };
}

}  // namespace

const Form_Design& About_Form() {
  static const Form_Design form{
      box, {591, 354}, {591, 354}, Colour_Role::None, Controls(), {}, {},
  };
  return form;
}

}  // namespace velmaric::forms
