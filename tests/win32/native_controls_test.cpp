// The native controls made from the design tables: their classes, places,
// keyboard path, fonts and menu; the pictures in the program's resources.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "forms/about_form_design.h"
#include "forms/main_form_design.h"
#include "win32/control_set.h"
#include "win32/menu_bar.h"
#include "win32/picture.h"
#include "win32/win32_text.h"

namespace velmaric::win32 {
namespace {

constexpr forms::Font_Design window_font{"Times New Roman", 11, forms::Font_Unit::Points, false,
                                         false};

// A hidden top-level window to hold the controls.
class Host_Window : public ::testing::Test {
 protected:
  void SetUp() override {
    host_ = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
    // Wine makes no window without an X display: run under Xvfb.
    if (host_ == nullptr) GTEST_SKIP() << "no window system to make windows on";
  }
  void TearDown() override {
    if (host_ != nullptr) DestroyWindow(host_);
  }

  std::string Class_Of(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
  }

  HWND host_ = nullptr;
};

TEST_F(Host_Window, EveryRowIsTheNativeControlOfItsKindAtItsDesignPlace) {
  const forms::Form_Design& form = forms::Main_Form();
  Control_Set controls(form, host_, window_font, 100);
  ASSERT_EQ(controls.controls().size(), form.controls.size());
  struct Row {
    const char* name;
    const char* window_class;
  } rows[] = {{"Label2", "Static"},
              {"Date_Time_Edit", "Edit"},
              {"RadioGroup1", "Button"},
              {"Log_to_File_RadioButton", "Button"},
              {"Stops_Since_Last_Reset_SpinEdit", "Edit"},
              {"Start_Stop_Resume_BitBtn", "Button"},
              {"Scaling_ListBox", "ListBox"},
              {"Bevel1", "Static"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_STRCASEEQ(Class_Of(controls.Window(row.name)).c_str(), row.window_class);
  }
  for (const Built_Control& control : controls.controls()) {
    SCOPED_TRACE(control.row->name);
    const forms::Rectangle placed = controls.Placed(control);
    const forms::Rectangle& design = control.row->rectangle;
    EXPECT_EQ(placed.left, design.left);
    EXPECT_EQ(placed.top, design.top);
    EXPECT_EQ(placed.width, design.width);
    EXPECT_EQ(placed.height, design.height);
    EXPECT_EQ((GetWindowLongA(control.window, GWL_STYLE) & WS_VISIBLE) != 0, control.row->visible);
    EXPECT_EQ((GetWindowLongA(control.window, GWL_STYLE) & WS_TABSTOP) != 0,
              forms::Takes_Focus(*control.row));
  }
  // The stop count's arrows sit inside its design width, at the right.
  const Built_Control& spin = controls.Named("Stops_Since_Last_Reset_SpinEdit");
  ASSERT_NE(spin.arrows, nullptr);
  EXPECT_STRCASEEQ(Class_Of(spin.arrows).c_str(), "msctls_updown32");
}

TEST_F(Host_Window, TheKeyboardFollowsTheTablesTabOrder) {
  const forms::Form_Design& form = forms::Main_Form();
  Control_Set controls(form, host_, window_font, 100);
  // The stacking from the top is the Tab key's path.
  std::vector<std::string> path;
  for (HWND window = GetWindow(host_, GW_CHILD); window != nullptr;
       window = GetWindow(window, GW_HWNDNEXT)) {
    if ((GetWindowLongA(window, GWL_STYLE) & WS_TABSTOP) == 0) continue;
    if (const Built_Control* control = controls.With_Window(window)) {
      if (control->window == window) path.push_back(control->row->name);
    }
  }
  EXPECT_EQ(path, form.tab_order);
}

TEST_F(Host_Window, FramesLieBeneathEveryOtherControl) {
  Control_Set controls(forms::About_Form(), host_, window_font, 100);
  HWND bottom = GetWindow(controls.Window("OKButton"), GW_HWNDLAST);
  std::vector<std::string> lowest;
  for (int i = 0; i < 4 && bottom != nullptr; ++i, bottom = GetWindow(bottom, GW_HWNDPREV)) {
    lowest.push_back(controls.With_Window(bottom)->row->name);
  }
  EXPECT_EQ(lowest, (std::vector<std::string>{"GroupBox2", "GroupBox1", "Bevel1", "Bevel3"}));
  // The badge's caption lies over the badge.
  HWND above = controls.Window("Australian_Made_Logo");
  bool caption_above = false;
  while ((above = GetWindow(above, GW_HWNDPREV)) != nullptr) {
    caption_above = caption_above || above == controls.Window("Australian_Made_Label");
  }
  EXPECT_TRUE(caption_above);
}

TEST_F(Host_Window, ABannerWiderThanItsBoxIsCutAtTheBoxsEdge) {
  Control_Set controls(forms::About_Form(), host_, window_font, 100);
  const forms::Rectangle banner = controls.Placed(controls.Named("Karvo_Logo_Banner_Image"));
  EXPECT_EQ(banner.width, 589 - 1);
  RECT area{};
  GetWindowRect(controls.Window("Karvo_Logo_Banner_Image"), &area);
  MapWindowPoints(HWND_DESKTOP, host_, reinterpret_cast<POINT*>(&area), 2);
  EXPECT_EQ(area.top, -4);  // inside its box, which reaches above the window
}

TEST_F(Host_Window, FontsFollowTheirSizeAndGrowWithIt) {
  Control_Set controls(forms::Main_Form(), host_, window_font, 100);
  Built_Control& field = controls.Named("Elapsed_Secs_Edit");
  const auto pixels = [&field] {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(field.window, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    return -font.lfHeight;
  };
  EXPECT_EQ(pixels(), 15);
  controls.Set_Font_Size(field, 9);
  EXPECT_EQ(pixels(), 12);
  EXPECT_EQ(field.font.size, 9);
}

TEST(Mnemonic, IsTheLetterAfterASingleAmpersand) {
  const std::pair<const char*, char> rows[] = {{"&Start", 'S'}, {"E&xit", 'X'}, {"a&&b", 0},
                                               {"a&&&b", 'B'},  {"none", 0},    {"end&", 0}};
  for (const auto& [caption, letter] : rows) {
    SCOPED_TRACE(caption);
    EXPECT_EQ(Mnemonic_Of(caption), letter);
  }
}

TEST(Text, RoundTripsThroughUtf16) {
  const std::string text = "Z\xC3\xBCrich \xE2\x82\xAC 5";
  EXPECT_EQ(Wide(text), L"Z\u00FCrich \u20AC 5");
  EXPECT_EQ(Utf8(Wide(text)), text);
}

TEST(Menu, TheClockItemLeavesTheBarWhenHiddenAndComesBackWithItsText) {
  Menu_Bar menu(forms::Main_Form(), 1000);
  const int shown = GetMenuItemCount(menu.Bar());
  EXPECT_EQ(shown, 3);
  EXPECT_TRUE(menu.Set_Visible("SpareMenu", false));
  EXPECT_EQ(GetMenuItemCount(menu.Bar()), 2);
  EXPECT_FALSE(menu.Set_Text("SpareMenu", "01/02/2003, 04:05:06"));  // not on the bar now
  EXPECT_TRUE(menu.Set_Visible("SpareMenu", true));
  char text[64] = {};
  GetMenuStringA(menu.Bar(), 2, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "01/02/2003, 04:05:06");
  EXPECT_EQ(menu.Text("SpareMenu"), "01/02/2003, 04:05:06");
}

TEST(Menu, CheckItemsKeepTheirMarks) {
  Menu_Bar menu(forms::Main_Form(), 1000);
  EXPECT_FALSE(menu.Checked("Always_On_Top_Option"));
  menu.Set_Checked("Always_On_Top_Option", true);
  EXPECT_TRUE(menu.Checked("Always_On_Top_Option"));
  EXPECT_FALSE(menu.Checked("Expert_Mode_Option"));
  const Built_Menu_Item& exit = menu.Named("Exit1");
  EXPECT_EQ(menu.With_Id(exit.id), &exit);
  EXPECT_EQ(menu.With_Id(menu.Named("FileMenu").id), nullptr);  // a menu runs nothing
}

TEST(Pictures, AreKeptUnderTheirFilesNames) {
  EXPECT_EQ(Resource_Name_Of("velmaric-logo.gif"), "VELMARIC_LOGO_GIF");
  EXPECT_EQ(Resource_Name_Of("velmaric-banner.svg"), "VELMARIC_BANNER_PNG");
  EXPECT_EQ(Resource_Name_Of("glyph-start-stop.png"), "GLYPH_START_STOP_PNG");
}

TEST(Pictures, TheLogoComesWithItsFramesDelaysAndRepeatCount) {
  const Gdiplus_Session gdiplus;
  Picture logo;
  ASSERT_TRUE(logo.Load("VELMARIC_LOGO_GIF", RGB(240, 240, 240)));
  EXPECT_EQ(logo.Frame_Count(), 8u);
  for (std::size_t i = 0; i < logo.Frame_Count(); ++i) EXPECT_EQ(logo.Delay_Ms(i), 100u);
  EXPECT_EQ(logo.Repeat_Count(), 999u);
  Picture banner;
  EXPECT_TRUE(banner.Load("VELMARIC_BANNER_PNG", RGB(240, 240, 240)));
  EXPECT_EQ(banner.Frame_Count(), 1u);
  Picture missing;
  EXPECT_FALSE(missing.Load("NO_SUCH_PICTURE", RGB(0, 0, 0)));
}

}  // namespace
}  // namespace velmaric::win32
